// What the engine tests share: test kinds of skinner that record what they
// are asked to do, a probe window class whose procedure records what reaches
// it, message sequence tables, a fixed system colour palette and pixel reads.
#pragma once

#include <windows.h>

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "skin/engine/ControlSkin.h"
#include "skin/engine/SkinDispatch.h"
#include "tests/support/Pixels.h"

namespace engine_test {

// One entry of the recorded sequence.
enum Source {
    SRC_PROC,     // the probe window's own procedure received a message
    SRC_FRAME,    // a test skinner's DrawFrame ran
    SRC_DELETED,  // a test skinner was deleted (wParam: 1 when its window's
                  // procedure had been restored by then)
    SRC_DLGPROC,  // a test dialog procedure received a message (for
                  // WM_PARENTNOTIFY, wParam's high word is 1 when the new
                  // child was skinned already)
};

struct SeqEntry {
    Source nSource;
    UINT message;
    WPARAM wParam;
    LPARAM lParam;
    HWND hWnd;
    bool bCheckParams;  // compare wParam and lParam too
};

// The recorded sequence; recording is on between StartRecording and the next
// StopRecording (or the test's end).
std::vector<SeqEntry>& Sequence();
void StartRecording();
void StopRecording();
bool IsRecording();
void Record(Source nSource, HWND hWnd, UINT message, WPARAM wParam, LPARAM lParam);

// Puts a recorder (entries SRC_PROC) in front of a control's own procedure;
// done before the control is skinned, the skinner passes messages on to it.
void RecordMessagesOf(HWND hWnd);
// Forgets the windows given to RecordMessagesOf (at the end of a case).
void ForgetRecordedProcs();
// Expected entries: a message reaching the recorded procedure (its
// parameters compared when bParams is set), a frame drawn.
SeqEntry Proc(HWND h, UINT m, WPARAM w = 0, LPARAM l = 0, bool bParams = true);
SeqEntry Frame(HWND h);

// Compares the recorded sequence (only entries of the given window, when
// hWnd is not null) with the expected one; on a mismatch the message says
// which entry and lists both sequences side by side.
// With a non-empty list in only, procedure entries of other messages are
// left out of the comparison (frames and deletions always count).
::testing::AssertionResult SequenceMatches(const std::vector<SeqEntry>& expected, HWND hWnd = nullptr,
                                           std::initializer_list<UINT> only = {});

// What each test skinner saw of its life.
struct SkinLife {
    SkinKind nKind;
    HWND hWnd;
    int nDraws;
    WORD nLastState;
    RECT rcLastFrame;
    HWND hLastDCWnd;     // the window its last DC belonged to
    bool bDialogHooked;  // the parent was a hooked dialog at the last draw
    bool bDeleted;
    bool bRestoredAtDelete;
};

class CTestSkin : public CControlSkin {
public:
    explicit CTestSkin(SkinKind nKind);
    ~CTestSkin() override;
    void DrawFrame(HDC hDC, const RECT* prcFrame) override;
    BOOL IsActive() override { return m_bActive; }
    // The flat edge and the window's own scroll bars, as the field kinds draw.
    void SkinDrawFlatEdgeFrame(HDC hDC, const RECT* prcFrame);

    SkinKind m_nKind;
    BOOL m_bActive = FALSE;
    size_t m_nLife;  // index in Lives()
};

std::vector<SkinLife>& Lives();
// Registers a recording creator for every kind; null creators for kinds in
// refuse (their creation fails).
void InstallTestKinds();
void RefuseKind(SkinKind nKind);
// The test skinner of a window, or null when it has none.
CTestSkin* TestSkinOf(HWND hWnd);
// The kind the window got, SKIN_KIND_NONE when it is not skinned.
SkinKind KindOf(HWND hWnd);
const char* KindName(SkinKind nKind);
// The life record of the newest skinner made for hWnd, or null.
const SkinLife* LifeOf(HWND hWnd);

// The probe window class "EngineProbe": records every message while
// recording, answers 77 to the messages the skinner base handles and calls
// DestroyWindow on itself for WM_SIZE with wParam 99.
extern const char kProbeClass[];
LRESULT CALLBACK ProbeProc(HWND hWnd, UINT message, WPARAM wParam, LPARAM lParam);
void RegisterProbeClass();
HWND CreateProbe(HWND hParent, DWORD dwStyle, DWORD dwExStyle, int x, int y, int cx, int cy);

// A plain top-level window to hold controls.
HWND CreateHost(int x, int y, int cx, int cy, bool bVisible);

// Sets distinct values for the engine's system colours (and the window
// frame colour), the same in every test program.
void UseTestPalette();

// The pixel of a window's window DC (the non-client area included).
using scrivlo_test::WindowPixel;

// The first child of hParent (in Z order) whose class is pszClass, letter
// case aside; null when there is none.
HWND ChildOfClass(HWND hParent, const char* pszClass);
bool HasClientEdge(HWND h);

// Everything the engine holds is let go and every test record cleared.
void ResetEngine();

// Colours as hexadecimal digits, for messages.
using scrivlo_test::ColorText;

}  // namespace engine_test

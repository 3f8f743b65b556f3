// What the Win32 tests of the skinned button and label share: an in-memory
// dialog template, a skinned host dialog that binds its controls through the
// data exchange, a message pump that pre-translates as the framework's modal
// loop does, real pointer input, and pixel reads of the controls.
#pragma once

#include <windows.h>

#include <functional>
#include <map>
#include <string>
#include <vector>

#include "skin/controls/SkinButton.h"
#include "skin/controls/SkinLabel.h"
#include "skin/dialogs/SkinDialog.h"
#include "tests/support/BmpImage.h"

namespace ctl_test {

// The host dialog's background, distinct from every colour the controls draw.
constexpr COLORREF kDialogBackground = RGB(236, 232, 210);
constexpr COLORREF kDialogBorder = RGB(90, 90, 160);

// A DLGTEMPLATE with DS_SETFONT and its items, built in memory.
class CDialogTemplate {
public:
    CDialogTemplate(short cx, short cy, const char* face = "MS Shell Dlg", WORD pointSize = 8);
    // cls is a predefined class atom: 0x0080 button, 0x0081 edit, 0x0082 static.
    void Add(WORD id, WORD classAtom, const char* text, DWORD style, short x, short y, short cx, short cy);
    void AddButton(WORD id, const char* text, DWORD style, short x, short y, short cx, short cy) {
        Add(id, 0x0080, text, WS_CHILD | WS_VISIBLE | style, x, y, cx, cy);
    }
    void AddStatic(WORD id, const char* text, DWORD style, short x, short y, short cx, short cy) {
        Add(id, 0x0082, text, WS_CHILD | WS_VISIBLE | style, x, y, cx, cy);
    }
    LPCDLGTEMPLATE Get();

private:
    void Align(size_t bytes);
    void AddWide(const char* text);

    std::vector<WORD> m_words;
    WORD m_count = 0;
};

// A skinned dialog whose controls are bound by the data exchange. Before the
// exchange runs, m_beforeBind may touch the template controls (a font, a
// check state); m_bind does the DDX_Control calls. BN_CLICKED notifications
// are counted per control.
class CHostDialog : public CSkinDialog {
public:
    CHostDialog();
    ~CHostDialog() override;

    // Creates the dialog modeless on this thread at (x, y) of the screen,
    // shows it in front and waits until it has painted.
    bool Open(CDialogTemplate& tmpl, int x = 40, int y = 40);
    void Close();

    std::function<void(CHostDialog&)> m_beforeBind;
    std::function<void(CDataExchange*)> m_bind;
    std::map<int, int> m_clicks;

protected:
    void DoDataExchange(CDataExchange* pDX) override;
    BOOL OnInitDialog() override;
    BOOL OnCommand(WPARAM wParam, LPARAM lParam) override;
};

// A button that shows its protected members to the tests.
class CProbeButton : public CSkinButton {
public:
    HFONT Font() const { return static_cast<HFONT>(m_font.GetSafeHandle()); }
    HBRUSH Brush() const { return static_cast<HBRUSH>(m_brush.GetSafeHandle()); }
    BOOL Focused() const { return m_bFocused; }
    BOOL Pressed() const { return m_bPressed; }
    // The opaque variant: set before attaching.
    void MakeOpaque(COLORREF crBackground) {
        m_bTransparent = FALSE;
        m_crBackground = crBackground;
    }
};

// Handles the calling thread's messages for ms milliseconds; each one is
// offered to the framework's pre-translation (as the modal loop does) and
// to the dialog manager of hDialog first. Counts the double clicks seen.
void Pump(HWND hDialog, DWORD ms);
bool PumpUntil(HWND hDialog, const std::function<bool()>& done, DWORD timeoutMs = 2000);
int DoubleClicksSeen();

// Real pointer input through the system's input queue.
bool MovePointerTo(HWND hDialog, POINT ptScreen);
bool MovePointerOver(HWND hDialog, HWND hControl);  // the control's centre
bool MovePointerAway(HWND hDialog);                 // the screen's top-left corner
bool PressLeft();
bool ReleaseLeft();
bool ClickOver(HWND hDialog, HWND hControl);
bool DoubleClickOver(HWND hDialog, HWND hControl);

// The control's pixels as they are on the screen (its window DC).
scrivlo_test::CPixelImage Capture(HWND hControl);

// Pixels of the image inside (left, top, right, bottom) with this colour.
int CountColour(const scrivlo_test::CPixelImage& image, const RECT& rc, COLORREF colour);
// The most frequent colour inside rc other than those in except; CLR_INVALID
// when there is none.
COLORREF InkColour(const scrivlo_test::CPixelImage& image, const RECT& rc, const std::vector<COLORREF>& except);
// The leftmost column inside rc holding a pixel not in except; -1 if none.
int LeftmostInk(const scrivlo_test::CPixelImage& image, const RECT& rc, const std::vector<COLORREF>& except);
// True when every pixel on the outermost ring of the image has this colour.
bool RingIs(const scrivlo_test::CPixelImage& image, COLORREF colour);
std::string ColourText(COLORREF colour);

// A colour icon of cx x cy, every pixel of its colour bitmap from pixel(x,
// y) (a COLORREF) and its mask from transparent(x, y). The caller destroys it.
HICON MakeIcon(int cx, int cy, const std::function<COLORREF(int, int)>& pixel,
               const std::function<bool(int, int)>& transparent = nullptr);
// The pixels (COLORREF) of a bitmap, top row first, through a 32-bpp read.
std::vector<COLORREF> BitmapPixels(HBITMAP hBitmap, int* pcx, int* pcy);
// True while the icon or cursor handle is alive (its information can be had).
bool IconAlive(HICON hIcon);

}  // namespace ctl_test

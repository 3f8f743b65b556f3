#include "tests/skin/engine/EngineTestSupport.h"

#include <cstdio>
#include <sstream>

#include "skin/engine/FlatDraw.h"
#include "skin/engine/SkinKindTable.h"
#include "skin/engine/SkinManager.h"

namespace engine_test {

namespace {

std::vector<SeqEntry> g_sequence;
bool g_bRecording = false;
std::vector<SkinLife> g_lives;
bool g_bRefused[SKIN_KIND_COUNT] = {};

template <SkinKind K>
CControlSkin* CreateTestKind() {
    if (g_bRefused[K]) return nullptr;
    return new CTestSkin(K);
}

const PFN_CREATESKIN kCreators[SKIN_KIND_COUNT] = {
    nullptr,
    &CreateTestKind<SKIN_KIND_BORDER>,
    &CreateTestKind<SKIN_KIND_IPADDRESS>,
    &CreateTestKind<SKIN_KIND_EDIT>,
    &CreateTestKind<SKIN_KIND_COMBOEDIT>,
    &CreateTestKind<SKIN_KIND_COMBO>,
    &CreateTestKind<SKIN_KIND_DATETIME>,
    &CreateTestKind<SKIN_KIND_SPIN>,
    &CreateTestKind<SKIN_KIND_SCROLLBAR>,
    &CreateTestKind<SKIN_KIND_TRACKBAR>,
    &CreateTestKind<SKIN_KIND_HEADER>,
    &CreateTestKind<SKIN_KIND_TOOLBAR>,
};

const char* SourceName(Source s) {
    switch (s) {
    case SRC_PROC: return "proc";
    case SRC_FRAME: return "frame";
    case SRC_DELETED: return "deleted";
    case SRC_DLGPROC: return "dlgproc";
    }
    return "?";
}

std::string EntryText(const SeqEntry& e) {
    char buf[96];
    if (e.nSource == SRC_FRAME)
        std::snprintf(buf, sizeof(buf), "frame");
    else
        std::snprintf(buf, sizeof(buf), "%s %04X w=%lX l=%lX", SourceName(e.nSource), e.message,
                      static_cast<unsigned long>(e.wParam), static_cast<unsigned long>(e.lParam));
    return buf;
}

}  // namespace

std::vector<SeqEntry>& Sequence() { return g_sequence; }
void StartRecording() {
    g_sequence.clear();
    g_bRecording = true;
}
void StopRecording() { g_bRecording = false; }
bool IsRecording() { return g_bRecording; }

void Record(Source nSource, HWND hWnd, UINT message, WPARAM wParam, LPARAM lParam) {
    if (!g_bRecording) return;
    g_sequence.push_back({nSource, message, wParam, lParam, hWnd, true});
}

::testing::AssertionResult SequenceMatches(const std::vector<SeqEntry>& expected, HWND hWnd,
                                           std::initializer_list<UINT> only) {
    std::vector<SeqEntry> actual;
    for (const SeqEntry& e : g_sequence) {
        if (hWnd && e.hWnd != hWnd) continue;
        if (only.size() && (e.nSource == SRC_PROC || e.nSource == SRC_DLGPROC)) {
            bool bKeep = false;
            for (UINT m : only) bKeep = bKeep || m == e.message;
            if (!bKeep) continue;
        }
        actual.push_back(e);
    }
    size_t nBad = static_cast<size_t>(-1);
    for (size_t i = 0; i < expected.size() || i < actual.size(); ++i) {
        if (i >= expected.size() || i >= actual.size()) {
            nBad = i;
            break;
        }
        const SeqEntry& x = expected[i];
        const SeqEntry& a = actual[i];
        bool same = x.nSource == a.nSource && (x.nSource == SRC_FRAME || x.message == a.message);
        if (same && x.bCheckParams && x.nSource != SRC_FRAME) same = x.wParam == a.wParam && x.lParam == a.lParam;
        if (!same) {
            nBad = i;
            break;
        }
    }
    if (nBad == static_cast<size_t>(-1)) return ::testing::AssertionSuccess();
    std::ostringstream os;
    os << "sequences differ at entry " << nBad << "\n  expected                         | actual\n";
    for (size_t i = 0; i < expected.size() || i < actual.size(); ++i) {
        std::string l = i < expected.size() ? EntryText(expected[i]) : "-";
        std::string r = i < actual.size() ? EntryText(actual[i]) : "-";
        l.resize(32, ' ');
        os << (i == nBad ? "> " : "  ") << l << " | " << r << "\n";
    }
    return ::testing::AssertionFailure() << os.str();
}

CTestSkin::CTestSkin(SkinKind nKind) : m_nKind(nKind), m_nLife(g_lives.size()) {
    SkinLife life = {};
    life.nKind = nKind;
    g_lives.push_back(life);
}

CTestSkin::~CTestSkin() {
    SkinLife& life = g_lives[m_nLife];
    life.bDeleted = true;
    life.bRestoredAtDelete =
        reinterpret_cast<WNDPROC>(GetWindowLongPtrA(m_hWnd, GWLP_WNDPROC)) != &CSkinManager::ControlWndProc;
    Record(SRC_DELETED, m_hWnd, 0, life.bRestoredAtDelete ? 1 : 0, 0);
}

void CTestSkin::DrawFrame(HDC hDC, const RECT* prcFrame) {
    SkinLife& life = g_lives[m_nLife];
    life.hWnd = m_hWnd;
    ++life.nDraws;
    life.nLastState = m_nState;
    life.rcLastFrame = *prcFrame;
    life.hLastDCWnd = WindowFromDC(hDC);
    void* pDialog = nullptr;
    life.bDialogHooked = CSkinManager::m_mapDialogs.Lookup(GetParent(m_hWnd), pDialog) != 0;
    Record(SRC_FRAME, m_hWnd, 0, 0, 0);
    // Draw what the real kinds draw for the two shapes the tests probe.
    if (m_nKind == SKIN_KIND_SCROLLBAR) {
        DrawScrollBar(hDC, prcFrame, (GetWindowLongA(m_hWnd, GWL_STYLE) & SBS_VERT) != 0, TRUE);
    } else {
        SkinDrawFlatEdgeFrame(hDC, prcFrame);
    }
}

void CTestSkin::SkinDrawFlatEdgeFrame(HDC hDC, const RECT* prcFrame) {
    SkinDrawFlatEdge(hDC, prcFrame);
    DrawWindowScrollBars(hDC, prcFrame);
}

std::vector<SkinLife>& Lives() { return g_lives; }

void InstallTestKinds() {
    for (int k = SKIN_KIND_NONE + 1; k < SKIN_KIND_COUNT; ++k) {
        g_bRefused[k] = false;
        SkinSetKindCreator(static_cast<SkinKind>(k), kCreators[k]);
    }
}

void RefuseKind(SkinKind nKind) { g_bRefused[nKind] = true; }

CTestSkin* TestSkinOf(HWND hWnd) { return static_cast<CTestSkin*>(CSkinManager::FindSkin(hWnd)); }

SkinKind KindOf(HWND hWnd) {
    CTestSkin* p = TestSkinOf(hWnd);
    return p ? p->m_nKind : SKIN_KIND_NONE;
}

const char* KindName(SkinKind k) {
    static const char* const names[] = {"none",     "border", "ipaddress", "edit",     "comboedit", "combo",
                                        "datetime", "spin",   "scrollbar", "trackbar", "header",    "toolbar"};
    return k >= 0 && k < SKIN_KIND_COUNT ? names[k] : "?";
}

const SkinLife* LifeOf(HWND hWnd) {
    CTestSkin* p = TestSkinOf(hWnd);
    return p ? &g_lives[p->m_nLife] : nullptr;
}

const char kProbeClass[] = "EngineProbe";

LRESULT CALLBACK ProbeProc(HWND hWnd, UINT message, WPARAM wParam, LPARAM lParam) {
    Record(SRC_PROC, hWnd, message, wParam, lParam);
    switch (message) {
    case WM_SIZE:
        if (wParam == 99) {
            DestroyWindow(hWnd);
            return 77;
        }
        return 77;
    case WM_PAINT: {
        PAINTSTRUCT ps;
        BeginPaint(hWnd, &ps);
        EndPaint(hWnd, &ps);
        return 77;
    }
    case WM_ENABLE:
    case WM_NCMOUSEMOVE:
    case WM_NCLBUTTONDOWN:
    case WM_NCLBUTTONUP:
    case WM_HSCROLL:
    case WM_VSCROLL:
    case WM_SETFOCUS:
    case WM_KILLFOCUS:
    case WM_USER + 5: return 77;
    case WM_NCPAINT: DefWindowProcA(hWnd, message, wParam, lParam); return 77;
    default: return DefWindowProcA(hWnd, message, wParam, lParam);
    }
}

void RegisterProbeClass() {
    WNDCLASSA wc = {};
    if (GetClassInfoA(GetModuleHandleA(nullptr), kProbeClass, &wc)) return;
    wc.lpfnWndProc = &ProbeProc;
    wc.hInstance = GetModuleHandleA(nullptr);
    wc.hCursor = LoadCursorA(nullptr, IDC_ARROW);
    wc.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_WINDOW + 1);
    wc.lpszClassName = kProbeClass;
    RegisterClassA(&wc);
}

HWND CreateProbe(HWND hParent, DWORD dwStyle, DWORD dwExStyle, int x, int y, int cx, int cy) {
    RegisterProbeClass();
    return CreateWindowExA(dwExStyle, kProbeClass, "", dwStyle, x, y, cx, cy, hParent, nullptr,
                           GetModuleHandleA(nullptr), nullptr);
}

HWND CreateHost(int x, int y, int cx, int cy, bool bVisible) {
    RegisterProbeClass();
    return CreateWindowExA(0, "Static", "", WS_POPUP | WS_CLIPCHILDREN | (bVisible ? WS_VISIBLE : 0), x, y, cx, cy,
                           nullptr, nullptr, GetModuleHandleA(nullptr), nullptr);
}

void UseTestPalette() {
    static const int kIndex[] = {COLOR_BTNFACE, COLOR_BTNSHADOW,   COLOR_BTNHIGHLIGHT, COLOR_3DDKSHADOW,
                                 COLOR_3DLIGHT, COLOR_WINDOWFRAME, COLOR_WINDOW};
    static const COLORREF kValue[] = {RGB(0xC0, 0xC0, 0xC0), RGB(0x80, 0x40, 0x40), RGB(0xF0, 0xF8, 0xE0),
                                      RGB(0x10, 0x20, 0x60), RGB(0xD0, 0xE0, 0xC8), RGB(0x00, 0x90, 0x00),
                                      RGB(0xFF, 0xFF, 0xFF)};
    bool same = true;
    for (size_t i = 0; i < sizeof(kIndex) / sizeof(kIndex[0]); ++i) same = same && GetSysColor(kIndex[i]) == kValue[i];
    if (!same) SetSysColors(static_cast<int>(sizeof(kIndex) / sizeof(kIndex[0])), kIndex, kValue);
}

HWND ChildOfClass(HWND hParent, const char* pszClass) {
    for (HWND h = GetTopWindow(hParent); h; h = GetWindow(h, GW_HWNDNEXT)) {
        char sz[64] = "";
        GetClassNameA(h, sz, sizeof(sz));
        if (lstrcmpiA(sz, pszClass) == 0) return h;
    }
    return nullptr;
}

bool HasClientEdge(HWND h) { return (GetWindowLongA(h, GWL_EXSTYLE) & WS_EX_CLIENTEDGE) != 0; }

void ResetEngine() {
    CSkinManager::GetInstance()->Teardown();
    CSkinManager::m_hHoverWnd = nullptr;
    CSkinManager::m_bRaisedButtons = FALSE;
    CSkinManager::GetInstance()->m_nMode = 0;
    g_sequence.clear();
    g_bRecording = false;
}

namespace {

// The procedure each recorded control had before the recorder (few windows
// per case).
struct RecordedProc {
    HWND hWnd;
    WNDPROC pfnOld;
};
std::vector<RecordedProc> g_recorded;

LRESULT CALLBACK RecorderProc(HWND hWnd, UINT message, WPARAM wParam, LPARAM lParam) {
    Record(SRC_PROC, hWnd, message, wParam, lParam);
    for (const RecordedProc& r : g_recorded) {
        if (r.hWnd == hWnd) return CallWindowProcA(r.pfnOld, hWnd, message, wParam, lParam);
    }
    return DefWindowProcA(hWnd, message, wParam, lParam);
}

}  // namespace

void RecordMessagesOf(HWND hWnd) {
    WNDPROC pfnOld = reinterpret_cast<WNDPROC>(GetWindowLongPtrA(hWnd, GWLP_WNDPROC));
    g_recorded.push_back({hWnd, pfnOld});
    SetWindowLongPtrA(hWnd, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&RecorderProc));
}

void ForgetRecordedProcs() { g_recorded.clear(); }

SeqEntry Proc(HWND h, UINT m, WPARAM w, LPARAM l, bool bParams) { return {SRC_PROC, m, w, l, h, bParams}; }
SeqEntry Frame(HWND h) { return {SRC_FRAME, 0, 0, 0, h, false}; }

}  // namespace engine_test

// The button's images under Wine: the gray copy of an icon, the built-in hand
// cursor, image sets from resources and from handles, the system check-box
// and radio-button images, and who releases which icon, font and brush.
#include <gtest/gtest.h>

#include <windows.h>

#include <algorithm>
#include <memory>

#include "framework/Dialog.h"
#include "skin/controls/ButtonImages.h"
#include "tests/skin/controls/ControlsWineSupport.h"
#include "tests/skin/controls/ControlsWineTestRes.h"

using namespace ctl_test;
using scrivlo_test::CPixelImage;

namespace {

// ---------------------------------------------------------------------------
// Gray copy

struct GrayCase {
    COLORREF source;
    BYTE gray;
};

// Luma weights 0.299 R + 0.587 G + 0.114 B, truncated.
const GrayCase kGrayCases[] = {
    {RGB(0, 0, 0), 0},          // pure black stays black
    {RGB(1, 0, 0), 0},          // written, as gray level 0
    {RGB(255, 255, 255), 255},  // the weights add up to exactly one
    {RGB(255, 0, 0), 76},       // 76.245
    {RGB(0, 255, 0), 149},      // 149.685
    {RGB(0, 0, 255), 29},       // 29.07
    {RGB(10, 20, 30), 18},      // 18.15
    {RGB(200, 100, 50), 124},   // 59.8 + 58.7 + 5.7
};
constexpr int kGrayCaseCount = sizeof(kGrayCases) / sizeof(kGrayCases[0]);

struct IconParts {
    std::vector<COLORREF> colour;
    std::vector<COLORREF> mask;
    int cx = 0, cy = 0;
    DWORD hotX = 0, hotY = 0;
    bool hasColour = false;
};

bool ReadIcon(HICON hIcon, IconParts& parts) {
    ICONINFO info = {};
    if (!::GetIconInfo(hIcon, &info)) return false;
    parts.hotX = info.xHotspot;
    parts.hotY = info.yHotspot;
    parts.hasColour = info.hbmColor != nullptr;
    int mcx = 0, mcy = 0;
    parts.mask = BitmapPixels(info.hbmMask, &mcx, &mcy);
    if (info.hbmColor != nullptr)
        parts.colour = BitmapPixels(info.hbmColor, &parts.cx, &parts.cy);
    else {
        parts.cx = mcx;
        parts.cy = mcy;
    }
    if (info.hbmColor != nullptr) ::DeleteObject(info.hbmColor);
    ::DeleteObject(info.hbmMask);
    return true;
}

}  // namespace

TEST(GrayIcon, EachPixelBecomesItsLumaAndBlackStaysBlack) {
    // One row per case, the left half of each row transparent in the mask.
    const int cx = 8;
    const int cy = kGrayCaseCount;
    HICON hSource = MakeIcon(
        cx, cy, [](int, int y) { return kGrayCases[y].source; }, [](int x, int) { return x < 4; });
    ASSERT_NE(hSource, nullptr);
    HICON hGray = CreateGrayscaleIcon(hSource);
    ASSERT_NE(hGray, nullptr);
    EXPECT_NE(hGray, hSource);

    IconParts src, gray;
    ASSERT_TRUE(ReadIcon(hSource, src));
    ASSERT_TRUE(ReadIcon(hGray, gray));
    ASSERT_EQ(gray.cx, cx);
    ASSERT_EQ(gray.cy, cy);
    ASSERT_EQ(gray.colour.size(), static_cast<size_t>(cx * cy));
    for (int y = 0; y < cy; ++y) {
        SCOPED_TRACE(testing::Message() << "source " << ColourText(kGrayCases[y].source));
        const BYTE g = kGrayCases[y].gray;
        // Pixels under the transparent half of the mask are whatever the
        // icon keeps there; only the opaque half is compared.
        for (int x = 4; x < cx; ++x)
            EXPECT_EQ(ColourText(gray.colour[static_cast<size_t>(y * cx + x)]), ColourText(RGB(g, g, g)));
    }
    // The mask is the source's.
    EXPECT_EQ(gray.mask, src.mask);
    // The source icon is untouched.
    IconParts again;
    ASSERT_TRUE(ReadIcon(hSource, again));
    EXPECT_EQ(again.colour, src.colour);

    ::DestroyIcon(hGray);
    ::DestroyIcon(hSource);
}

TEST(GrayIcon, SizeComesFromTheHotspotAndNoIconGivesNone) {
    const struct { int cx, cy; } sizes[] = {{32, 32}, {20, 12}, {48, 16}};
    for (const auto& s : sizes) {
        SCOPED_TRACE(testing::Message() << s.cx << " x " << s.cy);
        HICON hSource = MakeIcon(s.cx, s.cy, [](int x, int y) { return RGB(x * 5, y * 7, 90); });
        ASSERT_NE(hSource, nullptr);
        HICON hGray = CreateGrayscaleIcon(hSource);
        ASSERT_NE(hGray, nullptr);
        IconParts gray;
        ASSERT_TRUE(ReadIcon(hGray, gray));
        EXPECT_EQ(gray.cx, s.cx);
        EXPECT_EQ(gray.cy, s.cy);
        for (COLORREF c : gray.colour)
            ASSERT_TRUE(GetRValue(c) == GetGValue(c) && GetGValue(c) == GetBValue(c)) << ColourText(c);
        ::DestroyIcon(hGray);
        ::DestroyIcon(hSource);
    }
    EXPECT_EQ(CreateGrayscaleIcon(nullptr), nullptr);
    // A monochrome icon has no colour bitmap to read.
    HCURSOR hMono = CreateHandCursor();
    ASSERT_NE(hMono, nullptr);
    EXPECT_EQ(CreateGrayscaleIcon(reinterpret_cast<HICON>(hMono)), nullptr);
    ::DestroyCursor(hMono);
}

// ---------------------------------------------------------------------------
// Hand cursor

TEST(HandCursor, PlanesDrawAPointingHandWithItsTipAtTheHotspot) {
    HCURSOR hCursor = CreateHandCursor();
    ASSERT_NE(hCursor, nullptr);
    IconParts parts;
    ASSERT_TRUE(ReadIcon(reinterpret_cast<HICON>(hCursor), parts));
    EXPECT_FALSE(parts.hasColour);
    EXPECT_EQ(parts.hotX, 6u);
    EXPECT_EQ(parts.hotY, 0u);
    // Monochrome: the AND plane above the XOR plane, 32 x 64.
    ASSERT_EQ(parts.cx, 32);
    ASSERT_EQ(parts.cy, 64);
    auto andBit = [&](int x, int y) { return parts.mask[static_cast<size_t>(y * 32 + x)] != RGB(0, 0, 0); };
    auto xorBit = [&](int x, int y) { return parts.mask[static_cast<size_t>((y + 32) * 32 + x)] != RGB(0, 0, 0); };

    // Rows as hexadecimal words, most significant bit leftmost.
    struct Row {
        int y;
        DWORD andPlane, xorPlane;
    } const rows[] = {
        {0, 0xFCFFFFFF, 0x00000000},  {1, 0xF87FFFFF, 0x03000000},  {6, 0xF803FFFF, 0x03600000},
        {9, 0x80003FFF, 0x036D8000},  {10, 0x80003FFF, 0x33FD8000}, {12, 0xC0003FFF, 0x1BFF8000},
        {16, 0xF0007FFF, 0x07FF0000}, {20, 0xFC00FFFF, 0x01FE0000}, {21, 0xFC00FFFF, 0x00000000},
    };
    for (const Row& r : rows) {
        SCOPED_TRACE(testing::Message() << "row " << r.y);
        for (int x = 0; x < 32; ++x) {
            const DWORD bit = 0x80000000u >> x;
            EXPECT_EQ(andBit(x, r.y), (r.andPlane & bit) != 0) << "AND column " << x;
            EXPECT_EQ(xorBit(x, r.y), (r.xorPlane & bit) != 0) << "XOR column " << x;
        }
    }
    // Below the hand everything is transparent.
    for (int y = 22; y < 32; ++y)
        for (int x = 0; x < 32; ++x) ASSERT_TRUE(andBit(x, y) && !xorBit(x, y)) << x << ", " << y;

    // Drawn on white and on black: the fingertip at the hotspot is black
    // outline, the fill white, the rest shows what is behind.
    HDC hScreen = ::GetDC(nullptr);
    HDC hMem = ::CreateCompatibleDC(hScreen);
    HBITMAP hBmp = ::CreateCompatibleBitmap(hScreen, 32, 32);
    HGDIOBJ hOld = ::SelectObject(hMem, hBmp);
    for (COLORREF behind : {RGB(255, 255, 255), RGB(0, 0, 0)}) {
        SCOPED_TRACE(ColourText(behind));
        RECT rc = {0, 0, 32, 32};
        HBRUSH hBrush = ::CreateSolidBrush(behind);
        ::FillRect(hMem, &rc, hBrush);
        ::DeleteObject(hBrush);
        ASSERT_TRUE(::DrawIconEx(hMem, 0, 0, reinterpret_cast<HICON>(hCursor), 0, 0, 0, nullptr, DI_NORMAL));
        EXPECT_EQ(::GetPixel(hMem, 6, 0), RGB(0, 0, 0));        // tip outline
        EXPECT_EQ(::GetPixel(hMem, 7, 2), RGB(255, 255, 255));  // inside the finger
        EXPECT_EQ(::GetPixel(hMem, 0, 0), behind);
        EXPECT_EQ(::GetPixel(hMem, 20, 28), behind);
    }
    ::SelectObject(hMem, hOld);
    ::DeleteObject(hBmp);
    ::DeleteDC(hMem);
    ::ReleaseDC(nullptr, hScreen);

    EXPECT_TRUE(::DestroyCursor(hCursor));
    EXPECT_FALSE(IconAlive(reinterpret_cast<HICON>(hCursor)));
}

// ---------------------------------------------------------------------------
// Image sets of real buttons

namespace {

enum : WORD { IDC_PUSH = 200, IDC_SECOND, IDC_CHECK, IDC_THREE, IDC_RADIO, IDC_FLAT_CHECK, IDC_LABEL };
constexpr int kButtonCount = IDC_FLAT_CHECK - IDC_PUSH + 1;

// A dialog with its buttons and a label; destroyed on demand so the tests
// can look at handles after the controls are gone.
struct ImagesDialog {
    ImagesDialog() {
        for (auto& b : buttons) b.reset(new CProbeButton);
        label.reset(new CSkinLabel);
        dlg.reset(new CHostDialog);
        dlg->m_bind = [this](CDataExchange* pDX) {
            for (int i = 0; i < kButtonCount; ++i) DDX_Control(pDX, IDC_PUSH + i, *buttons[i]);
            DDX_Control(pDX, IDC_LABEL, *label);
        };
    }
    bool Open() {
        CDialogTemplate t(220, 110);
        t.AddButton(IDC_PUSH, "Icon", BS_PUSHBUTTON | WS_TABSTOP, 10, 10, 80, 30);
        t.AddButton(IDC_SECOND, "Handles", BS_PUSHBUTTON | WS_TABSTOP | WS_DISABLED, 100, 10, 80, 30);
        t.AddButton(IDC_CHECK, "Check", BS_AUTOCHECKBOX | WS_TABSTOP, 10, 50, 60, 14);
        t.AddButton(IDC_THREE, "Three", BS_AUTO3STATE | WS_TABSTOP, 80, 50, 60, 14);
        t.AddButton(IDC_RADIO, "Radio", BS_AUTORADIOBUTTON | WS_TABSTOP | WS_GROUP, 150, 50, 60, 14);
        t.AddButton(IDC_FLAT_CHECK, "Flat", BS_AUTOCHECKBOX | BS_FLAT | WS_TABSTOP | WS_GROUP, 10, 70, 60, 14);
        t.AddStatic(IDC_LABEL, "Label", SS_LEFT, 80, 70, 100, 12);
        return dlg->Open(t);
    }
    void Destroy() {
        dlg.reset();
        for (auto& b : buttons) b.reset();
        label.reset();
    }
    CProbeButton& Button(WORD id) { return *buttons[id - IDC_PUSH]; }
    HWND Item(WORD id) { return ::GetDlgItem(dlg->m_hWnd, id); }

    std::unique_ptr<CProbeButton> buttons[kButtonCount];
    std::unique_ptr<CSkinLabel> label;
    std::unique_ptr<CHostDialog> dlg;
};

std::vector<HICON> HandlesOf(const CSkinButton& button) {
    std::vector<HICON> out;
    for (int i = 0; i < button.GetImageSetCount(); ++i) {
        const ButtonImageSet* set = button.GetImageSet(i);
        for (HICON h : {set->imgActive.hIcon, set->imgNormal.hIcon, set->imgPressed.hIcon, set->imgDisabled.hIcon})
            if (h != nullptr) out.push_back(h);
    }
    return out;
}

}  // namespace

TEST(ButtonImageSets, SetIconsWithOneIdentifierSharesTheIconAndMakesAGrayCopy) {
    ImagesDialog d;
    ASSERT_TRUE(d.Open());
    CProbeButton& b = d.Button(IDC_PUSH);
    b.SetIcons(IDI_CONTROLS_TEST, 0, 0, 0, 0);
    const ButtonImageSet* set = b.GetImageSet(0);
    ASSERT_NE(set, nullptr);
    ASSERT_NE(set->imgActive.hIcon, nullptr);
    EXPECT_EQ(set->imgNormal.hIcon, set->imgActive.hIcon);
    EXPECT_EQ(set->imgPressed.hIcon, nullptr);  // the active icon is shown instead
    ASSERT_NE(set->imgDisabled.hIcon, nullptr);
    EXPECT_NE(set->imgDisabled.hIcon, set->imgActive.hIcon);
    EXPECT_EQ(set->imgActive.bOwned, 1);
    EXPECT_EQ(set->imgNormal.bOwned, 0);
    EXPECT_EQ(set->imgDisabled.bOwned, 1);
    EXPECT_EQ(b.GetIconWidth(), 32);
    EXPECT_EQ(b.GetIconHeight(), 32);

    // The icon is drawn centred; once disabled, its gray copy is.
    Pump(d.dlg->m_hWnd, 150);
    const CPixelImage shown = Capture(d.Item(IDC_PUSH));
    const int x = (shown.m_nWidth - 32) / 2 + 2;  // inside the icon's green rim
    const int y = (shown.m_nHeight - 32) / 2 + 2;
    EXPECT_EQ(ColourText(shown.ColorRefAt(x, y)), ColourText(kTestIconRim));
    ::EnableWindow(d.Item(IDC_PUSH), FALSE);
    const BYTE g = kTestIconRimGray;
    EXPECT_TRUE(PumpUntil(d.dlg->m_hWnd, [&] { return Capture(d.Item(IDC_PUSH)).ColorRefAt(x, y) == RGB(g, g, g); }));
    EXPECT_EQ(ColourText(Capture(d.Item(IDC_PUSH)).ColorRefAt(x, y)), ColourText(RGB(g, g, g)));

    // Freeing the set destroys the shared icon and the gray copy.
    const HICON hIcon = set->imgActive.hIcon;
    const HICON hGray = set->imgDisabled.hIcon;
    b.FreeImageSet(0);
    EXPECT_FALSE(IconAlive(hIcon));
    EXPECT_FALSE(IconAlive(hGray));
    EXPECT_EQ(set->imgActive.hIcon, nullptr);
    EXPECT_EQ(set->imgDisabled.hIcon, nullptr);

    // Loaded again and left to the button's destruction.
    b.SetIcons(IDI_CONTROLS_TEST, 0, 0, 0, 0);
    const HICON hIcon2 = b.GetImageSet(0)->imgActive.hIcon;
    const HICON hGray2 = b.GetImageSet(0)->imgDisabled.hIcon;
    ASSERT_TRUE(IconAlive(hIcon2));
    ASSERT_TRUE(IconAlive(hGray2));
    d.Destroy();
    EXPECT_FALSE(IconAlive(hIcon2));
    EXPECT_FALSE(IconAlive(hGray2));
}

TEST(ButtonImageSets, UnknownResourceAndSetIndexOutsideTheSetsChangeNothing) {
    ImagesDialog d;
    ASSERT_TRUE(d.Open());
    CProbeButton& b = d.Button(IDC_PUSH);
    b.SetIcons(IDI_CONTROLS_TEST, 0, 0, 0, 0);
    const ButtonImageSet before = *b.GetImageSet(0);
    b.SetIcons(IDI_CONTROLS_TEST + 55, 0, 0, 0, 0);  // no such icon group
    b.SetIcons(IDI_CONTROLS_TEST, 0, 0, 0, 1);       // a push button has one set
    b.SetIcons(IDI_CONTROLS_TEST, 0, 0, 0, -1);
    b.SetIconHandles(before.imgActive.hIcon, nullptr, nullptr, nullptr, 3);
    b.FreeImageSet(1);
    const ButtonImageSet* after = b.GetImageSet(0);
    EXPECT_EQ(after->imgActive.hIcon, before.imgActive.hIcon);
    EXPECT_EQ(after->imgDisabled.hIcon, before.imgDisabled.hIcon);
    EXPECT_EQ(after->imgActive.bOwned, 1);
    EXPECT_TRUE(IconAlive(before.imgActive.hIcon));
    EXPECT_TRUE(IconAlive(before.imgDisabled.hIcon));
    EXPECT_EQ(b.GetImageSet(1), nullptr);
}

TEST(ButtonImageSets, IconHandlesStayTheCallersAndOnlyTheGrayCopyIsReleased) {
    ImagesDialog d;
    ASSERT_TRUE(d.Open());
    HICON hMine = MakeIcon(24, 24, [](int, int) { return RGB(30, 60, 220); });
    HICON hPressed = MakeIcon(24, 24, [](int, int) { return RGB(220, 60, 30); });
    ASSERT_NE(hMine, nullptr);
    CProbeButton& b = d.Button(IDC_SECOND);
    b.SetIconHandles(hMine, nullptr, hPressed, nullptr, 0);
    const ButtonImageSet* set = b.GetImageSet(0);
    EXPECT_EQ(set->imgActive.hIcon, hMine);
    EXPECT_EQ(set->imgNormal.hIcon, hMine);
    EXPECT_EQ(set->imgPressed.hIcon, hPressed);
    EXPECT_EQ(set->imgActive.bOwned | set->imgNormal.bOwned | set->imgPressed.bOwned, 0);
    const HICON hGray = set->imgDisabled.hIcon;
    ASSERT_NE(hGray, nullptr);
    EXPECT_EQ(set->imgDisabled.bOwned, 1);
    EXPECT_EQ(b.GetIconWidth(), 24);

    // The button is disabled: it shows the gray copy of the blue icon.
    Pump(d.dlg->m_hWnd, 150);
    const CPixelImage shown = Capture(d.Item(IDC_SECOND));
    // Inside the icon, above the caption centred on the same spot.
    const COLORREF c = shown.ColorRefAt((shown.m_nWidth - 24) / 2 + 2, (shown.m_nHeight - 24) / 2 + 2);
    const BYTE g = 69;  // 35.22 + 25.08 + 8.97
    EXPECT_EQ(ColourText(c), ColourText(RGB(g, g, g)));

    // Replacing the set frees only what the button made.
    b.SetIconHandles(hPressed, nullptr, nullptr, hMine, 0);
    EXPECT_FALSE(IconAlive(hGray));
    EXPECT_TRUE(IconAlive(hMine));
    EXPECT_TRUE(IconAlive(hPressed));
    EXPECT_EQ(b.GetImageSet(0)->imgDisabled.hIcon, hMine);
    EXPECT_EQ(b.GetImageSet(0)->imgDisabled.bOwned, 0);

    d.Destroy();
    EXPECT_TRUE(IconAlive(hMine));
    EXPECT_TRUE(IconAlive(hPressed));
    ::DestroyIcon(hMine);
    ::DestroyIcon(hPressed);
}

TEST(ButtonImageSets, CheckAndRadioImagesFillEverySetAndAreReleasedWithTheButton) {
    ImagesDialog d;
    ASSERT_TRUE(d.Open());
    struct Case {
        WORD id;
        int sets;
    } const cases[] = {{IDC_CHECK, 2}, {IDC_THREE, 3}, {IDC_RADIO, 2}, {IDC_FLAT_CHECK, 2}};
    std::vector<HICON> all;
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << "control " << c.id);
        const CProbeButton& b = d.Button(c.id);
        ASSERT_EQ(b.GetImageSetCount(), c.sets);
        for (int i = 0; i < c.sets; ++i) {
            const ButtonImageSet* set = b.GetImageSet(i);
            EXPECT_NE(set->imgActive.hIcon, nullptr);
            EXPECT_EQ(set->imgNormal.hIcon, set->imgActive.hIcon);
            EXPECT_EQ(set->imgNormal.bOwned, 0);
            EXPECT_NE(set->imgPressed.hIcon, nullptr);
            EXPECT_NE(set->imgDisabled.hIcon, nullptr);
            EXPECT_EQ(set->imgActive.bOwned & set->imgPressed.bOwned & set->imgDisabled.bOwned, 1);
        }
        EXPECT_GT(b.GetIconWidth(), 0);
        EXPECT_GT(b.GetIconHeight(), 0);
        const std::vector<HICON> handles = HandlesOf(b);
        all.insert(all.end(), handles.begin(), handles.end());
    }
    // Every slot that is not the shared normal one is an icon of its own.
    std::vector<HICON> owned;
    for (const Case& c : cases)
        for (int i = 0; i < c.sets; ++i) {
            const ButtonImageSet* set = d.Button(c.id).GetImageSet(i);
            owned.insert(owned.end(), {set->imgActive.hIcon, set->imgPressed.hIcon, set->imgDisabled.hIcon});
        }
    std::vector<HICON> sorted = owned;
    std::sort(sorted.begin(), sorted.end());
    EXPECT_EQ(std::unique(sorted.begin(), sorted.end()), sorted.end());

    // The check-box image is an opaque square; the radio image's corners are
    // transparent and show the dialog behind.
    Pump(d.dlg->m_hWnd, 150);
    for (WORD id : {IDC_CHECK, IDC_RADIO}) {
        const CPixelImage image = Capture(d.Item(id));
        const int top = (image.m_nHeight - d.Button(id).GetIconHeight()) / 2;
        const COLORREF corner = image.ColorRefAt(0, top);
        if (id == IDC_CHECK)
            EXPECT_NE(corner, kDialogBackground) << "check box corner";
        else
            EXPECT_EQ(corner, kDialogBackground) << "radio corner " << ColourText(corner);
    }
    // The flat box is drawn differently from the ordinary one.
    const CPixelImage normal = Capture(d.Item(IDC_CHECK));
    const CPixelImage flat = Capture(d.Item(IDC_FLAT_CHECK));
    const int cx = d.Button(IDC_CHECK).GetIconWidth();
    const int top = (normal.m_nHeight - d.Button(IDC_CHECK).GetIconHeight()) / 2;
    int differing = 0;
    for (int y = top; y < top + d.Button(IDC_CHECK).GetIconHeight(); ++y)
        for (int x = 0; x < cx; ++x) differing += normal.ColorRefAt(x, y) != flat.ColorRefAt(x, y);
    EXPECT_GT(differing, 0);

    for (HICON h : all) ASSERT_TRUE(IconAlive(h));
    d.Destroy();
    for (HICON h : all) EXPECT_FALSE(IconAlive(h));
}

TEST(ButtonImageSets, FontsAndBrushesAreReleasedWithTheControls) {
    ImagesDialog d;
    d.Button(IDC_SECOND).MakeOpaque(RGB(10, 200, 10));
    ASSERT_TRUE(d.Open());
    const HFONT hDialogFont = reinterpret_cast<HFONT>(::SendMessageA(d.dlg->m_hWnd, WM_GETFONT, 0, 0));
    const HFONT hButtonFont = d.Button(IDC_PUSH).Font();
    const HBRUSH hOpaqueBrush = d.Button(IDC_SECOND).Brush();
    const HFONT hLabelFont = d.label->GetLabelFont();
    ASSERT_NE(hButtonFont, nullptr);
    ASSERT_NE(hLabelFont, nullptr);
    // Each control has its own copy of the dialog's font.
    EXPECT_NE(hButtonFont, hDialogFont);
    EXPECT_NE(hLabelFont, hDialogFont);
    EXPECT_EQ(::GetObjectType(hButtonFont), static_cast<DWORD>(OBJ_FONT));
    EXPECT_EQ(::GetObjectType(hLabelFont), static_cast<DWORD>(OBJ_FONT));
    EXPECT_EQ(::GetObjectType(hOpaqueBrush), static_cast<DWORD>(OBJ_BRUSH));
    LOGFONTA dialogFont = {}, buttonFont = {};
    ASSERT_TRUE(::GetObjectA(hDialogFont, sizeof(dialogFont), &dialogFont));
    ASSERT_TRUE(::GetObjectA(hButtonFont, sizeof(buttonFont), &buttonFont));
    EXPECT_EQ(buttonFont.lfHeight, dialogFont.lfHeight);
    EXPECT_STREQ(buttonFont.lfFaceName, dialogFont.lfFaceName);

    d.Destroy();
    EXPECT_EQ(::GetObjectType(hButtonFont), 0u);
    EXPECT_EQ(::GetObjectType(hLabelFont), 0u);
    EXPECT_EQ(::GetObjectType(hOpaqueBrush), 0u);
}

// GDI object wrappers and DCs: no handle is left behind or deleted too
// early, selection hands back the previous object, borrowed DCs are never
// deleted or released by the wrapper, window DCs always are. This file
// includes <windowsx.h> before the framework on purpose (its CopyRgn macro).
#include <windows.h>
#include <windowsx.h>

#include <gtest/gtest.h>

#include <functional>
#include <memory>

#include "framework/Framework.h"

namespace {

struct GdiKind {
    const char* name;
    DWORD type;
    std::function<std::unique_ptr<CGdiObject>()> make;  // a wrapper holding a new object
};

template <class T>
std::unique_ptr<CGdiObject> Made(T* p, BOOL created) {
    std::unique_ptr<CGdiObject> owner(p);
    return created ? std::move(owner) : nullptr;
}

const GdiKind* GdiKinds(size_t* pCount) {
    static const GdiKind kinds[] = {
        {"pen", OBJ_PEN,
         [] {
             auto p = new CPen;
             return Made(p, p->CreatePen(PS_SOLID, 2, RGB(1, 2, 3)));
         }},
        {"solid brush", OBJ_BRUSH,
         [] {
             auto p = new CBrush;
             return Made(p, p->CreateSolidBrush(RGB(4, 5, 6)));
         }},
        {"hatch brush", OBJ_BRUSH,
         [] {
             auto p = new CBrush;
             return Made(p, p->CreateHatchBrush(HS_CROSS, RGB(7, 8, 9)));
         }},
        {"font", OBJ_FONT,
         [] {
             auto p = new CFont;
             return Made(p, p->CreateFont(-12, 0, 0, 0, FW_BOLD, 0, 0, 0, ANSI_CHARSET, 0, 0, 0, 0, "Arial"));
         }},
        {"bitmap", OBJ_BITMAP,
         [] {
             auto p = new CBitmap;
             return Made(p, p->CreateBitmap(8, 8, 1, 1, nullptr));
         }},
        {"palette", OBJ_PAL,
         [] {
             struct {
                 WORD version, count;
                 PALETTEENTRY entries[2];
             } pal = {0x300, 2, {{0, 0, 0, 0}, {255, 255, 255, 0}}};
             auto p = new CPalette;
             return Made(p, p->CreatePalette(reinterpret_cast<const LOGPALETTE*>(&pal)));
         }},
        {"region", OBJ_REGION,
         [] {
             auto p = new CRgn;
             return Made(p, p->CreateRectRgn(0, 0, 5, 5));
         }},
    };
    *pCount = sizeof(kinds) / sizeof(kinds[0]);
    return kinds;
}

TEST(GdiWrappers, OwnershipLeavesNoHandleBehind) {
    const long baseline = CGdiObject::GetLiveCount();
    size_t count = 0;
    const GdiKind* kinds = GdiKinds(&count);
    for (size_t i = 0; i < count; ++i) {
        const GdiKind& k = kinds[i];
        SCOPED_TRACE(k.name);

        // Destruction deletes the object.
        std::unique_ptr<CGdiObject> p = k.make();
        ASSERT_NE(p, nullptr);
        HGDIOBJ h = p->m_hObject;
        EXPECT_EQ(GetObjectType(h), k.type);
        EXPECT_EQ(p->GetObjectType(), k.type);
        p.reset();
        EXPECT_EQ(GetObjectType(h), 0u) << "deleted with its wrapper";

        // DeleteObject empties the wrapper; a second call has nothing to do.
        p = k.make();
        h = p->m_hObject;
        EXPECT_TRUE(p->DeleteObject());
        EXPECT_EQ(GetObjectType(h), 0u);
        EXPECT_EQ(p->m_hObject, nullptr);
        EXPECT_FALSE(p->DeleteObject());

        // Detach gives the object away alive.
        p = k.make();
        h = p->Detach();
        p.reset();
        EXPECT_EQ(GetObjectType(h), k.type) << "a detached object outlives the wrapper";
        DeleteObject(h);

        // Attaching a second object deletes the first only; the same handle
        // again, or a null one, deletes nothing.
        std::unique_ptr<CGdiObject> a = k.make();
        std::unique_ptr<CGdiObject> b = k.make();
        HGDIOBJ h1 = a->m_hObject;
        HGDIOBJ h2 = b->Detach();
        EXPECT_TRUE(a->Attach(h2));
        EXPECT_EQ(GetObjectType(h1), 0u) << "the replaced object is deleted";
        EXPECT_EQ(GetObjectType(h2), k.type);
        EXPECT_TRUE(a->Attach(h2));
        EXPECT_EQ(GetObjectType(h2), k.type) << "attaching the held object again keeps it";
        EXPECT_FALSE(a->Attach(nullptr));
        EXPECT_EQ(a->m_hObject, h2);
        a.reset();
        EXPECT_EQ(GetObjectType(h2), 0u);

        // A temporary wrapper never deletes what it wraps.
        p = k.make();
        h = p->m_hObject;
        CGdiObject* pTemp = CGdiObject::FromHandle(h);
        ASSERT_NE(pTemp, nullptr);
        EXPECT_EQ(CGdiObject::FromHandle(h), pTemp) << "one temporary per handle";
        EXPECT_FALSE(pTemp->DeleteObject());
        CGdiObject::DeleteTempMap();
        EXPECT_EQ(GetObjectType(h), k.type);
        p.reset();
        EXPECT_EQ(GetObjectType(h), 0u);
    }
    EXPECT_EQ(CGdiObject::GetLiveCount(), baseline);
}

TEST(GdiWrappers, StockObjectsSurviveTheirWrappers) {
    HGDIOBJ hStock = GetStockObject(WHITE_BRUSH);
    {
        CBrush brush;
        ASSERT_TRUE(brush.CreateStockObject(WHITE_BRUSH));
        EXPECT_EQ(brush.m_hObject, hStock);
    }
    EXPECT_EQ(GetObjectType(hStock), static_cast<DWORD>(OBJ_BRUSH));
    EXPECT_EQ(GetStockObject(WHITE_BRUSH), hStock);
}

// Selects a then b into a memory DC and back; every step returns what was
// selected before it.
template <class T>
void CheckSelectionChain(T& a, T& b, DWORD type, const char* context) {
    SCOPED_TRACE(context);
    CDC dc;
    ASSERT_TRUE(dc.CreateCompatibleDC(nullptr));
    HGDIOBJ hOriginal = GetCurrentObject(dc, type);
    ASSERT_NE(hOriginal, nullptr);

    T* pPrev = dc.SelectObject(&a);
    ASSERT_NE(pPrev, nullptr);
    EXPECT_EQ(pPrev->m_hObject, hOriginal);
    EXPECT_EQ(GetCurrentObject(dc, type), a.m_hObject);

    T* pA = dc.SelectObject(&b);
    ASSERT_NE(pA, nullptr);
    EXPECT_EQ(pA->m_hObject, a.m_hObject);
    EXPECT_EQ(GetCurrentObject(dc, type), b.m_hObject);

    T* pB = dc.SelectObject(pPrev);
    ASSERT_NE(pB, nullptr);
    EXPECT_EQ(pB->m_hObject, b.m_hObject);
    EXPECT_EQ(GetCurrentObject(dc, type), hOriginal) << "the original is back";

    EXPECT_EQ(dc.SelectObject(static_cast<T*>(nullptr)), nullptr);
    EXPECT_EQ(GetCurrentObject(dc, type), hOriginal) << "a null argument selects nothing";
}

TEST(DcSelection, ReturnsThePreviousObjectAndRestoresIt) {
    CPen p1(PS_SOLID, 1, RGB(255, 0, 0)), p2(PS_DASH, 1, RGB(0, 255, 0));
    CheckSelectionChain(p1, p2, OBJ_PEN, "pens");
    CBrush b1(RGB(1, 1, 1)), b2(RGB(2, 2, 2));
    CheckSelectionChain(b1, b2, OBJ_BRUSH, "brushes");
    CFont f1, f2;
    ASSERT_TRUE(f1.CreateFont(-10, 0, 0, 0, FW_NORMAL, 0, 0, 0, ANSI_CHARSET, 0, 0, 0, 0, "Arial"));
    ASSERT_TRUE(f2.CreateFont(-20, 0, 0, 0, FW_BOLD, 1, 0, 0, ANSI_CHARSET, 0, 0, 0, 0, "Arial"));
    CheckSelectionChain(f1, f2, OBJ_FONT, "fonts");
    CBitmap m1, m2;
    ASSERT_TRUE(m1.CreateBitmap(4, 4, 1, 1, nullptr));
    ASSERT_TRUE(m2.CreateBitmap(6, 6, 1, 1, nullptr));
    CheckSelectionChain(m1, m2, OBJ_BITMAP, "bitmaps");
    for (CGdiObject* p : {static_cast<CGdiObject*>(&p1), static_cast<CGdiObject*>(&b2), static_cast<CGdiObject*>(&f1),
                          static_cast<CGdiObject*>(&m2)})
        EXPECT_NE(GetObjectType(p->m_hObject), 0u) << "selection deletes nothing";
}

TEST(DcSelection, DeletingASelectedObjectPutsTheOriginalBackFirst) {
    CDC dc;
    ASSERT_TRUE(dc.CreateCompatibleDC(nullptr));
    HGDIOBJ hOriginalPen = GetCurrentObject(dc, OBJ_PEN);
    HGDIOBJ hOriginalBitmap = GetCurrentObject(dc, OBJ_BITMAP);
    HGDIOBJ hPen = nullptr;
    HGDIOBJ hBitmap = nullptr;
    {
        CPen pen(PS_SOLID, 3, RGB(9, 9, 9));
        CBitmap bitmap;
        ASSERT_TRUE(bitmap.CreateBitmap(16, 16, 1, 1, nullptr));
        hPen = pen.m_hObject;
        hBitmap = bitmap.m_hObject;
        dc.SelectObject(&pen);
        dc.SelectObject(&bitmap);
        EXPECT_EQ(dc.GetTrackedSelectionCount(), 2);
    }
    EXPECT_EQ(GetObjectType(hPen), 0u);
    EXPECT_EQ(GetObjectType(hBitmap), 0u) << "a bitmap selected into a memory DC is freed too";
    EXPECT_EQ(GetCurrentObject(dc, OBJ_PEN), hOriginalPen);
    EXPECT_EQ(GetCurrentObject(dc, OBJ_BITMAP), hOriginalBitmap);
}

TEST(DcOwnership, OwnedDeletedBorrowedLeftAlone) {
    // An owned memory DC goes with its wrapper.
    HDC hOwned = nullptr;
    {
        CDC dc;
        ASSERT_TRUE(dc.CreateCompatibleDC(nullptr));
        hOwned = dc.m_hDC;
        EXPECT_EQ(GetObjectType(hOwned), static_cast<DWORD>(OBJ_MEMDC));
    }
    EXPECT_EQ(GetObjectType(hOwned), 0u);

    CPen pen(PS_SOLID, 1, RGB(3, 3, 3));
    HDC hMem = CreateCompatibleDC(nullptr);
    HGDIOBJ hOriginal = GetCurrentObject(hMem, OBJ_PEN);

    // Attached: selections are restored, the DC itself is not deleted.
    {
        CDC dc;
        ASSERT_TRUE(dc.Attach(hMem));
        dc.SelectObject(&pen);
        EXPECT_FALSE(dc.DeleteDC()) << "a borrowed DC is only let go";
        EXPECT_EQ(dc.m_hDC, nullptr);
    }
    EXPECT_EQ(GetObjectType(hMem), static_cast<DWORD>(OBJ_MEMDC));
    EXPECT_EQ(GetCurrentObject(hMem, OBJ_PEN), hOriginal);
    {
        CDC dc;
        ASSERT_TRUE(dc.Attach(hMem));
        dc.SelectObject(&pen);
        EXPECT_EQ(dc.Detach(), hMem);
        EXPECT_EQ(GetCurrentObject(hMem, OBJ_PEN), hOriginal) << "Detach restores as well";
    }

    // A temporary wrapper only forwards: nothing restored, nothing deleted.
    CDC* pTemp = CDC::FromHandle(hMem);
    ASSERT_NE(pTemp, nullptr);
    EXPECT_EQ(CDC::FromHandle(hMem), pTemp);
    pTemp->SelectObject(&pen);
    EXPECT_EQ(pTemp->GetTrackedSelectionCount(), 0);
    CDC::DeleteTempMap();
    EXPECT_EQ(GetObjectType(hMem), static_cast<DWORD>(OBJ_MEMDC));
    EXPECT_EQ(GetCurrentObject(hMem, OBJ_PEN), pen.m_hObject);
    SelectObject(hMem, hOriginal);
    DeleteDC(hMem);
}

// A visible window to take DCs from.
class DcWindow : public ::testing::Test {
protected:
    void SetUp() override {
        m_hWnd = CreateWindowExA(WS_EX_TOOLWINDOW, "STATIC", "dc", WS_POPUP | WS_VISIBLE, 0, 0, 60, 40, nullptr,
                                 nullptr, GetModuleHandleA(nullptr), nullptr);
        ASSERT_NE(m_hWnd, nullptr);
    }
    void TearDown() override { DestroyWindow(m_hWnd); }
    // TRUE when hdc was still taken out (a second release then succeeds).
    static BOOL StillHeld(HWND hWnd, HDC hdc) { return ReleaseDC(hWnd, hdc); }
    HWND m_hWnd = nullptr;
};

TEST_F(DcWindow, WindowDcsAreReleasedBorrowedOnesAreNot) {
    // Calibrate the probe on the platform: a DC taken out is released once.
    HDC hProbe = GetDC(m_hWnd);
    ASSERT_NE(hProbe, nullptr);
    ASSERT_TRUE(ReleaseDC(m_hWnd, hProbe));
    ASSERT_FALSE(ReleaseDC(m_hWnd, hProbe)) << "a second release of the same DC fails";

    struct Case {
        const char* name;
        bool screen;
        std::function<HDC(HWND)> use;  // takes a DC through a wrapper, returns it
    };
    const Case released[] = {
        {"CClientDC", false,
         [](HWND h) {
             CClientDC dc(h);
             return dc.m_hDC;
         }},
        {"CWindowDC", false,
         [](HWND h) {
             CWindowDC dc(h);
             return dc.m_hDC;
         }},
        {"CClientDC of the screen", true,
         [](HWND) {
             CClientDC dc(static_cast<HWND>(nullptr));
             return dc.m_hDC;
         }},
    };
    for (const Case& c : released) {
        HDC hdc = c.use(m_hWnd);
        ASSERT_NE(hdc, nullptr) << c.name;
        EXPECT_FALSE(StillHeld(c.screen ? nullptr : m_hWnd, hdc)) << c.name << " released its DC";
    }

    // Borrowed through Attach or FromHandle: still held afterwards.
    HDC hdc = GetDC(m_hWnd);
    {
        CDC dc;
        dc.Attach(hdc);
        dc.SetBkColor(RGB(1, 2, 3));
    }
    CDC::FromHandle(hdc)->SetTextColor(RGB(4, 5, 6));
    CDC::DeleteTempMap();
    EXPECT_TRUE(StillHeld(m_hWnd, hdc)) << "the wrappers left the release to its owner";
}

TEST_F(DcWindow, PaintDcValidatesAndEndsThePaint) {
    UpdateWindow(m_hWnd);
    InvalidateRect(m_hWnd, nullptr, FALSE);
    RECT rcUpdate;
    ASSERT_TRUE(GetUpdateRect(m_hWnd, &rcUpdate, FALSE));
    HDC hdc = nullptr;
    CPen pen(PS_SOLID, 1, RGB(200, 0, 0));
    {
        CPaintDC dc(m_hWnd);
        hdc = dc.m_hDC;
        ASSERT_NE(hdc, nullptr);
        dc.SelectObject(&pen);
        EXPECT_EQ(dc.m_ps.hdc, hdc);
    }
    EXPECT_FALSE(GetUpdateRect(m_hWnd, &rcUpdate, FALSE)) << "the paint validated the window";
    EXPECT_FALSE(StillHeld(m_hWnd, hdc)) << "EndPaint gave the DC back";
    EXPECT_NE(GetObjectType(pen.m_hObject), 0u);
}

TEST(GdiWithWindowsx, RegionCopyAndTheMacrosBesideIt) {
    CRgn source, copy;
    ASSERT_TRUE(source.CreateEllipticRgn(0, 0, 30, 20));
    ASSERT_TRUE(copy.CreateRectRgn(0, 0, 1, 1));
    EXPECT_EQ(copy.CopyRgn(&source), COMPLEXREGION);
    EXPECT_TRUE(copy.EqualRgn(&source));
    EXPECT_NE(copy.m_hObject, source.m_hObject);
    CRgn empty;
    EXPECT_EQ(copy.CopyRgn(&empty), ERROR) << "no source region";
    // The rest of <windowsx.h> still works in the same file.
    EXPECT_EQ(GET_X_LPARAM(MAKELPARAM(-5 & 0xFFFF, 7)), -5);
    HBRUSH hBrush = CreateSolidBrush(RGB(1, 1, 1));
    EXPECT_TRUE(DeleteBrush(hBrush));
}

}  // namespace

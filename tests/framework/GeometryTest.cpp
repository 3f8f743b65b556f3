// CRect, CPoint and CSize arithmetic, checked against the USER32 rectangle
// functions over a table of rectangles (overlapping, touching, nested,
// disjoint, empty, inverted).
#include <gtest/gtest.h>

#include "framework/Framework.h"

namespace {

const RECT kRects[] = {
    {0, 0, 10, 10}, {5, 5, 15, 15}, {10, 0, 20, 10}, {2, 2, 4, 4},    {-20, -20, -10, -10},
    {0, 0, 0, 0},   {3, 3, 3, 8},   {8, 8, 2, 2},    {-5, 0, 5, 100}, {0, 9, 10, 10},
};

std::string Describe(const RECT& r) {
    return "(" + std::to_string(r.left) + "," + std::to_string(r.top) + "," + std::to_string(r.right) + "," +
           std::to_string(r.bottom) + ")";
}

TEST(CRectArithmetic, IntersectionAndUnionAsUser32) {
    for (const RECT& a : kRects) {
        for (const RECT& b : kRects) {
            const std::string context = Describe(a) + " with " + Describe(b);
            RECT expected;
            BOOL bExpected = ::IntersectRect(&expected, &a, &b);
            CRect r(99, 99, 99, 99);
            EXPECT_EQ(r.IntersectRect(&a, &b) != FALSE, bExpected != FALSE) << "intersect " << context;
            EXPECT_TRUE(r.EqualRect(&expected))
                << "intersect " << context << ": " << Describe(r) << " vs " << Describe(expected);
            EXPECT_TRUE((CRect(a) & b) == expected) << "operator& " << context;
            CRect acc(a);
            acc &= b;
            EXPECT_TRUE(acc == expected) << "operator&= " << context;

            bExpected = ::UnionRect(&expected, &a, &b);
            EXPECT_EQ(r.UnionRect(&a, &b) != FALSE, bExpected != FALSE) << "union " << context;
            EXPECT_TRUE(r.EqualRect(&expected))
                << "union " << context << ": " << Describe(r) << " vs " << Describe(expected);
            EXPECT_TRUE((CRect(a) | b) == expected) << "operator| " << context;
            EXPECT_EQ(CRect(a) == b, ::EqualRect(&a, &b) != FALSE) << "equality " << context;
        }
    }
}

TEST(CRectArithmetic, PointsEmptinessAndMovesAsUser32) {
    const POINT points[] = {{0, 0}, {9, 9}, {10, 10}, {10, 5}, {5, 10}, {-1, 5}, {3, 3}, {-15, -15}, {4, 99}};
    for (const RECT& a : kRects) {
        const CRect r(a);
        EXPECT_EQ(r.IsRectEmpty() != FALSE, ::IsRectEmpty(&a) != FALSE) << Describe(a);
        EXPECT_EQ(r.Width(), a.right - a.left);
        EXPECT_EQ(r.Height(), a.bottom - a.top);
        for (const POINT& pt : points)
            EXPECT_EQ(r.PtInRect(pt) != FALSE, ::PtInRect(&a, pt) != FALSE)
                << Describe(a) << " point " << pt.x << "," << pt.y;

        const int deltas[][2] = {{3, -2}, {-7, 0}, {0, 5}};
        for (const auto& d : deltas) {
            RECT expected = a;
            ::InflateRect(&expected, d[0], d[1]);
            CRect inflated(a);
            inflated.InflateRect(d[0], d[1]);
            EXPECT_TRUE(inflated == expected) << "inflate " << Describe(a);
            CRect deflated(expected);
            deflated.DeflateRect(d[0], d[1]);
            EXPECT_TRUE(deflated == a) << "deflate undoes inflate " << Describe(a);

            expected = a;
            ::OffsetRect(&expected, d[0], d[1]);
            CRect moved(a);
            moved.OffsetRect(d[0], d[1]);
            EXPECT_TRUE(moved == expected) << "offset " << Describe(a);
            EXPECT_TRUE(CRect(a) + CPoint(d[0], d[1]) == expected) << "operator+ " << Describe(a);
            EXPECT_TRUE(CRect(expected) - CSize(d[0], d[1]) == a) << "operator- " << Describe(a);
        }
    }
}

TEST(CRectArithmetic, ShapesOfTheRectangle) {
    CRect r(30, 40, 10, 20);  // inverted both ways
    EXPECT_TRUE(r.IsRectEmpty());
    r.NormalizeRect();
    EXPECT_TRUE(r == CRect(10, 20, 30, 40));
    EXPECT_EQ(r.CenterPoint(), CPoint(20, 30));
    EXPECT_EQ(r.Size(), CSize(20, 20));
    EXPECT_EQ(r.TopLeft(), CPoint(10, 20));
    EXPECT_EQ(r.BottomRight(), CPoint(30, 40));
    r.MoveToXY(-5, 7);
    EXPECT_TRUE(r == CRect(-5, 7, 15, 27)) << "moved, size kept";
    r.InflateRect(1, 2, 3, 4);
    EXPECT_TRUE(r == CRect(-6, 5, 18, 31));
    r.DeflateRect(CRect(1, 2, 3, 4));
    EXPECT_TRUE(r == CRect(-5, 7, 15, 27));
    EXPECT_TRUE(CRect(CPoint(2, 3), CSize(4, 5)) == CRect(2, 3, 6, 8));
    EXPECT_TRUE(CRect().IsRectNull());
    EXPECT_FALSE(CRect(0, 0, 0, 1).IsRectNull());
    // The distance between two points is a size; a point moved by it arrives.
    CPoint a(3, 9), b(-4, 2);
    CSize d = a - b;
    EXPECT_EQ(d, CSize(7, 7));
    EXPECT_EQ(b + d, a);
    // Packed mouse coordinates are signed.
    EXPECT_EQ(CPoint(static_cast<DWORD>(MAKELONG(0xFFFE, 0x8000))), CPoint(-2, -32768));
}

}  // namespace

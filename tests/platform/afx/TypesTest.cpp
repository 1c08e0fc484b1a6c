#include "afxtypes.h"

#include "DrawingPrinters.h"

#include <gtest/gtest.h>

namespace {

struct RectCase {
    const char* name;
    CRect (*compute)(BOOL& result);  // sets result where the operation answers
    CRect expected;
    BOOL expectedResult;
};

const RectCase kRectCases[] = {
    {"normalize swaps both axes",
     [](BOOL& r) { CRect rc(10, 20, 0, 5); rc.NormalizeRect(); r = TRUE; return rc; },
     CRect(0, 5, 10, 20), TRUE},
    {"normalize keeps an ordered rect",
     [](BOOL& r) { CRect rc(1, 2, 3, 4); rc.NormalizeRect(); r = TRUE; return rc; },
     CRect(1, 2, 3, 4), TRUE},
    {"intersect overlapping",
     [](BOOL& r) { CRect rc; r = rc.IntersectRect(CRect(0, 0, 10, 10), CRect(5, 5, 20, 20)); return rc; },
     CRect(5, 5, 10, 10), TRUE},
    {"intersect with an empty rect is empty and false",
     [](BOOL& r) { CRect rc(1, 1, 2, 2); r = rc.IntersectRect(CRect(0, 0, 10, 10), CRect(5, 5, 5, 9)); return rc; },
     CRect(0, 0, 0, 0), FALSE},
    {"intersect of disjoint rects is empty",
     [](BOOL& r) { CRect rc; r = rc.IntersectRect(CRect(0, 0, 10, 10), CRect(10, 0, 20, 10)); return rc; },
     CRect(0, 0, 0, 0), FALSE},
    {"union ignores an empty rect",
     [](BOOL& r) { CRect rc; r = rc.UnionRect(CRect(0, 0, 10, 10), CRect(50, 50, 50, 60)); return rc; },
     CRect(0, 0, 10, 10), TRUE},
    {"union of two empty rects is empty and false",
     [](BOOL& r) { CRect rc(1, 1, 2, 2); r = rc.UnionRect(CRect(3, 3, 3, 3), CRect(7, 7, 9, 7)); return rc; },
     CRect(0, 0, 0, 0), FALSE},
    {"union spans both",
     [](BOOL& r) { CRect rc; r = rc.UnionRect(CRect(0, 0, 10, 10), CRect(5, -5, 20, 8)); return rc; },
     CRect(0, -5, 20, 10), TRUE},
    {"subtract a whole side",
     [](BOOL& r) { CRect rc; r = rc.SubtractRect(CRect(0, 0, 10, 10), CRect(0, 0, 4, 10)); return rc; },
     CRect(4, 0, 10, 10), TRUE},
    {"subtract a hole leaves the rect",
     [](BOOL& r) { CRect rc; r = rc.SubtractRect(CRect(0, 0, 10, 10), CRect(2, 2, 8, 8)); return rc; },
     CRect(0, 0, 10, 10), TRUE},
    {"subtract everything",
     [](BOOL& r) { CRect rc; r = rc.SubtractRect(CRect(0, 0, 10, 10), CRect(-1, -1, 11, 11)); return rc; },
     CRect(0, 0, 0, 0), FALSE},
    {"inflate by x and y",
     [](BOOL& r) { CRect rc(10, 10, 20, 20); rc.InflateRect(1, 2); r = TRUE; return rc; },
     CRect(9, 8, 21, 22), TRUE},
    {"inflate by a size",
     [](BOOL& r) { CRect rc(10, 10, 20, 20); rc.InflateRect(CSize(1, 2)); r = TRUE; return rc; },
     CRect(9, 8, 21, 22), TRUE},
    {"inflate by a rect moves each side by its own amount",
     [](BOOL& r) { CRect rc(10, 10, 20, 20); CRect by(1, 2, 3, 4); rc.InflateRect(&by); r = TRUE; return rc; },
     CRect(9, 8, 23, 24), TRUE},
    {"inflate by four sides",
     [](BOOL& r) { CRect rc(10, 10, 20, 20); rc.InflateRect(1, 2, 3, 4); r = TRUE; return rc; },
     CRect(9, 8, 23, 24), TRUE},
    {"deflate by x and y",
     [](BOOL& r) { CRect rc(10, 10, 20, 20); rc.DeflateRect(1, 2); r = TRUE; return rc; },
     CRect(11, 12, 19, 18), TRUE},
    {"deflate by a size",
     [](BOOL& r) { CRect rc(10, 10, 20, 20); rc.DeflateRect(CSize(1, 2)); r = TRUE; return rc; },
     CRect(11, 12, 19, 18), TRUE},
    {"deflate by a rect",
     [](BOOL& r) { CRect rc(10, 10, 20, 20); CRect by(1, 2, 3, 4); rc.DeflateRect(&by); r = TRUE; return rc; },
     CRect(11, 12, 17, 16), TRUE},
    {"deflate by four sides",
     [](BOOL& r) { CRect rc(10, 10, 20, 20); rc.DeflateRect(1, 2, 3, 4); r = TRUE; return rc; },
     CRect(11, 12, 17, 16), TRUE},
    {"plus a point offsets",
     [](BOOL& r) { r = TRUE; return CRect(0, 0, 5, 5) + CPoint(2, 3); },
     CRect(2, 3, 7, 8), TRUE},
    {"minus a size offsets back",
     [](BOOL& r) { r = TRUE; return CRect(0, 0, 5, 5) - CSize(2, 3); },
     CRect(-2, -3, 3, 2), TRUE},
    {"plus a rect pointer inflates",
     [](BOOL& r) { CRect by(1, 2, 3, 4); r = TRUE; return CRect(10, 10, 20, 20) + &by; },
     CRect(9, 8, 23, 24), TRUE},
    {"minus a rect pointer deflates",
     [](BOOL& r) { CRect by(1, 2, 3, 4); LPCRECT p = &by; r = TRUE; return CRect(10, 10, 20, 20) - p; },
     CRect(11, 12, 17, 16), TRUE},
    {"and intersects",
     [](BOOL& r) { r = TRUE; return CRect(0, 0, 10, 10) & CRect(5, 5, 20, 20); },
     CRect(5, 5, 10, 10), TRUE},
    {"or unites",
     [](BOOL& r) { r = TRUE; return CRect(0, 0, 10, 10) | CRect(5, 5, 20, 20); },
     CRect(0, 0, 20, 20), TRUE},
    {"compound assignments",
     [](BOOL& r) {
         CRect rc(0, 0, 10, 10);
         rc += CPoint(1, 1);          // (1,1,11,11)
         rc -= CSize(0, 1);           // (1,0,11,10)
         rc &= CRect(5, 0, 20, 20);   // (5,0,11,10)
         rc |= CRect(0, 0, 1, 1);     // (0,0,11,10)
         CRect by(1, 1, 1, 1);
         rc += &by;                   // (-1,-1,12,11)
         r = TRUE;
         return rc;
     },
     CRect(-1, -1, 12, 11), TRUE},
    {"a point plus a rect pointer offsets the rect",
     [](BOOL& r) { CRect rc(1, 1, 2, 2); r = TRUE; return CPoint(10, 20) + &rc; },
     CRect(11, 21, 12, 22), TRUE},
};

class RectTable : public ::testing::TestWithParam<RectCase> {};

TEST_P(RectTable, GivesTheExpectedRect)
{
    const RectCase& c = GetParam();
    BOOL result = -1;
    CRect rect = c.compute(result);
    EXPECT_EQ(rect, c.expected) << c.name;
    EXPECT_EQ(!!result, !!c.expectedResult) << c.name;
}

INSTANTIATE_TEST_SUITE_P(Types, RectTable, ::testing::ValuesIn(kRectCases));

TEST(Types, RectCornersAliasTheRect)
{
    CRect rect(1, 2, 3, 4);
    rect.TopLeft() = CPoint(-1, -2);
    rect.BottomRight().Offset(10, 10);
    EXPECT_EQ(rect, CRect(-1, -2, 13, 14));
    EXPECT_EQ(rect.Size(), CSize(14, 16));
    EXPECT_EQ(rect.CenterPoint(), CPoint(6, 6));

    // The rect converts to a RECT pointer that Win32 writes through.
    ::SetRect(rect, 5, 6, 7, 8);
    EXPECT_EQ(rect.Width(), 2);
    EXPECT_TRUE(rect.PtInRect(CPoint(5, 6)));
    EXPECT_FALSE(rect.PtInRect(CPoint(7, 8)));  // right and bottom are outside
}

TEST(Types, EmptyAndNullRectsDiffer)
{
    CRect flat(5, 5, 5, 10);
    EXPECT_TRUE(flat.IsRectEmpty());
    EXPECT_FALSE(flat.IsRectNull());
    CRect inverted(10, 10, 0, 0);
    EXPECT_TRUE(inverted.IsRectEmpty());
    flat.SetRectEmpty();
    EXPECT_TRUE(flat.IsRectNull());
    EXPECT_TRUE(CRect(1, 2, 3, 4) == CRect(1, 2, 3, 4));
    EXPECT_TRUE(CRect(1, 2, 3, 4) != CRect(1, 2, 3, 5));
}

TEST(Types, PointsUnpackSignedMessageCoordinates)
{
    // Mouse messages pack coordinates left of or above a window as negative words.
    CPoint point((DWORD)MAKELONG(-5, -7));
    EXPECT_EQ(point.x, -5);
    EXPECT_EQ(point.y, -7);
    CSize size((DWORD)MAKELONG(3, -4));
    EXPECT_EQ(size, CSize(3, -4));
}

TEST(Types, PointAndSizeArithmetic)
{
    CPoint a(10, 20), b(3, 4);
    CSize diff = a - b;
    EXPECT_EQ(diff, CSize(7, 16));
    EXPECT_EQ(b + diff, a);
    EXPECT_EQ(a - diff, b);
    EXPECT_EQ(-a, CPoint(-10, -20));
    EXPECT_EQ(diff + CPoint(1, 1), CPoint(8, 17));
    EXPECT_EQ(-diff, CSize(-7, -16));
    a -= b;
    EXPECT_EQ(a, CPoint(7, 16));
    a += CSize(1, 1);
    EXPECT_EQ(a, CPoint(8, 17));
}

}  // namespace

#include "afxwin.h"

#include "DrawingTestRes.h"

#include "DrawingPrinters.h"

#include <gtest/gtest.h>

#include <stdlib.h>
#include <string.h>

#include <thread>

AFX_API void AFXAPI AfxDeleteTempHandleMaps();

namespace {

TEST(Gdi, DestructorDeletesTheHandleAndDetachGivesItUp)
{
    HGDIOBJ owned;
    {
        CPen pen(PS_SOLID, 1, RGB(1, 2, 3));
        owned = pen.m_hObject;
        ASSERT_NE(owned, nullptr);
        EXPECT_EQ(::GetObjectType(owned), (DWORD)OBJ_PEN);
    }
    EXPECT_EQ(::GetObjectType(owned), 0u) << "the pen's handle outlived the pen";

    HGDIOBJ kept;
    {
        CBrush brush(RGB(4, 5, 6));
        kept = brush.Detach();
        EXPECT_EQ(brush.m_hObject, nullptr);
    }
    EXPECT_EQ(::GetObjectType(kept), (DWORD)OBJ_BRUSH) << "a detached handle was deleted";
    ::DeleteObject(kept);
}

TEST(Gdi, FromHandleGivesTheAttachedObjectOrATemporaryOfTheHandlesKind)
{
    HPEN hPen = ::CreatePen(PS_DASH, 1, RGB(9, 9, 9));
    HFONT hFont = (HFONT)::GetStockObject(DEFAULT_GUI_FONT);

    CPen* temporary = CPen::FromHandle(hPen);
    ASSERT_NE(temporary, nullptr);
    EXPECT_EQ(temporary->m_hObject, (HGDIOBJ)hPen);
    EXPECT_EQ(CGdiObject::FromHandle(hPen), temporary) << "one temporary per handle";
    EXPECT_TRUE(temporary->IsKindOf(RUNTIME_CLASS(CPen)));
    EXPECT_TRUE(CGdiObject::FromHandle(hFont)->IsKindOf(RUNTIME_CLASS(CFont)));
    EXPECT_EQ(CGdiObject::FromHandle(NULL), nullptr);

    // Dropping the temporaries leaves the handles alone.
    AfxDeleteTempHandleMaps();
    EXPECT_EQ(::GetObjectType(hPen), (DWORD)OBJ_PEN);
    EXPECT_EQ(::GetObjectType(hFont), (DWORD)OBJ_FONT);

    {
        CPen permanent;
        ASSERT_TRUE(permanent.Attach(hPen));
        EXPECT_EQ(CPen::FromHandle(hPen), &permanent);
        AfxDeleteTempHandleMaps();
        EXPECT_EQ(CPen::FromHandle(hPen), &permanent) << "a permanent object is not a temporary";
        EXPECT_EQ(permanent.Detach(), hPen);
        EXPECT_NE(CPen::FromHandle(hPen), &permanent);
    }
    AfxDeleteTempHandleMaps();
    EXPECT_EQ(::GetObjectType(hPen), (DWORD)OBJ_PEN);
    ::DeleteObject(hPen);
}

TEST(Gdi, HandleMapsBelongToTheirThread)
{
    HBRUSH hBrush = ::CreateSolidBrush(RGB(1, 1, 1));
    CBrush permanent;
    permanent.Attach(hBrush);
    CBrush* seenByOther = &permanent;
    std::thread other([&] {
        seenByOther = CBrush::FromHandle(hBrush);
        // The other thread's temporary is dropped by the other thread's idle time only.
        AfxDeleteTempHandleMaps();
    });
    other.join();
    EXPECT_NE(seenByOther, &permanent);
}

struct PointFontCase {
    int mapMode;
    int pointTenths;
};

TEST(Gdi, CreatePointFontConvertsTenthsOfAPointThroughTheDc)
{
    HDC hScreen = ::GetDC(NULL);
    CDC* screen = CDC::FromHandle(hScreen);
    const int dpi = screen->GetDeviceCaps(LOGPIXELSY);

    const PointFontCase cases[] = {{MM_TEXT, 90}, {MM_TEXT, 120}, {MM_TWIPS, 120}, {MM_LOMETRIC, 100}};
    for (const PointFontCase& c : cases) {
        int oldMode = screen->SetMapMode(c.mapMode);
        CFont font;
        ASSERT_TRUE(font.CreatePointFont(c.pointTenths, "宋体", screen));
        LOGFONT lf;
        ASSERT_EQ(font.GetLogFont(&lf), (int)sizeof(LOGFONT));

        // The height in device pixels, then in the DC's logical units.
        POINT pixels = {0, dpi * c.pointTenths / 720};
        POINT origin = {0, 0};
        ::DPtoLP(hScreen, &pixels, 1);
        ::DPtoLP(hScreen, &origin, 1);
        EXPECT_EQ(lf.lfHeight, -abs(pixels.y - origin.y))
            << "map mode " << c.mapMode << ", " << c.pointTenths << " tenths";
        EXPECT_STREQ(lf.lfFaceName, "宋体");
        screen->SetMapMode(oldMode);
    }

    // Without a DC the screen's resolution counts, and the glyphs come out that tall.
    CFont font;
    ASSERT_TRUE(font.CreatePointFont(120, "宋体"));
    LOGFONT lf;
    font.GetLogFont(&lf);
    EXPECT_EQ(lf.lfHeight, -(dpi * 120 / 720));
    CFont* old = screen->SelectObject(&font);
    TEXTMETRIC tm;
    ASSERT_TRUE(screen->GetTextMetrics(&tm));
    EXPECT_EQ(tm.tmHeight - tm.tmInternalLeading, dpi * 120 / 720);
    screen->SelectObject(old);
    ::ReleaseDC(NULL, hScreen);
}

TEST(Gdi, LoadBitmapFindsTheProgramsBitmap)
{
    CBitmap bitmap;
    ASSERT_TRUE(bitmap.LoadBitmap(IDB_DRAWTEST_COLORS));
    BITMAP bm;
    ASSERT_EQ(bitmap.GetBitmap(&bm), (int)sizeof(BITMAP));
    EXPECT_EQ(bm.bmWidth, 4);
    EXPECT_EQ(bm.bmHeight, 2);

    CDC dc;
    ASSERT_TRUE(dc.CreateCompatibleDC(NULL));
    CBitmap* old = dc.SelectObject(&bitmap);
    ASSERT_NE(old, nullptr);
    EXPECT_EQ(dc.GetPixel(0, 0), RGB(255, 0, 0));
    EXPECT_EQ(dc.GetPixel(1, 0), RGB(0, 255, 0));
    EXPECT_EQ(dc.GetPixel(2, 0), RGB(0, 0, 255));
    EXPECT_EQ(dc.GetPixel(3, 1), RGB(0, 0, 0));
    dc.SelectObject(old);

    CBitmap missing;
    EXPECT_FALSE(missing.LoadBitmap(IDB_DRAWTEST_MISSING));
    EXPECT_EQ(missing.m_hObject, nullptr);
}

TEST(Gdi, BitmapBitsRoundTrip)
{
    CBitmap bitmap;
    const DWORD pixels[4] = {0x00FF0000, 0x0000FF00, 0x000000FF, 0x00123456};
    ASSERT_TRUE(bitmap.CreateBitmap(2, 2, 1, 32, pixels));
    DWORD back[4] = {};
    EXPECT_EQ(bitmap.GetBitmapBits(sizeof(back), back), (DWORD)sizeof(back));
    EXPECT_EQ(memcmp(back, pixels, sizeof(back)), 0);

    const DWORD changed[4] = {1, 2, 3, 4};
    EXPECT_EQ(bitmap.SetBitmapBits(sizeof(changed), changed), (DWORD)sizeof(changed));
    bitmap.GetBitmapBits(sizeof(back), back);
    EXPECT_EQ(memcmp(back, changed, sizeof(back)), 0);
}

TEST(Gdi, RegionsCombineAndAnswerHitTests)
{
    CRgn a, b, both;
    ASSERT_TRUE(a.CreateRectRgn(0, 0, 10, 10));
    ASSERT_TRUE(b.CreateRectRgn(5, 5, 25, 25));
    ASSERT_TRUE(both.CreateRectRgn(0, 0, 0, 0));
    EXPECT_EQ(both.CombineRgn(&a, &b, RGN_OR), COMPLEXREGION);
    CRect box;
    both.GetRgnBox(&box);
    EXPECT_EQ(box, CRect(0, 0, 25, 25));
    EXPECT_TRUE(both.PtInRegion(1, 1));
    EXPECT_TRUE(both.PtInRegion(CPoint(15, 15)));
    EXPECT_FALSE(both.PtInRegion(24, 1));
    EXPECT_FALSE(both.PtInRegion(25, 25));

    CRgn copy;
    copy.CreateRectRgn(0, 0, 0, 0);
    EXPECT_EQ(copy.CopyRgn(&a), SIMPLEREGION);
    EXPECT_TRUE(copy.EqualRgn(&a));
    copy.OffsetRgn(CPoint(100, 0));
    EXPECT_FALSE(copy.PtInRegion(1, 1));
    EXPECT_TRUE(copy.PtInRegion(101, 1));
    copy.SetRectRgn(CRect(1, 2, 3, 4));
    copy.GetRgnBox(&box);
    EXPECT_EQ(box, CRect(1, 2, 3, 4));

    CRgn ellipse;
    ASSERT_TRUE(ellipse.CreateEllipticRgnIndirect(CRect(0, 0, 20, 20)));
    EXPECT_TRUE(ellipse.PtInRegion(10, 10));
    EXPECT_FALSE(ellipse.PtInRegion(1, 1));

    POINT triangle[] = {{0, 0}, {20, 0}, {0, 20}};
    CRgn poly;
    ASSERT_TRUE(poly.CreatePolygonRgn(triangle, 3, ALTERNATE));
    EXPECT_TRUE(poly.PtInRegion(2, 2));
    EXPECT_FALSE(poly.PtInRegion(18, 18));
}

TEST(Gdi, PaletteEntries)
{
    struct {
        LOGPALETTE header;
        PALETTEENTRY more[2];
    } log = {};
    log.header.palVersion = 0x300;
    log.header.palNumEntries = 3;
    log.header.palPalEntry[0] = {255, 0, 0, 0};
    log.more[0] = {0, 255, 0, 0};
    log.more[1] = {0, 0, 255, 0};
    CPalette palette;
    ASSERT_TRUE(palette.CreatePalette(&log.header));
    EXPECT_EQ(palette.GetEntryCount(), 3);
    PALETTEENTRY entries[3] = {};
    EXPECT_EQ(palette.GetPaletteEntries(1, 2, entries), 2u);
    EXPECT_EQ(entries[0].peGreen, 255);
    EXPECT_EQ(entries[1].peBlue, 255);
    PALETTEENTRY white = {255, 255, 255, 0};
    EXPECT_EQ(palette.SetPaletteEntries(0, 1, &white), 1u);
    EXPECT_EQ(palette.GetNearestPaletteIndex(RGB(250, 250, 250)), 0u);
}

}  // namespace

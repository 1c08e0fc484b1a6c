#include "afxwin.h"

#include "DrawingPrinters.h"

#include <gtest/gtest.h>

AFX_API void AFXAPI AfxDeleteTempHandleMaps();

namespace {

const COLORREF kWhite = RGB(255, 255, 255);
const COLORREF kRed = RGB(255, 0, 0);
const COLORREF kGreen = RGB(0, 255, 0);
const COLORREF kBlue = RGB(0, 0, 255);

// A memory DC with a white 32-bit bitmap of its own selected.
class MemoryDc : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(dc.CreateCompatibleDC(NULL));
        ASSERT_TRUE(bitmap.CreateBitmap(kSize, kSize, 1, 32, NULL));
        original = dc.SelectObject(&bitmap);
        ASSERT_NE(original, nullptr);
        dc.FillSolidRect(0, 0, kSize, kSize, kWhite);
    }
    void TearDown() override { dc.SelectObject(original); }

    static const int kSize = 32;
    CDC dc;
    CBitmap bitmap;
    CBitmap* original = nullptr;
};

TEST_F(MemoryDc, SelectObjectReturnsThePreviousObjectAndPutsItBack)
{
    // The DC's own 1x1 bitmap came back as a temporary of the right class.
    EXPECT_TRUE(original->IsKindOf(RUNTIME_CLASS(CBitmap)));
    BITMAP bm;
    original->GetBitmap(&bm);
    EXPECT_EQ(bm.bmWidth, 1);
    EXPECT_EQ(dc.GetCurrentBitmap(), &bitmap);

    CPen pen(PS_SOLID, 1, kGreen);
    CPen* stockPen = dc.SelectObject(&pen);
    EXPECT_EQ(stockPen->m_hObject, ::GetStockObject(BLACK_PEN));
    EXPECT_EQ(dc.GetCurrentPen(), &pen);
    EXPECT_EQ(dc.SelectObject(stockPen), &pen) << "the permanent pen, not a temporary";

    CBrush brush(kBlue);
    CBrush* oldBrush = dc.SelectObject(&brush);
    CGdiObject* stock = dc.SelectStockObject(NULL_BRUSH);
    EXPECT_EQ(stock, &brush);
    EXPECT_EQ(dc.SelectObject(oldBrush)->m_hObject, ::GetStockObject(NULL_BRUSH));

    // A region is copied in: the answer is its kind, not an object.
    CRgn rgn;
    rgn.CreateRectRgn(0, 0, 5, 5);
    EXPECT_EQ(dc.SelectObject(&rgn), SIMPLEREGION);
    CRect clip;
    dc.GetClipBox(&clip);
    EXPECT_EQ(clip, CRect(0, 0, 5, 5));
    dc.SelectClipRgn(NULL);
    dc.GetClipBox(&clip);
    EXPECT_EQ(clip, CRect(0, 0, kSize, kSize));
}

TEST_F(MemoryDc, FillSolidRectKeepsTheBackgroundColour)
{
    dc.SetBkColor(RGB(1, 2, 3));
    dc.FillSolidRect(CRect(2, 2, 6, 6), kRed);
    EXPECT_EQ(dc.GetBkColor(), RGB(1, 2, 3));
    dc.FillSolidRect(10, 10, 3, 3, kBlue);
    EXPECT_EQ(dc.GetBkColor(), RGB(1, 2, 3));

    EXPECT_EQ(dc.GetPixel(2, 2), kRed);
    EXPECT_EQ(dc.GetPixel(5, 5), kRed);
    EXPECT_EQ(dc.GetPixel(6, 6), kWhite);
    EXPECT_EQ(dc.GetPixel(CPoint(12, 12)), kBlue);
    EXPECT_EQ(dc.GetPixel(13, 12), kWhite);
}

TEST_F(MemoryDc, Draw3dRectGivesTheFarCornersToTheBottomRightColour)
{
    dc.Draw3dRect(CRect(2, 2, 12, 12), kRed, kBlue);
    EXPECT_EQ(dc.GetPixel(2, 2), kRed);     // top left
    EXPECT_EQ(dc.GetPixel(10, 2), kRed);    // top edge
    EXPECT_EQ(dc.GetPixel(2, 10), kRed);    // left edge
    EXPECT_EQ(dc.GetPixel(11, 2), kBlue);   // top right belongs to the right edge
    EXPECT_EQ(dc.GetPixel(2, 11), kBlue);   // bottom left belongs to the bottom edge
    EXPECT_EQ(dc.GetPixel(11, 11), kBlue);
    EXPECT_EQ(dc.GetPixel(6, 6), kWhite);   // inside untouched
    EXPECT_EQ(dc.GetPixel(12, 12), kWhite); // outside untouched
}

TEST_F(MemoryDc, LinesShapesAndBlits)
{
    CPen pen(PS_SOLID, 1, kGreen);
    CPen* oldPen = dc.SelectObject(&pen);
    dc.MoveTo(1, 1);
    EXPECT_EQ(dc.MoveTo(CPoint(0, 20)), CPoint(1, 1));
    EXPECT_TRUE(dc.LineTo(10, 20));
    EXPECT_EQ(dc.GetCurrentPosition(), CPoint(10, 20));
    EXPECT_EQ(dc.GetPixel(5, 20), kGreen);
    EXPECT_EQ(dc.GetPixel(10, 20), kWhite);  // a line stops short of its end
    dc.SelectObject(oldPen);

    CBrush brush(kRed);
    dc.FillRect(CRect(20, 0, 24, 4), &brush);
    EXPECT_EQ(dc.GetPixel(23, 3), kRed);

    // Copy that square elsewhere, then invert it.
    EXPECT_TRUE(dc.BitBlt(20, 10, 4, 4, &dc, 20, 0, SRCCOPY));
    EXPECT_EQ(dc.GetPixel(21, 11), kRed);
    dc.InvertRect(CRect(20, 10, 24, 14));
    EXPECT_EQ(dc.GetPixel(21, 11), RGB(0, 255, 255));
    EXPECT_TRUE(dc.PatBlt(0, 0, 2, 2, BLACKNESS));
    EXPECT_EQ(dc.GetPixel(0, 0), RGB(0, 0, 0));
    EXPECT_EQ(dc.SetPixel(30, 30, kBlue), kBlue);
    EXPECT_EQ(dc.GetPixel(30, 30), kBlue);
}

TEST_F(MemoryDc, MappingModeAndOrigins)
{
    EXPECT_EQ(dc.SetMapMode(MM_ANISOTROPIC), MM_TEXT);
    dc.SetWindowExt(100, 100);
    EXPECT_EQ(dc.SetViewportExt(CSize(50, 50)), CSize(1, 1));
    EXPECT_EQ(dc.SetWindowOrg(10, 0), CPoint(0, 0));
    EXPECT_EQ(dc.GetWindowOrg(), CPoint(10, 0));

    CPoint point(50, 50);
    dc.LPtoDP(&point);
    EXPECT_EQ(point, CPoint(20, 25));
    CRect rect(0, 0, 20, 20);
    dc.DPtoLP(&rect);
    EXPECT_EQ(rect, CRect(10, 0, 50, 40));
    // A size scales by the extents and ignores the origins.
    CSize size(20, 10);
    dc.DPtoLP(&size);
    EXPECT_EQ(size, CSize(40, 20));
    dc.LPtoDP(&size);
    EXPECT_EQ(size, CSize(20, 10));

    int saved = dc.SaveDC();
    ASSERT_NE(saved, 0);
    dc.SetMapMode(MM_TEXT);
    dc.SetTextColor(kRed);
    EXPECT_TRUE(dc.RestoreDC(saved));
    EXPECT_EQ(dc.GetMapMode(), MM_ANISOTROPIC);
    EXPECT_NE(dc.GetTextColor(), kRed);
}

TEST_F(MemoryDc, TextExtentAndDrawText)
{
    CFont font;
    ASSERT_TRUE(font.CreatePointFont(90, "宋体"));
    CFont* oldFont = dc.SelectObject(&font);
    const CString text("上传完成");
    CSize extent = dc.GetTextExtent(text);
    EXPECT_GT(extent.cx, 0);
    EXPECT_EQ(extent, dc.GetTextExtent(text, text.GetLength()));
    EXPECT_LT(dc.GetTextExtent(text, 2).cx, extent.cx) << "counts are bytes: two is one character";

    CRect calc(0, 0, 0, 0);
    int height = dc.DrawText(text, &calc, DT_SINGLELINE | DT_CALCRECT);
    EXPECT_EQ(calc.Width(), extent.cx);
    EXPECT_EQ(height, calc.Height());

    dc.SetTextColor(kBlue);
    dc.SetBkMode(TRANSPARENT);
    EXPECT_TRUE(dc.TextOut(0, 0, text));
    bool inked = false;
    for (int x = 0; x < extent.cx && x < kSize && !inked; ++x)
        for (int y = 0; y < extent.cy && y < kSize && !inked; ++y)
            inked = dc.GetPixel(x, y) != kWhite;
    EXPECT_TRUE(inked);
    EXPECT_EQ(dc.SelectObject(oldFont), &font);
}

TEST(Dc, TemporaryDcsDoNotDeleteTheirHandle)
{
    HDC hScreen = ::GetDC(NULL);
    CDC* temporary = CDC::FromHandle(hScreen);
    ASSERT_NE(temporary, nullptr);
    EXPECT_EQ(temporary->GetSafeHdc(), hScreen);
    EXPECT_EQ(temporary->m_hAttribDC, hScreen);
    EXPECT_EQ(CDC::FromHandle(hScreen), temporary);
    AfxDeleteTempHandleMaps();
    EXPECT_NE(::GetDeviceCaps(hScreen, LOGPIXELSY), 0);
    EXPECT_EQ(::ReleaseDC(NULL, hScreen), 1);

    CDC* none = NULL;
    EXPECT_EQ(none->GetSafeHdc(), nullptr);
}

TEST(Dc, DcThatCreatedItsHandleDeletesIt)
{
    HDC hDC;
    {
        CDC dc;
        ASSERT_TRUE(dc.CreateCompatibleDC(NULL));
        hDC = dc.GetSafeHdc();
        EXPECT_EQ(CDC::FromHandle(hDC), &dc);
        EXPECT_EQ(::GetObjectType(hDC), (DWORD)OBJ_MEMDC);
    }
    EXPECT_EQ(::GetObjectType(hDC), 0u);

    CDC dc;
    dc.CreateCompatibleDC(NULL);
    HDC kept = dc.Detach();
    EXPECT_EQ(dc.m_hDC, nullptr);
    EXPECT_EQ(dc.m_hAttribDC, nullptr);
    EXPECT_NE(CDC::FromHandle(kept), &dc);
    EXPECT_FALSE(dc.DeleteDC());
    EXPECT_TRUE(::DeleteDC(kept));
}

// A window that paints through CPaintDC and records what the DC saw.
class PaintedWindow : public CWnd {
public:
    CRect paintRect;
    HDC paintDc = NULL;
    int paints = 0;

protected:
    afx_msg void OnPaint()
    {
        CPaintDC dc(this);
        ++paints;
        paintDc = dc.m_hDC;
        paintRect = dc.m_ps.rcPaint;
        EXPECT_EQ(dc.GetWindow(), this);
        dc.FillSolidRect(&paintRect, kRed);
    }
    DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(PaintedWindow, CWnd)
    ON_WM_PAINT()
END_MESSAGE_MAP()

LPCTSTR PlainWindowClass()
{
    static const char* name = [] {
        WNDCLASS wc = {};
        wc.lpfnWndProc = ::DefWindowProc;
        wc.hInstance = ::GetModuleHandle(NULL);
        wc.hCursor = ::LoadCursor(NULL, IDC_ARROW);
        wc.lpszClassName = "DrawingTestWindow";
        ::RegisterClass(&wc);
        return "DrawingTestWindow";
    }();
    return name;
}

TEST(Dc, WindowDcsPaintAndRelease)
{
    PaintedWindow wnd;
    ASSERT_TRUE(wnd.CreateEx(0, PlainWindowClass(), "画图", WS_POPUP | WS_VISIBLE,
                             CRect(10, 10, 110, 90), NULL, 0));
    ::UpdateWindow(wnd.m_hWnd);
    EXPECT_EQ(wnd.paints, 1);
    EXPECT_EQ(wnd.paintRect, CRect(0, 0, 100, 80));
    {
        CClientDC client(&wnd);
        EXPECT_EQ(client.GetPixel(50, 40), kRed);
        CRect clip;
        client.GetClipBox(&clip);
        EXPECT_EQ(clip, CRect(0, 0, 100, 80));
    }
    {
        CWindowDC window(&wnd);
        EXPECT_NE(window.GetSafeHdc(), nullptr);
        EXPECT_EQ(window.GetWindow(), &wnd);
    }
    // Nothing is left to repaint: EndPaint validated the window.
    EXPECT_FALSE(::GetUpdateRect(wnd.m_hWnd, NULL, FALSE));
    wnd.DestroyWindow();
}

}  // namespace

#include "afxext.h"

#include "DrawingPrinters.h"

#include <gtest/gtest.h>

#include <vector>

namespace {

struct HitCase {
    const char* name;
    CRect rect;
    UINT style;
    CPoint point;
    int expected;
};

// Handles are 6 pixels. With solidLine the handles sit on a rect one pixel
// larger: (99,99)-(201,181) for the rect (100,100)-(200,180).
const UINT kInside = CRectTracker::resizeInside | CRectTracker::solidLine;
const HitCase kHitCases[] = {
    {"far outside", CRect(100, 100, 200, 180), kInside, CPoint(50, 50), CRectTracker::hitNothing},
    {"top left corner", CRect(100, 100, 200, 180), kInside, CPoint(100, 100), CRectTracker::hitTopLeft},
    {"top right corner", CRect(100, 100, 200, 180), kInside, CPoint(200, 100), CRectTracker::hitTopRight},
    {"bottom right corner", CRect(100, 100, 200, 180), kInside, CPoint(200, 180), CRectTracker::hitBottomRight},
    {"bottom left corner", CRect(100, 100, 200, 180), kInside, CPoint(100, 179), CRectTracker::hitBottomLeft},
    {"top middle", CRect(100, 100, 200, 180), kInside, CPoint(150, 101), CRectTracker::hitTop},
    {"right middle", CRect(100, 100, 200, 180), kInside, CPoint(198, 140), CRectTracker::hitRight},
    {"bottom middle", CRect(100, 100, 200, 180), kInside, CPoint(150, 178), CRectTracker::hitBottom},
    {"left middle", CRect(100, 100, 200, 180), kInside, CPoint(101, 140), CRectTracker::hitLeft},
    {"inside between handles", CRect(100, 100, 200, 180), kInside, CPoint(150, 140), CRectTracker::hitMiddle},
    {"on the border line", CRect(100, 100, 200, 180), kInside, CPoint(120, 99), CRectTracker::hitMiddle},
    {"just past the border line", CRect(100, 100, 200, 180), kInside, CPoint(201, 140), CRectTracker::hitNothing},
    // An inverted rect answers the handle of its own corner that lies there.
    {"inverted rect, visual top left", CRect(200, 180, 100, 100), kInside, CPoint(100, 100), CRectTracker::hitBottomRight},
    {"inverted rect, visual top middle", CRect(200, 180, 100, 100), kInside, CPoint(150, 101), CRectTracker::hitBottom},
    // A small rect shows only its corners.
    {"small rect has no side handles", CRect(0, 0, 20, 20), CRectTracker::resizeInside, CPoint(10, 1), CRectTracker::hitMiddle},
    {"small rect corner", CRect(0, 0, 20, 20), CRectTracker::resizeInside, CPoint(19, 19), CRectTracker::hitBottomRight},
    // Outside handles lie around the rect: (95,95)-(205,185).
    {"outside handle", CRect(100, 100, 200, 180), CRectTracker::resizeOutside, CPoint(96, 96), CRectTracker::hitTopLeft},
    {"outside, between handles", CRect(100, 100, 200, 180), CRectTracker::resizeOutside, CPoint(120, 97), CRectTracker::hitNothing},
    {"hatched border between handles", CRect(100, 100, 200, 180),
     CRectTracker::resizeOutside | CRectTracker::hatchedBorder, CPoint(120, 97), CRectTracker::hitMiddle},
    {"without handles anything inside moves", CRect(100, 100, 200, 180), CRectTracker::solidLine,
     CPoint(100, 100), CRectTracker::hitMiddle},
};

class TrackerHitTable : public ::testing::TestWithParam<HitCase> {};

TEST_P(TrackerHitTable, FindsTheHandle)
{
    const HitCase& c = GetParam();
    CRectTracker tracker(&c.rect, c.style);
    tracker.m_nHandleSize = 6;
    EXPECT_EQ(tracker.HitTest(c.point), c.expected) << c.name;
}

INSTANTIATE_TEST_SUITE_P(RectTracker, TrackerHitTable, ::testing::ValuesIn(kHitCases));

TEST(RectTracker, NormalizeHitMapsHandlesOfAnInvertedRect)
{
    CRectTracker tracker(CRect(200, 100, 100, 180), CRectTracker::resizeInside);  // only x inverted
    EXPECT_EQ(tracker.NormalizeHit(CRectTracker::hitTopLeft), (int)CRectTracker::hitTopRight);
    EXPECT_EQ(tracker.NormalizeHit(CRectTracker::hitRight), (int)CRectTracker::hitLeft);
    EXPECT_EQ(tracker.NormalizeHit(CRectTracker::hitTop), (int)CRectTracker::hitTop);
    EXPECT_EQ(tracker.NormalizeHit(CRectTracker::hitMiddle), (int)CRectTracker::hitMiddle);
    EXPECT_EQ(tracker.NormalizeHit(CRectTracker::hitNothing), (int)CRectTracker::hitNothing);
    tracker.m_rect = CRect(200, 180, 100, 100);
    EXPECT_EQ(tracker.NormalizeHit(CRectTracker::hitTopLeft), (int)CRectTracker::hitBottomRight);
    EXPECT_EQ(tracker.NormalizeHit(CRectTracker::hitBottomLeft), (int)CRectTracker::hitTopRight);
}

TEST(RectTracker, TrueRectCoversWhatIsDrawn)
{
    struct {
        UINT style;
        CRect expected;
    } cases[] = {
        {0, CRect(10, 10, 50, 40)},
        {CRectTracker::solidLine, CRect(9, 9, 51, 41)},
        {CRectTracker::resizeInside, CRect(10, 10, 50, 40)},
        {CRectTracker::resizeOutside, CRect(5, 5, 55, 45)},
        {CRectTracker::hatchedBorder | CRectTracker::dottedLine, CRect(4, 4, 56, 46)},
    };
    for (const auto& c : cases) {
        CRectTracker tracker(CRect(50, 40, 10, 10), c.style);  // inverted: the true rect is not
        tracker.m_nHandleSize = 6;
        CRect rect;
        tracker.GetTrueRect(&rect);
        EXPECT_EQ(rect, c.expected) << "style " << c.style;
    }
}

TEST(RectTracker, DrawsBorderAndHandlesAndLeavesTheDcAsItWas)
{
    CDC dc;
    ASSERT_TRUE(dc.CreateCompatibleDC(NULL));
    CBitmap bitmap;
    ASSERT_TRUE(bitmap.CreateBitmap(64, 64, 1, 32, NULL));
    CBitmap* old = dc.SelectObject(&bitmap);
    dc.FillSolidRect(0, 0, 64, 64, RGB(255, 255, 255));
    dc.SetTextColor(RGB(1, 2, 3));
    dc.SetMapMode(MM_ANISOTROPIC);
    dc.SetViewportOrg(7, 7);

    CRectTracker tracker(CRect(10, 10, 50, 40), CRectTracker::solidLine | CRectTracker::resizeInside);
    tracker.m_nHandleSize = 6;
    tracker.Draw(&dc);

    EXPECT_EQ(dc.GetTextColor(), RGB(1, 2, 3));
    EXPECT_EQ(dc.GetMapMode(), MM_ANISOTROPIC);
    EXPECT_EQ(dc.GetViewportOrg(), CPoint(7, 7));
    dc.SetMapMode(MM_TEXT);
    dc.SetViewportOrg(0, 0);

    // Device pixels, whatever the mapping: the line one pixel outside the rect.
    EXPECT_EQ(dc.GetPixel(30, 9), RGB(0, 0, 0));
    EXPECT_EQ(dc.GetPixel(9, 20), RGB(0, 0, 0));
    EXPECT_EQ(dc.GetPixel(12, 12), RGB(0, 0, 0)) << "top left handle";
    EXPECT_EQ(dc.GetPixel(48, 38), RGB(0, 0, 0)) << "bottom right handle";
    EXPECT_EQ(dc.GetPixel(25, 25), RGB(255, 255, 255)) << "the inside stays clear";
    EXPECT_EQ(dc.GetPixel(8, 8), RGB(255, 255, 255));
    dc.SelectObject(old);
}

TEST(RectTracker, HatchingDrawsBlackLinesAndLeavesThePictureBetween)
{
    CDC dc;
    ASSERT_TRUE(dc.CreateCompatibleDC(NULL));
    CBitmap bitmap;
    ASSERT_TRUE(bitmap.CreateBitmap(64, 64, 1, 32, NULL));
    CBitmap* old = dc.SelectObject(&bitmap);
    const COLORREF kPicture = RGB(255, 0, 0);
    dc.FillSolidRect(0, 0, 64, 64, kPicture);

    CRectTracker tracker(CRect(16, 16, 48, 48), CRectTracker::hatchInside | CRectTracker::hatchedBorder);
    tracker.m_nHandleSize = 6;
    tracker.Draw(&dc);

    auto count = [&](const CRect& area, COLORREF colour) {
        int n = 0;
        for (int y = area.top; y < area.bottom; ++y)
            for (int x = area.left; x < area.right; ++x)
                n += dc.GetPixel(x, y) == colour;
        return n;
    };
    CRect inside(17, 17, 48, 48);
    EXPECT_GT(count(inside, RGB(0, 0, 0)), 0);
    EXPECT_GT(count(inside, kPicture), count(inside, RGB(0, 0, 0))) << "the lines are thin";
    EXPECT_EQ(count(inside, RGB(0, 0, 0)) + count(inside, kPicture), inside.Width() * inside.Height());

    // The border band (5 pixels around the rect) is black on white.
    CRect band(11, 11, 53, 16);
    EXPECT_GT(count(band, RGB(0, 0, 0)), 0);
    EXPECT_GT(count(band, RGB(255, 255, 255)), count(band, RGB(0, 0, 0)));
    EXPECT_EQ(count(CRect(0, 0, 64, 11), kPicture), 64 * 11) << "nothing outside the true rect";
    dc.SelectObject(old);
}

// A tracker that records the rects it passed through.
class RecordingTracker : public CRectTracker {
public:
    using CRectTracker::CRectTracker;
    std::vector<CRect> changes;
    void OnChangedRect(const CRect& rectOld) override { changes.push_back(rectOld); }
};

LPCTSTR TrackerWindowClass()
{
    static const char* name = [] {
        WNDCLASS wc = {};
        wc.lpfnWndProc = ::DefWindowProc;
        wc.hInstance = ::GetModuleHandle(NULL);
        wc.hbrBackground = (HBRUSH)::GetStockObject(WHITE_BRUSH);
        wc.lpszClassName = "RectTrackerTestWindow";
        ::RegisterClass(&wc);
        return "RectTrackerTestWindow";
    }();
    return name;
}

// A window to drag in, with the mouse messages of a drag queued up front:
// the drag loop takes posted messages before any real input.
class TrackerWindow : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(wnd.CreateEx(0, TrackerWindowClass(), "拖动", WS_POPUP | WS_VISIBLE,
                                 CRect(0, 0, 200, 150), NULL, 0));
    }
    void TearDown() override { wnd.DestroyWindow(); }

    // The real pointer rests where the drag starts, so that stray moves do nothing.
    void StartAt(CPoint client)
    {
        CPoint screen = client;
        ::ClientToScreen(wnd.m_hWnd, &screen);
        ::SetCursorPos(screen.x, screen.y);
        MSG msg;
        while (::PeekMessage(&msg, NULL, 0, 0, PM_REMOVE))
            ::DispatchMessage(&msg);
    }
    void Post(UINT message, CPoint point, WPARAM wParam = 0)
    {
        ::PostMessage(wnd.m_hWnd, message, wParam, MAKELPARAM(point.x, point.y));
    }

    CWnd wnd;
};

TEST_F(TrackerWindow, MovingTheMiddleOffsetsTheRect)
{
    RecordingTracker tracker(CRect(20, 20, 80, 60), CRectTracker::resizeInside);
    tracker.m_nHandleSize = 6;
    StartAt(CPoint(50, 40));
    Post(WM_MOUSEMOVE, CPoint(60, 45), MK_LBUTTON);
    Post(WM_MOUSEMOVE, CPoint(70, 50), MK_LBUTTON);
    Post(WM_LBUTTONUP, CPoint(70, 50));
    EXPECT_TRUE(tracker.Track(&wnd, CPoint(50, 40)));
    EXPECT_EQ(tracker.m_rect, CRect(40, 30, 100, 70));
    ASSERT_GE(tracker.changes.size(), 2u);
    EXPECT_EQ(tracker.changes[0], CRect(20, 20, 80, 60));
    EXPECT_EQ(tracker.changes[1], CRect(30, 25, 90, 65));
    EXPECT_EQ(::GetCapture(), (HWND)NULL) << "the drag let the mouse go";
}

TEST_F(TrackerWindow, ResizingKeepsTheGrabOffsetAndTheMinimumSize)
{
    struct {
        const char* name;
        CPoint to;
        BOOL allowInvert;
        CRect expected;
    } cases[] = {
        // Grabbed 3 pixels inside the bottom right corner.
        {"grow", CPoint(97, 77), FALSE, CRect(20, 20, 100, 80)},
        {"shrink below the minimum", CPoint(22, 22), FALSE, CRect(20, 20, 32, 32)},
        {"invert when allowed", CPoint(0, 0), TRUE, CRect(20, 20, 3, 3)},
        {"too small even inverted", CPoint(15, 15), TRUE, CRect(20, 20, 8, 8)},
    };
    for (const auto& c : cases) {
        CRectTracker tracker(CRect(20, 20, 80, 60), CRectTracker::resizeInside);
        tracker.m_nHandleSize = 6;
        tracker.m_sizeMin = CSize(12, 12);
        StartAt(CPoint(77, 57));
        Post(WM_MOUSEMOVE, c.to, MK_LBUTTON);
        Post(WM_LBUTTONUP, c.to);
        EXPECT_TRUE(tracker.Track(&wnd, CPoint(77, 57), c.allowInvert)) << c.name;
        EXPECT_EQ(tracker.m_rect, c.expected) << c.name;
    }

    // A side handle moves its side only.
    CRectTracker tracker(CRect(20, 20, 80, 60), CRectTracker::resizeInside);
    tracker.m_nHandleSize = 6;
    StartAt(CPoint(50, 21));
    Post(WM_MOUSEMOVE, CPoint(70, 11), MK_LBUTTON);
    Post(WM_LBUTTONUP, CPoint(70, 11));
    EXPECT_TRUE(tracker.Track(&wnd, CPoint(50, 21)));
    EXPECT_EQ(tracker.m_rect, CRect(20, 10, 80, 60));
}

TEST_F(TrackerWindow, EscapeAndStillClicksLeaveTheRect)
{
    CRectTracker tracker(CRect(20, 20, 80, 60), CRectTracker::resizeInside);
    tracker.m_nHandleSize = 6;
    StartAt(CPoint(50, 40));
    Post(WM_MOUSEMOVE, CPoint(90, 90), MK_LBUTTON);
    Post(WM_KEYDOWN, CPoint(0, 0), VK_ESCAPE);
    EXPECT_FALSE(tracker.Track(&wnd, CPoint(50, 40)));
    EXPECT_EQ(tracker.m_rect, CRect(20, 20, 80, 60));
    EXPECT_EQ(::GetCapture(), (HWND)NULL);

    Post(WM_MOUSEMOVE, CPoint(90, 90), MK_LBUTTON);
    Post(WM_RBUTTONDOWN, CPoint(90, 90), MK_LBUTTON | MK_RBUTTON);
    EXPECT_FALSE(tracker.Track(&wnd, CPoint(50, 40)));
    EXPECT_EQ(tracker.m_rect, CRect(20, 20, 80, 60));

    Post(WM_LBUTTONUP, CPoint(50, 40));
    EXPECT_FALSE(tracker.Track(&wnd, CPoint(50, 40)));
    EXPECT_EQ(tracker.m_rect, CRect(20, 20, 80, 60));

    // Off the tracker nothing is dragged and the mouse is not taken.
    EXPECT_FALSE(tracker.Track(&wnd, CPoint(150, 120)));
    EXPECT_EQ(::GetCapture(), (HWND)NULL);
}

TEST_F(TrackerWindow, RubberBandSpansFromTheClickToTheRelease)
{
    CRectTracker tracker;
    StartAt(CPoint(100, 100));
    Post(WM_MOUSEMOVE, CPoint(120, 110), MK_LBUTTON);
    Post(WM_MOUSEMOVE, CPoint(150, 130), MK_LBUTTON);
    Post(WM_LBUTTONUP, CPoint(150, 130));
    EXPECT_TRUE(tracker.TrackRubberBand(&wnd, CPoint(100, 100)));
    EXPECT_EQ(tracker.m_rect, CRect(100, 100, 150, 130));

    // Dragged up and left the band comes back inverted; callers normalize it.
    Post(WM_MOUSEMOVE, CPoint(40, 30), MK_LBUTTON);
    Post(WM_LBUTTONUP, CPoint(40, 30));
    EXPECT_TRUE(tracker.TrackRubberBand(&wnd, CPoint(100, 100)));
    EXPECT_EQ(tracker.m_rect, CRect(100, 100, 40, 30));
    tracker.m_rect.NormalizeRect();
    EXPECT_EQ(tracker.m_rect, CRect(40, 30, 100, 100));
}

TEST_F(TrackerWindow, SetCursorShowsTheHandleUnderTheMouse)
{
    CRectTracker tracker(CRect(20, 20, 80, 60), CRectTracker::resizeInside);
    tracker.m_nHandleSize = 6;
    StartAt(CPoint(21, 21));
    EXPECT_FALSE(tracker.SetCursor(&wnd, HTCAPTION));
    EXPECT_TRUE(tracker.SetCursor(&wnd, HTCLIENT));
    EXPECT_EQ(::GetCursor(), ::LoadCursor(NULL, IDC_SIZENWSE));
    StartAt(CPoint(50, 40));
    EXPECT_TRUE(tracker.SetCursor(&wnd, HTCLIENT));
    EXPECT_EQ(::GetCursor(), ::LoadCursor(NULL, IDC_SIZEALL));
    StartAt(CPoint(150, 120));
    EXPECT_FALSE(tracker.SetCursor(&wnd, HTCLIENT));
}

}  // namespace

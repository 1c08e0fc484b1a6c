// The picture view: where the picture goes, what it draws, the display
// image it draws from, and the double click into the image editor.
#include "ClientFixture.h"
#include "PictureFiles.h"

#include "General.h"
#include "MainFrame.h"
#include "OmbrelleDoc.h"
#include "OmbrelleView.h"
#include "Rasterdock.h"
#include "ReducedCopy.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <ostream>
#include <string>

namespace doctest {
namespace {

struct FitCase {
    const char* name;
    int viewWidth, viewHeight;
    int width, height;
    RECT expected;
};

void PrintTo(const FitCase& c, std::ostream* os) { *os << c.name; }

const FitCase kFitCases[] = {
    {"WiderIsScaledToTheWidth", 800, 600, 2000, 1000, {0, 100, 800, 500}},
    {"TallerIsScaledToTheHeight", 800, 600, 1000, 2000, {250, 0, 550, 600}},
    {"SmallerIsCentredUnscaled", 800, 600, 300, 200, {250, 200, 550, 400}},
    {"OddMarginsRoundDown", 801, 601, 300, 200, {250, 200, 550, 400}},
    {"AsWideAsTheView", 800, 600, 800, 100, {0, 250, 800, 350}},
    {"AsTallAsTheView", 800, 600, 100, 600, {350, 0, 450, 600}},
    {"ExactlyTheView", 800, 600, 800, 600, {0, 0, 800, 600}},
    {"NoPicture", 800, 600, 0, 0, {0, 0, 0, 0}},
    {"NoPictureWidth", 800, 600, 0, 100, {0, 0, 0, 0}},
    {"NoPictureHeight", 800, 600, 100, 0, {0, 0, 0, 0}},
    {"NoView", 0, 0, 300, 200, {0, 0, 0, 0}},
    {"NoViewHeight", 800, 0, 300, 200, {400, 0, 400, 0}},
};

class FitRectTest : public ::testing::TestWithParam<FitCase> {};

TEST_P(FitRectTest, PictureRectangleInTheView)
{
    const FitCase& c = GetParam();
    CRect rect = COmbrelleView::FitPicture(CSize(c.viewWidth, c.viewHeight), CSize(c.width, c.height));
    EXPECT_EQ(rect, CRect(c.expected)) << rect.left << "," << rect.top << "," << rect.right << "," << rect.bottom;
}

INSTANTIATE_TEST_SUITE_P(Fit, FitRectTest, ::testing::ValuesIn(kFitCases),
                         [](const ::testing::TestParamInfo<FitCase>& info) { return std::string(info.param.name); });

TEST(DisplayBitsTest, RowsArePaddedToFourBytes)
{
    struct {
        int width, height;
        DWORD bytes;
    } const kCases[] = {{1, 1, 4}, {2, 3, 24}, {3, 2, 24}, {4, 1, 12}, {5, 3, 48}, {101, 51, 51 * 304}, {0, 5, 0}, {5, 0, 0}};
    for (const auto& c : kCases)
        EXPECT_EQ(COmbrelleDoc::DisplayBitsSize(c.width, c.height), c.bytes) << c.width << "x" << c.height;
}

// ---------------------------------------------------------------------------
// The display image.

COLORREF Gradient(int x, int y) { return RGB(2 * x, 4 * y, 100); }

class DisplayImageTest : public ClientFixture {};

TEST_F(DisplayImageTest, OddWidthPictureFillsPaddedBottomUpRows)
{
    Start();
    const std::string picture = m_files.File("odd.bmp");
    ASSERT_TRUE(WriteBmp(picture, 101, 51, Gradient));
    ASSERT_TRUE(Doc()->LoadCurrentImage(picture.c_str(), CRect(0, 0, 400, 300)));
    EXPECT_EQ(std::string(Doc()->m_strDisplayedFile), picture);
    ASSERT_NE(Doc()->m_pDisplayImage, nullptr);
    ASSERT_EQ(Doc()->m_pDisplayImage->m_nWidth, 101);
    ASSERT_EQ(Doc()->m_pDisplayImage->m_nHeight, 51);
    const BYTE* bits = Doc()->m_pDisplayBits;
    ASSERT_NE(bits, nullptr);
    const int stride = 304;
    int wrong = 0;
    for (int y = 0; y < 51; ++y) {
        for (int x = 0; x < 101; ++x) {
            const BYTE* p = bits + (50 - y) * stride + 3 * x;
            COLORREF expected = Gradient(x, y);
            if (p[0] != GetBValue(expected) || p[1] != GetGValue(expected) || p[2] != GetRValue(expected))
                ++wrong;
        }
    }
    EXPECT_EQ(wrong, 0);
}

bool Logged(const char* entry) { return std::string(GeneralCallLog()).find(entry) != std::string::npos; }

TEST_F(DisplayImageTest, RepaintWithNothingChangedDecodesNothing)
{
    Start();
    const std::string picture = m_files.File("big.jpg");
    ASSERT_TRUE(WritePicture(picture, 800, 600, RGB(0, 128, 0)));
    const std::string copy(ReducedCopyName(m_temp.Path().c_str(), picture.c_str()));
    ASSERT_TRUE(Doc()->LoadCurrentImage(picture.c_str(), CRect(0, 0, 400, 300)));
    EXPECT_EQ(std::string(Doc()->m_strDisplayedFile), copy);
    EXPECT_EQ(Doc()->m_pDisplayImage->m_nWidth, 400);

    // The file type is asked for each picture the document opens.
    GeneralClearCallLog();
    ASSERT_TRUE(Doc()->LoadCurrentImage(picture.c_str(), CRect(0, 0, 400, 300)));
    EXPECT_FALSE(Logged("100 ")) << GeneralCallLog();

    // A new window size makes a new copy.
    ASSERT_TRUE(Doc()->LoadCurrentImage(picture.c_str(), CRect(0, 0, 200, 150)));
    EXPECT_TRUE(Logged("100 ")) << GeneralCallLog();
    EXPECT_EQ(Doc()->m_pDisplayImage->m_nWidth, 200);
    EXPECT_EQ(Identify(copy), "JPEG 200x150");

    // So does a picture rewritten under the same name.
    ASSERT_TRUE(WritePicture(picture, 400, 800, RGB(0, 128, 0)));
    GeneralClearCallLog();
    ASSERT_TRUE(Doc()->LoadCurrentImage(picture.c_str(), CRect(0, 0, 200, 150)));
    EXPECT_TRUE(Logged("100 ")) << GeneralCallLog();
    EXPECT_EQ(Doc()->m_pDisplayImage->m_nWidth, 75);
    EXPECT_EQ(Doc()->m_pDisplayImage->m_nHeight, 150);

    // And a display image that was freed meanwhile.
    Doc()->FreeDisplayImage();
    EXPECT_EQ(Doc()->m_pDisplayImage, nullptr);
    EXPECT_EQ(Doc()->m_pDisplayBits, nullptr);
    GeneralClearCallLog();
    ASSERT_TRUE(Doc()->LoadCurrentImage(picture.c_str(), CRect(0, 0, 200, 150)));
    EXPECT_TRUE(Logged("100 ")) << GeneralCallLog();
}

TEST_F(DisplayImageTest, PictureThatCannotBeReadGivesNoDisplayImage)
{
    Start();
    const std::string picture = m_files.File("broken.jpg");
    ASSERT_TRUE(testsupport::WriteFileBytes(picture, "not a picture"));
    EXPECT_FALSE(Doc()->LoadCurrentImage(picture.c_str(), CRect(0, 0, 400, 300)));
    EXPECT_FALSE(Doc()->LoadCurrentImage(m_files.File("missing.bmp").c_str(), CRect(0, 0, 400, 300)));
    EXPECT_EQ(Doc()->m_pDisplayImage, nullptr);
}

// ---------------------------------------------------------------------------
// What the view draws.

bool Near(COLORREF a, COLORREF b, int tolerance)
{
    return std::abs(GetRValue(a) - GetRValue(b)) <= tolerance && std::abs(GetGValue(a) - GetGValue(b)) <= tolerance &&
           std::abs(GetBValue(a) - GetBValue(b)) <= tolerance;
}

std::string Hex(COLORREF c)
{
    char text[16];
    std::snprintf(text, sizeof text, "%06lx", static_cast<unsigned long>(c));
    return text;
}

const COLORREF kTop = RGB(220, 30, 30);
const COLORREF kBottom = RGB(30, 30, 220);

struct DrawCase {
    const char* name;
    const char* file;
    int width, height;
    bool throughCopy;
};

void PrintTo(const DrawCase& c, std::ostream* os) { *os << c.name; }

const DrawCase kDrawCases[] = {
    {"SmallBmpItself", "small.bmp", 120, 80, false},
    {"OddWidthBmpItself", "odd.bmp", 101, 51, false},
    {"LargeBmpThroughItsCopy", "large.bmp", 2400, 1600, true},
    {"LargeTiffThroughItsCopy", "large.tif", 2400, 1500, true},
    {"PortraitThroughItsCopy", "portrait.jpg", 600, 2000, true},
};

class DrawTest : public ClientFixture, public ::testing::WithParamInterface<DrawCase> {
protected:
    void Paint()
    {
        ::RedrawWindow(View()->GetSafeHwnd(), NULL, NULL, RDW_INVALIDATE | RDW_ERASE | RDW_UPDATENOW);
        Pump();
    }
    COLORREF PixelAt(int x, int y)
    {
        HDC dc = ::GetDC(View()->GetSafeHwnd());
        COLORREF c = ::GetPixel(dc, x, y);
        ::ReleaseDC(View()->GetSafeHwnd(), dc);
        return c;
    }
};

TEST_P(DrawTest, PictureIsDrawnFittedIntoTheView)
{
    const DrawCase& c = GetParam();
    Start();
    const std::string picture = m_files.File(c.file);
    ASSERT_TRUE(WritePicture(picture, c.width, c.height,
                             [&](int, int y) { return y < c.height / 2 ? kTop : kBottom; }));
    SelectPicture(m_files.Path(), c.file);
    Paint();

    CRect client;
    View()->GetClientRect(&client);
    ASSERT_GT(client.Width(), 200);
    ASSERT_GT(client.Height(), 200);
    ASSERT_NE(Doc()->m_pDisplayImage, nullptr);
    EXPECT_EQ(IsFileInFolder(Doc()->m_strDisplayedFile, m_temp.Path().c_str()) != FALSE, c.throughCopy)
        << Doc()->m_strDisplayedFile;

    CRect fit;
    EXPECT_EQ(View()->FitRect(fit), 1);
    EXPECT_EQ(fit, COmbrelleView::FitPicture(client.Size(), CSize(Doc()->m_pDisplayImage->m_nWidth,
                                                                   Doc()->m_pDisplayImage->m_nHeight)));
    // Fitted into the view: its long side fills it, or it is whole and centred.
    if (c.throughCopy)
        EXPECT_TRUE(fit.Width() >= client.Width() - 1 || fit.Height() >= client.Height() - 1);
    else
        EXPECT_EQ(fit.Size(), CSize(c.width, c.height));
    const int x = fit.CenterPoint().x;
    EXPECT_TRUE(Near(PixelAt(x, fit.top + fit.Height() / 4), kTop, 40)) << Hex(PixelAt(x, fit.top + fit.Height() / 4));
    EXPECT_TRUE(Near(PixelAt(x, fit.bottom - fit.Height() / 4), kBottom, 40))
        << Hex(PixelAt(x, fit.bottom - fit.Height() / 4));

    // Cleared, the view draws no picture any more.
    View()->ClearCurrentPicture();
    EXPECT_TRUE(Doc()->m_strOriginalName.IsEmpty());
    EXPECT_EQ(Doc()->m_pDisplayImage, nullptr);
    Paint();
    EXPECT_FALSE(Near(PixelAt(x, fit.top + fit.Height() / 4), kTop, 40));
    EXPECT_EQ(Doc()->m_pDisplayImage, nullptr);
}

INSTANTIATE_TEST_SUITE_P(Draw, DrawTest, ::testing::ValuesIn(kDrawCases),
                         [](const ::testing::TestParamInfo<DrawCase>& info) { return std::string(info.param.name); });

// ---------------------------------------------------------------------------
// The double click.

struct ClickCase {
    const char* name;
    int pictureRight;
    bool picture;  // a current picture is set
    bool opens;
};

void PrintTo(const ClickCase& c, std::ostream* os) { *os << c.name; }

const ClickCase kClickCases[] = {
    {"OpensThePictureInTheEditor", 1, true, true},
    {"WithoutThePictureRightNothingHappens", 0, true, false},
    {"WithoutAPictureNothingOpens", 1, false, false},
};

class DoubleClickTest : public ClientFixture, public ::testing::WithParamInterface<ClickCase> {};

TEST_P(DoubleClickTest, ImageEditorOpensThePicture)
{
    const ClickCase& c = GetParam();
    Start();
    m_app.m_nPictureRight = c.pictureRight;
    const std::string picture = m_files.File("edit me.bmp");
    ASSERT_TRUE(WriteBmp(picture, 64, 48, [](int, int) { return RGB(1, 2, 3); }));
    if (c.picture)
        SelectPicture(m_files.Path(), "edit me.bmp");
    ASSERT_TRUE(Frame()->m_wndToolBar.IsWindowVisible());

    View()->SendMessage(WM_LBUTTONDBLCLK, MK_LBUTTON, MAKELPARAM(10, 10));
    Pump();

    POSITION pos = m_app.GetFirstDocTemplatePosition();
    CDocTemplate* pEditor = m_app.GetNextDocTemplate(pos);
    ASSERT_NE(pEditor, m_app.m_pDocTemplate);
    POSITION docPos = pEditor->GetFirstDocPosition();
    if (c.opens) {
        ASSERT_NE(docPos, nullptr);
        CDocument* pOpened = pEditor->GetNextDoc(docPos);
        EXPECT_EQ(pOpened->GetPathName().CompareNoCase(picture.c_str()), 0) << pOpened->GetPathName();
        EXPECT_FALSE(Frame()->m_wndToolBar.IsWindowVisible());
    } else {
        EXPECT_EQ(docPos, nullptr);
        EXPECT_TRUE(Frame()->m_wndToolBar.IsWindowVisible());
    }
}

INSTANTIATE_TEST_SUITE_P(Click, DoubleClickTest, ::testing::ValuesIn(kClickCases),
                         [](const ::testing::TestParamInfo<ClickCase>& info) { return std::string(info.param.name); });

}  // namespace
}  // namespace doctest

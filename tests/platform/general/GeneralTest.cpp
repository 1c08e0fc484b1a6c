#include "General.h"

#include "GuiDriver.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstdio>
#include <functional>
#include <cstring>
#include <string>
#include <vector>

using testsupport::Gui;

namespace {

// Units per inch by unit code; 0 is pixels.
const double kPerInch[] = {0, 1, 25.4, 2.54, 0.0254, 72, 6, 1440};

HINSTANCE GeneralModule() { return ::GetModuleHandleA("general.dll"); }

}  // namespace

TEST(GeneralLibrary, FileTypeCodes)
{
    struct {
        const char* path;
        int code;
    } cases[] = {
        {"C:\\a.bmp", 1}, {"C:\\a.GIF", 3}, {"C:\\a.jpg", 4}, {"C:\\a.jpeg", 4}, {"C:\\a.pcx", 5},
        {"C:\\a.raw", 8}, {"C:\\a.tif", 12}, {"C:\\a.TIFF", 12}, {"C:\\a.ovk", 13}, {"C:\\a.psd", 18},
        {"C:\\a.eps", 50}, {"C:\\a.txt", 0}, {"C:\\a", 0}, {"C:\\x.tif\\a", 0}, {"C:\\a.bmp.jpg", 4},
    };
    for (const auto& c : cases)
        EXPECT_EQ(c.code, GenGetFileType(c.path)) << c.path;
}

TEST(GeneralLibrary, FoldersAndTheCallRecord)
{
    GeneralClearCallLog();
    GenSetProgramFolder("D:\\App");
    GenSetTempFolder("D:\\App\\temp");
    EXPECT_STREQ("D:\\App", GenGetProgramFolder());
    EXPECT_STREQ("D:\\App\\temp", GenGetTempFolder());
    GenSetJobOpen(1);
    GenBeginThumbnails();
    GenEndThumbnails();
    EXPECT_STREQ("247 D:\\App\n251 D:\\App\\temp\n246\n248\n250 1\n261\n262\n", GeneralCallLog());
}

TEST(GeneralLibrary, BuffersAndRows)
{
    EXPECT_EQ(4, GenGetRowBytes(NULL, 8));
    EXPECT_EQ(8, GenGetRowBytes(NULL, 33));
    EXPECT_EQ(300, GenGetRowBytes(NULL, 100 * 24));
    void* pBuffer = GenAllocBuffer(64, 0, 1);
    ASSERT_NE(nullptr, pBuffer);
    EXPECT_EQ(0, static_cast<unsigned char*>(pBuffer)[63]);
    GenFreeBuffer(&pBuffer);
    EXPECT_EQ(nullptr, pBuffer);
}

TEST(GeneralLibrary, ProgressDialogReportsCancel)
{
    CProgressDlg progress(0);
    auto& window = Gui().Expect("正在处理").Press(IDCANCEL).OpenFor(60000);
    ASSERT_TRUE(progress.Create(NULL));
    progress.StepIt();
    ASSERT_TRUE(Gui().WaitFor([&] { return progress.CheckCancelButton() != FALSE; }));
    EXPECT_TRUE(window.Seen());
}

TEST(GeneralLibrary, LengthsBetweenEveryPairOfUnits)
{
    for (int from = 1; from <= 7; from++) {
        for (int to = 1; to <= 7; to++) {
            float there = GenConvertLength(3.0f, from, to, 0);
            EXPECT_NEAR(there, 3.0 * kPerInch[to] / kPerInch[from], 3e-5 * kPerInch[to] / kPerInch[from] + 1e-6)
                << from << " to " << to;
            EXPECT_NEAR(GenConvertLength(there, to, from, 0), 3.0f, 1e-4) << from << " and back from " << to;
        }
        // One inch of each unit at 300 pixels per inch, and back.
        EXPECT_EQ(GenLengthToPixels(static_cast<float>(kPerInch[from]), from, 300.0f, 0), 300) << from;
        EXPECT_NEAR(GenPixelsToLength(300, from, 300.0f, 0), kPerInch[from], 1e-4 * kPerInch[from]) << from;
    }
    EXPECT_EQ(GenConvertLength(12.5f, 0, 2, 0), 12.5f);
}

TEST(GeneralLibrary, WholePixelsAreRoundedByAddingAHalf)
{
    struct {
        float length;
        int unit;
        float resolution;
        int pixels;
    } cases[] = {
        {0.5f, 1, 3.0f, 2},   {0.49f, 1, 3.0f, 1}, {2.5f, 0, 0.0f, 3},  {2.4f, 0, 72.0f, 2},
        {1.0f, 5, 36.0f, 1},  {1.0f, 5, 35.0f, 0}, {1.0f, 1, 0.0f, 0},  {1.0f, 1, -72.0f, 0},
        {1.0f, 8, 72.0f, 0},  {1e30f, 1, 1e10f, 0},
    };
    for (const auto& c : cases)
        EXPECT_EQ(GenLengthToPixels(c.length, c.unit, c.resolution, 0), c.pixels)
            << c.length << " in unit " << c.unit << " at " << c.resolution;
    // No resolution, no length.
    EXPECT_EQ(GenPixelsToLength(10, 1, 0.0f, 0), 0.0f);
    EXPECT_EQ(GenPixelsToLength(10, 2, -1.0f, 0), 0.0f);
    EXPECT_EQ(GenPixelsToLength(10, 0, 0.0f, 0), 10.0f);
}

TEST(GeneralLibrary, ColourRecordsGiveRgbCmykAndGrey)
{
    struct {
        int r, g, b;
        BYTE cmyk[4];
        BYTE grey;
    } cases[] = {
        {255, 0, 0, {0, 255, 255, 0}, 76},     {0, 255, 0, {255, 0, 255, 0}, 150},
        {0, 0, 255, {255, 255, 0, 0}, 29},     {255, 255, 255, {0, 0, 0, 0}, 255},
        {0, 0, 0, {0, 0, 0, 255}, 0},          {128, 128, 128, {0, 0, 0, 127}, 128},
    };
    for (const auto& c : cases) {
        tagCOLORSTRUCT color;
        std::memset(&color, 0x5A, sizeof color);
        GenSetRgbColor(&color, "颜色", c.r, c.g, c.b);
        EXPECT_STREQ(color.szName, "颜色");
        EXPECT_EQ(color.wModel, COLOR_MODEL_RGB);
        tagCOLORSTRUCT copy;
        GenCopyColor(&copy, &color);
        EXPECT_EQ(0, std::memcmp(&copy, &color, sizeof color));

        EXPECT_EQ(GenColorToColorRef(&copy), RGB(c.r, c.g, c.b));
        BYTE rgb[3], r, g, b;
        GenColorToRgb(&copy, rgb);
        GenColorToRgbBytes(&copy, &r, &g, &b);
        EXPECT_EQ(std::vector<int>({rgb[0], rgb[1], rgb[2], r, g, b}), std::vector<int>({c.r, c.g, c.b, c.r, c.g, c.b}));
        BYTE cmyk[4], k[4];
        GenColorToCmyk(&copy, cmyk);
        GenColorToCmykBytes(&copy, &k[0], &k[1], &k[2], &k[3]);
        EXPECT_EQ(0, std::memcmp(cmyk, c.cmyk, 4)) << c.r << " " << c.g << " " << c.b;
        EXPECT_EQ(0, std::memcmp(k, c.cmyk, 4)) << c.r << " " << c.g << " " << c.b;
        BYTE grey = 1;
        GenColorToGray(&copy, &grey);
        EXPECT_EQ(grey, c.grey) << c.r << " " << c.g << " " << c.b;

        // The same colour held as CMYK comes back as the RGB bytes.
        tagCOLORSTRUCT asCmyk = {};
        asCmyk.wModel = COLOR_MODEL_CMYK;
        for (int i = 0; i < 4; i++)
            asCmyk.wComponent[i] = c.cmyk[i];
        EXPECT_EQ(GenColorToColorRef(&asCmyk), RGB(c.r, c.g, c.b)) << c.r << " " << c.g << " " << c.b;
    }
    tagCOLORSTRUCT grey = {};
    grey.wModel = COLOR_MODEL_GRAY;
    grey.wComponent[0] = 90;
    EXPECT_EQ(GenColorToColorRef(&grey), RGB(90, 90, 90));
    // Out-of-range components are clamped, a long name is cut whole.
    tagCOLORSTRUCT color;
    GenSetRgbColor(&color, "一二三四五六七八九十一二三四五六七", 300, -4, 20);
    EXPECT_EQ(std::string(color.szName), "一二三四五六七八九十一二三四五");
    EXPECT_EQ(GenColorToColorRef(&color), RGB(255, 0, 20));
    EXPECT_EQ(GenColorToColorRef(NULL), RGB(0, 0, 0));
}

TEST(GeneralLibrary, ItsOwnResourcesAndTheHandleGivenBack)
{
    HINSTANCE before = AfxGetResourceHandle();
    ASSERT_NE(GeneralModule(), nullptr);
    GeneralClearCallLog();
    HINSTANCE previous = GenSetResourceHandle();
    EXPECT_EQ(previous, before);
    EXPECT_EQ(AfxGetResourceHandle(), GeneralModule());
    char expected[64];
    std::snprintf(expected, sizeof expected, "172 %p\n", static_cast<void*>(before));
    EXPECT_EQ(std::string(GeneralCallLog()), expected);
    // Its texts are there for the caller's message boxes.
    CString text;
    EXPECT_TRUE(text.LoadString(8168));
    EXPECT_TRUE(text.LoadString(8173));
    AfxSetResourceHandle(previous);
}

TEST(GeneralLibrary, ColourDialogOkAndCancel)
{
    tagCOLORSTRUCT list[2];
    GenSetRgbColor(&list[0], "红", 255, 0, 0);
    GenSetRgbColor(&list[1], "灰", 128, 128, 128);
    int count = 2;
    tagCOLORSTRUCT initial;
    GenSetRgbColor(&initial, "起初", 1, 2, 3);
    const HINSTANCE before = AfxGetResourceHandle();
    const int kList = 30111, kRed = 30112, kGreen = 30113, kBlue = 30114;

    struct Case {
        const char* what;
        std::function<void(testsupport::WindowExpectation&)> actions;
        INT_PTR result;
        const char* name;
        COLORREF color;
    } cases[] = {
        {"untouched", [](testsupport::WindowExpectation& w) { w.Press(IDOK); }, IDOK, "起初", RGB(1, 2, 3)},
        {"from the list", [&](testsupport::WindowExpectation& w) { w.SelectItem(kList, 1).Press(IDOK); }, IDOK, "灰",
         RGB(128, 128, 128)},
        {"typed", [&](testsupport::WindowExpectation& w) { w.SelectItem(kList, 0).SetText(kGreen, "300").Press(IDOK); },
         IDOK, "", RGB(255, 255, 0)},
        {"cancelled", [&](testsupport::WindowExpectation& w) { w.SetText(kRed, "9").Press(IDCANCEL); }, IDCANCEL,
         "起初", RGB(1, 2, 3)},
    };
    for (const Case& c : cases) {
        auto& window = Gui().Expect("选择颜色");
        c.actions(window);
        CArtColorDlg dialog(list, &count, &initial, NULL);
        EXPECT_EQ(dialog.DoModal(), c.result) << c.what;
        EXPECT_TRUE(window.Seen()) << c.what;
        EXPECT_EQ(AfxGetResourceHandle(), before) << c.what;
        tagCOLORSTRUCT chosen;
        dialog.GetColor(&chosen);
        EXPECT_STREQ(chosen.szName, c.name) << c.what;
        EXPECT_EQ(GenColorToColorRef(&chosen), c.color) << c.what;
    }
    (void)kBlue;
    // Nothing given: black, and an empty list.
    Gui().Expect("选择颜色").Press(IDOK);
    CArtColorDlg bare(NULL, NULL, NULL, NULL);
    EXPECT_EQ(bare.DoModal(), IDOK);
    tagCOLORSTRUCT chosen;
    bare.GetColor(&chosen);
    EXPECT_EQ(GenColorToColorRef(&chosen), RGB(0, 0, 0));
}

namespace {

// A window of the test with a digital edit in it.
class DigitalEditHost {
public:
    DigitalEditHost()
    {
        m_host.CreateEx(0, AfxRegisterWndClass(0), "数字编辑", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 0, 0, 300, 100, NULL, NULL);
        m_edit.Create(WS_CHILD | WS_VISIBLE | WS_BORDER | ES_AUTOHSCROLL, CRect(10, 10, 200, 34), &m_host, 100);
    }
    ~DigitalEditHost() { m_host.DestroyWindow(); }
    CWnd m_host;
    CDigitalEdit m_edit;
};

}  // namespace

TEST(GeneralLibrary, DigitalEditTakesCompleteNumbersOfItsTypeWithinItsBounds)
{
    DigitalEditHost host;
    struct {
        int type;
        const char* text;
        bool valid;
        float value;
    } cases[] = {
        {2, "-", false, 0},     {2, ".", false, 0},   {2, "1.5", true, 1.5f}, {2, "127.5", true, 127.5f},
        {2, "12a", false, 0},   {2, "中", false, 0},  {2, "-3", false, 0},    {2, "255", true, 255},
        {2, "256", false, 0},   {2, "", false, 0},    {4, "-", false, 0},     {4, "-12", true, -12},
        {4, "1.5", false, 0},   {4, ".", false, 0},   {4, "12a", false, 0},   {4, "-256", false, 0},
        {5, "-1.5", true, -1.5f}, {5, "-", false, 0}, {5, ".", false, 0},     {5, "1.2.3", false, 0},
        {5, "中", false, 0},    {6, "1.5", true, 1.5f}, {6, "-1.5", false, 0}, {6, ".5", true, 0.5f},
        {6, "12a", false, 0},   {6, "255.5", false, 0},
    };
    for (const auto& c : cases) {
        host.m_edit.SetAttribute(c.type, c.type == 4 || c.type == 5 ? -255.0f : 0.0f, 255.0f);
        host.m_edit.SetWindowText(c.text);
        float value = -99.0f;
        EXPECT_EQ(host.m_edit.GetValue(value) != FALSE, c.valid) << c.type << " \"" << c.text << "\"";
        if (c.valid)
            EXPECT_EQ(value, c.value) << c.type << " \"" << c.text << "\"";
        else
            EXPECT_EQ(value, -99.0f) << c.type << " \"" << c.text << "\"";
    }
    // Whole values are rounded half up.
    host.m_edit.SetAttribute(2, 0, 255);
    host.m_edit.SetWindowText("127.5");
    int whole = 0;
    ASSERT_TRUE(host.m_edit.GetValue(whole));
    EXPECT_EQ(whole, 128);
}

TEST(GeneralLibrary, DigitalEditShowsAndRefusesWhatItsTypeCannotHold)
{
    DigitalEditHost host;
    struct {
        int type;
        float value;
        const char* shown;
    } shown[] = {{2, 127.5f, "128"}, {4, -3.0f, "-3"}, {5, -1.25f, "-1.25"}, {6, 2.0f, "2"}};
    for (const auto& c : shown) {
        host.m_edit.SetAttribute(c.type, -1000.0f, 1000.0f);
        host.m_edit.SetNumber(c.value);
        CString text;
        host.m_edit.GetWindowText(text);
        EXPECT_STREQ(text, c.shown) << c.type;
    }
    // Typed one character after another: what cannot stand is dropped.
    struct {
        int type;
        const char* typed;
        const char* kept;
    } typed[] = {
        {2, "-1.5x", "1.5"}, {4, "-1.5", "-15"}, {5, "1-2..5", "12.5"}, {6, "\xD6\xD0" "7", "7"}, {4, "12-", "12"},
    };
    for (const auto& c : typed) {
        host.m_edit.SetAttribute(c.type, -1000.0f, 1000.0f);
        host.m_edit.SetWindowText("");
        for (const char* p = c.typed; *p != '\0'; p++)
            host.m_edit.SendMessage(WM_CHAR, static_cast<BYTE>(*p), 1);
        CString text;
        host.m_edit.GetWindowText(text);
        EXPECT_STREQ(text, c.kept) << c.type << " " << c.typed;
    }
}

TEST(GeneralLibrary, DigitalEditLeftWithBadTextSaysSoAndKeepsTheFocus)
{
    DigitalEditHost host;
    host.m_edit.SetAttribute(2, 0, 255);
    host.m_edit.SetWindowText("300");
    auto& message = Gui().Expect("").Press(IDOK);
    EXPECT_FALSE(host.m_edit.CheckKillfocus());
    EXPECT_TRUE(message.Seen());
    EXPECT_TRUE(message.HasText("请输入 0 到 255 之间的整数。"));
    EXPECT_EQ(::GetFocus(), host.m_edit.m_hWnd);
    host.m_edit.SetWindowText("200");
    EXPECT_TRUE(host.m_edit.CheckKillfocus());
}

namespace {

// A memory device context with a bitmap of the screen's kind selected.
class Canvas {
public:
    Canvas(int width, int height)
    {
        m_dc.CreateCompatibleDC(NULL);
        HDC screen = ::GetDC(NULL);
        m_bitmap.Attach(::CreateCompatibleBitmap(screen, width, height));
        ::ReleaseDC(NULL, screen);
        m_pOld = m_dc.SelectObject(&m_bitmap);
    }
    ~Canvas()
    {
        if (m_pOld != NULL)
            m_dc.SelectObject(m_pOld);
    }
    bool Ready() const { return m_dc.GetSafeHdc() != NULL && m_pOld != NULL; }

    CDC m_dc;

private:
    CBitmap m_bitmap;
    CBitmap* m_pOld = NULL;
};

}  // namespace

TEST(GeneralLibrary, SliderMarkerDrawnTwiceLeavesThePixels)
{
    Canvas canvas(140, 30);
    ASSERT_TRUE(canvas.Ready());
    CDC& dc = canvas.m_dc;
    dc.FillSolidRect(0, 0, 140, 30, RGB(255, 255, 255));
    dc.SelectStockObject(BLACK_PEN);
    dc.SetROP2(R2_NOT);
    const CRect track(10, 2, 110, 20);
    struct {
        int min, max, value, x;
    } cases[] = {{0, 100, 50, 60}, {1, 100, 1, 10}, {0, 255, 255, 110}, {-999, 999, 0, 60},
                 {5, 5, 5, 10},    {0, 10, 20, 110}, {0, 10, -3, 10}};
    for (const auto& c : cases) {
        GenDrawSliderMarker(&dc, &track, c.min, c.max, c.value);
        EXPECT_EQ(dc.GetPixel(c.x, track.top + 6), RGB(0, 0, 0)) << c.min << ".." << c.max << " at " << c.value;
        GenDrawSliderMarker(&dc, &track, c.min, c.max, c.value);
        int changed = 0;
        for (int y = 0; y < 30; y++)
            for (int x = 0; x < 140; x++)
                changed += dc.GetPixel(x, y) != RGB(255, 255, 255);
        EXPECT_EQ(changed, 0) << c.min << ".." << c.max << " at " << c.value;
    }
}

TEST(GeneralLibrary, FloatRectanglesForBothOrientations)
{
    struct {
        int flag;
        tagFRECT a, b;
        tagFRECT intersection;
        BOOL intersects;
        tagFRECT unionRect;
    } cases[] = {
        // y down: top above bottom.
        {0, {0, 0, 10, 10}, {5, 5, 20, 20}, {5, 5, 10, 10}, TRUE, {0, 0, 20, 20}},
        {0, {0, 0, 10, 10}, {10, 0, 20, 10}, {0, 0, 0, 0}, FALSE, {0, 0, 20, 10}},
        {0, {0, 0, 10, 10}, {0, 10, 0, 0}, {0, 0, 0, 0}, FALSE, {0, 0, 10, 10}},
        // y up: top above bottom in value.
        {1, {0, 10, 10, 0}, {5, 20, 20, 5}, {5, 10, 10, 5}, TRUE, {0, 20, 20, 0}},
        {1, {0, 10, 10, 0}, {2, 4, 8, 1}, {2, 4, 8, 1}, TRUE, {0, 10, 10, 0}},
        {1, {0, 10, 10, 0}, {0, 0, 10, 10}, {0, 0, 0, 0}, FALSE, {0, 10, 10, 0}},
    };
    for (const auto& c : cases) {
        CFRect r(c.flag);
        EXPECT_EQ(r.IntersectRect(&c.a, &c.b), c.intersects) << c.flag;
        EXPECT_TRUE(r.EqualRect(&c.intersection)) << c.flag << ": " << r.left << " " << r.top << " " << r.right << " "
                                                  << r.bottom;
        EXPECT_EQ(r.m_bUpward, c.flag);
        CFRect u(c.flag);
        EXPECT_TRUE(u.UnionRect(&c.a, &c.b));
        EXPECT_TRUE(u.EqualRect(&c.unionRect)) << c.flag << ": " << u.left << " " << u.top << " " << u.right << " "
                                               << u.bottom;
    }
    // Both empty: nothing.
    const tagFRECT empty = {0, 0, 0, 0};
    CFRect none(0);
    EXPECT_FALSE(none.UnionRect(&empty, &empty));

    // Inflating grows the height in both orientations; offsetting moves.
    for (int flag : {0, 1}) {
        CFRect r(flag);
        r.SetRect(0, flag ? 10.0f : 0.0f, 10, flag ? 0.0f : 10.0f);
        r.InflateRect(1, 2, 3, 4);
        EXPECT_EQ(r.Width(), 14.0f);
        EXPECT_EQ(r.Height(), 16.0f) << flag;
        r.OffsetRect(5, -5);
        EXPECT_EQ(r.left, 4.0f);
        EXPECT_EQ(r.Width(), 14.0f);
        EXPECT_EQ(r.Height(), 16.0f);
    }
}

TEST(GeneralLibrary, PointsGroupKeepsItsPointsInOrder)
{
    CPointsGroup group;
    EXPECT_EQ(group.GetPointsNum(), 0);
    EXPECT_EQ(group.GetAllPoints(), nullptr);
    for (int i = 0; i < 40; i++)
        group.AddPoint(i, 2 * i);
    CPointsGroup copy;
    copy = group;
    group.Clear();
    EXPECT_EQ(group.GetPointsNum(), 0);
    ASSERT_EQ(copy.GetPointsNum(), 40);
    EXPECT_EQ(copy.GetAllPoints()[39].x, 39);
    EXPECT_EQ(copy.GetAllPoints()[39].y, 78);
}

TEST(GeneralLibrary, PackedDibsInItsBlocks)
{
    // A 3 x 2 24-bit bottom-up DIB: the top row red, the bottom row blue.
    const DWORD size = 40 + 2 * 12;
    BYTE* pDib = static_cast<BYTE*>(GenAllocBuffer(size, 0, 1));
    ASSERT_NE(pDib, nullptr);
    BITMAPINFOHEADER header = {};
    header.biSize = 40;
    header.biWidth = 3;
    header.biHeight = 2;
    header.biPlanes = 1;
    header.biBitCount = 24;
    std::memcpy(pDib, &header, sizeof header);
    for (int x = 0; x < 3; x++) {
        pDib[40 + 3 * x] = 255;            // the bottom row, blue
        pDib[40 + 12 + 3 * x + 2] = 255;   // the top row, red
    }
    EXPECT_EQ(GenGetDibWidth(pDib), 3);
    EXPECT_EQ(GenGetDibHeight(pDib), 2);
    EXPECT_EQ(GenGetDibColorTableSize(pDib), 0);
    GEN_DIB_INFO info = {};
    ASSERT_TRUE(GenGetDibDrawInfo(pDib, &info));
    EXPECT_EQ(info.pBits, pDib + 40);
    EXPECT_EQ(info.dwRowBytes, 12u);

    Canvas canvas(30, 20);
    ASSERT_TRUE(canvas.Ready());
    CDC& dc = canvas.m_dc;
    const CRect dest(0, 0, 30, 20), source(0, 0, 3, 2);
    EXPECT_TRUE(GenDrawDib(&dc, &dest, &source, pDib, 0));
    EXPECT_EQ(dc.GetPixel(15, 2), RGB(255, 0, 0));
    EXPECT_EQ(dc.GetPixel(15, 17), RGB(0, 0, 255));
    const CRect nothing(0, 0, 0, 0);
    EXPECT_FALSE(GenDrawDib(&dc, &nothing, &source, pDib, 0));

    // A header that claims more than its block holds is refused, and so is
    // memory that no block of the library holds.
    reinterpret_cast<BITMAPINFOHEADER*>(pDib)->biHeight = 3;
    EXPECT_EQ(GenGetDibWidth(pDib), 0);
    EXPECT_FALSE(GenGetDibDrawInfo(pDib, &info));
    std::vector<BYTE> elsewhere(size);
    std::memcpy(elsewhere.data(), &header, sizeof header);
    EXPECT_EQ(GenGetDibHeight(elsewhere.data()), 0);
    GenFreeBuffer(reinterpret_cast<void**>(&pDib));
    EXPECT_EQ(GenGetDibWidth(NULL), 0);
}

TEST(GeneralLibrary, PathEditRollupIsMadeOnceAndReleased)
{
    Gui().Allow("编辑路径");
    const HINSTANCE before = AfxGetResourceHandle();
    EXPECT_EQ(GenGetPathRollup(), nullptr);
    CRollDialog* pRollup = GenCreatePathRollup();
    ASSERT_NE(pRollup, nullptr);
    EXPECT_EQ(AfxGetResourceHandle(), before);
    EXPECT_EQ(GenCreatePathRollup(), pRollup);
    EXPECT_EQ(GenGetPathRollup(), pRollup);
    pRollup->ShowWindow(SW_SHOW);

    // A double click on the caption rolls it up to the caption, and down.
    CRect full, rolled, back;
    pRollup->GetWindowRect(&full);
    pRollup->SendMessage(WM_NCLBUTTONDBLCLK, HTCAPTION, 0);
    pRollup->GetWindowRect(&rolled);
    EXPECT_EQ(pRollup->IsMin(), 1);
    EXPECT_LT(rolled.Height(), full.Height());
    pRollup->SendMessage(WM_NCLBUTTONDBLCLK, HTCAPTION, 0);
    pRollup->GetWindowRect(&back);
    EXPECT_EQ(pRollup->IsMin(), 0);
    EXPECT_EQ(back.Height(), full.Height());

    GenReleasePathRollup(0);
    EXPECT_EQ(GenGetPathRollup(), nullptr);
}

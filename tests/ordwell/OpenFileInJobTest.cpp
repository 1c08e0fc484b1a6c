#include "JobDialogFixture.h"
#include "TestPictures.h"

using namespace jobtest;
using testpictures::Mode;
using testsupport::Gui;

namespace {

const int kFiles = 4107, kPreview = 4115, kBox = 27530, kSize = 27527, kType = 27528;
const char kOpenFromJob[] = "从作业打开";
const COLORREF kGrey = RGB(205, 205, 205), kWhite = RGB(255, 255, 255);

// Pending paints are done first, so that nothing redraws the box between a
// selection and what the test reads afterwards.
void Select(HWND dialog, int index)
{
    ::RedrawWindow(dialog, NULL, NULL, RDW_UPDATENOW | RDW_ALLCHILDREN);
    ::SendDlgItemMessageA(dialog, kFiles, LB_SETCURSEL, index, 0);
    ::SendMessageA(dialog, WM_COMMAND, MAKEWPARAM(kFiles, LBN_SELCHANGE),
                   reinterpret_cast<LPARAM>(::GetDlgItem(dialog, kFiles)));
}

COLORREF BoxPixel(HWND dialog, int x, int y)
{
    HWND box = ::GetDlgItem(dialog, kBox);
    HDC dc = ::GetDC(box);
    COLORREF colour = ::GetPixel(dc, x, y);
    ::ReleaseDC(box, dc);
    return colour;
}

RECT BoxRect(HWND dialog)
{
    RECT box = {};
    ::GetClientRect(::GetDlgItem(dialog, kBox), &box);
    return box;
}

COLORREF BoxCentre(HWND dialog)
{
    RECT box = BoxRect(dialog);
    return BoxPixel(dialog, box.right / 2, box.bottom / 2);
}

std::string Texts(HWND dialog) { return ItemText(dialog, kSize) + "|" + ItemText(dialog, kType); }

class OpenFileInJob : public JobDialogTest {
protected:
    void SetUp() override
    {
        JobDialogTest::SetUp();
        MakeTask("T.tsk", {"J"});
        OpenInManager("T.tsk", "J");
    }
    // A file of the test's folder listed as an original of the current job.
    std::string AddOriginal(const std::string& name, const std::string& bytes)
    {
        const std::string path = m_dir.File(name);
        if (!bytes.empty()) {
            EXPECT_TRUE(testsupport::WriteFileBytes(path, bytes));
        }
        JCOrigin* origin = new JCOrigin;
        origin->m_strFile = path.c_str();
        JGetCurJob()->m_lstOrigin.AddTail(origin);
        return path;
    }
    static std::string GreyPicture(int width, int height, uint8_t value = 0)
    {
        return testpictures::SolidTiff(width, height, Mode::Grey, {value}, 72);
    }
};

}  // namespace

TEST_F(OpenFileInJob, ListsPagesThenOriginalsAndGivesBackTheChosenLine)
{
    for (const char* file : {"d:\\p2.apg", "d:\\p1.apg"}) {
        JCPage* page = new JCPage;
        page->m_strFile = file;
        JGetCurJob()->m_lstPage.AddTail(page);
    }
    AddOriginal("b.tif", "");
    const std::string chosen = AddOriginal("a.tif", "");
    Lines lines;
    bool stayedOpen = false;
    Gui().Expect(kOpenFromJob)
        .Run([&](HWND dialog) { lines = ListLines(dialog, kFiles); })
        .Press(IDOK)
        .Run([&](HWND dialog) { stayedOpen = ::IsWindowVisible(dialog) != FALSE; })
        .Run([&](HWND dialog) { Select(dialog, 3); })
        .Press(IDOK);
    JOpenFileInJob dialog;
    ASSERT_EQ(IDOK, dialog.DoModal());
    EXPECT_EQ((Lines{"d:\\p2.apg", "d:\\p1.apg", m_dir.File("b.tif"), chosen}), lines);
    EXPECT_TRUE(stayedOpen);
    EXPECT_EQ(3, dialog.m_nSelected);
    EXPECT_STREQ(chosen.c_str(), dialog.m_strFileName);

    // A double click chooses as OK does.
    Gui().Expect(kOpenFromJob).Run([&](HWND dialog) {
        Select(dialog, 1);
        ::SendMessageA(dialog, WM_COMMAND, MAKEWPARAM(kFiles, LBN_DBLCLK),
                       reinterpret_cast<LPARAM>(::GetDlgItem(dialog, kFiles)));
    });
    JOpenFileInJob again;
    ASSERT_EQ(IDOK, again.DoModal());
    EXPECT_STREQ("d:\\p1.apg", again.m_strFileName);
}

// A wide picture lies across the middle of the box on white; with the
// preview off the box is grey and a picture selected then still fills in
// the texts; turning the preview on draws it.
TEST_F(OpenFileInJob, PreviewDrawsThePictureFittedOnWhiteOrLeavesTheBoxGrey)
{
    AddOriginal("wide.tif", GreyPicture(3200, 400));
    AddOriginal("small.tif", GreyPicture(30, 30, 255));
    std::string texts, textsWithoutPreview;
    COLORREF inside = 0, above = 0, below = 0, off = 0, selectedOff = 0, onAgain = 0;
    int out[4] = {};
    Gui().Expect(kOpenFromJob)
        .Run([&](HWND dialog) {
            Select(dialog, 0);
            texts = Texts(dialog);
            RECT box = BoxRect(dialog);
            JOpenFileInJob fit;
            ASSERT_TRUE(fit.AdjustScale(box, out, 3200, 400));
            inside = BoxPixel(dialog, out[0] + out[2] / 2, out[1] + out[3] / 2);
            above = BoxPixel(dialog, box.right / 2, out[1] / 2);
            below = BoxPixel(dialog, box.right / 2, (out[1] + out[3] + box.bottom) / 2);
            ::SendDlgItemMessageA(dialog, kPreview, BM_CLICK, 0, 0);
            off = BoxCentre(dialog);
            Select(dialog, 1);
            textsWithoutPreview = Texts(dialog);
            selectedOff = BoxCentre(dialog);
            ::SendDlgItemMessageA(dialog, kPreview, BM_CLICK, 0, 0);
            onAgain = BoxCentre(dialog);
        })
        .Press(IDCANCEL);
    JOpenFileInJob dialog;
    EXPECT_EQ(IDCANCEL, dialog.DoModal());
    EXPECT_EQ("3200(H)*400(V)Pixels,1MB|GRAY(8bits),72.000Dpi(H),72.000Dpi(V)", texts);
    EXPECT_GT(out[1], 4);
    EXPECT_EQ(RGB(0, 0, 0), inside);
    EXPECT_EQ(kWhite, above);
    EXPECT_EQ(kWhite, below);
    EXPECT_EQ(kGrey, off);
    EXPECT_EQ("30(H)*30(V)Pixels,1KB|GRAY(8bits),72.000Dpi(H),72.000Dpi(V)", textsWithoutPreview);
    EXPECT_EQ(kGrey, selectedOff);
    EXPECT_EQ(RGB(255, 255, 255), onAgain);
}

TEST_F(OpenFileInJob, TypeTextNamesEachColourModeWithItsResolutions)
{
    const struct {
        const char* name;
        Mode mode;
        std::vector<uint8_t> sample;
        uint32_t dpi;
        const char* texts;
    } cases[] = {
        {"rgb.tif", Mode::Rgb, {10, 200, 30}, 72, "10(H)*10(V)Pixels,1KB|RGB(24bits),72.000Dpi(H),72.000Dpi(V)"},
        {"grey.tif", Mode::Grey, {128}, 150, "10(H)*10(V)Pixels,1KB|GRAY(8bits),150.000Dpi(H),150.000Dpi(V)"},
        {"cmyk.tif", Mode::Cmyk, {0, 255, 255, 0}, 300, "10(H)*10(V)Pixels,1KB|CMYK(32bits),300.000Dpi(H),300.000Dpi(V)"},
        {"index.tif", Mode::Palette, {5}, 96, "10(H)*10(V)Pixels,1KB|Index(8bits),96.000Dpi(H),96.000Dpi(V)"},
    };
    for (const auto& c : cases)
        AddOriginal(c.name, testpictures::SolidTiff(10, 10, c.mode, c.sample, c.dpi));
    Lines texts;
    Gui().Expect(kOpenFromJob)
        .Run([&](HWND dialog) {
            for (int i = 0; i < 4; i++) {
                Select(dialog, i);
                texts.push_back(Texts(dialog));
            }
        })
        .Press(IDCANCEL);
    JOpenFileInJob dialog;
    dialog.DoModal();
    ASSERT_EQ(4u, texts.size());
    for (int i = 0; i < 4; i++)
        EXPECT_EQ(cases[i].texts, texts[i]) << cases[i].name;
}

// After a picture: a file of no known type leaves box and texts alone, a
// raw file greys the box and empties the texts, a file that does not open
// greys the box and keeps the texts, and one whose header fails greys the
// box and empties the texts.
TEST_F(OpenFileInJob, FilesWithoutAPictureLeaveTheBoxGreyOrUntouched)
{
    const std::string picture = GreyPicture(20, 20);
    AddOriginal("pic.tif", picture);
    AddOriginal("notes.txt", "text");
    AddOriginal("scan.raw", std::string(300, 'x'));
    AddOriginal("missing.tif", "");
    AddOriginal("bad.tif", std::string("II*\0garbage", 11));
    AddOriginal("pic.ovk", picture);
    const std::string pictureTexts = "20(H)*20(V)Pixels,1KB|GRAY(8bits),72.000Dpi(H),72.000Dpi(V)";
    const struct {
        int line;
        COLORREF centre;
        bool textsKept;
    } cases[] = {{1, RGB(0, 0, 0), true}, {2, kGrey, false}, {3, kGrey, true}, {4, kGrey, false}, {5, kGrey, false}};
    std::vector<std::pair<COLORREF, std::string>> seen;
    Gui().Expect(kOpenFromJob)
        .Run([&](HWND dialog) {
            for (const auto& c : cases) {
                Select(dialog, 0);
                seen.push_back({BoxCentre(dialog), Texts(dialog)});
                Select(dialog, c.line);
                seen.push_back({BoxCentre(dialog), Texts(dialog)});
            }
        })
        .Press(IDCANCEL);
    JOpenFileInJob dialog;
    dialog.DoModal();
    ASSERT_EQ(2 * (sizeof(cases) / sizeof(cases[0])), seen.size());
    for (size_t i = 0; i < sizeof(cases) / sizeof(cases[0]); i++) {
        EXPECT_EQ(RGB(0, 0, 0), seen[2 * i].first) << cases[i].line;
        EXPECT_EQ(pictureTexts, seen[2 * i].second) << cases[i].line;
        EXPECT_EQ(cases[i].centre, seen[2 * i + 1].first) << cases[i].line;
        EXPECT_EQ(cases[i].textsKept ? pictureTexts : "|", seen[2 * i + 1].second) << cases[i].line;
    }
}

// A name that begins with the one drawn before is another file.
TEST_F(OpenFileInJob, ANameThatIsAPrefixOfTheLastOneIsDrawnAgain)
{
    AddOriginal("a.tiff", GreyPicture(20, 10));
    AddOriginal("a.tif", testpictures::SolidTiff(10, 30, Mode::Rgb, {255, 0, 0}, 72));
    std::string texts;
    Gui().Expect(kOpenFromJob)
        .Run([&](HWND dialog) {
            Select(dialog, 0);
            Select(dialog, 1);
            texts = Texts(dialog);
        })
        .Press(IDCANCEL);
    JOpenFileInJob dialog;
    dialog.DoModal();
    EXPECT_EQ("10(H)*30(V)Pixels,1KB|RGB(24bits),72.000Dpi(H),72.000Dpi(V)", texts);
}

// A name longer than the old fixed buffers is listed, compared and chosen
// whole. The file APIs refuse a path over MAX_PATH (even one that names an
// existing file through ".\"), so its preview is the grey box of a file
// that does not open, and the texts keep the picture before it.
TEST_F(OpenFileInJob, APathOf300CharactersIsListedAndChosenWhole)
{
    AddOriginal("pic.tif", GreyPicture(20, 20));
    std::string path = m_dir.File("");
    while (path.size() + 2 + 9 <= 300)
        path += ".\\";
    // Nine or ten characters are left, whatever the length of the folder.
    const std::string name = std::string(300 - path.size() - 4, 'n') + ".tif";
    ASSERT_TRUE(testsupport::WriteFileBytes(m_dir.File(name), GreyPicture(30, 30)));
    path += name;
    ASSERT_EQ(300u, path.size());
    JCOrigin* origin = new JCOrigin;
    origin->m_strFile = path.c_str();
    JGetCurJob()->m_lstOrigin.AddTail(origin);
    Lines lines;
    std::string texts;
    COLORREF centre = 0;
    Gui().Expect(kOpenFromJob)
        .Run([&](HWND dialog) {
            lines = ListLines(dialog, kFiles);
            Select(dialog, 0);
            Select(dialog, 1);
            texts = Texts(dialog);
            centre = BoxCentre(dialog);
        })
        .Press(IDOK);
    JOpenFileInJob dialog;
    ASSERT_EQ(IDOK, dialog.DoModal());
    EXPECT_EQ((Lines{m_dir.File("pic.tif"), path}), lines);
    EXPECT_EQ("20(H)*20(V)Pixels,1KB|GRAY(8bits),72.000Dpi(H),72.000Dpi(V)", texts);
    EXPECT_EQ(kGrey, centre);
    EXPECT_STREQ(path.c_str(), dialog.m_strFileName);
}

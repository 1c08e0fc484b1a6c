#include "JobDialogFixture.h"
#include "TestPictures.h"

#include <prsht.h>
#include <time.h>

using namespace jobtest;
using testsupport::Gui;

namespace {

const int kPages = 4542, kOrigins = 4543, kOutputs = 4108, kMode = 4109, kProperties = 4110;
const char kView[] = "作业浏览", kSheet[] = "作业属性";

std::string CellText(HWND dialog, int id, int row, int column)
{
    char text[512] = "";
    LVITEMA item = {};
    item.iSubItem = column;
    item.pszText = text;
    item.cchTextMax = sizeof(text);
    ::SendDlgItemMessageA(dialog, id, LVM_GETITEMTEXTA, row, reinterpret_cast<LPARAM>(&item));
    return text;
}

int RowCount(HWND dialog, int id) { return int(::SendDlgItemMessageA(dialog, id, LVM_GETITEMCOUNT, 0, 0)); }

Lines Headings(HWND dialog, int id)
{
    Lines headings;
    for (int column = 0;; column++) {
        char text[64] = "";
        LVCOLUMNA info = {};
        info.mask = LVCF_TEXT;
        info.pszText = text;
        info.cchTextMax = sizeof(text);
        if (!::SendDlgItemMessageA(dialog, id, LVM_GETCOLUMNA, column, reinterpret_cast<LPARAM>(&info)))
            return headings;
        headings.push_back(text);
    }
}

DWORD ViewStyle(HWND dialog, int id) { return ::GetWindowLongA(::GetDlgItem(dialog, id), GWL_STYLE) & LVS_TYPEMASK; }

// The view style of all three lists: one style only when they agree.
DWORD ListStyles(HWND dialog)
{
    return ViewStyle(dialog, kPages) | ViewStyle(dialog, kOrigins) | ViewStyle(dialog, kOutputs);
}

// The centre pixel of each image of a list's large image list.
std::vector<COLORREF> ImageCentres(HWND dialog, int id)
{
    HIMAGELIST images = reinterpret_cast<HIMAGELIST>(::SendDlgItemMessageA(dialog, id, LVM_GETIMAGELIST, LVSIL_NORMAL, 0));
    std::vector<COLORREF> centres;
    HDC screen = ::GetDC(NULL);
    HDC memory = ::CreateCompatibleDC(screen);
    HBITMAP canvas = ::CreateCompatibleBitmap(screen, 32, 32);
    HGDIOBJ old = ::SelectObject(memory, canvas);
    for (int i = 0; i < ImageList_GetImageCount(images); i++) {
        ImageList_Draw(images, i, memory, 0, 0, ILD_NORMAL);
        centres.push_back(::GetPixel(memory, 16, 16) & 0xFFFFFF);
    }
    ::SelectObject(memory, old);
    ::DeleteObject(canvas);
    ::DeleteDC(memory);
    ::ReleaseDC(NULL, screen);
    return centres;
}

class JobView : public JobDialogTest {
protected:
    void Open(const std::string& job)
    {
        MakeTask("T.tsk", {job});
        OpenInManager("T.tsk", job);
    }
    JCJob& Job() { return *JGetCurJob(); }
    static JCOrigin* Origin(const char* file, int type, __time32_t time = 0)
    {
        JCOrigin* origin = new JCOrigin;
        origin->m_strFile = file;
        origin->m_nFileType = type;
        origin->m_strPage = "None";
        origin->m_tTime = time;
        return origin;
    }
    void WriteThumbnail(const std::string& job, const std::string& name, const std::string& bytes)
    {
        ::CreateDirectoryA((JobFolder(job) + "\\bitmaps").c_str(), NULL);
        ASSERT_TRUE(testsupport::WriteFileBytes(JobFolder(job) + "\\bitmaps\\" + name, bytes));
    }
};

}  // namespace

TEST_F(JobView, WithoutAnOpenJobTheMessageShowsInstead)
{
    auto& message = Gui().Expect(AfxGetAppName()).Press(IDOK);
    JShowJobStatus();
    EXPECT_TRUE(message.HasText("没有打开的作业. 请首先打开一个作业."));
}

TEST_F(JobView, AnEmptyJobShowsOnlyTheHeadingsInIconView)
{
    Open("J");
    Lines pages, origins, outputs, modes;
    int rows = -1, selected = -1;
    DWORD style = 0;
    Gui().Expect(kView)
        .Run([&](HWND dialog) {
            pages = Headings(dialog, kPages);
            origins = Headings(dialog, kOrigins);
            outputs = Headings(dialog, kOutputs);
            rows = RowCount(dialog, kPages) + RowCount(dialog, kOrigins) + RowCount(dialog, kOutputs);
            selected = int(::SendDlgItemMessageA(dialog, kMode, CB_GETCURSEL, 0, 0));
            for (int i = 0; i < int(::SendDlgItemMessageA(dialog, kMode, CB_GETCOUNT, 0, 0)); i++) {
                char text[32] = "";
                ::SendDlgItemMessageA(dialog, kMode, CB_GETLBTEXT, i, reinterpret_cast<LPARAM>(text));
                modes.push_back(text);
            }
            style = ListStyles(dialog);
        })
        .Press(IDOK);
    JShowJobStatus();
    EXPECT_EQ((Lines{"文件名", "从属", "时间"}), pages);
    EXPECT_EQ((Lines{"文件名", "类型", "从属", "时间"}), origins);
    EXPECT_EQ(origins, outputs);
    EXPECT_EQ(0, rows);
    EXPECT_EQ((Lines{"报表", "图标", "小图标", "列表"}), modes);
    EXPECT_EQ(1, selected);
    EXPECT_EQ(DWORD(LVS_ICON), style);
}

TEST_F(JobView, RowsShowTypeNamesAndTimesAndTheModeSwitchesAllLists)
{
    MakeTask("T.tsk", {"J"});
    {
        // Type 200 is what a hostile job file may hold.
        JCJob job;
        JCPage* page = new JCPage;
        page->m_strFile = "d:\\pages\\p.apg";
        page->m_strDescription = "说明";
        page->m_tTime = 1000000000;
        job.m_lstPage.AddTail(page);
        job.m_lstOrigin.AddTail(Origin("d:\\scan\\x.xb", 12, 1100000000));
        job.m_lstOrigin.AddTail(Origin("d:\\scan\\y", 0));
        JCOutput* output = new JCOutput;
        output->m_strFile = "d:\\out\\o.ps";
        output->m_nFileType = 200;
        output->m_strPage = "d:\\pages\\p.apg";
        output->m_tTime = 1200000000;
        job.m_lstOutput.AddTail(output);
        ASSERT_TRUE(WriteJobFile(JobFile("J").c_str(), job));
    }
    OpenInManager("T.tsk", "J");
    Lines page, origins, output;
    DWORD styles[4] = {};
    Gui().Expect(kView)
        .Run([&](HWND dialog) {
            page = {CellText(dialog, kPages, 0, 0), CellText(dialog, kPages, 0, 1), CellText(dialog, kPages, 0, 2)};
            origins = {CellText(dialog, kOrigins, 0, 0), CellText(dialog, kOrigins, 0, 1),
                       CellText(dialog, kOrigins, 0, 2), CellText(dialog, kOrigins, 0, 3),
                       CellText(dialog, kOrigins, 1, 1)};
            output = {CellText(dialog, kOutputs, 0, 0), CellText(dialog, kOutputs, 0, 1),
                      CellText(dialog, kOutputs, 0, 2), CellText(dialog, kOutputs, 0, 3)};
        })
        .SelectItem(kMode, "报表")
        .Run([&](HWND dialog) { styles[0] = ListStyles(dialog); })
        .SelectItem(kMode, "小图标")
        .Run([&](HWND dialog) { styles[1] = ListStyles(dialog); })
        .SelectItem(kMode, "列表")
        .Run([&](HWND dialog) { styles[2] = ListStyles(dialog); })
        .SelectItem(kMode, "图标")
        .Run([&](HWND dialog) { styles[3] = ListStyles(dialog); })
        .Press(IDOK);
    JShowJobStatus();
    auto timeText = [](time_t t) { return std::string(ctime(&t)); };
    EXPECT_EQ((Lines{"d:\\pages\\p.apg", "说明", timeText(1000000000)}), page);
    EXPECT_EQ('\n', page[2].back());
    EXPECT_EQ((Lines{"d:\\scan\\x.xb", "XB", "None", timeText(1100000000), "UNKNOW"}), origins);
    EXPECT_EQ((Lines{"d:\\out\\o.ps", "UNKNOW", "d:\\pages\\p.apg", timeText(1200000000)}), output);
    EXPECT_EQ(DWORD(LVS_REPORT), styles[0]);
    EXPECT_EQ(DWORD(LVS_SMALLICON), styles[1]);
    EXPECT_EQ(DWORD(LVS_LIST), styles[2]);
    EXPECT_EQ(DWORD(LVS_ICON), styles[3]);
}

// Each original takes its own thumbnail from the job's "bitmaps" folder by
// its file name, even in a job folder with a dot in its name; a truncated
// or lying thumbnail and a missing one give the stock picture.
TEST_F(JobView, OriginalsShowTheirOwnThumbnailsOrTheStockPicture)
{
    const std::string job = "J.1";
    Open(job);
    const std::string red = testpictures::SolidBitmap(32, 32, 255, 0, 0);
    const std::string blue = testpictures::SolidBitmap(32, 32, 0, 0, 255);
    std::string lying = red;
    lying[10] = static_cast<char>(0xF0);  // pixels said to start past the end
    WriteThumbnail(job, "a.b.bmp", red);
    WriteThumbnail(job, "c.bmp", blue);
    WriteThumbnail(job, "t.bmp", red.substr(0, red.size() / 2));
    WriteThumbnail(job, "l.bmp", lying);
    for (const char* file : {"d:\\scan\\a.b.tif", "d:\\scan\\c", "d:\\scan\\t.tif", "d:\\scan\\l.tif", "d:\\scan\\none.tif"})
        Job().m_lstOrigin.AddTail(Origin(file, 6));
    std::vector<COLORREF> centres;
    std::vector<int> rowImages;
    Gui().Expect(kView)
        .Run([&](HWND dialog) {
            centres = ImageCentres(dialog, kOrigins);
            for (int row = 0; row < RowCount(dialog, kOrigins); row++) {
                LVITEMA item = {};
                item.mask = LVIF_IMAGE;
                item.iItem = row;
                ::SendDlgItemMessageA(dialog, kOrigins, LVM_GETITEMA, 0, reinterpret_cast<LPARAM>(&item));
                rowImages.push_back(item.iImage);
            }
        })
        .Press(IDOK);
    JShowJobStatus();
    const COLORREF stock = RGB(0, 255, 255);  // the sky of the stock picture's centre
    EXPECT_EQ((std::vector<COLORREF>{RGB(255, 0, 0), RGB(0, 0, 255), stock, stock, stock}), centres);
    EXPECT_EQ((std::vector<int>{0, 1, 2, 3, 4}), rowImages);
}

TEST_F(JobView, CancelOnThePropertySheetLeavesTaskAndJobAndOkWritesThem)
{
    Open("J");
    const CString creator = Job().m_strText[0];
    const int taskOwner = JGetCurTask()->m_nOwnerAccess;
    auto edit = [](HWND sheet) {
        ::SendDlgItemMessageA(reinterpret_cast<HWND>(::SendMessageA(sheet, PSM_GETCURRENTPAGEHWND, 0, 0)), 4527,
                              CB_SETCURSEL, 0, 0);
        ::SendMessageA(sheet, PSM_SETCURSEL, 1, 0);
        ::SetDlgItemTextA(reinterpret_cast<HWND>(::SendMessageA(sheet, PSM_GETCURRENTPAGEHWND, 0, 0)), 4534,
                          "新创建者");
    };
    Gui().Expect(kView).Press(kProperties).Press(IDOK);
    Gui().Expect(kSheet).Run(edit).Press(IDCANCEL);
    JShowJobStatus();
    EXPECT_STREQ(creator, Job().m_strText[0]);
    EXPECT_EQ(taskOwner, JGetCurTask()->m_nOwnerAccess);

    Gui().Expect(kView).Press(kProperties).Press(IDOK);
    Gui().Expect(kSheet).Run(edit).Press(IDOK);
    JShowJobStatus();
    EXPECT_STREQ("新创建者", Job().m_strText[0]);
    EXPECT_EQ(0, JGetCurTask()->m_nOwnerAccess);
}

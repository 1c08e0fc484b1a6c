// The thumbnail pane in the client's child frame: the whole client starts
// with a private profile that names the folder to show. The client registers
// its classes as it always does: the picture readers need the system's
// classes, so they are not swapped for a private key here.
#include "PicThumnailFormView.h"
#include "ChildFrame.h"
#include "FileInfoFormView.h"
#include "IPTCInfoFormView.h"
#include "InputTreeFormView.h"
#include "MainFrame.h"
#include "OmbrelleApp.h"
#include "OmbrelleDoc.h"
#include "ReducedCopy.h"
#include "resource.h"

#include "General.h"
#include "GuiDriver.h"
#include "Registry.h"
#include "TempDir.h"
#include "ThumbTestSupport.h"
#include "ClassObjectTurn.h"

#include <gtest/gtest.h>

#include <optional>
#include <ostream>
#include <string>
#include <vector>

namespace {

using thumbtest::LocalTime;
using thumbtest::WriteBmp;

std::string Text(CWnd* pWnd, int nId)
{
    CString text;
    pWnd->GetDlgItemText(nId, text);
    return std::string(text);
}

struct IptcDataset {
    int record;
    int number;
    std::string value;
};

// A JPEG with an IPTC block: JFIF header, then an APP13 "Photoshop 3.0"
// segment with one 8BIM resource of the datasets, then the picture.
std::string WithIptc(const std::string& jpeg, const std::vector<IptcDataset>& datasets)
{
    std::string data;
    for (const auto& [record, number, value] : datasets) {
        data += '\x1C';
        data += static_cast<char>(record);
        data += static_cast<char>(number);
        data += static_cast<char>(value.size() >> 8);
        data += static_cast<char>(value.size() & 0xFF);
        data += value;
    }
    if (data.size() % 2)
        data += '\0';
    std::string resource = std::string("8BIM\x04\x04\0\0", 8);
    for (int shift = 24; shift >= 0; shift -= 8)
        resource += static_cast<char>((data.size() >> shift) & 0xFF);
    resource += data;
    std::string body = std::string("Photoshop 3.0\0", 14) + resource;
    std::string segment = "\xFF\xED";
    segment += static_cast<char>((body.size() + 2) >> 8);
    segment += static_cast<char>((body.size() + 2) & 0xFF);
    segment += body;
    // After SOI and the JFIF APP0 segment.
    size_t app0Length = (static_cast<unsigned char>(jpeg[4]) << 8) | static_cast<unsigned char>(jpeg[5]);
    size_t insertAt = 4 + app0Length;
    return jpeg.substr(0, insertAt) + segment + jpeg.substr(insertAt);
}

class ThumbPaneTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        testsupport::DeleteRegKey(HKEY_CURRENT_USER, thumbtest::ProfileKey());
        free(const_cast<char*>(m_app.m_pszAppName));
        m_app.m_pszAppName = _strdup(thumbtest::ProfileName().c_str());
    }

    void TearDown() override
    {
        if (m_app.m_pMainFrame != nullptr)
            m_app.m_pMainFrame->DestroyWindow();
        m_app.m_pMainWnd = nullptr;
        MSG msg;
        while (::PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) {
        }
        testsupport::DeleteRegKey(HKEY_CURRENT_USER, thumbtest::ProfileKey());
    }

    void WriteProfile(const char* section, const char* key, DWORD value)
    {
        testsupport::WriteRegDword(HKEY_CURRENT_USER, thumbtest::ProfileKey() + "\\" + section, key, value);
    }
    std::optional<DWORD> ReadProfile(const char* section, const char* key)
    {
        return testsupport::ReadRegDword(HKEY_CURRENT_USER, thumbtest::ProfileKey() + "\\" + section, key);
    }

    // Starts the client showing the folder; the pane of its child frame.
    CPicThumnailFormView* Start(const std::string& folder)
    {
        testsupport::WriteRegString(HKEY_CURRENT_USER, thumbtest::ProfileKey() + "\\PicSkipBar", "Path", folder);
        if (!testsupport::StartUpInProcess(m_app) || m_app.m_pMainFrame == nullptr)
            return nullptr;
        // Reduced copies go into a folder of this test's own: the program
        // folder's temp folder is shared with the test programs running beside
        // this one, whose documents empty it when they close.
        GenSetTempFolder(m_temp.Path().c_str());
        return m_app.m_pMainFrame->GetThumbnailView();
    }
    testsupport::TempDir m_temp;

    CChildFrame* Child(CPicThumnailFormView* pPane) { return static_cast<CChildFrame*>(pPane->GetParentFrame()); }
    CFileInfoFormView* FileInfo(CPicThumnailFormView* pPane)
    {
        return dynamic_cast<CFileInfoFormView*>(Child(pPane)->m_framework.GetWindow(CChildFrame::kPaneFileInfo));
    }
    CIPTCInfoFormView* Iptc(CPicThumnailFormView* pPane)
    {
        return dynamic_cast<CIPTCInfoFormView*>(Child(pPane)->m_framework.GetWindow(CChildFrame::kPaneIptcInfo));
    }

    static std::vector<std::string> Names(CPicThumnailFormView* pPane)
    {
        std::vector<std::string> names;
        for (int i = 0; i < pPane->m_list.GetItemCount(); ++i)
            names.push_back(std::string(pPane->m_list.GetItemText(i, 0)));
        return names;
    }

    static void Select(CPicThumnailFormView* pPane, int nIndex, bool selected)
    {
        pPane->m_list.SetItemState(nIndex, selected ? LVIS_SELECTED : 0, LVIS_SELECTED);
    }

    COmbrelleApp m_app;
};

struct TypeCase {
    const char* name;
    bool firstRun;
    std::vector<std::pair<const char*, DWORD>> stored;
    std::vector<std::string> listed;
};

const TypeCase kTypeCases[] = {
    {"FirstRunShowsEveryType", true, {}, {"a.bmp", "b.jpg", "c.jpeg", "d.tif", "e.eps"}},
    {"LaterRunHonoursTheStoredChoice", false,
     {{"BMP", 1}, {"JPG", 0}, {"JPEG", 1}, {"TIF", 0}, {"EPS", 1}},
     {"a.bmp", "c.jpeg", "e.eps"}},
    {"TypeWithoutAStoredValueIsNotShown", false, {{"BMP", 1}}, {"a.bmp"}},
};

void PrintTo(const TypeCase& c, std::ostream* os) { *os << c.name; }

class ThumbPaneTypeTest : public ThumbPaneTest, public ::testing::WithParamInterface<TypeCase> {};

TEST_P(ThumbPaneTypeTest, ListsTheTypesChosenInThePicTypeProfile)
{
    const TypeCase& c = GetParam();
    testsupport::TempDir dir;
    for (const char* name : {"a.bmp", "b.jpg", "c.jpeg", "d.tif"})
        ASSERT_TRUE(WriteBmp(dir.File(name), 16, 12, RGB(90, 90, 200)));
    ASSERT_TRUE(testsupport::WriteFileBytes(dir.File("e.eps"), "%!PS"));
    ASSERT_TRUE(testsupport::WriteFileBytes(dir.File("f.txt"), "text"));
    if (!c.firstRun)
        WriteProfile("PicType", "First", 1);
    for (const auto& [type, value] : c.stored)
        WriteProfile("PicType", type, value);

    CPicThumnailFormView* pPane = Start(dir.Path());
    ASSERT_NE(pPane, nullptr);
    EXPECT_EQ(Names(pPane), c.listed);

    // The document holds the nine types once, as chosen; the choice is stored.
    COmbrelleDoc* pDoc = pPane->GetOmbrelleDoc();
    ASSERT_NE(pDoc, nullptr);
    ASSERT_EQ(pDoc->m_picTypes.GetSize(), 9);
    const char* const order[] = {"BMP", "JPG", "JPEG", "TIF", "TIFF", "GIF", "PIC", "GRH", "EPS"};
    for (int i = 0; i < 9; ++i) {
        SCOPED_TRACE(order[i]);
        EXPECT_EQ(std::string(pDoc->m_picTypes[i]->strExtension), order[i]);
        DWORD expected = 0;
        for (const auto& [type, value] : c.stored)
            if (std::string(type) == order[i])
                expected = value;
        if (c.firstRun) {
            expected = 1;
            EXPECT_EQ(ReadProfile("PicType", order[i]), std::optional<DWORD>(1));
        }
        EXPECT_EQ(pDoc->m_picTypes[i]->bSelected, static_cast<int>(expected));
    }
    EXPECT_EQ(ReadProfile("PicType", "First"), std::optional<DWORD>(1));
}

INSTANTIATE_TEST_SUITE_P(Runs, ThumbPaneTypeTest, ::testing::ValuesIn(kTypeCases),
                         [](const ::testing::TestParamInfo<TypeCase>& info) { return info.param.name; });

TEST_F(ThumbPaneTest, SelectingOneThumbnailFillsThePagesAndTheDocumentAndASecondEmptiesThem)
{
    testsupport::TempDir dir;
    // 32 x 32 pixels at 72 dpi: 3126 bytes.
    ASSERT_TRUE(WriteBmp(dir.File("first.bmp"), 32, 32, RGB(250, 200, 0)));
    ASSERT_TRUE(thumbtest::SetFileTimes(dir.File("first.bmp"), LocalTime(2021, 11, 12, 13, 14, 15),
                                        LocalTime(2021, 11, 12, 13, 14, 15)));
    ASSERT_TRUE(thumbtest::WriteJpeg(dir.File("second.jpg"), 64, 48, RGB(0, 90, 200)));
    std::string jpeg = testsupport::ReadFileBytes(dir.File("second.jpg"));
    ASSERT_TRUE(testsupport::WriteFileBytes(
        dir.File("second.jpg"),
        WithIptc(jpeg, {{2, 120, "A caption"}, {2, 105, "Head"}, {2, 15, "CAT"}, {2, 90, "Lyon"}, {2, 101, "France"}})));

    CPicThumnailFormView* pPane = Start(dir.Path());
    ASSERT_NE(pPane, nullptr);
    ASSERT_EQ(Names(pPane), (std::vector<std::string>{"first.bmp", "second.jpg"}));
    CFileInfoFormView* pInfo = FileInfo(pPane);
    CIPTCInfoFormView* pIptc = Iptc(pPane);
    ASSERT_NE(pInfo, nullptr);
    ASSERT_NE(pIptc, nullptr);
    COmbrelleDoc* pDoc = pPane->GetOmbrelleDoc();
    ASSERT_NE(pDoc, nullptr);
    EXPECT_FALSE(pPane->m_btnStore.IsWindowEnabled());

    // The file system under test keeps no creation time of its own, so the
    // record is given one that differs from the last write.
    pPane->m_list.GetThumbItem(0)->tmCreated = CTime(2019, 3, 4, 5, 6, 7);
    Select(pPane, 0, true);
    // The box labelled "修改时间" shows the last write, "创建时间" the creation.
    const std::vector<std::pair<int, std::string>> boxes = {
        {IDC_FILEINFO_NAME, "first.bmp"},
        {IDC_FILEINFO_PATH, dir.Path()},
        {IDC_FILEINFO_SIZE, "3.05"},
        {IDC_FILEINFO_MODIFIED, "2021-11-12  13:14:15"},
        {IDC_FILEINFO_CREATED, "2019-3-4  5:6:7"},
    };
    for (const auto& [id, text] : boxes)
        EXPECT_EQ(Text(pInfo, id), text) << id;
    EXPECT_EQ(std::string(pInfo->m_strColorMode), "RGB");
    EXPECT_EQ(std::string(pInfo->m_strWidth), "32");
    EXPECT_EQ(std::string(pInfo->m_strHorRes), "72.01");  // 2835 pixels per metre

    EXPECT_EQ(std::string(pDoc->m_strOriginalName), "first.bmp");
    EXPECT_EQ(std::string(pDoc->m_strOriginalFolder), dir.Path());
    EXPECT_EQ(std::string(pDoc->m_strMainSize), "3.05");
    EXPECT_EQ(std::string(pDoc->m_strModifyTime), "2021-11-12  13:14:15");
    EXPECT_EQ(std::string(pDoc->m_strCreateTime), "2019-3-4  5:6:7");
    EXPECT_EQ(std::string(pDoc->m_strPicMode), "RGB");
    EXPECT_EQ(std::string(pDoc->m_strPicWidth), "32");
    EXPECT_EQ(std::string(pDoc->m_strPicHeight), "32");
    EXPECT_EQ(std::string(pDoc->m_strVerRes), "72.01");
    EXPECT_EQ(std::string(pDoc->m_strCity), "");
    EXPECT_TRUE(pPane->m_btnStore.IsWindowEnabled());

    // Another single picture: its IPTC texts reach the page and the document.
    Select(pPane, 0, false);
    Select(pPane, 1, true);
    EXPECT_EQ(Text(pInfo, IDC_FILEINFO_NAME), "second.jpg");
    EXPECT_EQ(std::string(pIptc->m_strDescription), "A caption");
    EXPECT_EQ(std::string(pDoc->m_strDescription), "A caption");
    EXPECT_EQ(std::string(pDoc->m_strHeadLine), "Head");
    EXPECT_EQ(std::string(pDoc->m_strCategory), "CAT");
    EXPECT_EQ(std::string(pDoc->m_strCity), "Lyon");
    EXPECT_EQ(std::string(pDoc->m_strCountry), "France");

    // Two selected: the page is emptied and the store button stays enabled.
    Select(pPane, 0, true);
    EXPECT_EQ(Text(pInfo, IDC_FILEINFO_NAME), "");
    EXPECT_EQ(Text(pInfo, IDC_FILEINFO_MODIFIED), "");
    EXPECT_TRUE(pPane->m_btnStore.IsWindowEnabled());

    // None selected: emptied, the store button disabled.
    pPane->SendMessage(WM_COMMAND, IDC_THUMB_SELECT_NONE);
    EXPECT_EQ(pPane->m_list.GetSelectedCount(), 0u);
    EXPECT_EQ(Text(pInfo, IDC_FILEINFO_NAME), "");
    EXPECT_FALSE(pPane->m_btnStore.IsWindowEnabled());
}

// Every IPTC field of a picture, by record and dataset, and the edit of
// the IPTC page that shows it.
struct IptcField {
    IptcDataset dataset;
    int edit;
};
const IptcField kIptcFields[] = {
    {{2, 120, "西湖的船"}, IDC_IPTC_CAPTION},        {{2, 105, "headline"}, IDC_IPTC_HEADLINE},
    {{2, 15, "cat"}, IDC_IPTC_CATEGORY},             {{1, 40, "1234"}, IDC_IPTC_ENVE_NUMBER},
    {{1, 60, "5"}, IDC_IPTC_ENVE_PRIORITY},          {{2, 135, "zh"}, IDC_IPTC_LANGUAGE},
    {{1, 50, "product"}, IDC_IPTC_PRODUCT},          {{1, 30, "service"}, IDC_IPTC_SERVICE},
    {{1, 5, "destination"}, IDC_IPTC_DESTINATION},   {{2, 5, "object"}, IDC_IPTC_OBJECT_NAME},
    {{2, 103, "otr"}, IDC_IPTC_ORIGINAL},            {{2, 90, "杭州"}, IDC_IPTC_CITY},
    {{2, 101, "中国"}, IDC_IPTC_COUNTRY},
};

TEST_F(ThumbPaneTest, SelectingAPictureShowsEachOfItsIptcFieldsInItsOwnEdit)
{
    testsupport::TempDir dir;
    ASSERT_TRUE(thumbtest::WriteJpeg(dir.File("tagged.jpg"), 40, 30, RGB(120, 60, 0)));
    std::vector<IptcDataset> datasets;
    for (const IptcField& field : kIptcFields)
        datasets.push_back(field.dataset);
    // Fields the page does not show.
    datasets.push_back({2, 80, "by"});
    datasets.push_back({2, 25, "kw"});
    ASSERT_TRUE(testsupport::WriteFileBytes(dir.File("tagged.jpg"),
                                            WithIptc(testsupport::ReadFileBytes(dir.File("tagged.jpg")), datasets)));

    CPicThumnailFormView* pPane = Start(dir.Path());
    ASSERT_NE(pPane, nullptr);
    ASSERT_EQ(Names(pPane), std::vector<std::string>{"tagged.jpg"});
    CIPTCInfoFormView* pIptc = Iptc(pPane);
    ASSERT_NE(pIptc, nullptr);
    for (const IptcField& field : kIptcFields)
        EXPECT_EQ(Text(pIptc, field.edit), "") << field.edit;

    Select(pPane, 0, true);
    for (const IptcField& field : kIptcFields)
        EXPECT_EQ(Text(pIptc, field.edit), field.dataset.value) << field.edit;

    Select(pPane, 0, false);
    for (const IptcField& field : kIptcFields)
        EXPECT_EQ(Text(pIptc, field.edit), "") << field.edit;
}

// My Computer has no file-system path: the list forgets the folder before
// it, so neither the main frame's listing message nor a refresh brings that
// folder back under the empty label.
TEST_F(ThumbPaneTest, AVirtualFolderEmptiesTheListAndNothingBringsTheFolderBeforeBack)
{
    testsupport::TempDir dir;
    ASSERT_TRUE(WriteBmp(dir.File("before.bmp"), 16, 12, RGB(90, 90, 200)));
    CPicThumnailFormView* pPane = Start(dir.Path());
    ASSERT_NE(pPane, nullptr);
    CThumbListCtrl& list = pPane->m_list;
    ASSERT_EQ(Names(pPane), std::vector<std::string>{"before.bmp"});
    CInputTreeFormView* pTreeView = m_app.m_pMainFrame->GetFolderTreeView();
    ASSERT_NE(pTreeView, nullptr);
    CTreeCtrl& tree = pTreeView->m_tree;

    // The first top-level item without a file-system path.
    HTREEITEM hComputer = tree.GetRootItem();
    char szPath[MAX_PATH] = "";
    while (hComputer != NULL &&
           ::SHGetPathFromIDListA(reinterpret_cast<LPCITEMIDLIST>(tree.GetItemData(hComputer)), szPath))
        hComputer = tree.GetNextSiblingItem(hComputer);
    ASSERT_NE(hComputer, nullptr);
    tree.SelectItem(hComputer);
    auto expectEmpty = [&] {
        EXPECT_EQ(list.GetItemCount(), 0);
        EXPECT_EQ(list.GetThumbCount(), 0);
        EXPECT_EQ(std::string(list.GetFolder()), "");
        EXPECT_EQ(Text(pPane, IDC_THUMB_FOLDER), "");
        EXPECT_EQ(std::string(pTreeView->m_tree.m_strCurrentFolder), "");
    };
    expectEmpty();

    m_app.m_pMainFrame->SendMessage(WM_USER + 1000);
    expectEmpty();
    list.SendMessage(WM_COMMAND, ID_THUMB_REFRESH);
    expectEmpty();
}

// The scanner's two messages for a file written into a folder the tree
// has not shown: the listing message comes while the scanned folder's
// thumbnails are made, and lists the folder the tree holds by then.
TEST_F(ThumbPaneTest, TheFirstScanIntoAnotherFolderListsThatFolder)
{
    testsupport::TempDir before, scans;
    ASSERT_TRUE(WriteBmp(before.File("before.bmp"), 16, 12, RGB(90, 90, 200)));
    ASSERT_TRUE(WriteBmp(scans.File("ScanPic00001.bmp"), 120, 90, RGB(200, 90, 0)));
    ASSERT_TRUE(WriteBmp(scans.File("ScanPic00002.bmp"), 120, 90, RGB(0, 200, 90)));
    CPicThumnailFormView* pPane = Start(before.Path());
    ASSERT_NE(pPane, nullptr);
    ASSERT_EQ(Names(pPane), std::vector<std::string>{"before.bmp"});

    const std::string scanned = scans.File("ScanPic00002.bmp");
    HWND hFrame = m_app.m_pMainFrame->GetSafeHwnd();
    ASSERT_TRUE(::PostMessageA(hFrame, WM_USER + 0, reinterpret_cast<WPARAM>(scanned.c_str()), 0));
    ASSERT_TRUE(::PostMessageA(hFrame, WM_USER + 1000, 0, 0));
    MSG msg;
    while (::PeekMessageA(&msg, NULL, 0, 0, PM_REMOVE)) {
        ::TranslateMessage(&msg);
        ::DispatchMessageA(&msg);
    }

    EXPECT_EQ(Text(pPane, IDC_THUMB_FOLDER), scans.Path());
    EXPECT_EQ(std::string(pPane->m_list.GetFolder()), scans.Path());
    EXPECT_EQ(Names(pPane), (std::vector<std::string>{"ScanPic00001.bmp", "ScanPic00002.bmp"}));
}

struct RefreshCase {
    const char* name;
    int width, height;
    bool shownFromCopy;  // larger than the view: shown through a reduced copy
};
const RefreshCase kRefreshCases[] = {{"ReducedCopyIsDeleted", 1600, 1200, true},
                                     {"PictureShownFromItselfIsKept", 24, 16, false}};

void PrintTo(const RefreshCase& c, std::ostream* os) { *os << c.name; }

class ThumbPaneRefreshTest : public ThumbPaneTest, public ::testing::WithParamInterface<RefreshCase> {};

TEST_P(ThumbPaneRefreshTest, ShowThumbnailsMessageRefreshesTheListAndShowsTheCurrentPictureAnew)
{
    const RefreshCase& c = GetParam();
    testsupport::TempDir dir;
    ASSERT_TRUE(thumbtest::WriteJpeg(dir.File("shown.jpg"), c.width, c.height, RGB(30, 160, 60)));
    CPicThumnailFormView* pPane = Start(dir.Path());
    ASSERT_NE(pPane, nullptr);
    COmbrelleDoc* pDoc = pPane->GetOmbrelleDoc();
    CFileInfoFormView* pInfo = FileInfo(pPane);
    ASSERT_NE(pInfo, nullptr);
    Select(pPane, 0, true);
    ASSERT_EQ(std::string(pDoc->m_strOriginalName), "shown.jpg");

    // The picture view shows it, from a reduced copy or from itself.
    ASSERT_TRUE(testsupport::GuiDriver::Current().WaitFor([&] { return pDoc->m_pDisplayImage != nullptr; }));
    const CString strPicture = pDoc->GetCurrentPicturePath();
    const CString strShown = pDoc->m_strDisplayedFile;
    EXPECT_EQ(std::string(strShown),
              std::string(c.shownFromCopy ? ReducedCopyName(GenGetTempFolder(), strPicture) : strPicture));
    ASSERT_NE(::GetFileAttributesA(strShown), INVALID_FILE_ATTRIBUTES);

    // Meanwhile a file arrives and the page was emptied by hand; the folder
    // tree shows the same folder.
    CInputTreeFormView* pTreeView = m_app.m_pMainFrame->GetFolderTreeView();
    ASSERT_NE(pTreeView, nullptr);
    pTreeView->m_tree.m_strCurrentFolder = dir.Path().c_str();
    ASSERT_TRUE(thumbtest::WriteJpeg(dir.File("arrived.jpg"), 40, 30, RGB(0, 0, 0)));
    pInfo->ClearFields();
    m_app.m_pMainFrame->SendMessage(WM_USER + 1000);

    EXPECT_EQ(Names(pPane), (std::vector<std::string>{"arrived.jpg", "shown.jpg"}));
    EXPECT_EQ(Text(pInfo, IDC_FILEINFO_NAME), "shown.jpg");
    EXPECT_EQ(pDoc->m_pDisplayImage, nullptr);
    EXPECT_EQ(::GetFileAttributesA(strShown) == INVALID_FILE_ATTRIBUTES, c.shownFromCopy);
    EXPECT_NE(::GetFileAttributesA(strPicture), INVALID_FILE_ATTRIBUTES);
}

INSTANTIATE_TEST_SUITE_P(Shown, ThumbPaneRefreshTest, ::testing::ValuesIn(kRefreshCases),
                         [](const ::testing::TestParamInfo<RefreshCase>& info) { return info.param.name; });

}  // namespace

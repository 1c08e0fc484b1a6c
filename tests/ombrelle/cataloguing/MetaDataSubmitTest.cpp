// The metadata form's three buttons in the running client's cataloguing
// window, against the back-end stand-in: what "确定", "提交" and "取消"
// leave in the document and whether the window stays; and, with a loopback
// FTP server, the pictures that "提交" and "确定" then "提交入库" upload
// with the typed values.
#include "BackendFixture.h"

#include "CatalogTreeView.h"
#include "GuiDriver.h"
#include "MainFrame.h"
#include "MetaDataInput.h"
#include "OmbrelleDoc.h"
#include "PicThumnailFormView.h"
#include "PictureFiles.h"
#include "RecordSubWnd.h"
#include "ServerSession.h"
#include "TempDir.h"
#include "WinePath.h"
#include "resource.h"

#include <gtest/gtest.h>

#include <memory>
#include <ostream>
#include <string>
#include <vector>

namespace uploadtest {
namespace {

using testsupport::Gui;

const char kUploaded[] = "成功上传图片资产";

BOOL CALLBACK CollectRecordWindow(HWND window, LPARAM found)
{
    CWnd* wnd = CWnd::FromHandlePermanent(window);
    if (wnd != nullptr && wnd->IsKindOf(RUNTIME_CLASS(CRecordSubWnd)))
        *reinterpret_cast<CRecordSubWnd**>(found) = static_cast<CRecordSubWnd*>(wnd);
    return TRUE;
}

std::vector<std::string> Strings(const CStringArray& array)
{
    std::vector<std::string> strings;
    for (INT_PTR i = 0; i < array.GetSize(); ++i)
        strings.push_back(std::string(array[i]));
    return strings;
}

size_t Occurrences(const std::string& text, const std::string& part)
{
    size_t count = 0;
    for (size_t at = text.find(part); at != std::string::npos; at = text.find(part, at + part.size()))
        ++count;
    return count;
}

class RecordFormTest : public BackendFixture {
protected:
    void TearDown() override
    {
        if (CRecordSubWnd* window = RecordWindow())
            window->DestroyWindow();
        Pump();
        BackendFixture::TearDown();
        m_ftp.reset();
    }

    // Logged in with a remembered user, asset type 7, two pictures selected
    // in the thumbnail pane, and the cataloguing window open on the
    // stand-in's structure.
    void OpenRecordWindow()
    {
        StartWithServer();
        ASSERT_FALSE(HasFatalFailure());
        RememberedUploadUser = kUser;
        RememberedUploadPassword = kPassword;
        CurrentCategoryId = "7";
        m_pictures = {Picture("a.bmp"), Picture("b.bmp")};
        SelectPictures(m_pictures);
        ReopenRecordWindow();
    }

    void ReopenRecordWindow()
    {
        Frame()->SendMessage(WM_COMMAND, ID_CATALOGUE);
        Pump();
        CRecordSubWnd* window = RecordWindow();
        ASSERT_NE(window, nullptr);
        m_tree = DYNAMIC_DOWNCAST(CCatalogTreeView, window->GetSplitter().GetPane(0, 0));
        m_form = DYNAMIC_DOWNCAST(CMetaDataInput, window->GetSplitter().GetPane(0, 1));
        ASSERT_TRUE(m_tree != nullptr && m_form != nullptr);
        window->SetForegroundWindow();
        Pump();
    }

    // The stand-in's storage on a loopback FTP server.
    void StartStore()
    {
        m_ftp = std::make_unique<testsupport::PythonService>(
            "testsvc/ftp_server.py", std::vector<std::string>{testsupport::UnixPath(m_store.Path()), "up", "pw"});
        Backend("reply\tGetStorageLocation\t1;127.0.0.1:" + std::to_string(m_ftp->Port()) + "/store;up;pw");
    }

    std::string Picture(const std::string& name)
    {
        const std::string path = m_files.File(name);
        EXPECT_TRUE(doctest::WritePicture(path, 320, 240, RGB(40, 120, 200))) << path;
        return path;
    }

    static CRecordSubWnd* RecordWindow()
    {
        CRecordSubWnd* found = nullptr;
        ::EnumThreadWindows(::GetCurrentThreadId(), CollectRecordWindow, reinterpret_cast<LPARAM>(&found));
        return found;
    }

    HWND Control(const char* name)
    {
        void* control = nullptr;
        return m_form->m_FieldControls.Lookup(name, control) ? static_cast<CWnd*>(control)->m_hWnd : NULL;
    }

    // As the operator types into a field.
    void Type(const char* name, const std::string& text) { ::SetWindowTextA(Control(name), text.c_str()); }

    // As the operator clicks a button of the form: the form may be gone after it.
    void Click(int id)
    {
        const HWND button = m_form->GetDlgItem(id)->m_hWnd;
        ::SendMessageA(button, BM_CLICK, 0, 0);
        Pump();
    }

    // What the document held before, to see whether a command kept it.
    void FillDocument()
    {
        Doc()->m_strFieldAttributes = "Title='前次' ";
        Doc()->m_strAssetState = "-1";
        Doc()->m_strCatalogIds = "999";
        Doc()->m_arrCatalogued.RemoveAll();
        Doc()->m_arrCatalogued.Add("C:\\前次.jpg");
    }

    size_t StoredPictures() const
    {
        size_t count = 0;
        WIN32_FIND_DATAA data;
        // One main file per picture, below store\Category7\Asset\<date>.
        std::vector<std::string> folders = {m_store.Path() + "\\store\\Category7\\Asset"};
        while (!folders.empty()) {
            const std::string folder = folders.back();
            folders.pop_back();
            HANDLE find = ::FindFirstFileA((folder + "\\*").c_str(), &data);
            if (find == INVALID_HANDLE_VALUE)
                continue;
            do {
                const std::string name = data.cFileName;
                if (name == "." || name == "..")
                    continue;
                if (data.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY)
                    folders.push_back(folder + "\\" + name);
                else
                    ++count;
            } while (::FindNextFileA(find, &data));
            ::FindClose(find);
        }
        return count;
    }

    std::vector<std::string> m_pictures;
    CCatalogTreeView* m_tree = nullptr;
    CMetaDataInput* m_form = nullptr;
    testsupport::TempDir m_store;
    std::unique_ptr<testsupport::PythonService> m_ftp;
};

// The stand-in's first fields: Title (required), Pages (a check box
// checked at first), Price (an integer).
const char kTypedStart[] = "Title='新闻 &amp; 图片' Pages='1' Price='12' ";

TEST_F(RecordFormTest, OkWhilePendingStoresMinusOneKeepsTheIdsAndCataloguesTheSelection)
{
    OpenRecordWindow();
    ASSERT_FALSE(HasFatalFailure());
    FillDocument();
    Type("Title", "新闻 & 图片");
    Type("Price", "12");
    m_tree->SetCheckedIds("201");
    Click(IDC_META_PENDING_STORE);
    ASSERT_FALSE(m_form->IsStoreChecked());
    Click(IDC_META_OK);

    EXPECT_EQ(RecordWindow(), nullptr);
    EXPECT_EQ(std::string(Doc()->m_strFieldAttributes).find(kTypedStart), 0u) << Doc()->m_strFieldAttributes;
    EXPECT_EQ(Doc()->m_strAssetState, "-1");
    EXPECT_EQ(Doc()->m_strCatalogIds, "999");
    EXPECT_EQ(Strings(Doc()->m_arrCatalogued), m_pictures);
}

TEST_F(RecordFormTest, OkWithCheckedFoldersStoresTheirIds)
{
    OpenRecordWindow();
    ASSERT_FALSE(HasFatalFailure());
    FillDocument();
    Type("Title", "新闻 & 图片");
    Type("Price", "12");
    m_tree->SetCheckedIds("201;301");
    Click(IDC_META_OK);

    EXPECT_EQ(RecordWindow(), nullptr);
    EXPECT_EQ(std::string(Doc()->m_strFieldAttributes).find(kTypedStart), 0u) << Doc()->m_strFieldAttributes;
    EXPECT_EQ(Doc()->m_strAssetState, "0");
    EXPECT_EQ(Doc()->m_strCatalogIds, "201;301");
    EXPECT_EQ(Strings(Doc()->m_arrCatalogued), m_pictures);
}

TEST_F(RecordFormTest, OkToStoreWithoutAFolderAsksForOneAndKeepsTheWindow)
{
    OpenRecordWindow();
    ASSERT_FALSE(HasFatalFailure());
    FillDocument();
    Type("Title", "新闻 & 图片");
    Type("Price", "12");
    auto& box = Gui().Expect("").Press(IDOK);
    Click(IDC_META_OK);

    EXPECT_TRUE(box.HasText("请先选择上载入库的目录信息"));
    EXPECT_NE(RecordWindow(), nullptr);
    EXPECT_EQ(std::string(Doc()->m_strFieldAttributes).find(kTypedStart), 0u) << Doc()->m_strFieldAttributes;
    EXPECT_EQ(Doc()->m_strAssetState, "0");
    EXPECT_EQ(Doc()->m_strCatalogIds, "");
    EXPECT_EQ(Doc()->m_arrCatalogued.GetSize(), 0);
}

struct FailedCheckCase {
    const char* name;
    int button;
};

void PrintTo(const FailedCheckCase& c, std::ostream* os) { *os << c.name; }

class FailedCheckTest : public RecordFormTest, public ::testing::WithParamInterface<FailedCheckCase> {};

TEST_P(FailedCheckTest, ChangesNothingInTheDocumentAndKeepsTheWindow)
{
    OpenRecordWindow();
    ASSERT_FALSE(HasFatalFailure());
    FillDocument();
    Frame()->m_nUploadMode = 1;
    Type("Title", "新闻");
    Type("Price", "1-2");
    m_tree->SetCheckedIds("201");
    auto& box = Gui().Expect("").Press(IDOK);
    Click(GetParam().button);

    EXPECT_TRUE(box.HasText("价格的值类型不对"));
    EXPECT_NE(RecordWindow(), nullptr);
    EXPECT_EQ(::GetFocus(), Control("Price"));
    EXPECT_EQ(Doc()->m_strFieldAttributes, "Title='前次' ");
    EXPECT_EQ(Doc()->m_strAssetState, "-1");
    EXPECT_EQ(Doc()->m_strCatalogIds, "999");
    EXPECT_EQ(Strings(Doc()->m_arrCatalogued), std::vector<std::string>{"C:\\前次.jpg"});
    // No upload was asked for.
    EXPECT_EQ(Frame()->m_nUploadMode, 1);
    EXPECT_EQ(Doc()->m_engine.QueuedCount, 0);
}

INSTANTIATE_TEST_SUITE_P(Buttons, FailedCheckTest,
                         ::testing::Values(FailedCheckCase{"Ok", IDC_META_OK}, FailedCheckCase{"Submit", IDC_META_SUBMIT}),
                         [](const ::testing::TestParamInfo<FailedCheckCase>& info) { return info.param.name; });

TEST_F(RecordFormTest, CancelClosesTheWindowAndStoresNothing)
{
    OpenRecordWindow();
    ASSERT_FALSE(HasFatalFailure());
    FillDocument();
    Type("Title", "新闻");
    m_tree->SetCheckedIds("201");
    Click(IDC_META_CANCEL);

    EXPECT_EQ(RecordWindow(), nullptr);
    EXPECT_EQ(Doc()->m_strFieldAttributes, "Title='前次' ");
    EXPECT_EQ(Doc()->m_strCatalogIds, "999");
    EXPECT_EQ(Doc()->m_arrCatalogued.GetSize(), 1);
}

// ---------------------------------------------------------------------------
// End to end.

TEST_F(RecordFormTest, SubmitClosesTheWindowAndUploadsEverySelectedPictureWithTheValues)
{
    OpenRecordWindow();
    ASSERT_FALSE(HasFatalFailure());
    StartStore();
    Type("Title", "新闻 & 图片");
    Type("Price", "12");
    // An apostrophe would end the value early if it went in as it stands.
    Type("ShotTime", "O'Neil");
    m_tree->SetCheckedIds("201;301");
    auto& done = Gui().Expect("").Press(IDOK);
    Click(IDC_META_SUBMIT);

    EXPECT_EQ(RecordWindow(), nullptr);
    // WM_USER+5 ran: the upload mode is back and one task holds both pictures.
    EXPECT_EQ(Frame()->m_nUploadMode, 2);
    ASSERT_EQ(Doc()->m_engine.QueuedCount, 1);
    ASSERT_TRUE(Gui().WaitFor(done, 60000));
    // The stand-in takes only a record that parses as XML.
    EXPECT_TRUE(done.HasText(kUploaded));

    const std::vector<Request> posts = Posts();
    ASSERT_EQ(posts.size(), 1u);
    const std::string& record = posts[0].body;
    EXPECT_EQ(Occurrences(record, kTypedStart), 2u) << record;
    EXPECT_EQ(Occurrences(record, "ShotTime='O&apos;Neil' "), 2u) << record;
    EXPECT_EQ(Occurrences(record, "<AssetState>0</AssetState>"), 2u) << record;
    EXPECT_EQ(Occurrences(record, "\"201;301\""), 2u) << record;
    EXPECT_EQ(StoredPictures(), 2u);
}

TEST_F(RecordFormTest, OkThenSubmitToStoreUploadsOnlyTheCataloguedPictures)
{
    OpenRecordWindow();
    ASSERT_FALSE(HasFatalFailure());
    StartStore();
    // Catalogued while only the first picture is selected.
    SelectPictures({m_pictures[0]});
    Type("Title", "新闻 & 图片");
    Type("Price", "12");
    Click(IDC_META_PENDING_STORE);
    Click(IDC_META_OK);
    ASSERT_EQ(RecordWindow(), nullptr);
    ASSERT_EQ(Strings(Doc()->m_arrCatalogued), std::vector<std::string>{m_pictures[0]});

    SelectPictures(m_pictures);
    auto& done = Gui().Expect("").Press(IDOK);
    Frame()->SendMessage(WM_COMMAND, ID_SUBMIT_TO_STORE);
    ASSERT_TRUE(Gui().WaitFor(done, 60000));
    EXPECT_TRUE(done.HasText(kUploaded));

    const std::vector<Request> posts = Posts();
    ASSERT_EQ(posts.size(), 1u);
    const std::string& record = posts[0].body;
    EXPECT_NE(record.find(kTypedStart), std::string::npos) << record;
    EXPECT_NE(record.find("<AssetState>-1</AssetState>"), std::string::npos) << record;
    EXPECT_EQ(StoredPictures(), 1u);
}

}  // namespace
}  // namespace uploadtest

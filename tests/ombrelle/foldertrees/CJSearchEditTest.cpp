// The edit with a browse button: where its button goes, and what each of
// the four kinds fills the edit from.
#include "CJSearchEdit.h"
#include "FolderBrowser.h"
#include "ShellFolderTree.h"

#include "resource.h"

#include "GuiDriver.h"
#include "TempDir.h"

#include <dlgs.h>
#include <gtest/gtest.h>

#include <ostream>
#include <string>
#include <vector>

namespace {

// A form to hold the edits; it records the commands that reach it.
class CHostForm : public CFormView {
public:
    CHostForm() : CFormView(IDD_INPUT_TREE_FORM) {}
    std::vector<UINT> commands;

protected:
    BOOL OnCommand(WPARAM wParam, LPARAM lParam) override
    {
        if (lParam == 0) {
            commands.push_back(LOWORD(wParam));
            return TRUE;
        }
        return CFormView::OnCommand(wParam, lParam);
    }
    void OnDraw(CDC*) override {}
};

const CRect kEditRect(20, 300, 220, 322);
const UINT kEditId = 500;

class SearchEditTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        ::OleInitialize(NULL);
        m_pFrame = new CFrameWnd;
        ASSERT_TRUE(m_pFrame->Create(NULL, "edits", WS_OVERLAPPEDWINDOW | WS_VISIBLE, CRect(0, 0, 400, 500)));
        m_pForm = new CHostForm;
        ASSERT_TRUE(m_pForm->Create(NULL, NULL, WS_CHILD | WS_VISIBLE, CRect(0, 0, 380, 450), m_pFrame, AFX_IDW_PANE_FIRST,
                                    NULL));
    }

    void TearDown() override
    {
        m_edit.DestroyWindow();
        if (m_pFrame != NULL)
            m_pFrame->DestroyWindow();
        ::OleUninitialize();
    }

    // The edit of one kind, in the form or in the plain frame, subclassed
    // as a form's template control is.
    bool MakeEdit(int nKind, bool bInForm, DWORD dwVisible = WS_VISIBLE, int nMenuId = -1)
    {
        m_edit.SetKind(nKind, nMenuId);
        CWnd* pParent = bInForm ? static_cast<CWnd*>(m_pForm) : static_cast<CWnd*>(m_pFrame);
        HWND hEdit = ::CreateWindowExA(WS_EX_CLIENTEDGE, "EDIT", "", WS_CHILD | WS_TABSTOP | ES_AUTOHSCROLL | dwVisible,
                                       kEditRect.left, kEditRect.top, kEditRect.Width(), kEditRect.Height(),
                                       pParent->GetSafeHwnd(), (HMENU)(UINT_PTR)kEditId, NULL, NULL);
        return hEdit != NULL && m_edit.SubclassWindow(hEdit) != FALSE;
    }

    CRect ChildRect(CWnd& wnd)
    {
        CRect rc;
        wnd.GetWindowRect(&rc);
        wnd.GetParent()->ScreenToClient(&rc);
        return rc;
    }

    std::string EditText()
    {
        CString text;
        m_edit.GetWindowText(text);
        return std::string(text);
    }

    void Click() { m_edit.GetButton().SendMessage(BM_CLICK); }

    CFrameWnd* m_pFrame = NULL;
    CHostForm* m_pForm = NULL;
    CCJSearchEdit m_edit;
};

struct AttachCase {
    const char* name;
    int kind;
    bool inForm;
    bool button;
};

void PrintTo(const AttachCase& c, std::ostream* os) { *os << c.name; }

std::string Text(const CRect& rc)
{
    return std::to_string(rc.left) + "," + std::to_string(rc.top) + "," + std::to_string(rc.right) + "," +
           std::to_string(rc.bottom);
}

const AttachCase kAttachCases[] = {
    {"FolderInAPlainWindow", 0, false, true},
    {"PictureInAPlainWindow", 1, false, true},
    {"MenuInAPlainWindow", 2, false, false},
    {"AnyFileInAPlainWindow", 3, false, false},
    {"MenuInAForm", 2, true, true},
    {"AnyFileInAForm", 3, true, true},
    {"UnknownKind", 4, true, false},
};

class AttachTest : public SearchEditTest, public ::testing::WithParamInterface<AttachCase> {};

TEST_P(AttachTest, NarrowsTheEditAndPutsTheButtonInItsRightEnd)
{
    const AttachCase& c = GetParam();
    ASSERT_TRUE(MakeEdit(c.kind, c.inForm, WS_VISIBLE, IDR_MAINFRAME));
    EXPECT_EQ(Text(ChildRect(m_edit)), Text(CRect(kEditRect.left, kEditRect.top, kEditRect.right - 23, kEditRect.bottom)));
    CEditButton& button = m_edit.GetButton();
    ASSERT_EQ(button.GetSafeHwnd() != NULL, c.button);
    if (!c.button)
        return;
    EXPECT_EQ(Text(ChildRect(button)), Text(CRect(kEditRect.right - 18, kEditRect.top, kEditRect.right, kEditRect.bottom)));
    CString text;
    button.GetWindowText(text);
    EXPECT_EQ(std::string(text), "...");
    EXPECT_EQ(button.GetDlgCtrlID(), 32767);
    EXPECT_EQ(::GetWindow(m_edit.GetSafeHwnd(), GW_HWNDNEXT), button.GetSafeHwnd());
}

INSTANTIATE_TEST_SUITE_P(Cases, AttachTest, ::testing::ValuesIn(kAttachCases),
                         [](const ::testing::TestParamInfo<AttachCase>& info) { return std::string(info.param.name); });

TEST_F(SearchEditTest, TheButtonTakesTheHighestFreeIdAndFollowsTheEdit)
{
    CStatic taken;
    ASSERT_TRUE(taken.Create("", WS_CHILD, CRect(0, 0, 1, 1), m_pForm, 32767));
    ASSERT_TRUE(MakeEdit(0, true, 0));
    CEditButton& button = m_edit.GetButton();
    ASSERT_NE(button.GetSafeHwnd(), nullptr);
    EXPECT_EQ(button.GetDlgCtrlID(), 32766);

    m_edit.ShowWindow(SW_SHOW);
    EXPECT_TRUE(button.IsWindowVisible());
    m_edit.ShowWindow(SW_HIDE);
    EXPECT_FALSE(button.IsWindowVisible());
    m_edit.ShowWindow(SW_SHOW);
    m_edit.EnableWindow(FALSE);
    EXPECT_FALSE(button.IsWindowEnabled());
    m_edit.EnableWindow(TRUE);
    EXPECT_TRUE(button.IsWindowEnabled());
}

// The metadata form makes its edits with Create, some hidden at first.
struct CreateCase {
    const char* name;
    int kind;
    DWORD visible;
};

void PrintTo(const CreateCase& c, std::ostream* os) { *os << c.name; }

const CreateCase kCreateCases[] = {
    {"Folder", 0, WS_VISIBLE},
    {"AnyFileShownAtOnce", 3, WS_VISIBLE},
    {"AnyFileShownLater", 3, 0},
};

class CreateTest : public SearchEditTest, public ::testing::WithParamInterface<CreateCase> {};

TEST_P(CreateTest, AnEditMadeByCreateGetsItsButtonInPlace)
{
    const CreateCase& c = GetParam();
    m_edit.SetKind(c.kind);
    ASSERT_TRUE(m_edit.CreateEx(WS_EX_CLIENTEDGE, "Edit", "", WS_CHILD | WS_BORDER | ES_AUTOHSCROLL | WS_TABSTOP | c.visible,
                                kEditRect, m_pForm, kEditId));
    CEditButton& button = m_edit.GetButton();
    if (!c.visible) {
        EXPECT_EQ(button.GetSafeHwnd(), nullptr);
        m_edit.ShowWindow(SW_SHOW);
    }
    ASSERT_NE(button.GetSafeHwnd(), nullptr);
    EXPECT_TRUE(button.IsWindowVisible());
    EXPECT_EQ(Text(ChildRect(m_edit)), Text(CRect(kEditRect.left, kEditRect.top, kEditRect.right - 23, kEditRect.bottom)));
    EXPECT_EQ(Text(ChildRect(button)), Text(CRect(kEditRect.right - 18, kEditRect.top, kEditRect.right, kEditRect.bottom)));
    EXPECT_EQ(::GetWindow(m_edit.GetSafeHwnd(), GW_HWNDNEXT), button.GetSafeHwnd());

    // Its click reaches it.
    m_edit.SetWindowText("before");
    testsupport::Gui().Expect("").Press(IDCANCEL);
    Click();
    EXPECT_EQ(EditText(), "before");
}

INSTANTIATE_TEST_SUITE_P(Cases, CreateTest, ::testing::ValuesIn(kCreateCases),
                         [](const ::testing::TestParamInfo<CreateCase>& info) { return std::string(info.param.name); });

// Chooses a folder in the shell's browser from inside its modal loop.
std::string g_folderToChoose;
const testsupport::WindowExpectation* g_pBrowser = nullptr;

void CALLBACK ChooseFolder(HWND, UINT, UINT_PTR idTimer, DWORD)
{
    HWND hBrowser = NULL;
    ::EnumThreadWindows(
        ::GetCurrentThreadId(),
        [](HWND hWnd, LPARAM lParam) -> BOOL {
            char szClass[16] = "";
            ::GetClassNameA(hWnd, szClass, sizeof(szClass));
            if (std::string(szClass) == "#32770" && ::IsWindowVisible(hWnd)) {
                *reinterpret_cast<HWND*>(lParam) = hWnd;
                return FALSE;
            }
            return TRUE;
        },
        reinterpret_cast<LPARAM>(&hBrowser));
    // Once the driver has read the browser's texts.
    if (hBrowser == NULL || !g_pBrowser->Seen())
        return;
    // The browser walks its tree down to the folder and, while the test
    // programs beside this one make and remove folders in the temporary
    // folder, now and then loses its way: the choice is made again on the
    // next tick until its tree shows the folder selected.
    ::SendMessageA(hBrowser, BFFM_SETSELECTIONA, TRUE, reinterpret_cast<LPARAM>(g_folderToChoose.c_str()));
    HWND hTree = ::FindWindowExA(hBrowser, NULL, WC_TREEVIEWA, NULL);
    char szSelected[MAX_PATH] = "";
    TVITEMA item = {};
    item.mask = TVIF_TEXT;
    item.hItem = TreeView_GetSelection(hTree);
    item.pszText = szSelected;
    item.cchTextMax = MAX_PATH;
    if (item.hItem == NULL || !::SendMessageA(hTree, TVM_GETITEMA, 0, reinterpret_cast<LPARAM>(&item)))
        return;
    if (::lstrcmpiA(szSelected, g_folderToChoose.substr(g_folderToChoose.rfind('\\') + 1).c_str()) != 0)
        return;
    ::KillTimer(NULL, idTimer);
    ::PostMessageA(hBrowser, WM_COMMAND, IDOK, 0);
}

TEST_F(SearchEditTest, AFolderKindFillsTheEditFromTheShellsFolderBrowser)
{
    testsupport::TempDir dir;
    ASSERT_TRUE(MakeEdit(0, true));
    g_folderToChoose = dir.Path();
    auto& browser = testsupport::Gui().Expect("");
    g_pBrowser = &browser;
    ::SetTimer(NULL, 0, 50, ChooseFolder);
    Click();
    EXPECT_TRUE(browser.Seen());
    EXPECT_TRUE(browser.HasText("Select Folder Location:"));
    EXPECT_STRCASEEQ(EditText().c_str(), dir.Path().c_str());
}

struct FileKindCase {
    const char* name;
    int kind;
    const char* file;
    bool ok;
};

void PrintTo(const FileKindCase& c, std::ostream* os) { *os << c.name; }

const FileKindCase kFileKinds[] = {
    {"Picture", 1, "sunset.gif", true},
    {"AnyFile", 3, "notes.txt", true},
    {"PictureCancelled", 1, "sunset.gif", false},
};

class FileKindTest : public SearchEditTest, public ::testing::WithParamInterface<FileKindCase> {};

TEST_P(FileKindTest, FillsTheEditFromTheOpenFileDialog)
{
    const FileKindCase& c = GetParam();
    testsupport::TempDir dir;
    std::string path = dir.File(c.file);
    ASSERT_TRUE(testsupport::WriteFileBytes(path, "x"));
    char szFolder[MAX_PATH];
    ::GetCurrentDirectoryA(MAX_PATH, szFolder);
    ASSERT_TRUE(MakeEdit(c.kind, true));
    m_edit.SetWindowText("before");

    auto& dialog = testsupport::Gui().Expect("");
    if (c.ok)
        dialog.SetText(cmb13, path).Press(IDOK);
    else
        dialog.Press(IDCANCEL);
    Click();
    ::SetCurrentDirectoryA(szFolder);
    EXPECT_TRUE(dialog.Seen());
    EXPECT_EQ(EditText(), c.ok ? path : std::string("before"));
}

INSTANTIATE_TEST_SUITE_P(Cases, FileKindTest, ::testing::ValuesIn(kFileKinds),
                         [](const ::testing::TestParamInfo<FileKindCase>& info) { return std::string(info.param.name); });

TEST_F(SearchEditTest, AMenuKindSendsTheChosenCommandToTheEditsParent)
{
    ASSERT_TRUE(MakeEdit(2, true, WS_VISIBLE, IDR_MAINFRAME));
    // The menu's own loop takes these keys: first item, then choose it.
    m_edit.PostMessage(WM_KEYDOWN, VK_DOWN, 0);
    m_edit.PostMessage(WM_KEYDOWN, VK_RETURN, 0);
    Click();
    ASSERT_TRUE(testsupport::Gui().WaitFor([&] { return !m_pForm->commands.empty(); }));
    EXPECT_EQ(m_pForm->commands, std::vector<UINT>{ID_APP_EXIT});
    EXPECT_EQ(m_edit.GetButton().GetState() & BST_PUSHED, 0u);
}

// ---------------------------------------------------------------------------

struct ExistsCase {
    const char* name;
    const char* relative;  // under the fixture; "" for the fixture itself
    bool absolute;         // relative is the whole path
    bool exists;
};

void PrintTo(const ExistsCase& c, std::ostream* os) { *os << c.name; }

const ExistsCase kExistsCases[] = {
    {"Folder", "", false, true},
    {"FolderWithBackslash", "\\", false, true},
    {"FolderInOtherCase", "\\SUB", false, true},
    {"MissingFolder", "\\gone", false, false},
    {"MissingFolderBelowMissing", "\\gone\\deeper", false, false},
    {"AFile", "\\file.txt", false, false},
    {"DriveRoot", "C:\\", true, true},
    {"Empty", "", true, false},
};

class FolderExistsTest : public ::testing::TestWithParam<ExistsCase> {};

TEST_P(FolderExistsTest, TellsFoldersFromFilesAndNothing)
{
    const ExistsCase& c = GetParam();
    testsupport::TempDir dir;
    ::CreateDirectoryA((dir.Path() + "\\sub").c_str(), NULL);
    ASSERT_TRUE(testsupport::WriteFileBytes(dir.File("file.txt"), "x"));
    std::string path = c.absolute ? std::string(c.relative) : dir.Path() + c.relative;
    EXPECT_EQ(CShellFolderTree::FolderExists(path.c_str()) != FALSE, c.exists) << path;
}

INSTANTIATE_TEST_SUITE_P(Cases, FolderExistsTest, ::testing::ValuesIn(kExistsCases),
                         [](const ::testing::TestParamInfo<ExistsCase>& info) { return std::string(info.param.name); });

}  // namespace

namespace {

// The parts of a found file's path, and its size as people read it.
struct SizeCase {
    const char* name;
    size_t bytes;
    const char* text;
};

void PrintTo(const SizeCase& c, std::ostream* os) { *os << c.name; }

const SizeCase kSizeCases[] = {
    {"Empty", 0, "0"},
    {"ThreeDigits", 999, "999"},
    {"FourDigits", 1000, "1,000"},
    {"SevenDigits", 1234567, "1,234,567"},
};

class FolderBrowserPathTest : public ::testing::TestWithParam<SizeCase> {};

TEST_P(FolderBrowserPathTest, SplitsTheFoundPathAndGroupsItsLength)
{
    const SizeCase& c = GetParam();
    testsupport::TempDir dir;
    std::string path = dir.File("photo.final.jpg");
    ASSERT_TRUE(testsupport::WriteFileBytes(path, std::string(c.bytes, 'x')));
    CFileFind find;
    ASSERT_TRUE(find.FindFile(path.c_str()));
    find.FindNextFile();

    CFolderBrowser browser(&find);
    EXPECT_EQ(std::string(browser.GetFileName()), "photo.final.jpg");
    EXPECT_EQ(std::string(browser.GetName()), "photo.final");
    EXPECT_EQ(std::string(browser.GetExtension()), ".jpg");
    EXPECT_EQ(std::string(browser.GetFolder()), dir.Path() + "\\");
    EXPECT_TRUE(browser.Exists());
    EXPECT_EQ(std::string(browser.GetLengthText()), c.text);
    EXPECT_EQ(browser.GetLastWriteTimeText().GetLength(), 16);
}

INSTANTIATE_TEST_SUITE_P(Cases, FolderBrowserPathTest, ::testing::ValuesIn(kSizeCases),
                         [](const ::testing::TestParamInfo<SizeCase>& info) { return std::string(info.param.name); });

TEST(FolderBrowserTest, ADriveRootExistsAndAMissingFileDoesNot)
{
    EXPECT_TRUE(CFolderBrowser("C:\\").Exists());
    testsupport::TempDir dir;
    EXPECT_FALSE(CFolderBrowser(dir.File("missing.jpg").c_str()).Exists());
}

}  // namespace

// The folder tree pane inside the running client: the start at the
// remembered folder, scans into other folders, and the folder kept for the
// next start.
#include "ChildFrame.h"
#include "InputTreeFormView.h"
#include "MainFrame.h"
#include "OmbrelleApp.h"
#include "PicThumnailFormView.h"
#include "StartupSplashWnd.h"
#include "resource.h"

#include "Registry.h"
#include "TempDir.h"
#include "ClassObjectTurn.h"

#include <gtest/gtest.h>

#include <cctype>
#include <cstdlib>
#include <memory>
#include <string>

namespace {

// One application name, and so one profile, per test process: tests run
// side by side.
std::string AppName()
{
    return testsupport::ProcessUnique("OmbrelleFolderPane");
}

std::string SectionKey()
{
    return "Software\\Local AppWizard-Generated Applications\\" + AppName() + "\\PicSkipBar";
}

std::string ClassesKey()
{
    return testsupport::ProcessUnique("Software\\OmbrelleFolderPaneClasses");
}

std::string Upper(std::string text)
{
    for (char& c : text)
        c = static_cast<char>(::toupper(static_cast<unsigned char>(c)));
    return text;
}

std::string ItemPath(const CTreeCtrl& tree, HTREEITEM hItem)
{
    char szPath[MAX_PATH] = "";
    LPCITEMIDLIST pidl = hItem != NULL ? reinterpret_cast<LPCITEMIDLIST>(tree.GetItemData(hItem)) : NULL;
    if (pidl == NULL || !::SHGetPathFromIDListA(pidl, szPath))
        return "";
    return szPath;
}

HTREEITEM FindChild(const CTreeCtrl& tree, HTREEITEM hParent, const std::string& text)
{
    for (HTREEITEM h = tree.GetChildItem(hParent); h != NULL; h = tree.GetNextSiblingItem(h)) {
        if (std::string(tree.GetItemText(h)) == text)
            return h;
    }
    return NULL;
}

std::string PaneFolderLabel(CPicThumnailFormView* pPane)
{
    CString text;
    pPane->GetDlgItemText(IDC_THUMB_FOLDER, text);
    return std::string(text);
}

// Folders under the temp folder, which lies under the first top-level item
// under Wine (My Computer), the one the walk goes down.
struct Folders {
    testsupport::TempDir dir;
    std::string spring, summer, other, scans;
    Folders()
    {
        ::CreateDirectoryA((dir.Path() + "\\Pictures").c_str(), NULL);
        spring = dir.Path() + "\\Pictures\\Spring";
        ::CreateDirectoryA(spring.c_str(), NULL);
        summer = dir.Path() + "\\Pictures\\Summer";
        ::CreateDirectoryA(summer.c_str(), NULL);
        other = dir.Path() + "\\Other";
        ::CreateDirectoryA(other.c_str(), NULL);
        scans = other + "\\Scans";
        ::CreateDirectoryA(scans.c_str(), NULL);
    }
};

class FolderPaneClientTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        testsupport::DeleteRegKey(HKEY_CURRENT_USER, ClassesKey());
        ASSERT_EQ(::RegCreateKeyExA(HKEY_CURRENT_USER, ClassesKey().c_str(), 0, NULL, 0, KEY_ALL_ACCESS, NULL, &m_hClasses,
                                    NULL),
                  ERROR_SUCCESS);
        ASSERT_EQ(::RegOverridePredefKey(HKEY_CLASSES_ROOT, m_hClasses), ERROR_SUCCESS);
    }

    void TearDown() override
    {
        Stop();
        ::RegOverridePredefKey(HKEY_CLASSES_ROOT, NULL);
        ::RegCloseKey(m_hClasses);
        testsupport::DeleteRegKey(HKEY_CURRENT_USER, ClassesKey());
        testsupport::DeleteRegKey(HKEY_CURRENT_USER,
                                  "Software\\Local AppWizard-Generated Applications\\" + AppName());
    }

    // Starts the client as a normal start does, under this test's profile.
    void Start()
    {
        m_app.reset(new COmbrelleApp);
        free(const_cast<char*>(m_app->m_pszAppName));
        m_app->m_pszAppName = _strdup(AppName().c_str());
        ASSERT_TRUE(testsupport::StartUpInProcess(*m_app));
        if (CStartupSplashWnd* pSplash = CStartupSplashWnd::GetSplash())
            pSplash->DestroyWindow();
        ASSERT_NE(m_app->m_pMainFrame, nullptr);
        m_pTreePane = m_app->m_pMainFrame->GetFolderTreeView();
        ASSERT_NE(m_pTreePane, nullptr);
        m_pThumbnails = m_app->m_pMainFrame->GetThumbnailView();
    }

    void Stop()
    {
        if (!m_app)
            return;
        if (m_app->m_pMainFrame != nullptr)
            m_app->m_pMainFrame->DestroyWindow();
        m_app->m_pMainWnd = nullptr;
        MSG msg;
        while (::PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) {
        }
        m_app.reset();
        m_pTreePane = nullptr;
        m_pThumbnails = nullptr;
    }

    CProgressFolderTree& Tree() { return m_pTreePane->m_tree; }

    HKEY m_hClasses = NULL;
    std::unique_ptr<COmbrelleApp> m_app;
    CInputTreeFormView* m_pTreePane = nullptr;
    CPicThumnailFormView* m_pThumbnails = nullptr;
};

TEST_F(FolderPaneClientTest, StartsAtTheRememberedFolderAndListsIt)
{
    Folders folders;
    testsupport::WriteRegString(HKEY_CURRENT_USER, SectionKey(), "Path", folders.spring);
    Start();

    HTREEITEM hCaret = Tree().GetSelectedItem();
    EXPECT_EQ(Upper(ItemPath(Tree(), hCaret)), Upper(folders.spring));
    ASSERT_NE(m_pThumbnails, nullptr);
    EXPECT_EQ(Upper(std::string(m_pThumbnails->m_list.GetFolder())), Upper(folders.spring));
    EXPECT_EQ(Upper(PaneFolderLabel(m_pThumbnails)), Upper(folders.spring));
}

TEST_F(FolderPaneClientTest, AScanIntoAnotherFolderListsItAndLeavesTheCaretUntilAFillMeetsIt)
{
    Folders folders;
    testsupport::WriteRegString(HKEY_CURRENT_USER, SectionKey(), "Path", folders.spring);
    Start();
    ASSERT_NE(m_pThumbnails, nullptr);
    HTREEITEM hSpring = Tree().GetSelectedItem();
    ASSERT_EQ(Upper(ItemPath(Tree(), hSpring)), Upper(folders.spring));

    // Giving the tree a path alone shows nothing.
    Tree().SetSelectPath(folders.scans.c_str());
    EXPECT_EQ(Tree().GetSelectedItem(), hSpring);
    EXPECT_EQ(Upper(std::string(m_pThumbnails->m_list.GetFolder())), Upper(folders.spring));

    // No fill has met the scan folder: the pane lists it, the caret stays.
    m_app->m_pMainFrame->SelectFolderInTree(folders.scans.c_str());
    EXPECT_EQ(Tree().GetSelectedItem(), hSpring);
    EXPECT_EQ(std::string(m_pThumbnails->m_list.GetFolder()), folders.scans);
    EXPECT_EQ(PaneFolderLabel(m_pThumbnails), folders.scans);
    EXPECT_EQ(std::string(Tree().m_strCurrentFolder), folders.scans);

    // The operator opens "Other": its fill meets the scan folder, so the
    // next scan there moves the caret onto it.
    HTREEITEM hOther = FindChild(Tree(), Tree().GetParentItem(Tree().GetParentItem(hSpring)), "Other");
    ASSERT_NE(hOther, nullptr);
    Tree().Expand(hOther, TVE_EXPAND);
    HTREEITEM hScans = FindChild(Tree(), hOther, "Scans");
    ASSERT_NE(hScans, nullptr);
    EXPECT_EQ(Tree().GetSelectedItem(), hSpring);

    m_pThumbnails->m_list.ShowFolder(folders.spring.c_str(), TRUE);
    m_app->m_pMainFrame->SelectFolderInTree(folders.scans.c_str());
    EXPECT_EQ(Tree().GetSelectedItem(), hScans);
    EXPECT_EQ(Upper(std::string(m_pThumbnails->m_list.GetFolder())), Upper(folders.scans));
    EXPECT_EQ(std::string(Tree().m_strCurrentFolder), folders.scans);
}

// The item met for the start folder is no answer for a scan elsewhere.
TEST_F(FolderPaneClientTest, AScanAfterTheOperatorMovedTheCaretListsTheScanFolder)
{
    Folders folders;
    testsupport::WriteRegString(HKEY_CURRENT_USER, SectionKey(), "Path", folders.spring);
    Start();
    ASSERT_NE(m_pThumbnails, nullptr);
    HTREEITEM hSpring = Tree().GetSelectedItem();
    HTREEITEM hOther = FindChild(Tree(), Tree().GetParentItem(Tree().GetParentItem(hSpring)), "Other");
    ASSERT_NE(hOther, nullptr);
    Tree().SelectItem(hOther);
    ASSERT_EQ(Upper(std::string(m_pThumbnails->m_list.GetFolder())), Upper(folders.other));

    m_app->m_pMainFrame->SelectFolderInTree(folders.summer.c_str());
    EXPECT_EQ(Tree().GetSelectedItem(), hOther);
    EXPECT_EQ(std::string(m_pThumbnails->m_list.GetFolder()), folders.summer);
    EXPECT_EQ(std::string(Tree().m_strCurrentFolder), folders.summer);
}

TEST_F(FolderPaneClientTest, TheFolderListedLastIsWhereTheNextStartOpens)
{
    Folders folders;
    testsupport::WriteRegString(HKEY_CURRENT_USER, SectionKey(), "Path", folders.spring);
    Start();
    // The operator picks "Other" in the tree.
    HTREEITEM hSpring = Tree().GetSelectedItem();
    HTREEITEM hOther = FindChild(Tree(), Tree().GetParentItem(Tree().GetParentItem(hSpring)), "Other");
    ASSERT_NE(hOther, nullptr);
    Tree().SelectItem(hOther);
    Stop();
    EXPECT_EQ(Upper(testsupport::ReadRegString(HKEY_CURRENT_USER, SectionKey(), "Path").value_or("")),
              Upper(folders.other));

    Start();
    EXPECT_EQ(Upper(ItemPath(Tree(), Tree().GetSelectedItem())), Upper(folders.other));
}

}  // namespace

// The shell folder tree in the input folder tree pane: the walk down to the
// remembered folder, and the remembered folder kept across a restart.
#include "InputTreeFormView.h"
#include "ShellFolderTree.h"

#include "General.h"
#include "Registry.h"
#include "TempDir.h"

#include <gtest/gtest.h>

#include <cctype>
#include <ostream>
#include <string>
#include <vector>

namespace {

std::string AppKey()
{
    return testsupport::ProcessUnique("OmbrelleFolderTreesTest");
}

std::string ProfileKey()
{
    return "Software\\" + AppKey();
}

// An application of its own, for the profile under a private key.
class CTreesTestApp : public CWinApp {
public:
    CTreesTestApp() : CWinApp("Trees") { SetRegistryKey(AppKey().c_str()); }
};

std::string ItemPath(const CTreeCtrl& tree, HTREEITEM hItem)
{
    char szPath[MAX_PATH] = "";
    LPCITEMIDLIST pidl = reinterpret_cast<LPCITEMIDLIST>(tree.GetItemData(hItem));
    if (pidl == NULL || !::SHGetPathFromIDListA(pidl, szPath))
        return "";
    return szPath;
}

class ShellTreeTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        ::OleInitialize(NULL);
        testsupport::DeleteRegKey(HKEY_CURRENT_USER, ProfileKey());
        m_pFrame = new CFrameWnd;
        ASSERT_TRUE(m_pFrame->Create(NULL, "trees", WS_OVERLAPPEDWINDOW | WS_VISIBLE, CRect(0, 0, 300, 600)));
    }

    void TearDown() override
    {
        if (m_pFrame != NULL)
            m_pFrame->DestroyWindow();
        testsupport::DeleteRegKey(HKEY_CURRENT_USER, ProfileKey());
        ::OleUninitialize();
    }

    CTreesTestApp m_app;
    CFrameWnd* m_pFrame = NULL;
};

std::string Upper(std::string text)
{
    for (char& c : text)
        c = static_cast<char>(::toupper(static_cast<unsigned char>(c)));
    return text;
}

std::string Lower(std::string text)
{
    for (char& c : text)
        c = static_cast<char>(::tolower(static_cast<unsigned char>(c)));
    return text;
}

std::string ReadPath()
{
    return testsupport::ReadRegString(HKEY_CURRENT_USER, ProfileKey() + "\\Trees\\PicSkipBar", "Path").value_or("<none>");
}

void WritePath(const std::string& path)
{
    testsupport::WriteRegString(HKEY_CURRENT_USER, ProfileKey() + "\\Trees\\PicSkipBar", "Path", path);
}

// The pane as the framework makes it: created, then its initial update.
CInputTreeFormView* OpenPane(CWnd* pParent)
{
    CInputTreeFormView* pPane = new CInputTreeFormView;
    if (!pPane->Create(NULL, NULL, WS_CHILD | WS_VISIBLE, CRect(0, 0, 280, 560), pParent, AFX_IDW_PANE_FIRST, NULL))
        return NULL;
    pPane->OnInitialUpdate();
    return pPane;
}

// A folder a few levels down in the temp folder, under the first top-level
// item under Wine (My Computer), which is the one the walk goes down.
struct Fixture {
    testsupport::TempDir dir;
    std::string deep;
    std::string hidden;  // inside a hidden folder: not listed, so not reached
    Fixture()
    {
        deep = dir.Path() + "\\Pictures\\2024\\Spring";
        ::CreateDirectoryA((dir.Path() + "\\Pictures").c_str(), NULL);
        ::CreateDirectoryA((dir.Path() + "\\Pictures\\2024").c_str(), NULL);
        ::CreateDirectoryA(deep.c_str(), NULL);
        ::CreateDirectoryA((dir.Path() + "\\Secret").c_str(), NULL);
        ::SetFileAttributesA((dir.Path() + "\\Secret").c_str(), FILE_ATTRIBUTE_HIDDEN);
        hidden = dir.Path() + "\\Secret\\Inside";
        ::CreateDirectoryA(hidden.c_str(), NULL);
    }
};

TEST_F(ShellTreeTest, WalksDownToTheRememberedFolderWhateverItsCase)
{
    Fixture fixture;
    WritePath(Lower(fixture.deep));
    CInputTreeFormView* pPane = OpenPane(m_pFrame);
    ASSERT_NE(pPane, nullptr);
    CShellFolderTree& tree = pPane->m_tree;

    HTREEITEM hCaret = tree.GetSelectedItem();
    ASSERT_NE(hCaret, nullptr);
    EXPECT_EQ(hCaret, tree.GetSelectItem());
    EXPECT_EQ(Upper(ItemPath(tree, hCaret)), Upper(fixture.deep));
    EXPECT_EQ(std::string(tree.GetItemText(hCaret)), "Spring");
    HTREEITEM hParent = tree.GetParentItem(hCaret);
    ASSERT_NE(hParent, nullptr);
    EXPECT_EQ(std::string(tree.GetItemText(hParent)), "2024");
    EXPECT_EQ(std::string(tree.m_strCurrentFolder), Lower(fixture.deep));

    pPane->DestroyWindow();
    EXPECT_EQ(ReadPath(), Lower(fixture.deep));
}

struct UnreachedCase {
    const char* name;
    int which;  // 0 hidden, 1 gone, 2 empty
    const char* stored;  // what the next start finds; "=": the remembered folder
};

void PrintTo(const UnreachedCase& c, std::ostream* os) { *os << c.name; }

const UnreachedCase kUnreached[] = {
    {"InsideAHiddenFolder", 0, "="},
    {"NoLongerThere", 1, ""},
    {"StoredEmpty", 2, ""},
};

class UnreachedTest : public ShellTreeTest, public ::testing::WithParamInterface<UnreachedCase> {};

TEST_P(UnreachedTest, OpensAtTheDesktopWithNothingSelected)
{
    const UnreachedCase& c = GetParam();
    Fixture fixture;
    std::string remembered = c.which == 0 ? fixture.hidden : c.which == 1 ? fixture.dir.Path() + "\\Gone" : "";
    WritePath(remembered);
    CInputTreeFormView* pPane = OpenPane(m_pFrame);
    ASSERT_NE(pPane, nullptr);
    CShellFolderTree& tree = pPane->m_tree;

    EXPECT_EQ(tree.GetSelectedItem(), nullptr);
    EXPECT_EQ(tree.GetSelectItem(), nullptr);
    EXPECT_NE(tree.GetRootItem(), nullptr);

    pPane->DestroyWindow();
    EXPECT_EQ(ReadPath(), std::string(c.stored) == "=" ? remembered : std::string(c.stored));
}

INSTANTIATE_TEST_SUITE_P(Cases, UnreachedTest, ::testing::ValuesIn(kUnreached),
                         [](const ::testing::TestParamInfo<UnreachedCase>& info) { return std::string(info.param.name); });

TEST_F(ShellTreeTest, WithoutAStoredFolderOpensAtTheProgramFolder)
{
    Fixture fixture;
    GenSetProgramFolder(fixture.deep.c_str());
    CInputTreeFormView* pPane = OpenPane(m_pFrame);
    GenSetProgramFolder("");
    ASSERT_NE(pPane, nullptr);
    HTREEITEM hCaret = pPane->m_tree.GetSelectedItem();
    ASSERT_NE(hCaret, nullptr);
    EXPECT_EQ(Upper(ItemPath(pPane->m_tree, hCaret)), Upper(fixture.deep));
    pPane->DestroyWindow();
    EXPECT_EQ(ReadPath(), fixture.deep);
}

}  // namespace

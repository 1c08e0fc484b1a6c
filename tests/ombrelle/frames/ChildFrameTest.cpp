// The document's frame in a normal start of the client: the panes of its
// layout, found by id, and the one tab it offers.
#include "ChildFrame.h"
#include "TempDir.h"
#include "MainFrame.h"
#include "OmbrelleApp.h"
#include "OmbrelleView.h"
#include "StartupSplashWnd.h"
#include "TabWnd.h"
#include "UserSetFormView.h"

#include "Registry.h"
#include "ClassObjectTurn.h"

#include <gtest/gtest.h>
#include <string>

namespace {

std::string ClassesKey()
{
    return testsupport::ProcessUnique("Software\\OmbrelleFramesTestClasses");
}

class ChildFrameTest : public ::testing::Test {
protected:
    // The start registers the document server: into a private key.
    void SetUp() override
    {
        testsupport::DeleteRegKey(HKEY_CURRENT_USER, ClassesKey());
        ASSERT_EQ(::RegCreateKeyExA(HKEY_CURRENT_USER, ClassesKey().c_str(), 0, NULL, 0, KEY_ALL_ACCESS, NULL, &m_hClasses,
                                    NULL),
                  ERROR_SUCCESS);
        ASSERT_EQ(::RegOverridePredefKey(HKEY_CLASSES_ROOT, m_hClasses), ERROR_SUCCESS);
        ASSERT_TRUE(testsupport::StartUpInProcess(m_app));
        ASSERT_NE(m_app.m_pMainFrame, nullptr);
        CMDIChildWnd* pActive = m_app.m_pMainFrame->MDIGetActive();
        ASSERT_NE(pActive, nullptr);
        ASSERT_TRUE(pActive->IsKindOf(RUNTIME_CLASS(CChildFrame)));
        m_pChild = static_cast<CChildFrame*>(pActive);
    }

    void TearDown() override
    {
        if (m_app.m_pMainFrame != nullptr)
            m_app.m_pMainFrame->DestroyWindow();
        m_app.m_pMainWnd = nullptr;
        MSG msg;
        while (::PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) {
        }
        ::RegOverridePredefKey(HKEY_CLASSES_ROOT, NULL);
        ::RegCloseKey(m_hClasses);
        testsupport::DeleteRegKey(HKEY_CURRENT_USER, ClassesKey());
    }

    TVisualFramework& Panes() { return m_pChild->m_framework; }

    COmbrelleApp m_app;
    HKEY m_hClasses = NULL;
    CChildFrame* m_pChild = nullptr;
};

struct PaneCase {
    int id;
    int parentId;  // 0: the frame itself
    const char* what;
};

// Every pane of the layout and where it sits.
const PaneCase kPanes[] = {
    {1, 0, "splitter"},  {9, 1, "view"},       {36, 1, "splitter"}, {10, 36, "splitter"}, {35, 10, "picture"},
    {12, 10, "tabs"},    {15, 12, "view"},     {16, 12, "view"},    {17, 12, "view"},     {11, 36, "view"},
};

TEST_F(ChildFrameTest, TheLayoutHoldsEveryPaneUnderItsIdInsideItsParent)
{
    for (const PaneCase& c : kPanes) {
        SCOPED_TRACE(c.id);
        TVisualNode* pNode = Panes().FindNode(c.id);
        ASSERT_NE(pNode, nullptr);
        CWnd* pWnd = pNode->GetWnd();
        ASSERT_NE(pWnd, nullptr);
        CWnd* pParent = c.parentId == 0 ? static_cast<CWnd*>(m_pChild) : Panes().GetWindow(c.parentId);
        EXPECT_EQ(pWnd->GetParent(), pParent);
        EXPECT_EQ(pNode->GetParentNode(), c.parentId == 0 ? nullptr : Panes().FindNode(c.parentId));
        const std::string what = c.what;
        if (what == "splitter")
            EXPECT_TRUE(pWnd->IsKindOf(RUNTIME_CLASS(CSplitterWnd)));
        else if (what == "tabs")
            EXPECT_TRUE(pWnd->IsKindOf(RUNTIME_CLASS(TTabWnd)));
        else if (what == "picture")
            EXPECT_TRUE(pWnd->IsKindOf(RUNTIME_CLASS(COmbrelleView)));
        else
            EXPECT_TRUE(pWnd->IsKindOf(RUNTIME_CLASS(CView)));
        // The panes show the document of the frame.
        if (pWnd->IsKindOf(RUNTIME_CLASS(CView))) {
            EXPECT_EQ(static_cast<CView*>(pWnd)->GetDocument(), m_app.GetCurrentDocument());
        }
    }
    CSplitterWnd* pRoot = static_cast<CSplitterWnd*>(Panes().GetWindow(1));
    EXPECT_EQ(pRoot->GetColumnCount(), 2);
    EXPECT_EQ(pRoot->GetPane(0, 0), Panes().GetWindow(9));
    CSplitterWnd* pRight = static_cast<CSplitterWnd*>(Panes().GetWindow(36));
    EXPECT_EQ(pRight->GetRowCount(), 2);
    EXPECT_EQ(pRight->GetPane(0, 0), Panes().GetWindow(11));
    EXPECT_EQ(pRight->GetPane(1, 0), Panes().GetWindow(10));
    CSplitterWnd* pLower = static_cast<CSplitterWnd*>(Panes().GetWindow(10));
    EXPECT_EQ(pLower->GetPane(0, 0), Panes().GetWindow(35));
    EXPECT_EQ(pLower->GetPane(0, 1), Panes().GetWindow(12));

    // The folder tree pane is the active one.
    EXPECT_EQ(Panes().GetActiveNode(), Panes().FindNode(9));
}

TEST_F(ChildFrameTest, TheTabWindowOffersOnlyTheFileInformationTabAtTheBottom)
{
    TTabWnd* pTabs = static_cast<TTabWnd*>(Panes().GetWindow(12));
    ASSERT_NE(pTabs, nullptr);
    ASSERT_EQ(pTabs->GetTabCount(), 3);
    EXPECT_EQ(pTabs->GetTabPos(), TTabWnd::TABPOS_BOTTOM);
    EXPECT_STREQ(pTabs->GetTabText(0), "文件信息");
    EXPECT_STREQ(pTabs->GetTabText(1), "IPTC Info");
    EXPECT_STREQ(pTabs->GetTabText(2), "图片设置");
    EXPECT_EQ(pTabs->GetActiveTab(), 0);
    EXPECT_TRUE(pTabs->IsTabVisible(0));
    EXPECT_FALSE(pTabs->IsTabVisible(1));
    EXPECT_FALSE(pTabs->IsTabVisible(2));
    for (int id : {15, 16, 17})
        EXPECT_NE(Panes().FindNode(id)->GetIcon(), nullptr) << id;

    // Drawn, the strip shows one tab and the hidden ones' captions stay away.
    pTabs->RedrawWindow(nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW | RDW_ERASE | RDW_ALLCHILDREN);
    EXPECT_GT(pTabs->GetTabsWidth(), 0);
    EXPECT_EQ(pTabs->GetTabsWidth(), pTabs->GetTabEntry(0)->m_nRight);
    EXPECT_FALSE(pTabs->GetTabEntry(1)->m_pLabel->IsWindowVisible());
    EXPECT_FALSE(pTabs->GetTabEntry(2)->m_pLabel->IsWindowVisible());
    // The hidden pages exist all the same.
    EXPECT_NE(Panes().GetWindow(16), nullptr);
    ASSERT_NE(Panes().GetWindow(17), nullptr);
    EXPECT_TRUE(Panes().GetWindow(17)->IsKindOf(RUNTIME_CLASS(CUserSetFormView)));
}

TEST_F(ChildFrameTest, TheChildFrameIsMaximisedWithNeitherSystemMenuNorTitle)
{
    EXPECT_TRUE(m_pChild->IsZoomed());
    EXPECT_EQ(m_pChild->GetStyle() & WS_SYSMENU, 0u);
    CString strTitle;
    m_pChild->GetWindowText(strTitle);
    EXPECT_STREQ(strTitle, "");
}

TEST_F(ChildFrameTest, TheMainFramesOwnFrameworkFindsNothing)
{
    for (int id : {3, 5, 6, 7, 9, 11})
        EXPECT_EQ(m_app.m_pMainFrame->m_framework.FindNode(id), nullptr) << id;
}

}  // namespace

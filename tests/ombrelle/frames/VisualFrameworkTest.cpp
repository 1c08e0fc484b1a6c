// The pane framework: registration by id, creation of the whole tree in a
// frame, look-ups, the active pane and the tabs of pages.
#include "VisualFramework.h"

#include "TabWnd.h"

#include <gtest/gtest.h>

#include <memory>

#include "FrameTestViews.h"

namespace {

// The layout the tests build: splitter 1 (1 x 2) with view 2 on the left
// and tab window 3 on the right, holding pages 4, 5 and 6.
enum { kRoot = 1, kLeft = 2, kTabs = 3, kFirst = 4, kSecond = 5, kThird = 6 };

TVisualFramework* g_pFramework = nullptr;
CRuntimeClass* g_pSecondPageClass = nullptr;  // the class of page 5
BOOL g_bCreated = FALSE;

BOOL BuildLayout(CFramesTestFrame* pFrame, CCreateContext* pContext)
{
    TVisualNode* pRoot = new TVisualNode(kRoot, "", 1, 2, pContext);
    TVisualNode* pLeft = new TVisualNode(kLeft, 0, 0, pContext, RUNTIME_CLASS(CFramesTestView), 150, 0);
    TVisualNode* pTabs = new TVisualNode(kTabs, 0, 1, pContext, RUNTIME_CLASS(TTabWnd), 0, 0, TVisualNode::TF_TABS_TOP);
    g_pFramework->AddRoot(pRoot);
    g_pFramework->AddChild(pRoot, pLeft);
    g_pFramework->AddChild(pRoot, pTabs);
    g_pFramework->AddChild(pTabs, new TVisualNode(kFirst, "甲", pContext, RUNTIME_CLASS(CFramesTestView)));
    g_pFramework->AddChild(pTabs, new TVisualNode(kSecond, "乙", pContext, g_pSecondPageClass));
    g_pFramework->AddChild(pTabs, new TVisualNode(kThird, "丙", pContext, RUNTIME_CLASS(CFramesTestView)));
    g_bCreated = g_pFramework->Create(pFrame);
    return TRUE;
}

class VisualFrameworkTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        g_pFramework = &m_framework;
        g_pSecondPageClass = RUNTIME_CLASS(CFramesTestView);
        g_bCreated = FALSE;
    }
    void MakeFrame()
    {
        m_pFrame = MakeTestFrame(BuildLayout);
        ASSERT_NE(m_pFrame, nullptr);
    }
    void TearDown() override
    {
        if (m_pFrame != nullptr)
            m_pFrame->DestroyWindow();
        PumpPending();
        g_pFramework = nullptr;
    }
    TTabWnd* Tabs() { return static_cast<TTabWnd*>(m_framework.GetWindow(kTabs)); }

    TVisualFramework m_framework;
    CFramesTestFrame* m_pFrame = nullptr;
};

TEST_F(VisualFrameworkTest, RegistrationRefusesAnIdTakenAlreadyAndLeavesThatNodeUnlinked)
{
    EXPECT_EQ(m_framework.FindNode(1), nullptr);
    TVisualNode* pRoot = new TVisualNode(1, "", 1, 2, nullptr);
    TVisualNode* pChild = new TVisualNode(2, 0, 0, nullptr, RUNTIME_CLASS(CFramesTestView), 10, 10);
    ASSERT_TRUE(m_framework.AddRoot(pRoot));
    ASSERT_TRUE(m_framework.AddChild(pRoot, pChild));

    std::unique_ptr<TVisualNode> sameAsRoot(new TVisualNode(1, "", 2, 2, nullptr));
    std::unique_ptr<TVisualNode> sameAsChild(new TVisualNode(2, 0, 1, nullptr, RUNTIME_CLASS(CFramesTestView), 5, 5));
    EXPECT_FALSE(m_framework.AddRoot(sameAsRoot.get()));
    EXPECT_FALSE(m_framework.AddChild(pRoot, sameAsChild.get()));
    EXPECT_FALSE(m_framework.AddChild(pChild, sameAsRoot.get()));

    EXPECT_EQ(m_framework.FindNode(1), pRoot);
    EXPECT_EQ(m_framework.FindNode(2), pChild);
    EXPECT_EQ(m_framework.FindNode(3), nullptr);
    EXPECT_EQ(m_framework.GetRootCount(), 1);
    EXPECT_EQ(pRoot->m_children.size(), 1u);
    EXPECT_TRUE(pChild->m_children.empty());
    EXPECT_EQ(pChild->GetParentNode(), pRoot);
    EXPECT_EQ(pChild->GetFramework(), &m_framework);
    EXPECT_EQ(sameAsChild->GetParentNode(), nullptr);
    EXPECT_EQ(sameAsChild->GetFramework(), nullptr);
    // Nothing is created yet.
    EXPECT_EQ(m_framework.GetWindow(2), nullptr);
}

TEST_F(VisualFrameworkTest, ATabPageNodeIsATabWindowOrAViewByItsClass)
{
    TVisualNode tab(1, "页", nullptr, RUNTIME_CLASS(TTabWnd));
    TVisualNode view(2, "页", nullptr, RUNTIME_CLASS(CFramesTestView));
    TVisualNode neither(3, "页", nullptr, RUNTIME_CLASS(CSplitterWnd));
    EXPECT_EQ(tab.GetType(), TVisualNode::typeTab);
    EXPECT_EQ(view.GetType(), TVisualNode::typeTabView);
    EXPECT_EQ(neither.GetType(), TVisualNode::typeNone);
}

TEST_F(VisualFrameworkTest, CreateBuildsTheTreeAndEveryPaneIsFoundByIdAndByWindow)
{
    MakeFrame();
    ASSERT_TRUE(g_bCreated);

    CWnd* pRoot = m_framework.GetWindow(kRoot);
    ASSERT_NE(pRoot, nullptr);
    EXPECT_TRUE(pRoot->IsKindOf(RUNTIME_CLASS(CSplitterWnd)));
    EXPECT_EQ(pRoot->GetParent(), m_pFrame);
    CSplitterWnd* pSplitter = static_cast<CSplitterWnd*>(pRoot);
    EXPECT_EQ(m_framework.GetWindow(kLeft), pSplitter->GetPane(0, 0));
    EXPECT_EQ(m_framework.GetWindow(kTabs), pSplitter->GetPane(0, 1));
    ASSERT_NE(Tabs(), nullptr);
    ASSERT_TRUE(Tabs()->IsKindOf(RUNTIME_CLASS(TTabWnd)));
    EXPECT_EQ(Tabs()->GetTabPos(), TTabWnd::TABPOS_TOP);
    ASSERT_EQ(Tabs()->GetTabCount(), 3);
    for (int id : {kFirst, kSecond, kThird}) {
        SCOPED_TRACE(id);
        CWnd* pPage = m_framework.GetWindow(id);
        ASSERT_NE(pPage, nullptr);
        EXPECT_EQ(Tabs()->GetTabIndex(pPage), id - kFirst);
        EXPECT_EQ(m_framework.FindNode(pPage), m_framework.FindNode(id));
        EXPECT_EQ(m_framework.GetNodeId(pPage), id);
        EXPECT_TRUE(m_framework.FindNode(id)->IsTabPane());
        EXPECT_FALSE(m_framework.FindNode(id)->IsSplitterPane());
    }
    EXPECT_EQ(m_framework.GetNodeId(m_pFrame), 0);
    EXPECT_TRUE(m_framework.FindNode(kLeft)->IsSplitterPane());
    EXPECT_TRUE(m_framework.FindNode(kRoot)->IsSplitter());
    EXPECT_TRUE(m_framework.FindNode(kTabs)->IsTabWindow());
    EXPECT_EQ(m_framework.FindNode(kTabs)->GetActiveTab(), m_framework.FindNode(kFirst));
    // The first pane in id order that is neither a splitter nor a tab window.
    EXPECT_EQ(m_framework.GetActiveNode(), m_framework.FindNode(kLeft));
    EXPECT_EQ(m_pFrame->GetActiveView(), m_framework.GetWindow(kLeft));
    EXPECT_EQ(m_framework.GetFrame(), m_pFrame);
}

TEST_F(VisualFrameworkTest, CreateReportsAPaneWhoseWindowCouldNotBeMade)
{
    g_pSecondPageClass = RUNTIME_CLASS(CFramesRefusingView);
    MakeFrame();
    EXPECT_FALSE(g_bCreated);
    // The panes made before it stay; the failed one is looked up as none.
    EXPECT_NE(m_framework.GetWindow(kLeft), nullptr);
    EXPECT_NE(m_framework.GetWindow(kFirst), nullptr);
    ASSERT_NE(m_framework.FindNode(kSecond), nullptr);
    EXPECT_EQ(m_framework.FindNode(kSecond)->GetWnd(), nullptr);
    EXPECT_EQ(m_framework.GetWindow(kSecond), nullptr);
    EXPECT_EQ(Tabs()->GetTabCount(), 1);
}

TEST_F(VisualFrameworkTest, CreateStopsAtANodeOfUnknownKind)
{
    g_pSecondPageClass = RUNTIME_CLASS(CSplitterWnd);
    MakeFrame();
    EXPECT_FALSE(g_bCreated);
    EXPECT_NE(m_framework.GetWindow(kFirst), nullptr);
    EXPECT_EQ(m_framework.GetWindow(kSecond), nullptr);
    EXPECT_EQ(m_framework.GetWindow(kThird), nullptr);
}

TEST_F(VisualFrameworkTest, SetActiveNodeRefusesSplittersTabWindowsAndDisabledViews)
{
    MakeFrame();
    ASSERT_TRUE(g_bCreated);
    ASSERT_TRUE(m_framework.FindNode(kSecond)->Enable(FALSE));

    struct Case {
        int id;
        BOOL result;
    };
    for (const Case& c : {Case{kRoot, FALSE}, Case{kTabs, FALSE}, Case{kSecond, FALSE}, Case{99, FALSE}}) {
        SCOPED_TRACE(c.id);
        EXPECT_EQ(m_framework.SetActiveNode(m_framework.FindNode(c.id)), c.result);
        EXPECT_EQ(m_framework.GetActiveNode(), m_framework.FindNode(kLeft));
        EXPECT_EQ(Tabs()->GetActiveTab(), 0);
    }
    BOOL bEnabled = TRUE;
    EXPECT_TRUE(m_framework.FindNode(kSecond)->IsEnabled(bEnabled));
    EXPECT_FALSE(bEnabled);
}

TEST_F(VisualFrameworkTest, SetActiveNodeBringsItsTabWindowToThePageAndMakesItTheActiveView)
{
    MakeFrame();
    ASSERT_TRUE(g_bCreated);
    ASSERT_TRUE(m_framework.FindNode(kThird)->SetActive());
    EXPECT_EQ(Tabs()->GetActiveTab(), 2);
    EXPECT_TRUE(m_framework.GetWindow(kThird)->IsWindowVisible());
    EXPECT_FALSE(m_framework.GetWindow(kFirst)->IsWindowVisible());
    EXPECT_EQ(m_framework.GetActiveNode(), m_framework.FindNode(kThird));

    // A page whose tab cannot be chosen cannot become active.
    ASSERT_TRUE(m_framework.FindNode(kFirst)->EnableTab(FALSE));
    EXPECT_FALSE(m_framework.SetActiveNode(m_framework.FindNode(kFirst)));
    EXPECT_EQ(Tabs()->GetActiveTab(), 2);

    // The page of a disabled view comes up disabled when its tab is chosen.
    ASSERT_TRUE(m_framework.FindNode(kSecond)->Enable(FALSE));
    ASSERT_TRUE(Tabs()->SetActiveTab(1, FALSE));
    EXPECT_FALSE(m_framework.GetWindow(kSecond)->IsWindowEnabled());
}

TEST_F(VisualFrameworkTest, TabsOfTheCurrentPageCannotBeHiddenOrDisabled)
{
    MakeFrame();
    ASSERT_TRUE(g_bCreated);
    TVisualNode* pFirst = m_framework.FindNode(kFirst);
    TVisualNode* pSecond = m_framework.FindNode(kSecond);
    EXPECT_FALSE(pFirst->ShowTab(FALSE));
    EXPECT_FALSE(pFirst->EnableTab(FALSE));
    EXPECT_TRUE(Tabs()->IsTabVisible(0));
    EXPECT_TRUE(Tabs()->IsTabEnabled(0));

    EXPECT_TRUE(pSecond->ShowTab(FALSE));
    BOOL bVisible = TRUE;
    EXPECT_TRUE(pSecond->IsTabVisible(bVisible));
    EXPECT_FALSE(bVisible);
    EXPECT_TRUE(pSecond->EnableTab(FALSE));
    BOOL bEnabled = TRUE;
    EXPECT_TRUE(pSecond->IsTabEnabled(bEnabled));
    EXPECT_FALSE(bEnabled);
    EXPECT_TRUE(pSecond->IsEnabled(bEnabled));
    EXPECT_FALSE(bEnabled);

    // Panes that are no tab pages have no tab.
    TVisualNode* pLeft = m_framework.FindNode(kLeft);
    EXPECT_FALSE(pLeft->ShowTab(FALSE));
    EXPECT_FALSE(pLeft->EnableTab(FALSE));
    EXPECT_FALSE(pLeft->IsTabVisible(bVisible));
    EXPECT_FALSE(pLeft->SetActiveTab());
    EXPECT_FALSE(m_framework.FindNode(kRoot)->Enable(FALSE));
}

TEST_F(VisualFrameworkTest, AHotKeyActivatesItsPane)
{
    MakeFrame();
    ASSERT_TRUE(g_bCreated);
    m_framework.FindNode(kThird)->SetHotKey('C');
    MSG msg = {m_pFrame->m_hWnd, WM_SYSKEYDOWN, 'B', 0, 0, {0, 0}};
    EXPECT_FALSE(m_framework.ProcessMessage(&msg));
    msg.wParam = 'C';
    EXPECT_TRUE(m_framework.ProcessMessage(&msg));
    EXPECT_EQ(Tabs()->GetActiveTab(), 2);
    msg.message = WM_KEYDOWN;
    EXPECT_FALSE(m_framework.ProcessMessage(&msg));
}

TEST_F(VisualFrameworkTest, DestroyTakesTheWindowsAndForgetsTheNodes)
{
    MakeFrame();
    ASSERT_TRUE(g_bCreated);
    HWND hSplitter = m_framework.GetWindow(kRoot)->m_hWnd;
    HWND hPage = m_framework.GetWindow(kThird)->m_hWnd;
    m_framework.Destroy();
    EXPECT_FALSE(::IsWindow(hSplitter));
    EXPECT_FALSE(::IsWindow(hPage));
    EXPECT_EQ(m_framework.FindNode(kRoot), nullptr);
    EXPECT_EQ(m_framework.GetRootCount(), 0);
    EXPECT_TRUE(::IsWindow(m_pFrame->m_hWnd));
}

TEST_F(VisualFrameworkTest, PanesGoneWithTheirFrameAreLookedUpAsNone)
{
    MakeFrame();
    ASSERT_TRUE(g_bCreated);
    m_pFrame->DestroyWindow();
    m_pFrame = nullptr;
    EXPECT_NE(m_framework.FindNode(kLeft), nullptr);
    EXPECT_EQ(m_framework.GetWindow(kLeft), nullptr);
    EXPECT_EQ(m_framework.GetWindow(kTabs), nullptr);
    EXPECT_EQ(m_framework.GetFrame(), nullptr);
    EXPECT_EQ(m_framework.GetActiveNode(), nullptr);
    EXPECT_FALSE(m_framework.SetActiveNode(m_framework.FindNode(kFirst)));
}

}  // namespace

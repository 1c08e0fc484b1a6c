// The tab strip window: which page shows, which tab can be chosen, where a
// click lands, and the captions laid onto the tabs.
#include "TabWnd.h"

#include <gtest/gtest.h>

#include <string>

#include "FrameTestViews.h"

namespace {

const UINT kFirstPageId = 13576;

// A tab window that refuses to leave its current page.
class CStickyTabWnd : public TTabWnd {
public:
    BOOL CanSwitch(CWnd*, CWnd*) override { return FALSE; }
};

class TabWndTest : public ::testing::Test {
protected:
    void MakeTabs(TTabWnd* pTab, int nTabPos, const char* const* titles, int nCount)
    {
        m_pFrame = MakeTestFrame();
        ASSERT_NE(m_pFrame, nullptr);
        m_pTab = pTab;
        ASSERT_TRUE(m_pTab->Create(nullptr, "", WS_CHILD | WS_VISIBLE, CRect(0, 0, 0, 0), m_pFrame, 9592));
        m_pTab->SetTabPos(nTabPos);
        for (int i = 0; i < nCount; i++)
            ASSERT_NE(m_pTab->AddViewTab(titles[i], RUNTIME_CLASS(CFramesTestView), nullptr), nullptr);
        Paint();
    }
    void MakeTabs(int nTabPos = TTabWnd::TABPOS_TOP)
    {
        static const char* const kTitles[] = {"文件信息", "IPTC Info", "图片设置"};
        MakeTabs(&m_tab, nTabPos, kTitles, 3);
    }
    void Paint()
    {
        m_pTab->RedrawWindow(nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW | RDW_ERASE | RDW_ALLCHILDREN);
        PumpPending();
    }
    // The middle of a tab as last painted, in the tab window's client area.
    CPoint TabCentre(int nIndex)
    {
        CTabEntry* pEntry = m_pTab->GetTabEntry(nIndex);
        CRect rect;
        m_pTab->GetClientRect(&rect);
        int y = m_pTab->GetTabPos() == TTabWnd::TABPOS_TOP ? 21 : rect.Height() - 21;
        return CPoint((pEntry->m_nLeft + pEntry->m_nRight) / 2, y);
    }
    // The frame deletes itself with its window.
    void CloseFrame()
    {
        if (m_pFrame != nullptr)
            m_pFrame->DestroyWindow();
        m_pFrame = nullptr;
        PumpPending();
    }
    void TearDown() override { CloseFrame(); }

    CFramesTestFrame* m_pFrame = nullptr;
    TTabWnd m_tab;
    TTabWnd* m_pTab = nullptr;
};

TEST_F(TabWndTest, OnlyTheFirstPageAddedShowsTheOthersStartHiddenAndDisabled)
{
    MakeTabs();
    ASSERT_EQ(m_tab.GetTabCount(), 3);
    EXPECT_EQ(m_tab.GetActiveTab(), 0);
    for (int i = 0; i < 3; i++) {
        CWnd* pPage = m_tab.GetTabWnd(i);
        ASSERT_NE(pPage, nullptr);
        EXPECT_EQ(pPage->GetDlgCtrlID(), static_cast<int>(kFirstPageId) + i);
        EXPECT_EQ(pPage->IsWindowVisible() != FALSE, i == 0) << i;
        EXPECT_EQ(pPage->IsWindowEnabled() != FALSE, i == 0) << i;
        EXPECT_EQ(m_tab.GetTabIndex(pPage), i);
    }
    EXPECT_STREQ(m_tab.GetTabText(1), "IPTC Info");
    EXPECT_EQ(m_tab.GetTabIndex(m_pFrame), -1);
}

TEST_F(TabWndTest, TheTabWindowFillsTheFrameAndItsPagesLieBesideTheStrip)
{
    for (int nPos : {TTabWnd::TABPOS_TOP, TTabWnd::TABPOS_BOTTOM}) {
        SCOPED_TRACE(nPos);
        TTabWnd* pTab = new TTabWnd;
        static const char* const kTitles[] = {"甲"};
        MakeTabs(pTab, nPos, kTitles, 1);
        CRect frameClient, tabClient, page;
        m_pFrame->GetClientRect(&frameClient);
        m_pTab->GetClientRect(&tabClient);
        EXPECT_EQ(tabClient.Size(), frameClient.Size());
        m_pTab->GetTabWnd(0)->GetWindowRect(&page);
        m_pTab->ScreenToClient(&page);
        EXPECT_EQ(page.left, 1);
        EXPECT_EQ(page.top, nPos == TTabWnd::TABPOS_TOP ? 41 : 0);
        EXPECT_EQ(page.Height(), tabClient.Height() - (nPos == TTabWnd::TABPOS_TOP ? 42 : 40));
        CloseFrame();
        delete pTab;
    }
    m_pTab = nullptr;
}

struct SwitchCase {
    const char* name;
    int index;
    BOOL result;
    int activeAfter;
};

TEST_F(TabWndTest, SetActiveTabTakesOnlyEnabledVisibleTabs)
{
    static const SwitchCase kCases[] = {
        {"none", -1, FALSE, 0},  {"current", 0, TRUE, 0},      {"hidden", 1, FALSE, 0},
        {"disabled", 2, FALSE, 0}, {"out of range", 7, FALSE, 0},
    };
    MakeTabs();
    m_tab.ShowTab(1, FALSE);
    m_tab.EnableTab(2, FALSE);
    for (const SwitchCase& c : kCases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(m_tab.SetActiveTab(c.index, FALSE), c.result);
        EXPECT_EQ(m_tab.GetActiveTab(), c.activeAfter);
        EXPECT_TRUE(m_tab.GetTabWnd(0)->IsWindowVisible());
    }
}

TEST_F(TabWndTest, SwitchingHidesTheOldPageAndShowsTheNewOneWithItsOwnEnabledFlag)
{
    MakeTabs();
    m_tab.SetTabPageEnabled(2, FALSE);
    ASSERT_TRUE(m_tab.SetActiveTab(2, FALSE));
    EXPECT_EQ(m_tab.GetActiveTab(), 2);
    EXPECT_FALSE(m_tab.GetTabWnd(0)->IsWindowVisible());
    EXPECT_FALSE(m_tab.GetTabWnd(0)->IsWindowEnabled());
    EXPECT_TRUE(m_tab.GetTabWnd(2)->IsWindowVisible());
    EXPECT_FALSE(m_tab.GetTabWnd(2)->IsWindowEnabled());

    ASSERT_TRUE(m_tab.SetActiveTab(1, FALSE));
    EXPECT_FALSE(m_tab.GetTabWnd(2)->IsWindowVisible());
    EXPECT_TRUE(m_tab.GetTabWnd(1)->IsWindowVisible());
    EXPECT_TRUE(m_tab.GetTabWnd(1)->IsWindowEnabled());
}

TEST_F(TabWndTest, ADerivedWindowCanRefuseTheSwitch)
{
    CStickyTabWnd* pTab = new CStickyTabWnd;
    static const char* const kTitles[] = {"甲", "乙"};
    MakeTabs(pTab, TTabWnd::TABPOS_TOP, kTitles, 2);
    EXPECT_FALSE(pTab->SetActiveTab(1, TRUE));
    EXPECT_EQ(pTab->GetActiveTab(), 0);
    EXPECT_TRUE(pTab->GetTabWnd(0)->IsWindowVisible());
    EXPECT_FALSE(pTab->GetTabWnd(1)->IsWindowVisible());
    CloseFrame();
    delete pTab;
}

TEST_F(TabWndTest, HitTestFindsTheEnabledVisibleTabUnderThePointInsideTheBand)
{
    for (int nPos : {TTabWnd::TABPOS_TOP, TTabWnd::TABPOS_BOTTOM}) {
        SCOPED_TRACE(nPos);
        TTabWnd* pTab = new TTabWnd;
        static const char* const kTitles[] = {"文件信息", "IPTC Info", "图片设置", "第四页"};
        MakeTabs(pTab, nPos, kTitles, 4);
        CRect client;
        pTab->GetClientRect(&client);
        const CPoint first = TabCentre(0), second = TabCentre(1);
        const int bandEdge = nPos == TTabWnd::TABPOS_TOP ? 6 : client.Height() - 6;
        const int outside = nPos == TTabWnd::TABPOS_TOP ? 38 : client.Height() - 38;

        EXPECT_EQ(pTab->HitTest(first), 0);
        EXPECT_EQ(pTab->HitTest(second), 1);
        EXPECT_EQ(pTab->HitTest(first.x, bandEdge), 0);
        EXPECT_EQ(pTab->HitTest(first.x, outside), -1);
        EXPECT_EQ(pTab->HitTest(first.x, client.Height() / 2), -1);
        EXPECT_EQ(pTab->HitTest(client.Width() - 2, first.y), -1);

        // A hidden tab leaves its place to the next one, whose index stays.
        pTab->ShowTab(1, FALSE);
        Paint();
        EXPECT_EQ(pTab->HitTest(second), 2);
        pTab->EnableTab(2, FALSE);
        EXPECT_EQ(pTab->HitTest(second), -1);
        CloseFrame();
        delete pTab;
    }
    m_pTab = nullptr;
}

TEST_F(TabWndTest, ACaptionIsCutToTwoHundredPixelsAndAnIconWidensItsTab)
{
    static const char* const kTitles[] = {"甲", "一个非常非常长的标题，远远超过两百个像素的宽度，必须被截短才能放进标签里", "乙"};
    TTabWnd* pTab = new TTabWnd;
    MakeTabs(pTab, TTabWnd::TABPOS_TOP, kTitles, 3);
    CTabEntry* pShort = pTab->GetTabEntry(0);
    CTabEntry* pLong = pTab->GetTabEntry(1);
    const int shortWidth = pShort->m_nRight - pShort->m_nLeft;
    EXPECT_LT(shortWidth, 210);
    EXPECT_EQ(pLong->m_nRight - pLong->m_nLeft, 210);
    EXPECT_EQ(pLong->m_nLeft, pShort->m_nRight);

    HICON hIcon = (HICON)::LoadImageA(nullptr, MAKEINTRESOURCEA(32516), IMAGE_ICON, 16, 16, LR_SHARED);
    ASSERT_NE(hIcon, nullptr);
    pTab->SetTabIcon(0, hIcon);
    Paint();
    EXPECT_EQ(pShort->m_nRight - pShort->m_nLeft, shortWidth + 24);
    EXPECT_EQ(pTab->GetTabsWidth(), pTab->GetTabEntry(2)->m_nRight);
    CloseFrame();
    delete pTab;
    m_pTab = nullptr;
}

TEST_F(TabWndTest, AClickOnATabShowsItsPageAndAClickElsewhereChangesNothing)
{
    MakeTabs(TTabWnd::TABPOS_BOTTOM);
    CPoint second = TabCentre(1);
    m_tab.SendMessage(WM_LBUTTONUP, 0, MAKELPARAM(second.x, second.y + 20));  // below the band
    EXPECT_EQ(m_tab.GetActiveTab(), 0);
    m_tab.SendMessage(WM_LBUTTONUP, 0, MAKELPARAM(second.x, second.y));
    EXPECT_EQ(m_tab.GetActiveTab(), 1);
    EXPECT_TRUE(m_tab.GetTabWnd(1)->IsWindowVisible());

    m_tab.ShowTab(2, FALSE);
    Paint();
    CTabEntry* pHidden = m_tab.GetTabEntry(2);
    m_tab.SendMessage(WM_LBUTTONUP, 0, MAKELPARAM(pHidden->m_nRight + 1, second.y));
    EXPECT_EQ(m_tab.GetActiveTab(), 1);
}

TEST_F(TabWndTest, EachVisibleTabCarriesItsCaptionAndAHiddenTabLeavesNoneBehind)
{
    MakeTabs(TTabWnd::TABPOS_BOTTOM);
    CRect client;
    m_tab.GetClientRect(&client);
    for (int i = 0; i < 3; i++) {
        CTabEntry* pEntry = m_tab.GetTabEntry(i);
        CRect label;
        pEntry->m_pLabel->GetWindowRect(&label);
        m_tab.ScreenToClient(&label);
        EXPECT_TRUE(pEntry->m_pLabel->IsWindowVisible()) << i;
        EXPECT_GE(label.left, pEntry->m_nLeft) << i;
        EXPECT_LE(label.right, pEntry->m_nRight) << i;
        EXPECT_GE(label.top, client.Height() - 36) << i;
        EXPECT_LE(label.bottom, client.Height() - 6) << i;
    }
    CRect secondPlace;
    m_tab.GetTabEntry(1)->m_pLabel->GetWindowRect(&secondPlace);
    m_tab.ShowTab(1, FALSE);
    Paint();
    EXPECT_FALSE(m_tab.GetTabEntry(1)->m_pLabel->IsWindowVisible());
    CRect thirdNow;
    m_tab.GetTabEntry(2)->m_pLabel->GetWindowRect(&thirdNow);
    EXPECT_EQ(thirdNow.left, secondPlace.left);
}

}  // namespace

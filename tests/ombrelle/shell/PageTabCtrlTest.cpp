// The page tab control in a dialog of the test's own: pages of the dialog's
// windows, switched by the tabs, enabled together, and the dialog's two row
// buttons switched off on every page change.
#include "PageTabCtrl.h"

#include <gtest/gtest.h>

#include <memory>
#include <vector>

namespace {

const int kTabsId = 1017;
const int kModifyId = 1010;
const int kDeleteId = 1008;
const int kPages = 3;

// A dialog with no controls of its own: the test adds them.
struct EmptyTemplate {
    DLGTEMPLATE dialog;
    WORD menu;
    WORD windowClass;
    WORD title;
};

class CPagesDialog : public CDialog {
public:
    int m_nSelChanges = 0;  // the tab change as the dialog sees it

protected:
    afx_msg void OnTabChange(NMHDR*, LRESULT* pResult)
    {
        ++m_nSelChanges;
        *pResult = 0;
    }
    DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(CPagesDialog, CDialog)
    ON_NOTIFY(TCN_SELCHANGE, kTabsId, OnTabChange)
END_MESSAGE_MAP()

bool Visible(CWnd& wnd) { return (wnd.GetStyle() & WS_VISIBLE) != 0; }

class PageTabCtrlTest : public ::testing::TestWithParam<bool> {
protected:
    void SetUp() override
    {
        static const EmptyTemplate kTemplate = {
            {WS_POPUP | WS_CAPTION | WS_VISIBLE, 0, 0, 0, 0, 240, 160}, 0, 0, 0};
        ASSERT_TRUE(m_dialog.CreateIndirect(&kTemplate.dialog, nullptr));
        ASSERT_TRUE(m_tabs.Create(WS_CHILD | WS_VISIBLE, CRect(4, 4, 300, 200), &m_dialog, kTabsId));
        for (const char* title : {"用户", "模块", "功能"})
            m_tabs.InsertItem(m_tabs.GetItemCount(), title);
        for (int i = 0; i < 5; ++i) {
            m_windows.push_back(std::make_unique<CButton>());
            ASSERT_TRUE(m_windows.back()->Create("窗口", WS_CHILD | WS_VISIBLE | BS_PUSHBUTTON,
                                                 CRect(10, 40 + 20 * i, 100, 58 + 20 * i), &m_dialog, 2000 + i));
        }
        if (WithRowButtons()) {
            ASSERT_TRUE(m_modify.Create("修改", WS_CHILD | WS_VISIBLE, CRect(10, 220, 70, 240), &m_dialog, kModifyId));
            ASSERT_TRUE(m_delete.Create("删除", WS_CHILD | WS_VISIBLE, CRect(80, 220, 140, 240), &m_dialog, kDeleteId));
        }
    }

    void TearDown() override
    {
        if (m_dialog.GetSafeHwnd() != NULL)
            m_dialog.DestroyWindow();
        MSG msg;
        while (::PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) {
        }
    }

    bool WithRowButtons() const { return GetParam(); }

    // Pages 0: windows 0 and 1; 1: window 2; 2: window 3. Window 4 is on no page.
    void FillPages()
    {
        const int pageOf[] = {0, 0, 1, 2};
        for (int i = 0; i < 4; ++i)
            ASSERT_TRUE(m_tabs.AddWindowToPage(m_windows[i].get(), pageOf[i]));
    }

    std::vector<bool> Shown()
    {
        std::vector<bool> shown;
        for (auto& wnd : m_windows)
            shown.push_back(Visible(*wnd));
        return shown;
    }

    void ClickTab(int nTab)
    {
        CRect rect;
        ASSERT_TRUE(m_tabs.GetItemRect(nTab, &rect));
        const LPARAM at = MAKELPARAM(rect.CenterPoint().x, rect.CenterPoint().y);
        m_tabs.SendMessage(WM_LBUTTONDOWN, MK_LBUTTON, at);
        m_tabs.SendMessage(WM_LBUTTONUP, 0, at);
    }

    // The row buttons, enabled again; true when the dialog has none.
    void EnableRowButtons()
    {
        if (!WithRowButtons())
            return;
        m_modify.EnableWindow(TRUE);
        m_delete.EnableWindow(TRUE);
    }
    void ExpectRowButtonsOff()
    {
        if (!WithRowButtons())
            return;
        EXPECT_FALSE(m_modify.IsWindowEnabled());
        EXPECT_FALSE(m_delete.IsWindowEnabled());
    }

    CPagesDialog m_dialog;
    CPageTabCtrl m_tabs;
    std::vector<std::unique_ptr<CButton>> m_windows;
    CButton m_modify;
    CButton m_delete;
};

TEST_P(PageTabCtrlTest, AWindowForAPageWithoutATabIsRefusedAndStaysAsItWas)
{
    for (int page : {kPages, kPages + 1, -1}) {
        EXPECT_FALSE(m_tabs.AddWindowToPage(m_windows[0].get(), page)) << page;
        EXPECT_TRUE(Visible(*m_windows[0]));
    }
    EXPECT_TRUE(m_tabs.AddWindowToPage(m_windows[0].get(), kPages - 1));
    EXPECT_FALSE(Visible(*m_windows[0]));
}

TEST_P(PageTabCtrlTest, ChoosingATabShowsItsPageAndHidesThePreviousOne)
{
    FillPages();
    EXPECT_EQ(Shown(), std::vector<bool>({false, false, false, false, true}));

    EnableRowButtons();
    EXPECT_EQ(m_tabs.SetCurSel(0), 0);
    EXPECT_EQ(Shown(), std::vector<bool>({true, true, false, false, true}));
    ExpectRowButtonsOff();

    // By the mouse: the control changes the page and the dialog hears of it.
    EnableRowButtons();
    ClickTab(2);
    EXPECT_EQ(m_tabs.GetCurSel(), 2);
    EXPECT_EQ(m_dialog.m_nSelChanges, 1);
    EXPECT_EQ(Shown(), std::vector<bool>({false, false, false, true, true}));
    ExpectRowButtonsOff();

    EnableRowButtons();
    EXPECT_EQ(m_tabs.SetCurSel(1), 2);
    EXPECT_EQ(Shown(), std::vector<bool>({false, false, true, false, true}));
    ExpectRowButtonsOff();

    // Chosen again, the page shows all its windows again.
    m_windows[2]->ShowWindow(SW_HIDE);
    EnableRowButtons();
    EXPECT_EQ(m_tabs.SetCurSel(1), 1);
    EXPECT_EQ(Shown(), std::vector<bool>({false, false, true, false, true}));
    ExpectRowButtonsOff();
}

TEST_P(PageTabCtrlTest, DisablingTheControlDisablesTheWindowsOfEveryPage)
{
    FillPages();
    m_tabs.SetCurSel(1);
    m_tabs.EnableWindow(FALSE);
    for (int i = 0; i < 4; ++i)
        EXPECT_FALSE(m_windows[i]->IsWindowEnabled()) << i;
    EXPECT_TRUE(m_windows[4]->IsWindowEnabled());
    m_tabs.EnableWindow(TRUE);
    for (int i = 0; i < 4; ++i)
        EXPECT_TRUE(m_windows[i]->IsWindowEnabled()) << i;
}

INSTANTIATE_TEST_SUITE_P(RowButtons, PageTabCtrlTest, ::testing::Values(true, false),
                         [](const ::testing::TestParamInfo<bool>& info) {
                             return info.param ? std::string("WithModifyAndDelete") : std::string("WithoutThem");
                         });

}  // namespace

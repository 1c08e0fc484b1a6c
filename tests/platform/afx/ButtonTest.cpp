// Owner-draw buttons and tabs draw themselves: the parent's WM_DRAWITEM
// comes back to the control's DrawItem.
#include "afxwin.h"
#include "afxcmn.h"

#include "ControlHost.h"

#include <gtest/gtest.h>

#include <vector>

namespace {

using controltest::CControlHost;

struct DrawCall {
    UINT ctlType;
    UINT ctlId;
    UINT itemId;
    UINT state;
};

class CDrawnButton : public CButton {
public:
    std::vector<DrawCall> m_calls;
    void DrawItem(LPDRAWITEMSTRUCT lpDraw) override
    {
        EXPECT_EQ(m_hWnd, lpDraw->hwndItem);
        m_calls.push_back(DrawCall{lpDraw->CtlType, lpDraw->CtlID, lpDraw->itemID, lpDraw->itemState});
    }
};

class CDrawnTabs : public CTabCtrl {
public:
    std::vector<DrawCall> m_calls;
    void DrawItem(LPDRAWITEMSTRUCT lpDraw) override
    {
        EXPECT_EQ(m_hWnd, lpDraw->hwndItem);
        m_calls.push_back(DrawCall{lpDraw->CtlType, lpDraw->CtlID, lpDraw->itemID, lpDraw->itemState});
    }
};

class OwnerDrawControls : public testing::Test {
protected:
    void SetUp() override { ASSERT_TRUE(m_host.CreateHost()); }
    CControlHost m_host;
};

TEST_F(OwnerDrawControls, ButtonDrawsItselfWithItsState)
{
    CDrawnButton button;
    ASSERT_TRUE(button.Create(_T("画"), WS_CHILD | WS_VISIBLE | BS_OWNERDRAW, CRect(10, 10, 110, 40),
                              &m_host, 48280));
    button.UpdateWindow();
    ASSERT_FALSE(button.m_calls.empty());
    EXPECT_EQ((UINT)ODT_BUTTON, button.m_calls.back().ctlType);
    EXPECT_EQ(48280u, button.m_calls.back().ctlId);
    EXPECT_EQ(0u, button.m_calls.back().state & ODS_SELECTED);

    button.m_calls.clear();
    button.SetState(TRUE);  // pushed in
    button.UpdateWindow();
    ASSERT_FALSE(button.m_calls.empty());
    EXPECT_NE(0u, button.m_calls.back().state & ODS_SELECTED);
}

TEST_F(OwnerDrawControls, TabControlDrawsEachTab)
{
    CDrawnTabs tabs;
    ASSERT_TRUE(tabs.Create(WS_CHILD | WS_VISIBLE | TCS_OWNERDRAWFIXED, CRect(10, 50, 300, 200), &m_host,
                            48281));
    EXPECT_EQ(0, tabs.InsertItem(0, _T("常规")));
    EXPECT_EQ(1, tabs.InsertItem(1, _T("高级")));
    EXPECT_EQ(2, tabs.GetItemCount());
    tabs.m_calls.clear();
    tabs.Invalidate();
    tabs.UpdateWindow();

    bool drawn[2] = {false, false};
    for (const DrawCall& call : tabs.m_calls) {
        EXPECT_EQ((UINT)ODT_TAB, call.ctlType);
        ASSERT_LT(call.itemId, 2u);
        drawn[call.itemId] = true;
    }
    EXPECT_TRUE(drawn[0]);
    EXPECT_TRUE(drawn[1]);
}

}  // namespace

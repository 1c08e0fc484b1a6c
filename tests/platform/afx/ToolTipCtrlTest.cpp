// CToolTipCtrl: tools that are child windows or parts of a window, with
// texts given or loaded from string resources along the resource chain.
#include "afxwin.h"
#include "afxcmn.h"

#include "ControlHost.h"
#include "ControlsTestRes.h"

#include <gtest/gtest.h>

namespace {

using controltest::CControlHost;

class ToolTipCtrlTest : public testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(m_host.CreateHost());
        ASSERT_TRUE(m_button.Create(_T("上传"), WS_CHILD | WS_VISIBLE | BS_PUSHBUTTON,
                                    CRect(10, 10, 110, 40), &m_host, 48250));
        ASSERT_TRUE(m_tip.Create(&m_host));
    }

    // What the control keeps for a tool: a window by its handle, a part of
    // a window by the window and the id.
    BOOL ToolInfo(TOOLINFO& info, CWnd* pWnd, UINT_PTR nIDTool, LPTSTR buffer)
    {
        memset(&info, 0, sizeof(info));
        info.cbSize = TTTOOLINFOA_V2_SIZE;
        info.hwnd = nIDTool == 0 ? ::GetParent(pWnd->m_hWnd) : pWnd->m_hWnd;
        info.uId = nIDTool == 0 ? (UINT_PTR)pWnd->m_hWnd : nIDTool;
        info.lpszText = buffer;
        return (BOOL)m_tip.SendMessage(TTM_GETTOOLINFO, 0, (LPARAM)&info);
    }
    CString TextOf(CWnd* pWnd, UINT_PTR nIDTool = 0)
    {
        char buffer[INFOTIPSIZE] = "";
        TOOLINFO info;
        ToolInfo(info, pWnd, nIDTool, buffer);
        info.lpszText = buffer;  // a resource text comes back as its id
        m_tip.SendMessage(TTM_GETTEXT, sizeof(buffer), (LPARAM)&info);
        return CString(buffer);
    }

    CControlHost m_host;
    CButton m_button;
    CToolTipCtrl m_tip;
};

TEST_F(ToolTipCtrlTest, ToolsAreWindowsOrPartsOfAWindow)
{
    EXPECT_EQ(0, m_tip.GetToolCount());
    ASSERT_TRUE(m_tip.AddTool(&m_button, _T("把文件传上去")));
    const RECT part = {200, 10, 260, 40};
    ASSERT_TRUE(m_tip.AddTool(&m_host, _T("区域"), &part, 5));
    EXPECT_EQ(2, m_tip.GetToolCount());

    EXPECT_STREQ(_T("把文件传上去"), TextOf(&m_button));
    EXPECT_STREQ(_T("区域"), TextOf(&m_host, 5));

    TOOLINFO info;
    char buffer[INFOTIPSIZE];
    ASSERT_TRUE(ToolInfo(info, &m_button, 0, buffer));
    EXPECT_TRUE(info.uFlags & TTF_IDISHWND);
    ASSERT_TRUE(ToolInfo(info, &m_host, 5, buffer));
    EXPECT_EQ(part.left, info.rect.left);
    EXPECT_EQ(part.right, info.rect.right);

    m_tip.UpdateTipText(_T("新的"), &m_host, 5);
    EXPECT_STREQ(_T("新的"), TextOf(&m_host, 5));

    m_tip.DelTool(&m_button);
    EXPECT_EQ(1, m_tip.GetToolCount());
    EXPECT_STREQ(_T("新的"), TextOf(&m_host, 5));
}

TEST_F(ToolTipCtrlTest, TextsFromStringResources)
{
    ASSERT_TRUE(m_tip.AddTool(&m_button, IDS_CTLTEST_TIP));
    EXPECT_STREQ(_T("上传文件"), TextOf(&m_button));
    m_tip.UpdateTipText(IDS_CTLTEST_TIP2, &m_button);
    EXPECT_STREQ(_T("下载文件"), TextOf(&m_button));
}

}  // namespace

// Frames and the views they hold: a form view's data exchange and dialog
// keys, a scroll view's scrolling, a single-document program's frame, the
// status bar's messages and the tool-window frame.
#include "afxwin.h"
#include "afxcmn.h"

#include "DocFrameTestRes.h"
#include "GuiDriver.h"

#include <gtest/gtest.h>
#include <string>
#include <vector>

namespace {

std::vector<std::string> g_log;

class CFtForm : public CFormView {
    DECLARE_DYNCREATE(CFtForm)
public:
    CFtForm() : CFormView(IDD_DF_FORM) {}
    CString m_strName = "初值";
    int m_nCount = 3;

    void DoDataExchange(CDataExchange* pDX) override
    {
        CFormView::DoDataExchange(pDX);
        DDX_Text(pDX, IDC_DF_NAME, m_strName);
        DDX_Text(pDX, IDC_DF_COUNT, m_nCount);
    }

protected:
    void OnApply() { g_log.push_back("apply"); }
    DECLARE_MESSAGE_MAP()
};
IMPLEMENT_DYNCREATE(CFtForm, CFormView)
BEGIN_MESSAGE_MAP(CFtForm, CFormView)
    ON_BN_CLICKED(IDC_DF_APPLY, OnApply)
END_MESSAGE_MAP()

class CFtScroll : public CScrollView {
    DECLARE_DYNCREATE(CFtScroll)
protected:
    void OnDraw(CDC*) override {}
};
IMPLEMENT_DYNCREATE(CFtScroll, CScrollView)

class CFtApp : public CWinApp {
public:
    CFtApp() : CWinApp("框架测试") {}
    // Pumps until the next message of this kind has been through.
    void PumpUntil(UINT message)
    {
        do
            ASSERT_TRUE(PumpMessage());
        while (m_msgCur.message != message);
    }
};

// A frame holding one view of the given class, made as the program would.
class CFtFrameTest : public ::testing::Test {
protected:
    void TearDown() override
    {
        if (m_app.m_pMainWnd != nullptr)
            m_app.m_pMainWnd->DestroyWindow();
        MSG msg;
        while (::PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) {
        }
    }

    CFrameWnd* MakeFrame(CRuntimeClass* pViewClass)
    {
        CCreateContext context;
        context.m_pNewViewClass = pViewClass;
        CFrameWnd* pFrame = new CFrameWnd;
        if (!pFrame->LoadFrame(IDR_DF_SDIFRAME, WS_OVERLAPPEDWINDOW, nullptr, &context))
            return nullptr;
        m_app.m_pMainWnd = pFrame;
        pFrame->SetWindowPos(nullptr, 0, 0, 400, 300, SWP_NOZORDER | SWP_NOMOVE);
        pFrame->InitialUpdateFrame(nullptr, TRUE);
        return pFrame;
    }

    CFtApp m_app;
};

TEST_F(CFtFrameTest, FormViewShowsItsDataAndTabMovesBetweenItsControls)
{
    CFrameWnd* pFrame = MakeFrame(RUNTIME_CLASS(CFtForm));
    ASSERT_NE(pFrame, nullptr);
    CFtForm* pForm = static_cast<CFtForm*>(pFrame->GetActiveView());
    ASSERT_NE(pForm, nullptr);
    ASSERT_TRUE(pForm->IsKindOf(RUNTIME_CLASS(CFtForm)));
    EXPECT_EQ(pForm->GetDlgCtrlID(), AFX_IDW_PANE_FIRST);
    EXPECT_EQ(pForm->GetParent(), pFrame);

    // The initial update shows the members.
    CString text;
    pForm->GetDlgItemText(IDC_DF_NAME, text);
    EXPECT_STREQ(text, "初值");
    EXPECT_EQ(pForm->GetDlgItemInt(IDC_DF_COUNT), 3u);

    // And the controls' values come back.
    pForm->SetDlgItemText(IDC_DF_NAME, "新名");
    pForm->SetDlgItemText(IDC_DF_COUNT, "42");
    ASSERT_TRUE(pForm->UpdateData(TRUE));
    EXPECT_STREQ(pForm->m_strName, "新名");
    EXPECT_EQ(pForm->m_nCount, 42);

    // Tab, pumped as the program would, moves to the next control.
    HWND hName = pForm->GetDlgItem(IDC_DF_NAME)->m_hWnd;
    HWND hCount = pForm->GetDlgItem(IDC_DF_COUNT)->m_hWnd;
    // Activation settles first: it moves the focus itself.
    pFrame->SetForegroundWindow();
    testsupport::Gui().WaitFor([&] { return ::GetForegroundWindow() == pFrame->m_hWnd; });
    MSG msg;
    while (::PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE))
        ::DispatchMessageA(&msg);
    ::SetFocus(hName);
    ASSERT_EQ(::GetFocus(), hName);
    ::PostMessageA(hName, WM_KEYDOWN, VK_TAB, 0);
    m_app.PumpUntil(WM_KEYDOWN);
    EXPECT_EQ(::GetFocus(), hCount);

    // Its buttons' commands reach the form's own map.
    g_log.clear();
    ::SendMessageA(pForm->GetDlgItem(IDC_DF_APPLY)->m_hWnd, BM_CLICK, 0, 0);
    EXPECT_EQ(g_log, std::vector<std::string>{"apply"});
}

TEST_F(CFtFrameTest, FormViewCanBeTheChildOfAnyWindow)
{
    CWnd host;
    ASSERT_TRUE(host.CreateEx(0, AfxRegisterWndClass(0), "宿主", WS_OVERLAPPEDWINDOW | WS_VISIBLE,
                              0, 0, 400, 300, nullptr, nullptr));
    CFtForm* pForm = new CFtForm;
    ASSERT_TRUE(pForm->Create(nullptr, nullptr, WS_CHILD | WS_VISIBLE, CRect(10, 10, 300, 200),
                              &host, 77, nullptr));
    EXPECT_EQ(pForm->GetParent(), &host);
    EXPECT_EQ(pForm->GetDlgCtrlID(), 77);
    EXPECT_NE(pForm->GetDlgItem(IDC_DF_APPLY), nullptr);
    CRect rect;
    pForm->GetWindowRect(&rect);
    host.ScreenToClient(&rect);
    EXPECT_EQ(rect, CRect(10, 10, 300, 200));
    pForm->OnInitialUpdate();
    CString text;
    pForm->GetDlgItemText(IDC_DF_NAME, text);
    EXPECT_STREQ(text, "初值");
    // The template's initial data fills the combo box, as in a dialog.
    CComboBox* pKind = static_cast<CComboBox*>(pForm->GetDlgItem(IDC_DF_KIND));
    ASSERT_EQ(pKind->GetCount(), 2);
    pKind->GetLBText(0, text);
    EXPECT_STREQ(text, "一");
    pKind->GetLBText(1, text);
    EXPECT_STREQ(text, "two");
    host.DestroyWindow();  // the form deletes itself with its window
}

TEST_F(CFtFrameTest, ScrollViewScrollsWithinTheSizesItWasGiven)
{
    CFrameWnd* pFrame = MakeFrame(RUNTIME_CLASS(CFtScroll));
    ASSERT_NE(pFrame, nullptr);
    CFtScroll* pView = static_cast<CFtScroll*>(pFrame->GetActiveView());
    ASSERT_NE(pView, nullptr);
    pView->SetScrollSizes(MM_TEXT, CSize(1000, 800), CSize(100, 90), CSize(10, 9));
    EXPECT_TRUE(pView->GetStyle() & WS_VSCROLL);
    EXPECT_TRUE(pView->GetStyle() & WS_HSCROLL);
    EXPECT_EQ(pView->GetTotalSize(), CSize(1000, 800));

    struct Step {
        UINT message;
        UINT code;
        CPoint expected;
    };
    const Step steps[] = {
        {WM_VSCROLL, SB_LINEDOWN, CPoint(0, 9)},
        {WM_VSCROLL, SB_PAGEDOWN, CPoint(0, 99)},
        {WM_HSCROLL, SB_LINEDOWN, CPoint(10, 99)},
        {WM_HSCROLL, SB_PAGEDOWN, CPoint(110, 99)},
        {WM_VSCROLL, SB_LINEUP, CPoint(110, 90)},
        {WM_HSCROLL, SB_TOP, CPoint(0, 90)},
    };
    for (const Step& step : steps) {
        pView->SendMessage(step.message, MAKEWPARAM(step.code, 0), 0);
        EXPECT_EQ(pView->GetDeviceScrollPosition(), step.expected) << step.code;
    }

    // The wheel scrolls by lines, no more than a page.
    CPoint before = pView->GetDeviceScrollPosition();
    pView->SendMessage(WM_MOUSEWHEEL, MAKEWPARAM(0, (WORD)(short)-WHEEL_DELTA), 0);
    UINT uLines = 3;
    ::SystemParametersInfoA(SPI_GETWHEELSCROLLLINES, 0, &uLines, 0);
    int expected = (int)uLines * 9 > 90 ? 90 : (int)uLines * 9;
    EXPECT_EQ(pView->GetDeviceScrollPosition().y, before.y + expected);

    // Positions past the end stop at the last page.
    CRect client;
    pView->GetClientRect(&client);
    pView->ScrollToPosition(CPoint(5000, 5000));
    EXPECT_EQ(pView->GetDeviceScrollPosition(), CPoint(1000 - client.Width(), 800 - client.Height()));

    // Drawing starts where the view is scrolled to.
    CClientDC dc(pView);
    pView->OnPrepareDC(&dc);
    CPoint org;
    ::GetViewportOrgEx(dc.m_hDC, &org);
    EXPECT_EQ(org, CPoint(-(1000 - client.Width()), -(800 - client.Height())));

    // A document that fits needs no bars and goes back to the origin.
    pView->SetScrollSizes(MM_TEXT, CSize(50, 40));
    EXPECT_FALSE(pView->GetStyle() & (WS_VSCROLL | WS_HSCROLL));
    EXPECT_EQ(pView->GetDeviceScrollPosition(), CPoint(0, 0));
}

TEST_F(CFtFrameTest, ResizeParentToFitShrinksOnlyTheSidesLargerThanTheDocument)
{
    CFrameWnd* pFrame = MakeFrame(RUNTIME_CLASS(CFtScroll));
    ASSERT_NE(pFrame, nullptr);
    CFtScroll* pView = static_cast<CFtScroll*>(pFrame->GetActiveView());
    ASSERT_NE(pView, nullptr);
    CRect before, client;
    pFrame->GetWindowRect(&before);
    pView->GetClientRect(&client);
    // Wider than the view, lower than it: only the height shrinks, to the document's.
    pView->SetScrollSizes(MM_TEXT, CSize(client.Width() + 300, client.Height() - 50));
    pView->ResizeParentToFit();
    CRect after;
    pFrame->GetWindowRect(&after);
    EXPECT_EQ(after.TopLeft(), before.TopLeft());
    EXPECT_EQ(after.Width(), before.Width());
    pView->GetClientRect(&client);
    // The horizontal bar that the wider document needs takes its part of that height.
    const int bar = (pView->GetStyle() & WS_HSCROLL) ? ::GetSystemMetrics(SM_CYHSCROLL) : 0;
    EXPECT_EQ(client.Height() + bar, pView->GetTotalSize().cy);

    // Not shrinking only: the frame grows until the whole document shows.
    pView->SetScrollSizes(MM_TEXT, CSize(client.Width() + 40, client.Height() + 30));
    pView->ResizeParentToFit(FALSE);
    pView->GetClientRect(&client);
    EXPECT_EQ(client.Size(), pView->GetTotalSize());
}

TEST_F(CFtFrameTest, ScrollViewPositionsAreInTheUnitsOfItsMappingMode)
{
    CFrameWnd* pFrame = MakeFrame(RUNTIME_CLASS(CFtScroll));
    ASSERT_NE(pFrame, nullptr);
    CFtScroll* pView = static_cast<CFtScroll*>(pFrame->GetActiveView());
    // Tenths of millimetres, y growing upwards: a long page.
    pView->SetScrollSizes(MM_LOMETRIC, CSize(2100, 2970));
    EXPECT_EQ(pView->GetTotalSize(), CSize(2100, 2970));
    pView->ScrollToPosition(CPoint(0, -1000));
    CPoint device = pView->GetDeviceScrollPosition();
    EXPECT_GT(device.y, 0);
    CPoint logical = pView->GetScrollPosition();
    EXPECT_NEAR(logical.y, -1000, 3);
    EXPECT_EQ(logical.x, 0);

    // Scaled to fit: no bars, nothing to scroll.
    pView->SetScaleToFitSize(CSize(100, 100));
    EXPECT_FALSE(pView->GetStyle() & (WS_VSCROLL | WS_HSCROLL));
    EXPECT_EQ(pView->GetScrollPosition(), CPoint(0, 0));
}

// A stand-in status bar: the frame finds it by its id.
class CFtMessageBar : public CWnd {
public:
    BOOL Make(CWnd* pParent)
    {
        return CreateEx(0, "STATIC", "", WS_CHILD | WS_VISIBLE, CRect(0, 0, 10, 10), pParent,
                        AFX_IDW_STATUS_BAR);
    }
};

TEST_F(CFtFrameTest, StatusMessagesShowCommandPromptsAndTheIdleMessage)
{
    CFrameWnd* pFrame = MakeFrame(RUNTIME_CLASS(CFtScroll));
    ASSERT_NE(pFrame, nullptr);
    CFtMessageBar bar;
    ASSERT_TRUE(bar.Make(pFrame));
    CString text;

    pFrame->SetMessageText("直接的文字");
    bar.GetWindowText(text);
    EXPECT_STREQ(text, "直接的文字");

    // A command's string shows up to its line break.
    pFrame->SendMessage(WM_MENUSELECT, MAKEWPARAM(ID_DF_ALL, MF_STRING), (LPARAM)::GetMenu(pFrame->m_hWnd));
    bar.GetWindowText(text);
    EXPECT_STREQ(text, "每一处都处理");

    // The menu closing brings the idle message back.
    pFrame->SendMessage(WM_MENUSELECT, MAKEWPARAM(0, 0xFFFF), 0);
    bar.GetWindowText(text);
    EXPECT_STREQ(text, "就绪");
    bar.DestroyWindow();
}

class CFtSdiDoc : public CDocument {
    DECLARE_DYNCREATE(CFtSdiDoc)
public:
    BOOL OnNewDocument() override
    {
        g_log.push_back("new");
        return CDocument::OnNewDocument();
    }
};
IMPLEMENT_DYNCREATE(CFtSdiDoc, CDocument)

TEST_F(CFtFrameTest, SingleDocumentTemplateMakesTheMainFrameAndReusesItsDocument)
{
    g_log.clear();
    CSingleDocTemplate* pTemplate = new CSingleDocTemplate(
        IDR_DF_SDIFRAME, RUNTIME_CLASS(CFtSdiDoc), RUNTIME_CLASS(CFrameWnd), RUNTIME_CLASS(CFtScroll));
    m_app.AddDocTemplate(pTemplate);
    m_app.OnFileNew();
    ASSERT_NE(m_app.m_pMainWnd, nullptr);
    CFrameWnd* pFrame = static_cast<CFrameWnd*>(m_app.m_pMainWnd);
    CDocument* pDoc = pFrame->GetActiveDocument();
    ASSERT_NE(pDoc, nullptr);
    EXPECT_TRUE(pFrame->IsWindowVisible());
    CString caption;
    pFrame->GetWindowText(caption);
    EXPECT_STREQ(caption, "无标题 - 单文档程序");

    // File New again: the same document, asked to start afresh.
    pDoc->SetModifiedFlag();
    auto& ask = testsupport::Gui().Expect("框架测试").Press(IDNO);
    m_app.OnFileNew();
    EXPECT_TRUE(ask.Seen());
    EXPECT_EQ(pFrame->GetActiveDocument(), pDoc);
    EXPECT_EQ(m_app.m_pMainWnd, pFrame);
    EXPECT_EQ(g_log, (std::vector<std::string>{"new", "new"}));
    EXPECT_FALSE(pDoc->IsModified());

    // Closing the main frame closes the document.
    pFrame->SendMessage(WM_CLOSE);
    EXPECT_EQ(m_app.m_pMainWnd, nullptr);
    EXPECT_EQ(m_app.GetOpenDocumentCount(), 0);
}

TEST_F(CFtFrameTest, ControlViewsAreTheirControl)
{
    CFrameWnd* pFrame = MakeFrame(RUNTIME_CLASS(CListView));
    ASSERT_NE(pFrame, nullptr);
    CListView* pList = static_cast<CListView*>(pFrame->GetActiveView());
    ASSERT_NE(pList, nullptr);
    char szClass[32];
    ::GetClassNameA(pList->m_hWnd, szClass, sizeof szClass);
    EXPECT_STREQ(szClass, WC_LISTVIEWA);
    EXPECT_EQ(pList->GetListCtrl().InsertItem(0, "第一项"), 0);
    EXPECT_EQ(pList->GetListCtrl().GetItemCount(), 1);
    pFrame->DestroyWindow();
    m_app.m_pMainWnd = nullptr;

    pFrame = MakeFrame(RUNTIME_CLASS(CTreeView));
    ASSERT_NE(pFrame, nullptr);
    CTreeView* pTree = static_cast<CTreeView*>(pFrame->GetActiveView());
    ASSERT_NE(pTree, nullptr);
    ::GetClassNameA(pTree->m_hWnd, szClass, sizeof szClass);
    EXPECT_STREQ(szClass, WC_TREEVIEWA);
    EXPECT_NE(pTree->GetTreeCtrl().InsertItem("根"), nullptr);
    EXPECT_EQ(pTree->GetTreeCtrl().GetCount(), 1u);
}

TEST(CFtMiniFrame, IsAToolWindowWithACaption)
{
    CMiniFrameWnd* pMini = new CMiniFrameWnd;
    ASSERT_TRUE(pMini->Create(nullptr, "工具", WS_CAPTION | WS_SYSMENU | MFS_THICKFRAME | WS_VISIBLE,
                              CRect(20, 20, 220, 120)));
    EXPECT_TRUE(pMini->GetExStyle() & WS_EX_TOOLWINDOW);
    EXPECT_TRUE(pMini->GetStyle() & WS_THICKFRAME);
    EXPECT_TRUE(pMini->IsFrameWnd());
    CString caption;
    pMini->GetWindowText(caption);
    EXPECT_STREQ(caption, "工具");
    pMini->DestroyWindow();  // deletes itself
}

}  // namespace

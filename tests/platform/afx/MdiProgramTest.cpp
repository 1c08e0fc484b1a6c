// One MDI program put together from the frame classes, bars and a static
// splitter, run as a user would: made, laid out, a tool bar button's
// command routed to the document, the status bar's messages, closed.
#include "afxwin.h"
#include "afxext.h"

#include "DocFrameTestRes.h"
#include "GuiDriver.h"

#include <gtest/gtest.h>
#include <functional>
#include <string>
#include <vector>

namespace {

std::vector<std::string> g_commands;

const UINT kDockedBarId = AFX_IDW_CONTROLBAR_FIRST + 0x30;

class CMpDoc : public CDocument {
    DECLARE_DYNCREATE(CMpDoc)
public:
    CString m_strName = "甲";

protected:
    void OnAll() { g_commands.push_back("document"); }
    DECLARE_MESSAGE_MAP()
};
IMPLEMENT_DYNCREATE(CMpDoc, CDocument)
BEGIN_MESSAGE_MAP(CMpDoc, CDocument)
    ON_COMMAND(ID_DF_ALL, OnAll)
END_MESSAGE_MAP()

class CMpForm : public CFormView {
    DECLARE_DYNCREATE(CMpForm)
public:
    CMpForm() : CFormView(IDD_DF_FORM) {}
    CString m_strName;
    void OnInitialUpdate() override
    {
        m_strName = static_cast<CMpDoc*>(GetDocument())->m_strName;
        CFormView::OnInitialUpdate();
    }
    void DoDataExchange(CDataExchange* pDX) override { DDX_Text(pDX, IDC_DF_NAME, m_strName); }
};
IMPLEMENT_DYNCREATE(CMpForm, CFormView)

class CMpScroll : public CScrollView {
    DECLARE_DYNCREATE(CMpScroll)
public:
    void OnInitialUpdate() override
    {
        SetScrollSizes(MM_TEXT, CSize(800, 600));
        CScrollView::OnInitialUpdate();
    }

protected:
    void OnDraw(CDC*) override {}
};
IMPLEMENT_DYNCREATE(CMpScroll, CScrollView)

class CMpChild : public CMDIChildWnd {
    DECLARE_DYNCREATE(CMpChild)
public:
    CSplitterWnd m_wndSplitter;

protected:
    BOOL OnCreateClient(LPCREATESTRUCT, CCreateContext* pContext) override
    {
        return m_wndSplitter.CreateStatic(this, 1, 2) &&
               m_wndSplitter.CreateView(0, 0, RUNTIME_CLASS(CMpForm), CSize(250, 100), pContext) &&
               m_wndSplitter.CreateView(0, 1, RUNTIME_CLASS(CMpScroll), CSize(100, 100), pContext);
    }
};
IMPLEMENT_DYNCREATE(CMpChild, CMDIChildWnd)

class CMpMainFrame : public CMDIFrameWnd {
public:
    CToolBar m_wndToolBar;
    CStatusBar m_wndStatusBar;
    CToolBar m_wndDockedBar;

protected:
    int OnCreate(LPCREATESTRUCT lpcs)
    {
        if (CMDIFrameWnd::OnCreate(lpcs) == -1)
            return -1;
        static const UINT buttons[] = {ID_DF_ALL, ID_SEPARATOR, ID_FILE_NEW};
        static const UINT indicators[] = {ID_SEPARATOR, ID_INDICATOR_CAPS, ID_INDICATOR_NUM};
        static const UINT docked[] = {ID_DF_ALL};
        if (!m_wndToolBar.Create(this) || !m_wndToolBar.SetButtons(buttons, 3))
            return -1;
        if (!m_wndStatusBar.Create(this) || !m_wndStatusBar.SetIndicators(indicators, 3))
            return -1;
        if (!m_wndDockedBar.Create(this, WS_CHILD | WS_VISIBLE | CBRS_LEFT, kDockedBarId) ||
            !m_wndDockedBar.SetButtons(docked, 1))
            return -1;
        m_wndDockedBar.EnableDocking(CBRS_ALIGN_ANY);
        EnableDocking(CBRS_ALIGN_ANY);
        DockControlBar(&m_wndDockedBar, AFX_IDW_DOCKBAR_LEFT);
        return 0;
    }
    DECLARE_MESSAGE_MAP()
};
BEGIN_MESSAGE_MAP(CMpMainFrame, CMDIFrameWnd)
    ON_WM_CREATE()
END_MESSAGE_MAP()

class CMpApp : public CWinApp {
public:
    CMpApp() : CWinApp("多文档程序") {}
    BOOL InitInstance() override
    {
        m_pTemplate = new CMultiDocTemplate(IDR_DF_FORMTYPE, RUNTIME_CLASS(CMpDoc),
                                            RUNTIME_CLASS(CMpChild), RUNTIME_CLASS(CMpForm));
        AddDocTemplate(m_pTemplate);
        CMpMainFrame* pMainFrame = new CMpMainFrame;
        if (!pMainFrame->LoadFrame(IDR_DF_MAINFRAME))
            return FALSE;
        m_pMainWnd = pMainFrame;
        pMainFrame->SetWindowPos(nullptr, 0, 0, 700, 500, SWP_NOZORDER | SWP_NOMOVE);
        pMainFrame->ShowWindow(SW_SHOW);
        pMainFrame->UpdateWindow();
        return TRUE;
    }
    // Runs the message loop (with its idle time) until done holds.
    void PumpUntil(const std::function<bool()>& done)
    {
        testsupport::Gui().WaitFor([&] {
            LONG lCount = 0;
            while (OnIdle(lCount++)) {
            }
            return done();
        });
    }
    CMultiDocTemplate* m_pTemplate = nullptr;

protected:
    void OnAll() { g_commands.push_back("app"); }
    DECLARE_MESSAGE_MAP()
};
BEGIN_MESSAGE_MAP(CMpApp, CWinApp)
    ON_COMMAND(ID_FILE_NEW, OnFileNew)
    ON_COMMAND(ID_DF_ALL, OnAll)
END_MESSAGE_MAP()

CRect ChildRect(CWnd* pParent, CWnd* pChild)
{
    CRect rect;
    pChild->GetWindowRect(&rect);
    pParent->ScreenToClient(&rect);
    return rect;
}

TEST(MdiProgram, RunsWithBarsSplitterAndViewsAndCloses)
{
    g_commands.clear();
    CMpApp app;
    ASSERT_TRUE(app.InitInstance());
    CMpMainFrame* pMain = static_cast<CMpMainFrame*>(app.m_pMainWnd);

    // File New from the tool bar: a document in a child with a splitter.
    CRect rectButton;
    pMain->m_wndToolBar.GetItemRect(2, &rectButton);
    CPoint center = rectButton.CenterPoint();
    pMain->m_wndToolBar.SendMessage(WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(center.x, center.y));
    pMain->m_wndToolBar.SendMessage(WM_LBUTTONUP, 0, MAKELPARAM(center.x, center.y));
    app.PumpUntil([&] { return app.GetOpenDocumentCount() == 1; });
    ASSERT_EQ(app.GetOpenDocumentCount(), 1);

    CMDIChildWnd* pChild = pMain->MDIGetActive();
    ASSERT_NE(pChild, nullptr);
    CMpChild* pMpChild = static_cast<CMpChild*>(pChild);
    CWnd* pLeft = pMpChild->m_wndSplitter.GetPane(0, 0);
    CWnd* pRight = pMpChild->m_wndSplitter.GetPane(0, 1);
    ASSERT_NE(pLeft, nullptr);
    ASSERT_NE(pRight, nullptr);
    EXPECT_TRUE(pLeft->IsKindOf(RUNTIME_CLASS(CMpForm)));
    EXPECT_TRUE(pRight->IsKindOf(RUNTIME_CLASS(CMpScroll)));
    CDocument* pDoc = static_cast<CView*>(pLeft)->GetDocument();
    ASSERT_NE(pDoc, nullptr);
    EXPECT_EQ(static_cast<CView*>(pRight)->GetDocument(), pDoc);
    EXPECT_EQ(pChild->GetActiveView(), pLeft);

    // Both views had their initial update: the form shows the document.
    CString text;
    pLeft->GetDlgItemText(IDC_DF_NAME, text);
    EXPECT_STREQ(text, "甲");
    EXPECT_TRUE(pRight->GetStyle() & (WS_HSCROLL | WS_VSCROLL));

    // Laid out: the tool bar on top, the status bar below, the docked bar
    // on the left, the MDI client in what is left.
    app.PumpUntil([] { return true; });
    CRect client;
    pMain->GetClientRect(&client);
    CRect rectTool = ChildRect(pMain, &pMain->m_wndToolBar);
    CRect rectStatus = ChildRect(pMain, &pMain->m_wndStatusBar);
    CRect rectMdi;
    ::GetWindowRect(pMain->m_hWndMDIClient, &rectMdi);
    pMain->ScreenToClient(&rectMdi);
    CRect rectDocked;
    pMain->m_wndDockedBar.GetWindowRect(&rectDocked);
    pMain->ScreenToClient(&rectDocked);
    EXPECT_EQ(rectTool.top, 0);
    EXPECT_EQ(rectStatus.bottom, client.bottom);
    EXPECT_GE(rectMdi.top, rectTool.bottom);
    EXPECT_LE(rectMdi.bottom, rectStatus.top);
    EXPECT_GE(rectMdi.left, rectDocked.right);
    EXPECT_GT(rectMdi.Width(), 0);
    EXPECT_GT(rectMdi.Height(), 0);
    EXPECT_EQ(pMain->GetControlBar(AFX_IDW_STATUS_BAR), &pMain->m_wndStatusBar);
    EXPECT_EQ(pMain->GetControlBar(kDockedBarId), &pMain->m_wndDockedBar);

    // The status bar: a command's prompt while its menu item is selected,
    // the idle message once the menu closes.
    pMain->SendMessage(WM_MENUSELECT, MAKEWPARAM(ID_DF_ALL, MF_STRING), (LPARAM)::GetMenu(pMain->m_hWnd));
    EXPECT_STREQ(pMain->m_wndStatusBar.GetPaneText(0), "每一处都处理");
    pMain->SendMessage(WM_MENUSELECT, MAKEWPARAM(0, 0xFFFF), 0);
    EXPECT_STREQ(pMain->m_wndStatusBar.GetPaneText(0), "就绪");

    // Clicking the other pane makes its view the active one.
    pRight->SendMessage(WM_MOUSEACTIVATE, (WPARAM)pMain->m_hWnd, MAKELPARAM(HTCLIENT, WM_LBUTTONDOWN));
    EXPECT_EQ(pChild->GetActiveView(), pRight);

    // A tool bar button's command reaches the document (through the active
    // view) before the application.
    pMain->m_wndToolBar.GetItemRect(0, &rectButton);
    center = rectButton.CenterPoint();
    pMain->m_wndToolBar.SendMessage(WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(center.x, center.y));
    pMain->m_wndToolBar.SendMessage(WM_LBUTTONUP, 0, MAKELPARAM(center.x, center.y));
    app.PumpUntil([] { return !g_commands.empty(); });
    EXPECT_EQ(g_commands, std::vector<std::string>{"document"});

    // Exit closes the document and the program.
    pMain->SendMessage(WM_COMMAND, ID_APP_EXIT);
    EXPECT_EQ(app.m_pMainWnd, nullptr);
    EXPECT_EQ(app.GetOpenDocumentCount(), 0);
    MSG msg;  // the main window's end posted WM_QUIT
    while (::PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) {
    }
}

// Closing the frame itself with documents open: the MDI children end while
// the MDI client still knows them (Wine's client, ended first, later walked a
// list it had freed and renumbered windows of other programs).
std::vector<HWND> g_destroyWatch;  // frame, client, then the children
std::vector<std::string> g_destroyed;

LRESULT CALLBACK RecordDestroy(int code, WPARAM wParam, LPARAM lParam)
{
    const CWPSTRUCT* pMsg = reinterpret_cast<const CWPSTRUCT*>(lParam);
    if (code == HC_ACTION && pMsg->message == WM_DESTROY) {
        static const char* const kNames[] = {"frame", "client"};
        for (size_t i = 0; i < g_destroyWatch.size(); ++i)
            if (g_destroyWatch[i] == pMsg->hwnd)
                g_destroyed.push_back(i < 2 ? kNames[i] : "child");
    }
    return ::CallNextHookEx(nullptr, code, wParam, lParam);
}

TEST(MdiProgram, AFrameClosedWithChildrenOpenEndsThemBeforeItsMdiClient)
{
    CMpApp app;
    ASSERT_TRUE(app.InitInstance());
    CMpMainFrame* pMain = static_cast<CMpMainFrame*>(app.m_pMainWnd);
    pMain->SendMessage(WM_COMMAND, ID_FILE_NEW);
    pMain->SendMessage(WM_COMMAND, ID_FILE_NEW);
    ASSERT_EQ(app.GetOpenDocumentCount(), 2);

    g_destroyWatch = {pMain->m_hWnd, pMain->m_hWndMDIClient};
    for (HWND h = ::GetWindow(pMain->m_hWndMDIClient, GW_CHILD); h; h = ::GetWindow(h, GW_HWNDNEXT))
        g_destroyWatch.push_back(h);
    ASSERT_EQ(g_destroyWatch.size(), 4u);
    g_destroyed.clear();
    HHOOK hHook = ::SetWindowsHookExA(WH_CALLWNDPROC, RecordDestroy, nullptr, ::GetCurrentThreadId());
    pMain->DestroyWindow();
    ::UnhookWindowsHookEx(hHook);

    EXPECT_EQ((std::vector<std::string>{"frame", "child", "child", "client"}), g_destroyed);
    EXPECT_EQ(app.GetOpenDocumentCount(), 0);
    MSG msg;
    while (::PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) {
    }
}

}  // namespace

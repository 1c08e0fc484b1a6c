// Documents, views and templates in a small MDI program: what a template
// makes, the order commands are routed in, menu updates, titles, closing
// and loading.
#include "afxwin.h"

#include "DocFrameTestRes.h"
#include "GuiDriver.h"
#include "TempDir.h"

#include <gtest/gtest.h>
#include <string>
#include <vector>

namespace {

std::vector<std::string> g_handled;  // who ran a command

class CDvDoc : public CDocument {
    DECLARE_DYNCREATE(CDvDoc)
public:
    CString m_strText;
    int m_nDeleteContents = 0;

    void DeleteContents() override
    {
        ++m_nDeleteContents;
        m_strText.Empty();
    }
    void Serialize(CArchive& ar) override
    {
        if (ar.IsStoring())
            ar << m_strText;
        else
            ar >> m_strText;
    }

protected:
    void OnAll() { g_handled.push_back("document"); }
    void OnDocOn() { g_handled.push_back("document"); }
    DECLARE_MESSAGE_MAP()
};
IMPLEMENT_DYNCREATE(CDvDoc, CDocument)
BEGIN_MESSAGE_MAP(CDvDoc, CDocument)
    ON_COMMAND(ID_DF_ALL, OnAll)
    ON_COMMAND(ID_DF_DOC_ON, OnDocOn)
END_MESSAGE_MAP()

class CDvView : public CView {
    DECLARE_DYNCREATE(CDvView)
public:
    int m_nInitialUpdates = 0;
    std::vector<LPARAM> m_hints;

    void OnInitialUpdate() override
    {
        ++m_nInitialUpdates;
        CView::OnInitialUpdate();
    }
    void OnUpdate(CView* pSender, LPARAM lHint, CObject* pHint) override
    {
        m_hints.push_back(lHint);
        CView::OnUpdate(pSender, lHint, pHint);
    }

protected:
    void OnDraw(CDC*) override {}
    void OnAll() { g_handled.push_back("view"); }
    void OnHotKey() { g_handled.push_back("hotkey"); }
    void OnUpdateDisabled(CCmdUI* pCmdUI) { pCmdUI->Enable(FALSE); }
    void OnDisabled() { g_handled.push_back("disabled ran"); }
    void OnUpdateChecked(CCmdUI* pCmdUI) { pCmdUI->SetCheck(1); }
    void OnChecked() {}
    DECLARE_MESSAGE_MAP()
};
IMPLEMENT_DYNCREATE(CDvView, CView)
BEGIN_MESSAGE_MAP(CDvView, CView)
    ON_COMMAND(ID_DF_ALL, OnAll)
    ON_COMMAND(ID_DF_HOTKEY, OnHotKey)
    ON_UPDATE_COMMAND_UI(ID_DF_DISABLED, OnUpdateDisabled)
    ON_COMMAND(ID_DF_DISABLED, OnDisabled)
    ON_UPDATE_COMMAND_UI(ID_DF_CHECKED, OnUpdateChecked)
    ON_COMMAND(ID_DF_CHECKED, OnChecked)
END_MESSAGE_MAP()

class CDvChild : public CMDIChildWnd {
    DECLARE_DYNCREATE(CDvChild)
protected:
    void OnAll() { g_handled.push_back("child"); }
    void OnDocOn() { g_handled.push_back("child"); }
    void OnChildOn() { g_handled.push_back("child"); }
    DECLARE_MESSAGE_MAP()
};
IMPLEMENT_DYNCREATE(CDvChild, CMDIChildWnd)
BEGIN_MESSAGE_MAP(CDvChild, CMDIChildWnd)
    ON_COMMAND(ID_DF_ALL, OnAll)
    ON_COMMAND(ID_DF_DOC_ON, OnDocOn)
    ON_COMMAND(ID_DF_CHILD_ON, OnChildOn)
END_MESSAGE_MAP()

class CDvMainFrame : public CMDIFrameWnd {
public:
    void OnAll() { g_handled.push_back("frame"); }
    void OnFrameOnly() { g_handled.push_back("frame"); }
    DECLARE_MESSAGE_MAP()
};
BEGIN_MESSAGE_MAP(CDvMainFrame, CMDIFrameWnd)
    ON_COMMAND(ID_DF_ALL, OnAll)
    ON_COMMAND(ID_DF_DOC_ON, OnAll)
    ON_COMMAND(ID_DF_CHILD_ON, OnAll)
    ON_COMMAND(ID_DF_FRAME_ONLY, OnFrameOnly)
END_MESSAGE_MAP()

class CDvApp : public CWinApp {
public:
    CDvApp() : CWinApp("文档测试") {}
    void OnAll() { g_handled.push_back("app"); }
    DECLARE_MESSAGE_MAP()
};
BEGIN_MESSAGE_MAP(CDvApp, CWinApp)
    ON_COMMAND(ID_DF_ALL, OnAll)
    ON_COMMAND(ID_DF_DOC_ON, OnAll)
    ON_COMMAND(ID_DF_CHILD_ON, OnAll)
    ON_COMMAND(ID_DF_APP_ONLY, OnAll)
END_MESSAGE_MAP()

// The form type's document and view: only there to be a second template.
class CDvFormDoc : public CDocument {
    DECLARE_DYNCREATE(CDvFormDoc)
};
IMPLEMENT_DYNCREATE(CDvFormDoc, CDocument)

class CDvMdiTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        g_handled.clear();
        m_app = new CDvApp;
        m_textType = new CMultiDocTemplate(IDR_DF_TEXTTYPE, RUNTIME_CLASS(CDvDoc),
                                           RUNTIME_CLASS(CDvChild), RUNTIME_CLASS(CDvView));
        m_formType = new CMultiDocTemplate(IDR_DF_FORMTYPE, RUNTIME_CLASS(CDvFormDoc),
                                           RUNTIME_CLASS(CDvChild), RUNTIME_CLASS(CDvView));
        m_app->AddDocTemplate(m_textType);
        m_app->AddDocTemplate(m_formType);
        m_main = new CDvMainFrame;
        ASSERT_TRUE(m_main->LoadFrame(IDR_DF_MAINFRAME));
        m_app->m_pMainWnd = m_main;
        m_main->ShowWindow(SW_SHOW);
        m_main->UpdateWindow();
    }
    void TearDown() override
    {
        if (m_app->m_pMainWnd != nullptr)
            m_app->m_pMainWnd->DestroyWindow();
        MSG msg;  // the main window's end posted WM_QUIT
        while (::PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) {
        }
        delete m_app;
    }

    CDvDoc* NewText() { return static_cast<CDvDoc*>(m_textType->OpenDocumentFile(nullptr)); }
    static CDvView* FirstView(CDocument* pDoc)
    {
        POSITION pos = pDoc->GetFirstViewPosition();
        return pos != nullptr ? static_cast<CDvView*>(pDoc->GetNextView(pos)) : nullptr;
    }
    static CString Caption(CWnd* pWnd)
    {
        CString text;
        pWnd->GetWindowText(text);
        return text;
    }

    CDvApp* m_app = nullptr;
    CMultiDocTemplate* m_textType = nullptr;
    CMultiDocTemplate* m_formType = nullptr;
    CDvMainFrame* m_main = nullptr;
};

TEST_F(CDvMdiTest, TemplateMakesDocumentChildFrameAndViewAndInitialisesTheViewOnce)
{
    CDvDoc* pDoc = NewText();
    ASSERT_NE(pDoc, nullptr);
    EXPECT_EQ(pDoc->GetDocTemplate(), m_textType);
    EXPECT_STREQ(pDoc->GetTitle(), "文本1");

    CDvView* pView = FirstView(pDoc);
    ASSERT_NE(pView, nullptr);
    EXPECT_TRUE(pView->IsKindOf(RUNTIME_CLASS(CDvView)));
    EXPECT_EQ(pView->GetDocument(), pDoc);
    EXPECT_EQ(pView->GetDlgCtrlID(), AFX_IDW_PANE_FIRST);
    EXPECT_EQ(pView->m_nInitialUpdates, 1);

    CFrameWnd* pChild = pView->GetParentFrame();
    ASSERT_NE(pChild, nullptr);
    EXPECT_TRUE(pChild->IsKindOf(RUNTIME_CLASS(CDvChild)));
    EXPECT_EQ(static_cast<CMDIChildWnd*>(pChild)->GetMDIFrame(), m_main);
    EXPECT_EQ(m_main->MDIGetActive(), pChild);
    EXPECT_EQ(pChild->GetActiveView(), pView);
    EXPECT_EQ(m_main->GetActiveFrame(), pChild);
    EXPECT_TRUE(pChild->IsWindowVisible());

    // The next untitled document is numbered on.
    CDvDoc* pSecond = NewText();
    ASSERT_NE(pSecond, nullptr);
    EXPECT_STREQ(pSecond->GetTitle(), "文本2");
    EXPECT_EQ(m_app->GetOpenDocumentCount(), 2);
    POSITION pos = m_textType->GetFirstDocPosition();
    EXPECT_EQ(m_textType->GetNextDoc(pos), pDoc);
    EXPECT_EQ(m_textType->GetNextDoc(pos), pSecond);
    EXPECT_EQ(pos, nullptr);
}

TEST_F(CDvMdiTest, TemplatesAreWalkedInTheOrderTheyWereAdded)
{
    POSITION pos = m_app->GetFirstDocTemplatePosition();
    ASSERT_NE(pos, nullptr);
    EXPECT_EQ(m_app->GetNextDocTemplate(pos), m_textType);
    ASSERT_NE(pos, nullptr);
    CDocTemplate* pSecond = m_app->GetNextDocTemplate(pos);
    EXPECT_EQ(pSecond, m_formType);
    EXPECT_EQ(pos, nullptr);

    CString name;
    ASSERT_TRUE(pSecond->GetDocString(name, CDocTemplate::docName));
    EXPECT_STREQ(name, "表单");
    ASSERT_TRUE(m_textType->GetDocString(name, CDocTemplate::filterExt));
    EXPECT_STREQ(name, ".dft");

    // File New with several templates opens the first one's document.
    m_main->SendMessage(WM_COMMAND, ID_FILE_NEW);
    EXPECT_EQ(m_app->GetOpenDocumentCount(), 0);  // the program did not map File New
    m_app->OnFileNew();
    ASSERT_EQ(m_app->GetOpenDocumentCount(), 1);
    pos = m_textType->GetFirstDocPosition();
    EXPECT_NE(pos, nullptr);
}

TEST_F(CDvMdiTest, CommandsGoToTheViewDocumentChildFrameMdiFrameAndApplicationInTurn)
{
    ASSERT_NE(NewText(), nullptr);
    struct Case {
        UINT nID;
        const char* handler;
    };
    // Each command is handled by every target from the named one on; the
    // earliest must be the one that runs.
    const Case cases[] = {
        {ID_DF_ALL, "view"},
        {ID_DF_DOC_ON, "document"},
        {ID_DF_CHILD_ON, "child"},
        {ID_DF_FRAME_ONLY, "frame"},
        {ID_DF_APP_ONLY, "app"},
    };
    for (const Case& c : cases) {
        g_handled.clear();
        m_main->SendMessage(WM_COMMAND, c.nID);
        EXPECT_EQ(g_handled, std::vector<std::string>{c.handler}) << c.nID;
    }

    // A command its update handler disables does not run.
    g_handled.clear();
    m_main->SendMessage(WM_COMMAND, ID_DF_DISABLED);
    EXPECT_TRUE(g_handled.empty());
}

TEST_F(CDvMdiTest, MenuItemsTakeTheirStateFromUpdateHandlersWhenTheirPopupOpens)
{
    ASSERT_NE(NewText(), nullptr);
    HMENU hMenu = ::GetMenu(m_main->m_hWnd);
    ASSERT_EQ(hMenu, m_textType->m_hMenuShared);
    HMENU hEdit = ::GetSubMenu(hMenu, 2);
    ASSERT_NE(hEdit, nullptr);
    // Start from states the update must change.
    ::EnableMenuItem(hEdit, ID_DF_DISABLED, MF_ENABLED);
    ::EnableMenuItem(hEdit, ID_DF_UNHANDLED, MF_ENABLED);
    ::EnableMenuItem(hEdit, ID_DF_ALL, MF_GRAYED);

    m_main->SendMessage(WM_INITMENUPOPUP, (WPARAM)hEdit, MAKELPARAM(2, FALSE));

    EXPECT_FALSE(::GetMenuState(hEdit, ID_DF_ALL, MF_BYCOMMAND) & MF_GRAYED);
    EXPECT_FALSE(::GetMenuState(hEdit, ID_DF_DOC_ON, MF_BYCOMMAND) & MF_GRAYED);
    EXPECT_TRUE(::GetMenuState(hEdit, ID_DF_DISABLED, MF_BYCOMMAND) & MF_GRAYED);
    EXPECT_TRUE(::GetMenuState(hEdit, ID_DF_UNHANDLED, MF_BYCOMMAND) & MF_GRAYED);
    EXPECT_TRUE(::GetMenuState(hEdit, ID_DF_CHECKED, MF_BYCOMMAND) & MF_CHECKED);

    // Without automatic enabling a command nobody handles stays as it is.
    m_main->m_bAutoMenuEnable = FALSE;
    ::EnableMenuItem(hEdit, ID_DF_UNHANDLED, MF_ENABLED);
    m_main->SendMessage(WM_INITMENUPOPUP, (WPARAM)hEdit, MAKELPARAM(2, FALSE));
    EXPECT_FALSE(::GetMenuState(hEdit, ID_DF_UNHANDLED, MF_BYCOMMAND) & MF_GRAYED);
}

TEST_F(CDvMdiTest, FrameTitlesFollowTheDocumentTitle)
{
    CDvDoc* pDoc = NewText();
    ASSERT_NE(pDoc, nullptr);
    CFrameWnd* pChild = FirstView(pDoc)->GetParentFrame();
    EXPECT_STREQ(Caption(pChild), "文本1");
    EXPECT_STREQ(Caption(m_main), "测试程序 - 文本1");

    pDoc->SetTitle("报告");
    EXPECT_STREQ(Caption(pChild), "报告");
    EXPECT_STREQ(Caption(m_main), "测试程序 - 报告");

    // A second frame on the same document: both numbered, each sees the
    // document's changes except the one that made them.
    CFrameWnd* pSecondFrame = m_textType->CreateNewFrame(pDoc, pChild);
    ASSERT_NE(pSecondFrame, nullptr);
    m_textType->InitialUpdateFrame(pSecondFrame, pDoc);
    EXPECT_STREQ(Caption(pChild), "报告:1");
    EXPECT_STREQ(Caption(pSecondFrame), "报告:2");

    CDvView* pFirstView = FirstView(pDoc);
    CDvView* pSecondView = static_cast<CDvView*>(pSecondFrame->GetActiveView());
    ASSERT_NE(pSecondView, pFirstView);
    pFirstView->m_hints.clear();
    pSecondView->m_hints.clear();
    pDoc->UpdateAllViews(pFirstView, 7);
    EXPECT_TRUE(pFirstView->m_hints.empty());
    EXPECT_EQ(pSecondView->m_hints, std::vector<LPARAM>{7});

    // The frame that goes leaves the other one alone again.
    pSecondFrame->SendMessage(WM_CLOSE);
    EXPECT_STREQ(Caption(pChild), "报告");
}

TEST_F(CDvMdiTest, ClosingTheLastChildGivesTheFrameItsOwnMenuBack)
{
    HMENU hMenuDefault = m_main->m_hMenuDefault;
    ASSERT_NE(hMenuDefault, nullptr);
    CDvDoc* pFirst = NewText();
    CDvDoc* pSecond = NewText();
    ASSERT_NE(pFirst, nullptr);
    ASSERT_NE(pSecond, nullptr);
    EXPECT_EQ(::GetMenu(m_main->m_hWnd), m_textType->m_hMenuShared);

    FirstView(pSecond)->GetParentFrame()->SendMessage(WM_CLOSE);
    EXPECT_EQ(m_app->GetOpenDocumentCount(), 1);
    EXPECT_EQ(::GetMenu(m_main->m_hWnd), m_textType->m_hMenuShared);

    FirstView(pFirst)->GetParentFrame()->SendMessage(WM_CLOSE);
    EXPECT_EQ(m_app->GetOpenDocumentCount(), 0);
    EXPECT_EQ(::GetMenu(m_main->m_hWnd), hMenuDefault);
    EXPECT_STREQ(Caption(m_main), "测试程序");
}

TEST_F(CDvMdiTest, AModifiedDocumentAsksBeforeItsFrameCloses)
{
    CDvDoc* pDoc = NewText();
    ASSERT_NE(pDoc, nullptr);
    CFrameWnd* pChild = FirstView(pDoc)->GetParentFrame();
    pDoc->SetModifiedFlag();

    auto& cancel = testsupport::Gui().Expect("文档测试").Press(IDCANCEL);
    pChild->SendMessage(WM_CLOSE);
    EXPECT_TRUE(cancel.Seen());
    EXPECT_TRUE(cancel.HasText("是否保存对 文本1 的更改?"));
    ASSERT_EQ(m_app->GetOpenDocumentCount(), 1);  // still there

    auto& no = testsupport::Gui().Expect("文档测试").Press(IDNO);
    pChild->SendMessage(WM_CLOSE);
    EXPECT_TRUE(no.Seen());
    EXPECT_EQ(m_app->GetOpenDocumentCount(), 0);

    // Unmodified documents close without a word.
    pDoc = NewText();
    ASSERT_NE(pDoc, nullptr);
    FirstView(pDoc)->GetParentFrame()->SendMessage(WM_CLOSE);
    EXPECT_EQ(m_app->GetOpenDocumentCount(), 0);
}

TEST_F(CDvMdiTest, DocumentsSaveAndOpenThroughTheirArchive)
{
    testsupport::TempDir dir;
    std::string path = dir.File("记录.dft");

    CDvDoc* pDoc = NewText();
    ASSERT_NE(pDoc, nullptr);
    pDoc->m_strText = "内容";
    pDoc->SetModifiedFlag();
    ASSERT_TRUE(pDoc->OnSaveDocument(path.c_str()));
    EXPECT_FALSE(pDoc->IsModified());
    pDoc->SetPathName(path.c_str());

    CDvDoc* pOpened = static_cast<CDvDoc*>(m_app->OpenDocumentFile(path.c_str()));
    ASSERT_NE(pOpened, nullptr);
    // The file is open already: the same document comes back.
    EXPECT_EQ(pOpened, pDoc);

    pDoc->SetPathName("其他.dft");
    pOpened = static_cast<CDvDoc*>(m_app->OpenDocumentFile(path.c_str()));
    ASSERT_NE(pOpened, nullptr);
    ASSERT_NE(pOpened, pDoc);
    EXPECT_STREQ(pOpened->m_strText, "内容");
    EXPECT_STREQ(pOpened->GetTitle(), "记录.dft");
    EXPECT_STREQ(pOpened->GetPathName().Right(9), "\\记录.dft");
    EXPECT_FALSE(pOpened->IsModified());
    EXPECT_EQ(pOpened->GetDocTemplate(), m_textType);

    // New contents start empty.
    int nDeletes = pOpened->m_nDeleteContents;
    EXPECT_TRUE(pOpened->OnNewDocument());
    EXPECT_EQ(pOpened->m_nDeleteContents, nDeletes + 1);
    EXPECT_TRUE(pOpened->GetPathName().IsEmpty());
}

TEST_F(CDvMdiTest, AFileThatCannotBeReadIsReportedAndLeavesNoDocument)
{
    testsupport::TempDir dir;
    std::string missing = dir.File("没有.dft");
    auto& report = testsupport::Gui().Expect("文档测试").Press(IDOK);
    EXPECT_EQ(m_app->OpenDocumentFile(missing.c_str()), nullptr);
    EXPECT_TRUE(report.Seen());
    EXPECT_EQ(m_app->GetOpenDocumentCount(), 0);

    // A file that ends inside the document's data fails while read.
    std::string bad = dir.File("坏.dft");
    ASSERT_TRUE(testsupport::WriteFileBytes(bad, "\x05" "abc"));
    auto& badReport = testsupport::Gui().Expect("文档测试").Press(IDOK);
    EXPECT_EQ(m_app->OpenDocumentFile(bad.c_str()), nullptr);
    EXPECT_TRUE(badReport.Seen());
    EXPECT_EQ(m_app->GetOpenDocumentCount(), 0);
}

TEST_F(CDvMdiTest, ChildAcceleratorsRunCommandsOfTheActiveView)
{
    CDvDoc* pDoc = NewText();
    ASSERT_NE(pDoc, nullptr);
    CDvView* pView = FirstView(pDoc);
    g_handled.clear();
    ASSERT_TRUE(pView->PostMessage(WM_KEYDOWN, VK_F8, 0));
    do
        ASSERT_TRUE(m_app->PumpMessage());
    while (m_app->m_msgCur.message != WM_KEYDOWN);
    testsupport::Gui().WaitFor([] { return !g_handled.empty(); }, 1000);
    EXPECT_EQ(g_handled, std::vector<std::string>{"hotkey"});
}

TEST_F(CDvMdiTest, ExitClosesTheMainWindowAfterClosingTheDocuments)
{
    ASSERT_NE(NewText(), nullptr);
    ASSERT_NE(NewText(), nullptr);
    HWND hWndMain = m_main->m_hWnd;
    m_main->SendMessage(WM_COMMAND, ID_APP_EXIT);
    EXPECT_FALSE(::IsWindow(hWndMain));
    EXPECT_EQ(m_app->GetOpenDocumentCount(), 0);
    EXPECT_EQ(m_app->m_pMainWnd, nullptr);
}

}  // namespace

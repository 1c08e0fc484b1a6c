#include "OmbrelleApp.h"

#include "AboutDlg.h"
#include "ChildFrame.h"
#include "Dioptra.h"
#include "General.h"
#include "MainFrame.h"
#include "OmbrelleDoc.h"
#include "OmbrelleView.h"
#include "ProgramFolder.h"
#include "Ordwell.h"
#include "StartupSplashWnd.h"
#include "resource.h"

namespace {

// The document server's class id.
const CLSID CLSID_OmbrelleDocument = {0x3b6f2a41, 0x8c1d, 0x4e57, {0x9a, 0x30, 0x5d, 0x21, 0x7e, 0x44, 0xc8, 0x19}};

const DWORD kMainFrameStyle = 0x00CF8000;

// Position of the first item whose text is exactly lpszText, or -1.
int FindMenuItem(CMenu* pMenu, LPCTSTR lpszText)
{
    int nCount = pMenu->GetMenuItemCount();
    for (int i = 0; i < nCount; ++i) {
        CString strText;
        pMenu->GetMenuString(i, strText, MF_BYPOSITION);
        if (strText == lpszText)
            return i;
    }
    return -1;
}

void DeleteTopMenu(CMenu* pMenuBar, LPCTSTR lpszText)
{
    int nPos = FindMenuItem(pMenuBar, lpszText);
    if (nPos >= 0)
        pMenuBar->DeleteMenu(nPos, MF_BYPOSITION);
}

}  // namespace

BEGIN_MESSAGE_MAP(COmbrelleApp, CWinApp)
    ON_COMMAND(ID_APP_ABOUT, OnAppAbout)
END_MESSAGE_MAP()

COmbrelleApp::COmbrelleApp()
    : m_fAssetSizeMB(0), m_nAsset1On(0), m_nAsset2On(0), m_nScanRight(0), m_nPictureRight(0), m_nManageRight(0),
      m_nFourthRight(0), m_pMainFrame(NULL), m_pDocTemplate(NULL)
{
    GenStartup();
    InitJobMainClass(NULL);
    CallBackFileName = "d:\\test.htm";
    m_strUserName = "";
}

COmbrelleApp::~COmbrelleApp()
{
    DeleteJobMainClass();
    GenShutdown();
}

BOOL COmbrelleApp::InitInstance()
{
    if (!AfxOleInit())
        return FALSE;
    AfxEnableControlContainer();

    SetRegistryKey("Local AppWizard-Generated Applications");
    LoadStdProfileSettings(0);

    m_strUserName = "";
    m_nScanRight = 1;
    m_nPictureRight = 1;
    m_nManageRight = 0;
    m_nFourthRight = 1;

    PrepareTempFolder();

    m_pDocTemplate = new CMultiDocTemplate(IDR_OMBRELLETYPE, RUNTIME_CLASS(COmbrelleDoc),
                                           RUNTIME_CLASS(CChildFrame), RUNTIME_CLASS(COmbrelleView));
    AddDocTemplate(m_pDocTemplate);

    m_server.ConnectTemplate(CLSID_OmbrelleDocument, m_pDocTemplate, FALSE);
    COleTemplateServer::RegisterAll();

    CMainFrame* pMainFrame = new CMainFrame;
    // A frame that fails to be created has already deleted itself.
    if (!pMainFrame->LoadFrame(IDR_MAINFRAME, kMainFrameStyle))
        return FALSE;
    m_pMainWnd = pMainFrame;
    m_pMainFrame = pMainFrame;

    CCommandLineInfo cmdInfo;
    ParseCommandLine(cmdInfo);
    CStartupSplashWnd::EnableSplash(cmdInfo.m_bShowSplash);

    if (!cmdInfo.m_bRunEmbedded && !cmdInfo.m_bRunAutomated) {
        m_server.UpdateRegistry(OAT_DISPATCH_OBJECT);
        COleObjectFactory::UpdateRegistryAll();

        OpenMainDocument();
        if (!PruneMenusByRights())
            return FALSE;
    }
    return TRUE;
}

void COmbrelleApp::PrepareTempFolder()
{
    CString strTemp = GetProgramFolder() + "temp";
    ::CreateDirectoryA(strTemp, NULL);
    GenSetTempFolder(strTemp);
    DioInitialize(0);
}

void COmbrelleApp::OpenMainDocument()
{
    m_pDocTemplate->OpenDocumentFile(NULL, TRUE);
    m_pMainFrame->SetWindowText("衡远澄明－图像采集系统");
    m_pMainFrame->ShowWindow(SW_SHOWMAXIMIZED);
    m_pMainFrame->UpdateWindow();
}

void COmbrelleApp::ShowMainWindow()
{
    PrepareTempFolder();
    OpenMainDocument();
}

int COmbrelleApp::PruneMenusByRights()
{
    CWnd* pFrame = m_pMainFrame != NULL ? static_cast<CWnd*>(m_pMainFrame) : AfxGetMainWnd();
    if (m_nScanRight == 0 && m_nPictureRight == 0 && m_nManageRight == 0)
        return 0;

    CMenu* pMenuBar = pFrame->GetMenu();
    if (m_nScanRight == 0 && FindMenuItem(pMenuBar, "文件(&F)") >= 0) {
        static const UINT kScanCommands[] = {ID_SELECT_SCANNER, ID_PRESCAN, ID_SCAN_SETTINGS, ID_SCAN, ID_AUTO_SCAN};
        for (UINT nID : kScanCommands)
            pMenuBar->DeleteMenu(nID, MF_BYCOMMAND);
        // The separator that led the list is now first, before 退出.
        pMenuBar->GetSubMenu(0)->DeleteMenu(0, MF_BYPOSITION);
    }
    if (m_nManageRight == 0) {
        DeleteTopMenu(pMenuBar, "系统设置(&C)");
        DeleteTopMenu(pMenuBar, "采集管理(&M)");
    }
    if (m_strUserName == "KEEPR" && m_nScanRight == 1 && m_nPictureRight == 1 && m_nManageRight == 1 &&
        m_nFourthRight == 1)
        return 1;
    DeleteTopMenu(pMenuBar, "权限管理(&R)");
    pFrame->DrawMenuBar();
    return 1;
}

CDocument* COmbrelleApp::GetCurrentDocument() const
{
    // The outside image library's template comes first; ours is the second.
    POSITION pos = GetFirstDocTemplatePosition();
    CDocTemplate* pTemplate = NULL;
    for (int i = 0; i < 2; ++i)
        pTemplate = pos != NULL ? GetNextDocTemplate(pos) : NULL;
    if (pTemplate == NULL)
        return NULL;
    POSITION docPos = pTemplate->GetFirstDocPosition();
    return docPos != NULL ? pTemplate->GetNextDoc(docPos) : NULL;
}

BOOL COmbrelleApp::PreTranslateMessage(MSG* pMsg)
{
    if (CStartupSplashWnd::FilterAppMessage(pMsg))
        return TRUE;
    return CWinApp::PreTranslateMessage(pMsg);
}

void COmbrelleApp::OnAppAbout()
{
    CAboutDlg dialog;
    dialog.DoModal();
}

#include "MainFrame.h"

#include <shellapi.h>

#include "Dioptra.h"
#include "General.h"
#include "OmbrelleApp.h"
#include "ProgramFolder.h"
#include "resource.h"

namespace {

const UINT WM_CLOSE_ACTIVE_WINDOW = WM_USER + 1004;

// Scanner states above this one need the messages offered to the library.
const int kScannerMessageState = 3;

const UINT kIndicators[] = {ID_SEPARATOR, ID_INDICATOR_CAPS, ID_INDICATOR_NUM, ID_INDICATOR_SCRL};

struct ToolButton {
    UINT nID;
    int iImage;
    const char* pszText;
};

const ToolButton kScanButtons[] = {{ID_SCAN, 0, "图片扫描"}};
const ToolButton kManageButtons[] = {
    {ID_SERVER_ADDRESS, 11, "路径设置"},
    {ID_CHOOSE_ASSET_TYPE, 3, "类型选择"},
    {ID_CATALOGUE, 5, "一次编目"},
    {ID_SUBMIT_TO_STORE, 1, "提交入库"},
};

const int kImageSize = 30;
const COLORREF kMaskColour = RGB(255, 0, 255);

BOOL AddBitmap(CImageList& list, UINT nIDBitmap)
{
    CBitmap bitmap;
    if (!bitmap.LoadBitmap(nIDBitmap))
        return FALSE;
    return list.Add(&bitmap, kMaskColour) >= 0;
}

BOOL MakeImageList(CImageList& list, UINT nFirst, UINT nSecond, UINT nThird)
{
    return list.Create(kImageSize, kImageSize, ILC_COLORDDB | ILC_MASK, 13, 1) && AddBitmap(list, nFirst) &&
           AddBitmap(list, nSecond) && AddBitmap(list, nThird);
}

}  // namespace

IMPLEMENT_DYNAMIC(CMainFrame, CMDIFrameWnd)

BEGIN_MESSAGE_MAP(CMainFrame, CMDIFrameWnd)
    ON_WM_CREATE()
    ON_WM_DESTROY()
    ON_MESSAGE(WM_CLOSE_ACTIVE_WINDOW, OnCloseActiveWindow)
    ON_MESSAGE(WM_AUTOSCAN_REQUEST, OnAutoScan)
    ON_MESSAGE(WM_USER + 0, OnScannedFile)
    ON_MESSAGE(WM_USER + 1000, OnShowThumbnails)
    ON_COMMAND(ID_AUTO_SCAN, OnAutoFlatbedScan)
    ON_COMMAND(ID_ONLINE_HELP, OnOnlineHelp)
    ON_COMMAND(ID_SUBMIT_TO_STORE, SubmitToStore)
    ON_MESSAGE(WM_USER + 5, OnStartUpload)
    ON_WM_TIMER()
END_MESSAGE_MAP()

CMainFrame::CMainFrame()
    : m_nUploadMode(2), m_nPollTimer(0), m_bScannerReady(FALSE), m_bAutoScanning(FALSE), m_bToolTips(TRUE),
      m_nColor(1), m_nButtonCount(0)
{
}

CMainFrame::~CMainFrame()
{
    if (m_bScannerReady)
        m_scanner.Terminate();
}

void CMainFrame::OnDestroy()
{
    CMDIFrameWnd::OnDestroy();
    m_framework.Destroy();
}

int CMainFrame::OnCreate(LPCREATESTRUCT lpCreateStruct)
{
    CWinApp* pApp = AfxGetApp();
    m_bToolTips = pApp->GetProfileInt("General", "ToolTips", 1) != 0;
    m_nColor = pApp->GetProfileInt("General", "Color", 1);

    DioSetMainFrame(this, m_bToolTips);
    GenInitFrame();
    LoadBarState("General");
    DioAttachFrame(this, 0);

    if (CMDIFrameWnd::OnCreate(lpCreateStruct) == -1)
        return -1;
    if (!CreateToolbar())
        return -1;
    if (!m_wndStatusBar.Create(this, 0x50008200, AFX_IDW_STATUS_BAR) ||
        !m_wndStatusBar.SetIndicators(kIndicators, sizeof(kIndicators) / sizeof(kIndicators[0])))
        return -1;

    // A missing scanner is no reason to refuse the window: the scanning
    // commands try again.
    InitScanner();
    return 0;
}

BOOL CMainFrame::CreateToolbar()
{
    if (!m_wndToolBar.CreateEx(this, TBSTYLE_FLAT | TBSTYLE_LIST, 0x50402834, CRect(0, 0, 0, 0), AFX_IDW_TOOLBAR) ||
        !m_wndToolBar.LoadToolBar(IDR_TOOLBAR))
        return FALSE;

    CToolBarCtrl& toolBar = m_wndToolBar.GetToolBarCtrl();
    if (MakeImageList(m_imageList, IDB_TOOLBAR_NORMAL, IDB_EXTRA_NORMAL, IDB_PATH_NORMAL))
        toolBar.SetImageList(&m_imageList);
    if (MakeImageList(m_hotImageList, IDB_TOOLBAR_HOT, IDB_EXTRA_HOT, IDB_PATH_HOT))
        toolBar.SetHotImageList(&m_hotImageList);

    const COmbrelleApp* pApp = static_cast<COmbrelleApp*>(AfxGetApp());
    const bool bScan = pApp->m_nScanRight == 1;
    const bool bManage = pApp->m_nManageRight == 1;
    m_nButtonCount = (bScan ? 1 : 0) + (bManage ? 4 : 0);
    if (m_nButtonCount > 0) {
        m_wndToolBar.ModifyStyle(0, 0x8812);
        m_wndToolBar.SetButtons(NULL, m_nButtonCount);
        int nIndex = 0;
        auto fill = [&](const ToolButton* pButtons, int nCount) {
            for (int i = 0; i < nCount; ++i, ++nIndex) {
                m_wndToolBar.SetButtonInfo(nIndex, pButtons[i].nID, TBSTYLE_BUTTON | TBSTYLE_AUTOSIZE, pButtons[i].iImage);
                m_wndToolBar.SetButtonText(nIndex, pButtons[i].pszText);
            }
        };
        if (bScan)
            fill(kScanButtons, 1);
        if (bManage)
            fill(kManageButtons, 4);
        CRect rect;
        m_wndToolBar.GetItemRect(0, &rect);
        m_wndToolBar.SetSizes(rect.Size(), CSize(kImageSize, kImageSize));
    }
    return TRUE;
}

int CMainFrame::GetToolbarButtonCount() const { return m_nButtonCount; }

BOOL CMainFrame::InitScanner()
{
    BeginWaitCursor();
    int nResult = m_scanner.Initialize(GetSafeHwnd());
    EndWaitCursor();
    m_bScannerReady = nResult == 1;
    return m_bScannerReady;
}

BOOL CMainFrame::PreTranslateMessage(MSG* pMsg)
{
    if (m_scanner.GetState() > kScannerMessageState && m_scanner.ProcessMessage(pMsg))
        return TRUE;
    return CMDIFrameWnd::PreTranslateMessage(pMsg);
}

LRESULT CMainFrame::OnCloseActiveWindow(WPARAM, LPARAM)
{
    CWnd* pActive = GetActiveWindow();
    if (pActive != NULL)
        pActive->SendMessage(WM_CLOSE);
    return 0;
}

LRESULT CMainFrame::OnAutoScan(WPARAM, LPARAM)
{
    m_bAutoScanning = TRUE;
    CDocument* pDoc = static_cast<COmbrelleApp*>(AfxGetApp())->GetCurrentDocument();
    if (pDoc != NULL)
        pDoc->OnCmdMsg(ID_SCAN, CN_COMMAND, NULL, NULL);
    return 0;
}

void CMainFrame::OnOnlineHelp()
{
    CString strPath = GetProgramFolder() + "Lumarec.chm";
    ::ShellExecuteA(NULL, "open", strPath, NULL, NULL, SW_SHOWNORMAL);
}

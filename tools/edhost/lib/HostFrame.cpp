#include "HostFrame.h"

#include "HostLog.h"
#include "HostRes.h"
#include "HostView.h"

IMPLEMENT_DYNAMIC(CHostFrame, CMDIFrameWnd)

BEGIN_MESSAGE_MAP(CHostFrame, CMDIFrameWnd)
    ON_WM_CREATE()
    ON_WM_DESTROY()
    ON_COMMAND(ID_HOST_NEW_IMAGE, OnNewImage)
    ON_COMMAND(ID_HOST_DIALOG, OnHostDialog)
    ON_COMMAND(ID_HOST_CLEAR_LOG, OnClearLog)
END_MESSAGE_MAP()

CHostFrame::CHostFrame() : m_pImageTemplate(NULL), m_pHostDialog(NULL) {}

// The template outlives the frame's children, whose documents leave it as
// their views go.
CHostFrame::~CHostFrame() { delete m_pImageTemplate; }

int CHostFrame::OnCreate(LPCREATESTRUCT lpCreateStruct)
{
    if (CMDIFrameWnd::OnCreate(lpCreateStruct) == -1)
        return -1;
    static const UINT indicators[] = {ID_SEPARATOR};
    if (!m_wndStatusBar.Create(this) || !m_wndStatusBar.SetIndicators(indicators, 1))
        return -1;
    if (!m_wndLogBar.Create(this, IDD_HOST_LOGBAR, WS_VISIBLE | CBRS_BOTTOM, AFX_IDW_CONTROLBAR_FIRST + 0x20))
        return -1;
    CHostLog::Get().SetView(m_wndLogBar.GetDlgItem(IDC_HOST_LOG)->GetSafeHwnd());
    EnableDocking(CBRS_ALIGN_ANY);
    m_pImageTemplate = new CMultiDocTemplate(IDR_HOST_IMAGE, RUNTIME_CLASS(CHostDoc),
                                             RUNTIME_CLASS(CHostChildFrame), RUNTIME_CLASS(CHostView));
    return 0;
}

// The log's list fills the bar, which is as wide as the frame.
void CHostFrame::RecalcLayout(BOOL bNotify)
{
    CMDIFrameWnd::RecalcLayout(bNotify);
    CWnd* pList = m_wndLogBar.m_hWnd != NULL ? m_wndLogBar.GetDlgItem(IDC_HOST_LOG) : NULL;
    if (pList == NULL)
        return;
    CRect client;
    m_wndLogBar.GetClientRect(&client);
    client.DeflateRect(2, 2);
    pList->MoveWindow(&client);
}

void CHostFrame::OnDestroy()
{
    CHostLog::Get().SetView(NULL);
    if (m_pHostDialog != NULL) {
        m_pHostDialog->DestroyWindow();
        delete m_pHostDialog;
        m_pHostDialog = NULL;
    }
    CMDIFrameWnd::OnDestroy();
}

CFrameWnd* CHostFrame::NewImage()
{
    CDocument* pDoc = m_pImageTemplate->OpenDocumentFile(NULL);
    if (pDoc == NULL)
        return NULL;
    POSITION pos = pDoc->GetFirstViewPosition();
    CView* pView = pDoc->GetNextView(pos);
    return pView != NULL ? pView->GetParentFrame() : NULL;
}

CHostDialog* CHostFrame::ShowHostDialog()
{
    if (m_pHostDialog == NULL)
        m_pHostDialog = new CHostDialog;
    if (m_pHostDialog->m_hWnd == NULL && !m_pHostDialog->Create(this))
        return NULL;
    m_pHostDialog->ShowWindow(SW_SHOW);
    return m_pHostDialog;
}

void CHostFrame::OnNewImage() { NewImage(); }
void CHostFrame::OnHostDialog() { ShowHostDialog(); }
void CHostFrame::OnClearLog() { CHostLog::Get().Clear(); }

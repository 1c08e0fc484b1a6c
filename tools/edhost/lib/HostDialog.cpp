#include "HostDialog.h"

#include "HostLog.h"
#include "HostRes.h"
#include "HostState.h"

BEGIN_MESSAGE_MAP(CHostDialog, CDialog)
    ON_MESSAGE(WM_GET_TRUE_CTRL_ID, OnGetTrueCtrlId)
    ON_MESSAGE(WM_GET_IMAGE_WND, OnGetImageWnd)
    ON_WM_DESTROY()
END_MESSAGE_MAP()

CHostDialog::CHostDialog() : CDialog(IDD_HOST_DIALOG), m_nResult(0), m_pEmbedded(NULL) {}

BOOL CHostDialog::Create(CWnd* pParent)
{
    m_nResult = 0;
    return CDialog::Create(IDD_HOST_DIALOG, pParent);
}

BOOL CHostDialog::OnInitDialog()
{
    CDialog::OnInitDialog();
    // The containers take the place of the template's frame; the image
    // window that of its image frame.
    CRect place, image;
    GetDlgItem(IDC_HOST_CONTAINER)->GetWindowRect(&place);
    ScreenToClient(&place);
    GetDlgItem(IDC_HOST_IMAGE)->GetWindowRect(&image);
    ScreenToClient(&image);
    GetDlgItem(IDC_HOST_CONTAINER)->DestroyWindow();
    GetDlgItem(IDC_HOST_IMAGE)->DestroyWindow();

    // Tab moves into the containers as into a group of the dialog's own.
    LPCTSTR lpszClass = AfxRegisterWndClass(0, ::LoadCursor(NULL, IDC_ARROW), (HBRUSH)(COLOR_BTNFACE + 1));
    m_wndOuter.CreateEx(WS_EX_CONTROLPARENT, lpszClass, "", WS_CHILD | WS_VISIBLE | WS_CLIPCHILDREN, place, this,
                        IDC_HOST_CONTAINER);
    CRect inner(0, 0, place.Width(), place.Height());
    m_wndInner.CreateEx(WS_EX_CONTROLPARENT, lpszClass, "", WS_CHILD | WS_VISIBLE | WS_CLIPCHILDREN, inner,
                        &m_wndOuter, IDC_HOST_INNER);
    m_wndImage.Create(this, image, IDC_HOST_IMAGE);
    return TRUE;
}

CView* CHostDialog::Embed(CRuntimeClass* pClass, int nDepth)
{
    if (pClass == NULL || !pClass->IsDerivedFrom(RUNTIME_CLASS(CView)) || m_hWnd == NULL)
        return NULL;
    if (m_pEmbedded != NULL)
        m_pEmbedded->DestroyWindow();  // the view deletes itself
    m_pEmbedded = NULL;
    m_wndOuter.ShowWindow(SW_SHOW);
    CObject* pObject = pClass->CreateObject();
    if (pObject == NULL)
        return NULL;
    CView* pView = static_cast<CView*>(pObject);
    CWnd* pParent = nDepth == 1 ? static_cast<CWnd*>(this) : &m_wndInner;
    CRect rect;
    if (nDepth == 1) {
        m_wndOuter.GetWindowRect(&rect);
        ScreenToClient(&rect);
        m_wndOuter.ShowWindow(SW_HIDE);
    } else {
        m_wndInner.GetClientRect(&rect);
    }
    // A view that fails to be made deletes itself.
    if (!pView->Create(NULL, NULL, WS_CHILD | WS_VISIBLE, rect, pParent, AFX_IDW_PANE_FIRST, NULL))
        return NULL;
    pView->OnInitialUpdate();
    m_pEmbedded = pView;
    return pView;
}

void CHostDialog::OnDestroy()
{
    m_pEmbedded = NULL;  // goes with its window
    CDialog::OnDestroy();
}

void CHostDialog::OnOK()
{
    m_nResult = IDOK;
    CDialog::OnOK();
}

void CHostDialog::OnCancel()
{
    m_nResult = IDCANCEL;
    CDialog::OnCancel();
}

LRESULT CHostDialog::OnGetTrueCtrlId(WPARAM, LPARAM)
{
    CHostLog::Get().Add(WM_GET_TRUE_CTRL_ID, 0, 0, m_hWnd);
    return CHostState::Get().nTrueCtrlId;
}

LRESULT CHostDialog::OnGetImageWnd(WPARAM, LPARAM lParam)
{
    CHostLog::Get().Add(WM_GET_IMAGE_WND, 0, 0, m_hWnd);
    if (!CHostState::Get().bDialogGivesImage || lParam == 0)
        return 0;
    *reinterpret_cast<CWnd**>(lParam) = &m_wndImage;
    return 1;
}

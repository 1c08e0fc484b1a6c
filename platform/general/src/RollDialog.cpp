#include "General.h"

#include "CallLog.h"
#include "resource.h"

IMPLEMENT_DYNAMIC(CRollDialog, CDialog)

BEGIN_MESSAGE_MAP(CRollDialog, CDialog)
    ON_WM_NCACTIVATE()
    ON_WM_NCHITTEST()
    ON_WM_NCLBUTTONDBLCLK()
    ON_WM_NCLBUTTONDOWN()
    ON_WM_NCLBUTTONUP()
    ON_WM_NCPAINT()
    ON_WM_SETCURSOR()
END_MESSAGE_MAP()

CRollDialog::CRollDialog(UINT nIDTemplate, CWnd* pParent)
    : CDialog(nIDTemplate, pParent), m_bIsMin(0), m_bIsPin(0), m_bVisibleSwitch(1), m_nFullHeight(0)
{
}

CRollDialog::~CRollDialog() {}

BOOL CRollDialog::OnInitDialog()
{
    CDialog::OnInitDialog();
    CRect rect;
    GetWindowRect(&rect);
    m_nFullHeight = rect.Height();
    if (m_bIsMin) {
        m_bIsMin = 0;
        RollUp(TRUE);
    }
    return TRUE;
}

// Rolled up, only the caption and the frame below it stay.
void CRollDialog::RollUp(BOOL bUp)
{
    CRect window, client;
    GetWindowRect(&window);
    GetClientRect(&client);
    int height;
    if (bUp) {
        if (!m_bIsMin)
            m_nFullHeight = window.Height();
        height = window.Height() - client.Height();
    } else {
        if (!m_bIsMin)
            return;
        height = m_nFullHeight;
    }
    SetWindowPos(NULL, 0, 0, window.Width(), height, SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
    m_bIsMin = bUp ? 1 : 0;
}

BOOL CRollDialog::PreTranslateMessage(MSG* pMsg) { return PreTranslateInput(pMsg); }

void CRollDialog::OnOK() { UpdateData(TRUE); }

BOOL CRollDialog::OnNcActivate(BOOL bActive) { return CDialog::OnNcActivate(m_bIsPin ? TRUE : bActive); }

UINT CRollDialog::OnNcHitTest(CPoint point) { return CDialog::OnNcHitTest(point); }

void CRollDialog::OnNcLButtonDblClk(UINT nHitTest, CPoint point)
{
    if (nHitTest == HTCAPTION) {
        RollUp(!m_bIsMin);
        return;
    }
    CDialog::OnNcLButtonDblClk(nHitTest, point);
}

void CRollDialog::OnNcLButtonDown(UINT nHitTest, CPoint point)
{
    if (nHitTest == HTCAPTION && (::GetKeyState(VK_CONTROL) & 0x8000)) {
        m_bIsPin = !m_bIsPin;
        SendMessage(WM_NCACTIVATE, TRUE);
        return;
    }
    CDialog::OnNcLButtonDown(nHitTest, point);
}

void CRollDialog::OnNcLButtonUp(UINT nHitTest, CPoint point) { CDialog::OnNcLButtonUp(nHitTest, point); }

void CRollDialog::OnNcPaint() { CDialog::OnNcPaint(); }

BOOL CRollDialog::OnSetCursor(CWnd* pWnd, UINT nHitTest, UINT message)
{
    return CDialog::OnSetCursor(pWnd, nHitTest, message);
}

CRollSheet::CRollSheet(UINT nIDCaption, CWnd* pParent, UINT iSelectPage)
    : CPropertySheet(nIDCaption, pParent, iSelectPage), m_bSizeByActivePage(0), m_bAllowResize(0),
      m_bVisibleSwitch(1)
{
}

CRollSheet::~CRollSheet() {}

// --- The path edit roll-up (ordinals 192, 206, 207) ---------------------------

namespace {

class CPathRollup : public CRollDialog {
public:
    CPathRollup() : CRollDialog(IDD_GENERAL_PATH, NULL) {}

protected:
    void OnCancel() override { ShowWindow(SW_HIDE); }
};

CPathRollup* g_pPathRollup = NULL;

}  // namespace

extern "C" {

CRollDialog* GenGetPathRollup()
{
    general::Record(192);
    return g_pPathRollup;
}

// Made from general's own template, with the caller's resources put back
// whether or not the window could be made.
CRollDialog* GenCreatePathRollup()
{
    general::Record(206);
    if (g_pPathRollup != NULL && ::IsWindow(g_pPathRollup->m_hWnd))
        return g_pPathRollup;
    delete g_pPathRollup;
    g_pPathRollup = new CPathRollup;
    HINSTANCE previous = AfxGetResourceHandle();
    AfxSetResourceHandle(general::ThisModule());
    BOOL created = g_pPathRollup->Create(IDD_GENERAL_PATH, NULL);
    AfxSetResourceHandle(previous);
    if (!created) {
        delete g_pPathRollup;
        g_pPathRollup = NULL;
    }
    return g_pPathRollup;
}

void GenReleasePathRollup(int)
{
    general::Record(207);
    if (g_pPathRollup == NULL)
        return;
    if (::IsWindow(g_pPathRollup->m_hWnd))
        g_pPathRollup->DestroyWindow();
    delete g_pPathRollup;
    g_pPathRollup = NULL;
}

}  // extern "C"

// Dialog bars: a control bar made from a dialog template, its controls
// enabled and checked by the frame's update handlers.
#include "afxext.h"

IMPLEMENT_DYNAMIC(CDialogBar, CControlBar)

namespace {
class CDialogBarCmdUI : public CCmdUI {};
}  // namespace

BEGIN_MESSAGE_MAP(CDialogBar, CControlBar)
    ON_WM_ERASEBKGND()
END_MESSAGE_MAP()

CDialogBar::CDialogBar() : m_sizeDefault(0, 0)
{
    m_cxLeftBorder = m_cxRightBorder = 0;
    m_cyTopBorder = m_cyBottomBorder = 0;
}

CDialogBar::~CDialogBar()
{
    if (m_hWnd != nullptr)
        DestroyWindow();
}

BOOL CDialogBar::Create(CWnd* pParentWnd, UINT nIDTemplate, UINT nStyle, UINT nID)
{
    return Create(pParentWnd, MAKEINTRESOURCE(nIDTemplate), nStyle, nID);
}

BOOL CDialogBar::Create(CWnd* pParentWnd, LPCTSTR lpszTemplateName, UINT nStyle, UINT nID)
{
    m_dwStyle = nStyle & CBRS_ALL;
    // The template makes the window: an invisible child of the frame.
    if (!CreateDlg(lpszTemplateName, pParentWnd))
        return FALSE;
    SetDlgCtrlID((int)nID);

    // The template's size is the bar's size.
    CRect rect;
    GetWindowRect(&rect);
    m_sizeDefault = rect.Size();

    ModifyStyle(0, WS_CLIPSIBLINGS);
    if (!ExecuteDlgInit(lpszTemplateName))
        return FALSE;

    // The frame's layout gives it its place.
    UINT nFlags = SWP_NOZORDER | SWP_NOACTIVATE;
    if (nStyle & WS_VISIBLE)
        nFlags |= SWP_SHOWWINDOW;
    SetWindowPos(nullptr, 0, 0, 0, 0, nFlags);
    return TRUE;
}

CSize CDialogBar::CalcFixedLayout(BOOL bStretch, BOOL bHorz)
{
    if (bStretch)
        return bHorz ? CSize(32767, m_sizeDefault.cy) : CSize(m_sizeDefault.cx, 32767);
    return m_sizeDefault;
}

void CDialogBar::OnUpdateCmdUI(CFrameWnd* pTarget, BOOL bDisableIfNoHndler)
{
    CDialogBarCmdUI state;
    state.m_nIndexMax = 0;
    for (HWND hWndChild = ::GetTopWindow(m_hWnd); hWndChild != nullptr;
         hWndChild = ::GetWindow(hWndChild, GW_HWNDNEXT)) {
        int nID = ::GetDlgCtrlID(hWndChild);
        if (nID == 0 || nID == 0xFFFF || nID == -1)
            continue;
        state.m_nID = (UINT)nID;
        state.m_pOther = CWnd::FromHandle(hWndChild);
        // The bar itself may handle the update.
        if (CWnd::OnCmdMsg(state.m_nID, (int)CN_UPDATE_COMMAND_UI, &state, nullptr))
            continue;
        // Only push buttons are disabled for want of a handler: the other
        // controls are not commands.
        UINT nCode = (UINT)::SendMessageA(hWndChild, WM_GETDLGCODE, 0, 0);
        BOOL bDisable = bDisableIfNoHndler && (nCode & (DLGC_DEFPUSHBUTTON | DLGC_UNDEFPUSHBUTTON));
        state.DoUpdate(pTarget, bDisable);
    }
}

BOOL CDialogBar::OnEraseBkgnd(CDC* pDC)
{
    CRect rect;
    GetClientRect(&rect);
    ::FillRect(pDC->m_hDC, &rect, ::GetSysColorBrush(COLOR_BTNFACE));
    return TRUE;
}

// Frame windows: layout of the control bars around the view, the status
// bar's messages (fly-by help and the idle message) and idle updates.
#include "afxwin.h"

void CFrameWnd::RecalcLayout(BOOL)
{
    if (m_bInRecalcLayout)
        return;  // a bar that resizes while laid out
    m_bInRecalcLayout = TRUE;
    m_nIdleFlags &= ~(idleLayout | idleNotify);
    RepositionBars(0, 0xffff, AFX_IDW_PANE_FIRST, reposExtra, &m_rectBorder);
    m_bInRecalcLayout = FALSE;
}

void CFrameWnd::DelayRecalcLayout(BOOL bNotify)
{
    m_nIdleFlags |= (idleLayout | (bNotify ? idleNotify : 0));
}

void CFrameWnd::OnSize(UINT nType, int cx, int cy)
{
    CWnd::OnSize(nType, cx, cy);
    if (nType != SIZE_MINIMIZED)
        RecalcLayout();
}

// ---------------------------------------------------------------------------
// Control bars

// Bars are CWnd's first and only base: the object's address is the window's.
static CWnd* BarWnd(CControlBar* pBar)
{
    return reinterpret_cast<CWnd*>(pBar);
}

CControlBar* CFrameWnd::GetControlBar(UINT nID)
{
    if (nID == 0)
        return NULL;
    POSITION pos = m_listControlBars.GetHeadPosition();
    while (pos != NULL) {
        CControlBar* pBar = static_cast<CControlBar*>(m_listControlBars.GetNext(pos));
        HWND hWndBar = BarWnd(pBar)->m_hWnd;
        if (hWndBar != NULL && (UINT)::GetDlgCtrlID(hWndBar) == nID)
            return pBar;
    }
    return NULL;
}

void CFrameWnd::OnUpdateControlBarMenu(CCmdUI* pCmdUI)
{
    CControlBar* pBar = GetControlBar(pCmdUI->m_nID);
    if (pBar != NULL) {
        pCmdUI->SetCheck((BarWnd(pBar)->GetStyle() & WS_VISIBLE) != 0);
        return;
    }
    pCmdUI->ContinueRouting();
}

BOOL CFrameWnd::OnBarCheck(UINT nID)
{
    CControlBar* pBar = GetControlBar(nID);
    if (pBar != NULL) {
        ShowControlBar(pBar, (BarWnd(pBar)->GetStyle() & WS_VISIBLE) == 0, FALSE);
        return TRUE;
    }
    return FALSE;
}

void CFrameWnd::OnUpdateKeyIndicator(CCmdUI* pCmdUI)
{
    int nVK;
    switch (pCmdUI->m_nID) {
    case ID_INDICATOR_CAPS:
        nVK = VK_CAPITAL;
        break;
    case ID_INDICATOR_NUM:
        nVK = VK_NUMLOCK;
        break;
    case ID_INDICATOR_SCRL:
        nVK = VK_SCROLL;
        break;
    case ID_INDICATOR_KANA:
        nVK = VK_KANA;
        break;
    default:
        pCmdUI->ContinueRouting();
        return;
    }
    // The indicator's text shows while its key is toggled on.
    pCmdUI->Enable(::GetKeyState(nVK) & 0x0001);
}

// ---------------------------------------------------------------------------
// Messages in the status bar

CWnd* CFrameWnd::GetMessageBar()
{
    CWnd* pBar = GetDescendantWindow(AFX_IDW_STATUS_BAR, TRUE);
    if (pBar == NULL) {
        // A child frame shows its messages in the bar of its top-level frame.
        CFrameWnd* pTop = GetTopLevelFrame();
        if (pTop != NULL && pTop != this)
            pBar = pTop->GetMessageBar();
    }
    return pBar;
}

void CFrameWnd::SetMessageText(LPCTSTR lpszText)
{
    SendMessage(WM_SETMESSAGESTRING, 0, (LPARAM)lpszText);
}

void CFrameWnd::SetMessageText(UINT nID)
{
    SendMessage(WM_SETMESSAGESTRING, (WPARAM)nID);
}

void CFrameWnd::GetMessageString(UINT nID, CString& rMessage) const
{
    // A command's string is "prompt\ntooltip": the status bar shows the prompt.
    CString strFull;
    if (!strFull.LoadString(nID)) {
        rMessage.Empty();
        return;
    }
    int nNewLine = strFull.Find('\n');
    rMessage = nNewLine < 0 ? strFull : strFull.Left(nNewLine);
}

// wParam: a string id, or 0 with the text in lParam. Returns the id shown
// before.
LRESULT CFrameWnd::OnSetMessageString(WPARAM wParam, LPARAM lParam)
{
    UINT nIDLast = m_nIDLastMessage;
    CWnd* pMessageBar = GetMessageBar();
    if (pMessageBar != NULL) {
        CString strMessage;
        LPCTSTR lpsz = NULL;
        if (lParam != 0) {
            lpsz = (LPCTSTR)lParam;
        } else if (wParam != 0) {
            GetMessageString((UINT)wParam, strMessage);
            lpsz = strMessage;
        }
        pMessageBar->SetWindowText(lpsz);

        CFrameWnd* pBarFrame = pMessageBar->GetParentFrame();
        if (pBarFrame != NULL && pBarFrame != this) {
            pBarFrame->m_nIDLastMessage = (UINT)wParam;
            pBarFrame->m_nIDTracking = (UINT)wParam;
        }
    }
    m_nIDLastMessage = (UINT)wParam;
    m_nIDTracking = (UINT)wParam;
    return (LRESULT)nIDLast;
}

void CFrameWnd::OnMenuSelect(UINT nItemID, UINT nFlags, HMENU hSysMenu)
{
    if (nFlags == 0xFFFF && hSysMenu == NULL) {
        m_nIDTracking = AFX_IDS_IDLEMESSAGE;  // the menu closed
    } else if (nItemID == 0 || (nFlags & (MF_SEPARATOR | MF_POPUP))) {
        m_nIDTracking = 0;
    } else if (nItemID >= 0xF000 && nItemID < 0xF1F0) {
        // System commands map onto the library's strings.
        m_nIDTracking = AFX_IDS_SCFIRST + ((nItemID - 0xF000) >> 4);
    } else if (nItemID >= AFX_IDM_FIRST_MDICHILD) {
        m_nIDTracking = AFX_IDS_MDICHILD;
    } else {
        m_nIDTracking = nItemID;
    }
    if (m_nIDTracking != m_nIDLastMessage)
        SendMessage(WM_SETMESSAGESTRING, (WPARAM)m_nIDTracking);
}

// ---------------------------------------------------------------------------
// Idle processing

LRESULT CFrameWnd::OnIdleUpdateCmdUI(WPARAM, LPARAM)
{
    if (m_nIdleFlags & idleTitle)
        OnUpdateFrameTitle(TRUE);
    if (m_nIdleFlags & idleLayout) {
        RecalcLayout((m_nIdleFlags & idleNotify) != 0);
        UpdateWindow();
    }
    if (m_nIDTracking != m_nIDLastMessage)
        SetMessageText(m_nIDTracking);
    m_nIdleFlags = 0;
    return 0;
}

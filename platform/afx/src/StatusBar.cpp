// Status bars: a common status bar control whose panes show free texts and
// indicators, updated at idle time.
#include "afxext.h"

#include "CommonControls.h"

IMPLEMENT_DYNAMIC(CStatusBar, CControlBar)

namespace {

const int kPaneMargin = 6;  // room around a pane's text

// Updates one pane from its command's update handler.
class CStatusCmdUI : public CCmdUI {
public:
    void Enable(BOOL bOn) override
    {
        m_bEnableChanged = TRUE;
        CStatusBar* pStatusBar = static_cast<CStatusBar*>(m_pOther);
        UINT nNewStyle = pStatusBar->GetPaneStyle((int)m_nIndex) & ~SBPS_DISABLED;
        if (!bOn)
            nNewStyle |= SBPS_DISABLED;
        pStatusBar->SetPaneStyle((int)m_nIndex, nNewStyle);
    }
    void SetCheck(int nCheck) override
    {
        // A checked pane stands out.
        CStatusBar* pStatusBar = static_cast<CStatusBar*>(m_pOther);
        UINT nNewStyle = pStatusBar->GetPaneStyle((int)m_nIndex) & ~SBPS_POPOUT;
        if (nCheck != 0)
            nNewStyle |= SBPS_POPOUT;
        pStatusBar->SetPaneStyle((int)m_nIndex, nNewStyle);
    }
    void SetRadio(BOOL bOn) override { SetCheck(bOn ? 1 : 0); }
    void SetText(LPCTSTR lpszText) override
    {
        static_cast<CStatusBar*>(m_pOther)->SetPaneText((int)m_nIndex, lpszText);
    }
};

// The key whose toggle state a standard indicator shows, or 0.
int IndicatorKey(UINT nID)
{
    switch (nID) {
    case ID_INDICATOR_CAPS:
        return VK_CAPITAL;
    case ID_INDICATOR_NUM:
        return VK_NUMLOCK;
    case ID_INDICATOR_SCRL:
        return VK_SCROLL;
    case ID_INDICATOR_KANA:
        return VK_KANA;
    default:
        return 0;
    }
}

}  // namespace

BEGIN_MESSAGE_MAP(CStatusBar, CControlBar)
    ON_WM_SIZE()
    ON_WM_ERASEBKGND()
    ON_WM_PAINT()
    ON_MESSAGE(WM_SETTEXT, OnSetText)
    ON_MESSAGE(WM_GETTEXT, OnGetText)
    ON_MESSAGE(WM_GETTEXTLENGTH, OnGetTextLength)
    ON_MESSAGE(WM_SETFONT, OnSetFont)
END_MESSAGE_MAP()

CStatusBar::CStatusBar() : m_nMinHeight(0), m_hFont(nullptr)
{
    // The control draws its own edges.
    m_cxLeftBorder = m_cxRightBorder = 0;
    m_cyTopBorder = m_cyBottomBorder = 0;
}

CStatusBar::~CStatusBar()
{
    if (m_hWnd != nullptr)
        DestroyWindow();
    AllocElements(0);
}

BOOL CStatusBar::Create(CWnd* pParentWnd, DWORD dwStyle, UINT nID)
{
    return CreateEx(pParentWnd, 0, dwStyle, nID);
}

BOOL CStatusBar::CreateEx(CWnd* pParentWnd, DWORD dwCtrlStyle, DWORD dwStyle, UINT nID)
{
    m_dwStyle = dwStyle & CBRS_ALL;
    DWORD dwWndStyle = (dwStyle & ~CBRS_ALL) | dwCtrlStyle | CCS_NOPARENTALIGN | CCS_NOMOVEY |
                       CCS_NODIVIDER | CCS_NORESIZE;
    // A frame that can be sized gets the size grip in the corner.
    if (pParentWnd != nullptr && (pParentWnd->GetStyle() & WS_THICKFRAME))
        dwWndStyle |= SBARS_SIZEGRIP;
    if (!afxinternal::EnsureCommonControls(ICC_BAR_CLASSES))
        return FALSE;
    return CWnd::Create(STATUSCLASSNAME, nullptr, dwWndStyle, CRect(0, 0, 0, 0), pParentWnd, nID);
}

BOOL CStatusBar::AllocElements(int nElements)
{
    delete[] static_cast<AFX_STATUSPANE*>(m_pData);
    m_pData = nullptr;
    m_nCount = 0;
    if (nElements > 0) {
        AFX_STATUSPANE* pPanes = new AFX_STATUSPANE[nElements];
        for (int i = 0; i < nElements; ++i) {
            pPanes[i].nID = ID_SEPARATOR;
            pPanes[i].nStyle = SBPS_NORMAL;
            pPanes[i].cxText = 0;
            pPanes[i].nFlags = 0;
        }
        m_pData = pPanes;
        m_nCount = nElements;
    }
    return TRUE;
}

AFX_STATUSPANE* CStatusBar::GetPanePtr(int nIndex) const
{
    if (nIndex < 0 || nIndex >= m_nCount)
        return nullptr;
    return static_cast<AFX_STATUSPANE*>(m_pData) + nIndex;
}

int CStatusBar::TextWidth(const CString& strText) const
{
    HFONT hFont = m_hWnd != nullptr ? (HFONT)::SendMessageA(m_hWnd, WM_GETFONT, 0, 0) : nullptr;
    if (hFont == nullptr)
        hFont = (HFONT)::GetStockObject(DEFAULT_GUI_FONT);
    HDC hDC = ::GetDC(nullptr);
    HGDIOBJ hOld = ::SelectObject(hDC, hFont);
    SIZE size = {0, 0};
    ::GetTextExtentPoint32A(hDC, strText, strText.GetLength(), &size);
    ::SelectObject(hDC, hOld);
    ::ReleaseDC(nullptr, hDC);
    return size.cx;
}

BOOL CStatusBar::SetIndicators(const UINT* lpIDArray, int nIDCount)
{
    AllocElements(nIDCount);
    BOOL bResult = TRUE;
    for (int i = 0; i < nIDCount; ++i) {
        AFX_STATUSPANE* pSBP = GetPanePtr(i);
        pSBP->nID = lpIDArray != nullptr ? lpIDArray[i] : ID_SEPARATOR;
        pSBP->nFlags |= SBPF_UPDATE;
        if (pSBP->nID != ID_SEPARATOR) {
            // An indicator shows its string and is as wide as it.
            if (!pSBP->strText.LoadString(pSBP->nID)) {
                bResult = FALSE;
                break;
            }
            pSBP->cxText = TextWidth(pSBP->strText);
        } else {
            // A free pane; the first one takes what the others leave.
            pSBP->cxText = ::GetSystemMetrics(SM_CXSCREEN) / 4;
            if (i == 0)
                pSBP->nStyle |= SBPS_STRETCH | SBPS_NOBORDERS;
        }
    }
    UpdateAllPanes(TRUE, TRUE);
    return bResult;
}

void CStatusBar::UpdateAllPanes(BOOL bUpdateRects, BOOL bUpdateText)
{
    if (m_hWnd == nullptr)
        return;
    if (bUpdateRects) {
        CRect rect;
        GetClientRect(&rect);
        int borders[3] = {0, 0, 0};
        DefWindowProc(SB_GETBORDERS, 0, (LPARAM)borders);
        int cxGrip = (GetStyle() & SBARS_SIZEGRIP) ? ::GetSystemMetrics(SM_CXVSCROLL) : 0;

        int nStretch = 0;
        int cxFixed = borders[0];
        for (int i = 0; i < m_nCount; ++i) {
            AFX_STATUSPANE* pSBP = GetPanePtr(i);
            if (pSBP->nStyle & SBPS_STRETCH)
                ++nStretch;
            else
                cxFixed += pSBP->cxText + kPaneMargin;
            if (i > 0)
                cxFixed += borders[2];
        }
        int cxExtra = rect.Width() - cxGrip - cxFixed;
        if (cxExtra < 0)
            cxExtra = 0;

        int nParts = m_nCount > 0 ? m_nCount : 1;
        int* pRights = new int[nParts];
        if (m_nCount == 0)
            pRights[0] = -1;
        int x = borders[0];
        int nStretchSeen = 0;
        for (int i = 0; i < m_nCount; ++i) {
            AFX_STATUSPANE* pSBP = GetPanePtr(i);
            int cx;
            if (pSBP->nStyle & SBPS_STRETCH) {
                ++nStretchSeen;
                cx = nStretchSeen == nStretch ? cxExtra - (cxExtra / nStretch) * (nStretch - 1)
                                              : cxExtra / nStretch;
            } else {
                cx = pSBP->cxText + kPaneMargin;
            }
            x += cx;
            pRights[i] = x;
            x += borders[2];
        }
        DefWindowProc(SB_SETPARTS, (WPARAM)nParts, (LPARAM)pRights);
        delete[] pRights;
    }
    for (int i = 0; i < m_nCount; ++i) {
        AFX_STATUSPANE* pSBP = GetPanePtr(i);
        if (!bUpdateText && !(pSBP->nFlags & SBPF_UPDATE))
            continue;
        pSBP->nFlags &= ~SBPF_UPDATE;
        // A disabled pane shows no text.
        LPCTSTR lpszText = (pSBP->nStyle & SBPS_DISABLED) ? "" : (LPCTSTR)pSBP->strText;
        WPARAM wParam = (WPARAM)i | (pSBP->nStyle & (SBT_NOBORDERS | SBT_POPOUT | SBT_OWNERDRAW));
        DefWindowProc(SB_SETTEXTA, wParam, (LPARAM)lpszText);
    }
}

int CStatusBar::CommandToIndex(UINT nIDFind) const
{
    for (int i = 0; i < m_nCount; ++i)
        if (GetPanePtr(i)->nID == nIDFind)
            return i;
    return -1;
}

UINT CStatusBar::GetItemID(int nIndex) const
{
    AFX_STATUSPANE* pSBP = GetPanePtr(nIndex);
    return pSBP != nullptr ? pSBP->nID : ID_SEPARATOR;
}

void CStatusBar::GetItemRect(int nIndex, LPRECT lpRect) const
{
    if (!::SendMessageA(m_hWnd, SB_GETRECT, (WPARAM)nIndex, (LPARAM)lpRect))
        ::SetRectEmpty(lpRect);
}

void CStatusBar::GetPaneText(int nIndex, CString& rString) const
{
    AFX_STATUSPANE* pSBP = GetPanePtr(nIndex);
    rString = pSBP != nullptr ? pSBP->strText : CString();
}

CString CStatusBar::GetPaneText(int nIndex) const
{
    CString strText;
    GetPaneText(nIndex, strText);
    return strText;
}

BOOL CStatusBar::SetPaneText(int nIndex, LPCTSTR lpszNewText, BOOL bUpdate)
{
    AFX_STATUSPANE* pSBP = GetPanePtr(nIndex);
    if (pSBP == nullptr)
        return FALSE;
    if (lpszNewText == nullptr)
        lpszNewText = "";
    if (!(pSBP->nFlags & SBPF_UPDATE) && pSBP->strText == lpszNewText)
        return TRUE;  // nothing changes: no flicker
    pSBP->strText = lpszNewText;
    pSBP->nFlags |= SBPF_UPDATE;
    if (bUpdate)
        UpdateAllPanes(FALSE, FALSE);
    return TRUE;
}

UINT CStatusBar::GetPaneStyle(int nIndex) const
{
    AFX_STATUSPANE* pSBP = GetPanePtr(nIndex);
    return pSBP != nullptr ? pSBP->nStyle : 0;
}

void CStatusBar::SetPaneStyle(int nIndex, UINT nStyle)
{
    AFX_STATUSPANE* pSBP = GetPanePtr(nIndex);
    if (pSBP == nullptr || pSBP->nStyle == nStyle)
        return;
    BOOL bStretchChanged = ((pSBP->nStyle ^ nStyle) & SBPS_STRETCH) != 0;
    pSBP->nStyle = nStyle;
    pSBP->nFlags |= SBPF_UPDATE;
    UpdateAllPanes(bStretchChanged, FALSE);
}

void CStatusBar::GetPaneInfo(int nIndex, UINT& nID, UINT& nStyle, int& cxWidth) const
{
    AFX_STATUSPANE* pSBP = GetPanePtr(nIndex);
    if (pSBP == nullptr) {
        nID = 0;
        nStyle = 0;
        cxWidth = 0;
        return;
    }
    nID = pSBP->nID;
    nStyle = pSBP->nStyle;
    cxWidth = pSBP->cxText;
}

void CStatusBar::SetPaneInfo(int nIndex, UINT nID, UINT nStyle, int cxWidth)
{
    AFX_STATUSPANE* pSBP = GetPanePtr(nIndex);
    if (pSBP == nullptr)
        return;
    pSBP->nID = nID;
    pSBP->nStyle = nStyle;
    pSBP->cxText = cxWidth;
    pSBP->nFlags |= SBPF_UPDATE;
    UpdateAllPanes(TRUE, FALSE);
}

CSize CStatusBar::CalcFixedLayout(BOOL bStretch, BOOL bHorz)
{
    HFONT hFont = m_hWnd != nullptr ? (HFONT)::SendMessageA(m_hWnd, WM_GETFONT, 0, 0) : nullptr;
    if (hFont == nullptr)
        hFont = (HFONT)::GetStockObject(DEFAULT_GUI_FONT);
    HDC hDC = ::GetDC(nullptr);
    HGDIOBJ hOld = ::SelectObject(hDC, hFont);
    TEXTMETRICA tm;
    ::GetTextMetricsA(hDC, &tm);
    ::SelectObject(hDC, hOld);
    ::ReleaseDC(nullptr, hDC);

    int borders[3] = {0, 2, 2};
    if (m_hWnd != nullptr)
        ::SendMessageA(m_hWnd, SB_GETBORDERS, 0, (LPARAM)borders);

    CRect rect(0, 0, 0, 0);
    CalcInsideRect(rect, bHorz);
    CSize size;
    // The text, the pane edges around it and the control's own borders.
    size.cy = tm.tmHeight + tm.tmExternalLeading + 2 * borders[1] + 4 - rect.Height();
    if (size.cy < m_nMinHeight)
        size.cy = m_nMinHeight;
    if (bStretch) {
        size.cx = 32767;
    } else {
        size.cx = -rect.Width();
        for (int i = 0; i < m_nCount; ++i)
            size.cx += GetPanePtr(i)->cxText + kPaneMargin + borders[2];
    }
    return size;
}

void CStatusBar::OnUpdateCmdUI(CFrameWnd* pTarget, BOOL)
{
    CStatusCmdUI state;
    state.m_pOther = this;
    state.m_nIndexMax = (UINT)m_nCount;
    for (state.m_nIndex = 0; state.m_nIndex < state.m_nIndexMax; ++state.m_nIndex) {
        state.m_nID = GetPanePtr((int)state.m_nIndex)->nID;
        if (state.m_nID == ID_SEPARATOR)
            continue;
        // The bar itself may handle the update.
        if (CWnd::OnCmdMsg(state.m_nID, (int)CN_UPDATE_COMMAND_UI, &state, nullptr))
            continue;
        // Panes are never disabled for want of a handler; the key
        // indicators follow their keys when nobody else updates them.
        if (!state.DoUpdate(pTarget, FALSE)) {
            int nKey = IndicatorKey(state.m_nID);
            if (nKey != 0)
                state.Enable(::GetKeyState(nKey) & 1);
        }
    }
    UpdateAllPanes(FALSE, FALSE);
}

INT_PTR CStatusBar::OnToolHitTest(CPoint, TOOLINFO*) const { return -1; }

void CStatusBar::OnSize(UINT, int, int)
{
    Default();
    // The stretchy panes follow the width.
    UpdateAllPanes(TRUE, FALSE);
}

BOOL CStatusBar::OnEraseBkgnd(CDC*) { return (BOOL)Default(); }

void CStatusBar::OnPaint()
{
    // The control paints its panes.
    Default();
}

LRESULT CStatusBar::OnSetText(WPARAM, LPARAM lParam)
{
    // The window's text is the text of the first free pane.
    int nIndex = CommandToIndex(ID_SEPARATOR);
    if (nIndex < 0)
        return FALSE;
    return SetPaneText(nIndex, reinterpret_cast<LPCTSTR>(lParam));
}

LRESULT CStatusBar::OnGetText(WPARAM wParam, LPARAM lParam)
{
    int nMaxLen = (int)wParam;
    LPTSTR lpszDest = reinterpret_cast<LPTSTR>(lParam);
    if (nMaxLen <= 0 || lpszDest == nullptr)
        return 0;
    CString strText;
    int nIndex = CommandToIndex(ID_SEPARATOR);
    if (nIndex >= 0)
        GetPaneText(nIndex, strText);
    int nLen = strText.GetLength();
    if (nLen > nMaxLen - 1)
        nLen = nMaxLen - 1;
    memcpy(lpszDest, (LPCTSTR)strText, nLen);
    lpszDest[nLen] = '\0';
    return nLen;
}

LRESULT CStatusBar::OnGetTextLength(WPARAM, LPARAM)
{
    int nIndex = CommandToIndex(ID_SEPARATOR);
    return nIndex >= 0 ? GetPanePtr(nIndex)->strText.GetLength() : 0;
}

LRESULT CStatusBar::OnSetFont(WPARAM wParam, LPARAM)
{
    m_hFont = reinterpret_cast<HFONT>(wParam);
    LRESULT lResult = Default();
    // The indicators are as wide as their texts in the new font.
    for (int i = 0; i < m_nCount; ++i) {
        AFX_STATUSPANE* pSBP = GetPanePtr(i);
        if (pSBP->nID != ID_SEPARATOR)
            pSBP->cxText = TextWidth(pSBP->strText);
    }
    UpdateAllPanes(TRUE, FALSE);
    return lResult;
}

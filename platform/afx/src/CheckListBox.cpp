#include "afxwin.h"

namespace {
// Each item's word in m_states.
const WORD kCheckMask = 0x00FF;
const WORD kDisabled = 0x0100;

// The check box and the room around it at the start of every item.
const int kBoxSize = 13;
const int kBoxMargin = 2;
const int kCheckWidth = kBoxSize + 2 * kBoxMargin;
}  // namespace

IMPLEMENT_DYNAMIC(CCheckListBox, CListBox)

BEGIN_MESSAGE_MAP(CCheckListBox, CListBox)
    ON_WM_LBUTTONDOWN()
    ON_WM_LBUTTONDBLCLK()
    ON_WM_KEYDOWN()
    ON_MESSAGE(LB_ADDSTRING, OnLBAddString)
    ON_MESSAGE(LB_INSERTSTRING, OnLBInsertString)
    ON_MESSAGE(LB_DELETESTRING, OnLBDeleteString)
    ON_MESSAGE(LB_RESETCONTENT, OnLBResetContent)
    ON_MESSAGE(LB_DIR, OnLBDir)
    ON_MESSAGE(WM_SETFONT, OnSetFont)
END_MESSAGE_MAP()

CCheckListBox::CCheckListBox() : m_nStyle(BS_AUTOCHECKBOX) {}

CCheckListBox::~CCheckListBox()
{
    DestroyWindow();
}

BOOL CCheckListBox::Create(DWORD dwStyle, const RECT& rect, CWnd* pParentWnd, UINT nID)
{
    ASSERT(dwStyle & (LBS_OWNERDRAWFIXED | LBS_OWNERDRAWVARIABLE));
    return CListBox::Create(dwStyle, rect, pParentWnd, nID);
}

void CCheckListBox::PreSubclassWindow()
{
    CListBox::PreSubclassWindow();
    // A list box from a dialog template exists already: it may hold items,
    // and it measured its items before it had this object to ask. While
    // Create makes the window it answers nothing yet (no items, height 0).
    int count = (int)::SendMessage(m_hWnd, LB_GETCOUNT, 0, 0);
    m_states.SetSize(count > 0 ? count : 0);
    for (int i = 0; i < m_states.GetSize(); i++)
        m_states[i] = 0;
    if (::SendMessage(m_hWnd, LB_GETITEMHEIGHT, 0, 0) > 0)
        SetItemHeightForChecks();
}

void CCheckListBox::SetCheckStyle(UINT nStyle)
{
    ASSERT(nStyle == BS_CHECKBOX || nStyle == BS_AUTOCHECKBOX || nStyle == BS_3STATE ||
           nStyle == BS_AUTO3STATE);
    m_nStyle = nStyle;
}

void CCheckListBox::SetCheck(int nIndex, int nCheck)
{
    if (nIndex < 0 || nIndex >= m_states.GetSize())
        return;
    m_states[nIndex] = (WORD)((m_states[nIndex] & ~kCheckMask) | (nCheck & kCheckMask));
    InvalidateCheck(nIndex);
}

int CCheckListBox::GetCheck(int nIndex)
{
    if (nIndex < 0 || nIndex >= m_states.GetSize())
        return 0;
    return m_states[nIndex] & kCheckMask;
}

void CCheckListBox::Enable(int nIndex, BOOL bEnabled)
{
    if (nIndex < 0 || nIndex >= m_states.GetSize())
        return;
    if (bEnabled)
        m_states[nIndex] = (WORD)(m_states[nIndex] & ~kDisabled);
    else
        m_states[nIndex] = (WORD)(m_states[nIndex] | kDisabled);
    RECT rect;
    if (GetItemRect(nIndex, &rect) != LB_ERR)
        ::InvalidateRect(m_hWnd, &rect, FALSE);
}

BOOL CCheckListBox::IsEnabled(int nIndex)
{
    if (nIndex < 0 || nIndex >= m_states.GetSize())
        return TRUE;
    return (m_states[nIndex] & kDisabled) == 0;
}

CSize CCheckListBox::CheckBoxSize() const
{
    return CSize(kCheckWidth, kBoxSize + kBoxMargin);
}

void CCheckListBox::InvalidateCheck(int nIndex)
{
    RECT rect;
    if (GetItemRect(nIndex, &rect) == LB_ERR)
        return;
    rect.right = rect.left + kCheckWidth;
    ::InvalidateRect(m_hWnd, &rect, FALSE);
}

int CCheckListBox::CheckFromPoint(CPoint point, BOOL& bInCheck)
{
    bInCheck = FALSE;
    BOOL outside = TRUE;
    int nIndex = (int)ItemFromPoint(point, outside);
    if (outside || nIndex >= GetCount())
        return -1;
    RECT rect;
    if (GetItemRect(nIndex, &rect) == LB_ERR)
        return -1;
    bInCheck = point.x >= rect.left && point.x < rect.left + kCheckWidth;
    return nIndex;
}

// The next state of an automatic box: on and off, or on, indeterminate and
// off for the three-state style.
void CCheckListBox::ToggleChecks(int nIndex)
{
    int modulo = m_nStyle == BS_AUTO3STATE ? 3 : 2;
    int check = GetCheck(nIndex);
    if (check >= modulo)
        check = modulo - 1;
    SetCheck(nIndex, (check + 1) % modulo);
}

void CCheckListBox::OnLButtonDown(UINT nFlags, CPoint point)
{
    ::SetFocus(m_hWnd);
    BOOL inCheck = FALSE;
    int nIndex = CheckFromPoint(point, inCheck);
    if (nIndex >= 0 && !IsEnabled(nIndex))
        return;  // a disabled item takes no clicks at all
    if (nIndex >= 0 && inCheck && (m_nStyle == BS_AUTOCHECKBOX || m_nStyle == BS_AUTO3STATE)) {
        ToggleChecks(nIndex);
        DefWindowProc(WM_LBUTTONDOWN, nFlags, MAKELPARAM(point.x, point.y));
        ::SendMessage(::GetParent(m_hWnd), WM_COMMAND,
                      MAKEWPARAM(::GetDlgCtrlID(m_hWnd), CLBN_CHKCHANGE), (LPARAM)m_hWnd);
        return;
    }
    DefWindowProc(WM_LBUTTONDOWN, nFlags, MAKELPARAM(point.x, point.y));
}

// A quick second click on the box toggles it again instead of opening the
// item.
void CCheckListBox::OnLButtonDblClk(UINT nFlags, CPoint point)
{
    BOOL inCheck = FALSE;
    int nIndex = CheckFromPoint(point, inCheck);
    if (nIndex >= 0 && inCheck) {
        OnLButtonDown(nFlags, point);
        return;
    }
    DefWindowProc(WM_LBUTTONDBLCLK, nFlags, MAKELPARAM(point.x, point.y));
}

// The space bar toggles the focused item; in a multiple-selection list
// every selected item takes the focused item's new state.
void CCheckListBox::OnKeyDown(UINT nChar, UINT nRepCnt, UINT nFlags)
{
    if (nChar == VK_SPACE && (m_nStyle == BS_AUTOCHECKBOX || m_nStyle == BS_AUTO3STATE)) {
        int nIndex = (int)::SendMessage(m_hWnd, LB_GETCARETINDEX, 0, 0);
        if (nIndex >= 0 && nIndex < GetCount() && IsEnabled(nIndex)) {
            ToggleChecks(nIndex);
            int check = GetCheck(nIndex);
            if (GetStyle() & (LBS_MULTIPLESEL | LBS_EXTENDEDSEL)) {
                for (int i = 0; i < GetCount(); i++) {
                    if (i != nIndex && GetSel(i) > 0 && IsEnabled(i))
                        SetCheck(i, check);
                }
            }
            ::SendMessage(::GetParent(m_hWnd), WM_COMMAND,
                          MAKEWPARAM(::GetDlgCtrlID(m_hWnd), CLBN_CHKCHANGE), (LPARAM)m_hWnd);
            return;
        }
    }
    DefWindowProc(WM_KEYDOWN, nChar, MAKELPARAM(nRepCnt, nFlags));
}

LRESULT CCheckListBox::OnLBAddString(WPARAM wParam, LPARAM lParam)
{
    LRESULT index = DefWindowProc(LB_ADDSTRING, wParam, lParam);
    if (index >= 0 && index <= m_states.GetSize())
        m_states.InsertAt((int)index, (WORD)0);
    return index;
}

LRESULT CCheckListBox::OnLBInsertString(WPARAM wParam, LPARAM lParam)
{
    LRESULT index = DefWindowProc(LB_INSERTSTRING, wParam, lParam);
    if (index >= 0 && index <= m_states.GetSize())
        m_states.InsertAt((int)index, (WORD)0);
    return index;
}

LRESULT CCheckListBox::OnLBDeleteString(WPARAM wParam, LPARAM lParam)
{
    LRESULT result = DefWindowProc(LB_DELETESTRING, wParam, lParam);
    if (result != LB_ERR && (int)wParam >= 0 && (int)wParam < m_states.GetSize())
        m_states.RemoveAt((int)wParam);
    return result;
}

LRESULT CCheckListBox::OnLBResetContent(WPARAM wParam, LPARAM lParam)
{
    LRESULT result = DefWindowProc(LB_RESETCONTENT, wParam, lParam);
    m_states.RemoveAll();
    return result;
}

// LB_DIR inserts sorted file names at places it does not report: the states
// start over, unchecked.
LRESULT CCheckListBox::OnLBDir(WPARAM wParam, LPARAM lParam)
{
    LRESULT result = DefWindowProc(LB_DIR, wParam, lParam);
    int count = GetCount();
    m_states.SetSize(count > 0 ? count : 0);
    for (int i = 0; i < m_states.GetSize(); i++)
        m_states[i] = 0;
    return result;
}

// An owner-draw list box keeps its item height when the font changes: make
// it fit the new font and the check box.
LRESULT CCheckListBox::OnSetFont(WPARAM wParam, LPARAM lParam)
{
    LRESULT result = DefWindowProc(WM_SETFONT, wParam, lParam);
    SetItemHeightForChecks();
    return result;
}

void CCheckListBox::SetItemHeightForChecks()
{
    if ((GetStyle() & LBS_OWNERDRAWFIXED) == 0)
        return;
    MEASUREITEMSTRUCT measure = {};
    measure.CtlType = ODT_LISTBOX;
    measure.CtlID = (UINT)::GetDlgCtrlID(m_hWnd);
    measure.itemHeight = (UINT)GetItemHeight(0);
    PreMeasureItem(&measure);
    SetItemHeight(0, measure.itemHeight);
}

// The default height: a line of the control's font.
void CCheckListBox::MeasureItem(LPMEASUREITEMSTRUCT lpMeasureItemStruct)
{
    HDC hdc = ::GetDC(m_hWnd);
    if (hdc == NULL)
        return;
    HFONT font = (HFONT)::SendMessage(m_hWnd, WM_GETFONT, 0, 0);
    HGDIOBJ oldFont = font != NULL ? ::SelectObject(hdc, font) : NULL;
    TEXTMETRIC metrics;
    if (::GetTextMetrics(hdc, &metrics))
        lpMeasureItemStruct->itemHeight = (UINT)metrics.tmHeight;
    if (oldFont != NULL)
        ::SelectObject(hdc, oldFont);
    ::ReleaseDC(m_hWnd, hdc);
}

void CCheckListBox::PreMeasureItem(LPMEASUREITEMSTRUCT lpMeasureItemStruct)
{
    MeasureItem(lpMeasureItemStruct);
    UINT minimum = (UINT)CheckBoxSize().cy;
    if (lpMeasureItemStruct->itemHeight < minimum)
        lpMeasureItemStruct->itemHeight = minimum;
}

void CCheckListBox::PreDrawItem(LPDRAWITEMSTRUCT lpDrawItemStruct)
{
    DRAWITEMSTRUCT drawItem = *lpDrawItemStruct;
    int nIndex = (int)drawItem.itemID;
    if (nIndex >= 0 && (drawItem.itemAction & (ODA_DRAWENTIRE | ODA_SELECT))) {
        RECT area = drawItem.rcItem;
        area.right = area.left + kCheckWidth;
        ::FillRect(drawItem.hDC, &area, ::GetSysColorBrush(COLOR_WINDOW));

        int height = drawItem.rcItem.bottom - drawItem.rcItem.top;
        RECT box;
        box.left = area.left + kBoxMargin;
        box.top = drawItem.rcItem.top + (height - kBoxSize) / 2;
        box.right = box.left + kBoxSize;
        box.bottom = box.top + kBoxSize;

        UINT state = DFCS_BUTTONCHECK;
        int check = GetCheck(nIndex);
        if (check == 1)
            state |= DFCS_CHECKED;
        else if (check == 2)
            state = DFCS_BUTTON3STATE | DFCS_CHECKED;
        if (!IsEnabled(nIndex))
            state |= DFCS_INACTIVE;
        ::DrawFrameControl(drawItem.hDC, &box, DFC_BUTTON, state);
    }
    drawItem.rcItem.left += kCheckWidth;
    DrawItem(&drawItem);
}

// The item's text with the selection's colours; a list box without strings
// has nothing to show here, a derived class draws it.
void CCheckListBox::DrawItem(LPDRAWITEMSTRUCT lpDrawItemStruct)
{
    HDC hdc = lpDrawItemStruct->hDC;
    const RECT& rect = lpDrawItemStruct->rcItem;
    int nIndex = (int)lpDrawItemStruct->itemID;
    if (nIndex >= 0 && (lpDrawItemStruct->itemAction & (ODA_DRAWENTIRE | ODA_SELECT))) {
        BOOL selected = (lpDrawItemStruct->itemState & ODS_SELECTED) != 0;
        COLORREF oldBack = ::SetBkColor(hdc, ::GetSysColor(selected ? COLOR_HIGHLIGHT : COLOR_WINDOW));
        int textColor = !IsEnabled(nIndex) ? COLOR_GRAYTEXT
                        : selected         ? COLOR_HIGHLIGHTTEXT
                                           : COLOR_WINDOWTEXT;
        COLORREF oldText = ::SetTextColor(hdc, ::GetSysColor(textColor));
        CString text;
        if (GetStyle() & LBS_HASSTRINGS)
            GetText(nIndex, text);
        TEXTMETRIC metrics;
        ::GetTextMetrics(hdc, &metrics);
        int y = rect.top + (rect.bottom - rect.top - metrics.tmHeight) / 2;
        ::ExtTextOut(hdc, rect.left + kBoxMargin, y, ETO_OPAQUE | ETO_CLIPPED, &rect, text,
                     (UINT)text.GetLength(), NULL);
        ::SetTextColor(hdc, oldText);
        ::SetBkColor(hdc, oldBack);
    }
    if ((lpDrawItemStruct->itemAction & ODA_FOCUS) ||
        ((lpDrawItemStruct->itemAction & ODA_DRAWENTIRE) && (lpDrawItemStruct->itemState & ODS_FOCUS)))
        ::DrawFocusRect(hdc, &rect);
}

BOOL CCheckListBox::OnChildNotify(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* pResult)
{
    switch (message) {
    case WM_DRAWITEM:
        PreDrawItem((LPDRAWITEMSTRUCT)lParam);
        break;
    case WM_MEASUREITEM:
        PreMeasureItem((LPMEASUREITEMSTRUCT)lParam);
        break;
    default:
        return CListBox::OnChildNotify(message, wParam, lParam, pResult);
    }
    if (pResult != NULL)
        *pResult = TRUE;
    return TRUE;
}

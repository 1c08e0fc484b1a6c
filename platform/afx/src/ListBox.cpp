#include "afxwin.h"

#include "OwnerDrawNotify.h"

IMPLEMENT_DYNAMIC(CListBox, CWnd)

CListBox::CListBox() {}

CListBox::~CListBox()
{
    DestroyWindow();
}

BOOL CListBox::Create(DWORD dwStyle, const RECT& rect, CWnd* pParentWnd, UINT nID)
{
    return CWnd::Create(_T("LISTBOX"), NULL, dwStyle, rect, pParentWnd, nID);
}

int CListBox::GetCount() const
{
    return (int)::SendMessage(m_hWnd, LB_GETCOUNT, 0, 0);
}

int CListBox::GetCurSel() const
{
    return (int)::SendMessage(m_hWnd, LB_GETCURSEL, 0, 0);
}

int CListBox::SetCurSel(int nSelect)
{
    return (int)::SendMessage(m_hWnd, LB_SETCURSEL, nSelect, 0);
}

int CListBox::GetSel(int nIndex) const
{
    return (int)::SendMessage(m_hWnd, LB_GETSEL, nIndex, 0);
}

int CListBox::SetSel(int nIndex, BOOL bSelect)
{
    return (int)::SendMessage(m_hWnd, LB_SETSEL, bSelect, nIndex);
}

int CListBox::GetSelCount() const
{
    return (int)::SendMessage(m_hWnd, LB_GETSELCOUNT, 0, 0);
}

int CListBox::GetSelItems(int nMaxItems, LPINT rgIndex) const
{
    return (int)::SendMessage(m_hWnd, LB_GETSELITEMS, nMaxItems, (LPARAM)rgIndex);
}

int CListBox::GetText(int nIndex, LPTSTR lpszBuffer) const
{
    return (int)::SendMessage(m_hWnd, LB_GETTEXT, nIndex, (LPARAM)lpszBuffer);
}

void CListBox::GetText(int nIndex, CString& rString) const
{
    int length = GetTextLen(nIndex);
    if (length == LB_ERR) {
        rString.Empty();
        return;
    }
    length = GetText(nIndex, rString.GetBuffer(length + 1));
    rString.ReleaseBuffer(length == LB_ERR ? 0 : length);
}

int CListBox::GetTextLen(int nIndex) const
{
    return (int)::SendMessage(m_hWnd, LB_GETTEXTLEN, nIndex, 0);
}

DWORD_PTR CListBox::GetItemData(int nIndex) const
{
    return (DWORD_PTR)::SendMessage(m_hWnd, LB_GETITEMDATA, nIndex, 0);
}

int CListBox::SetItemData(int nIndex, DWORD_PTR dwItemData)
{
    return (int)::SendMessage(m_hWnd, LB_SETITEMDATA, nIndex, (LPARAM)dwItemData);
}

void* CListBox::GetItemDataPtr(int nIndex) const
{
    return (void*)GetItemData(nIndex);
}

int CListBox::SetItemDataPtr(int nIndex, void* pData)
{
    return SetItemData(nIndex, (DWORD_PTR)pData);
}

int CListBox::GetItemRect(int nIndex, LPRECT lpRect) const
{
    return (int)::SendMessage(m_hWnd, LB_GETITEMRECT, nIndex, (LPARAM)lpRect);
}

int CListBox::GetItemHeight(int nIndex) const
{
    return (int)::SendMessage(m_hWnd, LB_GETITEMHEIGHT, nIndex, 0);
}

int CListBox::SetItemHeight(int nIndex, UINT cyItemHeight)
{
    return (int)::SendMessage(m_hWnd, LB_SETITEMHEIGHT, nIndex, MAKELPARAM(cyItemHeight, 0));
}

int CListBox::GetTopIndex() const
{
    return (int)::SendMessage(m_hWnd, LB_GETTOPINDEX, 0, 0);
}

int CListBox::SetTopIndex(int nIndex)
{
    return (int)::SendMessage(m_hWnd, LB_SETTOPINDEX, nIndex, 0);
}

void CListBox::SetHorizontalExtent(int cxExtent)
{
    ::SendMessage(m_hWnd, LB_SETHORIZONTALEXTENT, cxExtent, 0);
}

void CListBox::SetColumnWidth(int cxWidth)
{
    ::SendMessage(m_hWnd, LB_SETCOLUMNWIDTH, cxWidth, 0);
}

BOOL CListBox::SetTabStops(int nTabStops, LPINT rgTabStops)
{
    return (BOOL)::SendMessage(m_hWnd, LB_SETTABSTOPS, nTabStops, (LPARAM)rgTabStops);
}

void CListBox::SetTabStops()
{
    VERIFY(::SendMessage(m_hWnd, LB_SETTABSTOPS, 0, 0));
}

BOOL CListBox::SetTabStops(const int& cxEachStop)
{
    return (BOOL)::SendMessage(m_hWnd, LB_SETTABSTOPS, 1, (LPARAM)&cxEachStop);
}

UINT CListBox::ItemFromPoint(CPoint pt, BOOL& bOutside) const
{
    DWORD result = (DWORD)::SendMessage(m_hWnd, LB_ITEMFROMPOINT, 0, MAKELPARAM(pt.x, pt.y));
    bOutside = HIWORD(result) != 0;
    return LOWORD(result);
}

int CListBox::AddString(LPCTSTR lpszItem)
{
    return (int)::SendMessage(m_hWnd, LB_ADDSTRING, 0, (LPARAM)lpszItem);
}

int CListBox::InsertString(int nIndex, LPCTSTR lpszItem)
{
    return (int)::SendMessage(m_hWnd, LB_INSERTSTRING, nIndex, (LPARAM)lpszItem);
}

int CListBox::DeleteString(UINT nIndex)
{
    return (int)::SendMessage(m_hWnd, LB_DELETESTRING, nIndex, 0);
}

void CListBox::ResetContent()
{
    ::SendMessage(m_hWnd, LB_RESETCONTENT, 0, 0);
}

int CListBox::Dir(UINT attr, LPCTSTR lpszWildCard)
{
    return (int)::SendMessage(m_hWnd, LB_DIR, attr, (LPARAM)lpszWildCard);
}

int CListBox::FindString(int nStartAfter, LPCTSTR lpszItem) const
{
    return (int)::SendMessage(m_hWnd, LB_FINDSTRING, nStartAfter, (LPARAM)lpszItem);
}

int CListBox::FindStringExact(int nIndexStart, LPCTSTR lpszFind) const
{
    return (int)::SendMessage(m_hWnd, LB_FINDSTRINGEXACT, nIndexStart, (LPARAM)lpszFind);
}

int CListBox::SelectString(int nStartAfter, LPCTSTR lpszItem)
{
    return (int)::SendMessage(m_hWnd, LB_SELECTSTRING, nStartAfter, (LPARAM)lpszItem);
}

// The owner-draw defaults: a list box of such a style overrides what it
// needs (DrawItem always, MeasureItem for LBS_OWNERDRAWVARIABLE, CompareItem
// when sorted without strings).
void CListBox::DrawItem(LPDRAWITEMSTRUCT)
{
    ASSERT(FALSE);
}

void CListBox::MeasureItem(LPMEASUREITEMSTRUCT)
{
    ASSERT(FALSE);
}

int CListBox::CompareItem(LPCOMPAREITEMSTRUCT)
{
    ASSERT(FALSE);
    return 0;
}

void CListBox::DeleteItem(LPDELETEITEMSTRUCT)
{
    // Nothing to free by default.
}

BOOL CListBox::OnChildNotify(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* pResult)
{
    if (afxinternal::DispatchOwnerDraw(this, message, lParam, pResult))
        return TRUE;
    return CWnd::OnChildNotify(message, wParam, lParam, pResult);
}

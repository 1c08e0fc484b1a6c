#include "afxwin.h"

#include "OwnerDrawNotify.h"

IMPLEMENT_DYNAMIC(CComboBox, CWnd)

CComboBox::CComboBox() {}

CComboBox::~CComboBox()
{
    DestroyWindow();
}

BOOL CComboBox::Create(DWORD dwStyle, const RECT& rect, CWnd* pParentWnd, UINT nID)
{
    return CWnd::Create(_T("COMBOBOX"), NULL, dwStyle, rect, pParentWnd, nID);
}

int CComboBox::GetCount() const
{
    return (int)::SendMessage(m_hWnd, CB_GETCOUNT, 0, 0);
}

int CComboBox::GetCurSel() const
{
    return (int)::SendMessage(m_hWnd, CB_GETCURSEL, 0, 0);
}

int CComboBox::SetCurSel(int nSelect)
{
    return (int)::SendMessage(m_hWnd, CB_SETCURSEL, nSelect, 0);
}

DWORD CComboBox::GetEditSel() const
{
    return (DWORD)::SendMessage(m_hWnd, CB_GETEDITSEL, 0, 0);
}

BOOL CComboBox::LimitText(int nMaxChars)
{
    return (BOOL)::SendMessage(m_hWnd, CB_LIMITTEXT, nMaxChars, 0);
}

BOOL CComboBox::SetEditSel(int nStartChar, int nEndChar)
{
    return (BOOL)::SendMessage(m_hWnd, CB_SETEDITSEL, 0, MAKELPARAM(nStartChar, nEndChar));
}

DWORD_PTR CComboBox::GetItemData(int nIndex) const
{
    return (DWORD_PTR)::SendMessage(m_hWnd, CB_GETITEMDATA, nIndex, 0);
}

int CComboBox::SetItemData(int nIndex, DWORD_PTR dwItemData)
{
    return (int)::SendMessage(m_hWnd, CB_SETITEMDATA, nIndex, (LPARAM)dwItemData);
}

void* CComboBox::GetItemDataPtr(int nIndex) const
{
    return (void*)GetItemData(nIndex);
}

int CComboBox::SetItemDataPtr(int nIndex, void* pData)
{
    return SetItemData(nIndex, (DWORD_PTR)pData);
}

int CComboBox::GetLBText(int nIndex, LPTSTR lpszText) const
{
    return (int)::SendMessage(m_hWnd, CB_GETLBTEXT, nIndex, (LPARAM)lpszText);
}

void CComboBox::GetLBText(int nIndex, CString& rString) const
{
    int length = GetLBTextLen(nIndex);
    if (length == CB_ERR) {
        rString.Empty();
        return;
    }
    length = GetLBText(nIndex, rString.GetBuffer(length + 1));
    rString.ReleaseBuffer(length == CB_ERR ? 0 : length);
}

int CComboBox::GetLBTextLen(int nIndex) const
{
    return (int)::SendMessage(m_hWnd, CB_GETLBTEXTLEN, nIndex, 0);
}

int CComboBox::SetItemHeight(int nIndex, UINT cyItemHeight)
{
    return (int)::SendMessage(m_hWnd, CB_SETITEMHEIGHT, nIndex, MAKELPARAM(cyItemHeight, 0));
}

int CComboBox::GetItemHeight(int nIndex) const
{
    return (int)::SendMessage(m_hWnd, CB_GETITEMHEIGHT, nIndex, 0);
}

int CComboBox::SetDroppedWidth(UINT nWidth)
{
    return (int)::SendMessage(m_hWnd, CB_SETDROPPEDWIDTH, nWidth, 0);
}

void CComboBox::ShowDropDown(BOOL bShowIt)
{
    ::SendMessage(m_hWnd, CB_SHOWDROPDOWN, bShowIt, 0);
}

BOOL CComboBox::GetDroppedState() const
{
    return (BOOL)::SendMessage(m_hWnd, CB_GETDROPPEDSTATE, 0, 0);
}

void CComboBox::GetDroppedControlRect(LPRECT lprect) const
{
    ::SendMessage(m_hWnd, CB_GETDROPPEDCONTROLRECT, 0, (LPARAM)lprect);
}

int CComboBox::AddString(LPCTSTR lpszString)
{
    return (int)::SendMessage(m_hWnd, CB_ADDSTRING, 0, (LPARAM)lpszString);
}

int CComboBox::DeleteString(UINT nIndex)
{
    return (int)::SendMessage(m_hWnd, CB_DELETESTRING, nIndex, 0);
}

int CComboBox::InsertString(int nIndex, LPCTSTR lpszString)
{
    return (int)::SendMessage(m_hWnd, CB_INSERTSTRING, nIndex, (LPARAM)lpszString);
}

void CComboBox::ResetContent()
{
    ::SendMessage(m_hWnd, CB_RESETCONTENT, 0, 0);
}

int CComboBox::Dir(UINT attr, LPCTSTR lpszWildCard)
{
    return (int)::SendMessage(m_hWnd, CB_DIR, attr, (LPARAM)lpszWildCard);
}

int CComboBox::FindString(int nStartAfter, LPCTSTR lpszString) const
{
    return (int)::SendMessage(m_hWnd, CB_FINDSTRING, nStartAfter, (LPARAM)lpszString);
}

int CComboBox::FindStringExact(int nIndexStart, LPCTSTR lpszFind) const
{
    return (int)::SendMessage(m_hWnd, CB_FINDSTRINGEXACT, nIndexStart, (LPARAM)lpszFind);
}

int CComboBox::SelectString(int nStartAfter, LPCTSTR lpszString)
{
    return (int)::SendMessage(m_hWnd, CB_SELECTSTRING, nStartAfter, (LPARAM)lpszString);
}

// The owner-draw defaults, as for list boxes.
void CComboBox::DrawItem(LPDRAWITEMSTRUCT)
{
    ASSERT(FALSE);
}

void CComboBox::MeasureItem(LPMEASUREITEMSTRUCT)
{
    ASSERT(FALSE);
}

int CComboBox::CompareItem(LPCOMPAREITEMSTRUCT)
{
    ASSERT(FALSE);
    return 0;
}

void CComboBox::DeleteItem(LPDELETEITEMSTRUCT)
{
    // Nothing to free by default.
}

BOOL CComboBox::OnChildNotify(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* pResult)
{
    if (afxinternal::DispatchOwnerDraw(this, message, lParam, pResult))
        return TRUE;
    return CWnd::OnChildNotify(message, wParam, lParam, pResult);
}

#include "afxwin.h"
#include "afxcmn.h"

#include "CommonControls.h"

IMPLEMENT_DYNAMIC(CTabCtrl, CWnd)

CTabCtrl::CTabCtrl() {}

CTabCtrl::~CTabCtrl()
{
    DestroyWindow();
}

BOOL CTabCtrl::Create(DWORD dwStyle, const RECT& rect, CWnd* pParentWnd, UINT nID)
{
    if (!afxinternal::EnsureCommonControls(ICC_TAB_CLASSES))
        return FALSE;
    return CWnd::Create(WC_TABCONTROL, NULL, dwStyle, rect, pParentWnd, nID);
}

CImageList* CTabCtrl::GetImageList() const
{
    return CImageList::FromHandle((HIMAGELIST)::SendMessage(m_hWnd, TCM_GETIMAGELIST, 0, 0));
}

CImageList* CTabCtrl::SetImageList(CImageList* pImageList)
{
    HIMAGELIST hImageList = pImageList != NULL ? pImageList->m_hImageList : NULL;
    return CImageList::FromHandle((HIMAGELIST)::SendMessage(m_hWnd, TCM_SETIMAGELIST, 0, (LPARAM)hImageList));
}

int CTabCtrl::GetItemCount() const
{
    return (int)::SendMessage(m_hWnd, TCM_GETITEMCOUNT, 0, 0);
}

BOOL CTabCtrl::GetItem(int nItem, TCITEM* pTabCtrlItem) const
{
    return (BOOL)::SendMessage(m_hWnd, TCM_GETITEM, nItem, (LPARAM)pTabCtrlItem);
}

BOOL CTabCtrl::SetItem(int nItem, TCITEM* pTabCtrlItem)
{
    return (BOOL)::SendMessage(m_hWnd, TCM_SETITEM, nItem, (LPARAM)pTabCtrlItem);
}

BOOL CTabCtrl::GetItemRect(int nItem, LPRECT lpRect) const
{
    return (BOOL)::SendMessage(m_hWnd, TCM_GETITEMRECT, nItem, (LPARAM)lpRect);
}

int CTabCtrl::GetCurSel() const
{
    return (int)::SendMessage(m_hWnd, TCM_GETCURSEL, 0, 0);
}

int CTabCtrl::SetCurSel(int nItem)
{
    return (int)::SendMessage(m_hWnd, TCM_SETCURSEL, nItem, 0);
}

int CTabCtrl::GetCurFocus() const
{
    return (int)::SendMessage(m_hWnd, TCM_GETCURFOCUS, 0, 0);
}

void CTabCtrl::SetCurFocus(int nItem)
{
    ::SendMessage(m_hWnd, TCM_SETCURFOCUS, nItem, 0);
}

CSize CTabCtrl::SetItemSize(CSize size)
{
    DWORD previous = (DWORD)::SendMessage(m_hWnd, TCM_SETITEMSIZE, 0, MAKELPARAM(size.cx, size.cy));
    return CSize(LOWORD(previous), HIWORD(previous));
}

void CTabCtrl::SetPadding(CSize size)
{
    ::SendMessage(m_hWnd, TCM_SETPADDING, 0, MAKELPARAM(size.cx, size.cy));
}

int CTabCtrl::GetRowCount() const
{
    return (int)::SendMessage(m_hWnd, TCM_GETROWCOUNT, 0, 0);
}

// TCM_INSERTITEM's answer as it comes: the new tab's index, -1 on failure.
BOOL CTabCtrl::InsertItem(int nItem, TCITEM* pTabCtrlItem)
{
    return (BOOL)::SendMessage(m_hWnd, TCM_INSERTITEM, nItem, (LPARAM)pTabCtrlItem);
}

BOOL CTabCtrl::InsertItem(int nItem, LPCTSTR lpszItem)
{
    return InsertItem(TCIF_TEXT, nItem, lpszItem, 0, 0);
}

BOOL CTabCtrl::InsertItem(int nItem, LPCTSTR lpszItem, int nImage)
{
    return InsertItem(TCIF_TEXT | TCIF_IMAGE, nItem, lpszItem, nImage, 0);
}

BOOL CTabCtrl::InsertItem(UINT nMask, int nItem, LPCTSTR lpszItem, int nImage, LPARAM lParam)
{
    TCITEM item = {};
    item.mask = nMask;
    item.pszText = (LPTSTR)lpszItem;
    item.iImage = nImage;
    item.lParam = lParam;
    return InsertItem(nItem, &item);
}

BOOL CTabCtrl::DeleteItem(int nItem)
{
    return (BOOL)::SendMessage(m_hWnd, TCM_DELETEITEM, nItem, 0);
}

BOOL CTabCtrl::DeleteAllItems()
{
    return (BOOL)::SendMessage(m_hWnd, TCM_DELETEALLITEMS, 0, 0);
}

void CTabCtrl::AdjustRect(BOOL bLarger, LPRECT lpRect)
{
    ::SendMessage(m_hWnd, TCM_ADJUSTRECT, bLarger, (LPARAM)lpRect);
}

int CTabCtrl::HitTest(TCHITTESTINFO* pHitTestInfo) const
{
    return (int)::SendMessage(m_hWnd, TCM_HITTEST, 0, (LPARAM)pHitTestInfo);
}

// An owner-draw tab control has to draw its tabs: a derived class overrides
// this.
void CTabCtrl::DrawItem(LPDRAWITEMSTRUCT)
{
    ASSERT(FALSE);
}

BOOL CTabCtrl::OnChildNotify(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* pResult)
{
    if (message != WM_DRAWITEM)
        return CWnd::OnChildNotify(message, wParam, lParam, pResult);
    DrawItem((LPDRAWITEMSTRUCT)lParam);
    if (pResult != NULL)
        *pResult = TRUE;
    return TRUE;
}

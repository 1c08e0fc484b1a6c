#include "afxwin.h"
#include "afxcmn.h"

#include "CommonControls.h"

IMPLEMENT_DYNAMIC(CListCtrl, CWnd)

CListCtrl::CListCtrl() {}

CListCtrl::~CListCtrl()
{
    DestroyWindow();
}

BOOL CListCtrl::Create(DWORD dwStyle, const RECT& rect, CWnd* pParentWnd, UINT nID)
{
    if (!afxinternal::EnsureCommonControls(ICC_LISTVIEW_CLASSES))
        return FALSE;
    return CWnd::Create(WC_LISTVIEW, NULL, dwStyle, rect, pParentWnd, nID);
}

CImageList* CListCtrl::GetImageList(int nImageList) const
{
    return CImageList::FromHandle((HIMAGELIST)::SendMessage(m_hWnd, LVM_GETIMAGELIST, nImageList, 0));
}

CImageList* CListCtrl::SetImageList(CImageList* pImageList, int nImageListType)
{
    HIMAGELIST hImageList = pImageList != NULL ? pImageList->m_hImageList : NULL;
    return CImageList::FromHandle(
        (HIMAGELIST)::SendMessage(m_hWnd, LVM_SETIMAGELIST, nImageListType, (LPARAM)hImageList));
}

int CListCtrl::GetItemCount() const
{
    return (int)::SendMessage(m_hWnd, LVM_GETITEMCOUNT, 0, 0);
}

BOOL CListCtrl::GetItem(LVITEM* pItem) const
{
    return (BOOL)::SendMessage(m_hWnd, LVM_GETITEM, 0, (LPARAM)pItem);
}

BOOL CListCtrl::SetItem(const LVITEM* pItem)
{
    return (BOOL)::SendMessage(m_hWnd, LVM_SETITEM, 0, (LPARAM)pItem);
}

BOOL CListCtrl::SetItem(int nItem, int nSubItem, UINT nMask, LPCTSTR lpszItem, int nImage,
                        UINT nState, UINT nStateMask, LPARAM lParam)
{
    LVITEM item = {};
    item.mask = nMask;
    item.iItem = nItem;
    item.iSubItem = nSubItem;
    item.state = nState;
    item.stateMask = nStateMask;
    item.pszText = (LPTSTR)lpszItem;
    item.iImage = nImage;
    item.lParam = lParam;
    return SetItem(&item);
}

int CListCtrl::GetNextItem(int nItem, int nFlags) const
{
    return (int)::SendMessage(m_hWnd, LVM_GETNEXTITEM, nItem, MAKELPARAM(nFlags, 0));
}

// A position is the item's index plus one, so that NULL ends the walk.
POSITION CListCtrl::GetFirstSelectedItemPosition() const
{
    return (POSITION)(INT_PTR)(1 + GetNextItem(-1, LVNI_SELECTED));
}

int CListCtrl::GetNextSelectedItem(POSITION& pos) const
{
    int nOldPos = (int)(INT_PTR)pos - 1;
    pos = (POSITION)(INT_PTR)(1 + GetNextItem(nOldPos, LVNI_SELECTED));
    return nOldPos;
}

BOOL CListCtrl::GetItemRect(int nItem, LPRECT lpRect, UINT nCode) const
{
    lpRect->left = (LONG)nCode;
    return (BOOL)::SendMessage(m_hWnd, LVM_GETITEMRECT, nItem, (LPARAM)lpRect);
}

BOOL CListCtrl::SetItemPosition(int nItem, POINT pt)
{
    return (BOOL)::SendMessage(m_hWnd, LVM_SETITEMPOSITION32, nItem, (LPARAM)&pt);
}

BOOL CListCtrl::GetItemPosition(int nItem, LPPOINT lpPoint) const
{
    return (BOOL)::SendMessage(m_hWnd, LVM_GETITEMPOSITION, nItem, (LPARAM)lpPoint);
}

int CListCtrl::GetStringWidth(LPCTSTR lpsz) const
{
    return (int)::SendMessage(m_hWnd, LVM_GETSTRINGWIDTH, 0, (LPARAM)lpsz);
}

CEdit* CListCtrl::GetEditControl() const
{
    return (CEdit*)CWnd::FromHandle((HWND)::SendMessage(m_hWnd, LVM_GETEDITCONTROL, 0, 0));
}

BOOL CListCtrl::GetColumn(int nCol, LVCOLUMN* pColumn) const
{
    return (BOOL)::SendMessage(m_hWnd, LVM_GETCOLUMN, nCol, (LPARAM)pColumn);
}

BOOL CListCtrl::SetColumn(int nCol, const LVCOLUMN* pColumn)
{
    return (BOOL)::SendMessage(m_hWnd, LVM_SETCOLUMN, nCol, (LPARAM)pColumn);
}

int CListCtrl::GetColumnWidth(int nCol) const
{
    return (int)::SendMessage(m_hWnd, LVM_GETCOLUMNWIDTH, nCol, 0);
}

BOOL CListCtrl::SetColumnWidth(int nCol, int cx)
{
    return (BOOL)::SendMessage(m_hWnd, LVM_SETCOLUMNWIDTH, nCol, MAKELPARAM(cx, 0));
}

int CListCtrl::GetTopIndex() const
{
    return (int)::SendMessage(m_hWnd, LVM_GETTOPINDEX, 0, 0);
}

int CListCtrl::GetCountPerPage() const
{
    return (int)::SendMessage(m_hWnd, LVM_GETCOUNTPERPAGE, 0, 0);
}

UINT CListCtrl::GetSelectedCount() const
{
    return (UINT)::SendMessage(m_hWnd, LVM_GETSELECTEDCOUNT, 0, 0);
}

BOOL CListCtrl::SetItemState(int nItem, LVITEM* pItem)
{
    return (BOOL)::SendMessage(m_hWnd, LVM_SETITEMSTATE, nItem, (LPARAM)pItem);
}

BOOL CListCtrl::SetItemState(int nItem, UINT nState, UINT nMask)
{
    LVITEM item = {};
    item.stateMask = nMask;
    item.state = nState;
    return SetItemState(nItem, &item);
}

UINT CListCtrl::GetItemState(int nItem, UINT nMask) const
{
    return (UINT)::SendMessage(m_hWnd, LVM_GETITEMSTATE, nItem, nMask);
}

// The list view gives no length up front: grow the buffer until the text
// fits with room to spare.
CString CListCtrl::GetItemText(int nItem, int nSubItem) const
{
    CString text;
    LVITEM item = {};
    item.iSubItem = nSubItem;
    int length = 0;
    for (int size = 256;; size *= 2) {
        item.cchTextMax = size;
        item.pszText = text.GetBuffer(size);
        length = (int)::SendMessage(m_hWnd, LVM_GETITEMTEXT, nItem, (LPARAM)&item);
        if (length < size - 1)
            break;
        text.ReleaseBuffer(0);
    }
    text.ReleaseBuffer(length);
    return text;
}

int CListCtrl::GetItemText(int nItem, int nSubItem, LPTSTR lpszText, int nLen) const
{
    LVITEM item = {};
    item.iSubItem = nSubItem;
    item.cchTextMax = nLen;
    item.pszText = lpszText;
    return (int)::SendMessage(m_hWnd, LVM_GETITEMTEXT, nItem, (LPARAM)&item);
}

BOOL CListCtrl::SetItemText(int nItem, int nSubItem, LPCTSTR lpszText)
{
    LVITEM item = {};
    item.iSubItem = nSubItem;
    item.pszText = (LPTSTR)lpszText;
    return (BOOL)::SendMessage(m_hWnd, LVM_SETITEMTEXT, nItem, (LPARAM)&item);
}

void CListCtrl::SetItemCount(int nItems)
{
    ::SendMessage(m_hWnd, LVM_SETITEMCOUNT, nItems, 0);
}

BOOL CListCtrl::SetItemData(int nItem, DWORD_PTR dwData)
{
    return SetItem(nItem, 0, LVIF_PARAM, NULL, 0, 0, 0, (LPARAM)dwData);
}

DWORD_PTR CListCtrl::GetItemData(int nItem) const
{
    LVITEM item = {};
    item.iItem = nItem;
    item.mask = LVIF_PARAM;
    if (!GetItem(&item))
        return 0;
    return (DWORD_PTR)item.lParam;
}

DWORD CListCtrl::SetExtendedStyle(DWORD dwNewStyle)
{
    return (DWORD)::SendMessage(m_hWnd, LVM_SETEXTENDEDLISTVIEWSTYLE, 0, dwNewStyle);
}

DWORD CListCtrl::GetExtendedStyle() const
{
    return (DWORD)::SendMessage(m_hWnd, LVM_GETEXTENDEDLISTVIEWSTYLE, 0, 0);
}

CSize CListCtrl::SetIconSpacing(int cx, int cy)
{
    DWORD previous = (DWORD)::SendMessage(m_hWnd, LVM_SETICONSPACING, 0, MAKELPARAM(cx, cy));
    return CSize(LOWORD(previous), HIWORD(previous));
}

CSize CListCtrl::SetIconSpacing(CSize size)
{
    return SetIconSpacing(size.cx, size.cy);
}

int CListCtrl::InsertItem(const LVITEM* pItem)
{
    return (int)::SendMessage(m_hWnd, LVM_INSERTITEM, 0, (LPARAM)pItem);
}

int CListCtrl::InsertItem(int nItem, LPCTSTR lpszItem)
{
    return InsertItem(LVIF_TEXT, nItem, lpszItem, 0, 0, 0, 0);
}

int CListCtrl::InsertItem(int nItem, LPCTSTR lpszItem, int nImage)
{
    return InsertItem(LVIF_TEXT | LVIF_IMAGE, nItem, lpszItem, 0, 0, nImage, 0);
}

int CListCtrl::InsertItem(UINT nMask, int nItem, LPCTSTR lpszItem, UINT nState, UINT nStateMask,
                          int nImage, LPARAM lParam)
{
    LVITEM item = {};
    item.mask = nMask;
    item.iItem = nItem;
    item.state = nState;
    item.stateMask = nStateMask;
    item.pszText = (LPTSTR)lpszItem;
    item.iImage = nImage;
    item.lParam = lParam;
    return InsertItem(&item);
}

BOOL CListCtrl::DeleteItem(int nItem)
{
    return (BOOL)::SendMessage(m_hWnd, LVM_DELETEITEM, nItem, 0);
}

BOOL CListCtrl::DeleteAllItems()
{
    return (BOOL)::SendMessage(m_hWnd, LVM_DELETEALLITEMS, 0, 0);
}

int CListCtrl::FindItem(LVFINDINFO* pFindInfo, int nStart) const
{
    return (int)::SendMessage(m_hWnd, LVM_FINDITEM, nStart, (LPARAM)pFindInfo);
}

int CListCtrl::HitTest(LVHITTESTINFO* pHitTestInfo) const
{
    return (int)::SendMessage(m_hWnd, LVM_HITTEST, 0, (LPARAM)pHitTestInfo);
}

int CListCtrl::HitTest(CPoint pt, UINT* pFlags) const
{
    LVHITTESTINFO info = {};
    info.pt = pt;
    int nItem = HitTest(&info);
    if (pFlags != NULL)
        *pFlags = info.flags;
    return nItem;
}

BOOL CListCtrl::EnsureVisible(int nItem, BOOL bPartialOK)
{
    return (BOOL)::SendMessage(m_hWnd, LVM_ENSUREVISIBLE, nItem, MAKELPARAM(bPartialOK, 0));
}

BOOL CListCtrl::RedrawItems(int nFirst, int nLast)
{
    return (BOOL)::SendMessage(m_hWnd, LVM_REDRAWITEMS, nFirst, nLast);
}

BOOL CListCtrl::Arrange(UINT nCode)
{
    return (BOOL)::SendMessage(m_hWnd, LVM_ARRANGE, nCode, 0);
}

CEdit* CListCtrl::EditLabel(int nItem)
{
    return (CEdit*)CWnd::FromHandle((HWND)::SendMessage(m_hWnd, LVM_EDITLABEL, nItem, 0));
}

int CListCtrl::InsertColumn(int nCol, const LVCOLUMN* pColumn)
{
    return (int)::SendMessage(m_hWnd, LVM_INSERTCOLUMN, nCol, (LPARAM)pColumn);
}

int CListCtrl::InsertColumn(int nCol, LPCTSTR lpszColumnHeading, int nFormat, int nWidth,
                            int nSubItem)
{
    LVCOLUMN column = {};
    column.mask = LVCF_TEXT | LVCF_FMT;
    column.pszText = (LPTSTR)lpszColumnHeading;
    column.fmt = nFormat;
    if (nWidth != -1) {
        column.mask |= LVCF_WIDTH;
        column.cx = nWidth;
    }
    if (nSubItem != -1) {
        column.mask |= LVCF_SUBITEM;
        column.iSubItem = nSubItem;
    }
    return InsertColumn(nCol, &column);
}

BOOL CListCtrl::DeleteColumn(int nCol)
{
    return (BOOL)::SendMessage(m_hWnd, LVM_DELETECOLUMN, nCol, 0);
}

BOOL CListCtrl::Update(int nItem)
{
    return (BOOL)::SendMessage(m_hWnd, LVM_UPDATE, nItem, 0);
}

BOOL CListCtrl::SortItems(PFNLVCOMPARE pfnCompare, DWORD_PTR dwData)
{
    return (BOOL)::SendMessage(m_hWnd, LVM_SORTITEMS, dwData, (LPARAM)pfnCompare);
}

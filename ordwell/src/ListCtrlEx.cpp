#include "ListCtrlEx.h"

CListCtrlEx::CListCtrlEx() {}

CListCtrlEx::~CListCtrlEx() {}

int CListCtrlEx::AddColumn(const char* lpszHeading, int nColumn, int nSubItem, int nMask, int nFormat)
{
    LVCOLUMN column = {};
    column.mask = static_cast<UINT>(nMask);
    column.fmt = nFormat;
    column.pszText = const_cast<char*>(lpszHeading != NULL ? lpszHeading : "");
    column.cx = GetStringWidth(column.pszText) + 15;
    if (nMask & LVCF_SUBITEM)
        column.iSubItem = nSubItem != -1 ? nSubItem : nColumn;
    return InsertColumn(nColumn, &column);
}

int CListCtrlEx::AddItem(int nItem, int nSubItem, const char* lpszText, int nImage)
{
    LVITEM item = {};
    item.mask = LVIF_TEXT;
    item.iItem = nItem;
    item.iSubItem = nSubItem;
    item.pszText = const_cast<char*>(lpszText != NULL ? lpszText : "");
    if (nImage != -1) {
        item.mask |= LVIF_IMAGE;
        item.iImage = nImage;
    }
    if (nSubItem == 0)
        return InsertItem(&item);
    return SetItem(&item);
}

CImageList* CListCtrlEx::SetImageList(CImageList* pImageList, int nWhich)
{
    return CListCtrl::SetImageList(pImageList, nWhich == 0 ? LVSIL_NORMAL : LVSIL_SMALL);
}

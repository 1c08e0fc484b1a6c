#include "afxwin.h"
#include "afxcmn.h"

#include "CommonControls.h"

#include <vector>

IMPLEMENT_DYNAMIC(CTreeCtrl, CWnd)

CTreeCtrl::CTreeCtrl() {}

CTreeCtrl::~CTreeCtrl()
{
    DestroyWindow();
}

BOOL CTreeCtrl::Create(DWORD dwStyle, const RECT& rect, CWnd* pParentWnd, UINT nID)
{
    if (!afxinternal::EnsureCommonControls(ICC_TREEVIEW_CLASSES))
        return FALSE;
    // Check boxes are switched on once the window exists, as the control
    // asks: given at creation, the checked state image comes out blank and
    // a check falls back to unchecked when the tree paints (seen under Wine).
    if (!CWnd::Create(WC_TREEVIEW, NULL, dwStyle & ~TVS_CHECKBOXES, rect, pParentWnd, nID))
        return FALSE;
    if (dwStyle & TVS_CHECKBOXES)
        ::SetWindowLong(m_hWnd, GWL_STYLE, (LONG)(::GetWindowLong(m_hWnd, GWL_STYLE) | TVS_CHECKBOXES));
    return TRUE;
}

namespace {
// Every item below hParent (NULL: of the whole tree), depth first.
void CollectItems(const CTreeCtrl& tree, HTREEITEM hParent, std::vector<HTREEITEM>& items)
{
    HTREEITEM hFirst = hParent == NULL ? tree.GetRootItem() : tree.GetChildItem(hParent);
    for (HTREEITEM hItem = hFirst; hItem != NULL; hItem = tree.GetNextSiblingItem(hItem)) {
        items.push_back(hItem);
        CollectItems(tree, hItem, items);
    }
}
}  // namespace

// A tree made elsewhere with TVS_CHECKBOXES (a dialog's) gets its check
// boxes switched on again, as Create does; switching resets every state
// image, so the items keep theirs by hand.
void CTreeCtrl::PreSubclassWindow()
{
    CWnd::PreSubclassWindow();
    DWORD style = (DWORD)::GetWindowLong(m_hWnd, GWL_STYLE);
    if ((style & TVS_CHECKBOXES) == 0)
        return;
    std::vector<HTREEITEM> items;
    CollectItems(*this, NULL, items);
    std::vector<UINT> states;
    for (HTREEITEM hItem : items)
        states.push_back(GetItemState(hItem, TVIS_STATEIMAGEMASK));
    ::SetWindowLong(m_hWnd, GWL_STYLE, (LONG)(style & ~TVS_CHECKBOXES));
    ::SetWindowLong(m_hWnd, GWL_STYLE, (LONG)style);
    for (size_t i = 0; i < items.size(); i++)
        SetItemState(items[i], states[i], TVIS_STATEIMAGEMASK);
}

// TVM_GETITEMRECT takes the item in the rectangle it fills.
BOOL CTreeCtrl::GetItemRect(HTREEITEM hItem, LPRECT lpRect, BOOL bTextOnly) const
{
    *(HTREEITEM*)lpRect = hItem;
    return (BOOL)::SendMessage(m_hWnd, TVM_GETITEMRECT, bTextOnly, (LPARAM)lpRect);
}

UINT CTreeCtrl::GetCount() const
{
    return (UINT)::SendMessage(m_hWnd, TVM_GETCOUNT, 0, 0);
}

UINT CTreeCtrl::GetIndent() const
{
    return (UINT)::SendMessage(m_hWnd, TVM_GETINDENT, 0, 0);
}

void CTreeCtrl::SetIndent(UINT nIndent)
{
    ::SendMessage(m_hWnd, TVM_SETINDENT, nIndent, 0);
}

CImageList* CTreeCtrl::GetImageList(UINT nImageList) const
{
    return CImageList::FromHandle((HIMAGELIST)::SendMessage(m_hWnd, TVM_GETIMAGELIST, nImageList, 0));
}

CImageList* CTreeCtrl::SetImageList(CImageList* pImageList, int nImageListType)
{
    HIMAGELIST hImageList = pImageList != NULL ? pImageList->m_hImageList : NULL;
    return CImageList::FromHandle(
        (HIMAGELIST)::SendMessage(m_hWnd, TVM_SETIMAGELIST, nImageListType, (LPARAM)hImageList));
}

HTREEITEM CTreeCtrl::GetNextItem(HTREEITEM hItem, UINT nCode) const
{
    return (HTREEITEM)::SendMessage(m_hWnd, TVM_GETNEXTITEM, nCode, (LPARAM)hItem);
}

HTREEITEM CTreeCtrl::GetChildItem(HTREEITEM hItem) const
{
    return GetNextItem(hItem, TVGN_CHILD);
}

HTREEITEM CTreeCtrl::GetNextSiblingItem(HTREEITEM hItem) const
{
    return GetNextItem(hItem, TVGN_NEXT);
}

HTREEITEM CTreeCtrl::GetPrevSiblingItem(HTREEITEM hItem) const
{
    return GetNextItem(hItem, TVGN_PREVIOUS);
}

HTREEITEM CTreeCtrl::GetParentItem(HTREEITEM hItem) const
{
    return GetNextItem(hItem, TVGN_PARENT);
}

HTREEITEM CTreeCtrl::GetNextVisibleItem(HTREEITEM hItem) const
{
    return GetNextItem(hItem, TVGN_NEXTVISIBLE);
}

HTREEITEM CTreeCtrl::GetSelectedItem() const
{
    return GetNextItem(NULL, TVGN_CARET);
}

HTREEITEM CTreeCtrl::GetDropHilightItem() const
{
    return GetNextItem(NULL, TVGN_DROPHILITE);
}

HTREEITEM CTreeCtrl::GetRootItem() const
{
    return GetNextItem(NULL, TVGN_ROOT);
}

BOOL CTreeCtrl::GetItem(TVITEM* pItem) const
{
    return (BOOL)::SendMessage(m_hWnd, TVM_GETITEM, 0, (LPARAM)pItem);
}

// The tree view gives no length up front: grow the buffer until the text
// fits with room to spare.
CString CTreeCtrl::GetItemText(HTREEITEM hItem) const
{
    CString text;
    TVITEM item = {};
    item.hItem = hItem;
    item.mask = TVIF_TEXT;
    for (int size = 256;; size *= 2) {
        LPTSTR buffer = text.GetBuffer(size);
        item.cchTextMax = size;
        item.pszText = buffer;
        if (!GetItem(&item)) {
            text.ReleaseBuffer(0);
            break;
        }
        // A callback item may answer with a pointer of the parent's own.
        if (item.pszText != buffer) {
            CString answered(item.pszText);
            text.ReleaseBuffer(0);
            return answered;
        }
        int length = lstrlen(buffer);
        text.ReleaseBuffer(length);
        if (length < size - 1)
            break;
    }
    return text;
}

BOOL CTreeCtrl::GetItemImage(HTREEITEM hItem, int& nImage, int& nSelectedImage) const
{
    TVITEM item = {};
    item.hItem = hItem;
    item.mask = TVIF_IMAGE | TVIF_SELECTEDIMAGE;
    BOOL bResult = GetItem(&item);
    if (bResult) {
        nImage = item.iImage;
        nSelectedImage = item.iSelectedImage;
    }
    return bResult;
}

UINT CTreeCtrl::GetItemState(HTREEITEM hItem, UINT nStateMask) const
{
    TVITEM item = {};
    item.hItem = hItem;
    item.mask = TVIF_STATE;
    item.stateMask = nStateMask;
    item.state = 0;
    GetItem(&item);
    return item.state & nStateMask;
}

DWORD_PTR CTreeCtrl::GetItemData(HTREEITEM hItem) const
{
    TVITEM item = {};
    item.hItem = hItem;
    item.mask = TVIF_PARAM;
    if (!GetItem(&item))
        return 0;
    return (DWORD_PTR)item.lParam;
}

BOOL CTreeCtrl::SetItem(TVITEM* pItem)
{
    return (BOOL)::SendMessage(m_hWnd, TVM_SETITEM, 0, (LPARAM)pItem);
}

BOOL CTreeCtrl::SetItem(HTREEITEM hItem, UINT nMask, LPCTSTR lpszItem, int nImage,
                        int nSelectedImage, UINT nState, UINT nStateMask, LPARAM lParam)
{
    TVITEM item = {};
    item.hItem = hItem;
    item.mask = nMask;
    item.pszText = (LPTSTR)lpszItem;
    item.iImage = nImage;
    item.iSelectedImage = nSelectedImage;
    item.state = nState;
    item.stateMask = nStateMask;
    item.lParam = lParam;
    return SetItem(&item);
}

BOOL CTreeCtrl::SetItemText(HTREEITEM hItem, LPCTSTR lpszItem)
{
    return SetItem(hItem, TVIF_TEXT, lpszItem, 0, 0, 0, 0, 0);
}

BOOL CTreeCtrl::SetItemImage(HTREEITEM hItem, int nImage, int nSelectedImage)
{
    return SetItem(hItem, TVIF_IMAGE | TVIF_SELECTEDIMAGE, NULL, nImage, nSelectedImage, 0, 0, 0);
}

BOOL CTreeCtrl::SetItemState(HTREEITEM hItem, UINT nState, UINT nStateMask)
{
    return SetItem(hItem, TVIF_STATE, NULL, 0, 0, nState, nStateMask, 0);
}

BOOL CTreeCtrl::SetItemData(HTREEITEM hItem, DWORD_PTR dwData)
{
    return SetItem(hItem, TVIF_PARAM, NULL, 0, 0, 0, 0, (LPARAM)dwData);
}

BOOL CTreeCtrl::ItemHasChildren(HTREEITEM hItem) const
{
    TVITEM item = {};
    item.hItem = hItem;
    item.mask = TVIF_CHILDREN;
    GetItem(&item);
    return item.cChildren;
}

CEdit* CTreeCtrl::GetEditControl() const
{
    return (CEdit*)CWnd::FromHandle((HWND)::SendMessage(m_hWnd, TVM_GETEDITCONTROL, 0, 0));
}

UINT CTreeCtrl::GetVisibleCount() const
{
    return (UINT)::SendMessage(m_hWnd, TVM_GETVISIBLECOUNT, 0, 0);
}

// State image 1 is the unchecked box, 2 the checked one.
BOOL CTreeCtrl::GetCheck(HTREEITEM hItem) const
{
    UINT state = GetItemState(hItem, TVIS_STATEIMAGEMASK);
    return (BOOL)(state >> 12) - 1;
}

BOOL CTreeCtrl::SetCheck(HTREEITEM hItem, BOOL fCheck)
{
    return SetItemState(hItem, INDEXTOSTATEIMAGEMASK(fCheck ? 2 : 1), TVIS_STATEIMAGEMASK);
}

HTREEITEM CTreeCtrl::InsertItem(LPTVINSERTSTRUCT lpInsertStruct)
{
    return (HTREEITEM)::SendMessage(m_hWnd, TVM_INSERTITEM, 0, (LPARAM)lpInsertStruct);
}

HTREEITEM CTreeCtrl::InsertItem(UINT nMask, LPCTSTR lpszItem, int nImage, int nSelectedImage,
                                UINT nState, UINT nStateMask, LPARAM lParam, HTREEITEM hParent,
                                HTREEITEM hInsertAfter)
{
    TVINSERTSTRUCT insert = {};
    insert.hParent = hParent;
    insert.hInsertAfter = hInsertAfter;
    insert.item.mask = nMask;
    insert.item.pszText = (LPTSTR)lpszItem;
    insert.item.iImage = nImage;
    insert.item.iSelectedImage = nSelectedImage;
    insert.item.state = nState;
    insert.item.stateMask = nStateMask;
    insert.item.lParam = lParam;
    return InsertItem(&insert);
}

HTREEITEM CTreeCtrl::InsertItem(LPCTSTR lpszItem, HTREEITEM hParent, HTREEITEM hInsertAfter)
{
    return InsertItem(TVIF_TEXT, lpszItem, 0, 0, 0, 0, 0, hParent, hInsertAfter);
}

HTREEITEM CTreeCtrl::InsertItem(LPCTSTR lpszItem, int nImage, int nSelectedImage,
                                HTREEITEM hParent, HTREEITEM hInsertAfter)
{
    return InsertItem(TVIF_TEXT | TVIF_IMAGE | TVIF_SELECTEDIMAGE, lpszItem, nImage,
                      nSelectedImage, 0, 0, 0, hParent, hInsertAfter);
}

BOOL CTreeCtrl::DeleteItem(HTREEITEM hItem)
{
    return (BOOL)::SendMessage(m_hWnd, TVM_DELETEITEM, 0, (LPARAM)hItem);
}

BOOL CTreeCtrl::DeleteAllItems()
{
    return (BOOL)::SendMessage(m_hWnd, TVM_DELETEITEM, 0, (LPARAM)TVI_ROOT);
}

BOOL CTreeCtrl::Expand(HTREEITEM hItem, UINT nCode)
{
    return (BOOL)::SendMessage(m_hWnd, TVM_EXPAND, nCode, (LPARAM)hItem);
}

BOOL CTreeCtrl::Select(HTREEITEM hItem, UINT nCode)
{
    return (BOOL)::SendMessage(m_hWnd, TVM_SELECTITEM, nCode, (LPARAM)hItem);
}

BOOL CTreeCtrl::SelectItem(HTREEITEM hItem)
{
    return Select(hItem, TVGN_CARET);
}

BOOL CTreeCtrl::SelectDropTarget(HTREEITEM hItem)
{
    return Select(hItem, TVGN_DROPHILITE);
}

CEdit* CTreeCtrl::EditLabel(HTREEITEM hItem)
{
    return (CEdit*)CWnd::FromHandle((HWND)::SendMessage(m_hWnd, TVM_EDITLABEL, 0, (LPARAM)hItem));
}

HTREEITEM CTreeCtrl::HitTest(CPoint pt, UINT* pFlags) const
{
    TVHITTESTINFO info = {};
    info.pt = pt;
    HTREEITEM hItem = HitTest(&info);
    if (pFlags != NULL)
        *pFlags = info.flags;
    return hItem;
}

HTREEITEM CTreeCtrl::HitTest(TVHITTESTINFO* pHitTestInfo) const
{
    return (HTREEITEM)::SendMessage(m_hWnd, TVM_HITTEST, 0, (LPARAM)pHitTestInfo);
}

CImageList* CTreeCtrl::CreateDragImage(HTREEITEM hItem)
{
    HIMAGELIST hImageList = (HIMAGELIST)::SendMessage(m_hWnd, TVM_CREATEDRAGIMAGE, 0, (LPARAM)hItem);
    if (hImageList == NULL)
        return NULL;
    CImageList* pImageList = new CImageList;
    VERIFY(pImageList->Attach(hImageList));
    return pImageList;
}

BOOL CTreeCtrl::SortChildren(HTREEITEM hItem)
{
    return (BOOL)::SendMessage(m_hWnd, TVM_SORTCHILDREN, 0, (LPARAM)hItem);
}

BOOL CTreeCtrl::EnsureVisible(HTREEITEM hItem)
{
    return (BOOL)::SendMessage(m_hWnd, TVM_ENSUREVISIBLE, 0, (LPARAM)hItem);
}

BOOL CTreeCtrl::SortChildrenCB(LPTVSORTCB pSort)
{
    return (BOOL)::SendMessage(m_hWnd, TVM_SORTCHILDRENCB, 0, (LPARAM)pSort);
}

#include "CatalogTreeView.h"

#include "FormFileHelpers.h"
#include "MainFrame.h"
#include "OmbrelleApp.h"
#include "OmbrelleDoc.h"
#include "ProgramFolder.h"
#include "resource.h"

#include <windowsx.h>

#include <cstdlib>

namespace {

// State images: none (the root), checked, not checked.
const int kChecked = 1;
const int kUnchecked = 2;
const int kIconSize = 14;

int StateImageOf(const CTreeCtrl& tree, HTREEITEM hItem)
{
    return int((tree.GetItemState(hItem, TVIS_STATEIMAGEMASK) & TVIS_STATEIMAGEMASK) >> 12);
}

void SetStateImage(CTreeCtrl& tree, HTREEITEM hItem, int nImage)
{
    tree.SetItemState(hItem, INDEXTOSTATEIMAGEMASK(nImage), TVIS_STATEIMAGEMASK);
}

// The item's id as text; FALSE for a negative id, which stands for no id.
BOOL ItemIdText(const CTreeCtrl& tree, HTREEITEM hItem, CString& strId)
{
    const int nId = int(tree.GetItemData(hItem));
    if (nId < 0)
        return FALSE;
    strId.Format("%d", nId);
    return TRUE;
}

}  // namespace

IMPLEMENT_DYNCREATE(CCatalogTreeView, CView)

BEGIN_MESSAGE_MAP(CCatalogTreeView, CView)
    ON_WM_CREATE()
    ON_WM_SIZE()
    ON_NOTIFY(NM_CLICK, IDC_CATALOG_TREE, OnClickTree)
    ON_NOTIFY(TVN_ITEMEXPANDING, IDC_CATALOG_TREE, OnItemExpand)
    ON_NOTIFY(TVN_ITEMEXPANDED, IDC_CATALOG_TREE, OnItemExpand)
END_MESSAGE_MAP()

CCatalogTreeView::CCatalogTreeView()
    : m_nSizeType(0), m_nHeight(0), m_nWidth(0), m_publicNodes(10), m_catalogNodes(10), m_hRoot(NULL)
{
}

CCatalogTreeView::~CCatalogTreeView()
{
    DeleteNodes(m_publicNodes);
    DeleteNodes(m_catalogNodes);
}

void CCatalogTreeView::DeleteNodes(CPtrList& nodes)
{
    for (POSITION pos = nodes.GetHeadPosition(); pos != NULL;)
        delete static_cast<CatalogNode*>(nodes.GetNext(pos));
    nodes.RemoveAll();
}

COmbrelleDoc* CCatalogTreeView::GetCatalogDocument() const
{
    CDocument* pDoc = m_pDocument;
    return pDoc != NULL && pDoc->IsKindOf(RUNTIME_CLASS(COmbrelleDoc)) ? static_cast<COmbrelleDoc*>(pDoc) : NULL;
}

int CCatalogTreeView::OnCreate(LPCREATESTRUCT lpCreateStruct)
{
    if (CView::OnCreate(lpCreateStruct) == -1)
        return -1;
    if (!m_tree.Create(WS_VISIBLE | WS_CHILD | TVS_HASBUTTONS | TVS_HASLINES | TVS_LINESATROOT, CRect(0, 0, 0, 0),
                       this, IDC_CATALOG_TREE))
        return -1;
    m_tree.DeleteAllItems();
    if (m_stateImages.Create(kIconSize, kIconSize, ILC_COLOR32, 2, 1)) {
        for (UINT nIcon : {IDI_CHECK_EMPTY, IDI_CHECK_MARKED, IDI_CHECK_EMPTY2}) {
            LPCSTR lpszIcon = MAKEINTRESOURCE(nIcon);
            HICON hIcon = static_cast<HICON>(
                ::LoadImageA(AfxFindResourceHandle(lpszIcon, RT_GROUP_ICON), lpszIcon, IMAGE_ICON, kIconSize,
                             kIconSize, 0));
            m_stateImages.Add(hIcon);
            if (hIcon != NULL)
                ::DestroyIcon(hIcon);
        }
        m_tree.SetImageList(&m_stateImages, TVSIL_STATE);
    }
    CString strRoot;
    strRoot.LoadString(IDS_CATALOG_ROOT);
    m_hRoot = m_tree.InsertItem(TVIF_TEXT | TVIF_PARAM, strRoot, 0, 0, 0, 0, 0, TVI_ROOT, TVI_LAST);

    COmbrelleDoc* pDoc = GetCatalogDocument();
    if (pDoc == NULL)
        return -1;
    pDoc->m_strCategoryStructure = FetchCategoryStructure();
    if (pDoc->m_strCategoryStructure.IsEmpty())
        return -1;
    static_cast<COmbrelleApp*>(AfxGetApp())->m_strAssetMetaDataStruct = pDoc->m_strCategoryStructure;
    return 0;
}

void CCatalogTreeView::OnSize(UINT nType, int cx, int cy)
{
    CView::OnSize(nType, cx, cy);
    m_nSizeType = nType;
    m_nHeight = cy;
    m_nWidth = cx;
    if (m_tree.GetSafeHwnd() != NULL) {
        m_tree.MoveWindow(5, 5, cx, cy);
        Invalidate();
    }
}

void CCatalogTreeView::OnInitialUpdate()
{
    CView::OnInitialUpdate();
    static_cast<COmbrelleApp*>(AfxGetApp())->m_strDataFolder = GetProgramFolder() + "temp";
    BuildCatalogTree();
    ClearItemSelection();
}

void CCatalogTreeView::OnActivateView(BOOL bActivate, CView* pActivateView, CView* pDeactiveView)
{
    CView::OnActivateView(bActivate, pActivateView, pDeactiveView);
}

void CCatalogTreeView::OnUpdate(CView*, LPARAM, CObject*) {}

void CCatalogTreeView::OnDraw(CDC*) {}

void CCatalogTreeView::BuildCatalogTree()
{
    LoadCategoryStructure();
    InsertTopFolders(m_publicNodes, 0, TRUE);
    int nLastGroup = 0;
    for (POSITION pos = m_catalogNodes.GetHeadPosition(); pos != NULL;) {
        const CatalogNode* pNode = static_cast<CatalogNode*>(m_catalogNodes.GetNext(pos));
        if (pNode->nGroup > nLastGroup)
            nLastGroup = pNode->nGroup;
    }
    for (int nGroup = 0; nGroup <= nLastGroup; ++nGroup)
        InsertTopFolders(m_catalogNodes, nGroup, FALSE);
}

HTREEITEM CCatalogTreeView::InsertFolderItem(const CatalogNode& node, HTREEITEM hParent)
{
    HTREEITEM hItem = m_tree.InsertItem(node.name, 0, 0, hParent, TVI_LAST);
    if (hItem != NULL) {
        SetStateImage(m_tree, hItem, kUnchecked);
        // The id's leading digits as atoi reads them; strtol saturates where
        // atoi's overflow would be undefined.
        m_tree.SetItemData(hItem, DWORD_PTR(std::strtol(node.id, NULL, 10)));
    }
    return hItem;
}

void CCatalogTreeView::InsertTopFolders(CPtrList& nodes, int nGroup, BOOL bPublic)
{
    for (POSITION pos = nodes.GetHeadPosition(); pos != NULL;) {
        const CatalogNode* pNode = static_cast<CatalogNode*>(nodes.GetNext(pos));
        if (pNode->FatherId != "-1" || pNode->nGroup != nGroup)
            continue;
        HTREEITEM hItem = InsertFolderItem(*pNode, m_hRoot);
        if (hItem == NULL)
            continue;
        if (bPublic)
            m_publicTopItems.insert(hItem);
        InsertChildrenOf(hItem, *pNode, nodes);
    }
}

void CCatalogTreeView::InsertChildFolders(HTREEITEM hParent, const CString& strParentId, CPtrList& nodes, int nGroup)
{
    for (POSITION pos = nodes.GetHeadPosition(); pos != NULL;) {
        const CatalogNode* pNode = static_cast<CatalogNode*>(nodes.GetNext(pos));
        if (pNode->FatherId != strParentId || pNode->nGroup != nGroup)
            continue;
        // A folder that is its own ancestor by its ids would recurse without end.
        if (m_foldersOnPath.count(pNode) != 0)
            continue;
        HTREEITEM hItem = InsertFolderItem(*pNode, hParent);
        if (hItem != NULL)
            InsertChildrenOf(hItem, *pNode, nodes);
    }
}

void CCatalogTreeView::InsertChildrenOf(HTREEITEM hItem, const CatalogNode& node, CPtrList& nodes)
{
    m_foldersOnPath.insert(&node);
    InsertChildFolders(hItem, node.id, nodes, node.nGroup);
    m_foldersOnPath.erase(&node);
}

HTREEITEM CCatalogTreeView::NextTreeItem(HTREEITEM hItem)
{
    if (hItem == NULL)
        return NULL;
    if (HTREEITEM hChild = m_tree.GetChildItem(hItem))
        return hChild;
    for (HTREEITEM h = hItem; h != NULL; h = m_tree.GetParentItem(h))
        if (HTREEITEM hNext = m_tree.GetNextSiblingItem(h))
            return hNext;
    return NULL;
}

CString CCatalogTreeView::GetCheckedIds()
{
    CString strIds;
    for (HTREEITEM hItem = NextTreeItem(m_tree.GetRootItem()); hItem != NULL; hItem = NextTreeItem(hItem)) {
        CString strId;
        if (StateImageOf(m_tree, hItem) == kChecked && ItemIdText(m_tree, hItem, strId))
            strIds += strId + ";";
    }
    if (!strIds.IsEmpty())
        strIds = strIds.Left(strIds.GetLength() - 1);
    return strIds;
}

void CCatalogTreeView::SetCheckedIds(const CString& strIds)
{
    CStringList ids;
    const CString strList = strIds + ";";
    for (int nStart = 0, nEnd; (nEnd = strList.Find(';', nStart)) >= 0; nStart = nEnd + 1)
        ids.AddTail(strList.Mid(nStart, nEnd - nStart));
    for (HTREEITEM hItem = NextTreeItem(m_tree.GetRootItem()); hItem != NULL; hItem = NextTreeItem(hItem)) {
        const int nState = StateImageOf(m_tree, hItem);
        if (nState != kChecked && nState != kUnchecked)
            continue;
        CString strId;
        const BOOL bListed = ItemIdText(m_tree, hItem, strId) && ids.Find(strId) != NULL;
        SetStateImage(m_tree, hItem, bListed ? kChecked : kUnchecked);
    }
}

BOOL CCatalogTreeView::GroupHasCheck(HTREEITEM hGroup)
{
    if (StateImageOf(m_tree, hGroup) == kChecked)
        return TRUE;
    // The subtree ends where the walk reaches the group's next sibling or leaves it.
    HTREEITEM hItem = m_tree.GetChildItem(hGroup);
    while (hItem != NULL) {
        if (StateImageOf(m_tree, hItem) == kChecked)
            return TRUE;
        HTREEITEM hNext = m_tree.GetChildItem(hItem);
        for (HTREEITEM h = hItem; hNext == NULL && h != hGroup; h = m_tree.GetParentItem(h))
            hNext = m_tree.GetNextSiblingItem(h);
        hItem = hNext;
    }
    CString strMessage;
    strMessage.Format("至少选择一种%s", LPCTSTR(m_tree.GetItemText(hGroup)));
    AfxMessageBox(strMessage);
    return FALSE;
}

BOOL CCatalogTreeView::HasCheckedItems()
{
    HTREEITEM hGroup = m_tree.GetChildItem(m_hRoot);
    if (hGroup == NULL)
        return FALSE;
    if (m_tree.GetNextSiblingItem(hGroup) == NULL)
        return GroupHasCheck(hGroup);
    for (; hGroup != NULL; hGroup = m_tree.GetNextSiblingItem(hGroup))
        if (m_publicTopItems.count(hGroup) == 0 && !GroupHasCheck(hGroup))
            return FALSE;
    return TRUE;
}

void CCatalogTreeView::OnClickTree(NMHDR*, LRESULT* pResult)
{
    const DWORD dwPos = ::GetMessagePos();
    CPoint point(GET_X_LPARAM(dwPos), GET_Y_LPARAM(dwPos));
    m_tree.ScreenToClient(&point);
    UINT nFlags = 0;
    HTREEITEM hItem = m_tree.HitTest(point, &nFlags);
    if (hItem != NULL && (nFlags & TVHT_ONITEMSTATEICON) != 0)
        SetStateImage(m_tree, hItem, StateImageOf(m_tree, hItem) == kChecked ? kUnchecked : kChecked);
    *pResult = 0;
}

void CCatalogTreeView::OnItemExpand(NMHDR*, LRESULT* pResult)
{
    ClearItemSelection();
    *pResult = 0;
}

void CCatalogTreeView::ClearItemSelection()
{
    for (HTREEITEM hItem = NextTreeItem(m_tree.GetRootItem()); hItem != NULL; hItem = NextTreeItem(hItem))
        m_tree.SetItemState(hItem, 0, TVIS_SELECTED);
}

CString CCatalogTreeView::GroupAttributeValues(CStringList& entries)
{
    CString strResult;
    while (!entries.IsEmpty()) {
        const CString& strFirst = entries.GetHead();
        const int nBlank = strFirst.Find(' ');
        const CString strName = nBlank < 0 ? strFirst : strFirst.Left(nBlank);
        CString strValues;
        for (POSITION pos = entries.GetHeadPosition(); pos != NULL;) {
            const POSITION posEntry = pos;
            const CString strEntry = entries.GetNext(pos);
            const int nEntryBlank = strEntry.Find(' ');
            if ((nEntryBlank < 0 ? strEntry : strEntry.Left(nEntryBlank)) != strName)
                continue;
            if (!strValues.IsEmpty())
                strValues += ";";
            strValues += nEntryBlank < 0 ? CString() : strEntry.Mid(nEntryBlank + 1);
            entries.RemoveAt(posEntry);
        }
        strResult += strName + "='" + strValues + "' " + " ";
    }
    return strResult;
}

BOOL CCatalogTreeView::ListContainsText(const CStringList& list, const CString& strText)
{
    for (POSITION pos = list.GetHeadPosition(); pos != NULL;)
        if (list.GetNext(pos).Find(strText) >= 0)
            return TRUE;
    return FALSE;
}

CWnd* CCatalogTreeView::FindMainFramePane()
{
    const COmbrelleApp* pApp = static_cast<COmbrelleApp*>(AfxGetApp());
    if (pApp == NULL || pApp->m_pMainFrame == NULL)
        return NULL;
    const TVisualNode* pNode = pApp->m_pMainFrame->m_framework.FindNode(5);
    return pNode != NULL ? pNode->GetWnd() : NULL;
}

BOOL CCatalogTreeView::FileExists(const CString& strPath) { return PathExists(strPath); }

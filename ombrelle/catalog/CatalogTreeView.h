// The cataloguing window's left pane: the server's category structure as a
// tree of catalogue folders whose check marks (state images) choose the
// folders a picture is filed into. The metadata form reads the checked ids.
#pragma once

#include "afxwin.h"
#include "afxcmn.h"
#include "afxcoll.h"

#include <msxml2.h>

#include <set>

class COmbrelleDoc;

// One folder of the category structure. Group 0 holds the PublicFolder
// element's folders; a CatalogFolder element's folders carry its position
// among its siblings.
struct CatalogNode {
    CString id;
    CString FatherId;
    CString name;
    int nGroup;
};

class CCatalogTreeView : public CView {
    DECLARE_DYNCREATE(CCatalogTreeView)
public:
    CCatalogTreeView();
    virtual ~CCatalogTreeView();

    // The ids of the checked folders joined by ";" ("" when none is checked).
    CString GetCheckedIds();
    // Checks exactly the folders whose ids the ";"-separated list names.
    void SetCheckedIds(const CString& strIds);
    // Every top-level group but the public one holds a checked folder;
    // otherwise "至少选择一种" + the first group without one, and FALSE.
    BOOL HasCheckedItems();

    // Each entry a name, a blank and a value: "name='v1;v2' " per name, in
    // the order the names first occur, followed by one more blank per name.
    static CString GroupAttributeValues(CStringList& entries);
    static BOOL ListContainsText(const CStringList& list, const CString& strText);
    // The window of the main frame's pane 5, or NULL.
    static CWnd* FindMainFramePane();
    static BOOL FileExists(const CString& strPath);

    CTreeCtrl& GetTreeCtrl() { return m_tree; }
    HTREEITEM NextTreeItem(HTREEITEM hItem);
    void ClearItemSelection();

    virtual void OnInitialUpdate();
    virtual void OnActivateView(BOOL bActivate, CView* pActivateView, CView* pDeactiveView);
    virtual void OnUpdate(CView* pSender, LPARAM lHint, CObject* pHint);
    virtual void OnDraw(CDC* pDC);

protected:
    COmbrelleDoc* GetCatalogDocument() const;
    // The category structure of the document's server URL: cached per URL,
    // asked for through the document's category client; "" on failure.
    CString FetchCategoryStructure();
    void BuildCatalogTree();
    // Parses the program-wide structure text into the two node lists.
    void LoadCategoryStructure();
    void LoadStructureDocument(IXMLDOMDocument* pDocument);
    void ReadFolderElement(IXMLDOMNode* pElement, CPtrList& nodes, int nGroup);
    void InsertTopFolders(CPtrList& nodes, int nGroup, BOOL bPublic);
    void InsertChildFolders(HTREEITEM hParent, const CString& strParentId, CPtrList& nodes, int nGroup);
    // InsertChildFolders below the node's item, the node marked as on the path.
    void InsertChildrenOf(HTREEITEM hItem, const CatalogNode& node, CPtrList& nodes);
    HTREEITEM InsertFolderItem(const CatalogNode& node, HTREEITEM hParent);
    BOOL GroupHasCheck(HTREEITEM hGroup);
    void DeleteNodes(CPtrList& nodes);

    afx_msg int OnCreate(LPCREATESTRUCT lpCreateStruct);
    afx_msg void OnSize(UINT nType, int cx, int cy);
    afx_msg void OnClickTree(NMHDR* pNotify, LRESULT* pResult);
    afx_msg void OnItemExpand(NMHDR* pNotify, LRESULT* pResult);
    DECLARE_MESSAGE_MAP()

    UINT m_nSizeType;
    int m_nHeight;
    int m_nWidth;
    CImageList m_stateImages;
    CPtrList m_publicNodes;
    CPtrList m_catalogNodes;
    CTreeCtrl m_tree;
    HTREEITEM m_hRoot;
    // The top-level items made from the PublicFolder element: no group of
    // their own to be checked.
    std::set<HTREEITEM> m_publicTopItems;
    // The folders whose children are being inserted, root first.
    std::set<const CatalogNode*> m_foldersOnPath;
};

// A frame describes its client area as a tree of panes, each registered
// under a small integer id, and creates the whole tree in one call: static
// splitters, views in splitter panes, tab windows and views as tab pages.
// Afterwards anyone who can reach the frame finds a pane by its id.
#pragma once

#include "afxwin.h"
#include "afxext.h"

#include <map>
#include <vector>

class TTabWnd;
class TVisualFramework;

// One pane description. Made on the heap by the frame that builds the
// layout; the framework owns it once it is registered.
class TVisualNode {
public:
    enum {
        typeNone = 0,
        typeSplitter = 1,      // splitter at the top of a frame or as a tab page
        typeSplitterView = 2,  // view in a pane of a splitter
        typeSplitterSplitter = 3,
        typeTab = 4,           // tab window in a frame or as a tab page
        typeTabView = 5,       // view as a tab page
        typeView = 6           // view directly in a frame
    };
    // Flags.
    enum {
        TF_TABS_TOP = 0x01,
        TF_TABS_BOTTOM = 0x02,  // TF_TABS_TOP wins
        TF_ACTIVE_TAB = 0x04    // becomes the current page of its tab window
    };

    // Splitter at the top of a frame or as a tab page.
    TVisualNode(int nId, LPCTSTR lpszTitle, int nRows, int nCols, CCreateContext* pContext, DWORD dwFlags = 0);
    // View in a pane of a splitter.
    TVisualNode(int nId, int nRow, int nCol, CCreateContext* pContext, CRuntimeClass* pClass, int nWidth,
                int nHeight, DWORD dwFlags = 0);
    // Splitter in a pane of a splitter.
    TVisualNode(int nId, int nRow, int nCol, int nRows, int nCols, CCreateContext* pContext, DWORD dwFlags = 0);
    // Tab page: a tab window when the class derives from TTabWnd, a view
    // when it derives from CView.
    TVisualNode(int nId, LPCTSTR lpszTitle, CCreateContext* pContext, CRuntimeClass* pClass, DWORD dwFlags = 0);
    // View directly in a frame.
    TVisualNode(int nId, CCreateContext* pContext, CRuntimeClass* pClass);
    // Copies everything but the description and the children.
    TVisualNode(const TVisualNode& other);
    virtual ~TVisualNode();
    TVisualNode& operator=(const TVisualNode&) = delete;

    // The pane's window while it exists, else NULL.
    CWnd* GetWnd() const;
    int GetId() const { return m_nId; }
    int GetType() const { return m_nType; }
    TVisualNode* GetParentNode() const { return m_pOwner; }
    TVisualFramework* GetFramework() const { return m_pFramework; }
    const CString& GetTitle() const { return m_strTitle; }
    const CString& GetDescription() const { return m_strDescription; }
    int GetHotKey() const { return m_nHotKey; }

    // Before creation: 0 when the node has an icon already; id 0 clears it.
    BOOL SetIcon(UINT nIconId);
    HICON GetIcon() const { return m_hIcon; }
    void SetHotKey(int nKey) { m_nHotKey = nKey; }
    void SetDescription(LPCTSTR lpszText) { m_strDescription = lpszText; }

    // Forwarded to the framework.
    BOOL SetActive();
    BOOL SetActiveTab();
    BOOL Enable(BOOL bEnable);
    BOOL EnableTab(BOOL bEnable);
    BOOL ShowTab(BOOL bShow);
    BOOL IsEnabled(BOOL& bEnabled);
    BOOL IsTabEnabled(BOOL& bEnabled);
    BOOL IsTabVisible(BOOL& bVisible);
    BOOL IsTabPane();
    BOOL IsTabWindow();
    BOOL IsSplitterPane();
    BOOL IsSplitter();
    BOOL IsView();
    TVisualNode* GetActiveTab();

    int m_nType;
    int m_nId;
    CWnd* m_pWnd;             // the window created for the node
    CWnd* m_pParentWnd;       // the window it was created in
    CString m_strTitle;
    CString m_strDescription;
    int m_nRows, m_nCols;     // grid of a splitter
    int m_nRow, m_nCol;       // pane of the parent splitter
    CCreateContext* m_pContext;
    CRuntimeClass* m_pClass;
    int m_nWidth, m_nHeight;  // initial size of its pane
    BOOL m_bEnabled;
    DWORD m_dwFlags;
    int m_nHotKey;
    HICON m_hIcon;            // destroyed with the node
    TVisualNode* m_pOwner;    // parent node
    TVisualFramework* m_pFramework;
    std::vector<TVisualNode*> m_children;

private:
    friend class TVisualFramework;
    void Init();
    HWND m_hWnd;              // tells whether the window still exists
    BOOL m_bOwnsWindow;       // splitter and tab window objects are the framework's to delete
};

class TVisualFramework : public CCmdTarget {
    DECLARE_DYNCREATE(TVisualFramework)

public:
    TVisualFramework();
    virtual ~TVisualFramework();

    // Own virtual operations.
    // 1, or 0 when a node could not be made (unknown kind, or its window
    // was not created); the nodes made before it stay.
    virtual BOOL Create(CFrameWnd* pFrame);
    virtual void Destroy();
    virtual CSplitterWnd* CreateSplitter(TVisualNode* pNode);
    // Keyboard switching of tabs; 1 when the message was used.
    virtual BOOL ProcessMessage(MSG* pMsg);

    // Registration: 0 when the id is registered already (the node stays the caller's).
    BOOL AddRoot(TVisualNode* pNode);
    BOOL AddChild(TVisualNode* pParent, TVisualNode* pChild);

    TVisualNode* FindNode(int nId) const;
    TVisualNode* FindNode(const CWnd* pWnd) const;
    int GetNodeId(const CWnd* pWnd) const;
    CWnd* GetWindow(int nId) const;
    int GetRootCount() const { return static_cast<int>(m_roots.size()); }

    BOOL SetActiveNode(TVisualNode* pNode);
    TVisualNode* GetActiveNode() const;
    CFrameWnd* GetFrame() const;

    BOOL SetActiveTab(TVisualNode* pNode);
    BOOL Enable(TVisualNode* pNode, BOOL bEnable);
    BOOL EnableTab(TVisualNode* pNode, BOOL bEnable);
    BOOL ShowTab(TVisualNode* pNode, BOOL bShow);
    BOOL IsEnabled(TVisualNode* pNode, BOOL& bEnabled);
    BOOL IsTabEnabled(TVisualNode* pNode, BOOL& bEnabled);
    BOOL IsTabVisible(TVisualNode* pNode, BOOL& bVisible);
    BOOL IsTabPane(TVisualNode* pNode);
    BOOL IsTabWindow(TVisualNode* pNode);
    BOOL IsSplitterPane(TVisualNode* pNode);
    BOOL IsSplitter(TVisualNode* pNode);
    BOOL IsView(TVisualNode* pNode);
    TVisualNode* GetActiveTab(TVisualNode* pNode);

    void SetFont(CFont* pFont);
    void EnableCtrlTab(BOOL bEnable) { m_bEnableCtrlTab = bEnable; }
    BOOL IsCtrlTabEnabled() const { return m_bEnableCtrlTab; }

protected:
    BOOL CreateNode(TVisualNode* pNode, CWnd* pParentWnd);
    void ApplyFlags(TVisualNode* pNode);
    void DestroyNode(TVisualNode* pNode);
    TTabWnd* ParentTab(TVisualNode* pNode) const;
    // The tab window holding the node and the node's tab index; NULL (and -1) for none.
    TTabWnd* TabOf(TVisualNode* pNode, int& nIndex) const;

    CFrameWnd* m_pFrame;
    HWND m_hWndFrame;
    std::vector<TVisualNode*> m_roots;
    std::map<int, TVisualNode*> m_nodes;  // walked in ascending id order
    BOOL m_bEnableCtrlTab;
};

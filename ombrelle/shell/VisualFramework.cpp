#include "VisualFramework.h"

#include "TabWnd.h"
#include "VisualFormView.h"

namespace {

// A tab window made as a frame's pane or a tab page (not inside a splitter).
const UINT kTabWindowId = 9592;

BOOL IsTabClass(CRuntimeClass* pClass) { return pClass != NULL && pClass->IsDerivedFrom(RUNTIME_CLASS(TTabWnd)); }

BOOL IsKindOfWnd(CWnd* pWnd, CRuntimeClass* pClass) { return pWnd != NULL && pWnd->IsKindOf(pClass); }

}  // namespace

// ---------------------------------------------------------------------------
// TVisualNode

void TVisualNode::Init()
{
    m_nType = typeNone;
    m_nId = 0;
    m_pWnd = NULL;
    m_pParentWnd = NULL;
    m_nRows = m_nCols = 0;
    m_nRow = m_nCol = 0;
    m_pContext = NULL;
    m_pClass = NULL;
    m_nWidth = m_nHeight = 0;
    m_bEnabled = TRUE;
    m_dwFlags = 0;
    m_nHotKey = 0;
    m_hIcon = NULL;
    m_pOwner = NULL;
    m_pFramework = NULL;
    m_hWnd = NULL;
    m_bOwnsWindow = FALSE;
}

TVisualNode::TVisualNode(int nId, LPCTSTR lpszTitle, int nRows, int nCols, CCreateContext* pContext, DWORD dwFlags)
{
    Init();
    m_nType = typeSplitter;
    m_nId = nId;
    m_strTitle = lpszTitle;
    m_nRows = nRows;
    m_nCols = nCols;
    m_pContext = pContext;
    m_dwFlags = dwFlags;
}

TVisualNode::TVisualNode(int nId, int nRow, int nCol, CCreateContext* pContext, CRuntimeClass* pClass, int nWidth,
                         int nHeight, DWORD dwFlags)
{
    Init();
    m_nType = typeSplitterView;
    m_nId = nId;
    m_nRow = nRow;
    m_nCol = nCol;
    m_pContext = pContext;
    m_pClass = pClass;
    m_nWidth = nWidth;
    m_nHeight = nHeight;
    m_dwFlags = dwFlags;
}

TVisualNode::TVisualNode(int nId, int nRow, int nCol, int nRows, int nCols, CCreateContext* pContext, DWORD dwFlags)
{
    Init();
    m_nType = typeSplitterSplitter;
    m_nId = nId;
    m_nRow = nRow;
    m_nCol = nCol;
    m_nRows = nRows;
    m_nCols = nCols;
    m_pContext = pContext;
    m_dwFlags = dwFlags;
}

TVisualNode::TVisualNode(int nId, LPCTSTR lpszTitle, CCreateContext* pContext, CRuntimeClass* pClass, DWORD dwFlags)
{
    Init();
    if (IsTabClass(pClass))
        m_nType = typeTab;
    else if (pClass != NULL && pClass->IsDerivedFrom(RUNTIME_CLASS(CView)))
        m_nType = typeTabView;
    m_nId = nId;
    m_strTitle = lpszTitle;
    m_pContext = pContext;
    m_pClass = pClass;
    m_dwFlags = dwFlags;
}

TVisualNode::TVisualNode(int nId, CCreateContext* pContext, CRuntimeClass* pClass)
{
    Init();
    m_nType = typeView;
    m_nId = nId;
    m_pContext = pContext;
    m_pClass = pClass;
}

TVisualNode::TVisualNode(const TVisualNode& other)
{
    Init();
    m_nType = other.m_nType;
    m_nId = other.m_nId;
    m_pWnd = other.m_pWnd;
    m_hWnd = other.m_hWnd;
    m_pParentWnd = other.m_pParentWnd;
    m_strTitle = other.m_strTitle;
    m_nRows = other.m_nRows;
    m_nCols = other.m_nCols;
    m_nRow = other.m_nRow;
    m_nCol = other.m_nCol;
    m_pContext = other.m_pContext;
    m_pClass = other.m_pClass;
    m_nWidth = other.m_nWidth;
    m_nHeight = other.m_nHeight;
    m_bEnabled = other.m_bEnabled;
    m_dwFlags = other.m_dwFlags;
    m_nHotKey = other.m_nHotKey;
    // Each node destroys its own icon.
    m_hIcon = other.m_hIcon != NULL ? ::CopyIcon(other.m_hIcon) : NULL;
    m_pOwner = other.m_pOwner;
    m_pFramework = other.m_pFramework;
}

TVisualNode::~TVisualNode()
{
    if (m_hIcon != NULL)
        ::DestroyIcon(m_hIcon);
}

CWnd* TVisualNode::GetWnd() const
{
    // A view deletes itself with its window: only a live window's object is
    // handed out.
    if (m_hWnd == NULL || !::IsWindow(m_hWnd))
        return NULL;
    return CWnd::FromHandlePermanent(m_hWnd);
}

BOOL TVisualNode::SetIcon(UINT nIconId)
{
    if (nIconId == 0) {
        if (m_hIcon != NULL)
            ::DestroyIcon(m_hIcon);
        m_hIcon = NULL;
        return TRUE;
    }
    if (m_hIcon != NULL)
        return FALSE;
    m_hIcon = (HICON)::LoadImageA(AfxGetResourceHandle(), MAKEINTRESOURCEA(nIconId), IMAGE_ICON, 16, 16, 0);
    return m_hIcon != NULL;
}

BOOL TVisualNode::SetActive() { return m_pFramework != NULL && m_pFramework->SetActiveNode(this); }
BOOL TVisualNode::SetActiveTab() { return m_pFramework != NULL && m_pFramework->SetActiveTab(this); }
BOOL TVisualNode::Enable(BOOL bEnable) { return m_pFramework != NULL && m_pFramework->Enable(this, bEnable); }
BOOL TVisualNode::EnableTab(BOOL bEnable) { return m_pFramework != NULL && m_pFramework->EnableTab(this, bEnable); }
BOOL TVisualNode::ShowTab(BOOL bShow) { return m_pFramework != NULL && m_pFramework->ShowTab(this, bShow); }
BOOL TVisualNode::IsEnabled(BOOL& bEnabled) { return m_pFramework != NULL && m_pFramework->IsEnabled(this, bEnabled); }
BOOL TVisualNode::IsTabEnabled(BOOL& bEnabled)
{
    return m_pFramework != NULL && m_pFramework->IsTabEnabled(this, bEnabled);
}
BOOL TVisualNode::IsTabVisible(BOOL& bVisible)
{
    return m_pFramework != NULL && m_pFramework->IsTabVisible(this, bVisible);
}
BOOL TVisualNode::IsTabPane() { return m_pFramework != NULL && m_pFramework->IsTabPane(this); }
BOOL TVisualNode::IsTabWindow() { return m_pFramework != NULL && m_pFramework->IsTabWindow(this); }
BOOL TVisualNode::IsSplitterPane() { return m_pFramework != NULL && m_pFramework->IsSplitterPane(this); }
BOOL TVisualNode::IsSplitter() { return m_pFramework != NULL && m_pFramework->IsSplitter(this); }
BOOL TVisualNode::IsView() { return m_pFramework != NULL && m_pFramework->IsView(this); }
TVisualNode* TVisualNode::GetActiveTab() { return m_pFramework != NULL ? m_pFramework->GetActiveTab(this) : NULL; }

// ---------------------------------------------------------------------------
// TVisualFramework

IMPLEMENT_DYNCREATE(TVisualFramework, CCmdTarget)

TVisualFramework::TVisualFramework() : m_pFrame(NULL), m_hWndFrame(NULL), m_bEnableCtrlTab(TRUE) {}

TVisualFramework::~TVisualFramework()
{
    if (!m_nodes.empty() || !m_roots.empty())
        Destroy();
}

BOOL TVisualFramework::AddRoot(TVisualNode* pNode)
{
    if (pNode == NULL || m_nodes.count(pNode->m_nId) != 0)
        return FALSE;
    m_roots.push_back(pNode);
    pNode->m_pFramework = this;
    m_nodes[pNode->m_nId] = pNode;
    return TRUE;
}

BOOL TVisualFramework::AddChild(TVisualNode* pParent, TVisualNode* pChild)
{
    if (pParent == NULL || pChild == NULL || m_nodes.count(pChild->m_nId) != 0)
        return FALSE;
    pParent->m_children.push_back(pChild);
    pChild->m_pOwner = pParent;
    pChild->m_pFramework = this;
    m_nodes[pChild->m_nId] = pChild;
    return TRUE;
}

BOOL TVisualFramework::Create(CFrameWnd* pFrame)
{
    if (pFrame == NULL || pFrame->GetSafeHwnd() == NULL)
        return FALSE;
    m_pFrame = pFrame;
    m_hWndFrame = pFrame->m_hWnd;
    // MDI switches its children with Ctrl+Tab itself.
    if (pFrame->IsKindOf(RUNTIME_CLASS(CMDIChildWnd)))
        m_bEnableCtrlTab = FALSE;

    for (TVisualNode* pRoot : m_roots) {
        if (!CreateNode(pRoot, pFrame))
            return FALSE;
    }

    for (const auto& entry : m_nodes) {
        CWnd* pWnd = entry.second->GetWnd();
        if (pWnd != NULL && !pWnd->IsKindOf(RUNTIME_CLASS(CSplitterWnd)) && !pWnd->IsKindOf(RUNTIME_CLASS(TTabWnd))) {
            SetActiveNode(entry.second);
            break;
        }
    }
    return TRUE;
}

BOOL TVisualFramework::CreateNode(TVisualNode* pNode, CWnd* pParentWnd)
{
    pNode->m_pParentWnd = pParentWnd;
    CWnd* pWnd = NULL;
    TTabWnd* pParentTab = IsKindOfWnd(pParentWnd, RUNTIME_CLASS(TTabWnd)) ? (TTabWnd*)pParentWnd : NULL;
    CSplitterWnd* pParentSplitter =
        IsKindOfWnd(pParentWnd, RUNTIME_CLASS(CSplitterWnd)) ? (CSplitterWnd*)pParentWnd : NULL;
    BOOL bChildren = TRUE;

    switch (pNode->m_nType) {
    case TVisualNode::typeSplitter: {
        CSplitterWnd* pSplitter = CreateSplitter(pNode);
        if (pSplitter == NULL)
            return FALSE;
        BOOL bMade;
        if (pParentTab != NULL) {
            bMade = pParentTab->AddSplitterTab(pNode->m_strTitle, pNode->m_nRows, pNode->m_nCols, pSplitter,
                                               AFX_IDW_PANE_FIRST);
            if (bMade)
                pParentTab->SetTabIcon(pParentTab->GetTabIndex(pSplitter), pNode->m_hIcon);
        } else {
            bMade = pSplitter->CreateStatic(pParentWnd, pNode->m_nRows, pNode->m_nCols, WS_CHILD | WS_VISIBLE,
                                            AFX_IDW_PANE_FIRST);
        }
        if (!bMade) {
            delete pSplitter;
            return FALSE;
        }
        pWnd = pSplitter;
        break;
    }
    case TVisualNode::typeSplitterView: {
        if (pParentSplitter == NULL ||
            !pParentSplitter->CreateView(pNode->m_nRow, pNode->m_nCol, pNode->m_pClass,
                                         CSize(pNode->m_nWidth, pNode->m_nHeight), pNode->m_pContext))
            return FALSE;
        pWnd = pParentSplitter->GetPane(pNode->m_nRow, pNode->m_nCol);
        if (pWnd == NULL)
            return FALSE;
        break;
    }
    case TVisualNode::typeSplitterSplitter: {
        if (pParentSplitter == NULL)
            return FALSE;
        CSplitterWnd* pSplitter = CreateSplitter(pNode);
        if (pSplitter == NULL)
            return FALSE;
        if (!pSplitter->CreateStatic(pParentWnd, pNode->m_nRows, pNode->m_nCols, WS_CHILD | WS_VISIBLE | WS_BORDER,
                                     pParentSplitter->IdFromRowCol(pNode->m_nRow, pNode->m_nCol))) {
            delete pSplitter;
            return FALSE;
        }
        pNode->m_pWnd = pSplitter;
        pNode->m_hWnd = pSplitter->m_hWnd;
        pNode->m_bOwnsWindow = TRUE;
        // No flags for a splitter in a splitter.
        for (TVisualNode* pChild : pNode->m_children) {
            if (!CreateNode(pChild, pSplitter))
                return FALSE;
        }
        return TRUE;
    }
    case TVisualNode::typeTab: {
        if (pParentTab != NULL) {
            CTabEntry* pEntry = pParentTab->AddViewTab(pNode->m_strTitle, pNode->m_pClass, pNode->m_pContext);
            if (pEntry == NULL)
                return FALSE;
            pEntry->m_hIcon = pNode->m_hIcon;
            pWnd = pEntry->m_pWnd;
        } else {
            CObject* pObject = pNode->m_pClass != NULL ? pNode->m_pClass->CreateObject() : NULL;
            if (pObject == NULL || !pObject->IsKindOf(RUNTIME_CLASS(CWnd))) {
                delete pObject;
                return FALSE;
            }
            pWnd = (CWnd*)pObject;
            if (!pWnd->Create(NULL, "", WS_CHILD | WS_VISIBLE, CRect(0, 0, 0, 0), pParentWnd, kTabWindowId, NULL)) {
                delete pWnd;
                return FALSE;
            }
        }
        break;
    }
    case TVisualNode::typeTabView: {
        if (pParentTab == NULL)
            return FALSE;
        CTabEntry* pEntry = pParentTab->AddViewTab(pNode->m_strTitle, pNode->m_pClass, pNode->m_pContext);
        if (pEntry == NULL)
            return FALSE;
        pEntry->m_hIcon = pNode->m_hIcon;
        pWnd = pEntry->m_pWnd;
        bChildren = FALSE;
        break;
    }
    case TVisualNode::typeView: {
        if (!pParentWnd->IsFrameWnd())
            return FALSE;
        CCreateContext context;
        CCreateContext* pContext = pNode->m_pContext != NULL ? pNode->m_pContext : &context;
        pContext->m_pNewViewClass = pNode->m_pClass;
        pWnd = ((CFrameWnd*)pParentWnd)->CreateView(pContext, AFX_IDW_PANE_FIRST);
        if (pWnd == NULL)
            return FALSE;
        bChildren = FALSE;
        break;
    }
    default:
        return FALSE;
    }

    pNode->m_pWnd = pWnd;
    pNode->m_hWnd = pWnd->m_hWnd;
    // Splitters and tab windows do not delete themselves with their windows.
    pNode->m_bOwnsWindow = pWnd->IsKindOf(RUNTIME_CLASS(CSplitterWnd)) || pWnd->IsKindOf(RUNTIME_CLASS(TTabWnd));
    ApplyFlags(pNode);
    if (bChildren) {
        for (TVisualNode* pChild : pNode->m_children) {
            if (!CreateNode(pChild, pWnd))
                return FALSE;
        }
    }
    return TRUE;
}

void TVisualFramework::ApplyFlags(TVisualNode* pNode)
{
    CWnd* pWnd = pNode->GetWnd();
    if (pWnd == NULL)
        return;
    if (pWnd->IsKindOf(RUNTIME_CLASS(TTabWnd))) {
        TTabWnd* pTab = (TTabWnd*)pWnd;
        if (pNode->m_dwFlags & TVisualNode::TF_TABS_TOP)
            pTab->SetTabPos(TTabWnd::TABPOS_TOP);
        else if (pNode->m_dwFlags & TVisualNode::TF_TABS_BOTTOM)
            pTab->SetTabPos(TTabWnd::TABPOS_BOTTOM);
    }
    if (IsKindOfWnd(pNode->m_pParentWnd, RUNTIME_CLASS(TTabWnd)) && (pNode->m_dwFlags & TVisualNode::TF_ACTIVE_TAB)) {
        TTabWnd* pParentTab = (TTabWnd*)pNode->m_pParentWnd;
        pParentTab->SetActiveTab(pParentTab->GetTabIndex(pWnd), TRUE);
    }
}

CSplitterWnd* TVisualFramework::CreateSplitter(TVisualNode*) { return new CSplitterWnd; }

void TVisualFramework::Destroy()
{
    for (TVisualNode* pRoot : m_roots)
        DestroyNode(pRoot);
    for (auto& entry : m_nodes)
        delete entry.second;
    m_nodes.clear();
    m_roots.clear();
    m_pFrame = NULL;
    m_hWndFrame = NULL;
}

void TVisualFramework::DestroyNode(TVisualNode* pNode)
{
    // Views delete themselves when their windows go; splitter and tab window
    // objects are deleted here, also when the frame has taken their windows
    // with it already.
    for (TVisualNode* pChild : pNode->m_children)
        DestroyNode(pChild);
    if (!pNode->m_bOwnsWindow)
        return;
    CWnd* pWnd = pNode->m_pWnd;
    if (pWnd->m_hWnd != NULL && ::IsWindow(pWnd->m_hWnd))
        pWnd->DestroyWindow();
    delete pWnd;
    pNode->m_pWnd = NULL;
    pNode->m_hWnd = NULL;
    pNode->m_bOwnsWindow = FALSE;
}

TVisualNode* TVisualFramework::FindNode(int nId) const
{
    auto it = m_nodes.find(nId);
    return it != m_nodes.end() ? it->second : NULL;
}

TVisualNode* TVisualFramework::FindNode(const CWnd* pWnd) const
{
    if (pWnd == NULL || pWnd->m_hWnd == NULL)
        return NULL;
    for (const auto& entry : m_nodes) {
        if (entry.second->m_hWnd == pWnd->m_hWnd && entry.second->GetWnd() == pWnd)
            return entry.second;
    }
    return NULL;
}

int TVisualFramework::GetNodeId(const CWnd* pWnd) const
{
    TVisualNode* pNode = FindNode(pWnd);
    return pNode != NULL ? pNode->m_nId : 0;
}

CWnd* TVisualFramework::GetWindow(int nId) const
{
    TVisualNode* pNode = FindNode(nId);
    return pNode != NULL ? pNode->GetWnd() : NULL;
}

CFrameWnd* TVisualFramework::GetFrame() const
{
    if (m_hWndFrame == NULL || !::IsWindow(m_hWndFrame))
        return NULL;
    return m_pFrame;
}

TTabWnd* TVisualFramework::ParentTab(TVisualNode* pNode) const
{
    if (pNode == NULL || pNode->GetWnd() == NULL)
        return NULL;
    CWnd* pParent = pNode->m_pParentWnd;
    if (pParent == NULL || !::IsWindow(pParent->m_hWnd) || CWnd::FromHandlePermanent(pParent->m_hWnd) != pParent ||
        !pParent->IsKindOf(RUNTIME_CLASS(TTabWnd)))
        return NULL;
    return (TTabWnd*)pParent;
}

TTabWnd* TVisualFramework::TabOf(TVisualNode* pNode, int& nIndex) const
{
    TTabWnd* pTab = ParentTab(pNode);
    nIndex = pTab != NULL ? pTab->GetTabIndex(pNode->GetWnd()) : -1;
    return nIndex >= 0 ? pTab : NULL;
}

BOOL TVisualFramework::SetActiveNode(TVisualNode* pNode)
{
    CWnd* pWnd = pNode != NULL ? pNode->GetWnd() : NULL;
    if (pWnd == NULL || pWnd->IsKindOf(RUNTIME_CLASS(CSplitterWnd)) || pWnd->IsKindOf(RUNTIME_CLASS(TTabWnd)) ||
        !pNode->m_bEnabled)
        return FALSE;

    std::vector<TVisualNode*> chain;
    for (TVisualNode* p = pNode; p != NULL; p = p->m_pOwner)
        chain.insert(chain.begin(), p);
    for (TVisualNode* p : chain) {
        TTabWnd* pTab = ParentTab(p);
        if (pTab != NULL && !pTab->SetActiveTab(pTab->GetTabIndex(p->GetWnd()), TRUE))
            return FALSE;
    }

    CFrameWnd* pFrame = GetFrame();
    if (pFrame != NULL && pWnd->IsKindOf(RUNTIME_CLASS(CView)))
        pFrame->SetActiveView((CView*)pWnd);
    return TRUE;
}

TVisualNode* TVisualFramework::GetActiveNode() const
{
    CFrameWnd* pFrame = GetFrame();
    return pFrame != NULL ? FindNode(pFrame->GetActiveView()) : NULL;
}

BOOL TVisualFramework::SetActiveTab(TVisualNode* pNode)
{
    TTabWnd* pTab = ParentTab(pNode);
    if (pTab == NULL)
        return FALSE;
    return pTab->SetActiveTab(pTab->GetTabIndex(pNode->GetWnd()), FALSE);
}

BOOL TVisualFramework::Enable(TVisualNode* pNode, BOOL bEnable)
{
    if (!IsView(pNode))
        return FALSE;
    pNode->m_bEnabled = bEnable;
    CWnd* pWnd = pNode->GetWnd();
    pWnd->EnableWindow(bEnable);
    if (TTabWnd* pTab = ParentTab(pNode))
        pTab->SetTabPageEnabled(pTab->GetTabIndex(pWnd), bEnable);
    return TRUE;
}

BOOL TVisualFramework::EnableTab(TVisualNode* pNode, BOOL bEnable)
{
    int nIndex;
    TTabWnd* pTab = TabOf(pNode, nIndex);
    if (pTab == NULL || nIndex == pTab->GetActiveTab())
        return FALSE;
    pTab->EnableTab(nIndex, bEnable);
    pNode->m_bEnabled = bEnable;
    return TRUE;
}

BOOL TVisualFramework::ShowTab(TVisualNode* pNode, BOOL bShow)
{
    int nIndex;
    TTabWnd* pTab = TabOf(pNode, nIndex);
    if (pTab == NULL || nIndex == pTab->GetActiveTab())
        return FALSE;
    return pTab->ShowTab(nIndex, bShow);
}

BOOL TVisualFramework::IsEnabled(TVisualNode* pNode, BOOL& bEnabled)
{
    if (pNode == NULL)
        return FALSE;
    bEnabled = pNode->m_bEnabled;
    return TRUE;
}

BOOL TVisualFramework::IsTabEnabled(TVisualNode* pNode, BOOL& bEnabled)
{
    int nIndex;
    TTabWnd* pTab = TabOf(pNode, nIndex);
    if (pTab == NULL)
        return FALSE;
    bEnabled = pTab->IsTabEnabled(nIndex);
    return TRUE;
}

BOOL TVisualFramework::IsTabVisible(TVisualNode* pNode, BOOL& bVisible)
{
    int nIndex;
    TTabWnd* pTab = TabOf(pNode, nIndex);
    if (pTab == NULL)
        return FALSE;
    bVisible = pTab->IsTabVisible(nIndex);
    return TRUE;
}

BOOL TVisualFramework::IsTabPane(TVisualNode* pNode) { return ParentTab(pNode) != NULL; }

BOOL TVisualFramework::IsTabWindow(TVisualNode* pNode)
{
    return pNode != NULL && IsKindOfWnd(pNode->GetWnd(), RUNTIME_CLASS(TTabWnd));
}

BOOL TVisualFramework::IsSplitterPane(TVisualNode* pNode)
{
    if (pNode == NULL || pNode->GetWnd() == NULL || pNode->m_pParentWnd == NULL)
        return FALSE;
    CWnd* pParent = pNode->GetWnd()->GetParent();
    return pParent != NULL && pParent->m_hWnd == pNode->m_pParentWnd->m_hWnd &&
           IsKindOfWnd(CWnd::FromHandlePermanent(pParent->m_hWnd), RUNTIME_CLASS(CSplitterWnd));
}

BOOL TVisualFramework::IsSplitter(TVisualNode* pNode)
{
    return pNode != NULL && IsKindOfWnd(pNode->GetWnd(), RUNTIME_CLASS(CSplitterWnd));
}

BOOL TVisualFramework::IsView(TVisualNode* pNode)
{
    return pNode != NULL && IsKindOfWnd(pNode->GetWnd(), RUNTIME_CLASS(CView));
}

TVisualNode* TVisualFramework::GetActiveTab(TVisualNode* pNode)
{
    if (!IsTabWindow(pNode))
        return NULL;
    TTabWnd* pTab = (TTabWnd*)pNode->GetWnd();
    return FindNode(pTab->GetTabWnd(pTab->GetActiveTab()));
}

void TVisualFramework::SetFont(CFont* pFont)
{
    for (const auto& entry : m_nodes) {
        CWnd* pWnd = entry.second->GetWnd();
        if (pWnd == NULL)
            continue;
        if (pWnd->IsKindOf(RUNTIME_CLASS(TTabWnd))) {
            ((TTabWnd*)pWnd)->SetFont(pFont);
        } else if (pWnd->IsKindOf(RUNTIME_CLASS(TVisualFormView))) {
            for (HWND hChild = ::GetWindow(pWnd->m_hWnd, GW_CHILD); hChild != NULL;
                 hChild = ::GetWindow(hChild, GW_HWNDNEXT))
                ::SendMessageA(hChild, WM_SETFONT, (WPARAM)pFont->GetSafeHandle(), 0);
        } else {
            pWnd->SendMessage(WM_SETFONT, (WPARAM)pFont->GetSafeHandle(), TRUE);
        }
    }
}

BOOL TVisualFramework::ProcessMessage(MSG* pMsg)
{
    if (pMsg->message == WM_KEYDOWN && pMsg->wParam == VK_TAB && (::GetKeyState(VK_CONTROL) & 0x8000) &&
        m_bEnableCtrlTab) {
        CWnd* pView = NULL;
        for (HWND hWnd = pMsg->hwnd; hWnd != NULL; hWnd = ::GetParent(hWnd)) {
            CWnd* pWnd = CWnd::FromHandlePermanent(hWnd);
            if (pWnd == NULL)
                continue;
            if (pWnd->IsFrameWnd())
                return FALSE;
            if (pWnd->IsKindOf(RUNTIME_CLASS(CView))) {
                pView = pWnd;
                break;
            }
        }
        TVisualNode* pNode = FindNode(pView);
        while (pNode != NULL && !IsTabWindow(pNode))
            pNode = pNode->m_pOwner;
        if (pNode == NULL)
            return FALSE;
        TTabWnd* pTab = (TTabWnd*)pNode->GetWnd();
        int nCount = pTab->GetTabCount();
        int nStart = pTab->GetActiveTab();
        BOOL bBack = (::GetKeyState(VK_SHIFT) & 0x8000) != 0;
        int nPage = nStart;
        for (;;) {
            nPage = bBack ? (nPage - 1 < 0 ? nCount - 1 : nPage - 1) : (nPage + 1 >= nCount ? 0 : nPage + 1);
            if (nPage == nStart || pTab->SetActiveTab(nPage, TRUE))
                break;
        }
        return TRUE;
    }
    if (pMsg->message == WM_SYSKEYDOWN) {
        for (const auto& entry : m_nodes) {
            if (entry.second->m_nHotKey != 0 && entry.second->m_nHotKey == (int)pMsg->wParam &&
                SetActiveNode(entry.second))
                return TRUE;
        }
    }
    return FALSE;
}

#include "ChildFrame.h"

#include "FileInfoFormView.h"
#include "IPTCInfoFormView.h"
#include "InputTreeFormView.h"
#include "OmbrelleView.h"
#include "PanePlaceholderView.h"
#include "PicThumnailFormView.h"
#include "StartupSplashWnd.h"
#include "TabWnd.h"
#include "UserSetFormView.h"
#include "resource.h"

namespace {

// The class of each pane. A pane whose own class is not written yet shows a
// placeholder form; its class goes in its place here when it lands.
struct PaneClass {
    int nId;
    CRuntimeClass* pClass;
};

CRuntimeClass* PaneClassOf(int nId)
{
    static const PaneClass kPaneClasses[] = {
        {CChildFrame::kPaneFolderTree, RUNTIME_CLASS(CInputTreeFormView)},
        {CChildFrame::kPaneThumbnails, RUNTIME_CLASS(CPicThumnailFormView)},
        {CChildFrame::kPanePicture, RUNTIME_CLASS(COmbrelleView)},
        {CChildFrame::kPaneFileInfo, RUNTIME_CLASS(CFileInfoFormView)},
        {CChildFrame::kPaneIptcInfo, RUNTIME_CLASS(CIPTCInfoFormView)},
        {CChildFrame::kPaneUserSet, RUNTIME_CLASS(CUserSetFormView)},
    };
    for (const PaneClass& pane : kPaneClasses) {
        if (pane.nId == nId)
            return pane.pClass;
    }
    return RUNTIME_CLASS(CPanePlaceholderView);
}

const DWORD kSystemMenuStyle = 0x00080000;  // WS_SYSMENU

// Shown with the first document's frame only.
BOOL g_bSplashShown = FALSE;

}  // namespace

IMPLEMENT_DYNCREATE(CChildFrame, CMDIChildWnd)

CChildFrame::CChildFrame() {}

CChildFrame::~CChildFrame() {}

BOOL CChildFrame::PreCreateWindow(CREATESTRUCT& cs)
{
    cs.style &= ~kSystemMenuStyle;
    return CMDIChildWnd::PreCreateWindow(cs);
}

void CChildFrame::ActivateFrame(int nCmdShow)
{
    ShowWindow(SW_SHOWMAXIMIZED);
    CMDIChildWnd::ActivateFrame(nCmdShow);
}

void CChildFrame::OnUpdateFrameTitle(BOOL) { SetWindowText(""); }

BOOL CChildFrame::OnCreateClient(LPCREATESTRUCT, CCreateContext* pContext)
{
    if (!g_bSplashShown && CStartupSplashWnd::IsSplashEnabled()) {
        CStartupSplashWnd::ShowSplash(this);
        g_bSplashShown = CStartupSplashWnd::GetSplash() != NULL;
    }

    HINSTANCE hOldResource = AfxGetResourceHandle();

    CString strFileInfo, strIptc, strUserSet;
    strFileInfo.LoadString(IDS_TAB_FILEINFO);
    strIptc.LoadString(IDS_TAB_IPTC);
    strUserSet.LoadString(IDS_TAB_PICSETTING);

    TVisualNode* pRoot = new TVisualNode(kPaneRoot, "", 1, 2, pContext);
    TVisualNode* pFolderTree =
        new TVisualNode(kPaneFolderTree, 0, 0, pContext, PaneClassOf(kPaneFolderTree), 198, 0);
    TVisualNode* pRight = new TVisualNode(kPaneRightSplitter, 0, 1, 2, 1, pContext);
    TVisualNode* pThumbnails =
        new TVisualNode(kPaneThumbnails, 0, 0, pContext, PaneClassOf(kPaneThumbnails), 0, 160);
    TVisualNode* pLower = new TVisualNode(kPaneLowerSplitter, 1, 0, 1, 2, pContext);
    TVisualNode* pPicture = new TVisualNode(kPanePicture, 0, 0, pContext, PaneClassOf(kPanePicture), 525, 0);
    TVisualNode* pTabs =
        new TVisualNode(kPaneTabs, 0, 1, pContext, RUNTIME_CLASS(TTabWnd), 0, 0, TVisualNode::TF_TABS_BOTTOM);
    TVisualNode* pFileInfo = new TVisualNode(kPaneFileInfo, strFileInfo, pContext, PaneClassOf(kPaneFileInfo));
    TVisualNode* pIptcInfo = new TVisualNode(kPaneIptcInfo, strIptc, pContext, PaneClassOf(kPaneIptcInfo));
    TVisualNode* pUserSet = new TVisualNode(kPaneUserSet, strUserSet, pContext, PaneClassOf(kPaneUserSet));

    pIptcInfo->SetIcon(IDI_TAB_IPTC);
    pFileInfo->SetIcon(IDI_TAB_FILEINFO);
    pUserSet->SetIcon(IDI_TAB_PICSETTING);

    // A node the framework refuses stays ours.
    auto addChild = [this](TVisualNode* pParent, TVisualNode* pChild) {
        if (!m_framework.AddChild(pParent, pChild))
            delete pChild;
    };
    if (!m_framework.AddRoot(pRoot))
        delete pRoot;
    addChild(pRoot, pFolderTree);
    addChild(pRoot, pRight);
    addChild(pRight, pLower);
    addChild(pLower, pPicture);
    addChild(pLower, pTabs);
    addChild(pTabs, pFileInfo);
    addChild(pTabs, pIptcInfo);
    addChild(pTabs, pUserSet);
    addChild(pRight, pThumbnails);

    m_framework.Create(this);
    // The IPTC and picture setting pages exist and are filled, but only the
    // file information tab is offered.
    if (TVisualNode* pNode = m_framework.FindNode(kPaneIptcInfo))
        pNode->ShowTab(FALSE);
    if (TVisualNode* pNode = m_framework.FindNode(kPaneUserSet))
        pNode->ShowTab(FALSE);

    AfxSetResourceHandle(hOldResource);
    return TRUE;
}

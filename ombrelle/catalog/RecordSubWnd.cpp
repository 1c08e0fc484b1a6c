#include "RecordSubWnd.h"

#include "CatalogTreeView.h"
#include "MetaDataInput.h"

namespace {

const int kTreeWidth = 200;

}  // namespace

IMPLEMENT_DYNCREATE(CRecordSubWnd, CFrameWnd)

BEGIN_MESSAGE_MAP(CRecordSubWnd, CFrameWnd)
    ON_WM_CREATE()
    ON_WM_CLOSE()
END_MESSAGE_MAP()

CRecordSubWnd::CRecordSubWnd() {}

CRecordSubWnd::~CRecordSubWnd() {}

BOOL CRecordSubWnd::PreCreateWindow(CREATESTRUCT& cs)
{
    // A sizing border but no title bar. A top-level window that is neither
    // a child nor a popup always gets a caption, so the frame is a popup.
    cs.style &= ~WS_CAPTION;
    if (!(cs.style & WS_CHILD))
        cs.style |= WS_POPUP;
    return CFrameWnd::PreCreateWindow(cs);
}

int CRecordSubWnd::OnCreate(LPCREATESTRUCT lpCreateStruct)
{
    return CFrameWnd::OnCreate(lpCreateStruct);
}

BOOL CRecordSubWnd::OnCreateClient(LPCREATESTRUCT, CCreateContext* pContext)
{
    // Without a category structure the tree is not made, and so neither is the window.
    return m_wndSplitter.CreateStatic(this, 1, 2, WS_CHILD | WS_VISIBLE, AFX_IDW_PANE_FIRST) &&
           m_wndSplitter.CreateView(0, 0, RUNTIME_CLASS(CCatalogTreeView), CSize(kTreeWidth, 0), pContext) &&
           m_wndSplitter.CreateView(0, 1, RUNTIME_CLASS(CMetaDataInput), CSize(0, 0), pContext);
}

void CRecordSubWnd::OnClose()
{
    CFrameWnd::OnClose();
}

void CRecordSubWnd::Close()
{
    OnClose();
}

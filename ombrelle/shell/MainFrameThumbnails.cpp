// The main frame's side of the thumbnail pane: finding it, listing the
// folder tree's folder in it, and showing the current picture anew.
#include "MainFrame.h"

#include "ChildFrame.h"
#include "General.h"
#include "InputTreeFormView.h"
#include "OmbrelleApp.h"
#include "OmbrelleDoc.h"
#include "PicThumnailFormView.h"
#include "ReducedCopy.h"

CPicThumnailFormView* CMainFrame::GetThumbnailView()
{
    CMDIChildWnd* pChild = MDIGetActive();
    if (pChild == NULL || !pChild->IsKindOf(RUNTIME_CLASS(CChildFrame)))
        return NULL;
    CWnd* pPane = static_cast<CChildFrame*>(pChild)->m_framework.GetWindow(CChildFrame::kPaneThumbnails);
    return dynamic_cast<CPicThumnailFormView*>(pPane);
}

LRESULT CMainFrame::OnShowThumbnails(WPARAM, LPARAM)
{
    // The view's double click may have hidden the tool bar.
    ShowControlBar(&m_wndToolBar, TRUE, FALSE);
    CInputTreeFormView* pTreeView = GetFolderTreeView();
    CPicThumnailFormView* pPane = GetThumbnailView();
    if (pTreeView != NULL && pPane != NULL && pPane->m_list.GetSafeHwnd() != NULL) {
        std::shared_ptr<bool> spAlive = pPane->m_list.GetAliveToken();
        pPane->m_list.ShowFolder(pTreeView->m_tree.m_strCurrentFolder, FALSE);
        if (!*spAlive)
            return 0;
    }
    RefreshThumbnailItem();
    return 0;
}

void CMainFrame::RefreshThumbnailItem()
{
    CPicThumnailFormView* pPane = GetThumbnailView();
    if (pPane == NULL || pPane->m_list.GetSafeHwnd() == NULL)
        return;
    CThumbListCtrl& list = pPane->m_list;
    // The window may close while the thumbnails are made.
    std::shared_ptr<bool> spAlive = list.GetAliveToken();
    list.Refresh();
    if (!*spAlive)
        return;

    CDocument* pCurrent = static_cast<COmbrelleApp*>(AfxGetApp())->GetCurrentDocument();
    COmbrelleDoc* pDoc = dynamic_cast<COmbrelleDoc*>(pCurrent);
    if (pDoc == NULL || pDoc->m_strOriginalName.IsEmpty())
        return;
    const CString strPicture = pDoc->GetCurrentPicturePath();

    int nIndex = -1;
    for (int i = 0; i < list.GetThumbCount(); ++i) {
        if (list.GetThumbItem(i)->strName == pDoc->m_strOriginalName) {
            nIndex = i;
            break;
        }
    }
    if (nIndex < 0)
        return;

    // Only the picture's own reduced copy is deleted; a picture shown from
    // its own file (it fitted the view) is never touched.
    if (pDoc->m_pDisplayImage != NULL && !pDoc->m_strDisplayedFile.IsEmpty()) {
        const CString strTemp = GenGetTempFolder();
        if (pDoc->m_strDisplayedFile.CompareNoCase(ReducedCopyName(strTemp, strPicture)) == 0 &&
            ::GetFileAttributesA(pDoc->m_strDisplayedFile) != INVALID_FILE_ATTRIBUTES)
            ::DeleteFileA(pDoc->m_strDisplayedFile);
    }
    pDoc->FreeDisplayImage();
    pPane->ShowItem(nIndex);
}

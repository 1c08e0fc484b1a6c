// The main frame's part in the folder tree pane: finding it, and selecting
// the folder of a file just written.
#include "MainFrame.h"

#include "ChildFrame.h"
#include "InputTreeFormView.h"
#include "PicThumnailFormView.h"
#include "resource.h"

CInputTreeFormView* CMainFrame::GetFolderTreeView()
{
    CMDIChildWnd* pChild = MDIGetActive();
    if (pChild == NULL || !pChild->IsKindOf(RUNTIME_CLASS(CChildFrame)))
        return NULL;
    CWnd* pPane = static_cast<CChildFrame*>(pChild)->m_framework.GetWindow(CChildFrame::kPaneFolderTree);
    return dynamic_cast<CInputTreeFormView*>(pPane);
}

void CMainFrame::SelectFolderInTree(LPCTSTR lpszFolder)
{
    CInputTreeFormView* pTreeView = GetFolderTreeView();
    if (pTreeView == NULL || pTreeView->m_tree.GetSafeHwnd() == NULL)
        return;
    CProgressFolderTree& tree = pTreeView->m_tree;
    tree.SetSelectPath(lpszFolder);
    // The tree holds the folder before it is listed: the listing lets
    // messages through, and the scanner's listing message that follows this
    // one lists the tree's folder. Nothing is touched after the listing,
    // since the window may close meanwhile.
    // A fill that met the folder gave the tree its item: selecting it lists
    // the folder. Otherwise the caret stays and the pane is told directly.
    HTREEITEM hFolder = tree.GetSelectItem();
    if (hFolder != NULL && hFolder != tree.GetSelectedItem()) {
        tree.SetCurrentPath(lpszFolder);
        tree.SelectItem(hFolder);
        return;
    }
    CPicThumnailFormView* pThumbnails = GetThumbnailView();
    if (pThumbnails != NULL && pThumbnails->m_list.GetSafeHwnd() != NULL) {
        pThumbnails->SetDlgItemText(IDC_THUMB_FOLDER, lpszFolder);
        tree.m_strCurrentFolder = lpszFolder;
        pThumbnails->m_list.ShowFolder(lpszFolder, TRUE);
    }
}

// A tree over the shell namespace: the desktop's folders (and, when asked,
// files) with the system's small icons, each folder filled when first
// opened. While filling it can walk down to a remembered folder, and a
// selected folder is listed in the thumbnail pane.
#pragma once

#include "AliveFlag.h"
#include "AsyncTreeCtrl.h"

#include <shlobj.h>

class CShellFolderTree : public CAsyncTreeCtrl {
    DECLARE_DYNAMIC(CShellFolderTree)
public:
    CShellFolderTree();
    virtual ~CShellFolderTree();

    // Refills the whole tree from pidlRoot (NULL or empty: the desktop).
    void SetRoot(LPCITEMIDLIST pidlRoot, int bShowFiles);
    // The folder to walk down to during the next fills.
    void SetSelectPath(LPCTSTR lpszPath);
    // The item met during a fill whose folder is the select path, or NULL.
    HTREEITEM GetSelectItem() const { return m_hSelectItem; }
    void SetCurrentPath(LPCTSTR lpszPath);

    static BOOL FolderExists(LPCTSTR lpszPath);

    // Item ID lists.
    static UINT GetIdListSize(LPCITEMIDLIST pidl);
    static LPITEMIDLIST GetNextItemId(LPCITEMIDLIST pidl);
    static LPITEMIDLIST GetLastItemId(LPCITEMIDLIST pidl);
    LPITEMIDLIST ConcatIdLists(LPCITEMIDLIST pidl1, LPCITEMIDLIST pidl2);
    LPITEMIDLIST CopyFirstItemId(LPCITEMIDLIST pidl);
    static BOOL GetSystemImageLists(CImageList& smallList, CImageList& largeList);

    // The folder last listed; the main frame reads it directly.
    CString m_strCurrentFolder;

    // False once the tree has died: selecting a folder lists it, which lets
    // messages through.
    std::shared_ptr<bool> GetAliveToken() const { return m_alive.GetToken(); }

protected:
    virtual BOOL PopulateItem(HTREEITEM hItem);
    virtual void PreSubclassWindow();

    // Fills the insert record of one entry; FALSE when the entry is of a
    // kind whose listing cannot be trusted (removable and network places).
    BOOL FillItemFromShell(TVITEM& item, LPITEMIDLIST pidlAbsolute, IShellFolder* pParentFolder,
                           LPCITEMIDLIST pidlRelative);
    static int CALLBACK CompareShellItems(LPARAM lParam1, LPARAM lParam2, LPARAM lParamSort);
    // What selecting a folder does: the picture and the document's current
    // file are cleared and the thumbnail pane lists the folder.
    void ListFolder(const CString& strPath);

    int m_bShowFiles;
    LPITEMIDLIST m_pidlRoot;
    IMalloc* m_pMalloc;
    IShellFolder* m_pDesktopFolder;
    HTREEITEM m_hSelectItem;
    CString m_strSelectPath;
    CString m_strItemText;  // text of the item being inserted
    CAliveFlag m_alive;

    afx_msg void OnDeleteItem(NMHDR* pNMHDR, LRESULT* pResult);
    afx_msg void OnSelChanged(NMHDR* pNMHDR, LRESULT* pResult);
    DECLARE_MESSAGE_MAP()
};

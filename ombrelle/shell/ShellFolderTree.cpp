#include "ShellFolderTree.h"

#include "ChildFrame.h"
#include "OmbrelleApp.h"
#include "OmbrelleDoc.h"
#include "OmbrelleView.h"
#include "PicThumnailFormView.h"
#include "resource.h"

#include <shellapi.h>
#include <shlwapi.h>

#include <cstring>

IMPLEMENT_DYNAMIC(CShellFolderTree, CAsyncTreeCtrl)

BEGIN_MESSAGE_MAP(CShellFolderTree, CAsyncTreeCtrl)
    ON_NOTIFY_REFLECT(TVN_DELETEITEM, OnDeleteItem)
    ON_NOTIFY_REFLECT(TVN_SELCHANGED, OnSelChanged)
END_MESSAGE_MAP()

#ifndef SHGDN_INCLUDE_NONFILESYS
#define SHGDN_INCLUDE_NONFILESYS 0x2000
#endif

namespace {

const char kSection[] = "PicSkipBar";
const char kPathKey[] = "Path";

// The file-system path of an absolute list; "" for a virtual folder.
CString PathOf(LPCITEMIDLIST pidl)
{
    char szPath[MAX_PATH] = "";
    if (pidl == NULL || !::SHGetPathFromIDListA(pidl, szPath))
        return CString();
    return CString(szPath);
}

// Shell text in the ANSI code page.
CString StrRetText(STRRET& str, LPCITEMIDLIST pidl, IMalloc* pMalloc)
{
    CString text;
    switch (str.uType) {
    case STRRET_WSTR:
        if (str.pOleStr != NULL) {
            int n = ::WideCharToMultiByte(CP_ACP, 0, str.pOleStr, -1, NULL, 0, NULL, NULL);
            if (n > 0) {
                LPSTR buffer = text.GetBuffer(n);
                ::WideCharToMultiByte(CP_ACP, 0, str.pOleStr, -1, buffer, n, NULL, NULL);
                text.ReleaseBuffer();
            }
            pMalloc->Free(str.pOleStr);
        }
        break;
    case STRRET_OFFSET:
        text = reinterpret_cast<const char*>(pidl) + str.uOffset;
        break;
    case STRRET_CSTR:
        text = str.cStr;
        break;
    }
    return text;
}

}  // namespace

CShellFolderTree::CShellFolderTree()
    : m_bShowFiles(0), m_pidlRoot(NULL), m_pMalloc(NULL), m_pDesktopFolder(NULL), m_hSelectItem(NULL)
{
    ::SHGetDesktopFolder(&m_pDesktopFolder);
    ::SHGetMalloc(&m_pMalloc);
}

CShellFolderTree::~CShellFolderTree()
{
    // The items' lists go back to the allocator while it is still held:
    // once this part is gone their deletion notices reach nobody.
    if (m_hWnd != NULL && ::IsWindow(m_hWnd))
        DeleteAllItems();
    if (m_pidlRoot != NULL && m_pMalloc != NULL)
        m_pMalloc->Free(m_pidlRoot);
    m_pidlRoot = NULL;
    if (m_pMalloc != NULL)
        m_pMalloc->Release();
    if (m_pDesktopFolder != NULL)
        m_pDesktopFolder->Release();
    if (AfxGetApp() != NULL)
        AfxGetApp()->WriteProfileString(kSection, kPathKey, m_strCurrentFolder);
}

void CShellFolderTree::PreSubclassWindow()
{
    LPITEMIDLIST pidlDesktop = NULL;
    if (SUCCEEDED(::SHGetSpecialFolderLocation(NULL, CSIDL_DESKTOP, &pidlDesktop))) {
        SHFILEINFOA info = {};
        // The system's own list: the tree shows it but never destroys it.
        HIMAGELIST hSmall = reinterpret_cast<HIMAGELIST>(::SHGetFileInfoA(
            reinterpret_cast<LPCSTR>(pidlDesktop), 0, &info, sizeof(info), SHGFI_PIDL | SHGFI_SYSICONINDEX | SHGFI_SMALLICON));
        if (hSmall != NULL)
            ::SendMessage(m_hWnd, TVM_SETIMAGELIST, TVSIL_NORMAL, reinterpret_cast<LPARAM>(hSmall));
        if (m_pMalloc != NULL)
            m_pMalloc->Free(pidlDesktop);
    }
    CAsyncTreeCtrl::PreSubclassWindow();
}

void CShellFolderTree::SetRoot(LPCITEMIDLIST pidlRoot, int bShowFiles)
{
    m_bShowFiles = bShowFiles;
    if (m_pidlRoot != NULL && m_pMalloc != NULL)
        m_pMalloc->Free(m_pidlRoot);
    m_pidlRoot = NULL;
    if (pidlRoot != NULL && pidlRoot->mkid.cb != 0 && m_pMalloc != NULL) {
        UINT cb = GetIdListSize(pidlRoot) + sizeof(USHORT);
        m_pidlRoot = static_cast<LPITEMIDLIST>(m_pMalloc->Alloc(cb));
        if (m_pidlRoot != NULL)
            std::memcpy(m_pidlRoot, pidlRoot, cb);
    }
    RefreshItem(TVI_ROOT);
}

void CShellFolderTree::SetSelectPath(LPCTSTR lpszPath)
{
    // The item met for another folder is not this folder's item.
    if (m_strSelectPath.CompareNoCase(lpszPath) != 0)
        m_hSelectItem = NULL;
    m_strSelectPath = lpszPath;
}

void CShellFolderTree::SetCurrentPath(LPCTSTR lpszPath)
{
    m_strCurrentFolder = lpszPath;
}

BOOL CShellFolderTree::FolderExists(LPCTSTR lpszPath)
{
    CString path(lpszPath);
    if (path.IsEmpty())
        return FALSE;
    path.MakeUpper();
    // A drive root keeps its backslash: "C:" alone names the current folder there.
    if (path.GetLength() > 3 && path.Right(1) == "\\")
        path = path.Left(path.GetLength() - 1);
    DWORD dwAttributes = ::GetFileAttributesA(path);
    return dwAttributes != INVALID_FILE_ATTRIBUTES && (dwAttributes & FILE_ATTRIBUTE_DIRECTORY) != 0;
}

UINT CShellFolderTree::GetIdListSize(LPCITEMIDLIST pidl)
{
    UINT cb = 0;
    if (pidl != NULL) {
        while (pidl->mkid.cb != 0) {
            cb += pidl->mkid.cb;
            pidl = GetNextItemId(pidl);
        }
    }
    return cb;
}

LPITEMIDLIST CShellFolderTree::GetNextItemId(LPCITEMIDLIST pidl)
{
    if (pidl == NULL || pidl->mkid.cb == 0)
        return NULL;
    return reinterpret_cast<LPITEMIDLIST>(const_cast<BYTE*>(reinterpret_cast<const BYTE*>(pidl) + pidl->mkid.cb));
}

LPITEMIDLIST CShellFolderTree::GetLastItemId(LPCITEMIDLIST pidl)
{
    if (pidl == NULL)
        return NULL;
    LPCITEMIDLIST pidlLast = pidl;
    while (pidl->mkid.cb != 0) {
        pidlLast = pidl;
        pidl = GetNextItemId(pidl);
    }
    return const_cast<LPITEMIDLIST>(pidlLast);
}

LPITEMIDLIST CShellFolderTree::ConcatIdLists(LPCITEMIDLIST pidl1, LPCITEMIDLIST pidl2)
{
    if (m_pMalloc == NULL)
        return NULL;
    UINT cb1 = GetIdListSize(pidl1);
    UINT cb2 = GetIdListSize(pidl2);
    LPITEMIDLIST pidl = static_cast<LPITEMIDLIST>(m_pMalloc->Alloc(cb1 + cb2 + sizeof(USHORT)));
    if (pidl == NULL)
        return NULL;
    BYTE* p = reinterpret_cast<BYTE*>(pidl);
    if (cb1 != 0)
        std::memcpy(p, pidl1, cb1);
    if (cb2 != 0)
        std::memcpy(p + cb1, pidl2, cb2);
    *reinterpret_cast<USHORT*>(p + cb1 + cb2) = 0;
    if (cb1 + cb2 == 0) {
        m_pMalloc->Free(pidl);
        return NULL;
    }
    return pidl;
}

LPITEMIDLIST CShellFolderTree::CopyFirstItemId(LPCITEMIDLIST pidl)
{
    if (pidl == NULL || pidl->mkid.cb == 0 || m_pMalloc == NULL)
        return NULL;
    UINT cb = pidl->mkid.cb;
    LPITEMIDLIST pidlCopy = static_cast<LPITEMIDLIST>(m_pMalloc->Alloc(cb + sizeof(USHORT)));
    if (pidlCopy == NULL)
        return NULL;
    std::memcpy(pidlCopy, pidl, cb);
    *reinterpret_cast<USHORT*>(reinterpret_cast<BYTE*>(pidlCopy) + cb) = 0;
    return pidlCopy;
}

BOOL CShellFolderTree::GetSystemImageLists(CImageList& smallList, CImageList& largeList)
{
    SHFILEINFOA info = {};
    HIMAGELIST hSmall = reinterpret_cast<HIMAGELIST>(
        ::SHGetFileInfoA("C:\\", 0, &info, sizeof(info), SHGFI_SYSICONINDEX | SHGFI_SMALLICON));
    HIMAGELIST hLarge = reinterpret_cast<HIMAGELIST>(
        ::SHGetFileInfoA("C:\\", 0, &info, sizeof(info), SHGFI_SYSICONINDEX | SHGFI_LARGEICON));
    if (hSmall == NULL || hLarge == NULL)
        return FALSE;
    return smallList.Attach(hSmall) && largeList.Attach(hLarge);
}

BOOL CShellFolderTree::FillItemFromShell(TVITEM& item, LPITEMIDLIST pidlAbsolute, IShellFolder* pParentFolder,
                                         LPCITEMIDLIST pidlRelative)
{
    STRRET name = {};
    m_strItemText.Empty();
    if (SUCCEEDED(pParentFolder->GetDisplayNameOf(pidlRelative, SHGDN_INFOLDER | SHGDN_INCLUDE_NONFILESYS, &name)))
        m_strItemText = StrRetText(name, pidlRelative, m_pMalloc);
    item.mask = TVIF_TEXT | TVIF_IMAGE | TVIF_SELECTEDIMAGE | TVIF_CHILDREN | TVIF_PARAM;
    item.pszText = const_cast<LPSTR>(static_cast<LPCSTR>(m_strItemText));
    item.lParam = reinterpret_cast<LPARAM>(pidlAbsolute);

    SFGAOF attributes = SFGAO_FOLDER | SFGAO_LINK | SFGAO_REMOVABLE | SFGAO_HASSUBFOLDER;
    LPCITEMIDLIST pidlOne = pidlRelative;
    if (FAILED(pParentFolder->GetAttributesOf(1, &pidlOne, &attributes)))
        attributes = 0;

    SHFILEINFOA info = {};
    UINT flags = SHGFI_PIDL | SHGFI_SYSICONINDEX | SHGFI_SMALLICON;
    if (attributes & SFGAO_LINK)
        flags |= SHGFI_LINKOVERLAY;
    item.iImage = 0;
    item.iSelectedImage = 0;
    if (pidlAbsolute != NULL) {
        ::SHGetFileInfoA(reinterpret_cast<LPCSTR>(pidlAbsolute), 0, &info, sizeof(info), flags);
        item.iImage = info.iIcon;
        item.iSelectedImage = info.iIcon;
        if (attributes & SFGAO_FOLDER) {
            ::SHGetFileInfoA(reinterpret_cast<LPCSTR>(pidlAbsolute), 0, &info, sizeof(info), flags | SHGFI_OPENICON);
            item.iSelectedImage = info.iIcon;
        }
    }

    item.cChildren = 0;
    if (attributes & SFGAO_FOLDER) {
        if (m_bShowFiles || (attributes & SFGAO_REMOVABLE))
            item.cChildren = 1;
        else
            item.cChildren = (attributes & SFGAO_HASSUBFOLDER) ? 1 : 0;
    }

    SHDESCRIPTIONID description = {};
    if (FAILED(::SHGetDataFromIDListA(pParentFolder, pidlRelative, SHGDFIL_DESCRIPTIONID, &description,
                                      sizeof(description))))
        return TRUE;
    switch (description.dwDescriptionId) {
    case SHDID_COMPUTER_DRIVE35:
    case SHDID_COMPUTER_DRIVE525:
    case SHDID_COMPUTER_REMOVABLE:
    case SHDID_COMPUTER_NETDRIVE:
    case SHDID_COMPUTER_CDROM:
    case SHDID_NET_DOMAIN:
    case SHDID_NET_SERVER:
    case SHDID_NET_SHARE:
    case SHDID_NET_RESTOFNET:
    case SHDID_NET_OTHER:
        return FALSE;
    default:
        return TRUE;
    }
}

int CALLBACK CShellFolderTree::CompareShellItems(LPARAM lParam1, LPARAM lParam2, LPARAM lParamSort)
{
    IShellFolder* pFolder = reinterpret_cast<IShellFolder*>(lParamSort);
    LPITEMIDLIST pidl1 = GetLastItemId(reinterpret_cast<LPCITEMIDLIST>(lParam1));
    LPITEMIDLIST pidl2 = GetLastItemId(reinterpret_cast<LPCITEMIDLIST>(lParam2));
    if (pFolder == NULL || pidl1 == NULL || pidl2 == NULL)
        return 0;
    HRESULT hr = pFolder->CompareIDs(0, pidl1, pidl2);
    if (FAILED(hr))
        return 0;
    return static_cast<short>(HRESULT_CODE(hr));
}

BOOL CShellFolderTree::PopulateItem(HTREEITEM hItem)
{
    const bool bRoot = hItem == TVI_ROOT;
    LPITEMIDLIST pidlParent = bRoot ? m_pidlRoot : reinterpret_cast<LPITEMIDLIST>(GetItemData(hItem));
    if (m_pDesktopFolder == NULL)
        return bRoot ? 0 : 1;
    IShellFolder* pFolder = NULL;
    if (pidlParent == NULL || pidlParent->mkid.cb == 0 ||
        FAILED(m_pDesktopFolder->BindToObject(pidlParent, NULL, IID_IShellFolder, reinterpret_cast<void**>(&pFolder))) ||
        pFolder == NULL) {
        if (!bRoot)
            return 1;
        pFolder = m_pDesktopFolder;
        pFolder->AddRef();
    }

    BOOL bInserted = FALSE;
    BOOL bListable = TRUE;
    IEnumIDList* pEnum = NULL;
    SHCONTF flags = SHCONTF_FOLDERS | (m_bShowFiles ? SHCONTF_NONFOLDERS : 0);
    if (pFolder->EnumObjects(m_hWnd, flags, &pEnum) == S_OK && pEnum != NULL) {
        SetProgress(0, 0);
        SetCapture();
        HCURSOR hOldCursor = ::SetCursor(::LoadCursor(NULL, IDC_WAIT));
        m_strSelectPath.MakeUpper();
        // The walk-down needs a folder that still exists.
        const BOOL bWalk = FolderExists(m_strSelectPath);

        LPITEMIDLIST pidlEntry = NULL;
        ULONG nFetched = 0;
        while (pEnum->Next(1, &pidlEntry, &nFetched) == S_OK && pidlEntry != NULL) {
            LPITEMIDLIST pidlAbsolute = ConcatIdLists(pidlParent, pidlEntry);
            TVINSERTSTRUCTA insert = {};
            insert.hParent = hItem;
            insert.hInsertAfter = TVI_LAST;
            bListable = FillItemFromShell(insert.item, pidlAbsolute, pFolder, pidlEntry);
            HTREEITEM hNew = InsertItem(&insert);
            if (hNew == NULL && pidlAbsolute != NULL)
                m_pMalloc->Free(pidlAbsolute);
            if (hNew != NULL && bWalk) {
                if (!bRoot) {
                    CString path = PathOf(pidlAbsolute);
                    path.MakeUpper();
                    if (!path.IsEmpty()) {
                        if (path == m_strSelectPath)
                            m_hSelectItem = hNew;
                        else if (m_strSelectPath.Find(path) == 0)
                            PopulateItem(hNew);
                    }
                } else if (!bInserted) {
                    PopulateItem(hNew);
                }
            }
            if (hNew != NULL)
                bInserted = TRUE;
            AddProgress(1);
            m_pMalloc->Free(pidlEntry);
            pidlEntry = NULL;
        }
        ::ReleaseCapture();
        pEnum->Release();
        ::SetCursor(hOldCursor);
    }

    TVSORTCB sort = {};
    sort.hParent = hItem;
    sort.lpfnCompare = CompareShellItems;
    sort.lParam = reinterpret_cast<LPARAM>(pFolder);
    SortChildrenCB(&sort);

    pFolder->Release();
    SetProgress(1, 1);

    if (!bInserted || !bListable)
        return 0;
    // Removable and network drives may list nothing now and more later.
    CString parentPath = PathOf(pidlParent);
    if (!parentPath.IsEmpty()) {
        char szRoot[MAX_PATH];
        lstrcpynA(szRoot, parentPath, MAX_PATH);
        if (::PathStripToRootA(szRoot) && ::GetDriveTypeA(szRoot) != DRIVE_FIXED)
            return 0;
    }
    return 1;
}

void CShellFolderTree::OnDeleteItem(NMHDR* pNMHDR, LRESULT* pResult)
{
    NMTREEVIEWA* pNMTreeView = reinterpret_cast<NMTREEVIEWA*>(pNMHDR);
    LPITEMIDLIST pidl = reinterpret_cast<LPITEMIDLIST>(pNMTreeView->itemOld.lParam);
    if (pidl != NULL && m_pMalloc != NULL)
        m_pMalloc->Free(pidl);
    if (pNMTreeView->itemOld.hItem == m_hSelectItem)
        m_hSelectItem = NULL;
    *pResult = 0;
}

void CShellFolderTree::OnSelChanged(NMHDR* pNMHDR, LRESULT* pResult)
{
    NMTREEVIEWA* pNMTreeView = reinterpret_cast<NMTREEVIEWA*>(pNMHDR);
    *pResult = 0;
    if (pNMTreeView->itemNew.hItem == NULL)
        return;
    ListFolder(PathOf(reinterpret_cast<LPCITEMIDLIST>(GetItemData(pNMTreeView->itemNew.hItem))));
}

void CShellFolderTree::ListFolder(const CString& strPath)
{
    CChildFrame* pFrame = dynamic_cast<CChildFrame*>(GetParentFrame());
    COmbrelleView* pView =
        pFrame != NULL ? dynamic_cast<COmbrelleView*>(pFrame->m_framework.GetWindow(CChildFrame::kPanePicture)) : NULL;
    if (pView != NULL)
        pView->ClearCurrentPicture();
    COmbrelleApp* pApp = dynamic_cast<COmbrelleApp*>(AfxGetApp());
    COmbrelleDoc* pDoc = pApp != NULL ? dynamic_cast<COmbrelleDoc*>(pApp->GetCurrentDocument()) : NULL;
    if (pDoc != NULL) {
        pDoc->m_strOriginalFolder.Empty();
        pDoc->m_strOriginalName.Empty();
    }

    CPicThumnailFormView* pPane =
        pFrame != NULL ? dynamic_cast<CPicThumnailFormView*>(pFrame->m_framework.GetWindow(CChildFrame::kPaneThumbnails))
                       : NULL;
    if (pPane == NULL || pPane->m_list.GetSafeHwnd() == NULL)
        return;
    pPane->SetDlgItemText(IDC_THUMB_FOLDER, strPath);
    pPane->m_strShown = "  ";
    // Before the list is filled: the fill lets messages through, and the
    // main frame's listing message lists the folder the tree holds. Nothing
    // is touched afterwards, since the window may close meanwhile.
    m_strCurrentFolder = strPath;
    if (strPath.IsEmpty()) {
        // A virtual folder: nothing of the folder before may come back with
        // a later refresh under the empty label.
        pPane->m_list.ShowNoFolder();
        if (pView != NULL)
            pView->ClearCurrentPicture();
    } else {
        pPane->m_list.ShowFolder(strPath, TRUE);
    }
}

#include "PicThumnailFormView.h"

#include "ChildFrame.h"
#include "FileInfoFormView.h"
#include "General.h"
#include "IPTCInfoFormView.h"
#include "IptcRecord.h"
#include "IptcTexts.h"
#include "OmbrelleDoc.h"
#include "resource.h"

namespace {

const char kSkipSection[] = "PicSkipBar";
const char kTypeSection[] = "PicType";

const char* const kPictureTypes[] = {"BMP", "JPG", "JPEG", "TIF", "TIFF", "GIF", "PIC", "GRH", "EPS"};

const int kFileInfoPane = CChildFrame::kPaneFileInfo;
const int kIptcPane = CChildFrame::kPaneIptcInfo;
const int kPictureViewPane = CChildFrame::kPanePicture;

}  // namespace

IMPLEMENT_DYNCREATE(CPicThumnailFormView, CFormView)

BEGIN_MESSAGE_MAP(CPicThumnailFormView, CFormView)
    ON_NOTIFY(LVN_ITEMCHANGED, IDC_THUMB_LIST, OnItemChanged)
    ON_NOTIFY(NM_CLICK, IDC_THUMB_LIST, OnClickList)
    ON_BN_CLICKED(IDC_THUMB_SELECT_ALL, OnSelectAll)
    ON_BN_CLICKED(IDC_THUMB_SELECT_NONE, OnSelectNone)
    ON_BN_CLICKED(IDC_THUMB_STORE, OnStore)
    ON_WM_SIZE()
END_MESSAGE_MAP()

CPicThumnailFormView::CPicThumnailFormView()
    : CFormView(IDD_PIC_THUMBNAIL), m_bInitialised(FALSE), m_nLastSelectedCount(0), m_nShownIndex(-1)
{
    m_bitmap.LoadBitmap(IDB_THUMB_PANE);
    m_strFolder = AfxGetApp()->GetProfileString(kSkipSection, "Path", GenGetProgramFolder());
}

CPicThumnailFormView::~CPicThumnailFormView() {}

void CPicThumnailFormView::DoDataExchange(CDataExchange* pDX)
{
    CFormView::DoDataExchange(pDX);
    DDX_Control(pDX, IDC_THUMB_STORE, m_btnStore);
    DDX_Control(pDX, IDC_THUMB_FOLDER, m_staticFolder);
    DDX_Control(pDX, IDC_THUMB_SELECT_NONE, m_btnSelectNone);
    DDX_Control(pDX, IDC_THUMB_SELECT_ALL, m_btnSelectAll);
    DDX_Control(pDX, IDC_THUMB_FRAME, m_staticFrame);
    DDX_Control(pDX, IDC_THUMB_LIST, m_list);
}

COmbrelleDoc* CPicThumnailFormView::GetOmbrelleDoc() const
{
    return DYNAMIC_DOWNCAST(COmbrelleDoc, m_pDocument);
}

void CPicThumnailFormView::RegisterFileTypes()
{
    COmbrelleDoc* pDoc = GetOmbrelleDoc();
    if (pDoc == NULL)
        return;
    CWinApp* pApp = AfxGetApp();
    const BOOL bFirst = pApp->GetProfileInt(kTypeSection, "First", 0) == 0;
    // A second initial update of the pane must not list every type twice.
    pDoc->m_picTypes.RemoveAllEntries();
    for (const char* pszType : kPictureTypes) {
        PicTypeEntry* pEntry = new PicTypeEntry;
        pEntry->strName = pEntry->strExtension = pEntry->strDescription = pszType;
        if (bFirst) {
            pEntry->bSelected = 1;
            pApp->WriteProfileInt(kTypeSection, pszType, 1);
        } else {
            pEntry->bSelected = pApp->GetProfileInt(kTypeSection, pszType, 0) == 1;
        }
        pEntry->bSelectedBefore = pEntry->bSelected;
        pDoc->m_picTypes.Add(pEntry);
    }
    pApp->WriteProfileInt(kTypeSection, "First", 1);
}

void CPicThumnailFormView::OnInitialUpdate()
{
    CFormView::OnInitialUpdate();
    RegisterFileTypes();

    CWinApp* pApp = AfxGetApp();
    m_strFolder = pApp->GetProfileString(kSkipSection, "Path", "");
    m_staticFolder.SetWindowText(m_strFolder);

    m_list.ModifyStyle(LVS_SMALLICON, 0);
    m_staticFrame.ModifyStyle(0, WS_VISIBLE);

    DWORD dwSpacing = static_cast<DWORD>(m_list.SendMessage(LVM_GETITEMSPACING, FALSE, 0));
    m_list.m_sizeSysSpacing = CSize(LOWORD(dwSpacing), HIWORD(dwSpacing));
    pApp->WriteProfileInt(kSkipSection, "SysSpacingHorz", m_list.m_sizeSysSpacing.cx);
    pApp->WriteProfileInt(kSkipSection, "SysSpacingVert", m_list.m_sizeSysSpacing.cy);
    if (m_list.m_sizeSpacing.cx == 0 || m_list.m_sizeSpacing.cy == 0) {
        m_list.m_sizeSpacing = CSize(m_list.m_nThumbSize + m_list.m_sizeSysSpacing.cx,
                                     m_list.m_nThumbSize + m_list.m_sizeSysSpacing.cy);
    }
    m_list.ApplySpacing();

    m_list.SetDocument(GetOmbrelleDoc());
    m_bInitialised = TRUE;
    m_list.SetImageList(NULL, LVSIL_NORMAL);
    m_list.SetImageList(NULL, LVSIL_SMALL);
    m_list.m_bImageListBuilt = FALSE;
    m_list.m_bSkipThumbnails = FALSE;
    std::shared_ptr<bool> spAlive = m_list.GetAliveToken();
    m_list.ShowFolder(m_strFolder, TRUE);
    if (!*spAlive)
        return;
    m_list.m_bInitialised = TRUE;

    SetScrollSizes(MM_TEXT, CSize(100, 100));
    m_btnStore.EnableWindow(FALSE);
}

CWnd* CPicThumnailFormView::FindPane(int nId) const
{
    CFrameWnd* pFrame = GetParentFrame();
    if (pFrame == NULL || !pFrame->IsKindOf(RUNTIME_CLASS(CChildFrame)))
        return NULL;
    return static_cast<CChildFrame*>(pFrame)->m_framework.GetWindow(nId);
}

void CPicThumnailFormView::OnSize(UINT nType, int cx, int cy)
{
    CFormView::OnSize(nType, cx, cy);
    if (m_list.GetSafeHwnd() == NULL)
        return;
    CRect rect;
    GetClientRect(&rect);
    rect.DeflateRect(3, 4);
    rect.top += 18;
    rect.bottom -= 4;
    m_list.MoveWindow(&rect);
    // The line under the folder and the buttons spans the pane.
    if (m_staticFrame.GetSafeHwnd() != NULL) {
        CRect line;
        m_staticFrame.GetWindowRect(&line);
        ScreenToClient(&line);
        m_staticFrame.MoveWindow(0, line.top, cx, line.Height());
    }
}

void CPicThumnailFormView::OnItemChanged(NMHDR* pNMHDR, LRESULT* pResult)
{
    *pResult = 0;
    const NMLISTVIEW* pInfo = reinterpret_cast<NMLISTVIEW*>(pNMHDR);
    if (pInfo->uNewState == 0 && pInfo->uOldState == 0)
        return;
    const int nSelected = static_cast<int>(m_list.GetSelectedCount());
    if (nSelected == 0) {
        ClearItem(FALSE);
    } else if (nSelected > 1) {
        ClearItem(TRUE);
    } else {
        int nIndex = m_list.GetNextItem(-1, LVNI_SELECTED);
        if (m_nLastSelectedCount != 1 || nIndex != m_nShownIndex) {
            m_nShownIndex = nIndex;
            ShowItem(nIndex);
        }
    }
    m_nLastSelectedCount = nSelected;
}

void CPicThumnailFormView::OnClickList(NMHDR*, LRESULT* pResult)
{
    *pResult = 0;
    CString strFolder;
    m_staticFolder.GetWindowText(strFolder);
    m_arrSelectedFiles.RemoveAll();
    int nLast = -1;
    POSITION pos = m_list.GetFirstSelectedItemPosition();
    while (pos != NULL) {
        int nIndex = m_list.GetNextSelectedItem(pos);
        const ThumbItem* pItem = m_list.GetThumbItem(nIndex);
        if (pItem == NULL)
            continue;
        CString strPath = strFolder + "\\" + pItem->strName;
        m_arrSelectedFiles.Add(strPath);
        m_strLastSelected = strPath;
        nLast = nIndex;
        if (::GetFileAttributesA(strPath) == INVALID_FILE_ATTRIBUTES) {
            m_list.Refresh();
            return;
        }
    }
    const int nSelected = static_cast<int>(m_arrSelectedFiles.GetSize());
    if (nSelected == 0) {
        m_strLastSelected.Empty();
        m_strShown = "  ";
    }
    if (!m_strLastSelected.IsEmpty() && m_strLastSelected != m_strShown) {
        if (nSelected >= 2) {
            ClearItem(TRUE);
        } else if (nSelected == 1) {
            ShowItem(nLast);
            m_strShown = m_strLastSelected;
        }
    }
    m_nLastSelectedCount = nSelected;
}

void CPicThumnailFormView::OnSelectAll()
{
    for (int i = 0; i < m_list.GetItemCount(); ++i)
        m_list.SetItemState(i, LVIS_SELECTED, LVIS_SELECTED);
    m_nLastSelectedCount = m_list.GetItemCount();
    m_nShownIndex = -1;
}

void CPicThumnailFormView::OnSelectNone()
{
    for (int i = 0; i < m_list.GetItemCount(); ++i)
        m_list.SetItemState(i, 0, LVIS_SELECTED);
    m_nLastSelectedCount = 0;
    m_nShownIndex = -1;
}

// The store route needs the upload of later work; the button does nothing.
void CPicThumnailFormView::OnStore() {}

void CPicThumnailFormView::ShowItem(int nIndex)
{
    m_btnStore.EnableWindow(TRUE);
    CFrameWnd* pFrame = GetParentFrame();
    if (pFrame == NULL)
        return;
    const ThumbItem* pItem = m_list.GetThumbItem(nIndex);
    if (pItem == NULL)
        return;
    COmbrelleDoc* pDoc = GetOmbrelleDoc();

    CString strSize;
    strSize.Format("%.2f", pItem->dwSize / 1024.0);
    const CString strCreated = FormatFileTime(pItem->tmCreated);
    const CString strModified = FormatFileTime(pItem->tmModified);

    if (CFileInfoFormView* pInfo = dynamic_cast<CFileInfoFormView*>(FindPane(kFileInfoPane))) {
        char szFolder[256] = "";
        m_staticFolder.GetWindowText(szFolder, 255);
        m_strFolder = szFolder;
        pInfo->m_strFileName = pItem->strName;
        pInfo->m_strFilePath = m_strFolder;
        pInfo->m_strFileSize = strSize;
        pInfo->m_strCreateTime = strCreated;
        pInfo->m_strModifyTime = strModified;
        pInfo->m_strColorMode = pItem->strColorMode;
        pInfo->m_strHorRes = pItem->strHorRes;
        pInfo->m_strVerRes = pItem->strVerRes;
        pInfo->m_strWidth = pItem->strWidth;
        pInfo->m_strHeight = pItem->strHeight;
        CopyFileDetailsToDocument(nIndex);
        if (pDoc != NULL)
            pDoc->m_strOriginalFolder = m_strFolder;
        pInfo->ShowFields();
    }

    if (CIPTCInfoFormView* pIptc = dynamic_cast<CIPTCInfoFormView*>(FindPane(kIptcPane))) {
        CString strPath;
        strPath.Format("%s\\%s", static_cast<LPCTSTR>(m_strFolder), static_cast<LPCTSTR>(pItem->strName));
        CIptcRecord record;
        record.ReadFromJpeg(strPath);
        CopyIptcTexts(record, *pIptc);
        if (pDoc != NULL)
            CopyIptcTexts(record, *pDoc);
        pIptc->ShowFields();
    }

    if (CWnd* pView = FindPane(kPictureViewPane))
        pView->Invalidate();
}

void CPicThumnailFormView::ClearItem(BOOL bStoreEnabled)
{
    m_btnStore.EnableWindow(bStoreEnabled);
    if (CFileInfoFormView* pInfo = dynamic_cast<CFileInfoFormView*>(FindPane(kFileInfoPane)))
        pInfo->ClearFields();
    if (CIPTCInfoFormView* pIptc = dynamic_cast<CIPTCInfoFormView*>(FindPane(kIptcPane)))
        pIptc->ClearFields();
}

void CPicThumnailFormView::CopyFileDetailsToDocument(int nItem)
{
    COmbrelleDoc* pDoc = GetOmbrelleDoc();
    const ThumbItem* pItem = m_list.GetThumbItem(nItem);
    if (pDoc == NULL || pItem == NULL)
        return;
    pDoc->m_strOriginalName = pItem->strName;
    pDoc->m_strPicMode = pItem->strColorMode;
    pDoc->m_strPicWidth = pItem->strWidth;
    pDoc->m_strPicHeight = pItem->strHeight;
    pDoc->m_strHorRes = pItem->strHorRes;
    pDoc->m_strVerRes = pItem->strVerRes;
    pDoc->m_strMainSize.Format("%.2f", pItem->dwSize / 1024.0);
    pDoc->m_strCreateTime = FormatFileTime(pItem->tmCreated);
    pDoc->m_strModifyTime = FormatFileTime(pItem->tmModified);
}

void CPicThumnailFormView::CopyFolderToDocument(COmbrelleDoc* pDoc)
{
    if (pDoc == NULL)
        return;
    CString strFolder;
    m_staticFolder.GetWindowText(strFolder);
    pDoc->m_strOriginalFolder = strFolder;
}

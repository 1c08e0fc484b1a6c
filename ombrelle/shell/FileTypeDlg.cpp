#include "FileTypeDlg.h"

#include "OmbrelleDoc.h"
#include "PicTypeEntry.h"
#include "resource.h"

namespace {

const char kSection[] = "PicType";

// The types the thumbnail list knows, in the order it lists them.
const char* const kDefaultTypes[] = {"BMP", "JPG", "JPEG", "TIF", "TIFF", "GIF", "PIC", "GRH", "EPS"};

const UINT kUnchecked = INDEXTOSTATEIMAGEMASK(1);
const UINT kChecked = INDEXTOSTATEIMAGEMASK(2);

}  // namespace

BEGIN_MESSAGE_MAP(CFileTypeDlg, CDialog)
    ON_NOTIFY(LVN_ITEMCHANGED, IDC_FILE_TYPE_LIST, OnItemChanged)
    ON_BN_CLICKED(IDC_FILE_TYPE_ALL, OnSelectAll)
    ON_BN_CLICKED(IDC_FILE_TYPE_NONE, OnSelectNone)
    ON_BN_CLICKED(IDC_FILE_TYPE_REFRESH, OnRefresh)
END_MESSAGE_MAP()

CFileTypeDlg::CFileTypeDlg(COmbrelleDoc* pDoc, CWnd* pParent) : CDialog(IDD_FILE_TYPE, pParent), m_pDoc(pDoc) {}

void CFileTypeDlg::DoDataExchange(CDataExchange* pDX)
{
    CDialog::DoDataExchange(pDX);
    DDX_Control(pDX, IDC_FILE_TYPE_LIST, m_list);
}

int CFileTypeDlg::GetTypeCount() const { return m_pDoc != NULL ? static_cast<int>(m_pDoc->m_picTypes.GetSize()) : 0; }

BOOL CFileTypeDlg::OnInitDialog()
{
    CDialog::OnInitDialog();
    m_list.SetExtendedStyle(m_list.GetExtendedStyle() | LVS_EX_CHECKBOXES | LVS_EX_FULLROWSELECT | LVS_EX_REGIONAL);
    m_list.InsertColumn(0, "后缀名", LVCFMT_LEFT, 100);
    m_list.InsertColumn(1, "说明", LVCFMT_LEFT, 260);
    if (GetTypeCount() > 0)
        AddRows();
    return TRUE;
}

void CFileTypeDlg::AddRows()
{
    const int nCount = GetTypeCount();
    m_checkFlags.RemoveAll();
    m_checkFlags.SetSize(nCount);
    for (int i = 0; i < nCount; ++i)
        m_checkFlags[i] = 0;

    CWinApp* pApp = AfxGetApp();
    for (int i = 0; i < nCount; ++i) {
        const PicTypeEntry* pType = m_pDoc->m_picTypes[i];
        int nRow = m_list.InsertItem(i, pType->strExtension);
        m_list.SetItemText(nRow, 1, pType->strDescription);
        if (pApp->GetProfileInt(kSection, pType->strExtension, 0) == 1) {
            m_list.SetItemState(nRow, kChecked, LVIS_STATEIMAGEMASK);
            m_checkFlags[i] = 1;
        }
    }
}

void CFileTypeDlg::OnItemChanged(NMHDR* pNMHDR, LRESULT* pResult)
{
    *pResult = 0;
    const NMLISTVIEW* pInfo = reinterpret_cast<NMLISTVIEW*>(pNMHDR);
    if (pInfo->uNewState == 0 && pInfo->uOldState == 0)
        return;
    if (((pInfo->uNewState ^ pInfo->uOldState) & LVIS_STATEIMAGEMASK) == 0)
        return;
    if (pInfo->iItem < 0 || pInfo->iItem >= m_checkFlags.GetSize())
        return;
    m_checkFlags[pInfo->iItem] = (pInfo->uNewState & LVIS_STATEIMAGEMASK) == kChecked ? 1 : 0;
}

void CFileTypeDlg::CheckAll(BOOL bCheck)
{
    if (GetTypeCount() < 2)
        return;
    for (int i = 0; i < m_list.GetItemCount(); ++i)
        m_list.SetItemState(i, bCheck ? kChecked : kUnchecked, LVIS_STATEIMAGEMASK);
    for (INT_PTR i = 0; i < m_checkFlags.GetSize(); ++i)
        m_checkFlags[i] = bCheck ? 1 : 0;
}

void CFileTypeDlg::OnSelectAll() { CheckAll(TRUE); }

void CFileTypeDlg::OnSelectNone() { CheckAll(FALSE); }

void CFileTypeDlg::OnRefresh()
{
    CWinApp* pApp = AfxGetApp();
    const int nCount = GetTypeCount();
    for (int i = 0; i < nCount && i < m_checkFlags.GetSize(); ++i)
        pApp->WriteProfileInt(kSection, m_pDoc->m_picTypes[i]->strExtension, m_checkFlags[i]);
    m_checkFlags.RemoveAll();
    m_list.DeleteAllItems();
    if (m_pDoc == NULL)
        return;

    m_pDoc->m_picTypes.RemoveAllEntries();
    for (const char* pszType : kDefaultTypes) {
        PicTypeEntry* pType = new PicTypeEntry;
        pType->strName = pType->strExtension = pType->strDescription = pszType;
        pType->bSelected = 1;
        pType->bSelectedBefore = 1;
        m_pDoc->m_picTypes.Add(pType);
    }
    if (GetTypeCount() >= 2)
        AddRows();
}

void CFileTypeDlg::OnOK()
{
    CWinApp* pApp = AfxGetApp();
    const int nCount = GetTypeCount();
    for (int i = 0; i < nCount; ++i) {
        PicTypeEntry* pType = m_pDoc->m_picTypes[i];
        pType->bSelectedBefore = pType->bSelected;
        if (i < m_checkFlags.GetSize())
            pType->bSelected = m_checkFlags[i];
        pApp->WriteProfileInt(kSection, pType->strExtension, pType->bSelected ? 1 : 0);
    }
    m_checkFlags.RemoveAll();
    CDialog::OnOK();
}

void CFileTypeDlg::OnCancel()
{
    m_checkFlags.RemoveAll();
    CDialog::OnCancel();
}

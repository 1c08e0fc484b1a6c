#include "FileInfoFormView.h"

#include "OmbrelleDoc.h"
#include "resource.h"

IMPLEMENT_DYNCREATE(CFileInfoFormView, CFormView)

namespace {

const int kBoxes[] = {
    IDC_FILEINFO_HORZ_RES, IDC_FILEINFO_VERT_RES, IDC_FILEINFO_MODIFIED, IDC_FILEINFO_PATH,   IDC_FILEINFO_SIZE,
    IDC_FILEINFO_MODE,     IDC_FILEINFO_CREATED,  IDC_FILEINFO_NAME,     IDC_FILEINFO_HEIGHT, IDC_FILEINFO_WIDTH,
};

}  // namespace

CFileInfoFormView::CFileInfoFormView() : CFormView(IDD_FILE_INFO) {}

CFileInfoFormView::~CFileInfoFormView() {}

void CFileInfoFormView::DoDataExchange(CDataExchange* pDX)
{
    CFormView::DoDataExchange(pDX);
    DDX_Text(pDX, IDC_FILEINFO_HORZ_RES, m_strHorRes);
    DDX_Text(pDX, IDC_FILEINFO_VERT_RES, m_strVerRes);
    DDX_Text(pDX, IDC_FILEINFO_MODIFIED, m_strModifyTime);
    DDX_Text(pDX, IDC_FILEINFO_PATH, m_strFilePath);
    DDX_Text(pDX, IDC_FILEINFO_SIZE, m_strFileSize);
    DDX_Text(pDX, IDC_FILEINFO_MODE, m_strColorMode);
    DDX_Text(pDX, IDC_FILEINFO_CREATED, m_strCreateTime);
    DDX_Text(pDX, IDC_FILEINFO_NAME, m_strFileName);
    DDX_Text(pDX, IDC_FILEINFO_HEIGHT, m_strHeight);
    DDX_Text(pDX, IDC_FILEINFO_WIDTH, m_strWidth);
}

void CFileInfoFormView::OnInitialUpdate()
{
    CFormView::OnInitialUpdate();
    ClearFields();
}

void CFileInfoFormView::ClearFields()
{
    SetDlgItemText(IDC_FILEINFO_WEB_PATH, "");
    if (CWnd* pPath = GetDlgItem(IDC_FILEINFO_WEB_PATH))
        pPath->EnableWindow(FALSE);
    if (CWnd* pBrowse = GetDlgItem(IDC_FILEINFO_BROWSE))
        pBrowse->EnableWindow(FALSE);
    for (int nBox : kBoxes)
        SetDlgItemText(nBox, "");
}

void CFileInfoFormView::ShowFields()
{
    SetDlgItemText(IDC_FILEINFO_WEB_PATH, "");
    if (CWnd* pPath = GetDlgItem(IDC_FILEINFO_WEB_PATH))
        pPath->EnableWindow(TRUE);
    if (CWnd* pBrowse = GetDlgItem(IDC_FILEINFO_BROWSE))
        pBrowse->EnableWindow(TRUE);
    UpdateData(FALSE);
}

void CFileInfoFormView::OnActivateView(BOOL bActivate, CView* pActivateView, CView* pDeactiveView)
{
    CFormView::OnActivateView(bActivate, pActivateView, pDeactiveView);
    if (bActivate || GetSafeHwnd() == NULL)
        return;
    UpdateData(TRUE);
    COmbrelleDoc* pDoc = DYNAMIC_DOWNCAST(COmbrelleDoc, GetDocument());
    if (pDoc == NULL)
        return;
    pDoc->m_strHorRes = m_strHorRes;
    pDoc->m_strVerRes = m_strVerRes;
    pDoc->m_strOriginalName = m_strFileName;
    pDoc->m_strOriginalFolder = m_strFilePath;
    pDoc->m_strMainSize = m_strFileSize;
    pDoc->m_strPicMode = m_strColorMode;
    pDoc->m_strCreateTime = m_strCreateTime;
    pDoc->m_strModifyTime = m_strModifyTime;
    pDoc->m_strPicHeight = m_strHeight;
    pDoc->m_strPicWidth = m_strWidth;
}

// The edit job dialog.
#include "EditJobDlg.h"

#include "afxdlgs.h"

#include "JobModel.h"
#include "JobText.h"
#include "ListWidth.h"
#include "Ordwell.h"
#include "resource.h"

namespace {

const DWORD kOpenFlags = OFN_HIDEREADONLY | OFN_PATHMUSTEXIST | OFN_FILEMUSTEXIST;

// The chosen file's path, or empty when the user cancelled.
CString ChooseFile(CWnd* pParent, UINT nIDFilter, UINT nIDTitle)
{
    CString filter, title;
    filter.LoadString(nIDFilter);
    title.LoadString(nIDTitle);
    CFileDialog dialog(TRUE, NULL, NULL, kOpenFlags, filter, pParent);
    dialog.m_ofn.lpstrTitle = title;
    return dialog.DoModal() == IDOK ? dialog.GetPathName() : CString();
}

// Removes every line that shows the path (ignoring case) and nothing else.
void DeleteLines(CListBox& list, const CString& strPath)
{
    for (int i = list.GetCount() - 1; i >= 0; i--) {
        CString line;
        list.GetText(i, line);
        if (SameTextNoCase(line, strPath))
            list.DeleteString(i);
    }
}

template <class T>
T* FirstWithFile(CObList& list, const CString& strPath)
{
    for (POSITION pos = list.GetHeadPosition(); pos != NULL;) {
        T* pItem = static_cast<T*>(list.GetNext(pos));
        if (SameTextNoCase(pItem->m_strFile, strPath))
            return pItem;
    }
    return NULL;
}

// With a line selected: every entry of its path goes from the job (through
// the job's own delete) and every line showing that path from the list.
template <class T, class Remove>
void DeleteSelectedPath(CListBox& list, CObList& entries, Remove remove)
{
    int nSel = list.GetCurSel();
    if (nSel < 0)
        return;
    CString path;
    list.GetText(nSel, path);
    while (T* pItem = FirstWithFile<T>(entries, path))
        if (!remove(pItem))
            break;
    DeleteLines(list, path);
}

}  // namespace

BEGIN_MESSAGE_MAP(JCEditJobDlg, CDialog)
    ON_BN_CLICKED(IDC_ADD_PAGE, OnAddPage)
    ON_BN_CLICKED(IDC_DELETE_PAGE, OnDeletePage)
    ON_BN_CLICKED(IDC_ADD_ORIGIN, OnAddOrigin)
    ON_BN_CLICKED(IDC_DELETE_ORIGIN, OnDeleteOrigin)
END_MESSAGE_MAP()

JCEditJobDlg::JCEditJobDlg(CWnd* pParentWnd) : CDialog(IDD_EDIT_JOB, pParentWnd) {}

JCEditJobDlg::~JCEditJobDlg() {}

void JCEditJobDlg::DoDataExchange(CDataExchange* pDX)
{
    CDialog::DoDataExchange(pDX);
    DDX_Control(pDX, IDC_EDIT_PAGES, m_listPages);
    DDX_Control(pDX, IDC_EDIT_ORIGINS, m_listOrigins);
    DDX_Text(pDX, IDC_EDIT_JOB_NAME, m_strJobName);
    DDX_Text(pDX, IDC_EDIT_TASK_NAME, m_strTaskName);
}

BOOL JCEditJobDlg::OnInitDialog()
{
    CDialog::OnInitDialog();
    JCJob* pJob = JGetCurJob();
    if (pJob != NULL) {
        for (POSITION pos = pJob->m_lstPage.GetHeadPosition(); pos != NULL;)
            m_listPages.AddString(static_cast<JCPage*>(pJob->m_lstPage.GetNext(pos))->m_strFile);
        for (POSITION pos = pJob->m_lstOrigin.GetHeadPosition(); pos != NULL;)
            m_listOrigins.AddString(static_cast<JCOrigin*>(pJob->m_lstOrigin.GetNext(pos))->m_strFile);
    }
    FitListWidth(m_listPages);
    FitListWidth(m_listOrigins);
    return TRUE;
}

void JCEditJobDlg::OnAddPage()
{
    JCJob* pJob = JGetCurJob();
    CString path = ChooseFile(this, IDS_PAGE_FILTER, IDS_PAGE_TITLE);
    if (pJob == NULL || path.IsEmpty())
        return;
    CString lower = path;
    lower.MakeLower();
    if (lower.Find(".apg") < 0) {
        AfxMessageBox(IDS_BAD_FILE_TYPE, MB_OK);
        return;
    }
    CString jobName;
    if (JIsFileInJob(path, jobName))
        return;
    CFileStatus status;
    JCPage* pPage = new JCPage;
    pPage->m_strFile = path;
    if (CFile::GetStatus(path, status))
        pPage->m_nNumber2 = static_cast<int>(status.m_ctime.GetTime());
    pPage->m_strDescription = "None";
    if (!pJob->JAddPage(pPage)) {
        delete pPage;
        return;
    }
    m_listPages.AddString(path);
    FitListWidth(m_listPages);
}

void JCEditJobDlg::OnDeletePage()
{
    JCJob* pJob = JGetCurJob();
    if (pJob != NULL)
        DeleteSelectedPath<JCPage>(m_listPages, pJob->m_lstPage, [pJob](JCPage* p) { return pJob->JDeletePage(p); });
}

void JCEditJobDlg::OnAddOrigin()
{
    CString path = ChooseFile(this, IDS_ORIGIN_FILTER, IDS_ORIGIN_TITLE);
    if (JGetCurJob() == NULL || path.IsEmpty())
        return;
    CFile file;
    CFileException error;
    if (!file.Open(path, CFile::modeRead | CFile::shareDenyNone, &error)) {
        error.ReportError();
        return;
    }
    CFileStatus status;
    file.GetStatus(status);
    file.Close();
    // An original of no page: owning page "None", no description.
    AddImageToJob(path, 0, 0, static_cast<long>(status.m_ctime.GetTime()), "", "None");
    m_listOrigins.AddString(path);
    FitListWidth(m_listOrigins);
}

void JCEditJobDlg::OnDeleteOrigin()
{
    JCJob* pJob = JGetCurJob();
    if (pJob != NULL)
        DeleteSelectedPath<JCOrigin>(m_listOrigins, pJob->m_lstOrigin,
                                     [pJob](JCOrigin* p) { return pJob->JDeleteOrigin(p); });
}

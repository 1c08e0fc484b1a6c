// The job selection dialogs: create, open and load a job.
#include "JobSelectDlg.h"

#include "afxdlgs.h"

#include "JobFiles.h"
#include "JobMain.h"
#include "JobPropertySheet.h"
#include "JobText.h"
#include "ListWidth.h"
#include "TaskFolder.h"
#include "resource.h"

namespace {

CString LoadText(UINT nID)
{
    CString text;
    text.LoadString(nID);
    return text;
}

// The job folder that a typed job name stands for: the name itself when it
// holds a drive, else the name inside the task folder.
CString JobFolderOfName(const CString& strName)
{
    return strName.Find(':') >= 0 ? strName : CurrentTaskFolder() + "\\" + strName;
}

}  // namespace

// ---------------------------------------------------------------------------

BEGIN_MESSAGE_MAP(JCJobSelectDlg, CDialog)
    ON_LBN_SELCHANGE(IDC_TASK_LIST, OnSelchangeTaskList)
    ON_LBN_SELCHANGE(IDC_JOB_LIST, OnSelchangeJobList)
    ON_BN_CLICKED(IDC_NEW_JOB_PLACE, OnNewJobPlace)
END_MESSAGE_MAP()

JCJobSelectDlg::JCJobSelectDlg(UINT nIDTemplate, CWnd* pParentWnd, BOOL bOpen)
    : CDialog(nIDTemplate, pParentWnd), m_bNewTask(0), m_pTask(NULL), m_pJob(NULL), m_bOpen(bOpen),
      m_bTaskRead(FALSE)
{
}

JCJobSelectDlg::~JCJobSelectDlg()
{
    delete m_pTask;
    delete m_pJob;
}

void JCJobSelectDlg::DoDataExchange(CDataExchange* pDX)
{
    CDialog::DoDataExchange(pDX);
    DDX_Control(pDX, IDC_TASK_NAME, m_editTask);
    DDX_Control(pDX, IDC_JOB_NAME, m_editJob);
    DDX_Control(pDX, IDC_TASK_LIST, m_listTasks);
    DDX_Control(pDX, IDC_JOB_LIST, m_listJobs);
    DDX_Text(pDX, IDC_JOB_NAME, m_strJobName);
    DDX_Text(pDX, IDC_TASK_NAME, m_strTaskName);
}

BOOL JCJobSelectDlg::OnInitDialog()
{
    CDialog::OnInitDialog();
    if (!FillTaskList(m_listTasks))
        return FALSE;

    if (m_listTasks.GetCount() > 0) {
        m_listTasks.SetCurSel(0);
        CString line;
        m_listTasks.GetText(0, line);
        LoadTask(CurrentTaskFolder() + "\\" + line);
    } else if (!m_bOpen) {
        m_pTask = new JCTask;
        m_pJob = new JCJob;
    }
    m_editTask.SetWindowText(m_strTaskName);
    m_editJob.SetWindowText(m_strJobName);
    return TRUE;
}

void JCJobSelectDlg::LoadTask(const CString& strTaskFile)
{
    m_listJobs.ResetContent();
    delete m_pTask;
    m_pTask = new JCTask;
    // A file that cannot be read or decoded lists no jobs.
    m_bTaskRead = ReadTaskFile(strTaskFile, *m_pTask);
    m_pTask->m_strTaskFile = strTaskFile;
    CObList* pJobs = m_pTask->JGetJobFileList();
    for (POSITION pos = pJobs->GetHeadPosition(); pos != NULL;)
        m_listJobs.AddString(static_cast<JCFileName*>(pJobs->GetNext(pos))->m_strPath);
    FitListWidth(m_listJobs);

    m_strTaskName = strTaskFile;
    if (m_listJobs.GetCount() > 0) {
        m_listJobs.SetCurSel(0);
        m_strJobName = static_cast<JCFileName*>(pJobs->GetHead())->m_strPath;
        LoadJob(m_strJobName, m_bOpen);
    }
}

BOOL JCJobSelectDlg::LoadJob(const CString& strJobFolder, BOOL bRead)
{
    delete m_pJob;
    m_pJob = new JCJob;
    CString jobFile = JobFileOfFolder(strJobFolder);
    BOOL bDone = !bRead || ReadJobFile(jobFile, *m_pJob);
    m_pJob->m_strJobFile = jobFile;
    return bDone;
}

void JCJobSelectDlg::OnSelchangeTaskList()
{
    int nSel = m_listTasks.GetCurSel();
    if (nSel < 0)
        return;
    CString line;
    m_listTasks.GetText(nSel, line);
    LoadTask(CurrentTaskFolder() + "\\" + line);
    m_editTask.SetWindowText(m_strTaskName);
    if (m_listJobs.GetCount() > 0)
        m_editJob.SetWindowText(m_strJobName);
}

void JCJobSelectDlg::OnSelchangeJobList()
{
    int nSel = m_listJobs.GetCurSel();
    if (nSel < 0)
        return;
    m_listJobs.GetText(nSel, m_strJobName);
    m_editJob.SetWindowText(m_strJobName);
}

void JCJobSelectDlg::OnNewJobPlace()
{
    CFileDialog dialog(FALSE, NULL, NULL, OFN_HIDEREADONLY, LoadText(IDS_NEW_JOB_FILTER), this);
    CString title = LoadText(IDS_NEW_JOB_TITLE);
    dialog.m_ofn.lpstrTitle = title;
    if (dialog.DoModal() != IDOK)
        return;
    m_strJobName = dialog.GetPathName();
    m_editJob.SetWindowText(m_strJobName);
}

void JCJobSelectDlg::RunProperties(const CString& strTaskFile, BOOL bTaskRead, const CString& strJobFile,
                                   BOOL bJobRead)
{
    JCPropertySheet sheet(this);
    FillJobProperties(sheet, strTaskFile, bTaskRead ? m_pTask : NULL, strJobFile, bJobRead ? m_pJob : NULL);
    if (sheet.DoModal() == IDOK)
        WriteBackJobProperties(sheet, m_pTask, m_pJob);
}

CString JCJobSelectDlg::ControlText(const CWnd& control) const
{
    CString text;
    control.GetWindowText(text);
    return text;
}

// ---------------------------------------------------------------------------

BEGIN_MESSAGE_MAP(JCCreateJobDlg, JCJobSelectDlg)
    ON_BN_CLICKED(IDC_JOB_PROPERTIES, OnProperties)
END_MESSAGE_MAP()

JCCreateJobDlg::JCCreateJobDlg(CWnd* pParentWnd) : JCJobSelectDlg(IDD_CREATE_JOB, pParentWnd, FALSE) {}

void JCCreateJobDlg::OnProperties()
{
    CString folder = CurrentTaskFolder();
    CString lowerFolder = folder;
    lowerFolder.MakeLower();
    CString taskFile = ControlText(m_editTask);
    taskFile.MakeLower();
    if (taskFile.Find(lowerFolder) != 0)
        taskFile = folder + "\\" + taskFile;
    if (taskFile.GetLength() < 4 || !SameTextNoCase(taskFile.Right(4), ".tsk"))
        taskFile += ".tsk";

    // A file that cannot be read gives a new task or job with that path, so
    // that what the pages show is what is written back.
    JCTask* pTask = new JCTask;
    m_bTaskRead = ReadTaskFile(taskFile, *pTask);
    pTask->m_strTaskFile = taskFile;
    delete m_pTask;
    m_pTask = pTask;

    // The folder that OK makes for the typed name, so that the properties
    // belong to the job that is created.
    CString jobFolder = JobFolderOfName(ControlText(m_editJob));
    BOOL bJobRead = LoadJob(jobFolder, TRUE);
    RunProperties(taskFile, m_bTaskRead, m_pJob->m_strJobFile, bJobRead);
}

void JCCreateJobDlg::OnOK()
{
    m_strTaskName = ControlText(m_editTask);
    CString name = JCFileName(m_strTaskName).GetPureName();
    int dot = name.ReverseFind('.');
    if (dot >= 0)
        name = name.Left(dot);
    if (name.IsEmpty() || HasInvalidNameChar(name)) {
        AfxMessageBox(IDS_TASK_NAME_INVALID, MB_OK);
        return;
    }
    name += ".tsk";
    m_bNewTask = m_listTasks.FindStringExact(-1, name) == LB_ERR ? 1 : 0;

    if (!::CreateDirectoryA(JobFolderOfName(ControlText(m_editJob)), NULL)) {
        AfxMessageBox(IDS_JOB_NAME_INVALID, MB_OK);
        return;
    }
    CDialog::OnOK();
}

// ---------------------------------------------------------------------------

BEGIN_MESSAGE_MAP(JCOpenJobDlg, JCJobSelectDlg)
    ON_BN_CLICKED(IDC_JOB_PROPERTIES, OnProperties)
END_MESSAGE_MAP()

JCOpenJobDlg::JCOpenJobDlg(CWnd* pParentWnd) : JCJobSelectDlg(IDD_OPEN_JOB, pParentWnd, TRUE) {}

void JCOpenJobDlg::OnProperties()
{
    // No task listed: there is nothing to show.
    if (m_pTask == NULL)
        return;
    CString jobFile = JobFileOfFolder(ControlText(m_editJob));
    JCJob* pJob = new JCJob;
    if (!ReadJobFile(jobFile, *pJob)) {
        delete pJob;
        AfxMessageBox(IDS_JOB_NOT_EXIST, MB_OK);
        return;
    }
    delete m_pJob;
    m_pJob = pJob;
    RunProperties(m_pTask->m_strTaskFile, m_bTaskRead, jobFile, TRUE);
}

// ---------------------------------------------------------------------------

BEGIN_MESSAGE_MAP(JCLoadJobDlg, JCJobSelectDlg)
    ON_BN_CLICKED(IDC_BROWSE_DUMP, OnBrowseDump)
END_MESSAGE_MAP()

JCLoadJobDlg::JCLoadJobDlg(CWnd* pParentWnd) : JCJobSelectDlg(IDD_LOAD_JOB, pParentWnd, FALSE) {}

void JCLoadJobDlg::DoDataExchange(CDataExchange* pDX)
{
    JCJobSelectDlg::DoDataExchange(pDX);
    DDX_Text(pDX, IDC_DUMP_FILE, m_strSourceFile);
}

void JCLoadJobDlg::OnBrowseDump()
{
    CFileDialog dialog(TRUE, NULL, NULL, OFN_HIDEREADONLY | OFN_PATHMUSTEXIST | OFN_FILEMUSTEXIST,
                       LoadText(IDS_DUMP_FILTER), this);
    CString title = LoadText(IDS_LOAD_JOB_TITLE);
    dialog.m_ofn.lpstrTitle = title;
    if (dialog.DoModal() != IDOK)
        return;
    m_strSourceFile = dialog.GetPathName();
    SetDlgItemText(IDC_DUMP_FILE, m_strSourceFile);
}

void JCLoadJobDlg::OnOK()
{
    CString source;
    GetDlgItemText(IDC_DUMP_FILE, source);
    if (source.IsEmpty()) {
        AfxMessageBox(IDS_SOURCE_JOB_INVALID, MB_OK);
        return;
    }
    m_strTaskName = ControlText(m_editTask);
    m_bNewTask = m_listTasks.FindString(-1, JCFileName(m_strTaskName).GetPureName()) == LB_ERR ? 1 : 0;
    if (!::CreateDirectoryA(ControlText(m_editJob), NULL)) {
        AfxMessageBox(IDS_TARGET_JOB_INVALID, MB_OK);
        return;
    }
    CDialog::OnOK();
}

// The edit task dialog.
#include "EditTaskDlg.h"

#include "JobFiles.h"
#include "JobMain.h"
#include "JobText.h"
#include "ListWidth.h"
#include "TaskFolder.h"
#include "resource.h"

namespace {

HCURSOR MoveCursor()
{
    LPCTSTR name = MAKEINTRESOURCEA(IDC_MOVE_CURSOR);
    return ::LoadCursorA(AfxFindResourceHandle(name, RT_GROUP_CURSOR), name);
}

BOOL CanRead(const CString& strPath)
{
    CFile file;
    return file.Open(strPath, CFile::modeRead | CFile::shareDenyNone);
}

// The job manager's open task when it is the task of that file: the manager
// writes its copy again when the job is closed, so it must follow each change.
JCTask* OpenTaskOf(const JCTask& task)
{
    JCJobMain* pMain = JCJobMain::Instance();
    if (pMain == NULL || pMain->m_pCurTask == NULL || pMain->m_pCurTask == &task)
        return NULL;
    return SameTextNoCase(pMain->m_pCurTask->m_strTaskFile, task.m_strTaskFile) ? pMain->m_pCurTask : NULL;
}

BOOL Lists(JCTask& task, const CString& strJob)
{
    CObList* pJobs = task.JGetJobFileList();
    for (POSITION pos = pJobs->GetHeadPosition(); pos != NULL;)
        if (SameTextNoCase(static_cast<JCFileName*>(pJobs->GetNext(pos))->m_strPath, strJob))
            return TRUE;
    return FALSE;
}

void RemoveJob(JCTask& task, const CString& strJob)
{
    task.JDeleteJob(strJob);
    if (JCTask* pOpen = OpenTaskOf(task))
        pOpen->JDeleteJob(strJob);
}

void AddJob(JCTask& task, const CString& strJob)
{
    task.JAddJob(strJob);
    JCTask* pOpen = OpenTaskOf(task);
    if (pOpen != NULL && !Lists(*pOpen, strJob))
        pOpen->JAddJob(strJob);
}

}  // namespace

BEGIN_MESSAGE_MAP(JCEditTaskDlg, CDialog)
    ON_BN_CLICKED(IDC_DELETE_JOB, OnDeleteJob)
    ON_BN_CLICKED(IDC_MOVE_JOB, OnMoveJob)
    ON_LBN_SELCHANGE(IDC_EDIT_TASK_TASKS, OnSelchangeTaskList)
    ON_WM_SETCURSOR()
END_MESSAGE_MAP()

JCEditTaskDlg::JCEditTaskDlg(CWnd* pParentWnd)
    : CDialog(IDD_EDIT_TASK, pParentWnd), m_pTask(NULL), m_bMoving(0), m_nMoveFrom(-1)
{
}

JCEditTaskDlg::~JCEditTaskDlg() { delete m_pTask; }

void JCEditTaskDlg::DoDataExchange(CDataExchange* pDX)
{
    CDialog::DoDataExchange(pDX);
    DDX_Control(pDX, IDC_EDIT_TASK_JOBS, m_listJobs);
    DDX_Control(pDX, IDC_EDIT_TASK_TASKS, m_listTasks);
}

BOOL JCEditTaskDlg::OnInitDialog()
{
    CDialog::OnInitDialog();
    if (!FillTaskList(m_listTasks))
        return FALSE;
    if (m_listTasks.GetCount() > 0) {
        m_listTasks.SetCurSel(0);
        ShowTask(0);
    }
    EnableButtons(m_listTasks.GetCount() > 0, m_listTasks.GetCount() >= 2);
    return TRUE;
}

CString JCEditTaskDlg::TaskFileAt(int nIndex) const
{
    CString line;
    m_listTasks.GetText(nIndex, line);
    return CurrentTaskFolder() + "\\" + line;
}

JCTask* JCEditTaskDlg::ReadTask(const CString& strTaskFile)
{
    JCTask* pTask = new JCTask;
    if (!ReadTaskFile(strTaskFile, *pTask)) {
        delete pTask;
        return NULL;
    }
    return pTask;
}

void JCEditTaskDlg::SaveTask(JCTask& task) { WriteTaskFile(task.m_strTaskFile, task); }

void JCEditTaskDlg::ShowTask(int nIndex)
{
    delete m_pTask;
    m_pTask = ReadTask(TaskFileAt(nIndex));
    m_listJobs.ResetContent();
    if (m_pTask == NULL)
        return;
    CObList* pJobs = m_pTask->JGetJobFileList();
    for (POSITION pos = pJobs->GetHeadPosition(); pos != NULL;)
        m_listJobs.AddString(static_cast<JCFileName*>(pJobs->GetNext(pos))->m_strPath);
    FitListWidth(m_listJobs);
    m_listJobs.SetCurSel(0);
}

void JCEditTaskDlg::EnableButtons(BOOL bDelete, BOOL bMove)
{
    GetDlgItem(IDC_DELETE_JOB)->EnableWindow(bDelete);
    GetDlgItem(IDC_MOVE_JOB)->EnableWindow(bMove);
}

void JCEditTaskDlg::CloseIfOpen(const CString& strJobEntry)
{
    JCJobMain* pMain = JCJobMain::Instance();
    if (pMain == NULL || pMain->m_pCurJob == NULL)
        return;
    if (JCFileName(pMain->m_pCurJob->m_strJobFile).GetPath() == strJobEntry)
        pMain->JCloseJob();
}

BOOL JCEditTaskDlg::DeleteJobFolder(const CString& strPath) { return ::DeleteJobFolder(strPath); }

void JCEditTaskDlg::OnSelchangeTaskList()
{
    int nSel = m_listTasks.GetCurSel();
    if (nSel < 0)
        return;
    EnableButtons(TRUE, m_listTasks.GetCount() > 1);
    if (!m_bMoving)
        ShowTask(nSel);
    else
        MoveTo(nSel);
}

void JCEditTaskDlg::MoveTo(int nTarget)
{
    EnableButtons(TRUE, TRUE);
    // A task that could not be read is never written: it takes no job.
    JCTask* pTarget = nTarget != m_nMoveFrom && m_pTask != NULL ? ReadTask(TaskFileAt(nTarget)) : NULL;
    if (pTarget == NULL) {
        m_bMoving = 0;
        m_listTasks.SetCurSel(m_nMoveFrom);
        AfxMessageBox(IDS_MOVE_INVALID, MB_OK);
        return;
    }

    ::SetCursor(MoveCursor());
    CloseIfOpen(m_strMoveJob);
    RemoveJob(*m_pTask, m_strMoveJob);
    AddJob(*pTarget, m_strMoveJob);
    SaveTask(*pTarget);
    SaveTask(*m_pTask);
    delete pTarget;
    m_bMoving = 0;
    ::SetCursor(::LoadCursorA(NULL, IDC_ARROW));

    m_listTasks.SetCurSel(m_nMoveFrom);
    for (int i = m_listJobs.GetCount() - 1; i >= 0; i--) {
        CString line;
        m_listJobs.GetText(i, line);
        if (line == m_strMoveJob)
            m_listJobs.DeleteString(i);
    }
    if (m_listJobs.GetCount() == 0) {
        EnableButtons(FALSE, FALSE);
        DropEmptyTask(m_nMoveFrom);
    }
    m_listJobs.SetCurSel(0);
}

void JCEditTaskDlg::DropEmptyTask(int nIndex)
{
    ::DeleteFileA(m_pTask->m_strTaskFile);
    if (nIndex >= 0)
        m_listTasks.DeleteString(nIndex);
    delete m_pTask;
    m_pTask = NULL;
}

void JCEditTaskDlg::OnMoveJob()
{
    int nSel = m_listJobs.GetCurSel();
    if (nSel < 0 || m_pTask == NULL)
        return;
    m_listJobs.GetText(nSel, m_strMoveJob);
    if (!CanRead(JobFileOfFolder(m_strMoveJob))) {
        AfxMessageBox(IDS_JOB_GONE, MB_OK, 0);
        m_listJobs.DeleteString(nSel);
        RemoveJob(*m_pTask, m_strMoveJob);
        SaveTask(*m_pTask);
        return;
    }
    m_bMoving = 1;
    ::SetCursor(MoveCursor());
    m_nMoveFrom = m_listTasks.GetCurSel();
    EnableButtons(FALSE, FALSE);
}

BOOL JCEditTaskDlg::OnSetCursor(CWnd* pWnd, UINT nHitTest, UINT message)
{
    if (m_bMoving) {
        ::SetCursor(MoveCursor());
        return TRUE;
    }
    return CDialog::OnSetCursor(pWnd, nHitTest, message);
}

void JCEditTaskDlg::OnDeleteJob()
{
    int nSel = m_listJobs.GetCurSel();
    if (nSel < 0 || m_pTask == NULL)
        return;
    CString entry;
    m_listJobs.GetText(nSel, entry);
    CString prompt, question;
    prompt.LoadString(IDS_CONFIRM_DELETE_JOB);
    question.Format("%s \n   %s?", (LPCTSTR)prompt, (LPCTSTR)entry);
    if (AfxMessageBox(question, MB_YESNO) != IDYES)
        return;

    CloseIfOpen(entry);
    RemoveJob(*m_pTask, entry);
    SaveTask(*m_pTask);
    m_listJobs.DeleteString(nSel);
    if (m_listJobs.GetCount() == 0) {
        DropEmptyTask(m_listTasks.GetCurSel());
        if (m_listTasks.GetCount() == 0)
            AfxMessageBox(IDS_NO_TASK_LEFT, MB_OK);
        EnableButtons(FALSE, FALSE);
    }
    if (!DeleteJobFolder(entry)) {
        CString failed;
        failed.LoadString(IDS_FOLDER_DELETE_FAILED);
        AfxMessageBox(entry + " " + failed, MB_OK);
    }
}

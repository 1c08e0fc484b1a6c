// The job manager: current task and job, their files, titles and the recent
// job list.
#include "JobMain.h"

#include "EditJobDlg.h"
#include "DumpDlg.h"
#include "EditTaskDlg.h"
#include "General.h"
#include "JobDump.h"
#include "JobFiles.h"
#include "JobMeasure.h"
#include "JobSelectDlg.h"
#include "JobView.h"
#include "JobText.h"
#include "RootFolder.h"
#include "TaskFolder.h"
#include "Ordwell.h"
#include "resource.h"

JCJobMain* JCJobMain::s_pInstance = NULL;

JCJobMain::JCJobMain() : m_pCurTask(NULL), m_pCurJob(NULL), m_pRecentFileList(NULL) {}

JCJobMain::~JCJobMain()
{
    if (m_pCurTask != NULL || m_pCurJob != NULL)
        JCloseJob();
    if (m_pRecentFileList != NULL) {
        m_pRecentFileList->WriteList();
        delete m_pRecentFileList;
        m_pRecentFileList = NULL;
    }
    if (s_pInstance == this)
        s_pInstance = NULL;
}

JCJobMain* JCJobMain::Instance() { return s_pInstance; }

void JCJobMain::Install(JCJobMain* pMain)
{
    JCJobMain* pEarlier = s_pInstance;
    s_pInstance = pMain;
    if (pEarlier == NULL || pEarlier == pMain)
        return;
    // The host's open job and its settings live on in the new manager.
    pMain->m_pCurTask = pEarlier->m_pCurTask;
    pMain->m_pCurJob = pEarlier->m_pCurJob;
    pMain->m_strTaskPath = pEarlier->m_strTaskPath;
    pMain->m_strTempPath = pEarlier->m_strTempPath;
    pMain->m_strPlugInPath = pEarlier->m_strPlugInPath;
    pMain->m_strScanProfile = pEarlier->m_strScanProfile;
    pMain->m_strPrintProfile = pEarlier->m_strPrintProfile;
    pMain->m_strDisplayProfile = pEarlier->m_strDisplayProfile;
    pMain->m_pRecentFileList = pEarlier->m_pRecentFileList;
    pEarlier->m_pCurTask = NULL;
    pEarlier->m_pCurJob = NULL;
    pEarlier->m_pRecentFileList = NULL;
    delete pEarlier;
}

void JCJobMain::Uninstall()
{
    JCJobMain* pMain = s_pInstance;
    s_pInstance = NULL;
    delete pMain;
}

int JCJobMain::FileTypeCode(const CString& strName)
{
    static const struct {
        const char* ext;
        int code;
    } kCodes[] = {
        {".bmp", 5}, {".tif", 6}, {".jpg", 9}, {".gif", 8}, {".pcx", 7},  {".raw", 11},
        {".ovk", 10}, {".ps", 2}, {".txt", 3}, {".htm", 4}, {".xb", 12}, {".exf", 1},
    };
    CString name(strName);
    name.MakeLower();
    for (const auto& code : kCodes)
        if (name.Find(code.ext) >= 0)
            return code.code;
    return 0;
}

void JCJobMain::JGetDefaultProfiles(CString& strScan, CString& strPrint, CString& strDisplay) const
{
    strScan = m_strScanProfile;
    strPrint = m_strPrintProfile;
    strDisplay = m_strDisplayProfile;
}

namespace {

// The name with ".tsk" added unless it ends so (ignoring case).
CString WithTaskExtension(const CString& strName)
{
    if (strName.GetLength() >= 4 && SameTextNoCase(strName.Right(4), ".tsk"))
        return strName;
    return strName + ".tsk";
}

}  // namespace

void JCJobMain::JCreateJob()
{
    JCCreateJobDlg dialog(NULL);
    if (dialog.DoModal() != IDOK)
        return;

    m_strTaskPath.MakeUpper();
    CString name = JCFileName(dialog.m_strTaskName).GetPureName();
    int dot = name.ReverseFind('.');
    if (dot >= 0)
        name = name.Left(dot);
    JCTask* pTask = new JCTask;
    pTask->m_strTaskFile = WithTaskExtension(m_strTaskPath + "\\" + name);
    // A task file that the list did not show (an upper-case extension) is
    // still the user's: the job joins it instead of a new task replacing it.
    BOOL bOnDisk = ::GetFileAttributesA(pTask->m_strTaskFile) != INVALID_FILE_ATTRIBUTES;
    if ((!dialog.m_bNewTask || bOnDisk) && !ReadTaskFile(pTask->m_strTaskFile, *pTask)) {
        AfxMessageBox(IDS_TASK_GONE_CREATE, MB_OK);
        delete pTask;
        return;
    }

    CString jobFolder = dialog.m_strJobName;
    if (jobFolder.Find(':') < 0) {
        if (HasInvalidNameChar(jobFolder)) {
            AfxMessageBox(IDS_JOB_NAME_INVALID, MB_OK);
            delete pTask;
            return;
        }
        jobFolder = m_strTaskPath + "\\" + jobFolder;
    }
    if (IsRootOrEmptyFolder(jobFolder)) {
        AfxMessageBox(IDS_JOB_NAME_INVALID, MB_OK);
        delete pTask;
        return;
    }
    if (!MakeNewJobCurrent(pTask, jobFolder))
        return;
    TakeProperties(dialog.m_pTask, dialog.m_pJob);
    Commit();
}

BOOL JCJobMain::MakeNewJobCurrent(JCTask* pTask, const CString& strJobFolder)
{
    if (!pTask->JAddJob(strJobFolder)) {
        delete pTask;
        return FALSE;
    }
    JCJob* pJob = new JCJob;
    pJob->m_strJobFile = JobFileOfFolder(strJobFolder);
    Replace(pTask, pJob);
    return TRUE;
}

CString JCJobMain::TaskFileOfName(const CString& strTaskName)
{
    m_strTaskPath.MakeUpper();
    CString upperName = strTaskName;
    upperName.MakeUpper();
    CString taskFile = upperName.Find(m_strTaskPath) == 0 ? strTaskName : m_strTaskPath + "\\" + strTaskName;
    return WithTaskExtension(taskFile);
}

void JCJobMain::JOpenJob()
{
    JCOpenJobDlg dialog(NULL);
    if (dialog.DoModal() != IDOK)
        return;

    CString taskFile = TaskFileOfName(dialog.m_strTaskName);
    JCTask* pTask = new JCTask;
    if (!ReadTaskFile(taskFile, *pTask)) {
        AfxMessageBox(IDS_TASK_GONE_OPEN, MB_OK);
        delete pTask;
        return;
    }

    CString jobFolder = dialog.m_strJobName;
    JCJob* pJob = new JCJob;
    if (!ReadJobFile(JobFileOfFolder(jobFolder), *pJob)) {
        AfxMessageBox(IDS_JOB_GONE, MB_OK);
        pTask->JDeleteJob(jobFolder);
        if (!pTask->m_lstJob.IsEmpty()) {
            if (!WriteTaskFile(taskFile, *pTask))
                AfxMessageBox(IDS_TASK_GONE_SAVE, MB_OK);
        } else {
            ::DeleteFileA(taskFile);
        }
        delete pTask;
        delete pJob;
        return;
    }

    Replace(pTask, pJob);
    TakeProperties(dialog.m_pTask, dialog.m_pJob);
    Commit();
    CString folder = GetJobPath();
    LoadConvertTable(folder.GetBuffer(0));
    folder.ReleaseBuffer();
    UpdateChildTitles();
}

int JCJobMain::JEditJob()
{
    if (m_pCurJob == NULL)
        return AfxMessageBox(IDS_NO_OPEN_JOB, MB_OK);
    JCEditJobDlg dialog(NULL);
    dialog.m_strTaskName = m_pCurTask != NULL ? m_pCurTask->m_strTaskFile : CString();
    dialog.m_strJobName = m_pCurJob->m_strJobFile;
    if (dialog.DoModal() == IDOK)
        JSaveJob();
    return 0;
}

void JCJobMain::JEditTask()
{
    JCEditTaskDlg dialog(NULL);
    dialog.DoModal();
}

void JCJobMain::JShowJobStatus()
{
    if (m_pCurJob == NULL) {
        AfxMessageBox(IDS_NO_OPEN_JOB, MB_OK);
        return;
    }
    CJobView view(NULL);
    view.m_pTask = m_pCurTask;
    view.m_pJob = m_pCurJob;
    view.DoModal();
}

void JCJobMain::TakeProperties(const JCTask* pTask, const JCJob* pJob)
{
    if (pTask != NULL && m_pCurTask != NULL && SameTextNoCase(pTask->m_strTaskFile, m_pCurTask->m_strTaskFile)) {
        m_pCurTask->m_tCreate = pTask->m_tCreate;
        for (int i = 0; i < 6; i++)
            m_pCurTask->m_strText[i] = pTask->m_strText[i];
        m_pCurTask->m_nOwnerAccess = pTask->m_nOwnerAccess;
        m_pCurTask->m_nGroupAccess = pTask->m_nGroupAccess;
    }
    if (pJob != NULL && m_pCurJob != NULL && SameTextNoCase(pJob->m_strJobFile, m_pCurJob->m_strJobFile)) {
        m_pCurJob->m_tCreate = pJob->m_tCreate;
        for (int i = 0; i < 5; i++)
            m_pCurJob->m_strText[i] = pJob->m_strText[i];
        m_pCurJob->m_nOwnerAccess = pJob->m_nOwnerAccess;
        m_pCurJob->m_nGroupAccess = pJob->m_nGroupAccess;
    }
}

void JCJobMain::Commit()
{
    JSaveJob();
    if (m_pRecentFileList != NULL)
        m_pRecentFileList->Add(GetJobReference());
    UpdateMainTitle();
}

JCJob* JCJobMain::JSaveJob()
{
    if (m_pCurTask != NULL && !WriteTaskFile(m_pCurTask->m_strTaskFile, *m_pCurTask))
        AfxMessageBox(IDS_TASK_CREATE_FAILED, MB_OK);
    if (m_pCurJob != NULL && !WriteJobFile(m_pCurJob->m_strJobFile, *m_pCurJob))
        AfxMessageBox(IDS_TASK_CREATE_FAILED, MB_OK);
    return m_pCurJob;
}

void JCJobMain::JCloseJob()
{
    if (AfxGetMainWnd() != NULL) {
        CString title;
        title.LoadString(IDS_ORDWELL_TITLE);
        AfxGetMainWnd()->SetWindowText(title);
        LoadConvertTable(NULL);
    }
    JSaveJob();
    if (m_pCurTask != NULL && m_pCurTask->m_lstJob.IsEmpty())
        ::DeleteFileA(m_pCurTask->m_strTaskFile);
    delete m_pCurTask;
    delete m_pCurJob;
    m_pCurTask = NULL;
    m_pCurJob = NULL;
    UpdateChildTitles();
}

CString JCJobMain::GetJobPath() const
{
    if (m_pCurJob == NULL)
        return CString();
    return JCFileName(m_pCurJob->m_strJobFile).GetPath();
}

CString JCJobMain::GetJobReference() const
{
    if (m_pCurJob == NULL || m_pCurTask == NULL)
        return CString();
    return m_pCurJob->m_strJobFile + "(" + JCFileName(m_pCurTask->m_strTaskFile).GetPureName() + ")";
}

void JCJobMain::UpdateMainTitle()
{
    CWnd* pMain = AfxGetMainWnd();
    if (pMain == NULL)
        return;
    CString title;
    title.LoadString(IDS_ORDWELL_TITLE);
    if (m_pCurJob != NULL)
        title += " - " + GetJobReference();
    pMain->SetWindowText(title);
}

void JCJobMain::UpdateChildTitles()
{
    CWnd* pMain = AfxGetMainWnd();
    if (pMain == NULL || !pMain->IsKindOf(RUNTIME_CLASS(CMDIFrameWnd)))
        return;
    CMDIFrameWnd* pFrame = static_cast<CMDIFrameWnd*>(pMain);
    CMDIChildWnd* pChild = pFrame->MDIGetActive();
    if (pChild == NULL)
        return;
    pChild->OnUpdateFrameTitle(TRUE);
    CDocument* pDoc = pChild->GetActiveDocument();
    CString first = pDoc != NULL ? pDoc->GetPathName() : CString();
    // Walk round the children once; the count bounds the walk in case
    // several children show documents with the same path.
    int nChildren = 0;
    for (HWND h = ::GetWindow(pFrame->m_hWndMDIClient, GW_CHILD); h != NULL; h = ::GetWindow(h, GW_HWNDNEXT))
        nChildren++;
    for (int i = 1; i < nChildren; i++) {
        ::SendMessageA(pFrame->m_hWndMDIClient, WM_MDINEXT, 0, 0);
        pChild = pFrame->MDIGetActive();
        if (pChild == NULL)
            break;
        pDoc = pChild->GetActiveDocument();
        if ((pDoc != NULL ? pDoc->GetPathName() : CString()) == first)
            break;
        pChild->OnUpdateFrameTitle(TRUE);
    }
}

void JCJobMain::Replace(JCTask* pTask, JCJob* pJob)
{
    if (m_pCurTask != NULL || m_pCurJob != NULL) {
        JSaveJob();
        delete m_pCurTask;
        delete m_pCurJob;
    }
    m_pCurTask = pTask;
    m_pCurJob = pJob;
}

int JCJobMain::JDeleteCurJob()
{
    if (m_pCurJob == NULL)
        return AfxMessageBox(IDS_NO_OPEN_JOB, MB_OK);
    // A job file without a folder, or one in a root, would have the whole
    // root's files deleted: such a job stays as it is.
    if (IsRootOrEmptyFolder(GetJobPath()))
        return AfxMessageBox(IDS_TASK_PATH_INVALID, MB_OK);
    CString question;
    question.LoadString(IDS_CONFIRM_DELETE_JOB);
    question += m_pCurJob->m_strJobFile + "?";
    if (AfxMessageBox(question, MB_YESNO) != IDYES)
        return 0;

    CString folder = GetJobPath();
    if (m_pCurTask != NULL)
        m_pCurTask->JDeleteJob(folder);
    JCloseJob();

    // Plain files only: subfolders and what they hold stay.
    DeleteJobFolder(folder);

    UpdateMainTitle();
    LoadConvertTable(NULL);
    return 0;
}

int JCJobMain::JOpenJobRecentFile(UINT nID)
{
    if (m_pRecentFileList == NULL || nID < ID_FILE_MRU_FIRST_JOB ||
        nID >= ID_FILE_MRU_FIRST_JOB + static_cast<UINT>(m_pRecentFileList->GetSize()))
        return 0;
    int nIndex = static_cast<int>(nID - ID_FILE_MRU_FIRST_JOB);
    CString entry = (*m_pRecentFileList)[nIndex];
    if (entry.IsEmpty())
        return 0;

    if (m_pCurJob != NULL && SameTextNoCase(entry, GetJobReference())) {
        // The open job's objects hold what was added since the last save:
        // its entry only moves to the front.
        m_pRecentFileList->Add(entry);
    } else {
        OpenRecentEntry(nIndex, entry);
    }
    UpdateMainTitle();
    GenSetJobOpen(m_pCurJob != NULL ? 1 : 0);
    return 1;
}

void JCJobMain::OpenRecentEntry(int nIndex, const CString& strEntry)
{
    int open = strEntry.Find('(');
    CString jobFile = open >= 0 ? strEntry.Left(open) : strEntry;
    CString taskName = open >= 0 ? strEntry.Mid(open + 1) : CString();
    if (!taskName.IsEmpty())
        taskName = taskName.Left(taskName.GetLength() - 1);
    CString taskFile = m_strTaskPath + "\\" + taskName;

    // Saved before reading, so that a file of the open task or job is read
    // as it stands now.
    JSaveJob();
    JCTask* pTask = new JCTask;
    JCJob* pJob = new JCJob;
    if (open < 0 || !ReadTaskFile(taskFile, *pTask) || !ReadJobFile(jobFile, *pJob)) {
        delete pTask;
        delete pJob;
        m_pRecentFileList->Remove(nIndex);
        return;
    }
    delete m_pCurTask;
    delete m_pCurJob;
    m_pCurTask = pTask;
    m_pCurJob = pJob;
    m_pRecentFileList->Add(strEntry);
    CString folder = GetJobPath();
    LoadConvertTable(folder.GetBuffer(0));
    folder.ReleaseBuffer();
}

int JCJobMain::JDumpJob()
{
    if (m_pCurJob == NULL)
        return AfxMessageBox(IDS_NO_OPEN_JOB, MB_OK);
    JobBytes bytes = MeasureJob(*m_pCurJob);
    JCDumpDlg dialog(NULL);
    dialog.m_nOriginSize = bytes.job;
    dialog.m_nOutputSize = bytes.output;
    dialog.m_nDumpSize = bytes.job;
    if (dialog.DoModal() != IDOK)
        return 0;
    if (!DumpJobFiles(*m_pCurJob, dialog.m_strDumpPath, dialog.m_bDumpOrigin, dialog.m_bDumpOutput))
        return 0;
    if (dialog.m_bDeleteOriginal) {
        JDeleteCurJob();
        UpdateMainTitle();
    }
    return 0;
}

void JCJobMain::JLoadJob()
{
    JCLoadJobDlg dialog(NULL);
    if (dialog.DoModal() != IDOK)
        return;

    JCTask* pTask = new JCTask;
    const CString taskFile = TaskFileOfName(dialog.m_strTaskName);
    if (!dialog.m_bNewTask && !ReadTaskFile(taskFile, *pTask)) {
        AfxMessageBox(IDS_TASK_GONE_LOAD, MB_OK);
        delete pTask;
        return;
    }
    pTask->m_strTaskFile = taskFile;

    // A name without a drive lands in the process's current folder.
    CString jobFolder = dialog.m_strJobName;
    if (jobFolder.Find(':') < 0) {
        char current[256] = "";
        ::GetCurrentDirectoryA(sizeof current, current);
        jobFolder = CString(current) + "\\" + jobFolder;
    }
    if (!MakeNewJobCurrent(pTask, jobFolder))
        return;

    if (!LoadJobFiles(*m_pCurJob, dialog.m_strSourceFile)) {
        delete m_pCurTask;
        delete m_pCurJob;
        m_pCurTask = NULL;
        m_pCurJob = NULL;
        UpdateMainTitle();
        LoadConvertTable(NULL);
        return;
    }
    Commit();
    CString folder = GetJobPath();
    LoadConvertTable(folder.GetBuffer(0));
    folder.ReleaseBuffer();
}

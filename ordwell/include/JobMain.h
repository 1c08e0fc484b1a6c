// JCJobMain: the one job manager of the process. It holds the current task
// and job, the folders and default profiles of Job.ini and the host's list of
// recent jobs, and loads the colour conversion tables whenever the current
// job changes.
#pragma once

#include "JobModel.h"

class ORDWELL_API JCJobMain : public CObject {
public:
    JCJobMain();
    // Closes an open job (as JCloseJob), writes out and deletes the recent
    // job list.
    virtual ~JCJobMain();

    static JCJobMain* Instance();
    // Makes pMain the single instance. An earlier manager hands its open
    // task and job, folders, profiles and recent list over to it and is
    // deleted.
    static void Install(JCJobMain* pMain);
    static void Uninstall();

    // The file type code of a file name (0 to 12).
    static int FileTypeCode(const CString& strName);

    void JGetDefaultProfiles(CString& strScan, CString& strPrint, CString& strDisplay) const;
    // The job commands that run a dialog of their own.
    void JCreateJob();
    void JOpenJob();
    int JEditJob();
    void JEditTask();
    // Dumps the current job through the dump dialog; message 63462 without
    // a job.
    int JDumpJob();
    // Loads a dump into a new job of a new or listed task.
    void JLoadJob();
    // The job view on the current task and job; message 63462 without a job.
    void JShowJobStatus();
    JCJob* JSaveJob();
    void JCloseJob();
    int JDeleteCurJob();
    int JOpenJobRecentFile(UINT nID);
    CString GetJobPath() const;
    // Job file, "(", the task file's name, ")".
    CString GetJobReference() const;
    // String 106, with " - " and the job reference while a job is open.
    void UpdateMainTitle();
    // Brings the host's MDI child frames' titles up to date.
    void UpdateChildTitles();

    JCTask* m_pCurTask;
    JCJob* m_pCurJob;
    CString m_strTaskPath;
    CString m_strTempPath;
    CString m_strPlugInPath;
    CString m_strScanProfile;
    CString m_strPrintProfile;
    CString m_strDisplayProfile;
    CRecentFileList* m_pRecentFileList;

private:
    // The task file of a task name as the open and load dialogs give it:
    // the name itself when it begins with the task folder (compared in upper
    // case; the task folder is upper-cased in place), else the name in the
    // task folder; ".tsk" added unless present.
    CString TaskFileOfName(const CString& strTaskName);
    // Adds the job folder to the task and makes the task and a new job of
    // that folder current; FALSE, the task deleted, when the task lists the
    // folder already (JAddJob has told the user).
    BOOL MakeNewJobCurrent(JCTask* pTask, const CString& strJobFolder);
    // Saves and deletes the open task and job, then makes these current.
    void Replace(JCTask* pTask, JCJob* pJob);
    // Saves the open task and job, then reads the entry's task and job and
    // makes them current; an entry whose files cannot be read leaves the list.
    void OpenRecentEntry(int nIndex, const CString& strEntry);
    // Copies a selection dialog's property records into the current task
    // and job, each only when it was made for that very file.
    void TakeProperties(const JCTask* pTask, const JCJob* pJob);
    // Saves, lists the job as the most recent and shows it in the title.
    void Commit();

    static JCJobMain* s_pInstance;
};

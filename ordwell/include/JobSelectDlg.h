// The job selection dialogs "创建作业", "打开作业" and "装入作业": the task
// files of the task folder on the left, the jobs of the selected task on the
// right, a name edit above each list. The job manager reads the members after
// IDOK and does the file work; the create and load dialogs make the job's
// folder on OK.
#pragma once

#include "afxwin.h"

#include "JobModel.h"
#include "OrdwellApi.h"

// What the three dialogs share: the filling and the list handlers.
class ORDWELL_API JCJobSelectDlg : public CDialog {
public:
    virtual ~JCJobSelectDlg();

    CEdit m_editTask;
    CEdit m_editJob;
    CListBox m_listTasks;
    CListBox m_listJobs;
    CString m_strJobName;   // edit 4504: the job name or job folder
    CString m_strTaskName;  // edit 4503: the task name or task file
    int m_bNewTask;         // create and load: 1 when the task is not listed
    JCTask* m_pTask;        // owned; read for display and properties
    JCJob* m_pJob;          // owned

protected:
    // bOpen: the open dialog reads the jobs' files and makes no empty task
    // and job when the folder holds no task.
    JCJobSelectDlg(UINT nIDTemplate, CWnd* pParentWnd, BOOL bOpen);

    virtual void DoDataExchange(CDataExchange* pDX);
    virtual BOOL OnInitDialog();
    afx_msg void OnSelchangeTaskList();
    afx_msg void OnSelchangeJobList();
    afx_msg void OnNewJobPlace();
    DECLARE_MESSAGE_MAP()

    // Replaces m_pTask by the task read from the file (an empty task with
    // that path when the file cannot be read) and lists its jobs.
    void LoadTask(const CString& strTaskFile);
    // Replaces m_pJob by a job for the folder, read from its file when
    // bRead; FALSE when the file was to be read and could not be.
    BOOL LoadJob(const CString& strJobFolder, BOOL bRead);
    // Runs the property sheet on the task and job, each read from its file
    // when it could be (pTask and pJob null otherwise).
    void RunProperties(const CString& strTaskFile, BOOL bTaskRead, const CString& strJobFile, BOOL bJobRead);
    CString ControlText(const CWnd& control) const;

    BOOL m_bOpen;
    BOOL m_bTaskRead;  // m_pTask holds what its file held
};

class ORDWELL_API JCCreateJobDlg : public JCJobSelectDlg {
public:
    explicit JCCreateJobDlg(CWnd* pParentWnd = NULL);

protected:
    virtual void OnOK();
    afx_msg void OnProperties();
    DECLARE_MESSAGE_MAP()
};

class ORDWELL_API JCOpenJobDlg : public JCJobSelectDlg {
public:
    explicit JCOpenJobDlg(CWnd* pParentWnd = NULL);

protected:
    afx_msg void OnProperties();
    DECLARE_MESSAGE_MAP()
};

class ORDWELL_API JCLoadJobDlg : public JCJobSelectDlg {
public:
    explicit JCLoadJobDlg(CWnd* pParentWnd = NULL);

    CString m_strSourceFile;  // edit 4508: the dump file

protected:
    virtual void DoDataExchange(CDataExchange* pDX);
    virtual void OnOK();
    afx_msg void OnBrowseDump();
    DECLARE_MESSAGE_MAP()
};

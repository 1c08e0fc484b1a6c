// The edit task dialog "编辑任务": lists the task files of the task folder
// and the jobs of the selected task, deletes a job (its entry and its folder)
// and moves a job to another task. Every change is written to the task files
// at once.
#pragma once

#include "afxwin.h"

#include "JobModel.h"
#include "OrdwellApi.h"

class ORDWELL_API JCEditTaskDlg : public CDialog {
public:
    explicit JCEditTaskDlg(CWnd* pParentWnd = NULL);
    virtual ~JCEditTaskDlg();

    JCTask* m_pTask;        // the selected task; owned
    int m_bMoving;          // a move waits for its target task
    CString m_strMoveJob;   // the job entry being moved
    int m_nMoveFrom;        // the source task's index in the task list
    CListBox m_listJobs;    // 4589
    CListBox m_listTasks;   // 4588

    // Deletes the plain files directly in the folder and the folder itself;
    // FALSE when the path is no folder.
    BOOL DeleteJobFolder(const CString& strPath);

protected:
    virtual void DoDataExchange(CDataExchange* pDX);
    virtual BOOL OnInitDialog();
    afx_msg void OnDeleteJob();
    afx_msg void OnMoveJob();
    afx_msg void OnSelchangeTaskList();
    afx_msg BOOL OnSetCursor(CWnd* pWnd, UINT nHitTest, UINT message);
    DECLARE_MESSAGE_MAP()

private:
    CString TaskFileAt(int nIndex) const;
    // A task read from its file; null when the file cannot be read, which
    // is then never written.
    static JCTask* ReadTask(const CString& strTaskFile);
    static void SaveTask(JCTask& task);
    // Replaces m_pTask by the task of the list's line and lists its jobs.
    void ShowTask(int nIndex);
    void EnableButtons(BOOL bDelete, BOOL bMove);
    // Closes the job manager's open job when it is the job of the entry.
    static void CloseIfOpen(const CString& strJobEntry);
    void MoveTo(int nTarget);
    // The source task lost its last job: its file and its line go.
    void DropEmptyTask(int nIndex);
};

// The information dialogs: "硬盘信息" (every task with the size of each of
// its jobs, and the capacity and free space of every fixed drive), "内存信息"
// (total and available physical memory) and "磁盘选择", which nothing runs.
// Figures are 64-bit: drives and jobs above 4 GiB show exactly.
#pragma once

#include "afxcmn.h"
#include "afxwin.h"

#include "ListCtrlEx.h"
#include "OrdwellApi.h"

class ORDWELL_API JCHarddiskInfoDlg : public CDialog {
public:
    explicit JCHarddiskInfoDlg(CWnd* pParent = NULL);
    virtual ~JCHarddiskInfoDlg();

    CTreeCtrl m_treeTasks;    // 4574
    CListCtrlEx m_listDrives; // 4582

protected:
    virtual void DoDataExchange(CDataExchange* pDX);
    virtual BOOL OnInitDialog();

private:
    // Each task file of the task folder, its jobs below it with their sizes.
    void FillTasks();
    // A row per fixed drive; "?" for the sizes of one that cannot be queried.
    void FillDrives();
};

class ORDWELL_API JCMemoryInfoDlg : public CDialog {
public:
    explicit JCMemoryInfoDlg(CWnd* pParent = NULL);
    virtual ~JCMemoryInfoDlg();

    CStatic m_staticTotal;      // 4581
    CStatic m_staticAvailable;  // 4576
    ULONGLONG m_nAvailable;     // available physical bytes

protected:
    virtual void DoDataExchange(CDataExchange* pDX);
    virtual BOOL OnInitDialog();
};

class ORDWELL_API JCDiskSelectDlg : public CDialog {
public:
    explicit JCDiskSelectDlg(CWnd* pParent = NULL);
    virtual ~JCDiskSelectDlg();

    CString m_strDisk;      // the selected line of 4517
    CString m_strDiskName;  // 4516

protected:
    virtual void DoDataExchange(CDataExchange* pDX);
    virtual BOOL OnInitDialog();
};

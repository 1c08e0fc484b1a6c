// The job property sheet "作业属性": a task page, a job page and a profile
// page. The sheet only carries values: its caller fills the pages from a task
// and a job before DoModal and writes them back after IDOK, both through
// FillJobProperties and WriteBackJobProperties.
#pragma once

#include "afxdlgs.h"

#include "JobModel.h"
#include "OrdwellApi.h"

// Access levels are the index of the drop-down item: 0 "无", 1 "只读",
// 2 "只写", 3 "读/写". The constructors leave them unset.
class ORDWELL_API JCPropertyTask : public CPropertyPage {
    DECLARE_DYNCREATE(JCPropertyTask)
public:
    JCPropertyTask();
    virtual ~JCPropertyTask();

    CComboBox m_comboOwner;
    CComboBox m_comboGroup;
    CString m_strManager;
    CString m_strUser;
    CString m_strRequirement;
    CString m_strProgress;
    CString m_strName;
    CString m_strTime;
    int m_nGroupAccess;
    int m_nOwnerAccess;

protected:
    virtual void DoDataExchange(CDataExchange* pDX);
    virtual BOOL OnInitDialog();
    virtual void OnOK();
    DECLARE_MESSAGE_MAP()
};

class ORDWELL_API JCPropertyJob : public CPropertyPage {
    DECLARE_DYNCREATE(JCPropertyJob)
public:
    JCPropertyJob();
    virtual ~JCPropertyJob();

    CComboBox m_comboOwner;
    CComboBox m_comboGroup;
    CString m_strCreator;
    CString m_strProgress;
    CString m_strRequirement;
    CString m_strOperator;
    CString m_strName;
    CString m_strTime;
    int m_nGroupAccess;
    int m_nOwnerAccess;

protected:
    virtual void DoDataExchange(CDataExchange* pDX);
    virtual BOOL OnInitDialog();
    virtual void OnOK();
    DECLARE_MESSAGE_MAP()
};

// The job's three colour profiles, read only. Button 4551 is created hidden
// and disabled.
class ORDWELL_API JCPropertyProfile : public CPropertyPage {
    DECLARE_DYNCREATE(JCPropertyProfile)
public:
    JCPropertyProfile();
    virtual ~JCPropertyProfile();

    CString m_strDisplayProfile;
    CString m_strPrinterProfile;
    CString m_strScannerProfile;

protected:
    virtual void DoDataExchange(CDataExchange* pDX);
    afx_msg void OnBtChoise();
    DECLARE_MESSAGE_MAP()
};

class ORDWELL_API JCPropertySheet : public CPropertySheet {
    DECLARE_DYNAMIC(JCPropertySheet)
public:
    // Caption string 4001; only OK and Cancel.
    explicit JCPropertySheet(CWnd* pParentWnd = NULL);
    virtual ~JCPropertySheet();

    JCPropertyTask m_pageTask;
    JCPropertyJob m_pageJob;
    JCPropertyProfile m_pageProfile;

protected:
    DECLARE_MESSAGE_MAP()
};

// Fills the pages. The names are the task and job files; a null task or job
// (one that could not be read) gives its page the name only and the access
// levels 3; a null job gives the profile page the manager's default profiles.
ORDWELL_API void FillJobProperties(JCPropertySheet& sheet, const CString& strTaskFile, const JCTask* pTask,
                                   const CString& strJobFile, const JCJob* pJob);
// Writes the edited texts and access levels back into the task and the job,
// each when it is not null.
ORDWELL_API void WriteBackJobProperties(const JCPropertySheet& sheet, JCTask* pTask, JCJob* pJob);

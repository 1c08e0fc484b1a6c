// The job model: a task lists the folders of its jobs; a job lists its
// originals, pages and outputs and names three colour profiles. Every class
// is serialisable (schema 1) in the class library's archive layout.
#pragma once

#include "afxwin.h"

#include <ctime>

#include "OrdwellApi.h"

class ORDWELL_API JCFileName : public CObject {
    DECLARE_SERIAL(JCFileName)
public:
    JCFileName();
    explicit JCFileName(const CString& strPath);
    virtual ~JCFileName();
    virtual void Serialize(CArchive& ar);

    // The text before the last backslash, empty when there is none.
    CString GetPath() const;
    // The text after the last backslash, the whole path when there is none.
    CString GetPureName() const;

    CString m_strPath;
};

class ORDWELL_API JCPage : public CObject {
    DECLARE_SERIAL(JCPage)
public:
    JCPage();
    virtual ~JCPage();
    virtual void Serialize(CArchive& ar);

    int AddOrigin(const CString& strOrigin);
    int DelOrigin(const CString& strOrigin);
    int DelAllOrigin();

    int m_nNumber1;
    __time32_t m_tTime;
    int m_nNumber2;
    CString m_strDescription;
    CString m_strFile;
    CObList m_lstOrigin;  // JCFileName, owned
};

class ORDWELL_API JCOrigin : public CObject {
    DECLARE_SERIAL(JCOrigin)
public:
    JCOrigin();
    virtual ~JCOrigin();
    virtual void Serialize(CArchive& ar);

    int AddPage(const CString& strPage);
    int DeletePage(const CString& strPage);
    int DeleteAllPage();

    int m_nFileType;
    int m_nNumber1;
    int m_nNumber2;
    __time32_t m_tTime;
    CString m_strDescription;
    CString m_strPage;  // owning page, or "None"
    CString m_strFile;
    CObList m_lstPage;  // JCFileName, owned
};

class ORDWELL_API JCOutput : public CObject {
    DECLARE_SERIAL(JCOutput)
public:
    JCOutput();
    virtual ~JCOutput();
    virtual void Serialize(CArchive& ar);

    int m_nFileType;
    __time32_t m_tTime;
    CString m_strPage;  // owning page
    CString m_strFile;
};

class ORDWELL_API JCTask : public CObject {
    DECLARE_SERIAL(JCTask)
public:
    JCTask();
    virtual ~JCTask();
    virtual void Serialize(CArchive& ar);

    // 0 with message 63470 when the folder is listed already (ignoring case).
    int JAddJob(const CString& strJobPath);
    int JDeleteJob(const CString& strJobPath);
    int JDeleteAllJob();
    CObList* JGetJobFileList() { return &m_lstJob; }
    int JCreateTask(const CString& strName);
    void JCloseTask();

    CString m_strTaskFile;  // not archived
    int m_nOwnerAccess;
    int m_nGroupAccess;
    DWORD m_dwTag;
    __time32_t m_tCreate;
    CString m_strText[6];
    CObList m_lstJob;  // JCFileName, owned
};

class ORDWELL_API JCJob : public CObject {
    DECLARE_SERIAL(JCJob)
public:
    // Takes the manager's default profiles, when there is a manager.
    JCJob();
    virtual ~JCJob();
    virtual void Serialize(CArchive& ar);

    CObList* JGetPageList() { return &m_lstPage; }
    CObList* JGetOriginList() { return &m_lstOrigin; }
    CObList* JGetOutputList() { return &m_lstOutput; }
    // 1 when the list took the object; on 0 the caller keeps it.
    int JAddPage(JCPage* pPage);
    int JAddOrigin(JCOrigin* pOrigin);
    int JAddOutput(JCOutput* pOutput);
    int JDeletePage(JCPage* pPage);
    int JDeleteOrigin(JCOrigin* pOrigin);
    int JDeleteOutput(JCOutput* pOutput);
    int JDeleteAllPage();
    int JDeleteAllOrigin();
    int JDeleteAllOutput();
    void JAddNewDocName(const CString& strName);
    LPCTSTR JGetNewDocName() const { return m_strNewDocName; }
    // Length of the file in bytes, 0 when it cannot be opened. Measured in
    // 64 bits and clamped to 2,147,483,647, never wrapping or negative.
    int GetFileSize(const CString& strPath);
    // Bytes of originals, pages and profiles, and of outputs; returns their
    // sum. Each figure is summed in 64 bits and clamped as GetFileSize's;
    // the dump and the information dialogs use the exact 64-bit measure.
    int GetJobSize(int& nJobBytes, int& nOutputBytes);

    CString m_strJobFile;  // not archived
    DWORD m_dwTag;
    __time32_t m_tCreate;
    CString m_strText[5];
    int m_nOwnerAccess;
    int m_nGroupAccess;
    CString m_strScanProfile;
    CString m_strPrintProfile;
    CString m_strDisplayProfile;
    CObList m_lstPage;    // JCPage, owned
    CObList m_lstOrigin;  // JCOrigin, owned
    CObList m_lstOutput;  // JCOutput, owned
    CString m_strNewDocName;  // not archived; whole, however long
};

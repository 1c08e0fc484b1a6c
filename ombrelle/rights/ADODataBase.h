// The connection side of the thin ADO wrapper: CADODataBase owns one ADO
// Connection; CADOException; compaction of a Jet database file.
//
// Guarded operations catch the COM error, keep it as the error dump in the
// object and return FALSE; the others let the _com_error reach the caller.
#pragma once

#include "ADOComSupport.h"
#include "afxexcept.h"

class CADODataBase
{
public:
    CADODataBase();
    virtual ~CADODataBase();

    // Closes an open connection first; an empty connection string reuses the
    // stored one. Guarded from setting the time-out on.
    BOOL Open(LPCTSTR lpstrConnection = _T(""), LPCTSTR lpstrUserID = _T(""), LPCTSTR lpstrPassword = _T(""));
    BOOL IsOpen();
    void Close();
    // A statement without rows; the records affected are kept.
    BOOL Execute(LPCTSTR lpstrExec);
    long GetRecordCount(_RecordsetPtr m_pRs);

    _ConnectionPtr GetActiveConnection() { return m_pConnection; }
    CString GetConnectionString() { return m_strConnection; }
    int GetRecordsAffected() const { return m_nRecordsAffected; }
    void SetConnectionTimeout(long nConnectionTimeout = 30) { m_nConnectionTimeout = nConnectionTimeout; }

    CString GetLastErrorString() const { return m_strLastError; }
    CString GetErrorDescription() const { return m_strErrorDescription; }
    DWORD GetLastError() const { return m_dwLastError; }

protected:
    void dump_com_error(const _com_error& e);

public:
    _ConnectionPtr m_pConnection;

protected:
    CString m_strConnection;
    CString m_strLastError;
    CString m_strErrorDescription;
    DWORD m_dwLastError;
    int m_nRecordsAffected;
    long m_nConnectionTimeout;
};

class CADOException : public CException
{
    DECLARE_DYNAMIC(CADOException)
public:
    CADOException();
    CADOException(long lErrorCode, const CString& strError);
    virtual ~CADOException();

    long m_lErrorCode;
    CString m_strError;
};

// Compacts a Jet database (JRO connection strings of the source and of the
// compacted copy); TRUE exactly when the engine reports S_OK. COM is
// initialised for the call and left as it was.
BOOL CompactDatabase(CString strDatabaseSource, CString strDatabaseDestination);

// Throws a new CADOException (deleted by its catcher). The wrapper never
// throws it itself.
void ThrowADOException(long lErrorCode = 0, CString strError = _T(""));

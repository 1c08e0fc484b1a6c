#include "ADODataBase.h"

#include <adojet.h>

// ---------------------------------------------------------------------------
// CADODataBase

CADODataBase::CADODataBase()
    : m_dwLastError(0), m_nRecordsAffected(0), m_nConnectionTimeout(0)
{
    ::CoInitialize(NULL);
    adosupport::MakeObject(CLSID_AdoConnection, m_pConnection);
}

CADODataBase::~CADODataBase()
{
    try {
        Close();
    } catch (const _com_error&) {
        // A destructor lets nothing out; the connection goes with its object.
    }
    m_pConnection = nullptr;
    m_strConnection.Empty();
    m_strLastError.Empty();
    m_dwLastError = 0;
    ::CoUninitialize();
}

BOOL CADODataBase::Open(LPCTSTR lpstrConnection, LPCTSTR lpstrUserID, LPCTSTR lpstrPassword)
{
    if (IsOpen())
        Close();
    if (lpstrConnection != NULL && lpstrConnection[0] != '\0')
        m_strConnection = lpstrConnection;
    try {
        if (m_nConnectionTimeout != 0)
            adosupport::Check(m_pConnection, m_pConnection->put_ConnectionTimeout(m_nConnectionTimeout));
        const HRESULT hr = m_pConnection->Open(_bstr_t((LPCTSTR)m_strConnection), _bstr_t(lpstrUserID),
                                               _bstr_t(lpstrPassword), 0);
        adosupport::Check(m_pConnection, hr);
        return hr == S_OK;
    } catch (const _com_error& e) {
        dump_com_error(e);
        return FALSE;
    }
}

BOOL CADODataBase::IsOpen()
{
    if (!m_pConnection)
        return FALSE;
    LONG state = adStateClosed;
    adosupport::Check(m_pConnection, m_pConnection->get_State(&state));
    return state != adStateClosed;
}

void CADODataBase::Close()
{
    if (IsOpen())
        adosupport::Check(m_pConnection, m_pConnection->Close());
}

BOOL CADODataBase::Execute(LPCTSTR lpstrExec)
{
    m_nRecordsAffected = 0;
    try {
        adosupport::Check(m_pConnection, m_pConnection->put_CursorLocation(adUseClient));
        _variant_t affected;
        _RecordsetPtr recordset;
        _ADORecordset* returned = nullptr;
        adosupport::Check(m_pConnection,
                          m_pConnection->Execute(_bstr_t(lpstrExec), &affected, adExecuteNoRecords, &returned));
        recordset.Attach(returned);
        // The whole count: a statement may touch more than 32,767 rows.
        affected.ChangeType(VT_I4);
        m_nRecordsAffected = int(affected.lVal);
        return TRUE;
    } catch (const _com_error& e) {
        dump_com_error(e);
        return FALSE;
    }
}

long CADODataBase::GetRecordCount(_RecordsetPtr m_pRs)
{
    return adosupport::CountRecords(m_pRs);
}

void CADODataBase::dump_com_error(const _com_error& e)
{
    m_strErrorDescription = adosupport::NarrowText(e.Description().GetBSTR());
    m_strLastError = _T("Connection String = ") + GetConnectionString() + _T("\n") +
                     adosupport::ErrorDump(_T("CADODataBase"), e);
    m_dwLastError = DWORD(e.Error());
}

// ---------------------------------------------------------------------------
// CADOException

IMPLEMENT_DYNAMIC(CADOException, CException)

CADOException::CADOException() : CException(TRUE), m_lErrorCode(0)
{
}

CADOException::CADOException(long lErrorCode, const CString& strError)
    : CException(TRUE), m_lErrorCode(lErrorCode), m_strError(strError)
{
}

CADOException::~CADOException()
{
    m_strError.Empty();
}

void ThrowADOException(long lErrorCode, CString strError)
{
    throw new CADOException(lErrorCode, strError);
}

// ---------------------------------------------------------------------------
// Compaction

BOOL CompactDatabase(CString strDatabaseSource, CString strDatabaseDestination)
{
    ::CoInitialize(NULL);
    try {
        IJetEngine* engine = nullptr;
        const HRESULT created =
            adosupport::CreateObject(CLSID_JroJetEngine, IID_JroJetEngine, reinterpret_cast<void**>(&engine));
        if (FAILED(created))
            _com_issue_error(created);
        const HRESULT hr = engine->CompactDatabase(_bstr_t((LPCTSTR)strDatabaseSource),
                                                   _bstr_t((LPCTSTR)strDatabaseDestination));
        engine->Release();
        if (FAILED(hr))
            _com_issue_error(hr);
        ::CoUninitialize();
        return hr == S_OK;
    } catch (const _com_error&) {
        ::CoUninitialize();
        return FALSE;
    }
}

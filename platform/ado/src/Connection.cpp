#include "Connection.h"

#include "ConnectionString.h"
#include "Errors.h"
#include "Iids.h"
#include "Texts.h"
#include "Recordset.h"
#include "Statement.h"

#include <sqlext.h>
#include <cwctype>

namespace ado {

namespace {

// Asked of an ADO connection pointer to reach this stand-in's object.
const IID kIidOdbcConnection = {0x6b1f0c52, 0x3d0a, 0x4e47, {0x9a, 0x61, 0x2c, 0x4e, 0x80, 0x13, 0x5f, 0x0d}};

std::wstring Lower(std::wstring text)
{
    for (wchar_t& c : text)
        c = wchar_t(std::towlower(c));
    return text;
}

// The driver manager's list: is the named driver's library the SQLite one?
bool IsSqliteDriver(SQLHENV environment, const std::wstring& driver)
{
    SQLWCHAR name[256], attributes[2048];
    SQLSMALLINT nameLength = 0, attributesLength = 0;
    SQLUSMALLINT direction = SQL_FETCH_FIRST;
    while (SQL_SUCCEEDED(SQLDriversW(environment, direction, name, 256, &nameLength, attributes, 2048,
                                     &attributesLength))) {
        direction = SQL_FETCH_NEXT;
        if (Lower(reinterpret_cast<const wchar_t*>(name)) != Lower(driver))
            continue;
        // Attributes are "key=value" texts, each ended by a zero.
        for (const wchar_t* at = reinterpret_cast<const wchar_t*>(attributes); *at; at += wcslen(at) + 1) {
            const std::wstring attribute = Lower(at);
            if (attribute.compare(0, 7, L"driver=") == 0 && attribute.find(L"sqlite3odbc") != std::wstring::npos)
                return true;
        }
        return false;
    }
    return false;
}

std::wstring ProgramFolder()
{
    wchar_t path[MAX_PATH] = {};
    GetModuleFileNameW(nullptr, path, MAX_PATH);
    std::wstring folder(path);
    const size_t slash = folder.find_last_of(L"\\/");
    return slash == std::wstring::npos ? folder : folder.substr(0, slash);
}

// Under Wine the driver runs on the host and opens host paths; on Windows
// the path stays as it is.
std::wstring HostPath(const std::wstring& path)
{
    typedef char*(CDECL * UnixFileName)(const wchar_t*);
    const auto toUnix = reinterpret_cast<UnixFileName>(
        reinterpret_cast<void*>(GetProcAddress(GetModuleHandleW(L"kernel32.dll"), "wine_get_unix_file_name")));
    if (!toUnix)
        return path;
    char* unixPath = toUnix(path.c_str());
    if (!unixPath)
        return path;
    std::wstring result;
    const int length = MultiByteToWideChar(CP_UTF8, 0, unixPath, -1, nullptr, 0);
    if (length > 0) {
        result.resize(size_t(length - 1));
        MultiByteToWideChar(CP_UTF8, 0, unixPath, -1, &result[0], length);
    }
    HeapFree(GetProcessHeap(), 0, unixPath);
    return result.empty() ? path : result;
}


}  // namespace

Connection::Connection() : ComObject({IID_AdoConnection, kIidConnection15, kIidAdo})
{
}

Connection::~Connection()
{
    if (m_open)
        Close();
    if (m_environment != SQL_NULL_HENV)
        SQLFreeHandle(SQL_HANDLE_ENV, m_environment);
}

Connection* Connection::From(IUnknown* object)
{
    void* found = nullptr;
    if (!object || FAILED(object->QueryInterface(kIidOdbcConnection, &found)))
        return nullptr;
    return static_cast<Connection*>(static_cast<_ADOConnection*>(found));
}

HRESULT Connection::FromVariant(const VARIANT& value, Connection** connection)
{
    *connection = nullptr;
    if (value.vt == VT_EMPTY || value.vt == VT_NULL)
        return S_OK;
    if (value.vt == VT_DISPATCH || value.vt == VT_UNKNOWN) {
        *connection = From(value.punkVal);
        return value.punkVal && !*connection ? NotAvailable(L"A connection of another ADO") : S_OK;
    }
    if (value.vt != VT_BSTR)
        return Fail(ADO_E_INVALIDARGUMENT, L"A connection is an object or a connection string");
    if (_wcsnicmp(TextOf(value.bstrVal).c_str(), L"Provider=MSPersist", 18) == 0)
        return NotAvailable(L"Opening a saved recordset");
    Connection* opened = new Connection;
    const HRESULT hr = opened->Open(value.bstrVal, nullptr, nullptr, adConnectUnspecified);
    if (FAILED(hr)) {
        opened->Release();
        return hr;
    }
    *connection = opened;
    return S_OK;
}

HRESULT Connection::Assign(const VARIANT& value, Connection** slot)
{
    Connection* given = nullptr;
    const HRESULT hr = FromVariant(value, &given);
    if (FAILED(hr))
        return hr;
    if (*slot)
        (*slot)->Release();
    *slot = given;
    return S_OK;
}

HRESULT Connection::QueryInterface(REFIID iid, void** object)
{
    if (iid == kIidOdbcConnection && object) {
        *object = static_cast<_ADOConnection*>(this);
        AddRef();
        return S_OK;
    }
    return ComObject::QueryInterface(iid, object);
}

HRESULT Connection::Handle(SQLHDBC* handle)
{
    if (!m_open)
        return Fail(ADO_E_OBJECTCLOSED, L"The connection is closed");
    *handle = m_connection;
    return S_OK;
}

HRESULT Connection::get_ConnectionString(BSTR* text)
{
    return ReturnText(m_connectionString, text);
}

HRESULT Connection::put_ConnectionString(BSTR text)
{
    if (m_open)
        return Fail(ADO_E_OBJECTOPEN, L"The connection is open");
    m_connectionString = TextOf(text);
    return S_OK;
}

HRESULT Connection::get_CommandTimeout(LONG* seconds)
{
    if (!seconds)
        return E_POINTER;
    *seconds = m_commandTimeout;
    return S_OK;
}

HRESULT Connection::put_CommandTimeout(LONG seconds)
{
    if (seconds < 0)
        return Fail(ADO_E_INVALIDARGUMENT, L"A time-out cannot be negative");
    m_commandTimeout = seconds;
    return S_OK;
}

HRESULT Connection::get_ConnectionTimeout(LONG* seconds)
{
    if (!seconds)
        return E_POINTER;
    *seconds = m_connectionTimeout;
    return S_OK;
}

HRESULT Connection::put_ConnectionTimeout(LONG seconds)
{
    if (m_open)
        return Fail(ADO_E_OBJECTOPEN, L"The connection is open");
    if (seconds < 0)
        return Fail(ADO_E_INVALIDARGUMENT, L"A time-out cannot be negative");
    m_connectionTimeout = seconds;
    return S_OK;
}

HRESULT Connection::get_Version(BSTR* version)
{
    return ReturnText(L"2.8", version);
}

HRESULT Connection::Close()
{
    if (!m_open)
        return Fail(ADO_E_OBJECTCLOSED, L"The connection is closed");
    if (m_transactionLevel > 0)
        SQLEndTran(SQL_HANDLE_DBC, m_connection, SQL_ROLLBACK);
    m_transactionLevel = 0;
    SQLDisconnect(m_connection);
    SQLFreeHandle(SQL_HANDLE_DBC, m_connection);
    m_connection = SQL_NULL_HDBC;
    m_open = false;
    return Succeeded();
}

HRESULT Connection::Execute(BSTR commandText, VARIANT* recordsAffected, long options, _ADORecordset** recordset)
{
    if (recordset)
        *recordset = nullptr;
    if (!m_open)
        return Fail(ADO_E_OBJECTCLOSED, L"The connection is closed");
    std::wstring sql;
    const HRESULT typed = StatementOfType(TextOf(commandText), options == adOptionUnspecified ? long(adCmdUnknown) : options, 0, &sql);
    if (FAILED(typed))
        return typed;
    return ExecuteStatement(this, sql, {}, options, recordsAffected, recordset);
}

HRESULT Connection::BeginTrans(long* level)
{
    if (!m_open)
        return Fail(ADO_E_OBJECTCLOSED, L"The connection is closed");
    if (m_transactionLevel > 0)
        return NotAvailable(L"A nested transaction");
    if (!SQL_SUCCEEDED(SQLSetConnectAttrW(m_connection, SQL_ATTR_AUTOCOMMIT,
                                          reinterpret_cast<SQLPOINTER>(SQL_AUTOCOMMIT_OFF), SQL_IS_UINTEGER)))
        return OdbcFailure(SQL_HANDLE_DBC, m_connection);
    m_transactionLevel = 1;
    if (level)
        *level = m_transactionLevel;
    return Succeeded();
}

HRESULT Connection::EndTransaction(SQLSMALLINT completion)
{
    if (!m_open)
        return Fail(ADO_E_OBJECTCLOSED, L"The connection is closed");
    if (m_transactionLevel == 0)
        return Fail(ADO_E_INVALIDARGUMENT, L"No transaction is active");
    const bool ended = SQL_SUCCEEDED(SQLEndTran(SQL_HANDLE_DBC, m_connection, completion));
    HRESULT hr = ended ? S_OK : OdbcFailure(SQL_HANDLE_DBC, m_connection);
    m_transactionLevel = 0;
    if (!SQL_SUCCEEDED(SQLSetConnectAttrW(m_connection, SQL_ATTR_AUTOCOMMIT,
                                          reinterpret_cast<SQLPOINTER>(SQL_AUTOCOMMIT_ON), SQL_IS_UINTEGER)) &&
        SUCCEEDED(hr))
        hr = OdbcFailure(SQL_HANDLE_DBC, m_connection);
    return SUCCEEDED(hr) ? Succeeded() : hr;
}

HRESULT Connection::CommitTrans()
{
    return EndTransaction(SQL_COMMIT);
}

HRESULT Connection::RollbackTrans()
{
    return EndTransaction(SQL_ROLLBACK);
}

HRESULT Connection::Open(BSTR connectionString, BSTR userId, BSTR password, long)
{
    if (m_open)
        return Fail(ADO_E_OBJECTOPEN, L"The connection is already open");
    if (connectionString && SysStringLen(connectionString) > 0)
        m_connectionString = TextOf(connectionString);
    if (m_environment == SQL_NULL_HENV) {
        if (!SQL_SUCCEEDED(SQLAllocHandle(SQL_HANDLE_ENV, SQL_NULL_HANDLE, &m_environment)))
            return Fail(E_FAIL, L"The ODBC driver manager cannot be reached");
        SQLSetEnvAttr(m_environment, SQL_ATTR_ODBC_VERSION, reinterpret_cast<SQLPOINTER>(SQL_OV_ODBC3), 0);
    }
    if (!SQL_SUCCEEDED(SQLAllocHandle(SQL_HANDLE_DBC, m_environment, &m_connection)))
        return OdbcFailure(SQL_HANDLE_ENV, m_environment);
    if (m_connectionTimeout > 0)
        SQLSetConnectAttrW(m_connection, SQL_ATTR_LOGIN_TIMEOUT, reinterpret_cast<SQLPOINTER>(SQLULEN(m_connectionTimeout)),
                           SQL_IS_UINTEGER);

    ConnectionStringContext context;
    const SQLHENV environment = m_environment;
    context.isSqliteDriver = [environment](const std::wstring& driver) { return IsSqliteDriver(environment, driver); };
    context.programFolder = ProgramFolder();
    context.hostPath = HostPath;
    std::wstring text = DriverConnectionString(m_connectionString, context);
    const std::wstring user = TextOf(userId), secret = TextOf(password);
    if (!user.empty() && ConnectionStringValue(text, L"UID").empty())
        text += (text.empty() || text.back() == L';' ? L"" : L";") + std::wstring(L"UID=") + user + L";";
    if (!secret.empty() && ConnectionStringValue(text, L"PWD").empty())
        text += (text.empty() || text.back() == L';' ? L"" : L";") + std::wstring(L"PWD=") + secret + L";";

    SQLWCHAR completed[1024];
    SQLSMALLINT completedLength = 0;
    const SQLRETURN rc = SQLDriverConnectW(m_connection, nullptr, reinterpret_cast<SQLWCHAR*>(&text[0]), SQL_NTS,
                                           completed, 1024, &completedLength, SQL_DRIVER_NOPROMPT);
    if (!SQL_SUCCEEDED(rc)) {
        const HRESULT hr = OdbcFailure(SQL_HANDLE_DBC, m_connection);
        SQLFreeHandle(SQL_HANDLE_DBC, m_connection);
        m_connection = SQL_NULL_HDBC;
        return hr;
    }
    m_open = true;
    return Succeeded();
}

HRESULT Connection::get_Attributes(long* attributes)
{
    if (!attributes)
        return E_POINTER;
    *attributes = 0;
    return S_OK;
}

HRESULT Connection::get_CursorLocation(CursorLocationEnum* location)
{
    if (!location)
        return E_POINTER;
    *location = m_cursorLocation;
    return S_OK;
}

HRESULT Connection::put_CursorLocation(CursorLocationEnum location)
{
    if (location != adUseServer && location != adUseClient && location != adUseClientBatch && location != adUseNone)
        return Fail(ADO_E_INVALIDARGUMENT, L"Unknown cursor location");
    m_cursorLocation = location;
    return S_OK;
}

HRESULT Connection::get_Mode(ConnectModeEnum* mode)
{
    if (!mode)
        return E_POINTER;
    *mode = adModeUnknown;
    return S_OK;
}

HRESULT Connection::get_Provider(BSTR* provider)
{
    return ReturnText(L"MSDASQL", provider);
}

HRESULT Connection::get_State(LONG* state)
{
    if (!state)
        return E_POINTER;
    *state = m_open ? adStateOpen : adStateClosed;
    return S_OK;
}

}  // namespace ado

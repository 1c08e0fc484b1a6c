#include "Recordset.h"

#include "Connection.h"
#include "Fields.h"
#include "Iids.h"
#include "Texts.h"

#include <sqlext.h>

namespace ado {

bool Recordset::IsMissing(const VARIANT& value)
{
    return value.vt == VT_EMPTY || (value.vt == VT_ERROR && value.scode == DISP_E_PARAMNOTFOUND) ||
           (value.vt == VT_BSTR && SysStringLen(value.bstrVal) == 0);
}

HRESULT Recordset::NoCurrentRow()
{
    return Fail(ADO_E_NOCURRENTRECORD, L"Either BOF or EOF is true: there is no current row");
}

Recordset::Recordset() : ComObject({IID_AdoRecordset, kIidRecordset21, kIidRecordset20, kIidRecordset15, kIidAdo})
{
}

Recordset::~Recordset()
{
    if (m_connection)
        m_connection->Release();
}

_ADORecordset* Recordset::Opened(Connection* connection, const std::wstring& source,
                                 const std::shared_ptr<RowSet>& rows)
{
    Recordset* recordset = new Recordset;
    recordset->m_connection = connection;
    connection->AddRef();
    recordset->m_cursorType = adOpenStatic;
    recordset->m_cursorLocation = adUseClient;
    recordset->Attach(source, rows);
    return recordset;
}

HRESULT ExecuteStatement(Connection* connection, const std::wstring& sql, const std::vector<BoundValue>& values,
                         long options, VARIANT* recordsAffected, _ADORecordset** recordset)
{
    SQLHDBC handle = SQL_NULL_HDBC;
    HRESULT hr = connection->Handle(&handle);
    if (FAILED(hr))
        return hr;
    std::shared_ptr<RowSet> rows;
    long affected = -1;
    hr = RunStatement(handle, sql, values, &rows, &affected);
    if (FAILED(hr))
        return hr;
    if (recordsAffected) {
        VariantClear(recordsAffected);
        recordsAffected->vt = VT_I4;
        recordsAffected->lVal = affected;
    }
    if (recordset && !(options != adOptionUnspecified && (options & adExecuteNoRecords)))
        *recordset = Recordset::Opened(connection, sql, rows);
    return Succeeded();
}

void Recordset::Attach(const std::wstring& source, const std::shared_ptr<RowSet>& rows)
{
    m_source = source;
    m_rows = rows;
    m_filter.Put();
    m_sort.clear();
    if (m_rows)
        Arrange();
}

HRESULT Recordset::RequireOpen() const
{
    return m_rows ? S_OK : Fail(ADO_E_OBJECTCLOSED, L"The recordset is closed");
}

bool Recordset::HasCurrentRow() const
{
    return m_rows && m_position >= 0 && size_t(m_position) < m_view.size();
}

HRESULT Recordset::Columns(const RowSet** rows)
{
    const HRESULT hr = RequireOpen();
    if (SUCCEEDED(hr))
        *rows = m_rows.get();
    return hr;
}

HRESULT Recordset::CurrentValue(size_t column, VARIANT* value)
{
    HRESULT hr = RequireOpen();
    if (FAILED(hr))
        return hr;
    if (!HasCurrentRow())
        return NoCurrentRow();
    return m_rows->rows[m_view[size_t(m_position)]][column].CopyTo(value);
}

HRESULT Recordset::putref_ActiveConnection(IDispatch* connection)
{
    VARIANT value;
    value.vt = VT_DISPATCH;
    value.pdispVal = connection;
    return put_ActiveConnection(value);
}

HRESULT Recordset::put_ActiveConnection(VARIANT connection)
{
    return Connection::Assign(connection, &m_connection);
}

HRESULT Recordset::get_ActiveConnection(VARIANT* connection)
{
    if (!connection)
        return E_POINTER;
    VariantInit(connection);
    if (m_connection) {
        connection->vt = VT_DISPATCH;
        connection->pdispVal = m_connection;
        m_connection->AddRef();
    } else {
        connection->vt = VT_DISPATCH;
        connection->pdispVal = nullptr;
    }
    return S_OK;
}

HRESULT Recordset::get_CacheSize(long* size)
{
    if (!size)
        return E_POINTER;
    *size = m_cacheSize;
    return S_OK;
}

HRESULT Recordset::put_CacheSize(long size)
{
    if (size < 1)
        return Fail(ADO_E_INVALIDARGUMENT, L"The cache holds at least one row");
    m_cacheSize = size;
    return S_OK;
}

HRESULT Recordset::get_CursorType(CursorTypeEnum* type)
{
    if (!type)
        return E_POINTER;
    *type = m_cursorType;
    return S_OK;
}

HRESULT Recordset::put_CursorType(CursorTypeEnum type)
{
    if (m_rows)
        return Fail(ADO_E_OBJECTOPEN, L"The recordset is open");
    m_cursorType = type;
    return S_OK;
}

HRESULT Recordset::get_Fields(ADOFields** fields)
{
    if (!fields)
        return E_POINTER;
    *fields = new Fields(this);
    return S_OK;
}

HRESULT Recordset::get_LockType(LockTypeEnum* type)
{
    if (!type)
        return E_POINTER;
    *type = m_lockType;
    return S_OK;
}

HRESULT Recordset::put_LockType(LockTypeEnum type)
{
    if (m_rows)
        return Fail(ADO_E_OBJECTOPEN, L"The recordset is open");
    m_lockType = type;
    return S_OK;
}

HRESULT Recordset::get_MaxRecords(ADO_LONGPTR* count)
{
    if (!count)
        return E_POINTER;
    *count = m_maxRecords;
    return S_OK;
}

HRESULT Recordset::put_MaxRecords(ADO_LONGPTR count)
{
    if (m_rows)
        return Fail(ADO_E_OBJECTOPEN, L"The recordset is open");
    if (count < 0)
        return Fail(ADO_E_INVALIDARGUMENT, L"MaxRecords cannot be negative");
    m_maxRecords = count;
    return S_OK;
}

HRESULT Recordset::get_RecordCount(ADO_LONGPTR* count)
{
    if (!count)
        return E_POINTER;
    HRESULT hr = RequireOpen();
    if (FAILED(hr))
        return hr;
    *count = ADO_LONGPTR(m_view.size());
    return S_OK;
}

HRESULT Recordset::put_Source(BSTR source)
{
    if (m_rows)
        return Fail(ADO_E_OBJECTOPEN, L"The recordset is open");
    m_source = TextOf(source);
    return S_OK;
}

HRESULT Recordset::get_Source(VARIANT* source)
{
    if (!source)
        return E_POINTER;
    VariantInit(source);
    source->vt = VT_BSTR;
    return ReturnText(m_source, &source->bstrVal);
}

HRESULT Recordset::CancelUpdate()
{
    // Rows are never edited here, so there is never a change to cancel.
    return RequireOpen();
}

HRESULT Recordset::Close()
{
    HRESULT hr = RequireOpen();
    if (FAILED(hr))
        return hr;
    m_rows.reset();
    m_view.clear();
    m_position = 0;
    return Succeeded();
}

HRESULT Recordset::Open(VARIANT source, VARIANT activeConnection, CursorTypeEnum cursorType, LockTypeEnum lockType,
                        LONG options)
{
    if (m_rows)
        return Fail(ADO_E_OBJECTOPEN, L"The recordset is already open");
    if (source.vt == VT_DISPATCH || source.vt == VT_UNKNOWN)
        return NotAvailable(L"A command as source");
    if (!IsMissing(source)) {
        if (source.vt != VT_BSTR)
            return Fail(ADO_E_INVALIDARGUMENT, L"The source is a text");
        m_source = TextOf(source.bstrVal);
    }
    if (!(activeConnection.vt == VT_ERROR && activeConnection.scode == DISP_E_PARAMNOTFOUND)) {
        const HRESULT hr = put_ActiveConnection(activeConnection);
        if (FAILED(hr))
            return hr;
    }
    if (!m_connection)
        return Fail(ADO_E_INVALIDARGUMENT, L"The recordset has no connection");
    if (cursorType != adOpenUnspecified)
        m_cursorType = cursorType;
    if (lockType != adLockUnspecified)
        m_lockType = lockType;
    std::wstring sql;
    HRESULT hr = StatementOfType(m_source, options == adCmdUnspecified ? long(adCmdUnknown) : long(options), 0, &sql);
    if (FAILED(hr))
        return hr;
    SQLHDBC handle = SQL_NULL_HDBC;
    hr = m_connection->Handle(&handle);
    if (FAILED(hr))
        return hr;
    std::shared_ptr<RowSet> rows;
    hr = RunStatement(handle, sql, {}, &rows, nullptr);
    if (FAILED(hr))
        return hr;
    // A statement without rows leaves the recordset closed, as ADO does.
    if (rows) {
        if (m_maxRecords > 0 && rows->rows.size() > size_t(m_maxRecords))
            rows->rows.resize(size_t(m_maxRecords));
        m_rows = rows;
        m_filter.Put();
        m_sort.clear();
        hr = Arrange();
        if (FAILED(hr))
            return hr;
    }
    return Succeeded();
}

HRESULT Recordset::Requery(LONG)
{
    HRESULT hr = RequireOpen();
    if (FAILED(hr))
        return hr;
    if (!m_connection)
        return Fail(ADO_E_INVALIDARGUMENT, L"The recordset has no connection");
    SQLHDBC handle = SQL_NULL_HDBC;
    hr = m_connection->Handle(&handle);
    if (FAILED(hr))
        return hr;
    std::shared_ptr<RowSet> rows;
    hr = RunStatement(handle, m_source, {}, &rows, nullptr);
    if (FAILED(hr))
        return hr;
    if (!rows)
        return Fail(ADO_E_INVALIDARGUMENT, L"The statement returns no rows any more");
    m_rows = rows;
    hr = Arrange();
    return FAILED(hr) ? hr : Succeeded();
}

HRESULT Recordset::get_EditMode(EditModeEnum* mode)
{
    if (!mode)
        return E_POINTER;
    *mode = adEditNone;
    return RequireOpen();
}

HRESULT Recordset::get_Status(long* status)
{
    if (!status)
        return E_POINTER;
    *status = adRecUnmodified;
    return RequireOpen();
}

HRESULT Recordset::get_State(LONG* state)
{
    if (!state)
        return E_POINTER;
    *state = m_rows ? adStateOpen : adStateClosed;
    return S_OK;
}

HRESULT Recordset::get_CursorLocation(CursorLocationEnum* location)
{
    if (!location)
        return E_POINTER;
    *location = m_cursorLocation;
    return S_OK;
}

HRESULT Recordset::put_CursorLocation(CursorLocationEnum location)
{
    if (m_rows)
        return Fail(ADO_E_OBJECTOPEN, L"The recordset is open");
    m_cursorLocation = location;
    return S_OK;
}

HRESULT Recordset::Supports(CursorOptionEnum options, VARIANT_BOOL* supported)
{
    if (!supported)
        return E_POINTER;
    const long offered = adMovePrevious | adBookmark | adApproxPosition | adFind;
    *supported = (long(options) & ~offered) == 0 ? VARIANT_TRUE : VARIANT_FALSE;
    return S_OK;
}

HRESULT Recordset::get_Collect(VARIANT index, VARIANT* value)
{
    if (!value)
        return E_POINTER;
    HRESULT hr = RequireOpen();
    if (FAILED(hr))
        return hr;
    long column = -1;
    hr = FieldIndex(*m_rows, index, &column);
    if (FAILED(hr))
        return hr;
    return CurrentValue(size_t(column), value);
}

}  // namespace ado

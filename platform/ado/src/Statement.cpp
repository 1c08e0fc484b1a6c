#include "Statement.h"

#include "Errors.h"

#include <sqlext.h>
#include <cstdint>
#include <cwchar>

namespace ado {

namespace {

const LCID kInvariantNumbers = MAKELCID(MAKELANGID(LANG_ENGLISH, SUBLANG_ENGLISH_US), SORT_DEFAULT);

// Frees the statement handle on every path.
class StatementHandle {
public:
    explicit StatementHandle(SQLHDBC connection)
    {
        if (!SQL_SUCCEEDED(SQLAllocHandle(SQL_HANDLE_STMT, connection, &m_handle)))
            m_handle = SQL_NULL_HSTMT;
    }
    ~StatementHandle()
    {
        if (m_handle != SQL_NULL_HSTMT)
            SQLFreeHandle(SQL_HANDLE_STMT, m_handle);
    }
    StatementHandle(const StatementHandle&) = delete;
    StatementHandle& operator=(const StatementHandle&) = delete;
    SQLHSTMT Get() const { return m_handle; }

private:
    SQLHSTMT m_handle = SQL_NULL_HSTMT;
};

bool IsText(SQLSMALLINT type)
{
    switch (type) {
    case SQL_CHAR: case SQL_VARCHAR: case SQL_LONGVARCHAR:
    case SQL_WCHAR: case SQL_WVARCHAR: case SQL_WLONGVARCHAR:
        return true;
    default:
        return false;
    }
}

DataTypeEnum AdoTypeOf(SQLSMALLINT type)
{
    switch (type) {
    case SQL_INTEGER: return adInteger;
    case SQL_SMALLINT: return adSmallInt;
    case SQL_TINYINT: return adTinyInt;
    case SQL_BIGINT: return adBigInt;
    case SQL_BIT: return adBoolean;
    case SQL_REAL: return adSingle;
    case SQL_FLOAT: case SQL_DOUBLE: return adDouble;
    case SQL_DECIMAL: return adDecimal;
    case SQL_NUMERIC: return adNumeric;
    case SQL_TYPE_DATE: case SQL_DATE: return adDBDate;
    case SQL_TYPE_TIME: case SQL_TIME: return adDBTime;
    case SQL_TYPE_TIMESTAMP: case SQL_TIMESTAMP: return adDBTimeStamp;
    case SQL_BINARY: return adBinary;
    case SQL_VARBINARY: return adVarBinary;
    case SQL_LONGVARBINARY: return adLongVarBinary;
    case SQL_CHAR: return adChar;
    case SQL_VARCHAR: return adVarChar;
    case SQL_LONGVARCHAR: return adLongVarChar;
    case SQL_WCHAR: return adWChar;
    case SQL_WLONGVARCHAR: return adLongVarWChar;
    default: return adVarWChar;
    }
}

bool IsFixedLength(DataTypeEnum type)
{
    switch (type) {
    case adVarChar: case adLongVarChar: case adVarWChar: case adLongVarWChar:
    case adVarBinary: case adLongVarBinary:
        return false;
    default:
        return true;
    }
}

SQLSMALLINT SqlTypeOf(DataTypeEnum type)
{
    switch (type) {
    case adTinyInt: case adUnsignedTinyInt: case adSmallInt: case adUnsignedSmallInt: case adInteger:
        return SQL_INTEGER;
    case adBigInt: case adUnsignedInt: case adUnsignedBigInt: return SQL_BIGINT;
    case adSingle: case adDouble: return SQL_DOUBLE;
    case adCurrency: case adDecimal: case adNumeric: case adVarNumeric: return SQL_DECIMAL;
    case adDate: case adDBDate: case adDBTime: case adDBTimeStamp: return SQL_TYPE_TIMESTAMP;
    case adBinary: case adVarBinary: case adLongVarBinary: return SQL_VARBINARY;
    default: return SQL_WVARCHAR;
    }
}

// Reads a long value in pieces (texts as UTF-16, binary data as bytes).
// Returns false on a driver failure; null is set for SQL NULL.
template <class Unit>
bool ReadLong(SQLHSTMT statement, SQLUSMALLINT column, SQLSMALLINT cType, std::basic_string<Unit>* data, bool* null)
{
    Unit buffer[2048];
    const size_t terminator = cType == SQL_C_WCHAR ? 1 : 0;
    *null = false;
    for (;;) {
        SQLLEN indicator = 0;
        const SQLRETURN rc = SQLGetData(statement, column, cType, buffer, sizeof buffer, &indicator);
        if (rc == SQL_NO_DATA)
            return true;
        if (!SQL_SUCCEEDED(rc))
            return false;
        if (indicator == SQL_NULL_DATA) {
            *null = true;
            return true;
        }
        const size_t room = sizeof buffer / sizeof(Unit) - terminator;
        size_t units = room;
        if (indicator != SQL_NO_TOTAL && size_t(indicator) / sizeof(Unit) < room)
            units = size_t(indicator) / sizeof(Unit);
        data->append(buffer, units);
        if (rc == SQL_SUCCESS)
            return true;
    }
}

HRESULT ReadValue(SQLHSTMT statement, SQLUSMALLINT number, const Column& column, VARIANT* value)
{
    SQLLEN indicator = 0;
    SQLRETURN rc = SQL_SUCCESS;
    switch (column.sqlType) {
    case SQL_INTEGER: case SQL_SMALLINT: case SQL_TINYINT: {
        SQLINTEGER number32 = 0;
        rc = SQLGetData(statement, number, SQL_C_SLONG, &number32, 0, &indicator);
        value->vt = VT_I4;
        value->lVal = number32;
        break;
    }
    case SQL_BIT: {
        SQLINTEGER bit = 0;
        rc = SQLGetData(statement, number, SQL_C_SLONG, &bit, 0, &indicator);
        value->vt = VT_BOOL;
        value->boolVal = bit ? VARIANT_TRUE : VARIANT_FALSE;
        break;
    }
    case SQL_BIGINT: {
        SQLBIGINT number64 = 0;
        rc = SQLGetData(statement, number, SQL_C_SBIGINT, &number64, 0, &indicator);
        if (number64 >= INT32_MIN && number64 <= INT32_MAX) {
            value->vt = VT_I4;
            value->lVal = LONG(number64);
        } else {
            value->vt = VT_R8;
            value->dblVal = double(number64);
        }
        break;
    }
    case SQL_REAL: case SQL_FLOAT: case SQL_DOUBLE: {
        double real = 0;
        rc = SQLGetData(statement, number, SQL_C_DOUBLE, &real, 0, &indicator);
        value->vt = VT_R8;
        value->dblVal = real;
        break;
    }
    case SQL_TYPE_DATE: case SQL_DATE: case SQL_TYPE_TIME: case SQL_TIME:
    case SQL_TYPE_TIMESTAMP: case SQL_TIMESTAMP: {
        SQL_TIMESTAMP_STRUCT stamp = {};
        rc = SQLGetData(statement, number, SQL_C_TYPE_TIMESTAMP, &stamp, 0, &indicator);
        if (SQL_SUCCEEDED(rc) && indicator != SQL_NULL_DATA) {
            SYSTEMTIME time = {};
            time.wYear = stamp.year ? WORD(stamp.year) : 1899;
            time.wMonth = stamp.month ? stamp.month : 12;
            time.wDay = stamp.day ? stamp.day : 30;
            time.wHour = stamp.hour;
            time.wMinute = stamp.minute;
            time.wSecond = stamp.second;
            value->vt = VT_DATE;
            if (!SystemTimeToVariantTime(&time, &value->date))
                return Fail(ADO_E_INVALIDARGUMENT, L"A date of column " + column.name + L" is out of range");
        }
        break;
    }
    case SQL_BINARY: case SQL_VARBINARY: case SQL_LONGVARBINARY: {
        std::basic_string<unsigned char> bytes;
        bool null = false;
        if (!ReadLong(statement, number, SQL_C_BINARY, &bytes, &null))
            return OdbcFailure(SQL_HANDLE_STMT, statement);
        if (null) {
            value->vt = VT_NULL;
            return S_OK;
        }
        SAFEARRAY* array = SafeArrayCreateVector(VT_UI1, 0, ULONG(bytes.size()));
        if (!array)
            return E_OUTOFMEMORY;
        if (!bytes.empty())
            memcpy(array->pvData, bytes.data(), bytes.size());
        value->vt = VT_ARRAY | VT_UI1;
        value->parray = array;
        return S_OK;
    }
    default: {
        std::basic_string<SQLWCHAR> text;
        bool null = false;
        if (!ReadLong(statement, number, SQL_C_WCHAR, &text, &null))
            return OdbcFailure(SQL_HANDLE_STMT, statement);
        if (null) {
            value->vt = VT_NULL;
            return S_OK;
        }
        BSTR string = SysAllocStringLen(reinterpret_cast<const OLECHAR*>(text.data()), UINT(text.size()));
        if (!string)
            return E_OUTOFMEMORY;
        if (column.sqlType == SQL_DECIMAL || column.sqlType == SQL_NUMERIC) {
            DECIMAL decimal;
            if (SUCCEEDED(VarDecFromStr(string, kInvariantNumbers, 0, &decimal))) {
                SysFreeString(string);
                value->decVal = decimal;
                value->vt = VT_DECIMAL;
                return S_OK;
            }
        }
        value->vt = VT_BSTR;
        value->bstrVal = string;
        return S_OK;
    }
    }
    if (!SQL_SUCCEEDED(rc)) {
        VariantInit(value);
        return OdbcFailure(SQL_HANDLE_STMT, statement);
    }
    if (indicator == SQL_NULL_DATA) {
        VariantInit(value);
        value->vt = VT_NULL;
    }
    return S_OK;
}

HRESULT FetchAll(SQLHSTMT statement, SQLSMALLINT columnCount, RowSet* rows)
{
    for (SQLSMALLINT i = 1; i <= columnCount; ++i) {
        SQLWCHAR name[256] = {};
        SQLSMALLINT nameLength = 0, nullable = SQL_NULLABLE_UNKNOWN;
        Column column;
        if (!SQL_SUCCEEDED(SQLDescribeColW(statement, SQLUSMALLINT(i), name, 256, &nameLength, &column.sqlType,
                                           &column.size, &column.digits, &nullable)))
            return OdbcFailure(SQL_HANDLE_STMT, statement);
        column.name = reinterpret_cast<const wchar_t*>(name);
        column.nullable = nullable != SQL_NO_NULLS;
        column.adoType = AdoTypeOf(column.sqlType);
        column.attributes = (column.nullable ? adFldIsNullable | adFldMayBeNull : 0) |
                            (IsFixedLength(column.adoType) ? adFldFixed : 0) |
                            (IsText(column.sqlType) && column.size > 255 ? adFldLong : 0);
        rows->columns.push_back(column);
    }
    for (;;) {
        const SQLRETURN rc = SQLFetch(statement);
        if (rc == SQL_NO_DATA)
            return S_OK;
        if (!SQL_SUCCEEDED(rc))
            return OdbcFailure(SQL_HANDLE_STMT, statement);
        std::vector<Variant> row(rows->columns.size());
        for (size_t i = 0; i < rows->columns.size(); ++i) {
            const HRESULT hr = ReadValue(statement, SQLUSMALLINT(i + 1), rows->columns[i], row[i].Put());
            if (FAILED(hr))
                return hr;
        }
        rows->rows.push_back(std::move(row));
    }
}

// What one value is bound from; it must live until the statement ran.
struct ParameterBuffer {
    SQLLEN indicator = 0;
    SQLINTEGER number32 = 0;
    SQLBIGINT number64 = 0;
    double real = 0;
    SQL_TIMESTAMP_STRUCT stamp = {};
    std::wstring text;
    std::vector<unsigned char> bytes;
};

HRESULT BindValue(SQLHSTMT statement, SQLUSMALLINT number, const BoundValue& bound, ParameterBuffer* buffer)
{
    const VARIANT& value = bound.value.Get();
    SQLSMALLINT cType = SQL_C_WCHAR, sqlType = SqlTypeOf(bound.type);
    SQLULEN size = 0;
    SQLSMALLINT digits = 0;
    void* data = nullptr;
    SQLLEN length = 0;
    switch (value.vt) {
    case VT_EMPTY: case VT_NULL:
        buffer->indicator = SQL_NULL_DATA;
        data = &buffer->number32;
        size = 1;
        break;
    case VT_I1: case VT_I2: case VT_I4: case VT_INT: case VT_UI1: case VT_UI2: case VT_BOOL: {
        VARIANT converted;
        VariantInit(&converted);
        VariantChangeType(&converted, const_cast<VARIANT*>(&value), 0, VT_I4);
        buffer->number32 = value.vt == VT_BOOL ? (value.boolVal ? 1 : 0) : converted.lVal;
        cType = SQL_C_SLONG;
        sqlType = SQL_INTEGER;
        data = &buffer->number32;
        break;
    }
    case VT_UI4: case VT_UINT: case VT_I8:
        buffer->number64 = value.vt == VT_I8 ? value.llVal : SQLBIGINT(value.ulVal);
        cType = SQL_C_SBIGINT;
        sqlType = SQL_BIGINT;
        data = &buffer->number64;
        break;
    case VT_R4: case VT_R8:
        buffer->real = value.vt == VT_R4 ? value.fltVal : value.dblVal;
        cType = SQL_C_DOUBLE;
        sqlType = SQL_DOUBLE;
        data = &buffer->real;
        break;
    case VT_DATE: {
        SYSTEMTIME time = {};
        if (!VariantTimeToSystemTime(value.date, &time))
            return Fail(ADO_E_INVALIDARGUMENT, L"A parameter's date is out of range");
        buffer->stamp.year = SQLSMALLINT(time.wYear);
        buffer->stamp.month = time.wMonth;
        buffer->stamp.day = time.wDay;
        buffer->stamp.hour = time.wHour;
        buffer->stamp.minute = time.wMinute;
        buffer->stamp.second = time.wSecond;
        cType = SQL_C_TYPE_TIMESTAMP;
        sqlType = SQL_TYPE_TIMESTAMP;
        size = 19;
        data = &buffer->stamp;
        break;
    }
    case VT_ARRAY | VT_UI1: {
        void* elements = nullptr;
        LONG lower = 0, upper = -1;
        SafeArrayGetLBound(value.parray, 1, &lower);
        SafeArrayGetUBound(value.parray, 1, &upper);
        if (FAILED(SafeArrayAccessData(value.parray, &elements)))
            return Fail(ADO_E_INVALIDARGUMENT, L"A parameter's byte array cannot be read");
        buffer->bytes.assign(static_cast<unsigned char*>(elements),
                             static_cast<unsigned char*>(elements) + (upper - lower + 1));
        SafeArrayUnaccessData(value.parray);
        cType = SQL_C_BINARY;
        sqlType = SQL_VARBINARY;
        size = buffer->bytes.empty() ? 1 : buffer->bytes.size();
        data = buffer->bytes.data();
        length = SQLLEN(buffer->bytes.size());
        buffer->indicator = length;
        break;
    }
    default: {
        // Texts, and numbers kept exactly (currency, decimals) as their text.
        VARIANT converted;
        VariantInit(&converted);
        if (FAILED(VariantChangeTypeEx(&converted, const_cast<VARIANT*>(&value), kInvariantNumbers, 0, VT_BSTR)))
            return Fail(ADO_E_INVALIDARGUMENT, L"A parameter's value has a type that cannot be sent");
        buffer->text.assign(converted.bstrVal, SysStringLen(converted.bstrVal));
        VariantClear(&converted);
        if (value.vt == VT_CY || value.vt == VT_DECIMAL) {
            sqlType = SQL_DECIMAL;
            digits = value.vt == VT_CY ? 4 : SQLSMALLINT(value.decVal.scale);
            size = 28;
        } else {
            sqlType = SQL_WVARCHAR;
            size = buffer->text.empty() ? 1 : buffer->text.size();
        }
        data = const_cast<wchar_t*>(buffer->text.c_str());
        length = SQLLEN((buffer->text.size() + 1) * sizeof(wchar_t));
        buffer->indicator = SQLLEN(buffer->text.size() * sizeof(wchar_t));
        break;
    }
    }
    if (cType != SQL_C_WCHAR && cType != SQL_C_BINARY && value.vt != VT_EMPTY && value.vt != VT_NULL)
        buffer->indicator = 0;
    const SQLRETURN rc = SQLBindParameter(statement, number, SQL_PARAM_INPUT, cType, sqlType, size, digits, data,
                                          length, &buffer->indicator);
    return SQL_SUCCEEDED(rc) ? S_OK : OdbcFailure(SQL_HANDLE_STMT, statement);
}

}  // namespace

Variant::Variant(const VARIANT& value)
{
    VariantInit(&m_value);
    VariantCopy(&m_value, const_cast<VARIANT*>(&value));
}

Variant::Variant(const Variant& other)
{
    VariantInit(&m_value);
    VariantCopy(&m_value, const_cast<VARIANT*>(&other.m_value));
}

Variant& Variant::operator=(const Variant& other)
{
    if (this != &other)
        VariantCopy(&m_value, const_cast<VARIANT*>(&other.m_value));
    return *this;
}

VARIANT* Variant::Put()
{
    VariantClear(&m_value);
    return &m_value;
}

HRESULT Variant::CopyTo(VARIANT* target) const
{
    if (!target)
        return E_POINTER;
    VariantInit(target);
    return VariantCopy(target, const_cast<VARIANT*>(&m_value));
}

int RowSet::Find(const std::wstring& name) const
{
    for (size_t i = 0; i < columns.size(); ++i)
        if (CompareStringW(LOCALE_INVARIANT, NORM_IGNORECASE, columns[i].name.c_str(), -1, name.c_str(), -1) ==
            CSTR_EQUAL)
            return int(i);
    return -1;
}

HRESULT StatementOfType(const std::wstring& text, long options, size_t parameterCount, std::wstring* sql)
{
    switch (options & (0x0F | adCmdFile | adCmdTableDirect)) {
    case adCmdTable: case adCmdTableDirect:
        *sql = L"SELECT * FROM " + text;
        return S_OK;
    case adCmdStoredProc: {
        std::wstring markers;
        for (size_t i = 0; i < parameterCount; ++i)
            markers += i ? L",?" : L"?";
        *sql = L"{call " + text + (parameterCount ? L"(" + markers + L")" : L"") + L"}";
        return S_OK;
    }
    case adCmdFile:
        return NotAvailable(L"Opening a file");
    default:
        *sql = text;
        return S_OK;
    }
}

HRESULT RunStatement(SQLHDBC connection, const std::wstring& sql, const std::vector<BoundValue>& values,
                     std::shared_ptr<RowSet>* rows, long* affected)
{
    if (rows)
        rows->reset();
    if (affected)
        *affected = -1;
    StatementHandle statement(connection);
    if (statement.Get() == SQL_NULL_HSTMT)
        return OdbcFailure(SQL_HANDLE_DBC, connection);
    SQLWCHAR* text = reinterpret_cast<SQLWCHAR*>(const_cast<wchar_t*>(sql.c_str()));
    SQLRETURN rc;
    std::vector<ParameterBuffer> buffers(values.size());
    if (values.empty()) {
        rc = SQLExecDirectW(statement.Get(), text, SQL_NTS);
    } else {
        rc = SQLPrepareW(statement.Get(), text, SQL_NTS);
        if (!SQL_SUCCEEDED(rc))
            return OdbcFailure(SQL_HANDLE_STMT, statement.Get());
        for (size_t i = 0; i < values.size(); ++i) {
            const HRESULT hr = BindValue(statement.Get(), SQLUSMALLINT(i + 1), values[i], &buffers[i]);
            if (FAILED(hr))
                return hr;
        }
        rc = SQLExecute(statement.Get());
    }
    if (!SQL_SUCCEEDED(rc) && rc != SQL_NO_DATA)
        return OdbcFailure(SQL_HANDLE_STMT, statement.Get());
    SQLLEN count = -1;
    if (affected && SQL_SUCCEEDED(SQLRowCount(statement.Get(), &count)))
        *affected = long(count);
    SQLSMALLINT columnCount = 0;
    if (!SQL_SUCCEEDED(SQLNumResultCols(statement.Get(), &columnCount)))
        return OdbcFailure(SQL_HANDLE_STMT, statement.Get());
    if (columnCount > 0 && rows) {
        auto fetched = std::make_shared<RowSet>();
        const HRESULT hr = FetchAll(statement.Get(), columnCount, fetched.get());
        if (FAILED(hr))
            return hr;
        *rows = fetched;
    }
    return Succeeded();
}

}  // namespace ado

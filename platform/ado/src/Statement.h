// Running one SQL statement on an ODBC connection and fetching all it
// returns: the static row set that recordsets move over.
#pragma once

#include "AdoObjects.h"

#include <sql.h>
#include <memory>
#include <string>
#include <vector>

namespace ado {

// A VARIANT that owns what it holds.
class Variant {
public:
    Variant() { VariantInit(&m_value); }
    explicit Variant(const VARIANT& value);
    Variant(const Variant& other);
    Variant& operator=(const Variant& other);
    ~Variant() { VariantClear(&m_value); }
    const VARIANT& Get() const { return m_value; }
    VARIANT* Put();  // cleared, to be filled
    HRESULT CopyTo(VARIANT* target) const;

private:
    VARIANT m_value;
};

struct Column {
    std::wstring name;
    SQLSMALLINT sqlType = 0;
    SQLULEN size = 0;
    SQLSMALLINT digits = 0;
    bool nullable = true;
    DataTypeEnum adoType = adEmpty;
    long attributes = 0;  // FieldAttributeEnum bits
};

struct RowSet {
    std::vector<Column> columns;
    std::vector<std::vector<Variant>> rows;
    // The column of that name (case-blind), -1 when there is none.
    int Find(const std::wstring& name) const;
};

struct BoundValue {
    Variant value;
    DataTypeEnum type = adEmpty;  // what a null value is bound as
};

// The SQL text for a command of the given type (the CommandTypeEnum bits of
// options): a text as it is, a table's rows, a stored procedure's call with
// one marker per parameter; a file is not available.
HRESULT StatementOfType(const std::wstring& text, long options, size_t parameterCount, std::wstring* sql);

// Runs the statement (with ? markers for the values, in order). rows gets
// the fetched rows when the statement returns columns, else stays empty;
// affected gets the driver's row count (-1 when it has none).
HRESULT RunStatement(SQLHDBC connection, const std::wstring& sql, const std::vector<BoundValue>& values,
                     std::shared_ptr<RowSet>* rows, long* affected);

}  // namespace ado

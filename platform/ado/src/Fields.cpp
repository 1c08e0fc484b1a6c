#include "Fields.h"

#include "Connection.h"
#include "Iids.h"
#include "Texts.h"

namespace ado {

namespace {


}  // namespace

HRESULT FieldIndex(const RowSet& rows, const VARIANT& index, long* column)
{
    const VARIANT* value = &index;
    if (index.vt == (VT_VARIANT | VT_BYREF) && index.pvarVal)
        value = index.pvarVal;
    if (value->vt == VT_BSTR) {
        const std::wstring name(value->bstrVal, SysStringLen(value->bstrVal));
        *column = rows.Find(name);
        if (*column < 0)
            return Fail(ADO_E_ITEMNOTFOUND, L"No field is named " + name);
        return S_OK;
    }
    VARIANT number;
    VariantInit(&number);
    if (FAILED(VariantChangeType(&number, const_cast<VARIANT*>(value), 0, VT_I4)))
        return Fail(ADO_E_INVALIDARGUMENT, L"A field is named or numbered");
    if (number.lVal < 0 || size_t(number.lVal) >= rows.columns.size())
        return Fail(ADO_E_ITEMNOTFOUND, L"No field has that number");
    *column = number.lVal;
    return S_OK;
}

Fields::Fields(Recordset* recordset)
    : ComObject({IID_AdoFields, kIidFields20, kIidFields15, kIidAdoCollection}), m_recordset(recordset)
{
    m_recordset->AddRef();
}

Fields::~Fields()
{
    m_recordset->Release();
}

HRESULT Fields::get_Count(long* count)
{
    if (!count)
        return E_POINTER;
    const RowSet* rows = nullptr;
    *count = SUCCEEDED(m_recordset->Columns(&rows)) ? long(rows->columns.size()) : 0;
    return S_OK;
}

HRESULT Fields::get_Item(VARIANT index, ADOField** field)
{
    if (!field)
        return E_POINTER;
    *field = nullptr;
    const RowSet* rows = nullptr;
    HRESULT hr = m_recordset->Columns(&rows);
    if (FAILED(hr))
        return hr;
    long column = -1;
    hr = FieldIndex(*rows, index, &column);
    if (FAILED(hr))
        return hr;
    *field = new Field(m_recordset, column);
    return S_OK;
}

Field::Field(Recordset* recordset, long column)
    : ComObject({IID_AdoField, kIidField20, kIidField15}), m_recordset(recordset), m_column(column)
{
    m_recordset->AddRef();
}

Field::~Field()
{
    m_recordset->Release();
}

HRESULT Field::ColumnOf(const Column** column)
{
    const RowSet* rows = nullptr;
    const HRESULT hr = m_recordset->Columns(&rows);
    if (FAILED(hr))
        return hr;
    // A requery may bring other columns.
    if (size_t(m_column) >= rows->columns.size())
        return Fail(ADO_E_ITEMNOTFOUND, L"The field is gone");
    *column = &rows->columns[size_t(m_column)];
    return S_OK;
}

HRESULT Field::get_ActualSize(ADO_LONGPTR* size)
{
    if (!size)
        return E_POINTER;
    VARIANT value;
    VariantInit(&value);
    HRESULT hr = m_recordset->CurrentValue(size_t(m_column), &value);
    if (FAILED(hr))
        return hr;
    switch (value.vt) {
    case VT_NULL: case VT_EMPTY: *size = 0; break;
    case VT_BSTR: *size = SysStringLen(value.bstrVal); break;
    case VT_ARRAY | VT_UI1: *size = ADO_LONGPTR(value.parray->rgsabound[0].cElements); break;
    case VT_DECIMAL: *size = sizeof(DECIMAL); break;
    case VT_R8: case VT_DATE: *size = 8; break;
    case VT_BOOL: *size = 2; break;
    default: *size = 4; break;
    }
    VariantClear(&value);
    return S_OK;
}

HRESULT Field::get_Attributes(long* attributes)
{
    if (!attributes)
        return E_POINTER;
    const Column* column = nullptr;
    const HRESULT hr = ColumnOf(&column);
    if (SUCCEEDED(hr))
        *attributes = column->attributes;
    return hr;
}

HRESULT Field::get_DefinedSize(ADO_LONGPTR* size)
{
    if (!size)
        return E_POINTER;
    const Column* column = nullptr;
    const HRESULT hr = ColumnOf(&column);
    if (SUCCEEDED(hr))
        *size = ADO_LONGPTR(column->size);
    return hr;
}

HRESULT Field::get_Name(BSTR* name)
{
    if (!name)
        return E_POINTER;
    const Column* column = nullptr;
    const HRESULT hr = ColumnOf(&column);
    return SUCCEEDED(hr) ? ReturnText(column->name, name) : hr;
}

HRESULT Field::get_Type(DataTypeEnum* type)
{
    if (!type)
        return E_POINTER;
    const Column* column = nullptr;
    const HRESULT hr = ColumnOf(&column);
    if (SUCCEEDED(hr))
        *type = column->adoType;
    return hr;
}

HRESULT Field::get_Value(VARIANT* value)
{
    if (!value)
        return E_POINTER;
    return m_recordset->CurrentValue(size_t(m_column), value);
}

HRESULT Field::get_Precision(BYTE* precision)
{
    if (!precision)
        return E_POINTER;
    const Column* column = nullptr;
    const HRESULT hr = ColumnOf(&column);
    if (SUCCEEDED(hr))
        *precision = BYTE(column->adoType == adDecimal || column->adoType == adNumeric ? column->size : 255);
    return hr;
}

HRESULT Field::get_NumericScale(BYTE* scale)
{
    if (!scale)
        return E_POINTER;
    const Column* column = nullptr;
    const HRESULT hr = ColumnOf(&column);
    if (SUCCEEDED(hr))
        *scale = BYTE(column->adoType == adDecimal || column->adoType == adNumeric ? column->digits : 255);
    return hr;
}

HRESULT Field::get_Status(long* status)
{
    if (!status)
        return E_POINTER;
    *status = 0;
    return S_OK;
}

}  // namespace ado

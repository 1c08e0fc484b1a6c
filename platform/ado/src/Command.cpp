#include "Command.h"

#include "Connection.h"
#include "Iids.h"
#include "Recordset.h"
#include "Texts.h"

#include <sqlext.h>

namespace ado {

namespace {


const long kCommandTypeBits = 0x0F | adCmdFile | adCmdTableDirect;


template <class T>
HRESULT Return(T value, T* out)
{
    if (!out)
        return E_POINTER;
    *out = value;
    return S_OK;
}

}  // namespace

// Parameter

Parameter::Parameter() : ComObject({IID_AdoParameter, kIidAdo})
{
}

HRESULT Parameter::get_Name(BSTR* name) { return ReturnText(m_name, name); }
HRESULT Parameter::put_Name(BSTR name) { m_name = TextOf(name); return S_OK; }
HRESULT Parameter::get_Value(VARIANT* value) { return m_value.CopyTo(value); }

HRESULT Parameter::put_Value(VARIANT value)
{
    const VARIANT* given = value.vt == (VT_VARIANT | VT_BYREF) && value.pvarVal ? value.pvarVal : &value;
    m_value = Variant(*given);
    return S_OK;
}

HRESULT Parameter::get_Type(DataTypeEnum* type) { return Return(m_type, type); }
HRESULT Parameter::put_Type(DataTypeEnum type) { m_type = type; return S_OK; }
HRESULT Parameter::put_Direction(ParameterDirectionEnum direction) { m_direction = direction; return S_OK; }
HRESULT Parameter::get_Direction(ParameterDirectionEnum* direction) { return Return(m_direction, direction); }
HRESULT Parameter::put_Precision(BYTE precision) { m_precision = precision; return S_OK; }
HRESULT Parameter::get_Precision(BYTE* precision) { return Return(m_precision, precision); }
HRESULT Parameter::put_NumericScale(BYTE scale) { m_scale = scale; return S_OK; }
HRESULT Parameter::get_NumericScale(BYTE* scale) { return Return(m_scale, scale); }

HRESULT Parameter::put_Size(ADO_LONGPTR size)
{
    if (size < 0)
        return Fail(ADO_E_INVALIDARGUMENT, L"A parameter's size cannot be negative");
    m_size = size;
    return S_OK;
}

HRESULT Parameter::get_Size(ADO_LONGPTR* size) { return Return(m_size, size); }
HRESULT Parameter::get_Attributes(LONG* attributes) { return Return(m_attributes, attributes); }
HRESULT Parameter::put_Attributes(LONG attributes) { m_attributes = attributes; return S_OK; }

// Parameters

Parameters::Parameters() : ComObject({IID_AdoParameters, kIidAdoDynaCollection, kIidAdoCollection})
{
}

Parameters::~Parameters()
{
    for (_ADOParameter* item : m_items)
        item->Release();
}

HRESULT Parameters::Values(std::vector<BoundValue>* values)
{
    values->clear();
    for (_ADOParameter* item : m_items) {
        ParameterDirectionEnum direction = adParamInput;
        BoundValue bound;
        HRESULT hr = item->get_Direction(&direction);
        if (SUCCEEDED(hr) && direction != adParamInput && direction != adParamUnknown)
            return NotAvailable(L"An output or return-value parameter");
        if (SUCCEEDED(hr))
            hr = item->get_Type(&bound.type);
        if (SUCCEEDED(hr))
            hr = item->get_Value(bound.value.Put());
        if (FAILED(hr))
            return hr;
        values->push_back(bound);
    }
    return S_OK;
}

HRESULT Parameters::get_Count(long* count) { return Return(long(m_items.size()), count); }

HRESULT Parameters::Append(IDispatch* object)
{
    _ADOParameter* parameter = nullptr;
    if (!object || FAILED(object->QueryInterface(IID_AdoParameter, reinterpret_cast<void**>(&parameter))))
        return Fail(ADO_E_INVALIDARGUMENT, L"Only a parameter can be appended");
    m_items.push_back(parameter);
    return S_OK;
}

HRESULT Parameters::IndexOf(const VARIANT& index, size_t* at)
{
    if (index.vt == VT_BSTR) {
        const std::wstring name = TextOf(index.bstrVal);
        for (size_t i = 0; i < m_items.size(); ++i) {
            BSTR itemName = nullptr;
            if (SUCCEEDED(m_items[i]->get_Name(&itemName))) {
                const bool same = _wcsicmp(TextOf(itemName).c_str(), name.c_str()) == 0;
                SysFreeString(itemName);
                if (same) {
                    *at = i;
                    return S_OK;
                }
            }
        }
        return Fail(ADO_E_ITEMNOTFOUND, L"No parameter is named " + name);
    }
    VARIANT number;
    VariantInit(&number);
    if (FAILED(VariantChangeType(&number, const_cast<VARIANT*>(&index), 0, VT_I4)) || number.lVal < 0 ||
        size_t(number.lVal) >= m_items.size())
        return Fail(ADO_E_ITEMNOTFOUND, L"No parameter has that number");
    *at = size_t(number.lVal);
    return S_OK;
}

HRESULT Parameters::Delete(VARIANT index)
{
    size_t at = 0;
    const HRESULT hr = IndexOf(index, &at);
    if (FAILED(hr))
        return hr;
    m_items[at]->Release();
    m_items.erase(m_items.begin() + long(at));
    return S_OK;
}

HRESULT Parameters::get_Item(VARIANT index, _ADOParameter** parameter)
{
    if (!parameter)
        return E_POINTER;
    *parameter = nullptr;
    size_t at = 0;
    const HRESULT hr = IndexOf(index, &at);
    if (FAILED(hr))
        return hr;
    *parameter = m_items[at];
    m_items[at]->AddRef();
    return S_OK;
}

// Command

Command::Command() : ComObject({IID_AdoCommand, kIidCommand25, kIidCommand15, kIidAdo}), m_parameters(new Parameters)
{
}

Command::~Command()
{
    m_parameters->Release();
    if (m_connection)
        m_connection->Release();
}

HRESULT Command::get_ActiveConnection(_ADOConnection** connection)
{
    if (!connection)
        return E_POINTER;
    *connection = m_connection;
    if (m_connection)
        m_connection->AddRef();
    return S_OK;
}

HRESULT Command::putref_ActiveConnection(_ADOConnection* connection)
{
    VARIANT value;
    value.vt = VT_DISPATCH;
    value.pdispVal = connection;
    return put_ActiveConnection(value);
}

HRESULT Command::put_ActiveConnection(VARIANT connection)
{
    return Connection::Assign(connection, &m_connection);
}

HRESULT Command::get_CommandText(BSTR* text) { return ReturnText(m_text, text); }
HRESULT Command::put_CommandText(BSTR text) { m_text = TextOf(text); return S_OK; }
HRESULT Command::get_CommandTimeout(LONG* seconds) { return Return(m_timeout, seconds); }

HRESULT Command::put_CommandTimeout(LONG seconds)
{
    if (seconds < 0)
        return Fail(ADO_E_INVALIDARGUMENT, L"A time-out cannot be negative");
    m_timeout = seconds;
    return S_OK;
}

HRESULT Command::get_Prepared(VARIANT_BOOL* prepared) { return Return(m_prepared, prepared); }
HRESULT Command::put_Prepared(VARIANT_BOOL prepared) { m_prepared = prepared; return S_OK; }

HRESULT Command::Execute(VARIANT* recordsAffected, VARIANT* parameters, long options, _ADORecordset** recordset)
{
    if (recordset)
        *recordset = nullptr;
    if (parameters && !(parameters->vt == VT_ERROR && parameters->scode == DISP_E_PARAMNOTFOUND) &&
        parameters->vt != VT_EMPTY)
        return NotAvailable(L"Parameter values given to Execute");
    if (!m_connection)
        return Fail(ADO_E_INVALIDARGUMENT, L"The command has no connection");
    long type = options == adOptionUnspecified ? 0 : options & kCommandTypeBits;
    if (type == 0)
        type = m_type;
    std::vector<BoundValue> values;
    HRESULT hr = m_parameters->Values(&values);
    if (FAILED(hr))
        return hr;
    std::wstring sql;
    hr = StatementOfType(m_text, type, values.size(), &sql);
    if (FAILED(hr))
        return hr;
    return ExecuteStatement(m_connection, sql, values, options, recordsAffected, recordset);
}

HRESULT Command::CreateParameter(BSTR name, DataTypeEnum type, ParameterDirectionEnum direction, ADO_LONGPTR size,
                                 VARIANT value, _ADOParameter** parameter)
{
    if (!parameter)
        return E_POINTER;
    Parameter* created = new Parameter;
    created->put_Name(name);
    created->put_Type(type);
    created->put_Direction(direction);
    HRESULT hr = created->put_Size(size);
    if (SUCCEEDED(hr) && !(value.vt == VT_ERROR && value.scode == DISP_E_PARAMNOTFOUND))
        hr = created->put_Value(value);
    if (FAILED(hr)) {
        created->Release();
        *parameter = nullptr;
        return hr;
    }
    *parameter = created;
    return S_OK;
}

HRESULT Command::get_Parameters(ADOParameters** parameters)
{
    if (!parameters)
        return E_POINTER;
    *parameters = m_parameters;
    m_parameters->AddRef();
    return S_OK;
}

HRESULT Command::put_CommandType(CommandTypeEnum type)
{
    m_type = type;
    return S_OK;
}

HRESULT Command::get_CommandType(CommandTypeEnum* type) { return Return(m_type, type); }
HRESULT Command::get_Name(BSTR* name) { return ReturnText(m_name, name); }
HRESULT Command::put_Name(BSTR name) { m_name = TextOf(name); return S_OK; }
HRESULT Command::get_State(LONG* state) { return Return(LONG(adStateClosed), state); }

}  // namespace ado

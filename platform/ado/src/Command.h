// The Command object with its Parameters collection, and the Parameter
// object. Commands run with input parameters bound to ? markers in order.
#pragma once

#include "ComObject.h"
#include "Errors.h"
#include "Statement.h"

#include <string>
#include <vector>

namespace ado {

class Connection;

class Parameter : public ComObject<_ADOParameter> {
public:
    Parameter();

    HRESULT STDMETHODCALLTYPE get_Properties(ADOProperties**) override ADO_NOT_AVAILABLE("Properties")
    HRESULT STDMETHODCALLTYPE get_Name(BSTR* name) override;
    HRESULT STDMETHODCALLTYPE put_Name(BSTR name) override;
    HRESULT STDMETHODCALLTYPE get_Value(VARIANT* value) override;
    HRESULT STDMETHODCALLTYPE put_Value(VARIANT value) override;
    HRESULT STDMETHODCALLTYPE get_Type(DataTypeEnum* type) override;
    HRESULT STDMETHODCALLTYPE put_Type(DataTypeEnum type) override;
    HRESULT STDMETHODCALLTYPE put_Direction(ParameterDirectionEnum direction) override;
    HRESULT STDMETHODCALLTYPE get_Direction(ParameterDirectionEnum* direction) override;
    HRESULT STDMETHODCALLTYPE put_Precision(BYTE precision) override;
    HRESULT STDMETHODCALLTYPE get_Precision(BYTE* precision) override;
    HRESULT STDMETHODCALLTYPE put_NumericScale(BYTE scale) override;
    HRESULT STDMETHODCALLTYPE get_NumericScale(BYTE* scale) override;
    HRESULT STDMETHODCALLTYPE put_Size(ADO_LONGPTR size) override;
    HRESULT STDMETHODCALLTYPE get_Size(ADO_LONGPTR* size) override;
    HRESULT STDMETHODCALLTYPE AppendChunk(VARIANT) override ADO_NOT_AVAILABLE("AppendChunk")
    HRESULT STDMETHODCALLTYPE get_Attributes(LONG* attributes) override;
    HRESULT STDMETHODCALLTYPE put_Attributes(LONG attributes) override;

private:
    std::wstring m_name;
    Variant m_value;
    DataTypeEnum m_type = adEmpty;
    ParameterDirectionEnum m_direction = adParamInput;
    BYTE m_precision = 0;
    BYTE m_scale = 0;
    ADO_LONGPTR m_size = 0;
    LONG m_attributes = 0;
};

class Parameters : public ComObject<ADOParameters> {
public:
    Parameters();
    ~Parameters() override;

    // The input values in order; ADO_E_NOTAVAILABLE for another direction.
    HRESULT Values(std::vector<BoundValue>* values);

    HRESULT STDMETHODCALLTYPE get_Count(long* count) override;
    HRESULT STDMETHODCALLTYPE _NewEnum(IUnknown**) override ADO_NOT_AVAILABLE("Enumerating parameters")
    HRESULT STDMETHODCALLTYPE Refresh() override { return S_OK; }
    HRESULT STDMETHODCALLTYPE Append(IDispatch* object) override;
    HRESULT STDMETHODCALLTYPE Delete(VARIANT index) override;
    HRESULT STDMETHODCALLTYPE get_Item(VARIANT index, _ADOParameter** parameter) override;

private:
    HRESULT IndexOf(const VARIANT& index, size_t* at);

    std::vector<_ADOParameter*> m_items;  // references held
};

class Command : public ComObject<_ADOCommand> {
public:
    Command();
    ~Command() override;

    HRESULT STDMETHODCALLTYPE get_Properties(ADOProperties**) override ADO_NOT_AVAILABLE("Properties")
    HRESULT STDMETHODCALLTYPE get_ActiveConnection(_ADOConnection** connection) override;
    HRESULT STDMETHODCALLTYPE putref_ActiveConnection(_ADOConnection* connection) override;
    HRESULT STDMETHODCALLTYPE put_ActiveConnection(VARIANT connection) override;
    HRESULT STDMETHODCALLTYPE get_CommandText(BSTR* text) override;
    HRESULT STDMETHODCALLTYPE put_CommandText(BSTR text) override;
    HRESULT STDMETHODCALLTYPE get_CommandTimeout(LONG* seconds) override;
    HRESULT STDMETHODCALLTYPE put_CommandTimeout(LONG seconds) override;
    HRESULT STDMETHODCALLTYPE get_Prepared(VARIANT_BOOL* prepared) override;
    HRESULT STDMETHODCALLTYPE put_Prepared(VARIANT_BOOL prepared) override;
    HRESULT STDMETHODCALLTYPE Execute(VARIANT* recordsAffected, VARIANT* parameters, long options,
                                      _ADORecordset** recordset) override;
    HRESULT STDMETHODCALLTYPE CreateParameter(BSTR name, DataTypeEnum type, ParameterDirectionEnum direction,
                                              ADO_LONGPTR size, VARIANT value, _ADOParameter** parameter) override;
    HRESULT STDMETHODCALLTYPE get_Parameters(ADOParameters** parameters) override;
    HRESULT STDMETHODCALLTYPE put_CommandType(CommandTypeEnum type) override;
    HRESULT STDMETHODCALLTYPE get_CommandType(CommandTypeEnum* type) override;
    HRESULT STDMETHODCALLTYPE get_Name(BSTR* name) override;
    HRESULT STDMETHODCALLTYPE put_Name(BSTR name) override;
    HRESULT STDMETHODCALLTYPE get_State(LONG* state) override;
    HRESULT STDMETHODCALLTYPE Cancel() override ADO_NOT_AVAILABLE("Cancel")
    HRESULT STDMETHODCALLTYPE putref_CommandStream(IUnknown*) override ADO_NOT_AVAILABLE("CommandStream")
    HRESULT STDMETHODCALLTYPE get_CommandStream(VARIANT*) override ADO_NOT_AVAILABLE("CommandStream")
    HRESULT STDMETHODCALLTYPE put_Dialect(BSTR) override ADO_NOT_AVAILABLE("Dialect")
    HRESULT STDMETHODCALLTYPE get_Dialect(BSTR*) override ADO_NOT_AVAILABLE("Dialect")
    HRESULT STDMETHODCALLTYPE put_NamedParameters(VARIANT_BOOL) override ADO_NOT_AVAILABLE("NamedParameters")
    HRESULT STDMETHODCALLTYPE get_NamedParameters(VARIANT_BOOL*) override ADO_NOT_AVAILABLE("NamedParameters")

private:
    Connection* m_connection = nullptr;  // a reference held
    Parameters* m_parameters;            // a reference held
    std::wstring m_text;
    std::wstring m_name;
    CommandTypeEnum m_type = adCmdUnknown;
    LONG m_timeout = 30;
    VARIANT_BOOL m_prepared = VARIANT_FALSE;
};

}  // namespace ado

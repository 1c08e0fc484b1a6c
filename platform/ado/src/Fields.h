// The Fields collection of a recordset and its Field objects; each reads
// the recordset's current row when asked.
#pragma once

#include "ComObject.h"
#include "Errors.h"
#include "Recordset.h"

namespace ado {

// The column that a Fields index names: a name (case-blind) or an ordinal.
HRESULT FieldIndex(const RowSet& rows, const VARIANT& index, long* column);

class Fields : public ComObject<ADOFields> {
public:
    explicit Fields(Recordset* recordset);
    ~Fields() override;

    HRESULT STDMETHODCALLTYPE get_Count(long* count) override;
    HRESULT STDMETHODCALLTYPE _NewEnum(IUnknown**) override ADO_NOT_AVAILABLE("Enumerating fields")
    HRESULT STDMETHODCALLTYPE Refresh() override { return S_OK; }
    HRESULT STDMETHODCALLTYPE get_Item(VARIANT index, ADOField** field) override;
    HRESULT STDMETHODCALLTYPE _Append(BSTR, DataTypeEnum, ADO_LONGPTR, FieldAttributeEnum) override
        ADO_NOT_AVAILABLE("Appending a field")
    HRESULT STDMETHODCALLTYPE Delete(VARIANT) override ADO_NOT_AVAILABLE("Deleting a field")
    HRESULT STDMETHODCALLTYPE Append(BSTR, DataTypeEnum, ADO_LONGPTR, FieldAttributeEnum, VARIANT) override
        ADO_NOT_AVAILABLE("Appending a field")
    HRESULT STDMETHODCALLTYPE Update() override ADO_NOT_AVAILABLE("Updating fields")
    HRESULT STDMETHODCALLTYPE Resync(ResyncEnum) override ADO_NOT_AVAILABLE("Resync")
    HRESULT STDMETHODCALLTYPE CancelUpdate() override ADO_NOT_AVAILABLE("CancelUpdate")

private:
    Recordset* m_recordset;  // a reference held
};

class Field : public ComObject<ADOField> {
public:
    Field(Recordset* recordset, long column);
    ~Field() override;

    HRESULT STDMETHODCALLTYPE get_Properties(ADOProperties**) override ADO_NOT_AVAILABLE("Properties")
    HRESULT STDMETHODCALLTYPE get_ActualSize(ADO_LONGPTR* size) override;
    HRESULT STDMETHODCALLTYPE get_Attributes(long* attributes) override;
    HRESULT STDMETHODCALLTYPE get_DefinedSize(ADO_LONGPTR* size) override;
    HRESULT STDMETHODCALLTYPE get_Name(BSTR* name) override;
    HRESULT STDMETHODCALLTYPE get_Type(DataTypeEnum* type) override;
    HRESULT STDMETHODCALLTYPE get_Value(VARIANT* value) override;
    HRESULT STDMETHODCALLTYPE put_Value(VARIANT) override ADO_NOT_AVAILABLE("Changing a field")
    HRESULT STDMETHODCALLTYPE get_Precision(BYTE* precision) override;
    HRESULT STDMETHODCALLTYPE get_NumericScale(BYTE* scale) override;
    HRESULT STDMETHODCALLTYPE AppendChunk(VARIANT) override ADO_NOT_AVAILABLE("AppendChunk")
    HRESULT STDMETHODCALLTYPE GetChunk(long, VARIANT*) override ADO_NOT_AVAILABLE("GetChunk")
    HRESULT STDMETHODCALLTYPE get_OriginalValue(VARIANT* value) override { return get_Value(value); }
    HRESULT STDMETHODCALLTYPE get_UnderlyingValue(VARIANT* value) override { return get_Value(value); }
    HRESULT STDMETHODCALLTYPE get_DataFormat(IUnknown**) override ADO_NOT_AVAILABLE("DataFormat")
    HRESULT STDMETHODCALLTYPE putref_DataFormat(IUnknown*) override ADO_NOT_AVAILABLE("DataFormat")
    HRESULT STDMETHODCALLTYPE put_Precision(BYTE) override ADO_NOT_AVAILABLE("Changing a field")
    HRESULT STDMETHODCALLTYPE put_NumericScale(BYTE) override ADO_NOT_AVAILABLE("Changing a field")
    HRESULT STDMETHODCALLTYPE put_Type(DataTypeEnum) override ADO_NOT_AVAILABLE("Changing a field")
    HRESULT STDMETHODCALLTYPE put_DefinedSize(ADO_LONGPTR) override ADO_NOT_AVAILABLE("Changing a field")
    HRESULT STDMETHODCALLTYPE put_Attributes(long) override ADO_NOT_AVAILABLE("Changing a field")
    HRESULT STDMETHODCALLTYPE get_Status(long* status) override;

private:
    HRESULT ColumnOf(const Column** column);

    Recordset* m_recordset;  // a reference held
    long m_column;
};

}  // namespace ado

// A recordset of the test's own for the wrapper's getters and setters: its
// one field hands out the variant the test crafted and keeps the variant
// the wrapper writes. Put into CADORecordset's public recordset member.
#pragma once

#include "ADOComSupport.h"

#include <string>

namespace crafted {

// IUnknown and IDispatch for one interface; the object lives while
// referenced.
template <class Interface>
class Object : public Interface {
public:
    virtual ~Object() = default;
    HRESULT STDMETHODCALLTYPE QueryInterface(REFIID iid, void** object) override
    {
        if (iid == IID_IUnknown || iid == IID_IDispatch || iid == m_iid) {
            *object = static_cast<Interface*>(this);
            AddRef();
            return S_OK;
        }
        *object = nullptr;
        return E_NOINTERFACE;
    }
    ULONG STDMETHODCALLTYPE AddRef() override { return ULONG(++m_references); }
    ULONG STDMETHODCALLTYPE Release() override
    {
        const long left = --m_references;
        if (left == 0)
            delete this;
        return ULONG(left);
    }
    HRESULT STDMETHODCALLTYPE GetTypeInfoCount(UINT*) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE GetTypeInfo(UINT, LCID, ITypeInfo**) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE GetIDsOfNames(REFIID, LPOLESTR*, UINT, LCID, DISPID*) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE Invoke(DISPID, REFIID, LCID, WORD, DISPPARAMS*, VARIANT*, EXCEPINFO*, UINT*) override
    {
        return E_NOTIMPL;
    }

protected:
    explicit Object(const IID& iid) : m_iid(iid) {}

private:
    IID m_iid;
    long m_references = 1;
};

// What the test crafts and what the wrapper did.
struct Cell {
    _variant_t value;           // handed out by the field
    _variant_t written;         // the last value put
    VARTYPE keyType = VT_EMPTY;  // how the wrapper named the field
    int puts = 0;
};

class Field : public Object<ADOField> {
public:
    explicit Field(Cell* cell) : Object(IID_AdoField), m_cell(cell) {}
    HRESULT STDMETHODCALLTYPE get_Value(VARIANT* value) override
    {
        ::VariantInit(value);
        return ::VariantCopy(value, &m_cell->value);
    }
    HRESULT STDMETHODCALLTYPE put_Value(VARIANT value) override
    {
        m_cell->written = value;
        ++m_cell->puts;
        return S_OK;
    }
    HRESULT STDMETHODCALLTYPE get_Properties(ADOProperties **) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE get_ActualSize(ADO_LONGPTR *) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE get_Attributes(long *) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE get_DefinedSize(ADO_LONGPTR *) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE get_Name(BSTR *) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE get_Type(DataTypeEnum *) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE get_Precision(BYTE *) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE get_NumericScale(BYTE *) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE AppendChunk(VARIANT) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE GetChunk(long, VARIANT *) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE get_OriginalValue(VARIANT *) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE get_UnderlyingValue(VARIANT *) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE get_DataFormat(IUnknown **) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE putref_DataFormat(IUnknown *) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE put_Precision(BYTE) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE put_NumericScale(BYTE) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE put_Type(DataTypeEnum) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE put_DefinedSize(ADO_LONGPTR) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE put_Attributes(long) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE get_Status(long *) override { return E_NOTIMPL; }

private:
    Cell* m_cell;
};

class Fields : public Object<ADOFields> {
public:
    explicit Fields(Cell* cell) : Object(IID_AdoFields), m_cell(cell) {}
    HRESULT STDMETHODCALLTYPE get_Count(long* count) override
    {
        *count = 1;
        return S_OK;
    }
    HRESULT STDMETHODCALLTYPE get_Item(VARIANT index, ADOField** field) override
    {
        m_cell->keyType = index.vt;
        *field = new Field(m_cell);
        return S_OK;
    }
    HRESULT STDMETHODCALLTYPE _NewEnum(IUnknown **) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE Refresh() override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE _Append(BSTR, DataTypeEnum, ADO_LONGPTR, FieldAttributeEnum) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE Delete(VARIANT) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE Append(BSTR, DataTypeEnum, ADO_LONGPTR, FieldAttributeEnum, VARIANT) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE Update() override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE Resync(ResyncEnum) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE CancelUpdate() override { return E_NOTIMPL; }

private:
    Cell* m_cell;
};

class Recordset : public Object<_ADORecordset> {
public:
    explicit Recordset(Cell* cell) : Object(IID_AdoRecordset), m_cell(cell) {}
    HRESULT STDMETHODCALLTYPE get_Fields(ADOFields** fields) override
    {
        *fields = new Fields(m_cell);
        return S_OK;
    }
    HRESULT STDMETHODCALLTYPE get_Properties(ADOProperties **) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE get_AbsolutePosition(PositionEnum_Param *) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE put_AbsolutePosition(PositionEnum_Param) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE putref_ActiveConnection(IDispatch *) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE put_ActiveConnection(VARIANT) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE get_ActiveConnection(VARIANT *) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE get_BOF(VARIANT_BOOL *) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE get_Bookmark(VARIANT *) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE put_Bookmark(VARIANT) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE get_CacheSize(long *) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE put_CacheSize(long) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE get_CursorType(CursorTypeEnum *) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE put_CursorType(CursorTypeEnum) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE get_EOF(VARIANT_BOOL *) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE get_LockType(LockTypeEnum *) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE put_LockType(LockTypeEnum) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE get_MaxRecords(ADO_LONGPTR *) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE put_MaxRecords(ADO_LONGPTR) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE get_RecordCount(ADO_LONGPTR *) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE putref_Source(IDispatch *) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE put_Source(BSTR) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE get_Source(VARIANT *) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE AddNew(VARIANT, VARIANT) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE CancelUpdate() override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE Close() override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE Delete(AffectEnum) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE GetRows(long, VARIANT, VARIANT, VARIANT *) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE Move(ADO_LONGPTR, VARIANT) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE MoveNext() override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE MovePrevious() override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE MoveFirst() override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE MoveLast() override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE Open(VARIANT, VARIANT, CursorTypeEnum, LockTypeEnum, LONG) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE Requery(LONG) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE _xResync(AffectEnum) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE Update(VARIANT, VARIANT) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE get_AbsolutePage(PositionEnum_Param *) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE put_AbsolutePage(PositionEnum_Param) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE get_EditMode(EditModeEnum *) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE get_Filter(VARIANT *) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE put_Filter(VARIANT) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE get_PageCount(ADO_LONGPTR *) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE get_PageSize(long *) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE put_PageSize(long) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE get_Sort(BSTR *) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE put_Sort(BSTR) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE get_Status(long *) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE get_State(LONG *) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE _xClone(_ADORecordset **) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE UpdateBatch(AffectEnum) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE CancelBatch(AffectEnum) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE get_CursorLocation(CursorLocationEnum *) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE put_CursorLocation(CursorLocationEnum) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE NextRecordset(VARIANT *, _ADORecordset **) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE Supports(CursorOptionEnum, VARIANT_BOOL *) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE get_Collect(VARIANT, VARIANT *) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE put_Collect(VARIANT, VARIANT) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE get_MarshalOptions(MarshalOptionsEnum *) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE put_MarshalOptions(MarshalOptionsEnum) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE Find(BSTR, ADO_LONGPTR, SearchDirectionEnum, VARIANT) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE Cancel() override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE get_DataSource(IUnknown **) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE putref_DataSource(IUnknown *) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE _xSave(BSTR, PersistFormatEnum) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE get_ActiveCommand(IDispatch **) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE put_StayInSync(VARIANT_BOOL) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE get_StayInSync(VARIANT_BOOL *) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE GetString(StringFormatEnum, long, BSTR, BSTR, BSTR, BSTR *) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE get_DataMember(BSTR *) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE put_DataMember(BSTR) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE CompareBookmarks(VARIANT, VARIANT, CompareEnum *) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE Clone(LockTypeEnum, _ADORecordset **) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE Resync(AffectEnum, ResyncEnum) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE Seek(VARIANT, SeekEnum) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE put_Index(BSTR) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE get_Index(BSTR *) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE Save(VARIANT, PersistFormatEnum) override { return E_NOTIMPL; }

private:
    Cell* m_cell;
};

}  // namespace crafted

// The Recordset object: a static client cursor over rows fetched at open.
#pragma once

#include "ComObject.h"
#include "Criteria.h"
#include "Errors.h"
#include "Statement.h"

#include <memory>
#include <string>
#include <vector>

namespace ado {

class Connection;

class Recordset : public ComObject<_ADORecordset> {
public:
    Recordset();
    ~Recordset() override;

    // A recordset over fetched rows (open), or closed when rows is empty;
    // one reference for the caller.
    static _ADORecordset* Opened(Connection* connection, const std::wstring& source,
                                 const std::shared_ptr<RowSet>& rows);

    // For the fields: the columns, and the current row's value.
    HRESULT Columns(const RowSet** rows);
    HRESULT CurrentValue(size_t column, VARIANT* value);
    bool HasCurrentRow() const;

    HRESULT STDMETHODCALLTYPE get_Properties(ADOProperties**) override ADO_NOT_AVAILABLE("Properties")
    HRESULT STDMETHODCALLTYPE get_AbsolutePosition(PositionEnum_Param* position) override;
    HRESULT STDMETHODCALLTYPE put_AbsolutePosition(PositionEnum_Param position) override;
    HRESULT STDMETHODCALLTYPE putref_ActiveConnection(IDispatch* connection) override;
    HRESULT STDMETHODCALLTYPE put_ActiveConnection(VARIANT connection) override;
    HRESULT STDMETHODCALLTYPE get_ActiveConnection(VARIANT* connection) override;
    HRESULT STDMETHODCALLTYPE get_BOF(VARIANT_BOOL* bof) override;
    HRESULT STDMETHODCALLTYPE get_Bookmark(VARIANT* bookmark) override;
    HRESULT STDMETHODCALLTYPE put_Bookmark(VARIANT bookmark) override;
    HRESULT STDMETHODCALLTYPE get_CacheSize(long* size) override;
    HRESULT STDMETHODCALLTYPE put_CacheSize(long size) override;
    HRESULT STDMETHODCALLTYPE get_CursorType(CursorTypeEnum* type) override;
    HRESULT STDMETHODCALLTYPE put_CursorType(CursorTypeEnum type) override;
    HRESULT STDMETHODCALLTYPE get_EOF(VARIANT_BOOL* eof) override;
    HRESULT STDMETHODCALLTYPE get_Fields(ADOFields** fields) override;
    HRESULT STDMETHODCALLTYPE get_LockType(LockTypeEnum* type) override;
    HRESULT STDMETHODCALLTYPE put_LockType(LockTypeEnum type) override;
    HRESULT STDMETHODCALLTYPE get_MaxRecords(ADO_LONGPTR* count) override;
    HRESULT STDMETHODCALLTYPE put_MaxRecords(ADO_LONGPTR count) override;
    HRESULT STDMETHODCALLTYPE get_RecordCount(ADO_LONGPTR* count) override;
    HRESULT STDMETHODCALLTYPE putref_Source(IDispatch*) override ADO_NOT_AVAILABLE("A command as source")
    HRESULT STDMETHODCALLTYPE put_Source(BSTR source) override;
    HRESULT STDMETHODCALLTYPE get_Source(VARIANT* source) override;
    HRESULT STDMETHODCALLTYPE AddNew(VARIANT, VARIANT) override ADO_NOT_AVAILABLE("AddNew")
    HRESULT STDMETHODCALLTYPE CancelUpdate() override;
    HRESULT STDMETHODCALLTYPE Close() override;
    HRESULT STDMETHODCALLTYPE Delete(AffectEnum) override ADO_NOT_AVAILABLE("Delete")
    HRESULT STDMETHODCALLTYPE GetRows(long, VARIANT, VARIANT, VARIANT*) override ADO_NOT_AVAILABLE("GetRows")
    HRESULT STDMETHODCALLTYPE Move(ADO_LONGPTR count, VARIANT start) override;
    HRESULT STDMETHODCALLTYPE MoveNext() override;
    HRESULT STDMETHODCALLTYPE MovePrevious() override;
    HRESULT STDMETHODCALLTYPE MoveFirst() override;
    HRESULT STDMETHODCALLTYPE MoveLast() override;
    HRESULT STDMETHODCALLTYPE Open(VARIANT source, VARIANT activeConnection, CursorTypeEnum cursorType,
                                   LockTypeEnum lockType, LONG options) override;
    HRESULT STDMETHODCALLTYPE Requery(LONG options) override;
    HRESULT STDMETHODCALLTYPE _xResync(AffectEnum) override ADO_NOT_AVAILABLE("Resync")
    HRESULT STDMETHODCALLTYPE Update(VARIANT, VARIANT) override ADO_NOT_AVAILABLE("Update")
    HRESULT STDMETHODCALLTYPE get_AbsolutePage(PositionEnum_Param*) override ADO_NOT_AVAILABLE("AbsolutePage")
    HRESULT STDMETHODCALLTYPE put_AbsolutePage(PositionEnum_Param) override ADO_NOT_AVAILABLE("AbsolutePage")
    HRESULT STDMETHODCALLTYPE get_EditMode(EditModeEnum* mode) override;
    HRESULT STDMETHODCALLTYPE get_Filter(VARIANT* criteria) override;
    HRESULT STDMETHODCALLTYPE put_Filter(VARIANT criteria) override;
    HRESULT STDMETHODCALLTYPE get_PageCount(ADO_LONGPTR*) override ADO_NOT_AVAILABLE("PageCount")
    HRESULT STDMETHODCALLTYPE get_PageSize(long*) override ADO_NOT_AVAILABLE("PageSize")
    HRESULT STDMETHODCALLTYPE put_PageSize(long) override ADO_NOT_AVAILABLE("PageSize")
    HRESULT STDMETHODCALLTYPE get_Sort(BSTR* criteria) override;
    HRESULT STDMETHODCALLTYPE put_Sort(BSTR criteria) override;
    HRESULT STDMETHODCALLTYPE get_Status(long* status) override;
    HRESULT STDMETHODCALLTYPE get_State(LONG* state) override;
    HRESULT STDMETHODCALLTYPE _xClone(_ADORecordset** clone) override;
    HRESULT STDMETHODCALLTYPE UpdateBatch(AffectEnum) override ADO_NOT_AVAILABLE("UpdateBatch")
    HRESULT STDMETHODCALLTYPE CancelBatch(AffectEnum) override ADO_NOT_AVAILABLE("CancelBatch")
    HRESULT STDMETHODCALLTYPE get_CursorLocation(CursorLocationEnum* location) override;
    HRESULT STDMETHODCALLTYPE put_CursorLocation(CursorLocationEnum location) override;
    HRESULT STDMETHODCALLTYPE NextRecordset(VARIANT*, _ADORecordset**) override ADO_NOT_AVAILABLE("NextRecordset")
    HRESULT STDMETHODCALLTYPE Supports(CursorOptionEnum options, VARIANT_BOOL* supported) override;
    HRESULT STDMETHODCALLTYPE get_Collect(VARIANT index, VARIANT* value) override;
    HRESULT STDMETHODCALLTYPE put_Collect(VARIANT, VARIANT) override ADO_NOT_AVAILABLE("Changing a field")
    HRESULT STDMETHODCALLTYPE get_MarshalOptions(MarshalOptionsEnum*) override ADO_NOT_AVAILABLE("MarshalOptions")
    HRESULT STDMETHODCALLTYPE put_MarshalOptions(MarshalOptionsEnum) override ADO_NOT_AVAILABLE("MarshalOptions")
    HRESULT STDMETHODCALLTYPE Find(BSTR criteria, ADO_LONGPTR skipRecords, SearchDirectionEnum direction,
                                   VARIANT start) override;
    HRESULT STDMETHODCALLTYPE Cancel() override ADO_NOT_AVAILABLE("Cancel")
    HRESULT STDMETHODCALLTYPE get_DataSource(IUnknown**) override ADO_NOT_AVAILABLE("DataSource")
    HRESULT STDMETHODCALLTYPE putref_DataSource(IUnknown*) override ADO_NOT_AVAILABLE("DataSource")
    HRESULT STDMETHODCALLTYPE _xSave(BSTR, PersistFormatEnum) override ADO_NOT_AVAILABLE("Save")
    HRESULT STDMETHODCALLTYPE get_ActiveCommand(IDispatch**) override ADO_NOT_AVAILABLE("ActiveCommand")
    HRESULT STDMETHODCALLTYPE put_StayInSync(VARIANT_BOOL) override ADO_NOT_AVAILABLE("StayInSync")
    HRESULT STDMETHODCALLTYPE get_StayInSync(VARIANT_BOOL*) override ADO_NOT_AVAILABLE("StayInSync")
    HRESULT STDMETHODCALLTYPE GetString(StringFormatEnum format, long rowCount, BSTR columnDelimiter,
                                        BSTR rowDelimiter, BSTR nullExpression, BSTR* text) override;
    HRESULT STDMETHODCALLTYPE get_DataMember(BSTR*) override ADO_NOT_AVAILABLE("DataMember")
    HRESULT STDMETHODCALLTYPE put_DataMember(BSTR) override ADO_NOT_AVAILABLE("DataMember")
    HRESULT STDMETHODCALLTYPE CompareBookmarks(VARIANT first, VARIANT second, CompareEnum* result) override;
    HRESULT STDMETHODCALLTYPE Clone(LockTypeEnum lockType, _ADORecordset** clone) override;
    HRESULT STDMETHODCALLTYPE Resync(AffectEnum, ResyncEnum) override ADO_NOT_AVAILABLE("Resync")
    HRESULT STDMETHODCALLTYPE Seek(VARIANT, SeekEnum) override ADO_NOT_AVAILABLE("Seek")
    HRESULT STDMETHODCALLTYPE put_Index(BSTR) override ADO_NOT_AVAILABLE("Index")
    HRESULT STDMETHODCALLTYPE get_Index(BSTR*) override ADO_NOT_AVAILABLE("Index")
    HRESULT STDMETHODCALLTYPE Save(VARIANT, PersistFormatEnum) override ADO_NOT_AVAILABLE("Save")

private:
    // VT_EMPTY, a missing argument or the empty text: the current row.
    static bool IsMissing(const VARIANT& value);
    static HRESULT NoCurrentRow();
    HRESULT RequireOpen() const;
    // Rebuilds the visible rows from the filter and the sort; first row.
    HRESULT Arrange();
    // The view position of a bookmark, -1 when it is none of them.
    long PositionOf(const VARIANT& bookmark) const;
    void Attach(const std::wstring& source, const std::shared_ptr<RowSet>& rows);

    Connection* m_connection = nullptr;  // a reference held
    std::wstring m_source;
    std::shared_ptr<RowSet> m_rows;      // shared with clones
    std::vector<size_t> m_view;          // row numbers after filter and sort
    long m_position = 0;                 // -1 BOF, m_view.size() EOF
    Variant m_filter;
    std::wstring m_sort;
    CursorTypeEnum m_cursorType = adOpenForwardOnly;
    LockTypeEnum m_lockType = adLockReadOnly;
    CursorLocationEnum m_cursorLocation = adUseServer;
    long m_cacheSize = 1;
    ADO_LONGPTR m_maxRecords = 0;
};

// Runs a statement as ADO's Execute does: the records affected, and unless
// the options hold adExecuteNoRecords a recordset over the rows (closed when
// the statement returns none).
HRESULT ExecuteStatement(Connection* connection, const std::wstring& sql, const std::vector<BoundValue>& values,
                         long options, VARIANT* recordsAffected, _ADORecordset** recordset);

}  // namespace ado

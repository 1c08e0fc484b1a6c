// The Connection object: one ODBC connection handle.
#pragma once

#include "ComObject.h"

#include <sql.h>
#include <string>

namespace ado {

class Connection : public ComObject<_ADOConnection> {
public:
    Connection();
    ~Connection() override;

    // This stand-in's connection behind an ADO connection pointer (a
    // reference added), or null for another object.
    static Connection* From(IUnknown* object);
    // The connection an ActiveConnection value names (a reference added):
    // a connection object of this stand-in, none for VT_EMPTY or VT_NULL, or
    // a new connection opened with a connection string.
    static HRESULT FromVariant(const VARIANT& value, Connection** connection);
    // Puts that connection into an object's slot, releasing the one held.
    static HRESULT Assign(const VARIANT& value, Connection** slot);
    // The connection handle; an ADO_E_OBJECTCLOSED error when closed.
    HRESULT Handle(SQLHDBC* handle);
    CursorLocationEnum CursorLocation() const { return m_cursorLocation; }

    HRESULT STDMETHODCALLTYPE QueryInterface(REFIID iid, void** object) override;

    HRESULT STDMETHODCALLTYPE get_Properties(ADOProperties**) override ADO_NOT_AVAILABLE("Properties")
    HRESULT STDMETHODCALLTYPE get_ConnectionString(BSTR* text) override;
    HRESULT STDMETHODCALLTYPE put_ConnectionString(BSTR text) override;
    HRESULT STDMETHODCALLTYPE get_CommandTimeout(LONG* seconds) override;
    HRESULT STDMETHODCALLTYPE put_CommandTimeout(LONG seconds) override;
    HRESULT STDMETHODCALLTYPE get_ConnectionTimeout(LONG* seconds) override;
    HRESULT STDMETHODCALLTYPE put_ConnectionTimeout(LONG seconds) override;
    HRESULT STDMETHODCALLTYPE get_Version(BSTR* version) override;
    HRESULT STDMETHODCALLTYPE Close() override;
    HRESULT STDMETHODCALLTYPE Execute(BSTR commandText, VARIANT* recordsAffected, long options,
                                      _ADORecordset** recordset) override;
    HRESULT STDMETHODCALLTYPE BeginTrans(long* level) override;
    HRESULT STDMETHODCALLTYPE CommitTrans() override;
    HRESULT STDMETHODCALLTYPE RollbackTrans() override;
    HRESULT STDMETHODCALLTYPE Open(BSTR connectionString, BSTR userId, BSTR password, long options) override;
    HRESULT STDMETHODCALLTYPE get_Errors(ADOErrors**) override ADO_NOT_AVAILABLE("Errors")
    HRESULT STDMETHODCALLTYPE get_DefaultDatabase(BSTR*) override ADO_NOT_AVAILABLE("DefaultDatabase")
    HRESULT STDMETHODCALLTYPE put_DefaultDatabase(BSTR) override ADO_NOT_AVAILABLE("DefaultDatabase")
    HRESULT STDMETHODCALLTYPE get_IsolationLevel(IsolationLevelEnum*) override ADO_NOT_AVAILABLE("IsolationLevel")
    HRESULT STDMETHODCALLTYPE put_IsolationLevel(IsolationLevelEnum) override ADO_NOT_AVAILABLE("IsolationLevel")
    HRESULT STDMETHODCALLTYPE get_Attributes(long* attributes) override;
    HRESULT STDMETHODCALLTYPE put_Attributes(long) override ADO_NOT_AVAILABLE("Attributes")
    HRESULT STDMETHODCALLTYPE get_CursorLocation(CursorLocationEnum* location) override;
    HRESULT STDMETHODCALLTYPE put_CursorLocation(CursorLocationEnum location) override;
    HRESULT STDMETHODCALLTYPE get_Mode(ConnectModeEnum* mode) override;
    HRESULT STDMETHODCALLTYPE put_Mode(ConnectModeEnum) override ADO_NOT_AVAILABLE("Mode")
    HRESULT STDMETHODCALLTYPE get_Provider(BSTR* provider) override;
    HRESULT STDMETHODCALLTYPE put_Provider(BSTR) override ADO_NOT_AVAILABLE("Provider")
    HRESULT STDMETHODCALLTYPE get_State(LONG* state) override;
    HRESULT STDMETHODCALLTYPE OpenSchema(SchemaEnum, VARIANT, VARIANT, _ADORecordset**) override
        ADO_NOT_AVAILABLE("OpenSchema")
    HRESULT STDMETHODCALLTYPE Cancel() override ADO_NOT_AVAILABLE("Cancel")

private:
    HRESULT EndTransaction(SQLSMALLINT completion);

    SQLHENV m_environment = SQL_NULL_HENV;
    SQLHDBC m_connection = SQL_NULL_HDBC;
    bool m_open = false;
    long m_transactionLevel = 0;
    std::wstring m_connectionString;
    LONG m_commandTimeout = 30;
    LONG m_connectionTimeout = 15;
    CursorLocationEnum m_cursorLocation = adUseServer;
};

}  // namespace ado

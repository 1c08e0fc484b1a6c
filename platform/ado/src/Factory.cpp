#include "AdoObjects.h"

#include "Command.h"
#include "Connection.h"
#include "Errors.h"
#include "Recordset.h"

extern "C" ADO_API HRESULT WINAPI AdoCreateInstance(REFCLSID clsid, IUnknown* outer, DWORD, REFIID iid, void** object)
{
    if (!object)
        return E_POINTER;
    *object = nullptr;
    if (outer)
        return CLASS_E_NOAGGREGATION;
    IUnknown* created = nullptr;
    if (clsid == CLSID_AdoConnection)
        created = static_cast<_ADOConnection*>(new ado::Connection);
    else if (clsid == CLSID_AdoRecordset)
        created = static_cast<_ADORecordset*>(new ado::Recordset);
    else if (clsid == CLSID_AdoCommand)
        created = static_cast<_ADOCommand*>(new ado::Command);
    else if (clsid == CLSID_AdoParameter)
        created = static_cast<_ADOParameter*>(new ado::Parameter);
    else if (clsid == CLSID_JroJetEngine)
        return ado::NotAvailable(L"Compacting a database");
    else
        return REGDB_E_CLASSNOTREG;
    const HRESULT hr = created->QueryInterface(iid, object);
    created->Release();
    return hr;
}

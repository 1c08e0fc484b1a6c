// Raising the stand-in's COM errors: the HRESULT comes back from the call,
// the source and description go to the thread's error information.
#pragma once

#include <windows.h>
#include <sql.h>
#include <string>

namespace ado {

// Sets the error information and returns hr.
HRESULT Fail(HRESULT hr, const std::wstring& description);
// ADO_E_NOTAVAILABLE with a description naming the operation.
HRESULT NotAvailable(const wchar_t* operation);
// E_FAIL with every diagnostic record of the handle, "[SQLSTATE] message".
HRESULT OdbcFailure(SQLSMALLINT handleType, SQLHANDLE handle);
// Clears the error information before a call that succeeds.
HRESULT Succeeded();

}  // namespace ado

// For the not-available members of an interface.
#define ADO_NOT_AVAILABLE(name) \
    {                           \
        return ado::NotAvailable(L##name); \
    }

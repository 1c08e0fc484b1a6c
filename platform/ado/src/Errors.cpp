#include "Errors.h"

#include "AdoObjects.h"

#include <oleauto.h>
#include <sqlext.h>

namespace ado {

namespace {

const wchar_t kSource[] = L"ADO over ODBC";

}  // namespace

HRESULT Fail(HRESULT hr, const std::wstring& description)
{
    ICreateErrorInfo* create = nullptr;
    if (SUCCEEDED(CreateErrorInfo(&create))) {
        create->SetSource(const_cast<LPOLESTR>(kSource));
        create->SetDescription(const_cast<LPOLESTR>(description.c_str()));
        IErrorInfo* info = nullptr;
        if (SUCCEEDED(create->QueryInterface(IID_IErrorInfo, reinterpret_cast<void**>(&info)))) {
            SetErrorInfo(0, info);
            info->Release();
        }
        create->Release();
    }
    return hr;
}

HRESULT NotAvailable(const wchar_t* operation)
{
    return Fail(ADO_E_NOTAVAILABLE, std::wstring(operation) + L" is not available");
}

HRESULT OdbcFailure(SQLSMALLINT handleType, SQLHANDLE handle)
{
    std::wstring text;
    for (SQLSMALLINT record = 1;; ++record) {
        SQLWCHAR state[6] = {};
        SQLINTEGER native = 0;
        SQLWCHAR message[1024] = {};
        SQLSMALLINT length = 0;
        const SQLRETURN rc = SQLGetDiagRecW(handleType, handle, record, state, &native, message,
                                            SQLSMALLINT(sizeof message / sizeof message[0]), &length);
        if (!SQL_SUCCEEDED(rc))
            break;
        if (!text.empty())
            text += L"\n";
        text += L"[";
        text += reinterpret_cast<const wchar_t*>(state);
        text += L"] ";
        text += reinterpret_cast<const wchar_t*>(message);
    }
    if (text.empty())
        text = L"The ODBC driver reported a failure without diagnostics";
    return Fail(E_FAIL, text);
}

HRESULT Succeeded()
{
    SetErrorInfo(0, nullptr);
    return S_OK;
}

}  // namespace ado

// Calling another object through its IDispatch: arguments from a VTS_
// list, results in the caller's types, failures as exceptions.
#include "afxwin.h"
#include "afxdisp.h"

#include <string.h>

#include <vector>

namespace {

// The failure of an Invoke as the class library's exception.
[[noreturn]] void ThrowInvokeFailure(HRESULT hr, EXCEPINFO& excepInfo)
{
    if (hr != DISP_E_EXCEPTION)
        AfxThrowOleException(hr);
    if (excepInfo.pfnDeferredFillIn != NULL)
        excepInfo.pfnDeferredFillIn(&excepInfo);
    CString strDescription(excepInfo.bstrDescription != NULL ? (LPCWSTR)excepInfo.bstrDescription : L"");
    COleDispatchException* e = new COleDispatchException(strDescription, 0, excepInfo.wCode);
    e->m_dwHelpContext = excepInfo.dwHelpContext;
    e->m_scError = excepInfo.scode;
    if (excepInfo.bstrSource != NULL)
        e->m_strSource = (LPCWSTR)excepInfo.bstrSource;
    if (excepInfo.bstrHelpFile != NULL)
        e->m_strHelpFile = (LPCWSTR)excepInfo.bstrHelpFile;
    ::SysFreeString(excepInfo.bstrDescription);
    ::SysFreeString(excepInfo.bstrSource);
    ::SysFreeString(excepInfo.bstrHelpFile);
    throw e;
}

// Takes one argument of type vt from the list into *pArg.
void TakeArgument(VARTYPE vt, va_list& argList, VARIANT* pArg)
{
    if (vt & VT_MFCBYREF) {
        V_VT(pArg) = (VARTYPE)((vt & ~VT_MFCBYREF) | VT_BYREF);
        V_BYREF(pArg) = va_arg(argList, void*);
        return;
    }
    switch (vt) {
    case VT_I2: V_VT(pArg) = VT_I2; V_I2(pArg) = (SHORT)va_arg(argList, int); break;
    case VT_I4: V_VT(pArg) = VT_I4; V_I4(pArg) = va_arg(argList, long); break;
    case VT_UI1: V_VT(pArg) = VT_UI1; V_UI1(pArg) = (BYTE)va_arg(argList, int); break;
    case VT_R4: V_VT(pArg) = VT_R4; V_R4(pArg) = (float)va_arg(argList, double); break;
    case VT_R8: V_VT(pArg) = VT_R8; V_R8(pArg) = va_arg(argList, double); break;
    case VT_DATE: V_VT(pArg) = VT_DATE; V_DATE(pArg) = va_arg(argList, double); break;
    case VT_CY: V_VT(pArg) = VT_CY; V_CY(pArg) = va_arg(argList, CY); break;
    case VT_ERROR: V_VT(pArg) = VT_ERROR; V_ERROR(pArg) = va_arg(argList, long); break;
    case VT_BOOL:
        V_VT(pArg) = VT_BOOL;
        V_BOOL(pArg) = va_arg(argList, BOOL) ? VARIANT_TRUE : VARIANT_FALSE;
        break;
    case VT_BSTRA: {
        LPCSTR lpsz = va_arg(argList, LPCSTR);
        V_VT(pArg) = VT_BSTR;
        V_BSTR(pArg) = CString(lpsz != NULL ? lpsz : "").AllocSysString();
        break;
    }
    case VT_BSTR: {
        LPCOLESTR lpsz = va_arg(argList, LPCOLESTR);
        V_VT(pArg) = VT_BSTR;
        V_BSTR(pArg) = ::SysAllocString(lpsz != NULL ? lpsz : L"");
        break;
    }
    case VT_DISPATCH:
        V_VT(pArg) = VT_DISPATCH;
        V_DISPATCH(pArg) = va_arg(argList, LPDISPATCH);
        if (V_DISPATCH(pArg) != NULL)
            V_DISPATCH(pArg)->AddRef();  // released with the argument
        break;
    case VT_UNKNOWN:
        V_VT(pArg) = VT_UNKNOWN;
        V_UNKNOWN(pArg) = va_arg(argList, LPUNKNOWN);
        if (V_UNKNOWN(pArg) != NULL)
            V_UNKNOWN(pArg)->AddRef();
        break;
    case VT_VARIANT: {
        const VARIANT* pSrc = va_arg(argList, const VARIANT*);
        if (pSrc != NULL && FAILED(::VariantCopy(pArg, const_cast<VARIANT*>(pSrc))))
            AfxThrowOleException(E_OUTOFMEMORY);
        break;
    }
    default:
        AfxThrowOleException(DISP_E_BADVARTYPE);
    }
}

// Stores the result as vtRet's C++ type.
void StoreResult(VARTYPE vtRet, VARIANT& result, void* pvRet)
{
    if (vtRet == VT_VARIANT) {
        *static_cast<VARIANT*>(pvRet) = result;  // the caller owns it now
        V_VT(&result) = VT_EMPTY;
        return;
    }
    VARTYPE vtWanted = vtRet == VT_BSTRA ? (VARTYPE)VT_BSTR : vtRet;
    if (V_VT(&result) != vtWanted) {
        HRESULT hr = ::VariantChangeType(&result, &result, 0, vtWanted);
        if (FAILED(hr)) {
            ::VariantClear(&result);
            AfxThrowOleException(hr);
        }
    }
    switch (vtRet) {
    case VT_I2: *static_cast<short*>(pvRet) = V_I2(&result); break;
    case VT_I4: *static_cast<long*>(pvRet) = V_I4(&result); break;
    case VT_UI1: *static_cast<BYTE*>(pvRet) = V_UI1(&result); break;
    case VT_R4: *static_cast<float*>(pvRet) = V_R4(&result); break;
    case VT_R8: *static_cast<double*>(pvRet) = V_R8(&result); break;
    case VT_DATE: *static_cast<DATE*>(pvRet) = V_DATE(&result); break;
    case VT_CY: *static_cast<CY*>(pvRet) = V_CY(&result); break;
    case VT_ERROR: *static_cast<SCODE*>(pvRet) = V_ERROR(&result); break;
    case VT_BOOL: *static_cast<BOOL*>(pvRet) = V_BOOL(&result) != VARIANT_FALSE; break;
    case VT_BSTR:
    case VT_BSTRA:
        *static_cast<CString*>(pvRet) = V_BSTR(&result) != NULL ? (LPCWSTR)V_BSTR(&result) : L"";
        break;
    case VT_DISPATCH:
        *static_cast<LPDISPATCH*>(pvRet) = V_DISPATCH(&result);
        V_VT(&result) = VT_EMPTY;  // the caller's reference now
        break;
    case VT_UNKNOWN:
        *static_cast<LPUNKNOWN*>(pvRet) = V_UNKNOWN(&result);
        V_VT(&result) = VT_EMPTY;
        break;
    default:
        break;
    }
    ::VariantClear(&result);
}

}  // namespace

COleDispatchDriver::COleDispatchDriver() : m_lpDispatch(NULL), m_bAutoRelease(TRUE) {}

COleDispatchDriver::COleDispatchDriver(LPDISPATCH lpDispatch, BOOL bAutoRelease)
    : m_lpDispatch(lpDispatch), m_bAutoRelease(bAutoRelease)
{
}

COleDispatchDriver::COleDispatchDriver(const COleDispatchDriver& dispatchSrc)
    : m_lpDispatch(dispatchSrc.m_lpDispatch), m_bAutoRelease(TRUE)
{
    if (m_lpDispatch != NULL)
        m_lpDispatch->AddRef();
}

COleDispatchDriver::~COleDispatchDriver()
{
    ReleaseDispatch();
}

const COleDispatchDriver& COleDispatchDriver::operator=(const COleDispatchDriver& dispatchSrc)
{
    if (this != &dispatchSrc) {
        LPDISPATCH lpDispatch = dispatchSrc.m_lpDispatch;
        if (lpDispatch != NULL)
            lpDispatch->AddRef();
        ReleaseDispatch();
        m_lpDispatch = lpDispatch;
        m_bAutoRelease = TRUE;
    }
    return *this;
}

BOOL COleDispatchDriver::CreateDispatch(REFCLSID clsid, COleException* pError)
{
    ReleaseDispatch();
    LPUNKNOWN lpUnknown = NULL;
    HRESULT hr = ::CoCreateInstance(clsid, NULL, CLSCTX_ALL & ~CLSCTX_REMOTE_SERVER, IID_IUnknown,
                                    reinterpret_cast<void**>(&lpUnknown));
    if (hr == E_INVALIDARG) {
        // Older servers refuse the context they do not serve.
        hr = ::CoCreateInstance(clsid, NULL, CLSCTX_INPROC_SERVER | CLSCTX_LOCAL_SERVER,
                                IID_IUnknown, reinterpret_cast<void**>(&lpUnknown));
    }
    if (SUCCEEDED(hr)) {
        // A server started by OLE may need to be put in its running state.
        hr = ::OleRun(lpUnknown);
        if (SUCCEEDED(hr))
            hr = lpUnknown->QueryInterface(IID_IDispatch, reinterpret_cast<void**>(&m_lpDispatch));
        lpUnknown->Release();
    }
    if (FAILED(hr)) {
        m_lpDispatch = NULL;
        if (pError != NULL)
            pError->m_sc = hr;
        return FALSE;
    }
    m_bAutoRelease = TRUE;
    return TRUE;
}

BOOL COleDispatchDriver::CreateDispatch(LPCTSTR lpszProgID, COleException* pError)
{
    CLSID clsid;
    CString strProgID(lpszProgID != NULL ? lpszProgID : "");
    BSTR bstrProgID = strProgID.AllocSysString();
    HRESULT hr = ::CLSIDFromProgID(bstrProgID, &clsid);
    ::SysFreeString(bstrProgID);
    if (FAILED(hr)) {
        if (pError != NULL)
            pError->m_sc = hr;
        return FALSE;
    }
    return CreateDispatch(clsid, pError);
}

void COleDispatchDriver::AttachDispatch(LPDISPATCH lpDispatch, BOOL bAutoRelease)
{
    ReleaseDispatch();
    m_lpDispatch = lpDispatch;
    m_bAutoRelease = bAutoRelease;
}

LPDISPATCH COleDispatchDriver::DetachDispatch()
{
    LPDISPATCH lpDispatch = m_lpDispatch;
    m_lpDispatch = NULL;
    return lpDispatch;
}

void COleDispatchDriver::ReleaseDispatch()
{
    if (m_lpDispatch != NULL) {
        if (m_bAutoRelease)
            m_lpDispatch->Release();
        m_lpDispatch = NULL;
    }
}

void AFX_CDECL COleDispatchDriver::InvokeHelper(DISPID dwDispID, WORD wFlags, VARTYPE vtRet,
                                                void* pvRet, const BYTE* pbParamInfo, ...)
{
    va_list argList;
    va_start(argList, pbParamInfo);
    try {
        InvokeHelperV(dwDispID, wFlags, vtRet, pvRet, pbParamInfo, argList);
    } catch (...) {
        va_end(argList);
        throw;
    }
    va_end(argList);
}

void COleDispatchDriver::InvokeHelperV(DISPID dwDispID, WORD wFlags, VARTYPE vtRet, void* pvRet,
                                       const BYTE* pbParamInfo, va_list argList)
{
    if (m_lpDispatch == NULL)
        AfxThrowOleException(E_POINTER);

    const UINT nArgs = pbParamInfo != NULL ? (UINT)strlen((LPCSTR)pbParamInfo) : 0;
    std::vector<VARIANT> args(nArgs);
    for (VARIANT& v : args)
        ::VariantInit(&v);
    DISPPARAMS dispParams = {NULL, NULL, 0, 0};
    DISPID dispidNamed = DISPID_PROPERTYPUT;
    if (wFlags & (DISPATCH_PROPERTYPUT | DISPATCH_PROPERTYPUTREF)) {
        dispParams.cNamedArgs = 1;
        dispParams.rgdispidNamedArgs = &dispidNamed;
    }

    EXCEPINFO excepInfo;
    memset(&excepInfo, 0, sizeof excepInfo);
    VARIANT result;
    ::VariantInit(&result);
    HRESULT hr = S_OK;
    try {
        // The callee reads its arguments last first.
        for (UINT i = 0; i < nArgs; ++i)
            TakeArgument(pbParamInfo[i], argList, &args[nArgs - 1 - i]);
        dispParams.cArgs = nArgs;
        dispParams.rgvarg = nArgs != 0 ? &args[0] : NULL;
        UINT nArgErr = (UINT)-1;
        hr = m_lpDispatch->Invoke(dwDispID, IID_NULL, 0, wFlags, &dispParams,
                                  vtRet != VT_EMPTY ? &result : NULL, &excepInfo, &nArgErr);
    } catch (...) {
        for (VARIANT& v : args)
            ::VariantClear(&v);
        throw;
    }
    for (VARIANT& v : args)
        ::VariantClear(&v);

    if (FAILED(hr)) {
        ::VariantClear(&result);
        ThrowInvokeFailure(hr, excepInfo);
    }
    if (vtRet != VT_EMPTY && pvRet != NULL)
        StoreResult(vtRet, result, pvRet);
    else
        ::VariantClear(&result);
}

void COleDispatchDriver::GetProperty(DISPID dwDispID, VARTYPE vtProp, void* pvProp) const
{
    const_cast<COleDispatchDriver*>(this)->InvokeHelper(dwDispID, DISPATCH_PROPERTYGET, vtProp,
                                                        pvProp, NULL);
}

void AFX_CDECL COleDispatchDriver::SetProperty(DISPID dwDispID, VARTYPE vtProp, ...)
{
    // A text property takes the caller's LPCTSTR.
    BYTE rgbParams[2] = {(BYTE)(vtProp == VT_BSTR ? VT_BSTRA : vtProp), 0};
    va_list argList;
    va_start(argList, vtProp);
    try {
        InvokeHelperV(dwDispID, DISPATCH_PROPERTYPUT, VT_EMPTY, NULL, rgbParams, argList);
    } catch (...) {
        va_end(argList);
        throw;
    }
    va_end(argList);
}

// Automation of command targets: the embedded IDispatch that answers from
// the dispatch map, the object's reference count, and its interface map.
#include "afxwin.h"
#include "afxdisp.h"

#include <stdint.h>
#include <string.h>

#include <vector>

// Methods are stored under one member pointer type and called back through
// the variadic calling convention (see CallMember).
#pragma GCC diagnostic ignored "-Wcast-function-type"

// ---------------------------------------------------------------------------
// The dispatch implementation. Its object is CCmdTarget::m_xDispatch: the
// vtable pointer of this class followed by the owner; the class has no data
// of its own.

class COleDispatchImpl : public IDispatch {
public:
    static COleDispatchImpl s_prototype;

    CCmdTarget* Owner()
    {
        return reinterpret_cast<CCmdTarget::XDispatch*>(this)->m_pOwner;
    }
    static const void* Vtable()
    {
        const void* vtbl;
        memcpy(&vtbl, static_cast<const void*>(&s_prototype), sizeof vtbl);
        return vtbl;
    }

    STDMETHOD(QueryInterface)(REFIID riid, void** ppv) override
    {
        return (HRESULT)Owner()->ExternalQueryInterface(&riid, ppv);
    }
    STDMETHOD_(ULONG, AddRef)() override { return Owner()->ExternalAddRef(); }
    STDMETHOD_(ULONG, Release)() override { return Owner()->ExternalRelease(); }
    STDMETHOD(GetTypeInfoCount)(UINT* pctinfo) override
    {
        if (pctinfo == NULL)
            return E_POINTER;
        *pctinfo = 0;  // no type library: callers bind by name
        return S_OK;
    }
    STDMETHOD(GetTypeInfo)(UINT, LCID, ITypeInfo** ppTInfo) override
    {
        if (ppTInfo != NULL)
            *ppTInfo = NULL;
        return DISP_E_BADINDEX;
    }
    STDMETHOD(GetIDsOfNames)(REFIID riid, LPOLESTR* rgszNames, UINT cNames, LCID,
                             DISPID* rgDispId) override;
    STDMETHOD(Invoke)(DISPID dispIdMember, REFIID riid, LCID, WORD wFlags,
                      DISPPARAMS* pDispParams, VARIANT* pVarResult, EXCEPINFO* pExcepInfo,
                      UINT* puArgErr) override;

    static const AFX_DISPMAP* MapOf(CCmdTarget* pTarget) { return pTarget->GetDispatchMap(); }
};

COleDispatchImpl COleDispatchImpl::s_prototype;

namespace {

// A member's DISPID: its own, else its position in its class's map (from
// 1) with the depth of that class below the object's class in the high word.
DISPID DispIdOf(const AFX_DISPMAP_ENTRY* pEntry, int nIndex, int nDepth)
{
    if (pEntry->lDispID != DISPID_UNKNOWN)
        return pEntry->lDispID;
    return MAKELONG(nIndex + 1, nDepth);
}

const AFX_DISPMAP_ENTRY* FindEntry(const AFX_DISPMAP* pMap, DISPID dispid)
{
    for (int nDepth = 0; pMap != NULL; ++nDepth) {
        for (int i = 0; pMap->lpEntries[i].lpszName != NULL; ++i) {
            if (DispIdOf(&pMap->lpEntries[i], i, nDepth) == dispid)
                return &pMap->lpEntries[i];
        }
        pMap = pMap->pfnGetBaseMap != NULL ? pMap->pfnGetBaseMap() : NULL;
    }
    return NULL;
}

DISPID FindName(const AFX_DISPMAP* pMap, LPCSTR lpszName)
{
    for (int nDepth = 0; pMap != NULL; ++nDepth) {
        for (int i = 0; pMap->lpEntries[i].lpszName != NULL; ++i) {
            if (lstrcmpiA(pMap->lpEntries[i].lpszName, lpszName) == 0)
                return DispIdOf(&pMap->lpEntries[i], i, nDepth);
        }
        pMap = pMap->pfnGetBaseMap != NULL ? pMap->pfnGetBaseMap() : NULL;
    }
    return DISPID_UNKNOWN;
}

const int kMaxParams = 16;

// Calls a member of any dispatch-map shape. Every argument is handed over
// as a double whose bits are the 8-byte argument slot: under the x64
// variadic convention a double travels both in the integer register and in
// the XMM register of its position (and in its stack slot beyond the
// fourth), so the member finds each argument where its own signature looks
// for it. A float is the low half of its slot. Surplus arguments are
// harmless: the caller owns the stack.
struct CallSlots {
    uint64_t bits[kMaxParams] = {};
    double Arg(int i) const
    {
        double d;
        memcpy(&d, &bits[i], sizeof d);
        return d;
    }
};

#define AFX_DISP_ARGS                                                                          \
    s.Arg(0), s.Arg(1), s.Arg(2), s.Arg(3), s.Arg(4), s.Arg(5), s.Arg(6), s.Arg(7), s.Arg(8), \
        s.Arg(9), s.Arg(10), s.Arg(11), s.Arg(12), s.Arg(13), s.Arg(14), s.Arg(15)

// Calls the member and stores its result (of type vtRet) in *pResult.
void CallMember(CCmdTarget* pTarget, AFX_PMSG pfn, WORD vtRet, const CallSlots& s,
                VARIANT* pResult)
{
    typedef void (CCmdTarget::*PFN_V)(...);
    typedef long long (CCmdTarget::*PFN_I)(...);
    typedef double (CCmdTarget::*PFN_D)(...);
    typedef VARIANT (CCmdTarget::*PFN_VAR)(...);

    switch (vtRet) {
    case VT_EMPTY:
        (pTarget->*reinterpret_cast<PFN_V>(pfn))(AFX_DISP_ARGS);
        return;
    case VT_VARIANT: {
        VARIANT v = (pTarget->*reinterpret_cast<PFN_VAR>(pfn))(AFX_DISP_ARGS);
        *pResult = v;
        return;
    }
    case VT_R4:
    case VT_R8:
    case VT_DATE: {
        double d = (pTarget->*reinterpret_cast<PFN_D>(pfn))(AFX_DISP_ARGS);
        V_VT(pResult) = vtRet;
        if (vtRet == VT_R4) {
            float f;
            memcpy(&f, &d, sizeof f);  // the float is the register's low half
            V_R4(pResult) = f;
        } else if (vtRet == VT_R8) {
            V_R8(pResult) = d;
        } else {
            V_DATE(pResult) = d;
        }
        return;
    }
    default:
        break;
    }

    long long n = (pTarget->*reinterpret_cast<PFN_I>(pfn))(AFX_DISP_ARGS);
    V_VT(pResult) = vtRet;
    switch (vtRet) {
    case VT_I2: V_I2(pResult) = (SHORT)n; break;
    case VT_I4: V_I4(pResult) = (LONG)n; break;
    case VT_UI1: V_UI1(pResult) = (BYTE)n; break;
    case VT_ERROR: V_ERROR(pResult) = (SCODE)n; break;
    case VT_BOOL: V_BOOL(pResult) = (int)n != 0 ? VARIANT_TRUE : VARIANT_FALSE; break;
    case VT_CY: memcpy(&V_CY(pResult), &n, sizeof(CY)); break;
    case VT_BSTR: V_BSTR(pResult) = (BSTR)(INT_PTR)n; break;
    case VT_DISPATCH: V_DISPATCH(pResult) = (IDispatch*)(INT_PTR)n; break;
    case VT_UNKNOWN: V_UNKNOWN(pResult) = (IUnknown*)(INT_PTR)n; break;
    default: V_VT(pResult) = VT_EMPTY; break;
    }
}

// The reason an exception gives the caller.
void FillExcepInfo(CException* e, EXCEPINFO* pInfo)
{
    if (pInfo == NULL)
        return;
    memset(pInfo, 0, sizeof *pInfo);
    CString strDescription;
    CString strSource;
    if (e->IsKindOf(RUNTIME_CLASS(COleDispatchException))) {
        COleDispatchException* pDisp = static_cast<COleDispatchException*>(e);
        pInfo->wCode = pDisp->m_wCode;
        // The caller reads either the server's code or an SCODE, never both.
        if (pDisp->m_wCode == 0)
            pInfo->scode = pDisp->m_scError != 0 ? pDisp->m_scError : (SCODE)E_FAIL;
        strDescription = pDisp->m_strDescription;
        strSource = pDisp->m_strSource;
        pInfo->dwHelpContext = pDisp->m_dwHelpContext;
        if (!pDisp->m_strHelpFile.IsEmpty())
            pInfo->bstrHelpFile = pDisp->m_strHelpFile.AllocSysString();
    } else {
        pInfo->scode = COleException::Process(e);
        char szMessage[512] = "";
        if (e->GetErrorMessage(szMessage, sizeof szMessage))
            strDescription = szMessage;
    }
    if (strSource.IsEmpty() && AfxGetAppName() != NULL)
        strSource = AfxGetAppName();
    pInfo->bstrDescription = strDescription.AllocSysString();
    pInfo->bstrSource = strSource.AllocSysString();
}

// The address of a VARIANT's value (every member of its union starts there).
void* ValueOf(VARIANT* pv)
{
    return &V_I4(pv);
}

// Prepares the arguments of a parameter string from the caller's
// (reversed) arguments. Converted copies and texts live in the vectors
// until the call is over.
HRESULT PrepareArgs(LPCSTR lpszParams, DISPPARAMS* pDispParams, CallSlots& slots,
                    std::vector<VARIANT>& converted, std::vector<CString>& texts, UINT* puArgErr)
{
    const UINT nParams = (UINT)strlen(lpszParams);
    for (UINT i = 0; i < nParams; ++i) {
        const UINT nArg = pDispParams->cArgs - 1 - i;
        VARIANT* pArg = &pDispParams->rgvarg[nArg];
        const VARTYPE vt = (BYTE)lpszParams[i];
        HRESULT hr = S_OK;

        if (vt & VT_MFCBYREF) {
            const VARTYPE vtBase = vt & ~VT_MFCBYREF;
            void* pValue = NULL;
            if (V_VT(pArg) == (VT_BYREF | VT_VARIANT)) {
                // A script's variable: coerce it in place and hand out its value.
                VARIANT* pInner = V_VARIANTREF(pArg);
                if (vtBase == VT_VARIANT) {
                    pValue = pInner;
                } else {
                    if (V_VT(pInner) != vtBase) {
                        VARIANT changed;
                        VariantInit(&changed);
                        hr = VariantChangeType(&changed, pInner, 0, vtBase);
                        if (SUCCEEDED(hr)) {
                            VariantClear(pInner);
                            *pInner = changed;
                        }
                    }
                    pValue = ValueOf(pInner);
                }
            } else if (V_VT(pArg) == (VT_BYREF | vtBase)) {
                pValue = V_BYREF(pArg);
            } else if (vtBase == VT_VARIANT) {
                pValue = pArg;
            } else {
                hr = DISP_E_TYPEMISMATCH;
            }
            if (FAILED(hr)) {
                if (puArgErr != NULL)
                    *puArgErr = nArg;
                return DISP_E_TYPEMISMATCH;
            }
            slots.bits[i] = (uint64_t)(uintptr_t)pValue;
            continue;
        }

        VARIANT* pConv = &converted[i];
        if (vt == VT_VARIANT) {
            hr = VariantCopyInd(pConv, pArg);
        } else {
            hr = VariantChangeType(pConv, pArg, 0, vt == VT_BSTRA ? (VARTYPE)VT_BSTR : vt);
        }
        if (FAILED(hr)) {
            if (puArgErr != NULL)
                *puArgErr = nArg;
            return DISP_E_TYPEMISMATCH;
        }

        uint64_t bits = 0;
        switch (vt) {
        case VT_I2: bits = (uint64_t)(int64_t)V_I2(pConv); break;
        case VT_I4: bits = (uint64_t)(int64_t)V_I4(pConv); break;
        case VT_UI1: bits = V_UI1(pConv); break;
        case VT_ERROR: bits = (uint64_t)(int64_t)V_ERROR(pConv); break;
        case VT_BOOL: bits = V_BOOL(pConv) != VARIANT_FALSE ? 1 : 0; break;
        case VT_R4: {
            float f = V_R4(pConv);
            uint32_t n;
            memcpy(&n, &f, sizeof n);
            bits = n;
            break;
        }
        case VT_R8: memcpy(&bits, &V_R8(pConv), sizeof bits); break;
        case VT_DATE: memcpy(&bits, &V_DATE(pConv), sizeof bits); break;
        case VT_CY: memcpy(&bits, &V_CY(pConv), sizeof bits); break;
        case VT_BSTR: bits = (uint64_t)(uintptr_t)V_BSTR(pConv); break;
        case VT_BSTRA:
            texts[i] = CString(V_BSTR(pConv) != NULL ? (LPCWSTR)V_BSTR(pConv) : L"");
            bits = (uint64_t)(uintptr_t)(LPCSTR)texts[i];
            break;
        case VT_DISPATCH: bits = (uint64_t)(uintptr_t)V_DISPATCH(pConv); break;
        case VT_UNKNOWN: bits = (uint64_t)(uintptr_t)V_UNKNOWN(pConv); break;
        case VT_VARIANT: bits = (uint64_t)(uintptr_t)pConv; break;
        default:
            if (puArgErr != NULL)
                *puArgErr = nArg;
            return DISP_E_TYPEMISMATCH;
        }
        slots.bits[i] = bits;
    }
    return S_OK;
}

// A member variable's value as a VARIANT.
HRESULT GetMemberProperty(CCmdTarget* pTarget, const AFX_DISPMAP_ENTRY* pEntry, VARIANT* pResult)
{
    void* pMember = reinterpret_cast<BYTE*>(pTarget) + pEntry->nPropOffset;
    V_VT(pResult) = pEntry->vt;
    switch (pEntry->vt) {
    case VT_BSTR: V_BSTR(pResult) = static_cast<CString*>(pMember)->AllocSysString(); break;
    case VT_I2: V_I2(pResult) = *static_cast<short*>(pMember); break;
    case VT_I4: V_I4(pResult) = *static_cast<long*>(pMember); break;
    case VT_UI1: V_UI1(pResult) = *static_cast<BYTE*>(pMember); break;
    case VT_R4: V_R4(pResult) = *static_cast<float*>(pMember); break;
    case VT_R8: V_R8(pResult) = *static_cast<double*>(pMember); break;
    case VT_DATE: V_DATE(pResult) = *static_cast<DATE*>(pMember); break;
    case VT_CY: V_CY(pResult) = *static_cast<CY*>(pMember); break;
    case VT_ERROR: V_ERROR(pResult) = *static_cast<SCODE*>(pMember); break;
    case VT_BOOL:
        V_BOOL(pResult) = *static_cast<BOOL*>(pMember) ? VARIANT_TRUE : VARIANT_FALSE;
        break;
    case VT_DISPATCH:
        V_DISPATCH(pResult) = *static_cast<LPDISPATCH*>(pMember);
        if (V_DISPATCH(pResult) != NULL)
            V_DISPATCH(pResult)->AddRef();
        break;
    case VT_VARIANT:
        V_VT(pResult) = VT_EMPTY;
        return VariantCopy(pResult, static_cast<VARIANT*>(pMember));
    default:
        V_VT(pResult) = VT_EMPTY;
        return DISP_E_MEMBERNOTFOUND;
    }
    return S_OK;
}

HRESULT SetMemberProperty(CCmdTarget* pTarget, const AFX_DISPMAP_ENTRY* pEntry, VARIANT* pArg)
{
    void* pMember = reinterpret_cast<BYTE*>(pTarget) + pEntry->nPropOffset;
    if (pEntry->vt == VT_VARIANT)
        return VariantCopyInd(static_cast<VARIANT*>(pMember), pArg);
    VARIANT v;
    VariantInit(&v);
    HRESULT hr = VariantChangeType(&v, pArg, 0, pEntry->vt);
    if (FAILED(hr))
        return DISP_E_TYPEMISMATCH;
    switch (pEntry->vt) {
    case VT_BSTR: *static_cast<CString*>(pMember) = V_BSTR(&v) != NULL ? (LPCWSTR)V_BSTR(&v) : L""; break;
    case VT_I2: *static_cast<short*>(pMember) = V_I2(&v); break;
    case VT_I4: *static_cast<long*>(pMember) = V_I4(&v); break;
    case VT_UI1: *static_cast<BYTE*>(pMember) = V_UI1(&v); break;
    case VT_R4: *static_cast<float*>(pMember) = V_R4(&v); break;
    case VT_R8: *static_cast<double*>(pMember) = V_R8(&v); break;
    case VT_DATE: *static_cast<DATE*>(pMember) = V_DATE(&v); break;
    case VT_CY: *static_cast<CY*>(pMember) = V_CY(&v); break;
    case VT_ERROR: *static_cast<SCODE*>(pMember) = V_ERROR(&v); break;
    case VT_BOOL: *static_cast<BOOL*>(pMember) = V_BOOL(&v) != VARIANT_FALSE; break;
    case VT_DISPATCH: {
        LPDISPATCH& rMember = *static_cast<LPDISPATCH*>(pMember);
        if (V_DISPATCH(&v) != NULL)
            V_DISPATCH(&v)->AddRef();
        if (rMember != NULL)
            rMember->Release();
        rMember = V_DISPATCH(&v);
        break;
    }
    default:
        hr = DISP_E_MEMBERNOTFOUND;
        break;
    }
    VariantClear(&v);
    return hr;
}

bool IsNotSupported(AFX_PMSG pfn, void (CCmdTarget::*pfnStandIn)())
{
    return pfn == static_cast<AFX_PMSG>(pfnStandIn);
}

}  // namespace

STDMETHODIMP COleDispatchImpl::GetIDsOfNames(REFIID riid, LPOLESTR* rgszNames, UINT cNames, LCID,
                                             DISPID* rgDispId)
{
    if (!IsEqualIID(riid, IID_NULL))
        return DISP_E_UNKNOWNINTERFACE;
    if (rgszNames == NULL || rgDispId == NULL || cNames == 0)
        return E_INVALIDARG;
    CString strName(rgszNames[0] != NULL ? (LPCWSTR)rgszNames[0] : L"");
    rgDispId[0] = FindName(MapOf(Owner()), strName);
    HRESULT hr = rgDispId[0] == DISPID_UNKNOWN ? DISP_E_UNKNOWNNAME : S_OK;
    // Parameters have no names here.
    for (UINT i = 1; i < cNames; ++i) {
        rgDispId[i] = DISPID_UNKNOWN;
        hr = DISP_E_UNKNOWNNAME;
    }
    return hr;
}

STDMETHODIMP COleDispatchImpl::Invoke(DISPID dispIdMember, REFIID riid, LCID, WORD wFlags,
                                      DISPPARAMS* pDispParams, VARIANT* pVarResult,
                                      EXCEPINFO* pExcepInfo, UINT* puArgErr)
{
    if (!IsEqualIID(riid, IID_NULL))
        return DISP_E_UNKNOWNINTERFACE;
    if (pDispParams == NULL)
        return E_INVALIDARG;
    CCmdTarget* pTarget = Owner();
    const AFX_DISPMAP_ENTRY* pEntry = FindEntry(MapOf(pTarget), dispIdMember);
    if (pEntry == NULL)
        return DISP_E_MEMBERNOTFOUND;

    const bool bPut = (wFlags & (DISPATCH_PROPERTYPUT | DISPATCH_PROPERTYPUTREF)) != 0;
    const bool bGet = (wFlags & (DISPATCH_METHOD | DISPATCH_PROPERTYGET)) != 0;
    const bool bMethod = pEntry->lpszParams != NULL;
    if (bMethod) {
        if (!bGet)
            return DISP_E_MEMBERNOTFOUND;
        if (pDispParams->cNamedArgs != 0)
            return DISP_E_NONAMEDARGS;
        if (pDispParams->cArgs != strlen(pEntry->lpszParams) || pDispParams->cArgs > (UINT)kMaxParams)
            return DISP_E_BADPARAMCOUNT;
    } else if (bPut) {
        if (pDispParams->cNamedArgs > 1 ||
            (pDispParams->cNamedArgs == 1 && pDispParams->rgdispidNamedArgs[0] != DISPID_PROPERTYPUT))
            return DISP_E_NONAMEDARGS;
        if (pDispParams->cArgs != 1)
            return DISP_E_BADPARAMCOUNT;
        if (pEntry->nPropOffset == (size_t)-1 && IsNotSupported(pEntry->pfnSet, &CCmdTarget::SetNotSupported))
            return DISP_E_MEMBERNOTFOUND;
    } else if (bGet) {
        if (pDispParams->cNamedArgs != 0)
            return DISP_E_NONAMEDARGS;
        if (pDispParams->cArgs != 0)
            return DISP_E_BADPARAMCOUNT;
        if (pEntry->nPropOffset == (size_t)-1 && IsNotSupported(pEntry->pfn, &CCmdTarget::GetNotSupported))
            return DISP_E_MEMBERNOTFOUND;
    } else {
        return DISP_E_MEMBERNOTFOUND;
    }

    VARIANT result;
    VariantInit(&result);
    std::vector<VARIANT> converted(kMaxParams);
    for (VARIANT& v : converted)
        VariantInit(&v);
    std::vector<CString> texts(kMaxParams);

    // The member may release the last reference the caller held.
    pTarget->InternalAddRef();
    HRESULT hr = S_OK;
    try {
        if (bMethod) {
            CallSlots slots;
            hr = PrepareArgs(pEntry->lpszParams, pDispParams, slots, converted, texts, puArgErr);
            if (SUCCEEDED(hr))
                CallMember(pTarget, pEntry->pfn, pEntry->vt, slots, &result);
        } else if (bPut) {
            VARIANT* pArg = &pDispParams->rgvarg[0];
            if (pEntry->nPropOffset != (size_t)-1) {
                hr = SetMemberProperty(pTarget, pEntry, pArg);
                if (SUCCEEDED(hr) && pEntry->pfnSet != NULL)
                    (pTarget->*pEntry->pfnSet)();
            } else {
                char szParams[2] = {(char)(pEntry->vt == VT_BSTR ? VT_BSTRA : pEntry->vt), '\0'};
                CallSlots slots;
                hr = PrepareArgs(szParams, pDispParams, slots, converted, texts, puArgErr);
                if (SUCCEEDED(hr))
                    CallMember(pTarget, pEntry->pfnSet, VT_EMPTY, slots, &result);
            }
        } else {
            if (pEntry->nPropOffset != (size_t)-1) {
                hr = GetMemberProperty(pTarget, pEntry, &result);
            } else {
                CallSlots slots;
                CallMember(pTarget, pEntry->pfn, pEntry->vt, slots, &result);
            }
        }
    } catch (CException* e) {
        FillExcepInfo(e, pExcepInfo);
        e->Delete();
        hr = DISP_E_EXCEPTION;
    }

    for (VARIANT& v : converted)
        VariantClear(&v);
    if (SUCCEEDED(hr) && pVarResult != NULL)
        *pVarResult = result;  // the caller owns it now
    else
        VariantClear(&result);
    pTarget->InternalRelease();
    return hr;
}

// ---------------------------------------------------------------------------
// CCmdTarget's automation members

void CCmdTarget::EnableAutomation()
{
    m_xDispatch.m_vtbl = COleDispatchImpl::Vtable();
    m_xDispatch.m_pOwner = this;
}

LPDISPATCH CCmdTarget::GetIDispatch(BOOL bAddRef)
{
    if (m_xDispatch.m_vtbl == NULL)
        return NULL;
    if (bAddRef)
        ExternalAddRef();
    return reinterpret_cast<LPDISPATCH>(&m_xDispatch);
}

CCmdTarget* PASCAL CCmdTarget::FromIDispatch(LPDISPATCH lpDispatch)
{
    if (lpDispatch == NULL)
        return NULL;
    // Only our own IDispatch has our vtable; any other object is not a command target.
    const void* vtbl;
    memcpy(&vtbl, static_cast<const void*>(lpDispatch), sizeof vtbl);
    if (vtbl != COleDispatchImpl::Vtable())
        return NULL;
    return reinterpret_cast<XDispatch*>(lpDispatch)->m_pOwner;
}

void CCmdTarget::OnFinalRelease()
{
    delete this;
}

DWORD CCmdTarget::InternalAddRef()
{
    return (DWORD)InterlockedIncrement(&m_dwRef);
}

DWORD CCmdTarget::InternalRelease()
{
    if (m_dwRef == 0)
        return 0;
    LONG lResult = InterlockedDecrement(&m_dwRef);
    if (lResult == 0)
        OnFinalRelease();
    return (DWORD)lResult;
}

DWORD CCmdTarget::ExternalAddRef() { return InternalAddRef(); }
DWORD CCmdTarget::ExternalRelease() { return InternalRelease(); }

LPUNKNOWN CCmdTarget::GetInterface(const void* iid)
{
    const IID& riid = *static_cast<const IID*>(iid);
    LPUNKNOWN pDispatch = m_xDispatch.m_vtbl != NULL ? reinterpret_cast<LPUNKNOWN>(&m_xDispatch) : NULL;
    if (IsEqualIID(riid, IID_IUnknown) || IsEqualIID(riid, IID_IDispatch))
        return pDispatch;
    for (const AFX_INTERFACEMAP* pMap = GetInterfaceMap(); pMap != NULL;
         pMap = pMap->pfnGetBaseMap != NULL ? pMap->pfnGetBaseMap() : NULL) {
        for (const AFX_INTERFACEMAP_ENTRY* pEntry = pMap->pEntry; pEntry->piid != NULL; ++pEntry) {
            if (IsEqualIID(riid, *pEntry->piid)) {
                LPUNKNOWN pUnk = reinterpret_cast<LPUNKNOWN>(reinterpret_cast<BYTE*>(this) + pEntry->nOffset);
                // A part whose vtable was never set up is not there.
                const void* vtbl;
                memcpy(&vtbl, static_cast<const void*>(pUnk), sizeof vtbl);
                return vtbl != NULL ? pUnk : NULL;
            }
        }
    }
    return NULL;
}

DWORD CCmdTarget::InternalQueryInterface(const void* iid, LPVOID* ppvObj)
{
    if (ppvObj == NULL)
        return (DWORD)E_POINTER;
    LPUNKNOWN pUnk = GetInterface(iid);
    *ppvObj = pUnk;
    if (pUnk == NULL)
        return (DWORD)E_NOINTERFACE;
    InternalAddRef();
    return S_OK;
}

DWORD CCmdTarget::ExternalQueryInterface(const void* iid, LPVOID* ppvObj)
{
    return InternalQueryInterface(iid, ppvObj);
}

void CCmdTarget::GetNotSupported()
{
    AfxThrowOleException(DISP_E_MEMBERNOTFOUND);
}

void CCmdTarget::SetNotSupported()
{
    AfxThrowOleException(DISP_E_MEMBERNOTFOUND);
}

const AFX_DISPMAP* PASCAL CCmdTarget::GetThisDispatchMap()
{
    static const AFX_DISPMAP_ENTRY entries[] = {
        {NULL, DISPID_UNKNOWN, NULL, VT_EMPTY, (AFX_PMSG)0, (AFX_PMSG)0, (size_t)-1, afxDispCustom}};
    static const AFX_DISPMAP map = {NULL, &entries[0]};
    return &map;
}

const AFX_DISPMAP* CCmdTarget::GetDispatchMap() const
{
    return GetThisDispatchMap();
}

const AFX_INTERFACEMAP* PASCAL CCmdTarget::GetThisInterfaceMap()
{
    static const AFX_INTERFACEMAP_ENTRY entries[] = {{NULL, (size_t)-1}};
    static const AFX_INTERFACEMAP map = {NULL, &entries[0]};
    return &map;
}

const AFX_INTERFACEMAP* CCmdTarget::GetInterfaceMap() const
{
    return GetThisInterfaceMap();
}

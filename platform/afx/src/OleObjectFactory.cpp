// Class factories: the program's creatable classes made known to OLE while
// it runs, and their registry entries (ProgID, CLSID, LocalServer32).
#include "afxwin.h"
#include "afxdisp.h"

#include "OleServing.h"

#include <shlwapi.h>
#include <string.h>

IMPLEMENT_DYNAMIC(COleObjectFactory, CCmdTarget)

namespace {

// Every factory of the program and its extension libraries, in the order
// they were constructed (static objects, before WinMain).
COleObjectFactory* g_pFirstFactory = NULL;

class COleClassFactoryImpl : public IClassFactory {
public:
    static COleClassFactoryImpl s_prototype;

    COleObjectFactory* Owner()
    {
        return reinterpret_cast<COleObjectFactory::XClassFactory*>(this)->m_pOwner;
    }
    static const void* Vtable()
    {
        const void* vtbl;
        memcpy(&vtbl, static_cast<const void*>(&s_prototype), sizeof vtbl);
        return vtbl;
    }

    STDMETHOD(QueryInterface)(REFIID riid, void** ppv) override
    {
        if (ppv == NULL)
            return E_POINTER;
        if (IsEqualIID(riid, IID_IUnknown) || IsEqualIID(riid, IID_IClassFactory)) {
            *ppv = static_cast<IClassFactory*>(this);
            AddRef();
            return S_OK;
        }
        *ppv = NULL;
        return E_NOINTERFACE;
    }
    STDMETHOD_(ULONG, AddRef)() override { return Owner()->InternalAddRef(); }
    STDMETHOD_(ULONG, Release)() override { return Owner()->InternalRelease(); }

    STDMETHOD(CreateInstance)(IUnknown* pUnkOuter, REFIID riid, void** ppv) override
    {
        if (ppv == NULL)
            return E_POINTER;
        *ppv = NULL;
        if (pUnkOuter != NULL)
            return CLASS_E_NOAGGREGATION;
        CCmdTarget* pTarget = NULL;
        try {
            pTarget = Owner()->OnCreateObject();
        } catch (CException* e) {
            SCODE sc = COleException::Process(e);
            e->Delete();
            return sc;
        }
        if (pTarget == NULL)
            return E_OUTOFMEMORY;
        HRESULT hr = (HRESULT)pTarget->ExternalQueryInterface(&riid, ppv);
        // The reference of construction: the client's is the only one left
        // (none when the interface was refused, which ends the object).
        pTarget->InternalRelease();
        return hr;
    }
    STDMETHOD(LockServer)(BOOL fLock) override
    {
        if (fLock)
            AfxOleLockApp();
        else
            AfxOleUnlockApp();
        return S_OK;
    }
};

COleClassFactoryImpl COleClassFactoryImpl::s_prototype;

CString GuidText(REFCLSID clsid)
{
    WCHAR szWide[64];
    if (::StringFromGUID2(clsid, szWide, 64) == 0)
        return CString();
    return CString(szWide);
}

BOOL SetKeyValue(LPCSTR lpszKey, LPCSTR lpszName, LPCSTR lpszValue)
{
    HKEY hKey = NULL;
    if (::RegCreateKeyExA(HKEY_CLASSES_ROOT, lpszKey, 0, NULL, REG_OPTION_NON_VOLATILE, KEY_WRITE,
                          NULL, &hKey, NULL) != ERROR_SUCCESS)
        return FALSE;
    LONG lResult = ::RegSetValueExA(hKey, lpszName, 0, REG_SZ, (const BYTE*)lpszValue,
                                    (DWORD)strlen(lpszValue) + 1);
    ::RegCloseKey(hKey);
    return lResult == ERROR_SUCCESS;
}

// The program as OLE is to start it: its full path, quoted. Wine makes up
// a short name from a hash of the long one, and in a folder of programs with
// one prefix that short name can lead to another program.
CString ServerPath()
{
    char szLong[MAX_PATH];
    DWORD nLen = ::GetModuleFileNameA(NULL, szLong, MAX_PATH);
    if (nLen == 0 || nLen >= MAX_PATH)
        return CString();
    CString strQuoted = "\"";
    strQuoted += szLong;
    strQuoted += "\"";
    return strQuoted;
}

}  // namespace

BOOL AFXAPI AfxOleRegisterServerClass(REFCLSID clsid, LPCTSTR lpszClassName,
                                      LPCTSTR lpszShortTypeName, LPCTSTR lpszLongTypeName,
                                      OLE_APPTYPE nAppType)
{
    CString strClsid = GuidText(clsid);
    if (strClsid.IsEmpty() || lpszClassName == NULL || *lpszClassName == '\0')
        return FALSE;
    CString strServer = ServerPath();
    if (strServer.IsEmpty())
        return FALSE;
    if (lpszLongTypeName == NULL)
        lpszLongTypeName = lpszShortTypeName != NULL ? lpszShortTypeName : lpszClassName;
    // Started by OLE for automation the program runs hidden; the other
    // server types are started for embedding (OLE adds -Embedding itself).
    if (nAppType == OAT_DISPATCH_OBJECT)
        strServer += " /Automation";

    CString strClsidKey = "CLSID\\" + strClsid;
    CString strProgIdKey = lpszClassName;
    BOOL bOk = SetKeyValue(strProgIdKey, NULL, lpszLongTypeName) &&
               SetKeyValue(strProgIdKey + "\\CLSID", NULL, strClsid) &&
               SetKeyValue(strClsidKey, NULL, lpszLongTypeName) &&
               SetKeyValue(strClsidKey + "\\ProgID", NULL, lpszClassName) &&
               SetKeyValue(strClsidKey + "\\LocalServer32", NULL, strServer);
    if (bOk && nAppType != OAT_DISPATCH_OBJECT)
        bOk = SetKeyValue(strClsidKey + "\\InprocHandler32", NULL, "ole32.dll");
    return bOk;
}

BOOL AFXAPI AfxOleUnregisterClass(REFCLSID clsid, LPCTSTR lpszProgID)
{
    BOOL bOk = TRUE;
    CString strClsid = GuidText(clsid);
    if (!strClsid.IsEmpty()) {
        DWORD dwResult = ::SHDeleteKeyA(HKEY_CLASSES_ROOT, "CLSID\\" + strClsid);
        bOk = dwResult == ERROR_SUCCESS || dwResult == ERROR_FILE_NOT_FOUND;
    }
    if (lpszProgID != NULL && *lpszProgID != '\0') {
        DWORD dwResult = ::SHDeleteKeyA(HKEY_CLASSES_ROOT, lpszProgID);
        bOk = bOk && (dwResult == ERROR_SUCCESS || dwResult == ERROR_FILE_NOT_FOUND);
    }
    return bOk;
}

COleObjectFactory::COleObjectFactory(REFCLSID clsid, CRuntimeClass* pRuntimeClass,
                                     BOOL bMultiInstance, LPCTSTR lpszProgID)
    : m_pNextFactory(NULL),
      m_dwRegister(0),
      m_clsid(clsid),
      m_pRuntimeClass(pRuntimeClass),
      m_bMultiInstance(bMultiInstance),
      m_lpszProgID(lpszProgID)
{
    m_xClassFactory.m_vtbl = COleClassFactoryImpl::Vtable();
    m_xClassFactory.m_pOwner = this;
    COleObjectFactory** ppLink = &g_pFirstFactory;
    while (*ppLink != NULL)
        ppLink = &(*ppLink)->m_pNextFactory;
    *ppLink = this;
}

COleObjectFactory::~COleObjectFactory()
{
    Revoke();
    for (COleObjectFactory** ppLink = &g_pFirstFactory; *ppLink != NULL;
         ppLink = &(*ppLink)->m_pNextFactory) {
        if (*ppLink == this) {
            *ppLink = m_pNextFactory;
            break;
        }
    }
}

BOOL COleObjectFactory::Register()
{
    if (m_dwRegister != 0)
        return TRUE;
    if (IsEqualCLSID(m_clsid, CLSID_NULL))
        return FALSE;
    // Several instances: each client's object in a program of its own, so
    // the factory serves one creation and OLE starts the program again.
    HRESULT hr = ::CoRegisterClassObject(m_clsid, reinterpret_cast<LPUNKNOWN>(&m_xClassFactory),
                                         CLSCTX_LOCAL_SERVER,
                                         m_bMultiInstance ? REGCLS_SINGLEUSE : REGCLS_MULTIPLEUSE,
                                         &m_dwRegister);
    if (FAILED(hr)) {
        m_dwRegister = 0;
        return FALSE;
    }
    AfxOleNoteClassObjectRegistered();
    return TRUE;
}

void COleObjectFactory::Revoke()
{
    if (m_dwRegister != 0) {
        ::CoRevokeClassObject(m_dwRegister);
        m_dwRegister = 0;
    }
}

void COleObjectFactory::UpdateRegistry(LPCTSTR lpszProgID)
{
    if (lpszProgID == NULL)
        lpszProgID = m_lpszProgID;
    if (lpszProgID != NULL)
        AfxOleRegisterServerClass(m_clsid, lpszProgID, lpszProgID, lpszProgID, OAT_DISPATCH_OBJECT);
}

BOOL COleObjectFactory::Unregister()
{
    return AfxOleUnregisterClass(m_clsid, m_lpszProgID);
}

CCmdTarget* COleObjectFactory::OnCreateObject()
{
    if (m_pRuntimeClass == NULL)
        return NULL;
    CObject* pObject = m_pRuntimeClass->CreateObject();
    if (pObject == NULL)
        return NULL;
    if (!pObject->IsKindOf(RUNTIME_CLASS(CCmdTarget))) {
        delete pObject;
        return NULL;
    }
    return static_cast<CCmdTarget*>(pObject);
}

BOOL PASCAL COleObjectFactory::RegisterAll()
{
    BOOL bResult = TRUE;
    for (COleObjectFactory* pFactory = g_pFirstFactory; pFactory != NULL;
         pFactory = pFactory->m_pNextFactory) {
        if (!IsEqualCLSID(pFactory->m_clsid, CLSID_NULL) && !pFactory->Register())
            bResult = FALSE;
    }
    return bResult;
}

void PASCAL COleObjectFactory::RevokeAll()
{
    for (COleObjectFactory* pFactory = g_pFirstFactory; pFactory != NULL;
         pFactory = pFactory->m_pNextFactory)
        pFactory->Revoke();
}

BOOL PASCAL COleObjectFactory::UpdateRegistryAll(BOOL bRegister)
{
    if (!bRegister)
        return UnregisterAll();
    for (COleObjectFactory* pFactory = g_pFirstFactory; pFactory != NULL;
         pFactory = pFactory->m_pNextFactory) {
        if (pFactory->m_lpszProgID != NULL && !IsEqualCLSID(pFactory->m_clsid, CLSID_NULL))
            pFactory->UpdateRegistry();
    }
    return TRUE;
}

BOOL PASCAL COleObjectFactory::UnregisterAll()
{
    BOOL bResult = TRUE;
    for (COleObjectFactory* pFactory = g_pFirstFactory; pFactory != NULL;
         pFactory = pFactory->m_pNextFactory) {
        if (!IsEqualCLSID(pFactory->m_clsid, CLSID_NULL) && !pFactory->Unregister())
            bResult = FALSE;
    }
    return bResult;
}

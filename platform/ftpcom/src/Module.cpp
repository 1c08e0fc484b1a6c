// The DLL's COM entry points: the class factory and the registration under
// HKEY_CLASSES_ROOT (regsvr32).
#include <initguid.h>

#include "FtpCom.h"
#include "FtpObject.h"

#include <olectl.h>

#include <string>

namespace {

HMODULE g_module = nullptr;
std::atomic<long> g_locks{0};

class FtpObjectFactory : public IClassFactory {
public:
    STDMETHODIMP QueryInterface(REFIID riid, void** ppv) override
    {
        if (!ppv)
            return E_POINTER;
        if (IsEqualIID(riid, IID_IUnknown) || IsEqualIID(riid, IID_IClassFactory)) {
            *ppv = static_cast<IClassFactory*>(this);
            return S_OK;
        }
        *ppv = nullptr;
        return E_NOINTERFACE;
    }
    // One static factory: its references keep nothing alive.
    STDMETHODIMP_(ULONG) AddRef() override { return 2; }
    STDMETHODIMP_(ULONG) Release() override { return 1; }

    STDMETHODIMP CreateInstance(IUnknown* pOuter, REFIID riid, void** ppv) override
    {
        if (!ppv)
            return E_POINTER;
        *ppv = nullptr;
        if (pOuter)
            return CLASS_E_NOAGGREGATION;
        FtpObject* pObject = new (std::nothrow) FtpObject;
        if (!pObject)
            return E_OUTOFMEMORY;
        HRESULT hr = pObject->QueryInterface(riid, ppv);
        pObject->Release();
        return hr;
    }
    STDMETHODIMP LockServer(BOOL fLock) override
    {
        if (fLock)
            ++g_locks;
        else
            --g_locks;
        return S_OK;
    }
};

FtpObjectFactory g_factory;

std::string ClsidText()
{
    wchar_t wide[64] = {};
    StringFromGUID2(CLSID_FtpComFtpObject, wide, 64);
    char text[64] = {};
    WideCharToMultiByte(CP_ACP, 0, wide, -1, text, sizeof(text), nullptr, nullptr);
    return text;
}

bool SetKeyValue(const std::string& key, const char* name, const std::string& value)
{
    HKEY hKey = nullptr;
    if (RegCreateKeyExA(HKEY_CLASSES_ROOT, key.c_str(), 0, nullptr, 0, KEY_WRITE, nullptr, &hKey, nullptr) !=
        ERROR_SUCCESS)
        return false;
    LONG result = RegSetValueExA(hKey, name, 0, REG_SZ, reinterpret_cast<const BYTE*>(value.c_str()),
                                 static_cast<DWORD>(value.size() + 1));
    RegCloseKey(hKey);
    return result == ERROR_SUCCESS;
}

}  // namespace

extern "C" BOOL WINAPI DllMain(HINSTANCE hInstance, DWORD dwReason, LPVOID)
{
    // Thread notifications stay on: the runtime frees its data for each
    // worker thread when that thread ends.
    if (dwReason == DLL_PROCESS_ATTACH)
        g_module = hInstance;
    return TRUE;
}

STDAPI DllGetClassObject(REFCLSID rclsid, REFIID riid, LPVOID* ppv)
{
    if (!ppv)
        return E_POINTER;
    *ppv = nullptr;
    if (!IsEqualCLSID(rclsid, CLSID_FtpComFtpObject))
        return CLASS_E_CLASSNOTAVAILABLE;
    return g_factory.QueryInterface(riid, ppv);
}

STDAPI DllCanUnloadNow()
{
    bool bBusy = g_locks > 0 || FtpObject::LiveObjects() > 0 || FtpTask::RunningWorkers() > 0;
    return bBusy ? S_FALSE : S_OK;
}

STDAPI DllRegisterServer()
{
    char path[MAX_PATH] = {};
    if (!GetModuleFileNameA(g_module, path, MAX_PATH))
        return SELFREG_E_CLASS;
    std::string clsidKey = "CLSID\\" + ClsidText();
    bool bDone = SetKeyValue(clsidKey, nullptr, "FtpCom FtpObject") &&
                 SetKeyValue(clsidKey + "\\InprocServer32", nullptr, path) &&
                 SetKeyValue(clsidKey + "\\InprocServer32", "ThreadingModel", "Both") &&
                 SetKeyValue(clsidKey + "\\ProgID", nullptr, FTPCOM_PROGID) &&
                 SetKeyValue(FTPCOM_PROGID, nullptr, "FtpCom FtpObject") &&
                 SetKeyValue(FTPCOM_PROGID "\\CLSID", nullptr, ClsidText());
    return bDone ? S_OK : SELFREG_E_CLASS;
}

STDAPI DllUnregisterServer()
{
    std::string clsidKey = "CLSID\\" + ClsidText();
    RegDeleteTreeA(HKEY_CLASSES_ROOT, clsidKey.c_str());
    RegDeleteTreeA(HKEY_CLASSES_ROOT, FTPCOM_PROGID);
    return S_OK;
}

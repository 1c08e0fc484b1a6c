// An extension library for the resource chain tests: joins the chain when
// it loads and leaves it when it unloads, as every extension library does.
#include "afxwin.h"

static AFX_EXTENSION_MODULE g_extModule = {};

extern "C" BOOL WINAPI DllMain(HINSTANCE hInstance, DWORD dwReason, LPVOID)
{
    if (dwReason == DLL_PROCESS_ATTACH) {
        if (!AfxInitExtensionModule(g_extModule, hInstance))
            return FALSE;
        new CDynLinkLibrary(g_extModule);
    } else if (dwReason == DLL_PROCESS_DETACH) {
        AfxTermExtensionModule(g_extModule);
    }
    return TRUE;
}

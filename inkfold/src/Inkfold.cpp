// Library start-up: Inkfold joins the class library's resource chain as an
// extension library.
#include "afxwin.h"

#include "Inkfold.h"

static AFX_EXTENSION_MODULE g_inkfoldModule = {};

extern "C" BOOL WINAPI DllMain(HINSTANCE hInstance, DWORD dwReason, LPVOID)
{
    if (dwReason == DLL_PROCESS_ATTACH) {
        if (!AfxInitExtensionModule(g_inkfoldModule, hInstance))
            return FALSE;
        new CDynLinkLibrary(g_inkfoldModule);
    } else if (dwReason == DLL_PROCESS_DETACH) {
        AfxTermExtensionModule(g_inkfoldModule);
    }
    return TRUE;
}

HINSTANCE SetInkfoldResourceHandle()
{
    HINSTANCE previous = AfxGetResourceHandle();
    AfxSetResourceHandle(static_cast<HINSTANCE>(g_inkfoldModule.hResource));
    return previous;
}

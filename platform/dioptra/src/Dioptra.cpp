// The image library stand-in: library start-up, the editor's document type
// and the call record that tests read.
#include "afxwin.h"

#include "Dioptra.h"
#include "ImageDoc.h"
#include "ImageView.h"
#include "resource.h"

#include <mutex>
#include <string>

namespace {

AFX_EXTENSION_MODULE g_dioptraModule = {};

std::mutex g_lock;
std::string g_calls;
CMultiDocTemplate* g_pTemplate = NULL;
CFrameWnd* g_pHostFrame = NULL;
BOOL g_bToolTips = TRUE;

void Record(int ordinal, int argument)
{
    std::lock_guard<std::mutex> guard(g_lock);
    g_calls += std::to_string(ordinal) + " " + std::to_string(argument) + "\n";
}

}  // namespace

extern "C" BOOL WINAPI DllMain(HINSTANCE hInstance, DWORD dwReason, LPVOID)
{
    if (dwReason == DLL_PROCESS_ATTACH) {
        if (!AfxInitExtensionModule(g_dioptraModule, hInstance))
            return FALSE;
        new CDynLinkLibrary(g_dioptraModule);
    } else if (dwReason == DLL_PROCESS_DETACH) {
        AfxTermExtensionModule(g_dioptraModule);
    }
    return TRUE;
}

extern "C" {

void DioInitialize(int nReserved)
{
    Record(103, nReserved);
    CWinApp* pApp = AfxGetApp();
    if (pApp == NULL)
        return;
    // The application owns its templates and deletes them at its end; a
    // template of ours still in its list means the editor is registered.
    if (g_pTemplate != NULL) {
        for (POSITION pos = pApp->GetFirstDocTemplatePosition(); pos != NULL;)
            if (pApp->GetNextDocTemplate(pos) == g_pTemplate)
                return;
    }
    g_pTemplate = new CMultiDocTemplate(IDR_DIO_IMAGETYPE, RUNTIME_CLASS(CDioImageDoc), RUNTIME_CLASS(CMDIChildWnd),
                                        RUNTIME_CLASS(CDioImageView));
    pApp->AddDocTemplate(g_pTemplate);
}

void DioSetMainFrame(CFrameWnd* pFrame, BOOL bToolTips)
{
    Record(104, bToolTips);
    g_pHostFrame = pFrame;
    g_bToolTips = bToolTips != 0;
}

void DioAttachFrame(CFrameWnd* pFrame, int nFlags)
{
    Record(106, nFlags);
    g_pHostFrame = pFrame;
}

const char* DioptraCallLog()
{
    std::lock_guard<std::mutex> guard(g_lock);
    return g_calls.c_str();
}

void DioptraClearCallLog()
{
    std::lock_guard<std::mutex> guard(g_lock);
    g_calls.clear();
}

}  // extern "C"

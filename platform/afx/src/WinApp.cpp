// The application object, program start, the resources it loads and the
// library's message boxes.
#include "afxwin.h"
#include "afxdisp.h"

#include "HandleMap.h"
#include "ThreadState.h"

#include <shlwapi.h>
#include <string.h>

using afxinternal::CurrentThreadState;

namespace {

CWinApp* g_pApp = nullptr;

// AFX_IDS_APP_TITLE: a program's own title string, if it has one.
const UINT kAppTitleId = 0xE000;

LPTSTR Duplicate(LPCTSTR lpsz)
{
    return lpsz == nullptr ? nullptr : _strdup(lpsz);
}

void ProgramName(char* pszName, size_t nSize)
{
    char szPath[MAX_PATH];
    DWORD nLen = ::GetModuleFileNameA(nullptr, szPath, MAX_PATH);
    if (nLen == 0 || nLen >= MAX_PATH) {
        lstrcpynA(pszName, "", (int)nSize);
        return;
    }
    lstrcpynA(pszName, ::PathFindFileNameA(szPath), (int)nSize);
    ::PathRemoveExtensionA(pszName);
}

}  // namespace

IMPLEMENT_DYNAMIC(CWinApp, CWinThread)

CWinApp::CWinApp(LPCTSTR lpszAppName)
    : m_hInstance(::GetModuleHandleA(nullptr)), m_hPrevInstance(nullptr), m_lpCmdLine(nullptr),
      m_nCmdShow(SW_SHOWNORMAL), m_pszAppName(Duplicate(lpszAppName)),
      m_pszRegistryKey(nullptr), m_pszExeName(nullptr), m_pszHelpFilePath(nullptr),
      m_pszProfileName(nullptr), m_nNumPreviewPages(0), m_nWaitCursorCount(0),
      m_hcurWaitCursorRestore(nullptr), m_pDocManager(nullptr)
{
    ASSERT(g_pApp == nullptr);  // one application object per program
    g_pApp = this;
    CurrentThreadState().pThread = this;
    m_hThread = ::GetCurrentThread();
    m_nThreadID = ::GetCurrentThreadId();

    char szName[MAX_PATH];
    ProgramName(szName, sizeof szName);
    m_pszExeName = Duplicate(szName);
    if (m_pszAppName == nullptr) {
        char szTitle[256];
        if (::LoadStringA(m_hInstance, kAppTitleId, szTitle, sizeof szTitle) > 0)
            m_pszAppName = Duplicate(szTitle);
        else
            m_pszAppName = Duplicate(szName);
    }
    CString strIni(szName);
    strIni += ".INI";
    m_pszProfileName = Duplicate(strIni);
}

CWinApp::~CWinApp()
{
    delete m_pDocManager;  // and with it the document templates
    free((void*)m_pszAppName);
    free((void*)m_pszRegistryKey);
    free((void*)m_pszExeName);
    free((void*)m_pszHelpFilePath);
    free((void*)m_pszProfileName);
    if (g_pApp == this)
        g_pApp = nullptr;
    if (CurrentThreadState().pThread == this)
        CurrentThreadState().pThread = nullptr;
}

BOOL CWinApp::InitApplication()
{
    return TRUE;
}

BOOL CWinApp::InitInstance()
{
    return TRUE;
}

int CWinApp::ExitInstance()
{
    return (int)m_msgCur.wParam;
}

int CWinApp::Run()
{
    // Without a main window nothing could ever end the loop, unless the
    // program was started by OLE: then the release of its last object does.
    if (m_pMainWnd == nullptr && AfxOleGetUserCtrl())
        AfxPostQuitMessage(0);
    return CWinThread::Run();
}

BOOL CWinApp::OnIdle(LONG lCount)
{
    if (lCount <= 1)
        CWinThread::OnIdle(lCount);
    return lCount < 1;
}

BOOL CWinApp::PreTranslateMessage(MSG* pMsg)
{
    return CWinThread::PreTranslateMessage(pMsg);
}

HCURSOR CWinApp::LoadCursor(LPCTSTR lpszResourceName) const
{
    return ::LoadCursorA(AfxFindResourceHandle(lpszResourceName, RT_GROUP_CURSOR), lpszResourceName);
}
HCURSOR CWinApp::LoadCursor(UINT nIDResource) const { return LoadCursor(MAKEINTRESOURCEA(nIDResource)); }
HCURSOR CWinApp::LoadStandardCursor(LPCTSTR lpszCursorName) const { return ::LoadCursorA(nullptr, lpszCursorName); }
HCURSOR CWinApp::LoadOEMCursor(UINT nIDCursor) const { return ::LoadCursorA(nullptr, MAKEINTRESOURCEA(nIDCursor)); }
HICON CWinApp::LoadIcon(LPCTSTR lpszResourceName) const
{
    return ::LoadIconA(AfxFindResourceHandle(lpszResourceName, RT_GROUP_ICON), lpszResourceName);
}
HICON CWinApp::LoadIcon(UINT nIDResource) const { return LoadIcon(MAKEINTRESOURCEA(nIDResource)); }
HICON CWinApp::LoadStandardIcon(LPCTSTR lpszIconName) const { return ::LoadIconA(nullptr, lpszIconName); }
HICON CWinApp::LoadOEMIcon(UINT nIDIcon) const { return ::LoadIconA(nullptr, MAKEINTRESOURCEA(nIDIcon)); }

namespace {
UINT WithDefaultIcon(UINT nType)
{
    if ((nType & MB_ICONMASK) == 0) {
        switch (nType & MB_TYPEMASK) {
        case MB_OK:
        case MB_OKCANCEL:
            nType |= MB_ICONEXCLAMATION;
            break;
        case MB_YESNO:
        case MB_YESNOCANCEL:
            nType |= MB_ICONQUESTION;
            break;
        default:
            break;
        }
    }
    return nType;
}

int ShowMessageBox(LPCTSTR lpszPrompt, UINT nType)
{
    // The owner's top-level window stays disabled while the box is up, so
    // that nothing else in the program runs underneath it.
    HWND hWndTop = nullptr;
    CWnd* pWnd = CWnd::GetSafeOwner(nullptr, &hWndTop);
    int nResult = ::MessageBoxA(pWnd->GetSafeHwnd(), lpszPrompt, AfxGetAppName(), WithDefaultIcon(nType));
    if (hWndTop != nullptr)
        ::EnableWindow(hWndTop, TRUE);
    return nResult;
}
}  // namespace

int CWinApp::DoMessageBox(LPCTSTR lpszPrompt, UINT nType, UINT)
{
    return ShowMessageBox(lpszPrompt, nType);
}

void CWinApp::DoWaitCursor(int nCode)
{
    m_nWaitCursorCount += nCode;
    if (m_nWaitCursorCount > 0) {
        HCURSOR hcurPrev = ::SetCursor(::LoadCursor(nullptr, IDC_WAIT));
        if (nCode > 0 && m_nWaitCursorCount == 1)
            m_hcurWaitCursorRestore = hcurPrev;
    } else {
        m_nWaitCursorCount = 0;
        ::SetCursor(m_hcurWaitCursorRestore != nullptr ? m_hcurWaitCursorRestore
                                                       : ::LoadCursor(nullptr, IDC_ARROW));
    }
}

void CWinApp::WinHelp(DWORD_PTR dwData, UINT nCmd)
{
    if (m_pszHelpFilePath != nullptr)
        ::WinHelpA(m_pMainWnd->GetSafeHwnd(), m_pszHelpFilePath, nCmd, dwData);
}

// ---------------------------------------------------------------------------
// Globals

CWinApp* AFXAPI AfxGetApp()
{
    return g_pApp;
}

CWinThread* AFXAPI AfxGetThread()
{
    return CurrentThreadState().pThread;
}

CWnd* AFXAPI AfxGetMainWnd()
{
    CWinThread* pThread = AfxGetThread();
    return pThread != nullptr ? pThread->GetMainWnd() : nullptr;
}

HINSTANCE AFXAPI AfxGetInstanceHandle()
{
    return g_pApp != nullptr ? g_pApp->m_hInstance : ::GetModuleHandleA(nullptr);
}

LPCTSTR AFXAPI AfxGetAppName()
{
    if (g_pApp != nullptr && g_pApp->m_pszAppName != nullptr)
        return g_pApp->m_pszAppName;
    static char szName[MAX_PATH];
    if (szName[0] == '\0')
        ProgramName(szName, sizeof szName);
    return szName;
}

BOOL AFXAPI AfxWinInit(HINSTANCE hInstance, HINSTANCE hPrevInstance, LPTSTR lpCmdLine, int nCmdShow)
{
    if (CWinApp* pApp = AfxGetApp()) {
        pApp->m_hInstance = hInstance;
        pApp->m_hPrevInstance = hPrevInstance;
        pApp->m_lpCmdLine = lpCmdLine;
        pApp->m_nCmdShow = nCmdShow;
    }
    return TRUE;
}

void AFXAPI AfxWinTerm()
{
    // OLE must not hand clients to a program that is going: revoke its
    // class objects and end OLE (when AfxOleInit started it).
    AfxOleTerm(FALSE);
    AfxDeleteTempHandleMaps();
}

int AFXAPI AfxWinMain(HINSTANCE hInstance, HINSTANCE hPrevInstance, LPTSTR lpCmdLine, int nCmdShow)
{
    int nReturnCode = -1;
    CWinThread* pThread = AfxGetThread();
    CWinApp* pApp = AfxGetApp();
    if (pThread == nullptr || pApp == nullptr)
        return nReturnCode;  // a program of this library defines one application object
    if (AfxWinInit(hInstance, hPrevInstance, lpCmdLine, nCmdShow) && pApp->InitApplication()) {
        if (!pThread->InitInstance()) {
            if (pThread->m_pMainWnd != nullptr)
                pThread->m_pMainWnd->DestroyWindow();
            nReturnCode = pThread->ExitInstance();
        } else {
            nReturnCode = pThread->Run();
        }
    }
    AfxWinTerm();
    return nReturnCode;
}

// ---------------------------------------------------------------------------
// Message boxes and message texts

int AFXAPI AfxMessageBox(LPCTSTR lpszText, UINT nType, UINT nIDHelp)
{
    if (CWinApp* pApp = AfxGetApp())
        return pApp->DoMessageBox(lpszText, nType, nIDHelp);
    return ShowMessageBox(lpszText, nType);
}

int AFXAPI AfxMessageBox(UINT nIDPrompt, UINT nType, UINT nIDHelp)
{
    CString string;
    if (!string.LoadString(nIDPrompt))
        string.Format("%u", nIDPrompt);  // never an empty box: at least say which text is missing
    if (nIDHelp == (UINT)-1)
        nIDHelp = nIDPrompt;
    return AfxMessageBox(string, nType, nIDHelp);
}

void AFXAPI AfxFormatStrings(CString& rString, LPCTSTR lpszFormat, LPCTSTR const* rglpsz, int nString)
{
    CString result;
    for (LPCTSTR p = lpszFormat; *p != '\0'; ++p) {
        if (p[0] == '%' && p[1] >= '1' && p[1] <= '9') {
            int i = p[1] - '1';
            if (i < nString && rglpsz[i] != nullptr)
                result += rglpsz[i];
            ++p;
        } else if (::IsDBCSLeadByte((BYTE)*p) && p[1] != '\0') {
            result += p[0];
            result += p[1];
            ++p;
        } else {
            result += *p;
        }
    }
    rString = result;
}

void AFXAPI AfxFormatString1(CString& rString, UINT nIDS, LPCTSTR lpsz1)
{
    CString format;
    format.LoadString(nIDS);
    AfxFormatStrings(rString, format, &lpsz1, 1);
}

void AFXAPI AfxFormatString2(CString& rString, UINT nIDS, LPCTSTR lpsz1, LPCTSTR lpsz2)
{
    CString format;
    format.LoadString(nIDS);
    LPCTSTR args[2] = {lpsz1, lpsz2};
    AfxFormatStrings(rString, format, args, 2);
}

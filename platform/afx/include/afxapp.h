// The application: the main thread's message loop with idle processing and
// pre-translation, the profile, the resource chain shared by the program
// and its extension libraries, and the library's message boxes.
#pragma once

#include "afxwnd.h"

class CDynLinkLibrary;
class CDocTemplate;
class CDocument;
class CDocManager;
class CCommandLineInfo;

// ---------------------------------------------------------------------------
// Threads and the application

class AFX_API CWinThread : public CCmdTarget {
    DECLARE_DYNAMIC(CWinThread)
public:
    CWinThread();
    virtual ~CWinThread();

    CWnd* m_pMainWnd;
    CWnd* m_pActiveWnd;
    BOOL m_bAutoDelete;
    HANDLE m_hThread;
    DWORD m_nThreadID;
    MSG m_msgCur;  // the message being pumped

    operator HANDLE() const { return m_hThread; }
    virtual CWnd* GetMainWnd();

    virtual BOOL InitInstance();
    virtual int ExitInstance();
    // The message loop: pumps messages, calls OnIdle while the queue is
    // empty, returns ExitInstance's code after WM_QUIT.
    virtual int Run();
    virtual BOOL PreTranslateMessage(MSG* pMsg);
    virtual BOOL PumpMessage();
    // lCount 0: updates the main window's command user interface; 1 and
    // later: drops temporary handle wrappers. TRUE asks for more idle calls.
    virtual BOOL OnIdle(LONG lCount);
    virtual BOOL IsIdleMessage(MSG* pMsg);
    // Called with an exception that reached a window procedure: reports it
    // and returns what the message should return (-1 for WM_CREATE).
    virtual LRESULT ProcessWndProcException(CException* e, const MSG* pMsg);
    virtual BOOL ProcessMessageFilter(int code, LPMSG lpMsg);

protected:
    CPoint m_ptCursorLast;  // last mouse position seen by IsIdleMessage
    UINT m_nMsgLast;
};

class AFX_API CWinApp : public CWinThread {
    DECLARE_DYNAMIC(CWinApp)
public:
    // The one application object of the process; lpszAppName NULL takes the
    // string AFX_IDS_APP_TITLE of the program or else the program's name.
    explicit CWinApp(LPCTSTR lpszAppName = NULL);
    virtual ~CWinApp();

    HINSTANCE m_hInstance;
    HINSTANCE m_hPrevInstance;
    LPTSTR m_lpCmdLine;
    int m_nCmdShow;
    LPCTSTR m_pszAppName;
    LPCTSTR m_pszRegistryKey;  // NULL: the profile is an INI file
    LPCTSTR m_pszExeName;      // the program's file name without extension
    LPCTSTR m_pszHelpFilePath;
    LPCTSTR m_pszProfileName;  // INI file name, or the application name under the registry key
    UINT m_nNumPreviewPages;

    virtual BOOL InitApplication();
    virtual BOOL InitInstance();
    virtual int ExitInstance();
    virtual int Run();
    virtual BOOL OnIdle(LONG lCount);
    virtual BOOL PreTranslateMessage(MSG* pMsg);

    // Profile: HKEY_CURRENT_USER\Software\<key>\<application name>\<section>
    // once SetRegistryKey has run, else the INI file m_pszProfileName.
    void SetRegistryKey(LPCTSTR lpszRegistryKey);
    void SetRegistryKey(UINT nIDRegistryKey);
    HKEY GetAppRegistryKey();
    HKEY GetSectionKey(LPCTSTR lpszSection);
    UINT GetProfileInt(LPCTSTR lpszSection, LPCTSTR lpszEntry, int nDefault);
    BOOL WriteProfileInt(LPCTSTR lpszSection, LPCTSTR lpszEntry, int nValue);
    CString GetProfileString(LPCTSTR lpszSection, LPCTSTR lpszEntry, LPCTSTR lpszDefault = NULL);
    // lpszEntry NULL deletes the section, lpszValue NULL the entry.
    BOOL WriteProfileString(LPCTSTR lpszSection, LPCTSTR lpszEntry, LPCTSTR lpszValue);
    // *ppData is allocated with new BYTE[] for the caller to delete[].
    BOOL GetProfileBinary(LPCTSTR lpszSection, LPCTSTR lpszEntry, LPBYTE* ppData, UINT* pBytes);
    BOOL WriteProfileBinary(LPCTSTR lpszSection, LPCTSTR lpszEntry, LPBYTE pData, UINT nBytes);
    void LoadStdProfileSettings(UINT nMaxMRU = 4);

    // Resources from the resource chain.
    HCURSOR LoadCursor(LPCTSTR lpszResourceName) const;
    HCURSOR LoadCursor(UINT nIDResource) const;
    HCURSOR LoadStandardCursor(LPCTSTR lpszCursorName) const;
    HCURSOR LoadOEMCursor(UINT nIDCursor) const;
    HICON LoadIcon(LPCTSTR lpszResourceName) const;
    HICON LoadIcon(UINT nIDResource) const;
    HICON LoadStandardIcon(LPCTSTR lpszIconName) const;
    HICON LoadOEMIcon(UINT nIDIcon) const;

    // Shows the library's message boxes (AfxMessageBox) with the
    // application's name as caption.
    virtual int DoMessageBox(LPCTSTR lpszPrompt, UINT nType, UINT nIDPrompt);
    // nCode 1 shows the wait cursor, -1 ends one, 0 restores it.
    virtual void DoWaitCursor(int nCode);
    virtual void WinHelp(DWORD_PTR dwData, UINT nCmd = HELP_CONTEXT);

    int m_nWaitCursorCount;
    HCURSOR m_hcurWaitCursorRestore;

    // Documents: the templates in the order they were added, each creating
    // its documents with their frames and views.
    void AddDocTemplate(CDocTemplate* pTemplate);
    POSITION GetFirstDocTemplatePosition() const;
    CDocTemplate* GetNextDocTemplate(POSITION& pos) const;
    virtual CDocument* OpenDocumentFile(LPCTSTR lpszFileName);
    virtual BOOL SaveAllModified();
    void CloseAllDocuments(BOOL bEndSession);
    int GetOpenDocumentCount();
    CDocManager* m_pDocManager;

    // The command line: what it asks for, and doing it.
    void ParseCommandLine(CCommandLineInfo& rCmdInfo);
    BOOL ProcessShellCommand(CCommandLineInfo& rCmdInfo);

    afx_msg void OnFileNew();
    afx_msg void OnFileOpen();
    afx_msg void OnAppExit();

    DECLARE_MESSAGE_MAP()
};

// The application object, main window, program instance and thread of the
// caller.
AFX_API CWinApp* AFXAPI AfxGetApp();
AFX_API CWnd* AFXAPI AfxGetMainWnd();
AFX_API HINSTANCE AFXAPI AfxGetInstanceHandle();
AFX_API CWinThread* AFXAPI AfxGetThread();
AFX_API LPCTSTR AFXAPI AfxGetAppName();

// Program start: records the instance and command line in the application.
AFX_API BOOL AFXAPI AfxWinInit(HINSTANCE hInstance, HINSTANCE hPrevInstance, LPTSTR lpCmdLine,
                               int nCmdShow);
AFX_API void AFXAPI AfxWinTerm();
// InitApplication, InitInstance, Run of the application object.
AFX_API int AFXAPI AfxWinMain(HINSTANCE hInstance, HINSTANCE hPrevInstance, LPTSTR lpCmdLine,
                              int nCmdShow);
AFX_API void AFXAPI AfxPostQuitMessage(int nExitCode);

// One pass of the message pump outside any thread object: GetMessage,
// pre-translation, dispatch. FALSE on WM_QUIT.
AFX_API BOOL AFXAPI AfxPumpMessage();
// Pre-translation of a message: the thread object's (or the window tree's
// up to the main window when there is none).
AFX_API BOOL AFXAPI AfxPreTranslateMessage(MSG* pMsg);

// ---------------------------------------------------------------------------
// Resources shared by the program and its extension libraries

struct AFX_EXTENSION_MODULE {
    BOOL bInitialized;
    HMODULE hModule;
    HMODULE hResource;
    CRuntimeClass* pFirstSharedClass;
    void* pFirstSharedFactory;
};

// An extension library's place in the resource chain: made in its DllMain
// when it loads, deleted by AfxTermExtensionModule when it unloads.
class AFX_API CDynLinkLibrary : public CCmdTarget {
    DECLARE_DYNAMIC(CDynLinkLibrary)
public:
    explicit CDynLinkLibrary(AFX_EXTENSION_MODULE& state, BOOL bSystem = FALSE);
    CDynLinkLibrary(HINSTANCE hModule, HINSTANCE hResource);
    virtual ~CDynLinkLibrary();

    HMODULE m_hModule;
    HMODULE m_hResource;
    BOOL m_bSystem;
    AFX_EXTENSION_MODULE* m_pModule;
    CDynLinkLibrary* m_pNextDLL;
};

AFX_API BOOL AFXAPI AfxInitExtensionModule(AFX_EXTENSION_MODULE& state, HMODULE hModule);
// Leaves the chain: deletes the module's CDynLinkLibrary objects.
AFX_API void AFXAPI AfxTermExtensionModule(AFX_EXTENSION_MODULE& state, BOOL bAll = FALSE);

// The module searched first for resources (the program's, unless a caller
// made another current).
AFX_API HINSTANCE AFXAPI AfxGetResourceHandle();
AFX_API void AFXAPI AfxSetResourceHandle(HINSTANCE hInstResource);
// The module that holds a resource: the current resource module, then the
// program, then every extension library in load order, then this library.
// Falls back to the current resource module.
AFX_API HINSTANCE AFXAPI AfxFindResourceHandle(LPCTSTR lpszName, LPCTSTR lpszType);

// ---------------------------------------------------------------------------
// Message boxes

// Caption: the application's name (the program's when there is no
// application object). Without an icon in nType the box gets the one that
// matches its buttons.
AFX_API int AFXAPI AfxMessageBox(LPCTSTR lpszText, UINT nType = MB_OK, UINT nIDHelp = 0);
// The text is the string nIDPrompt from the resource chain.
AFX_API int AFXAPI AfxMessageBox(UINT nIDPrompt, UINT nType = MB_OK, UINT nIDHelp = (UINT)-1);

// %1 (and %2) in the string nIDS replaced by the given texts.
AFX_API void AFXAPI AfxFormatString1(CString& rString, UINT nIDS, LPCTSTR lpsz1);
AFX_API void AFXAPI AfxFormatString2(CString& rString, UINT nIDS, LPCTSTR lpsz1, LPCTSTR lpsz2);
AFX_API void AFXAPI AfxFormatStrings(CString& rString, LPCTSTR lpszFormat, LPCTSTR const* rglpsz,
                                     int nString);

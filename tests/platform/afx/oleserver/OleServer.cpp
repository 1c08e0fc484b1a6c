// An automation server for the tests: a creatable object with methods and
// properties, and a document template served to automation clients.
// "/Regserver" (or a start by hand) writes its registration and ends;
// "/Unregserver" removes it; started by OLE it runs hidden and ends when
// its last object is released.
#include "afxwin.h"
#include "afxole.h"

#include "OleServerIds.h"
#include "OleServerRes.h"

// The object clients create by its ProgID.
class CServerObject : public CCmdTarget {
    DECLARE_DYNCREATE(CServerObject)
    DECLARE_OLECREATE(CServerObject)
public:
    CServerObject()
    {
        EnableAutomation();
        // The program runs as long as a client holds an object.
        AfxOleLockApp();
    }
    ~CServerObject() { AfxOleUnlockApp(); }

protected:
    CString m_strName;

    BSTR Greet(LPCTSTR lpszWho)
    {
        CString strResult = "你好，";
        strResult += lpszWho;
        strResult += m_strName;
        return strResult.AllocSysString();
    }
    long Add(long a, long b) { return a + b; }
    void Fail(LPCTSTR lpszWhy) { AfxThrowOleDispatchException(OLESERVER_FAILURE_CODE, lpszWhy); }
    long GetProcessId() { return (long)::GetCurrentProcessId(); }
    BSTR GetCommandLine() { return CString(::GetCommandLineA()).AllocSysString(); }
    BOOL GetUserControl() { return AfxOleGetUserCtrl(); }

    DECLARE_DISPATCH_MAP()
};

IMPLEMENT_DYNCREATE(CServerObject, CCmdTarget)
IMPLEMENT_OLECREATE(CServerObject, OLESERVER_OBJECT_PROGID, 0x6d0c4a51, 0x2f3b, 0x4c1e, 0x9a, 0x7e,
                    0x31, 0x52, 0x0b, 0x8d, 0x44, 0x01)

BEGIN_DISPATCH_MAP(CServerObject, CCmdTarget)
    DISP_PROPERTY(CServerObject, "Name", m_strName, VT_BSTR)
    DISP_FUNCTION(CServerObject, "Greet", Greet, VT_BSTR, VTS_BSTR)
    DISP_FUNCTION(CServerObject, "Add", Add, VT_I4, VTS_I4 VTS_I4)
    DISP_FUNCTION(CServerObject, "Fail", Fail, VT_EMPTY, VTS_BSTR)
    DISP_PROPERTY_EX(CServerObject, "ProcessId", GetProcessId, SetNotSupported, VT_I4)
    DISP_PROPERTY_EX(CServerObject, "CommandLine", GetCommandLine, SetNotSupported, VT_BSTR)
    DISP_PROPERTY_EX(CServerObject, "UserControl", GetUserControl, SetNotSupported, VT_BOOL)
END_DISPATCH_MAP()

// The template server's document: automation with nothing of its own.
class CServerDoc : public CDocument {
    DECLARE_DYNCREATE(CServerDoc)
public:
    CServerDoc()
    {
        EnableAutomation();
        AfxOleLockApp();
    }
    ~CServerDoc() { AfxOleUnlockApp(); }

    DECLARE_DISPATCH_MAP()
};

IMPLEMENT_DYNCREATE(CServerDoc, CDocument)

BEGIN_DISPATCH_MAP(CServerDoc, CDocument)
END_DISPATCH_MAP()

class CServerView : public CView {
    DECLARE_DYNCREATE(CServerView)
protected:
    virtual void OnDraw(CDC*) {}
};

IMPLEMENT_DYNCREATE(CServerView, CView)

class CServerApp : public CWinApp {
public:
    CServerApp() : CWinApp("OleServer") {}

    virtual BOOL InitInstance()
    {
        if (!AfxOleInit())
            return FALSE;
        CSingleDocTemplate* pTemplate = new CSingleDocTemplate(
            IDR_OS_DOCTYPE, RUNTIME_CLASS(CServerDoc), RUNTIME_CLASS(CFrameWnd),
            RUNTIME_CLASS(CServerView));
        AddDocTemplate(pTemplate);
        // One document per program, as for every single-document server.
        m_server.ConnectTemplate(CLSID_OleServerDocument, pTemplate, TRUE);

        CCommandLineInfo cmdInfo;
        ParseCommandLine(cmdInfo);
        if (cmdInfo.m_nShellCommand == CCommandLineInfo::AppUnregister) {
            ProcessShellCommand(cmdInfo);
            return FALSE;
        }

        COleTemplateServer::RegisterAll();
        if (cmdInfo.m_bRunEmbedded || cmdInfo.m_bRunAutomated) {
            // Started by OLE: hidden, and ended by the release of its last object.
            AfxOleSetUserCtrl(FALSE);
            return TRUE;
        }
        m_server.UpdateRegistry(OAT_DISPATCH_OBJECT);
        COleObjectFactory::UpdateRegistryAll();
        return FALSE;
    }

    COleTemplateServer m_server;
};

CServerApp theApp;

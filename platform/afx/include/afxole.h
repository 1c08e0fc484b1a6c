// OLE servers of documents: a document template made creatable by OLE
// clients, each client's object a new document of the template.
#pragma once

#include "afxdisp.h"
#include "afxdocview.h"

class AFX_API COleTemplateServer : public COleObjectFactory {
    DECLARE_DYNAMIC(COleTemplateServer)
public:
    COleTemplateServer();

    // Serves pDocTemplate's documents under clsid; bMultiInstance: one
    // program per client object.
    void ConnectTemplate(REFCLSID clsid, CDocTemplate* pDocTemplate, BOOL bMultiInstance);
    // Registers the template's file type id (the document string's
    // regFileTypeId) as ProgID with the class id and the program's path;
    // OAT_DISPATCH_OBJECT starts the program with /Automation.
    void UpdateRegistry(OLE_APPTYPE nAppType = OAT_INPLACE_SERVER,
                        LPCTSTR* rglpszRegister = NULL, LPCTSTR* rglpszOverwrite = NULL);
    virtual void UpdateRegistry(LPCTSTR lpszProgID);
    virtual BOOL Unregister();

    // A new, invisible document of the template; it stays until its last
    // client lets it go.
    virtual CCmdTarget* OnCreateObject();

    CDocTemplate* m_pDocTemplate;

protected:
    CString m_strProgID;
};

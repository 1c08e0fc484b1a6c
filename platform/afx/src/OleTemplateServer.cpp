// Document templates as OLE class factories: a client's CreateObject of the
// document's ProgID gets a new document of the running program.
#include "afxwin.h"
#include "afxole.h"

IMPLEMENT_DYNAMIC(COleTemplateServer, COleObjectFactory)

COleTemplateServer::COleTemplateServer()
    : COleObjectFactory(CLSID_NULL, NULL, FALSE, NULL), m_pDocTemplate(NULL)
{
}

void COleTemplateServer::ConnectTemplate(REFCLSID clsid, CDocTemplate* pDocTemplate,
                                         BOOL bMultiInstance)
{
    m_clsid = clsid;
    m_pDocTemplate = pDocTemplate;
    m_bMultiInstance = bMultiInstance;
    m_pRuntimeClass = pDocTemplate != NULL ? pDocTemplate->m_pDocClass : NULL;
    m_strProgID.Empty();
    if (pDocTemplate != NULL)
        pDocTemplate->GetDocString(m_strProgID, CDocTemplate::regFileTypeId);
    m_lpszProgID = m_strProgID.IsEmpty() ? NULL : (LPCTSTR)m_strProgID;
}

void COleTemplateServer::UpdateRegistry(OLE_APPTYPE nAppType, LPCTSTR*, LPCTSTR*)
{
    if (m_pDocTemplate == NULL || m_lpszProgID == NULL)
        return;
    CString strShortName;
    CString strLongName;
    m_pDocTemplate->GetDocString(strShortName, CDocTemplate::fileNewName);
    m_pDocTemplate->GetDocString(strLongName, CDocTemplate::regFileTypeName);
    if (strShortName.IsEmpty())
        strShortName = m_strProgID;
    if (strLongName.IsEmpty())
        strLongName = strShortName;
    AfxOleRegisterServerClass(m_clsid, m_strProgID, strShortName, strLongName, nAppType);
}

void COleTemplateServer::UpdateRegistry(LPCTSTR lpszProgID)
{
    if (lpszProgID == NULL || m_strProgID == lpszProgID)
        UpdateRegistry(OAT_DISPATCH_OBJECT);
    else
        COleObjectFactory::UpdateRegistry(lpszProgID);
}

BOOL COleTemplateServer::Unregister()
{
    return AfxOleUnregisterClass(m_clsid, m_lpszProgID);
}

CCmdTarget* COleTemplateServer::OnCreateObject()
{
    if (m_pDocTemplate == NULL)
        return NULL;
    // Making the document's frame must not hand the program to a user.
    BOOL bUserCtrl = AfxOleGetUserCtrl();
    CDocument* pDoc = m_pDocTemplate->OpenDocumentFile(NULL, FALSE);
    AfxOleSetUserCtrl(bUserCtrl);
    if (pDoc != NULL)
        pDoc->SetModifiedFlag();  // an object made by a client has never been saved
    return pDoc;
}

// Document templates: what a kind of document is made of (document, frame
// and view classes, the resource id of its menu, icon, keys and strings).
#include "afxwin.h"

IMPLEMENT_DYNAMIC(CDocTemplate, CCmdTarget)

CDocTemplate::CDocTemplate(UINT nIDResource, CRuntimeClass* pDocClass, CRuntimeClass* pFrameClass,
                           CRuntimeClass* pViewClass)
    : m_nIDResource(nIDResource), m_pDocClass(pDocClass), m_pFrameClass(pFrameClass),
      m_pViewClass(pViewClass), m_bAutoDelete(TRUE)
{
    CDocTemplate::LoadTemplate();
}

CDocTemplate::~CDocTemplate() {}

void CDocTemplate::LoadTemplate()
{
    if (m_strDocStrings.IsEmpty() && m_nIDResource != 0 && !m_strDocStrings.LoadString(m_nIDResource))
        TRACE1("Warning: no document string for template #%u.\n", m_nIDResource);
}

BOOL CDocTemplate::GetDocString(CString& rString, enum DocStringIndex index) const
{
    // windowTitle\ndocName\nfileNewName\nfilterName\nfilterExt\nregFileTypeId\nregFileTypeName
    LPCTSTR lpsz = m_strDocStrings;
    for (int i = 0; i < (int)index; ++i) {
        lpsz = strchr(lpsz, '\n');
        if (lpsz == NULL) {
            rString.Empty();
            return FALSE;
        }
        ++lpsz;
    }
    LPCTSTR lpszEnd = strchr(lpsz, '\n');
    rString = lpszEnd == NULL ? CString(lpsz) : CString(lpsz, (int)(lpszEnd - lpsz));
    return TRUE;
}

void CDocTemplate::AddDocument(CDocument* pDoc)
{
    ASSERT(pDoc->m_pDocTemplate == NULL);
    pDoc->m_pDocTemplate = this;
}

void CDocTemplate::RemoveDocument(CDocument* pDoc)
{
    ASSERT(pDoc->m_pDocTemplate == this);
    pDoc->m_pDocTemplate = NULL;
}

CDocTemplate::Confidence CDocTemplate::MatchDocType(LPCTSTR lpszPathName, CDocument*& rpDocMatch)
{
    rpDocMatch = NULL;
    POSITION pos = GetFirstDocPosition();
    while (pos != NULL) {
        CDocument* pDoc = GetNextDoc(pos);
        if (!pDoc->GetPathName().IsEmpty() && lstrcmpiA(pDoc->GetPathName(), lpszPathName) == 0) {
            rpDocMatch = pDoc;
            return yesAlreadyOpen;
        }
    }
    CString strFilterExt;
    if (GetDocString(strFilterExt, filterExt) && !strFilterExt.IsEmpty()) {
        LPCTSTR lpszDot = strrchr(lpszPathName, '.');
        if (lpszDot != NULL && lstrcmpiA(lpszDot, strFilterExt) == 0)
            return yesAttemptNative;
    }
    return yesAttemptForeign;
}

CDocument* CDocTemplate::CreateNewDocument()
{
    if (m_pDocClass == NULL)
        return NULL;
    CObject* pObject = m_pDocClass->CreateObject();
    if (pObject == NULL || !pObject->IsKindOf(RUNTIME_CLASS(CDocument))) {
        TRACE0("Warning: the document class cannot be created.\n");
        delete pObject;
        return NULL;
    }
    CDocument* pDocument = static_cast<CDocument*>(pObject);
    AddDocument(pDocument);
    return pDocument;
}

CFrameWnd* CDocTemplate::CreateNewFrame(CDocument* pDoc, CFrameWnd* pOther)
{
    CCreateContext context;
    context.m_pCurrentFrame = pOther;
    context.m_pCurrentDoc = pDoc;
    context.m_pNewViewClass = m_pViewClass;
    context.m_pNewDocTemplate = this;

    if (m_pFrameClass == NULL)
        return NULL;
    CObject* pObject = m_pFrameClass->CreateObject();
    if (pObject == NULL || !pObject->IsKindOf(RUNTIME_CLASS(CFrameWnd))) {
        TRACE0("Warning: the frame class cannot be created.\n");
        delete pObject;
        return NULL;
    }
    CFrameWnd* pFrame = static_cast<CFrameWnd*>(pObject);
    // A frame that fails deletes itself.
    if (!pFrame->LoadFrame(m_nIDResource, WS_OVERLAPPEDWINDOW | FWS_ADDTOTITLE, NULL, &context))
        return NULL;
    return pFrame;
}

void CDocTemplate::InitialUpdateFrame(CFrameWnd* pFrame, CDocument* pDoc, BOOL bMakeVisible)
{
    pFrame->InitialUpdateFrame(pDoc, bMakeVisible);
}

BOOL CDocTemplate::SaveAllModified()
{
    POSITION pos = GetFirstDocPosition();
    while (pos != NULL) {
        CDocument* pDoc = GetNextDoc(pos);
        if (!pDoc->SaveModified())
            return FALSE;
    }
    return TRUE;
}

void CDocTemplate::CloseAllDocuments(BOOL)
{
    POSITION pos = GetFirstDocPosition();
    while (pos != NULL) {
        CDocument* pDoc = GetNextDoc(pos);  // pos moves on before the document goes
        pDoc->OnCloseDocument();
    }
}

BOOL CDocTemplate::OnCmdMsg(UINT nID, int nCode, void* pExtra, AFX_CMDHANDLERINFO* pHandlerInfo)
{
    return CCmdTarget::OnCmdMsg(nID, nCode, pExtra, pHandlerInfo);
}

// Templates of programs with one document at a time in the main frame.
#include "afxwin.h"

IMPLEMENT_DYNAMIC(CSingleDocTemplate, CDocTemplate)

CSingleDocTemplate::CSingleDocTemplate(UINT nIDResource, CRuntimeClass* pDocClass,
                                       CRuntimeClass* pFrameClass, CRuntimeClass* pViewClass)
    : CDocTemplate(nIDResource, pDocClass, pFrameClass, pViewClass), m_pOnlyDoc(NULL)
{
}

CSingleDocTemplate::~CSingleDocTemplate() {}

void CSingleDocTemplate::AddDocument(CDocument* pDoc)
{
    ASSERT(m_pOnlyDoc == NULL);
    CDocTemplate::AddDocument(pDoc);
    m_pOnlyDoc = pDoc;
}

void CSingleDocTemplate::RemoveDocument(CDocument* pDoc)
{
    ASSERT(m_pOnlyDoc == pDoc);
    CDocTemplate::RemoveDocument(pDoc);
    m_pOnlyDoc = NULL;
}

POSITION CSingleDocTemplate::GetFirstDocPosition() const
{
    return m_pOnlyDoc != NULL ? (POSITION)1 : NULL;
}

CDocument* CSingleDocTemplate::GetNextDoc(POSITION& rPos) const
{
    CDocument* pDoc = rPos == (POSITION)1 ? m_pOnlyDoc : NULL;
    rPos = NULL;
    return pDoc;
}

void CSingleDocTemplate::SetDefaultTitle(CDocument* pDocument)
{
    CString strDocName;
    if (!GetDocString(strDocName, docName) || strDocName.IsEmpty())
        strDocName.LoadString(AFX_IDS_UNTITLED);
    pDocument->SetTitle(strDocName);
}

CDocument* CSingleDocTemplate::OpenDocumentFile(LPCTSTR lpszPathName, BOOL bMakeVisible)
{
    CDocument* pDocument = NULL;
    CFrameWnd* pFrame = NULL;
    BOOL bCreated = FALSE;
    if (m_pOnlyDoc != NULL) {
        // The one document is used again for the new contents.
        pDocument = m_pOnlyDoc;
        if (!pDocument->SaveModified())
            return NULL;
        CWnd* pMainWnd = AfxGetMainWnd();
        if (pMainWnd != NULL && pMainWnd->IsFrameWnd())
            pFrame = static_cast<CFrameWnd*>(pMainWnd);
    } else {
        pDocument = CreateNewDocument();
        bCreated = TRUE;
    }
    if (pDocument == NULL) {
        AfxMessageBox(AFX_IDP_FAILED_TO_CREATE_DOC);
        return NULL;
    }

    if (pFrame == NULL) {
        BOOL bAutoDelete = pDocument->m_bAutoDelete;
        pDocument->m_bAutoDelete = FALSE;
        pFrame = CreateNewFrame(pDocument, NULL);
        pDocument->m_bAutoDelete = bAutoDelete;
        if (pFrame == NULL) {
            AfxMessageBox(AFX_IDP_FAILED_TO_CREATE_DOC);
            delete pDocument;
            return NULL;
        }
    }

    if (lpszPathName == NULL) {
        SetDefaultTitle(pDocument);
        if (!bMakeVisible)
            pDocument->m_bEmbedded = TRUE;
        if (!pDocument->OnNewDocument()) {
            if (bCreated)
                pFrame->DestroyWindow();
            return NULL;
        }
    } else {
        CWaitCursor wait;
        BOOL bWasModified = pDocument->IsModified();
        pDocument->SetModifiedFlag(FALSE);
        if (!pDocument->OnOpenDocument(lpszPathName)) {
            if (bCreated) {
                pFrame->DestroyWindow();
            } else if (!pDocument->IsModified()) {
                pDocument->SetModifiedFlag(bWasModified);  // the old contents are intact
            } else {
                // The old contents are lost: start afresh.
                SetDefaultTitle(pDocument);
                if (!pDocument->OnNewDocument())
                    TRACE0("Warning: could not renew the document.\n");
            }
            return NULL;
        }
        pDocument->SetPathName(lpszPathName);
    }

    CWinThread* pThread = AfxGetThread();
    if (bCreated && pThread != NULL && pThread->m_pMainWnd == NULL)
        pThread->m_pMainWnd = pFrame;  // shown by InitialUpdateFrame
    InitialUpdateFrame(pFrame, pDocument, bMakeVisible);
    return pDocument;
}

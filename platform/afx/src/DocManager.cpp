// The application's document templates and the file commands that work
// across them.
#include "afxwin.h"
#include "afxdlgs.h"

IMPLEMENT_DYNAMIC(CDocManager, CObject)

CDocManager::CDocManager() {}

CDocManager::~CDocManager()
{
    // The templates the application made are its to delete.
    POSITION pos = m_templateList.GetHeadPosition();
    while (pos != NULL) {
        CDocTemplate* pTemplate = static_cast<CDocTemplate*>(m_templateList.GetNext(pos));
        if (pTemplate->m_bAutoDelete)
            delete pTemplate;
    }
    m_templateList.RemoveAll();
}

void CDocManager::AddDocTemplate(CDocTemplate* pTemplate)
{
    ASSERT(m_templateList.Find(pTemplate) == NULL);
    pTemplate->LoadTemplate();
    m_templateList.AddTail(pTemplate);
}

POSITION CDocManager::GetFirstDocTemplatePosition() const
{
    return m_templateList.GetHeadPosition();
}

CDocTemplate* CDocManager::GetNextDocTemplate(POSITION& pos) const
{
    return static_cast<CDocTemplate*>(m_templateList.GetNext(pos));
}

BOOL CDocManager::SaveAllModified()
{
    POSITION pos = m_templateList.GetHeadPosition();
    while (pos != NULL) {
        CDocTemplate* pTemplate = static_cast<CDocTemplate*>(m_templateList.GetNext(pos));
        if (!pTemplate->SaveAllModified())
            return FALSE;
    }
    return TRUE;
}

void CDocManager::CloseAllDocuments(BOOL bEndSession)
{
    POSITION pos = m_templateList.GetHeadPosition();
    while (pos != NULL) {
        CDocTemplate* pTemplate = static_cast<CDocTemplate*>(m_templateList.GetNext(pos));
        pTemplate->CloseAllDocuments(bEndSession);
    }
}

int CDocManager::GetOpenDocumentCount()
{
    int nOpen = 0;
    POSITION pos = m_templateList.GetHeadPosition();
    while (pos != NULL) {
        CDocTemplate* pTemplate = static_cast<CDocTemplate*>(m_templateList.GetNext(pos));
        POSITION posDoc = pTemplate->GetFirstDocPosition();
        while (posDoc != NULL) {
            pTemplate->GetNextDoc(posDoc);
            ++nOpen;
        }
    }
    return nOpen;
}

CDocument* CDocManager::OpenDocumentFile(LPCTSTR lpszFileName)
{
    char szPath[MAX_PATH];
    LPSTR lpszFilePart = NULL;
    if (::GetFullPathNameA(lpszFileName, MAX_PATH, szPath, &lpszFilePart) == 0)
        lstrcpynA(szPath, lpszFileName, MAX_PATH);

    // The template most confident of the file; an open document is shown.
    CDocTemplate::Confidence bestMatch = CDocTemplate::noAttempt;
    CDocTemplate* pBestTemplate = NULL;
    CDocument* pOpenDocument = NULL;
    POSITION pos = m_templateList.GetHeadPosition();
    while (pos != NULL) {
        CDocTemplate* pTemplate = static_cast<CDocTemplate*>(m_templateList.GetNext(pos));
        CDocument* pMatch = NULL;
        CDocTemplate::Confidence match = pTemplate->MatchDocType(szPath, pMatch);
        if (match > bestMatch) {
            bestMatch = match;
            pBestTemplate = pTemplate;
        }
        if (match == CDocTemplate::yesAlreadyOpen) {
            pOpenDocument = pMatch;
            break;
        }
    }

    if (pOpenDocument != NULL) {
        POSITION posView = pOpenDocument->GetFirstViewPosition();
        if (posView != NULL) {
            CView* pView = pOpenDocument->GetNextView(posView);
            CFrameWnd* pFrame = pView->GetParentFrame();
            if (pFrame != NULL) {
                pFrame->ActivateFrame();
                CFrameWnd* pAppFrame = pFrame->GetParentFrame();
                if (pAppFrame != NULL)
                    pAppFrame->ActivateFrame();
            }
        }
        return pOpenDocument;
    }
    if (pBestTemplate == NULL) {
        AfxMessageBox(AFX_IDP_FAILED_TO_OPEN_DOC);
        return NULL;
    }
    return pBestTemplate->OpenDocumentFile(szPath);
}

BOOL CDocManager::DoPromptFileName(CString& fileName, UINT nIDSTitle, DWORD lFlags,
                                   BOOL bOpenFileDialog, CDocTemplate* pTemplate)
{
    // The filter of the template's kind of file, then all files.
    CString strFilter;
    CString strDefExt;
    CString strFilterName;
    if (pTemplate != NULL && pTemplate->GetDocString(strDefExt, CDocTemplate::filterExt) &&
        !strDefExt.IsEmpty() &&
        pTemplate->GetDocString(strFilterName, CDocTemplate::filterName) && !strFilterName.IsEmpty()) {
        strFilter += strFilterName;
        strFilter += '|';
        strFilter += '*';
        strFilter += strDefExt;
        strFilter += '|';
    }
    CString strAll;
    if (!strAll.LoadString(AFX_IDS_ALLFILTER))
        strAll = "*.*";
    strFilter += strAll;
    strFilter += "|*.*||";

    CString strTitle;
    strTitle.LoadString(nIDSTitle);
    LPCTSTR lpszDefExt = strDefExt.IsEmpty() ? NULL : (LPCTSTR)strDefExt + 1;  // without the dot
    CFileDialog dlg(bOpenFileDialog, lpszDefExt, fileName.IsEmpty() ? NULL : (LPCTSTR)fileName,
                    lFlags | OFN_HIDEREADONLY | OFN_OVERWRITEPROMPT, strFilter, NULL);
    if (!strTitle.IsEmpty())
        dlg.m_ofn.lpstrTitle = strTitle;
    if (dlg.DoModal() != IDOK)
        return FALSE;
    fileName = dlg.GetPathName();
    return TRUE;
}

void CDocManager::OnFileNew()
{
    if (m_templateList.IsEmpty()) {
        AfxMessageBox(AFX_IDP_FAILED_TO_CREATE_DOC);
        return;
    }
    // With several kinds of document the first one is made (no choice is
    // offered).
    CDocTemplate* pTemplate = static_cast<CDocTemplate*>(m_templateList.GetHead());
    pTemplate->OpenDocumentFile(NULL);
}

void CDocManager::OnFileOpen()
{
    CString newName;
    CDocTemplate* pTemplate =
        m_templateList.IsEmpty() ? NULL : static_cast<CDocTemplate*>(m_templateList.GetHead());
    if (!DoPromptFileName(newName, AFX_IDS_OPENFILE, OFN_FILEMUSTEXIST, TRUE, pTemplate))
        return;
    AfxGetApp()->OpenDocumentFile(newName);
}

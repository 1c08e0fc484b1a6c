// The application's documents: its templates (through the document
// manager) and the file and exit commands.
#include "afxwin.h"

BEGIN_MESSAGE_MAP(CWinApp, CWinThread)
    ON_COMMAND(ID_APP_EXIT, OnAppExit)
END_MESSAGE_MAP()

void CWinApp::AddDocTemplate(CDocTemplate* pTemplate)
{
    if (m_pDocManager == NULL)
        m_pDocManager = new CDocManager;
    m_pDocManager->AddDocTemplate(pTemplate);
}

POSITION CWinApp::GetFirstDocTemplatePosition() const
{
    return m_pDocManager != NULL ? m_pDocManager->GetFirstDocTemplatePosition() : NULL;
}

CDocTemplate* CWinApp::GetNextDocTemplate(POSITION& pos) const
{
    return m_pDocManager != NULL ? m_pDocManager->GetNextDocTemplate(pos) : NULL;
}

CDocument* CWinApp::OpenDocumentFile(LPCTSTR lpszFileName)
{
    return m_pDocManager != NULL ? m_pDocManager->OpenDocumentFile(lpszFileName) : NULL;
}

BOOL CWinApp::SaveAllModified()
{
    return m_pDocManager == NULL || m_pDocManager->SaveAllModified();
}

void CWinApp::CloseAllDocuments(BOOL bEndSession)
{
    if (m_pDocManager != NULL)
        m_pDocManager->CloseAllDocuments(bEndSession);
}

int CWinApp::GetOpenDocumentCount()
{
    return m_pDocManager != NULL ? m_pDocManager->GetOpenDocumentCount() : 0;
}

void CWinApp::OnFileNew()
{
    if (m_pDocManager != NULL)
        m_pDocManager->OnFileNew();
}

void CWinApp::OnFileOpen()
{
    if (m_pDocManager != NULL)
        m_pDocManager->OnFileOpen();
}

void CWinApp::OnAppExit()
{
    if (m_pMainWnd != NULL)
        m_pMainWnd->SendMessage(WM_CLOSE);
}

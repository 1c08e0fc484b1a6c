// Documents: their views, titles and file, loading and saving through an
// archive, asking to save before closing.
#include "afxwin.h"

IMPLEMENT_DYNAMIC(CDocument, CCmdTarget)

BEGIN_MESSAGE_MAP(CDocument, CCmdTarget)
    ON_COMMAND(ID_FILE_CLOSE, OnFileClose)
    ON_COMMAND(ID_FILE_SAVE, OnFileSave)
    ON_COMMAND(ID_FILE_SAVE_AS, OnFileSaveAs)
END_MESSAGE_MAP()

CDocument::CDocument()
    : m_pDocTemplate(NULL), m_bModified(FALSE), m_bAutoDelete(TRUE), m_bEmbedded(FALSE)
{
}

CDocument::~CDocument()
{
    // Views that outlive their document forget it.
    POSITION pos = GetFirstViewPosition();
    while (pos != NULL) {
        CView* pView = GetNextView(pos);
        if (pView->m_pDocument == this)
            pView->m_pDocument = NULL;
    }
    m_viewList.RemoveAll();
    if (m_pDocTemplate != NULL)
        m_pDocTemplate->RemoveDocument(this);
}

const CString& CDocument::GetTitle() const { return m_strTitle; }
const CString& CDocument::GetPathName() const { return m_strPathName; }
CDocTemplate* CDocument::GetDocTemplate() const { return m_pDocTemplate; }
BOOL CDocument::IsModified() { return m_bModified; }
void CDocument::SetModifiedFlag(BOOL bModified) { m_bModified = bModified; }

void CDocument::SetTitle(LPCTSTR lpszTitle)
{
    m_strTitle = lpszTitle;
    UpdateFrameCounts();  // the frames show the new title
}

void CDocument::SetPathName(LPCTSTR lpszPathName, BOOL)
{
    char szFull[MAX_PATH];
    LPSTR lpszFilePart = NULL;
    if (::GetFullPathNameA(lpszPathName, MAX_PATH, szFull, &lpszFilePart) == 0)
        lstrcpynA(szFull, lpszPathName, MAX_PATH);
    m_strPathName = szFull;
    // The title is the file's name.
    LPCSTR lpszName = szFull;
    for (LPCSTR p = szFull; *p != '\0'; p = ::CharNextA(p)) {
        if (*p == '\\' || *p == '/' || *p == ':')
            lpszName = p + 1;
    }
    SetTitle(lpszName);
}

// ---------------------------------------------------------------------------
// Views

POSITION CDocument::GetFirstViewPosition() const
{
    return m_viewList.GetHeadPosition();
}

CView* CDocument::GetNextView(POSITION& rPosition) const
{
    return static_cast<CView*>(m_viewList.GetNext(rPosition));
}

void CDocument::AddView(CView* pView)
{
    ASSERT(pView->m_pDocument == NULL);
    m_viewList.AddTail(pView);
    pView->m_pDocument = this;
    OnChangedViewList();
}

void CDocument::RemoveView(CView* pView)
{
    POSITION pos = m_viewList.Find(pView);
    if (pos == NULL)
        return;
    m_viewList.RemoveAt(pos);
    pView->m_pDocument = NULL;
    OnChangedViewList();
}

void CDocument::OnChangedViewList()
{
    // The last view gone takes the document with it.
    if (m_viewList.IsEmpty() && m_bAutoDelete) {
        OnCloseDocument();
        return;
    }
    UpdateFrameCounts();
}

void CDocument::UpdateAllViews(CView* pSender, LPARAM lHint, CObject* pHint)
{
    POSITION pos = GetFirstViewPosition();
    while (pos != NULL) {
        CView* pView = GetNextView(pos);
        if (pView != pSender)
            pView->OnUpdate(pSender, lHint, pHint);
    }
}

void CDocument::UpdateFrameCounts()
{
    // Number the visible frames showing this document (1, 2, ...), in the
    // order of their views; a frame alone gets 0 (no ":n" in its title).
    const UINT nUncounted = (UINT)-1;
    POSITION pos = GetFirstViewPosition();
    while (pos != NULL) {
        CView* pView = GetNextView(pos);
        if (pView->IsWindowVisible()) {
            if (CFrameWnd* pFrame = pView->GetParentFrame())
                pFrame->m_nWindow = nUncounted;
        }
    }
    UINT nFrames = 0;
    pos = GetFirstViewPosition();
    while (pos != NULL) {
        CView* pView = GetNextView(pos);
        if (pView->IsWindowVisible()) {
            CFrameWnd* pFrame = pView->GetParentFrame();
            if (pFrame != NULL && pFrame->m_nWindow == nUncounted)
                pFrame->m_nWindow = ++nFrames;
        }
    }
    UINT iFrame = 1;
    pos = GetFirstViewPosition();
    while (pos != NULL) {
        CView* pView = GetNextView(pos);
        if (pView->IsWindowVisible()) {
            CFrameWnd* pFrame = pView->GetParentFrame();
            if (pFrame != NULL && pFrame->m_nWindow == iFrame) {
                if (nFrames == 1)
                    pFrame->m_nWindow = 0;
                pFrame->OnUpdateFrameTitle(TRUE);
                iFrame++;
            }
        }
    }
}

// ---------------------------------------------------------------------------
// Life

void CDocument::DeleteContents() {}

BOOL CDocument::OnNewDocument()
{
    DeleteContents();
    m_strPathName.Empty();
    SetModifiedFlag(FALSE);
    return TRUE;
}

void CDocument::Serialize(CArchive&) {}

CFile* CDocument::GetFile(LPCTSTR lpszFileName, UINT nOpenFlags, CFileException* pError)
{
    CFile* pFile = new CFile;
    if (!pFile->Open(lpszFileName, nOpenFlags, pError)) {
        delete pFile;
        return NULL;
    }
    return pFile;
}

void CDocument::ReleaseFile(CFile* pFile, BOOL bAbort)
{
    if (bAbort)
        pFile->Abort();
    else
        pFile->Close();
    delete pFile;
}

BOOL CDocument::OnOpenDocument(LPCTSTR lpszPathName)
{
    CFileException fe;
    CFile* pFile = GetFile(lpszPathName, CFile::modeRead | CFile::shareDenyWrite, &fe);
    if (pFile == NULL) {
        ReportSaveLoadException(lpszPathName, &fe, FALSE, AFX_IDP_FAILED_TO_OPEN_DOC);
        return FALSE;
    }
    DeleteContents();
    SetModifiedFlag();  // dirty while half read

    try {
        CArchive loadArchive(pFile, CArchive::load | CArchive::bNoFlushOnDelete);
        loadArchive.m_pDocument = this;
        CWaitCursor wait;
        if (pFile->GetLength() != 0)
            Serialize(loadArchive);
        loadArchive.Close();
        ReleaseFile(pFile, FALSE);
    } catch (CException* e) {
        ReleaseFile(pFile, TRUE);
        DeleteContents();  // no half-read contents
        try {
            ReportSaveLoadException(lpszPathName, e, FALSE, AFX_IDP_FAILED_TO_OPEN_DOC);
        } catch (CException* eReport) {
            eReport->Delete();
        }
        e->Delete();
        return FALSE;
    }
    SetModifiedFlag(FALSE);
    return TRUE;
}

BOOL CDocument::OnSaveDocument(LPCTSTR lpszPathName)
{
    CFileException fe;
    CFile* pFile = GetFile(lpszPathName, CFile::modeCreate | CFile::modeReadWrite | CFile::shareExclusive,
                           &fe);
    if (pFile == NULL) {
        ReportSaveLoadException(lpszPathName, &fe, TRUE, AFX_IDP_INVALID_FILENAME);
        return FALSE;
    }
    try {
        CArchive saveArchive(pFile, CArchive::store | CArchive::bNoFlushOnDelete);
        saveArchive.m_pDocument = this;
        CWaitCursor wait;
        Serialize(saveArchive);
        saveArchive.Close();
        ReleaseFile(pFile, FALSE);
    } catch (CException* e) {
        ReleaseFile(pFile, TRUE);
        try {
            ReportSaveLoadException(lpszPathName, e, TRUE, AFX_IDP_FAILED_TO_SAVE_DOC);
        } catch (CException* eReport) {
            eReport->Delete();
        }
        e->Delete();
        return FALSE;
    }
    SetModifiedFlag(FALSE);
    return TRUE;
}

void CDocument::ReportSaveLoadException(LPCTSTR lpszPathName, CException* e, BOOL bSaving,
                                        UINT nIDPDefault)
{
    if (e != NULL && e->IsKindOf(RUNTIME_CLASS(CUserException)))
        return;  // the user has been told already

    UINT nIDP = nIDPDefault;
    if (e != NULL && e->IsKindOf(RUNTIME_CLASS(CArchiveException))) {
        switch (static_cast<CArchiveException*>(e)->m_cause) {
        case CArchiveException::badSchema:
        case CArchiveException::badClass:
        case CArchiveException::badIndex:
        case CArchiveException::endOfFile:
            nIDP = AFX_IDP_FAILED_INVALID_FORMAT;
            break;
        default:
            break;
        }
    } else if (e != NULL && e->IsKindOf(RUNTIME_CLASS(CFileException))) {
        switch (static_cast<CFileException*>(e)->m_cause) {
        case CFileException::fileNotFound:
        case CFileException::badPath:
            nIDP = AFX_IDP_FAILED_INVALID_PATH;
            break;
        case CFileException::diskFull:
            nIDP = AFX_IDP_FAILED_DISK_FULL;
            break;
        case CFileException::accessDenied:
            nIDP = bSaving ? AFX_IDP_FAILED_ACCESS_WRITE : AFX_IDP_FAILED_ACCESS_READ;
            break;
        default:
            break;
        }
    }

    CString prompt;
    if (lpszPathName != NULL && *lpszPathName != '\0')
        AfxFormatString1(prompt, nIDP, lpszPathName);
    else
        prompt.LoadString(nIDP);
    AfxMessageBox(prompt, MB_ICONEXCLAMATION);
}

void CDocument::OnCloseDocument()
{
    // Closing the frames deletes the views; the document must outlive them.
    BOOL bAutoDelete = m_bAutoDelete;
    m_bAutoDelete = FALSE;
    while (!m_viewList.IsEmpty()) {
        CView* pView = static_cast<CView*>(m_viewList.GetHead());
        CFrameWnd* pFrame = pView->GetParentFrame();
        if (pFrame != NULL) {
            PreCloseFrame(pFrame);
            pFrame->DestroyWindow();  // takes the view with it
        } else {
            pView->DestroyWindow();
        }
        if (!m_viewList.IsEmpty() && m_viewList.GetHead() == pView)
            RemoveView(pView);  // a view that outlived its window
    }
    m_bAutoDelete = bAutoDelete;
    DeleteContents();
    if (m_bAutoDelete)
        delete this;
}

// ---------------------------------------------------------------------------
// Closing and saving

BOOL CDocument::CanCloseFrame(CFrameWnd*)
{
    // Another frame still shows the document: nothing is lost.
    POSITION pos = GetFirstViewPosition();
    while (pos != NULL) {
        CView* pView = GetNextView(pos);
        CFrameWnd* pFrame = pView->GetParentFrame();
        if (pFrame != NULL && pFrame->m_nWindow > 0)
            return TRUE;
    }
    return SaveModified();
}

void CDocument::PreCloseFrame(CFrameWnd*) {}

BOOL CDocument::SaveModified()
{
    if (!IsModified())
        return TRUE;

    CString name;
    if (m_strPathName.IsEmpty()) {
        name = m_strTitle;
        if (name.IsEmpty())
            name.LoadString(AFX_IDS_UNTITLED);
    } else {
        int nSlash = m_strPathName.ReverseFind('\\');
        name = nSlash < 0 ? m_strPathName : m_strPathName.Mid(nSlash + 1);
    }

    CString prompt;
    AfxFormatString1(prompt, AFX_IDP_ASK_TO_SAVE, name);
    switch (AfxMessageBox(prompt, MB_YESNOCANCEL, AFX_IDP_ASK_TO_SAVE)) {
    case IDCANCEL:
        return FALSE;
    case IDYES:
        return DoFileSave();
    default:
        return TRUE;
    }
}

BOOL CDocument::DoFileSave()
{
    // A file that is not there or may not be written is saved under a new
    // name.
    DWORD dwAttrib = ::GetFileAttributesA(m_strPathName);
    if (m_strPathName.IsEmpty() || dwAttrib == INVALID_FILE_ATTRIBUTES ||
        (dwAttrib & FILE_ATTRIBUTE_READONLY))
        return DoSave(NULL);
    return DoSave(m_strPathName);
}

BOOL CDocument::DoSave(LPCTSTR lpszPathName, BOOL bReplace)
{
    CString newName = lpszPathName;
    if (newName.IsEmpty()) {
        CDocTemplate* pTemplate = GetDocTemplate();
        newName = m_strPathName;
        if (bReplace && newName.IsEmpty()) {
            newName = m_strTitle;
            int iBad = newName.FindOneOf(" #%;/\\");
            if (iBad != -1)
                newName = newName.Left(iBad);
            CString strExt;
            if (pTemplate != NULL && pTemplate->GetDocString(strExt, CDocTemplate::filterExt) &&
                !strExt.IsEmpty())
                newName += strExt;
        }
        CWinApp* pApp = AfxGetApp();
        if (pApp == NULL || pApp->m_pDocManager == NULL ||
            !pApp->m_pDocManager->DoPromptFileName(newName,
                                                  bReplace ? AFX_IDS_SAVEFILE : AFX_IDS_SAVEFILECOPY,
                                                  OFN_HIDEREADONLY | OFN_PATHMUSTEXIST, FALSE,
                                                  pTemplate))
            return FALSE;
    }

    CWaitCursor wait;
    if (!OnSaveDocument(newName)) {
        if (lpszPathName == NULL)
            ::DeleteFileA(newName);  // no half-written file under the new name
        return FALSE;
    }
    if (bReplace)
        SetPathName(newName);
    return TRUE;
}

void CDocument::OnFileClose()
{
    if (!SaveModified())
        return;
    OnCloseDocument();
}

void CDocument::OnFileSave()
{
    DoFileSave();
}

void CDocument::OnFileSaveAs()
{
    DoSave(NULL);
}

BOOL CDocument::OnCmdMsg(UINT nID, int nCode, void* pExtra, AFX_CMDHANDLERINFO* pHandlerInfo)
{
    if (CCmdTarget::OnCmdMsg(nID, nCode, pExtra, pHandlerInfo))
        return TRUE;
    return m_pDocTemplate != NULL && m_pDocTemplate->OnCmdMsg(nID, nCode, pExtra, pHandlerInfo);
}

void CDocument::OnFinalRelease()
{
    OnCloseDocument();
}

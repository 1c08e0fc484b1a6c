// CFileFind: walks FindFirstFile/FindNextFile one entry ahead, so that
// FindNextFile can tell whether the entry it moves to is the last.
#include "FilePath.h"

IMPLEMENT_DYNAMIC(CFileFind, CObject)

namespace {

// The last '\' or '/' of a path, walking whole characters (a GBK trail byte
// can be '\'); NULL when there is none.
LPCTSTR LastSeparator(LPCTSTR lpszPath)
{
    LPCTSTR lpszLast = NULL;
    for (LPCTSTR p = lpszPath; *p != '\0'; p = CharNextA(p)) {
        if (*p == '\\' || *p == '/')
            lpszLast = p;
    }
    return lpszLast;
}

bool EndsWithSeparator(const CString& strPath)
{
    if (strPath.IsEmpty())
        return false;
    LPCTSTR lpsz = strPath;
    LPCTSTR lpszLastChar = CharPrevA(lpsz, lpsz + strPath.GetLength());
    return *lpszLastChar == '\\' || *lpszLastChar == '/';
}

}  // namespace

CFileFind::CFileFind()
    : m_pFoundInfo(NULL), m_pNextInfo(NULL), m_hContext(NULL), m_bGotLast(FALSE),
      m_chDirSeparator('\\')
{
}

CFileFind::~CFileFind()
{
    Close();
}

void CFileFind::Close()
{
    delete (WIN32_FIND_DATAA*)m_pFoundInfo;
    m_pFoundInfo = NULL;
    delete (WIN32_FIND_DATAA*)m_pNextInfo;
    m_pNextInfo = NULL;
    if (m_hContext != NULL) {
        if (m_hContext != INVALID_HANDLE_VALUE)
            CloseContext();
        m_hContext = NULL;
    }
    m_bGotLast = FALSE;
}

void CFileFind::CloseContext()
{
    ::FindClose(m_hContext);
}

BOOL CFileFind::FindFile(LPCTSTR pstrName, DWORD dwUnused)
{
    UNUSED(dwUnused);
    Close();
    if (pstrName == NULL)
        pstrName = "*.*";

    WIN32_FIND_DATAA* pNext = new WIN32_FIND_DATAA;
    m_pNextInfo = pNext;
    m_hContext = ::FindFirstFileA(pstrName, pNext);
    if (m_hContext == INVALID_HANDLE_VALUE) {
        DWORD dwError = ::GetLastError();
        Close();
        ::SetLastError(dwError);
        return FALSE;
    }

    // The root is the folder part of the full path of the name searched.
    char szFull[_MAX_PATH];
    DWORD n = ::GetFullPathNameA(pstrName, _MAX_PATH, szFull, NULL);
    if (n == 0 || n >= _MAX_PATH) {
        Close();
        ::SetLastError(ERROR_INVALID_NAME);
        return FALSE;
    }
    LPCTSTR lpszSep = LastSeparator(szFull);
    m_strRoot = lpszSep == NULL ? CString(szFull) : CString(szFull, (int)(lpszSep - szFull));
    return TRUE;
}

BOOL CFileFind::FindNextFile()
{
    if (m_hContext == NULL || m_bGotLast)
        return FALSE;
    if (m_pFoundInfo == NULL)
        m_pFoundInfo = new WIN32_FIND_DATAA;
    void* pTemp = m_pFoundInfo;
    m_pFoundInfo = m_pNextInfo;
    m_pNextInfo = pTemp;
    if (!::FindNextFileA(m_hContext, (WIN32_FIND_DATAA*)m_pNextInfo))
        m_bGotLast = TRUE;
    return !m_bGotLast;
}

CString CFileFind::GetRoot() const
{
    return m_strRoot;
}

CString CFileFind::GetFileName() const
{
    if (m_pFoundInfo == NULL)
        return CString();
    return CString(((const WIN32_FIND_DATAA*)m_pFoundInfo)->cFileName);
}

CString CFileFind::GetFilePath() const
{
    CString strResult = m_strRoot;
    if (!EndsWithSeparator(strResult))
        strResult += m_chDirSeparator;
    return strResult + GetFileName();
}

CString CFileFind::GetFileTitle() const
{
    return AfxStripFileExtension(GetFileName());
}

DWORD CFileFind::GetLength() const
{
    if (m_pFoundInfo == NULL)
        return 0;
    return ((const WIN32_FIND_DATAA*)m_pFoundInfo)->nFileSizeLow;
}

BOOL CFileFind::MatchesMask(DWORD dwMask) const
{
    if (m_pFoundInfo == NULL)
        return FALSE;
    return (((const WIN32_FIND_DATAA*)m_pFoundInfo)->dwFileAttributes & dwMask) != 0;
}

BOOL CFileFind::IsDots() const
{
    if (m_pFoundInfo == NULL || !IsDirectory())
        return FALSE;
    LPCSTR lpszName = ((const WIN32_FIND_DATAA*)m_pFoundInfo)->cFileName;
    return strcmp(lpszName, ".") == 0 || strcmp(lpszName, "..") == 0;
}

BOOL CFileFind::GetLastWriteTime(FILETIME* pTimeStamp) const
{
    if (m_pFoundInfo == NULL || pTimeStamp == NULL)
        return FALSE;
    *pTimeStamp = ((const WIN32_FIND_DATAA*)m_pFoundInfo)->ftLastWriteTime;
    return TRUE;
}

BOOL CFileFind::GetLastAccessTime(FILETIME* pTimeStamp) const
{
    if (m_pFoundInfo == NULL || pTimeStamp == NULL)
        return FALSE;
    *pTimeStamp = ((const WIN32_FIND_DATAA*)m_pFoundInfo)->ftLastAccessTime;
    return TRUE;
}

BOOL CFileFind::GetCreationTime(FILETIME* pTimeStamp) const
{
    if (m_pFoundInfo == NULL || pTimeStamp == NULL)
        return FALSE;
    *pTimeStamp = ((const WIN32_FIND_DATAA*)m_pFoundInfo)->ftCreationTime;
    return TRUE;
}

BOOL CFileFind::GetLastWriteTime(CTime& refTime) const
{
    FILETIME ft;
    if (!GetLastWriteTime(&ft))
        return FALSE;
    refTime = CTime(ft);
    return TRUE;
}

BOOL CFileFind::GetLastAccessTime(CTime& refTime) const
{
    FILETIME ft;
    if (!GetLastAccessTime(&ft))
        return FALSE;
    refTime = CTime(ft);
    return TRUE;
}

BOOL CFileFind::GetCreationTime(CTime& refTime) const
{
    FILETIME ft;
    if (!GetCreationTime(&ft))
        return FALSE;
    refTime = CTime(ft);
    return TRUE;
}

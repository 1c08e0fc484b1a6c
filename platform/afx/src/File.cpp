// CFile: a binary file over a Win32 handle; errors throw CFileException*.
#include "FilePath.h"

IMPLEMENT_DYNAMIC(CFile, CObject)

const HANDLE CFile::hFileNull = INVALID_HANDLE_VALUE;

namespace {

// Byte index just after the last '\', '/' or ':' of a path, walking whole
// characters: a GBK trail byte can be '\'.
int NameStart(LPCTSTR lpszPath)
{
    LPCTSTR lpszName = lpszPath;
    for (LPCTSTR p = lpszPath; *p != '\0'; p = CharNextA(p)) {
        if (*p == '\\' || *p == '/' || *p == ':')
            lpszName = p + 1;
    }
    return (int)(lpszName - lpszPath);
}

CString FullPath(LPCTSTR lpszFileName)
{
    char szPath[_MAX_PATH];
    DWORD n = GetFullPathNameA(lpszFileName, _MAX_PATH, szPath, NULL);
    if (n == 0 || n >= _MAX_PATH)
        return CString(lpszFileName);
    return CString(szPath);
}

}  // namespace

CFile::CFile() : m_hFile(hFileNull), m_bCloseOnDelete(FALSE)
{
}

CFile::CFile(HANDLE hFile) : m_hFile(hFile), m_bCloseOnDelete(FALSE)
{
}

CFile::CFile(LPCTSTR lpszFileName, UINT nOpenFlags)
    : m_hFile(hFileNull), m_bCloseOnDelete(FALSE)
{
    CFileException e;
    if (!Open(lpszFileName, nOpenFlags, &e))
        AfxThrowFileException(e.m_cause, e.m_lOsError, e.m_strFileName);
}

CFile::~CFile()
{
    if (m_hFile != hFileNull && m_bCloseOnDelete)
        ::CloseHandle(m_hFile);
    m_hFile = hFileNull;
}

BOOL CFile::Open(LPCTSTR lpszFileName, UINT nOpenFlags, CFileException* pError)
{
    ASSERT(m_hFile == hFileNull);
    m_bCloseOnDelete = FALSE;
    m_hFile = hFileNull;
    m_strFileName = FullPath(lpszFileName);

    DWORD dwAccess = 0;
    switch (nOpenFlags & 3) {
    case modeRead:
        dwAccess = GENERIC_READ;
        break;
    case modeWrite:
        dwAccess = GENERIC_WRITE;
        break;
    default:
        dwAccess = GENERIC_READ | GENERIC_WRITE;
        break;
    }

    DWORD dwShareMode = 0;  // shareCompat and shareExclusive
    switch (nOpenFlags & 0x70) {
    case shareDenyWrite:
        dwShareMode = FILE_SHARE_READ;
        break;
    case shareDenyRead:
        dwShareMode = FILE_SHARE_WRITE;
        break;
    case shareDenyNone:
        dwShareMode = FILE_SHARE_READ | FILE_SHARE_WRITE;
        break;
    }

    SECURITY_ATTRIBUTES sa;
    sa.nLength = sizeof(sa);
    sa.lpSecurityDescriptor = NULL;
    sa.bInheritHandle = (nOpenFlags & modeNoInherit) == 0;

    DWORD dwCreate = OPEN_EXISTING;
    if (nOpenFlags & modeCreate)
        dwCreate = (nOpenFlags & modeNoTruncate) ? OPEN_ALWAYS : CREATE_ALWAYS;

    HANDLE hFile = ::CreateFileA(lpszFileName, dwAccess, dwShareMode, &sa, dwCreate,
                                 FILE_ATTRIBUTE_NORMAL, NULL);
    if (hFile == INVALID_HANDLE_VALUE) {
        if (pError != NULL) {
            pError->m_lOsError = (LONG)::GetLastError();
            pError->m_cause = CFileException::OsErrorToException(pError->m_lOsError);
            // The name as the caller gave it, not the expanded one.
            pError->m_strFileName = lpszFileName;
        }
        return FALSE;
    }
    m_hFile = hFile;
    m_bCloseOnDelete = TRUE;
    return TRUE;
}

UINT CFile::Read(void* lpBuf, UINT nCount)
{
    if (nCount == 0)
        return 0;
    DWORD dwRead = 0;
    if (!::ReadFile(m_hFile, lpBuf, nCount, &dwRead, NULL))
        CFileException::ThrowOsError((LONG)::GetLastError(), m_strFileName);
    return (UINT)dwRead;
}

void CFile::Write(const void* lpBuf, UINT nCount)
{
    if (nCount == 0)
        return;
    DWORD dwWritten = 0;
    if (!::WriteFile(m_hFile, lpBuf, nCount, &dwWritten, NULL))
        CFileException::ThrowOsError((LONG)::GetLastError(), m_strFileName);
    // A short write without an error means the disk filled up.
    if (dwWritten != nCount)
        AfxThrowFileException(CFileException::diskFull, -1, m_strFileName);
}

LONG CFile::Seek(LONG lOff, UINT nFrom)
{
    DWORD dwNew = ::SetFilePointer(m_hFile, lOff, NULL, (DWORD)nFrom);
    if (dwNew == INVALID_SET_FILE_POINTER)
        CFileException::ThrowOsError((LONG)::GetLastError(), m_strFileName);
    return (LONG)dwNew;
}

DWORD CFile::SeekToEnd()
{
    return (DWORD)Seek(0, CFile::end);
}

void CFile::SeekToBegin()
{
    Seek(0, CFile::begin);
}

DWORD CFile::GetPosition() const
{
    DWORD dwPos = ::SetFilePointer(m_hFile, 0, NULL, FILE_CURRENT);
    if (dwPos == INVALID_SET_FILE_POINTER)
        CFileException::ThrowOsError((LONG)::GetLastError(), m_strFileName);
    return dwPos;
}

// Through Seek, so that derived files with their own positions agree.
DWORD CFile::GetLength() const
{
    CFile* pFile = const_cast<CFile*>(this);
    DWORD dwCur = (DWORD)pFile->Seek(0, current);
    DWORD dwLen = pFile->SeekToEnd();
    pFile->Seek((LONG)dwCur, begin);
    return dwLen;
}

void CFile::SetLength(DWORD dwNewLen)
{
    Seek((LONG)dwNewLen, begin);
    if (!::SetEndOfFile(m_hFile))
        CFileException::ThrowOsError((LONG)::GetLastError(), m_strFileName);
}

void CFile::LockRange(DWORD dwPos, DWORD dwCount)
{
    if (!::LockFile(m_hFile, dwPos, 0, dwCount, 0))
        CFileException::ThrowOsError((LONG)::GetLastError(), m_strFileName);
}

void CFile::UnlockRange(DWORD dwPos, DWORD dwCount)
{
    if (!::UnlockFile(m_hFile, dwPos, 0, dwCount, 0))
        CFileException::ThrowOsError((LONG)::GetLastError(), m_strFileName);
}

void CFile::Flush()
{
    if (m_hFile == hFileNull)
        return;
    if (!::FlushFileBuffers(m_hFile))
        CFileException::ThrowOsError((LONG)::GetLastError(), m_strFileName);
}

void CFile::Close()
{
    BOOL bError = FALSE;
    DWORD dwError = 0;
    if (m_hFile != hFileNull) {
        bError = !::CloseHandle(m_hFile);
        if (bError)
            dwError = ::GetLastError();
    }
    CString strFileName = m_strFileName;
    m_hFile = hFileNull;
    m_bCloseOnDelete = FALSE;
    m_strFileName.Empty();
    if (bError)
        CFileException::ThrowOsError((LONG)dwError, strFileName);
}

void CFile::Abort()
{
    if (m_hFile != hFileNull)
        ::CloseHandle(m_hFile);
    m_hFile = hFileNull;
    m_bCloseOnDelete = FALSE;
    m_strFileName.Empty();
}

CFile* CFile::Duplicate() const
{
    HANDLE hFile = NULL;
    if (!::DuplicateHandle(::GetCurrentProcess(), m_hFile, ::GetCurrentProcess(), &hFile,
                           0, FALSE, DUPLICATE_SAME_ACCESS))
        CFileException::ThrowOsError((LONG)::GetLastError(), m_strFileName);
    CFile* pFile = new CFile(hFile);
    pFile->m_bCloseOnDelete = m_bCloseOnDelete;
    pFile->m_strFileName = m_strFileName;
    return pFile;
}

CString CFile::GetFileName() const
{
    return m_strFileName.Mid(NameStart(m_strFileName));
}

CString CFile::GetFileTitle() const
{
    return AfxStripFileExtension(GetFileName());
}

CString CFile::GetFilePath() const
{
    return m_strFileName;
}

void CFile::SetFilePath(LPCTSTR lpszNewName)
{
    m_strFileName = lpszNewName;
}

void PASCAL CFile::Rename(LPCTSTR lpszOldName, LPCTSTR lpszNewName)
{
    if (!::MoveFileA(lpszOldName, lpszNewName))
        CFileException::ThrowOsError((LONG)::GetLastError(), lpszOldName);
}

void PASCAL CFile::Remove(LPCTSTR lpszFileName)
{
    if (!::DeleteFileA(lpszFileName))
        CFileException::ThrowOsError((LONG)::GetLastError(), lpszFileName);
}

CString AfxStripFileExtension(const CString& strName)
{
    LPCTSTR lpszName = strName;
    LPCTSTR lpszDot = NULL;
    for (LPCTSTR p = lpszName; *p != '\0'; p = CharNextA(p)) {
        if (*p == '.')
            lpszDot = p;
    }
    return lpszDot == NULL ? strName : strName.Left((int)(lpszDot - lpszName));
}

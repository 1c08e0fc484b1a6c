// CStdioFile: a file over a C runtime stream, opened on the handle CFile
// opens (so that its sharing modes apply), in text or binary mode.
#include "afx.h"

#include <errno.h>
#include <fcntl.h>
#include <io.h>
#include <stdlib.h>

IMPLEMENT_DYNAMIC(CStdioFile, CFile)

CStdioFile::CStdioFile() : m_pStream(NULL)
{
}

CStdioFile::CStdioFile(FILE* pOpenStream) : m_pStream(pOpenStream)
{
    m_hFile = (HANDLE)_get_osfhandle(_fileno(pOpenStream));
    m_bCloseOnDelete = FALSE;
}

CStdioFile::CStdioFile(LPCTSTR lpszFileName, UINT nOpenFlags) : m_pStream(NULL)
{
    CFileException e;
    if (!Open(lpszFileName, nOpenFlags, &e))
        AfxThrowFileException(e.m_cause, e.m_lOsError, e.m_strFileName);
}

CStdioFile::~CStdioFile()
{
    if (m_pStream != NULL && m_bCloseOnDelete)
        fclose(m_pStream);
    m_pStream = NULL;
    m_hFile = hFileNull;
    m_bCloseOnDelete = FALSE;
}

BOOL CStdioFile::Open(LPCTSTR lpszFileName, UINT nOpenFlags, CFileException* pError)
{
    m_pStream = NULL;
    if (!CFile::Open(lpszFileName, nOpenFlags & ~(UINT)typeText, pError))
        return FALSE;

    char szMode[4];
    int nMode = 0;
    if (nOpenFlags & modeCreate)
        szMode[nMode++] = (nOpenFlags & modeNoTruncate) ? 'a' : 'w';
    else if (nOpenFlags & modeWrite)
        szMode[nMode++] = 'a';
    else
        szMode[nMode++] = 'r';
    // '+' where the letter alone would not give the access asked for.
    if ((szMode[0] == 'r' && (nOpenFlags & modeReadWrite)) ||
        (szMode[0] != 'r' && !(nOpenFlags & modeWrite)))
        szMode[nMode++] = '+';

    int nFlags = _O_RDONLY | _O_TEXT;
    if (nOpenFlags & (modeWrite | modeReadWrite))
        nFlags ^= _O_RDONLY;
    if (nOpenFlags & typeBinary) {
        szMode[nMode++] = 'b';
        nFlags ^= _O_TEXT;
    } else {
        szMode[nMode++] = 't';
    }
    szMode[nMode] = '\0';

    int nHandle = _open_osfhandle((intptr_t)m_hFile, nFlags);
    if (nHandle != -1) {
        m_pStream = _fdopen(nHandle, szMode);
        if (m_pStream == NULL)
            _close(nHandle);  // closes m_hFile as well
    } else {
        ::CloseHandle(m_hFile);
    }
    if (m_pStream == NULL) {
        if (pError != NULL) {
            pError->m_lOsError = _doserrno;
            pError->m_cause = CFileException::ErrnoToException(errno);
            pError->m_strFileName = lpszFileName;
        }
        m_hFile = hFileNull;
        m_bCloseOnDelete = FALSE;
        return FALSE;
    }
    return TRUE;
}

UINT CStdioFile::Read(void* lpBuf, UINT nCount)
{
    if (nCount == 0)
        return 0;
    UINT nRead = (UINT)fread(lpBuf, 1, nCount, m_pStream);
    if (nRead == 0 && ferror(m_pStream)) {
        clearerr(m_pStream);
        AfxThrowFileException(CFileException::generic, _doserrno, m_strFileName);
    }
    return nRead;
}

void CStdioFile::Write(const void* lpBuf, UINT nCount)
{
    if (fwrite(lpBuf, 1, nCount, m_pStream) != nCount)
        AfxThrowFileException(CFileException::generic, _doserrno, m_strFileName);
}

void CStdioFile::WriteString(LPCTSTR lpsz)
{
    if (fputs(lpsz, m_pStream) == EOF)
        AfxThrowFileException(CFileException::diskFull, _doserrno, m_strFileName);
}

LPTSTR CStdioFile::ReadString(LPTSTR lpsz, UINT nMax)
{
    LPTSTR lpszResult = fgets(lpsz, (int)nMax, m_pStream);
    if (lpszResult == NULL && !feof(m_pStream)) {
        clearerr(m_pStream);
        AfxThrowFileException(CFileException::generic, _doserrno, m_strFileName);
    }
    return lpszResult;
}

BOOL CStdioFile::ReadString(CString& rString)
{
    rString.Empty();
    char szChunk[256];
    BOOL bRead = FALSE;
    for (;;) {
        if (fgets(szChunk, sizeof(szChunk), m_pStream) == NULL) {
            if (!feof(m_pStream)) {
                clearerr(m_pStream);
                AfxThrowFileException(CFileException::generic, _doserrno, m_strFileName);
            }
            break;
        }
        bRead = TRUE;
        rString += szChunk;
        int nLen = (int)strlen(szChunk);
        if (nLen > 0 && szChunk[nLen - 1] == '\n')
            break;
    }
    // Text mode has already turned CR LF into "\n"; binary mode keeps the CR.
    int nLen = rString.GetLength();
    if (nLen > 0 && rString[nLen - 1] == '\n')
        rString = rString.Left(nLen - 1);
    return bRead;
}

LONG CStdioFile::Seek(LONG lOff, UINT nFrom)
{
    if (fseek(m_pStream, lOff, (int)nFrom) != 0)
        AfxThrowFileException(CFileException::badSeek, _doserrno, m_strFileName);
    return ftell(m_pStream);
}

DWORD CStdioFile::GetPosition() const
{
    long lPos = ftell(m_pStream);
    if (lPos == -1L)
        AfxThrowFileException(CFileException::invalidFile, _doserrno, m_strFileName);
    return (DWORD)lPos;
}

void CStdioFile::Flush()
{
    if (m_pStream != NULL && fflush(m_pStream) != 0)
        AfxThrowFileException(CFileException::diskFull, _doserrno, m_strFileName);
}

void CStdioFile::Close()
{
    int nErr = 0;
    if (m_pStream != NULL)
        nErr = fclose(m_pStream);  // closes the handle too
    CString strFileName = m_strFileName;
    m_hFile = hFileNull;
    m_bCloseOnDelete = FALSE;
    m_pStream = NULL;
    m_strFileName.Empty();
    if (nErr != 0)
        AfxThrowFileException(CFileException::diskFull, _doserrno, strFileName);
}

void CStdioFile::Abort()
{
    if (m_pStream != NULL && m_bCloseOnDelete)
        fclose(m_pStream);
    m_hFile = hFileNull;
    m_pStream = NULL;
    m_bCloseOnDelete = FALSE;
    m_strFileName.Empty();
}

CFile* CStdioFile::Duplicate() const
{
    AfxThrowNotSupportedException();
}

void CStdioFile::LockRange(DWORD dwPos, DWORD dwCount)
{
    UNUSED(dwPos);
    UNUSED(dwCount);
    AfxThrowNotSupportedException();
}

void CStdioFile::UnlockRange(DWORD dwPos, DWORD dwCount)
{
    UNUSED(dwPos);
    UNUSED(dwCount);
    AfxThrowNotSupportedException();
}

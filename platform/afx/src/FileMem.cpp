// CMemFile: a file in a block of memory that grows in steps of nGrowBytes.
#include "afx.h"

#include <stdlib.h>

IMPLEMENT_DYNAMIC(CMemFile, CFile)

CMemFile::CMemFile(UINT nGrowBytes)
    : m_nGrowBytes(nGrowBytes), m_nPosition(0), m_nBufferSize(0), m_nFileSize(0),
      m_lpBuffer(NULL), m_bAutoDelete(TRUE)
{
}

CMemFile::CMemFile(BYTE* lpBuffer, UINT nBufferSize, UINT nGrowBytes)
    : m_nGrowBytes(0), m_nPosition(0), m_nBufferSize(0), m_nFileSize(0),
      m_lpBuffer(NULL), m_bAutoDelete(TRUE)
{
    Attach(lpBuffer, nBufferSize, nGrowBytes);
}

CMemFile::~CMemFile()
{
    if (m_lpBuffer != NULL && m_bAutoDelete)
        Free(m_lpBuffer);
    m_lpBuffer = NULL;
}

void CMemFile::Attach(BYTE* lpBuffer, UINT nBufferSize, UINT nGrowBytes)
{
    if (m_lpBuffer != NULL && m_bAutoDelete)
        Free(m_lpBuffer);
    m_lpBuffer = lpBuffer;
    m_nBufferSize = nBufferSize;
    m_nGrowBytes = nGrowBytes;
    m_nPosition = 0;
    // A block that cannot grow is taken as the file's content; one that can
    // is only room to write into.
    m_nFileSize = nGrowBytes == 0 ? nBufferSize : 0;
    m_bAutoDelete = FALSE;
}

BYTE* CMemFile::Detach()
{
    BYTE* lpBuffer = m_lpBuffer;
    m_lpBuffer = NULL;
    m_nBufferSize = 0;
    m_nFileSize = 0;
    m_nPosition = 0;
    m_bAutoDelete = TRUE;
    return lpBuffer;
}

BYTE* CMemFile::Alloc(DWORD nBytes)
{
    return (BYTE*)malloc(nBytes);
}

BYTE* CMemFile::Realloc(BYTE* lpMem, DWORD nBytes)
{
    return (BYTE*)realloc(lpMem, nBytes);
}

BYTE* CMemFile::Memcpy(BYTE* lpMemTarget, const BYTE* lpMemSource, UINT nBytes)
{
    return (BYTE*)memcpy(lpMemTarget, lpMemSource, nBytes);
}

void CMemFile::Free(BYTE* lpMem)
{
    free(lpMem);
}

void CMemFile::GrowFile(DWORD dwNewLen)
{
    if (dwNewLen <= m_nBufferSize)
        return;
    if (m_nGrowBytes == 0)
        AfxThrowMemoryException();

    DWORD dwNewBufferSize = m_nBufferSize;
    while (dwNewBufferSize < dwNewLen) {
        DWORD dwNext = dwNewBufferSize + m_nGrowBytes;
        if (dwNext < dwNewBufferSize)  // wrapped past 4 GB
            AfxThrowMemoryException();
        dwNewBufferSize = dwNext;
    }

    BYTE* lpNew;
    if (m_lpBuffer == NULL) {
        lpNew = Alloc(dwNewBufferSize);
    } else if (m_bAutoDelete) {
        lpNew = Realloc(m_lpBuffer, dwNewBufferSize);
    } else {
        // The caller's block stays the caller's: the file moves into its own.
        lpNew = Alloc(dwNewBufferSize);
        if (lpNew != NULL)
            Memcpy(lpNew, m_lpBuffer, m_nFileSize);
    }
    if (lpNew == NULL)
        AfxThrowMemoryException();
    m_lpBuffer = lpNew;
    m_nBufferSize = dwNewBufferSize;
    m_bAutoDelete = TRUE;
}

DWORD CMemFile::GetPosition() const
{
    return m_nPosition;
}

DWORD CMemFile::GetLength() const
{
    return m_nFileSize;
}

LONG CMemFile::Seek(LONG lOff, UINT nFrom)
{
    LONGLONG llNew;
    switch (nFrom) {
    case begin:
        llNew = lOff;
        break;
    case current:
        llNew = (LONGLONG)m_nPosition + lOff;
        break;
    case end:
        llNew = (LONGLONG)m_nFileSize + lOff;
        break;
    default:
        AfxThrowFileException(CFileException::badSeek, ERROR_INVALID_PARAMETER, m_strFileName);
    }
    if (llNew < 0 || llNew > 0x7FFFFFFF)
        AfxThrowFileException(CFileException::badSeek, ERROR_NEGATIVE_SEEK, m_strFileName);
    // Past the end is allowed: the next write fills the gap with zeros.
    m_nPosition = (DWORD)llNew;
    return (LONG)m_nPosition;
}

void CMemFile::SetLength(DWORD dwNewLen)
{
    if (dwNewLen > m_nBufferSize)
        GrowFile(dwNewLen);
    if (dwNewLen > m_nFileSize)
        memset(m_lpBuffer + m_nFileSize, 0, dwNewLen - m_nFileSize);
    if (dwNewLen < m_nPosition)
        m_nPosition = dwNewLen;
    m_nFileSize = dwNewLen;
}

UINT CMemFile::Read(void* lpBuf, UINT nCount)
{
    if (nCount == 0 || m_nPosition >= m_nFileSize)
        return 0;
    UINT nRead = nCount;
    if (nRead > m_nFileSize - m_nPosition)
        nRead = (UINT)(m_nFileSize - m_nPosition);
    Memcpy((BYTE*)lpBuf, m_lpBuffer + m_nPosition, nRead);
    m_nPosition += nRead;
    return nRead;
}

void CMemFile::Write(const void* lpBuf, UINT nCount)
{
    if (nCount == 0)
        return;
    DWORD dwEnd = m_nPosition + nCount;
    if (dwEnd < m_nPosition)
        AfxThrowMemoryException();
    if (dwEnd > m_nBufferSize)
        GrowFile(dwEnd);
    if (m_nPosition > m_nFileSize)
        memset(m_lpBuffer + m_nFileSize, 0, m_nPosition - m_nFileSize);
    Memcpy(m_lpBuffer + m_nPosition, (const BYTE*)lpBuf, nCount);
    m_nPosition = dwEnd;
    if (m_nPosition > m_nFileSize)
        m_nFileSize = m_nPosition;
}

void CMemFile::Flush()
{
}

void CMemFile::Close()
{
    m_nGrowBytes = 0;
    m_nPosition = 0;
    m_nBufferSize = 0;
    m_nFileSize = 0;
    if (m_lpBuffer != NULL && m_bAutoDelete)
        Free(m_lpBuffer);
    m_lpBuffer = NULL;
}

void CMemFile::Abort()
{
    Close();
}

CFile* CMemFile::Duplicate() const
{
    AfxThrowNotSupportedException();
}

void CMemFile::LockRange(DWORD dwPos, DWORD dwCount)
{
    UNUSED(dwPos);
    UNUSED(dwCount);
    AfxThrowNotSupportedException();
}

void CMemFile::UnlockRange(DWORD dwPos, DWORD dwCount)
{
    UNUSED(dwPos);
    UNUSED(dwCount);
    AfxThrowNotSupportedException();
}

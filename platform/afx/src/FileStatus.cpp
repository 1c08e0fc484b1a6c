// The status of a file (CFileStatus): size, attributes and times.
#include "afx.h"

namespace {

bool IsZero(const FILETIME& ft)
{
    return ft.dwLowDateTime == 0 && ft.dwHighDateTime == 0;
}

// A time the file system does not keep is taken as the last write time.
void SetStatusTimes(CFileStatus& rStatus, const FILETIME& ftCreate,
                    const FILETIME& ftAccess, const FILETIME& ftWrite)
{
    rStatus.m_mtime = IsZero(ftWrite) ? CTime() : CTime(ftWrite);
    rStatus.m_ctime = IsZero(ftCreate) ? rStatus.m_mtime : CTime(ftCreate);
    rStatus.m_atime = IsZero(ftAccess) ? rStatus.m_mtime : CTime(ftAccess);
}

void ClearStatus(CFileStatus& rStatus)
{
    rStatus.m_ctime = CTime();
    rStatus.m_mtime = CTime();
    rStatus.m_atime = CTime();
    rStatus.m_size = 0;
    rStatus.m_attribute = 0;
    rStatus.m_padding = 0;
    rStatus.m_szFullName[0] = '\0';
}

}  // namespace

BOOL CFile::GetStatus(CFileStatus& rStatus) const
{
    ClearStatus(rStatus);
    lstrcpynA(rStatus.m_szFullName, m_strFileName, _MAX_PATH);
    if (m_hFile == hFileNull)
        return TRUE;

    FILETIME ftCreate, ftAccess, ftWrite;
    if (!::GetFileTime(m_hFile, &ftCreate, &ftAccess, &ftWrite))
        return FALSE;
    DWORD dwSize = ::GetFileSize(m_hFile, NULL);
    if (dwSize == INVALID_FILE_SIZE && ::GetLastError() != NO_ERROR)
        return FALSE;
    rStatus.m_size = (LONG)dwSize;
    if (!m_strFileName.IsEmpty()) {
        DWORD dwAttributes = ::GetFileAttributesA(m_strFileName);
        if (dwAttributes != INVALID_FILE_ATTRIBUTES)
            rStatus.m_attribute = (BYTE)(dwAttributes & ~FILE_ATTRIBUTE_NORMAL);
    }
    SetStatusTimes(rStatus, ftCreate, ftAccess, ftWrite);
    return TRUE;
}

BOOL PASCAL CFile::GetStatus(LPCTSTR lpszFileName, CFileStatus& rStatus)
{
    ClearStatus(rStatus);
    char szPath[_MAX_PATH];
    DWORD n = GetFullPathNameA(lpszFileName, _MAX_PATH, szPath, NULL);
    if (n == 0 || n >= _MAX_PATH)
        return FALSE;
    lstrcpynA(rStatus.m_szFullName, szPath, _MAX_PATH);

    WIN32_FILE_ATTRIBUTE_DATA data;
    if (!::GetFileAttributesExA(szPath, GetFileExInfoStandard, &data)) {
        rStatus.m_szFullName[0] = '\0';
        return FALSE;
    }
    rStatus.m_attribute = (BYTE)(data.dwFileAttributes & ~FILE_ATTRIBUTE_NORMAL);
    rStatus.m_size = (LONG)data.nFileSizeLow;
    SetStatusTimes(rStatus, data.ftCreationTime, data.ftLastAccessTime, data.ftLastWriteTime);
    return TRUE;
}

BOOL CMemFile::GetStatus(CFileStatus& rStatus) const
{
    rStatus.m_ctime = CTime();
    rStatus.m_mtime = CTime();
    rStatus.m_atime = CTime();
    rStatus.m_size = (LONG)m_nFileSize;
    rStatus.m_attribute = normal;
    rStatus.m_padding = 0;
    rStatus.m_szFullName[0] = '\0';
    return TRUE;
}

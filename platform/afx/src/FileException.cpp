// CFileException: the cause of a failed file operation, mapped from Win32
// error codes and C runtime errno values.
#include "afx.h"

#include <errno.h>
#include <stdlib.h>

IMPLEMENT_DYNAMIC(CFileException, CException)

CFileException::CFileException(int cause, LONG lOsError, LPCTSTR lpszFileName)
    : m_cause(cause), m_lOsError(lOsError), m_strFileName(lpszFileName)
{
}

CFileException::~CFileException()
{
}

void PASCAL CFileException::ThrowOsError(LONG lOsError, LPCTSTR lpszFileName)
{
    if (lOsError != 0)
        AfxThrowFileException(OsErrorToException(lOsError), lOsError, lpszFileName);
}

void PASCAL CFileException::ThrowErrno(int nErrno, LPCTSTR lpszFileName)
{
    if (nErrno != 0)
        AfxThrowFileException(ErrnoToException(nErrno), _doserrno, lpszFileName);
}

int PASCAL CFileException::OsErrorToException(LONG lOsError)
{
    static const struct {
        DWORD error;
        int cause;
    } kMap[] = {
        {NO_ERROR, none},
        {ERROR_FILE_NOT_FOUND, fileNotFound},
        {ERROR_PATH_NOT_FOUND, badPath},
        {ERROR_TOO_MANY_OPEN_FILES, tooManyOpenFiles},
        {ERROR_ACCESS_DENIED, accessDenied},
        {ERROR_INVALID_HANDLE, fileNotFound},
        {ERROR_BAD_FORMAT, invalidFile},
        {ERROR_INVALID_ACCESS, accessDenied},
        {ERROR_INVALID_DRIVE, badPath},
        {ERROR_CURRENT_DIRECTORY, removeCurrentDir},
        {ERROR_NOT_SAME_DEVICE, badPath},
        {ERROR_NO_MORE_FILES, fileNotFound},
        {ERROR_WRITE_PROTECT, accessDenied},
        {ERROR_BAD_UNIT, hardIO},
        {ERROR_NOT_READY, hardIO},
        {ERROR_BAD_COMMAND, hardIO},
        {ERROR_CRC, hardIO},
        {ERROR_BAD_LENGTH, badSeek},
        {ERROR_SEEK, badSeek},
        {ERROR_NOT_DOS_DISK, invalidFile},
        {ERROR_SECTOR_NOT_FOUND, badSeek},
        {ERROR_WRITE_FAULT, accessDenied},
        {ERROR_READ_FAULT, badSeek},
        {ERROR_SHARING_VIOLATION, sharingViolation},
        {ERROR_LOCK_VIOLATION, lockViolation},
        {ERROR_WRONG_DISK, badPath},
        {ERROR_SHARING_BUFFER_EXCEEDED, tooManyOpenFiles},
        {ERROR_HANDLE_EOF, endOfFile},
        {ERROR_HANDLE_DISK_FULL, diskFull},
        {ERROR_DUP_NAME, badPath},
        {ERROR_BAD_NETPATH, badPath},
        {ERROR_NETWORK_BUSY, accessDenied},
        {ERROR_DEV_NOT_EXIST, badPath},
        {ERROR_ADAP_HDW_ERR, hardIO},
        {ERROR_BAD_NET_RESP, accessDenied},
        {ERROR_UNEXP_NET_ERR, hardIO},
        {ERROR_BAD_REM_ADAP, invalidFile},
        {ERROR_NO_SPOOL_SPACE, directoryFull},
        {ERROR_NETNAME_DELETED, accessDenied},
        {ERROR_NETWORK_ACCESS_DENIED, accessDenied},
        {ERROR_BAD_DEV_TYPE, invalidFile},
        {ERROR_BAD_NET_NAME, badPath},
        {ERROR_TOO_MANY_NAMES, tooManyOpenFiles},
        {ERROR_SHARING_PAUSED, badPath},
        {ERROR_REQ_NOT_ACCEP, accessDenied},
        {ERROR_FILE_EXISTS, accessDenied},
        {ERROR_CANNOT_MAKE, accessDenied},
        {ERROR_ALREADY_ASSIGNED, badPath},
        {ERROR_INVALID_PASSWORD, accessDenied},
        {ERROR_NET_WRITE_FAULT, hardIO},
        {ERROR_DISK_CHANGE, fileNotFound},
        {ERROR_DRIVE_LOCKED, lockViolation},
        {ERROR_BUFFER_OVERFLOW, badPath},
        {ERROR_DISK_FULL, diskFull},
        {ERROR_NO_MORE_SEARCH_HANDLES, tooManyOpenFiles},
        {ERROR_INVALID_TARGET_HANDLE, invalidFile},
        {ERROR_INVALID_CATEGORY, hardIO},
        {ERROR_INVALID_NAME, badPath},
        {ERROR_INVALID_LEVEL, badPath},
        {ERROR_NO_VOLUME_LABEL, badPath},
        {ERROR_NEGATIVE_SEEK, badSeek},
        {ERROR_SEEK_ON_DEVICE, badSeek},
        {ERROR_DIR_NOT_ROOT, badPath},
        {ERROR_DIR_NOT_EMPTY, removeCurrentDir},
        {ERROR_LABEL_TOO_LONG, badPath},
        {ERROR_BAD_PATHNAME, badPath},
        {ERROR_LOCK_FAILED, lockViolation},
        {ERROR_BUSY, accessDenied},
        {ERROR_INVALID_ORDINAL, invalidFile},
        {ERROR_ALREADY_EXISTS, accessDenied},
        {ERROR_INVALID_EXE_SIGNATURE, invalidFile},
        {ERROR_BAD_EXE_FORMAT, invalidFile},
        {ERROR_FILENAME_EXCED_RANGE, badPath},
        {ERROR_META_EXPANSION_TOO_LONG, badPath},
        {ERROR_DIRECTORY, badPath},
        {ERROR_OPERATION_ABORTED, hardIO},
        {ERROR_IO_INCOMPLETE, hardIO},
        {ERROR_IO_PENDING, hardIO},
        {ERROR_SWAPERROR, accessDenied},
    };
    for (const auto& entry : kMap) {
        if (entry.error == (DWORD)lOsError)
            return entry.cause;
    }
    return generic;
}

int PASCAL CFileException::ErrnoToException(int nErrno)
{
    switch (nErrno) {
    case EPERM:
    case EACCES:
        return accessDenied;
    case EBADF:
        return invalidFile;
    case EDEADLOCK:
        return sharingViolation;
    case EMFILE:
        return tooManyOpenFiles;
    case ENOENT:
    case ENFILE:
        return fileNotFound;
    case ENOSPC:
        return diskFull;
    case EINVAL:
    case EIO:
        return hardIO;
    default:
        return generic;
    }
}

BOOL CFileException::GetErrorMessage(LPTSTR lpszError, UINT nMaxError, PUINT pnHelpContext)
{
    // Kept in step with the list in afxfile.h.
    static const char* const kTexts[] = {
        "没有发生错误：%1。",
        "访问 %1 时发生了意外错误。",
        "找不到文件 %1。",
        "%1 包含不正确的路径。",
        "无法打开 %1：打开的文件太多。",
        "拒绝访问 %1。",
        "与 %1 关联的文件句柄无效。",
        "无法删除 %1：它是当前文件夹。",
        "无法创建 %1：文件夹已满。",
        "在 %1 中定位失败。",
        "访问 %1 时发生硬件输入输出错误。",
        "访问 %1 时发生共享冲突：文件正被其他程序使用。",
        "访问 %1 时发生锁定冲突。",
        "写入 %1 时磁盘已满。",
        "试图越过 %1 的结尾进行访问。",
    };
    if (pnHelpContext != NULL)
        *pnHelpContext = 0;
    if (lpszError == NULL || nMaxError == 0)
        return FALSE;

    int nCause = (m_cause >= none && m_cause <= endOfFile) ? m_cause : generic;
    CString strText(kTexts[nCause]);
    // Substituted last, so that a '%' in the name stays as it is.
    int nAt = strText.Find("%1");
    CString strName = m_strFileName.IsEmpty() ? CString("未命名文件") : m_strFileName;
    strText = strText.Left(nAt) + strName + strText.Mid(nAt + 2);
    // Cut on a whole character: half a GBK character would garble the box.
    LPCTSTR lpszText = strText;
    LPCTSTR lpszEnd = lpszText;
    while (*lpszEnd != '\0') {
        LPCTSTR lpszNext = CharNextA(lpszEnd);
        if ((UINT)(lpszNext - lpszText) > nMaxError - 1)
            break;
        lpszEnd = lpszNext;
    }
    memcpy(lpszError, lpszText, lpszEnd - lpszText);
    lpszError[lpszEnd - lpszText] = '\0';
    return TRUE;
}

void AFXAPI AfxThrowFileException(int cause, LONG lOsError, LPCTSTR lpszFileName)
{
    throw new CFileException(cause, lOsError, lpszFileName);
}

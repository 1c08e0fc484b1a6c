#include "afxwin.h"

#include <stdio.h>

IMPLEMENT_DYNAMIC(CException, CObject)
IMPLEMENT_DYNAMIC(CMemoryException, CException)
IMPLEMENT_DYNAMIC(CNotSupportedException, CException)
IMPLEMENT_DYNAMIC(CUserException, CException)
IMPLEMENT_DYNAMIC(CArchiveException, CException)
IMPLEMENT_DYNAMIC(CResourceException, CException)

namespace {

// Copies a message into the caller's buffer, cut to fit.
BOOL CopyMessage(LPCTSTR lpszText, LPTSTR lpszError, UINT nMaxError, PUINT pnHelpContext)
{
    if (pnHelpContext != NULL)
        *pnHelpContext = 0;
    if (lpszError == NULL || nMaxError == 0)
        return TRUE;
    lstrcpynA(lpszError, lpszText, (int)nMaxError);
    return TRUE;
}

}  // namespace

CException::CException() : m_bAutoDelete(TRUE) {}

CException::CException(BOOL bAutoDelete) : m_bAutoDelete(bAutoDelete) {}

CException::~CException() {}

void CException::Delete()
{
    if (m_bAutoDelete > 0)
        delete this;
}

BOOL CException::GetErrorMessage(LPTSTR lpszError, UINT nMaxError, PUINT pnHelpContext)
{
    if (pnHelpContext != NULL)
        *pnHelpContext = 0;
    if (lpszError != NULL && nMaxError != 0)
        *lpszError = '\0';
    return FALSE;
}

int CException::ReportError(UINT nType, UINT nMessageID)
{
    char szMessage[512];
    UINT nHelpContext = 0;
    if (GetErrorMessage(szMessage, sizeof szMessage, &nHelpContext))
        return AfxMessageBox(szMessage, nType);
    if (nMessageID == 0 || LoadStringA(AfxFindStringResourceHandle(nMessageID), nMessageID, szMessage, sizeof szMessage) == 0)
        lstrcpynA(szMessage, "没有可用的错误信息。", sizeof szMessage);
    return AfxMessageBox(szMessage, nType);
}

CMemoryException::CMemoryException() {}
CMemoryException::CMemoryException(BOOL bAutoDelete) : CException(bAutoDelete) {}
BOOL CMemoryException::GetErrorMessage(LPTSTR lpszError, UINT nMaxError, PUINT pnHelpContext)
{
    return CopyMessage("内存不足。", lpszError, nMaxError, pnHelpContext);
}

CNotSupportedException::CNotSupportedException() {}
CNotSupportedException::CNotSupportedException(BOOL bAutoDelete) : CException(bAutoDelete) {}
BOOL CNotSupportedException::GetErrorMessage(LPTSTR lpszError, UINT nMaxError, PUINT pnHelpContext)
{
    return CopyMessage("不支持此操作。", lpszError, nMaxError, pnHelpContext);
}

CUserException::CUserException() {}
CUserException::CUserException(BOOL bAutoDelete) : CException(bAutoDelete) {}
BOOL CUserException::GetErrorMessage(LPTSTR lpszError, UINT nMaxError, PUINT pnHelpContext)
{
    return CopyMessage("操作已取消。", lpszError, nMaxError, pnHelpContext);
}

CResourceException::CResourceException() {}
CResourceException::CResourceException(BOOL bAutoDelete) : CException(bAutoDelete) {}
BOOL CResourceException::GetErrorMessage(LPTSTR lpszError, UINT nMaxError, PUINT pnHelpContext)
{
    return CopyMessage("所需资源不可用。", lpszError, nMaxError, pnHelpContext);
}

CArchiveException::CArchiveException(int cause, LPCTSTR lpszArchiveName)
    : m_cause(cause)
{
    if (lpszArchiveName != NULL)
        m_strFileName = lpszArchiveName;
}

BOOL CArchiveException::GetErrorMessage(LPTSTR lpszError, UINT nMaxError, PUINT pnHelpContext)
{
    static const char* const s_formats[] = {
        "“%s”没有发生错误。",
        "读写“%s”时发生未知错误。",
        "“%s”以读取方式打开，不能写入。",
        "读取“%s”时意外到达文件末尾，文件可能已损坏。",
        "“%s”以写入方式打开，不能读取。",
        "“%s”的格式不正确（对象编号无效），文件可能已损坏。",
        "“%s”包含未知或意外的对象类型。",
        "“%s”包含的对象版本与程序不符。",
    };
    int nCause = m_cause;
    if (nCause < 0 || nCause >= (int)(sizeof s_formats / sizeof s_formats[0]))
        nCause = generic;
    LPCTSTR lpszName = m_strFileName.IsEmpty() ? "未命名的文件" : (LPCTSTR)m_strFileName;
    char szText[512 + MAX_PATH];
    _snprintf(szText, sizeof szText - 1, s_formats[nCause], lpszName);
    szText[sizeof szText - 1] = '\0';
    return CopyMessage(szText, lpszError, nMaxError, pnHelpContext);
}

// The simple exceptions are thrown from static objects: throwing for lack of
// memory must not need memory.
void AFXAPI AfxThrowMemoryException()
{
    static CMemoryException s_exception(FALSE);
    throw &s_exception;
}

void AFXAPI AfxThrowNotSupportedException()
{
    static CNotSupportedException s_exception(FALSE);
    throw &s_exception;
}

void AFXAPI AfxThrowUserException()
{
    static CUserException s_exception(FALSE);
    throw &s_exception;
}

void AFXAPI AfxThrowResourceException()
{
    static CResourceException s_exception(FALSE);
    throw &s_exception;
}

void AFXAPI AfxThrowArchiveException(int cause, LPCTSTR lpszArchiveName)
{
    throw new CArchiveException(cause, lpszArchiveName);
}

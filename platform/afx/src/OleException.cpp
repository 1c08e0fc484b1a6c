#include "afx.h"
#include "afxdisp.h"

#include <stdio.h>

IMPLEMENT_DYNAMIC(COleException, CException)
IMPLEMENT_DYNAMIC(COleDispatchException, CException)

// Help contexts of automation errors start here, away from the
// application's own help ids.
static const DWORD kDispatchHelpBase = 0x00090000;

COleException::COleException() : m_sc(S_OK) {}

BOOL COleException::GetErrorMessage(LPTSTR lpszError, UINT nMaxError, PUINT pnHelpContext)
{
    if (pnHelpContext != NULL)
        *pnHelpContext = 0;
    if (lpszError == NULL || nMaxError == 0)
        return TRUE;
    char* pszSystem = NULL;
    DWORD nLen = FormatMessageA(FORMAT_MESSAGE_ALLOCATE_BUFFER | FORMAT_MESSAGE_FROM_SYSTEM |
                                    FORMAT_MESSAGE_IGNORE_INSERTS,
                                NULL, (DWORD)m_sc, 0, (LPSTR)&pszSystem, 0, NULL);
    if (nLen != 0 && pszSystem != NULL) {
        // The system's texts end with a line break, which a message box shows as a blank line.
        while (nLen > 0 && (pszSystem[nLen - 1] == '\n' || pszSystem[nLen - 1] == '\r'))
            pszSystem[--nLen] = '\0';
        lstrcpynA(lpszError, pszSystem, (int)nMaxError);
    } else {
        char szText[64];
        _snprintf(szText, sizeof szText - 1, "OLE 错误 0x%08lX。", (unsigned long)m_sc);
        szText[sizeof szText - 1] = '\0';
        lstrcpynA(lpszError, szText, (int)nMaxError);
    }
    if (pszSystem != NULL)
        LocalFree(pszSystem);
    return TRUE;
}

SCODE PASCAL COleException::Process(const CException* pAnyException)
{
    if (pAnyException == NULL)
        return E_UNEXPECTED;
    if (pAnyException->IsKindOf(RUNTIME_CLASS(COleException)))
        return static_cast<const COleException*>(pAnyException)->m_sc;
    if (pAnyException->IsKindOf(RUNTIME_CLASS(CMemoryException)))
        return E_OUTOFMEMORY;
    if (pAnyException->IsKindOf(RUNTIME_CLASS(CNotSupportedException)))
        return E_NOTIMPL;
    return E_UNEXPECTED;
}

COleDispatchException::COleDispatchException(LPCTSTR lpszDescription, UINT nHelpID, WORD wCode)
    : m_wCode(wCode),
      m_dwHelpContext(nHelpID != 0 ? kDispatchHelpBase + nHelpID : 0),
      m_scError(0)
{
    if (lpszDescription != NULL)
        m_strDescription = lpszDescription;
}

BOOL COleDispatchException::GetErrorMessage(LPTSTR lpszError, UINT nMaxError, PUINT pnHelpContext)
{
    if (pnHelpContext != NULL)
        *pnHelpContext = m_dwHelpContext;
    if (lpszError != NULL && nMaxError != 0)
        lstrcpynA(lpszError, m_strDescription, (int)nMaxError);
    return TRUE;
}

void AFXAPI AfxThrowOleException(SCODE sc)
{
    COleException* pException = new COleException;
    pException->m_sc = sc;
    throw pException;
}

void AFXAPI AfxThrowOleDispatchException(WORD wCode, LPCSTR lpszDescription, UINT nHelpID)
{
    throw new COleDispatchException(lpszDescription, nHelpID, wCode);
}

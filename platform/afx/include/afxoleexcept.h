// Exceptions of OLE and automation: an SCODE, or the error an automation
// server returns to its caller.
#pragma once

#include "afxbase.h"
#include "afxstr.h"
#include "afxobj.h"
#include "afxexcept.h"

#include <ole2.h>

// Text: the system's text for m_sc, else "OLE 错误 0x%08lX。".
class AFX_API COleException : public CException {
    DECLARE_DYNAMIC(COleException)
public:
    COleException();
    virtual BOOL GetErrorMessage(LPTSTR lpszError, UINT nMaxError, PUINT pnHelpContext = NULL);

    // The SCODE that stands for any exception: its own for a COleException,
    // E_OUTOFMEMORY, E_NOTIMPL, else E_UNEXPECTED.
    static SCODE PASCAL Process(const CException* pAnyException);

    SCODE m_sc;
};

// Text: m_strDescription.
class AFX_API COleDispatchException : public CException {
    DECLARE_DYNAMIC(COleDispatchException)
public:
    COleDispatchException(LPCTSTR lpszDescription, UINT nHelpID, WORD wCode);
    virtual BOOL GetErrorMessage(LPTSTR lpszError, UINT nMaxError, PUINT pnHelpContext = NULL);

    WORD m_wCode;             // error code of the server, 0 when m_scError is used
    CString m_strDescription;
    DWORD m_dwHelpContext;    // 0x90000 + the help id given, 0 for none
    CString m_strHelpFile;
    CString m_strSource;
    SCODE m_scError;
};

[[noreturn]] AFX_API void AFXAPI AfxThrowOleException(SCODE sc);
[[noreturn]] AFX_API void AFXAPI AfxThrowOleDispatchException(WORD wCode, LPCSTR lpszDescription, UINT nHelpID = 0);

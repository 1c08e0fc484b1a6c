// Exceptions of the class library, thrown and caught by pointer, and the
// TRY/CATCH macros that delete a caught exception when its handler ends.
#pragma once

#include "afxbase.h"
#include "afxstr.h"
#include "afxobj.h"

class AFX_API CException : public CObject {
    DECLARE_DYNAMIC(CException)
public:
    CException();
    explicit CException(BOOL bAutoDelete);
    virtual ~CException();

    // Deletes the exception unless it lives elsewhere (m_bAutoDelete FALSE).
    void Delete();

    virtual BOOL GetErrorMessage(LPTSTR lpszError, UINT nMaxError, PUINT pnHelpContext = NULL);
    // Shows the error text in a message box owned by the thread's active
    // window; nMessageID (a string resource) when there is no text.
    virtual int ReportError(UINT nType = MB_OK, UINT nMessageID = 0);

    BOOL m_bAutoDelete;
};

// Texts:
//   CMemoryException        内存不足。
//   CNotSupportedException  不支持此操作。
//   CUserException          操作已取消。
class AFX_API CMemoryException : public CException {
    DECLARE_DYNAMIC(CMemoryException)
public:
    CMemoryException();
    explicit CMemoryException(BOOL bAutoDelete);
    virtual BOOL GetErrorMessage(LPTSTR lpszError, UINT nMaxError, PUINT pnHelpContext = NULL);
};

class AFX_API CNotSupportedException : public CException {
    DECLARE_DYNAMIC(CNotSupportedException)
public:
    CNotSupportedException();
    explicit CNotSupportedException(BOOL bAutoDelete);
    virtual BOOL GetErrorMessage(LPTSTR lpszError, UINT nMaxError, PUINT pnHelpContext = NULL);
};

// Thrown after the user has been told (or chose to stop): reported by nobody.
class AFX_API CUserException : public CException {
    DECLARE_DYNAMIC(CUserException)
public:
    CUserException();
    explicit CUserException(BOOL bAutoDelete);
    virtual BOOL GetErrorMessage(LPTSTR lpszError, UINT nMaxError, PUINT pnHelpContext = NULL);
};

// Thrown when a window, class or other system resource cannot be had.
// Text: 所需资源不可用。
class AFX_API CResourceException : public CException {
    DECLARE_DYNAMIC(CResourceException)
public:
    CResourceException();
    explicit CResourceException(BOOL bAutoDelete);
    virtual BOOL GetErrorMessage(LPTSTR lpszError, UINT nMaxError, PUINT pnHelpContext = NULL);
};

// Texts by cause ("%s" is the archive's file name; an archive without one is
// "未命名的文件"):
//   none       “%s”没有发生错误。
//   generic    读写“%s”时发生未知错误。
//   readOnly   “%s”以读取方式打开，不能写入。
//   endOfFile  读取“%s”时意外到达文件末尾，文件可能已损坏。
//   writeOnly  “%s”以写入方式打开，不能读取。
//   badIndex   “%s”的格式不正确（对象编号无效），文件可能已损坏。
//   badClass   “%s”包含未知或意外的对象类型。
//   badSchema  “%s”包含的对象版本与程序不符。
class AFX_API CArchiveException : public CException {
    DECLARE_DYNAMIC(CArchiveException)
public:
    enum {
        none,
        generic,
        readOnly,
        endOfFile,
        writeOnly,
        badIndex,
        badClass,
        badSchema
    };

    CArchiveException(int cause = CArchiveException::none, LPCTSTR lpszArchiveName = NULL);
    virtual BOOL GetErrorMessage(LPTSTR lpszError, UINT nMaxError, PUINT pnHelpContext = NULL);

    int m_cause;
    CString m_strFileName;
};

// Mapped onto C++ exceptions of pointer type. The exception caught by a CATCH
// handler is deleted when the handler ends, unless THROW_LAST passed it on.
struct AFX_EXCEPTION_LINK {
    CException* m_pException = NULL;
    AFX_EXCEPTION_LINK() = default;
    AFX_EXCEPTION_LINK(const AFX_EXCEPTION_LINK&) = delete;
    AFX_EXCEPTION_LINK& operator=(const AFX_EXCEPTION_LINK&) = delete;
    ~AFX_EXCEPTION_LINK()
    {
        if (m_pException != NULL)
            m_pException->Delete();
    }
};

#define TRY                              \
    {                                    \
        AFX_EXCEPTION_LINK _afxExceptionLink; \
        try {
#define CATCH(class_name, e)           \
    }                                  \
    catch (class_name * e)             \
    {                                  \
        _afxExceptionLink.m_pException = e;
#define AND_CATCH(class_name, e)       \
    }                                  \
    catch (class_name * e)             \
    {                                  \
        _afxExceptionLink.m_pException = e;
#define END_CATCH \
    }             \
    }
#define CATCH_ALL(e)                   \
    }                                  \
    catch (CException * e)             \
    {                                  \
        _afxExceptionLink.m_pException = e;
#define AND_CATCH_ALL(e)               \
    }                                  \
    catch (CException * e)             \
    {                                  \
        _afxExceptionLink.m_pException = e;
#define END_CATCH_ALL \
    }                 \
    }
#define THROW(e) throw e
#define THROW_LAST() (_afxExceptionLink.m_pException = NULL, throw)

[[noreturn]] AFX_API void AFXAPI AfxThrowMemoryException();
[[noreturn]] AFX_API void AFXAPI AfxThrowNotSupportedException();
[[noreturn]] AFX_API void AFXAPI AfxThrowUserException();
[[noreturn]] AFX_API void AFXAPI AfxThrowResourceException();
[[noreturn]] AFX_API void AFXAPI AfxThrowArchiveException(int cause, LPCTSTR lpszArchiveName = NULL);

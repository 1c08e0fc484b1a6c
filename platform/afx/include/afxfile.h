// Files: the error record and exception of file operations, binary files
// over Win32 handles, files in memory, text files over C runtime streams, and
// the search for files in a folder. Paths are in the ANSI code page.
#pragma once

#include "afxbase.h"
#include "afxstr.h"
#include "afxobj.h"
#include "afxexcept.h"
#include "afxtime.h"

#include <stdio.h>

struct CFileStatus;

/////////////////////////////////////////////////////////////////////////////
// CFileException

// GetErrorMessage gives one text per cause, naming the file (or "未命名文件"
// when the record has no file name):
//   none              没有发生错误：%1。
//   generic           访问 %1 时发生了意外错误。
//   fileNotFound      找不到文件 %1。
//   badPath           %1 包含不正确的路径。
//   tooManyOpenFiles  无法打开 %1：打开的文件太多。
//   accessDenied      拒绝访问 %1。
//   invalidFile       与 %1 关联的文件句柄无效。
//   removeCurrentDir  无法删除 %1：它是当前文件夹。
//   directoryFull     无法创建 %1：文件夹已满。
//   badSeek           在 %1 中定位失败。
//   hardIO            访问 %1 时发生硬件输入输出错误。
//   sharingViolation  访问 %1 时发生共享冲突：文件正被其他程序使用。
//   lockViolation     访问 %1 时发生锁定冲突。
//   diskFull          写入 %1 时磁盘已满。
//   endOfFile         试图越过 %1 的结尾进行访问。
class AFX_API CFileException : public CException
{
    DECLARE_DYNAMIC(CFileException)

public:
    enum {
        none,
        generic,
        fileNotFound,
        badPath,
        tooManyOpenFiles,
        accessDenied,
        invalidFile,
        removeCurrentDir,
        directoryFull,
        badSeek,
        hardIO,
        sharingViolation,
        lockViolation,
        diskFull,
        endOfFile
    };

    CFileException(int cause = CFileException::none, LONG lOsError = -1,
                   LPCTSTR lpszFileName = NULL);

    int m_cause;
    LONG m_lOsError;         // GetLastError() or _doserrno; -1 when none
    CString m_strFileName;

    // Both do nothing for an error code of 0.
    static void PASCAL ThrowOsError(LONG lOsError, LPCTSTR lpszFileName = NULL);
    static void PASCAL ThrowErrno(int nErrno, LPCTSTR lpszFileName = NULL);

    static int PASCAL OsErrorToException(LONG lOsError);
    static int PASCAL ErrnoToException(int nErrno);

    virtual BOOL GetErrorMessage(LPTSTR lpszError, UINT nMaxError,
                                 PUINT pnHelpContext = NULL);

    virtual ~CFileException();
};

[[noreturn]] AFX_API void AFXAPI AfxThrowFileException(int cause, LONG lOsError = -1,
                                          LPCTSTR lpszFileName = NULL);

/////////////////////////////////////////////////////////////////////////////
// CFile: a binary file over a Win32 handle.

class AFX_API CFile : public CObject
{
    DECLARE_DYNAMIC(CFile)

public:
    enum OpenFlags {
        modeRead = 0x0000,
        modeWrite = 0x0001,
        modeReadWrite = 0x0002,
        shareCompat = 0x0000,      // exclusive under Win32
        shareExclusive = 0x0010,
        shareDenyWrite = 0x0020,
        shareDenyRead = 0x0030,
        shareDenyNone = 0x0040,
        modeNoInherit = 0x0080,
        modeCreate = 0x1000,
        modeNoTruncate = 0x2000,
        typeText = 0x4000,         // typeText and typeBinary matter to
        typeBinary = (int)0x8000   // CStdioFile only
    };

    enum Attribute {
        normal = 0x00,
        readOnly = 0x01,
        hidden = 0x02,
        system = 0x04,
        volume = 0x08,
        directory = 0x10,
        archive = 0x20
    };

    enum SeekPosition { begin = 0x0, current = 0x1, end = 0x2 };

    static const HANDLE hFileNull;

    CFile();
    CFile(HANDLE hFile);  // attaches; the handle stays open after the object
    CFile(LPCTSTR lpszFileName, UINT nOpenFlags);  // throws CFileException*

    HANDLE m_hFile;

    virtual DWORD GetPosition() const;
    BOOL GetStatus(CFileStatus& rStatus) const;
    virtual CString GetFileName() const;   // "name.ext"
    virtual CString GetFileTitle() const;  // "name"
    virtual CString GetFilePath() const;   // the full path
    virtual void SetFilePath(LPCTSTR lpszNewName);

    virtual BOOL Open(LPCTSTR lpszFileName, UINT nOpenFlags,
                      CFileException* pError = NULL);

    static void PASCAL Rename(LPCTSTR lpszOldName, LPCTSTR lpszNewName);
    static void PASCAL Remove(LPCTSTR lpszFileName);
    static BOOL PASCAL GetStatus(LPCTSTR lpszFileName, CFileStatus& rStatus);

    DWORD SeekToEnd();
    void SeekToBegin();

    virtual CFile* Duplicate() const;

    virtual LONG Seek(LONG lOff, UINT nFrom);
    virtual void SetLength(DWORD dwNewLen);
    virtual DWORD GetLength() const;

    virtual UINT Read(void* lpBuf, UINT nCount);
    virtual void Write(const void* lpBuf, UINT nCount);

    virtual void LockRange(DWORD dwPos, DWORD dwCount);
    virtual void UnlockRange(DWORD dwPos, DWORD dwCount);

    virtual void Abort();  // closes, ignoring every error
    virtual void Flush();
    virtual void Close();

    virtual ~CFile();  // closes an open file it opened, never throws

protected:
    BOOL m_bCloseOnDelete;
    CString m_strFileName;
};

/////////////////////////////////////////////////////////////////////////////
// CFileStatus

struct CFileStatus
{
    CTime m_ctime;    // creation
    CTime m_mtime;    // last write
    CTime m_atime;    // last access
    LONG m_size;      // in bytes (the low 32 bits)
    BYTE m_attribute; // CFile::Attribute bits
    BYTE m_padding;
    TCHAR m_szFullName[_MAX_PATH];
};

/////////////////////////////////////////////////////////////////////////////
// CMemFile: a file in a block of memory (malloc/realloc/free), growing by
// nGrowBytes at a time; with nGrowBytes 0 it cannot grow (a write past the
// block throws CMemoryException*).

class AFX_API CMemFile : public CFile
{
    DECLARE_DYNAMIC(CMemFile)

public:
    CMemFile(UINT nGrowBytes = 1024);
    CMemFile(BYTE* lpBuffer, UINT nBufferSize, UINT nGrowBytes = 0);

    // An attached block belongs to the caller. With nGrowBytes 0 its bytes
    // are the file's content; otherwise the file starts empty, and growing
    // moves it into a block of the file's own.
    void Attach(BYTE* lpBuffer, UINT nBufferSize, UINT nGrowBytes = 0);
    // Gives up the block (to be freed with free() when the file allocated it)
    // and leaves the file empty.
    BYTE* Detach();

    virtual DWORD GetPosition() const;
    BOOL GetStatus(CFileStatus& rStatus) const;
    virtual LONG Seek(LONG lOff, UINT nFrom);
    virtual void SetLength(DWORD dwNewLen);
    virtual DWORD GetLength() const;
    virtual UINT Read(void* lpBuf, UINT nCount);
    virtual void Write(const void* lpBuf, UINT nCount);
    virtual void Abort();
    virtual void Flush();
    virtual void Close();

    // Not supported by a file in memory: they throw CNotSupportedException*.
    virtual CFile* Duplicate() const;
    virtual void LockRange(DWORD dwPos, DWORD dwCount);
    virtual void UnlockRange(DWORD dwPos, DWORD dwCount);

    virtual ~CMemFile();

protected:
    virtual BYTE* Alloc(DWORD nBytes);
    virtual BYTE* Realloc(BYTE* lpMem, DWORD nBytes);
    virtual BYTE* Memcpy(BYTE* lpMemTarget, const BYTE* lpMemSource, UINT nBytes);
    virtual void Free(BYTE* lpMem);
    virtual void GrowFile(DWORD dwNewLen);

    UINT m_nGrowBytes;
    DWORD m_nPosition;
    DWORD m_nBufferSize;
    DWORD m_nFileSize;
    BYTE* m_lpBuffer;
    BOOL m_bAutoDelete;  // the block is the file's own
};

/////////////////////////////////////////////////////////////////////////////
// CStdioFile: a file over a C runtime stream, in text mode (CR LF on disk,
// "\n" in memory) unless opened with typeBinary.

class AFX_API CStdioFile : public CFile
{
    DECLARE_DYNAMIC(CStdioFile)

public:
    CStdioFile();
    CStdioFile(FILE* pOpenStream);  // attaches; the stream stays open
    CStdioFile(LPCTSTR lpszFileName, UINT nOpenFlags);  // throws CFileException*

    FILE* m_pStream;

    virtual void WriteString(LPCTSTR lpsz);
    // As fgets: up to nMax - 1 bytes, the newline kept; NULL at the end.
    virtual LPTSTR ReadString(LPTSTR lpsz, UINT nMax);
    // One whole line without its "\n"; FALSE at the end.
    virtual BOOL ReadString(CString& rString);

    virtual DWORD GetPosition() const;
    virtual BOOL Open(LPCTSTR lpszFileName, UINT nOpenFlags,
                      CFileException* pError = NULL);
    virtual UINT Read(void* lpBuf, UINT nCount);
    virtual void Write(const void* lpBuf, UINT nCount);
    virtual LONG Seek(LONG lOff, UINT nFrom);
    virtual void Abort();
    virtual void Flush();
    virtual void Close();

    // Not supported on a stream: they throw CNotSupportedException*.
    virtual CFile* Duplicate() const;
    virtual void LockRange(DWORD dwPos, DWORD dwCount);
    virtual void UnlockRange(DWORD dwPos, DWORD dwCount);

    virtual ~CStdioFile();
};

/////////////////////////////////////////////////////////////////////////////
// CFileFind: the files of one folder matching a name with wildcards.
// FindNextFile moves to the next entry and answers whether more follow: call
// it before reading each entry, and read the last one after it answered 0.

class AFX_API CFileFind : public CObject
{
    DECLARE_DYNAMIC(CFileFind)

public:
    CFileFind();
    virtual ~CFileFind();

    DWORD GetLength() const;
    virtual CString GetFileName() const;
    virtual CString GetFilePath() const;
    virtual CString GetFileTitle() const;
    virtual CString GetRoot() const;  // the folder searched, no trailing '\'

    virtual BOOL GetLastWriteTime(FILETIME* pTimeStamp) const;
    virtual BOOL GetLastAccessTime(FILETIME* pTimeStamp) const;
    virtual BOOL GetCreationTime(FILETIME* pTimeStamp) const;
    virtual BOOL GetLastWriteTime(CTime& refTime) const;
    virtual BOOL GetLastAccessTime(CTime& refTime) const;
    virtual BOOL GetCreationTime(CTime& refTime) const;

    virtual BOOL MatchesMask(DWORD dwMask) const;  // FILE_ATTRIBUTE_* bits
    virtual BOOL IsDots() const;
    BOOL IsReadOnly() const { return MatchesMask(FILE_ATTRIBUTE_READONLY); }
    BOOL IsDirectory() const { return MatchesMask(FILE_ATTRIBUTE_DIRECTORY); }
    BOOL IsSystem() const { return MatchesMask(FILE_ATTRIBUTE_SYSTEM); }
    BOOL IsHidden() const { return MatchesMask(FILE_ATTRIBUTE_HIDDEN); }
    BOOL IsNormal() const { return MatchesMask(FILE_ATTRIBUTE_NORMAL); }
    BOOL IsArchived() const { return MatchesMask(FILE_ATTRIBUTE_ARCHIVE); }

    void Close();

    virtual BOOL FindFile(LPCTSTR pstrName = NULL, DWORD dwUnused = 0);
    virtual BOOL FindNextFile();

protected:
    virtual void CloseContext();

    void* m_pFoundInfo;  // WIN32_FIND_DATAA of the current entry
    void* m_pNextInfo;   // the one FindNextFile moves to
    HANDLE m_hContext;
    BOOL m_bGotLast;
    CString m_strRoot;
    TCHAR m_chDirSeparator;
};

// CArchive: the class library's binary serialization over a CFile, in the
// original's layout (little-endian numbers, length-prefixed strings, class
// tags with schema numbers, back references by index).
#pragma once

#include "afxbase.h"
#include "afxstr.h"
#include "afxobj.h"
#include "afxexcept.h"
#include "afxtime.h"

class CFile;
class CDocument;

class AFX_API CArchive {
public:
    enum Mode { store = 0, load = 1, bNoFlushOnDelete = 2 };

    CArchive(CFile* pFile, UINT nMode, int nBufSize = 4096, void* lpBuf = NULL);
    ~CArchive() noexcept(false);

    BOOL IsLoading() const { return (m_nMode & load) != 0; }
    BOOL IsStoring() const { return (m_nMode & load) == 0; }
    BOOL IsBufferEmpty() const { return m_lpBufCur == m_lpBufMax; }
    CFile* GetFile() const { return m_pFile; }

    // The schema of the object being read, once: later calls give (UINT)-1.
    UINT GetObjectSchema();
    void SetObjectSchema(UINT nSchema) { m_nObjectSchema = nSchema; }

    CDocument* m_pDocument;

    // Raw bytes. Read returns fewer than nMax only at the end of the file.
    UINT Read(void* lpBuf, UINT nMax);
    void Write(const void* lpBuf, UINT nMax);
    void Flush();
    void Close();
    // Disconnects from the file without writing what is buffered.
    void Abort();

    // Lines of text: WriteString writes no terminator; ReadString reads up to
    // a newline ("\n" or "\r\n") and drops it, NULL/FALSE at the end of file.
    void WriteString(LPCTSTR lpsz);
    LPTSTR ReadString(LPTSTR lpsz, UINT nMax);
    BOOL ReadString(CString& rString);

    // Numbers, little-endian; int, unsigned and LONG are 4 bytes.
    CArchive& operator<<(BYTE by);
    CArchive& operator<<(WORD w);
    CArchive& operator<<(LONG l);
    CArchive& operator<<(DWORD dw);
    CArchive& operator<<(float f);
    CArchive& operator<<(double d);
    CArchive& operator<<(int i);
    CArchive& operator<<(short w);
    CArchive& operator<<(char ch);
    CArchive& operator<<(unsigned u);

    CArchive& operator>>(BYTE& by);
    CArchive& operator>>(WORD& w);
    CArchive& operator>>(DWORD& dw);
    CArchive& operator>>(LONG& l);
    CArchive& operator>>(float& f);
    CArchive& operator>>(double& d);
    CArchive& operator>>(int& i);
    CArchive& operator>>(short& w);
    CArchive& operator>>(char& ch);
    CArchive& operator>>(unsigned& u);

    // Objects and their classes.
    CObject* ReadObject(const CRuntimeClass* pClass);
    void WriteObject(const CObject* pOb);
    // Reads a class tag; with pObTag, an object reference is also accepted
    // (then NULL is returned and *pObTag holds its index).
    CRuntimeClass* ReadClass(const CRuntimeClass* pClassRefRequested = NULL,
                             UINT* pSchema = NULL, DWORD* pObTag = NULL);
    void WriteClass(const CRuntimeClass* pClassRef);
    void SerializeClass(const CRuntimeClass* pClassRef);
    // Gives an object written or read by other means an index, as if it had
    // gone through WriteObject or ReadObject.
    void MapObject(const CObject* pOb);

    // Element counts of the collections: a WORD, or 0xFFFF then a DWORD.
    void WriteCount(DWORD dwCount);
    // Raises endOfFile for a count larger than the bytes left to read.
    DWORD ReadCount();

private:
    // Bytes left to read, buffered or not; (ULONGLONG)-1 when the file
    // cannot tell its length.
    ULONGLONG GetBytesRemaining();

    CArchive(const CArchive&);
    void operator=(const CArchive&);

    void FillBuffer(UINT nBytesNeeded);
    void EnsureReadable(UINT nBytes);
    void EnsureWritable(UINT nBytes);
    void ThrowException(int cause);
    void CheckCount();
    void WriteTag(DWORD nIndex, DWORD dwFlag);

    struct Maps;

    UINT m_nMode;
    BOOL m_bUserBuf;
    int m_nBufSize;
    CFile* m_pFile;
    BYTE* m_lpBufCur;
    BYTE* m_lpBufMax;
    BYTE* m_lpBufStart;
    UINT m_nObjectSchema;
    DWORD m_nMapCount;
    Maps* m_pMaps;
    UINT m_nLoadDepth;  // objects being read inside one another
};

inline CArchive& AFXAPI operator<<(CArchive& ar, const CObject* pOb)
{
    ar.WriteObject(pOb);
    return ar;
}
inline CArchive& AFXAPI operator>>(CArchive& ar, CObject*& pOb)
{
    pOb = ar.ReadObject(NULL);
    return ar;
}
inline CArchive& AFXAPI operator>>(CArchive& ar, const CObject*& pOb)
{
    pOb = ar.ReadObject(NULL);
    return ar;
}

// Strings: the length (a byte below 255; 0xFF and a WORD below 0xFFFE; else
// 0xFF, 0xFFFF and a DWORD), then the bytes without terminator. A string
// stored as UTF-16 (length prefix 0xFF 0xFFFE) is read back in the ANSI code
// page.
AFX_API CArchive& AFXAPI operator<<(CArchive& ar, const CString& string);
AFX_API CArchive& AFXAPI operator>>(CArchive& ar, CString& string);

// Times are stored as 32-bit time values, signed, as the files hold them.
AFX_API CArchive& AFXAPI operator<<(CArchive& ar, const CTime& time);
AFX_API CArchive& AFXAPI operator>>(CArchive& ar, CTime& rtime);

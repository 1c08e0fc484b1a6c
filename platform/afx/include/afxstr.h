// CString: a reference-counted, copy-on-write string of bytes in the ANSI
// code page (double-byte aware wherever it searches or cuts).
#pragma once

#include "afxbase.h"

#include <oleauto.h>

#include <type_traits>
#include <utility>

// The hidden header in front of every string's characters.
struct CStringData {
    long nRefs;        // -1: locked (or the shared empty buffer), never shared
    int nDataLength;   // in bytes, without the terminating zero
    int nAllocLength;  // in bytes, without the terminating zero

    TCHAR* data() { return reinterpret_cast<TCHAR*>(this + 1); }
};

class AFX_API CString {
public:
    // Construction
    CString();
    CString(const CString& stringSrc);
    CString(TCHAR ch, int nRepeat = 1);
    CString(LPCSTR lpsz);  // MAKEINTRESOURCE(id) loads that string resource
    CString(LPCWSTR lpsz);
    CString(LPCSTR lpch, int nLength);
    CString(LPCWSTR lpch, int nLength);
    CString(const unsigned char* psz);
    ~CString();

    // Attributes and access
    int GetLength() const { return GetData()->nDataLength; }
    BOOL IsEmpty() const { return GetData()->nDataLength == 0; }
    void Empty();
    TCHAR GetAt(int nIndex) const { return m_pchData[nIndex]; }
    TCHAR operator[](int nIndex) const { return m_pchData[nIndex]; }
    void SetAt(int nIndex, TCHAR ch);
    operator LPCTSTR() const { return m_pchData; }

    // Assignment
    const CString& operator=(const CString& stringSrc);
    const CString& operator=(TCHAR ch);
    const CString& operator=(LPCSTR lpsz);
    const CString& operator=(LPCWSTR lpsz);
    const CString& operator=(const unsigned char* psz);

    // Concatenation
    const CString& operator+=(const CString& string);
    const CString& operator+=(TCHAR ch);
    const CString& operator+=(LPCTSTR lpsz);

    // Comparison: <0, 0 or >0
    int Compare(LPCTSTR lpsz) const;
    int CompareNoCase(LPCTSTR lpsz) const;  // folds single-byte letters only
    int Collate(LPCTSTR lpsz) const;        // user locale
    int CollateNoCase(LPCTSTR lpsz) const;

    // Extraction (counts in bytes, clamped to the string)
    CString Mid(int nFirst, int nCount) const;
    CString Mid(int nFirst) const;
    CString Left(int nCount) const;
    CString Right(int nCount) const;
    CString SpanIncluding(LPCTSTR lpszCharSet) const;
    CString SpanExcluding(LPCTSTR lpszCharSet) const;

    // Conversion
    void MakeUpper();
    void MakeLower();
    void MakeReverse();
    int Replace(TCHAR chOld, TCHAR chNew);
    int Replace(LPCTSTR lpszOld, LPCTSTR lpszNew);
    int Remove(TCHAR chRemove);
    int Insert(int nIndex, TCHAR ch);
    int Insert(int nIndex, LPCTSTR pstr);
    int Delete(int nIndex, int nCount = 1);

    // Trimming
    void TrimRight();
    void TrimRight(TCHAR chTarget);
    void TrimRight(LPCTSTR lpszTargets);
    void TrimLeft();
    void TrimLeft(TCHAR chTarget);
    void TrimLeft(LPCTSTR lpszTargets);

    // Searching: byte index or -1
    int Find(TCHAR ch) const;
    int Find(TCHAR ch, int nStart) const;
    int Find(LPCTSTR lpszSub) const;
    int Find(LPCTSTR lpszSub, int nStart) const;
    int ReverseFind(TCHAR ch) const;
    int FindOneOf(LPCTSTR lpszCharSet) const;

    // Formatting. CString arguments go through `...` as their characters:
    // passed by value, a class with a copy constructor would arrive as a
    // hidden reference and print garbage.
    template <typename... Args>
    void Format(LPCTSTR lpszFormat, Args&&... args)
    {
        FormatArgs(lpszFormat, FormatArg(std::forward<Args>(args))...);
    }
    template <typename... Args>
    void Format(UINT nFormatID, Args&&... args)
    {
        FormatIdArgs(nFormatID, FormatArg(std::forward<Args>(args))...);
    }
    void FormatV(LPCTSTR lpszFormat, va_list argList);

    // Resources
    BOOL LoadString(UINT nID);

    // OLE
    BSTR AllocSysString() const;
    BSTR SetSysString(BSTR* pbstr) const;

    // Direct access to the characters
    LPTSTR GetBuffer(int nMinBufLength);
    void ReleaseBuffer(int nNewLength = -1);
    LPTSTR GetBufferSetLength(int nNewLength);
    void FreeExtra();
    LPTSTR LockBuffer();
    void UnlockBuffer();

protected:
    LPTSTR m_pchData;  // the characters; the CStringData header sits before them

    CStringData* GetData() const { return reinterpret_cast<CStringData*>(m_pchData) - 1; }
    void Init();
    void AllocBuffer(int nLen);
    void AllocCopy(CString& dest, int nCopyLen, int nCopyIndex, int nExtraLen) const;
    void AssignCopy(int nSrcLen, LPCTSTR lpszSrcData);
    void ConcatInPlace(int nSrcLen, LPCTSTR lpszSrcData);
    void CopyBeforeWrite();
    void AllocBeforeWrite(int nLen);
    void Release();
    static void AFXAPI Release(CStringData* pData);
    static int AFXAPI SafeStrlen(LPCTSTR lpsz);
    static void AFXAPI FreeData(CStringData* pData);

    void AFX_CDECL FormatArgs(LPCTSTR lpszFormat, ...);
    void AFX_CDECL FormatIdArgs(UINT nFormatID, ...);

    // A CString (or a class derived from it) becomes its characters; any
    // other argument passes through unchanged.
    template <typename T>
    static decltype(auto) FormatArg(T&& value)
    {
        if constexpr (std::is_base_of<CString, typename std::decay<T>::type>::value)
            return static_cast<LPCTSTR>(static_cast<const CString&>(value).m_pchData);
        else
            return std::forward<T>(value);
    }
};

// Concatenation
AFX_API CString AFXAPI operator+(const CString& string1, const CString& string2);
AFX_API CString AFXAPI operator+(const CString& string, TCHAR ch);
AFX_API CString AFXAPI operator+(TCHAR ch, const CString& string);
AFX_API CString AFXAPI operator+(const CString& string, LPCTSTR lpsz);
AFX_API CString AFXAPI operator+(LPCTSTR lpsz, const CString& string);

// Comparison
inline bool AFXAPI operator==(const CString& s1, const CString& s2) { return s1.Compare(s2) == 0; }
inline bool AFXAPI operator==(const CString& s1, LPCTSTR s2) { return s1.Compare(s2) == 0; }
inline bool AFXAPI operator==(LPCTSTR s1, const CString& s2) { return s2.Compare(s1) == 0; }
inline bool AFXAPI operator!=(const CString& s1, const CString& s2) { return s1.Compare(s2) != 0; }
inline bool AFXAPI operator!=(const CString& s1, LPCTSTR s2) { return s1.Compare(s2) != 0; }
inline bool AFXAPI operator!=(LPCTSTR s1, const CString& s2) { return s2.Compare(s1) != 0; }
inline bool AFXAPI operator<(const CString& s1, const CString& s2) { return s1.Compare(s2) < 0; }
inline bool AFXAPI operator<(const CString& s1, LPCTSTR s2) { return s1.Compare(s2) < 0; }
inline bool AFXAPI operator<(LPCTSTR s1, const CString& s2) { return s2.Compare(s1) > 0; }
inline bool AFXAPI operator>(const CString& s1, const CString& s2) { return s1.Compare(s2) > 0; }
inline bool AFXAPI operator>(const CString& s1, LPCTSTR s2) { return s1.Compare(s2) > 0; }
inline bool AFXAPI operator>(LPCTSTR s1, const CString& s2) { return s2.Compare(s1) < 0; }
inline bool AFXAPI operator<=(const CString& s1, const CString& s2) { return s1.Compare(s2) <= 0; }
inline bool AFXAPI operator<=(const CString& s1, LPCTSTR s2) { return s1.Compare(s2) <= 0; }
inline bool AFXAPI operator<=(LPCTSTR s1, const CString& s2) { return s2.Compare(s1) >= 0; }
inline bool AFXAPI operator>=(const CString& s1, const CString& s2) { return s1.Compare(s2) >= 0; }
inline bool AFXAPI operator>=(const CString& s1, LPCTSTR s2) { return s1.Compare(s2) >= 0; }
inline bool AFXAPI operator>=(LPCTSTR s1, const CString& s2) { return s2.Compare(s1) <= 0; }

// The module whose string table holds nID. Until the resource chain of the
// window classes exists, that is the program's own module.
AFX_API HINSTANCE AFXAPI AfxFindStringResourceHandle(UINT nID);

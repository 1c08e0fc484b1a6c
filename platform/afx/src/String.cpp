// CString: construction, assignment, concatenation and the buffer.
#include "afx.h"

#include <stdlib.h>

namespace {

// The buffer every empty string shares. Its reference count is negative, so
// it is never shared by counting and never freed.
struct EmptyBuffer {
    CStringData header;
    TCHAR text[4];
};
EmptyBuffer g_empty = {{-1, 0, 0}, {0, 0, 0, 0}};

inline CStringData* EmptyData() { return &g_empty.header; }

// The length of a UTF-16 text in the ANSI code page.
int NarrowLength(LPCWSTR text, int length)
{
    if (length <= 0)
        return 0;
    return WideCharToMultiByte(CP_ACP, 0, text, length, NULL, 0, NULL, NULL);
}

}  // namespace

void CString::Init()
{
    m_pchData = EmptyData()->data();
}

void CString::AllocBuffer(int nLen)
{
    if (nLen <= 0) {
        Init();
        return;
    }
    CStringData* data = static_cast<CStringData*>(malloc(sizeof(CStringData) + nLen + 1));
    if (data == NULL) {
        Init();
        AfxThrowMemoryException();
    }
    data->nRefs = 1;
    data->nDataLength = nLen;
    data->nAllocLength = nLen;
    data->data()[nLen] = '\0';
    m_pchData = data->data();
}

void AFXAPI CString::FreeData(CStringData* pData)
{
    free(pData);
}

void AFXAPI CString::Release(CStringData* pData)
{
    if (pData != EmptyData() && InterlockedDecrement(&pData->nRefs) <= 0)
        FreeData(pData);
}

void CString::Release()
{
    Release(GetData());
    Init();
}

int AFXAPI CString::SafeStrlen(LPCTSTR lpsz)
{
    return lpsz == NULL ? 0 : static_cast<int>(strlen(lpsz));
}

// Makes this string the only owner of its characters.
void CString::CopyBeforeWrite()
{
    CStringData* data = GetData();
    if (data->nRefs > 1) {
        AllocBuffer(data->nDataLength);
        memcpy(m_pchData, data->data(), data->nDataLength + 1);
        Release(data);
    }
}

// Makes room for nLen characters without keeping the old ones.
void CString::AllocBeforeWrite(int nLen)
{
    CStringData* data = GetData();
    if (data->nRefs > 1 || nLen > data->nAllocLength) {
        Release();
        AllocBuffer(nLen);
    }
}

void CString::AllocCopy(CString& dest, int nCopyLen, int nCopyIndex, int nExtraLen) const
{
    int newLength = nCopyLen + nExtraLen;
    if (newLength == 0) {
        dest.Init();
        return;
    }
    dest.AllocBuffer(newLength);
    memcpy(dest.m_pchData, m_pchData + nCopyIndex, nCopyLen);
}

// The source may lie inside this string's own buffer.
void CString::AssignCopy(int nSrcLen, LPCTSTR lpszSrcData)
{
    CStringData* data = GetData();
    if (data->nRefs > 1 || nSrcLen > data->nAllocLength) {
        CString fresh;
        fresh.AllocBuffer(nSrcLen);
        memcpy(fresh.m_pchData, lpszSrcData, nSrcLen);
        std::swap(m_pchData, fresh.m_pchData);
        return;
    }
    if (nSrcLen == 0 && data == EmptyData())
        return;
    memmove(m_pchData, lpszSrcData, nSrcLen);
    data->nDataLength = nSrcLen;
    m_pchData[nSrcLen] = '\0';
}

// Appends; the source may lie inside this string's own buffer. Growth is
// geometric so that appending in a loop stays linear.
void CString::ConcatInPlace(int nSrcLen, LPCTSTR lpszSrcData)
{
    if (nSrcLen <= 0)
        return;
    CStringData* data = GetData();
    int oldLength = data->nDataLength;
    int newLength = oldLength + nSrcLen;
    if (data->nRefs > 1 || newLength > data->nAllocLength) {
        int capacity = newLength;
        if (data->nRefs == 1 && oldLength > 0)
            capacity = newLength + newLength / 2;
        CString fresh;
        fresh.AllocBuffer(capacity);
        memcpy(fresh.m_pchData, m_pchData, oldLength);
        memcpy(fresh.m_pchData + oldLength, lpszSrcData, nSrcLen);
        fresh.GetData()->nDataLength = newLength;
        fresh.m_pchData[newLength] = '\0';
        std::swap(m_pchData, fresh.m_pchData);
        return;
    }
    memmove(m_pchData + oldLength, lpszSrcData, nSrcLen);
    data->nDataLength = newLength;
    m_pchData[newLength] = '\0';
}

// Construction

CString::CString()
{
    Init();
}

CString::CString(const CString& stringSrc)
{
    CStringData* data = stringSrc.GetData();
    if (data->nRefs >= 0) {
        m_pchData = stringSrc.m_pchData;
        InterlockedIncrement(&data->nRefs);
    } else {
        // A locked buffer belongs to its string alone.
        Init();
        AssignCopy(data->nDataLength, stringSrc.m_pchData);
    }
}

CString::CString(TCHAR ch, int nRepeat)
{
    Init();
    if (nRepeat >= 1) {
        AllocBuffer(nRepeat);
        memset(m_pchData, static_cast<unsigned char>(ch), nRepeat);
    }
}

CString::CString(LPCSTR lpsz)
{
    Init();
    if (lpsz != NULL && IS_INTRESOURCE(lpsz)) {
        LoadString(LOWORD(reinterpret_cast<ULONG_PTR>(lpsz)));
        return;
    }
    int length = SafeStrlen(lpsz);
    if (length > 0) {
        AllocBuffer(length);
        memcpy(m_pchData, lpsz, length);
    }
}

CString::CString(LPCSTR lpch, int nLength)
{
    Init();
    if (lpch != NULL && nLength > 0) {
        AllocBuffer(nLength);
        memcpy(m_pchData, lpch, nLength);
    }
}

CString::CString(LPCWSTR lpsz)
{
    Init();
    if (lpsz != NULL)
        *this = lpsz;
}

CString::CString(LPCWSTR lpch, int nLength)
{
    Init();
    int length = lpch == NULL ? 0 : NarrowLength(lpch, nLength);
    if (length > 0) {
        AllocBuffer(length);
        WideCharToMultiByte(CP_ACP, 0, lpch, nLength, m_pchData, length, NULL, NULL);
    }
}

CString::CString(const unsigned char* psz)
{
    Init();
    *this = reinterpret_cast<LPCSTR>(psz);
}

CString::~CString()
{
    Release(GetData());
}

// Attributes

void CString::Empty()
{
    CStringData* data = GetData();
    if (data->nDataLength == 0)
        return;
    if (data->nRefs >= 0) {
        Release();
    } else {
        // A locked buffer stays this string's.
        data->nDataLength = 0;
        m_pchData[0] = '\0';
    }
}

void CString::SetAt(int nIndex, TCHAR ch)
{
    CopyBeforeWrite();
    m_pchData[nIndex] = ch;
}

// Assignment

const CString& CString::operator=(const CString& stringSrc)
{
    if (m_pchData == stringSrc.m_pchData)
        return *this;
    CStringData* mine = GetData();
    CStringData* theirs = stringSrc.GetData();
    if ((mine->nRefs < 0 && mine != EmptyData()) || theirs->nRefs < 0) {
        // Either buffer is locked (or the source is empty): copy characters.
        AssignCopy(theirs->nDataLength, stringSrc.m_pchData);
    } else {
        Release();
        m_pchData = stringSrc.m_pchData;
        InterlockedIncrement(&theirs->nRefs);
    }
    return *this;
}

const CString& CString::operator=(TCHAR ch)
{
    AssignCopy(1, &ch);
    return *this;
}

const CString& CString::operator=(LPCSTR lpsz)
{
    AssignCopy(SafeStrlen(lpsz), lpsz);
    return *this;
}

const CString& CString::operator=(LPCWSTR lpsz)
{
    int wideLength = lpsz == NULL ? 0 : static_cast<int>(wcslen(lpsz));
    int length = NarrowLength(lpsz, wideLength);
    AllocBeforeWrite(length);
    if (length > 0)
        WideCharToMultiByte(CP_ACP, 0, lpsz, wideLength, m_pchData, length, NULL, NULL);
    if (GetData() != EmptyData()) {
        GetData()->nDataLength = length;
        m_pchData[length] = '\0';
    }
    return *this;
}

const CString& CString::operator=(const unsigned char* psz)
{
    return *this = reinterpret_cast<LPCSTR>(psz);
}

// Concatenation

const CString& CString::operator+=(const CString& string)
{
    ConcatInPlace(string.GetData()->nDataLength, string.m_pchData);
    return *this;
}

const CString& CString::operator+=(TCHAR ch)
{
    ConcatInPlace(1, &ch);
    return *this;
}

const CString& CString::operator+=(LPCTSTR lpsz)
{
    ConcatInPlace(SafeStrlen(lpsz), lpsz);
    return *this;
}

namespace {

CString Concat(LPCTSTR first, int firstLength, LPCTSTR second, int secondLength)
{
    CString result;
    int length = firstLength + secondLength;
    if (length > 0) {
        LPTSTR buffer = result.GetBuffer(length);
        memcpy(buffer, first, firstLength);
        memcpy(buffer + firstLength, second, secondLength);
        result.ReleaseBuffer(length);
    }
    return result;
}

int Length(LPCTSTR text)
{
    return text == NULL ? 0 : static_cast<int>(strlen(text));
}

}  // namespace

CString AFXAPI operator+(const CString& string1, const CString& string2)
{
    return Concat(string1, string1.GetLength(), string2, string2.GetLength());
}

CString AFXAPI operator+(const CString& string, TCHAR ch)
{
    return Concat(string, string.GetLength(), &ch, 1);
}

CString AFXAPI operator+(TCHAR ch, const CString& string)
{
    return Concat(&ch, 1, string, string.GetLength());
}

CString AFXAPI operator+(const CString& string, LPCTSTR lpsz)
{
    return Concat(string, string.GetLength(), lpsz, Length(lpsz));
}

CString AFXAPI operator+(LPCTSTR lpsz, const CString& string)
{
    return Concat(lpsz, Length(lpsz), string, string.GetLength());
}

// The buffer

LPTSTR CString::GetBuffer(int nMinBufLength)
{
    CStringData* data = GetData();
    if (data->nRefs > 1 || nMinBufLength > data->nAllocLength) {
        int oldLength = data->nDataLength;
        if (nMinBufLength < oldLength)
            nMinBufLength = oldLength;
        AllocBuffer(nMinBufLength);
        memcpy(m_pchData, data->data(), oldLength + 1);
        GetData()->nDataLength = oldLength;
        Release(data);
    }
    return m_pchData;
}

void CString::ReleaseBuffer(int nNewLength)
{
    CopyBeforeWrite();
    CStringData* data = GetData();
    if (nNewLength < 0)
        nNewLength = static_cast<int>(strlen(m_pchData));
    if (nNewLength > data->nAllocLength)
        nNewLength = data->nAllocLength;
    if (data == EmptyData())
        return;
    data->nDataLength = nNewLength;
    m_pchData[nNewLength] = '\0';
}

LPTSTR CString::GetBufferSetLength(int nNewLength)
{
    if (nNewLength < 0)
        nNewLength = 0;
    GetBuffer(nNewLength);
    if (GetData() != EmptyData()) {
        GetData()->nDataLength = nNewLength;
        m_pchData[nNewLength] = '\0';
    }
    return m_pchData;
}

void CString::FreeExtra()
{
    CStringData* data = GetData();
    if (data->nDataLength == data->nAllocLength)
        return;
    AllocBuffer(data->nDataLength);
    memcpy(m_pchData, data->data(), data->nDataLength + 1);
    Release(data);
}

LPTSTR CString::LockBuffer()
{
    LPTSTR buffer = GetBuffer(0);
    if (GetData() != EmptyData())
        GetData()->nRefs = -1;
    return buffer;
}

void CString::UnlockBuffer()
{
    if (GetData() != EmptyData())
        GetData()->nRefs = 1;
}

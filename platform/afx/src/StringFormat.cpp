// CString: formatting, string resources and OLE strings.
#include "afx.h"

#include <stdio.h>

// The C runtime's own _vscprintf/_vsnprintf: their conversions (%I64d among
// them) are the ones callers of Format expect.
void CString::FormatV(LPCTSTR lpszFormat, va_list argList)
{
    va_list measure;
    va_copy(measure, argList);
    int length = _vscprintf(lpszFormat, measure);
    va_end(measure);
    if (length <= 0) {
        Empty();
        return;
    }
    // Formatted aside: an argument may be this string's own characters.
    CString result;
    result.AllocBuffer(length);
    _vsnprintf(result.m_pchData, length + 1, lpszFormat, argList);
    result.m_pchData[length] = '\0';
    *this = result;
}

void AFX_CDECL CString::FormatArgs(LPCTSTR lpszFormat, ...)
{
    va_list args;
    va_start(args, lpszFormat);
    FormatV(lpszFormat, args);
    va_end(args);
}

void AFX_CDECL CString::FormatIdArgs(UINT nFormatID, ...)
{
    CString format;
    format.LoadString(nFormatID);
    va_list args;
    va_start(args, nFormatID);
    FormatV(format, args);
    va_end(args);
}

// Reads the string table block directly, so that strings of any length load.
BOOL CString::LoadString(UINT nID)
{
    HINSTANCE module = AfxFindStringResourceHandle(nID);
    LPCWSTR text = NULL;
    int textLength = 0;
    HRSRC block = FindResourceA(module, MAKEINTRESOURCEA((nID >> 4) + 1), MAKEINTRESOURCEA(6));
    HGLOBAL loaded = block == NULL ? NULL : LoadResource(module, block);
    const WCHAR* entry = loaded == NULL ? NULL : static_cast<const WCHAR*>(LockResource(loaded));
    if (entry != NULL) {
        // Sixteen counted UTF-16 strings; skip to this id's.
        for (UINT i = 0; i < (nID & 15); ++i)
            entry += 1 + *entry;
        textLength = *entry;
        text = entry + 1;
    }
    if (textLength == 0) {
        Empty();
        return FALSE;
    }
    CString loadedText(text, textLength);
    *this = loadedText;
    return TRUE;
}

BSTR CString::AllocSysString() const
{
    int length = GetLength();
    int wideLength = length == 0 ? 0 : MultiByteToWideChar(CP_ACP, 0, m_pchData, length, NULL, 0);
    BSTR result = SysAllocStringLen(NULL, wideLength);
    if (result == NULL)
        AfxThrowMemoryException();
    if (wideLength > 0)
        MultiByteToWideChar(CP_ACP, 0, m_pchData, length, result, wideLength);
    result[wideLength] = L'\0';
    return result;
}

BSTR CString::SetSysString(BSTR* pbstr) const
{
    int length = GetLength();
    int wideLength = length == 0 ? 0 : MultiByteToWideChar(CP_ACP, 0, m_pchData, length, NULL, 0);
    if (!SysReAllocStringLen(pbstr, NULL, wideLength))
        AfxThrowMemoryException();
    if (wideLength > 0)
        MultiByteToWideChar(CP_ACP, 0, m_pchData, length, *pbstr, wideLength);
    (*pbstr)[wideLength] = L'\0';
    return *pbstr;
}

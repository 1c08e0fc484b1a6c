// The convert library's colour profile choice (its ordinal 100) over three
// profile buffers of 256 bytes, preset by the caller (a cancelled choice
// leaves them as preset). Whatever the library leaves in a buffer is read as
// a zero-terminated text of at most 255 bytes, never ending in half a
// double-byte character.
#pragma once

#include "afxwin.h"

class CProfileChoice {
public:
    enum { kBufferBytes = 256 };

    // Presets are cut to 255 bytes on a character boundary.
    CProfileChoice(const CString& strScanner, const CString& strDisplay, const CString& strPrinter);

    // Runs the choice; the library's result is not looked at.
    void Run(const char* lpszFolder1, const char* lpszFolder2, void* pOutput);

    CString Scanner() const { return Text(m_szScanner); }
    CString Display() const { return Text(m_szDisplay); }
    CString Printer() const { return Text(m_szPrinter); }

private:
    static void Preset(char* pszBuffer, const CString& strValue);
    static CString Text(const char* pszBuffer);

    char m_szScanner[kBufferBytes];
    char m_szDisplay[kBufferBytes];
    char m_szPrinter[kBufferBytes];
};

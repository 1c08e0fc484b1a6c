#include "ProfileChoice.h"

#include <cstring>

#include "Convert.h"

namespace {

// Bytes of the text in the first nMax bytes of pszText, up to its zero and
// not cutting a double-byte character in two.
int TextLength(const char* pszText, int nMax)
{
    int n = 0;
    while (n < nMax && pszText[n] != '\0') {
        int width = ::IsDBCSLeadByte(static_cast<BYTE>(pszText[n])) ? 2 : 1;
        if (n + width > nMax || (width == 2 && pszText[n + 1] == '\0'))
            break;
        n += width;
    }
    return n;
}

}  // namespace

CProfileChoice::CProfileChoice(const CString& strScanner, const CString& strDisplay, const CString& strPrinter)
{
    Preset(m_szScanner, strScanner);
    Preset(m_szDisplay, strDisplay);
    Preset(m_szPrinter, strPrinter);
}

void CProfileChoice::Run(const char* lpszFolder1, const char* lpszFolder2, void* pOutput)
{
    CvtChooseProfiles(lpszFolder1, lpszFolder2, m_szScanner, m_szDisplay, m_szPrinter, pOutput);
}

void CProfileChoice::Preset(char* pszBuffer, const CString& strValue)
{
    std::memset(pszBuffer, 0, kBufferBytes);
    int n = TextLength(strValue, kBufferBytes - 1);
    std::memcpy(pszBuffer, static_cast<LPCTSTR>(strValue), static_cast<size_t>(n));
}

CString CProfileChoice::Text(const char* pszBuffer)
{
    return CString(pszBuffer, TextLength(pszBuffer, kBufferBytes - 1));
}

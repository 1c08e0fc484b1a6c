#include "XmlReading.h"


// {2933BF90-7B36-11D2-B20E-00C04F983E60}
const CLSID CLSID_OmbrelleDomDocument = {0x2933BF90, 0x7B36, 0x11D2, {0xB2, 0x0E, 0x00, 0xC0, 0x4F, 0x98, 0x3E, 0x60}};
// {2933BF81-7B36-11D2-B20E-00C04F983E60}
const IID IID_OmbrelleXmlDomDocument = {0x2933BF81, 0x7B36, 0x11D2, {0xB2, 0x0E, 0x00, 0xC0, 0x4F, 0x98, 0x3E, 0x60}};

namespace {

bool IsXmlSpace(wchar_t c) { return c == L' ' || c == L'\t' || c == L'\r' || c == L'\n'; }

// Removes ` encoding="..."` (or '...') from a declaration "<?xml ... ?>" at
// the start of the text.
void DropDeclaredEncoding(std::wstring& text)
{
    size_t start = 0;
    if (!text.empty() && text[0] == 0xFEFF)
        text.erase(0, 1);
    if (text.compare(start, 5, L"<?xml") != 0)
        return;
    const size_t close = text.find(L"?>", start);
    if (close == std::wstring::npos)
        return;
    const size_t name = text.find(L"encoding", start);
    if (name == std::wstring::npos || name > close)
        return;
    size_t cursor = name + 8;
    while (cursor < close && IsXmlSpace(text[cursor]))
        ++cursor;
    if (cursor >= close || text[cursor] != L'=')
        return;
    ++cursor;
    while (cursor < close && IsXmlSpace(text[cursor]))
        ++cursor;
    if (cursor >= close || (text[cursor] != L'"' && text[cursor] != L'\''))
        return;
    const size_t end = text.find(text[cursor], cursor + 1);
    if (end == std::wstring::npos || end > close)
        return;
    size_t begin = name;
    while (begin > start && IsXmlSpace(text[begin - 1]))
        --begin;
    text.erase(begin, end + 1 - begin);
}

}  // namespace

std::wstring XmlTextForLoading(const char* pBytes, size_t nLength)
{
    std::wstring text;
    if (nLength > 0) {
        const int nWide = ::MultiByteToWideChar(936, 0, pBytes, int(nLength), NULL, 0);
        text.resize(size_t(nWide));
        if (nWide > 0)
            ::MultiByteToWideChar(936, 0, pBytes, int(nLength), &text[0], nWide);
    }
    DropDeclaredEncoding(text);
    return text;
}

BOOL LoadXmlBytes(IXMLDOMDocument* pDocument, const char* pBytes, size_t nLength)
{
    if (pDocument == NULL)
        return FALSE;
    const std::wstring text = XmlTextForLoading(pBytes, nLength);
    BSTR bstrText = ::SysAllocStringLen(text.data(), UINT(text.size()));
    if (bstrText == NULL)
        return FALSE;
    VARIANT_BOOL bLoaded = VARIANT_FALSE;
    const HRESULT hr = pDocument->loadXML(bstrText, &bLoaded);
    ::SysFreeString(bstrText);
    return SUCCEEDED(hr) && bLoaded == VARIANT_TRUE;
}

BOOL LoadXmlText(IXMLDOMDocument* pDocument, const CString& strText)
{
    return LoadXmlBytes(pDocument, strText, size_t(strText.GetLength()));
}

BOOL ReadFileBytes(LPCTSTR lpszPath, std::string& bytes)
{
    bytes.clear();
    HANDLE hFile = ::CreateFileA(lpszPath, GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, NULL, OPEN_EXISTING,
                                 FILE_ATTRIBUTE_NORMAL, NULL);
    if (hFile == INVALID_HANDLE_VALUE)
        return FALSE;
    BOOL bRead = TRUE;
    char buffer[65536];
    DWORD nCount = 0;
    while ((bRead = ::ReadFile(hFile, buffer, sizeof buffer, &nCount, NULL)) && nCount > 0)
        bytes.append(buffer, nCount);
    ::CloseHandle(hFile);
    return bRead;
}

BOOL LoadXmlFile(IXMLDOMDocument* pDocument, LPCTSTR lpszPath)
{
    std::string bytes;
    return ReadFileBytes(lpszPath, bytes) && LoadXmlBytes(pDocument, bytes.data(), bytes.size());
}

IXMLDOMDocument* CreateXmlDocument()
{
    IUnknown* pUnknown = NULL;
    if (FAILED(::CoCreateInstance(CLSID_OmbrelleDomDocument, NULL, CLSCTX_ALL, IID_IUnknown,
                                  reinterpret_cast<void**>(&pUnknown))))
        return NULL;
    IXMLDOMDocument* pDocument = NULL;
    if (FAILED(::OleRun(pUnknown)) ||
        FAILED(pUnknown->QueryInterface(IID_OmbrelleXmlDomDocument, reinterpret_cast<void**>(&pDocument))))
        pDocument = NULL;
    pUnknown->Release();
    return pDocument;
}

#include "IniFile.h"

#include <string>
#include <vector>

namespace {

const DWORD kFirstSize = 2048;
const DWORD kLargestSize = 0x4000000;

// Reads through GetPrivateProfileString, doubling the buffer while the
// platform reports that it had to cut the text: it then returns the buffer
// size less one (a value) or less two (a NUL-separated list, asked for by
// a null section or key).
std::string ReadProfileString(LPCSTR lpszSection, LPCSTR lpszKey, LPCSTR lpszPath)
{
    bool list = lpszSection == NULL || lpszKey == NULL;
    std::vector<char> buffer(kFirstSize);
    for (;;) {
        DWORD size = static_cast<DWORD>(buffer.size());
        DWORD length = ::GetPrivateProfileStringA(lpszSection, lpszKey, "", buffer.data(), size, lpszPath);
        if (length < (list ? size - 2 : size - 1) || size >= kLargestSize)
            return std::string(buffer.data(), length);
        buffer.resize(size * 2);
    }
}

std::string ReadProfileSection(LPCSTR lpszSection, LPCSTR lpszPath)
{
    std::vector<char> buffer(kFirstSize);
    for (;;) {
        DWORD size = static_cast<DWORD>(buffer.size());
        DWORD length = ::GetPrivateProfileSectionA(lpszSection, buffer.data(), size, lpszPath);
        if (length < size - 2 || size >= kLargestSize)
            return std::string(buffer.data(), length);
        buffer.resize(size * 2);
    }
}

// Refills the list with each non-empty entry of a NUL-separated list.
void FillList(const std::string& entries, CStringList& list)
{
    list.RemoveAll();
    size_t start = 0;
    while (start < entries.size()) {
        size_t end = entries.find('\0', start);
        if (end == std::string::npos)
            end = entries.size();
        if (end > start)
            list.AddTail(CString(entries.c_str() + start, static_cast<int>(end - start)));
        start = end + 1;
    }
}

}  // namespace

CIniFile::CIniFile() : m_dwReserved(0), m_nLastResult(0) {}

CIniFile::~CIniFile() {}

void CIniFile::SetFileName(const CString& strPath)
{
    m_strPath = strPath;
}

CString CIniFile::GetValue(CString strSection, CString strKey)
{
    std::string value = ReadProfileString(strSection, strKey, m_strPath);
    m_nLastResult = static_cast<int>(value.size());
    return CString(value.c_str(), static_cast<int>(value.size()));
}

BOOL CIniFile::SetValue(CString strSection, CString strKey, CString strValue)
{
    m_nLastResult = ::WritePrivateProfileStringA(strSection, strKey, strValue, m_strPath);
    return m_nLastResult;
}

BOOL CIniFile::HasSection(CString strSection)
{
    // Only whether a key name comes back matters, so a short buffer will do.
    char keys[90];
    m_nLastResult = static_cast<int>(::GetPrivateProfileStringA(strSection, NULL, "", keys, sizeof(keys), m_strPath));
    return m_nLastResult > 0;
}

CStringList* CIniFile::GetSectionNames()
{
    FillList(ReadProfileString(NULL, NULL, m_strPath), m_sectionNames);
    return &m_sectionNames;
}

CStringList* CIniFile::GetSection(CString strSection)
{
    FillList(ReadProfileSection(strSection, m_strPath), m_lines);
    return &m_lines;
}

#include "FormFileHelpers.h"

#include "afxarch.h"

#include <cstdio>
#include <cstring>
#include <string>
#include <vector>

#include "ProgramFolder.h"

CString ProgramFolder() { return GetProgramFolder(); }

CString CurrentFolder()
{
    // Through the wide function: the ANSI one gives nothing for a current
    // folder longer than MAX_PATH.
    std::wstring folder(MAX_PATH, L'\0');
    for (;;) {
        const DWORD nLength = ::GetCurrentDirectoryW(DWORD(folder.size()), &folder[0]);
        if (nLength < folder.size()) {
            folder.resize(nLength);
            break;
        }
        folder.resize(nLength);
    }
    return CString(folder.c_str(), int(folder.size())) + "\\";
}

CString PrefixCurrentFolder(const CString& strPath) { return CurrentFolder() + strPath; }

BOOL PathExists(const CString& strPath)
{
    WIN32_FIND_DATAA found;
    HANDLE hFind = ::FindFirstFileA(strPath, &found);
    if (hFind == INVALID_HANDLE_VALUE)
        return FALSE;
    ::FindClose(hFind);
    return TRUE;
}

BOOL StoreTextFile(const CString& strText, const CString& strPath)
{
    FILE* pFile = std::fopen(strPath, "wt");
    if (pFile == NULL)
        return FALSE;
    const size_t nLength = size_t(strText.GetLength());
    const bool bWritten = std::fwrite(static_cast<LPCTSTR>(strText), 1, nLength, pFile) == nLength;
    return (std::fclose(pFile) == 0) && bWritten;
}

BOOL WriteTextFile(const CString& strText, const CString& strPath)
{
    if (StoreTextFile(strText, strPath))
        return TRUE;
    AfxMessageBox("Unable to open file");
    return FALSE;
}

CString ReadProfileText(const CString& strFile, const CString& strSection, const CString& strKey,
                        const CString& strDefault)
{
    // Grows until the value fits: the API cuts a long value to the buffer.
    std::vector<char> buffer(256);
    for (;;) {
        const DWORD nLength = ::GetPrivateProfileStringA(strSection, strKey, strDefault, buffer.data(),
                                                         DWORD(buffer.size()), strFile);
        if (nLength == 0)
            return "";
        if (nLength + 1 < buffer.size())
            return CString(buffer.data(), int(nLength));
        buffer.resize(buffer.size() * 2);
    }
}

BOOL WriteProfileText(const CString& strFile, const CString& strSection, const CString& strKey,
                      const CString& strValue)
{
    return ::WritePrivateProfileStringA(strSection, strKey, strValue, strFile);
}

BOOL WriteRegistryText(HKEY hRoot, const CString& strSubKey, const CString& strName, const CString& strValue)
{
    HKEY hKey = NULL;
    if (::RegCreateKeyExA(hRoot, strSubKey, 0, NULL, REG_OPTION_NON_VOLATILE, KEY_ALL_ACCESS, NULL, &hKey, NULL) !=
        ERROR_SUCCESS)
        return FALSE;
    const LONG nResult = ::RegSetValueExA(hKey, strName, 0, REG_SZ, reinterpret_cast<const BYTE*>(LPCTSTR(strValue)),
                                          DWORD(strValue.GetLength() + 1));
    ::RegCloseKey(hKey);
    return nResult == ERROR_SUCCESS;
}

void AddToRecentList(int nMaxCount, const CString& strText, CStringList& list, int bAppend)
{
    if (list.IsEmpty()) {
        list.AddHead(strText);
    } else if (POSITION pos = list.Find(strText)) {
        if (bAppend != 1) {
            list.RemoveAt(pos);
            list.AddHead(strText);
        }
    } else if (bAppend == 1) {
        list.AddTail(strText);
    } else {
        list.AddHead(strText);
    }
    if (nMaxCount > 1)
        while (list.GetCount() > nMaxCount)
            list.RemoveTail();
}

void LogFontSerialize(CArchive& ar, LOGFONT& font)
{
    if (ar.IsStoring()) {
        ar << font.lfHeight << font.lfWidth << font.lfEscapement << font.lfOrientation << font.lfWeight;
        ar << font.lfItalic << font.lfUnderline << font.lfStrikeOut << font.lfCharSet << font.lfOutPrecision
           << font.lfClipPrecision << font.lfQuality << font.lfPitchAndFamily;
        ar << CString(font.lfFaceName);
    } else {
        ar >> font.lfHeight >> font.lfWidth >> font.lfEscapement >> font.lfOrientation >> font.lfWeight;
        ar >> font.lfItalic >> font.lfUnderline >> font.lfStrikeOut >> font.lfCharSet >> font.lfOutPrecision >>
            font.lfClipPrecision >> font.lfQuality >> font.lfPitchAndFamily;
        CString strFace;
        ar >> strFace;
        // A face name longer than LOGFONT holds is cut, not overrun.
        std::memset(font.lfFaceName, 0, sizeof font.lfFaceName);
        std::strncpy(font.lfFaceName, strFace, sizeof font.lfFaceName - 1);
    }
}

// A private profile (INI) file: values by section and key, a section's
// key=value lines and the file's section names. Values, lines and names come
// back whole, however long.
#pragma once

#include "afxwin.h"

class CIniFile {
public:
    CIniFile();
    ~CIniFile();

    // The file every other operation works on.
    void SetFileName(const CString& strPath);

    // The key's value in the section; "" when the file, section or key is
    // missing. The number of characters read becomes the last result.
    CString GetValue(CString strSection, CString strKey);
    // Writes key=value, creating the file, section and key as needed;
    // nonzero on success, kept as the last result.
    BOOL SetValue(CString strSection, CString strKey, CString strValue);
    // TRUE when the section holds at least one key.
    BOOL HasSection(CString strSection);
    // The section names in file order (the list is refilled on each call).
    CStringList* GetSectionNames();
    // The section's key=value lines in file order (refilled on each call).
    CStringList* GetSection(CString strSection);

    int GetLastResult() const { return m_nLastResult; }

private:
    CIniFile(const CIniFile&) = delete;
    CIniFile& operator=(const CIniFile&) = delete;

    CStringList m_lines;
    CStringList m_sectionNames;
    DWORD m_dwReserved;
    int m_nLastResult;
    CString m_strPath;
};

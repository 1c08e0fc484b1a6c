// CJobInitFile: single items of Job.ini in the program folder, addressed by
// the string ids of their section and key.
#pragma once

#include "afxwin.h"

#include "OrdwellApi.h"

class ORDWELL_API CJobInitFile {
public:
    CJobInitFile();
    ~CJobInitFile();

    // Reads the item (empty when missing) and returns its length in bytes.
    // nSize is the first buffer size tried; a longer value is read whole.
    int GetInitFileItem(UINT nSection, UINT nKey, CString& strValue, int nSize);
    // The item as a whole number, 0 when missing or not a number.
    int GetInitFileItemInt(UINT nSection, UINT nKey);
    // Writes the item, creating the file and section as needed; the
    // platform's success flag.
    int SetInitFileItem(UINT nSection, UINT nKey, CString& strValue, int nUnused);

    CString m_strSection;
    CString m_strKey;
    CString m_strFilePath;
    CString m_strFileName;
    CString m_strProgramFolder;

private:
    // Re-reads the program folder and the names of the file, section and key.
    void Prepare(UINT nSection, UINT nKey);
};

#include "ReducedCopy.h"

CString WithoutTrailingBackslash(const CString& strPath)
{
    int nLength = strPath.GetLength();
    int nEnd = 0;
    for (int i = 0; i < nLength;) {
        BOOL bLead = ::IsDBCSLeadByte(static_cast<BYTE>(strPath[i])) && i + 1 < nLength;
        int nSize = bLead ? 2 : 1;
        if (nSize == 2 || strPath[i] != '\\')
            nEnd = i + nSize;
        i += nSize;
    }
    return strPath.Left(nEnd);
}

DWORD Fnv1aHash(const CString& strText)
{
    DWORD dwHash = 2166136261u;
    for (int i = 0; i < strText.GetLength(); ++i) {
        dwHash ^= static_cast<BYTE>(strText[i]);
        dwHash *= 16777619u;
    }
    return dwHash;
}

CString UploadCopyName(const CString& strTempFolder, LPCTSTR lpszPrefix, const CString& strPath)
{
    CString strName = strPath.Mid(strPath.ReverseFind('\\') + 1);
    int nDot = strName.ReverseFind('.');
    if (nDot >= 0)
        strName = strName.Left(nDot);

    CString strKey = strPath;
    strKey.MakeLower();
    CString strCopy;
    strCopy.Format("%s\\%s%s_%08lx.jpg", static_cast<LPCTSTR>(WithoutTrailingBackslash(strTempFolder)), lpszPrefix,
                   static_cast<LPCTSTR>(strName), static_cast<unsigned long>(Fnv1aHash(strKey)));
    return strCopy;
}

CString ReducedCopyName(const CString& strTempFolder, const CString& strPath)
{
    return UploadCopyName(strTempFolder, "", strPath);
}

BOOL IsFileInFolder(const CString& strPath, const CString& strFolder)
{
    int nSlash = strPath.ReverseFind('\\');
    if (nSlash <= 0)
        return FALSE;
    CString strOwnFolder = WithoutTrailingBackslash(strPath.Left(nSlash));
    CString strWanted = WithoutTrailingBackslash(strFolder);
    return !strWanted.IsEmpty() && strOwnFolder.CompareNoCase(strWanted) == 0;
}

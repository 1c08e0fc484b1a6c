#include "UploadFiles.h"

#include <windows.h>

CString FileNameOf(const CString& strPath) { return strPath.Mid(strPath.ReverseFind('\\') + 1); }

CString FolderOfFile(const CString& strPath)
{
    const int nSlash = strPath.ReverseFind('\\');
    return nSlash < 0 ? CString() : strPath.Left(nSlash);
}

BOOL IsExistingFile(const CString& strPath)
{
    if (strPath.IsEmpty())
        return FALSE;
    const DWORD dwAttributes = ::GetFileAttributesA(strPath);
    return dwAttributes != INVALID_FILE_ATTRIBUTES && !(dwAttributes & FILE_ATTRIBUTE_DIRECTORY);
}

BOOL IsInList(const CStringArray& list, const CString& strItem)
{
    for (INT_PTR i = 0; i < list.GetSize(); ++i)
        if (list[i] == strItem)
            return TRUE;
    return FALSE;
}

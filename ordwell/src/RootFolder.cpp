#include "RootFolder.h"

namespace {

// The path as the system reads it, with a backslash at its end: "D:" names
// the current folder of D: alone but "D:\*.*" its root.
CString FullFolderPath(const CString& strFolder)
{
    CString folder = strFolder + "\\";
    DWORD size = ::GetFullPathNameA(folder, 0, NULL, NULL);
    if (size == 0)
        return CString();
    CString full;
    DWORD length = ::GetFullPathNameA(folder, size, full.GetBuffer(static_cast<int>(size)), NULL);
    full.ReleaseBuffer(length < size ? static_cast<int>(length) : 0);
    return full;
}

// Non-empty names between backslashes; CString searches by whole
// characters, so a GBK trail byte equal to a backslash splits nothing.
int NameCount(const CString& strPath)
{
    int names = 0;
    for (int start = 0; start < strPath.GetLength();) {
        int end = strPath.Find('\\', start);
        if (end < 0)
            end = strPath.GetLength();
        if (end > start)
            names++;
        start = end + 1;
    }
    return names;
}

}  // namespace

BOOL IsRootOrEmptyFolder(const CString& strFolder)
{
    if (strFolder.IsEmpty())
        return TRUE;
    CString path = FullFolderPath(strFolder);
    if (path.IsEmpty())
        return TRUE;  // a path the system cannot read is no job's folder either
    BOOL bShare = FALSE;
    if (path.Left(4) == "\\\\?\\" || path.Left(4) == "\\\\.\\") {
        path = path.Mid(4);
        if (path.Left(4).CompareNoCase("UNC\\") == 0) {
            path = path.Mid(4);
            bShare = TRUE;
        }
    } else if (path.Left(2) == "\\\\") {
        path = path.Mid(2);
        bShare = TRUE;
    }
    // A drive root is one name ("D:"), a share root two (server and share).
    return NameCount(path) <= (bShare ? 2 : 1);
}

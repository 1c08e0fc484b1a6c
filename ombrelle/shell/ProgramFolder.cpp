#include "ProgramFolder.h"

CString GetProgramFileName()
{
    CString strPath;
    DWORD nSize = MAX_PATH;
    for (;;) {
        DWORD n = ::GetModuleFileNameA(NULL, strPath.GetBuffer(nSize), nSize);
        strPath.ReleaseBuffer(n < nSize ? static_cast<int>(n) : 0);
        if (n < nSize)
            break;
        nSize *= 4;
    }
    return strPath;
}

CString GetProgramFolder()
{
    const CString strPath = GetProgramFileName();
    return strPath.Left(strPath.ReverseFind('\\') + 1);
}

#include "ProgramFolder.h"

CString GetProgramFolder()
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
    return strPath.Left(strPath.ReverseFind('\\') + 1);
}

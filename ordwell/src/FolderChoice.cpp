#include "FolderChoice.h"

#include "ChooseDir.h"
#include "Ordwell.h"

BOOL ChooseFolder(const CString& strStart, CString& strChosen)
{
    HINSTANCE previous = SetOrdwellResourceHandle();
    CChooseDir chooser(TRUE, strStart, NULL, NULL, 70, NULL, NULL);
    INT_PTR result = chooser.DoModal();
    AfxSetResourceHandle(previous);
    if (result != IDOK)
        return FALSE;
    strChosen = chooser.m_strChosenDir;
    return TRUE;
}

CString CurrentFolder()
{
    CString strFolder;
    DWORD nSize = MAX_PATH;
    for (;;) {
        DWORD n = ::GetCurrentDirectoryA(nSize, strFolder.GetBuffer(static_cast<int>(nSize)));
        strFolder.ReleaseBuffer(n < nSize ? static_cast<int>(n) : 0);
        if (n < nSize)
            return strFolder;
        nSize = n + 1;
    }
}

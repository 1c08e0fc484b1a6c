// Dialog initialisation data: the strings a template's combo and list boxes
// start with, kept as a resource of type RT_DLGINIT under the template's
// name.
#include "afxwin.h"

#include "afxres.h"

namespace {

// Messages as the resource compiler records them: the 16-bit numbers.
const WORD kWin16ListBoxAddString = 0x0401;
const WORD kWin16ComboBoxAddString = 0x0403;

}  // namespace

BOOL CWnd::ExecuteDlgInit(LPCTSTR lpszResourceName)
{
    LPVOID lpResource = NULL;
    if (lpszResourceName != NULL) {
        HINSTANCE hInst = AfxFindResourceHandle(lpszResourceName, RT_DLGINIT);
        HRSRC hDlgInit = ::FindResource(hInst, lpszResourceName, RT_DLGINIT);
        if (hDlgInit != NULL) {
            HGLOBAL hResource = ::LoadResource(hInst, hDlgInit);
            if (hResource == NULL)
                return FALSE;
            lpResource = ::LockResource(hResource);
        }
    }
    // A template without initialisation data is not a failure.
    return ExecuteDlgInit(lpResource);
}

BOOL CWnd::ExecuteDlgInit(LPVOID lpResource)
{
    BOOL bSuccess = TRUE;
    if (lpResource != NULL) {
        // Records: WORD control id, WORD message, DWORD length, data; a zero
        // id ends them. The data is not aligned.
        const BYTE* pRecord = static_cast<const BYTE*>(lpResource);
        for (;;) {
            WORD nIDC;
            memcpy(&nIDC, pRecord, sizeof nIDC);
            if (nIDC == 0)
                break;
            WORD nMsg;
            DWORD dwLength;
            memcpy(&nMsg, pRecord + 2, sizeof nMsg);
            memcpy(&dwLength, pRecord + 4, sizeof dwLength);
            const BYTE* pData = pRecord + 8;

            UINT message = 0;
            if (nMsg == kWin16ListBoxAddString || nMsg == LB_ADDSTRING)
                message = LB_ADDSTRING;
            else if (nMsg == kWin16ComboBoxAddString || nMsg == CB_ADDSTRING)
                message = CB_ADDSTRING;
            if (message != 0) {
                // The string is zero-terminated within the record.
                LRESULT lResult = ::SendDlgItemMessageA(m_hWnd, nIDC, message, 0,
                                                        reinterpret_cast<LPARAM>(pData));
                if (lResult == LB_ERR || lResult == LB_ERRSPACE) {
                    bSuccess = FALSE;
                    break;
                }
            }
            pRecord = pData + dwLength;
        }
    }

    // Controls that wait for their siblings (views in forms) start now.
    if (bSuccess)
        SendMessageToDescendants(WM_INITIALUPDATE, 0, 0, FALSE, FALSE);
    return bSuccess;
}

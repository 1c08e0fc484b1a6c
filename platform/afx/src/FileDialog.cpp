#include "afxdlgs.h"

IMPLEMENT_DYNAMIC(CFileDialog, CCommonDialog)

namespace {

UINT FileOkMessage()
{
    static const UINT message = ::RegisterWindowMessageA(FILEOKSTRINGA);
    return message;
}

UINT ListSelChangeMessage()
{
    static const UINT message = ::RegisterWindowMessageA(LBSELCHSTRINGA);
    return message;
}

UINT ShareViolationMessage()
{
    static const UINT message = ::RegisterWindowMessageA(SHAREVISTRINGA);
    return message;
}

// Texts are in the ANSI code page: a GBK trail byte may equal '\\', '|',
// '.' or ' ', so every scan steps over whole characters.
LPCTSTR SkipTo(LPCTSTR p, TCHAR chStop)
{
    while (*p != '\0' && *p != chStop)
        p = ::CharNextA(p);
    return p;
}

// The part after the last path separator.
LPCTSTR FileNamePart(LPCTSTR lpszPath)
{
    LPCTSTR lpszName = lpszPath;
    for (LPCTSTR p = lpszPath; *p != '\0'; p = ::CharNextA(p)) {
        if (*p == '\\' || *p == '/' || *p == ':')
            lpszName = p + 1;
    }
    return lpszName;
}

// The extension (without its dot) of a file name, or NULL.
LPCTSTR ExtensionPart(LPCTSTR lpszName)
{
    LPCTSTR lpszDot = NULL;
    for (LPCTSTR p = lpszName; *p != '\0'; p = ::CharNextA(p)) {
        if (*p == '.')
            lpszDot = p;
    }
    return lpszDot == NULL ? NULL : lpszDot + 1;
}

BOOL EndsWithSeparator(const CString& str)
{
    LPCTSTR lpszLast = NULL;
    for (LPCTSTR p = str; *p != '\0'; p = ::CharNextA(p))
        lpszLast = p;
    return lpszLast != NULL && (*lpszLast == '\\' || *lpszLast == '/');
}

}  // namespace

CFileDialog::CFileDialog(BOOL bOpenFileDialog, LPCTSTR lpszDefExt, LPCTSTR lpszFileName,
                         DWORD dwFlags, LPCTSTR lpszFilter, CWnd* pParentWnd)
    : CCommonDialog(pParentWnd), m_bOpenFileDialog(bOpenFileDialog), m_pofnTemp(NULL)
{
    memset(&m_ofn, 0, sizeof(m_ofn));
    m_szFileName[0] = '\0';
    m_szFileTitle[0] = '\0';

    m_ofn.lStructSize = sizeof(m_ofn);
    m_ofn.lpstrFile = m_szFileName;
    m_ofn.nMaxFile = _countof(m_szFileName);
    m_ofn.lpstrFileTitle = m_szFileTitle;
    m_ofn.nMaxFileTitle = _countof(m_szFileTitle);
    m_ofn.Flags = dwFlags | OFN_ENABLEHOOK | OFN_EXPLORER;
    m_ofn.lpfnHook = HookProc;

    if (lpszDefExt != NULL) {
        m_strDefExt = lpszDefExt;
        m_ofn.lpstrDefExt = m_strDefExt;
    }
    if (lpszFileName != NULL)
        ::lstrcpynA(m_szFileName, lpszFileName, _countof(m_szFileName));

    if (lpszFilter != NULL) {
        // "Text (*.txt)|*.txt||" becomes the pairs of NUL-ended strings the
        // dialog wants, ended by an empty one.
        const int nLength = ::lstrlenA(lpszFilter);
        LPTSTR lpsz = m_strFilter.GetBuffer(nLength + 2);
        memcpy(lpsz, lpszFilter, nLength);
        lpsz[nLength] = '\0';
        lpsz[nLength + 1] = '\0';
        for (LPTSTR p = lpsz; p < lpsz + nLength;) {
            if (::IsDBCSLeadByte(static_cast<BYTE>(*p)) && p + 1 < lpsz + nLength) {
                p += 2;
                continue;
            }
            if (*p == '|')
                *p = '\0';
            ++p;
        }
        m_strFilter.ReleaseBuffer(nLength + 1);
        m_ofn.lpstrFilter = m_strFilter;
    }
}

int CFileDialog::DoModal()
{
    // The library's hook always runs; a hook the caller set is called by it.
    COMMONHOOKPROC pfnCallerHook = NULL;
    if ((m_ofn.Flags & OFN_ENABLEHOOK) && m_ofn.lpfnHook != NULL && m_ofn.lpfnHook != HookProc)
        pfnCallerHook = m_ofn.lpfnHook;
    m_ofn.Flags |= OFN_ENABLEHOOK;
    m_ofn.lpfnHook = HookProc;

    if ((m_ofn.Flags & OFN_ENABLETEMPLATE) && m_ofn.hInstance == NULL)
        m_ofn.hInstance = AfxFindResourceHandle(m_ofn.lpTemplateName, RT_DIALOG);

    m_ofn.hwndOwner = BeginCommonModal(pfnCallerHook);
    BOOL bResult = m_bOpenFileDialog ? ::GetOpenFileNameA(&m_ofn) : ::GetSaveFileNameA(&m_ofn);
    EndCommonModal();

    if (pfnCallerHook != NULL)
        m_ofn.lpfnHook = pfnCallerHook;
    return bResult ? IDOK : IDCANCEL;
}

BOOL CFileDialog::IsExplorerOpen() const
{
    return (m_ofn.Flags & OFN_EXPLORER) && m_hWnd != NULL && m_pofnTemp == NULL;
}

const OPENFILENAME& CFileDialog::CurrentResult() const
{
    return m_pofnTemp != NULL ? *m_pofnTemp : m_ofn;
}

CString CFileDialog::GetPathName() const
{
    if (IsExplorerOpen()) {
        HWND hDlg = ::GetParent(m_hWnd);
        CString strSpec;
        LRESULT nSpec = ::SendMessageA(hDlg, CDM_GETSPEC, MAX_PATH,
                                       reinterpret_cast<LPARAM>(strSpec.GetBuffer(MAX_PATH)));
        strSpec.ReleaseBuffer(nSpec > 0 ? -1 : 0);
        if (!strSpec.IsEmpty()) {
            CString strPath;
            LRESULT nPath = ::SendMessageA(hDlg, CDM_GETFILEPATH, MAX_PATH,
                                           reinterpret_cast<LPARAM>(strPath.GetBuffer(MAX_PATH)));
            strPath.ReleaseBuffer(nPath > 0 ? -1 : 0);
            if (nPath > 0)
                return strPath;
        }
    }
    const OPENFILENAME& ofn = CurrentResult();
    return ofn.lpstrFile != NULL ? CString(ofn.lpstrFile) : CString();
}

CString CFileDialog::GetFileName() const
{
    if (IsExplorerOpen()) {
        CString strSpec;
        LRESULT n = ::SendMessageA(::GetParent(m_hWnd), CDM_GETSPEC, MAX_PATH,
                                   reinterpret_cast<LPARAM>(strSpec.GetBuffer(MAX_PATH)));
        strSpec.ReleaseBuffer(n > 0 ? -1 : 0);
        if (n > 0)
            return strSpec;
    }
    CString strPath = GetPathName();
    return CString(FileNamePart(strPath));
}

CString CFileDialog::GetFileExt() const
{
    CString strName = GetFileName();
    LPCTSTR lpszExt = ExtensionPart(strName);
    return lpszExt == NULL ? CString() : CString(lpszExt);
}

CString CFileDialog::GetFileTitle() const
{
    CString strName = GetFileName();
    LPCTSTR lpszExt = ExtensionPart(strName);
    if (lpszExt == NULL)
        return strName;
    return strName.Left(static_cast<int>(lpszExt - 1 - static_cast<LPCTSTR>(strName)));
}

BOOL CFileDialog::GetReadOnlyPref() const
{
    return (m_ofn.Flags & OFN_READONLY) ? TRUE : FALSE;
}

POSITION CFileDialog::GetStartPosition() const
{
    if (m_ofn.lpstrFile == NULL || m_ofn.lpstrFile[0] == '\0')
        return NULL;
    return reinterpret_cast<POSITION>(m_ofn.lpstrFile);
}

// A multiple selection comes as the folder followed by the file names,
// separated by NULs (explorer style, ended by two) or by spaces (old style);
// a single selection, as one full path.
CString CFileDialog::GetNextPathName(POSITION& pos) const
{
    LPCTSTR lpszBuffer = m_ofn.lpstrFile;
    LPCTSTR lpsz = reinterpret_cast<LPCTSTR>(pos);
    if (lpszBuffer == NULL || lpsz == NULL) {
        pos = NULL;
        return CString();
    }
    const BOOL bExplorer = (m_ofn.Flags & OFN_EXPLORER) != 0;
    const TCHAR chSeparator = bExplorer ? '\0' : ' ';
    LPCTSTR lpszFolderEnd = SkipTo(lpszBuffer, chSeparator);

    if (lpsz == lpszBuffer) {
        if (!(m_ofn.Flags & OFN_ALLOWMULTISELECT)) {
            pos = NULL;
            return CString(lpszBuffer);
        }
        const BOOL bSingle = bExplorer ? lpszFolderEnd[1] == '\0' : *lpszFolderEnd == '\0';
        if (bSingle) {
            pos = NULL;
            return CString(lpszBuffer, static_cast<int>(lpszFolderEnd - lpszBuffer));
        }
        lpsz = lpszFolderEnd + 1;
    }

    LPCTSTR lpszNameEnd = SkipTo(lpsz, chSeparator);
    CString strName(lpsz, static_cast<int>(lpszNameEnd - lpsz));
    if (*lpszNameEnd == '\0' && !bExplorer)
        pos = NULL;
    else
        pos = lpszNameEnd[1] == '\0' ? NULL : reinterpret_cast<POSITION>(const_cast<LPTSTR>(lpszNameEnd + 1));

    CString strFolder(lpszBuffer, static_cast<int>(lpszFolderEnd - lpszBuffer));
    if (strFolder.IsEmpty() || EndsWithSeparator(strFolder))
        return strFolder + strName;
    return strFolder + '\\' + strName;
}

CString CFileDialog::GetFolderPath() const
{
    CString strResult;
    if (!(m_ofn.Flags & OFN_EXPLORER) || m_hWnd == NULL)
        return strResult;
    LRESULT n = ::SendMessageA(::GetParent(m_hWnd), CDM_GETFOLDERPATH, MAX_PATH,
                               reinterpret_cast<LPARAM>(strResult.GetBuffer(MAX_PATH)));
    strResult.ReleaseBuffer(n > 0 ? -1 : 0);
    return strResult;
}

void CFileDialog::SetControlText(int nID, LPCSTR lpsz)
{
    ::SendMessageA(::GetParent(m_hWnd), CDM_SETCONTROLTEXT, nID, reinterpret_cast<LPARAM>(lpsz));
}

void CFileDialog::HideControl(int nID)
{
    ::SendMessageA(::GetParent(m_hWnd), CDM_HIDECONTROL, nID, 0);
}

UINT CFileDialog::OnShareViolation(LPCTSTR)
{
    return OFN_SHAREWARN;
}

BOOL CFileDialog::OnFileNameOK()
{
    return FALSE;
}

void CFileDialog::OnLBSelChangedNotify(UINT, UINT, UINT)
{
}

void CFileDialog::OnFileNameChange()
{
}

void CFileDialog::OnFolderChange()
{
}

void CFileDialog::OnTypeChange()
{
}

// Explorer style: the dialog tells the object's child dialog through CDN_
// notifications, and reads the answer from the return value or, depending
// on the version, from DWLP_MSGRESULT: both are set.
BOOL CFileDialog::OnNotify(WPARAM wParam, LPARAM lParam, LRESULT* pResult)
{
    if (CCommonDialog::OnNotify(wParam, lParam, pResult))
        return TRUE;

    OFNOTIFY* pNotify = reinterpret_cast<OFNOTIFY*>(lParam);
    if (pNotify->hdr.hwndFrom != ::GetParent(m_hWnd))
        return FALSE;

    LRESULT lResult = 0;
    switch (pNotify->hdr.code) {
    case CDN_SELCHANGE:
        OnFileNameChange();
        break;
    case CDN_FOLDERCHANGE:
        OnFolderChange();
        break;
    case CDN_TYPECHANGE:
        OnTypeChange();
        break;
    case CDN_SHAREVIOLATION:
        lResult = OnShareViolation(pNotify->pszFile);
        break;
    case CDN_FILEOK:
        // The names come from the structure the dialog has just filled.
        m_pofnTemp = pNotify->lpOFN;
        lResult = OnFileNameOK() ? 1 : 0;
        m_pofnTemp = NULL;
        break;
    default:
        return FALSE;
    }
    if (pNotify->hdr.code != CDN_SHAREVIOLATION && lResult == 0)
        lResult = ForwardNotify(wParam, lParam, lResult);
    *pResult = lResult;
    ::SetWindowLongPtrA(m_hWnd, DWLP_MSGRESULT, lResult);
    return TRUE;
}

LRESULT CFileDialog::ForwardNotify(WPARAM wParam, LPARAM lParam, LRESULT lResult)
{
    if (m_pfnCallerHook == NULL)
        return lResult;
    ::SetWindowLongPtrA(m_hWnd, DWLP_MSGRESULT, lResult);
    if (m_pfnCallerHook(m_hWnd, WM_NOTIFY, wParam, lParam))
        return ::GetWindowLongPtrA(m_hWnd, DWLP_MSGRESULT);
    return lResult;
}

// Old style: the dialog calls the hook with registered messages.
BOOL CFileDialog::OnHookMessage(UINT message, WPARAM wParam, LPARAM lParam, UINT_PTR* pResult)
{
    if (m_ofn.Flags & OFN_EXPLORER)
        return FALSE;  // the CDN_ notifications tell the same

    if (message == FileOkMessage()) {
        m_pofnTemp = reinterpret_cast<OPENFILENAME*>(lParam);
        BOOL bRefused = OnFileNameOK();
        m_pofnTemp = NULL;
        if (!bRefused)
            return FALSE;  // the caller's hook may still refuse
        *pResult = TRUE;
        return TRUE;
    }
    if (message == ListSelChangeMessage()) {
        OnLBSelChangedNotify(static_cast<UINT>(wParam), LOWORD(lParam), HIWORD(lParam));
        return FALSE;
    }
    if (message == ShareViolationMessage()) {
        *pResult = OnShareViolation(reinterpret_cast<LPCTSTR>(lParam));
        return TRUE;
    }
    return FALSE;
}

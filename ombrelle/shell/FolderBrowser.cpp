#include "FolderBrowser.h"

#include <shellapi.h>

#include <cstdlib>
#include <cstring>

CFolderBrowser::CFolderBrowser(LPCTSTR lpszPath) : m_nChosenImage(0), m_pFind(NULL)
{
    if (lpszPath != NULL)
        m_strFullPath = lpszPath;
    Split();
}

CFolderBrowser::CFolderBrowser(const CFileFind* pFind) : m_nChosenImage(0), m_pFind(pFind)
{
    if (pFind != NULL)
        m_strFullPath = pFind->GetFilePath();
    Split();
}

void CFolderBrowser::Split()
{
    m_szDrive[0] = m_szFolder[0] = m_szName[0] = m_szExt[0] = '\0';
    if (m_strFullPath.GetLength() < MAX_PATH)
        _splitpath(m_strFullPath, m_szDrive, m_szFolder, m_szName, m_szExt);
}

int CALLBACK CFolderBrowser::BrowseCallback(HWND hWnd, UINT uMsg, LPARAM, LPARAM lpData)
{
    const CFolderBrowser* pThis = reinterpret_cast<const CFolderBrowser*>(lpData);
    if (uMsg == BFFM_INITIALIZED && pThis != NULL && !pThis->m_strPreselect.IsEmpty())
        ::SendMessageA(hWnd, BFFM_SETSELECTIONA, TRUE, reinterpret_cast<LPARAM>(static_cast<LPCSTR>(pThis->m_strPreselect)));
    return 0;
}

BOOL CFolderBrowser::Browse(CWnd* pOwner)
{
    IMalloc* pMalloc = NULL;
    if (FAILED(::SHGetMalloc(&pMalloc)) || pMalloc == NULL)
        return FALSE;

    LPITEMIDLIST pidlRoot = NULL;
    if (!m_strRoot.IsEmpty()) {
        IShellFolder* pDesktop = NULL;
        HRESULT hr = ::SHGetDesktopFolder(&pDesktop);
        if (SUCCEEDED(hr)) {
            WCHAR szRoot[MAX_PATH] = L"";
            ::MultiByteToWideChar(CP_ACP, 0, m_strRoot, -1, szRoot, MAX_PATH);
            hr = pDesktop->ParseDisplayName(NULL, NULL, szRoot, NULL, &pidlRoot, NULL);
            pDesktop->Release();
        }
        if (FAILED(hr)) {
            pMalloc->Release();
            return FALSE;
        }
    }

    char szDisplay[MAX_PATH] = "";
    BROWSEINFOA info = {};
    info.hwndOwner = pOwner != NULL ? pOwner->GetSafeHwnd() : NULL;
    info.pidlRoot = pidlRoot;
    info.pszDisplayName = szDisplay;
    info.lpszTitle = m_strTitle.IsEmpty() ? "Open" : static_cast<LPCSTR>(m_strTitle);
    info.ulFlags = BIF_RETURNONLYFSDIRS | BIF_RETURNFSANCESTORS;
    info.lpfn = BrowseCallback;
    info.lParam = reinterpret_cast<LPARAM>(this);
    LPITEMIDLIST pidlChosen = ::SHBrowseForFolderA(&info);

    BOOL bChosen = FALSE;
    if (pidlChosen != NULL) {
        m_nChosenImage = info.iImage;
        char szPath[MAX_PATH] = "";
        bChosen = ::SHGetPathFromIDListA(pidlChosen, szPath);
        if (bChosen)
            m_strChosenPath = szPath;
        pMalloc->Free(pidlChosen);
    }
    if (pidlRoot != NULL)
        pMalloc->Free(pidlRoot);
    pMalloc->Release();
    return bChosen;
}

CString CFolderBrowser::GetFileName() const
{
    CString text;
    text.Format("%s%s", m_szName, m_szExt);
    return text;
}

CString CFolderBrowser::GetFolder() const
{
    CString text;
    text.Format("%s%s", m_szDrive, m_szFolder);
    return text;
}

CString CFolderBrowser::GetTypeName() const
{
    SHFILEINFOA info = {};
    ::SHGetFileInfoA(m_strFullPath, 0, &info, sizeof(info), SHGFI_TYPENAME);
    return CString(info.szTypeName);
}

CString CFolderBrowser::GetDisplayName() const
{
    SHFILEINFOA info = {};
    ::SHGetFileInfoA(m_strFullPath, 0, &info, sizeof(info), SHGFI_DISPLAYNAME);
    return CString(info.szDisplayName);
}

int CFolderBrowser::GetSmallIconIndex() const
{
    SHFILEINFOA info = {};
    ::SHGetFileInfoA(m_strFullPath, 0, &info, sizeof(info), SHGFI_SYSICONINDEX | SHGFI_SMALLICON);
    return info.iIcon;
}

BOOL CFolderBrowser::Exists() const
{
    // A search finds no entry for a drive's root itself.
    if (m_strFullPath.GetLength() == 3 && m_strFullPath[1] == ':' && m_strFullPath[2] == '\\')
        return TRUE;
    WIN32_FIND_DATAA data;
    HANDLE hFind = ::FindFirstFileA(m_strFullPath, &data);
    if (hFind == INVALID_HANDLE_VALUE)
        return FALSE;
    ::FindClose(hFind);
    return TRUE;
}

CString CFolderBrowser::GetLastWriteTimeText() const
{
    CString text;
    FILETIME ftWrite, ftLocal;
    SYSTEMTIME st;
    if (m_pFind != NULL && m_pFind->GetLastWriteTime(&ftWrite) && ::FileTimeToLocalFileTime(&ftWrite, &ftLocal) &&
        ::FileTimeToSystemTime(&ftLocal, &st))
        text.Format("%.2d/%.2d/%d %.2d:%.2d", st.wMonth, st.wDay, st.wYear, st.wHour, st.wMinute);
    return text;
}

CString CFolderBrowser::GetLengthText() const
{
    if (m_pFind == NULL)
        return CString();
    CString digits;
    digits.Format("%lu", static_cast<unsigned long>(m_pFind->GetLength()));
    CString text;
    int n = digits.GetLength();
    for (int i = 0; i < n; i++) {
        if (i > 0 && (n - i) % 3 == 0)
            text += ',';
        text += digits[i];
    }
    return text;
}

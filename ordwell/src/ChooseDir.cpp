// The folder chooser. The old-style file dialog does the drive and folder
// browsing; the chooser turns its folder list into a path in edit 4587 and
// accepts that path instead of a file name.
#include "ChooseDir.h"

#include <direct.h>

#include <algorithm>
#include <vector>

#include <dlgs.h>

#include "FolderChoice.h"
#include "resource.h"

IMPLEMENT_DYNAMIC(CChooseDir, CFileDialog)

BEGIN_MESSAGE_MAP(CChooseDir, CFileDialog)
    ON_WM_PAINT()
END_MESSAGE_MAP()

namespace {

// Texts are in the ANSI code page: a GBK trail byte can equal '\\'.
BOOL EndsWithBackslash(const CString& str)
{
    LPCTSTR lpszLast = NULL;
    for (LPCTSTR p = str; *p != '\0'; p = ::CharNextA(p))
        lpszLast = p;
    return lpszLast != NULL && *lpszLast == '\\';
}

// Joins one more list item to a path: the first two items (the root and the
// folder below it) only need a backslash when the path does not end in one.
void AppendItem(CString& strPath, int nPosition, const CString& strItem)
{
    if (nPosition >= 2 || (!strPath.IsEmpty() && !EndsWithBackslash(strPath)))
        strPath += '\\';
    strPath += strItem;
}

// "C:\a\b" as "C:\", "a", "b"; "\\srv\share\a" as "\\srv\share\", "a".
std::vector<CString> SplitFolder(const CString& strFolder)
{
    std::vector<CString> parts;
    LPCTSTR lpsz = strFolder;
    LPCTSTR p = lpsz;
    int nRootSeparators = (lpsz[0] == '\\' && lpsz[1] == '\\') ? 4 : 1;
    int nSeen = 0;
    while (*p != '\0' && nSeen < nRootSeparators) {
        if (*p == '\\')
            ++nSeen;
        p = ::CharNextA(p);
    }
    CString strRoot(lpsz, static_cast<int>(p - lpsz));
    if (!EndsWithBackslash(strRoot))
        strRoot += '\\';
    parts.push_back(strRoot);

    LPCTSTR lpszStart = p;
    for (;; p = ::CharNextA(p)) {
        if (*p == '\\' || *p == '\0') {
            if (p > lpszStart)
                parts.push_back(CString(lpszStart, static_cast<int>(p - lpszStart)));
            if (*p == '\0')
                break;
            lpszStart = p + 1;
        }
    }
    return parts;
}

std::vector<CString> SubFolders(const CString& strFolder)
{
    std::vector<CString> names;
    CString strPattern = strFolder;
    if (!EndsWithBackslash(strPattern))
        strPattern += '\\';
    strPattern += '*';
    WIN32_FIND_DATAA data;
    HANDLE hFind = ::FindFirstFileA(strPattern, &data);
    if (hFind == INVALID_HANDLE_VALUE)
        return names;
    do {
        if ((data.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) && lstrcmpA(data.cFileName, ".") != 0 &&
            lstrcmpA(data.cFileName, "..") != 0)
            names.push_back(CString(data.cFileName));
    } while (::FindNextFileA(hFind, &data));
    ::FindClose(hFind);
    std::sort(names.begin(), names.end(),
              [](const CString& a, const CString& b) { return ::lstrcmpiA(a, b) < 0; });
    return names;
}

// The caption of a dialog template (DIALOG or DIALOGEX), or "".
CString TemplateCaption(HINSTANCE hInstance, LPCTSTR lpszTemplate)
{
    HRSRC hResource = ::FindResourceA(hInstance, lpszTemplate, RT_DIALOG);
    HGLOBAL hTemplate = hResource != NULL ? ::LoadResource(hInstance, hResource) : NULL;
    const WORD* p = hTemplate != NULL ? static_cast<const WORD*>(::LockResource(hTemplate)) : NULL;
    if (p == NULL)
        return CString();
    const BOOL bExtended = p[0] == 1 && p[1] == 0xFFFF;
    // Past the fixed part: version, signature, help id, styles, item
    // count and position (extended), or styles, count and position.
    p += bExtended ? 13 : 9;
    for (int i = 0; i < 2; ++i) {  // menu, then window class
        if (*p == 0xFFFF)
            p += 2;
        else
            p += ::lstrlenW(reinterpret_cast<LPCWSTR>(p)) + 1;
    }
    LPCWSTR lpszCaption = reinterpret_cast<LPCWSTR>(p);
    int nLength = ::WideCharToMultiByte(CP_ACP, 0, lpszCaption, -1, NULL, 0, NULL, NULL);
    CString strCaption;
    if (nLength > 1) {
        ::WideCharToMultiByte(CP_ACP, 0, lpszCaption, -1, strCaption.GetBuffer(nLength), nLength, NULL, NULL);
        strCaption.ReleaseBuffer(nLength - 1);
    }
    return strCaption;
}

// The platform's list holds the hierarchy when its first item is a root.
BOOL IsRootItem(const CString& strItem)
{
    return strItem.GetLength() == 3 && strItem[1] == ':' && strItem[2] == '\\';
}

}  // namespace

CChooseDir::CChooseDir(BOOL bOpenFileDialog, LPCTSTR lpszInitialDir, LPCTSTR lpszDefExt, LPCTSTR lpszFileName,
                       DWORD dwFlags, LPCTSTR lpszFilter, CWnd* pParentWnd)
    : CFileDialog(bOpenFileDialog, lpszDefExt, lpszFileName, dwFlags | OFN_ENABLETEMPLATE, lpszFilter, pParentWnd),
      m_bFirstPaint(FALSE), m_bOwnFolderList(FALSE), m_nOpenItem(-1)
{
    // The caller may have made Ordwell's resources current just for this.
    m_ofn.hInstance = AfxGetResourceHandle();
    m_ofn.lpTemplateName = MAKEINTRESOURCEA(IDD_CHOOSE_DIR);
    m_ofn.Flags &= ~OFN_EXPLORER;

    // The dialog starts in the current folder.
    if (lpszInitialDir == NULL || !::SetCurrentDirectoryA(lpszInitialDir)) {
        AfxMessageBox(IDS_DIR_NOT_EXIST, MB_OK, 0);
        CString strDefault;
        strDefault.LoadString(IDS_DEFAULT_DIR);
        ::SetCurrentDirectoryA(strDefault);
    }
}

CChooseDir::~CChooseDir()
{
}

void CChooseDir::DoDataExchange(CDataExchange*)
{
}

BOOL CChooseDir::OnInitDialog()
{
    // Without a title of the caller's the template's caption stays; some
    // platforms put "Open" there regardless.
    if (m_ofn.lpstrTitle == NULL) {
        CString strCaption = TemplateCaption(m_ofn.hInstance, m_ofn.lpTemplateName);
        if (!strCaption.IsEmpty())
            SetWindowText(strCaption);
    }
    CenterWindow();
    // The common dialog only accepts with a file name in its box.
    SetDlgItemText(edt1, "ToBeDeleted");

    CString strFirst;
    CWnd* pList = GetDlgItem(lst2);
    if (pList != NULL) {
        LRESULT nLength = pList->SendMessage(LB_GETTEXTLEN, 0, 0);
        if (nLength != LB_ERR) {
            pList->SendMessage(LB_GETTEXT, 0,
                               reinterpret_cast<LPARAM>(strFirst.GetBuffer(static_cast<int>(nLength) + 1)));
            strFirst.ReleaseBuffer(static_cast<int>(nLength));
        }
    }
    m_bOwnFolderList = pList != NULL && !IsRootItem(strFirst);
    if (m_bOwnFolderList)
        FillFolderList();
    ShowSelectedPath(TRUE);

    if (pList != NULL)
        pList->SetFocus();
    m_bFirstPaint = TRUE;
    CFileDialog::OnInitDialog();
    return FALSE;
}

void CChooseDir::OnPaint()
{
    CPaintDC dc(this);
    if (m_bFirstPaint) {
        m_bFirstPaint = FALSE;
        SendDlgItemMessage(lst2, LB_SETCURSEL, 0, 0);
    }
}

void CChooseDir::OnLBSelChangedNotify(UINT nIDBox, UINT, UINT)
{
    // A drive change has the platform fill the list its own way again.
    if (m_bOwnFolderList && nIDBox != lst1 && nIDBox != lst2)
        FillFolderList();
    ShowSelectedPath(FALSE);
}

BOOL CChooseDir::OnFileNameOK()
{
    GetDlgItemText(IDC_CHOOSE_PATH, m_strChosenDir);
    if (m_strChosenDir.FindOneOf("*?|/<>\"") >= 0) {
        CString strFormat, strMessage;
        strFormat.LoadString(IDS_PATH_INVALID);
        strMessage.Format(strFormat, static_cast<LPCTSTR>(m_strChosenDir));
        AfxMessageBox(strMessage);
        return TRUE;
    }
    if (::SetCurrentDirectoryA(m_strChosenDir))
        return FALSE;
    if (_mkdir(m_strChosenDir) == 0)
        return FALSE;
    return TRUE;
}

// The platform's old-style dialog may list the current folder's entries
// flat and act only on a double click; then the chooser keeps the list as
// the drive-to-folder hierarchy itself and follows every selection.
BOOL CChooseDir::OnHookMessage(UINT message, WPARAM wParam, LPARAM lParam, UINT_PTR* pResult)
{
    if (m_bOwnFolderList && message == WM_COMMAND && LOWORD(wParam) == lst2) {
        if (HIWORD(wParam) == LBN_SELCHANGE) {
            LRESULT nSel = SendDlgItemMessage(lst2, LB_GETCURSEL, 0, 0);
            OnLBSelChangedNotify(lst2, static_cast<UINT>(nSel), CD_LBSELCHANGE);
            *pResult = TRUE;
            return TRUE;
        }
        if (HIWORD(wParam) == LBN_DBLCLK) {
            OpenSelectedFolder();
            *pResult = TRUE;
            return TRUE;
        }
    }
    return CFileDialog::OnHookMessage(message, wParam, lParam, pResult);
}

CString CChooseDir::PathFromList(int nSel) const
{
    CString strPath;
    CWnd* pList = GetDlgItem(lst2);
    if (pList == NULL)
        return strPath;
    // In a list the chooser keeps, a subfolder joins the open folder alone,
    // not the subfolders listed above it.
    const BOOL bSubFolder = m_bOwnFolderList && nSel > m_nOpenItem;
    const int nLast = bSubFolder ? m_nOpenItem : nSel;
    auto itemText = [pList](int i) {
        CString strItem;
        LRESULT nLength = pList->SendMessage(LB_GETTEXTLEN, i, 0);
        if (nLength == LB_ERR)
            return strItem;
        pList->SendMessage(LB_GETTEXT, i,
                           reinterpret_cast<LPARAM>(strItem.GetBuffer(static_cast<int>(nLength) + 1)));
        strItem.ReleaseBuffer(static_cast<int>(nLength));
        return strItem;
    };
    for (int i = 0; i <= nLast; ++i)
        AppendItem(strPath, i, itemText(i));
    if (bSubFolder)
        AppendItem(strPath, nLast + 1, itemText(nSel));
    return strPath;
}

void CChooseDir::ShowSelectedPath(BOOL bLower)
{
    LRESULT nSel = SendDlgItemMessage(lst2, LB_GETCURSEL, 0, 0);
    m_strChosenDir.Empty();
    if (nSel == LB_ERR)
        return;
    m_strChosenDir = PathFromList(static_cast<int>(nSel));
    if (bLower)
        m_strChosenDir.MakeLower();
    SetDlgItemText(IDC_CHOOSE_PATH, m_strChosenDir);
}

void CChooseDir::FillFolderList()
{
    CWnd* pList = GetDlgItem(lst2);
    if (pList == NULL)
        return;
    const CString strFolder = CurrentFolder();
    pList->SendMessage(WM_SETREDRAW, FALSE, 0);
    pList->SendMessage(LB_RESETCONTENT, 0, 0);
    std::vector<CString> parts = SplitFolder(strFolder);
    for (const CString& strPart : parts)
        pList->SendMessage(LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(static_cast<LPCTSTR>(strPart)));
    m_nOpenItem = static_cast<int>(parts.size()) - 1;
    for (const CString& strName : SubFolders(strFolder))
        pList->SendMessage(LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(static_cast<LPCTSTR>(strName)));
    pList->SendMessage(LB_SETCURSEL, m_nOpenItem, 0);
    pList->SendMessage(WM_SETREDRAW, TRUE, 0);
    pList->Invalidate();
}

void CChooseDir::OpenSelectedFolder()
{
    LRESULT nSel = SendDlgItemMessage(lst2, LB_GETCURSEL, 0, 0);
    if (nSel == LB_ERR)
        return;
    if (::SetCurrentDirectoryA(PathFromList(static_cast<int>(nSel))))
        FillFolderList();
    ShowSelectedPath(FALSE);
}

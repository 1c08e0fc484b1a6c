// The most recently used file list, kept in the application's profile.
#include "afxwin.h"

#include <mbstring.h>

#include <string>

CRecentFileList::CRecentFileList(UINT nStart, LPCTSTR lpszSection, LPCTSTR lpszEntryFormat, int nSize,
                                 int nMaxDispLen)
    : m_nSize(nSize > 0 ? nSize : 0),
      m_arrNames(new CString[nSize > 0 ? nSize : 1]),
      m_strSectionName(lpszSection),
      m_strEntryFormat(lpszEntryFormat),
      m_nStart(nStart),
      m_nMaxDisplayLength(nMaxDispLen)
{
}

CRecentFileList::~CRecentFileList()
{
    delete[] m_arrNames;
}

CString& CRecentFileList::operator[](int nIndex)
{
    ASSERT(nIndex >= 0 && nIndex < m_nSize);
    return m_arrNames[nIndex];
}

void CRecentFileList::Add(LPCTSTR lpszPathName)
{
    if (m_nSize == 0 || lpszPathName == NULL)
        return;
    CString name(lpszPathName);
    // The entry already listed (or else the last one) makes room at the front.
    int nFound = m_nSize - 1;
    for (int i = 0; i < m_nSize; i++) {
        if (_mbsicmp(reinterpret_cast<const unsigned char*>((LPCTSTR)m_arrNames[i]),
                     reinterpret_cast<const unsigned char*>((LPCTSTR)name)) == 0) {
            nFound = i;
            break;
        }
    }
    for (int i = nFound; i > 0; i--)
        m_arrNames[i] = m_arrNames[i - 1];
    m_arrNames[0] = name;
}

void CRecentFileList::Remove(int nIndex)
{
    if (nIndex < 0 || nIndex >= m_nSize)
        return;
    for (int i = nIndex; i < m_nSize - 1; i++)
        m_arrNames[i] = m_arrNames[i + 1];
    m_arrNames[m_nSize - 1].Empty();
}

static CString EntryName(const CString& format, int nIndex)
{
    CString entry;
    entry.Format((LPCTSTR)format, nIndex + 1);
    return entry;
}

void CRecentFileList::ReadList()
{
    CWinApp* pApp = AfxGetApp();
    if (pApp == NULL)
        return;
    for (int i = 0; i < m_nSize; i++)
        m_arrNames[i] = pApp->GetProfileString(m_strSectionName, EntryName(m_strEntryFormat, i), "");
}

void CRecentFileList::WriteList()
{
    CWinApp* pApp = AfxGetApp();
    if (pApp == NULL)
        return;
    // The section is written anew, so that entries removed since stay away.
    pApp->WriteProfileString(m_strSectionName, NULL, NULL);
    for (int i = 0; i < m_nSize; i++) {
        if (!m_arrNames[i].IsEmpty())
            pApp->WriteProfileString(m_strSectionName, EntryName(m_strEntryFormat, i), m_arrNames[i]);
    }
}

// Index just after the last backslash, stepping over double-byte characters
// whose trail byte can equal a backslash.
static int NameStart(const CString& path)
{
    int start = 0;
    const unsigned char* p = reinterpret_cast<const unsigned char*>((LPCTSTR)path);
    for (int i = 0; p[i] != 0; i++) {
        if (IsDBCSLeadByte(p[i]) && p[i + 1] != 0) {
            i++;
            continue;
        }
        if (p[i] == '\\' || p[i] == '/' || p[i] == ':')
            start = i + 1;
    }
    return start;
}

BOOL CRecentFileList::GetDisplayName(CString& strName, int nIndex, LPCTSTR lpszCurDir, int nCurDir,
                                     BOOL bAtLeastName) const
{
    if (nIndex < 0 || nIndex >= m_nSize || m_arrNames[nIndex].IsEmpty())
        return FALSE;
    CString path = m_arrNames[nIndex];
    if (lpszCurDir != NULL && nCurDir > 0 && path.GetLength() > nCurDir &&
        _mbsnicmp(reinterpret_cast<const unsigned char*>((LPCTSTR)path),
                  reinterpret_cast<const unsigned char*>(lpszCurDir), nCurDir) == 0 &&
        NameStart(path) == nCurDir + (lpszCurDir[nCurDir - 1] == '\\' ? 0 : 1)) {
        path = path.Mid(NameStart(path));
    }
    if (m_nMaxDisplayLength > 0 && path.GetLength() > m_nMaxDisplayLength) {
        // Drive and name with "..." between, or the name alone when even that
        // is too long.
        CString name = path.Mid(NameStart(path));
        int nRoot = path.Find('\\');
        CString shortened = nRoot >= 0 ? path.Left(nRoot + 1) + "...\\" + name : name;
        if (shortened.GetLength() <= m_nMaxDisplayLength || !bAtLeastName)
            path = shortened.GetLength() <= m_nMaxDisplayLength ? shortened : CString();
        else
            path = name;
    }
    strName = path;
    return TRUE;
}

void CRecentFileList::UpdateMenu(CCmdUI* pCmdUI)
{
    if (m_strOriginal.IsEmpty() && pCmdUI->m_pMenu != NULL)
        pCmdUI->m_pMenu->GetMenuString(pCmdUI->m_nID, m_strOriginal, MF_BYCOMMAND);

    if (m_nSize == 0 || m_arrNames[0].IsEmpty()) {
        if (!m_strOriginal.IsEmpty())
            pCmdUI->SetText(m_strOriginal);
        pCmdUI->Enable(FALSE);
        return;
    }
    if (pCmdUI->m_pMenu == NULL)
        return;

    for (int i = 0; i < m_nSize; i++)
        pCmdUI->m_pMenu->DeleteMenu(pCmdUI->m_nID + i, MF_BYCOMMAND);

    char szCurDir[MAX_PATH];
    DWORD nCurDir = ::GetCurrentDirectoryA(MAX_PATH, szCurDir);
    if (nCurDir == 0 || nCurDir >= MAX_PATH)
        nCurDir = 0;

    int i = 0;
    for (; i < m_nSize; i++) {
        CString name;
        if (!GetDisplayName(name, i, szCurDir, static_cast<int>(nCurDir)))
            break;
        // A single '&' would underline the next letter instead of showing.
        CString escaped;
        for (int k = 0; k < name.GetLength(); k++) {
            escaped += name[k];
            if (name[k] == '&')
                escaped += '&';
        }
        CString text;
        text.Format("&%d %s", (i + 1) % 10, (LPCTSTR)escaped);
        pCmdUI->m_pMenu->InsertMenu(pCmdUI->m_nIndex++, MF_STRING | MF_BYPOSITION, pCmdUI->m_nID++, text);
    }
    // The menu now holds i items in place of one.
    pCmdUI->m_nIndex--;
    pCmdUI->m_nIndexMax += i - 1;
    pCmdUI->m_bEnableChanged = TRUE;
}

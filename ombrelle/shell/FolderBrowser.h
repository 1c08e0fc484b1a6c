// Browses for a folder with the shell's folder browser, and splits a path
// into its parts.
#pragma once

#include "afxwin.h"

#include <shlobj.h>

class CFolderBrowser {
public:
    explicit CFolderBrowser(LPCTSTR lpszPath = NULL);
    // The path of the file a search has found; the search is borrowed.
    explicit CFolderBrowser(const CFileFind* pFind);

    // Shows the browser; TRUE with a file-system folder chosen.
    BOOL Browse(CWnd* pOwner);

    void SetTitle(LPCTSTR lpszTitle) { m_strTitle = lpszTitle; }
    void SetRoot(LPCTSTR lpszRoot) { m_strRoot = lpszRoot; }
    void SetPreselect(LPCTSTR lpszFolder) { m_strPreselect = lpszFolder; }
    CString GetChosenPath() const { return m_strChosenPath; }
    int GetChosenImage() const { return m_nChosenImage; }

    // Parts of the full path.
    CString GetFileName() const;    // name with extension
    CString GetFolder() const;      // drive with folder
    CString GetName() const { return m_szName; }
    CString GetExtension() const { return m_szExt; }
    CString GetTypeName() const;
    CString GetDisplayName() const;
    int GetSmallIconIndex() const;
    BOOL Exists() const;
    // Of the borrowed search's file: "MM/DD/YYYY hh:mm" and "1,234,567".
    CString GetLastWriteTimeText() const;
    CString GetLengthText() const;

protected:
    static int CALLBACK BrowseCallback(HWND hWnd, UINT uMsg, LPARAM lParam, LPARAM lpData);
    void Split();

    int m_nChosenImage;
    CString m_strChosenPath;
    CString m_strRoot;
    CString m_strPreselect;
    CString m_strTitle;
    const CFileFind* m_pFind;
    CString m_strFullPath;
    char m_szDrive[3];
    char m_szFolder[256];
    char m_szName[256];
    char m_szExt[256];
};

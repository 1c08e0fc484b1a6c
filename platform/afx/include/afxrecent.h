// CRecentFileList: the most recently used file list that an application keeps
// in its profile and shows as numbered menu items.
#pragma once

#include "afxstr.h"

class CCmdUI;

#ifndef AFX_ABBREV_FILENAME_LEN
#define AFX_ABBREV_FILENAME_LEN 30
#endif

class AFX_API CRecentFileList {
public:
    // nStart: command id of the first entry; the entries are read from and
    // written to the profile section under lpszEntryFormat % (index + 1).
    CRecentFileList(UINT nStart, LPCTSTR lpszSection, LPCTSTR lpszEntryFormat, int nSize,
                    int nMaxDispLen = AFX_ABBREV_FILENAME_LEN);
    virtual ~CRecentFileList();

    int GetSize() const { return m_nSize; }
    CString& operator[](int nIndex);

    // Puts the name first; an entry equal to it ignoring case moves there.
    virtual void Add(LPCTSTR lpszPathName);
    // Removes one entry; the later ones move up.
    virtual void Remove(int nIndex);
    virtual void ReadList();
    virtual void WriteList();

    // The entry as a menu shows it: without lpszCurDir when it lies there,
    // shortened to the display length. FALSE for an empty entry.
    virtual BOOL GetDisplayName(CString& strName, int nIndex, LPCTSTR lpszCurDir, int nCurDir,
                                BOOL bAtLeastName = TRUE) const;
    // Replaces the menu item of pCmdUI by one item per entry, "&1 name" ...,
    // with ids from nStart; an empty list leaves the item disabled.
    virtual void UpdateMenu(CCmdUI* pCmdUI);

    int m_nSize;
    CString* m_arrNames;
    CString m_strSectionName;
    CString m_strEntryFormat;
    UINT m_nStart;
    int m_nMaxDisplayLength;
    CString m_strOriginal;  // the menu item's text before any entry replaced it

private:
    CRecentFileList(const CRecentFileList&);
    void operator=(const CRecentFileList&);
};

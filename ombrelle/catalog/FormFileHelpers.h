// File, folder, profile and registry helpers of the form-control framework,
// the recent-entries list and the font's archive form. Paths and values are
// whole whatever their length.
#pragma once

#include "afxwin.h"
#include "afxcoll.h"

class CArchive;

// The program's folder with its trailing backslash.
CString ProgramFolder();
// The current directory followed by "\".
CString CurrentFolder();
CString PrefixCurrentFolder(const CString& strPath);
// A file or folder matches the path (wild cards allowed).
BOOL PathExists(const CString& strPath);
// Creates the file in text mode with the text; FALSE when it cannot be
// opened or written.
BOOL StoreTextFile(const CString& strText, const CString& strPath);
// The same, telling the user "Unable to open file" when it fails.
BOOL WriteTextFile(const CString& strText, const CString& strPath);
// The stored value, the default when the key is missing, "" when nothing comes back.
CString ReadProfileText(const CString& strFile, const CString& strSection, const CString& strKey,
                        const CString& strDefault);
BOOL WriteProfileText(const CString& strFile, const CString& strSection, const CString& strKey,
                      const CString& strValue);
// Stores the value as REG_SZ, creating the key when needed.
BOOL WriteRegistryText(HKEY hRoot, const CString& strSubKey, const CString& strName, const CString& strValue);
// Puts the text into the list of recent entries: new ones at the tail (bAppend
// 1) or the head, known ones moved to the head unless bAppend is 1; with
// nMaxCount above 1 the list is then cut to nMaxCount entries.
void AddToRecentList(int nMaxCount, const CString& strText, CStringList& list, int bAppend);
// Stores or loads a LOGFONT: five 32-bit members, eight bytes, the face name as a string.
void LogFontSerialize(CArchive& ar, LOGFONT& font);

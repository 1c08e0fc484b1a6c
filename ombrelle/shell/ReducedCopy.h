// Where the reduced (display) copy of a picture lives: one JPEG per picture
// in the temp folder, named so that pictures of the same name in different
// folders, or x.jpg beside x.tif, never share a copy.
#pragma once

#include "afx.h"

// <temp folder>\<name without extension>_<8 hex digits>.jpg, the digits being
// the 32-bit FNV-1a hash of the lower-cased full path.
CString ReducedCopyName(const CString& strTempFolder, const CString& strPath);

// The upload's copies of a picture ("prev_" for the preview, "web_" for the
// web copy) follow the same rule with the prefix before the name:
// <temp folder>\<prefix><name without extension>_<8 hex digits>.jpg.
CString UploadCopyName(const CString& strTempFolder, LPCTSTR lpszPrefix, const CString& strPath);

// The 32-bit FNV-1a hash of the bytes of the text.
DWORD Fnv1aHash(const CString& strText);

// Nonzero when the file lies directly in the folder (compared without regard
// to letter case or a trailing backslash).
BOOL IsFileInFolder(const CString& strPath, const CString& strFolder);

// The path without its trailing backslashes (a GBK trail byte that equals a
// backslash is kept).
CString WithoutTrailingBackslash(const CString& strPath);

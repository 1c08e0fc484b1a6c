// Small path and list helpers of the upload: a picture's name and folder,
// whether a file is there, whether a path is in a list.
#pragma once

#include "afx.h"
#include "afxcoll.h"

// The path after its last backslash.
CString FileNameOf(const CString& strPath);
// The path before its last backslash; "" when it has none.
CString FolderOfFile(const CString& strPath);
// A file (not a folder) of that path exists; FALSE for "".
BOOL IsExistingFile(const CString& strPath);
// The text equals an entry of the list (exact comparison).
BOOL IsInList(const CStringArray& list, const CString& strItem);

// Text helpers of the job library.
#pragma once

#include "afxwin.h"

#include <string>

// Equal ignoring case, comparing double-byte characters as such.
bool SameTextNoCase(const CString& a, const CString& b);
// Index of the last backslash (double-byte aware), -1 when there is none.
int LastBackslash(const CString& path);
inline std::string ToStd(const CString& s) { return std::string((LPCTSTR)s, s.GetLength()); }
inline CString FromStd(const std::string& s) { return CString(s.c_str(), static_cast<int>(s.size())); }
// TRUE when the name holds one of the characters that a file name cannot:
// \ / : * ? " < > |
bool HasInvalidNameChar(const CString& name);

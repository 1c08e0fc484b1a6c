// Pieces of XML written by hand, as the client composes its own files.
#pragma once

#include "afxwin.h"

// n tab characters.
CString XmlIndent(int nLevel);
// "&", "<", ">", the double quote and "'" as entities ("&quot;" for the quote).
CString XmlEscape(const CString& strText);
// The inverse of XmlEscape; also reads the old spelling "&quote;".
CString XmlUnescape(const CString& strText);
// Indent, <name>escaped value</name>, CR LF.
CString XmlElementLine(const CString& strName, const CString& strValue, int nLevel);
// The GB2312 declaration, a tab, then two line breaks.
CString XmlDeclaration();

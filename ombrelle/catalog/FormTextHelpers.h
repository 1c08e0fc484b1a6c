// Text checks and conversions of the form-control framework: numbers, phone
// numbers, dates, colours, yes/no, separated lists, SQL text pieces, VARIANTs.
// Each is stateless and reports by its result.
#pragma once

#include "afxwin.h"
#include "afxcoll.h"

#include <oaidl.h>

// Every character one of "1234567890.-", "." and "-" at most once each
// ("" passes).
BOOL IsNumberText(const CString& strText);
// The same test; on success the leading integer (a fraction dropped, a "-"
// counting only at the start, "" giving 0) goes to nValue. nValue is left
// alone on failure.
BOOL ParseNumberText(const CString& strText, int& nValue);
// -1 when the character is absent, 0 when it occurs once, 1 when it occurs again.
int CharOccursTwice(const CString& strText, TCHAR ch);
// Not empty and only "0123456789+-()".
BOOL IsPhoneText(const CString& strText);
// Parses a date; on success the text becomes "%Y-%m-%d" of it.
BOOL NormaliseDateText(CString& strText);

CString NumberText(int nValue);
CString YesNoText(BOOL bYes);
BOOL IsYesText(const CString& strText);
// "#RRGGBB", upper-case hexadecimal.
CString ColourToHtml(COLORREF colour);
CString ColourToRgbText(COLORREF colour);
// The text, ";" and the number's absolute value (exact for every int).
CString AppendAbsNumber(const CString& strText, int nValue);
CString Trimmed(const CString& strText);
// Trimmed, every chFrom turned into chTo, and ending in chTo unless empty.
CString NormaliseSeparatedList(const CString& strText, TCHAR chFrom, TCHAR chTo);
// Appends the trimmed lines of the text, a blank line ending each entry
// (CR LF counting as one); bClearFirst empties the list first.
void SplitLines(CStringList& list, const CString& strText, BOOL bClearFirst);
// Every entry followed by "|".
CString JoinWithBar(const CStringList& list);
// Trimmed, quotes doubled, in single quotes.
CString SqlQuoted(const CString& strText);
CString SqlEscaped(const CString& strText);
BOOL StartsWithNoCase(const CString& strText, const CString& strPrefix);
BOOL TextEquals(const CString& strA, const CString& strB, BOOL bIgnoreCase);
BOOL ListHasNoCase(const CStringList& list, const CString& strText);

// The VARIANT's value as text or as a 32-bit number (VT_NULL gives "" or 0);
// the VARIANT is cleared. A value that cannot be changed raises _com_error.
CString VariantToText(VARIANT& value);
int VariantToInt(VARIANT& value);

template<class T>
T MinOf(T a, T b)
{
    return b < a ? b : a;
}

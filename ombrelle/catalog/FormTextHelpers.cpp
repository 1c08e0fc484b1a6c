#include "FormTextHelpers.h"

#include "afxoledate.h"

#include <comdef.h>

#include <climits>
#include <cstdlib>
#include <cstring>

namespace {

// Every character from the set; each of the once-only characters at most once.
BOOL OnlyCharsWithSingleDotAndMinus(const CString& strText, const char* pszSet)
{
    int nDots = 0, nMinus = 0;
    for (int i = 0; i < strText.GetLength(); ++i) {
        const char ch = strText[i];
        if (ch == '\0' || std::strchr(pszSet, ch) == NULL)
            return FALSE;
        nDots += ch == '.';
        nMinus += ch == '-';
    }
    return nDots <= 1 && nMinus <= 1;
}

// Changes the VARIANT to the type in place; raises _com_error when it cannot.
void ChangeTypeOrThrow(VARIANT& value, VARTYPE vt)
{
    const HRESULT hr = ::VariantChangeType(&value, &value, 0, vt);
    if (FAILED(hr)) {
        ::VariantClear(&value);
        _com_issue_error(hr);
    }
}

}  // namespace

BOOL IsNumberText(const CString& strText) { return OnlyCharsWithSingleDotAndMinus(strText, "1234567890.-"); }

BOOL ParseNumberText(const CString& strText, int& nValue)
{
    if (!OnlyCharsWithSingleDotAndMinus(strText, "01234567890.-"))
        return FALSE;
    // strtol stops at the first character after the digits and saturates
    // instead of overflowing.
    const long nParsed = std::strtol(strText, NULL, 10);
    nValue = int(nParsed < INT_MIN ? INT_MIN : nParsed > INT_MAX ? INT_MAX : nParsed);
    return TRUE;
}

int CharOccursTwice(const CString& strText, TCHAR ch)
{
    const int nFirst = strText.Find(ch);
    if (nFirst < 0)
        return -1;
    return strText.Find(ch, nFirst + 1) < 0 ? 0 : 1;
}

BOOL IsPhoneText(const CString& strText)
{
    if (strText.IsEmpty())
        return FALSE;
    for (int i = 0; i < strText.GetLength(); ++i)
        if (std::strchr("0123456789+-()", strText[i]) == NULL || strText[i] == '\0')
            return FALSE;
    return TRUE;
}

BOOL NormaliseDateText(CString& strText)
{
    COleDateTime date;
    const BOOL bParsed = date.ParseDateTime(strText, VAR_DATEVALUEONLY);
    if (bParsed)
        strText = date.Format("%Y-%m-%d");
    return bParsed;
}

CString NumberText(int nValue)
{
    CString strText;
    strText.Format("%d", nValue);
    return strText;
}

CString YesNoText(BOOL bYes) { return bYes ? "是" : "否"; }

BOOL IsYesText(const CString& strText) { return strText == "是"; }

CString ColourToHtml(COLORREF colour)
{
    CString strText;
    strText.Format("#%02X%02X%02X", GetRValue(colour), GetGValue(colour), GetBValue(colour));
    return strText;
}

CString ColourToRgbText(COLORREF colour)
{
    CString strText;
    strText.Format("RGB(%d,%d,%d)", GetRValue(colour), GetGValue(colour), GetBValue(colour));
    return strText;
}

CString AppendAbsNumber(const CString& strText, int nValue)
{
    // Widened first: the absolute value of INT_MIN is no int.
    const long long nAbs = nValue < 0 ? -static_cast<long long>(nValue) : nValue;
    CString strNumber;
    strNumber.Format("%lld", nAbs);
    return strText + ";" + strNumber;
}

CString Trimmed(const CString& strText)
{
    CString strTrimmed = strText;
    strTrimmed.TrimLeft();
    strTrimmed.TrimRight();
    return strTrimmed;
}

CString NormaliseSeparatedList(const CString& strText, TCHAR chFrom, TCHAR chTo)
{
    CString strList = Trimmed(strText);
    strList.Replace(chFrom, chTo);
    if (!strList.IsEmpty() && strList.Right(1) != CString(chTo))
        strList += chTo;
    return strList;
}

void SplitLines(CStringList& list, const CString& strText, BOOL bClearFirst)
{
    if (bClearFirst)
        list.RemoveAll();
    CString strRest = strText;
    strRest.Replace("\r\n", "\n\n");
    if (strRest.Right(2) != "\n\n")
        strRest += "\n\n";
    for (int nEnd; (nEnd = strRest.Find("\n\n")) >= 0;) {
        list.AddTail(Trimmed(strRest.Left(nEnd)));
        strRest = strRest.Mid(nEnd + 2);
    }
}

CString JoinWithBar(const CStringList& list)
{
    CString strJoined;
    for (POSITION pos = list.GetHeadPosition(); pos != NULL;)
        strJoined += list.GetNext(pos) + "|";
    return strJoined;
}

CString SqlEscaped(const CString& strText)
{
    CString strEscaped = strText;
    strEscaped.Replace("'", "''");
    return strEscaped;
}

CString SqlQuoted(const CString& strText) { return "'" + SqlEscaped(Trimmed(strText)) + "'"; }

BOOL StartsWithNoCase(const CString& strText, const CString& strPrefix)
{
    return strText.Left(strPrefix.GetLength()).CompareNoCase(strPrefix) == 0;
}

BOOL TextEquals(const CString& strA, const CString& strB, BOOL bIgnoreCase)
{
    return bIgnoreCase ? strA.CompareNoCase(strB) == 0 : strA == strB;
}

BOOL ListHasNoCase(const CStringList& list, const CString& strText)
{
    for (POSITION pos = list.GetHeadPosition(); pos != NULL;)
        if (list.GetNext(pos).CompareNoCase(strText) == 0)
            return TRUE;
    return FALSE;
}

CString VariantToText(VARIANT& value)
{
    if (value.vt == VT_NULL) {
        ::VariantClear(&value);
        return "";
    }
    if (value.vt != VT_BSTR)
        ChangeTypeOrThrow(value, VT_BSTR);
    const CString strText(value.bstrVal);
    ::VariantClear(&value);
    return strText;
}

int VariantToInt(VARIANT& value)
{
    if (value.vt == VT_NULL) {
        ::VariantClear(&value);
        return 0;
    }
    if (value.vt != VT_I4)
        ChangeTypeOrThrow(value, VT_I4);
    const int nValue = value.lVal;
    ::VariantClear(&value);
    return nValue;
}

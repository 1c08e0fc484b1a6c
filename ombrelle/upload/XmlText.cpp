#include "XmlText.h"

CString XmlIndent(int nLevel)
{
    CString strIndent;
    for (int i = 0; i < nLevel; ++i)
        strIndent += '\t';
    return strIndent;
}

CString XmlEscape(const CString& strText)
{
    CString strEscaped = strText;
    strEscaped.Replace("&", "&amp;");
    strEscaped.Replace("<", "&lt;");
    strEscaped.Replace(">", "&gt;");
    strEscaped.Replace("\"", "&quot;");
    strEscaped.Replace("'", "&apos;");
    return strEscaped;
}

CString XmlUnescape(const CString& strText)
{
    CString strPlain = strText;
    strPlain.Replace("&lt;", "<");
    strPlain.Replace("&gt;", ">");
    strPlain.Replace("&quote;", "\"");
    strPlain.Replace("&quot;", "\"");
    strPlain.Replace("&apos;", "'");
    strPlain.Replace("&amp;", "&");
    return strPlain;
}

CString XmlElementLine(const CString& strName, const CString& strValue, int nLevel)
{
    return XmlIndent(nLevel) + "<" + strName + ">" + XmlEscape(strValue) + "</" + strName + ">\r\n";
}

CString XmlDeclaration() { return "<?xml version=\"1.0\" encoding=\"GB2312\" standalone=\"no\"?>\t\r\n\r\n"; }

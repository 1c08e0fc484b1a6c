#include "XmlText.h"

#include "XmlEntities.h"

CString XmlIndent(int nLevel)
{
    CString strIndent;
    for (int i = 0; i < nLevel; ++i)
        strIndent += '\t';
    return strIndent;
}

namespace {

std::string Bytes(const CString& str)
{
    return std::string(static_cast<LPCTSTR>(str), str.GetLength());
}

CString FromBytes(const std::string& bytes)
{
    return CString(bytes.data(), static_cast<int>(bytes.size()));
}

}  // namespace

CString XmlEscape(const CString& strText)
{
    return FromBytes(XmlEscapeText(Bytes(strText)));
}

CString XmlUnescape(const CString& strText)
{
    return FromBytes(XmlUnescapeText(Bytes(strText)));
}

CString XmlElementLine(const CString& strName, const CString& strValue, int nLevel)
{
    return XmlIndent(nLevel) + "<" + strName + ">" + XmlEscape(strValue) + "</" + strName + ">\r\n";
}

CString XmlDeclaration() { return "<?xml version=\"1.0\" encoding=\"GB2312\" standalone=\"no\"?>\t\r\n\r\n"; }

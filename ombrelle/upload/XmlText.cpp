#include "XmlText.h"

CString XmlIndent(int nLevel)
{
    CString strIndent;
    for (int i = 0; i < nLevel; ++i)
        strIndent += '\t';
    return strIndent;
}

namespace {

struct Entity {
    const char* plain;
    const char* escaped;
};

// In the order of escaping; "&" first, so that no entity is escaped again.
const Entity kEntities[] = {{"&", "&amp;"}, {"<", "&lt;"}, {">", "&gt;"}, {"\"", "&quot;"}, {"'", "&apos;"}};

}  // namespace

CString XmlEscape(const CString& strText)
{
    CString strEscaped = strText;
    for (const Entity& entity : kEntities)
        strEscaped.Replace(entity.plain, entity.escaped);
    return strEscaped;
}

CString XmlUnescape(const CString& strText)
{
    CString strPlain = strText;
    // Files written before "&quot;" spell the quote "&quote;".
    strPlain.Replace("&quote;", "\"");
    // The reverse order: "&amp;" last, so that "&amp;lt;" stays "&lt;".
    for (int i = int(sizeof kEntities / sizeof kEntities[0]) - 1; i >= 0; --i)
        strPlain.Replace(kEntities[i].escaped, kEntities[i].plain);
    return strPlain;
}

CString XmlElementLine(const CString& strName, const CString& strValue, int nLevel)
{
    return XmlIndent(nLevel) + "<" + strName + ">" + XmlEscape(strValue) + "</" + strName + ">\r\n";
}

CString XmlDeclaration() { return "<?xml version=\"1.0\" encoding=\"GB2312\" standalone=\"no\"?>\t\r\n\r\n"; }

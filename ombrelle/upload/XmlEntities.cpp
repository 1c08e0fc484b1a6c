#include "XmlEntities.h"

namespace {

struct Entity {
    const char* plain;
    const char* escaped;
};

// In the order of escaping; "&" first, so that no entity is escaped again.
const Entity kEntities[] = {{"&", "&amp;"}, {"<", "&lt;"}, {">", "&gt;"}, {"\"", "&quot;"}, {"'", "&apos;"}};

void ReplaceAll(std::string& text, const std::string& from, const std::string& to)
{
    for (size_t at = text.find(from); at != std::string::npos; at = text.find(from, at + to.size()))
        text.replace(at, from.size(), to);
}

}  // namespace

std::string XmlEscapeText(const std::string& text)
{
    std::string escaped = text;
    for (const Entity& entity : kEntities)
        ReplaceAll(escaped, entity.plain, entity.escaped);
    return escaped;
}

std::string XmlUnescapeText(const std::string& text)
{
    std::string plain = text;
    // Files written before "&quot;" spell the quote "&quote;".
    ReplaceAll(plain, "&quote;", "\"");
    // The reverse order: "&amp;" last, so that "&amp;lt;" stays "&lt;".
    for (int i = int(sizeof kEntities / sizeof kEntities[0]) - 1; i >= 0; --i)
        ReplaceAll(plain, kEntities[i].escaped, kEntities[i].plain);
    return plain;
}

#include "ServerReply.h"

#include <cstdlib>

namespace serverreply {

namespace {

bool IsSpace(char c) { return c == ' ' || c == '\t' || c == '\r' || c == '\n' || c == '\v' || c == '\f'; }

}  // namespace

std::string Trim(const std::string& reply)
{
    size_t begin = 0;
    size_t end = reply.size();
    while (begin < end && IsSpace(reply[begin]))
        ++begin;
    while (end > begin && IsSpace(reply[end - 1]))
        --end;
    return reply.substr(begin, end - begin);
}

Verdict JudgeNumbered(const std::string& trimmed)
{
    const size_t semicolon = trimmed.find(';');
    const std::string number = semicolon == std::string::npos ? std::string() : trimmed.substr(0, semicolon);
    return std::atoi(number.c_str()) < 0 ? Verdict::Bad : Verdict::Good;
}

Verdict JudgeXml(const std::string& trimmed) { return trimmed.empty() ? Verdict::Bad : Verdict::Good; }

Verdict JudgeAddAsset(const std::string& trimmed)
{
    if (trimmed.empty())
        return Verdict::Refused;
    const int value = std::atoi(trimmed.c_str());
    if (value < -1)
        return Verdict::Refused;
    return trimmed == "-1" ? Verdict::Bad : Verdict::Good;
}

std::string PercentEncode(const std::string& value)
{
    static const char kHex[] = "0123456789ABCDEF";
    std::string encoded;
    for (unsigned char c : value) {
        if ((c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || (c >= '0' && c <= '9') || c == '-' || c == '_' ||
            c == '.' || c == '~') {
            encoded += char(c);
        } else {
            encoded += '%';
            encoded += kHex[c >> 4];
            encoded += kHex[c & 15];
        }
    }
    return encoded;
}

std::string PageBelow(const std::string& serverAddress, const std::string& page)
{
    if (serverAddress.empty() || serverAddress == "http://")
        return std::string();
    std::string address = serverAddress;
    if (address.back() != '/')
        address += '/';
    return address + page;
}

}  // namespace serverreply

#include "ConnectionString.h"

#include <cwctype>
#include <utility>
#include <vector>

namespace ado {

namespace {

const wchar_t kEmbeddedDatabase[] = L"MARRENTOLBECK.db";

std::wstring Trimmed(const std::wstring& text)
{
    const size_t first = text.find_first_not_of(L" \t");
    if (first == std::wstring::npos)
        return std::wstring();
    const size_t last = text.find_last_not_of(L" \t");
    return text.substr(first, last - first + 1);
}

bool SameKey(const std::wstring& a, const std::wstring& b)
{
    if (a.size() != b.size())
        return false;
    for (size_t i = 0; i < a.size(); ++i)
        if (std::towlower(a[i]) != std::towlower(b[i]))
            return false;
    return true;
}

// key=value pairs split at semicolons outside braces.
std::vector<std::pair<std::wstring, std::wstring>> Pairs(const std::wstring& text)
{
    std::vector<std::pair<std::wstring, std::wstring>> pairs;
    size_t at = 0;
    while (at < text.size()) {
        const size_t equals = text.find(L'=', at);
        const size_t semicolon = text.find(L';', at);
        if (equals == std::wstring::npos || (semicolon != std::wstring::npos && semicolon < equals)) {
            if (semicolon == std::wstring::npos)
                break;
            at = semicolon + 1;
            continue;
        }
        std::wstring key = Trimmed(text.substr(at, equals - at));
        size_t valueStart = equals + 1;
        while (valueStart < text.size() && text[valueStart] == L' ')
            ++valueStart;
        size_t end;
        std::wstring value;
        if (valueStart < text.size() && text[valueStart] == L'{') {
            const size_t close = text.find(L'}', valueStart);
            end = close == std::wstring::npos ? text.size() : close + 1;
            value = text.substr(valueStart, end - valueStart);
            end = text.find(L';', end);
        } else {
            end = text.find(L';', valueStart);
            value = Trimmed(text.substr(valueStart, end == std::wstring::npos ? std::wstring::npos : end - valueStart));
        }
        pairs.emplace_back(key, value);
        if (end == std::wstring::npos)
            break;
        at = end + 1;
    }
    return pairs;
}

std::wstring Unbraced(const std::wstring& value)
{
    if (value.size() >= 2 && value.front() == L'{' && value.back() == L'}')
        return value.substr(1, value.size() - 2);
    return value;
}

// UTF-8 bytes of a UTF-16 text.
std::string Utf8(const std::wstring& text)
{
    std::string bytes;
    for (size_t i = 0; i < text.size(); ++i) {
        unsigned long c = text[i];
        if (c >= 0xD800 && c <= 0xDBFF && i + 1 < text.size() && text[i + 1] >= 0xDC00 && text[i + 1] <= 0xDFFF)
            c = 0x10000 + ((c - 0xD800) << 10) + (text[++i] - 0xDC00);
        if (c < 0x80) {
            bytes += char(c);
        } else if (c < 0x800) {
            bytes += char(0xC0 | (c >> 6));
            bytes += char(0x80 | (c & 0x3F));
        } else if (c < 0x10000) {
            bytes += char(0xE0 | (c >> 12));
            bytes += char(0x80 | ((c >> 6) & 0x3F));
            bytes += char(0x80 | (c & 0x3F));
        } else {
            bytes += char(0xF0 | (c >> 18));
            bytes += char(0x80 | ((c >> 12) & 0x3F));
            bytes += char(0x80 | ((c >> 6) & 0x3F));
            bytes += char(0x80 | (c & 0x3F));
        }
    }
    return bytes;
}

// unixODBC hands a wide connection string to the driver cut to one byte per
// character, so a host path with other characters goes as a file: URI
// (which SQLite opens) whose bytes are all plain ASCII.
std::wstring HostFileName(const std::wstring& path)
{
    bool plain = true;
    for (wchar_t c : path)
        plain = plain && c >= 0x20 && c < 0x7F;
    if (plain)
        return path;
    static const char kHex[] = "0123456789ABCDEF";
    std::wstring uri = L"file:";
    for (unsigned char byte : Utf8(path)) {
        if ((byte >= 'A' && byte <= 'Z') || (byte >= 'a' && byte <= 'z') || (byte >= '0' && byte <= '9') || byte == '/' || byte == '-' || byte == '.' || byte == '_' || byte == '~') {
            uri += wchar_t(byte);
        } else {
            uri += L'%';
            uri += wchar_t(kHex[byte >> 4]);
            uri += wchar_t(kHex[byte & 0x0F]);
        }
    }
    return uri;
}

bool IsAbsolute(const std::wstring& path)
{
    return (path.size() >= 3 && std::iswalpha(path[0]) && path[1] == L':' && (path[2] == L'\\' || path[2] == L'/')) ||
           (path.size() >= 2 && path[0] == L'\\' && path[1] == L'\\') || (!path.empty() && path[0] == L'/');
}

}  // namespace

std::wstring ConnectionStringValue(const std::wstring& text, const std::wstring& key)
{
    for (const auto& pair : Pairs(text))
        if (SameKey(pair.first, key))
            return Unbraced(pair.second);
    return std::wstring();
}

std::wstring DriverConnectionString(const std::wstring& text, const ConnectionStringContext& context)
{
    const std::wstring driver = ConnectionStringValue(text, L"Driver");
    if (driver.empty() || !context.isSqliteDriver || !context.isSqliteDriver(driver))
        return text;
    const std::wstring server = ConnectionStringValue(text, L"Server");
    std::wstring file;
    if (server.empty() || SameKey(server, L"(local)") || server == L"127.0.0.1")
        file = context.programFolder + L"\\" + kEmbeddedDatabase;
    else
        file = server;
    if (IsAbsolute(file) && file[0] != L'/' && context.hostPath)
        file = context.hostPath(file);
    if (!file.empty() && file[0] == L'/')
        file = HostFileName(file);
    std::wstring result;
    for (const auto& pair : Pairs(text)) {
        if (SameKey(pair.first, L"Server") || SameKey(pair.first, L"Database") || SameKey(pair.first, L"UID") ||
            SameKey(pair.first, L"PWD"))
            continue;
        result += pair.first + L"=" + pair.second + L";";
    }
    // Braces only where a semicolon needs them: the SQLite driver reads the
    // value as it stands.
    if (file.find(L';') != std::wstring::npos)
        return result + L"Database={" + file + L"};";
    return result + L"Database=" + file + L";";
}

}  // namespace ado

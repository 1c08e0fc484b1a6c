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

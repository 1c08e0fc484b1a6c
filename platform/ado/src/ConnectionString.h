// The connection string as the driver manager gets it. Plain C++ over
// UTF-16 texts, so that the rule can be read and tested on its own.
#pragma once

#include <functional>
#include <string>

namespace ado {

struct ConnectionStringContext {
    // Tells whether the named ODBC driver is the SQLite driver.
    std::function<bool(const std::wstring& driver)> isSqliteDriver;
    // The program's folder, without a trailing separator.
    std::wstring programFolder;
    // The path the driver opens for an absolute path of the program.
    std::function<std::wstring(const std::wstring& path)> hostPath;
};

// The value of a key (case-blind; braces around the value taken off);
// empty when the key is missing.
std::wstring ConnectionStringValue(const std::wstring& text, const std::wstring& key);

// The string unchanged unless its driver is the SQLite driver; then its
// Server becomes the Database file (see AdoObjects.h).
std::wstring DriverConnectionString(const std::wstring& text, const ConnectionStringContext& context);

}  // namespace ado

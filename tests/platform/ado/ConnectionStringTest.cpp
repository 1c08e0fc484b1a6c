#include "ConnectionString.h"

#include <gtest/gtest.h>

using ado::ConnectionStringContext;
using ado::DriverConnectionString;

namespace {

ConnectionStringContext Context()
{
    ConnectionStringContext context;
    context.isSqliteDriver = [](const std::wstring& driver) { return driver == L"SQL Server" || driver == L"SQLite3"; };
    context.programFolder = L"C:\\Program\\Bin";
    context.hostPath = [](const std::wstring& path) { return L"/host/" + path; };
    return context;
}

}  // namespace

TEST(ConnectionString, TheSqliteDriversServerBecomesTheDatabaseFile)
{
    struct Case {
        const wchar_t* given;
        const wchar_t* expected;
    };
    const Case cases[] = {
        {L"Driver=SQL Server;Server=(local);Database=Rights;UID=sa;PWD=x",
         L"Driver=SQL Server;Database=/host/C:\\Program\\Bin\\MARRENTOLBECK.db;"},
        {L"Driver={SQL Server};Server=127.0.0.1", L"Driver={SQL Server};Database=/host/C:\\Program\\Bin\\MARRENTOLBECK.db;"},
        {L"Driver=SQL Server;Server=", L"Driver=SQL Server;Database=/host/C:\\Program\\Bin\\MARRENTOLBECK.db;"},
        {L"Driver=SQL Server", L"Driver=SQL Server;Database=/host/C:\\Program\\Bin\\MARRENTOLBECK.db;"},
        {L"driver=SQLite3; server = D:\\data\\rights.db ;Timeout=5",
         L"driver=SQLite3;Timeout=5;Database=/host/D:\\data\\rights.db;"},
        {L"Driver=SQLite3;Server=/var/lib/rights.db", L"Driver=SQLite3;Database=/var/lib/rights.db;"},
        {L"Driver=SQLite3;Server={/a;b.db}", L"Driver=SQLite3;Database={/a;b.db};"},
        // A host path beyond plain ASCII goes as a file: URI of UTF-8 bytes.
        {L"Driver=SQLite3;Server=/tmp/权限 1.db", L"Driver=SQLite3;Database=file:/tmp/%E6%9D%83%E9%99%90%201.db;"},
        {L"Driver=SQLite3;Server=C:\\数据\\r.db", L"Driver=SQLite3;Database=file:/host/C%3A%5C%E6%95%B0%E6%8D%AE%5Cr.db;"},
        // Other drivers get the string as it is.
        {L"Driver=PostgreSQL Unicode;Server=(local);Database=r", L"Driver=PostgreSQL Unicode;Server=(local);Database=r"},
        {L"DSN=Rights;Server=(local)", L"DSN=Rights;Server=(local)"},
    };
    for (const Case& c : cases)
        EXPECT_EQ(c.expected, DriverConnectionString(c.given, Context())) << c.given;
}

TEST(ConnectionString, ValuesAreFoundCaseBlindAndWithoutBraces)
{
    EXPECT_EQ(L"SQL Server", ado::ConnectionStringValue(L"uid=a;DRIVER={SQL Server};", L"Driver"));
    EXPECT_EQ(L"a;b", ado::ConnectionStringValue(L"PWD={a;b};UID=c", L"pwd"));
    EXPECT_EQ(L"", ado::ConnectionStringValue(L"UID=c", L"Server"));
}

#include "RightsStoreDatabase.h"

#include "ADORecordset.h"
#include "WinePath.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <sstream>
#include <stdexcept>

namespace {

std::string SqlScript(const std::string& name)
{
    return std::string(OMBRELLE_RIGHTS_SQL_DIR) + "/" + name;
}

// A script's statements, without its "--" comments.
std::vector<std::string> Statements(const std::string& script)
{
    std::istringstream lines(script);
    std::string line, text;
    while (std::getline(lines, line)) {
        const size_t comment = line.find("--");
        text += line.substr(0, comment) + "\n";
    }
    std::vector<std::string> statements;
    std::istringstream parts(text);
    std::string statement;
    while (std::getline(parts, statement, ';'))
        if (statement.find_first_not_of(" \r\n\t") != std::string::npos)
            statements.push_back(statement);
    return statements;
}

std::string KeptId(const CString& text, const std::vector<int>& keptIds)
{
    const int id = atoi(text);
    return std::find(keptIds.begin(), keptIds.end(), id) != keptIds.end() ? std::string(text) : "*";
}

}  // namespace

std::string RightsServerName(RightsServer server)
{
    return server == RightsServer::SQLite ? "SQLite" : "PostgreSQL";
}

RightsStoreDatabase::RightsStoreDatabase(RightsServer server) : m_server(server)
{
    if (server == RightsServer::PostgreSQL) {
        // A fresh cluster takes a few seconds, more beside other test programs.
        m_postgres = std::make_unique<testsupport::PythonService>(
            "testsvc/postgres_server.py",
            std::vector<std::string>{SqlScript("postgresql-schema.sql"), SqlScript("seed.sql")}, 120000);
        m_connectString.Format("Driver={PostgreSQL Unicode};Server=127.0.0.1;Port=%d;Database=MARRENTOLBECK;"
                               "UID=MintaRolk;PWD=MintaRolk;",
                               m_postgres->Port());
    } else {
        m_connectString = CString("Driver=SQLite3;Server=") + m_folder.File("MARRENTOLBECK.db").c_str();
    }
    if (!m_admin.Open(m_connectString))
        throw std::runtime_error("cannot open the test's connection: " + std::string(m_admin.GetLastErrorString()));
    if (server == RightsServer::SQLite) {
        for (const char* script : {"sqlite-schema.sql", "seed.sql"}) {
            const std::string text = testsupport::ReadFileBytes(testsupport::HostPathForWindows(SqlScript(script)));
            if (text.empty() || !Run(text))
                throw std::runtime_error(std::string("cannot run ") + script);
        }
    }
}

RightsStoreDatabase::~RightsStoreDatabase()
{
    m_admin.Close();
}

bool RightsStoreDatabase::Run(const std::string& sql)
{
    for (const std::string& statement : Statements(sql)) {
        if (!m_admin.Execute(statement.c_str())) {
            ADD_FAILURE() << statement << "\n" << (LPCTSTR)m_admin.GetLastErrorString();
            return false;
        }
    }
    return true;
}

bool RightsStoreDatabase::RefuseInserts(const std::string& table)
{
    if (m_server == RightsServer::SQLite) {
        // One statement, with a ";" inside: not split as Run would.
        const std::string trigger = "CREATE TRIGGER refuse_" + table + " BEFORE INSERT ON " + table +
                                    " BEGIN SELECT RAISE(ABORT, 'refused'); END";
        const bool made = m_admin.Execute(trigger.c_str());
        EXPECT_TRUE(made) << (LPCTSTR)m_admin.GetLastErrorString();
        return made;
    }
    return RunAsSuperuser("REVOKE INSERT ON " + table + " FROM \"MintaRolk\"");
}

bool RightsStoreDatabase::RefuseSelects(const std::string& table)
{
    return m_server == RightsServer::PostgreSQL &&
           RunAsSuperuser("REVOKE SELECT ON " + table + " FROM \"MintaRolk\"");
}

bool RightsStoreDatabase::RestoreRights()
{
    return m_server == RightsServer::SQLite ||
           RunAsSuperuser("GRANT ALL ON ALL TABLES IN SCHEMA public TO \"MintaRolk\"");
}

bool RightsStoreDatabase::RunAsSuperuser(const std::string& sql)
{
    const std::string answer = m_postgres->Command("sql " + sql);
    EXPECT_EQ("OK", answer) << sql;
    return answer == "OK";
}

std::vector<std::string> RightsStoreDatabase::Rows(const std::vector<int>& keptIds)
{
    struct Table {
        const char* name;
        const char* select;
        std::vector<bool> ids;  // which columns hold ids
    };
    const Table tables[] = {
        {"Users", "select UserID, UserName, Password, Email, Comment from Users", {true, false, false, false, false}},
        {"Models", "select ModelID, ModelName, Comment from Models", {true, false, false}},
        {"FunList", "select FunID, FunName, ModelID, Comment from FunList", {true, false, true, false}},
        {"UserModels", "select UserID, ModelID from UserModels", {true, true}},
    };
    std::vector<std::string> rows;
    for (const Table& table : tables) {
        CADORecordset rs(&m_admin);
        if (!rs.Open(table.select, CADORecordset::openQuery)) {
            ADD_FAILURE() << table.select << "\n" << (LPCTSTR)rs.GetLastErrorString();
            continue;
        }
        const long count = rs.GetRecordCount();
        if (count > 0)
            rs.m_pRecordset->MoveFirst();
        for (long row = 0; row < count; ++row) {
            std::string text = table.name;
            for (size_t column = 0; column < table.ids.size(); ++column) {
                CString value;
                rs.GetFieldValue(int(column), value);
                text += "|" + (table.ids[column] ? KeptId(value, keptIds) : std::string(value));
            }
            rows.push_back(text);
            rs.m_pRecordset->MoveNext();
        }
    }
    std::sort(rows.begin(), rows.end());
    return rows;
}

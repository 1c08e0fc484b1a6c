// The rights store's database for a test, on either kind of server the
// store runs on: a SQLite file made from the project's schema, or a private
// PostgreSQL server (tools/testsvc/postgres_server.py) with the same schema.
// A connection of the test's own sets up the rows and reads them back.
#pragma once

#include "ADODataBase.h"
#include "PythonService.h"
#include "TempDir.h"

#include <memory>
#include <ostream>
#include <string>
#include <vector>

enum class RightsServer { SQLite, PostgreSQL };

std::string RightsServerName(RightsServer server);
// For test names and messages.
inline void PrintTo(RightsServer server, std::ostream* out)
{
    *out << RightsServerName(server);
}

class RightsStoreDatabase {
public:
    // Throws std::runtime_error when the database cannot be made.
    explicit RightsStoreDatabase(RightsServer server);
    ~RightsStoreDatabase();

    RightsServer Server() const { return m_server; }
    // The text a store connects with.
    const CString& ConnectString() const { return m_connectString; }

    // Runs statements that give no rows (";"-separated, "--" comments
    // allowed); false when one fails.
    bool Run(const std::string& sql);
    // From now on every insert into the table fails.
    bool RefuseInserts(const std::string& table);
    // From now on every select of the table fails while inserts still go
    // (PostgreSQL only: SQLite has no rights to take).
    bool RefuseSelects(const std::string& table);
    // Gives back every right taken (the test's own connection reads through
    // the store's role).
    bool RestoreRights();

    // Every row of the four tables, one text each, sorted:
    // "Users|id|name|password|email|comment", "Models|id|name|comment",
    // "FunList|id|name|module id|comment", "UserModels|user id|module id".
    // An id that is not in keptIds (an id the database gave) reads "*".
    std::vector<std::string> Rows(const std::vector<int>& keptIds);

private:
    // Runs a statement on PostgreSQL as the superuser.
    bool RunAsSuperuser(const std::string& sql);

    RightsServer m_server;
    testsupport::TempDir m_folder;
    std::unique_ptr<testsupport::PythonService> m_postgres;
    CString m_connectString;
    CADODataBase m_admin;
};

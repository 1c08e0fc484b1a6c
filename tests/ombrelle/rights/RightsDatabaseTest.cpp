#include "RightsDatabase.h"

#include "DebugOutputCapture.h"
#include "RightsStoreDatabase.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <functional>
#include <initializer_list>

namespace {

// The rows every case starts from: ids above 32,767 among them, a function
// without a module (0) and one whose module was deleted (-1).
const char kStartingRows[] =
    "delete from UserModels; delete from FunList; delete from Models; delete from Users;"
    "insert into Users(UserID, UserName, Password, Email, Comment) values"
    " (40001, 'Ann', 'secret', 'ann@example.com', 'first'), (40002, 'Bob', 'pw', '', ''),"
    " (70000, 'Cai', 'cai', '', '');"
    "insert into Models(ModelID, ModelName, Comment) values"
    " (40010, 'Scan', 'scanning'), (40011, 'Upload', 'uploads'), (70010, 'Admin', '');"
    "insert into FunList(FunID, FunName, ModelID, Comment) values"
    " (40100, 'ScanPage', 40010, 'f1'), (40101, 'UploadFile', 40011, 'f2'), (40102, 'Loose', 0, ''),"
    " (40103, 'Orphan', -1, '');"
    "insert into UserModels(UserID, ModelID) values (40001, 40010), (40001, 40011), (40002, 40010)";

const std::vector<int> kStartingIds = {40001, 40002, 70000, 40010, 40011, 70010,
                                       40100, 40101, 40102, 40103, 0,     -1};

std::string Text(const UserRecord& r)
{
    return std::to_string(r.UserID) + "|" + (LPCTSTR)r.UserName + "|" + (LPCTSTR)r.Password + "|" +
           (LPCTSTR)r.Email + "|" + (LPCTSTR)r.Comment;
}

std::string Text(const ModuleRecord& r)
{
    return std::to_string(r.ModelID) + "|" + (LPCTSTR)r.ModelName + "|" + (LPCTSTR)r.Comment;
}

std::string Text(const FunctionRecord& r)
{
    return std::to_string(r.FunID) + "|" + (LPCTSTR)r.FunName + "|" + std::to_string(r.ModelID) + "|" +
           (LPCTSTR)r.ModelName + "|" + (LPCTSTR)r.Comment;
}

std::string Text(const CString& s)
{
    return (LPCTSTR)s;
}

// A list's records, sorted (the statements fix no order), "; " between.
template <class List>
std::string ListText(List& list)
{
    std::vector<std::string> items;
    for (POSITION pos = list.GetHeadPosition(); pos != NULL;)
        items.push_back(Text(list.GetNext(pos)));
    std::sort(items.begin(), items.end());
    std::string text;
    for (const std::string& item : items)
        text += (text.empty() ? "" : "; ") + item;
    return text;
}

// The list holds a stale record, which every list operation must drop.
template <class Element, class Arg>
void Stale(CList<Element, Arg>* list)
{
    Element record;
    record.Comment = "stale";
    list->AddTail(record);
}

void Stale(CStringList* list)
{
    list->AddTail("stale");
}

template <class Record>
void Stale(Record* record)
{
    record->Comment = "stale";
}

template <class Record>
std::string Read(Record* record)
{
    return Text(*record);
}

template <class Element, class Arg>
std::string Read(CList<Element, Arg>* list)
{
    return ListText(*list);
}

std::string Read(CStringList* list)
{
    return ListText(*list);
}

using Operation = std::function<int(CRightsDatabase&, std::string&)>;

// An operation that fills a record or a list, which holds stale values
// before; the case reads what it holds afterwards.
template <class Filled>
Operation Filling(std::function<int(CRightsDatabase&, Filled*)> fill)
{
    return [fill](CRightsDatabase& db, std::string& read) {
        Filled filled;
        Stale(&filled);
        const int code = fill(db, &filled);
        read = Read(&filled);
        return code;
    };
}

Operation LoggingIn(const char* name, const char* password)
{
    return Filling<CStringList>([=](CRightsDatabase& db, CStringList* names) {
        return db.CheckLogin(name, password, names);
    });
}

void Fill(IdList& list, std::initializer_list<int> ids)
{
    for (int id : ids)
        list.AddTail(id);
}

std::string Chinese255()
{
    std::string name;
    for (int i = 0; i < 255; ++i)
        name += "权";
    return name;
}

struct Case {
    const char* name;
    const char* prepare;  // statements run after the starting rows, or nullptr
    std::function<int(CRightsDatabase&, std::string&)> operation;  // fills a text of what it read
    int code;
    std::string read;
    std::vector<std::string> changes;  // "+row" added, "-row" gone, against the rows before
};

std::vector<Case> Cases()
{
    using S = std::string;
    using DB = CRightsDatabase;
    return {
        // Users
        {"AddUser adds a row with an id of the database's", nullptr,
         [](DB& db, S&) { return db.AddUser("Dan", "pw", "d@example.com", "new"); }, 0, "",
         {"+Users|*|Dan|pw|d@example.com|new"}},
        {"AddUser from a record", nullptr,
         [](DB& db, S&) {
             UserRecord r;
             r.UserID = 40001;
             r.UserName = "Dan";
             r.Password = "pw";
             r.Email = "e";
             r.Comment = "c";
             return db.AddUser(&r);
         },
         0, "", {"+Users|*|Dan|pw|e|c"}},
        {"AddUser with an empty name", nullptr, [](DB& db, S&) { return db.AddUser("", "pw", "", ""); }, -20, "",
         {}},
        {"AddUser of an existing name", nullptr, [](DB& db, S&) { return db.AddUser("Ann", "x", "", ""); }, 1, "",
         {}},
        {"AddUser keeps hostile texts as typed", nullptr,
         [](DB& db, S& read) {
             const int code = db.AddUser("O'Brien; --", "p'w--", "a'); delete from Users; --", "张三");
             UserRecord r;
             read = std::to_string(db.GetUser("O'Brien; --", &r));
             read += " " + Text(r.Password);
             return code;
         },
         0, "0 p'w--", {"+Users|*|O'Brien; --|p'w--|a'); delete from Users; --|张三"}},
        {"AddUser keeps a name of 255 Chinese characters", nullptr,
         [](DB& db, S& read) {
             const int code = db.AddUser(Chinese255().c_str(), "pw", "", "");
             UserRecord r;
             read = std::to_string(db.GetUser(Chinese255().c_str(), &r));
             read += " " + std::to_string(r.UserName == Chinese255().c_str());
             return code;
         },
         0, "0 1", {"+Users|*|" + Chinese255() + "|pw||"}},
        {"UpdateUser of an id above 32,767", nullptr,
         [](DB& db, S&) { return db.UpdateUser(70000, "Cai2", "new", "c@example.com", "cc"); }, 0, "",
         {"-Users|70000|Cai|cai||", "+Users|70000|Cai2|new|c@example.com|cc"}},
        {"UpdateUser may take another user's name", nullptr,
         [](DB& db, S&) { return db.UpdateUser(70000, "Ann", "cai", "", ""); }, 0, "",
         {"-Users|70000|Cai|cai||", "+Users|70000|Ann|cai||"}},
        {"UpdateUser of an unknown id", nullptr, [](DB& db, S&) { return db.UpdateUser(12345, "X", "", "", ""); },
         1, "", {}},
        {"UpdateUser with an empty name", nullptr, [](DB& db, S&) { return db.UpdateUser(70000, "", "", "", ""); },
         -20, "", {}},
        {"DeleteUser takes the user's rights", nullptr, [](DB& db, S&) { return db.DeleteUser("Ann"); }, 0, "",
         {"-Users|40001|Ann|secret|ann@example.com|first", "-UserModels|40001|40010", "-UserModels|40001|40011"}},
        {"DeleteUser of an unknown name", nullptr, [](DB& db, S&) { return db.DeleteUser("Nobody"); }, 1, "", {}},
        {"DeleteUser with a quote trick deletes nothing", nullptr,
         [](DB& db, S&) { return db.DeleteUser("x' or '1'='1"); }, 1, "", {}},

        // Modules
        {"AddModule", nullptr, [](DB& db, S&) { return db.AddModule("Print", "p"); }, 0, "",
         {"+Models|*|Print|p"}},
        {"AddModule from a record", nullptr,
         [](DB& db, S&) {
             ModuleRecord r;
             r.ModelName = "模块;--";
             r.Comment = "it's";
             return db.AddModule(&r);
         },
         0, "", {"+Models|*|模块;--|it's"}},
        {"AddModule with an empty name", nullptr, [](DB& db, S&) { return db.AddModule("", "x"); }, -10, "", {}},
        {"AddModule of an existing name", nullptr, [](DB& db, S&) { return db.AddModule("Scan", ""); }, 1, "", {}},
        {"UpdateModule of an id above 32,767", nullptr,
         [](DB& db, S&) { return db.UpdateModule(70010, "Root", "r"); }, 0, "",
         {"-Models|70010|Admin|", "+Models|70010|Root|r"}},
        {"UpdateModule of an unknown id", nullptr, [](DB& db, S&) { return db.UpdateModule(12345, "X", ""); }, 1, "",
         {}},
        {"UpdateModule with an empty name", nullptr, [](DB& db, S&) { return db.UpdateModule(70010, "", ""); }, -20,
         "", {}},
        {"DeleteModule takes its rights and frees its functions", nullptr,
         [](DB& db, S&) { return db.DeleteModule("Scan"); }, 0, "",
         {"-Models|40010|Scan|scanning", "-UserModels|40001|40010", "-UserModels|40002|40010",
          "-FunList|40100|ScanPage|40010|f1", "+FunList|40100|ScanPage|-1|f1"}},
        {"DeleteModule of an unknown name", nullptr, [](DB& db, S&) { return db.DeleteModule("Nope"); }, 1, "", {}},

        // Functions
        {"AddFunction into a module", nullptr, [](DB& db, S&) { return db.AddFunction("Print", "Upload", "x"); }, 0,
         "", {"+FunList|*|Print|40011|x"}},
        {"AddFunction with an unknown module stores module 0", nullptr,
         [](DB& db, S&) { return db.AddFunction("Print", "Nope", "x"); }, 0, "", {"+FunList|*|Print|0|x"}},
        {"AddFunction from a record stores module 0", nullptr,
         [](DB& db, S&) {
             FunctionRecord r;
             r.FunName = "Print";
             r.ModelID = 40010;
             r.ModelName = "Scan";
             r.Comment = "c";
             return db.AddFunction(&r);
         },
         0, "", {"+FunList|*|Print|0|c"}},
        {"AddFunction with an empty name", nullptr, [](DB& db, S&) { return db.AddFunction("", "Scan", ""); }, -20,
         "", {}},
        {"AddFunction of an existing name", nullptr, [](DB& db, S&) { return db.AddFunction("Loose", "Scan", ""); },
         1, "", {}},
        {"UpdateFunction changes name and comment only", nullptr,
         [](DB& db, S&) { return db.UpdateFunction(40103, "Orphan2", "o"); }, 0, "",
         {"-FunList|40103|Orphan|-1|", "+FunList|40103|Orphan2|-1|o"}},
        {"UpdateFunction of an unknown id", nullptr, [](DB& db, S&) { return db.UpdateFunction(12345, "X", ""); }, 1,
         "", {}},
        {"UpdateFunction with an empty name", nullptr, [](DB& db, S&) { return db.UpdateFunction(40103, "", ""); },
         -20, "", {}},
        {"DeleteFunction", nullptr, [](DB& db, S&) { return db.DeleteFunction("Loose"); }, 0, "",
         {"-FunList|40102|Loose|0|"}},
        {"DeleteFunction of an unknown name", nullptr, [](DB& db, S&) { return db.DeleteFunction("Nope"); }, 1, "",
         {}},
        {"SetFunctionModuleByName", nullptr, [](DB& db, S&) { return db.SetFunctionModuleByName("Loose", "Admin"); },
         0, "", {"-FunList|40102|Loose|0|", "+FunList|40102|Loose|70010|"}},
        {"SetFunctionModuleByName of an unknown function", nullptr,
         [](DB& db, S&) { return db.SetFunctionModuleByName("Nope", "Admin"); }, 1, "", {}},
        {"SetFunctionModuleByName of an unknown module", nullptr,
         [](DB& db, S&) { return db.SetFunctionModuleByName("Loose", "Nope"); }, 2, "", {}},
        {"SetFunctionModuleByName with an empty name", nullptr,
         [](DB& db, S&) { return db.SetFunctionModuleByName("Loose", ""); }, -20, "", {}},

        // Rights
        {"SetUserModules replaces the user's rights", nullptr,
         [](DB& db, S&) {
             IdList ids;
             Fill(ids, {40011, 70010});
             return db.SetUserModules(40002, &ids);
         },
         0, "", {"-UserModels|40002|40010", "+UserModels|40002|40011", "+UserModels|40002|70010"}},
        {"SetUserModules with an empty list takes every right", nullptr,
         [](DB& db, S&) {
             IdList ids;
             return db.SetUserModules(40001, &ids);
         },
         0, "", {"-UserModels|40001|40010", "-UserModels|40001|40011"}},
        {"SetUserModules of an unknown user", nullptr,
         [](DB& db, S&) {
             IdList ids;
             Fill(ids, {40010});
             return db.SetUserModules(12345, &ids);
         },
         2, "", {}},
        {"SetUserModules failing at a later insert keeps the old rights", nullptr,
         [](DB& db, S&) {
             IdList ids;
             Fill(ids, {70010, 70010});
             return db.SetUserModules(40001, &ids);
         },
         -10, "", {}},
        {"SetFunctionModule moves the listed functions only", nullptr,
         [](DB& db, S&) {
             IdList ids;
             Fill(ids, {40100, 40102});
             return db.SetFunctionModule(70010, &ids);
         },
         0, "",
         {"-FunList|40100|ScanPage|40010|f1", "+FunList|40100|ScanPage|70010|f1", "-FunList|40102|Loose|0|",
          "+FunList|40102|Loose|70010|"}},
        {"SetFunctionModule with an empty list", nullptr,
         [](DB& db, S&) {
             IdList ids;
             return db.SetFunctionModule(70010, &ids);
         },
         -10, "", {}},
        {"SetFunctionModule of an unknown module", nullptr,
         [](DB& db, S&) {
             IdList ids;
             Fill(ids, {40100});
             return db.SetFunctionModule(12345, &ids);
         },
         2, "", {}},
        {"AssignModuleToUser", nullptr, [](DB& db, S&) { return db.AssignModuleToUser("Bob", "Upload"); }, 0, "",
         {"+UserModels|40002|40011"}},
        {"AssignModuleToUser trims the module name", nullptr,
         [](DB& db, S&) { return db.AssignModuleToUser("Bob", "Upload   "); }, 0, "", {"+UserModels|40002|40011"}},
        {"AssignModuleToUser of a right already held", nullptr,
         [](DB& db, S&) { return db.AssignModuleToUser("Ann", "Scan"); }, 3, "", {}},
        {"AssignModuleToUser with an empty user", nullptr, [](DB& db, S&) { return db.AssignModuleToUser("", "Scan"); },
         -1, "", {}},
        {"AssignModuleToUser with a blank module", nullptr,
         [](DB& db, S&) { return db.AssignModuleToUser("Bob", "   "); }, -1, "", {}},
        {"AssignModuleToUser of an unknown module", nullptr,
         [](DB& db, S&) { return db.AssignModuleToUser("Bob", "Nope"); }, 1, "", {}},
        {"AssignModuleToUser of an unknown user", nullptr,
         [](DB& db, S&) { return db.AssignModuleToUser("Nobody", "Scan"); }, 2, "", {}},
        {"RemoveModuleFromUser", nullptr, [](DB& db, S&) { return db.RemoveModuleFromUser("Ann", "Scan"); }, 0, "",
         {"-UserModels|40001|40010"}},
        {"RemoveModuleFromUser of an unknown module", nullptr,
         [](DB& db, S&) { return db.RemoveModuleFromUser("Ann", "Nope"); }, 1, "", {}},
        {"RemoveModuleFromUser of an unknown user", nullptr,
         [](DB& db, S&) { return db.RemoveModuleFromUser("Nobody", "Scan"); }, 2, "", {}},

        // Log-in
        {"CheckLogin lists the user's modules", nullptr,
         LoggingIn("Ann", "secret"),
         0, "Scan; Upload", {}},
        {"CheckLogin with a wrong password", nullptr,
         LoggingIn("Ann", "wrong"),
         -1, "", {}},
        {"CheckLogin with a quote trick as password", nullptr,
         LoggingIn("Ann", "x' or '1'='1"),
         -1, "", {}},
        {"CheckLogin of a user without rights", nullptr,
         LoggingIn("Cai", "cai"),
         0, "", {}},
        {"CheckLogin with an empty password", "update Users set Password='' where UserID=40002",
         LoggingIn("Bob", ""),
         0, "Scan", {}},

        // Look-ups
        {"Existence checks and module ids", nullptr,
         [](DB& db, S& read) {
             for (int value : {db.UserExists(70000), db.UserExists("Cai"), db.UserExists("Nobody"),
                               db.ModuleExists(70010), db.ModuleExists("Upload"), db.ModuleExists(12345),
                               db.FunctionExists(40103), db.FunctionExists("Orphan"), db.FunctionExists("Nope"),
                               db.GetModuleId("Admin"), db.GetModuleId("Nope")})
                 read += std::to_string(value) + " ";
             return 0;
         },
         0, "1 1 0 1 1 0 1 1 0 70010 0 ", {}},
        {"GetModuleName", nullptr,
         [](DB& db, S& read) {
             read = Text(db.GetModuleName(40011)) + "," + Text(db.GetModuleName(-1));
             return 0;
         },
         0, "Upload,", {}},

        // Single records
        {"GetUser of an id above 32,767", nullptr,
         Filling<UserRecord>([](DB& db, UserRecord* r) { return db.GetUser("Cai", r); }),
         0, "70000|Cai|cai||", {}},
        {"GetUser does not trim the name", nullptr,
         Filling<UserRecord>([](DB& db, UserRecord* r) { return db.GetUser("Cai ", r); }),
         1, "0||||stale", {}},
        {"GetModule trims the name", nullptr,
         Filling<ModuleRecord>([](DB& db, ModuleRecord* r) { return db.GetModule("Admin  ", r); }),
         0, "70010|Admin|", {}},
        {"GetModule of an unknown name", nullptr,
         Filling<ModuleRecord>([](DB& db, ModuleRecord* r) { return db.GetModule("Nope", r); }),
         1, "0||stale", {}},
        {"GetFunction trims the name and names the module", nullptr,
         Filling<FunctionRecord>([](DB& db, FunctionRecord* r) { return db.GetFunction("ScanPage  ", r); }),
         0, "40100|ScanPage|40010|Scan|f1", {}},
        {"GetFunction of a function without a module", nullptr,
         Filling<FunctionRecord>([](DB& db, FunctionRecord* r) { return db.GetFunction("Orphan", r); }),
         0, "40103|Orphan|-1||", {}},

        // Lists
        {"GetUserModules", nullptr,
         Filling<ModuleRecordList>([](DB& db, ModuleRecordList* list) { return db.GetUserModules("Ann", list); }),
         0, "40010|Scan|scanning; 40011|Upload|uploads", {}},
        {"GetUserModules of a user without rights", nullptr,
         Filling<ModuleRecordList>([](DB& db, ModuleRecordList* list) { return db.GetUserModules("Cai", list); }),
         2, "", {}},
        {"GetUserModules of an unknown user", nullptr,
         Filling<ModuleRecordList>([](DB& db, ModuleRecordList* list) { return db.GetUserModules("Nobody", list); }),
         1, "", {}},
        {"GetModuleUsers trims the module name", nullptr,
         Filling<UserRecordList>([](DB& db, UserRecordList* list) { return db.GetModuleUsers("Scan ", list); }),
         0, "40001|Ann|secret|ann@example.com|first; 40002|Bob|pw||", {}},
        {"GetModuleUsers of a module without users", nullptr,
         Filling<UserRecordList>([](DB& db, UserRecordList* list) { return db.GetModuleUsers("Admin", list); }),
         -30, "", {}},
        {"GetAllUsers trims e-mail and comment only",
         "update Users set Password='pw  ', Email='b@x  ', Comment='note  ' where UserID=40002",
         Filling<UserRecordList>([](DB& db, UserRecordList* list) { return db.GetAllUsers(list); }),
         0, "40001|Ann|secret|ann@example.com|first; 40002|Bob|pw  |b@x|note; 70000|Cai|cai||", {}},
        {"GetAllUsers of an empty table", "delete from UserModels; delete from Users",
         Filling<UserRecordList>([](DB& db, UserRecordList* list) { return db.GetAllUsers(list); }),
         1, "", {}},
        {"GetAllModules trims name and comment", "update Models set ModelName='Admin  ', Comment='x  ' where ModelID=70010",
         Filling<ModuleRecordList>([](DB& db, ModuleRecordList* list) { return db.GetAllModules(list); }),
         0, "40010|Scan|scanning; 40011|Upload|uploads; 70010|Admin|x", {}},
        {"GetAllModules of an empty table", "delete from UserModels; delete from Models",
         Filling<ModuleRecordList>([](DB& db, ModuleRecordList* list) { return db.GetAllModules(list); }),
         1, "", {}},
        {"GetModuleFunctions", nullptr,
         Filling<FunctionRecordList>([](DB& db, FunctionRecordList* list) { return db.GetModuleFunctions("Scan", list); }),
         0, "40100|ScanPage|40010|Scan|f1", {}},
        {"GetModuleFunctions of a module without functions", nullptr,
         Filling<FunctionRecordList>([](DB& db, FunctionRecordList* list) { return db.GetModuleFunctions("Admin", list); }),
         2, "", {}},
        {"GetModuleFunctions of an unknown module", nullptr,
         Filling<FunctionRecordList>([](DB& db, FunctionRecordList* list) { return db.GetModuleFunctions("Nope", list); }),
         1, "", {}},
        {"GetModuleFunctions of an empty name", nullptr,
         Filling<FunctionRecordList>([](DB& db, FunctionRecordList* list) { return db.GetModuleFunctions("", list); }),
         -10, "", {}},
        {"GetAllFunctions lists functions without a module", "update FunList set Comment='f2  ' where FunID=40101",
         Filling<FunctionRecordList>([](DB& db, FunctionRecordList* list) { return db.GetAllFunctions(list); }),
         0, "40100|ScanPage|40010|Scan|f1; 40101|UploadFile|40011|Upload|f2; 40102|Loose|0||; 40103|Orphan|-1||", {}},
        {"GetAllFunctionsWithModules leaves them out", nullptr,
         Filling<FunctionRecordList>([](DB& db, FunctionRecordList* list) { return db.GetAllFunctionsWithModules(list); }),
         0, "40100|ScanPage|40010|Scan|f1; 40101|UploadFile|40011|Upload|f2", {}},
        {"GetAllFunctionsWithModules without a function in a module", "delete from FunList where ModelID > 0",
         Filling<FunctionRecordList>([](DB& db, FunctionRecordList* list) { return db.GetAllFunctionsWithModules(list); }),
         -30, "", {}},
    };
}

std::vector<std::string> Changed(std::vector<std::string> rows, const std::vector<std::string>& changes)
{
    for (const std::string& change : changes) {
        const std::string row = change.substr(1);
        if (change[0] == '+') {
            rows.push_back(row);
        } else {
            const auto found = std::find(rows.begin(), rows.end(), row);
            EXPECT_NE(rows.end(), found) << "the case removes a row that is not there: " << row;
            if (found != rows.end())
                rows.erase(found);
        }
    }
    std::sort(rows.begin(), rows.end());
    return rows;
}

class RightsDatabaseTest : public ::testing::TestWithParam<RightsServer> {
protected:
    void SetUp() override
    {
        m_database = std::make_unique<RightsStoreDatabase>(GetParam());
        CRightsDatabase::m_strConnectString = m_database->ConnectString();
    }

    void TearDown() override { CRightsDatabase::m_strConnectString.Empty(); }

    std::unique_ptr<RightsStoreDatabase> m_database;
};

TEST_P(RightsDatabaseTest, EveryOperationGivesItsCodeAndLeavesTheTablesAsItShould)
{
    for (const Case& c : Cases()) {
        SCOPED_TRACE(c.name);
        ASSERT_TRUE(m_database->Run(kStartingRows));
        if (c.prepare != nullptr) {
            ASSERT_TRUE(m_database->Run(c.prepare));
        }
        const std::vector<std::string> before = m_database->Rows(kStartingIds);
        std::string read;
        {
            CRightsDatabase store;
            EXPECT_EQ(c.code, c.operation(store, read));
        }
        EXPECT_EQ(c.read, read);
        EXPECT_EQ(Changed(before, c.changes), m_database->Rows(kStartingIds));
    }
}

TEST_P(RightsDatabaseTest, TheSeededAccountLogsInWithoutRights)
{
    CRightsDatabase store;
    CStringList names;
    EXPECT_EQ(0, store.CheckLogin("Keepr", "Keepr", &names));
    EXPECT_TRUE(names.IsEmpty());
    // The database gives the ids: the first user added after the seed's.
    EXPECT_EQ(0, store.AddUser("Dan", "pw", "", ""));
    UserRecord keepr, dan;
    ASSERT_EQ(0, store.GetUser("Keepr", &keepr));
    ASSERT_EQ(0, store.GetUser("Dan", &dan));
    EXPECT_GT(dan.UserID, keepr.UserID);
}

TEST_P(RightsDatabaseTest, TheConnectionStringIsSharedByStoresMadeLater)
{
    ASSERT_TRUE(m_database->Run(kStartingRows));
    CRightsDatabase::m_strConnectString.Empty();
    {
        CRightsDatabase first(m_database->ConnectString());
        CRightsDatabase second;
        EXPECT_TRUE(first.UserExists("Ann") == 1 && second.UserExists("Ann") == 1);
        EXPECT_EQ(0, second.AddModule("Print", ""));
    }
    CRightsDatabase later;
    CString text;
    EXPECT_EQ(0, later.GetConnectionString(&text));
    EXPECT_EQ(m_database->ConnectString(), text);
    EXPECT_EQ(1, later.ModuleExists("Print"));
}

TEST_P(RightsDatabaseTest, ABatchRefusedHalfwayLeavesTheOldRights)
{
    ASSERT_TRUE(m_database->Run(kStartingRows));
    const std::vector<std::string> before = m_database->Rows(kStartingIds);
    // The delete goes through; the insert after it is refused.
    ASSERT_TRUE(m_database->RefuseInserts("UserModels"));
    CRightsDatabase store;
    IdList ids;
             Fill(ids, {70010});
    EXPECT_EQ(-10, store.SetUserModules(40001, &ids));
    EXPECT_EQ(-10, store.AssignModuleToUser("Cai", "Admin"));
    EXPECT_EQ(before, m_database->Rows(kStartingIds));
    ModuleRecordList modules;
    EXPECT_EQ(0, store.GetUserModules("Ann", &modules));
    EXPECT_EQ("40010|Scan|scanning; 40011|Upload|uploads", ListText(modules));
}

TEST_P(RightsDatabaseTest, AnExistenceCheckThatFailsLetsNoInsertThrough)
{
    if (GetParam() == RightsServer::SQLite)
        GTEST_SKIP() << "SQLite has no rights to take";
    ASSERT_TRUE(m_database->Run(kStartingRows));
    const std::vector<std::string> before = m_database->Rows(kStartingIds);
    ASSERT_TRUE(m_database->RefuseSelects("Users"));
    ASSERT_TRUE(m_database->RefuseSelects("Models"));
    CRightsDatabase store;
    EXPECT_EQ(-10, store.UserExists("Ann"));
    // Without the check a second "Ann" would go in.
    EXPECT_EQ(-30, store.AddUser("Ann", "pw", "", ""));
    EXPECT_EQ(-30, store.AddModule("Scan", ""));
    ASSERT_TRUE(m_database->RestoreRights());
    EXPECT_EQ(before, m_database->Rows(kStartingIds));
}

INSTANTIATE_TEST_SUITE_P(On, RightsDatabaseTest, ::testing::Values(RightsServer::SQLite, RightsServer::PostgreSQL),
                         [](const ::testing::TestParamInfo<RightsServer>& info) {
                             return RightsServerName(info.param);
                         });

// Without a connection string no store connects, and every operation says
// so without touching a database.
TEST(RightsDatabaseUnconnected, EveryOperationAnswersNotConnected)
{
    CRightsDatabase::m_strConnectString.Empty();
    DebugOutputCapture debug;
    CRightsDatabase store;
    EXPECT_EQ("\n 请设置数据库连接字符串\n 连接数据库出错", debug.Text());

    EXPECT_EQ(-10, store.UserExists("Ann"));
    EXPECT_EQ(-10, store.ModuleExists(1));
    EXPECT_EQ(-10, store.FunctionExists("f"));
    EXPECT_EQ(-10, store.GetModuleId("Scan"));
    EXPECT_EQ(-10, store.AddUser("Ann", "pw", "", ""));
    EXPECT_EQ(-10, store.AddModule("Scan", ""));
    EXPECT_EQ(-10, store.DeleteUser("Ann"));
    IdList ids;
    EXPECT_EQ(-10, store.SetUserModules(1, &ids));
    EXPECT_EQ(-10, store.AssignModuleToUser("Ann", "Scan"));
    CStringList names;
    names.AddTail("stale");
    EXPECT_EQ(-10, store.CheckLogin("Ann", "pw", &names));
    EXPECT_TRUE(names.IsEmpty());
    UserRecordList users;
    Stale(&users);
    EXPECT_EQ(-10, store.GetAllUsers(&users));
    EXPECT_TRUE(users.IsEmpty());
    UserRecord user;
    EXPECT_EQ(-10, store.GetUser("Ann", &user));
}

TEST(RightsDatabaseUnconnected, AConnectionThatFailsIsReportedOnce)
{
    DebugOutputCapture debug;
    CRightsDatabase store("Driver={No Such Driver};Server=127.0.0.1;Database=MARRENTOLBECK;");
    EXPECT_EQ("\n 连接数据库出错", debug.Text());
    EXPECT_EQ(-10, store.AddUser("Ann", "pw", "", ""));
    CRightsDatabase::m_strConnectString.Empty();
}

}  // namespace

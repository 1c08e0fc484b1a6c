// The rights store's reading operations: single records for the edit
// dialogs and the lists of the administration pages.
#include "RightsDatabase.h"

#include "RightsStatement.h"

namespace {

void ReadUser(CADORecordset& rs, UserRecord& record)
{
    record.UserID = ReadId(rs, _T("UserID"));
    record.UserName = ReadText(rs, _T("UserName"));
    record.Password = ReadText(rs, _T("Password"));
    record.Email = ReadText(rs, _T("Email"));
    record.Comment = ReadText(rs, _T("Comment"));
}

void ReadModule(CADORecordset& rs, ModuleRecord& record)
{
    record.ModelID = ReadId(rs, _T("ModelID"));
    record.ModelName = ReadText(rs, _T("ModelName"));
    record.Comment = ReadText(rs, _T("Comment"));
}

// Every field but the module's name, which not every select carries.
void ReadFunction(CADORecordset& rs, FunctionRecord& record)
{
    record.FunID = ReadId(rs, _T("FunID"));
    record.ModelID = ReadId(rs, _T("ModelID"));
    record.FunName = ReadText(rs, _T("FunName"));
    record.Comment = ReadText(rs, _T("Comment"));
}

// The rows of an open select appended to the list, each read into a fresh
// record and finished by the given step (trimming, a look-up). 0, or the
// list's own code when there is no row.
template <class Record, class Finish>
int AppendRows(CADORecordset& rs, CList<Record, Record&>* pList, int nCodeWhenEmpty,
               void (*read)(CADORecordset&, Record&), Finish finish)
{
    if (rs.GetRecordCount() <= 0)
        return nCodeWhenEmpty;
    MoveFirst(rs);
    for (long row = 0; row < rs.GetRecordCount(); ++row) {
        Record record;
        read(rs, record);
        finish(record);
        pList->AddTail(record);
        MoveNext(rs);
    }
    return 0;
}

template <class Record>
int AppendRows(CADORecordset& rs, CList<Record, Record&>* pList, int nCodeWhenEmpty,
               void (*read)(CADORecordset&, Record&))
{
    return AppendRows(rs, pList, nCodeWhenEmpty, read, [](Record&) {});
}

}  // namespace

CString CRightsDatabase::GetModuleName(int moduleId)
{
    CADORecordset rs(&m_db);
    if (!CRightsStatement(&m_db, _T("select ModelName from Models where ModelID=?")).Id(moduleId).Open(rs) ||
        rs.GetRecordCount() <= 0)
        return CString();
    MoveFirst(rs);
    return ReadText(rs, _T("ModelName"));
}

// ---------------------------------------------------------------------------
// Single records: written only when the row was found

int CRightsDatabase::FillRecord(const std::function<int()>& exists, LPCTSTR lpszSql, const CString& name,
                                const std::function<void(CADORecordset&)>& read)
{
    return RightsGuarded(-20, [&] {
        if (exists() == 0)
            return 1;
        if (!m_bConnected)
            return -10;
        CADORecordset rs(&m_db);
        if (!CRightsStatement(&m_db, lpszSql).Text(name).Open(rs) || rs.GetRecordCount() <= 0)
            return -30;
        MoveFirst(rs);
        read(rs);
        return 0;
    });
}

int CRightsDatabase::GetUser(CString userName, UserRecord* pRecord)
{
    return FillRecord([&] { return UserExists(userName); },
                      _T("select UserID, UserName, Password, Email, Comment from Users where UserName=?"), userName,
                      [&](CADORecordset& rs) { ReadUser(rs, *pRecord); });
}

int CRightsDatabase::GetModule(CString moduleName, ModuleRecord* pRecord)
{
    moduleName.TrimRight();
    return FillRecord([&] { return ModuleExists(moduleName); },
                      _T("select ModelID, ModelName, Comment from Models where ModelName=?"), moduleName,
                      [&](CADORecordset& rs) { ReadModule(rs, *pRecord); });
}

int CRightsDatabase::GetFunction(CString functionName, FunctionRecord* pRecord)
{
    functionName.TrimRight();
    return FillRecord([&] { return FunctionExists(functionName); },
                      _T("select FunID, FunName, ModelID, Comment from FunList where FunName=?"), functionName,
                      [&](CADORecordset& rs) {
                          FunctionRecord record;
                          ReadFunction(rs, record);
                          record.ModelName = GetModuleName(record.ModelID);
                          *pRecord = record;
                      });
}

// ---------------------------------------------------------------------------
// Lists: emptied first on every path

int CRightsDatabase::GetUserModules(CString userName, ModuleRecordList* pList)
{
    pList->RemoveAll();
    return RightsGuarded(-20, [&] {
        if (UserExists(userName) == 0)
            return 1;
        if (!m_bConnected)
            return -10;
        CADORecordset rs(&m_db);
        if (!CRightsStatement(&m_db, _T("select Models.ModelID, Models.ModelName, Models.Comment ")
                                     _T("from Models, UserModels, Users where Users.UserName=? ")
                                     _T("and Users.UserID = UserModels.UserID ")
                                     _T("and UserModels.ModelID = Models.ModelID"))
                 .Text(userName).Open(rs))
            return -30;
        return AppendRows(rs, pList, 2, ReadModule);
    });
}

int CRightsDatabase::GetModuleUsers(CString moduleName, UserRecordList* pList)
{
    pList->RemoveAll();
    moduleName.TrimRight();
    return RightsGuarded(-20, [&] {
        if (ModuleExists(moduleName) == 0)
            return 1;
        if (!m_bConnected)
            return -10;
        CADORecordset rs(&m_db);
        if (!CRightsStatement(&m_db, _T("select Users.UserID, Users.UserName, Users.Email, Users.Password, ")
                                     _T("Users.Comment from Users, Models, UserModels where Models.ModelName=? ")
                                     _T("and Models.ModelID = UserModels.ModelID ")
                                     _T("and UserModels.UserID = Users.UserID"))
                 .Text(moduleName).Open(rs))
            return -30;
        return AppendRows(rs, pList, -30, ReadUser);
    });
}

int CRightsDatabase::GetAllUsers(UserRecordList* pList)
{
    pList->RemoveAll();
    return RightsGuarded(-20, [&] {
        if (!m_bConnected)
            return -10;
        CADORecordset rs(&m_db);
        if (!CRightsStatement(&m_db, _T("select Users.UserID, Users.UserName, Users.Password, Users.Email, ")
                                     _T("Users.Comment from Users"))
                 .Open(rs))
            return -30;
        return AppendRows(rs, pList, 1, ReadUser, [](UserRecord& record) {
            record.Email.TrimRight();
            record.Comment.TrimRight();
        });
    });
}

int CRightsDatabase::GetAllModules(ModuleRecordList* pList)
{
    pList->RemoveAll();
    return RightsGuarded(-20, [&] {
        if (!m_bConnected)
            return -10;
        CADORecordset rs(&m_db);
        if (!CRightsStatement(&m_db, _T("select Models.ModelID, Models.ModelName, Models.Comment from Models"))
                 .Open(rs))
            return -30;
        return AppendRows(rs, pList, 1, ReadModule, [](ModuleRecord& record) {
            record.ModelName.TrimRight();
            record.Comment.TrimRight();
        });
    });
}

int CRightsDatabase::GetModuleFunctions(CString moduleName, FunctionRecordList* pList)
{
    pList->RemoveAll();
    return RightsGuarded(-20, [&] {
        if (moduleName.IsEmpty())
            return -10;
        if (ModuleExists(moduleName) == 0)
            return 1;
        if (GetModuleId(moduleName) == -10)
            return -10;
        if (!m_bConnected)
            return -10;
        CADORecordset rs(&m_db);
        if (!CRightsStatement(&m_db, _T("select FunList.FunID, FunList.FunName, FunList.ModelID, FunList.Comment, ")
                                     _T("Models.ModelName from FunList, Models where Models.ModelName=? ")
                                     _T("and Models.ModelID = FunList.ModelID"))
                 .Text(moduleName).Open(rs))
            return -30;
        return AppendRows(rs, pList, 2, ReadFunction,
                          [&](FunctionRecord& record) { record.ModelName = ReadText(rs, _T("ModelName")); });
    });
}

int CRightsDatabase::GetAllFunctions(FunctionRecordList* pList)
{
    pList->RemoveAll();
    return RightsGuarded(-20, [&] {
        if (!m_bConnected)
            return -10;
        CADORecordset rs(&m_db);
        if (!CRightsStatement(&m_db, _T("select FunList.FunID, FunList.ModelID, FunList.FunName, FunList.Comment ")
                                     _T("from FunList"))
                 .Open(rs))
            return -30;
        return AppendRows(rs, pList, 1, ReadFunction, [&](FunctionRecord& record) {
            record.FunName.TrimRight();
            record.Comment.TrimRight();
            record.ModelName = GetModuleName(record.ModelID);
        });
    });
}

int CRightsDatabase::GetAllFunctionsWithModules(FunctionRecordList* pList)
{
    pList->RemoveAll();
    return RightsGuarded(-20, [&] {
        if (!m_bConnected)
            return -10;
        CADORecordset rs(&m_db);
        if (!CRightsStatement(&m_db, _T("select FunList.FunID, FunList.ModelID, FunList.FunName, Models.ModelName, ")
                                     _T("FunList.Comment from FunList, Models where FunList.ModelID = Models.ModelID"))
                 .Open(rs))
            return -30;
        return AppendRows(rs, pList, -30, ReadFunction,
                          [&](FunctionRecord& record) { record.ModelName = ReadText(rs, _T("ModelName")); });
    });
}

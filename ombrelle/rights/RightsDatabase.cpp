#include "RightsDatabase.h"

#include "RightsStatement.h"

CString CRightsDatabase::m_strConnectString;

CRightsDatabase::CRightsDatabase() : m_bConnected(0)
{
    Connect();
}

CRightsDatabase::CRightsDatabase(CString connectString) : m_bConnected(0)
{
    m_strConnectString = connectString;
    Connect();
}

CRightsDatabase::~CRightsDatabase()
{
    try {
        m_db.Close();
    } catch (const _com_error&) {
        // The connection goes with m_db all the same.
    }
    m_bConnected = 0;
}

int CRightsDatabase::Connect()
{
    if (m_strConnectString.IsEmpty())
        OutputDebugString(_T("\n 请设置数据库连接字符串"));
    else
        m_bConnected = m_db.Open(m_strConnectString, _T(""), _T("")) ? 1 : 0;
    OutputDebugString(m_bConnected ? _T("\n 成功连接数据库") : _T("\n 连接数据库出错"));
    return m_bConnected;
}

int CRightsDatabase::GetConnectionString(CString* out)
{
    *out = m_strConnectString;
    return 0;
}

// ---------------------------------------------------------------------------
// Look-ups that guard the changes; their exceptions reach the operation
// that called them.

int CRightsDatabase::RowsExist(LPCTSTR lpszSql, const CString* pText, int nId)
{
    CADORecordset rs(&m_db);
    CRightsStatement statement(&m_db, lpszSql);
    if (pText != NULL)
        statement.Text(*pText);
    else
        statement.Id(nId);
    if (!statement.Open(rs))
        return -10;
    const int result = rs.GetRecordCount() > 0 ? 1 : 0;
    rs.Close();
    return result;
}

int CRightsDatabase::UserExists(CString userName)
{
    return RowsExist(_T("select * from Users where UserName=?"), &userName, 0);
}

int CRightsDatabase::UserExists(int userId)
{
    return RowsExist(_T("select * from Users where UserID=?"), NULL, userId);
}

int CRightsDatabase::ModuleExists(CString moduleName)
{
    return RowsExist(_T("select * from Models where ModelName=?"), &moduleName, 0);
}

int CRightsDatabase::ModuleExists(int moduleId)
{
    return RowsExist(_T("select * from Models where ModelID=?"), NULL, moduleId);
}

int CRightsDatabase::FunctionExists(CString functionName)
{
    return RowsExist(_T("select * from FunList where FunName=?"), &functionName, 0);
}

int CRightsDatabase::FunctionExists(int functionId)
{
    return RowsExist(_T("select * from FunList where FunID=?"), NULL, functionId);
}

int CRightsDatabase::ChangeExisting(int nMissingCode, const std::function<int()>& exists,
                                    const std::function<BOOL()>& change)
{
    return RightsGuarded(-20, [&] {
        if (!m_bConnected)
            return -10;
        if (exists() == 0)
            return nMissingCode;
        return change() ? 0 : -10;
    });
}

int CRightsDatabase::GetModuleId(CString moduleName)
{
    CADORecordset rs(&m_db);
    if (!CRightsStatement(&m_db, _T("select ModelID from Models where ModelName=?")).Text(moduleName).Open(rs))
        return -10;
    if (rs.GetRecordCount() <= 0)
        return 0;
    MoveFirst(rs);
    return ReadId(rs, _T("ModelID"));
}

// ---------------------------------------------------------------------------
// Users

int CRightsDatabase::AddUser(CString userName, CString password, CString email, CString comment)
{
    return RightsGuarded(-30, [&] {
        if (userName.IsEmpty())
            return -20;
        if (!m_bConnected)
            return -10;
        // A check that could not run proves nothing: no insert then.
        const int exists = UserExists(userName);
        if (exists == 1)
            return 1;
        if (exists == -10)
            return -30;
        const BOOL inserted =
            CRightsStatement(&m_db, _T("insert into Users(UserName, Password, Email, Comment) values(?, ?, ?, ?)"))
                .Text(userName).Text(password).Text(email).Text(comment).Run();
        return inserted ? 0 : -30;
    });
}

int CRightsDatabase::AddUser(UserRecord* pRecord)
{
    return AddUser(pRecord->UserName, pRecord->Password, pRecord->Email, pRecord->Comment);
}

int CRightsDatabase::UpdateUser(int userId, CString userName, CString password, CString email, CString comment)
{
    if (userName.IsEmpty())
        return -20;
    return ChangeExisting(1, [&] { return UserExists(userId); }, [&] {
        return CRightsStatement(&m_db, _T("update Users set UserName=?, Password=?, Email=?, Comment=? where UserID=?"))
            .Text(userName).Text(password).Text(email).Text(comment).Id(userId).Run();
    });
}

int CRightsDatabase::UpdateUser(UserRecord* pRecord)
{
    return UpdateUser(pRecord->UserID, pRecord->UserName, pRecord->Password, pRecord->Email, pRecord->Comment);
}

int CRightsDatabase::DeleteUser(CString userName)
{
    return ChangeExisting(1, [&] { return UserExists(userName); }, [&] {
        CRightsTransaction transaction(&m_db);
        return CRightsStatement(&m_db, _T("delete from UserModels where UserID in ")
                                       _T("(select UserID from Users where UserName=?)"))
                   .Text(userName).Run() &&
               CRightsStatement(&m_db, _T("delete from Users where UserName=?")).Text(userName).Run() &&
               transaction.Commit();
    });
}

// ---------------------------------------------------------------------------
// Modules

int CRightsDatabase::AddModule(CString moduleName, CString comment)
{
    return RightsGuarded(-30, [&] {
        if (moduleName.IsEmpty())
            return -10;
        if (!m_bConnected)
            return -10;
        const int exists = ModuleExists(moduleName);
        if (exists == 1)
            return 1;
        if (exists == -10)
            return -30;
        const BOOL inserted = CRightsStatement(&m_db, _T("insert into Models(ModelName, Comment) values(?, ?)"))
                                  .Text(moduleName).Text(comment).Run();
        return inserted ? 0 : -30;
    });
}

int CRightsDatabase::AddModule(ModuleRecord* pRecord)
{
    return AddModule(pRecord->ModelName, pRecord->Comment);
}

int CRightsDatabase::UpdateModule(int moduleId, CString moduleName, CString comment)
{
    if (moduleName.IsEmpty())
        return -20;
    return ChangeExisting(1, [&] { return ModuleExists(moduleId); }, [&] {
        return CRightsStatement(&m_db, _T("update Models set ModelName=?, Comment=? where ModelID=?"))
            .Text(moduleName).Text(comment).Id(moduleId).Run();
    });
}

int CRightsDatabase::UpdateModule(ModuleRecord* pRecord)
{
    return UpdateModule(pRecord->ModelID, pRecord->ModelName, pRecord->Comment);
}

int CRightsDatabase::DeleteModule(CString moduleName)
{
    return ChangeExisting(1, [&] { return ModuleExists(moduleName); }, [&] {
        CRightsTransaction transaction(&m_db);
        return CRightsStatement(&m_db, _T("delete from UserModels where ModelID in ")
                                       _T("(select ModelID from Models where ModelName=?)"))
                   .Text(moduleName).Run() &&
               CRightsStatement(&m_db, _T("update FunList set ModelID=-1 where ModelID in ")
                                       _T("(select ModelID from Models where ModelName=?)"))
                   .Text(moduleName).Run() &&
               CRightsStatement(&m_db, _T("delete from Models where ModelName=?")).Text(moduleName).Run() &&
               transaction.Commit();
    });
}

// ---------------------------------------------------------------------------
// Functions

int CRightsDatabase::AddFunction(CString functionName, CString moduleName, CString comment)
{
    return RightsGuarded(-30, [&] {
        if (functionName.IsEmpty())
            return -20;
        if (!m_bConnected)
            return -10;
        if (FunctionExists(functionName) == 1)
            return 1;
        // No module of that name gives 0: the function belongs to none.
        const int moduleId = GetModuleId(moduleName);
        if (moduleId == -10)
            return -30;
        const BOOL inserted =
            CRightsStatement(&m_db, _T("insert into FunList(FunName, ModelID, Comment) values(?, ?, ?)"))
                .Text(functionName).Id(moduleId).Text(comment).Run();
        return inserted ? 0 : -30;
    });
}

int CRightsDatabase::AddFunction(FunctionRecord* pRecord)
{
    return AddFunction(pRecord->FunName, _T(""), pRecord->Comment);
}

int CRightsDatabase::UpdateFunction(int functionId, CString functionName, CString comment)
{
    if (functionName.IsEmpty())
        return -20;
    return ChangeExisting(1, [&] { return FunctionExists(functionId); }, [&] {
        return CRightsStatement(&m_db, _T("update FunList set FunName=?, Comment=? where FunID=?"))
            .Text(functionName).Text(comment).Id(functionId).Run();
    });
}

int CRightsDatabase::UpdateFunction(FunctionRecord* pRecord)
{
    return UpdateFunction(pRecord->FunID, pRecord->FunName, pRecord->Comment);
}

int CRightsDatabase::DeleteFunction(CString functionName)
{
    return ChangeExisting(1, [&] { return FunctionExists(functionName); }, [&] {
        return CRightsStatement(&m_db, _T("delete from FunList where FunName=?")).Text(functionName).Run();
    });
}

int CRightsDatabase::SetFunctionModuleByName(CString functionName, CString moduleName)
{
    return RightsGuarded(-30, [&] {
        if (functionName.IsEmpty() || moduleName.IsEmpty())
            return -20;
        if (!m_bConnected)
            return -10;
        if (FunctionExists(functionName) == 0)
            return 1;
        if (ModuleExists(moduleName) == 0)
            return 2;
        const int moduleId = GetModuleId(moduleName);
        if (moduleId == -10)
            return -30;
        const BOOL updated = CRightsStatement(&m_db, _T("update FunList set ModelID=? where FunName=?"))
                                 .Id(moduleId).Text(functionName).Run();
        return updated ? 0 : -30;
    });
}

// ---------------------------------------------------------------------------
// Rights

int CRightsDatabase::SetUserModules(int userId, IdList* pModuleIds)
{
    return ChangeExisting(2, [&] { return UserExists(userId); }, [&] {
        CRightsTransaction transaction(&m_db);
        BOOL done = CRightsStatement(&m_db, _T("delete from UserModels where UserID=?")).Id(userId).Run();
        for (POSITION pos = pModuleIds->GetHeadPosition(); done && pos != NULL;) {
            const int moduleId = pModuleIds->GetNext(pos);
            done = CRightsStatement(&m_db, _T("insert into UserModels(UserID, ModelID) values(?, ?)"))
                       .Id(userId).Id(moduleId).Run();
        }
        return done && transaction.Commit();
    });
}

int CRightsDatabase::SetFunctionModule(int moduleId, IdList* pFunctionIds)
{
    return ChangeExisting(2, [&] { return ModuleExists(moduleId); }, [&]() -> BOOL {
        // An empty list is an empty batch, which the database refuses.
        if (pFunctionIds->IsEmpty())
            return FALSE;
        CRightsTransaction transaction(&m_db);
        BOOL done = TRUE;
        for (POSITION pos = pFunctionIds->GetHeadPosition(); done && pos != NULL;) {
            const int functionId = pFunctionIds->GetNext(pos);
            done = CRightsStatement(&m_db, _T("update FunList set ModelID=? where FunID=?"))
                       .Id(moduleId).Id(functionId).Run();
        }
        return done && transaction.Commit();
    });
}

int CRightsDatabase::AssignModuleToUser(CString userName, CString moduleName)
{
    return RightsGuarded(-20, [&] {
        if (userName.IsEmpty())
            return -1;
        moduleName.TrimRight();
        if (moduleName.IsEmpty())
            return -1;
        if (!m_bConnected)
            return -10;
        if (ModuleExists(moduleName) == 0)
            return 1;
        if (UserExists(userName) == 0)
            return 2;
        {
            CADORecordset held(&m_db);
            if (CRightsStatement(&m_db, _T("select UserModels.UserID, UserModels.ModelID ")
                                        _T("from UserModels, Users, Models ")
                                        _T("where UserModels.ModelID = Models.ModelID and Models.ModelName=? ")
                                        _T("and UserModels.UserID = Users.UserID and Users.UserName=?"))
                    .Text(moduleName).Text(userName).Open(held) &&
                held.GetRecordCount() >= 1)
                return 3;
        }
        const BOOL inserted = CRightsStatement(&m_db, _T("insert into UserModels(ModelID, UserID) ")
                                                      _T("select ModelID, UserID from Models, Users ")
                                                      _T("where ModelName=? and UserName=?"))
                                  .Text(moduleName).Text(userName).Run();
        return inserted ? 0 : -10;
    });
}

int CRightsDatabase::RemoveModuleFromUser(CString userName, CString moduleName)
{
    return RightsGuarded(-20, [&] {
        if (!m_bConnected)
            return -10;
        if (ModuleExists(moduleName) == 0)
            return 1;
        if (UserExists(userName) == 0)
            return 2;
        const BOOL deleted =
            CRightsStatement(&m_db, _T("delete from UserModels ")
                                    _T("where ModelID in (select ModelID from Models where ModelName=?) ")
                                    _T("and UserID in (select UserID from Users where UserName=?)"))
                .Text(moduleName).Text(userName).Run();
        return deleted ? 0 : -10;
    });
}

// ---------------------------------------------------------------------------
// Log-in

int CRightsDatabase::CheckLogin(CString userName, CString password, CStringList* pModuleNames)
{
    pModuleNames->RemoveAll();
    return RightsGuarded(-20, [&] {
        CRightsDatabase store;
        if (!store.m_bConnected)
            return -10;
        CADORecordset user(&store.m_db);
        if (!CRightsStatement(&store.m_db, _T("select * from Users where UserName=? and Password=?"))
                 .Text(userName).Text(password).Open(user))
            return -30;
        if (user.GetRecordCount() <= 0)
            return -1;
        CADORecordset modules(&store.m_db);
        if (!CRightsStatement(&store.m_db, _T("select Users.UserID, Users.UserName, Models.ModelName, Models.ModelID ")
                                           _T("from Models, Users, UserModels where Users.UserName=? ")
                                           _T("and Users.UserID = UserModels.UserID ")
                                           _T("and UserModels.ModelID = Models.ModelID"))
                 .Text(userName).Open(modules))
            return -30;
        if (modules.GetRecordCount() > 0) {
            MoveFirst(modules);
            for (long row = 0; row < modules.GetRecordCount(); ++row) {
                pModuleNames->AddTail(ReadText(modules, _T("ModelName")));
                MoveNext(modules);
            }
        }
        return 0;
    });
}

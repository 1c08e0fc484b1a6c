// The rights store: users, modules, functions and the rights that join
// them, kept in four tables (Users, Models, FunList, UserModels) that the
// program does not create (ombrelle/rights/sql/ holds their scripts).
// Every operation answers with a result code and shows nothing: 0 done,
// small positive numbers for the check that failed, negative numbers for an
// empty argument, no connection, a refused log-in or a failed statement.
#pragma once

#include "ADODataBase.h"
#include "RightsRecords.h"

#include <functional>

class CADORecordset;

class CRightsDatabase
{
public:
    // Both connect at once; the second first makes its text the
    // connection string of every store made from then on.
    CRightsDatabase();
    CRightsDatabase(CString connectString);
    virtual ~CRightsDatabase();

    int GetConnectionString(CString* out);

    // 1 a row exists, 0 none, -10 the select did not open; whether or not
    // the store is connected.
    int UserExists(CString userName);
    int UserExists(int userId);
    int ModuleExists(CString moduleName);
    int ModuleExists(int moduleId);
    int FunctionExists(CString functionName);
    int FunctionExists(int functionId);
    // The module's id; 0 when no module has the name; -10 when the select
    // did not open.
    int GetModuleId(CString moduleName);

    int AddUser(CString userName, CString password, CString email, CString comment);
    int AddUser(UserRecord* pRecord);
    int UpdateUser(int userId, CString userName, CString password, CString email, CString comment);
    int UpdateUser(UserRecord* pRecord);
    int DeleteUser(CString userName);
    int AddModule(CString moduleName, CString comment);
    int AddModule(ModuleRecord* pRecord);
    int UpdateModule(int moduleId, CString moduleName, CString comment);
    int UpdateModule(ModuleRecord* pRecord);
    int DeleteModule(CString moduleName);
    int AddFunction(CString functionName, CString moduleName, CString comment);
    int AddFunction(FunctionRecord* pRecord);
    int UpdateFunction(int functionId, CString functionName, CString comment);
    int UpdateFunction(FunctionRecord* pRecord);
    int DeleteFunction(CString functionName);
    int SetFunctionModuleByName(CString functionName, CString moduleName);
    int SetUserModules(int userId, IdList* pModuleIds);
    int SetFunctionModule(int moduleId, IdList* pFunctionIds);
    int AssignModuleToUser(CString userName, CString moduleName);
    int RemoveModuleFromUser(CString userName, CString moduleName);

    // Checks the name and the plain password on a connection of its own and
    // lists the names of the user's modules.
    int CheckLogin(CString userName, CString password, CStringList* pModuleNames);

    // Reading for the dialogs. A list is emptied first, whatever follows.
    CString GetModuleName(int moduleId);
    int GetUser(CString userName, UserRecord* pRecord);
    int GetModule(CString moduleName, ModuleRecord* pRecord);
    int GetFunction(CString functionName, FunctionRecord* pRecord);
    int GetUserModules(CString userName, ModuleRecordList* pList);
    int GetModuleUsers(CString moduleName, UserRecordList* pList);
    int GetAllUsers(UserRecordList* pList);
    int GetAllModules(ModuleRecordList* pList);
    int GetModuleFunctions(CString moduleName, FunctionRecordList* pList);
    int GetAllFunctions(FunctionRecordList* pList);
    int GetAllFunctionsWithModules(FunctionRecordList* pList);

    static CString m_strConnectString;

protected:
    int Connect();
    // Counts the rows of a select by one value: the existence checks.
    int RowsExist(LPCTSTR lpszSql, const CString* pText, int nId);
    // What the updates and deletes share: the connection, then the
    // existence check (0 ends with nMissingCode), then the change, -10 when
    // it fails; an exception gives -20.
    int ChangeExisting(int nMissingCode, const std::function<int()>& exists, const std::function<BOOL()>& change);
    // What the single-record getters share: the existence check (0 gives
    // 1), the connection, then the select by the name, whose first row is
    // read (-30 when it does not open or has no row); an exception gives -20.
    int FillRecord(const std::function<int()>& exists, LPCTSTR lpszSql, const CString& name,
                   const std::function<void(CADORecordset&)>& read);

    CADODataBase m_db;
    int m_bConnected;
};

#include "AdoFixture.h"

#include <fstream>

TEST_F(AdoTest, ColumnsBecomeVariantsBySqlType)
{
    Run(L"CREATE TABLE t (i INTEGER, s TEXT, r REAL, d DECIMAL(10,2), w DATETIME, n INTEGER)");
    Run(L"INSERT INTO t VALUES (70000, '用户名', 2.5, 12.34, '2026-12-09 18:30:15', NULL)");
    RecordsetPtr recordset = Query(L"SELECT * FROM t");

    const _variant_t number = Value(recordset, L"i");
    EXPECT_EQ(VT_I4, number.vt);
    EXPECT_EQ(70000, number.lVal);
    const _variant_t text = Value(recordset, L"S");
    ASSERT_EQ(VT_BSTR, text.vt);
    EXPECT_STREQ(L"用户名", text.bstrVal);
    const _variant_t real = Value(recordset, L"r");
    EXPECT_EQ(VT_R8, real.vt);
    EXPECT_EQ(2.5, real.dblVal);
    // The SQLite driver describes a DECIMAL(10,2) column as text.
    const _variant_t decimal = Value(recordset, L"d");
    ASSERT_EQ(VT_BSTR, decimal.vt);
    EXPECT_STREQ(L"12.34", decimal.bstrVal);
    const _variant_t date = Value(recordset, L"w");
    ASSERT_EQ(VT_DATE, date.vt);
    SYSTEMTIME time = {};
    VariantTimeToSystemTime(date.date, &time);
    EXPECT_EQ(2026, time.wYear);
    EXPECT_EQ(18, time.wHour);
    EXPECT_EQ(15, time.wSecond);
    EXPECT_EQ(VT_NULL, Value(recordset, L"n").vt);
}

TEST_F(AdoTest, FailuresCarryTheDriversDiagnostics)
{
    ADORecordset* none = nullptr;
    EXPECT_EQ(E_FAIL, m_connection->Execute(_bstr_t(L"SELECT * FROM missing"), nullptr, adCmdText, &none));
    const ErrorText error = TakeErrorInfo();
    EXPECT_EQ(L"ADO over ODBC", error.source);
    EXPECT_EQ(0u, error.description.find(L"[")) << error.description;
    EXPECT_NE(std::wstring::npos, error.description.find(L"missing")) << error.description;
}

TEST_F(AdoTest, RecordsAffectedAreCountedWhole)
{
    Run(L"CREATE TABLE t (i INTEGER)");
    Run(L"WITH RECURSIVE n(x) AS (SELECT 1 UNION ALL SELECT x + 1 FROM n WHERE x < 70000) "
        L"INSERT INTO t SELECT x FROM n");
    _variant_t affected;
    ADORecordset* none = nullptr;
    ASSERT_EQ(S_OK, m_connection->Execute(_bstr_t(L"UPDATE t SET i = i + 1"), &affected, adExecuteNoRecords, &none));
    EXPECT_EQ(VT_I4, affected.vt);
    EXPECT_EQ(70000, affected.lVal);
}

TEST_F(AdoTest, RollbackUndoesAndCommitKeeps)
{
    Run(L"CREATE TABLE t (i INTEGER)");
    long level = 0;
    ASSERT_EQ(S_OK, m_connection->BeginTrans(&level));
    EXPECT_EQ(1, level);
    Run(L"INSERT INTO t VALUES (1)");
    ASSERT_EQ(S_OK, m_connection->RollbackTrans());
    ASSERT_EQ(S_OK, m_connection->BeginTrans(&level));
    Run(L"INSERT INTO t VALUES (2)");
    ASSERT_EQ(S_OK, m_connection->CommitTrans());
    RecordsetPtr recordset = Query(L"SELECT i FROM t");
    ADO_LONGPTR count = 0;
    ASSERT_EQ(S_OK, recordset->get_RecordCount(&count));
    EXPECT_EQ(1, count);
    EXPECT_EQ(2, Value(recordset, L"i").lVal);
}

TEST_F(AdoTest, OpenTwiceAndCloseTwiceAreErrors)
{
    EXPECT_EQ(ADO_E_OBJECTOPEN, m_connection->Open(_bstr_t(ConnectionString().c_str()), nullptr, nullptr, -1));
    LONG state = 0;
    ASSERT_EQ(S_OK, m_connection->get_State(&state));
    EXPECT_EQ(adStateOpen, state);
    EXPECT_EQ(S_OK, m_connection->Close());
    EXPECT_EQ(ADO_E_OBJECTCLOSED, m_connection->Close());
    ADORecordset* none = nullptr;
    EXPECT_EQ(ADO_E_OBJECTCLOSED, m_connection->Execute(_bstr_t(L"SELECT 1"), nullptr, adCmdText, &none));
}

TEST_F(AdoTest, WhatNoCallerNeedsIsNotAvailable)
{
    RecordsetPtr recordset = Query(L"SELECT 1 AS one");
    EXPECT_EQ(ADO_E_NOTAVAILABLE, recordset->AddNew(vtMissing, vtMissing));
    EXPECT_EQ(ADO_E_NOTAVAILABLE, recordset->Save(_variant_t(L"x.xml"), adPersistXML));
    EXPECT_NE(std::wstring::npos, TakeErrorInfo().description.find(L"not available"));
    ADORecordset* schema = nullptr;
    EXPECT_EQ(ADO_E_NOTAVAILABLE, m_connection->OpenSchema(adSchemaTables, vtMissing, vtMissing, &schema));
    IUnknown* engine = nullptr;
    EXPECT_EQ(ADO_E_NOTAVAILABLE, AdoCreateInstance(CLSID_JroJetEngine, nullptr, CLSCTX_ALL, IID_IUnknown,
                                                    reinterpret_cast<void**>(&engine)));
    EXPECT_EQ(nullptr, engine);
    void* binding = nullptr;
    EXPECT_EQ(E_NOINTERFACE, recordset->QueryInterface(IID_AdoRecordBinding, &binding));
}

// "Driver=SQL Server" with the server (local) reaches the embedded default
// database beside the program.
TEST(AdoEmbeddedDatabase, LocalServerOpensTheDatabaseBesideTheProgram)
{
    CoInitialize(nullptr);
    char program[MAX_PATH] = {};
    GetModuleFileNameA(nullptr, program, MAX_PATH);
    std::string file(program);
    file = file.substr(0, file.find_last_of('\\') + 1) + "MARRENTOLBECK.db";
    const bool existed = GetFileAttributesA(file.c_str()) != INVALID_FILE_ATTRIBUTES;
    const std::wstring table = L"probe" + std::to_wstring(GetCurrentProcessId());
    {
        ConnectionPtr connection = Create<ConnectionPtr>(CLSID_AdoConnection);
        ASSERT_EQ(S_OK, connection->Open(_bstr_t(L"Driver=SQL Server;Server=(local);Database=Rights;UID=sa;PWD="),
                                         nullptr, nullptr, -1))
            << TakeErrorInfo().description;
        ADORecordset* none = nullptr;
        EXPECT_EQ(S_OK, connection->Execute(_bstr_t((L"CREATE TABLE " + table + L" (i INTEGER)").c_str()), nullptr,
                                            adExecuteNoRecords, &none));
        EXPECT_EQ(S_OK, connection->Execute(_bstr_t((L"DROP TABLE " + table).c_str()), nullptr, adExecuteNoRecords,
                                            &none));
    }
    EXPECT_NE(INVALID_FILE_ATTRIBUTES, GetFileAttributesA(file.c_str()));
    if (!existed)
        DeleteFileA(file.c_str());
    CoUninitialize();
}

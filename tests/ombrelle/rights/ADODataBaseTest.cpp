#include "ADORecordset.h"
#include "RightsDbFixture.h"

#include <thread>

TEST_F(RightsDbTest, AFailingOpenKeepsTheNewStringAndDumpsTheError)
{
    const CString bad = "Driver=No Such Driver;Server=(local)";
    EXPECT_FALSE(m_db.Open(bad));
    EXPECT_EQ(bad, m_db.GetConnectionString());
    EXPECT_FALSE(m_db.IsOpen());
    const CString expectedStart = "Connection String = " + bad + "\nCADODataBase Error\n\tCode = 80004005\n\tCode meaning = ";
    EXPECT_EQ(0, m_db.GetLastErrorString().Find(expectedStart)) << (LPCTSTR)m_db.GetLastErrorString();
    EXPECT_NE(-1, m_db.GetLastErrorString().Find("\n\tSource = ADO over ODBC\n\tDescription = ["));
    EXPECT_EQ(DWORD(E_FAIL), m_db.GetLastError());
    EXPECT_EQ(0, m_db.GetErrorDescription().Find("["));
}

TEST_F(RightsDbTest, OpenWithoutAStringReusesTheStoredOne)
{
    const CString stored = m_db.GetConnectionString();
    m_db.Close();
    EXPECT_FALSE(m_db.IsOpen());
    ASSERT_TRUE(m_db.Open(""));
    EXPECT_TRUE(m_db.IsOpen());
    EXPECT_EQ(stored, m_db.GetConnectionString());
}

TEST_F(RightsDbTest, OpenWhileOpenClosesTheOldConnectionFirst)
{
    Run(m_db, "CREATE TABLE first_only (i INTEGER)");
    ASSERT_TRUE(m_db.Open(ConnectionString("权限.db"))) << (LPCTSTR)m_db.GetLastErrorString();
    EXPECT_TRUE(m_db.IsOpen());
    // The statement now runs on the second database, which lacks the table.
    EXPECT_FALSE(m_db.Execute("INSERT INTO first_only VALUES (1)"));
    EXPECT_EQ(0, m_db.GetLastErrorString().Find("Connection String = " + ConnectionString("权限.db") + "\n"));
    EXPECT_NE(INVALID_FILE_ATTRIBUTES, ::GetFileAttributesA(m_folder.File("权限.db").c_str()));
}

TEST_F(RightsDbTest, ExecuteCountsEveryRowAffected)
{
    Run(m_db, "CREATE TABLE t (i INTEGER)");
    Run(m_db, "WITH RECURSIVE n(x) AS (SELECT 1 UNION ALL SELECT x + 1 FROM n WHERE x < 70000) "
              "INSERT INTO t SELECT x FROM n");
    Run(m_db, "UPDATE t SET i = -i");
    EXPECT_EQ(70000, m_db.GetRecordsAffected());
}

TEST_F(RightsDbTest, GetRecordCountCountsTheRowsOfARecordset)
{
    Run(m_db, "CREATE TABLE t (i INTEGER)");
    Run(m_db, "INSERT INTO t VALUES (1), (2), (3)");
    CADORecordset rs(&m_db);
    ASSERT_TRUE(rs.Open("SELECT * FROM t", CADORecordset::openQuery));
    EXPECT_EQ(3, m_db.GetRecordCount(rs.m_pRecordset));
}

TEST(CompactDatabase, FailsAndLeavesComAsItWas)
{
    // On a thread of its own, where COM starts uninitialised.
    BOOL compactedWithoutCom = TRUE, compactedWithCom = TRUE;
    HRESULT afterWithoutCom = E_FAIL, afterWithCom = E_FAIL;
    std::thread worker([&] {
        compactedWithoutCom = CompactDatabase("Data Source=missing.mdb", "Data Source=copy.mdb");
        afterWithoutCom = ::CoInitialize(NULL);  // S_OK: nobody left COM initialised
        compactedWithCom = CompactDatabase("a", "b");
        afterWithCom = ::CoInitialize(NULL);  // S_FALSE: still initialised once
        ::CoUninitialize();
        ::CoUninitialize();
    });
    worker.join();
    EXPECT_FALSE(compactedWithoutCom);
    EXPECT_FALSE(compactedWithCom);
    EXPECT_EQ(S_OK, afterWithoutCom);
    EXPECT_EQ(S_FALSE, afterWithCom);
}

TEST(ADOException, ThrowADOExceptionThrowsItsCodeAndText)
{
    try {
        ThrowADOException(42, "出错了");
        FAIL() << "nothing was thrown";
    } catch (CADOException* e) {
        EXPECT_EQ(42, e->m_lErrorCode);
        EXPECT_STREQ("出错了", (LPCTSTR)e->m_strError);
        EXPECT_STREQ("CADOException", e->GetRuntimeClass()->m_lpszClassName);
        EXPECT_TRUE(e->IsKindOf(RUNTIME_CLASS(CException)));
        EXPECT_TRUE(e->m_bAutoDelete);
        e->Delete();
    }
}

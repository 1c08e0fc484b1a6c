#include "ADOCommand.h"
#include "ADORecordset.h"
#include "RightsDbFixture.h"

namespace {

// Lets the tests read the search direction.
class CProbeRecordset : public CADORecordset {
public:
    explicit CProbeRecordset(CADODataBase* pDb) : CADORecordset(pDb) {}
    int SearchDirection() const { return m_nSearchDirection; }
};

class RecordsetTest : public RightsDbTest {
protected:
    void SetUp() override
    {
        RightsDbTest::SetUp();
        Run(m_db, "CREATE TABLE Users (UserID INTEGER, UserName TEXT)");
        Run(m_db, "INSERT INTO Users VALUES (1, '张三'), (2, 'Li'), (3, '王五'), (4, 'Lu')");
    }
};

}  // namespace

TEST_F(RecordsetTest, ReadsRowsByNameWithChineseTextIntact)
{
    ASSERT_TRUE(m_db.Execute("INSERT INTO Users VALUES (70000, '管理员（系统）')"));
    CADORecordset rs(&m_db);
    ASSERT_TRUE(rs.Open("SELECT * FROM Users ORDER BY UserID", CADORecordset::openQuery));
    EXPECT_TRUE(rs.IsOpen());
    EXPECT_EQ(5, rs.GetRecordCount());
    ASSERT_EQ(S_OK, rs.m_pRecordset->MoveLast());
    int id = 0;
    CString name;
    EXPECT_TRUE(rs.GetFieldValue("UserID", id));
    EXPECT_TRUE(rs.GetFieldValue("UserName", name));
    EXPECT_EQ(70000, id);
    EXPECT_STREQ("管理员（系统）", (LPCTSTR)name);
    rs.Close();
    EXPECT_FALSE(rs.IsOpen());
}

TEST_F(RecordsetTest, AStatementIsStoredWithoutLeadingBlanks)
{
    CADORecordset rs(&m_db);
    EXPECT_FALSE(rs.Open("  \t SELECT * FROM Missing", CADORecordset::openQuery));
    EXPECT_STREQ("SELECT * FROM Missing", (LPCTSTR)rs.GetQuery());
    const CString error = rs.GetLastErrorString();
    EXPECT_EQ(0, error.Find("Query = SELECT * FROM Missing\nCADORecordset Error\n\tCode = 80004005\n"))
        << (LPCTSTR)error;
    EXPECT_EQ(DWORD(E_FAIL), rs.GetLastError());

    // An option outside 0 to 3 fails without a record.
    EXPECT_FALSE(rs.Open("SELECT * FROM Users", 5));
    EXPECT_EQ(error, rs.GetLastErrorString());
    EXPECT_EQ(DWORD(E_FAIL), rs.GetLastError());
}

TEST_F(RecordsetTest, StatementsWithoutRowsRunThroughOpen)
{
    CADORecordset rs(&m_db);
    EXPECT_TRUE(rs.Open("DELETE FROM Users WHERE UserID > 2", CADORecordset::openQuery));
    EXPECT_FALSE(rs.IsOpen());
    CADORecordset count(&m_db);
    ASSERT_TRUE(count.Open("SELECT * FROM Users"));
    EXPECT_EQ(2, count.GetRecordCount());
}

TEST_F(RecordsetTest, GetStringWithEmptyDelimitersUsesTabAndCarriageReturn)
{
    CADORecordset rs(&m_db);
    ASSERT_TRUE(rs.Open("SELECT UserID, UserName FROM Users WHERE UserID < 3 ORDER BY UserID"));
    EXPECT_STREQ("1\t张三\r2\tLi\r", (LPCTSTR)rs.GetString("", "", 0));
}

TEST_F(RecordsetTest, FindMovesBetweenMatchingRows)
{
    CProbeRecordset rs(&m_db);
    ASSERT_TRUE(rs.Open("SELECT * FROM Users ORDER BY UserID"));
    int id = 0;
    ASSERT_TRUE(rs.FindFirst("UserName LIKE 'L%'"));
    rs.GetFieldValue("UserID", id);
    EXPECT_EQ(2, id);
    ASSERT_TRUE(rs.FindNext());
    rs.GetFieldValue("UserID", id);
    EXPECT_EQ(4, id);
    EXPECT_FALSE(rs.FindNext());

    ASSERT_EQ(S_OK, rs.m_pRecordset->MoveLast());
    ASSERT_TRUE(rs.Find("UserID < 4", CADORecordset::searchBackward));
    rs.GetFieldValue("UserID", id);
    EXPECT_EQ(3, id);
    EXPECT_EQ(CADORecordset::searchBackward, rs.SearchDirection());

    // A direction other than 1 and -1 fails without a search.
    EXPECT_FALSE(rs.Find("UserID = 1", 0));
    EXPECT_EQ(CADORecordset::searchForward, rs.SearchDirection());
    rs.GetFieldValue("UserID", id);
    EXPECT_EQ(3, id);
}

TEST_F(RecordsetTest, FieldWritesNeedAnEditAndUpdateWithoutOneIsANoOp)
{
    CADORecordset rs(&m_db);
    ASSERT_TRUE(rs.Open("SELECT * FROM Users"));
    EXPECT_TRUE(rs.Update());
    EXPECT_FALSE(rs.SetFieldValue("UserName", CString("x")));
    EXPECT_TRUE(rs.GetLastErrorString().IsEmpty());
    EXPECT_EQ(0u, rs.GetLastError());

    // Rows are not edited through a recordset here: the edit fails cleanly.
    rs.Edit();
    EXPECT_FALSE(rs.SetFieldValue("UserName", CString("x")));
    EXPECT_EQ(DWORD(ADO_E_NOTAVAILABLE), rs.GetLastError());
    EXPECT_FALSE(rs.Update());
    EXPECT_EQ(CADORecordset::dbEditNone, rs.GetEditStatus());
}

TEST_F(RecordsetTest, UncalledFeaturesFailCleanly)
{
    CADORecordset rs(&m_db);
    ASSERT_TRUE(rs.Open("SELECT * FROM Users"));
    // Operations that pass errors on raise a _com_error.
    const auto raised = [](auto&& call) {
        try {
            call();
        } catch (const _com_error& e) {
            return DWORD(e.Error());
        }
        return DWORD(0);
    };
    EXPECT_EQ(DWORD(ADO_E_NOTAVAILABLE), raised([&] { rs.AddNew(); }));
    EXPECT_EQ(CADORecordset::dbEditNone, rs.GetEditStatus());
    EXPECT_EQ(DWORD(ADO_E_NOTAVAILABLE), raised([&] { rs.Delete(); }));
    char data[4] = {1, 2, 3, 4};
    EXPECT_EQ(DWORD(ADO_E_NOTAVAILABLE), raised([&] { rs.AppendChunk("UserName", data, 4); }));
    EXPECT_EQ(DWORD(E_NOINTERFACE), raised([&] {
        struct CNoBinding : CADORecordBinding {
            const ADO_BINDING_ENTRY* STDMETHODCALLTYPE GetADOBindingEntries() override { return nullptr; }
        } binding;
        rs.RecordBinding(binding);
    }));
    // Guarded ones answer FALSE with the error kept.
    CString chunk = "untouched";
    EXPECT_FALSE(rs.GetChunk("UserName", chunk));
    EXPECT_STREQ("untouched", (LPCTSTR)chunk);
    EXPECT_FALSE(rs.SaveAsXML("rows.xml"));
    EXPECT_FALSE(rs.OpenSchema(adSchemaTables));
    EXPECT_EQ(DWORD(ADO_E_NOTAVAILABLE), rs.GetLastError());
    EXPECT_FALSE(rs.OpenXML("rows.xml"));
    EXPECT_FALSE(rs.IsOpen());
}

TEST_F(RecordsetTest, FilterSortCloneAndRequeryWorkOnTheOpenRecordset)
{
    CADORecordset rs(&m_db);
    ASSERT_TRUE(rs.Open("SELECT * FROM Users"));
    ASSERT_TRUE(rs.SetFilter("UserID > 1"));
    ASSERT_TRUE(rs.SetSort("UserID DESC"));
    EXPECT_EQ(3, rs.GetRecordCount());
    int id = 0;
    rs.GetFieldValue("UserID", id);
    EXPECT_EQ(4, id);
    CADORecordset copy(&m_db);
    ASSERT_TRUE(rs.Clone(copy));
    copy.GetFieldValue(0, id);
    EXPECT_EQ(4, id);
    EXPECT_FALSE(rs.SetSort("NoSuchColumn"));
    Run(m_db, "DELETE FROM Users WHERE UserID = 4");
    ASSERT_TRUE(rs.Requery());
    EXPECT_EQ(2, rs.GetRecordCount());
}

TEST_F(RecordsetTest, ALongFieldNameIsCutWithoutSplittingACharacter)
{
    struct Case {
        const char* name;
        const char* kept;
    };
    const Case cases[] = {
        {"abcdefghijklmnopqrstuvwxyzABCDEFGHIJKLMN", "abcdefghijklmnopqrstuvwxyzABC"},       // 29 bytes
        {"用户名称用户名称用户名称用户名称用户名称", "用户名称用户名称用户名称用户"},  // 28 bytes
        {"a用户名称用户名称用户名称用户名称用户名称", "a用户名称用户名称用户名称用户"},  // 29 bytes
        {"UserName", "UserName"},
    };
    for (const Case& c : cases) {
        CADORecordset rs(&m_db);
        ASSERT_TRUE(rs.Open(CString("SELECT UserName AS \"") + c.name + "\" FROM Users"))
            << (LPCTSTR)rs.GetLastErrorString();
        CADOFieldInfo info;
        memset(&info, 0x55, sizeof info);
        ASSERT_TRUE(rs.GetFieldInfo(0, &info));
        EXPECT_STREQ(c.kept, info.m_strName);
        EXPECT_NE(short(adEmpty), info.m_nType) << c.name;
        EXPECT_EQ(2, info.m_lSize) << c.name;  // "张三"
    }
}

TEST_F(RecordsetTest, ExecuteOpensTheRowsOfACommand)
{
    CADOCommand command(&m_db, "SELECT UserName FROM Users WHERE UserID = ?", adCmdText);
    ASSERT_TRUE(command.AddParameter("id", adInteger, adParamInput, 4, 3));
    CADORecordset rs(&m_db);
    ASSERT_TRUE(rs.Execute(&command)) << (LPCTSTR)rs.GetLastErrorString();
    CString name;
    EXPECT_TRUE(rs.GetFieldValue("UserName", name));
    EXPECT_STREQ("王五", (LPCTSTR)name);
}

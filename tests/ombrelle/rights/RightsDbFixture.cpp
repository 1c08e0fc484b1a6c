#include "RightsDbFixture.h"

void RightsDbTest::SetUp()
{
    ASSERT_TRUE(m_db.Open(ConnectionString())) << (LPCTSTR)m_db.GetLastErrorString();
}

CString RightsDbTest::ConnectionString(const char* name) const
{
    return CString("Driver=SQLite3;Server=") + m_folder.File(name).c_str();
}

void RightsDbTest::Run(CADODataBase& db, const char* sql)
{
    ASSERT_TRUE(db.Execute(sql)) << (LPCTSTR)db.GetLastErrorString();
}

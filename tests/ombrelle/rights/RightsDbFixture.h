// A fresh SQLite database file for each test, reached through the wrapper.
#pragma once

#include "ADODataBase.h"
#include "TempDir.h"

#include <gtest/gtest.h>

class RightsDbTest : public ::testing::Test {
protected:
    void SetUp() override;

    // "Driver=SQLite3;Server=<file>" for a database file of the test's folder.
    CString ConnectionString(const char* name = "rights.db") const;
    // Runs statements that return no rows; fails the test when one fails.
    void Run(CADODataBase& db, const char* sql);

    testsupport::TempDir m_folder;
    CADODataBase m_db;
};

// A connection of the stand-in to a fresh SQLite database in a folder of
// the test's own, and small helpers around ADO's raw interfaces.
#pragma once

#include "AdoObjects.h"
#include "TempDir.h"

#include <comdef.h>
#include <gtest/gtest.h>

#include <string>

typedef _com_ptr_t<_com_IIID<_ADOConnection, &IID_AdoConnection>> ConnectionPtr;
typedef _com_ptr_t<_com_IIID<_ADORecordset, &IID_AdoRecordset>> RecordsetPtr;
typedef _com_ptr_t<_com_IIID<_ADOCommand, &IID_AdoCommand>> CommandPtr;
typedef _com_ptr_t<_com_IIID<_ADOParameter, &IID_AdoParameter>> ParameterPtr;
typedef _com_ptr_t<_com_IIID<ADOParameters, &IID_AdoParameters>> ParametersPtr;
typedef _com_ptr_t<_com_IIID<ADOFields, &IID_AdoFields>> FieldsPtr;
typedef _com_ptr_t<_com_IIID<ADOField, &IID_AdoField>> FieldPtr;

// The thread's error information after a failed call: source and description.
struct ErrorText {
    std::wstring source, description;
};
ErrorText TakeErrorInfo();

template <class Pointer>
Pointer Create(REFCLSID clsid)
{
    typename Pointer::Interface* object = nullptr;
    EXPECT_EQ(S_OK, AdoCreateInstance(clsid, nullptr, CLSCTX_ALL, Pointer::GetIID(), reinterpret_cast<void**>(&object)));
    Pointer pointer;
    pointer.Attach(object);
    return pointer;
}

class AdoTest : public ::testing::Test {
protected:
    void SetUp() override;
    void TearDown() override;

    // "Driver=SQLite3;Server=<file in the test's folder>".
    std::wstring ConnectionString() const;
    // Runs a statement that returns no rows; fails the test when it fails.
    void Run(const wchar_t* sql);
    // Opens a recordset over the statement.
    RecordsetPtr Query(const wchar_t* sql);
    // The current row's value of a field.
    _variant_t Value(const RecordsetPtr& recordset, const wchar_t* field);

    testsupport::TempDir m_folder;
    ConnectionPtr m_connection;
};

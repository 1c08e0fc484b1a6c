#include "AdoFixture.h"

ErrorText TakeErrorInfo()
{
    ErrorText text;
    IErrorInfo* info = nullptr;
    if (GetErrorInfo(0, &info) == S_OK && info) {
        BSTR source = nullptr, description = nullptr;
        info->GetSource(&source);
        info->GetDescription(&description);
        text.source = source ? source : L"";
        text.description = description ? description : L"";
        SysFreeString(source);
        SysFreeString(description);
        info->Release();
    }
    return text;
}

void AdoTest::SetUp()
{
    CoInitialize(nullptr);
    m_connection = Create<ConnectionPtr>(CLSID_AdoConnection);
    ASSERT_TRUE(m_connection);
    ASSERT_EQ(S_OK, m_connection->Open(_bstr_t(ConnectionString().c_str()), nullptr, nullptr, adConnectUnspecified))
        << TakeErrorInfo().description;
}

void AdoTest::TearDown()
{
    m_connection = nullptr;
    CoUninitialize();
}

std::wstring AdoTest::ConnectionString() const
{
    const std::string file = m_folder.File("test.db");
    return L"Driver=SQLite3;Server=" + std::wstring(file.begin(), file.end());
}

void AdoTest::Run(const wchar_t* sql)
{
    ADORecordset* none = nullptr;
    const HRESULT hr = m_connection->Execute(_bstr_t(sql), nullptr, adExecuteNoRecords, &none);
    ASSERT_EQ(S_OK, hr) << TakeErrorInfo().description;
    EXPECT_EQ(nullptr, none);
}

RecordsetPtr AdoTest::Query(const wchar_t* sql)
{
    RecordsetPtr recordset = Create<RecordsetPtr>(CLSID_AdoRecordset);
    const HRESULT hr = recordset->Open(_variant_t(sql), _variant_t(static_cast<IDispatch*>(m_connection), true),
                                       adOpenStatic, adLockOptimistic, adCmdText);
    EXPECT_EQ(S_OK, hr) << TakeErrorInfo().description;
    return recordset;
}

_variant_t AdoTest::Value(const RecordsetPtr& recordset, const wchar_t* field)
{
    ADOFields* fields = nullptr;
    EXPECT_EQ(S_OK, recordset->get_Fields(&fields));
    FieldsPtr ownedFields;
    ownedFields.Attach(fields);
    ADOField* item = nullptr;
    EXPECT_EQ(S_OK, fields->get_Item(_variant_t(field), &item)) << TakeErrorInfo().description;
    FieldPtr ownedItem;
    ownedItem.Attach(item);
    VARIANT value;
    VariantInit(&value);
    if (item) {
        EXPECT_EQ(S_OK, item->get_Value(&value)) << TakeErrorInfo().description;
    }
    return _variant_t(value, false);
}

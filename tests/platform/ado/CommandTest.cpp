#include "AdoFixture.h"

namespace {

class AdoCommandTest : public AdoTest {
protected:
    CommandPtr NewCommand(const wchar_t* text, CommandTypeEnum type)
    {
        CommandPtr command = Create<CommandPtr>(CLSID_AdoCommand);
        EXPECT_EQ(S_OK, command->putref_ActiveConnection(m_connection));
        EXPECT_EQ(S_OK, command->put_CommandText(_bstr_t(text)));
        EXPECT_EQ(S_OK, command->put_CommandType(type));
        return command;
    }

    void Append(const CommandPtr& command, DataTypeEnum type, const _variant_t& value,
                ParameterDirectionEnum direction = adParamInput)
    {
        ADOParameter* created = nullptr;
        ASSERT_EQ(S_OK, command->CreateParameter(_bstr_t(L""), type, direction, 4, value, &created));
        ParameterPtr parameter;
        parameter.Attach(created);
        ADOParameters* parameters = nullptr;
        ASSERT_EQ(S_OK, command->get_Parameters(&parameters));
        ParametersPtr owned;
        owned.Attach(parameters);
        ASSERT_EQ(S_OK, parameters->Append(parameter));
    }
};

}  // namespace

TEST_F(AdoCommandTest, ParametersBindToMarkersInOrder)
{
    Run(L"CREATE TABLE t (i INTEGER, s TEXT, r REAL, n TEXT)");
    CommandPtr insert = NewCommand(L"INSERT INTO t VALUES (?, ?, ?, ?)", adCmdText);
    Append(insert, adInteger, _variant_t(70000L));
    Append(insert, adVarChar, _variant_t(L"中文"));
    Append(insert, adDouble, _variant_t(0.25));
    _variant_t null;
    null.vt = VT_NULL;
    Append(insert, adVarChar, null);
    _variant_t affected;
    ADORecordset* none = nullptr;
    ASSERT_EQ(S_OK, insert->Execute(&affected, nullptr, adCmdText | adExecuteNoRecords, &none))
        << TakeErrorInfo().description;
    EXPECT_EQ(1, affected.lVal);

    CommandPtr select = NewCommand(L"SELECT i, s, r, n FROM t WHERE i = ?", adCmdText);
    Append(select, adInteger, _variant_t(70000L));
    ADORecordset* rows = nullptr;
    ASSERT_EQ(S_OK, select->Execute(nullptr, nullptr, adOptionUnspecified, &rows)) << TakeErrorInfo().description;
    RecordsetPtr recordset;
    recordset.Attach(rows);
    EXPECT_EQ(70000, Value(recordset, L"i").lVal);
    EXPECT_STREQ(L"中文", Value(recordset, L"s").bstrVal);
    EXPECT_EQ(0.25, Value(recordset, L"r").dblVal);
    EXPECT_EQ(VT_NULL, Value(recordset, L"n").vt);
}

TEST_F(AdoCommandTest, OutputParametersAreNotAvailable)
{
    CommandPtr command = NewCommand(L"SELECT ?", adCmdText);
    Append(command, adInteger, vtMissing, adParamOutput);
    ADORecordset* rows = nullptr;
    EXPECT_EQ(ADO_E_NOTAVAILABLE, command->Execute(nullptr, nullptr, adOptionUnspecified, &rows));
    EXPECT_EQ(nullptr, rows);
}

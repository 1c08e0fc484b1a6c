#include "ADOCommand.h"
#include "ADORecordset.h"
#include "RightsDbFixture.h"

#include <functional>

namespace {

_variant_t FirstParameterValue(CADOCommand& command)
{
    ADOParameters* parameters = nullptr;
    EXPECT_EQ(S_OK, command.GetCommand()->get_Parameters(&parameters));
    ParametersPtr owned;
    owned.Attach(parameters);
    _ADOParameter* parameter = nullptr;
    EXPECT_EQ(S_OK, parameters->get_Item(_variant_t(0L), &parameter));
    _ParameterPtr item;
    item.Attach(parameter);
    VARIANT value;
    VariantInit(&value);
    item->get_Value(&value);
    return _variant_t(value, false);
}

ADO_LONGPTR SizeOf(CADOParameter& parameter)
{
    ADO_LONGPTR size = -1;
    parameter.GetParameter()->get_Size(&size);
    return size;
}

}  // namespace

TEST_F(RightsDbTest, ATextCommandRunsWithAWholeIntParameter)
{
    Run(m_db, "CREATE TABLE t (i INTEGER, s TEXT)");
    CADOCommand insert(&m_db, "INSERT INTO t VALUES (?, ?)", adCmdText);
    ASSERT_TRUE(insert.AddParameter("i", adInteger, adParamInput, 4, 70000));
    ASSERT_TRUE(insert.AddParameter("s", adVarChar, adParamInput, 20, CString("模块")));
    const _variant_t sent = FirstParameterValue(insert);
    EXPECT_EQ(VT_I4, sent.vt);
    EXPECT_EQ(70000, sent.lVal);
    ASSERT_TRUE(insert.Execute()) << (LPCTSTR)insert.GetLastErrorString();
    EXPECT_EQ(1, insert.GetRecordsAffected());

    CADORecordset rs(&m_db);
    ASSERT_TRUE(rs.Open("SELECT i, s FROM t"));
    int i = 0;
    CString s;
    EXPECT_TRUE(rs.GetFieldValue("i", i));
    EXPECT_TRUE(rs.GetFieldValue("s", s));
    EXPECT_EQ(70000, i);
    EXPECT_STREQ("模块", (LPCTSTR)s);
}

TEST_F(RightsDbTest, AFailingCommandKeepsItsErrorDump)
{
    CADOCommand command(&m_db, "NoSuchProcedure", adCmdStoredProc);
    EXPECT_FALSE(command.Execute());
    EXPECT_EQ(0, command.GetLastErrorString().Find("CADOCommand Error\n\tCode = 80004005\n\tCode meaning = "))
        << (LPCTSTR)command.GetLastErrorString();
    EXPECT_EQ(DWORD(E_FAIL), command.GetLastError());

    CADOParameter parameter(adInteger, 4, adParamOutput, "out");
    EXPECT_TRUE(command.AddParameter(&parameter));
    command.SetText("SELECT ?");
    command.SetType(adCmdText);
    EXPECT_FALSE(command.Execute());
    EXPECT_EQ(DWORD(ADO_E_NOTAVAILABLE), command.GetLastError());
}

TEST(ADOParameter, SettersSendTheirVariantAndSetASizeOfZero)
{
    CoInitialize(nullptr);
    {
        struct Case {
            const char* what;
            std::function<BOOL(CADOParameter&)> set;
            VARTYPE vt;
            ADO_LONGPTR size;
        };
        const Case cases[] = {
            {"int", [](CADOParameter& p) { return p.SetValue(70000); }, VT_I4, 4},
            {"long", [](CADOParameter& p) { return p.SetValue(5L); }, VT_I4, 4},
            {"double", [](CADOParameter& p) { return p.SetValue(0.5); }, VT_R8, 8},
            {"text", [](CADOParameter& p) { return p.SetValue(CString("中文")); }, VT_BSTR, 4},
            {"empty text", [](CADOParameter& p) { return p.SetValue(CString()); }, VT_NULL, 0},
            {"date", [](CADOParameter& p) { return p.SetValue(COleDateTime(2.0)); }, VT_DATE, 8},
            {"variant", [](CADOParameter& p) { return p.SetValue(_variant_t(true)); }, VT_BOOL, 16},
        };
        for (const Case& c : cases) {
            CADOParameter parameter(adVariant);
            EXPECT_TRUE(c.set(parameter)) << c.what;
            _variant_t value;
            EXPECT_TRUE(parameter.GetValue(value));
            EXPECT_EQ(c.vt, value.vt) << c.what;
            EXPECT_EQ(c.size, SizeOf(parameter)) << c.what;
        }
        CADOParameter sized(adInteger, 2);
        EXPECT_TRUE(sized.SetValue(70000));
        EXPECT_EQ(2, SizeOf(sized));
        _variant_t whole;
        EXPECT_TRUE(sized.GetValue(whole));
        EXPECT_EQ(70000, whole.lVal);
    }
    CoUninitialize();
}

TEST(ADOParameter, GettersConvertAsTheRecordsetsDoWithoutUnsignedAndBoolText)
{
    CoInitialize(nullptr);
    {
        CADOParameter parameter(adVariant);
        CString text = "untouched";
        _variant_t unsignedValue;
        unsignedValue.vt = VT_UI4;
        unsignedValue.ulVal = 7;
        ASSERT_TRUE(parameter.SetValue(unsignedValue));
        EXPECT_FALSE(parameter.GetValue(text));
        ASSERT_TRUE(parameter.SetValue(_variant_t(true)));
        EXPECT_FALSE(parameter.GetValue(text));
        EXPECT_STREQ("untouched", (LPCTSTR)text);

        ASSERT_TRUE(parameter.SetValue(70000L));
        int n = 0;
        long l = 0;
        double d = 0;
        EXPECT_TRUE(parameter.GetValue(n));
        EXPECT_TRUE(parameter.GetValue(l));
        EXPECT_TRUE(parameter.GetValue(d));
        EXPECT_TRUE(parameter.GetValue(text));
        EXPECT_EQ(70000, n);
        EXPECT_EQ(70000, l);
        EXPECT_EQ(70000.0, d);
        EXPECT_STREQ("70000", (LPCTSTR)text);

        ASSERT_TRUE(parameter.SetValue(COleDateTime(46365.0)));
        COleDateTime date;
        EXPECT_TRUE(parameter.GetValue(date));
        EXPECT_EQ(46365.0, date.m_dt);
        EXPECT_TRUE(parameter.GetValue(text, "%Y/%m/%d"));
        EXPECT_STREQ("2026/12/09", (LPCTSTR)text);
    }
    CoUninitialize();
}

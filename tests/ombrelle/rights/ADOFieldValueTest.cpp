// The recordset's typed getters and setters against a recordset of the
// test's own that hands out crafted variants.
#include "ADORecordset.h"
#include "CraftedRecordset.h"

#include <gtest/gtest.h>

#include <functional>

namespace {

_variant_t Make(VARTYPE vt, std::function<void(VARIANT&)> fill)
{
    _variant_t value;
    // The whole union first, so that a wrong member read shows as garbage.
    memset(static_cast<VARIANT*>(&value), 0xA5, sizeof(VARIANT));
    value.vt = vt;
    fill(value);
    return value;
}

_variant_t Null() { return Make(VT_NULL, [](VARIANT&) {}); }
_variant_t Empty() { return Make(VT_EMPTY, [](VARIANT&) {}); }
_variant_t I2(short v) { return Make(VT_I2, [v](VARIANT& x) { x.iVal = v; }); }
_variant_t I4(long v) { return Make(VT_I4, [v](VARIANT& x) { x.lVal = v; }); }
_variant_t Int(int v) { return Make(VT_INT, [v](VARIANT& x) { x.intVal = v; }); }
_variant_t UI1(BYTE v) { return Make(VT_UI1, [v](VARIANT& x) { x.bVal = v; }); }
_variant_t UI4(ULONG v) { return Make(VT_UI4, [v](VARIANT& x) { x.ulVal = v; }); }
_variant_t R4(float v) { return Make(VT_R4, [v](VARIANT& x) { x.fltVal = v; }); }
_variant_t R8(double v) { return Make(VT_R8, [v](VARIANT& x) { x.dblVal = v; }); }
_variant_t Bool(VARIANT_BOOL v) { return Make(VT_BOOL, [v](VARIANT& x) { x.boolVal = v; }); }
_variant_t Date(DATE v) { return Make(VT_DATE, [v](VARIANT& x) { x.date = v; }); }
_variant_t Cy(LONGLONG v) { return Make(VT_CY, [v](VARIANT& x) { x.cyVal.int64 = v; }); }
_variant_t Text(const wchar_t* v) { return _variant_t(v); }

// -(2^40 + 5) / 100: a decimal whose mantissa needs more than 32 bits.
_variant_t WideDecimal()
{
    _variant_t value;
    value.vt = VT_DECIMAL;
    value.decVal.sign = DECIMAL_NEG;
    value.decVal.scale = 2;
    value.decVal.Hi32 = 0;
    value.decVal.Lo64 = (1ULL << 40) + 5;
    return value;
}

// -(2^40 * 10 + 5) / 10, exact as a double.
_variant_t WideDecimalTenths()
{
    _variant_t value = WideDecimal();
    value.decVal.scale = 1;
    value.decVal.Lo64 = (1ULL << 40) * 10 + 5;
    return value;
}

const DATE kDate = 46365.0 + (18 * 3600 + 30 * 60 + 15) / 86400.0;  // 2026-12-09 18:30:15

class FieldValueTest : public ::testing::Test {
protected:
    void SetUp() override { m_rs.m_pRecordset.Attach(new crafted::Recordset(&m_cell)); }

    crafted::Cell m_cell;
    CADORecordset m_rs;
};

}  // namespace

TEST_F(FieldValueTest, DoubleGetterConvertsEveryConvertibleType)
{
    struct Case {
        const char* what;
        _variant_t value;
        BOOL ok;
        double expected;
    };
    const Case cases[] = {
        {"empty", Empty(), TRUE, 0.0},
        {"null", Null(), TRUE, 0.0},
        {"I2", I2(-5), TRUE, -5.0},
        {"I4", I4(70000), TRUE, 70000.0},
        {"INT", Int(-70000), TRUE, -70000.0},
        {"UI1", UI1(200), TRUE, 200.0},
        {"R4", R4(1.5f), TRUE, 1.5},
        {"R8", R8(2.25), TRUE, 2.25},
        {"DECIMAL", WideDecimal(), TRUE, -10995116277.81},
        {"BSTR number", Text(L"3.5"), TRUE, 3.5},
        {"CY", Cy(12345), TRUE, 1.2345},
        {"BSTR text", Text(L"abc"), FALSE, 99.0},
    };
    for (const Case& c : cases) {
        m_cell.value = c.value;
        double byName = 99.0, byIndex = 99.0;
        EXPECT_EQ(c.ok, m_rs.GetFieldValue("f", byName)) << c.what;
        EXPECT_EQ(VT_BSTR, m_cell.keyType);
        EXPECT_EQ(c.ok, m_rs.GetFieldValue(0, byIndex)) << c.what;
        EXPECT_EQ(VT_I2, m_cell.keyType);
        EXPECT_DOUBLE_EQ(c.expected, byName) << c.what;
        EXPECT_DOUBLE_EQ(c.expected, byIndex) << c.what;
    }
}

TEST_F(FieldValueTest, IntegerGettersKeepAllThirtyTwoBits)
{
    struct Case {
        const char* what;
        _variant_t value;
        long expected;
    };
    const Case cases[] = {
        {"empty", Empty(), 0}, {"null", Null(), 0},     {"I4", I4(70000), 70000},
        {"INT", Int(-70000), -70000}, {"I2", I2(-5), -5}, {"UI1", UI1(200), 200},
        {"UI4", UI4(0xFFFFFFFFu), -1},
    };
    for (const Case& c : cases) {
        m_cell.value = c.value;
        int n = 7;
        long l = 7;
        unsigned long ul = 7;
        EXPECT_TRUE(m_rs.GetFieldValue("f", n)) << c.what;
        EXPECT_TRUE(m_rs.GetFieldValue(0, l)) << c.what;
        EXPECT_TRUE(m_rs.GetFieldValue("f", ul)) << c.what;
        EXPECT_EQ(c.expected, n) << c.what;
        EXPECT_EQ(c.expected, l) << c.what;
        EXPECT_EQ(static_cast<unsigned long>(c.expected), ul) << c.what;
    }
}

TEST_F(FieldValueTest, TextGetterFollowsTheVariantType)
{
    struct Case {
        const char* what;
        _variant_t value;
        const char* format;
        BOOL ok;
        const char* expected;
    };
    const Case cases[] = {
        {"empty", Empty(), "", TRUE, ""},
        {"null", Null(), "", TRUE, ""},
        {"I2", I2(-5), "", TRUE, "-5"},
        {"UI1", UI1(200), "", TRUE, "200"},
        {"INT", Int(-70000), "", TRUE, "-70000"},
        {"I4", I4(70000), "", TRUE, "70000"},
        {"UI4", UI4(4000000000u), "", TRUE, "4000000000"},
        {"R4", R4(1.5f), "", TRUE, "1.5"},
        {"R8", R8(2.25), "", TRUE, "2.25"},
        {"R8 whole", R8(2.0), "", TRUE, "2."},
        {"DECIMAL", WideDecimalTenths(), "", TRUE, "-1099511627776.5"},
        {"R8 long", R8(0.1), "", TRUE, "0.10000000000000000555"},
        {"R8 exponent", R8(1180591620717411303424.0), "", TRUE, "1.1805916207174113034e+21"},
        {"R8 exponent whole", R8(1e22), "", TRUE, "1.e+22"},
        {"DATE", Date(kDate), "", TRUE, "2026-12-09 18:30:15"},
        {"DATE formatted", Date(kDate), "%Y年%m月%d日", TRUE, "2026年12月09日"},
        {"BSTR", Text(L"权限管理"), "", TRUE, "权限管理"},
        {"BOOL true", Bool(VARIANT_TRUE), "", TRUE, "T"},
        {"BOOL other", Bool(1), "", TRUE, "F"},
        {"CY", Cy(10000), "", FALSE, "untouched"},
    };
    for (const Case& c : cases) {
        m_cell.value = c.value;
        CString text = "untouched";
        EXPECT_EQ(c.ok, m_rs.GetFieldValue("f", text, c.format)) << c.what;
        EXPECT_STREQ(c.expected, (LPCTSTR)text) << c.what;
    }
}

TEST_F(FieldValueTest, DateBoolAndCurrencyGettersTakeOnlyTheirType)
{
    m_cell.value = Date(kDate);
    COleDateTime date;
    EXPECT_TRUE(m_rs.GetFieldValue("f", date));
    EXPECT_EQ(COleDateTime::valid, date.GetStatus());
    EXPECT_EQ(kDate, date.m_dt);
    m_cell.value = Null();
    EXPECT_TRUE(m_rs.GetFieldValue(0, date));
    EXPECT_EQ(COleDateTime::null, date.GetStatus());
    EXPECT_EQ(kDate, date.m_dt);
    m_cell.value = Text(L"2026-12-09");
    COleDateTime untouched(1.0);
    EXPECT_FALSE(m_rs.GetFieldValue("f", untouched));
    EXPECT_EQ(1.0, untouched.m_dt);

    bool flag = false;
    m_cell.value = Bool(VARIANT_TRUE);
    EXPECT_TRUE(m_rs.GetFieldValue("f", flag));
    EXPECT_TRUE(flag);
    m_cell.value = Bool(1);
    EXPECT_TRUE(m_rs.GetFieldValue("f", flag));
    EXPECT_FALSE(flag);
    m_cell.value = I4(1);
    flag = true;
    EXPECT_FALSE(m_rs.GetFieldValue("f", flag));
    EXPECT_TRUE(flag);
    m_cell.value = Null();
    EXPECT_TRUE(m_rs.GetFieldValue(0, flag));
    EXPECT_FALSE(flag);

    COleCurrency amount(3, 0);
    m_cell.value = Cy(-12345);
    EXPECT_TRUE(m_rs.GetFieldValue("f", amount));
    EXPECT_EQ(-12345, amount.m_cur.int64);
    EXPECT_EQ(COleCurrency::valid, amount.GetStatus());
    m_cell.value = Null();
    EXPECT_TRUE(m_rs.GetFieldValue("f", amount));
    EXPECT_EQ(0, amount.m_cur.int64);
    EXPECT_EQ(COleCurrency::null, amount.GetStatus());
    COleCurrency kept(3, 0);
    m_cell.value = R8(1.0);
    EXPECT_FALSE(m_rs.GetFieldValue("f", kept));
    EXPECT_EQ(30000, kept.m_cur.int64);

    _variant_t copy;
    m_cell.value = UI4(7);
    EXPECT_TRUE(m_rs.GetFieldValue(0, copy));
    EXPECT_EQ(VT_UI4, copy.vt);
    EXPECT_EQ(7u, copy.ulVal);
    EXPECT_TRUE(m_rs.IsFieldEmpty("f") == FALSE);
    m_cell.value = Null();
    EXPECT_TRUE(m_rs.IsFieldNull("f"));
    EXPECT_TRUE(m_rs.IsFieldEmpty(0));
}

TEST_F(FieldValueTest, SettersWriteTheirVariantOnlyWhileEditing)
{
    EXPECT_FALSE(m_rs.SetFieldValue("f", 5L));
    EXPECT_EQ(0, m_cell.puts);
    m_rs.Edit();

    struct Case {
        const char* what;
        std::function<BOOL()> set;
        VARTYPE vt;
        std::function<bool(const VARIANT&)> holds;
    };
    COleCurrency invalidAmount(1, 0);
    invalidAmount.SetStatus(COleCurrency::invalid);
    COleCurrency nullAmount(2, 0);
    nullAmount.SetStatus(COleCurrency::null);
    const Case cases[] = {
        {"text", [&] { return m_rs.SetFieldValue("f", CString("用户")); }, VT_BSTR,
         [](const VARIANT& v) { return wcscmp(v.bstrVal, L"用户") == 0; }},
        {"empty text", [&] { return m_rs.SetFieldValue(0, CString()); }, VT_NULL, [](const VARIANT&) { return true; }},
        {"int", [&] { return m_rs.SetFieldValue("f", 70000); }, VT_I4,
         [](const VARIANT& v) { return v.lVal == 70000; }},
        {"long", [&] { return m_rs.SetFieldValue(0, -70000L); }, VT_I4,
         [](const VARIANT& v) { return v.lVal == -70000; }},
        {"unsigned long", [&] { return m_rs.SetFieldValue("f", 4000000000ul); }, VT_UI4,
         [](const VARIANT& v) { return v.ulVal == 4000000000u; }},
        {"double", [&] { return m_rs.SetFieldValue("f", 0.5); }, VT_R8, [](const VARIANT& v) { return v.dblVal == 0.5; }},
        {"date", [&] { return m_rs.SetFieldValue("f", COleDateTime(kDate)); }, VT_DATE,
         [](const VARIANT& v) { return v.date == kDate; }},
        {"bool", [&] { return m_rs.SetFieldValue("f", true); }, VT_BOOL,
         [](const VARIANT& v) { return v.boolVal == VARIANT_TRUE; }},
        {"null currency", [&] { return m_rs.SetFieldValue("f", nullAmount); }, VT_CY,
         [](const VARIANT& v) { return v.cyVal.int64 == 20000; }},
        {"variant", [&] { return m_rs.SetFieldValue("f", UI1(9)); }, VT_UI1, [](const VARIANT& v) { return v.bVal == 9; }},
        {"empty", [&] { return m_rs.SetFieldEmpty(0); }, VT_EMPTY, [](const VARIANT&) { return true; }},
    };
    for (const Case& c : cases) {
        const int puts = m_cell.puts;
        EXPECT_TRUE(c.set()) << c.what;
        EXPECT_EQ(puts + 1, m_cell.puts) << c.what;
        EXPECT_EQ(c.vt, m_cell.written.vt) << c.what;
        EXPECT_TRUE(c.holds(m_cell.written)) << c.what;
    }
    const int puts = m_cell.puts;
    EXPECT_FALSE(m_rs.SetFieldValue("f", invalidAmount));
    EXPECT_EQ(puts, m_cell.puts);
}

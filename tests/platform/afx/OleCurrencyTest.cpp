#include "afx.h"
#include "afxdisp.h"

#include <gtest/gtest.h>

TEST(OleCurrency, AmountsCountTenThousandths)
{
    struct Case {
        long units, fraction;
        LONGLONG int64;
    };
    const Case cases[] = {
        {0, 0, 0},
        {12, 3456, 123456},
        {-12, -3456, -123456},
        {2147483647, 9999, 21474836479999LL},  // beyond 32 bits
    };
    for (const Case& c : cases) {
        COleCurrency amount(c.units, c.fraction);
        EXPECT_EQ(COleCurrency::valid, amount.GetStatus());
        EXPECT_EQ(c.int64, static_cast<CURRENCY>(amount).int64) << c.units << "." << c.fraction;
    }
    EXPECT_EQ(COleCurrency::valid, COleCurrency().GetStatus());
    EXPECT_EQ(0, COleCurrency().m_cur.int64);
}

TEST(OleCurrency, StatusTakesPartInEquality)
{
    COleCurrency a(5, 0), b(5, 0);
    EXPECT_TRUE(a == b);
    b.SetStatus(COleCurrency::null);
    EXPECT_EQ(COleCurrency::null, b.GetStatus());
    EXPECT_TRUE(a != b);
}

TEST(OleCurrency, VariantOfTypeCyCarriesTheAmountBothWays)
{
    COleCurrency amount(-7, -5);
    COleVariant variant(amount);
    EXPECT_EQ(VT_CY, variant.vt);
    EXPECT_EQ(-70005, variant.cyVal.int64);

    COleCurrency back(static_cast<const VARIANT&>(variant));
    EXPECT_EQ(COleCurrency::valid, back.GetStatus());
    EXPECT_EQ(-70005, back.m_cur.int64);

    COleVariant assigned;
    assigned = COleCurrency(1, 0);
    EXPECT_EQ(VT_CY, assigned.vt);
    EXPECT_EQ(10000, assigned.cyVal.int64);
}

TEST(OleCurrency, OtherVariantsConvertOrMarkTheStatus)
{
    COleVariant nullValue;
    nullValue.vt = VT_NULL;
    COleCurrency fromNull(static_cast<const VARIANT&>(nullValue));
    EXPECT_EQ(COleCurrency::null, fromNull.GetStatus());
    EXPECT_EQ(0, fromNull.m_cur.int64);

    COleCurrency fromLong(static_cast<const VARIANT&>(COleVariant(42L)));
    EXPECT_EQ(COleCurrency::valid, fromLong.GetStatus());
    EXPECT_EQ(420000, fromLong.m_cur.int64);

    COleCurrency fromText(static_cast<const VARIANT&>(COleVariant(_T("not a number"))));
    EXPECT_EQ(COleCurrency::invalid, fromText.GetStatus());
    EXPECT_EQ(0, fromText.m_cur.int64);
}

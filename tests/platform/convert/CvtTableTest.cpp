// The layout check of the CMYK conversion table, plain C++ over its bytes.
#include "CvtTable.h"

#include "CvtTableFixture.h"

#include <gtest/gtest.h>

#include <vector>

using namespace cvtfixture;

TEST(ConvertLibrary, CmykTableLayoutIsChecked)
{
    EXPECT_TRUE(convert::IsValidCmykTable(CmykTable(3, 2)));
    std::vector<uint8_t> cut = CmykTable(3, 2);
    cut.pop_back();
    EXPECT_FALSE(convert::IsValidCmykTable(cut));
    std::vector<uint8_t> motorola = CmykTable(3, 2);
    motorola[0] = motorola[1] = 'M';
    EXPECT_FALSE(convert::IsValidCmykTable(motorola));
    std::vector<uint8_t> farIfd = CmykTable(3, 2);
    Put32(farIfd, 4, 0xFFFFFFF0);
    EXPECT_FALSE(convert::IsValidCmykTable(farIfd));
    std::vector<uint8_t> manyEntries = CmykTable(3, 2);
    Put16(manyEntries, 50, 0xFFFF);
    EXPECT_FALSE(convert::IsValidCmykTable(manyEntries));
    std::vector<uint8_t> huge = CmykTable(3, 2);
    Put32(huge, 52 + 12 + 8, 0xFFFFFFFF);
    EXPECT_FALSE(convert::IsValidCmykTable(huge));
    // 2^31 x 2^31 pixels of four bytes: a size past 64 bits, which must
    // not wrap round to one that fits.
    std::vector<uint8_t> wrapping = CmykTable(3, 2);
    Put32(wrapping, 52 + 12 + 8, 0x80000000);
    Put32(wrapping, 52 + 24 + 8, 0x80000000);
    EXPECT_FALSE(convert::IsValidCmykTable(wrapping));
}

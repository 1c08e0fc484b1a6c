#include "Convert.h"

#include "CvtTable.h"
#include "CvtTableFixture.h"
#include "GuiDriver.h"
#include "TempDir.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

using namespace cvtfixture;
using testsupport::Gui;

namespace {

std::string Bytes(const std::vector<uint8_t>& b) { return std::string(b.begin(), b.end()); }

int LoadBoth(const char* folder, const char* program, int* pCount)
{
    CONVERT_PARAMS params = {};
    params.pszTableFolder = folder;
    params.pszProgramFolder = program;
    int first = 0, second = 0;
    int ok = CvtLoadInputTables(1, &params, &first) & CvtLoadOutputTables(1, &params, &second);
    *pCount = first + second;
    return ok;
}

}  // namespace

TEST(ConvertLibrary, TablesFromTheFolderOrBuiltIn)
{
    testsupport::TempDir dir;
    int count = -1;
    EXPECT_EQ(1, LoadBoth(dir.Path().c_str(), NULL, &count));
    EXPECT_EQ(0, count);

    ASSERT_TRUE(testsupport::WriteFileBytes(dir.File("dto.cvt"), Bytes(CmykTable(4, 4))));
    ASSERT_TRUE(testsupport::WriteFileBytes(dir.File("otd.cvt"), "standard"));
    EXPECT_EQ(1, LoadBoth(dir.Path().c_str(), NULL, &count));
    EXPECT_EQ(2, count);

    ASSERT_TRUE(testsupport::WriteFileBytes(dir.File("ltr.cvt"), ""));
    EXPECT_EQ(0, LoadBoth(dir.Path().c_str(), NULL, &count));
    ::DeleteFileA(dir.File("ltr.cvt").c_str());
    ASSERT_TRUE(testsupport::WriteFileBytes(dir.File("dto.cvt"), "II*\0"));
    EXPECT_EQ(0, LoadBoth(dir.Path().c_str(), NULL, &count));
}

TEST(ConvertLibrary, SystemTablesBesideTheProgramFolder)
{
    testsupport::TempDir dir;
    ::CreateDirectoryA(dir.File("prog").c_str(), NULL);
    ::CreateDirectoryA(dir.File("color").c_str(), NULL);
    ASSERT_TRUE(testsupport::WriteFileBytes(dir.File("color\\ctl.cvt"), "table"));
    int count = -1;
    EXPECT_EQ(1, LoadBoth(NULL, dir.File("prog").c_str(), &count));
    EXPECT_EQ(1, count);

    // Without a program folder in the record, the one of ordinal 17.
    CvtSetProgramFolder(dir.File("prog").c_str());
    EXPECT_EQ(1, LoadBoth(NULL, NULL, &count));
    EXPECT_EQ(1, count);
    CONVERT_PARAMS params = {};
    EXPECT_EQ(0, CvtLoadInputTables(3, &params, &count));
}

TEST(ConvertLibrary, ProfileChoice)
{
    ConvertClearCallLog();
    char scan[256] = "old.icc", display[256] = "", print[256] = "";
    auto& dialog = Gui()
                       .Expect("选择色彩配置文件")
                       .SetText(1001, "C:\\p\\扫描.icc")
                       .SetText(1002, "C:\\p\\d.icc")
                       .SetText(1003, "C:\\p\\p.icc")
                       .Press(IDOK);
    int n = 0;
    EXPECT_EQ(IDOK, CvtChooseProfiles("C:\\prog", "C:\\color", scan, display, print, &n));
    EXPECT_TRUE(dialog.Seen());
    EXPECT_STREQ("C:\\p\\扫描.icc", scan);
    EXPECT_STREQ("C:\\p\\d.icc", display);
    EXPECT_STREQ("C:\\p\\p.icc", print);

    Gui().Expect("选择色彩配置文件").SetText(1001, "x").Press(IDCANCEL);
    EXPECT_EQ(IDCANCEL, CvtChooseProfiles("C:\\prog", "C:\\color", scan, display, print, &n));
    EXPECT_STREQ("C:\\p\\扫描.icc", scan);
    EXPECT_STREQ("100 C:\\prog C:\\color\n100 C:\\prog C:\\color\n", ConvertCallLog());
}

namespace {

struct Rgb {
    BYTE r, g, b;
};

}  // namespace

TEST(ConvertLibrary, HslOfPrimariesWhiteAndGreys)
{
    struct {
        Rgb rgb;
        float h, s, l;
    } cases[] = {
        {{255, 0, 0}, 0, 100, 50},     {{0, 255, 0}, 120, 100, 50}, {{0, 0, 255}, 240, 100, 50},
        {{255, 255, 0}, 60, 100, 50},  {{255, 0, 255}, 300, 100, 50}, {{255, 255, 255}, 0, 0, 100},
        {{0, 0, 0}, 0, 0, 0},          {{128, 128, 128}, 0, 0, 50.196f}, {{255, 128, 128}, 0, 100, 75.098f},
    };
    for (const auto& c : cases) {
        float hsl[3] = {-1, -1, -1};
        EXPECT_EQ(1, CvtRgbToHsl(&c.rgb.r, hsl, 1));
        EXPECT_NEAR(hsl[0], c.h, 0.01) << int(c.rgb.r) << " " << int(c.rgb.g) << " " << int(c.rgb.b);
        EXPECT_NEAR(hsl[1], c.s, 0.01) << int(c.rgb.r) << " " << int(c.rgb.g) << " " << int(c.rgb.b);
        EXPECT_NEAR(hsl[2], c.l, 0.01) << int(c.rgb.r) << " " << int(c.rgb.g) << " " << int(c.rgb.b);
    }
}

TEST(ConvertLibrary, RgbThroughHslAndBackWithinOnePerChannel)
{
    std::vector<BYTE> rgb;
    for (int r = 0; r <= 255; r += 17)
        for (int g = 0; g <= 255; g += 15)
            for (int b = 0; b <= 255; b += 51)
                rgb.insert(rgb.end(), {BYTE(r), BYTE(g), BYTE(b)});
    const int n = int(rgb.size() / 3);
    std::vector<float> hsl(rgb.size());
    std::vector<BYTE> back(rgb.size());
    ASSERT_EQ(n, CvtRgbToHsl(rgb.data(), hsl.data(), n));
    ASSERT_EQ(n, CvtHslToRgb(hsl.data(), back.data(), n));
    for (size_t i = 0; i < rgb.size(); i++) {
        ASSERT_LE(std::abs(int(rgb[i]) - int(back[i])), 1) << "channel " << i % 3 << " of colour " << i / 3;
        ASSERT_GE(hsl[i - i % 3], 0.0f);
        ASSERT_LT(hsl[i - i % 3], 360.0f);
    }
    // No count converts nothing.
    BYTE untouched[3] = {7, 7, 7};
    EXPECT_EQ(0, CvtHslToRgb(hsl.data(), untouched, 0));
    EXPECT_EQ(7, untouched[0]);
}

TEST(ConvertLibrary, RgbToCmykAndBackThroughTheSixFieldRecord)
{
    // Two lines of three pixels, each source line padded past its pixels.
    const BYTE rgb[2][12] = {{255, 0, 0, 0, 255, 0, 0, 0, 255, 0xEE, 0xEE, 0xEE},
                             {255, 255, 255, 0, 0, 0, 255, 255, 0, 0xEE, 0xEE, 0xEE}};
    const BYTE expected[24] = {0, 255, 255, 0, 255, 0, 255, 0, 255, 255, 0, 0,
                               0, 0, 0, 0,     0, 0, 0, 255,   0, 0, 255, 0};
    BYTE cmyk[24] = {};
    BYTE scratch[16] = {};
    ConvertClearCallLog();
    CONVERT_RECORD toCmyk = {&rgb[0][0], cmyk, 3, 12, 3, 2};
    ASSERT_EQ(1, CvtLoadOutputTables(CVT_COMMAND_CONVERT, &toCmyk, scratch));
    EXPECT_EQ(std::vector<BYTE>(expected, expected + 24), std::vector<BYTE>(cmyk, cmyk + 24));

    BYTE back[18] = {};
    CONVERT_RECORD toRgb = {cmyk, back, 4, 12, 3, 2};
    ASSERT_EQ(1, CvtLoadInputTables(CVT_COMMAND_CONVERT, &toRgb, scratch));
    for (int y = 0; y < 2; y++)
        for (int i = 0; i < 9; i++)
            EXPECT_EQ(rgb[y][i], back[y * 9 + i]) << "line " << y << " byte " << i;
    EXPECT_EQ(std::vector<BYTE>(16, 0), std::vector<BYTE>(scratch, scratch + 16));
    EXPECT_STREQ("3 2 3 2\n2 2 3 2\n", ConvertCallLog());
}

TEST(ConvertLibrary, AConversionRecordWithoutRoomIsRefusedAndNothingWritten)
{
    const BYTE rgb[8] = {1, 2, 3, 4, 5, 6, 7, 8};
    BYTE out[16];
    int scratch = 0;
    struct {
        const char* what;
        CONVERT_RECORD record;
    } cases[] = {
        {"no source", {NULL, out, 3, 3, 1, 1}},
        {"no destination", {rgb, NULL, 3, 3, 1, 1}},
        {"no width", {rgb, out, 3, 3, 0, 1}},
        {"no height", {rgb, out, 3, 3, 1, 0}},
        {"negative height", {rgb, out, 3, 3, 1, -4}},
        {"pixel too small", {rgb, out, 2, 6, 1, 1}},
        {"line too short", {rgb, out, 3, 5, 2, 1}},
        {"negative line", {rgb, out, 3, -6, 2, 1}},
    };
    for (const auto& c : cases) {
        std::memset(out, 0xAA, sizeof out);
        CONVERT_RECORD record = c.record;
        EXPECT_EQ(0, CvtLoadOutputTables(CVT_COMMAND_CONVERT, &record, &scratch)) << c.what;
        EXPECT_EQ(std::vector<BYTE>(16, 0xAA), std::vector<BYTE>(out, out + 16)) << c.what;
    }
    EXPECT_EQ(0, CvtLoadInputTables(CVT_COMMAND_CONVERT, NULL, &scratch));
    // The CMYK side needs four bytes a pixel.
    CONVERT_RECORD threeBytes = {rgb, out, 3, 3, 1, 1};
    EXPECT_EQ(0, CvtLoadInputTables(CVT_COMMAND_CONVERT, &threeBytes, &scratch));
}

#include "GuiDriver.h"

#include <gtest/gtest.h>

#include <windows.h>

TEST(CodePage, AnsiCodePageIsGbk)
{
    EXPECT_EQ(936u, GetACP());
    // Narrow literals are compiled to GBK: 中 is D6 D0.
    EXPECT_EQ("\xD6\xD0", std::string("中"));
}

TEST(CodePage, ChineseTextReachesAMessageBoxIntact)
{
    auto& box = testsupport::Gui().Expect("图像采集").Press(IDOK);

    EXPECT_EQ(IDOK, MessageBoxA(nullptr, "颜色转换表装入失败！", "图像采集", MB_OK | MB_ICONWARNING));

    EXPECT_TRUE(box.HasText("颜色转换表装入失败！"));
}

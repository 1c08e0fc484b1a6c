#include "Registry.h"

#include <gtest/gtest.h>

using namespace testsupport;

TEST(Registry, ProfileValuesUnderTheApplicationKeyReadBack)
{
    const std::string app = "Software\\Local AppWizard-Generated Applications\\OmbrelleRegistryTest";
    const std::string section = app + "\\ScanFilePath";
    ASSERT_TRUE(DeleteRegKey(HKEY_CURRENT_USER, app));

    ASSERT_TRUE(WriteRegString(HKEY_CURRENT_USER, section, "Path", "C:\\扫描图片\\"));
    ASSERT_TRUE(WriteRegDword(HKEY_CURRENT_USER, section, "Type", 2));

    EXPECT_EQ("C:\\扫描图片\\", ReadRegString(HKEY_CURRENT_USER, section, "Path").value_or("<missing>"));
    EXPECT_EQ(2u, ReadRegDword(HKEY_CURRENT_USER, section, "Type").value_or(0));
    EXPECT_FALSE(ReadRegString(HKEY_CURRENT_USER, section, "Type").has_value());  // wrong type
    EXPECT_TRUE(DeleteRegKey(HKEY_CURRENT_USER, app));
    EXPECT_FALSE(ReadRegDword(HKEY_CURRENT_USER, section, "Type").has_value());
}

#include "RootFolder.h"

#include <gtest/gtest.h>

TEST(OrdwellRootFolder, RootsOfDrivesAndSharesInEverySpelling)
{
    struct {
        const char* folder;
        bool root;
    } cases[] = {
        {"", true},
        {"\\", true},
        {"D:", true},
        {"D:\\", true},
        {"d:/", true},
        {"D:\\x\\..", true},
        {"D:\\.\\", true},
        {"\\\\srv", true},
        {"\\\\srv\\share", true},
        {"\\\\srv\\share\\", true},
        {"\\\\srv\\share\\x\\..", true},
        {"\\\\srv\\乗b", true},  // 乗 ends in the byte of a backslash
        {"\\\\?\\D:\\", true},
        {"\\\\.\\D:", true},
        {"\\\\?\\UNC\\srv\\share", true},
        {"D:\\jobs", false},
        {"D:\\jobs\\", false},
        {"D:\\乗b", false},
        {"D:jobs", false},
        {"jobs", false},
        {"\\\\srv\\share\\jobs", false},
        {"\\\\?\\D:\\jobs", false},
        {"\\\\?\\UNC\\srv\\share\\jobs", false},
    };
    for (const auto& c : cases)
        EXPECT_EQ(c.root, IsRootOrEmptyFolder(c.folder) != FALSE) << c.folder;
}

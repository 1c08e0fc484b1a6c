// Names of the reduced copies, and the copies the document makes: a JPEG in
// the temp folder no larger than the window, or the picture itself.
#include "ClientFixture.h"
#include "PictureFiles.h"

#include "General.h"
#include "OmbrelleDoc.h"
#include "ReducedCopy.h"

#include <gtest/gtest.h>

#include <ostream>
#include <string>

namespace doctest {
namespace {

struct HashCase {
    const char* text;
    DWORD hash;
};

TEST(Fnv1aHashTest, KnownValues)
{
    const HashCase kCases[] = {{"", 0x811c9dc5u}, {"a", 0xe40c292cu}, {"foobar", 0xbf9cf968u}};
    for (const HashCase& c : kCases)
        EXPECT_EQ(Fnv1aHash(c.text), c.hash) << c.text;
}

struct NameCase {
    const char* temp;
    const char* path;
    const char* copy;
};

TEST(ReducedCopyNameTest, NameWithoutExtensionAndTheHashOfTheLowerCasedPath)
{
    const NameCase kCases[] = {
        {"T", "C:\\pics\\a.gif", "T\\a_aaeed63e.jpg"},
        {"T\\", "c:\\pics\\a.gif", "T\\a_aaeed63e.jpg"},
        {"T", "C:\\PICS\\A.GIF", "T\\A_aaeed63e.jpg"},
        {"T", "D:\\other\\a.gif", "T\\a_fffb86e6.jpg"},
        {"T", "C:\\pics\\x.jpg", "T\\x_3feff508.jpg"},
        {"T", "C:\\pics\\x.tif", "T\\x_1a63e620.jpg"},
        {"T", "C:\\pics\\noext", "T\\noext_d003224b.jpg"},
        {"C:\\temp", "C:\\图片\\扫描.bmp", "C:\\temp\\扫描_c1eb1802.jpg"},
        // The second byte of 圽 is a backslash: it neither ends a folder nor
        // counts as a trailing one.
        {"C:\\临时圽", "C:\\pics\\圽.gif", "C:\\临时圽\\圽_578f4193.jpg"},
    };
    for (const NameCase& c : kCases)
        EXPECT_EQ(std::string(ReducedCopyName(c.temp, c.path)), c.copy) << c.path;
}

struct UploadNameCase {
    const char* prefix;
    const char* path;
    const char* copy;
};

TEST(ReducedCopyNameTest, UploadCopiesPutTheirPrefixBeforeTheSameName)
{
    const UploadNameCase kCases[] = {
        {"prev_", "C:\\pics\\a.gif", "T\\prev_a_aaeed63e.jpg"},
        {"web_", "C:\\PICS\\A.GIF", "T\\web_A_aaeed63e.jpg"},
        {"web_", "C:\\pics\\x.tif", "T\\web_x_1a63e620.jpg"},
        {"prev_", "C:\\pics\\noext", "T\\prev_noext_d003224b.jpg"},
    };
    for (const UploadNameCase& c : kCases)
        EXPECT_EQ(std::string(UploadCopyName("T\\", c.prefix, c.path)), c.copy) << c.prefix << c.path;
}

TEST(ReducedCopyNameTest, FileInFolder)
{
    EXPECT_TRUE(IsFileInFolder("C:\\T\\a.jpg", "c:\\t"));
    EXPECT_TRUE(IsFileInFolder("C:\\T\\a.jpg", "C:\\T\\"));
    EXPECT_FALSE(IsFileInFolder("C:\\T\\sub\\a.jpg", "C:\\T"));
    EXPECT_FALSE(IsFileInFolder("C:\\Tx\\a.jpg", "C:\\T"));
    EXPECT_FALSE(IsFileInFolder("a.jpg", ""));
}

// ---------------------------------------------------------------------------
// The copies the document makes.

enum class Result { Copy, Original, None };

struct CopyCase {
    const char* name;
    const char* file;
    int width, height;  // 0: no file
    int windowWidth, windowHeight;
    Result result;
    const char* identified;  // the copy as the host's ImageMagick reads it
};

void PrintTo(const CopyCase& c, std::ostream* os) { *os << c.name; }

const CopyCase kCopyCases[] = {
    {"LargeGifBecomesAJpeg", "a.gif", 800, 600, 400, 300, Result::Copy, "JPEG 400x300"},
    {"LargeBmpBecomesAJpeg", "big.bmp", 1000, 500, 400, 300, Result::Copy, "JPEG 400x200"},
    {"LargeTiffBecomesAJpeg", "big.tif", 1000, 500, 400, 300, Result::Copy, "JPEG 400x200"},
    {"LargeJpeg", "big.jpg", 1200, 900, 400, 300, Result::Copy, "JPEG 400x300"},
    {"PortraitIsFittedByItsHeight", "tall.jpg", 300, 600, 400, 300, Result::Copy, "JPEG 150x300"},
    {"PortraitBmp", "tall.bmp", 200, 800, 400, 300, Result::Copy, "JPEG 75x300"},
    {"AsWideAsTheWindow", "wide.bmp", 400, 100, 400, 300, Result::Copy, "JPEG 400x100"},
    {"SmallerBothWaysIsShownItself", "small.jpg", 200, 100, 400, 300, Result::Original, ""},
    {"SmallBmpIsShownItself", "small.bmp", 399, 299, 400, 300, Result::Original, ""},
    {"MissingFile", "missing.jpg", 0, 0, 400, 300, Result::None, ""},
    {"TypeWithoutReader", "pic.png", 800, 600, 400, 300, Result::None, ""},
    {"EmptyWindow", "big2.jpg", 800, 600, 0, 0, Result::None, ""},
};

class ReducedCopyTest : public ClientFixture, public ::testing::WithParamInterface<CopyCase> {};

TEST_P(ReducedCopyTest, CopyRules)
{
    const CopyCase& c = GetParam();
    Start();
    const std::string picture = m_files.File(c.file);
    if (c.width > 0) {
        ASSERT_TRUE(WritePicture(picture, c.width, c.height, RGB(200, 40, 40)));
    }

    CString result = Doc()->MakeReducedCopy(picture.c_str(), CRect(0, 0, c.windowWidth, c.windowHeight));
    const std::string copy(ReducedCopyName(m_temp.Path().c_str(), picture.c_str()));
    switch (c.result) {
    case Result::Copy:
        EXPECT_EQ(std::string(result), copy);
        EXPECT_EQ(copy.substr(copy.size() - 4), ".jpg");
        EXPECT_EQ(Identify(copy), c.identified);
        break;
    case Result::Original:
        EXPECT_EQ(std::string(result), picture);
        EXPECT_EQ(::GetFileAttributesA(copy.c_str()), INVALID_FILE_ATTRIBUTES);
        break;
    case Result::None:
        EXPECT_TRUE(result.IsEmpty()) << result;
        EXPECT_EQ(::GetFileAttributesA(copy.c_str()), INVALID_FILE_ATTRIBUTES);
        break;
    }
}

INSTANTIATE_TEST_SUITE_P(Copies, ReducedCopyTest, ::testing::ValuesIn(kCopyCases),
                         [](const ::testing::TestParamInfo<CopyCase>& info) { return std::string(info.param.name); });

class SharedNameTest : public ClientFixture {};

TEST_F(SharedNameTest, PicturesOfOneNameOrOneStemKeepCopiesOfTheirOwn)
{
    Start();
    ASSERT_TRUE(::CreateDirectoryA(m_files.File("one").c_str(), NULL));
    ASSERT_TRUE(::CreateDirectoryA(m_files.File("two").c_str(), NULL));
    struct Picture {
        std::string path;
        int width, height;
    } pictures[] = {{m_files.File("one\\x.jpg"), 800, 600},
                    {m_files.File("two\\x.jpg"), 600, 800},
                    {m_files.File("one\\x.tif"), 900, 300}};
    for (const Picture& p : pictures)
        ASSERT_TRUE(WritePicture(p.path, p.width, p.height, RGB(0, 0, 200)));
    const CRect window(0, 0, 300, 300);
    for (const Picture& p : pictures)
        ASSERT_FALSE(Doc()->MakeReducedCopy(p.path.c_str(), window).IsEmpty());
    // Each copy still holds its own picture.
    EXPECT_EQ(Identify(std::string(ReducedCopyName(m_temp.Path().c_str(), pictures[0].path.c_str()))), "JPEG 300x225");
    EXPECT_EQ(Identify(std::string(ReducedCopyName(m_temp.Path().c_str(), pictures[1].path.c_str()))), "JPEG 225x300");
    EXPECT_EQ(Identify(std::string(ReducedCopyName(m_temp.Path().c_str(), pictures[2].path.c_str()))), "JPEG 300x100");
}

}  // namespace
}  // namespace doctest

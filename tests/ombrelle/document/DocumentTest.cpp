// The document: scan file names and folders, the profile's server addresses,
// the reduced copies and display image, and the temp folder's clean-up.
#include "ClientFixture.h"
#include "PictureFiles.h"

#include "General.h"
#include "GuiDriver.h"
#include "MainFrame.h"
#include "OmbrelleDoc.h"
#include "Registry.h"
#include "ReducedCopy.h"
#include "TempDir.h"

#include <gtest/gtest.h>

#include <optional>
#include <ostream>
#include <string>
#include <vector>

namespace doctest {
namespace {

const char kNoSettings[] = "请先进行扫描设置，选择扫描文件的存储路径和文件类型";

bool Exists(const std::string& path) { return ::GetFileAttributesA(path.c_str()) != INVALID_FILE_ATTRIBUTES; }

bool Touch(const std::string& path) { return testsupport::WriteFileBytes(path, "x"); }

// ---------------------------------------------------------------------------
// Scan file names.

struct ScanStep {
    bool scan;             // false: pre-scan
    int counter;           // the counter afterwards
    const char* written;   // a file the scanner would have written meanwhile, or null
};

struct NamingCase {
    const char* name;
    const char* type;
    std::vector<const char*> existing;
    std::vector<ScanStep> steps;
};

void PrintTo(const NamingCase& c, std::ostream* os) { *os << c.name; }

const NamingCase kNamingCases[] = {
    {"FirstScanTakesOneThenTwo", ".bmp", {}, {{true, 1, nullptr}, {true, 2, nullptr}}},
    {"ScanSkipsNamesThatExist",
     ".bmp",
     {"ScanPic00001.bmp", "ScanPic00002.bmp"},
     {{true, 3, "ScanPic00003.bmp"}, {false, 4, nullptr}}},
    {"PreScanStartsAtZeroAndKeepsTheCounter", ".jpg", {}, {{false, 0, nullptr}, {false, 0, nullptr}, {true, 1, nullptr}}},
    {"PreScanSkipsNamesThatExist", ".jpg", {"ScanPic00000.jpg", "ScanPic00001.jpg"}, {{false, 2, nullptr}}},
    {"OtherExtensionsDoNotCount", ".tif", {"ScanPic00001.bmp", "ScanPic00001.jpg"}, {{true, 1, nullptr}}},
};

class ScanNamingTest : public ClientFixture, public ::testing::WithParamInterface<NamingCase> {};

TEST_P(ScanNamingTest, CounterFollowsTheFreeNames)
{
    const NamingCase& c = GetParam();
    const std::string folder = m_files.Path() + "\\scans\\";
    ASSERT_TRUE(::CreateDirectoryA(folder.c_str(), NULL));
    for (const char* name : c.existing)
        ASSERT_TRUE(Touch(folder + name));
    WriteProfile("ScanFilePath", "FilePath", folder);
    WriteProfile("ScanFilePath", "FileType", c.type);
    Start();
    ASSERT_TRUE(Frame()->m_bScannerReady);

    for (const ScanStep& step : c.steps) {
        if (step.scan)
            Doc()->ScanIntoNextFile();
        else
            Doc()->PreScanIntoNextFile();
        EXPECT_EQ(Doc()->m_nScanCounter, step.counter);
        if (step.written != nullptr) {
            ASSERT_TRUE(Touch(folder + step.written));
        }
    }
    EXPECT_EQ(std::string(Doc()->m_strScanFolder), folder);
    EXPECT_EQ(std::string(Doc()->m_strScanFileType), c.type);
}

INSTANTIATE_TEST_SUITE_P(Names, ScanNamingTest, ::testing::ValuesIn(kNamingCases),
                         [](const ::testing::TestParamInfo<NamingCase>& info) { return std::string(info.param.name); });

class ScanFolderTest : public ClientFixture {};

TEST_F(ScanFolderTest, ScanCreatesAMissingFolderAndPreScanDoesNot)
{
    const std::string folder = m_files.File("new scans");
    WriteProfile("ScanFilePath", "FilePath", folder + "\\");
    WriteProfile("ScanFilePath", "FileType", ".jpg");
    Start();

    Doc()->PreScanIntoNextFile();
    EXPECT_FALSE(Exists(folder));
    Doc()->ScanIntoNextFile();
    EXPECT_TRUE(Exists(folder));
    EXPECT_EQ(Doc()->m_nScanCounter, 1);
}

TEST_F(ScanFolderTest, AFolderWithoutItsBackslashStillHoldsTheScans)
{
    const std::string folder = m_files.Path();
    WriteProfile("ScanFilePath", "FilePath", folder);
    WriteProfile("ScanFilePath", "FileType", ".bmp");
    ASSERT_TRUE(Touch(folder + "\\ScanPic00001.bmp"));
    Start();

    Doc()->ScanIntoNextFile();
    EXPECT_EQ(std::string(Doc()->m_strScanFolder), folder + "\\");
    EXPECT_EQ(Doc()->m_nScanCounter, 2);
}

struct SettingsCase {
    const char* name;
    const char* folder;  // null: not in the profile
    const char* type;
};

void PrintTo(const SettingsCase& c, std::ostream* os) { *os << c.name; }

const SettingsCase kMissingSettings[] = {
    {"NoFolder", nullptr, ".bmp"},
    {"NoType", "C:\\scans\\", nullptr},
    {"EmptyType", "C:\\scans\\", ""},
    {"Neither", nullptr, nullptr},
};

class MissingSettingsTest : public ClientFixture, public ::testing::WithParamInterface<SettingsCase> {};

TEST_P(MissingSettingsTest, ScanAndPreScanAskForTheSettingsFirst)
{
    const SettingsCase& c = GetParam();
    if (c.folder != nullptr)
        WriteProfile("ScanFilePath", "FilePath", c.folder);
    if (c.type != nullptr)
        WriteProfile("ScanFilePath", "FileType", c.type);
    Start();

    auto& scanBox = testsupport::Gui().Expect("").Press(IDOK);
    Doc()->ScanIntoNextFile();
    EXPECT_TRUE(scanBox.Seen());
    EXPECT_TRUE(scanBox.HasText(kNoSettings));
    auto& preScanBox = testsupport::Gui().Expect("").Press(IDOK);
    Doc()->PreScanIntoNextFile();
    EXPECT_TRUE(preScanBox.Seen());
    EXPECT_TRUE(preScanBox.HasText(kNoSettings));
    EXPECT_EQ(Doc()->m_nScanCounter, 0);
    EXPECT_FALSE(Exists("C:\\scans"));
}

INSTANTIATE_TEST_SUITE_P(Settings, MissingSettingsTest, ::testing::ValuesIn(kMissingSettings),
                         [](const ::testing::TestParamInfo<SettingsCase>& info) { return std::string(info.param.name); });

// ---------------------------------------------------------------------------
// Server addresses in the profile.

class ServerAddressTest : public ClientFixture {};

TEST_F(ServerAddressTest, ReadAtStartAndOnlyNonEmptyOnesWrittenBack)
{
    WriteProfile(kEditionSection, "SorvantaServerUrl", "http://old.example/");
    WriteProfile(kEditionSection, "SorvantaAttchUrl", "http://old.example/attach");
    WriteProfile(kEditionSection, "SorvantatypeSel", "7");
    Start();
    EXPECT_EQ(std::string(Doc()->m_strBaseServerUrl), "http://old.example/");
    EXPECT_EQ(std::string(Doc()->m_strAccessoryUrl), "http://old.example/attach");
    EXPECT_TRUE(Doc()->m_strServerUrl.IsEmpty());
    EXPECT_EQ(Doc()->m_nAssetTypeIndex, 7);

    Doc()->m_strBaseServerUrl = "";
    Doc()->m_strAccessoryUrl = "http://new.example/attach";
    Doc()->m_strRegisterUrl = "http://new.example/relate";
    Doc()->m_strServletUrl = "http://new.example/servlet";
    Doc()->m_strServerUrl = "http://new.example/servlet?type=2";
    Doc()->m_nAssetTypeIndex = 3;
    Close();

    const std::string key = SectionKey(kEditionSection);
    auto read = [&](const char* name) { return testsupport::ReadRegString(HKEY_CURRENT_USER, key, name); };
    EXPECT_EQ(read("SorvantaServerUrl"), std::optional<std::string>("http://old.example/"));
    EXPECT_EQ(read("SorvantaAttchUrl"), std::optional<std::string>("http://new.example/attach"));
    EXPECT_EQ(read("SorvantaRelateUrl"), std::optional<std::string>("http://new.example/relate"));
    EXPECT_EQ(read("SorvantaDefaultCallbackUrl"), std::optional<std::string>("http://new.example/servlet"));
    EXPECT_EQ(read("SorvantaSpeciCallbackUrl"), std::optional<std::string>("http://new.example/servlet?type=2"));
    EXPECT_EQ(read("SorvantatypeSel"), std::optional<std::string>("3"));
}

TEST_F(ServerAddressTest, NoTypeChosenLeavesTheStoredOne)
{
    WriteProfile(kEditionSection, "SorvantatypeSel", "");
    Start();
    EXPECT_EQ(Doc()->m_nAssetTypeIndex, 0);
    Doc()->m_nAssetTypeIndex = -1;
    Close();
    EXPECT_EQ(testsupport::ReadRegString(HKEY_CURRENT_USER, SectionKey(kEditionSection), "SorvantatypeSel"),
              std::optional<std::string>(""));
    EXPECT_FALSE(testsupport::ReadRegString(HKEY_CURRENT_USER, SectionKey(kEditionSection), "SorvantaServerUrl"));
}

// ---------------------------------------------------------------------------
// Temp folder clean-up.

class CleanUpTest : public ClientFixture {};

TEST_F(CleanUpTest, ClosingDeletesTheFilesOfTheTempFolderButNotTmpFilesOrSubfolders)
{
    Start();
    const std::string temp = m_temp.Path();
    const std::vector<std::string> deleted = {"web_x.jpg", "prev_x.jpg", "x_0badf00d.jpg", "record_ImageInfo.xml", "noext"};
    const std::vector<std::string> kept = {"x.tmp.dat", "a.tmp", "sub\\web_y.jpg", "sub\\deeper\\z.jpg"};
    ASSERT_TRUE(::CreateDirectoryA((temp + "\\sub").c_str(), NULL));
    ASSERT_TRUE(::CreateDirectoryA((temp + "\\sub\\deeper").c_str(), NULL));
    ASSERT_TRUE(::CreateDirectoryA((temp + "\\empty").c_str(), NULL));
    for (const auto& name : deleted)
        ASSERT_TRUE(Touch(temp + "\\" + name));
    for (const auto& name : kept)
        ASSERT_TRUE(Touch(temp + "\\" + name));
    // A picture outside the temp folder is never touched.
    const std::string picture = m_files.File("web_x.jpg");
    ASSERT_TRUE(Touch(picture));

    Close();
    for (const auto& name : deleted)
        EXPECT_FALSE(Exists(temp + "\\" + name)) << name;
    for (const auto& name : kept)
        EXPECT_TRUE(Exists(temp + "\\" + name)) << name;
    EXPECT_TRUE(Exists(temp + "\\empty"));
    EXPECT_TRUE(Exists(picture));
}

struct OddTempCase {
    const char* name;
    const char* temp;  // "<root>": the root of the folder's drive; "<cwd>": a drive's current folder
};

void PrintTo(const OddTempCase& c, std::ostream* os) { *os << c.name; }

const OddTempCase kOddTemps[] = {
    {"Empty", ""},
    {"Backslash", "\\"},
    {"DriveRoot", "C:\\"},
    {"DriveRootWithoutBackslash", "C:"},
    {"DriveRootTwoBackslashes", "C:\\\\"},
};

class OddTempFolderTest : public ClientFixture, public ::testing::WithParamInterface<OddTempCase> {};

TEST_P(OddTempFolderTest, CleanUpLeavesEverythingAlone)
{
    Start();
    // Files in the drive's root and in the current folder, where a careless
    // clean-up of these temp paths would reach.
    const std::string inRoot = testsupport::ProcessUnique("C:\\ombrelle-doc-test-") + ".jpg";
    ASSERT_TRUE(::SetCurrentDirectoryA(m_files.Path().c_str()));
    const std::string inCurrent = m_files.File("current.jpg");
    ASSERT_TRUE(Touch(inRoot));
    ASSERT_TRUE(Touch(inCurrent));
    GenSetTempFolder(GetParam().temp);

    Close();
    EXPECT_TRUE(Exists(inRoot));
    EXPECT_TRUE(Exists(inCurrent));
    ::DeleteFileA(inRoot.c_str());
    ::SetCurrentDirectoryA("C:\\");
}

INSTANTIATE_TEST_SUITE_P(Temp, OddTempFolderTest, ::testing::ValuesIn(kOddTemps),
                         [](const ::testing::TestParamInfo<OddTempCase>& info) { return std::string(info.param.name); });

TEST_F(CleanUpTest, ATempFolderWithATrailingBackslashIsCleanedAllTheSame)
{
    Start();
    GenSetTempFolder((m_temp.Path() + "\\").c_str());
    ASSERT_TRUE(Touch(m_temp.File("web_x.jpg")));
    Close();
    EXPECT_FALSE(Exists(m_temp.File("web_x.jpg")));
}

}  // namespace
}  // namespace doctest

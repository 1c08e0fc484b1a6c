// The scan settings dialog: what it shows from the profile, what it writes
// back, and the folder chosen in the shell's folder browser.
#include "ScanSettingsDlg.h"
#include "TempDir.h"

#include <shlobj.h>
#include <commctrl.h>

#include "GuiDriver.h"
#include "ScanTestApp.h"
#include "WhenShown.h"
#include "WindowText.h"

#include <ostream>

namespace scantest {

using testsupport::Click;
using testsupport::ItemText;
using testsupport::SelectedTreeText;
using testsupport::WhenShown;
namespace {

using testsupport::Gui;

const char kCaption[] = "扫描设置";

struct StoredCase {
    const char* name;
    const char* storedFolder;
    const char* storedType;  // null: none stored
    const char* writtenFolder;
    const char* writtenType;
};

// "\x81\x5C" is one GBK character whose trail byte is a backslash.
const StoredCase kStoredCases[] = {
    {"NoTypeStoredMeansBmp", "D:\\scans", nullptr, "D:\\scans\\", ".bmp"},
    {"EmptyTypeMeansBmp", "D:\\scans\\", "", "D:\\scans\\", ".bmp"},
    {"Bmp", "D:\\scans\\", ".bmp", "D:\\scans\\", ".bmp"},
    {"Jpg", "D:\\scans\\", ".jpg", "D:\\scans\\", ".jpg"},
    {"Tif", "D:\\scans\\", ".tif", "D:\\scans\\", ".tif"},
    {"AnyOtherTypeMeansTif", "D:\\scans\\", ".png", "D:\\scans\\", ".tif"},
    {"UpperCaseJpgIsAnotherType", "D:\\scans\\", ".JPG", "D:\\scans\\", ".tif"},
    {"TrailByteIsNoBackslash", "D:\\\x81\x5C", ".jpg", "D:\\\x81\x5C\\", ".jpg"},
};

void PrintTo(const StoredCase& c, std::ostream* os) { *os << c.name; }

class ScanSettingsStoredTest : public ScanTest, public ::testing::WithParamInterface<StoredCase> {};
class ScanSettingsTest : public ScanTest {};

// OK with what the dialog shows writes it back: the shown folder and the
// selected type come from the profile.
TEST_P(ScanSettingsStoredTest, OkWritesBackWhatTheProfileMadeTheDialogShow)
{
    const StoredCase& c = GetParam();
    m_app.WriteProfileString("ScanFilePath", "FilePath", c.storedFolder);
    if (c.storedType != nullptr)
        m_app.WriteProfileString("ScanFilePath", "FileType", c.storedType);
    COmbrelleDoc* pDoc = OpenDocument();

    Gui().Expect(kCaption).Press(IDOK);
    CScanSettingsDlg dlg;
    EXPECT_EQ(dlg.DoModal(), IDOK);

    EXPECT_EQ(m_app.Profile("ScanFilePath", "FilePath"), c.writtenFolder);
    EXPECT_EQ(m_app.Profile("ScanFilePath", "FileType"), c.writtenType);
    // The document's scans use the new settings at once.
    EXPECT_EQ(std::string(pDoc->m_strScanFolder), c.writtenFolder);
    EXPECT_EQ(std::string(pDoc->m_strScanFileType), c.writtenType);
}

INSTANTIATE_TEST_SUITE_P(Table, ScanSettingsStoredTest, ::testing::ValuesIn(kStoredCases),
                         [](const ::testing::TestParamInfo<StoredCase>& info) { return info.param.name; });

TEST_F(ScanSettingsTest, ChosenTypeAndTypedFolderAreWritten)
{
    Gui().Expect(kCaption).SelectItem(IDC_SCAN_FILE_TYPE, "jpg").SetText(IDC_SCAN_FOLDER, "E:\\pictures").Press(IDOK);
    CScanSettingsDlg dlg;
    EXPECT_EQ(dlg.DoModal(), IDOK);

    EXPECT_EQ(m_app.Profile("ScanFilePath", "FilePath"), "E:\\pictures\\");
    EXPECT_EQ(m_app.Profile("ScanFilePath", "FileType"), ".jpg");
}

TEST_F(ScanSettingsTest, DocumentCommandRunsTheDialog)
{
    m_app.WriteProfileString("ScanFilePath", "FilePath", "F:\\in");
    COmbrelleDoc* pDoc = OpenDocument();
    auto& dialog = Gui().Expect(kCaption).Press(IDOK);
    EXPECT_TRUE(pDoc->OnCmdMsg(ID_SCAN_SETTINGS, CN_COMMAND, nullptr, nullptr));

    EXPECT_TRUE(dialog.Seen());
    EXPECT_EQ(std::string(pDoc->m_strScanFolder), "F:\\in\\");
    EXPECT_EQ(std::string(pDoc->m_strScanFileType), ".bmp");
}

TEST_F(ScanSettingsTest, EmptyFolderIsRefusedAndTheDialogStays)
{
    m_app.WriteProfileString("ScanFilePath", "FilePath", "D:\\old\\");
    auto& dialog = Gui().Expect(kCaption).SetText(IDC_SCAN_FOLDER, "").Press(IDOK).Press(IDCANCEL);
    auto& message = Gui().Expect("").Press(IDOK);
    CScanSettingsDlg dlg;
    EXPECT_EQ(dlg.DoModal(), IDCANCEL);

    EXPECT_TRUE(dialog.Seen());
    EXPECT_TRUE(message.HasText("请选择扫描文件存放路径")) << testsupport::ToUtf8(message.Caption());
    EXPECT_EQ(m_app.Profile("ScanFilePath", "FilePath"), "D:\\old\\");
    EXPECT_EQ(m_app.Profile("ScanFilePath", "FileType"), "<none>");
}

// The folder browser's choice is stored at once, with a trailing backslash,
// even when the dialog is then cancelled.
TEST_F(ScanSettingsTest, FolderChosenInTheBrowserIsStoredAtOnce)
{
    testsupport::TempDir parent(testsupport::UserProfileFolder());
    const std::string folder = parent.File("scans");
    ASSERT_TRUE(::CreateDirectoryA(folder.c_str(), nullptr));
    m_app.WriteProfileString("ScanFilePath", "FileType", ".jpg");

    std::string shownAfterChoice;
    auto& settingsWindow = Gui().Expect(kCaption).OpenFor(30000);
    auto& browserWindow = Gui().Expect("").OpenFor(30000);
    WhenShown browser(
        WhenShown::FolderBrowser(),
        [&](HWND window) {
            // Selects the folder in the browser's tree, then accepts it.
            HWND tree = ::FindWindowExA(window, NULL, WC_TREEVIEWA, NULL);
            Gui().WaitFor([&] {
                ::SendMessageA(window, BFFM_SETSELECTIONA, TRUE, reinterpret_cast<LPARAM>(folder.c_str()));
                                return SelectedTreeText(tree) == "scans";
            });
            Click(window, IDOK);
        },
        &browserWindow);
    WhenShown settings(
        WhenShown::Caption(kCaption),
        [&](HWND window) {
            Click(window, IDC_SCAN_CHOOSE_FOLDER);
            shownAfterChoice = ItemText(window, IDC_SCAN_FOLDER);
            Click(window, IDCANCEL);
        },
        &settingsWindow);
    CScanSettingsDlg dlg;
    EXPECT_EQ(dlg.DoModal(), IDCANCEL);

    EXPECT_TRUE(browser.Done());
    EXPECT_EQ(shownAfterChoice, folder + "\\");
    EXPECT_EQ(m_app.Profile("ScanFilePath", "FilePath"), folder + "\\");
    EXPECT_EQ(m_app.Profile("ScanFilePath", "FileType"), ".jpg");
}

}  // namespace
}  // namespace scantest

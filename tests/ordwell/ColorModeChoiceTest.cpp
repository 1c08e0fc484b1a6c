// The colour-mode choice run end to end through JSelectColorMode: the choice
// dialog's presets, Cancel, Inkfold's separation dialog on the system's or
// the job's folder, and the convert library's profile choice.
#include "JobDialogFixture.h"

#include "Convert.h"
#include "Process.h"

using namespace jobtest;
using testsupport::Gui;

namespace {

const char kChoice[] = "选择分色方式", kSeparation[] = "设置分色参数", kProfiles[] = "选择色彩配置文件";
const int kManaged = 4104, kTraditional = 4105, kAsSystem = 4106;
const int kScannerEdit = 1001, kDisplayEdit = 1002, kPrinterEdit = 1003;

bool Checked(HWND dialog, int id) { return ::IsDlgButtonChecked(dialog, id) == BST_CHECKED; }

class ColorModeChoice : public JobDialogTest {
protected:
    void SetUp() override
    {
        JobDialogTest::SetUp();
        ConvertClearCallLog();
    }

    std::string Ini() const { return m_program + "\\Job.ini"; }
    // The system colour folder as the job library names it.
    std::string SystemColorFolder() const { return m_program + "\\..\\color"; }
    std::string IniValue(const char* section, const char* key) const
    {
        char value[1024];
        ::GetPrivateProfileStringA(section, key, "<missing>", value, sizeof value, Ini().c_str());
        return value;
    }
    void SetIniValue(const char* section, const char* key, const std::string& value)
    {
        ASSERT_TRUE(::WritePrivateProfileStringA(section, key, value.c_str(), Ini().c_str()));
    }

    // A task "T.tsk" whose job "J1" is the manager's open job.
    void OpenJob()
    {
        MakeTask("T.tsk", {"J1"});
        OpenInManager("T.tsk", "J1");
    }

    // The separation dialog reads its colour files beside the program
    // folder: copies of those the build made.
    void ProvideColorFiles()
    {
        const std::string exe = testsupport::ThisExecutable();
        const std::string built = exe.substr(0, exe.find_last_of('\\')) + "\\..\\color\\";
        const std::string color = m_dir.File("color");
        ::CreateDirectoryA(color.c_str(), NULL);
        for (const char* name : {"default.par", "ink.dat", "std.dat", "dto.org"})
            ASSERT_TRUE(::CopyFileA((built + name).c_str(), (color + "\\" + name).c_str(), FALSE)) << name;
    }

    std::string LoadLines(const std::string& folder) const
    {
        return "2 1 " + folder + " " + m_program + "\n3 1 " + folder + " " + m_program + "\n";
    }

    // Chooses in the choice dialog and presses its OK; the check box can be
    // changed only while a job is open.
    void Choose(int radio, bool asSystem = true)
    {
        auto& choice = Gui().Expect(kChoice).Check(radio);
        if (JGetCurJob() != NULL)
            choice.Check(kAsSystem, asSystem);
        choice.Press(IDOK);
    }
};

}  // namespace

TEST_F(ColorModeChoice, PresetsFollowJobIniAndTheOpenJobAndCancelChangesNothing)
{
    struct Case {
        bool jobOpen;
        const char* mode;  // nullptr: no Job.ini
        bool traditional;
    } cases[] = {
        {false, nullptr, false}, {false, "0", false}, {false, "2", true}, {true, "0", false}, {true, "1", true},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(std::string(c.jobOpen ? "job open, Mode " : "no job, Mode ") + (c.mode ? c.mode : "missing"));
        ::DeleteFileA(Ini().c_str());
        if (c.mode != nullptr)
            SetIniValue("ColorManage", "Mode", c.mode);
        if (c.jobOpen && JGetCurJob() == NULL)
            OpenJob();
        const std::string iniBefore = testsupport::ReadFileBytes(Ini());
        const std::string jobBefore = testsupport::ReadFileBytes(JobFile("J1"));
        const HINSTANCE handleBefore = AfxGetResourceHandle();
        ConvertClearCallLog();

        bool managed = false, traditional = false, asSystem = false, asSystemEnabled = true;
        Gui()
            .Expect(kChoice)
            .Run([&](HWND dialog) {
                managed = Checked(dialog, kManaged);
                traditional = Checked(dialog, kTraditional);
                asSystem = Checked(dialog, kAsSystem);
                asSystemEnabled = Enabled(dialog, kAsSystem);
            })
            .Press(IDCANCEL);
        JSelectColorMode();

        EXPECT_EQ(!c.traditional, managed);
        EXPECT_EQ(c.traditional, traditional);
        EXPECT_EQ(!c.jobOpen, asSystem);
        EXPECT_EQ(c.jobOpen, asSystemEnabled);
        EXPECT_EQ(c.mode != nullptr, Exists(Ini()));
        EXPECT_EQ(iniBefore, testsupport::ReadFileBytes(Ini()));
        EXPECT_EQ(jobBefore, testsupport::ReadFileBytes(JobFile("J1")));
        EXPECT_EQ("", std::string(ConvertCallLog()));
        EXPECT_EQ(handleBefore, AfxGetResourceHandle());
    }
}

TEST_F(ColorModeChoice, ADialogNobodyPresetChoosesNothing)
{
    Gui().Expect(kChoice).Press(IDOK);
    HINSTANCE previous = SetOrdwellResourceHandle();
    CColorModeDlg dialog;
    INT_PTR result = dialog.DoModal();
    AfxSetResourceHandle(previous);
    EXPECT_EQ(IDOK, result);
    EXPECT_EQ(-1, dialog.m_nColorMode);
    EXPECT_EQ(0, dialog.m_bAsSystem);
}

TEST_F(ColorModeChoice, TraditionalSeparationWritesTheTableWhereTheChoiceSays)
{
    ProvideColorFiles();
    OpenJob();
    const std::string jobFolder = JobFolder("J1");
    struct Case {
        bool jobOpen;
        bool asSystem;
        std::string tableFolder;
        std::string loadFolder;
    } cases[] = {
        {true, false, jobFolder, jobFolder},
        {true, true, m_dir.File("color"), jobFolder},
        {false, true, m_dir.File("color"), "(null)"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(std::string(c.jobOpen ? "job open" : "no job") + (c.asSystem ? ", as system" : ""));
        if (!c.jobOpen)
            JCloseJob();
        SetIniValue("ColorManage", "Mode", "0");
        ::DeleteFileA((jobFolder + "\\dto.cvt").c_str());
        ::DeleteFileA(m_dir.File("color\\dto.cvt").c_str());
        const HINSTANCE handleBefore = AfxGetResourceHandle();
        HINSTANCE handleAtSeparation = NULL;
        ConvertClearCallLog();

        Choose(kTraditional, c.asSystem);
        Gui()
            .Expect(kSeparation)
            .Run([&](HWND) { handleAtSeparation = AfxGetResourceHandle(); })
            .Press(IDOK)
            .OpenFor(60000);
        JSelectColorMode();

        EXPECT_TRUE(Exists(c.tableFolder + "\\dto.cvt"));
        EXPECT_TRUE(Exists(c.tableFolder + "\\otd.cvt"));
        const std::string other = c.tableFolder == jobFolder ? m_dir.File("color") : jobFolder;
        EXPECT_FALSE(Exists(other + "\\dto.cvt"));
        EXPECT_EQ("1", IniValue("ColorManage", "Mode"));
        EXPECT_EQ(LoadLines(c.loadFolder), std::string(ConvertCallLog()));
        EXPECT_EQ(handleBefore, handleAtSeparation);
        EXPECT_EQ(handleBefore, AfxGetResourceHandle());
    }
}

TEST_F(ColorModeChoice, ColourManagementForTheSystemKeepsTheProfilesInJobIni)
{
    SetIniValue("ColorManage", "Mode", "2");
    JSetDefaultProfiles("old-scan.icc", "old-print.icc", "old-display.icc");
    const HINSTANCE handleBefore = AfxGetResourceHandle();
    HINSTANCE handleAtChoice = NULL;
    std::string shownScanner, shownDisplay, shownPrinter;

    Choose(kManaged);
    Gui()
        .Expect(kProfiles)
        .Run([&](HWND dialog) {
            handleAtChoice = AfxGetResourceHandle();
            shownScanner = ItemText(dialog, kScannerEdit);
            shownDisplay = ItemText(dialog, kDisplayEdit);
            shownPrinter = ItemText(dialog, kPrinterEdit);
        })
        .SetText(kScannerEdit, "扫描.icc")
        .SetText(kDisplayEdit, "display.icc")
        .SetText(kPrinterEdit, "print.icc")
        .Press(IDOK);
    JSelectColorMode();

    EXPECT_EQ("old-scan.icc", shownScanner);
    EXPECT_EQ("old-display.icc", shownDisplay);
    EXPECT_EQ("old-print.icc", shownPrinter);
    EXPECT_EQ(handleBefore, handleAtChoice);
    EXPECT_EQ(handleBefore, AfxGetResourceHandle());
    EXPECT_EQ("扫描.icc", IniValue("Profiles", "Scan"));
    EXPECT_EQ("print.icc", IniValue("Profiles", "Print"));
    EXPECT_EQ("display.icc", IniValue("Profiles", "Display"));
    CString scan, print, display;
    JGetDefaultProfiles(scan, print, display);
    EXPECT_STREQ("扫描.icc", scan);
    EXPECT_STREQ("print.icc", print);
    EXPECT_STREQ("display.icc", display);
    EXPECT_EQ("0", IniValue("ColorManage", "Mode"));
    EXPECT_EQ("100 " + m_program + " " + SystemColorFolder() + "\n" + LoadLines("(null)"),
              std::string(ConvertCallLog()));
}

TEST_F(ColorModeChoice, ColourManagementForTheJobGoesIntoTheJob)
{
    OpenJob();
    JSetDefaultProfiles("sys-scan.icc", "sys-print.icc", "sys-display.icc");
    JGetCurJob()->m_strScanProfile = "job-scan.icc";
    std::string shownScanner;

    Choose(kManaged, false);
    Gui()
        .Expect(kProfiles)
        .Run([&](HWND dialog) { shownScanner = ItemText(dialog, kScannerEdit); })
        .SetText(kScannerEdit, "s.icc")
        .SetText(kDisplayEdit, "d.icc")
        .SetText(kPrinterEdit, "p.icc")
        .Press(IDOK);
    JSelectColorMode();

    EXPECT_EQ("job-scan.icc", shownScanner);
    EXPECT_EQ("0", IniValue("ColorManage", "Mode"));
    EXPECT_EQ("<missing>", IniValue("Profiles", "Scan"));
    CString scan, print, display;
    JGetDefaultProfiles(scan, print, display);
    EXPECT_STREQ("sys-scan.icc", scan);
    const std::string jobFolder = JobFolder("J1");
    EXPECT_EQ("100 " + m_program + " " + jobFolder + "\n" + LoadLines(jobFolder), std::string(ConvertCallLog()));

    JSaveJob();
    JCJob saved;
    ASSERT_TRUE(ReadJobFile(JobFile("J1").c_str(), saved));
    EXPECT_STREQ("s.icc", saved.m_strScanProfile);
    EXPECT_STREQ("p.icc", saved.m_strPrintProfile);
    EXPECT_STREQ("d.icc", saved.m_strDisplayProfile);
}

// The profile buffers hold 255 bytes of text; a cut never leaves half a
// double-byte character, and a cancelled profile choice keeps what was set.
TEST_F(ColorModeChoice, ProfileBuffersKeepWholeCharactersAndACancelledChoiceKeepsTheProfiles)
{
    const std::string longName = std::string(254, 'p') + "色";  // 256 bytes
    JSetDefaultProfiles(longName.c_str(), std::string(300, 'q').c_str(), "d.icc");
    std::string shownScanner;
    Choose(kManaged);
    Gui()
        .Expect(kProfiles)
        .Run([&](HWND dialog) { shownScanner = ItemText(dialog, kScannerEdit); })
        .Press(IDOK);
    JSelectColorMode();
    EXPECT_EQ(std::string(254, 'p'), shownScanner);
    EXPECT_EQ(std::string(254, 'p'), IniValue("Profiles", "Scan"));
    EXPECT_EQ(std::string(255, 'q'), IniValue("Profiles", "Print"));

    Choose(kManaged);
    Gui().Expect(kProfiles).SetText(kScannerEdit, "other.icc").Press(IDCANCEL);
    JSelectColorMode();
    CString scan, print, display;
    JGetDefaultProfiles(scan, print, display);
    EXPECT_STREQ(std::string(254, 'p').c_str(), scan);
    EXPECT_STREQ("d.icc", display);
    EXPECT_EQ("0", IniValue("ColorManage", "Mode"));
}

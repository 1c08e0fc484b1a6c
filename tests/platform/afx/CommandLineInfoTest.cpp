// The command line: the parameters the application splits off and what the
// parser makes of them, and the shell command carried out from them.
#include "afxwin.h"
#include "afxdisp.h"

#include <gtest/gtest.h>

#include <stdlib.h>

#include <string>
#include <vector>

namespace {

// Gives the C runtime's __argc/__argv the words of a command line (no
// quoting: the runtime's own splitting is not what is tested here), and
// puts the real ones back afterwards.
class ArgvOverride {
public:
    explicit ArgvOverride(const std::string& line) : m_argc(__argc), m_argv(__argv)
    {
        m_words.push_back("程序.exe");
        size_t pos = 0;
        while (pos < line.size()) {
            size_t end = line.find(' ', pos);
            if (end == std::string::npos)
                end = line.size();
            if (end > pos)
                m_words.push_back(line.substr(pos, end - pos));
            pos = end + 1;
        }
        for (std::string& word : m_words)
            m_pointers.push_back(&word[0]);
        m_pointers.push_back(nullptr);
        __argc = (int)m_words.size();
        __argv = m_pointers.data();
    }
    ~ArgvOverride()
    {
        __argc = m_argc;
        __argv = m_argv;
    }

private:
    int m_argc;
    char** m_argv;
    std::vector<std::string> m_words;
    std::vector<char*> m_pointers;
};

struct ParseCase {
    const char* line;
    int nShellCommand;
    bool bShowSplash;
    bool bRunEmbedded;
    bool bRunAutomated;
    const char* file;
    const char* printer;
    const char* driver;
    const char* port;
};

const int kNew = CCommandLineInfo::FileNew;
const int kOpen = CCommandLineInfo::FileOpen;
const int kPrint = CCommandLineInfo::FilePrint;
const int kPrintTo = CCommandLineInfo::FilePrintTo;
const int kDde = CCommandLineInfo::FileDDE;
const int kUnregister = CCommandLineInfo::AppUnregister;

const ParseCase kParseCases[] = {
    {"", kNew, true, false, false, "", "", "", ""},
    {"D:\\图片\\猫.jpg", kOpen, true, false, false, "D:\\图片\\猫.jpg", "", "", ""},
    {"a.jpg b.jpg", kOpen, true, false, false, "a.jpg", "", "", ""},
    {"/Embedding", kNew, false, true, false, "", "", "", ""},
    {"-embedding", kNew, false, true, false, "", "", "", ""},
    {"/EMBEDDING", kNew, false, true, false, "", "", "", ""},
    {"/Embedding /nologo", kNew, false, true, false, "", "", "", ""},
    {"/Embedding a.jpg", kOpen, false, true, false, "a.jpg", "", "", ""},
    {"/Automation", kNew, false, false, true, "", "", "", ""},
    {"-automation", kNew, false, false, true, "", "", "", ""},
    {"/nologo", kNew, false, false, false, "", "", "", ""},
    {"-NOLOGO a.jpg", kOpen, false, false, false, "a.jpg", "", "", ""},
    {"a.jpg /nologo", kOpen, false, false, false, "a.jpg", "", "", ""},
    {"/Unregserver", kUnregister, true, false, false, "", "", "", ""},
    {"-unregserver", kUnregister, true, false, false, "", "", "", ""},
    {"/Unregister", kUnregister, true, false, false, "", "", "", ""},
    {"-UNREGISTER", kUnregister, true, false, false, "", "", "", ""},
    {"/dde", kDde, true, false, false, "", "", "", ""},
    {"-DDE", kDde, true, false, false, "", "", "", ""},
    {"/p a.jpg", kPrint, true, false, false, "a.jpg", "", "", ""},
    {"-P a.jpg", kPrint, true, false, false, "a.jpg", "", "", ""},
    {"a.jpg /p", kPrint, true, false, false, "a.jpg", "", "", ""},
    {"/pt a.jpg printer driver port", kPrintTo, true, false, false, "a.jpg", "printer", "driver", "port"},
    {"-PT 图.jpg 打印机 驱动 LPT1:", kPrintTo, true, false, false, "图.jpg", "打印机", "驱动", "LPT1:"},
    // Without /pt the extra parameters are not printer fields.
    {"/p a.jpg printer driver port", kPrint, true, false, false, "a.jpg", "", "", ""},
    // An unknown switch is left to derived parsers.
    {"/x a.jpg", kOpen, true, false, false, "a.jpg", "", "", ""},
};

TEST(CommandLineInfo, DefaultsAskForANewDocumentWithTheSplash)
{
    CCommandLineInfo info;
    EXPECT_EQ(info.m_nShellCommand, CCommandLineInfo::FileNew);
    EXPECT_TRUE(info.m_bShowSplash);
    EXPECT_FALSE(info.m_bRunEmbedded);
    EXPECT_FALSE(info.m_bRunAutomated);
    EXPECT_TRUE(info.m_strFileName.IsEmpty());
    EXPECT_EQ(CCommandLineInfo::FileNothing, -1);
}

TEST(CommandLineInfo, ParsesSwitchesInEitherPrefixAndCaseAndTheFiles)
{
    CWinApp app("命令行测试");
    for (const ParseCase& c : kParseCases) {
        SCOPED_TRACE(c.line);
        CCommandLineInfo info;
        AfxOleSetUserCtrl(TRUE);
        {
            ArgvOverride argv(c.line);
            app.ParseCommandLine(info);
        }
        // A program started by OLE ends with its last object, not with a user.
        bool bStartedByOle = info.m_bRunEmbedded || info.m_bRunAutomated ||
                             info.m_nShellCommand == CCommandLineInfo::FileDDE;
        EXPECT_EQ(AfxOleGetUserCtrl() != FALSE, !bStartedByOle);
        AfxOleSetUserCtrl(TRUE);
        EXPECT_EQ((int)info.m_nShellCommand, c.nShellCommand);
        EXPECT_EQ(info.m_bShowSplash != FALSE, c.bShowSplash);
        EXPECT_EQ(info.m_bRunEmbedded != FALSE, c.bRunEmbedded);
        EXPECT_EQ(info.m_bRunAutomated != FALSE, c.bRunAutomated);
        EXPECT_STREQ(info.m_strFileName, c.file);
        EXPECT_STREQ(info.m_strPrinterName, c.printer);
        EXPECT_STREQ(info.m_strDriverName, c.driver);
        EXPECT_STREQ(info.m_strPortName, c.port);
    }
}

// A program's own parser sees each parameter with its switch character
// stripped, and which one is the last.
class CRecordingInfo : public CCommandLineInfo {
public:
    std::vector<std::string> m_calls;
    void ParseParam(const TCHAR* pszParam, BOOL bFlag, BOOL bLast) override
    {
        m_calls.push_back(std::string(pszParam) + (bFlag ? " flag" : "") + (bLast ? " last" : ""));
        CCommandLineInfo::ParseParam(pszParam, bFlag, bLast);
    }
};

TEST(CommandLineInfo, ParseCommandLineHandsEachParameterToParseParam)
{
    CWinApp app("命令行测试");
    CRecordingInfo info;
    {
        ArgvOverride argv("/Custom -x 图片.jpg");
        app.ParseCommandLine(info);
    }
    EXPECT_EQ(info.m_calls, (std::vector<std::string>{"Custom flag", "x flag", "图片.jpg last"}));
    EXPECT_EQ(info.m_nShellCommand, CCommandLineInfo::FileOpen);

    CRecordingInfo none;
    {
        ArgvOverride argv("");
        app.ParseCommandLine(none);
    }
    EXPECT_TRUE(none.m_calls.empty());
    EXPECT_EQ(none.m_nShellCommand, CCommandLineInfo::FileNew);
}

// ---------------------------------------------------------------------------
// Carrying out the shell command

class CPrintTargetWnd : public CWnd {
public:
    int m_nPrintDirect = 0;

protected:
    afx_msg void OnFilePrintDirect() { ++m_nPrintDirect; }
    DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(CPrintTargetWnd, CWnd)
    ON_COMMAND(ID_FILE_PRINT_DIRECT, OnFilePrintDirect)
END_MESSAGE_MAP()

// Opens documents by recording their names; a name starting with "missing"
// cannot be opened.
class CShellApp : public CWinApp {
public:
    CShellApp() : CWinApp("命令行测试") {}
    ~CShellApp() override
    {
        // No longer the main window first: its end would post WM_QUIT.
        m_pMainWnd = nullptr;
        if (m_wndMain.m_hWnd != nullptr)
            m_wndMain.DestroyWindow();
    }
    CDocument* OpenDocumentFile(LPCTSTR lpszFileName) override
    {
        m_opened.push_back(lpszFileName);
        if (strncmp(lpszFileName, "missing", 7) == 0)
            return nullptr;
        MakeMainWindow();
        // Only compared with NULL by the caller.
        return reinterpret_cast<CDocument*>(&m_wndMain);
    }
    void MakeMainWindow()
    {
        if (m_wndMain.m_hWnd == nullptr)
            m_wndMain.CreateEx(0, AfxRegisterWndClass(0), "主窗口", WS_OVERLAPPEDWINDOW, 0, 0, 100, 100,
                               nullptr, nullptr);
        m_pMainWnd = &m_wndMain;
    }

    std::vector<std::string> m_opened;
    CPrintTargetWnd m_wndMain;
};

class CShellAppWithNew : public CShellApp {
public:
    int m_nNew = 0;

protected:
    afx_msg void OnNew()
    {
        ++m_nNew;
        MakeMainWindow();
    }
    DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(CShellAppWithNew, CShellApp)
    ON_COMMAND(ID_FILE_NEW, OnNew)
END_MESSAGE_MAP()

struct ShellCommand : CCommandLineInfo {
    explicit ShellCommand(int nShellCommand, const char* file = "")
    {
        m_nShellCommand = (decltype(m_nShellCommand))nShellCommand;
        m_strFileName = file;
    }
};

TEST(WinAppShellCommand, FileNewGoesThroughTheApplicationsCommandHandler)
{
    CShellAppWithNew app;
    ShellCommand info(kNew);
    EXPECT_TRUE(app.ProcessShellCommand(info));
    EXPECT_EQ(app.m_nNew, 1);
    EXPECT_EQ(app.m_pMainWnd, &app.m_wndMain);
}

TEST(WinAppShellCommand, FileNewWithoutHandlerMakesNothingAndFails)
{
    CShellApp app;
    ShellCommand info(kNew);
    EXPECT_FALSE(app.ProcessShellCommand(info));
    EXPECT_EQ(app.m_pMainWnd, nullptr);
    EXPECT_TRUE(app.m_opened.empty());
}

TEST(WinAppShellCommand, FileOpenFailsWhenTheDocumentDoesNotOpen)
{
    CShellApp app;
    ShellCommand open(kOpen, "D:\\图片\\猫.jpg");
    EXPECT_TRUE(app.ProcessShellCommand(open));
    ShellCommand missing(kOpen, "missing.jpg");
    EXPECT_FALSE(app.ProcessShellCommand(missing));
    EXPECT_EQ(app.m_opened, (std::vector<std::string>{"D:\\图片\\猫.jpg", "missing.jpg"}));
}

TEST(WinAppShellCommand, PrintOpensHiddenPrintsAndEnds)
{
    for (int nCommand : {kPrint, kPrintTo}) {
        SCOPED_TRACE(nCommand);
        CShellApp app;
        ShellCommand info(nCommand, "a.jpg");
        EXPECT_FALSE(app.ProcessShellCommand(info));
        EXPECT_EQ(app.m_nCmdShow, SW_HIDE);
        EXPECT_EQ(app.m_opened, (std::vector<std::string>{"a.jpg"}));
        EXPECT_EQ(app.m_wndMain.m_nPrintDirect, 1);
    }
}

TEST(WinAppShellCommand, OtherCommandsOpenNothing)
{
    struct Case {
        int nCommand;
        BOOL bResult;
        int nCmdShow;
    };
    const Case cases[] = {
        {kDde, TRUE, SW_HIDE},  // the DDE conversation shows the window
        {kUnregister, FALSE, SW_SHOWNORMAL},  // the program ends once unregistered
        {CCommandLineInfo::FileNothing, TRUE, SW_SHOWNORMAL},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.nCommand);
        CShellAppWithNew app;
        app.m_nCmdShow = SW_SHOWNORMAL;
        ShellCommand info(c.nCommand);
        EXPECT_EQ(app.ProcessShellCommand(info), c.bResult);
        EXPECT_EQ(app.m_nCmdShow, c.nCmdShow);
        EXPECT_EQ(app.m_nNew, 0);
        EXPECT_TRUE(app.m_opened.empty());
    }
}

}  // namespace

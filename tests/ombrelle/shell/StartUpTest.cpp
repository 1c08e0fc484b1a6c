// The whole of a normal start, run in the frame's test build, where the menus
// can be read.
#include "MainFrame.h"
#include "OmbrelleApp.h"
#include "resource.h"

#include "Convert.h"
#include "Dioptra.h"
#include "General.h"
#include "UpLoadObj.h"
#include "Ordwell.h"
#include "afxdisp.h"
#include "Registry.h"
#include "TempDir.h"
#include "WindowText.h"

#include <gtest/gtest.h>
#include <string>
#include <vector>

#include "MenuTexts.h"
#include "ClassObjectTurn.h"

namespace {

// One key per test program run: tests run side by side.
std::string ClassesKey()
{
    return testsupport::ProcessUnique("Software\\OmbrelleStartUpTestClasses");
}

const std::vector<std::string> kAllMenus = {"文件(&F)", "查看(&V)", "系统设置(&C)", "采集管理(&M)", "权限管理(&R)", "帮助(&H)"};

// The program's arguments as the class library's command line parser reads them.
class CommandLineOverride {
public:
    explicit CommandLineOverride(std::vector<char*> arguments) : m_arguments(std::move(arguments))
    {
        m_savedCount = __argc;
        m_savedArguments = __argv;
        // The list ends in a null entry, as the runtime's does.
        __argc = static_cast<int>(m_arguments.size()) - 1;
        __argv = m_arguments.data();
    }
    ~CommandLineOverride()
    {
        __argc = m_savedCount;
        __argv = m_savedArguments;
    }

private:
    std::vector<char*> m_arguments;
    int m_savedCount;
    char** m_savedArguments;
};

// Notes what had happened when the job library wrote its recent list, which
// it does when its manager is deleted.
class ShutdownWitness : public CRecentFileList {
public:
    ShutdownWitness(std::string& generalLogThen, bool& frameAliveThen, HWND hFrame)
        : CRecentFileList(0, "OmbrelleStartUpTest", "File%d", 4), m_generalLogThen(generalLogThen),
          m_frameAliveThen(frameAliveThen), m_hFrame(hFrame)
    {
    }
    void WriteList() override
    {
        m_generalLogThen = GeneralCallLog();
        m_frameAliveThen = ::IsWindow(m_hFrame) != FALSE;
    }

private:
    std::string& m_generalLogThen;
    bool& m_frameAliveThen;
    HWND m_hFrame;
};

const std::vector<std::string> kFileItems = {"扫描设备选择", "预扫描图像", "扫描设置", "扫描", "自动平板扫描", "", "退出(&X)"};

class StartUpTest : public ::testing::Test {
protected:
    // The registration goes to a private key, so that the real client's tests
    // see only their own.
    void SetUp() override
    {
        testsupport::DeleteRegKey(HKEY_CURRENT_USER, ClassesKey());
        ASSERT_EQ(::RegCreateKeyExA(HKEY_CURRENT_USER, ClassesKey().c_str(), 0, NULL, 0, KEY_ALL_ACCESS, NULL, &m_hClasses,
                                    NULL),
                  ERROR_SUCCESS);
        ASSERT_EQ(::RegOverridePredefKey(HKEY_CLASSES_ROOT, m_hClasses), ERROR_SUCCESS);
        GeneralClearCallLog();
        DioptraClearCallLog();
    }

    void TearDown() override
    {
        ::RegOverridePredefKey(HKEY_CLASSES_ROOT, NULL);
        ::RegCloseKey(m_hClasses);
        testsupport::DeleteRegKey(HKEY_CURRENT_USER, ClassesKey());
    }

    // Both servers' registrations, or neither.
    static bool IsRegistered()
    {
        const bool bDocument =
            testsupport::ReadRegString(HKEY_CURRENT_USER, std::string(ClassesKey()) + "\\Ombrelle.Document\\CLSID", "")
                .has_value();
        const bool bUploadObject =
            testsupport::ReadRegString(HKEY_CURRENT_USER, std::string(ClassesKey()) + "\\Ombrelle.UpLoadObj\\CLSID", "")
                .has_value();
        EXPECT_EQ(bDocument, bUploadObject);
        return bDocument && bUploadObject;
    }

    static void Close(COmbrelleApp& app)
    {
        if (app.m_pMainFrame != nullptr)
            app.m_pMainFrame->DestroyWindow();
        app.m_pMainWnd = nullptr;
        MSG msg;
        while (::PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) {
        }
    }

    HKEY m_hClasses = NULL;
};

TEST_F(StartUpTest, NormalStartOpensTheDocumentAndKeepsOnlyTheMenusOfTheStartUpRights)
{
    {
        COmbrelleApp app;
        ASSERT_TRUE(testsupport::StartUpInProcess(app));
        CMainFrame* pFrame = app.m_pMainFrame;
        ASSERT_NE(pFrame, nullptr);
        EXPECT_EQ(app.m_pMainWnd, pFrame);

        // The image library's template first, ours second with its document open.
        ASSERT_NE(app.GetCurrentDocument(), nullptr);
        EXPECT_EQ(app.GetCurrentDocument()->GetDocTemplate(), app.m_pDocTemplate);

        // The child frame is maximised, so no document name follows the title.
        EXPECT_EQ(testsupport::WindowText(pFrame->GetSafeHwnd()), "衡远澄明－图像采集系统")
            << testsupport::ToUtf8(testsupport::WindowText(pFrame->GetSafeHwnd()));
        EXPECT_TRUE(pFrame->IsZoomed());
        EXPECT_TRUE(IsRegistered());

        HMENU hMenu = ::GetMenu(pFrame->GetSafeHwnd());
        const std::vector<std::string> menus = {"文件(&F)", "查看(&V)", "帮助(&H)"};
        EXPECT_EQ(MenuTexts(hMenu), menus);
        EXPECT_EQ(MenuTexts(::GetSubMenu(hMenu, 0)), kFileItems);

        // The temp folder beside the program went to the general library.
        std::string log = GeneralCallLog();
        EXPECT_NE(log.find("\\temp\n"), std::string::npos) << log;
        // The image library is initialised before the frame hands itself over.
        EXPECT_EQ(std::string(DioptraCallLog()), "103 0\n104 1\n106 0\n");

        Close(app);
        GeneralClearCallLog();
    }
    // The general library's end comes last, when the application goes.
    EXPECT_EQ(std::string(GeneralCallLog()), "245\n");
}

TEST_F(StartUpTest, ShutdownDeletesTheJobManagerBeforeTheGeneralLibraryEnds)
{
    std::string generalLogThen = "not written";
    bool frameAliveThen = true;
    {
        COmbrelleApp app;
        ASSERT_TRUE(testsupport::StartUpInProcess(app));
        JSetRecentFileList(new ShutdownWitness(generalLogThen, frameAliveThen, app.m_pMainFrame->GetSafeHwnd()));
        Close(app);
        GeneralClearCallLog();
    }
    EXPECT_EQ(generalLogThen, "");
    EXPECT_FALSE(frameAliveThen);
    EXPECT_EQ(std::string(GeneralCallLog()), "245\n");
}

TEST_F(StartUpTest, AutomationStartWaitsHiddenUntilShowMainWindowWhichKeepsEveryMenu)
{
    char program[] = "Ombrelle.exe";
    char automation[] = "/Automation";
    CommandLineOverride commandLine({program, automation, nullptr});
    COmbrelleApp app;
    ASSERT_TRUE(testsupport::StartUpInProcess(app));
    CMainFrame* pFrame = app.m_pMainFrame;
    ASSERT_NE(pFrame, nullptr);
    EXPECT_FALSE(pFrame->IsWindowVisible());
    EXPECT_EQ(app.GetCurrentDocument(), nullptr);
    EXPECT_FALSE(IsRegistered());

    app.ShowMainWindow();
    EXPECT_NE(app.GetCurrentDocument(), nullptr);
    // The image library's set-up ran twice and added its template once.
    std::vector<CDocTemplate*> templates;
    for (POSITION pos = app.GetFirstDocTemplatePosition(); pos != NULL;)
        templates.push_back(app.GetNextDocTemplate(pos));
    ASSERT_EQ(templates.size(), 2u);
    EXPECT_EQ(templates[1], app.m_pDocTemplate);
    EXPECT_TRUE(pFrame->IsZoomed());
    EXPECT_EQ(MenuTexts(::GetMenu(pFrame->GetSafeHwnd())), kAllMenus);
    EXPECT_FALSE(IsRegistered());
    // The document's end lets go of the last object while the frame goes:
    // the frame goes once, and the program is the user's again.
    Close(app);
    EXPECT_TRUE(AfxOleGetUserCtrl());
}

TEST_F(StartUpTest, UnregserverIsIgnoredAndTheStartWritesTheRegistrationAgain)
{
    char program[] = "Ombrelle.exe";
    char unregister[] = "/Unregserver";
    CommandLineOverride commandLine({program, unregister, nullptr});
    COmbrelleApp app;
    ASSERT_TRUE(testsupport::StartUpInProcess(app));
    EXPECT_TRUE(IsRegistered());
    ASSERT_NE(app.m_pMainFrame, nullptr);
    EXPECT_TRUE(app.m_pMainFrame->IsWindowVisible());
    EXPECT_NE(app.GetCurrentDocument(), nullptr);
    Close(app);
}

// An upload object as COM's activation makes it, through the client's factory.
IDispatch* CreateUploadObject()
{
    IClassFactory* pFactory = nullptr;
    LPUNKNOWN pUnknown = reinterpret_cast<LPUNKNOWN>(&CUpLoadObj::factory.m_xClassFactory);
    if (FAILED(pUnknown->QueryInterface(IID_IClassFactory, reinterpret_cast<void**>(&pFactory))))
        return nullptr;
    IDispatch* pObject = nullptr;
    pFactory->CreateInstance(nullptr, IID_IDispatch, reinterpret_cast<void**>(&pObject));
    pFactory->Release();
    return pObject;
}

size_t CountLines(const std::string& log, const std::string& line)
{
    size_t count = 0;
    for (size_t at = 0; (at = log.find(line + "\n", at)) != std::string::npos; at += line.size() + 1)
        if (at == 0 || log[at - 1] == '\n')
            ++count;
    return count;
}

TEST_F(StartUpTest, UploadObjectsLeaveTheLibrariesStartedOncePerProcess)
{
    testsupport::TempDir programFolder;
    ConvertClearCallLog();
    {
        COmbrelleApp app;
        const std::string convertAtStart = ConvertCallLog();
        EXPECT_EQ(convertAtStart.rfind("2 ", 0), 0u) << convertAtStart;
        EXPECT_NE(convertAtStart.find("\n3 "), std::string::npos) << convertAtStart;
        GenSetProgramFolder(programFolder.Path().c_str());

        IDispatch* pFirst = CreateUploadObject();
        ASSERT_NE(pFirst, nullptr);
        IDispatch* pSecond = CreateUploadObject();
        ASSERT_NE(pSecond, nullptr);
        pFirst->Release();
        pSecond->Release();

        EXPECT_EQ(CountLines(GeneralCallLog(), "242"), 1u) << GeneralCallLog();
        EXPECT_EQ(std::string(ConvertCallLog()), convertAtStart);
        EXPECT_FALSE(testsupport::ReadFileBytes(programFolder.File("ImageInfoStruct.xml")).empty());
        EXPECT_EQ(std::string(app.m_strDataFolder), programFolder.Path());
        GeneralClearCallLog();
    }
    EXPECT_EQ(std::string(GeneralCallLog()), "245\n");
}

}  // namespace

namespace {

TEST_F(StartUpTest, OnlineHelpOpensTheHelpFileInTheProgramFolder)
{
    // Only the "open" verb of help files is known, and it writes the file it
    // was given; the classes root is this test's own key.
    testsupport::TempDir temp;
    const std::string record = temp.File("opened.txt");
    const std::string classes = ClassesKey();
    ASSERT_TRUE(testsupport::WriteRegString(HKEY_CURRENT_USER, classes + "\\.chm", "", "OmbrelleTestHelp"));
    ASSERT_TRUE(testsupport::WriteRegString(HKEY_CURRENT_USER, classes + "\\OmbrelleTestHelp\\shell\\open\\command", "",
                                            "cmd.exe /c echo %1>\"" + record + "\""));

    COmbrelleApp app;
    ASSERT_TRUE(testsupport::StartUpInProcess(app));
    app.m_pMainFrame->SendMessage(WM_COMMAND, ID_ONLINE_HELP);

    std::string opened;
    for (int i = 0; i < 100 && opened.empty(); ++i) {
        ::Sleep(100);
        opened = testsupport::ReadFileBytes(record);
    }
    char self[MAX_PATH] = "";
    ::GetModuleFileNameA(NULL, self, MAX_PATH);
    std::string folder(self, std::string(self).find_last_of('\\') + 1);
    EXPECT_EQ(opened.substr(0, opened.find_first_of("\r\n")), folder + "Lumarec.chm");
    Close(app);
}

}  // namespace

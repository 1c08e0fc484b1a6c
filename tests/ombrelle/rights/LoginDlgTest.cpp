// The log-in dialog against SQLite rights databases reached through the
// driver name "SQL Server": the configuration file beside the test program,
// the program-wide connection string, the checks before the database, and
// the server list filled from browse answers.
#include "LoginDlg.h"

#include "GuiDriver.h"
#include "RightsDatabase.h"
#include "RightsStoreDatabase.h"
#include "TempDir.h"
#include "WindowText.h"
#include "resource.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <functional>
#include <memory>
#include <optional>
#include <ostream>
#include <string>
#include <vector>

namespace {

using testsupport::Gui;
using testsupport::WindowExpectation;

const char kCaption[] = "身份验证";
const char kSection[] = "ConnectiongString";
const char kWrongCredentials[] = "用户名或密码不正确";
const char kEmptyName[] = "用户名不能为空";
const char kIllegal[] = "用户名或密码中含有非法字符";
const char kUntouched[] = "<untouched>";

const char kRows[] =
    "insert into Users(UserID, UserName, Password, Email, Comment) values"
    " (40001, 'Ann', 'secret', '', ''), (40002, 'Dee', '', '', '');"
    "insert into Models(ModelID, ModelName, Comment) values (40010, 'Scan', ''), (40011, 'Upload', '');"
    "insert into UserModels(UserID, ModelID) values (40001, 40011), (40001, 40010)";

std::string ConfigPath()
{
    return std::string(CLoginDlg::GetConfigFilePath());
}

bool Exists(const std::string& path)
{
    return ::GetFileAttributesA(path.c_str()) != INVALID_FILE_ATTRIBUTES;
}

// A key of the configuration file; nullopt when it is missing.
std::optional<std::string> Stored(const char* key)
{
    char value[1024] = "";
    ::GetPrivateProfileStringA(kSection, key, "<none>", value, sizeof value, ConfigPath().c_str());
    return std::string(value) == "<none>" ? std::nullopt : std::optional<std::string>(value);
}

std::string Connection(const std::string& server)
{
    return "Driver=SQL Server;Server=" + server + ";Database=MARRENTOLBECK;UID=MintaRolk;PWD=MintaRolk;";
}

std::vector<std::string> Entries(HWND dialog)
{
    HWND box = ::GetDlgItem(dialog, IDC_LOGIN_SERVER);
    std::vector<std::string> entries;
    const int count = int(::SendMessageA(box, CB_GETCOUNT, 0, 0));
    for (int i = 0; i < count; ++i) {
        std::string text(size_t(::SendMessageA(box, CB_GETLBTEXTLEN, i, 0)) + 1, '\0');
        ::SendMessageA(box, CB_GETLBTEXT, i, LPARAM(&text[0]));
        entries.push_back(text.c_str());
    }
    return entries;
}

std::wstring Wide(const std::string& ansi)
{
    std::wstring wide(ansi.size(), L'\0');
    wide.resize(size_t(::MultiByteToWideChar(CP_ACP, 0, ansi.data(), int(ansi.size()), &wide[0], int(wide.size()))));
    return wide;
}

std::string ModuleNames(CStringList& names)
{
    std::vector<std::string> sorted;
    for (POSITION pos = names.GetHeadPosition(); pos != NULL;)
        sorted.push_back((LPCTSTR)names.GetNext(pos));
    std::sort(sorted.begin(), sorted.end());
    std::string text;
    for (const std::string& name : sorted)
        text += name + ";";
    return text;
}

// Each test starts without the configuration file and with a connection
// string that no log-in made, and leaves neither behind.
class LoginTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        ::DeleteFileA(ConfigPath().c_str());
        CRightsDatabase::m_strConnectString = kUntouched;
        m_database = std::make_unique<RightsStoreDatabase>(RightsServer::SQLite);
        ASSERT_TRUE(m_database->Run(kRows));
    }

    void TearDown() override
    {
        ::DeleteFileA(ConfigPath().c_str());
        CRightsDatabase::m_strConnectString.Empty();
    }

    // The seeded database file: a server the connection string names.
    std::string DatabaseFile() const
    {
        const std::string text = (LPCTSTR)m_database->ConnectString();
        return text.substr(text.find("Server=") + 7);
    }

    static void WriteServer(const std::string& server)
    {
        ASSERT_TRUE(::WritePrivateProfileStringA(kSection, "Server", server.c_str(), ConfigPath().c_str()));
    }

    // The dialog's log-in with these texts, after the test's own action on
    // the open dialog when one is given, and answered by a message box when
    // one is given; the dialog is then seen still open with its caption
    // back, and cancelled.
    int LogIn(CLoginDlg& dialog, const std::string& user, const std::string& password, const char* message = nullptr,
              const std::function<void(HWND)>& prepare = nullptr)
    {
        WindowExpectation& window = Gui().Expect(kCaption);
        if (prepare)
            window.Run(prepare);
        window.SetText(IDC_LOGIN_USER, user).SetText(IDC_LOGIN_PASSWORD, password).Press(IDOK);
        WindowExpectation* box = nullptr;
        if (message != nullptr) {
            box = &Gui().Expect("").Press(IDOK);
            window.Run([this](HWND hwnd) { m_captionAfter = testsupport::WindowText(hwnd); }).Press(IDCANCEL);
        }
        const int result = int(dialog.DoModal());
        if (box != nullptr) {
            EXPECT_TRUE(box->HasText(message)) << testsupport::ToUtf8(message);
            EXPECT_EQ(m_captionAfter, kCaption);
        }
        return result;
    }

    std::unique_ptr<RightsStoreDatabase> m_database;
    std::string m_captionAfter;
};

// ---------------------------------------------------------------------------
// Log-in. These tests share the configuration file: the suites' names begin
// with "LoginDialog", which the build runs one at a time.

using LoginDialog = LoginTest;

TEST_F(LoginDialog, AnAcceptedUserSetsTheConnectionStringAndListsTheModules)
{
    WriteServer(DatabaseFile());
    CLoginDlg dialog;
    ASSERT_EQ(LogIn(dialog, "Ann", "secret"), IDOK);
    EXPECT_EQ(ModuleNames(dialog.m_moduleNames), "Scan;Upload;");
    EXPECT_EQ(Stored("Driver"), std::optional<std::string>("SQL Server"));
    EXPECT_EQ(Stored("Server"), std::optional<std::string>(DatabaseFile()));
    EXPECT_EQ(std::string(CRightsDatabase::m_strConnectString), Connection(DatabaseFile()));
    // A store made afterwards reaches the same database.
    CRightsDatabase store;
    UserRecord record;
    EXPECT_EQ(store.GetUser("Dee", &record), 0);
    EXPECT_EQ(record.UserID, 40002);
}

TEST_F(LoginDialog, AnEmptyPasswordIsPassedOnToTheCheck)
{
    WriteServer(DatabaseFile());
    CLoginDlg dialog;
    EXPECT_EQ(LogIn(dialog, "Dee", ""), IDOK);
}

struct RefusalCase {
    const char* name;
    const char* user;
    const char* password;
    const char* message;
    bool reachesTheDatabase;  // the file is written and the connection string set
};

void PrintTo(const RefusalCase& c, std::ostream* os) { *os << c.name; }

const RefusalCase kRefusals[] = {
    {"WrongPassword", "Ann", "secrets", kWrongCredentials, true},
    {"UnknownUser", "Zoe", "secret", kWrongCredentials, true},
    {"EmptyName", "", "secret", kEmptyName, false},
    {"ApostropheInName", "Ann' or '1'='1", "secret", kIllegal, false},
    {"ApostropheInPassword", "Ann", "' or ''='", kIllegal, false},
};

class LoginDialogRefusal : public LoginTest, public ::testing::WithParamInterface<RefusalCase> {};

// The configuration file is missing at the start: the box is empty, and the
// server chosen from a filled list is the one written.
TEST_P(LoginDialogRefusal, KeepsTheDialogOpenWithItsCaption)
{
    const RefusalCase& c = GetParam();
    CLoginDlg dialog;
    const auto chooseServer = [&](HWND hwnd) {
        EXPECT_TRUE(Entries(hwnd).empty());
        const std::wstring answer = L"Server={" + Wide(DatabaseFile()) + L",other};";
        dialog.FillServerList(answer.c_str(), answer.size());
        ::SendDlgItemMessageA(hwnd, IDC_LOGIN_SERVER, CB_SELECTSTRING, WPARAM(-1), LPARAM(DatabaseFile().c_str()));
    };
    EXPECT_EQ(LogIn(dialog, c.user, c.password, c.message, chooseServer), IDCANCEL);
    EXPECT_EQ(dialog.m_moduleNames.GetCount(), 0);
    if (c.reachesTheDatabase) {
        EXPECT_EQ(Stored("Server"), std::optional<std::string>(DatabaseFile()));
        EXPECT_EQ(std::string(CRightsDatabase::m_strConnectString), Connection(DatabaseFile()));
    } else {
        EXPECT_FALSE(Exists(ConfigPath()));
        EXPECT_EQ(std::string(CRightsDatabase::m_strConnectString), kUntouched);
    }
}

INSTANTIATE_TEST_SUITE_P(Table, LoginDialogRefusal, ::testing::ValuesIn(kRefusals),
                         [](const ::testing::TestParamInfo<RefusalCase>& info) { return info.param.name; });

// The default database beside the program, made from the seeded file for
// one test; one that was there before is put back afterwards.
class DefaultDatabase {
public:
    explicit DefaultDatabase(const std::string& seeded)
    {
        std::string program(MAX_PATH, '\0');
        program.resize(::GetModuleFileNameA(NULL, &program[0], MAX_PATH));
        m_path = program.substr(0, program.find_last_of('\\') + 1) + "MARRENTOLBECK.db";
        m_aside = m_path + "." + testsupport::ProcessUnique("aside");
        m_moved = ::MoveFileA(m_path.c_str(), m_aside.c_str()) != FALSE;
        EXPECT_TRUE(::CopyFileA(seeded.c_str(), m_path.c_str(), TRUE));
    }
    ~DefaultDatabase()
    {
        ::DeleteFileA(m_path.c_str());
        if (m_moved)
            ::MoveFileA(m_aside.c_str(), m_path.c_str());
    }

private:
    std::string m_path, m_aside;
    bool m_moved;
};

// "(local)" stays in the file; the connection string names 127.0.0.1, the
// database beside the program. With no entry chosen the server is empty,
// which names that database too.
TEST_F(LoginDialog, LocalServerAndNoServerReachTheDefaultDatabase)
{
    DefaultDatabase local(DatabaseFile());
    WriteServer("(local)");
    {
        CLoginDlg dialog;
        ASSERT_EQ(LogIn(dialog, "Ann", "secret"), IDOK);
        EXPECT_EQ(ModuleNames(dialog.m_moduleNames), "Scan;Upload;");
    }
    EXPECT_EQ(Stored("Server"), std::optional<std::string>("(local)"));
    EXPECT_EQ(std::string(CRightsDatabase::m_strConnectString), Connection("127.0.0.1"));

    CLoginDlg dialog;
    const auto chooseNone = [](HWND hwnd) { ::SendDlgItemMessageA(hwnd, IDC_LOGIN_SERVER, CB_SETCURSEL, WPARAM(-1), 0); };
    ASSERT_EQ(LogIn(dialog, "Ann", "secret", nullptr, chooseNone), IDOK);
    EXPECT_EQ(Stored("Server"), std::optional<std::string>(""));
    EXPECT_EQ(std::string(CRightsDatabase::m_strConnectString), Connection(""));
}

// ---------------------------------------------------------------------------
// The server list. Entries come from answers of the tests' own; the real
// browse is asked once, below.

// Answers its browse requests with a fixed text and counts them.
class AnsweredLoginDlg : public CLoginDlg {
public:
    int m_nBrowsed = 0;

protected:
    BOOL BrowseServers(std::wstring& answer) override
    {
        ++m_nBrowsed;
        answer = L"SERVER:Server={(local),b,a};UID:Login ID=?;";
        return TRUE;
    }
};

// Runs the action on the open dialog, then cancels it.
void OnOpenDialog(CLoginDlg& dialog, const std::function<void(HWND)>& action)
{
    Gui().Expect(kCaption).Run(action).Press(IDCANCEL);
    EXPECT_EQ(dialog.DoModal(), IDCANCEL);
}

void DropDown(HWND dialog)
{
    HWND box = ::GetDlgItem(dialog, IDC_LOGIN_SERVER);
    ::SendMessageA(box, CB_SHOWDROPDOWN, TRUE, 0);
    ::SendMessageA(box, CB_SHOWDROPDOWN, FALSE, 0);
}

struct FillCase {
    const char* name;
    std::wstring answer;
    std::vector<std::string> entries;
};

void PrintTo(const FillCase& c, std::ostream* os) { *os << c.name; }

std::wstring LongAnswer()
{
    std::wstring answer = L"Server={";
    for (int i = 0; answer.size() < 10000; ++i)
        answer += L"server" + std::to_wstring(i) + L",";
    return answer + L"};";
}

const FillCase kFills[] = {
    {"Sorted", L"Server={c,a,b};", {"a", "b", "c"}},
    {"TwoCommas", L"{b,,a}", {"", "a", "b"}},
    {"TrailingComma", L"{b,a,}", {"a", "b"}},
    {"NoBraces", L"Server=?;", {}},
    {"ClosingBraceFirst", L"}{a}", {}},
};

class LoginServerList : public ::testing::TestWithParam<FillCase> {};

// The entries that were there before go, whatever the answer holds.
TEST_P(LoginServerList, FillingTakesTheAnswersEntriesSorted)
{
    CLoginDlg dialog;
    OnOpenDialog(dialog, [&](HWND hwnd) {
        ::SendDlgItemMessageA(hwnd, IDC_LOGIN_SERVER, CB_ADDSTRING, 0, LPARAM("old"));
        dialog.FillServerList(GetParam().answer.c_str(), GetParam().answer.size());
        EXPECT_EQ(Entries(hwnd), GetParam().entries);
        EXPECT_EQ(dialog.m_bFilled, 1);
    });
}

INSTANTIATE_TEST_SUITE_P(Answers, LoginServerList, ::testing::ValuesIn(kFills),
                         [](const ::testing::TestParamInfo<FillCase>& info) { return info.param.name; });

TEST(LoginServerListLong, ATenThousandCharacterAnswerKeepsEveryEntry)
{
    const std::wstring answer = LongAnswer();
    const size_t servers = size_t(std::count(answer.begin(), answer.end(), L','));
    CLoginDlg dialog;
    OnOpenDialog(dialog, [&](HWND hwnd) {
        dialog.FillServerList(answer.c_str(), answer.size());
        const std::vector<std::string> entries = Entries(hwnd);
        EXPECT_EQ(entries.size(), servers);
        EXPECT_TRUE(std::is_sorted(entries.begin(), entries.end()));
        EXPECT_NE(std::find(entries.begin(), entries.end(), "server0"), entries.end());
    });
}

TEST(LoginServerListBrowse, ADropDownBrowsesOnceUntilTheRefresh)
{
    AnsweredLoginDlg dialog;
    OnOpenDialog(dialog, [&](HWND hwnd) {
        DropDown(hwnd);
        EXPECT_EQ(dialog.m_nBrowsed, 1);
        EXPECT_EQ(Entries(hwnd), (std::vector<std::string>{"(local)", "a", "b"}));
        DropDown(hwnd);
        EXPECT_EQ(dialog.m_nBrowsed, 1);
        ::SendMessageA(::GetDlgItem(hwnd, IDC_LOGIN_REFRESH), BM_CLICK, 0, 0);
        EXPECT_EQ(dialog.m_nBrowsed, 2);
        EXPECT_EQ(dialog.m_bFilled, 1);
        // The refresh opens the list, whose own drop-down does not browse again.
        EXPECT_TRUE(::SendDlgItemMessageA(hwnd, IDC_LOGIN_SERVER, CB_GETDROPPEDSTATE, 0, 0));
        ::SendDlgItemMessageA(hwnd, IDC_LOGIN_SERVER, CB_SHOWDROPDOWN, FALSE, 0);
    });
}

// The SQLite driver behind "SQL Server" answers no browse request: no
// message, the entry stays and the next drop-down asks again.
TEST(LoginServerListBrowse, ARealBrowseThatFailsLeavesTheListAndTheFlag)
{
    CLoginDlg dialog;
    OnOpenDialog(dialog, [&](HWND hwnd) {
        ::SendDlgItemMessageA(hwnd, IDC_LOGIN_SERVER, CB_ADDSTRING, 0, LPARAM("kept"));
        const std::vector<std::string> before = Entries(hwnd);
        DropDown(hwnd);
        EXPECT_EQ(dialog.m_bFilled, 0);
        EXPECT_EQ(Entries(hwnd), before);
    });
}

}  // namespace

// The user, module and function dialogs against a seeded SQLite rights
// database: what each shows when it opens, the checks and messages of its
// error line, and what it writes.
#include "FunctionEditDlg.h"
#include "ModuleEditDlg.h"
#include "UserInfoDlg.h"

#include "GuiDriver.h"
#include "RightsDatabase.h"
#include "RightsStoreDatabase.h"
#include "WindowText.h"
#include "resource.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <functional>
#include <memory>
#include <ostream>
#include <string>
#include <vector>

namespace {

using testsupport::Gui;
using testsupport::WindowExpectation;

const char kRows[] =
    "insert into Users(UserID, UserName, Password, Email, Comment) values"
    " (40001, 'Ann', 'secret', 'ann@example.com  ', 'first  '), (40002, 'Bob', 'pw', '', '');"
    "insert into Models(ModelID, ModelName, Comment) values (40010, 'Scan', 'scanning  ');"
    "insert into FunList(FunID, FunName, ModelID, Comment) values (40100, 'ScanPage', 40010, 'f1')";

const std::vector<int> kIds = {0, 1, 40001, 40002, 40010, 40100};  // 0: no module

// One of the three dialogs, with its controls.
struct Kind {
    const char* name;
    std::function<std::unique_ptr<CRightsEditDlg>()> make;
    int nameId;
    int commentId;
    int errorId;
};

const Kind kUser = {"User", [] { return std::unique_ptr<CRightsEditDlg>(new CUserInfoDlg); }, IDC_USER_NAME,
                    IDC_USER_COMMENT, IDC_USER_ERROR};
const Kind kModule = {"Module", [] { return std::unique_ptr<CRightsEditDlg>(new CModuleEditDlg); }, IDC_MODULE_NAME,
                      IDC_MODULE_COMMENT, IDC_MODULE_ERROR};
const Kind kFunction = {"Function", [] { return std::unique_ptr<CRightsEditDlg>(new CFunctionEditDlg); },
                        IDC_FUNCTION_NAME, IDC_FUNCTION_COMMENT, IDC_FUNCTION_ERROR};

std::string Text(HWND dialog, int id)
{
    return testsupport::WindowText(::GetDlgItem(dialog, id));
}

bool Enabled(HWND dialog, int id)
{
    return ::IsWindowEnabled(::GetDlgItem(dialog, id)) != FALSE;
}

// What the dialog shows at one moment.
struct Shown {
    std::string caption, okText, error;
    bool okEnabled = false, nameEnabled = false;
};

Shown Show(HWND dialog, const Kind& kind)
{
    Shown shown;
    shown.caption = testsupport::WindowText(dialog);
    shown.okText = Text(dialog, IDOK);
    shown.error = Text(dialog, kind.errorId);
    shown.okEnabled = Enabled(dialog, IDOK);
    shown.nameEnabled = Enabled(dialog, kind.nameId);
    return shown;
}

class RightsEditDialog : public ::testing::Test {
protected:
    void SetUp() override
    {
        m_database = std::make_unique<RightsStoreDatabase>(RightsServer::SQLite);
        ASSERT_TRUE(m_database->Run(kRows));
        CRightsDatabase::m_strConnectString = m_database->ConnectString();
        m_before = Rows();
    }

    void TearDown() override { CRightsDatabase::m_strConnectString.Empty(); }

    std::vector<std::string> Rows() { return m_database->Rows(kIds); }

    // The rows now, as the rows before with the one given changed or added.
    std::vector<std::string> BeforeWith(const std::string& old, const std::string& changed)
    {
        std::vector<std::string> rows = m_before;
        rows.erase(std::remove(rows.begin(), rows.end(), old), rows.end());
        rows.push_back(changed);
        std::sort(rows.begin(), rows.end());
        return rows;
    }

    // The dialog's window: the test's actions on it, then OK pressed and,
    // unless it closed, what it shows read and the dialog cancelled.
    WindowExpectation& Pressing(const char* caption, const std::function<void(HWND)>& actions, const Kind& kind)
    {
        return Gui().Expect(caption).Run(actions).Press(IDOK).Run([this, &kind](HWND hwnd) {
            m_shown = Show(hwnd, kind);
            ::PostMessageA(hwnd, WM_COMMAND, IDCANCEL, 0);
        });
    }

    std::unique_ptr<RightsStoreDatabase> m_database;
    std::vector<std::string> m_before;
    Shown m_shown;
};

// Replaces the edit's text as typing does: the edit reports the change,
// multi-line ones too.
void SetText(HWND dialog, int id, const char* text)
{
    ::SendDlgItemMessageA(dialog, id, EM_SETSEL, 0, -1);
    ::SendDlgItemMessageA(dialog, id, EM_REPLACESEL, TRUE, LPARAM(text));
}

// ---------------------------------------------------------------------------
// Opening.

TEST_F(RightsEditDialog, ModifyingShowsTheStoredUserWithOkOffUntilTheFirstChange)
{
    CUserInfoDlg dialog;
    dialog.m_nMode = 1;
    dialog.m_strEditName = "Ann";
    Shown opened, changed;
    std::string name, password, confirm, email, comment;
    Gui().Expect("修改用户 Ann 信息").Run([&](HWND hwnd) {
        opened = Show(hwnd, kUser);
        name = Text(hwnd, IDC_USER_NAME);
        password = Text(hwnd, IDC_USER_PASSWORD);
        confirm = Text(hwnd, IDC_USER_CONFIRM);
        email = Text(hwnd, IDC_USER_EMAIL);
        comment = Text(hwnd, IDC_USER_COMMENT);
        SetText(hwnd, IDC_USER_COMMENT, "other");
        changed = Show(hwnd, kUser);
    }).Press(IDCANCEL);
    EXPECT_EQ(dialog.DoModal(), IDCANCEL);
    EXPECT_EQ(opened.okText, "保存");
    EXPECT_FALSE(opened.okEnabled);
    EXPECT_TRUE(opened.nameEnabled);
    EXPECT_EQ(name, "Ann");
    EXPECT_EQ(password, "secret");
    EXPECT_EQ(confirm, "secret");
    EXPECT_EQ(email, "ann@example.com");
    EXPECT_EQ(comment, "first");
    EXPECT_TRUE(changed.okEnabled);
    EXPECT_EQ(Rows(), m_before);
}

struct OpenCase {
    const char* name;
    const Kind* kind;
    int mode;
    const char* editName;
    const char* caption;
    const char* okText;
    bool nameEnabled;
};

void PrintTo(const OpenCase& c, std::ostream* os) { *os << c.name; }

const OpenCase kOpenings[] = {
    {"AddUser", &kUser, 0, "", "添加用户", "确定", true},
    {"ModifyKeepr", &kUser, 1, "Keepr", "修改用户 Keepr 信息", "保存", false},
    {"AddModule", &kModule, 0, "", "添加模块", "确定", true},
    {"ModifyModule", &kModule, 1, "Scan", "修改 Scan 信息", "保存", false},
    {"AddFunction", &kFunction, 0, "", "添加功能", "确定", true},
    {"ModifyFunction", &kFunction, 1, "ScanPage", "修改 ScanPage 信息", "保存", false},
};

class RightsEditDialogOpening : public RightsEditDialog, public ::testing::WithParamInterface<OpenCase> {};

TEST_P(RightsEditDialogOpening, ShowsTheModeWithOkOff)
{
    const OpenCase& c = GetParam();
    std::unique_ptr<CRightsEditDlg> dialog = c.kind->make();
    dialog->m_nMode = c.mode;
    dialog->m_strEditName = c.editName;
    Shown opened;
    Gui().Expect(c.caption).Run([&](HWND hwnd) { opened = Show(hwnd, *c.kind); }).Press(IDCANCEL);
    EXPECT_EQ(dialog->DoModal(), IDCANCEL);
    EXPECT_EQ(opened.okText, c.okText);
    EXPECT_FALSE(opened.okEnabled);
    EXPECT_EQ(opened.nameEnabled, c.nameEnabled);
}

INSTANTIATE_TEST_SUITE_P(Table, RightsEditDialogOpening, ::testing::ValuesIn(kOpenings),
                         [](const ::testing::TestParamInfo<OpenCase>& info) { return info.param.name; });

struct LoadCase {
    const char* name;
    const Kind* kind;
    const char* caption;
    const char* message;
};

void PrintTo(const LoadCase& c, std::ostream* os) { *os << c.name; }

const LoadCase kFailedLoads[] = {
    {"User", &kUser, "修改用户 Zoe 信息", "提取用户数据出错"},
    {"Module", &kModule, "修改 Zoe 信息", "提取模块数据出错"},
    {"Function", &kFunction, "修改 Zoe 信息", "提取功能数据出错"},
};

class RightsEditDialogLoad : public RightsEditDialog, public ::testing::WithParamInterface<LoadCase> {};

TEST_P(RightsEditDialogLoad, AMissingEntryEndsTheDialogAfterItsMessage)
{
    std::unique_ptr<CRightsEditDlg> dialog = GetParam().kind->make();
    dialog->m_nMode = 1;
    dialog->m_strEditName = "Zoe";
    Gui().Expect(GetParam().caption).OpenFor(2000).MayPassUnseen();
    WindowExpectation& box = Gui().Expect("错误").Press(IDOK);
    EXPECT_EQ(dialog->DoModal(), IDCANCEL);
    EXPECT_TRUE(box.HasText(GetParam().message));
}

INSTANTIATE_TEST_SUITE_P(Table, RightsEditDialogLoad, ::testing::ValuesIn(kFailedLoads),
                         [](const ::testing::TestParamInfo<LoadCase>& info) { return info.param.name; });

// ---------------------------------------------------------------------------
// Saving.

struct SaveCase {
    const char* name;
    const Kind* kind;
    int mode;
    const char* editName;
    const char* caption;
    std::vector<std::pair<int, const char*>> typed;
    const char* error;        // null: the dialog ends with IDOK
    const char* changedFrom;  // the row that changes, null when one is added
    const char* changedTo;    // the row written, null when none
};

void PrintTo(const SaveCase& c, std::ostream* os) { *os << c.name; }

const SaveCase kSaves[] = {
    {"UserPasswordsDiffer", &kUser, 0, "", "添加用户",
     {{IDC_USER_NAME, "Eve"}, {IDC_USER_PASSWORD, "a"}, {IDC_USER_CONFIRM, "b"}},
     "输入密码不相同，请重新输入", nullptr, nullptr},
    {"UserAddedAsTyped", &kUser, 0, "", "添加用户",
     {{IDC_USER_NAME, "Eve  "}, {IDC_USER_PASSWORD, " p "}, {IDC_USER_CONFIRM, " p "}, {IDC_USER_EMAIL, "e "},
      {IDC_USER_COMMENT, "c "}},
     nullptr, nullptr, "Users|*|Eve  | p |e |c "},
    {"UserNameEmpty", &kUser, 0, "", "添加用户", {{IDC_USER_PASSWORD, "a"}, {IDC_USER_CONFIRM, "a"}},
     "用户名不能为空", nullptr, nullptr},
    {"UserExists", &kUser, 0, "", "添加用户", {{IDC_USER_NAME, "Bob"}}, "用户已经存在", nullptr, nullptr},
    {"UserKeepsItsName", &kUser, 1, "Ann", "修改用户 Ann 信息", {{IDC_USER_EMAIL, "new@example.com"}}, nullptr,
     "Users|40001|Ann|secret|ann@example.com  |first  ", "Users|40001|Ann|secret|new@example.com|first"},
    {"UserRenamed", &kUser, 1, "Ann", "修改用户 Ann 信息", {{IDC_USER_NAME, "Amy"}, {IDC_USER_PASSWORD, "new"},
     {IDC_USER_CONFIRM, "new"}}, nullptr,
     "Users|40001|Ann|secret|ann@example.com  |first  ", "Users|40001|Amy|new|ann@example.com|first"},
    {"ModuleTrimmed", &kModule, 0, "", "添加模块", {{IDC_MODULE_NAME, "Print  "}, {IDC_MODULE_COMMENT, " d  "}},
     nullptr, nullptr, "Models|*|Print| d"},
    {"ModuleNameEmpty", &kModule, 0, "", "添加模块", {{IDC_MODULE_NAME, "   "}, {IDC_MODULE_COMMENT, "d"}},
     "模块名称不能为空", nullptr, nullptr},
    {"ModuleExists", &kModule, 0, "", "添加模块", {{IDC_MODULE_NAME, "Scan "}}, "模块已经存在", nullptr, nullptr},
    {"ModuleDescribed", &kModule, 1, "Scan", "修改 Scan 信息", {{IDC_MODULE_COMMENT, "new  "}}, nullptr,
     "Models|40010|Scan|scanning  ", "Models|40010|Scan|new"},
    {"FunctionKeepsBlanks", &kFunction, 0, "", "添加功能", {{IDC_FUNCTION_NAME, "Crop  "}, {IDC_FUNCTION_COMMENT, "c "}},
     nullptr, nullptr, "FunList|*|Crop  |0|c "},
    {"FunctionNameEmpty", &kFunction, 0, "", "添加功能", {{IDC_FUNCTION_COMMENT, "c"}}, "功能名称不能为空", nullptr,
     nullptr},
    {"FunctionExists", &kFunction, 0, "", "添加功能", {{IDC_FUNCTION_NAME, "ScanPage"}}, "功能名已经存在", nullptr,
     nullptr},
    {"FunctionDescribed", &kFunction, 1, "ScanPage", "修改 ScanPage 信息", {{IDC_FUNCTION_COMMENT, "f2 "}}, nullptr,
     "FunList|40100|ScanPage|40010|f1", "FunList|40100|ScanPage|40010|f2 "},
};

class RightsEditDialogSave : public RightsEditDialog, public ::testing::WithParamInterface<SaveCase> {};

TEST_P(RightsEditDialogSave, ChecksThenWrites)
{
    const SaveCase& c = GetParam();
    std::unique_ptr<CRightsEditDlg> dialog = c.kind->make();
    dialog->m_nMode = c.mode;
    dialog->m_strEditName = c.editName;
    const auto type = [&c](HWND hwnd) {
        for (const auto& typed : c.typed)
            SetText(hwnd, typed.first, typed.second);
    };
    Pressing(c.caption, type, *c.kind);
    if (c.error == nullptr) {
        EXPECT_EQ(dialog->DoModal(), IDOK);
        if (c.changedFrom != nullptr)
            EXPECT_EQ(Rows(), BeforeWith(c.changedFrom, c.changedTo));
        else
            EXPECT_EQ(Rows(), BeforeWith("", c.changedTo));
        return;
    }
    EXPECT_EQ(dialog->DoModal(), IDCANCEL);
    EXPECT_EQ(m_shown.error, c.error);
    EXPECT_EQ(Rows(), m_before);
}

INSTANTIATE_TEST_SUITE_P(Table, RightsEditDialogSave, ::testing::ValuesIn(kSaves),
                         [](const ::testing::TestParamInfo<SaveCase>& info) { return info.param.name; });

// Another user's name: refused, and OK stays off until the next change,
// which also clears the error line. Pressing OK again after that change is
// refused as well: the record already holds the typed name by then.
TEST_F(RightsEditDialog, RenamingToAnotherUsersNameIsRefusedUntilTheNextChange)
{
    CUserInfoDlg dialog;
    dialog.m_nMode = 1;
    dialog.m_strEditName = "Ann";
    Shown refused, changed, again;
    Gui().Expect("修改用户 Ann 信息")
        .Run([](HWND hwnd) { SetText(hwnd, IDC_USER_NAME, "Bob"); })
        .Press(IDOK)
        .Run([&](HWND hwnd) {
            refused = Show(hwnd, kUser);
            SetText(hwnd, IDC_USER_EMAIL, "x");
            changed = Show(hwnd, kUser);
        })
        .Press(IDOK)
        .Run([&](HWND hwnd) { again = Show(hwnd, kUser); })
        .Press(IDCANCEL);
    EXPECT_EQ(dialog.DoModal(), IDCANCEL);
    EXPECT_EQ(refused.error, "用户已经存在");
    EXPECT_FALSE(refused.okEnabled);
    EXPECT_EQ(changed.error, "");
    EXPECT_TRUE(changed.okEnabled);
    EXPECT_EQ(again.error, "用户已经存在");
    EXPECT_EQ(Rows(), m_before);
}

// The input stays as typed after a refusal; the error line goes at the
// next change.
TEST_F(RightsEditDialog, AnErrorLineKeepsTheInputAndGoesWithTheNextChange)
{
    CModuleEditDlg dialog;
    dialog.m_nMode = 0;
    std::string name, comment, errorAfter;
    Gui().Expect("添加模块")
        .Run([](HWND hwnd) { SetText(hwnd, IDC_MODULE_COMMENT, "typed"); })
        .Press(IDOK)
        .Run([&](HWND hwnd) {
            m_shown = Show(hwnd, kModule);
            comment = Text(hwnd, IDC_MODULE_COMMENT);
            SetText(hwnd, IDC_MODULE_NAME, "N");
            errorAfter = Text(hwnd, IDC_MODULE_ERROR);
        })
        .Press(IDCANCEL);
    EXPECT_EQ(dialog.DoModal(), IDCANCEL);
    EXPECT_EQ(m_shown.error, "模块名称不能为空");
    EXPECT_EQ(comment, "typed");
    EXPECT_EQ(errorAfter, "");
}

TEST_F(RightsEditDialog, DatabaseFailuresShowTheirOwnLine)
{
    ASSERT_TRUE(m_database->RefuseInserts("Users"));
    {
        CUserInfoDlg dialog;
        dialog.m_nMode = 0;
        Pressing("添加用户", [](HWND hwnd) { SetText(hwnd, IDC_USER_NAME, "Eve"); }, kUser);
        EXPECT_EQ(dialog.DoModal(), IDCANCEL);
        EXPECT_EQ(m_shown.error, "数据库操作错误，请稍后重试");
    }
    // The user goes after the dialog loaded it: the update finds no row.
    CUserInfoDlg dialog;
    dialog.m_nMode = 1;
    dialog.m_strEditName = "Bob";
    Pressing("修改用户 Bob 信息", [this](HWND hwnd) {
        ASSERT_TRUE(m_database->Run("delete from Users where UserName = 'Bob'"));
        SetText(hwnd, IDC_USER_EMAIL, "b@example.com");
    }, kUser);
    EXPECT_EQ(dialog.DoModal(), IDCANCEL);
    EXPECT_EQ(m_shown.error, "更改失败,请稍后重试");
}

}  // namespace

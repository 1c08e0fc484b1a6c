// The operator's log-in to the back-end server: the remembered user, the
// log-in dialog with the profile's "UpLoadUserInfo", refusals and a server
// that cannot be reached.
#include "BackendFixture.h"

#include "GuiDriver.h"
#include "MainFrame.h"
#include "Network.h"
#include "OmbrelleDoc.h"
#include "Registry.h"
#include "ServerSession.h"
#include "WindowText.h"
#include "resource.h"

#include <gtest/gtest.h>

#include <optional>
#include <ostream>

namespace uploadtest {
namespace {

using testsupport::Gui;

const char kSection[] = "UpLoadUserInfo";
const char kDialog[] = "身份信息提取";
const char kRefused[] = "用户名或密码错误！";
const char kCannotConnect[] = "不能连接到服务器，无法验证登录信息";

class UploadLoginTest : public BackendFixture {
protected:
    std::optional<std::string> Stored(const char* name) const
    {
        return testsupport::ReadRegString(HKEY_CURRENT_USER, SectionKey(kSection), name);
    }

    size_t CheckLogins()
    {
        size_t count = 0;
        for (const Request& request : Requests())
            count += request.Verb() == "CheckLogin";
        return count;
    }
};

// ---------------------------------------------------------------------------
// With the remembered user.

struct RememberedCase {
    const char* name;
    const char* password;
    bool unreachable;    // the servlet points at a port where nothing listens
    const char* message; // null: none
    bool loggedIn;
};

void PrintTo(const RememberedCase& c, std::ostream* os) { *os << c.name; }

const RememberedCase kRememberedCases[] = {
    {"Accepted", "secret", false, nullptr, true},
    {"Refused", "wrong", false, kRefused, false},
    {"ServerUnreachable", "secret", true, kCannotConnect, false},
};

class RememberedUserTest : public UploadLoginTest, public ::testing::WithParamInterface<RememberedCase> {};

TEST_P(RememberedUserTest, LogsInOnlyOnTheServersYes)
{
    const RememberedCase& c = GetParam();
    StartWithServer();
    if (c.unreachable)
        Doc()->m_strServerUrl = ("http://127.0.0.1:" + std::to_string(testsupport::FreeTcpPort()) + "/").c_str();
    RememberedUploadUser = kUser;
    RememberedUploadPassword = c.password;

    testsupport::WindowExpectation* message = c.message ? &Gui().Expect("").Press(IDOK) : nullptr;
    EXPECT_EQ(Doc()->ValidateUploadLogin(0), c.loggedIn);
    EXPECT_EQ(Doc()->m_bLoggedIn, c.loggedIn);
    if (message != nullptr) {
        EXPECT_TRUE(message->Seen());
        EXPECT_TRUE(message->HasText(c.message)) << testsupport::ToUtf8(message->Caption());
    }
    if (c.loggedIn) {
        EXPECT_EQ(Stored("UserName"), std::optional<std::string>(kUser));
        EXPECT_EQ(Stored("UserPass"), std::optional<std::string>(c.password));
    } else {
        EXPECT_EQ(Stored("UserName"), std::nullopt);
        EXPECT_EQ(Stored("UserPass"), std::nullopt);
    }
}

INSTANTIATE_TEST_SUITE_P(Table, RememberedUserTest, ::testing::ValuesIn(kRememberedCases),
                         [](const ::testing::TestParamInfo<RememberedCase>& info) { return info.param.name; });

TEST_F(UploadLoginTest, ForcedLogInAsksTheServerAgain)
{
    StartLoggedIn();
    const size_t before = CheckLogins();
    EXPECT_TRUE(Doc()->ValidateUploadLogin(0));
    EXPECT_EQ(CheckLogins(), before);
    EXPECT_TRUE(Doc()->ValidateUploadLogin(1));
    EXPECT_EQ(CheckLogins(), before + 1);
    // A refusal on the forced round logs the operator out.
    Backend("fault\tCheckLogin\trefuse");
    Gui().Expect("").Press(IDOK);
    EXPECT_FALSE(Doc()->ValidateUploadLogin(1));
    EXPECT_FALSE(Doc()->m_bLoggedIn);
}

TEST_F(UploadLoginTest, MainFrameAsksTheDocument)
{
    StartWithServer();
    RememberedUploadUser = kUser;
    RememberedUploadPassword = kPassword;
    EXPECT_TRUE(Frame()->EnsureServerLogin(0));
    EXPECT_TRUE(Doc()->m_bLoggedIn);
}

// ---------------------------------------------------------------------------
// Through the dialog.

TEST_F(UploadLoginTest, DialogShowsTheStoredUserAndTicksRememberWithAPassword)
{
    WriteProfile(kSection, "UserName", kUser);
    WriteProfile(kSection, "UserPass", kPassword);
    StartWithServer();
    // OK on what the dialog shows: the stored user, and "记住密码" ticked.
    auto& dialog = Gui().Expect(kDialog).Press(IDOK);
    EXPECT_TRUE(Doc()->ValidateUploadLogin(0));
    EXPECT_TRUE(dialog.Seen());
    EXPECT_EQ(std::string(RememberedUploadUser), kUser);
    EXPECT_EQ(std::string(RememberedUploadPassword), kPassword);
    EXPECT_EQ(Stored("UserPass"), std::optional<std::string>(kPassword));
}

TEST_F(UploadLoginTest, DialogWithoutStoredPasswordLeavesRememberUnticked)
{
    WriteProfile(kSection, "UserName", kUser);
    StartWithServer();
    auto& dialog = Gui().Expect(kDialog).SetText(IDC_UPLOAD_PASSWORD, kPassword).Press(IDOK);
    EXPECT_TRUE(Doc()->ValidateUploadLogin(0));
    EXPECT_TRUE(dialog.Seen());
    // Passed, but nothing remembered in the profile: the box was not ticked.
    EXPECT_EQ(Stored("UserPass"), std::nullopt);
    EXPECT_EQ(std::string(RememberedUploadUser), kUser);
}

TEST_F(UploadLoginTest, DialogWithRememberTickedWritesTheProfile)
{
    StartWithServer();
    Gui()
        .Expect(kDialog)
        .SetText(IDC_UPLOAD_USER, "编目员")
        .SetText(IDC_UPLOAD_PASSWORD, "图片库")
        .Check(IDC_UPLOAD_REMEMBER)
        .Press(IDOK);
    EXPECT_TRUE(Doc()->ValidateUploadLogin(0));
    EXPECT_EQ(Stored("UserName"), std::optional<std::string>("编目员"));
    EXPECT_EQ(Stored("UserPass"), std::optional<std::string>("图片库"));
}

TEST_F(UploadLoginTest, RefusedDialogLogInKeepsNothing)
{
    StartWithServer();
    Gui().Expect(kDialog).SetText(IDC_UPLOAD_USER, kUser).SetText(IDC_UPLOAD_PASSWORD, "wrong").Check(
        IDC_UPLOAD_REMEMBER).Press(IDOK);
    auto& message = Gui().Expect("").Press(IDOK);
    EXPECT_FALSE(Doc()->ValidateUploadLogin(0));
    EXPECT_TRUE(message.HasText(kRefused));
    EXPECT_FALSE(Doc()->m_bLoggedIn);
    EXPECT_TRUE(RememberedUploadUser.IsEmpty());
    EXPECT_EQ(Stored("UserName"), std::nullopt);
}

TEST_F(UploadLoginTest, CancelledDialogAsksNobody)
{
    StartWithServer();
    const size_t before = Requests().size();
    Gui().Expect(kDialog).Press(IDCANCEL);
    EXPECT_FALSE(Doc()->ValidateUploadLogin(0));
    EXPECT_EQ(Requests().size(), before);
}

}  // namespace
}  // namespace uploadtest

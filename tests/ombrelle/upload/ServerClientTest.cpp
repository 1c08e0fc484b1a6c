// The server client against the back-end stand-in: what each verb sends,
// how replies are judged, the time-out round, a closed port and the posting
// of asset records.
#include "BackendFixture.h"

#include "GuiDriver.h"
#include "HttpXMlProcess.h"
#include "Network.h"
#include "OmbrelleDoc.h"
#include "ServerSession.h"
#include "TempDir.h"
#include "WindowText.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <functional>
#include <ostream>

namespace uploadtest {
namespace {

using testsupport::Gui;

// A record as the client writes them: declared GB2312, Chinese text, CR LF.
const char kRecord[] =
    "<?xml version=\"1.0\" encoding=\"GB2312\" standalone=\"no\"?>\t\r\n\r\n"
    "<Asset>\r\n\t<Title>长城&amp;故宫</Title>\r\n\t<Note>第一行\r\n第二行</Note>\r\n</Asset>\r\n";

class ServerClientTest : public BackendFixture {
protected:
    void SetUp() override
    {
        BackendFixture::SetUp();
        StartLoggedIn();
        if (HasFatalFailure())
            return;
        m_client.SetServerUrl(Servlet().c_str());
        m_recordPath = m_files.File("00001_0000001000_ImageInfo.xml");
        ASSERT_TRUE(testsupport::WriteFileBytes(m_recordPath, kRecord));
        m_mark = Requests().size();
    }

    size_t Count(const std::vector<std::string>& verbs, const std::string& verb)
    {
        return size_t(std::count(verbs.begin(), verbs.end(), verb));
    }

    CHttpXMlProcess m_client;
    std::string m_recordPath;
    size_t m_mark = 0;
};

// ---------------------------------------------------------------------------
// What each verb sends.

struct RequestCase {
    const char* name;
    std::function<void(CHttpXMlProcess&, const std::string& record)> call;
    const char* method;
    const char* query;
};

void PrintTo(const RequestCase& c, std::ostream* os) { *os << c.name; }

const RequestCase kRequestCases[] = {
    {"GetStorageLocation", [](CHttpXMlProcess& client, const std::string&) { client.GetStorageLocation(2.5); },
     "GET", "?verb=GetStorageLocation&Cate=-9999999&FileSize=2.500000"},
    {"AssetMetaDataStruct",
     [](CHttpXMlProcess& client, const std::string&) {
         int status = -1;
         client.QueryAssetMetaDataStruct(status);
     },
     "GET", "?verb=AssetMetaDataStruct&Cate=-9999999"},
    {"EmunAllAssetType", [](CHttpXMlProcess& client, const std::string&) { client.EmunAllAssetType(); }, "GET",
     "?verb=EmunAllAssetType"},
    {"GetNewAssetID", [](CHttpXMlProcess& client, const std::string&) { client.GetNewAssetID(3); }, "GET",
     "?verb=GetNewAssetID&Cate=-9999999&GetIdNum=3"},
    {"CheckLogin",
     [](CHttpXMlProcess& client, const std::string&) {
         int error = -1;
         client.CheckLogin("operator", "secret", error);
     },
     "GET", "?verb=CheckLogin&UserID=operator&PWD=secret"},
    {"AddAsset", [](CHttpXMlProcess& client, const std::string& record) { client.AddAsset(record.c_str()); },
     "post", "?verb=AddAsset"},
    {"TimeOutStatus", [](CHttpXMlProcess& client, const std::string&) { client.TimeOutStatus(); }, "get",
     "?verb=TimeOutStatus"},
};

class RequestTableTest : public ServerClientTest, public ::testing::WithParamInterface<RequestCase> {};

TEST_P(RequestTableTest, SendsTheMethodWordAndUrlAsTheyAre)
{
    const RequestCase& c = GetParam();
    c.call(m_client, m_recordPath);
    const std::vector<Request> requests = Requests();
    ASSERT_EQ(requests.size(), m_mark + 1);
    // The request object upper-cases the standard method words on the wire
    // under Wine; the client hands it the words as written.
    EXPECT_EQ(::lstrcmpiA(requests.back().method.c_str(), c.method), 0) << requests.back().method;
    EXPECT_EQ(requests.back().url, Servlet() + c.query);
}

INSTANTIATE_TEST_SUITE_P(Table, RequestTableTest, ::testing::ValuesIn(kRequestCases),
                         [](const ::testing::TestParamInfo<RequestCase>& info) { return info.param.name; });

TEST_F(ServerClientTest, TheChosenTypeGoesWithTheVerbsThatNameOne)
{
    CurrentCategoryId = "42";
    m_client.GetNewAssetID(1);
    const std::vector<Request> requests = Requests();
    ASSERT_EQ(requests.size(), m_mark + 1);
    EXPECT_EQ(requests.back().url, Servlet() + "?verb=GetNewAssetID&Cate=42&GetIdNum=1");
}

// User names and passwords arrive as they were typed: the stand-in knows
// the user only when both came through intact.
struct UserCase {
    const char* name;
    const char* user;
    const char* password;
    const char* query;
};

void PrintTo(const UserCase& c, std::ostream* os) { *os << c.name; }

const UserCase kUserCases[] = {
    {"Ampersand", "a&b", "p&PWD=x", "UserID=a%26b&PWD=p%26PWD%3Dx"},
    {"Hash", "no#1", "#", "UserID=no%231&PWD=%23"},
    {"Percent", "100%", "%41", "UserID=100%25&PWD=%2541"},
    {"Plus", "a+b", "+", "UserID=a%2Bb&PWD=%2B"},
    {"Blank", "first last", " x ", "UserID=first%20last&PWD=%20x%20"},
    {"Chinese", "编目员", "图片库", "UserID=%B1%E0%C4%BF%D4%B1&PWD=%CD%BC%C6%AC%BF%E2"},
};

class UserTableTest : public ServerClientTest, public ::testing::WithParamInterface<UserCase> {};

TEST_P(UserTableTest, ReachesTheServerIntact)
{
    const UserCase& c = GetParam();
    Backend(std::string("user\t") + c.user + "\t" + c.password);
    int error = -1;
    EXPECT_TRUE(m_client.CheckLogin(c.user, c.password, error));
    EXPECT_EQ(error, 0);
    EXPECT_EQ(Requests().back().url, Servlet() + "?verb=CheckLogin&" + c.query);
}

INSTANTIATE_TEST_SUITE_P(Table, UserTableTest, ::testing::ValuesIn(kUserCases),
                         [](const ::testing::TestParamInfo<UserCase>& info) { return info.param.name; });

// ---------------------------------------------------------------------------
// How replies are judged.

struct ReplyCase {
    const char* name;
    const char* verb;
    const char* script;    // a command for the stand-in, "%s" the verb
    const char* result;    // the text verbs' result, or "TRUE"/"FALSE"
    int verbRequests;
    int timeOutRequests;
};

void PrintTo(const ReplyCase& c, std::ostream* os) { *os << c.name; }

const ReplyCase kReplyCases[] = {
    {"IdPageWithoutSemicolonIsGood", "GetNewAssetID", "reply\t%s\t<html>错误</html>", "<html>错误</html>", 1, 0},
    {"NegativeIdIsBad", "GetNewAssetID", "reply\t%s\t-3;x", "", 1, 1},
    {"IdsAreTrimmed", "GetNewAssetID", "reply\t%s\t 7;8; ", "7;8;", 1, 0},
    {"LocationIsTrimmed", "GetStorageLocation", "reply\t%s\t\t1;host:21/a;u;p \r", "1;host:21/a;u;p", 1, 0},
    {"EmptyTypeListIsBad", "EmunAllAssetType", "reply\t%s\t  ", "", 1, 1},
    {"AddAssetRefusal", "AddAsset", "reply\t%s\t-2", "FALSE", 1, 0},
    {"AddAssetTimedOutAsksTheServer", "AddAsset", "reply\t%s\t -1 ", "FALSE", 1, 1},
    {"AddAssetZeroSucceeds", "AddAsset", "reply\t%s\t0", "TRUE", 1, 0},
    {"AddAssetTextSucceeds", "AddAsset", "reply\t%s\tabc", "TRUE", 1, 0},
    {"AddAssetEmptyFails", "AddAsset", "reply\t%s\t", "FALSE", 1, 0},
    {"AddAssetServerErrorFails", "AddAsset", "fault\t%s\thttp500", "FALSE", 2, 0},
    {"ServerErrorIsAFailedRequest", "GetNewAssetID", "fault\t%s\thttp500", "", 2, 0},
    {"SlowReplyIsWaitedFor", "GetNewAssetID", "fault\t%s\tslow\t1", "1000;", 1, 0},
    {"CheckLoginTrailingBlank", "CheckLogin", "reply\t%s\t1 ", "TRUE", 1, 0},
    {"CheckLoginLeadingZero", "CheckLogin", "reply\t%s\t01", "FALSE", 1, 0},
};

class ReplyTableTest : public ServerClientTest, public ::testing::WithParamInterface<ReplyCase> {};

std::string Call(CHttpXMlProcess& client, const std::string& verb, const std::string& record, int& error)
{
    if (verb == "GetNewAssetID")
        return std::string(client.GetNewAssetID(1));
    if (verb == "GetStorageLocation")
        return std::string(client.GetStorageLocation(1.0));
    if (verb == "EmunAllAssetType")
        return std::string(client.EmunAllAssetType());
    if (verb == "AddAsset")
        return client.AddAsset(record.c_str()) ? "TRUE" : "FALSE";
    if (verb == "CheckLogin")
        return client.CheckLogin(kUser, kPassword, error) ? "TRUE" : "FALSE";
    ADD_FAILURE() << "no call for " << verb;
    return std::string();
}

TEST_P(ReplyTableTest, JudgesTheReply)
{
    const ReplyCase& c = GetParam();
    char script[256];
    snprintf(script, sizeof script, c.script, c.verb);
    Backend(script);
    int error = -1;
    EXPECT_EQ(AnsiToUtf8(Call(m_client, c.verb, m_recordPath, error)), AnsiToUtf8(c.result));
    const std::vector<std::string> verbs = VerbsSince(m_mark);
    EXPECT_EQ(Count(verbs, c.verb), size_t(c.verbRequests));
    EXPECT_EQ(Count(verbs, "TimeOutStatus"), size_t(c.timeOutRequests));
    if (std::string(c.verb) == "CheckLogin") {
        EXPECT_EQ(error, 0);
    }
}

INSTANTIATE_TEST_SUITE_P(Table, ReplyTableTest, ::testing::ValuesIn(kReplyCases),
                         [](const ::testing::TestParamInfo<ReplyCase>& info) { return info.param.name; });

TEST_F(ServerClientTest, MetadataStatusTellsAnEmptyReply)
{
    int status = -1;
    EXPECT_FALSE(m_client.QueryAssetMetaDataStruct(status).IsEmpty());
    EXPECT_EQ(status, 0);
    Backend("fault\tAssetMetaDataStruct\tempty");
    status = -1;
    EXPECT_TRUE(m_client.QueryAssetMetaDataStruct(status).IsEmpty());
    EXPECT_EQ(status, 10);
}

TEST_F(ServerClientTest, CheckLoginCountsAServerErrorAsNoAnswer)
{
    Backend("fault\tCheckLogin\thttp500");
    int error = -1;
    EXPECT_FALSE(m_client.CheckLogin(kUser, kPassword, error));
    EXPECT_EQ(error, 100);
}

// ---------------------------------------------------------------------------
// The log-in timed out on the server.

TEST_F(ServerClientTest, TimedOutLogInIsRenewedBetweenTwoRequests)
{
    Backend("fault\tGetStorageLocation\ttimeout");
    EXPECT_TRUE(m_client.GetStorageLocation(1.0).IsEmpty());
    const std::vector<std::string> verbs = VerbsSince(m_mark);
    ASSERT_EQ(Count(verbs, "GetStorageLocation"), 2u);
    const auto first = std::find(verbs.begin(), verbs.end(), "GetStorageLocation");
    const auto second = std::find(first + 1, verbs.end(), "GetStorageLocation");
    EXPECT_EQ(std::vector<std::string>(first + 1, second), (std::vector<std::string>{"TimeOutStatus", "CheckLogin"}));
}

TEST_F(ServerClientTest, ClosedPortGivesNothingAfterTwoAttemptsWithoutAMessage)
{
    const size_t before = Requests().size();
    Backend("stop");
    EXPECT_TRUE(m_client.EmunAllAssetType().IsEmpty());
    EXPECT_TRUE(m_client.GetNewAssetID(1).IsEmpty());
    EXPECT_FALSE(m_client.AddAsset(m_recordPath.c_str()));
    EXPECT_EQ(m_client.TimeOutStatus(), "-1");
    EXPECT_EQ(Requests().size(), before);
}

// ---------------------------------------------------------------------------
// Posting the asset record.

TEST_F(ServerClientTest, MissingRecordIsToldOnceAndNothingIsSent)
{
    const std::string missing = m_files.File("no_such_ImageInfo.xml");
    auto& message = Gui().Expect("").Press(IDOK);
    EXPECT_FALSE(m_client.AddAsset(missing.c_str()));
    EXPECT_TRUE(message.Seen());
    EXPECT_TRUE(message.HasText("元数据文件：" + missing + "不存在")) << testsupport::ToUtf8(message.Caption());
    EXPECT_TRUE(VerbsSince(m_mark).empty());
}

TEST_F(ServerClientTest, RecordArrivesByteForByte)
{
    EXPECT_TRUE(m_client.AddAsset(m_recordPath.c_str()));
    const std::vector<Request> requests = Requests();
    ASSERT_EQ(requests.size(), m_mark + 1);
    EXPECT_EQ(Hex(requests.back().body), Hex(kRecord));
}

TEST_F(ServerClientTest, MalformedRecordIsNotSent)
{
    ASSERT_TRUE(testsupport::WriteFileBytes(m_recordPath, "<?xml version=\"1.0\" encoding=\"GB2312\"?>\r\n<Asset><Title>半截"));
    EXPECT_FALSE(m_client.AddAsset(m_recordPath.c_str()));
    EXPECT_TRUE(VerbsSince(m_mark).empty());
}

TEST_F(ServerClientTest, VerbsAskForTheLogInFirst)
{
    // Logged out with no remembered user: the log-in dialog comes first, and
    // cancelling it sends nothing.
    Doc()->m_bLoggedIn = FALSE;
    RememberedUploadUser.Empty();
    auto& login = Gui().Expect("身份信息提取").Press(IDCANCEL);
    EXPECT_TRUE(m_client.GetNewAssetID(1).IsEmpty());
    EXPECT_TRUE(login.Seen());
    EXPECT_TRUE(VerbsSince(m_mark).empty());
}

}  // namespace
}  // namespace uploadtest

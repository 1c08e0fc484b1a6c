// The upload's text rules: the storage location and asset id replies, the
// asset key, and the poll's table of component states.
#include "UploadRules.h"

#include <gtest/gtest.h>

namespace uploadtest {
namespace {

using namespace uploadrules;

struct LocationCase {
    const char* reply;
    int code;
    const char* host;
    const char* path;
    const char* user;
    const char* password;
};

const LocationCase kLocationCases[] = {
    {"1;127.0.0.1:2121/news/a;upload;secret", 1, "127.0.0.1:2121", "/news/a", "upload", "secret"},
    {"0;ftp.example/;u;p;q", 0, "ftp.example", "/", "u", "p;q"},  // the rest is the password
    {"2;hostonly;u;p", 2, "hostonly", "", "u", "p"},
    {"3;h/p", 3, "h", "/p", "", ""},
    {"", 0, "", "", "", ""},
    {"-4;没有空间;;", -4, "没有空间", "", "", ""},
};

TEST(UploadRulesTest, StorageLocationsSplitIntoTheirFields)
{
    for (const LocationCase& c : kLocationCases) {
        const StorageLocation location = ParseStorageLocation(c.reply);
        EXPECT_EQ(c.code, location.code) << c.reply;
        EXPECT_EQ(c.host, location.host) << c.reply;
        EXPECT_EQ(c.path, location.path) << c.reply;
        EXPECT_EQ(c.user, location.user) << c.reply;
        EXPECT_EQ(c.password, location.password) << c.reply;
    }
}

TEST(UploadRulesTest, ARefusalSaysWhatStandsBetweenTheFirstTwoSemicolons)
{
    EXPECT_EQ("空间不足", StorageErrorText("-1;空间不足;x"));
    EXPECT_EQ("no room", StorageErrorText("-2;no room"));
    EXPECT_EQ("", StorageErrorText("-3"));
}

TEST(UploadRulesTest, AnIdIsTheNumberBeforeTheFirstSemicolon)
{
    EXPECT_EQ("1000", AssetIdText("1000;"));
    EXPECT_EQ("7", AssetIdText("7;8;"));
    EXPECT_EQ("", AssetIdText("<html>错误</html>"));
    EXPECT_EQ("", AssetIdText(""));
}

TEST(UploadRulesTest, TheKeyIsTheCategoryInFiveDigitsAndTheIdInTen)
{
    EXPECT_EQ("000070000001000", AssetKey("7", "1000"));
    EXPECT_EQ("123452147483647", AssetKey("12345", "2147483647"));
    EXPECT_EQ("-99999990000000042", AssetKey("-9999999", "42"));
}

struct PollCase {
    int componentState;
    int taskState;
    PollAction action;
    int newTaskState;
};

const PollCase kPollCases[] = {
    {1, 2, PollAction::ShowState, 3},  {1, 3, PollAction::Nothing, 3},    {3, 3, PollAction::ShowState, 2},
    {3, 2, PollAction::Nothing, 2},    {-2, 2, PollAction::Fail, 4},      {-1, 3, PollAction::Remove, 3},
    {2, 2, PollAction::Remove, 2},     {0, 2, PollAction::Finish, 2},     {5, 2, PollAction::Nothing, 2},
    {-3, 3, PollAction::Nothing, 3},
};

TEST(UploadRulesTest, ThePollActsOnEachComponentStateAsItsTableSays)
{
    for (const PollCase& c : kPollCases) {
        const PollStep step = PollStepFor(c.componentState, c.taskState);
        EXPECT_EQ(c.action, step.action) << c.componentState << " from " << c.taskState;
        EXPECT_EQ(c.newTaskState, step.taskState) << c.componentState << " from " << c.taskState;
    }
}

}  // namespace
}  // namespace uploadtest

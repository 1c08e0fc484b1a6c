// The server address and asset type dialogs and the document commands that
// open them, against the back-end stand-in.
#include "BackendFixture.h"

#include "AssetTypeDlg.h"
#include "CategoryList.h"
#include "GuiDriver.h"
#include "Network.h"
#include "OmbrelleDoc.h"
#include "ServerPathDlg.h"
#include "ServerSession.h"
#include "WhenShown.h"
#include "WindowText.h"
#include "resource.h"

#include <gtest/gtest.h>

#include <ostream>
#include <vector>

namespace uploadtest {
namespace {

using testsupport::Gui;

const char kPathDialog[] = "系统路径设置";
const char kTypeDialog[] = "资产类型设置";

// ---------------------------------------------------------------------------
// Addresses derived from the server address.

struct AddressCase {
    const char* name;
    const char* server;
    const char* servlet;
    const char* registration;
    const char* accessory;
};

void PrintTo(const AddressCase& c, std::ostream* os) { *os << c.name; }

const AddressCase kAddressCases[] = {
    {"WithoutSlash", "http://h:8080", "http://h:8080/HttpRequestServlet.jsp", "http://h:8080/asps/add/Register.asp?Flag=2",
     "http://h:8080/asps/edit/Asset_Accessory_add_mod.asp?Editty=add&nAssetId=0"},
    {"WithSlash", "http://h:8080/", "http://h:8080/HttpRequestServlet.jsp", "http://h:8080/asps/add/Register.asp?Flag=2",
     "http://h:8080/asps/edit/Asset_Accessory_add_mod.asp?Editty=add&nAssetId=0"},
    {"WithFolder", "http://h/库/", "http://h/库/HttpRequestServlet.jsp", "http://h/库/asps/add/Register.asp?Flag=2",
     "http://h/库/asps/edit/Asset_Accessory_add_mod.asp?Editty=add&nAssetId=0"},
    {"SchemeOnly", "http://", "", "", ""},
    {"Empty", "", "", "", ""},
};

class AddressTest : public ::testing::TestWithParam<AddressCase> {};

TEST_P(AddressTest, FollowsTheServerAddress)
{
    const AddressCase& c = GetParam();
    CServerPathDlg dlg;
    dlg.m_strServerUrl = c.server;
    EXPECT_EQ(std::string(dlg.GetServletUrl()), c.servlet);
    EXPECT_EQ(std::string(dlg.GetRegisterUrl()), c.registration);
    EXPECT_EQ(std::string(dlg.GetAccessoryUrl()), c.accessory);
}

INSTANTIATE_TEST_SUITE_P(Table, AddressTest, ::testing::ValuesIn(kAddressCases),
                         [](const ::testing::TestParamInfo<AddressCase>& info) { return info.param.name; });

// ---------------------------------------------------------------------------
// The server's type list.

struct ListCase {
    const char* name;
    const char* xml;
    bool parsed;
    std::vector<std::pair<int, std::string>> records;
};

void PrintTo(const ListCase& c, std::ostream* os) { *os << c.name; }

const ListCase kListCases[] = {
    {"LowerAndUpperSpellings",
     "<?xml version=\"1.0\" encoding=\"GB2312\"?><Categories><Category id=\"1\" name=\"新闻\"/>"
     "<Category ID=\"22\" Name=\"历史\"/><Category id=\"3\" ID=\"9\" name=\"a\" Name=\"b\"/></Categories>",
     true,
     {{1, "新闻"}, {22, "历史"}, {3, "a"}}},
    {"WithoutNameIsEmpty", "<Categories><Category id=\"-4\"/></Categories>", true, {{-4, ""}}},
    {"WithoutIdIsSkipped", "<Categories><Category name=\"无编号\"/><Category id=\"5\" name=\"有\"/></Categories>", true,
     {{5, "有"}}},
    {"NoCategory", "<Categories/>", true, {}},
    {"OtherRoot", "<Types><Category id=\"1\" name=\"x\"/></Types>", true, {}},
    {"NotXml", "<Categories><Category id=\"1\"", false, {}},
};

class CategoryListTest : public ::testing::TestWithParam<ListCase> {};

TEST_P(CategoryListTest, ReadsTheCategories)
{
    const ListCase& c = GetParam();
    ASSERT_EQ(S_OK, ::CoInitialize(nullptr));
    CCategoryList list;
    EXPECT_EQ(CategoryListXml(c.xml, list), c.parsed);
    std::vector<std::pair<int, std::string>> records;
    for (const CategoryRecord& record : list)
        records.emplace_back(record.id, std::string(record.name));
    EXPECT_EQ(records, c.records);
    ::CoUninitialize();
}

INSTANTIATE_TEST_SUITE_P(Table, CategoryListTest, ::testing::ValuesIn(kListCases),
                         [](const ::testing::TestParamInfo<ListCase>& info) { return info.param.name; });

// ---------------------------------------------------------------------------
// The server address command.

class ServerDialogsTest : public BackendFixture {
protected:
    size_t TypeRequests()
    {
        size_t count = 0;
        for (const Request& request : Requests())
            count += request.Verb() == "EmunAllAssetType";
        return count;
    }

    void ChooseType() { EXPECT_TRUE(Doc()->OnCmdMsg(ID_CHOOSE_ASSET_TYPE, CN_COMMAND, nullptr, nullptr)); }
};

TEST_F(ServerDialogsTest, ServerAddressCommandStoresTheDerivedAddresses)
{
    Start();
    auto& dialog = Gui().Expect(kPathDialog).SetText(IDC_SERVER_PATH_URL, "http://srv:9090").Press(IDOK);
    EXPECT_TRUE(Doc()->OnCmdMsg(ID_SERVER_ADDRESS, CN_COMMAND, nullptr, nullptr));
    EXPECT_TRUE(dialog.Seen());
    EXPECT_EQ(std::string(Doc()->m_strBaseServerUrl), "http://srv:9090");
    EXPECT_EQ(std::string(Doc()->m_strServletUrl), "http://srv:9090/HttpRequestServlet.jsp");
    EXPECT_EQ(std::string(Doc()->m_strServerUrl), "http://srv:9090/HttpRequestServlet.jsp");
    EXPECT_EQ(std::string(Doc()->m_strRegisterUrl), "http://srv:9090/asps/add/Register.asp?Flag=2");
    EXPECT_EQ(std::string(Doc()->m_strAccessoryUrl),
              "http://srv:9090/asps/edit/Asset_Accessory_add_mod.asp?Editty=add&nAssetId=0");
}

TEST_F(ServerDialogsTest, ServerAddressOffersOurHostWhenNoneIsStored)
{
    Start();
    Gui().Expect(kPathDialog).Press(IDOK);
    Doc()->EditServerAddress();
    EXPECT_EQ(std::string(Doc()->m_strBaseServerUrl), "http://" OMBRELLE_DEFAULT_SERVER_HOST ":8080");
}

TEST_F(ServerDialogsTest, CancelledServerAddressKeepsTheStoredOnes)
{
    StartWithServer();
    Gui().Expect(kPathDialog).SetText(IDC_SERVER_PATH_URL, "http://other").Press(IDCANCEL);
    Doc()->EditServerAddress();
    EXPECT_EQ(std::string(Doc()->m_strBaseServerUrl), ServerAddress());
    EXPECT_EQ(std::string(Doc()->m_strServletUrl), Servlet());
}

// ---------------------------------------------------------------------------
// The asset type command.

TEST_F(ServerDialogsTest, ChosenTypeBecomesTheCurrentCategory)
{
    StartLoggedIn();
    Gui().Expect(kTypeDialog).SelectItem(IDC_ASSET_TYPE_COMBO, "广告&设计").Press(IDOK);
    ChooseType();
    EXPECT_EQ(std::string(CurrentCategoryId), "3");
    EXPECT_EQ(Doc()->m_nAssetTypeIndex, 2);
    EXPECT_EQ(std::string(Doc()->m_strServerUrl), Servlet());
}

TEST_F(ServerDialogsTest, TheListShowsTheServersTypesWithTheRememberedOneSelected)
{
    StartLoggedIn();
    Doc()->m_nAssetTypeIndex = 1;
    std::vector<std::string> items;
    std::string selected;
    testsupport::WhenShown dialog(kTypeDialog, [&](HWND window) {
        HWND combo = ::GetDlgItem(window, IDC_ASSET_TYPE_COMBO);
        const int count = int(::SendMessageA(combo, CB_GETCOUNT, 0, 0));
        for (int i = 0; i < count; ++i) {
            char text[256] = "";
            ::SendMessageA(combo, CB_GETLBTEXT, WPARAM(i), LPARAM(text));
            items.push_back(text);
        }
        selected = testsupport::WindowText(combo);
        testsupport::Click(window, IDCANCEL);
    });
    ChooseType();
    EXPECT_TRUE(dialog.Done());
    EXPECT_EQ(items, (std::vector<std::string>{"新闻图片", "历史照片", "广告&设计", "人物肖像"}));
    EXPECT_EQ(selected, "历史照片");
    // Cancelled: no type chosen.
    EXPECT_EQ(std::string(CurrentCategoryId), "-9999999");
}

TEST_F(ServerDialogsTest, OkStaysOffWhileNoTypeIsChosen)
{
    StartLoggedIn();
    Backend("reply\tEmunAllAssetType\t<Categories></Categories>");
    bool okEnabled = true;
    int count = -1;
    testsupport::WhenShown dialog(kTypeDialog, [&](HWND window) {
        okEnabled = ::IsWindowEnabled(::GetDlgItem(window, IDOK)) != FALSE;
        count = int(::SendDlgItemMessageA(window, IDC_ASSET_TYPE_COMBO, CB_GETCOUNT, 0, 0));
        // Enter presses the default button: refused while nothing is chosen.
        ::SendMessageA(window, WM_COMMAND, IDOK, 0);
        testsupport::Click(window, IDCANCEL);
    });
    ChooseType();
    EXPECT_TRUE(dialog.Done());
    EXPECT_FALSE(okEnabled);
    EXPECT_EQ(count, 0);
    EXPECT_EQ(std::string(CurrentCategoryId), "-9999999");
}

TEST_F(ServerDialogsTest, TwoOpeningsWithOneAddressAskOnceAndANewAddressAsksAgain)
{
    StartLoggedIn();
    const size_t before = TypeRequests();
    Gui().Expect(kTypeDialog).Press(IDCANCEL);
    ChooseType();
    Gui().Expect(kTypeDialog).Press(IDCANCEL);
    ChooseType();
    EXPECT_EQ(TypeRequests(), before + 1);

    // Another servlet on the same stand-in (it answers any path), with its own list.
    Backend("reply\tEmunAllAssetType\t<Categories><Category id=\"8\" name=\"新库\"/></Categories>");
    Doc()->m_strServletUrl = (ServerAddress() + "/other/HttpRequestServlet.jsp").c_str();
    Gui().Expect(kTypeDialog).SelectItem(IDC_ASSET_TYPE_COMBO, "新库").Press(IDOK);
    ChooseType();
    EXPECT_EQ(TypeRequests(), before + 2);
    EXPECT_EQ(std::string(CurrentCategoryId), "8");
}

TEST_F(ServerDialogsTest, WithoutServerAddressAsksForOne)
{
    Start();
    auto& message = Gui().Expect("").Press(IDOK);
    ChooseType();
    EXPECT_TRUE(message.HasText("请先选择后台服务器地址"));
}

TEST_F(ServerDialogsTest, WithoutServletAddressSaysSoAndThatTheListFailed)
{
    StartWithServer();
    Doc()->m_strServletUrl.Empty();
    auto& noServlet = Gui().Expect("").Press(IDOK);
    auto& failed = Gui().Expect("").Press(IDOK);
    ChooseType();
    EXPECT_TRUE(noServlet.HasText("请设置后台服务器路径"));
    EXPECT_TRUE(failed.HasText("不能连接到后台管理库，请重新尝试连接或退出"));
}

TEST_F(ServerDialogsTest, ClosedPortSaysTheListCannotBeHad)
{
    StartLoggedIn();
    Backend("stop");
    auto& failed = Gui().Expect("").Press(IDOK);
    ChooseType();
    EXPECT_TRUE(failed.HasText("不能连接到后台管理库，请重新尝试连接或退出"));
    // The failed fetch left no client: the next opening asks again.
    EXPECT_EQ(Doc()->m_pAssetTypeClient, nullptr);
}

TEST_F(ServerDialogsTest, NoLogInMeansNoList)
{
    StartWithServer();
    Doc()->m_strServerUrl = ("http://127.0.0.1:" + std::to_string(testsupport::FreeTcpPort()) + "/").c_str();
    RememberedUploadUser = kUser;
    RememberedUploadPassword = kPassword;
    auto& cannotConnect = Gui().Expect("").Press(IDOK);
    auto& failed = Gui().Expect("").Press(IDOK);
    ChooseType();
    EXPECT_TRUE(cannotConnect.HasText("不能连接到服务器，无法验证登录信息"));
    EXPECT_TRUE(failed.HasText("不能连接到后台管理库，请重新尝试连接或退出"));
}

}  // namespace
}  // namespace uploadtest

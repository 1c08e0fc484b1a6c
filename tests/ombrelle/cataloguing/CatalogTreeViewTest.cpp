// The catalogue tree built from the back-end stand-in's category structure:
// its shape, the check marks and the ids they give, and the document's cache.
#include "BackendFixture.h"
#include "RefusingFactory.h"

#include "CatalogTreeView.h"
#include "GuiDriver.h"
#include "XmlReading.h"
#include "Network.h"
#include "OmbrelleApp.h"
#include "OmbrelleDoc.h"
#include "ProgramFolder.h"
#include "ServerSession.h"
#include "resource.h"

#include <gtest/gtest.h>

#include <functional>
#include <ostream>
#include <string>

namespace uploadtest {
namespace {

using testsupport::Gui;

int StateImage(CTreeCtrl& tree, HTREEITEM item) { return int(tree.GetItemState(item, TVIS_STATEIMAGEMASK) >> 12); }

// The tree in pre-order, one line per item: indent, text, item data, state image.
std::string Dump(CCatalogTreeView& view)
{
    CTreeCtrl& tree = view.GetTreeCtrl();
    std::string dump;
    for (HTREEITEM item = tree.GetRootItem(); item != NULL; item = view.NextTreeItem(item)) {
        int depth = 0;
        for (HTREEITEM parent = tree.GetParentItem(item); parent != NULL; parent = tree.GetParentItem(parent))
            ++depth;
        dump += std::string(size_t(depth), ' ') + std::string(tree.GetItemText(item)) + " " +
                std::to_string(int(tree.GetItemData(item))) + " " + std::to_string(StateImage(tree, item)) + "\n";
    }
    return dump;
}

HTREEITEM FindItem(CCatalogTreeView& view, const std::string& text)
{
    CTreeCtrl& tree = view.GetTreeCtrl();
    for (HTREEITEM item = tree.GetRootItem(); item != NULL; item = view.NextTreeItem(item))
        if (std::string(tree.GetItemText(item)) == text)
            return item;
    ADD_FAILURE() << "no item " << text;
    return NULL;
}

class CatalogTreeTest : public BackendFixture {
protected:
    void TearDown() override
    {
        CloseTree();
        BackendFixture::TearDown();
    }

    // The view in a frame of its own with the client's document, as the
    // cataloguing frame makes it; NULL when its creation failed.
    CCatalogTreeView* OpenTree(const std::function<void()>& beforeInitialUpdate = nullptr)
    {
        CloseTree();
        m_frame = new CFrameWnd;
        if (!m_frame->Create(NULL, "编目", WS_OVERLAPPEDWINDOW | WS_VISIBLE, CRect(20, 20, 420, 520))) {
            ADD_FAILURE() << "no test frame";
            return nullptr;
        }
        CCreateContext context;
        context.m_pCurrentDoc = Doc();
        context.m_pNewViewClass = RUNTIME_CLASS(CCatalogTreeView);
        CWnd* view = m_frame->CreateView(&context);
        if (view == nullptr)
            return nullptr;
        m_frame->RecalcLayout();
        CCatalogTreeView* tree = static_cast<CCatalogTreeView*>(view);
        if (beforeInitialUpdate)
            beforeInitialUpdate();
        tree->OnInitialUpdate();
        Pump();
        return tree;
    }

    void CloseTree()
    {
        if (m_frame != nullptr && m_frame->GetSafeHwnd() != NULL)
            m_frame->DestroyWindow();
        m_frame = nullptr;
        Pump();
    }

    size_t StructureRequests()
    {
        size_t count = 0;
        for (const Request& request : Requests())
            count += request.Verb() == "AssetMetaDataStruct";
        return count;
    }

    void ReplyStructure(const std::string& xml) { Backend("reply\tAssetMetaDataStruct\t" + xml); }

    // Logged in, the stand-in answering with the structure, the tree opened.
    CCatalogTreeView* OpenTreeOf(const std::string& xml)
    {
        StartLoggedIn();
        if (HasFatalFailure())
            return nullptr;
        ReplyStructure(xml);
        return OpenTree();
    }

    CFrameWnd* m_frame = nullptr;
};

TEST_F(CatalogTreeTest, ShowsTheServersFoldersUncheckedUnderTheRoot)
{
    StartLoggedIn();
    CCatalogTreeView* view = OpenTree();
    ASSERT_NE(view, nullptr);
    EXPECT_EQ(Dump(*view),
              "所有资产分类 0 0\n"
              " 公共分类 100 2\n"
              "  国内 101 2\n"
              "   北京 103 2\n"
              "  国际 102 2\n"
              " 题材 200 2\n"
              "  风景 201 2\n"
              "  建筑 202 2\n"
              " 年代 300 2\n"
              "  1949年以前 301 2\n"
              "  1949年以后 302 2\n");
    const COmbrelleApp* app = static_cast<COmbrelleApp*>(AfxGetApp());
    EXPECT_EQ(app->m_strAssetMetaDataStruct, Doc()->m_strCategoryStructure);
    EXPECT_NE(Doc()->m_strCategoryStructure.Find("<Category>"), -1);
    EXPECT_EQ(std::string(app->m_strDataFolder), std::string(GetProgramFolder()) + "temp");
    EXPECT_EQ(view->GetCheckedIds(), "");
}

struct ShapeCase {
    const char* name;
    const char* xml;
    const char* tree;  // below the root line
};

void PrintTo(const ShapeCase& c, std::ostream* os) { *os << c.name; }

const ShapeCase kShapes[] = {
    {"PublicFolderWithTwoChildren",
     "<Category><PublicFolder id=\"1\" FatherId=\"-1\" name=\"公共\"><folder ID=\"2\" FatherId=\"1\" name=\"甲\"/>"
     "<folder ID=\"3\" FatherId=\"1\" name=\"乙\"/></PublicFolder></Category>",
     " 公共 1 2\n  甲 2 2\n  乙 3 2\n"},
    {"EqualIdsInTwoGroupsStayInTheirOwnGroup",
     "<Category><CatalogFolder id=\"10\" FatherId=\"-1\" name=\"甲组\"><folder ID=\"5\" FatherId=\"10\" name=\"甲五\"/>"
     "</CatalogFolder><CatalogFolder ID=\"20\" FatherId=\"-1\" name=\"乙组\"><folder ID=\"21\" FatherId=\"20\" name=\"乙一\"/>"
     "<folder ID=\"5\" FatherId=\"21\" name=\"乙五\"/><folder ID=\"6\" FatherId=\"5\" name=\"乙六\"/></CatalogFolder></Category>",
     " 甲组 10 2\n  甲五 5 2\n 乙组 20 2\n  乙一 21 2\n   乙五 5 2\n    乙六 6 2\n"},
    {"FolderWithoutItsParentIsNotShown",
     "<Category><CatalogFolder id=\"1\" FatherId=\"-1\" name=\"组\"><folder ID=\"2\" FatherId=\"99\" name=\"孤\"/>"
     "<folder ID=\"3\" FatherId=\"1\" name=\"在\"/></CatalogFolder></Category>",
     " 组 1 2\n  在 3 2\n"},
    {"PublicFolderComesFirstWhereverItStands",
     "<Category><CatalogFolder id=\"7\" FatherId=\"-1\" name=\"后\"/><PublicFolder ID=\"8\" FatherId=\"-1\" name=\"先\"/></Category>",
     " 先 8 2\n 后 7 2\n"},
    {"OtherRootShowsOnlyTheRoot",
     "<Catalog><PublicFolder id=\"1\" FatherId=\"-1\" name=\"公共\"/></Catalog>", ""},
    {"IdWithoutLeadingDigitsIsZero",
     "<Category><CatalogFolder id=\"x1\" FatherId=\"-1\" name=\"无号\"><folder ID=\"12ab\" FatherId=\"x1\" name=\"半号\"/>"
     "</CatalogFolder></Category>",
     " 无号 0 2\n  半号 12 2\n"},
    {"IdsBeyondIntStopAtItsEnds",
     "<Category><CatalogFolder id=\"99999999999\" FatherId=\"-1\" name=\"大\"><folder ID=\"-99999999999\" "
     "FatherId=\"99999999999\" name=\"小\"/></CatalogFolder></Category>",
     " 大 2147483647 2\n  小 -2147483648 2\n"},
    {"IncompleteElementsAreSkippedWithTheirFolders",
     "<Category><CatalogFolder FatherId=\"-1\" name=\"无编号\"><folder ID=\"2\" FatherId=\"1\" name=\"随之\"/></CatalogFolder>"
     "<CatalogFolder id=\"3\" name=\"无父\"><folder ID=\"4\" FatherId=\"3\" name=\"随之\"/></CatalogFolder>"
     "<CatalogFolder id=\"5\" FatherId=\"-1\"><folder ID=\"6\" FatherId=\"5\" name=\"随之\"/></CatalogFolder>"
     "<CatalogFolder id=\"7\" FatherId=\"-1\" name=\"全\"><folder id=\"8\" FatherId=\"7\" name=\"小写编号\"/>"
     "<folder ID=\"9\" name=\"无父\"/><folder ID=\"10\" FatherId=\"7\"/><folder ID=\"11\" FatherId=\"7\" name=\"\"/>"
     "</CatalogFolder></Category>",
     " 全 7 2\n   11 2\n"},
    {"FolderThatIsItsOwnParentEndsTheBranch",
     "<Category><CatalogFolder id=\"1\" FatherId=\"-1\" name=\"组\"><folder ID=\"2\" FatherId=\"1\" name=\"二\"/>"
     "<folder ID=\"1\" FatherId=\"2\" name=\"回\"/><folder ID=\"2\" FatherId=\"2\" name=\"自\"/></CatalogFolder></Category>",
     " 组 1 2\n  二 2 2\n   回 1 2\n   自 2 2\n    回 1 2\n"},
    {"DeclaredGb2312WithChineseNames",
     "<?xml version=\"1.0\" encoding=\"GB2312\"?><Category><PublicFolder id=\"1\" FatherId=\"-1\" name=\"鑫淼犇&amp;龘\"/>"
     "</Category>",
     " 鑫淼犇&龘 1 2\n"},
};

class CatalogTreeShapeTest : public CatalogTreeTest, public ::testing::WithParamInterface<ShapeCase> {};

TEST_P(CatalogTreeShapeTest, BuildsTheTree)
{
    CCatalogTreeView* view = OpenTreeOf(GetParam().xml);
    ASSERT_NE(view, nullptr);
    EXPECT_EQ(Dump(*view), std::string("所有资产分类 0 0\n") + GetParam().tree);
}

INSTANTIATE_TEST_SUITE_P(Table, CatalogTreeShapeTest, ::testing::ValuesIn(kShapes),
                         [](const ::testing::TestParamInfo<ShapeCase>& info) { return info.param.name; });

TEST_F(CatalogTreeTest, TextsThatNeverParseLeaveTheRootAloneAndNoFile)
{
    StartLoggedIn();
    const std::string fallback = std::string(GetProgramFolder()) + "temp\\assetmetainfo.xml";
    for (const char* text : {"<Category><PublicFolder id=\"1\"", "not xml at all", "<?xml version=\"1.0\"?>"}) {
        // A new servlet address each time: the cached text would be kept otherwise.
        Doc()->m_strServerUrl =
            (ServerAddress() + "/p" + std::to_string(StructureRequests()) + "/HttpRequestServlet.jsp").c_str();
        ReplyStructure(text);
        CCatalogTreeView* view = OpenTree();
        ASSERT_NE(view, nullptr) << text;
        EXPECT_EQ(Dump(*view), "所有资产分类 0 0\n") << text;
        EXPECT_EQ(::GetFileAttributesA(fallback.c_str()), INVALID_FILE_ATTRIBUTES) << text;
    }
    // Nothing was written beside the program or in the current folder either.
    EXPECT_EQ(::GetFileAttributesA((std::string(GetProgramFolder()) + "assetmetainfo.xml").c_str()),
              INVALID_FILE_ATTRIBUTES);
    EXPECT_EQ(::GetFileAttributesA("assetmetainfo.xml"), INVALID_FILE_ATTRIBUTES);
}

TEST_F(CatalogTreeTest, WithoutADomDocumentBothMessagesComeAndOnlyTheRootStays)
{
    StartLoggedIn();
    RefusingFactory factory;
    DWORD cookie = 0;
    auto& warning = Gui().Expect("Warning").Press(IDOK);
    auto& details = Gui().Expect("Error Info").Press(IDOK);
    CCatalogTreeView* view = OpenTree([&] {
        ASSERT_EQ(::CoRegisterClassObject(CLSID_OmbrelleDomDocument, &factory, CLSCTX_INPROC_SERVER,
                                          REGCLS_MULTIPLEUSE, &cookie),
                  S_OK);
    });
    if (cookie != 0)
        ::CoRevokeClassObject(cookie);
    ASSERT_NE(view, nullptr);
    EXPECT_TRUE(warning.HasText("资产元数据xml语法错误"));
    ASSERT_EQ(details.Texts().empty(), false);
    bool found = false;
    for (const std::string& text : details.Texts())
        found = found || text.rfind("Code = 8007000e,Code meaning = ", 0) == 0;
    EXPECT_TRUE(found);
    EXPECT_EQ(Dump(*view), "所有资产分类 0 0\n");
}

// ---------------------------------------------------------------------------
// Check marks and ids.

const char kIdsStructure[] =
    "<Category><CatalogFolder id=\"12\" FatherId=\"-1\" name=\"十二\"><folder ID=\"7\" FatherId=\"12\" name=\"七\"/>"
    "<folder ID=\"abc\" FatherId=\"12\" name=\"字母\"/><folder ID=\"30\" FatherId=\"7\" name=\"三十\"/>"
    "</CatalogFolder></Category>";

TEST_F(CatalogTreeTest, CheckedIdsAreJoinedInTreeOrder)
{
    CCatalogTreeView* view = OpenTreeOf(kIdsStructure);
    ASSERT_NE(view, nullptr);
    CTreeCtrl& tree = view->GetTreeCtrl();
    EXPECT_EQ(view->GetCheckedIds(), "");
    tree.SetItemState(FindItem(*view, "七"), INDEXTOSTATEIMAGEMASK(1), TVIS_STATEIMAGEMASK);
    tree.SetItemState(FindItem(*view, "十二"), INDEXTOSTATEIMAGEMASK(1), TVIS_STATEIMAGEMASK);
    EXPECT_EQ(view->GetCheckedIds(), "12;7");
    tree.SetItemState(FindItem(*view, "字母"), INDEXTOSTATEIMAGEMASK(1), TVIS_STATEIMAGEMASK);
    EXPECT_EQ(view->GetCheckedIds(), "12;7;0");
}

TEST_F(CatalogTreeTest, SetCheckedIdsChecksExactlyTheListedOnes)
{
    CCatalogTreeView* view = OpenTreeOf(kIdsStructure);
    ASSERT_NE(view, nullptr);
    // The list and the ids it checks, in tree order.
    const std::pair<const char*, const char*> cases[] = {
        {"30;12", "12;30"}, {"7", "7"}, {"", ""}, {"0;30", "30;0"}, {"1;3;127;07", ""}, {";;7;", "7"},
    };
    for (const auto& c : cases) {
        view->SetCheckedIds(c.first);
        EXPECT_EQ(std::string(view->GetCheckedIds()), c.second) << c.first;
    }
    // The root has no state image and keeps none.
    EXPECT_EQ(StateImage(view->GetTreeCtrl(), view->GetTreeCtrl().GetRootItem()), 0);
}

TEST_F(CatalogTreeTest, ClickOnTheStateIconTogglesOnlyThatItem)
{
    CCatalogTreeView* view = OpenTreeOf(kIdsStructure);
    ASSERT_NE(view, nullptr);
    CTreeCtrl& tree = view->GetTreeCtrl();
    tree.Expand(tree.GetRootItem(), TVE_EXPAND);
    tree.Expand(FindItem(*view, "十二"), TVE_EXPAND);
    HTREEITEM seven = FindItem(*view, "七");
    tree.Expand(seven, TVE_EXPAND);
    Pump();
    CRect label;
    ASSERT_TRUE(tree.GetItemRect(seven, &label, TRUE));
    auto click = [&](CPoint point) {
        // The tree reads the place of the click from the message, as a person's click gives it.
        CPoint screen = point;
        tree.ClientToScreen(&screen);
        ::SetCursorPos(screen.x, screen.y);
        tree.PostMessage(WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(point.x, point.y));
        tree.PostMessage(WM_LBUTTONUP, 0, MAKELPARAM(point.x, point.y));
        Pump();
    };
    const CPoint icon(label.left - 7, label.CenterPoint().y);
    click(icon);
    EXPECT_EQ(view->GetCheckedIds(), "7");
    // Its parent and child stay as they were.
    EXPECT_EQ(StateImage(tree, FindItem(*view, "十二")), 2);
    EXPECT_EQ(StateImage(tree, FindItem(*view, "三十")), 2);
    click(CPoint(label.CenterPoint()));
    EXPECT_EQ(view->GetCheckedIds(), "7");
    click(icon);
    EXPECT_EQ(view->GetCheckedIds(), "");
}

TEST_F(CatalogTreeTest, ExpandingClearsTheHighlightAndKeepsTheChecks)
{
    CCatalogTreeView* view = OpenTreeOf(kIdsStructure);
    ASSERT_NE(view, nullptr);
    CTreeCtrl& tree = view->GetTreeCtrl();
    view->SetCheckedIds("7");
    tree.Expand(tree.GetRootItem(), TVE_EXPAND);
    HTREEITEM top = FindItem(*view, "十二");
    tree.SelectItem(top);
    ASSERT_NE(tree.GetItemState(top, TVIS_SELECTED) & TVIS_SELECTED, 0u);
    // The keyboard's expand, which tells the view as a person's does.
    tree.SendMessage(WM_KEYDOWN, VK_ADD, 0);
    Pump();
    EXPECT_NE(tree.GetItemState(top, TVIS_EXPANDED) & TVIS_EXPANDED, 0u);
    EXPECT_EQ(tree.GetItemState(top, TVIS_SELECTED) & TVIS_SELECTED, 0u);
    EXPECT_EQ(view->GetCheckedIds(), "7");
}

// ---------------------------------------------------------------------------
// The groups' check.

const char kGroupsStructure[] =
    "<Category><PublicFolder id=\"1\" FatherId=\"-1\" name=\"公共\"><folder ID=\"2\" FatherId=\"1\" name=\"公共子\"/>"
    "</PublicFolder><CatalogFolder id=\"10\" FatherId=\"-1\" name=\"题材\"><folder ID=\"11\" FatherId=\"10\" name=\"风景\"/>"
    "</CatalogFolder><CatalogFolder id=\"20\" FatherId=\"-1\" name=\"年代\"><folder ID=\"21\" FatherId=\"20\" name=\"近代\"/>"
    "</CatalogFolder></Category>";

TEST_F(CatalogTreeTest, AGroupWithoutACheckIsNamed)
{
    CCatalogTreeView* view = OpenTreeOf(kGroupsStructure);
    ASSERT_NE(view, nullptr);
    view->SetCheckedIds("21");
    auto& message = Gui().Expect("").Press(IDOK);
    EXPECT_FALSE(view->HasCheckedItems());
    EXPECT_TRUE(message.HasText("至少选择一种题材"));
}

TEST_F(CatalogTreeTest, EveryCatalogueGroupCheckedIsEnoughWithoutThePublicOne)
{
    CCatalogTreeView* view = OpenTreeOf(kGroupsStructure);
    ASSERT_NE(view, nullptr);
    view->SetCheckedIds("11;20");
    EXPECT_TRUE(view->HasCheckedItems());
}

// ---------------------------------------------------------------------------
// The document's cache.

TEST_F(CatalogTreeTest, OneServerUrlIsAskedOnceAndANewOneAgain)
{
    StartLoggedIn();
    const size_t before = StructureRequests();
    ASSERT_NE(OpenTree(), nullptr);
    CHttpXMlProcess* client = Doc()->m_pTreeServerClient;
    ASSERT_NE(OpenTree(), nullptr);
    EXPECT_EQ(StructureRequests(), before + 1);
    EXPECT_EQ(Doc()->m_pTreeServerClient, client);

    ReplyStructure("<Category><PublicFolder id=\"9\" FatherId=\"-1\" name=\"新\"/></Category>");
    Doc()->m_strServerUrl = (ServerAddress() + "/other/HttpRequestServlet.jsp").c_str();
    CCatalogTreeView* view = OpenTree();
    ASSERT_NE(view, nullptr);
    EXPECT_EQ(StructureRequests(), before + 2);
    EXPECT_EQ(Dump(*view), "所有资产分类 0 0\n 新 9 2\n");
}

TEST_F(CatalogTreeTest, NoStructureMeansNoTree)
{
    StartLoggedIn();
    Backend("fault\tAssetMetaDataStruct\tempty");
    EXPECT_EQ(OpenTree(), nullptr);
    EXPECT_EQ(Doc()->m_pTreeServerClient, nullptr);
    EXPECT_TRUE(Doc()->m_strCategoryStructure.IsEmpty());

    // Then the server goes away: asked again, and failed again.
    Backend("clear");
    Backend("stop");
    EXPECT_EQ(OpenTree(), nullptr);
    EXPECT_EQ(Doc()->m_pTreeServerClient, nullptr);
}

TEST_F(CatalogTreeTest, WithoutALogInTheLogInsMessageComesFirst)
{
    StartWithServer();
    Doc()->m_strServerUrl = ("http://127.0.0.1:" + std::to_string(testsupport::FreeTcpPort()) + "/").c_str();
    RememberedUploadUser = kUser;
    RememberedUploadPassword = kPassword;
    auto& cannotConnect = Gui().Expect("").Press(IDOK);
    EXPECT_EQ(OpenTree(), nullptr);
    EXPECT_TRUE(cannotConnect.HasText("不能连接到服务器，无法验证登录信息"));
    EXPECT_EQ(Doc()->m_pTreeServerClient, nullptr);
}

// ---------------------------------------------------------------------------
// The operations no command reaches.

TEST(CatalogTreeHelpersTest, GroupAttributeValuesJoinsTheValuesOfEachName)
{
    CStringList entries;
    for (const char* entry : {"作者 张三", "年份 1990", "作者 李四", "地点 北京", "作者 王五"})
        entries.AddTail(entry);
    EXPECT_EQ(std::string(CCatalogTreeView::GroupAttributeValues(entries)),
              "作者='张三;李四;王五'  年份='1990'  地点='北京'  ");
    EXPECT_TRUE(entries.IsEmpty());
    EXPECT_EQ(std::string(CCatalogTreeView::GroupAttributeValues(entries)), "");
}

TEST(CatalogTreeHelpersTest, ListContainsTextLooksInsideEntries)
{
    CStringList list;
    list.AddTail("风景名胜");
    list.AddTail("abc");
    EXPECT_TRUE(CCatalogTreeView::ListContainsText(list, "名胜"));
    EXPECT_TRUE(CCatalogTreeView::ListContainsText(list, "b"));
    EXPECT_FALSE(CCatalogTreeView::ListContainsText(list, "ABC"));
}

TEST_F(CatalogTreeTest, TheMainFramesPaneFiveIsNeverThere)
{
    StartLoggedIn();
    EXPECT_EQ(CCatalogTreeView::FindMainFramePane(), nullptr);
}

}  // namespace
}  // namespace uploadtest

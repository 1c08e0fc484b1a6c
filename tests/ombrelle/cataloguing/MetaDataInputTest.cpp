// The metadata form built from small field descriptions: which fields show,
// where their rows lie, which control each type becomes, the cascading
// enumerations and the keys, read back from the windows it made.
#include "MetaDataFormFixture.h"

#include "CJSearchEdit.h"
#include "GuiDriver.h"
#include "MetaDataInput.h"
#include "OmbrelleApp.h"
#include "OmbrelleDoc.h"
#include "RefusingFactory.h"
#include "XmlReading.h"
#include "resource.h"

#include <dlgs.h>
#include <gtest/gtest.h>

#include <cstdio>
#include <ostream>
#include <string>
#include <vector>

namespace {

using namespace metadatatest;
using testsupport::Gui;

// The template's own controls, which come before any field.
const int kTemplateControls = 16;

std::vector<std::string> ComboItems(CComboBox& combo)
{
    std::vector<std::string> items;
    for (int i = 0; i < combo.GetCount(); ++i) {
        CString item;
        combo.GetLBText(i, item);
        items.push_back(std::string(item));
    }
    return items;
}

class MetaDataFormTest : public MetaDataFormFixture {
protected:
    static CRect RectOf(CWnd& form, HWND control)
    {
        CRect rect;
        ::GetWindowRect(control, &rect);
        form.ScreenToClient(&rect);
        return rect;
    }

    static int ChildCount(CWnd& form)
    {
        int count = 0;
        for (HWND child = ::GetWindow(form.m_hWnd, GW_CHILD); child != NULL; child = ::GetWindow(child, GW_HWNDNEXT))
            ++count;
        return count;
    }
};

// ---------------------------------------------------------------------------
// Creation and the template.

TEST_F(MetaDataFormTest, WithoutTheAssetDescriptionTheFormIsNotCreated)
{
    App()->m_strAssetMetaDataStruct.Empty();
    m_frame = new CFrameWnd;
    ASSERT_TRUE(m_frame->Create(NULL, "著录", WS_OVERLAPPEDWINDOW, CRect(0, 0, 600, 400)));
    CCreateContext context;
    context.m_pCurrentDoc = Doc();
    context.m_pNewViewClass = RUNTIME_CLASS(CMetaDataInput);
    EXPECT_EQ(m_frame->CreateView(&context), nullptr);
}

TEST_F(MetaDataFormTest, TheTemplateShowsItsButtonsAndHidesTheAssetGroups)
{
    CMetaDataInput* form = OpenForm(Structure(Field("A", "甲", "0")));
    ASSERT_NE(form, nullptr);
    const struct {
        int id;
        const char* text;
        bool shown;
    } controls[] = {
        {IDC_META_PENDING_STORE, "待入库", true}, {IDC_META_STORE, "入库", true},   {IDC_META_SUBMIT, "提交", true},
        {IDC_META_OK, "确定", true},              {IDC_META_CANCEL, "取消", true},  {IDC_META_COMPOUND_GROUP, "复属资产", false},
        {IDC_META_ACCESSORY_LABEL, "附属文档", false}, {IDC_META_ADD_ACCESSORY, "添加", false},
        {IDC_META_RELATED_GROUP, "关联资产", false},   {IDC_META_DEL_RELATED, "删除", false},
    };
    for (const auto& c : controls) {
        CWnd* control = form->GetDlgItem(c.id);
        ASSERT_NE(control, nullptr) << c.id;
        EXPECT_EQ(TextOf(control->m_hWnd), c.text) << c.id;
        EXPECT_EQ((control->GetStyle() & WS_VISIBLE) != 0, c.shown) << c.id;
    }
    // "入库" is checked at the start, and its id is still the radio's.
    EXPECT_EQ(form->IsDlgButtonChecked(IDC_META_STORE), BST_CHECKED);
    EXPECT_EQ(ClassOf(form->GetDlgItem(IDC_META_STORE)->m_hWnd), "Button");
    // The asset groups lie side by side below the last field.
    const CRect group = RectOf(*form, form->GetDlgItem(IDC_META_COMPOUND_GROUP)->m_hWnd);
    const CRect related = RectOf(*form, form->GetDlgItem(IDC_META_RELATED_GROUP)->m_hWnd);
    EXPECT_EQ(group.TopLeft(), CPoint(20, 66 + 20));
    EXPECT_EQ(related.TopLeft(), CPoint(group.right + 10, group.top));
    EXPECT_EQ(RectOf(*form, form->GetDlgItem(IDC_META_ACCESSORY_LABEL)->m_hWnd).TopLeft(), CPoint(30, 86 + 40));
    EXPECT_EQ(RectOf(*form, form->GetDlgItem(IDC_META_RELATED_LABEL)->m_hWnd).TopLeft(),
              CPoint(related.left + 10, 86 + 40));
    for (int id : {IDC_META_ACCESSORY_EDIT, IDC_META_DEL_ACCESSORY, IDC_META_RELATED_EDIT, IDC_META_ADD_COMPOUND})
        EXPECT_FALSE(form->GetDlgItem(id)->GetStyle() & WS_VISIBLE) << id;
    // This machine's address, dotted.
    unsigned parts[4] = {};
    char end = 0;
    EXPECT_EQ(std::sscanf(form->m_strLocalIpAddress, "%u.%u.%u.%u%c", &parts[0], &parts[1], &parts[2], &parts[3], &end),
              4)
        << form->m_strLocalIpAddress;
    // The form's own font.
    LOGFONT font = {};
    ASSERT_TRUE(form->m_font.GetLogFont(&font));
    EXPECT_EQ(font.lfHeight, 12);
    EXPECT_EQ(font.lfCharSet, 134);
    EXPECT_STREQ(font.lfFaceName, "宋体");
}

struct UnusableCase {
    const char* name;
    const char* xml;
};

void PrintTo(const UnusableCase& c, std::ostream* os) { *os << c.name; }

const UnusableCase kUnusable[] = {
    {"NotXml", "not xml at all"},
    {"Unclosed", "<Category><Attribute><Field Name=\"A\" CName=\"甲\" Type=\"0\" View=\"1\"/>"},
    {"OtherRoot", "<Catalog><Attribute><Field Name=\"A\" CName=\"甲\" Type=\"0\" View=\"1\"/></Attribute></Catalog>"},
    {"NoAttribute", "<Category><Field Name=\"A\" CName=\"甲\" Type=\"0\" View=\"1\"/></Category>"},
    {"AllHidden",
     "<Category><Attribute>"
     "<Field Name=\"DataEnroll\" CName=\"a\" Type=\"0\" View=\"1\"/><Field Name=\"location\" CName=\"b\" Type=\"0\" View=\"1\"/>"
     "<Field Name=\"LastModifyUser\" CName=\"c\" Type=\"0\" View=\"1\"/><Field Name=\"LastModifyDate\" CName=\"d\" Type=\"0\" View=\"1\"/>"
     "<Field Name=\"InspectLevel\" CName=\"e\" Type=\"0\" View=\"1\"/><Field Name=\"HaveAssociate\" CName=\"f\" Type=\"0\" View=\"1\"/>"
     "<Field Name=\"FileTitle\" CName=\"g\" Type=\"0\" View=\"1\"/><Field Name=\"A\" CName=\"h\" Type=\"0\" View=\"0\"/>"
     "<Field Name=\"B\" CName=\"i\" Type=\"0\"/><Field Name=\"C\" CName=\"j\" Type=\"6\" View=\"1\">"
     "<CatalogList><CatalogItem FloderCreated=\"1\"/></CatalogList></Field></Attribute></Category>"},
};

class UnusableDescriptionTest : public MetaDataFormTest, public ::testing::WithParamInterface<UnusableCase> {};

TEST_P(UnusableDescriptionTest, LeavesTheTemplateAloneAndNoFileBehind)
{
    const std::string folder = m_temp.Path();
    App()->m_strDataFolder = folder.c_str();
    CMetaDataInput* form = OpenForm(GetParam().xml);
    ASSERT_NE(form, nullptr);
    EXPECT_EQ(ChildCount(*form), kTemplateControls);
    EXPECT_TRUE(form->m_FieldControls.IsEmpty());
    EXPECT_EQ(form->GetTotalSize(), CSize(800, 220));
    EXPECT_EQ(::GetFileAttributesA((folder + "\\assetmetainfo.xml").c_str()), INVALID_FILE_ATTRIBUTES);
}

INSTANTIATE_TEST_SUITE_P(Table, UnusableDescriptionTest, ::testing::ValuesIn(kUnusable),
                         [](const ::testing::TestParamInfo<UnusableCase>& info) { return info.param.name; });

TEST_F(MetaDataFormTest, WithoutADomDocumentTheFormKeepsItsTemplateQuietly)
{
    RefusingFactory factory;
    DWORD cookie = 0;
    ASSERT_EQ(::CoRegisterClassObject(CLSID_OmbrelleDomDocument, &factory, CLSCTX_INPROC_SERVER, REGCLS_MULTIPLEUSE,
                                      &cookie),
              S_OK);
    CMetaDataInput* form = OpenForm(Structure(Field("A", "甲", "0") + Field("B", "乙", "6")));
    ::CoRevokeClassObject(cookie);
    ASSERT_NE(form, nullptr);
    EXPECT_EQ(ChildCount(*form), kTemplateControls);
    EXPECT_TRUE(form->m_FieldControls.IsEmpty());
}

// ---------------------------------------------------------------------------
// Rows, labels and ids.

TEST_F(MetaDataFormTest, RowsAreTwentyPixelsHighWithFifteenBetweenAndTallOnesSixty)
{
    CMetaDataInput* form = OpenForm(Structure(
        Field("A", "甲", "0") + Field("Title", "标题", "4", "Length=\"200\"") + Field("Long", "长", "4", "Length=\"51\"") +
        // 256 long: tall as well, and multi-line.
        Field("Memo", "备注", "4", "Length=\"256\"") + Field("Short", "短", "4", "Length=\"50\"")));
    ASSERT_NE(form, nullptr);
    const struct {
        int labelId;
        CRect label, control;
        bool multiLine;
    } rows[] = {
        {1090, CRect(20, 46, 120, 66), CRect(140, 46, 500, 66), false},
        {1092, CRect(20, 81, 120, 101), CRect(140, 81, 500, 101), false},
        {1094, CRect(20, 116, 120, 176), CRect(140, 116, 500, 176), false},
        {1096, CRect(20, 191, 120, 251), CRect(140, 191, 500, 251), true},
        {1098, CRect(20, 266, 120, 286), CRect(140, 266, 500, 286), false},
    };
    for (const auto& row : rows) {
        HWND label = Generated(*form, row.labelId);
        HWND control = Generated(*form, row.labelId + 1);
        ASSERT_NE(label, nullptr) << row.labelId;
        ASSERT_NE(control, nullptr) << row.labelId;
        EXPECT_EQ(ClassOf(label), "Static");
        EXPECT_EQ(RectOf(*form, label), row.label) << row.labelId;
        EXPECT_EQ(RectOf(*form, control), row.control) << row.labelId;
        EXPECT_EQ(ClassOf(control), "Edit");
        EXPECT_EQ((::GetWindowLongA(control, GWL_STYLE) & ES_MULTILINE) != 0, row.multiLine) << row.labelId;
        EXPECT_NE(::GetWindowLongA(control, GWL_EXSTYLE) & WS_EX_CLIENTEDGE, 0) << row.labelId;
    }
    EXPECT_EQ(form->m_nLastControlId, 1099);
    EXPECT_EQ(form->GetTotalSize(), CSize(800, 286 + 220));
}

TEST_F(MetaDataFormTest, ShownFieldsTakeIdsInPairsAndRequiredOnesAreMarked)
{
    CMetaDataInput* form = OpenForm(Structure(
        Field("FileTitle", "文件标题", "0") + Field("Author", "作者", "0", "AllowNull=\"0\"") +
        "<Field Name=\"Hidden\" CName=\"隐藏\" Type=\"0\" View=\"2\"/>" +
        Field("Place", "地点", "0", "AllowNull=\"1\"") +
        "<Field Name=\"Folder\" CName=\"目录\" Type=\"6\" View=\"1\"><CatalogList><CatalogItem FloderCreated=\"1\"/>"
        "</CatalogList></Field>"
        "<Field Name=\"Open\" CName=\"未建目录\" Type=\"6\" View=\"1\"><CatalogList><CatalogItem FloderCreated=\"0\"/>"
        "</CatalogList></Field>"));
    ASSERT_NE(form, nullptr);
    const struct {
        int id;
        const char* label;
        const char* name;
        const char* cls;
    } fields[] = {
        {1090, "作者(*):", "Author", "Edit"},
        {1092, "地点:", "Place", "Edit"},
        {1094, "未建目录:", "Open", "ComboBox"},
    };
    for (const auto& f : fields) {
        EXPECT_EQ(TextOf(Generated(*form, f.id)), f.label) << f.id;
        EXPECT_EQ(ClassOf(Generated(*form, f.id + 1)), f.cls) << f.id;
        CWnd* control = ControlOf(*form, f.name);
        ASSERT_NE(control, nullptr) << f.name;
        EXPECT_EQ(control->m_hWnd, Generated(*form, f.id + 1)) << f.name;
    }
    EXPECT_EQ(form->m_nLastControlId, 1095);
    EXPECT_EQ(ChildCount(*form), kTemplateControls + 6);
    CString name;
    EXPECT_TRUE(form->m_CNameToName.Lookup("作者", name));
    EXPECT_EQ(name, "Author");
    EXPECT_FALSE(form->m_CNameToName.Lookup("文件标题", name));
    EXPECT_EQ(ControlOf(*form, "作者")->m_hWnd, Generated(*form, 1090));
    // Only edits keep what their checks need.
    void* record = nullptr;
    ASSERT_TRUE(form->m_FieldAttributes.Lookup("Author", record));
    const FieldAttributeRecord& author = *static_cast<FieldAttributeRecord*>(record);
    EXPECT_EQ(author.CName, "作者");
    EXPECT_EQ(author.AllowNull, "0");
    EXPECT_FALSE(form->m_FieldAttributes.Lookup("Open", record));
}

// ---------------------------------------------------------------------------
// One control per type.

TEST_F(MetaDataFormTest, EachTypeGetsItsControl)
{
    CMetaDataInput* form = OpenForm(Structure(
        Field("Agreed", "同意", "1", "DefaultValue=\"1\"") + Field("Signed", "签名", "1", "DefaultValue=\"0\"") +
        Field("Shot", "拍摄日期", "7", "DefaultValue=\"2001-01-01\"") +
        Field("Typed", "可输入", "6", "Input=\"1\"") + Field("Chosen", "选择", "6", "Input=\"0\"") +
        Field("Text", "正文", "5", "DefaultValue=\"初值\"") + Field("Notes", "附注", "11") +
        Field("Other", "其他", "3", "DefaultValue=\"三\"") + Field("File", "文件", "10", "DefaultValue=\"C:\\a.txt\"")));
    ASSERT_NE(form, nullptr);

    CWnd* agreed = ControlOf(*form, "Agreed");
    ASSERT_NE(agreed, nullptr);
    EXPECT_EQ(ClassOf(agreed->m_hWnd), "Button");
    EXPECT_EQ(TextOf(agreed->m_hWnd), "Agreed");
    EXPECT_EQ(agreed->GetStyle() & BS_TYPEMASK, DWORD(BS_AUTOCHECKBOX));
    EXPECT_EQ(agreed->SendMessage(BM_GETCHECK), BST_CHECKED);
    EXPECT_EQ(ControlOf(*form, "Signed")->SendMessage(BM_GETCHECK), BST_UNCHECKED);

    CWnd* shot = ControlOf(*form, "Shot");
    ASSERT_NE(shot, nullptr);
    EXPECT_EQ(ClassOf(shot->m_hWnd), "SysDateTimePick32");
    EXPECT_EQ(shot->GetStyle() & DTS_LONGDATEFORMAT, 0u);  // the short format has no bit of its own
    EXPECT_TRUE(form->IsDateTimeControl(shot));
    EXPECT_FALSE(form->IsDateTimeControl(agreed));

    CWnd* typed = ControlOf(*form, "Typed");
    CWnd* chosen = ControlOf(*form, "Chosen");
    ASSERT_NE(typed, nullptr);
    ASSERT_NE(chosen, nullptr);
    EXPECT_EQ(typed->GetStyle() & 3, DWORD(CBS_DROPDOWN));
    EXPECT_EQ(chosen->GetStyle() & 3, DWORD(CBS_DROPDOWNLIST));

    const struct {
        const char* name;
        bool multiLine;
        const char* text;
    } edits[] = {{"Text", true, "初值"}, {"Notes", true, ""}, {"Other", false, "三"}, {"File", false, "C:\\a.txt"}};
    for (const auto& e : edits) {
        CWnd* edit = ControlOf(*form, e.name);
        ASSERT_NE(edit, nullptr) << e.name;
        EXPECT_EQ(ClassOf(edit->m_hWnd), "Edit") << e.name;
        EXPECT_EQ((edit->GetStyle() & ES_MULTILINE) != 0, e.multiLine) << e.name;
        EXPECT_EQ(TextOf(edit->m_hWnd), e.text) << e.name;
        EXPECT_EQ(edit->GetFont()->m_hObject, form->m_font.m_hObject) << e.name;
    }

    // The file field browses for any file.
    CWnd* file = ControlOf(*form, "File");
    ASSERT_TRUE(file->IsKindOf(RUNTIME_CLASS(CCJSearchEdit)));
    HWND button = static_cast<CCJSearchEdit*>(file)->GetButton().GetSafeHwnd();
    ASSERT_NE(button, nullptr);
    std::string firstFilter;
    Gui().Expect("").Run([&](HWND dialog) {
        char text[128] = "";
        ::SendDlgItemMessageA(dialog, cmb1, CB_GETLBTEXT, 0, reinterpret_cast<LPARAM>(text));
        firstFilter = text;
    }).Press(IDCANCEL);
    char folder[MAX_PATH] = "";
    ::GetCurrentDirectoryA(MAX_PATH, folder);
    ::SendMessageA(button, BM_CLICK, 0, 0);
    ::SetCurrentDirectoryA(folder);
    EXPECT_EQ(firstFilter, "All Files (*.*)");
}

// ---------------------------------------------------------------------------
// Enumerations.

// Parents 1, 11 and 21 (a name that begins another, a name with a blank),
// their children, and the children's children.
const char kEnumerations[] =
    "<Field Name=\"City\" CName=\"城市\" Type=\"6\" View=\"1\"><ConfigList><ConfigItem ID=\"5\" FatherEnumID=\"0\">"
    "<EnumItem ID=\"1\" EnumItemName=\"北京市\" FatherItemID=\"0\"/>"
    "<EnumItem ID=\"11\" EnumItemName=\"北京\" FatherItemID=\"0\"/>"
    "<EnumItem ID=\"21\" EnumItemName=\"天津 滨海\" FatherItemID=\"0\"/>"
    "</ConfigItem></ConfigList></Field>"
    "<Field Name=\"District\" CName=\"区\" Type=\"6\" View=\"1\"><ConfigList><ConfigItem ID=\"6\" FatherEnumID=\"5\">"
    "<EnumItem ID=\"101\" EnumItemName=\"朝阳\" FatherItemID=\"1\"/>"
    "<EnumItem ID=\"111\" EnumItemName=\"海淀\" FatherItemID=\"11\"/>"
    "<EnumItem ID=\"112\" EnumItemName=\"西城\" FatherItemID=\"11\"/>"
    "<EnumItem ID=\"121\" EnumItemName=\"和平\" FatherItemID=\"21\"/>"
    "<EnumItem ID=\"131\" EnumItemName=\"东城\" FatherItemID=\"1\"/>"
    "</ConfigItem></ConfigList></Field>"
    "<Field Name=\"Street\" CName=\"街道\" Type=\"6\" View=\"1\"><ConfigList><ConfigItem ID=\"7\" FatherEnumID=\"6\">"
    "<EnumItem ID=\"1001\" EnumItemName=\"街道甲\" FatherItemID=\"101\"/>"
    "<EnumItem ID=\"1002\" EnumItemName=\"街道乙\" FatherItemID=\"111\"/>"
    "<EnumItem ID=\"1003\" EnumItemName=\"街道丙\" FatherItemID=\"131\"/>"
    "<EnumItem ID=\"1004\" EnumItemName=\"街道丁\" FatherItemID=\"112\"/>"
    "<EnumItem ID=\"1005\" EnumItemName=\"街道戊\" FatherItemID=\"121\"/>"
    "</ConfigItem></ConfigList></Field>";

class EnumerationTest : public MetaDataFormTest {
protected:
    void SetUp() override
    {
        MetaDataFormTest::SetUp();
        m_form = OpenForm(Structure(kEnumerations));
        ASSERT_NE(m_form, nullptr);
        m_city = static_cast<CComboBox*>(ControlOf(*m_form, "City"));
        m_district = static_cast<CComboBox*>(ControlOf(*m_form, "District"));
        m_street = static_cast<CComboBox*>(ControlOf(*m_form, "Street"));
        ASSERT_TRUE(m_city != nullptr && m_district != nullptr && m_street != nullptr);
    }

    // As the combo box tells its form when the operator picks an item.
    void Choose(CComboBox& combo, int index)
    {
        combo.SetCurSel(index);
        m_form->SendMessage(WM_COMMAND, MAKEWPARAM(combo.GetDlgCtrlID(), CBN_SELCHANGE),
                            reinterpret_cast<LPARAM>(combo.m_hWnd));
    }

    static std::string Selected(CComboBox& combo)
    {
        if (combo.GetCurSel() == CB_ERR)
            return "";
        CString text;
        combo.GetLBText(combo.GetCurSel(), text);
        return std::string(text);
    }

    CMetaDataInput* m_form = nullptr;
    CComboBox* m_city = nullptr;
    CComboBox* m_district = nullptr;
    CComboBox* m_street = nullptr;
};

TEST_F(EnumerationTest, EachBoxStartsWithAllItsItemsAndTheFirstChosen)
{
    EXPECT_EQ(ComboItems(*m_city), (std::vector<std::string>{"北京市", "北京", "天津 滨海"}));
    EXPECT_EQ(ComboItems(*m_district).size(), 5u);
    EXPECT_EQ(Selected(*m_city), "北京市");
    EXPECT_EQ(Selected(*m_street), "街道甲");
    ASSERT_EQ(m_form->m_EnumRecords.GetCount(), 3);
    const EnumRecord* district = static_cast<EnumRecord*>(m_form->m_EnumRecords.GetAt(m_form->m_EnumRecords.FindIndex(1)));
    EXPECT_EQ(district->ConfigItemId, "6");
    EXPECT_EQ(district->ParentEnumId, "5");
    EXPECT_EQ(district->Entries.GetHead(), "101 朝阳 1");
}

struct CascadeCase {
    const char* name;
    int cityIndex;
    std::vector<std::string> districts;
    std::vector<std::string> streets;
};

void PrintTo(const CascadeCase& c, std::ostream* os) { *os << c.name; }

const CascadeCase kCascades[] = {
    // Children of 1 only, not of 11 or 21, whose ids contain it.
    {"IdThatOthersContain", 0, {"朝阳", "东城"}, {"街道甲"}},
    // "北京" begins "北京市", which comes first.
    {"NameThatBeginsAnother", 1, {"海淀", "西城"}, {"街道乙"}},
    {"NameWithABlank", 2, {"和平"}, {"街道戊"}},
};

class CascadeTest : public EnumerationTest, public ::testing::WithParamInterface<CascadeCase> {};

TEST_P(CascadeTest, ChoosingAParentRefillsTheChainAndChoosesEachFirstChild)
{
    const CascadeCase& c = GetParam();
    Choose(*m_city, c.cityIndex);
    EXPECT_EQ(ComboItems(*m_district), c.districts);
    EXPECT_EQ(Selected(*m_district), c.districts.front());
    EXPECT_EQ(ComboItems(*m_street), c.streets);
    EXPECT_EQ(Selected(*m_street), c.streets.front());
}

INSTANTIATE_TEST_SUITE_P(Table, CascadeTest, ::testing::ValuesIn(kCascades),
                         [](const ::testing::TestParamInfo<CascadeCase>& info) { return info.param.name; });

TEST_F(EnumerationTest, AMiddleChoiceRefillsOnlyBelowIt)
{
    Choose(*m_city, 1);
    Choose(*m_district, 1);
    EXPECT_EQ(Selected(*m_city), "北京");
    EXPECT_EQ(ComboItems(*m_district), (std::vector<std::string>{"海淀", "西城"}));
    EXPECT_EQ(ComboItems(*m_street), (std::vector<std::string>{"街道丁"}));
}

TEST_F(MetaDataFormTest, EnumerationsThatAreEachOthersParentsStop)
{
    CMetaDataInput* form = OpenForm(Structure(
        "<Field Name=\"A\" CName=\"甲\" Type=\"6\" View=\"1\"><ConfigList><ConfigItem ID=\"8\" FatherEnumID=\"9\">"
        "<EnumItem ID=\"1\" EnumItemName=\"a\" FatherItemID=\"10\"/></ConfigItem></ConfigList></Field>"
        "<Field Name=\"B\" CName=\"乙\" Type=\"6\" View=\"1\"><ConfigList><ConfigItem ID=\"9\" FatherEnumID=\"8\">"
        "<EnumItem ID=\"10\" EnumItemName=\"b\" FatherItemID=\"1\"/></ConfigItem></ConfigList></Field>"));
    ASSERT_NE(form, nullptr);
    CComboBox* a = static_cast<CComboBox*>(ControlOf(*form, "A"));
    ASSERT_NE(a, nullptr);
    form->SendMessage(WM_COMMAND, MAKEWPARAM(a->GetDlgCtrlID(), CBN_SELCHANGE), reinterpret_cast<LPARAM>(a->m_hWnd));
    EXPECT_EQ(ComboItems(*a), std::vector<std::string>{"a"});
    EXPECT_EQ(ComboItems(*static_cast<CComboBox*>(ControlOf(*form, "B"))), std::vector<std::string>{"b"});
}

// ---------------------------------------------------------------------------
// Keys.

class FormKeysTest : public MetaDataFormTest {
protected:
    void SetUp() override
    {
        MetaDataFormTest::SetUp();
        m_form = OpenForm(Structure(Field("A", "甲", "0") + Field("B", "乙", "1") +
                                    Field("Text", "正文", "5",
                                          "DefaultValue=\"1&#13;&#10;2&#13;&#10;3&#13;&#10;4&#13;&#10;5&#13;&#10;6\"")));
        ASSERT_NE(m_form, nullptr);
        m_frame->SetForegroundWindow();
        Pump();
    }

    void Key(UINT key)
    {
        m_form->SendMessage(WM_KEYDOWN, key, 0);
        Pump();
    }

    CMetaDataInput* m_form = nullptr;
};

TEST_F(FormKeysTest, TabGoesRoundTheFieldsThroughTheStoreRadioAndSkipsLabels)
{
    ASSERT_EQ(m_form->m_nLastControlId, 1095);
    ::SetFocus(Generated(*m_form, 1095));
    ASSERT_EQ(::GetFocus(), Generated(*m_form, 1095));
    // From the last field to id 1090, which is the radio button "入库".
    Key(VK_TAB);
    EXPECT_EQ(::GetFocus(), m_form->GetDlgItem(IDC_META_STORE)->m_hWnd);
    EXPECT_EQ(TextOf(::GetFocus()), "入库");
    // Then the first field's input control, not a label.
    Key(VK_TAB);
    EXPECT_EQ(::GetFocus(), Generated(*m_form, 1091));
    Key(VK_TAB);
    EXPECT_EQ(::GetFocus(), Generated(*m_form, 1093));
    // Outside the fields' ids the key moves nothing.
    ::SetFocus(m_form->GetDlgItem(IDC_META_OK)->m_hWnd);
    Key(VK_TAB);
    EXPECT_EQ(::GetFocus(), m_form->GetDlgItem(IDC_META_OK)->m_hWnd);
}

TEST_F(FormKeysTest, EnterScrollsTheFocusedMultiLineEdit)
{
    HWND edit = Generated(*m_form, 1095);
    ::SetFocus(edit);
    ::SendMessageA(edit, EM_SETSEL, 0, 0);
    ASSERT_EQ(::SendMessageA(edit, EM_GETFIRSTVISIBLELINE, 0, 0), 0);
    Key(VK_RETURN);
    EXPECT_EQ(::SendMessageA(edit, EM_GETFIRSTVISIBLELINE, 0, 0), 2);
    EXPECT_EQ(TextOf(edit), "1\r\n2\r\n3\r\n4\r\n5\r\n6");
}

}  // namespace

// The form file: what a factory writes, what it reads back, and a whole form
// of every kind saved, loaded onto a dialog and saved again.
#include "FCControlFactory.h"
#include "FCDomReading.h"
#include "FormTestHost.h"
#include "FormWindowHelpers.h"
#include "GuiDriver.h"
#include "TempDir.h"
#include "WindowText.h"
#include "XmlReading.h"

#include "General.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

namespace {

using testsupport::Gui;

class FCFormFileTest : public FCHostedTest {
protected:
    void SetUp() override
    {
        FCHostedTest::SetUp();
        m_document = CreateXmlDocument();
        ASSERT_NE(m_document, nullptr);
    }
    void TearDown() override
    {
        if (m_document != nullptr)
            m_document->Release();
        FCHostedTest::TearDown();
    }
    // Loads the text and hands its root to the factory.
    void Load(CFCControlFactory& factory, const std::string& text, int mode)
    {
        ASSERT_TRUE(factory.LoadFormText(CString(text.c_str()), m_document)) << text;
        CFCComRef<IXMLDOMElement> root;
        ASSERT_EQ(m_document->get_documentElement(&root), S_OK);
        factory.LoadFromXml(root, mode);
    }
    std::vector<CWnd*> Controls(const CFCControlFactory& factory) const
    {
        std::vector<CWnd*> controls;
        POSITION pos = factory.m_mapControls.GetStartPosition();
        while (pos != NULL) {
            void* key = nullptr;
            void* tracker = nullptr;
            factory.m_mapControls.GetNextAssoc(pos, key, tracker);
            controls.push_back(static_cast<CWnd*>(key));
        }
        return controls;
    }

    CComScope m_com;
    IXMLDOMDocument* m_document = nullptr;
};

TEST_F(FCFormFileTest, EmptyFactoryWritesZeroCounters)
{
    EXPECT_EQ(Bytes(m_factory.SaveToXml(1)),
              "\t<控件管理器>\r\n"
              "\t\t<控件计数ID>0</控件计数ID>\r\n"
              "\t\t<最大CTRLID>0</最大CTRLID>\r\n"
              "\t\t<最大TABORDERID>0</最大TABORDERID>\r\n"
              "\t</控件管理器>\r\n");
}

TEST_F(FCFormFileTest, PropertyBlockLayout)
{
    CFCEdit edit;
    CFCControlInternalProp& prop = edit.m_prop;
    prop.m_dwStyle = 0x50810000;  // without the automatic horizontal scroll
    prop.m_nControlId = 3005;
    prop.m_nTabOrder = 2;
    prop.m_strCaption = "a\"b'<&>";
    prop.m_strScript = "";
    prop.m_rect = CRect(1, 2, 3, 4);
    prop.m_clrFore = 255;
    prop.m_logFont.lfCharSet = 134;
    const std::string expected =
        "<内部属性>\r\n"
        "\t<控件类别>6</控件类别>\r\n"
        "\t<样式>1350631552</样式>\r\n"
        "\t<设计状态>是</设计状态>\r\n"
        "\t<已经存在>否</已经存在>\r\n"
        "\t<与数据库相关>否</与数据库相关>\r\n"
        "\t<字段名></字段名>\r\n"
        "\t<表名></表名>\r\n"
        "\t<字段枚举值></字段枚举值>\r\n"
        "\t<标题>a&quot;b&apos;&lt;&amp;&gt;</标题>\r\n"
        "\t<条目></条目>\r\n"
        "\t<有效性检查></有效性检查>\r\n"
        "\t<左>1</左>\r\n"
        "\t<右>3</右>\r\n"
        "\t<上>2</上>\r\n"
        "\t<下>4</下>\r\n"
        "\t<TabStop>是</TabStop>\r\n"
        "\t<TabOrder>2</TabOrder>\r\n"
        "\t<控件ID>5</控件ID>\r\n"
        "\t<前景色>255</前景色>\r\n"
        "\t<背景色>16777215</背景色>\r\n"
        "\t<字体垂直方向>靠上</字体垂直方向>\r\n"
        "\t<文字水平方向>居左</文字水平方向>\r\n"
        "\t<字体>\r\n"
        "\t\t<Height>-12</Height>\r\n"
        "\t\t<Width>0</Width>\r\n"
        "\t\t<Escapement>0</Escapement>\r\n"
        "\t\t<Orientation>0</Orientation>\r\n"
        "\t\t<Weight>0</Weight>\r\n"
        "\t\t<Italic>0</Italic>\r\n"
        "\t\t<Underline>0</Underline>\r\n"
        "\t\t<StrikeOut>0</StrikeOut>\r\n"
        "\t\t<CharSet>134</CharSet>\r\n"
        "\t\t<OutPrecision>0</OutPrecision>\r\n"
        "\t\t<ClipPrecision>0</ClipPrecision>\r\n"
        "\t\t<Quality>0</Quality>\r\n"
        "\t\t<PitchAndFamily>0</PitchAndFamily>\r\n"
        "\t\t<FaceName>宋体</FaceName>\r\n"
        "\t</字体>\r\n"
        "\t<显示>是</显示>\r\n"
        "\t<有效>是</有效>\r\n"
        "\t<是否选中>否</是否选中>\r\n"
        "\t<只读>否</只读>\r\n"
        "\t<显示提示>否</显示提示>\r\n"
        "\t<提示></提示>\r\n"
        "</内部属性>\r\n";
    EXPECT_EQ(Bytes(prop.ToXml(0)), expected);
    EXPECT_EQ(prop.m_dwStyle, 0x50810080u) << "the record keeps the scroll bit";
}

// One control element of the given kind, with the elements given.
std::string Form(const std::string& element, const std::string& properties)
{
    return "<控件管理器><控件计数ID>4</控件计数ID><最大CTRLID>9</最大CTRLID><最大TABORDERID>3</最大TABORDERID><" +
           element + "><内部属性>" + properties + "</内部属性></" + element + "></控件管理器>";
}

TEST_F(FCFormFileTest, MissingElementsTakeTheirDefaults)
{
    const struct {
        const char* element;
        COLORREF background;
    } cases[] = {
        {"标签", ::GetSysColor(COLOR_BTNFACE)},
        {"编辑框", RGB(255, 255, 255)},
        {"单选框", ::GetSysColor(COLOR_BTNFACE)},
        {"按钮", RGB(255, 255, 255)},
    };
    for (const auto& c : cases) {
        CFCControlFactory factory;
        const std::string kind = std::string(c.element) == "标签"     ? "1"
                                 : std::string(c.element) == "编辑框" ? "6"
                                 : std::string(c.element) == "单选框" ? "3"
                                                                      : "2";
        Load(factory, Form(c.element, "<控件类别>" + kind + "</控件类别><控件ID>5</控件ID>"), 0);
        const std::vector<CWnd*> controls = Controls(factory);
        EXPECT_EQ(factory.m_nControlCount, 4);
        ASSERT_EQ(controls.size(), 1u) << c.element;
        const CFCControlInternalProp& prop = *FCPropOf(controls[0]);
        EXPECT_EQ(prop.m_clrBack, c.background) << c.element;
        EXPECT_EQ(prop.m_bChecked, 1) << "a missing 是否选中 loads checked";
        EXPECT_EQ(prop.m_bTabStop, 1);
        EXPECT_EQ(prop.m_bShowTip, 1);
        EXPECT_EQ(prop.m_bReadOnly, 0);
        EXPECT_EQ(prop.m_nControlId, 3005);
        EXPECT_EQ(std::string(prop.m_logFont.lfFaceName), "宋体");
        EXPECT_EQ(Bytes(prop.m_strVertAlign), "靠上");
        EXPECT_EQ(factory.m_nControlCount, 4);
        EXPECT_EQ(factory.m_nMaxCtrlId, 3009);
        EXPECT_EQ(factory.m_nMaxTabOrder, 3);
    }
}

TEST_F(FCFormFileTest, IdsRelativeToTheBaseUnlessAlreadyExisting)
{
    CFCEdit* own = static_cast<CFCEdit*>(m_factory.AddControl(FCKindEdit, nullptr, 5, 5, 100, 25));
    ASSERT_NE(own, nullptr);
    own->m_prop.m_nControlId = 3005;
    CFCButton* existing = new CFCButton;
    existing->m_prop.m_bAlreadyExists = 1;
    existing->m_prop.m_nControlId = 1017;
    existing->m_prop.m_strCaption = "确定";
    m_factory.m_mapControls.SetAt(existing, nullptr);

    const std::string saved = Bytes(m_factory.SaveToXml(0));
    EXPECT_NE(saved.find("<控件ID>5</控件ID>"), std::string::npos);
    EXPECT_NE(saved.find("<控件ID>1017</控件ID>"), std::string::npos);

    CFCControlFactory loaded;
    Load(loaded, saved, 0);
    std::vector<int> ids;
    for (CWnd* control : Controls(loaded)) {
        EXPECT_EQ(control->GetSafeHwnd(), (HWND)NULL) << "mode 0 makes no window";
        ids.push_back(FCPropOf(control)->m_nControlId);
    }
    std::sort(ids.begin(), ids.end());
    EXPECT_EQ(ids, (std::vector<int>{1017, 3005}));
}

TEST_F(FCFormFileTest, FontTakesGb2312WhateverTheFileSays)
{
    CFCControlFactory factory;
    Load(factory,
         Form("标签", "<控件类别>1</控件类别><字体><Height>-20</Height><Weight>700</Weight><Italic>1</Italic>"
                      "<CharSet>0</CharSet><FaceName>黑体</FaceName></字体>"),
         0);
    const std::vector<CWnd*> controls = Controls(factory);
    ASSERT_EQ(controls.size(), 1u);
    const LOGFONT& font = FCPropOf(controls[0])->m_logFont;
    EXPECT_EQ(font.lfHeight, -20);
    EXPECT_EQ(font.lfWeight, 700);
    EXPECT_EQ(font.lfItalic, 1);
    EXPECT_EQ(font.lfCharSet, 134);
    EXPECT_EQ(std::string(font.lfFaceName), "黑体");
}

// The control blocks of a saved form (level 0), sorted: the order of
// controls follows the factory's map. A block runs from its opening line at
// one tab to its closing line.
std::vector<std::string> Blocks(const std::string& form)
{
    std::vector<std::string> blocks;
    std::string current;
    size_t pos = form.find("\t<最大TABORDERID>");
    pos = form.find("\r\n", pos) + 2;
    while (pos < form.size()) {
        const size_t end = form.find("\r\n", pos);
        const std::string line = form.substr(pos, end + 2 - pos);
        pos = end + 2;
        const bool atOneTab = line.size() > 2 && line[0] == '\t' && line[1] == '<';
        if (atOneTab && line[2] != '/')
            current.clear();
        current += line;
        if (atOneTab && line[2] == '/')
            blocks.push_back(current);
    }
    std::sort(blocks.begin(), blocks.end());
    return blocks;
}

// Everything up to the counters' last line.
std::string Header(const std::string& form)
{
    return form.substr(0, form.find("\r\n", form.find("<最大TABORDERID>")) + 2);
}

// A list box rounds its height to whole rows of the font it has at the time:
// a height that a new list box keeps.
int KeptListBoxHeight(CWnd* host, int height, const CString& items)
{
    for (int i = 0; i < 5; ++i) {
        CFCControlFactory factory;
        factory.m_pParent = host;
        CWnd* list = factory.AddControl(FCKindListBox, nullptr, 0, 0, 100, height);
        if (list == nullptr)
            break;
        FillListBoxFromText(static_cast<CListBox*>(list), items);
        CRect rect;
        list->GetWindowRect(&rect);
        if (rect.Height() == height)
            break;
        height = rect.Height();
    }
    return height;
}

TEST_F(FCFormFileTest, FormOfEveryKindSurvivesSaveAndLoadOntoADialog)
{
    const CString items = "第一行\r\n\r\n第三行 & <x>\r\n\"四\"";
    const int listHeight = KeptListBoxHeight(&m_host, 60, items);
    const char* tricky = "甲 & <乙> \"丙\" '丁'";
    int n = 0;
    for (int kind = FCKindLabel; kind <= FCKindListBox; ++kind) {
        ++n;
        const int top = 10 + 40 * n;
        const int bottom = kind == FCKindListBox ? top + listHeight : top + 24;
        CWnd* control = m_factory.AddControl(kind, nullptr, 10 + 5 * n, top, 200 + 5 * n, bottom);
        ASSERT_NE(control, nullptr) << kind;
        CFCControlInternalProp& prop = *FCPropOf(control);
        control->SetWindowText(CString(tricky) + char('0' + kind));
        prop.m_strItems = items;
        if (kind == FCKindListBox)
            FillListBoxFromText(static_cast<CListBox*>(control), items);
        prop.m_strScript = "Sub CheckValid()  \r\n\r\n  x = \"a<b\" & 'c'\r\nEnd Sub";
        prop.m_strTip = tricky;
        prop.m_clrFore = RGB(kind, 2 * kind, 3 * kind);
        prop.m_strHorzAlign = "居中";
        prop.m_bChecked = kind % 2;
        prop.m_logFont.lfCharSet = 134;  // what every loaded form has
    }
    CFCDateTimeCtrl* picker = new CFCDateTimeCtrl;
    m_factory.m_mapControls.SetAt(picker, nullptr);
    auto& unsupported = Gui().Expect("").Press(IDOK);
    const std::string first = Bytes(m_factory.SaveToXml(0));
    EXPECT_TRUE(unsupported.Seen());
    EXPECT_TRUE(unsupported.HasText("不支持该控件!"));
    EXPECT_EQ(first.find("日期控件"), std::string::npos);

    CFormHostWnd dialog;
    ASSERT_TRUE(dialog.CreateHost(CRect(60, 60, 700, 560)));
    CFCControlFactory loaded;
    loaded.m_pParent = &dialog;
    Load(loaded, first, 1);
    const std::vector<CWnd*> controls = Controls(loaded);
    ASSERT_EQ(controls.size(), 9u);
    for (CWnd* control : controls) {
        EXPECT_NE(control->GetSafeHwnd(), (HWND)NULL);
        EXPECT_EQ(control->GetParent(), &dialog);
        if (KindOfControl(control) == FCKindListBox) {
            CListBox* list = static_cast<CListBox*>(control);
            ASSERT_EQ(list->GetCount(), 4) << "filled from its items";
            EXPECT_GE(list->FindStringExact(-1, "第三行 & <x>"), 0);
            EXPECT_GE(list->FindStringExact(-1, "\"四\""), 0);
        }
        if (KindOfControl(control) == FCKindEdit) {
            EXPECT_EQ(testsupport::WindowText(control->m_hWnd), std::string(tricky) + "6");
        }
    }
    const std::string second = Bytes(loaded.SaveToXml(0));
    const std::vector<std::string> firstBlocks = Blocks(first), secondBlocks = Blocks(second);
    ASSERT_EQ(firstBlocks.size(), 9u);
    ASSERT_EQ(secondBlocks.size(), 9u);
    for (size_t i = 0; i < firstBlocks.size(); ++i)
        EXPECT_TRUE(firstBlocks[i] == secondBlocks[i]) << firstBlocks[i] << "\n----\n" << secondBlocks[i];
    EXPECT_EQ(Header(first), Header(second));
    EXPECT_NE(first.find("<条目>第一行\r\n\r\n第三行 &amp; &lt;x&gt;\r\n&quot;四&quot;</条目>"), std::string::npos);
    dialog.DestroyWindow();
}

TEST_F(FCFormFileTest, DateTimeWriterUsesTheSameShape)
{
    CFCDateTimeCtrl picker;
    picker.m_prop.m_strCaption = "日期";
    const std::string block = Bytes(m_factory.DateTimeToXml(&picker, 1));
    EXPECT_EQ(block.substr(0, 13), "\t<日期控件>\r\n");
    EXPECT_NE(block.find("\t\t<内部属性>\r\n\t\t\t<控件类别>10</控件类别>"), std::string::npos);
    EXPECT_EQ(block.substr(block.size() - 14), "\t</日期控件>\r\n");
}

TEST_F(FCFormFileTest, UnparsableTextLeavesNoFileBehind)
{
    testsupport::TempDir temp;
    const CString oldTemp = GenGetTempFolder();
    GenSetTempFolder(temp.Path().c_str());
    EXPECT_FALSE(m_factory.LoadFormText("<控件管理器><未闭合>", m_document));
    GenSetTempFolder(oldTemp);
    WIN32_FIND_DATAA found;
    HANDLE search = ::FindFirstFileA((temp.Path() + "\\*.*").c_str(), &found);
    int files = 0;
    if (search != INVALID_HANDLE_VALUE) {
        do {
            if (!(found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY))
                ++files;
        } while (::FindNextFileA(search, &found));
        ::FindClose(search);
    }
    EXPECT_EQ(files, 0);
    EXPECT_EQ(::GetFileAttributesA("c:\\test.xml"), INVALID_FILE_ATTRIBUTES);
}

}  // namespace

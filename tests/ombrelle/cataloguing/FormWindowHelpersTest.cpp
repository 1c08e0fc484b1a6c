// The form helpers that work on windows: the edit check and its messages,
// combo and list boxes, list views, Enter, placement and other instances.
#include "FormWindowHelpers.h"
#include "GuiDriver.h"
#include "TempDir.h"
#include "WindowText.h"

#include <gtest/gtest.h>

#include <memory>
#include <string>

namespace {

using testsupport::Gui;

class CHelpersTestApp : public CWinApp {
public:
    CHelpersTestApp() : CWinApp("表单助手测试") {}
};

CHelpersTestApp theApp;

class FormWindowHelpersTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        // The dialog class, whose window procedure moves the focus on WM_NEXTDLGCTL.
        ASSERT_TRUE(m_parent.CreateEx(0, "#32770", "表单", WS_OVERLAPPEDWINDOW | WS_VISIBLE,
                                      CRect(30, 30, 430, 330), NULL, 0));
        ASSERT_TRUE(m_edit.Create(WS_CHILD | WS_VISIBLE | WS_TABSTOP | WS_BORDER, CRect(10, 10, 200, 30), &m_parent, 101));
        ASSERT_TRUE(m_other.Create(WS_CHILD | WS_VISIBLE | WS_TABSTOP | WS_BORDER, CRect(10, 40, 200, 60), &m_parent, 102));
        m_parent.SetForegroundWindow();
        m_other.SetFocus();
    }
    void TearDown() override
    {
        if (m_parent.GetSafeHwnd() != NULL)
            m_parent.DestroyWindow();
    }

    CWnd m_parent;
    CEdit m_edit;
    CEdit m_other;
};

struct EditCase {
    const char* name;
    const char* text;
    int allowEmpty;
    const char* charSet;
    const char* message;  // "" when it passes
};

void PrintTo(const EditCase& c, std::ostream* os) { *os << c.name; }

const EditCase kEdits[] = {
    {"EmptyRefused", "", 0, "", "电话不能为空!"},
    {"EmptyRefusedUnlessOne", "", 2, "", "电话不能为空!"},
    {"EmptyAllowed", "", 1, "0123", ""},
    {"InTheSet", "0123-", 0, "0123456789-", ""},
    {"OutsideTheSet", "01a", 0, "0123456789", "请输入有效的电话!"},
    {"NoSetTakesAnything", "任何 text", 0, "", ""},
    {"ChineseFromTheSet", "甲乙甲", 0, "甲乙丙", ""},
    // "表" and "丙" share no character, though bytes of the two may match.
    {"ChineseOutsideTheSet", "甲表", 0, "甲乙丙b1ed", "请输入有效的电话!"},
};

class ValidateEditTest : public FormWindowHelpersTest, public ::testing::WithParamInterface<EditCase> {};

TEST_P(ValidateEditTest, ChecksTheText)
{
    const EditCase& c = GetParam();
    m_edit.SetWindowText(c.text);
    const bool refused = *c.message != '\0';
    testsupport::WindowExpectation* message = nullptr;
    if (refused)
        message = &Gui().Expect("").Press(IDOK);
    EXPECT_EQ(ValidateEdit(&m_edit, c.allowEmpty, c.charSet, "电话") != FALSE, !refused);
    if (refused) {
        EXPECT_TRUE(message->HasText(c.message));
        EXPECT_EQ(::GetFocus(), m_edit.m_hWnd);
    } else {
        EXPECT_EQ(::GetFocus(), m_other.m_hWnd);
    }
}

INSTANTIATE_TEST_SUITE_P(Table, ValidateEditTest, ::testing::ValuesIn(kEdits),
                         [](const ::testing::TestParamInfo<EditCase>& info) { return info.param.name; });

TEST_F(FormWindowHelpersTest, ListAndComboBoxes)
{
    CListBox list;
    ASSERT_TRUE(list.Create(WS_CHILD | WS_VISIBLE | LBS_HASSTRINGS, CRect(210, 10, 390, 100), &m_parent, 103));
    list.AddString("old");
    FillListBoxFromText(&list, "");
    EXPECT_EQ(list.GetCount(), 1);
    FillListBoxFromText(&list, " 甲 \r\n乙");
    ASSERT_EQ(list.GetCount(), 2);
    CString entry;
    list.GetText(0, entry);
    EXPECT_EQ(std::string(entry), "甲");

    CComboBox combo;
    ASSERT_TRUE(combo.Create(WS_CHILD | WS_VISIBLE | CBS_DROPDOWN, CRect(210, 110, 390, 250), &m_parent, 104));
    combo.AddString("Alpha");
    combo.AddString("alpha");
    combo.AddString("贝塔");
    ComboSelectText(&combo, "alpha");
    EXPECT_EQ(combo.GetCurSel(), 1);
    EXPECT_EQ(ComboCurrentIndex(&combo), 1);
    ComboSelectText(&combo, "伽马");
    EXPECT_EQ(combo.GetCurSel(), CB_ERR);
    EXPECT_EQ(testsupport::WindowText(combo.m_hWnd), "伽马");
    EXPECT_EQ(ComboCurrentIndex(&combo), -1);
    combo.SetCurSel(-1);
    combo.SetWindowText("贝塔");
    EXPECT_EQ(ComboCurrentIndex(&combo), 2);
    ComboSelectText(&combo, "");
    EXPECT_EQ(combo.GetCurSel(), CB_ERR);
    EXPECT_EQ(testsupport::WindowText(combo.m_hWnd), "");

    // Gone windows are left alone.
    FillListBoxFromText(nullptr, "a");
    EXPECT_EQ(ComboCurrentIndex(nullptr), -1);
}

TEST_F(FormWindowHelpersTest, ListViewSelection)
{
    CListCtrl view;
    ASSERT_TRUE(view.Create(WS_CHILD | WS_VISIBLE | LVS_REPORT, CRect(210, 10, 390, 200), &m_parent, 105));
    view.InsertColumn(0, "名", LVCFMT_LEFT, 100);
    int index = 3;
    EXPECT_FALSE(ListCtrlSelectIndex(&view, index, TRUE));
    EXPECT_EQ(index, -1);
    index = 3;
    EXPECT_FALSE(ListCtrlSelectIndex(&view, index, FALSE));
    EXPECT_EQ(index, 3);
    EXPECT_EQ(ListCtrlSelectedIndex(&view), -1);

    view.InsertItem(0, "a");
    view.InsertItem(1, "b");
    index = 5;
    EXPECT_FALSE(ListCtrlSelectIndex(&view, index, FALSE));
    EXPECT_EQ(ListCtrlSelectedIndex(&view), -1);
    EXPECT_TRUE(ListCtrlSelectIndex(&view, index, TRUE));
    EXPECT_EQ(index, 0);
    EXPECT_EQ(ListCtrlSelectedIndex(&view), 0);
    index = 1;
    EXPECT_TRUE(ListCtrlSelectIndex(&view, index, FALSE));
    EXPECT_EQ(view.GetItemState(1, LVIS_FOCUSED), UINT(LVIS_FOCUSED));
}

TEST_F(FormWindowHelpersTest, EnterMovesTheFocusOn)
{
    m_edit.SetFocus();
    MSG enter = {m_edit.m_hWnd, WM_KEYDOWN, VK_RETURN, 0, 0, {0, 0}};
    MSG tab = {m_edit.m_hWnd, WM_KEYDOWN, VK_TAB, 0, 0, {0, 0}};
    EXPECT_FALSE(EnterMovesFocus(&m_parent, &tab));
    EXPECT_EQ(::GetFocus(), m_edit.m_hWnd);
    EXPECT_TRUE(EnterMovesFocus(&m_parent, &enter));
    EXPECT_EQ(::GetFocus(), m_other.m_hWnd);
}

TEST_F(FormWindowHelpersTest, SmallWindowHelpersActOnlyOnExistingWindows)
{
    EnableDialogItem(101, FALSE, &m_parent);
    EXPECT_FALSE(m_edit.IsWindowEnabled());
    EnableWindowSafe(&m_edit, TRUE);
    EXPECT_TRUE(m_edit.IsWindowEnabled());
    FocusDialogItem(101, &m_parent);
    EXPECT_EQ(::GetFocus(), m_edit.m_hWnd);
    EXPECT_TRUE(HasStyle(&m_edit, WS_TABSTOP | WS_DISABLED));
    EXPECT_FALSE(HasStyle(&m_edit, WS_DISABLED));
    HideWindow(&m_other);
    EXPECT_FALSE(m_other.IsWindowVisible());

    EnableDialogItem(999, FALSE, &m_parent);
    FocusDialogItem(999, &m_parent);
    CWnd never;
    EnableWindowSafe(&never, FALSE);
    HideWindow(nullptr);
    EXPECT_FALSE(HasStyle(&never, WS_CHILD));
}

TEST_F(FormWindowHelpersTest, CentresInTheFullScreenArea)
{
    const int width = ::GetSystemMetrics(SM_CXFULLSCREEN), height = ::GetSystemMetrics(SM_CYFULLSCREEN);
    m_parent.MoveWindow(0, 0, 400, 300);
    CentreInWorkArea(&m_parent);
    CRect rect;
    m_parent.GetWindowRect(&rect);
    EXPECT_EQ(rect, CRect((width - 400) / 2, (height - 300) / 2, (width - 400) / 2 + 400, (height - 300) / 2 + 300));
    m_parent.MoveWindow(10, 10, width + 20, 300);
    CentreInWorkArea(&m_parent);
    m_parent.GetWindowRect(&rect);
    EXPECT_EQ(rect.left, 0);
    EXPECT_EQ(rect.top, (height - 300) / 2);
}

TEST_F(FormWindowHelpersTest, FindsWindowsAndOtherInstances)
{
    EXPECT_EQ(WaitForWindow(NULL, "表单", 0), m_parent.m_hWnd);
    const std::string missing = testsupport::ProcessUnique("没有的窗口");
    EXPECT_EQ(WaitForWindow(NULL, missing.c_str(), 30), HWND(NULL));

    const std::string name = testsupport::ProcessUnique("OmbrelleFormHelpersInstance");
    EXPECT_FALSE(OtherInstanceRunning(name.c_str(), NULL, NULL));
    EXPECT_FALSE(OtherInstanceRunning(name.c_str(), NULL, ""));
    m_parent.ShowWindow(SW_MINIMIZE);
    EXPECT_TRUE(OtherInstanceRunning(name.c_str(), NULL, "表单"));
    EXPECT_FALSE(m_parent.IsIconic());
    EXPECT_TRUE(OtherInstanceRunning(name.c_str(), "no such class", NULL));
}

}  // namespace

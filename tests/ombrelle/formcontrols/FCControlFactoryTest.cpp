// The form-control factory: creating, numbering and ordering controls, taking
// over a dialog's own children, tips, layout checks and what it deletes.
#include "FCControlFactory.h"
#include "FormTestHost.h"
#include "GuiDriver.h"
#include "WindowText.h"

#include <gtest/gtest.h>

#include <memory>
#include <string>

namespace {

using testsupport::Gui;

class FCFactoryTest : public FCHostedTest {
protected:
    bool InMap(CWnd* control) const
    {
        void* tracker = nullptr;
        return m_factory.m_mapControls.Lookup(control, tracker) != FALSE;
    }
};

TEST_F(FCFactoryTest, NewFactoryStartsAtTheBase)
{
    EXPECT_EQ(m_factory.m_nMaxCtrlId, 3000);
    EXPECT_EQ(m_factory.m_nMaxTabOrder, 0);
    EXPECT_EQ(m_factory.m_nControlCount, 0);
    EXPECT_EQ(CRect(m_factory.m_bounds.m_nLeft, m_factory.m_bounds.m_nTop, m_factory.m_bounds.m_nRight,
                    m_factory.m_bounds.m_nBottom),
              CRect(0, 0, 1500, 1000));
    CFCLayoutBounds bounds;
    EXPECT_EQ(CRect(bounds.m_nLeft, bounds.m_nTop, bounds.m_nRight, bounds.m_nBottom), CRect(0, 0, 1, 1));
}

TEST_F(FCFactoryTest, NextControlIdSkipsUsedIdsThenChildren)
{
    m_factory.SetUsedIds(" 3001|3002 ");
    CStatic child;
    ASSERT_TRUE(child.Create("", WS_CHILD, CRect(0, 0, 5, 5), &m_host, 3003));
    EXPECT_EQ(m_factory.NextControlId(), 3004);
    EXPECT_EQ(m_factory.m_nMaxCtrlId, 3004);
    EXPECT_EQ(m_factory.NextControlId(), 3005);
}

TEST_F(FCFactoryTest, UsedIdsTakeOnlyNumbersFromOneUp)
{
    m_factory.SetUsedIds("3001, 12a|0|-4|3007,,  42 ");
    DWORD value = 0;
    for (int id : {3001, 3007, 42})
        EXPECT_TRUE(m_factory.m_mapUsedIds.Lookup(id, value)) << id;
    EXPECT_EQ(m_factory.m_mapUsedIds.GetCount(), 3);
    m_factory.SetUsedIds("");
    EXPECT_EQ(m_factory.m_mapUsedIds.GetCount(), 0);
}

struct AddCase {
    int kind;
    const char* caption;
    const char* windowClass;
};

const AddCase kAdds[] = {
    {FCKindLabel, "标签1", "Static"},      {FCKindButton, "按钮2", "Button"},     {FCKindRadio, "单选框3", "Button"},
    {FCKindCheckBox, "检查框4", "Button"}, {FCKindGroupBox, "组合框5", "Button"}, {FCKindEdit, "编辑框6", "Edit"},
    {FCKindMemo, "多文本框7", "Edit"},     {FCKindComboBox, "选择框8", "ComboBox"},
    {FCKindListBox, "列表框9", "ListBox"},
};

TEST_F(FCFactoryTest, AddControlNamesNumbersOrdersAndCreatesEachKind)
{
    int n = 0;
    for (const AddCase& c : kAdds) {
        ++n;
        CWnd* control = m_factory.AddControl(c.kind, nullptr, 10, 10 + 30 * n, 150, 34 + 30 * n);
        ASSERT_NE(control, nullptr) << c.kind;
        const CFCControlInternalProp& prop = *FCPropOf(control);
        EXPECT_EQ(Bytes(prop.m_strCaption), c.caption);
        EXPECT_EQ(prop.m_nControlId, 3000 + n);
        EXPECT_EQ(prop.m_nTabOrder, n);
        EXPECT_EQ(prop.m_pOwner, &m_factory);
        EXPECT_TRUE(InMap(control));
        ASSERT_NE(control->GetSafeHwnd(), (HWND)NULL);
        EXPECT_EQ(::GetDlgCtrlID(control->m_hWnd), 3000 + n);
        char className[32] = "";
        ::GetClassNameA(control->m_hWnd, className, sizeof className);
        EXPECT_STRCASEEQ(className, c.windowClass);
        EXPECT_EQ(reinterpret_cast<HFONT>(control->SendMessage(WM_GETFONT)), HFONT(prop.m_pFont->GetSafeHandle()));
        // A combo box draws its own edge and drops the client edge.
        const bool edged = c.kind >= FCKindEdit && c.kind != FCKindComboBox;
        EXPECT_EQ((control->GetExStyle() & WS_EX_CLIENTEDGE) != 0, edged) << c.kind;
    }
    EXPECT_EQ(m_factory.m_nControlCount, 9);
    EXPECT_EQ(m_factory.AddControl(FCKindDateTime, nullptr, 0, 0, 10, 10), nullptr);
    EXPECT_EQ(m_factory.AddControl(0, nullptr, 0, 0, 10, 10), nullptr);
    EXPECT_EQ(m_factory.m_mapControls.GetCount(), 9);
}

TEST_F(FCFactoryTest, ComboBoxDropsDownBelowItsTop)
{
    CWnd* combo = m_factory.AddControl(FCKindComboBox, nullptr, 20, 40, 200, 60);
    ASSERT_NE(combo, nullptr);
    EXPECT_EQ(FCPropOf(combo)->m_rect.bottom, 170);
}

TEST_F(FCFactoryTest, DesignStateCreatesDisabledControlsEnabled)
{
    std::unique_ptr<CFCEdit> edit(new CFCEdit);
    m_factory.InitNewControl(edit->m_prop, 10, 10, 100, 30, "编辑框");
    edit->m_prop.SetStyleBits(WS_DISABLED, TRUE);
    ASSERT_EQ(m_factory.CreateEdit(&m_host, edit.get()), edit.get());
    EXPECT_TRUE(edit->IsWindowEnabled());
    m_factory.m_mapControls.RemoveKey(edit.get());
}

// A creation that fails tells the user, answers NULL and leaves the
// factory without the control.
TEST_F(FCFactoryTest, FailedCreationOfEachKindIsReportedAndForgotten)
{
    const struct {
        int kind;
        const char* message;
    } cases[] = {
        {FCKindLabel, "创建静态文本框失败!"}, {FCKindButton, "创建按钮失败!"},   {FCKindRadio, "创建单选钮失败!"},
        {FCKindCheckBox, "创建检查框失败!"},  {FCKindGroupBox, "创建组合框失败!"}, {FCKindEdit, "创建编辑框失败!"},
        {FCKindMemo, "创建多文本框失败!"},    {FCKindComboBox, "创建选择框失败!"}, {FCKindListBox, "创建列表框失败!"},
    };
    CWnd gone;
    ASSERT_TRUE(gone.CreateEx(0, "#32770", "", WS_OVERLAPPED, CRect(0, 0, 10, 10), NULL, 0));
    const HWND goneHandle = gone.m_hWnd;
    gone.DestroyWindow();
    for (const auto& c : cases) {
        std::unique_ptr<CWnd> control(FCNewControl(c.kind));
        m_factory.InitNewControl(*FCPropOf(control.get()), 1, 1, 50, 20, "x");
        CWnd stale;
        stale.m_hWnd = goneHandle;  // a parent whose window is gone
        auto& box = Gui().Expect("").Press(IDOK);
        CWnd* created = nullptr;
        switch (c.kind) {
        case FCKindLabel: created = m_factory.CreateLabel(&stale, static_cast<CFCLabel*>(control.get())); break;
        case FCKindButton: created = m_factory.CreateButton(&stale, static_cast<CFCButton*>(control.get())); break;
        case FCKindRadio: created = m_factory.CreateRadio(&stale, static_cast<CFCRadio*>(control.get())); break;
        case FCKindCheckBox:
            created = m_factory.CreateCheckBox(&stale, static_cast<CFCCheckBox*>(control.get()));
            break;
        case FCKindGroupBox:
            created = m_factory.CreateGroupBox(&stale, static_cast<CFCGroupBox*>(control.get()));
            break;
        case FCKindEdit: created = m_factory.CreateEdit(&stale, static_cast<CFCEdit*>(control.get())); break;
        case FCKindMemo: created = m_factory.CreateMemo(&stale, static_cast<CFCMemo*>(control.get())); break;
        case FCKindComboBox:
            created = m_factory.CreateComboBox(&stale, static_cast<CFCComboBox*>(control.get()));
            break;
        case FCKindListBox: created = m_factory.CreateListBox(&stale, static_cast<CFCListBox*>(control.get())); break;
        }
        stale.m_hWnd = NULL;
        EXPECT_EQ(created, nullptr) << c.message;
        EXPECT_TRUE(box.Seen());
        EXPECT_TRUE(box.HasText(c.message)) << c.message;
        EXPECT_EQ(control->GetSafeHwnd(), (HWND)NULL);
        EXPECT_EQ(m_factory.m_mapControls.GetCount(), 0) << c.message;
    }
    // AddControl deletes the control it made for a failed creation.
    m_host.DestroyWindow();
    Gui().Expect("").Press(IDOK);
    EXPECT_EQ(m_factory.AddControl(FCKindEdit, nullptr, 0, 0, 10, 10), nullptr);
    EXPECT_EQ(m_factory.m_mapControls.GetCount(), 0);
}

TEST_F(FCFactoryTest, HiddenEditHasNoWindowAndIsTheFactorys)
{
    CFCEdit* edit = m_factory.AddHiddenEdit("隐藏", 40, 60);
    ASSERT_NE(edit, nullptr);
    EXPECT_TRUE(InMap(edit));
    EXPECT_EQ(edit->GetSafeHwnd(), (HWND)NULL);
    const CFCControlInternalProp& prop = edit->m_prop;
    EXPECT_TRUE(prop.m_strCaption.IsEmpty());
    EXPECT_EQ(CRect(prop.m_rect), CRect(10, 40, 15, 60));
    EXPECT_EQ(prop.m_bDesignState, 0);
    EXPECT_EQ(prop.m_bShown, 0);
    EXPECT_EQ(prop.m_bValid, 0);
    EXPECT_EQ(prop.m_bTabStop, 0);
    EXPECT_EQ(prop.m_nControlId, 3001);
    EXPECT_EQ(prop.m_nTabOrder, 1);
}

HWND NextSibling(CWnd* control) { return ::GetWindow(control->m_hWnd, GW_HWNDNEXT); }

TEST_F(FCFactoryTest, TabOrderMovesAndAppliesToTheWindows)
{
    CWnd* a = m_factory.AddControl(FCKindEdit, nullptr, 10, 10, 100, 30);
    CWnd* b = m_factory.AddControl(FCKindEdit, nullptr, 10, 40, 100, 60);
    CWnd* c = m_factory.AddControl(FCKindEdit, nullptr, 10, 70, 100, 90);
    CWnd* label = m_factory.AddControl(FCKindLabel, nullptr, 10, 100, 100, 120);
    ASSERT_TRUE(a && b && c && label);
    m_factory.RebuildTabOrder();
    EXPECT_EQ(m_factory.m_nMaxTabOrder, 4);
    ASSERT_EQ(m_factory.m_arrTabOrder.GetSize(), 5);
    EXPECT_EQ(m_factory.m_arrTabOrder[0], nullptr);
    EXPECT_EQ(m_factory.m_arrTabOrder[1], a);

    // Into an occupied slot: the later controls move up one.
    FCPropOf(c)->SetTabOrder(1);
    const void* expected[] = {nullptr, c, a, b, nullptr, label};
    ASSERT_EQ(m_factory.m_arrTabOrder.GetSize(), 6);
    for (int i = 0; i < 6; ++i)
        EXPECT_EQ(m_factory.m_arrTabOrder[i], expected[i]) << i;
    EXPECT_EQ(FCPropOf(c)->m_nTabOrder, 1);
    EXPECT_EQ(FCPropOf(a)->m_nTabOrder, 2);
    EXPECT_EQ(FCPropOf(b)->m_nTabOrder, 3);
    EXPECT_EQ(FCPropOf(label)->m_nTabOrder, 5);
    // Into an empty slot, and beyond the end.
    FCPropOf(label)->SetTabOrder(4);
    EXPECT_EQ(m_factory.m_arrTabOrder[4], label);
    EXPECT_EQ(m_factory.m_arrTabOrder[5], nullptr);
    FCPropOf(a)->SetTabOrder(8);
    EXPECT_EQ(m_factory.m_arrTabOrder.GetSize(), 9);
    EXPECT_EQ(m_factory.m_arrTabOrder[8], a);
    EXPECT_EQ(m_factory.m_arrTabOrder[2], nullptr);

    // Windows in tab order: c, b, a (the label has no tab stop).
    m_factory.ApplyTabOrder();
    EXPECT_EQ(NextSibling(c), b->m_hWnd);
    EXPECT_EQ(NextSibling(b), a->m_hWnd);
}

// A dialog made from a template with an edit 1017, which the dialog's own
// framework edit stands for.
class CTemplateDialog : public CWnd {
public:
    BOOL Make(CWnd* parent)
    {
        struct {
            DLGTEMPLATE dialog;
            WORD menu, windowClass, title;
            DLGITEMTEMPLATE item;
            WORD classOrdinal[2];
            WORD text, extra;
        } t = {};
        t.dialog.style = WS_CHILD | WS_VISIBLE;
        t.dialog.cdit = 1;
        t.dialog.cx = 200;
        t.dialog.cy = 100;
        t.item.style = WS_CHILD | WS_VISIBLE | WS_BORDER | ES_AUTOHSCROLL;
        t.item.x = 5;
        t.item.y = 5;
        t.item.cx = 80;
        t.item.cy = 12;
        t.item.id = 1017;
        t.classOrdinal[0] = 0xFFFF;
        t.classOrdinal[1] = 0x0081;  // edit
        HWND dialog = ::CreateDialogIndirectParamA(AfxGetInstanceHandle(), &t.dialog, parent->m_hWnd,
                                                   [](HWND, UINT, WPARAM, LPARAM) -> INT_PTR { return FALSE; }, 0);
        return dialog != NULL && SubclassWindow(dialog) && m_edit.SubclassDlgItem(1017, this);
    }
    CFCEdit m_edit;
};

TEST_F(FCFactoryTest, AlreadyExistingControlTakesOverTheTemplatesChild)
{
    CTemplateDialog dialog;
    ASSERT_TRUE(dialog.Make(&m_host));
    m_factory.m_pParent = &dialog;
    dialog.m_edit.m_prop.m_nControlId = 1017;

    CFCEdit* loaded = new CFCEdit;
    CFCControlInternalProp& prop = loaded->m_prop;
    prop.m_bAlreadyExists = 1;
    prop.m_nControlId = 1017;
    prop.m_nTabOrder = 7;
    prop.m_strCaption = "已有 & <文字>";
    prop.m_rect = CRect(12, 14, 180, 40);
    prop.m_clrFore = RGB(9, 8, 7);
    prop.m_logFont.lfHeight = -20;
    EXPECT_EQ(m_factory.AdoptDialogControl(loaded, prop), &dialog.m_edit);  // the loaded one is deleted

    const CFCControlInternalProp& taken = dialog.m_edit.m_prop;
    EXPECT_EQ(taken.m_nControlId, 1017);
    EXPECT_EQ(taken.m_nTabOrder, 7);
    EXPECT_EQ(taken.m_bAlreadyExists, 1);
    EXPECT_EQ(taken.m_clrFore, RGB(9, 8, 7));
    EXPECT_EQ(testsupport::WindowText(dialog.m_edit.m_hWnd), "已有 & <文字>");
    CRect rect;
    dialog.m_edit.GetWindowRect(&rect);
    dialog.ScreenToClient(&rect);
    EXPECT_EQ(rect, CRect(12, 14, 180, 40));
    LOGFONT font = {};
    ::GetObject(reinterpret_cast<HFONT>(dialog.m_edit.SendMessage(WM_GETFONT)), sizeof font, &font);
    EXPECT_EQ(font.lfHeight, -20);

    // No child of that id: the control is made anew.
    CFCEdit other;
    other.m_prop.m_bAlreadyExists = 1;
    other.m_prop.m_nControlId = 1099;
    EXPECT_EQ(m_factory.AdoptDialogControl(&other, other.m_prop), &other);
    EXPECT_EQ(other.m_prop.m_bAlreadyExists, 0);
    dialog.m_edit.UnsubclassWindow();
    dialog.DestroyWindow();
}

TEST_F(FCFactoryTest, CopyTakesANewIdentityUnlessKept)
{
    CFCEdit source;
    m_factory.InitNewControl(source.m_prop, 1, 2, 30, 40, "编辑框");
    source.m_prop.m_pOwner = &m_factory;
    source.m_prop.m_bAlreadyExists = 1;
    source.m_prop.m_strItems = "甲\r\n乙";
    source.m_prop.m_logFont.lfWeight = 700;
    CFCEdit copy;
    copy.m_prop.CopyFrom(source.m_prop, FALSE);
    EXPECT_EQ(copy.m_prop.m_nControlId, 3002);
    EXPECT_EQ(copy.m_prop.m_nTabOrder, 2);
    EXPECT_EQ(copy.m_prop.m_bAlreadyExists, 0);
    EXPECT_EQ(Bytes(copy.m_prop.m_strItems), "甲\r\n乙");
    EXPECT_EQ(copy.m_prop.m_logFont.lfWeight, 700) << "taken from the font object";
    EXPECT_EQ(CRect(copy.m_prop.m_rect), CRect(1, 2, 30, 40));
    copy.m_prop.CopyFrom(source.m_prop, TRUE);
    EXPECT_EQ(copy.m_prop.m_nControlId, 3001);
    EXPECT_EQ(copy.m_prop.m_nTabOrder, 1);
    EXPECT_EQ(copy.m_prop.m_bAlreadyExists, 1);
}

TEST_F(FCFactoryTest, TipTextInDesignAndRunState)
{
    CWnd* edit = m_factory.AddControl(FCKindEdit, nullptr, 15, 25, 115, 55);
    ASSERT_NE(edit, nullptr);
    CFCControlInternalProp* prop = FCPropOf(edit);
    prop->m_strTip = "请输入";
    EXPECT_EQ(Bytes(m_factory.ControlTipText(edit, prop)),
              " left : 15 , top : 25 , width : 100 , height : 30 \r\n Ctrl ID = 3001");
    prop->m_bDesignState = 0;
    prop->m_bShowTip = 1;
    EXPECT_EQ(Bytes(m_factory.ControlTipText(edit, prop)), "请输入");
    prop->m_bShowTip = 0;
    EXPECT_EQ(Bytes(m_factory.ControlTipText(edit, prop)), "");
    EXPECT_EQ(Bytes(m_factory.ControlTipText(edit, nullptr)), "");
}

TEST(FCLayoutBoundsTest, SixRefusals)
{
    CFCLayoutBounds bounds;
    bounds.m_nLeft = 0;
    bounds.m_nTop = 0;
    bounds.m_nRight = 1500;
    bounds.m_nBottom = 1000;
    const struct {
        CRect rect;
        int edge;
        const char* message;  // "" when it passes
    } cases[] = {
        {CRect(-1, 0, 10, 10), 1, "左边距太小!"},  {CRect(-1, 0, 10, 10), 5, "左边距太小!"},
        {CRect(0, 0, 1501, 10), 2, "右边距太大!"}, {CRect(0, -3, 10, 10), 3, "上边距太小!"},
        {CRect(0, 0, 10, 1001), 4, "下边距太大!"}, {CRect(20, 0, 10, 10), 2, "左边距应小于右边距!"},
        {CRect(0, 30, 10, 10), 1, "上边距应小于下边距!"}, {CRect(-1, 0, 10, 10), 2, ""},
        {CRect(0, 0, 1500, 1000), 4, ""},
    };
    for (const auto& c : cases) {
        const bool refused = *c.message != '\0';
        testsupport::WindowExpectation* box = refused ? &Gui().Expect("").Press(IDOK) : nullptr;
        EXPECT_EQ(bounds.Check(c.rect, c.edge), refused ? 0 : 1) << c.message;
        if (refused) {
            EXPECT_TRUE(box->Seen());
            EXPECT_TRUE(box->HasText(c.message)) << c.message;
        }
    }
}

TEST_F(FCFactoryTest, DestructionDeletesAllButTheKeptControls)
{
    HWND made = NULL, kept = NULL;
    CFCLabel keptLabel;
    {
        CFCControlFactory factory;
        factory.m_pParent = &m_host;
        CWnd* control = factory.AddControl(FCKindEdit, nullptr, 0, 0, 50, 20);
        ASSERT_NE(control, nullptr);
        made = control->m_hWnd;
        ASSERT_EQ(factory.CreateLabel(&m_host, &keptLabel), &keptLabel);
        kept = keptLabel.m_hWnd;
        factory.m_mapKept.SetAt(&keptLabel, nullptr);
    }
    EXPECT_FALSE(::IsWindow(made));
    EXPECT_TRUE(::IsWindow(kept));
    keptLabel.DestroyWindow();
}

}  // namespace

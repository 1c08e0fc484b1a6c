// The framework controls and their property record: defaults per kind, the
// archive form, design-state forwarding, the colour message, the kind test.
#include "FCControlFactory.h"
#include "FCControls.h"
#include "FormTestHost.h"
#include "FormVocabulary.h"

#include "afxfile.h"

#include <gtest/gtest.h>

#include <memory>
#include <string>

namespace {

struct KindCase {
    int kind;
    DWORD style;
    BOOL tabStop;
    bool buttonFace;
};

const KindCase kKinds[] = {
    {FCKindLabel, 0x50000000, 0, true},      {FCKindButton, 0x50010000, 1, false},
    {FCKindRadio, 0x50010009, 1, true},      {FCKindCheckBox, 0x50010003, 1, true},
    {FCKindGroupBox, 0x50000007, 0, true},   {FCKindEdit, 0x50810080, 1, false},
    {FCKindMemo, 0x50811004, 1, false},      {FCKindComboBox, 0x50210003, 1, false},
    {FCKindListBox, 0x50A10003, 1, false},   {FCKindDateTime, 0x50000020, 1, false},
};

TEST(FCControlDefaults, EachKindHasItsStyleTabStopAndBackground)
{
    for (const KindCase& c : kKinds) {
        std::unique_ptr<CWnd> control(FCNewControl(c.kind));
        CFCControlInternalProp* prop = FCPropOf(control.get());
        ASSERT_NE(prop, nullptr) << c.kind;
        EXPECT_EQ(prop->m_nKind, c.kind);
        EXPECT_EQ(prop->m_dwStyle, c.style) << c.kind;
        EXPECT_EQ(prop->m_bTabStop, c.tabStop) << c.kind;
        EXPECT_EQ(prop->m_clrBack, c.buttonFace ? ::GetSysColor(COLOR_BTNFACE) : RGB(255, 255, 255)) << c.kind;
        EXPECT_TRUE(prop->m_strCaption.IsEmpty());
        EXPECT_EQ(prop->m_nTabOrder, -1);
        EXPECT_EQ(prop->m_bDesignState, 1);
        EXPECT_EQ(std::string(prop->m_logFont.lfFaceName), "宋体");
        EXPECT_EQ(prop->m_logFont.lfHeight, -12);
        EXPECT_EQ(Bytes(prop->m_strVertAlign), "靠上");
        EXPECT_EQ(Bytes(prop->m_strHorzAlign), "居左");
        EXPECT_EQ(prop->m_arrPropertyFlags.GetSize(), 40);
    }
}

TEST(FCControlDefaults, PropertyFlagsFollowTheKind)
{
    // The entries every kind clears, and those each kind sets again.
    const struct {
        int kind;
        std::vector<int> on;
        std::vector<int> off;
    } cases[] = {
        {FCKindLabel, {16, 6, 39}, {0, 14, 35, 36}},
        {FCKindButton, {16, 6}, {0, 11, 12, 14}},
        {FCKindRadio, {16, 14}, {0, 15}},
        {FCKindEdit, {17, 15}, {16, 18, 19}},
        {FCKindMemo, {18, 15}, {17, 16}},
        {FCKindListBox, {19, 35}, {15, 16}},
        {FCKindDateTime, {35, 11}, {16, 17, 18, 19, 37}},
    };
    for (const auto& c : cases) {
        std::unique_ptr<CWnd> control(FCNewControl(c.kind));
        const CDWordArray& flags = FCPropOf(control.get())->m_arrPropertyFlags;
        for (int i : c.on)
            EXPECT_EQ(flags[i], 1u) << "kind " << c.kind << " entry " << i;
        for (int i : c.off)
            EXPECT_EQ(flags[i], 0u) << "kind " << c.kind << " entry " << i;
    }
}

TEST(FCControlKind, ClassTestGivesTheKindAndZeroForOthers)
{
    for (int kind = FCKindLabel; kind <= FCKindListBox; ++kind) {
        std::unique_ptr<CWnd> control(FCNewControl(kind));
        EXPECT_EQ(KindOfControl(control.get()), kind);
    }
    CFCDateTimeCtrl picker;
    CEdit plainEdit;
    EXPECT_EQ(KindOfControl(&picker), 0);
    EXPECT_EQ(KindOfControl(&plainEdit), 0);
    EXPECT_EQ(KindOfControl(nullptr), 0);
    EXPECT_EQ(FCPropOf(&picker), &picker.m_prop);
    EXPECT_EQ(FCPropOf(&plainEdit), nullptr);
}

TEST(FCControlRecord, AlignmentNamesAndCreationStyle)
{
    EXPECT_EQ(Bytes(AlignmentName(2)), "居右");
    EXPECT_EQ(Bytes(AlignmentName(6)), "居中");
    EXPECT_EQ(Bytes(AlignmentName(0)), "居左");
    EXPECT_EQ(Bytes(AlignmentName(24)), "居左");

    CFCControlInternalProp prop;
    prop.m_dwStyle = WS_CHILD | WS_DISABLED;
    EXPECT_EQ(prop.CreationStyle(), DWORD(WS_CHILD));
    prop.m_bDesignState = 0;
    EXPECT_EQ(prop.CreationStyle(), DWORD(WS_CHILD | WS_DISABLED));
    prop.SetStyleBits(WS_DISABLED | WS_BORDER, FALSE);
    prop.SetStyleBits(WS_TABSTOP, TRUE);
    EXPECT_EQ(prop.m_dwStyle, DWORD(WS_CHILD | WS_TABSTOP));
}

// ---------------------------------------------------------------------------
// The archive form

class ByteWriter {
public:
    void Int(int32_t value)
    {
        for (int i = 0; i < 4; ++i)
            bytes.push_back(char((uint32_t(value) >> (8 * i)) & 0xFF));
    }
    void Byte(int value) { bytes.push_back(char(value)); }
    void Text(const std::string& text)  // the library's string form, short texts
    {
        Byte(int(text.size()));
        bytes += text;
    }
    std::string bytes;
};

std::string Archived(CObject& object)
{
    CMemFile file;
    {
        CArchive ar(&file, CArchive::store);
        object.Serialize(ar);
        ar.Close();
    }
    const ULONGLONG length = file.GetLength();
    BYTE* data = file.Detach();
    std::string bytes(reinterpret_cast<const char*>(data), size_t(length));
    free(data);
    return bytes;
}

void LoadArchived(CObject& object, const std::string& bytes)
{
    CMemFile file(reinterpret_cast<BYTE*>(const_cast<char*>(bytes.data())), UINT(bytes.size()));
    CArchive ar(&file, CArchive::load);
    object.Serialize(ar);
    ar.Close();
}

TEST(FCControlArchive, OneControlByteForByteAndBack)
{
    CFCCheckBox box;
    CFCControlInternalProp& prop = box.m_prop;
    prop.m_strCaption = "同意";
    prop.m_rect = CRect(5, 6, 70, 26);
    prop.m_nTabOrder = 3;
    prop.m_nControlId = 3004;
    prop.m_clrFore = RGB(1, 2, 3);
    prop.m_clrBack = RGB(250, 251, 252);
    prop.m_bAlreadyExists = 1;
    prop.m_bShowTip = 1;
    prop.m_strTip = "tip";
    prop.m_logFont.lfWeight = 700;
    prop.m_logFont.lfUnderline = 1;
    prop.m_logFont.lfCharSet = 134;
    // Not archived.
    prop.m_strItems = "a\r\nb";
    prop.m_bChecked = 1;

    ByteWriter expected;
    expected.Int(1);  // design state
    expected.Int(1);  // tab stop
    expected.Text("同意");
    for (int value : {5, 6, 70, 26})
        expected.Int(value);
    expected.Int(3);
    expected.Int(3004);
    expected.Int(0x030201);
    expected.Int(0xFCFBFA);
    expected.Int(0x50010003);
    expected.Int(1);  // already exists
    expected.Int(FCKindCheckBox);
    expected.Int(1);  // show tip
    expected.Int(1);  // shown
    expected.Int(1);  // valid
    expected.Text("tip");
    for (int value : {-12, 0, 0, 0, 700})
        expected.Int(value);
    for (int value : {0, 1, 0, 134, 0, 0, 0, 0})
        expected.Byte(value);
    expected.Text("宋体");

    const std::string bytes = Archived(box);
    EXPECT_EQ(bytes, expected.bytes);

    CFCCheckBox loaded;
    loaded.m_prop.m_bTabStop = 0;
    LoadArchived(loaded, bytes);
    const CFCControlInternalProp& back = loaded.m_prop;
    EXPECT_EQ(Bytes(back.m_strCaption), "同意");
    EXPECT_EQ(CRect(back.m_rect), CRect(5, 6, 70, 26));
    EXPECT_EQ(back.m_nTabOrder, 3);
    EXPECT_EQ(back.m_nControlId, 3004);
    EXPECT_EQ(back.m_clrFore, RGB(1, 2, 3));
    EXPECT_EQ(back.m_clrBack, RGB(250, 251, 252));
    EXPECT_EQ(back.m_bTabStop, 1);
    EXPECT_EQ(back.m_bAlreadyExists, 1);
    EXPECT_EQ(Bytes(back.m_strTip), "tip");
    EXPECT_EQ(back.m_logFont.lfWeight, 700);
    EXPECT_EQ(back.m_logFont.lfUnderline, 1);
    EXPECT_EQ(std::string(back.m_logFont.lfFaceName), "宋体");
    EXPECT_TRUE(back.m_strItems.IsEmpty());
    EXPECT_EQ(back.m_bChecked, 0);
    EXPECT_EQ(Archived(loaded), bytes);
}

TEST(FCControlArchive, ATruncatedArchiveThrows)
{
    CFCLabel label;
    std::string bytes = Archived(label);
    bytes.resize(12);
    CFCLabel loaded;
    EXPECT_THROW(
        {
            try {
                LoadArchived(loaded, bytes);
            } catch (CException* e) {
                e->Delete();
                throw 1;
            }
        },
        int);
}

// ---------------------------------------------------------------------------
// On a host window

class FCControlWindowTest : public FCHostedTest {
protected:
    template<class T>
    T* Add(int kind, const CRect& rect)
    {
        return static_cast<T*>(m_factory.AddControl(kind, nullptr, rect.left, rect.top, rect.right, rect.bottom));
    }
};

TEST_F(FCControlWindowTest, DesignStateHandsTheClickToTheParentAtTheSamePoint)
{
    CFCEdit* edit = Add<CFCEdit>(FCKindEdit, CRect(50, 60, 250, 84));
    ASSERT_NE(edit, nullptr);
    edit->SetWindowText("abcdefghij");
    edit->SetSel(0, 0);
    const CPoint inEdit(150, 8);
    edit->SendMessage(WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(inEdit.x, inEdit.y));
    edit->SendMessage(WM_LBUTTONUP, 0, MAKELPARAM(inEdit.x, inEdit.y));
    edit->SendMessage(WM_KEYDOWN, VK_LEFT, 0);

    ASSERT_EQ(m_host.m_mouse.size(), 2u);
    EXPECT_EQ(m_host.m_mouse[0].message, UINT(WM_LBUTTONDOWN));
    CPoint screenOfEdit = inEdit, screenOfHost = m_host.m_mouse[0].point;
    edit->ClientToScreen(&screenOfEdit);
    m_host.ClientToScreen(&screenOfHost);
    EXPECT_EQ(screenOfHost, screenOfEdit);
    int start = -1, end = -1;
    edit->GetSel(start, end);
    EXPECT_EQ(start, 0) << "no caret was placed";
    EXPECT_EQ(::GetCapture(), (HWND)NULL);
    ASSERT_EQ(m_host.m_keys.size(), 1u) << "a key reaches the parent once";

    // At run time the edit takes the click itself.
    m_host.m_mouse.clear();
    m_host.m_keys.clear();
    edit->m_prop.m_bDesignState = 0;
    edit->SendMessage(WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(inEdit.x, inEdit.y));
    edit->SendMessage(WM_LBUTTONUP, 0, MAKELPARAM(inEdit.x, inEdit.y));
    edit->SendMessage(WM_KEYDOWN, VK_LEFT, 0);
    EXPECT_TRUE(m_host.m_mouse.empty());
    EXPECT_TRUE(m_host.m_keys.empty());
    edit->GetSel(start, end);
    EXPECT_GT(start, 0);
}

TEST_F(FCControlWindowTest, PreTranslateForwardsMouseOfEveryKindInDesignState)
{
    CFCLabel* label = Add<CFCLabel>(FCKindLabel, CRect(10, 10, 110, 30));
    CFCMemo* memo = Add<CFCMemo>(FCKindMemo, CRect(10, 40, 110, 90));
    ASSERT_TRUE(label != nullptr && memo != nullptr);
    for (CWnd* control : {static_cast<CWnd*>(label), static_cast<CWnd*>(memo)}) {
        m_host.m_mouse.clear();
        m_host.m_keys.clear();
        MSG click = {control->m_hWnd, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(4, 5), 0, {0, 0}};
        EXPECT_TRUE(control->PreTranslateMessage(&click));
        MSG key = {control->m_hWnd, WM_KEYDOWN, VK_RIGHT, 0, 0, {0, 0}};
        EXPECT_FALSE(control->PreTranslateMessage(&key)) << "the control still gets its key";
        ASSERT_EQ(m_host.m_mouse.size(), 1u);
        CPoint expected(4, 5);
        control->ClientToScreen(&expected);
        m_host.ScreenToClient(&expected);
        EXPECT_EQ(m_host.m_mouse[0].point, expected);
        EXPECT_EQ(m_host.m_keys.size(), 1u);
    }
}

TEST_F(FCControlWindowTest, ColourMessageKeepsOneBrushPerColour)
{
    CFCEdit* edit = Add<CFCEdit>(FCKindEdit, CRect(10, 10, 200, 34));
    ASSERT_NE(edit, nullptr);
    edit->m_prop.m_clrFore = RGB(10, 20, 30);
    edit->m_prop.m_clrBack = RGB(200, 210, 220);
    CClientDC dc(edit);
    auto colourMessage = [&] {
        return reinterpret_cast<HBRUSH>(m_host.SendMessage(WM_CTLCOLOREDIT, WPARAM(dc.m_hDC), LPARAM(edit->m_hWnd)));
    };
    const HBRUSH first = colourMessage();
    ASSERT_NE(first, (HBRUSH)NULL);
    EXPECT_EQ(::GetTextColor(dc.m_hDC), RGB(10, 20, 30));
    EXPECT_EQ(::GetBkColor(dc.m_hDC), RGB(200, 210, 220));
    LOGBRUSH brush = {};
    ASSERT_EQ(::GetObject(first, sizeof brush, &brush), int(sizeof brush));
    EXPECT_EQ(brush.lbColor, RGB(200, 210, 220));
    for (int i = 0; i < 500; ++i)
        ASSERT_EQ(colourMessage(), first) << "message " << i;

    edit->m_prop.m_clrBack = RGB(1, 2, 3);
    const HBRUSH second = colourMessage();
    EXPECT_NE(second, first);
    EXPECT_EQ(::GetObjectType(first), 0u) << "the old brush is deleted";
    ASSERT_EQ(::GetObject(second, sizeof brush, &brush), int(sizeof brush));
    EXPECT_EQ(brush.lbColor, RGB(1, 2, 3));
    EXPECT_EQ(colourMessage(), second);
}

TEST_F(FCControlWindowTest, RadioInDesignStateShowsItsCheckedField)
{
    CFCRadio* radio = Add<CFCRadio>(FCKindRadio, CRect(10, 10, 150, 30));
    ASSERT_NE(radio, nullptr);
    radio->m_prop.m_bChecked = 1;
    CClientDC dc(radio);
    m_host.SendMessage(WM_CTLCOLORSTATIC, WPARAM(dc.m_hDC), LPARAM(radio->m_hWnd));
    EXPECT_EQ(radio->GetCheck(), BST_CHECKED);

    // At run time the check mark is the user's.
    radio->m_prop.m_bDesignState = 0;
    radio->m_prop.m_bChecked = 0;
    m_host.SendMessage(WM_CTLCOLORSTATIC, WPARAM(dc.m_hDC), LPARAM(radio->m_hWnd));
    EXPECT_EQ(radio->GetCheck(), BST_CHECKED);
}

TEST_F(FCControlWindowTest, ValidityMessageAnswersZero)
{
    for (int kind = FCKindLabel; kind <= FCKindListBox; ++kind) {
        CWnd* control = m_factory.AddControl(kind, nullptr, 10, 10, 100, 30);
        ASSERT_NE(control, nullptr);
        EXPECT_EQ(control->SendMessage(WM_USER + 166), 0) << kind;
    }
}

TEST_F(FCControlWindowTest, LabelTextFollowsTheAlignments)
{
    CFCLabel* label = Add<CFCLabel>(FCKindLabel, CRect(0, 0, 200, 60));
    ASSERT_NE(label, nullptr);
    label->m_prop.m_strCaption = "I";
    label->m_prop.m_clrBack = RGB(255, 255, 255);
    label->m_prop.m_clrFore = RGB(0, 0, 0);
    CClientDC screen(label);
    CDC dc;
    ASSERT_TRUE(dc.CreateCompatibleDC(&screen));
    CBitmap bitmap;
    ASSERT_TRUE(bitmap.CreateCompatibleBitmap(&screen, 200, 60));
    CBitmap* old = dc.SelectObject(&bitmap);
    // Where the ink lies for each alignment: its bounding box.
    auto inkBox = [&](const char* horz, const char* vert) {
        label->m_prop.m_strHorzAlign = horz;
        label->m_prop.m_strVertAlign = vert;
        label->DrawLabelText(&dc, CRect(0, 0, 200, 60));
        CRect box(1000, 1000, -1, -1);
        for (int y = 0; y < 60; ++y)
            for (int x = 0; x < 200; ++x)
                if (dc.GetPixel(x, y) != RGB(255, 255, 255)) {
                    box.left = std::min<int>(box.left, x);
                    box.top = std::min<int>(box.top, y);
                    box.right = std::max<int>(box.right, x);
                    box.bottom = std::max<int>(box.bottom, y);
                }
        return box;
    };
    const CRect leftTop = inkBox("居左", "靠上");
    const CRect centreMiddle = inkBox("居中", "居中");
    const CRect rightBottom = inkBox("居右", "靠下");
    dc.SelectObject(old);
    ASSERT_LT(leftTop.left, 10);
    EXPECT_LT(leftTop.top, 12);
    EXPECT_NEAR(centreMiddle.CenterPoint().x, 100, 8);
    EXPECT_LE(centreMiddle.bottom, 36);
    EXPECT_GT(centreMiddle.top, leftTop.top);
    EXPECT_GT(rightBottom.right, 190);
    EXPECT_GT(rightBottom.bottom, 50);
}

// Moving takes the mouse: these run alone.
class FCTrackerTest : public FCControlWindowTest {};

TEST_F(FCTrackerTest, ControlMovedByTheMouseArchivesItsNewPlace)
{
    m_host.m_pTrackingFactory = &m_factory;
    CFCEdit* edit = Add<CFCEdit>(FCKindEdit, CRect(40, 40, 160, 64));
    ASSERT_NE(edit, nullptr);
    const std::string before = Archived(*edit);

    CPoint start(100, 52), end(130, 72);  // host coordinates
    CPoint screen = start;
    m_host.ClientToScreen(&screen);
    ::SetCursorPos(screen.x, screen.y);
    MSG msg;
    while (::PeekMessage(&msg, NULL, 0, 0, PM_REMOVE))
        ::DispatchMessage(&msg);
    m_host.PostMessage(WM_MOUSEMOVE, MK_LBUTTON, MAKELPARAM(115, 62));
    m_host.PostMessage(WM_MOUSEMOVE, MK_LBUTTON, MAKELPARAM(end.x, end.y));
    m_host.PostMessage(WM_LBUTTONUP, 0, MAKELPARAM(end.x, end.y));
    // The press on the edit reaches the host, whose designer tracks it.
    CPoint inEdit = screen;
    edit->ScreenToClient(&inEdit);
    edit->SendMessage(WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(inEdit.x, inEdit.y));

    CRect rect;
    edit->GetWindowRect(&rect);
    m_host.ScreenToClient(&rect);
    EXPECT_EQ(rect, CRect(70, 60, 190, 84));
    void* tracker = nullptr;
    ASSERT_TRUE(m_factory.m_mapControls.Lookup(edit, tracker));
    EXPECT_NE(tracker, nullptr) << "the moved control is selected";

    edit->m_prop.m_rect = CRect(0, 0, 1, 1);
    const std::string after = Archived(*edit);
    EXPECT_NE(after, before);
    CFCEdit loaded;
    LoadArchived(loaded, after);
    EXPECT_EQ(CRect(loaded.m_prop.m_rect), CRect(70, 60, 190, 84));
}

}  // namespace

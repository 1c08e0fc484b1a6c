// The property list box of the form designer: its rows, the divider, the
// "..." button and the colour and font pickers.
#include "FormTestHost.h"
#include "FormTextHelpers.h"
#include "CurrentFolder.h"
#include "GuiDriver.h"
#include "TempDir.h"
#include "PropertyListBox.h"

#include <gtest/gtest.h>

#include <dlgs.h>

#include <string>

namespace {

using testsupport::Gui;

TEST(PropertyFontText, PiecesFollowTheStyle)
{
    LOGFONT font = {};
    strcpy(font.lfFaceName, "宋体");
    font.lfWeight = FW_BOLD;
    font.lfUnderline = 1;
    EXPECT_EQ(Bytes(PropertyFontText(font, 12, RGB(0xFF, 0x01, 0xAB))), "宋体;12;#FF01AB;粗体;;;下划线");
    font.lfWeight = FW_NORMAL;
    font.lfUnderline = 0;
    font.lfItalic = 1;
    font.lfStrikeOut = 1;
    EXPECT_EQ(Bytes(PropertyFontText(font, 9, 0)), "宋体;9;#000000;;斜体;删除线;");
    font.lfWeight = FW_SEMIBOLD;
    EXPECT_EQ(Bytes(PropertyFontText(font, 9, 0)), "宋体;9;#000000;;斜体;删除线;");
}

// Counts the rows that went.
class CCountedItem : public CPropertyItem {
public:
    CCountedItem(const char* name, int* deleted) : CPropertyItem(name, "", KindText), m_deleted(deleted) {}
    ~CCountedItem() override { ++*m_deleted; }
    int* m_deleted;
};

class PropertyListTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(m_host.CreateHost(CRect(50, 50, 450, 350)));
        ASSERT_TRUE(m_list.Create(WS_CHILD | WS_VISIBLE | WS_BORDER | WS_VSCROLL | LBS_OWNERDRAWVARIABLE,
                                  CRect(10, 10, 310, 250), &m_host, 700));
    }
    void TearDown() override
    {
        if (m_host.GetSafeHwnd() != NULL)
            m_host.DestroyWindow();
    }
    // A press and release at a client point of the list.
    void Click(CPoint point)
    {
        m_list.SendMessage(WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(point.x, point.y));
        m_list.SendMessage(WM_LBUTTONUP, 0, MAKELPARAM(point.x, point.y));
    }
    CPoint RowPoint(int row, bool valueColumn)
    {
        CRect rect;
        m_list.GetItemRect(row, &rect);
        return CPoint(valueColumn ? m_list.Divider() + 30 : 20, rect.CenterPoint().y);
    }

    CFormHostWnd m_host;
    CPropertyListBox m_list;
};

TEST_F(PropertyListTest, RowsAreOwnedByTheList)
{
    int deleted = 0;
    for (const char* name : {"左", "上", "右", "下"})
        m_list.AddPropertyItem(new CCountedItem(name, &deleted));
    EXPECT_EQ(m_list.AddTextItem("分组"), 4);
    CRect rect;
    m_list.GetItemRect(0, &rect);
    EXPECT_EQ(rect.Height(), 20);

    EXPECT_EQ(m_list.MoveItemUp(0), 0);
    EXPECT_EQ(m_list.MoveItemDown(4), 4);
    EXPECT_EQ(m_list.MoveItemUp(2), 1);
    EXPECT_EQ(Bytes(m_list.ItemAt(1)->m_strName), "右");
    EXPECT_EQ(Bytes(m_list.ItemAt(2)->m_strName), "上");
    EXPECT_EQ(m_list.MoveItemDown(0), 1);
    EXPECT_EQ(Bytes(m_list.ItemAt(0)->m_strName), "右");
    EXPECT_EQ(m_list.GetCurSel(), 1);

    m_list.DeleteItem(1);
    EXPECT_EQ(deleted, 1);
    EXPECT_EQ(m_list.GetCount(), 4);
    EXPECT_EQ(m_list.DeleteAllItems(), 4);
    EXPECT_EQ(deleted, 4);
    EXPECT_EQ(m_list.GetCount(), 4) << "the entries stay";
    m_list.AddPropertyItem(new CCountedItem("新", &deleted));
    m_host.DestroyWindow();
    EXPECT_EQ(deleted, 5) << "the window took its last row with it";
}

// Tests that take the mouse or the focus run alone.
class PropertyListClickTest : public PropertyListTest {};

TEST_F(PropertyListClickTest, DividerStaysInsideTheWindowsInnerBand)
{
    m_list.AddPropertyItem(new CPropertyItem("标题", "文字", CPropertyItem::KindText));
    m_list.UpdateWindow();
    CRect client;
    m_list.GetClientRect(&client);
    ASSERT_EQ(m_list.Divider(), client.Width() / 2) << "the first drawing halves the row";

    const int right = int(client.right);
    for (const auto& c : {std::make_pair(-60, 10), std::make_pair(right + 60, right - 10), std::make_pair(100, 100)}) {
        const int from = m_list.Divider();
        m_list.SendMessage(WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(from + 3, 5));
        EXPECT_EQ(::GetCapture(), m_list.m_hWnd);
        RECT clip;
        ::GetClipCursor(&clip);
        CRect window;
        m_list.GetWindowRect(&window);
        EXPECT_EQ(clip.left, window.left + 10);
        EXPECT_EQ(clip.right, window.right - 10);
        m_list.SendMessage(WM_MOUSEMOVE, MK_LBUTTON, MAKELPARAM(c.first, 5));
        m_list.SendMessage(WM_LBUTTONUP, 0, MAKELPARAM(c.first, 5));
        EXPECT_EQ(m_list.Divider(), c.second) << c.first;
        EXPECT_EQ(::GetCapture(), (HWND)NULL);
    }
}

TEST_F(PropertyListClickTest, NameColumnHidesTheButtonValueColumnShowsIt)
{
    m_list.AddPropertyItem(new CPropertyItem("标题", "文字", CPropertyItem::KindText));
    m_list.AddPropertyItem(new CPropertyItem("前景色", "RGB(0,0,0)", CPropertyItem::KindColour));
    m_list.UpdateWindow();

    Click(RowPoint(1, true));
    EXPECT_EQ(m_list.GetCurSel(), 1);
    ASSERT_NE(m_list.BrowseButton()->GetSafeHwnd(), (HWND)NULL);
    EXPECT_TRUE(m_list.BrowseButton()->IsWindowVisible());
    EXPECT_EQ(::GetDlgCtrlID(m_list.BrowseButton()->m_hWnd), 714);
    CRect button, row;
    m_list.BrowseButton()->GetWindowRect(&button);
    m_list.ScreenToClient(&button);
    m_list.GetItemRect(1, &row);
    EXPECT_EQ(button, CRect(row.right - 25, row.top, row.right, row.bottom - 3));
    EXPECT_EQ(m_host.m_nSelectionNotices, 1);

    Click(RowPoint(0, false));
    EXPECT_EQ(m_list.GetCurSel(), 0);
    EXPECT_FALSE(m_list.BrowseButton()->IsWindowVisible());
    EXPECT_EQ(m_host.m_nSelectionNotices, 2);
}

// Picks the first basic colour of Wine's colour dialog with the mouse.
void PickFirstBasicColour(HWND dialog)
{
    HWND basic = ::GetDlgItem(dialog, 720);
    ASSERT_NE(basic, (HWND)NULL);
    RECT rect;
    ::GetWindowRect(basic, &rect);
    POINT point = {rect.left + 4, rect.top + 4};
    ::ScreenToClient(dialog, &point);
    ::SendMessage(dialog, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(point.x, point.y));
    ::SendMessage(dialog, WM_LBUTTONUP, 0, MAKELPARAM(point.x, point.y));
}

TEST_F(PropertyListClickTest, ColourRowEditsTheColourItNames)
{
    for (const char* name : {"前景色", "背景色"}) {
        COLORREF fore = RGB(1, 2, 3), back = RGB(4, 5, 6);
        m_list.ResetContent();
        m_list.AddPropertyItem(new CPropertyItem(name, "RGB(1,2,3)", CPropertyItem::KindColour, nullptr, &fore, &back));
        m_list.UpdateWindow();
        Click(RowPoint(0, true));
        ASSERT_TRUE(m_list.BrowseButton()->IsWindowVisible());

        auto& dialog = Gui().Expect("").Run(PickFirstBasicColour).Press(IDOK);
        m_list.SendMessage(WM_COMMAND, MAKEWPARAM(714, BN_CLICKED), LPARAM(m_list.BrowseButton()->m_hWnd));
        EXPECT_TRUE(dialog.Seen());
        const bool foreground = std::string(name) == "前景色";
        const COLORREF edited = foreground ? fore : back;
        EXPECT_NE(edited, foreground ? RGB(1, 2, 3) : RGB(4, 5, 6)) << name;
        EXPECT_EQ(foreground ? back : fore, foreground ? RGB(4, 5, 6) : RGB(1, 2, 3)) << name;
        CPropertyItem* item = m_list.ItemAt(0);
        EXPECT_EQ(Bytes(item->m_strValue), Bytes(ColourToRgbText(edited)));
        EXPECT_EQ(Bytes(item->m_strValueBeforeEdit), Bytes(item->m_strValue));
        EXPECT_FALSE(m_list.BrowseButton()->IsWindowVisible());
    }
}

TEST_F(PropertyListClickTest, FontRowTakesTheChosenFont)
{
    LOGFONT font = {};
    font.lfHeight = -16;  // 12 points at 96 dots per inch
    font.lfWeight = FW_BOLD;
    font.lfUnderline = 1;
    font.lfCharSet = GB2312_CHARSET;
    strcpy(font.lfFaceName, "宋体");
    m_list.AddPropertyItem(new CPropertyItem("字体", "", CPropertyItem::KindFont, &font));
    m_list.UpdateWindow();
    Click(RowPoint(0, true));

    auto& dialog = Gui().Expect("").Press(IDOK);
    m_list.SendMessage(WM_COMMAND, MAKEWPARAM(714, BN_CLICKED), LPARAM(m_list.BrowseButton()->m_hWnd));
    EXPECT_TRUE(dialog.Seen());
    CPropertyItem* item = m_list.ItemAt(0);
    const std::string value = Bytes(item->m_strValue);
    const std::string tail = ";12;#000000;粗体;;;下划线";
    ASSERT_GT(value.size(), tail.size()) << value;
    EXPECT_EQ(value.substr(value.size() - tail.size()), tail);
    EXPECT_EQ(value.substr(0, value.size() - tail.size()), std::string(item->m_pFont->lfFaceName));
    EXPECT_EQ(item->m_pFont->lfWeight, FW_BOLD);
}

TEST_F(PropertyListClickTest, PictureRowStartsInTheFolderOfItsValue)
{
    testsupport::KeepCurrentFolder keep;
    testsupport::TempDir dir;
    ASSERT_TRUE(testsupport::WriteFileBytes(dir.File("新.gif"), "GIF89a"));
    m_list.AddPropertyItem(
        new CPropertyItem("图片", CString(dir.File("旧.gif").c_str()), CPropertyItem::KindPictureFile));
    m_list.UpdateWindow();
    Click(RowPoint(0, true));

    std::string startFolder;
    auto& dialog = Gui()
                       .Expect("Select file")
                       .Run([&](HWND window) {
                           char folder[MAX_PATH] = "";
                           ::SendMessageA(window, CDM_GETFOLDERPATH, MAX_PATH, LPARAM(folder));
                           startFolder = folder;
                       })
                       .SetText(cmb13, dir.File("新.gif"))
                       .Press(IDOK);
    m_list.SendMessage(WM_COMMAND, MAKEWPARAM(714, BN_CLICKED), LPARAM(m_list.BrowseButton()->m_hWnd));
    EXPECT_TRUE(dialog.Seen());
    EXPECT_STRCASEEQ(startFolder.c_str(), dir.Path().c_str());
    EXPECT_EQ(Bytes(m_list.ItemAt(0)->m_strValue), dir.File("新.gif"));
    EXPECT_FALSE(m_list.BrowseButton()->IsWindowVisible());
}

}  // namespace

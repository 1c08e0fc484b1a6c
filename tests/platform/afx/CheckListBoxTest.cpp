// CCheckListBox: a check state per item that follows the item, clicks on
// the box that toggle it and tell the parent (CLBN_CHKCHANGE), the caller's
// item data left alone, and the boxes drawn.
#include "afxwin.h"

#include "ControlHost.h"

#include <gtest/gtest.h>

#include <vector>

namespace {

using controltest::Click;
using controltest::CControlHost;
using controltest::PointInItem;

const UINT kCheckListId = 48220;

// Records the check notifications with the state the item has by then.
class CCheckHost : public CControlHost {
public:
    struct Notice {
        int checkOfItem1;
    };
    CCheckListBox* m_pList = nullptr;
    std::vector<Notice> m_notices;

    afx_msg void OnCheckChange() { m_notices.push_back(Notice{m_pList->GetCheck(1)}); }
    DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(CCheckHost, CWnd)
    ON_CONTROL(CLBN_CHKCHANGE, kCheckListId, OnCheckChange)
END_MESSAGE_MAP()

class CheckListBoxTest : public testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(m_host.CreateHost());
        m_host.m_pList = &m_list;
    }

    void CreateList(DWORD style = 0)
    {
        ASSERT_TRUE(m_list.Create(WS_CHILD | WS_VISIBLE | LBS_OWNERDRAWFIXED | LBS_HASSTRINGS |
                                      LBS_NOTIFY | LBS_NOINTEGRALHEIGHT | style,
                                  CRect(10, 10, 210, 200), &m_host, kCheckListId));
    }

    CRect ItemRect(int index)
    {
        CRect rect;
        EXPECT_NE(LB_ERR, m_list.GetItemRect(index, &rect));
        return rect;
    }

    CCheckHost m_host;
    CCheckListBox m_list;  // destroyed before its parent
};

TEST_F(CheckListBoxTest, ChecksFollowTheirItemsAndItemDataStaysTheCallers)
{
    CreateList();
    const LPCTSTR texts[] = {_T("甲"), _T("乙"), _T("丙")};
    for (int i = 0; i < 3; i++)
        m_list.SetItemData(m_list.AddString(texts[i]), 100 + i);
    m_list.SetCheck(1, 1);
    m_list.SetCheck(2, 2);
    EXPECT_EQ(0, m_list.GetCheck(0));
    EXPECT_EQ(1, m_list.GetCheck(1));
    EXPECT_EQ(2, m_list.GetCheck(2));

    m_list.InsertString(0, _T("新"));
    EXPECT_EQ(0, m_list.GetCheck(0));
    EXPECT_EQ(1, m_list.GetCheck(2));
    EXPECT_EQ(2, m_list.GetCheck(3));
    EXPECT_EQ(101u, m_list.GetItemData(2));
    EXPECT_EQ(102u, m_list.GetItemData(3));

    m_list.DeleteString(1);  // 甲
    EXPECT_EQ(1, m_list.GetCheck(1));
    EXPECT_EQ(2, m_list.GetCheck(2));
    EXPECT_EQ(101u, m_list.GetItemData(1));
    CString text;
    m_list.GetText(1, text);
    EXPECT_STREQ(_T("乙"), text);

    m_list.ResetContent();
    m_list.AddString(_T("丁"));
    EXPECT_EQ(0, m_list.GetCheck(0));
}

TEST_F(CheckListBoxTest, ChecksFollowItemsIntoTheirSortedPlaces)
{
    CreateList(LBS_SORT);
    m_list.AddString(_T("c"));
    m_list.SetCheck(0, 1);
    EXPECT_EQ(0, m_list.AddString(_T("a")));
    EXPECT_EQ(0, m_list.GetCheck(0));
    EXPECT_EQ(1, m_list.GetCheck(1));
}

TEST_F(CheckListBoxTest, ClickOnTheBoxTogglesAndTellsTheParent)
{
    struct Case {
        UINT style;
        int start;
        bool onBox;
        bool enabled;
        int expected;
        bool notified;
    };
    const Case cases[] = {
        {BS_AUTOCHECKBOX, 0, true, true, 1, true},
        {BS_AUTOCHECKBOX, 1, true, true, 0, true},
        {BS_AUTOCHECKBOX, 2, true, true, 0, true},  // indeterminate set by hand
        {BS_AUTO3STATE, 0, true, true, 1, true},
        {BS_AUTO3STATE, 1, true, true, 2, true},
        {BS_AUTO3STATE, 2, true, true, 0, true},
        {BS_CHECKBOX, 0, true, true, 0, false},
        {BS_3STATE, 1, true, true, 1, false},
        {BS_AUTOCHECKBOX, 0, false, true, 0, false},  // on the text
        {BS_AUTOCHECKBOX, 0, true, false, 0, false},  // disabled item
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << "style " << c.style << " from " << c.start
                                        << (c.onBox ? " on box" : " on text")
                                        << (c.enabled ? "" : " disabled"));
        if (m_list.m_hWnd == NULL)
            CreateList();
        m_list.ResetContent();
        for (int i = 0; i < 3; i++)
            m_list.AddString(_T("项目"));
        m_list.SetCheckStyle(c.style);
        m_list.SetCheck(1, c.start);
        m_list.Enable(1, c.enabled);
        m_host.m_notices.clear();

        Click(m_list, PointInItem(ItemRect(1), c.onBox ? 6 : 80));

        EXPECT_EQ(c.expected, m_list.GetCheck(1));
        EXPECT_EQ(0, m_list.GetCheck(0));
        EXPECT_EQ(0, m_list.GetCheck(2));
        ASSERT_EQ(c.notified ? 1u : 0u, m_host.m_notices.size());
        if (c.notified) {
            EXPECT_EQ(c.expected, m_host.m_notices[0].checkOfItem1);  // changed before the notice
        }
        if (c.enabled) {
            EXPECT_EQ(1, m_list.GetCurSel());  // the click selects as in any list box
        }
    }
}

TEST_F(CheckListBoxTest, SpaceTogglesTheFocusedItem)
{
    CreateList();
    for (int i = 0; i < 3; i++)
        m_list.AddString(_T("项目"));
    m_list.SetCurSel(1);
    m_list.SendMessage(WM_KEYDOWN, VK_SPACE, 0);
    EXPECT_EQ(1, m_list.GetCheck(1));
    EXPECT_EQ(0, m_list.GetCheck(0));
    EXPECT_EQ(1u, m_host.m_notices.size());
}

// A list box made elsewhere (a dialog's) measured its items before the
// object had it: subclassing makes room for the boxes and adopts the items.
TEST_F(CheckListBoxTest, SubclassedListBoxGetsRoomForItsBoxes)
{
    HWND hWnd = ::CreateWindowEx(0, _T("LISTBOX"), NULL,
                                 WS_CHILD | WS_VISIBLE | LBS_OWNERDRAWFIXED | LBS_HASSTRINGS | LBS_NOTIFY,
                                 10, 10, 200, 200, m_host.m_hWnd, (HMENU)(INT_PTR)kCheckListId,
                                 ::GetModuleHandle(NULL), NULL);
    ASSERT_NE(nullptr, hWnd);
    ::SendMessage(hWnd, LB_ADDSTRING, 0, (LPARAM)_T("甲"));
    ::SendMessage(hWnd, LB_ADDSTRING, 0, (LPARAM)_T("乙"));
    ::SendMessage(hWnd, LB_SETITEMHEIGHT, 0, 6);

    ASSERT_TRUE(m_list.SubclassWindow(hWnd));
    EXPECT_GE(m_list.GetItemHeight(0), 15);
    EXPECT_EQ(0, m_list.GetCheck(1));
    Click(m_list, PointInItem(ItemRect(1), 6));
    EXPECT_EQ(1, m_list.GetCheck(1));
    EXPECT_EQ(1u, m_host.m_notices.size());
}

// Renders item 0 as the list box draws it, into a bitmap.
std::vector<COLORREF> RenderItem(CCheckHost& host, CCheckListBox& list, const RECT& rect)
{
    HDC screen = ::GetDC(NULL);
    HDC hdc = ::CreateCompatibleDC(screen);
    HBITMAP bitmap = ::CreateCompatibleBitmap(screen, rect.right, rect.bottom);
    ::ReleaseDC(NULL, screen);
    HGDIOBJ old = ::SelectObject(hdc, bitmap);

    DRAWITEMSTRUCT draw = {};
    draw.CtlType = ODT_LISTBOX;
    draw.CtlID = kCheckListId;
    draw.itemID = 0;
    draw.itemAction = ODA_DRAWENTIRE;
    draw.hwndItem = list.m_hWnd;
    draw.hDC = hdc;
    draw.rcItem = rect;
    draw.itemData = list.GetItemData(0);
    host.SendMessage(WM_DRAWITEM, kCheckListId, (LPARAM)&draw);

    std::vector<COLORREF> pixels;
    for (int y = rect.top; y < rect.bottom; y++)
        for (int x = rect.left; x < rect.right; x++)
            pixels.push_back(::GetPixel(hdc, x, y));
    ::SelectObject(hdc, old);
    ::DeleteObject(bitmap);
    ::DeleteDC(hdc);
    return pixels;
}

TEST_F(CheckListBoxTest, DrawsTheBoxOfEachCheckState)
{
    CreateList();
    m_list.AddString(_T("项目"));
    const RECT box = {0, 0, 16, 20};  // the check box's part of the item

    std::vector<COLORREF> states[3];
    for (int check = 0; check < 3; check++) {
        m_list.SetCheck(0, check);
        states[check] = RenderItem(m_host, m_list, box);
    }
    EXPECT_NE(states[0], states[1]);
    EXPECT_NE(states[1], states[2]);
    EXPECT_NE(states[0], states[2]);

    m_list.SetCheck(0, 1);
    m_list.Enable(0, FALSE);
    EXPECT_NE(states[1], RenderItem(m_host, m_list, box));
}

}  // namespace

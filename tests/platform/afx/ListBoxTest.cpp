// CListBox and CComboBox: owner-draw list boxes get their measure, draw,
// compare and delete messages back from the parent; searches and item data
// on GBK texts.
#include "afxwin.h"

#include "ControlHost.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <map>
#include <string>
#include <vector>

namespace {

using controltest::CControlHost;
using testing::ElementsAre;
using testing::UnorderedElementsAre;

const UINT kListId = 48210;

// Records what the owner-draw messages bring; an item's height is its data
// (mod 100) plus a base.
class CRecordingListBox : public CListBox {
public:
    struct Drawn {
        UINT id;
        DWORD_PTR data;
        UINT state;
    };

    UINT m_baseHeight = 17;
    std::vector<UINT> m_measuredIds;
    std::vector<DWORD_PTR> m_measuredData;
    std::vector<Drawn> m_drawn;
    std::vector<DWORD_PTR> m_deleted;
    int m_compares = 0;

    void MeasureItem(LPMEASUREITEMSTRUCT lpMeasure) override
    {
        EXPECT_EQ((UINT)ODT_LISTBOX, lpMeasure->CtlType);
        EXPECT_EQ(kListId, lpMeasure->CtlID);
        m_measuredIds.push_back(lpMeasure->itemID);
        m_measuredData.push_back(lpMeasure->itemData);
        lpMeasure->itemHeight = m_baseHeight + (UINT)(lpMeasure->itemData % 100);
    }
    void DrawItem(LPDRAWITEMSTRUCT lpDraw) override
    {
        EXPECT_EQ(m_hWnd, lpDraw->hwndItem);
        if (lpDraw->itemAction & (ODA_DRAWENTIRE | ODA_SELECT))
            m_drawn.push_back(Drawn{lpDraw->itemID, lpDraw->itemData, lpDraw->itemState});
    }
    int CompareItem(LPCOMPAREITEMSTRUCT lpCompare) override
    {
        m_compares++;
        if (lpCompare->itemData1 == lpCompare->itemData2)
            return 0;
        return lpCompare->itemData1 < lpCompare->itemData2 ? -1 : 1;
    }
    void DeleteItem(LPDELETEITEMSTRUCT lpDelete) override { m_deleted.push_back(lpDelete->itemData); }
};

LPCTSTR AsItem(DWORD_PTR data)
{
    return (LPCTSTR)data;
}

class OwnerDrawListBox : public testing::Test {
protected:
    void SetUp() override { ASSERT_TRUE(m_host.CreateHost()); }

    void CreateList(DWORD style)
    {
        ASSERT_TRUE(m_list.Create(WS_CHILD | WS_VISIBLE | WS_VSCROLL | LBS_NOINTEGRALHEIGHT | style,
                                  CRect(10, 10, 210, 250), &m_host, kListId));
    }

    CControlHost m_host;
    CRecordingListBox m_list;  // destroyed before its parent
};

TEST_F(OwnerDrawListBox, VariableStyleMeasuresEveryAddedItem)
{
    CreateList(LBS_OWNERDRAWVARIABLE);
    EXPECT_TRUE(m_list.m_measuredIds.empty());  // nothing to measure at creation

    EXPECT_EQ(0, m_list.AddString(AsItem(3)));
    EXPECT_EQ(1, m_list.AddString(AsItem(8)));
    EXPECT_EQ(2, m_list.AddString(AsItem(21)));

    EXPECT_THAT(m_list.m_measuredIds, ElementsAre(0u, 1u, 2u));
    EXPECT_THAT(m_list.m_measuredData, ElementsAre(3u, 8u, 21u));
    EXPECT_EQ(20, m_list.GetItemHeight(0));
    EXPECT_EQ(25, m_list.GetItemHeight(1));
    EXPECT_EQ(38, m_list.GetItemHeight(2));

    // The rectangles follow the measured heights.
    CRect second;
    ASSERT_NE(LB_ERR, m_list.GetItemRect(1, &second));
    EXPECT_EQ(20, second.top);
    EXPECT_EQ(25, second.Height());
}

TEST_F(OwnerDrawListBox, FixedStyleMeasuresOnceForAllItems)
{
    m_list.m_baseHeight = 23;
    CreateList(LBS_OWNERDRAWFIXED | LBS_HASSTRINGS);
    ASSERT_EQ(1u, m_list.m_measuredIds.size());  // while the list box was created

    m_list.AddString(_T("一"));
    m_list.AddString(_T("二"));
    EXPECT_EQ(1u, m_list.m_measuredIds.size());
    EXPECT_EQ(23, m_list.GetItemHeight(0));
    EXPECT_EQ(23, m_list.GetItemHeight(1));
}

TEST_F(OwnerDrawListBox, DrawItemGetsEachItemWithItsDataAndSelection)
{
    CreateList(LBS_OWNERDRAWFIXED | LBS_HASSTRINGS);
    const LPCTSTR texts[] = {_T("甲"), _T("乙"), _T("丙")};
    for (int i = 0; i < 3; i++) {
        ASSERT_EQ(i, m_list.AddString(texts[i]));
        m_list.SetItemData(i, 700 + i);
    }
    m_list.SetCurSel(1);
    m_list.m_drawn.clear();
    m_list.Invalidate();
    m_list.UpdateWindow();

    std::map<UINT, CRecordingListBox::Drawn> last;
    for (const auto& drawn : m_list.m_drawn)
        last[drawn.id] = drawn;
    ASSERT_EQ(3u, last.size());
    for (UINT id = 0; id < 3; id++) {
        SCOPED_TRACE(id);
        ASSERT_EQ(1u, last.count(id));
        EXPECT_EQ(700u + id, last[id].data);
        EXPECT_EQ(id == 1, (last[id].state & ODS_SELECTED) != 0);
    }
}

TEST_F(OwnerDrawListBox, CompareItemOrdersASortedListWithoutStrings)
{
    CreateList(LBS_OWNERDRAWFIXED | LBS_SORT);
    EXPECT_EQ(0, m_list.AddString(AsItem(30)));
    EXPECT_EQ(0, m_list.AddString(AsItem(10)));
    EXPECT_EQ(1, m_list.AddString(AsItem(20)));
    EXPECT_EQ(1, m_list.AddString(AsItem(15)));
    EXPECT_GT(m_list.m_compares, 0);

    std::vector<DWORD_PTR> order;
    for (int i = 0; i < m_list.GetCount(); i++)
        order.push_back(m_list.GetItemData(i));
    EXPECT_THAT(order, ElementsAre(10u, 15u, 20u, 30u));
    // Without strings the search compares items through CompareItem too.
    EXPECT_EQ(2, m_list.FindStringExact(-1, AsItem(20)));
}

TEST_F(OwnerDrawListBox, DeleteItemGetsEveryRemovedItemsData)
{
    CreateList(LBS_OWNERDRAWFIXED | LBS_HASSTRINGS);
    for (int i = 0; i < 3; i++)
        m_list.SetItemData(m_list.AddString(_T("项")), 40 + i);

    m_list.DeleteString(1);
    EXPECT_THAT(m_list.m_deleted, ElementsAre(41u));
    m_list.ResetContent();
    EXPECT_THAT(m_list.m_deleted, UnorderedElementsAre(41u, 40u, 42u));
}

// Searches, selection and item data behave alike in both kinds of list; the
// texts are GBK, one with a trail byte that equals a backslash (淺).
template <class Ctrl>
class TextListTest : public testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(m_host.CreateHost());
        ASSERT_TRUE(CreateControl(m_ctrl));
        for (int i = 0; i < (int)(sizeof(kItems) / sizeof(kItems[0])); i++) {
            ASSERT_EQ(i, m_ctrl.AddString(kItems[i]));
            m_ctrl.SetItemData(i, 1000 + i);
        }
    }

    BOOL CreateControl(CListBox& list)
    {
        return list.Create(WS_CHILD | WS_VISIBLE | LBS_NOTIFY, CRect(10, 10, 200, 200), &m_host, kListId);
    }
    BOOL CreateControl(CComboBox& combo)
    {
        return combo.Create(WS_CHILD | WS_VISIBLE | CBS_DROPDOWN, CRect(10, 10, 200, 200), &m_host,
                            kListId);
    }
    static CString TextOf(CListBox& list, int index)
    {
        CString text;
        list.GetText(index, text);
        return text;
    }
    static CString TextOf(CComboBox& combo, int index)
    {
        CString text;
        combo.GetLBText(index, text);
        return text;
    }

    static constexpr LPCTSTR kItems[] = {_T("上传完成"), _T("上传"), _T("淺色"), _T("淺"), _T("abc")};

    CControlHost m_host;
    Ctrl m_ctrl;
};

using TextLists = testing::Types<CListBox, CComboBox>;
TYPED_TEST_SUITE(TextListTest, TextLists);

TYPED_TEST(TextListTest, FindsPrefixesAndExactTexts)
{
    struct Case {
        int startAfter;
        LPCTSTR text;
        int prefix;  // FindString
        int exact;   // FindStringExact
    };
    const Case cases[] = {
        {-1, _T("上传"), 0, 1},
        {0, _T("上传"), 1, 1},
        {1, _T("上传"), 0, 1},   // wraps round to the start
        {-1, _T("淺"), 2, 3},
        {-1, _T("淺色"), 2, 2},
        {-1, _T("ABC"), 4, 4},   // case does not matter
        {-1, _T("缺"), -1, -1},
        {-1, _T("上传完成了"), -1, -1},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << c.startAfter << " " << c.text);
        EXPECT_EQ(c.prefix, this->m_ctrl.FindString(c.startAfter, c.text));
        EXPECT_EQ(c.exact, this->m_ctrl.FindStringExact(c.startAfter, c.text));
    }
}

TYPED_TEST(TextListTest, SelectStringSelectsTheItemWithItsData)
{
    EXPECT_EQ(2, this->m_ctrl.SelectString(-1, _T("淺")));
    EXPECT_EQ(2, this->m_ctrl.GetCurSel());
    EXPECT_EQ(1002u, this->m_ctrl.GetItemData(this->m_ctrl.GetCurSel()));
    EXPECT_STREQ(_T("淺色"), this->TextOf(this->m_ctrl, 2));

    // No match leaves the selection alone.
    EXPECT_EQ(-1, this->m_ctrl.SelectString(-1, _T("缺")));
    EXPECT_EQ(2, this->m_ctrl.GetCurSel());

    int dummy = 0;
    EXPECT_NE(-1, this->m_ctrl.SetItemDataPtr(4, &dummy));
    EXPECT_EQ(&dummy, this->m_ctrl.GetItemDataPtr(4));
    EXPECT_STREQ(_T("abc"), this->TextOf(this->m_ctrl, 4));
    EXPECT_STREQ(_T(""), this->TextOf(this->m_ctrl, 9));  // no such item
}

}  // namespace

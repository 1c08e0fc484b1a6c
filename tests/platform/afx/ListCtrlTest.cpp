// CListCtrl: sorting through the caller's callback, the selection walks,
// texts of any length and the image lists it hands back.
#include "afxwin.h"
#include "afxcmn.h"

#include "ControlHost.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

using controltest::CControlHost;
using testing::ElementsAre;

const UINT kListCtrlId = 48230;

class ListCtrlTest : public testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(m_host.CreateHost());
        ASSERT_TRUE(m_list.Create(WS_CHILD | WS_VISIBLE | LVS_REPORT | LVS_SHOWSELALWAYS,
                                  CRect(10, 10, 400, 300), &m_host, kListCtrlId));
        ASSERT_EQ(0, m_list.InsertColumn(0, _T("名称"), LVCFMT_LEFT, 120));
        ASSERT_EQ(1, m_list.InsertColumn(1, _T("大小"), LVCFMT_RIGHT, 80, 1));
    }

    // Items named after their data: "项30" carries 30.
    void AddItems(const std::vector<int>& data)
    {
        for (int value : data) {
            CString name;
            name.Format(_T("项%d"), value);
            int index = m_list.InsertItem(LVIF_TEXT | LVIF_PARAM, m_list.GetItemCount(), name, 0, 0, 0,
                                          (LPARAM)value);
            ASSERT_NE(-1, index);
            CString size;
            size.Format(_T("%d KB"), value * 2);
            ASSERT_TRUE(m_list.SetItemText(index, 1, size));
        }
    }

    std::vector<DWORD_PTR> DataInOrder()
    {
        std::vector<DWORD_PTR> order;
        for (int i = 0; i < m_list.GetItemCount(); i++)
            order.push_back(m_list.GetItemData(i));
        return order;
    }

    CControlHost m_host;
    CListCtrl m_list;
};

struct SortCall {
    LPARAM first;
    LPARAM second;
    LPARAM sortData;
};
std::vector<SortCall> g_sortCalls;

// Ascending by the items' data, descending when sortData is 1.
int CALLBACK CompareByData(LPARAM lParam1, LPARAM lParam2, LPARAM lParamSort)
{
    g_sortCalls.push_back(SortCall{lParam1, lParam2, lParamSort});
    int order = lParam1 < lParam2 ? -1 : lParam1 > lParam2 ? 1 : 0;
    return lParamSort == 1 ? -order : order;
}

TEST_F(ListCtrlTest, SortItemsOrdersByTheDataTheCallbackGets)
{
    AddItems({30, 10, 50, 20, 40});
    g_sortCalls.clear();

    ASSERT_TRUE(m_list.SortItems(CompareByData, 0));
    EXPECT_THAT(DataInOrder(), ElementsAre(10u, 20u, 30u, 40u, 50u));
    ASSERT_FALSE(g_sortCalls.empty());
    for (const SortCall& call : g_sortCalls) {
        EXPECT_EQ(0, call.sortData);
        EXPECT_TRUE(call.first % 10 == 0 && call.first >= 10 && call.first <= 50) << call.first;
        EXPECT_TRUE(call.second % 10 == 0 && call.second >= 10 && call.second <= 50) << call.second;
    }
    // Texts and sub-items moved with their items.
    EXPECT_STREQ(_T("项10"), m_list.GetItemText(0, 0));
    EXPECT_STREQ(_T("100 KB"), m_list.GetItemText(4, 1));

    ASSERT_TRUE(m_list.SortItems(CompareByData, 1));
    EXPECT_THAT(DataInOrder(), ElementsAre(50u, 40u, 30u, 20u, 10u));
    EXPECT_STREQ(_T("项50"), m_list.GetItemText(0, 0));
}

TEST_F(ListCtrlTest, SelectionWalksVisitEverySelectedItemInOrder)
{
    AddItems({1, 2, 3, 4, 5, 6});
    for (int index : {1, 3, 4})
        ASSERT_TRUE(m_list.SetItemState(index, LVIS_SELECTED, LVIS_SELECTED));

    std::vector<int> walked;
    for (int item = m_list.GetNextItem(-1, LVNI_SELECTED); item != -1;
         item = m_list.GetNextItem(item, LVNI_SELECTED))
        walked.push_back(item);
    EXPECT_THAT(walked, ElementsAre(1, 3, 4));
    EXPECT_EQ(3u, m_list.GetSelectedCount());
    EXPECT_EQ((UINT)LVIS_SELECTED, m_list.GetItemState(3, LVIS_SELECTED | LVIS_FOCUSED) & LVIS_SELECTED);
    EXPECT_EQ(0u, m_list.GetItemState(2, LVIS_SELECTED));

    std::vector<int> positions;
    POSITION pos = m_list.GetFirstSelectedItemPosition();
    while (pos != NULL)
        positions.push_back(m_list.GetNextSelectedItem(pos));
    EXPECT_THAT(positions, ElementsAre(1, 3, 4));

    m_list.SetItemState(-1, 0, LVIS_SELECTED);  // every item
    EXPECT_EQ(-1, m_list.GetNextItem(-1, LVNI_SELECTED));
    EXPECT_EQ(NULL, m_list.GetFirstSelectedItemPosition());
}

TEST_F(ListCtrlTest, ItemTextComesBackWhateverItsLength)
{
    const std::string lengths[] = {"", "短", std::string(255, 'a'), std::string(256, 'b'),
                                   std::string(700, 'c')};
    for (const std::string& text : lengths) {
        SCOPED_TRACE(text.size());
        m_list.DeleteAllItems();
        ASSERT_EQ(0, m_list.InsertItem(0, text.c_str()));
        ASSERT_TRUE(m_list.SetItemText(0, 1, text.c_str()));
        EXPECT_EQ(text, (LPCTSTR)m_list.GetItemText(0, 0));
        EXPECT_EQ(text, (LPCTSTR)m_list.GetItemText(0, 1));
    }
}

TEST_F(ListCtrlTest, SetImageListHandsBackThePreviousList)
{
    CImageList small;
    ASSERT_TRUE(small.Create(16, 16, ILC_COLOR24 | ILC_MASK, 1, 1));
    EXPECT_EQ(NULL, m_list.SetImageList(&small, LVSIL_SMALL));
    EXPECT_EQ(&small, m_list.GetImageList(LVSIL_SMALL));

    // A list nobody attached comes back as a temporary wrapper of it.
    HIMAGELIST other = ImageList_Create(16, 16, ILC_COLOR24, 1, 1);
    ASSERT_NE(nullptr, other);
    ASSERT_TRUE(ImageList_SetImageCount(other, 2));
    m_list.SendMessage(LVM_SETIMAGELIST, LVSIL_SMALL, (LPARAM)other);
    CImageList* previous = m_list.SetImageList(&small, LVSIL_SMALL);
    ASSERT_NE(nullptr, previous);
    EXPECT_NE(&small, previous);
    EXPECT_EQ(other, previous->m_hImageList);

    EXPECT_EQ(&small, m_list.SetImageList(NULL, LVSIL_SMALL));
    CImageList::DeleteTempMap();
    EXPECT_EQ(2, ImageList_GetImageCount(other));  // the wrapper left the list alone
    EXPECT_TRUE(ImageList_Destroy(other));
}

}  // namespace

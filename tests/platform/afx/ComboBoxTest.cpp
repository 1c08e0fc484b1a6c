// Owner-draw combo boxes get their measure and draw messages back from the
// parent, like list boxes.
#include "afxwin.h"

#include "ControlHost.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <vector>

namespace {

using controltest::CControlHost;
using testing::ElementsAre;

const UINT kComboId = 48290;

// An item's height is its data plus ten; the selection field is 30 high.
class CMeasuredCombo : public CComboBox {
public:
    std::vector<int> m_measuredIds;
    void MeasureItem(LPMEASUREITEMSTRUCT lpMeasure) override
    {
        EXPECT_EQ((UINT)ODT_COMBOBOX, lpMeasure->CtlType);
        m_measuredIds.push_back((int)lpMeasure->itemID);
        lpMeasure->itemHeight = lpMeasure->itemID == (UINT)-1 ? 30 : 10 + (UINT)lpMeasure->itemData;
    }
    void DrawItem(LPDRAWITEMSTRUCT) override {}
    int CompareItem(LPCOMPAREITEMSTRUCT lpCompare) override
    {
        if (lpCompare->itemData1 == lpCompare->itemData2)
            return 0;
        return lpCompare->itemData1 < lpCompare->itemData2 ? -1 : 1;
    }
};

TEST(ComboBox, VariableOwnerDrawMeasuresTheFieldAndEveryItem)
{
    CControlHost host;
    ASSERT_TRUE(host.CreateHost());
    CMeasuredCombo combo;
    ASSERT_TRUE(combo.Create(WS_CHILD | WS_VISIBLE | CBS_DROPDOWNLIST | CBS_OWNERDRAWVARIABLE | CBS_SORT,
                             CRect(10, 10, 200, 200), &host, kComboId));
    EXPECT_THAT(combo.m_measuredIds, testing::Contains(-1));
    EXPECT_GE(combo.GetItemHeight(-1), 30);  // with or without its edges

    combo.m_measuredIds.clear();
    EXPECT_EQ(0, combo.AddString((LPCTSTR)(DWORD_PTR)9));
    EXPECT_EQ(0, combo.AddString((LPCTSTR)(DWORD_PTR)4));
    EXPECT_THAT(combo.m_measuredIds, ElementsAre(0, 0));
    EXPECT_EQ(14, combo.GetItemHeight(0));
    EXPECT_EQ(19, combo.GetItemHeight(1));
    EXPECT_EQ(4u, combo.GetItemData(0));
}

}  // namespace

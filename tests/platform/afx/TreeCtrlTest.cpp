// CTreeCtrl: check boxes as state images, sorting children through the
// caller's callback, and the walks from item to item.
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

const UINT kTreeId = 48240;

class TreeCtrlTest : public testing::Test {
protected:
    void SetUp() override { ASSERT_TRUE(m_host.CreateHost()); }

    void CreateTree(DWORD style = 0)
    {
        ASSERT_TRUE(m_tree.Create(WS_CHILD | WS_VISIBLE | TVS_HASBUTTONS | TVS_HASLINES |
                                      TVS_LINESATROOT | style,
                                  CRect(10, 10, 300, 300), &m_host, kTreeId));
    }

    std::vector<std::string> ChildTexts(HTREEITEM parent)
    {
        std::vector<std::string> texts;
        for (HTREEITEM item = m_tree.GetChildItem(parent); item != NULL;
             item = m_tree.GetNextSiblingItem(item))
            texts.push_back((LPCTSTR)m_tree.GetItemText(item));
        return texts;
    }

    CControlHost m_host;
    CTreeCtrl m_tree;
};

TEST_F(TreeCtrlTest, CheckBoxesAreStateImagesOneAndTwo)
{
    CreateTree(TVS_CHECKBOXES);
    HTREEITEM first = m_tree.InsertItem(_T("第一"));
    HTREEITEM second = m_tree.InsertItem(_T("第二"));
    ASSERT_NE(nullptr, first);
    EXPECT_FALSE(m_tree.GetCheck(first));

    ASSERT_TRUE(m_tree.SetCheck(first));
    EXPECT_TRUE(m_tree.GetCheck(first));
    EXPECT_EQ(2u, m_tree.GetItemState(first, TVIS_STATEIMAGEMASK) >> 12);
    EXPECT_FALSE(m_tree.GetCheck(second));

    ASSERT_TRUE(m_tree.SetCheck(first, FALSE));
    EXPECT_FALSE(m_tree.GetCheck(first));
    EXPECT_EQ(1u, m_tree.GetItemState(first, TVIS_STATEIMAGEMASK) >> 12);

    // A state image set by hand reads back through GetCheck.
    ASSERT_TRUE(m_tree.SetItemState(second, INDEXTOSTATEIMAGEMASK(2), TVIS_STATEIMAGEMASK));
    EXPECT_TRUE(m_tree.GetCheck(second));
    // Other state bits are left alone.
    ASSERT_TRUE(m_tree.SetItemState(second, TVIS_BOLD, TVIS_BOLD));
    EXPECT_TRUE(m_tree.GetCheck(second));
    EXPECT_EQ((UINT)TVIS_BOLD, m_tree.GetItemState(second, TVIS_BOLD));
}

// The pixels of one image of a list, drawn on white.
std::vector<COLORREF> ImagePixels(CImageList& list, int image)
{
    IMAGEINFO info;
    EXPECT_TRUE(list.GetImageInfo(image, &info));
    const int cx = info.rcImage.right - info.rcImage.left;
    const int cy = info.rcImage.bottom - info.rcImage.top;
    HDC screen = ::GetDC(NULL);
    HDC hdc = ::CreateCompatibleDC(screen);
    HBITMAP bitmap = ::CreateCompatibleBitmap(screen, cx, cy);
    ::ReleaseDC(NULL, screen);
    HGDIOBJ old = ::SelectObject(hdc, bitmap);
    RECT all = {0, 0, cx, cy};
    ::FillRect(hdc, &all, (HBRUSH)::GetStockObject(WHITE_BRUSH));
    ImageList_Draw(list.m_hImageList, image, hdc, 0, 0, ILD_TRANSPARENT);
    std::vector<COLORREF> pixels;
    for (int y = 0; y < cy; y++)
        for (int x = 0; x < cx; x++)
            pixels.push_back(::GetPixel(hdc, x, y));
    ::SelectObject(hdc, old);
    ::DeleteObject(bitmap);
    ::DeleteDC(hdc);
    return pixels;
}

TEST_F(TreeCtrlTest, CheckedAndUncheckedBoxesLookDifferent)
{
    CreateTree(TVS_CHECKBOXES);
    EXPECT_TRUE(m_tree.GetStyle() & TVS_CHECKBOXES);
    CImageList* states = m_tree.GetImageList(TVSIL_STATE);
    ASSERT_NE(nullptr, states);
    ASSERT_GE(states->GetImageCount(), 3);
    EXPECT_NE(ImagePixels(*states, 1), ImagePixels(*states, 2));
}

// A tree made elsewhere (a dialog's) with check boxes: its checks hold
// when it paints, set before or after the object took it.
TEST_F(TreeCtrlTest, SubclassedTreeKeepsItsChecks)
{
    HWND hWnd = ::CreateWindowEx(0, WC_TREEVIEW, NULL,
                                 WS_CHILD | WS_VISIBLE | TVS_HASLINES | TVS_CHECKBOXES, 10, 10, 200, 200,
                                 m_host.m_hWnd, (HMENU)(INT_PTR)kTreeId, ::GetModuleHandle(NULL), NULL);
    ASSERT_NE(nullptr, hWnd);
    TVINSERTSTRUCT insert = {};
    insert.hParent = TVI_ROOT;
    insert.hInsertAfter = TVI_LAST;
    insert.item.mask = TVIF_TEXT | TVIF_STATE;
    insert.item.pszText = (LPTSTR)_T("早");
    insert.item.stateMask = TVIS_STATEIMAGEMASK;
    insert.item.state = INDEXTOSTATEIMAGEMASK(2);
    HTREEITEM early = (HTREEITEM)::SendMessage(hWnd, TVM_INSERTITEM, 0, (LPARAM)&insert);
    ASSERT_NE(nullptr, early);

    ASSERT_TRUE(m_tree.SubclassWindow(hWnd));
    EXPECT_TRUE(m_tree.GetCheck(early));
    HTREEITEM late = m_tree.InsertItem(_T("晚"));
    ASSERT_TRUE(m_tree.SetCheck(late));
    HTREEITEM plain = m_tree.InsertItem(_T("空"));

    m_tree.Invalidate();
    m_tree.UpdateWindow();
    EXPECT_TRUE(m_tree.GetCheck(early));
    EXPECT_TRUE(m_tree.GetCheck(late));
    EXPECT_FALSE(m_tree.GetCheck(plain));
}

struct TreeSortCall {
    LPARAM first;
    LPARAM second;
    LPARAM sortData;
};
std::vector<TreeSortCall> g_treeSortCalls;

// Ascending by the items' data.
int CALLBACK CompareTreeData(LPARAM lParam1, LPARAM lParam2, LPARAM lParamSort)
{
    g_treeSortCalls.push_back(TreeSortCall{lParam1, lParam2, lParamSort});
    return lParam1 < lParam2 ? -1 : lParam1 > lParam2 ? 1 : 0;
}

TEST_F(TreeCtrlTest, SortChildrenCBOrdersOnlyTheChildrenOfTheItem)
{
    CreateTree();
    HTREEITEM root = m_tree.InsertItem(_T("根"));
    const struct {
        LPCTSTR text;
        LPARAM data;
    } children[] = {{_T("丙"), 3}, {_T("甲"), 1}, {_T("乙"), 2}};
    for (const auto& child : children) {
        HTREEITEM item = m_tree.InsertItem(child.text, root);
        ASSERT_TRUE(m_tree.SetItemData(item, (DWORD_PTR)child.data));
    }
    HTREEITEM other = m_tree.InsertItem(_T("别处"));
    m_tree.SetItemData(m_tree.InsertItem(_T("z"), other), 9);
    m_tree.SetItemData(m_tree.InsertItem(_T("y"), other), 8);

    TVSORTCB sort = {};
    sort.hParent = root;
    sort.lpfnCompare = CompareTreeData;
    sort.lParam = 77;
    g_treeSortCalls.clear();
    ASSERT_TRUE(m_tree.SortChildrenCB(&sort));

    EXPECT_THAT(ChildTexts(root), ElementsAre("甲", "乙", "丙"));
    EXPECT_THAT(ChildTexts(other), ElementsAre("z", "y"));  // untouched
    ASSERT_FALSE(g_treeSortCalls.empty());
    for (const TreeSortCall& call : g_treeSortCalls) {
        EXPECT_EQ(77, call.sortData);
        EXPECT_TRUE(call.first >= 1 && call.first <= 3) << call.first;
        EXPECT_TRUE(call.second >= 1 && call.second <= 3) << call.second;
    }

    // SortChildren orders by text.
    ASSERT_TRUE(m_tree.SortChildren(other));
    EXPECT_THAT(ChildTexts(other), ElementsAre("y", "z"));
}

TEST_F(TreeCtrlTest, WalksReachParentsSiblingsAndVisibleItems)
{
    CreateTree();
    HTREEITEM a = m_tree.InsertItem(_T("甲"));
    HTREEITEM a1 = m_tree.InsertItem(_T("甲一"), a);
    HTREEITEM a2 = m_tree.InsertItem(_T("甲二"), a);
    HTREEITEM b = m_tree.InsertItem(_T("乙"));
    HTREEITEM first = m_tree.InsertItem(_T("首"), TVI_ROOT, TVI_FIRST);

    EXPECT_EQ(first, m_tree.GetRootItem());
    EXPECT_EQ(a, m_tree.GetNextSiblingItem(first));
    EXPECT_EQ(b, m_tree.GetNextSiblingItem(a));
    EXPECT_EQ(NULL, m_tree.GetNextSiblingItem(b));
    EXPECT_EQ(a, m_tree.GetPrevSiblingItem(b));
    EXPECT_EQ(a1, m_tree.GetChildItem(a));
    EXPECT_EQ(a2, m_tree.GetNextItem(a1, TVGN_NEXT));
    EXPECT_EQ(a, m_tree.GetParentItem(a2));
    EXPECT_EQ(NULL, m_tree.GetParentItem(a));
    EXPECT_TRUE(m_tree.ItemHasChildren(a));
    EXPECT_FALSE(m_tree.ItemHasChildren(b));
    EXPECT_EQ(5u, m_tree.GetCount());

    // Collapsed, the children are not visible; expanded they come next.
    EXPECT_EQ(b, m_tree.GetNextVisibleItem(a));
    ASSERT_TRUE(m_tree.Expand(a, TVE_EXPAND));
    EXPECT_EQ(a1, m_tree.GetNextVisibleItem(a));
    EXPECT_EQ(b, m_tree.GetNextVisibleItem(a2));

    ASSERT_TRUE(m_tree.SelectItem(a2));
    EXPECT_EQ(a2, m_tree.GetSelectedItem());
    EXPECT_STREQ(_T("甲二"), m_tree.GetItemText(m_tree.GetSelectedItem()));
    ASSERT_TRUE(m_tree.SelectDropTarget(b));
    EXPECT_EQ(b, m_tree.GetDropHilightItem());

    ASSERT_TRUE(m_tree.DeleteItem(a));
    EXPECT_EQ(2u, m_tree.GetCount());
    EXPECT_EQ(b, m_tree.GetNextSiblingItem(first));
}

TEST_F(TreeCtrlTest, ItemTextComesBackWhateverItsLength)
{
    CreateTree();
    const std::string texts[] = {"", "中文", std::string(255, 'a'), std::string(600, 'b')};
    for (const std::string& text : texts) {
        SCOPED_TRACE(text.size());
        HTREEITEM item = m_tree.InsertItem(text.c_str());
        ASSERT_NE(nullptr, item);
        EXPECT_EQ(text, (LPCTSTR)m_tree.GetItemText(item));
    }
}

}  // namespace

// Filling items when they are opened, and the loader thread that only
// drives the feedback hooks.
#include "AsyncTreeCtrl.h"
#include "InputTreeFormView.h"

#include "GuiDriver.h"

#include <gtest/gtest.h>

#include <atomic>
#include <mutex>
#include <ostream>
#include <string>
#include <vector>

namespace {

// A frame to hold the trees; it deletes itself when destroyed.
CFrameWnd* MakeFrame()
{
    CFrameWnd* pFrame = new CFrameWnd;
    EXPECT_TRUE(pFrame->Create(NULL, "trees", WS_OVERLAPPEDWINDOW | WS_VISIBLE, CRect(0, 0, 400, 400)));
    return pFrame;
}

std::vector<std::string> ChildTexts(const CTreeCtrl& tree, HTREEITEM hItem)
{
    std::vector<std::string> texts;
    HTREEITEM hChild = hItem == TVI_ROOT ? tree.GetRootItem() : tree.GetChildItem(hItem);
    for (; hChild != NULL; hChild = tree.GetNextSiblingItem(hChild))
        texts.push_back(std::string(tree.GetItemText(hChild)));
    return texts;
}

// Each fill inserts the given texts under the item and answers as told.
class ScriptedTree : public CAsyncTreeCtrl {
public:
    std::vector<std::string> children;
    BOOL result = 1;
    std::vector<HTREEITEM> filled;

    BOOL Make(CWnd* pParent)
    {
        return Create(WS_CHILD | WS_VISIBLE | TVS_HASBUTTONS | TVS_LINESATROOT | TVS_HASLINES, CRect(0, 0, 300, 300),
                      pParent, 100);
    }

protected:
    BOOL PopulateItem(HTREEITEM hItem) override
    {
        filled.push_back(hItem);
        for (const std::string& text : children)
            InsertItem(text.c_str(), hItem);
        return result;
    }
};

// Opens an item as a person does, with the keyboard.
void OpenByKey(CTreeCtrl& tree, HTREEITEM hItem)
{
    tree.SelectItem(hItem);
    tree.SendMessage(WM_KEYDOWN, VK_ADD, 0);
}

void CloseByKey(CTreeCtrl& tree, HTREEITEM hItem)
{
    tree.SelectItem(hItem);
    tree.SendMessage(WM_KEYDOWN, VK_SUBTRACT, 0);
}

HTREEITEM InsertFolder(CTreeCtrl& tree, const char* text)
{
    TVINSERTSTRUCTA insert = {};
    insert.hParent = TVI_ROOT;
    insert.hInsertAfter = TVI_LAST;
    insert.item.mask = TVIF_TEXT | TVIF_CHILDREN;
    insert.item.pszText = const_cast<char*>(text);
    insert.item.cChildren = 1;
    return tree.InsertItem(&insert);
}

int ChildIndicator(const CTreeCtrl& tree, HTREEITEM hItem)
{
    TVITEMA item = {};
    item.mask = TVIF_CHILDREN;
    item.hItem = hItem;
    tree.GetItem(&item);
    return item.cChildren;
}

struct OpenCase {
    const char* name;
    std::vector<std::string> children;
    BOOL result;
    bool expanded;
    int indicator;
    bool fillsAgain;  // opened once more, the item is filled again
};

void PrintTo(const OpenCase& c, std::ostream* os) { *os << c.name; }

const OpenCase kOpenCases[] = {
    {"ChildrenAndFollow", {"a", "b"}, 1, true, 1, false},
    // No button left: nothing to open again.
    {"NothingAndFollow", {}, 1, false, 0, false},
    // A place that may list more later (a drive) stays openable.
    {"NothingAndKeep", {}, 0, false, 1, true},
    {"ChildrenAndKeep", {"a"}, 0, true, 1, false},
};

class OpenItemTest : public ::testing::TestWithParam<OpenCase> {};

TEST_P(OpenItemTest, FillsOnceReplacingTheLoadingChild)
{
    const OpenCase& c = GetParam();
    CFrameWnd* pFrame = MakeFrame();
    {
        ScriptedTree tree;
        ASSERT_TRUE(tree.Make(pFrame));
        tree.children = c.children;
        tree.result = c.result;
        HTREEITEM hFolder = InsertFolder(tree, "folder");

        OpenByKey(tree, hFolder);
        ASSERT_EQ(tree.filled, std::vector<HTREEITEM>{hFolder});
        EXPECT_EQ(ChildTexts(tree, hFolder), c.children);
        if (c.indicator != 0) {
            EXPECT_EQ((tree.GetItemState(hFolder, TVIS_EXPANDED) & TVIS_EXPANDED) != 0, c.expanded);
        }
        EXPECT_EQ(ChildIndicator(tree, hFolder), c.indicator);

        // Opened again: children already there stay and nothing is filled.
        CloseByKey(tree, hFolder);
        OpenByKey(tree, hFolder);
        EXPECT_EQ(tree.filled.size(), c.fillsAgain ? 2u : 1u);
        if (!c.children.empty()) {
            EXPECT_EQ(ChildTexts(tree, hFolder), c.children);
        }
    }
    pFrame->DestroyWindow();
}

INSTANTIATE_TEST_SUITE_P(Cases, OpenItemTest, ::testing::ValuesIn(kOpenCases),
                         [](const ::testing::TestParamInfo<OpenCase>& info) { return std::string(info.param.name); });

TEST(AsyncTreeCtrlTest, RefreshRefillsTheTopLevelAndLeavesClosedLeavesAlone)
{
    CFrameWnd* pFrame = MakeFrame();
    {
        ScriptedTree tree;
        ASSERT_TRUE(tree.Make(pFrame));
        tree.children = {"one", "two"};
        tree.RefreshItem(TVI_ROOT);
        EXPECT_EQ(ChildTexts(tree, TVI_ROOT), (std::vector<std::string>{"one", "two"}));
        tree.RefreshItem(TVI_ROOT);
        EXPECT_EQ(ChildTexts(tree, TVI_ROOT), (std::vector<std::string>{"one", "two"}));
        EXPECT_EQ(tree.filled, (std::vector<HTREEITEM>{TVI_ROOT, TVI_ROOT}));

        // "one" has no child indicator: a refresh does not touch it.
        tree.RefreshItem(tree.GetRootItem());
        EXPECT_EQ(tree.filled.size(), 2u);
        EXPECT_TRUE(ChildTexts(tree, tree.GetRootItem()).empty());
    }
    pFrame->DestroyWindow();
}

// Records what the loader thread calls.
class RecordingTree : public CAsyncTreeCtrl {
public:
    struct Tick {
        BOOL timer;
        int total;
        int count;
        DWORD thread;
    };
    std::mutex mutex;
    std::vector<Tick> ticks;
    std::atomic<int> starts{0};
    std::atomic<int> stops{0};
    std::atomic<bool> stopSawRunningThread{false};

    void SetPeriod(UINT ms) { SetTimerPeriod(ms); }

    std::vector<Tick> Ticks()
    {
        std::lock_guard<std::mutex> lock(mutex);
        return ticks;
    }

protected:
    void OnLoaderStart(HTREEITEM) override { starts++; }
    void OnLoaderTick(BOOL bTimer, int nTotal, int nCount) override
    {
        std::lock_guard<std::mutex> lock(mutex);
        ticks.push_back({bTimer, nTotal, nCount, ::GetCurrentThreadId()});
    }
    void OnLoaderStop() override { stops++; }
};

bool WaitUntil(const std::function<bool()>& done)
{
    return testsupport::Gui().WaitFor(done, 10000);
}

TEST(LoaderThreadTest, TicksFirstOnTheTimerThenOnProgressAndStopsWhenTheTreeIsDestroyed)
{
    CFrameWnd* pFrame = MakeFrame();
    RecordingTree tree;
    ASSERT_TRUE(tree.Create(WS_CHILD | WS_VISIBLE, CRect(0, 0, 100, 100), pFrame, 100));

    // Without a loader, progress is only stored.
    tree.SetProgress(7, 3);
    EXPECT_TRUE(tree.Ticks().empty());

    ASSERT_TRUE(tree.StartLoader());
    EXPECT_EQ(tree.starts.load(), 1);
    ASSERT_TRUE(WaitUntil([&] { return !tree.Ticks().empty(); }));
    // Both events start signalled; the timer's is seen first.
    RecordingTree::Tick first = tree.Ticks()[0];
    EXPECT_TRUE(first.timer);
    EXPECT_NE(first.thread, ::GetCurrentThreadId());

    ASSERT_TRUE(WaitUntil([&] { return tree.Ticks().size() >= 2; }));
    size_t nBefore = tree.Ticks().size();
    tree.SetProgress(10, 0);
    tree.AddProgress(4);
    ASSERT_TRUE(WaitUntil([&] {
        std::vector<RecordingTree::Tick> ticks = tree.Ticks();
        return ticks.size() > nBefore && !ticks.back().timer && ticks.back().total == 10 && ticks.back().count == 4;
    }));
    // No timer period: only requests wake the thread.
    std::vector<RecordingTree::Tick> ticks = tree.Ticks();
    for (size_t i = 1; i < ticks.size(); i++)
        EXPECT_FALSE(ticks[i].timer) << i;

    pFrame->DestroyWindow();
    EXPECT_FALSE(tree.IsLoaderRunning());
    EXPECT_EQ(tree.stops.load(), 1);
    size_t nAfterStop = tree.Ticks().size();
    tree.AddProgress(1);
    ::Sleep(50);
    EXPECT_EQ(tree.Ticks().size(), nAfterStop);
}

TEST(LoaderThreadTest, APeriodKeepsTimerTicksComing)
{
    CFrameWnd* pFrame = MakeFrame();
    {
        RecordingTree tree;
        ASSERT_TRUE(tree.Create(WS_CHILD | WS_VISIBLE, CRect(0, 0, 100, 100), pFrame, 100));
        tree.SetPeriod(10);
        ASSERT_TRUE(tree.StartLoader());
        EXPECT_TRUE(WaitUntil([&] {
            int nTimer = 0;
            for (const RecordingTree::Tick& tick : tree.Ticks())
                nTimer += tick.timer ? 1 : 0;
            return nTimer >= 4;
        }));
        tree.StopLoader();
        EXPECT_EQ(tree.stops.load(), 1);
        tree.StopLoader();
        EXPECT_EQ(tree.stops.load(), 1);
    }
    pFrame->DestroyWindow();
}

class CProbeTree : public CProgressFolderTree {
public:
    HCURSOR Cursor() const { return m_hCursor; }
};

// The input tree's own feedback layers, deleted while their loader runs.
TEST(LoaderThreadTest, TheProgressTreeGoesCleanlyWhileItsLoaderRuns)
{
    CFrameWnd* pFrame = MakeFrame();
    CProbeTree* pTree = new CProbeTree;
    EXPECT_NE(pTree->Cursor(), nullptr);
    ASSERT_TRUE(pTree->Create(WS_CHILD | WS_VISIBLE | TVS_HASBUTTONS, CRect(0, 0, 200, 200), pFrame, 100));
    pTree->InsertItem("item");
    ASSERT_TRUE(pTree->StartLoader());
    for (int i = 0; i < 20; i++) {
        pTree->AddProgress(1);
        ::Sleep(5);
    }
    delete pTree;
    pFrame->DestroyWindow();
}

}  // namespace

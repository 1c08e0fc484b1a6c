// Static splitters in a frame: the panes made by the frame's client
// creation, their layout from the column sizes, dragging the bar with the
// mouse, the active pane taking the frame's commands, and a splitter
// inside a pane of another.
#include "afxwin.h"
#include "afxext.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "GuiDriver.h"
#include "SplitterWndTestRes.h"

namespace {

std::vector<std::string> g_commands;  // which view handled ID_SPLT_WHO

class CSplitFormView : public CFormView {
    DECLARE_DYNCREATE(CSplitFormView)
protected:
    CSplitFormView() : CFormView(IDD_SPLT_FORM) {}
    afx_msg void OnWho() { g_commands.push_back("form"); }
    DECLARE_MESSAGE_MAP()
};

IMPLEMENT_DYNCREATE(CSplitFormView, CFormView)
BEGIN_MESSAGE_MAP(CSplitFormView, CFormView)
    ON_COMMAND(ID_SPLT_WHO, OnWho)
END_MESSAGE_MAP()

class CSplitPictureView : public CScrollView {
    DECLARE_DYNCREATE(CSplitPictureView)
protected:
    CSplitPictureView() {}
    void OnDraw(CDC*) override {}
    void OnInitialUpdate() override
    {
        CScrollView::OnInitialUpdate();
        SetScrollSizes(MM_TEXT, CSize(800, 600));
    }
    afx_msg void OnWho() { g_commands.push_back("picture"); }
    DECLARE_MESSAGE_MAP()
};

IMPLEMENT_DYNCREATE(CSplitPictureView, CScrollView)
BEGIN_MESSAGE_MAP(CSplitPictureView, CScrollView)
    ON_COMMAND(ID_SPLT_WHO, OnWho)
END_MESSAGE_MAP()

// A view whose window refuses to be made.
class CSplitRefusingView : public CView {
    DECLARE_DYNCREATE(CSplitRefusingView)
protected:
    CSplitRefusingView() {}
    void OnDraw(CDC*) override {}
    afx_msg int OnCreate(LPCREATESTRUCT) { return -1; }
    DECLARE_MESSAGE_MAP()
};

IMPLEMENT_DYNCREATE(CSplitRefusingView, CView)
BEGIN_MESSAGE_MAP(CSplitRefusingView, CView)
    ON_WM_CREATE()
END_MESSAGE_MAP()

// A 1 x 2 splitter made by the frame's client creation: a form on the
// left, a picture on the right; with bNested the right pane is itself a
// 2 x 1 splitter of two pictures.
class CSplitFrame : public CFrameWnd {
public:
    explicit CSplitFrame(bool bNested = false) : m_bNested(bNested) {}
    CSplitterWnd m_wndSplitter;
    CSplitterWnd m_wndInner;

protected:
    BOOL OnCreateClient(LPCREATESTRUCT, CCreateContext* pContext) override
    {
        if (!m_wndSplitter.CreateStatic(this, 1, 2))
            return FALSE;
        if (!m_wndSplitter.CreateView(0, 0, RUNTIME_CLASS(CSplitFormView), CSize(150, 100), pContext))
            return FALSE;
        if (!m_bNested)
            return m_wndSplitter.CreateView(0, 1, RUNTIME_CLASS(CSplitPictureView), CSize(100, 100),
                                            pContext);
        return m_wndInner.CreateStatic(&m_wndSplitter, 2, 1, WS_CHILD | WS_VISIBLE | WS_BORDER,
                                       m_wndSplitter.IdFromRowCol(0, 1)) &&
               m_wndInner.CreateView(0, 0, RUNTIME_CLASS(CSplitPictureView), CSize(100, 80), pContext) &&
               m_wndInner.CreateView(1, 0, RUNTIME_CLASS(CSplitPictureView), CSize(100, 80), pContext);
    }

private:
    bool m_bNested;
};

CRect PaneRect(CSplitterWnd& splitter, int row, int col)
{
    CRect rect;
    CWnd* pPane = splitter.GetPane(row, col);
    if (pPane == nullptr)
        return rect;
    pPane->GetWindowRect(&rect);
    splitter.ScreenToClient(&rect);
    return rect;
}

class SplitterWndTest : public ::testing::Test {
protected:
    void MakeFrame(bool bNested = false)
    {
        g_commands.clear();
        m_pFrame = new CSplitFrame(bNested);  // deletes itself with its window
        ASSERT_TRUE(m_pFrame->Create(nullptr, "分割窗口", WS_OVERLAPPEDWINDOW | WS_VISIBLE,
                                     CRect(0, 0, 500, 300)));
        m_pFrame->InitialUpdateFrame(nullptr, TRUE);
    }
    void TearDown() override
    {
        if (m_pFrame != nullptr && ::IsWindow(m_pFrame->m_hWnd))
            m_pFrame->DestroyWindow();
    }
    void ResizeFrameBy(int cx)
    {
        CRect rect;
        m_pFrame->GetWindowRect(&rect);
        m_pFrame->SetWindowPos(nullptr, 0, 0, rect.Width() + cx, rect.Height(),
                               SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
    }
    CSplitterWnd& Splitter() { return m_pFrame->m_wndSplitter; }

    CSplitFrame* m_pFrame = nullptr;
};

TEST_F(SplitterWndTest, FramesClientCreationMakesThePanesWithTheirIds)
{
    MakeFrame();
    CSplitterWnd& splitter = Splitter();
    EXPECT_EQ(splitter.GetRowCount(), 1);
    EXPECT_EQ(splitter.GetColumnCount(), 2);
    // The splitter is the frame's pane and fills its client area.
    EXPECT_EQ(splitter.GetDlgCtrlID(), AFX_IDW_PANE_FIRST);
    EXPECT_EQ(splitter.GetParent(), m_pFrame);
    CRect rectFrame, rectSplitter;
    m_pFrame->GetClientRect(&rectFrame);
    splitter.GetClientRect(&rectSplitter);
    EXPECT_EQ(rectSplitter.Size(), rectFrame.Size());

    CWnd* pForm = splitter.GetPane(0, 0);
    CWnd* pPicture = splitter.GetPane(0, 1);
    ASSERT_NE(pForm, nullptr);
    ASSERT_NE(pPicture, nullptr);
    EXPECT_TRUE(pForm->IsKindOf(RUNTIME_CLASS(CSplitFormView)));
    EXPECT_TRUE(pPicture->IsKindOf(RUNTIME_CLASS(CSplitPictureView)));
    EXPECT_EQ(pForm->GetDlgCtrlID(), AFX_IDW_PANE_FIRST);
    EXPECT_EQ(pPicture->GetDlgCtrlID(), AFX_IDW_PANE_FIRST + 1);
    EXPECT_EQ(splitter.IdFromRowCol(2, 3), AFX_IDW_PANE_FIRST + 2 * 16 + 3);
    // The form holds the controls of its template.
    EXPECT_NE(pForm->GetDlgItem(IDC_SPLT_NAME), nullptr);
    EXPECT_EQ(splitter.GetPane(1, 0), nullptr);

    // The first column has the width CreateView asked for.
    int cxCur = 0, cxMin = -1;
    splitter.GetColumnInfo(0, cxCur, cxMin);
    EXPECT_EQ(cxCur, 150);
    EXPECT_EQ(cxMin, 0);
    EXPECT_EQ(PaneRect(splitter, 0, 0).Width(), 150);
}

TEST_F(SplitterWndTest, CreateViewFailsForAViewThatIsNotMadeOrAPaneThatIsTaken)
{
    MakeFrame();
    CSplitterWnd splitter;
    ASSERT_TRUE(splitter.CreateStatic(m_pFrame, 1, 2, WS_CHILD, AFX_IDW_PANE_FIRST + 1));
    EXPECT_FALSE(splitter.CreateView(0, 0, RUNTIME_CLASS(CSplitRefusingView), CSize(50, 50), nullptr));
    EXPECT_EQ(splitter.GetPane(0, 0), nullptr);
    EXPECT_TRUE(splitter.CreateView(0, 0, RUNTIME_CLASS(CSplitPictureView), CSize(50, 50), nullptr));
    EXPECT_FALSE(splitter.CreateView(0, 0, RUNTIME_CLASS(CSplitPictureView), CSize(50, 50), nullptr));
    EXPECT_FALSE(splitter.CreateView(0, 2, RUNTIME_CLASS(CSplitPictureView), CSize(50, 50), nullptr));
    EXPECT_NE(splitter.GetPane(0, 0), nullptr);
    EXPECT_EQ(splitter.GetPane(0, 1), nullptr);
    splitter.DestroyWindow();
}

TEST_F(SplitterWndTest, ColumnInfoSizesTheFirstColumnAndTheLastTakesTheRest)
{
    MakeFrame();
    CSplitterWnd& splitter = Splitter();
    splitter.SetColumnInfo(0, 120, 10);
    splitter.RecalcLayout();

    int cxCur = 0, cxMin = 0;
    splitter.GetColumnInfo(0, cxCur, cxMin);
    EXPECT_EQ(cxCur, 120);
    EXPECT_EQ(cxMin, 10);
    CRect left = PaneRect(splitter, 0, 0);
    CRect right = PaneRect(splitter, 0, 1);
    EXPECT_EQ(left.Width(), 120);
    EXPECT_GT(right.left, left.right);  // the bar lies between them
    CRect rectClient;
    splitter.GetClientRect(&rectClient);
    EXPECT_LE(right.right, rectClient.right);
    EXPECT_GT(right.right, rectClient.right - 8);  // up to the edge around the pane
    int cyCur = 0, cyMin = 0;
    splitter.GetRowInfo(0, cyCur, cyMin);
    EXPECT_EQ(left.Height(), cyCur);
    EXPECT_EQ(right.Height(), cyCur);

    // A wider frame keeps the first column; the second gets the difference.
    ResizeFrameBy(80);
    EXPECT_EQ(PaneRect(splitter, 0, 0).Width(), 120);
    EXPECT_EQ(PaneRect(splitter, 0, 1).Width(), right.Width() + 80);

    // Asked below its minimum, the first column is not shown and the
    // second takes the room.
    splitter.SetColumnInfo(0, 5, 10);
    splitter.RecalcLayout();
    splitter.GetColumnInfo(0, cxCur, cxMin);
    EXPECT_EQ(cxCur, 0);
    EXPECT_EQ(PaneRect(splitter, 0, 0).Width(), 0);
    EXPECT_EQ(PaneRect(splitter, 0, 1).Width(), right.Width() + 80 + 120);
}

TEST_F(SplitterWndTest, DraggingTheBarMovesIt)
{
    MakeFrame();
    CSplitterWnd& splitter = Splitter();
    CRect left = PaneRect(splitter, 0, 0);
    CRect right = PaneRect(splitter, 0, 1);
    ASSERT_EQ(left.Width(), 150);
    const int x = (left.right + right.left) / 2;
    const int y = left.CenterPoint().y;

    // Posted messages come before the real mouse's, so the drag is the
    // test's alone.
    splitter.PostMessage(WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(x, y));
    splitter.PostMessage(WM_MOUSEMOVE, MK_LBUTTON, MAKELPARAM(x + 20, y));
    splitter.PostMessage(WM_MOUSEMOVE, MK_LBUTTON, MAKELPARAM(x + 40, y));
    splitter.PostMessage(WM_LBUTTONUP, 0, MAKELPARAM(x + 40, y));
    EXPECT_TRUE(testsupport::Gui().WaitFor([&] { return PaneRect(splitter, 0, 0).Width() != 150; }));
    EXPECT_EQ(PaneRect(splitter, 0, 0).Width(), 190);
    EXPECT_EQ(PaneRect(splitter, 0, 1).Width(), right.Width() - 40);
    EXPECT_EQ(CWnd::GetCapture(), nullptr);

    // A drag that ends left of the minimum hides the first column.
    splitter.SetColumnInfo(0, 190, 30);
    splitter.PostMessage(WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(x + 40, y));
    splitter.PostMessage(WM_MOUSEMOVE, MK_LBUTTON, MAKELPARAM(x + 40 - 170, y));
    splitter.PostMessage(WM_LBUTTONUP, 0, MAKELPARAM(x + 40 - 170, y));
    EXPECT_TRUE(testsupport::Gui().WaitFor([&] { return PaneRect(splitter, 0, 0).Width() == 0; }));

    // Escape ends a drag without a change.
    splitter.SetColumnInfo(0, 150, 0);
    splitter.RecalcLayout();
    splitter.PostMessage(WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(x, y));
    splitter.PostMessage(WM_MOUSEMOVE, MK_LBUTTON, MAKELPARAM(x + 60, y));
    splitter.PostMessage(WM_KEYDOWN, VK_ESCAPE, 0);
    splitter.PostMessage(WM_LBUTTONUP, 0, MAKELPARAM(x + 60, y));
    splitter.PostMessage(WM_USER + 7);
    EXPECT_TRUE(testsupport::Gui().WaitFor([&] {
        MSG msg;
        return !::PeekMessageA(&msg, splitter.m_hWnd, WM_USER + 7, WM_USER + 7, PM_NOREMOVE);
    }));
    EXPECT_EQ(PaneRect(splitter, 0, 0).Width(), 150);
}

TEST_F(SplitterWndTest, ActivePaneIsTheFramesViewAndGetsItsCommands)
{
    MakeFrame();
    CSplitterWnd& splitter = Splitter();
    CWnd* pForm = splitter.GetPane(0, 0);
    CWnd* pPicture = splitter.GetPane(0, 1);

    splitter.SetActivePane(0, 1);
    EXPECT_EQ((CWnd*)m_pFrame->GetActiveView(), pPicture);
    int row = -1, col = -1;
    EXPECT_EQ(splitter.GetActivePane(&row, &col), pPicture);
    EXPECT_EQ(row, 0);
    EXPECT_EQ(col, 1);
    m_pFrame->SendMessage(WM_COMMAND, ID_SPLT_WHO);

    splitter.SetActivePane(0, 0);
    EXPECT_EQ(splitter.GetActivePane(&row, &col), pForm);
    EXPECT_EQ(col, 0);
    m_pFrame->SendMessage(WM_COMMAND, ID_SPLT_WHO);
    // A command that reaches the splitter itself goes to the frame, and so
    // to the active view.
    splitter.SendMessage(WM_COMMAND, ID_SPLT_WHO);
    EXPECT_EQ(g_commands, (std::vector<std::string>{"picture", "form", "form"}));
}

TEST_F(SplitterWndTest, ASplitterInsideAPaneTakesThePanesPlace)
{
    MakeFrame(true);
    CSplitterWnd& outer = Splitter();
    CSplitterWnd& inner = m_pFrame->m_wndInner;
    EXPECT_EQ(outer.GetPane(0, 1), &inner);
    EXPECT_EQ(inner.GetDlgCtrlID(), outer.IdFromRowCol(0, 1));
    CWnd* pTop = inner.GetPane(0, 0);
    CWnd* pBottom = inner.GetPane(1, 0);
    ASSERT_NE(pTop, nullptr);
    ASSERT_NE(pBottom, nullptr);
    EXPECT_EQ(pBottom->GetDlgCtrlID(), AFX_IDW_PANE_FIRST + 16);

    // The inner splitter follows the outer column and lays out its rows.
    int cyCur = 0, cyMin = 0;
    inner.GetRowInfo(0, cyCur, cyMin);
    EXPECT_EQ(cyCur, 80);
    EXPECT_EQ(PaneRect(inner, 0, 0).Height(), 80);
    CRect rectInner;
    inner.GetClientRect(&rectInner);
    const int cxInner = rectInner.Width();
    ResizeFrameBy(60);
    inner.GetClientRect(&rectInner);
    EXPECT_EQ(rectInner.Width(), cxInner + 60);
    EXPECT_EQ(PaneRect(inner, 1, 0).Width(), PaneRect(inner, 0, 0).Width());

    // Its panes are the frame's views like any other.
    inner.SetActivePane(1, 0);
    EXPECT_EQ((CWnd*)m_pFrame->GetActiveView(), pBottom);
    EXPECT_EQ(inner.GetActivePane(), pBottom);
    EXPECT_EQ(outer.GetActivePane(), nullptr);  // not one of the outer's panes
    m_pFrame->SendMessage(WM_COMMAND, ID_SPLT_WHO);
    EXPECT_EQ(g_commands, (std::vector<std::string>{"picture"}));
}

}  // namespace

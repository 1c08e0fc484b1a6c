#include "Dioptra.h"

#include "afxwin.h"

#include "DioptraTestRes.h"
#include "GuiDriver.h"
#include "TempDir.h"

#include <gtest/gtest.h>

#include <string>

using testsupport::Gui;
using testsupport::TempDir;
using testsupport::WriteFileBytes;

namespace {

class CDtDoc : public CDocument {
    DECLARE_DYNCREATE(CDtDoc)
};
IMPLEMENT_DYNCREATE(CDtDoc, CDocument)

class CDtView : public CView {
    DECLARE_DYNCREATE(CDtView)
protected:
    void OnDraw(CDC*) override {}
};
IMPLEMENT_DYNCREATE(CDtView, CView)

// A bottom-up 24-bit BMP of one row: red, then blue.
std::string RedBlueBitmap()
{
    std::string bytes;
    auto put = [&bytes](unsigned value, int size) {
        for (int i = 0; i < size; ++i)
            bytes += static_cast<char>((value >> (8 * i)) & 0xFF);
    };
    put(0x4D42, 2);
    put(14 + 40 + 8, 4);
    put(0, 4);
    put(14 + 40, 4);
    put(40, 4);
    put(2, 4);  // width
    put(1, 4);  // height
    put(1, 2);
    put(24, 2);
    put(0, 4);
    put(8, 4);
    put(2835, 4);
    put(2835, 4);
    put(0, 4);
    put(0, 4);
    bytes += std::string("\x00\x00\xFF\xFF\x00\x00\x00\x00", 8);
    return bytes;
}

class DioptraTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(SUCCEEDED(::CoInitializeEx(NULL, COINIT_APARTMENTTHREADED)));
        m_app = new CWinApp("图片测试");
        DioptraClearCallLog();
    }
    void TearDown() override
    {
        if (m_app->m_pMainWnd != nullptr)
            m_app->m_pMainWnd->DestroyWindow();
        MSG msg;
        while (::PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) {
        }
        delete m_app;
        ::CoUninitialize();
    }

    void MakeMainFrame()
    {
        m_main = new CMDIFrameWnd;
        ASSERT_TRUE(m_main->LoadFrame(IDR_DT_MAINFRAME));
        m_app->m_pMainWnd = m_main;
        m_main->ShowWindow(SW_SHOW);
        m_main->UpdateWindow();
    }

    CDocTemplate* FirstTemplate() const
    {
        POSITION pos = m_app->GetFirstDocTemplatePosition();
        return pos != nullptr ? m_app->GetNextDocTemplate(pos) : nullptr;
    }
    int TemplateCount() const
    {
        int count = 0;
        for (POSITION pos = m_app->GetFirstDocTemplatePosition(); pos != nullptr; m_app->GetNextDocTemplate(pos))
            ++count;
        return count;
    }

    CWinApp* m_app = nullptr;
    CMDIFrameWnd* m_main = nullptr;
};

}  // namespace

TEST_F(DioptraTest, InitialisationRegistersTheEditorAsTheFirstTemplateOnce)
{
    DioInitialize(0);
    ASSERT_EQ(1, TemplateCount());
    CDocTemplate* editor = FirstTemplate();
    CString name;
    ASSERT_TRUE(editor->GetDocString(name, CDocTemplate::docName));
    EXPECT_STREQ("图片", name);

    m_app->AddDocTemplate(new CMultiDocTemplate(IDR_DT_OWNTYPE, RUNTIME_CLASS(CDtDoc), RUNTIME_CLASS(CMDIChildWnd),
                                                RUNTIME_CLASS(CDtView)));
    // The late start of an automation server initialises the library again.
    DioInitialize(0);
    EXPECT_EQ(2, TemplateCount());
    EXPECT_EQ(editor, FirstTemplate());

    MakeMainFrame();
    DioSetMainFrame(m_main, TRUE);
    DioAttachFrame(m_main, 0);
    EXPECT_STREQ("103 0\n103 0\n104 1\n106 0\n", DioptraCallLog());
}

TEST_F(DioptraTest, OpensAPictureAndShowsItFittedIntoItsView)
{
    DioInitialize(0);
    MakeMainFrame();
    TempDir dir;
    ASSERT_TRUE(WriteFileBytes(dir.File("红蓝.bmp"), RedBlueBitmap()));

    CDocument* pDoc = FirstTemplate()->OpenDocumentFile(dir.File("红蓝.bmp").c_str());
    ASSERT_NE(nullptr, pDoc);
    EXPECT_STREQ("红蓝.bmp", pDoc->GetTitle());
    POSITION pos = pDoc->GetFirstViewPosition();
    CView* pView = pDoc->GetNextView(pos);
    ASSERT_NE(nullptr, pView);
    CFrameWnd* pChild = pView->GetParentFrame();
    ASSERT_TRUE(pChild->IsKindOf(RUNTIME_CLASS(CMDIChildWnd)));
    EXPECT_EQ(m_main, static_cast<CMDIChildWnd*>(pChild)->GetMDIFrame());

    // A square client: the 2 × 1 picture fills its width and half its
    // height, centred, with the window colour above and below.
    pView->SetWindowPos(nullptr, 0, 0, 220, 220, SWP_NOZORDER | SWP_NOACTIVATE);
    CRect client;
    pView->GetClientRect(&client);
    ASSERT_GT(client.Width(), 100);
    pView->SetWindowPos(nullptr, 0, 0, 220 + (client.Height() - client.Width()), 220,
                        SWP_NOZORDER | SWP_NOACTIVATE);
    pView->GetClientRect(&client);
    ASSERT_EQ(client.Width(), client.Height());
    pView->RedrawWindow(nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW);

    int w = client.Width();
    HDC dc = ::GetDC(pView->GetSafeHwnd());
    EXPECT_EQ(RGB(255, 0, 0), ::GetPixel(dc, w / 4, w / 2));
    EXPECT_EQ(RGB(0, 0, 255), ::GetPixel(dc, 3 * w / 4, w / 2));
    EXPECT_EQ(RGB(255, 0, 0), ::GetPixel(dc, 2, w / 4 + 3));
    EXPECT_EQ(::GetSysColor(COLOR_WINDOW), ::GetPixel(dc, w / 4, w / 4 - 3));
    EXPECT_EQ(::GetSysColor(COLOR_WINDOW), ::GetPixel(dc, 3 * w / 4, 3 * w / 4 + 3));
    ::ReleaseDC(pView->GetSafeHwnd(), dc);
}

TEST_F(DioptraTest, AFileThatIsNoPictureIsReportedAndOpensNothing)
{
    DioInitialize(0);
    MakeMainFrame();
    TempDir dir;
    ASSERT_TRUE(WriteFileBytes(dir.File("note.jpg"), "not a picture"));

    auto& box = Gui().Expect("图片测试").Press(IDOK);
    EXPECT_EQ(nullptr, FirstTemplate()->OpenDocumentFile(dir.File("note.jpg").c_str()));
    EXPECT_TRUE(box.Seen());
    EXPECT_TRUE(box.HasText("不能打开图片文件 " + dir.File("note.jpg")));
    EXPECT_EQ(nullptr, FirstTemplate()->GetFirstDocPosition());
}

// The main window closed by the operator while a folder's thumbnails are
// made: each way a folder gets listed (selecting it in the tree, the main
// frame's listing of a folder, the scanner's message for a file written)
// lets that close through and must touch nothing of the frame, its panes
// or its tree afterwards. This program's heap makes freed blocks fault
// (GuardedHeap.cpp), so a use after the close ends the test.
#include "ChildFrame.h"
#include "InputTreeFormView.h"
#include "MainFrame.h"
#include "OmbrelleApp.h"
#include "PicThumnailFormView.h"
#include "StartupSplashWnd.h"

#include "Registry.h"
#include "TempDir.h"
#include "../thumbnails/ThumbTestSupport.h"
#include "ClassObjectTurn.h"

#include <gtest/gtest.h>

#include <functional>
#include <ostream>
#include <string>

namespace {

std::string AppName() { return testsupport::ProcessUnique("OmbrelleFillClosing"); }
std::string ProfileKey() { return "Software\\Local AppWizard-Generated Applications\\" + AppName(); }

HTREEITEM FindChild(const CTreeCtrl& tree, HTREEITEM hParent, const std::string& text)
{
    for (HTREEITEM h = tree.GetChildItem(hParent); h != NULL; h = tree.GetNextSiblingItem(h)) {
        if (std::string(tree.GetItemText(h)) == text)
            return h;
    }
    return NULL;
}

class ClosingDuringFillTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        testsupport::DeleteRegKey(HKEY_CURRENT_USER, ProfileKey());
        free(const_cast<char*>(m_app.m_pszAppName));
        m_app.m_pszAppName = _strdup(AppName().c_str());
        // The client opens at an empty folder; the pictures lie beside it.
        m_start = m_dir.Path() + "\\Start";
        ASSERT_TRUE(::CreateDirectoryA(m_start.c_str(), NULL));
        m_pictures = m_dir.Path() + "\\Pictures";
        ASSERT_TRUE(::CreateDirectoryA(m_pictures.c_str(), NULL));
        for (int i = 0; i < 6; ++i)
            ASSERT_TRUE(thumbtest::WriteBmp(m_pictures + "\\p" + std::to_string(i) + ".bmp", 80, 60, RGB(40 * i, 0, 90)));
        testsupport::WriteRegString(HKEY_CURRENT_USER, ProfileKey() + "\\PicSkipBar", "Path", m_start);

        ASSERT_TRUE(testsupport::StartUpInProcess(m_app));
        if (CStartupSplashWnd* pSplash = CStartupSplashWnd::GetSplash())
            pSplash->DestroyWindow();
        ASSERT_NE(m_app.m_pMainFrame, nullptr);
        m_hFrame = m_app.m_pMainFrame->GetSafeHwnd();
    }

    void TearDown() override
    {
        if (m_app.m_pMainFrame != nullptr && ::IsWindow(m_hFrame))
            m_app.m_pMainFrame->DestroyWindow();
        m_app.m_pMainFrame = nullptr;
        m_app.m_pMainWnd = nullptr;
        MSG msg;
        while (::PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) {
        }
        testsupport::DeleteRegKey(HKEY_CURRENT_USER, ProfileKey());
    }

    // Lists the pictures one way with a close of the main window waiting:
    // the fill lets it through while it makes the thumbnails.
    void ListPicturesWhileTheWindowCloses(const std::function<void(CMainFrame&)>& list)
    {
        CMainFrame* pFrame = m_app.m_pMainFrame;
        ASSERT_TRUE(::PostMessageA(m_hFrame, WM_CLOSE, 0, 0));
        list(*pFrame);
        EXPECT_FALSE(::IsWindow(m_hFrame));
        if (!::IsWindow(m_hFrame))
            m_app.m_pMainFrame = nullptr;
    }

    COmbrelleApp m_app;
    testsupport::TempDir m_dir;
    std::string m_start, m_pictures;
    HWND m_hFrame = NULL;
};

TEST_F(ClosingDuringFillTest, SelectingTheFolderInTheTree)
{
    CInputTreeFormView* pTreeView = m_app.m_pMainFrame->GetFolderTreeView();
    ASSERT_NE(pTreeView, nullptr);
    CTreeCtrl& tree = pTreeView->m_tree;
    HTREEITEM hStart = tree.GetSelectedItem();
    ASSERT_NE(hStart, nullptr);
    HTREEITEM hPictures = FindChild(tree, tree.GetParentItem(hStart), "Pictures");
    ASSERT_NE(hPictures, nullptr);

    ListPicturesWhileTheWindowCloses([&](CMainFrame&) { tree.SelectItem(hPictures); });
}

TEST_F(ClosingDuringFillTest, TheMainFrameListingTheFolder)
{
    ListPicturesWhileTheWindowCloses([&](CMainFrame& frame) { frame.SelectFolderInTree(m_pictures.c_str()); });
}

TEST_F(ClosingDuringFillTest, TheScannersMessageForAFileWritten)
{
    const std::string scanned = m_pictures + "\\p0.bmp";
    ListPicturesWhileTheWindowCloses([&](CMainFrame& frame) {
        frame.SendMessage(WM_USER + 0, reinterpret_cast<WPARAM>(scanned.c_str()));
    });
}

}  // namespace

// The cataloguing command of the running client against the back-end
// stand-in: its messages, and the window of the catalogue tree beside the
// metadata form; and the accessory page's address.
#include "BackendFixture.h"

#include "CatalogTreeView.h"
#include "GuiDriver.h"
#include "MainFrame.h"
#include "MetaDataInput.h"
#include "OmbrelleApp.h"
#include "OmbrelleDoc.h"
#include "ProgramFolder.h"
#include "RecordSubWnd.h"
#include "RelateAssetView.h"
#include "ServerSession.h"
#include "resource.h"

#include <gtest/gtest.h>

#include <fstream>
#include <functional>
#include <ostream>
#include <string>
#include <vector>

namespace uploadtest {
namespace {

using testsupport::Gui;

BOOL CALLBACK CollectRecordWindow(HWND window, LPARAM found)
{
    CWnd* wnd = CWnd::FromHandlePermanent(window);
    if (wnd != nullptr && wnd->IsKindOf(RUNTIME_CLASS(CRecordSubWnd)))
        *reinterpret_cast<CRecordSubWnd**>(found) = static_cast<CRecordSubWnd*>(wnd);
    return TRUE;
}

// What the window shows on the screen, kept as a 24-bit BMP beside the
// build's other screenshots for a person to look at; the pixels' colours
// (0x00RRGGBB, top row first).
std::vector<COLORREF> KeepScreenshot(HWND window, const std::string& name)
{
    ::RedrawWindow(window, nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW | RDW_ALLCHILDREN);
    CRect rect;
    ::GetWindowRect(window, &rect);
    // The window's own DC: under Wine the screen's lags behind what was painted.
    HDC screen = ::GetWindowDC(window);
    HDC memory = ::CreateCompatibleDC(screen);
    BITMAPINFO info = {};
    info.bmiHeader.biSize = sizeof(info.bmiHeader);
    info.bmiHeader.biWidth = rect.Width();
    info.bmiHeader.biHeight = -rect.Height();
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    void* bits = nullptr;
    HBITMAP bitmap = ::CreateDIBSection(screen, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
    HGDIOBJ old = ::SelectObject(memory, bitmap);
    ::BitBlt(memory, 0, 0, rect.Width(), rect.Height(), screen, 0, 0, SRCCOPY);
    ::GdiFlush();
    const COLORREF* pixels = static_cast<const COLORREF*>(bits);
    std::vector<COLORREF> shot(pixels, pixels + size_t(rect.Width()) * size_t(rect.Height()));
    ::SelectObject(memory, old);
    ::DeleteObject(bitmap);
    ::DeleteDC(memory);
    ::ReleaseDC(window, screen);

    const int stride = (rect.Width() * 3 + 3) & ~3;
    std::string file(size_t(stride) * size_t(rect.Height()), '\0');
    for (int y = 0; y < rect.Height(); ++y)
        for (int x = 0; x < rect.Width(); ++x) {
            const COLORREF pixel = shot[size_t(y) * size_t(rect.Width()) + size_t(x)];
            char* out = &file[size_t(rect.Height() - 1 - y) * size_t(stride) + size_t(x) * 3];
            out[0] = char(pixel & 0xff);
            out[1] = char((pixel >> 8) & 0xff);
            out[2] = char((pixel >> 16) & 0xff);
        }
    BITMAPINFOHEADER header = {};
    header.biSize = sizeof(header);
    header.biWidth = rect.Width();
    header.biHeight = rect.Height();
    header.biPlanes = 1;
    header.biBitCount = 24;
    BITMAPFILEHEADER fileHeader = {};
    fileHeader.bfType = 0x4d42;
    fileHeader.bfOffBits = sizeof(fileHeader) + sizeof(header);
    fileHeader.bfSize = DWORD(fileHeader.bfOffBits + file.size());
    const std::string folder = std::string(GetProgramFolder()) + "..\\screenshots";
    ::CreateDirectoryA(folder.c_str(), nullptr);
    std::ofstream out(folder + "\\" + name, std::ios::binary);
    out.write(reinterpret_cast<const char*>(&fileHeader), sizeof(fileHeader));
    out.write(reinterpret_cast<const char*>(&header), sizeof(header));
    out.write(file.data(), std::streamsize(file.size()));
    return shot;
}

class CataloguingTest : public BackendFixture {
protected:
    void TearDown() override
    {
        if (CRecordSubWnd* window = RecordWindow())
            window->DestroyWindow();
        Pump();
        BackendFixture::TearDown();
    }

    // A remembered user that the stand-in accepts (not logged in yet), an
    // asset type chosen and a picture selected.
    void StartReady()
    {
        StartWithServer();
        if (HasFatalFailure())
            return;
        RememberedUploadUser = kUser;
        RememberedUploadPassword = kPassword;
        CurrentCategoryId = "7";
        SelectPicture(m_files.Path(), "ScanPic00001.jpg");
    }

    void Catalogue()
    {
        Frame()->SendMessage(WM_COMMAND, ID_CATALOGUE);
        Pump();
    }

    // The cataloguing window of this thread, or NULL.
    static CRecordSubWnd* RecordWindow()
    {
        CRecordSubWnd* found = nullptr;
        ::EnumThreadWindows(::GetCurrentThreadId(), CollectRecordWindow, reinterpret_cast<LPARAM>(&found));
        return found;
    }
};

struct RefusalCase {
    const char* name;
    std::function<void(CataloguingTest&, COmbrelleDoc&)> arrange;
    const char* message;
};

void PrintTo(const RefusalCase& c, std::ostream* os) { *os << c.name; }

class CataloguingRefusalTest : public CataloguingTest, public ::testing::WithParamInterface<RefusalCase> {
public:
    using BackendFixture::Backend;
};

TEST_P(CataloguingRefusalTest, TellsWhyAndOpensNoWindow)
{
    StartReady();
    ASSERT_FALSE(HasFatalFailure());
    Frame()->m_nUploadMode = 0;
    GetParam().arrange(*this, *Doc());
    auto& box = Gui().Expect("").Press(IDOK);
    Catalogue();
    EXPECT_TRUE(box.Seen());
    EXPECT_TRUE(box.HasText(GetParam().message));
    EXPECT_EQ(RecordWindow(), nullptr);
    EXPECT_EQ(Frame()->m_nUploadMode, 1);
}

const RefusalCase kRefusals[] = {
    {"NoServerAddress", [](CataloguingTest&, COmbrelleDoc& doc) { doc.m_strBaseServerUrl.Empty(); },
     "请先输入后台服务器的URL地址"},
    {"NoAssetType", [](CataloguingTest&, COmbrelleDoc&) { CurrentCategoryId = "-9999999"; }, "请选则标引资产的类型"},
    {"NoServletAddress", [](CataloguingTest&, COmbrelleDoc& doc) { doc.m_strServerUrl.Empty(); },
     "请选则标引资产的类型"},
    {"LogInRefused",
     [](CataloguingTest& test, COmbrelleDoc&) {
         static_cast<CataloguingRefusalTest&>(test).Backend("fault\tCheckLogin\trefuse");
     },
     "用户名或密码错误！"},
    {"NoPicture", [](CataloguingTest&, COmbrelleDoc& doc) { doc.m_strOriginalName.Empty(); },
     "请先选择要进行编目的图片"},
    {"NoCategoryStructure",
     [](CataloguingTest& test, COmbrelleDoc& doc) {
         ASSERT_TRUE(doc.ValidateUploadLogin(0));
         static_cast<CataloguingRefusalTest&>(test).Backend("fault\tAssetMetaDataStruct\tempty");
     },
     "不能连接到后台管理库，请重新尝试连接或退出"},
};

INSTANTIATE_TEST_SUITE_P(Table, CataloguingRefusalTest, ::testing::ValuesIn(kRefusals),
                         [](const ::testing::TestParamInfo<RefusalCase>& info) { return info.param.name; });

TEST_F(CataloguingTest, OpensTheTreeBesideTheFormOfTheAssetType)
{
    StartReady();
    ASSERT_FALSE(HasFatalFailure());
    const size_t before = Requests().size();
    Catalogue();
    // The log-in first, then the asset type's structure.
    EXPECT_EQ(VerbsSince(before), (std::vector<std::string>{"CheckLogin", "AssetMetaDataStruct"}));
    CRecordSubWnd* window = RecordWindow();
    ASSERT_NE(window, nullptr);
    CString title;
    window->GetWindowText(title);
    EXPECT_EQ(title, "衡远汇影--文件著录");
    EXPECT_EQ(window->GetStyle() & WS_CAPTION, 0u);
    EXPECT_NE(window->GetStyle() & WS_THICKFRAME, 0u);
    EXPECT_TRUE(window->IsWindowVisible());
    CRect rect;
    window->GetWindowRect(&rect);
    EXPECT_EQ(rect.Size(), CSize(800, 600));
    EXPECT_NE(window->SendMessage(WM_GETICON, ICON_SMALL), 0);

    CSplitterWnd& splitter = window->GetSplitter();
    ASSERT_EQ(splitter.GetColumnCount(), 2);
    int width = 0, minimum = 0;
    splitter.GetColumnInfo(0, width, minimum);
    EXPECT_EQ(width, 200);
    CWnd* tree = splitter.GetPane(0, 0);
    CWnd* form = splitter.GetPane(0, 1);
    ASSERT_TRUE(tree != nullptr && form != nullptr);
    EXPECT_TRUE(tree->IsKindOf(RUNTIME_CLASS(CCatalogTreeView)));
    ASSERT_TRUE(form->IsKindOf(RUNTIME_CLASS(CMetaDataInput)));
    EXPECT_EQ(static_cast<CView*>(form)->GetDocument(), Doc());

    // The stand-in's structure: ten fields shown, "Hidden" not.
    CMetaDataInput* metaData = static_cast<CMetaDataInput*>(form);
    EXPECT_EQ(metaData->m_nLastControlId, 1109);
    CString name;
    EXPECT_TRUE(metaData->m_CNameToName.Lookup("标题", name));
    EXPECT_FALSE(metaData->m_CNameToName.Lookup("内部编号", name));
    EXPECT_EQ(Frame()->m_nUploadMode, 1);

    // The first label's Chinese text is drawn: dark pixels on the form's background.
    CWnd* label = metaData->GetDlgItem(IDC_META_STORE + 0);
    HWND firstLabel = NULL;
    for (HWND child = ::GetWindow(metaData->m_hWnd, GW_CHILD); child != NULL; child = ::GetWindow(child, GW_HWNDNEXT))
        if (::GetDlgCtrlID(child) == 1090 && child != label->m_hWnd)
            firstLabel = child;
    ASSERT_NE(firstLabel, nullptr);
    const std::vector<COLORREF> shot = KeepScreenshot(window->m_hWnd, "cataloguing-window.bmp");
    CRect labelRect;
    ::GetWindowRect(firstLabel, &labelRect);
    labelRect.OffsetRect(-rect.left, -rect.top);
    int dark = 0;
    for (int y = labelRect.top; y < labelRect.bottom; ++y)
        for (int x = labelRect.left; x < labelRect.right; ++x) {
            const COLORREF pixel = shot[size_t(y) * size_t(rect.Width()) + size_t(x)];
            dark += (pixel & 0xff) + ((pixel >> 8) & 0xff) + ((pixel >> 16) & 0xff) < 3 * 128;
        }
    EXPECT_GT(dark, 20);
}

TEST_F(CataloguingTest, ClosingTheWindowKeepsTheDocument)
{
    StartReady();
    ASSERT_FALSE(HasFatalFailure());
    Catalogue();
    CRecordSubWnd* window = RecordWindow();
    ASSERT_NE(window, nullptr);
    window->Close();
    Pump();
    EXPECT_EQ(RecordWindow(), nullptr);
    ASSERT_NE(Doc(), nullptr);
    EXPECT_FALSE(Doc()->m_strCategoryStructure.IsEmpty());
}

// ---------------------------------------------------------------------------
// The accessory page.

class CRecordingAccessoryView : public CRelateAssetView {
    DECLARE_DYNCREATE(CRecordingAccessoryView)
public:
    std::string m_firstUrl;

    void OnBeforeNavigate2(LPCTSTR lpszURL, DWORD, LPCTSTR, CByteArray&, LPCTSTR, BOOL*) override
    {
        if (m_firstUrl.empty())
            m_firstUrl = lpszURL;
    }
};
IMPLEMENT_DYNCREATE(CRecordingAccessoryView, CRelateAssetView)

class AccessoryPageTest : public doctest::ClientFixture, public ::testing::WithParamInterface<const char*> {};

TEST_P(AccessoryPageTest, TheViewAsksForTheApplicationsAddressOrTheDefaultPage)
{
    Start();
    ASSERT_FALSE(HasFatalFailure());
    static_cast<COmbrelleApp*>(AfxGetApp())->m_strAccessoryPageUrl = GetParam();
    CCreateContext context;
    context.m_pNewViewClass = RUNTIME_CLASS(CRecordingAccessoryView);
    context.m_pCurrentDoc = Doc();
    CFrameWnd* frame = new CFrameWnd;
    ASSERT_TRUE(frame->Create(NULL, "衡远汇影--复合资产", WS_OVERLAPPEDWINDOW, CRect(0, 0, 800, 600), NULL, NULL, 0,
                              &context));
    frame->InitialUpdateFrame(Doc(), TRUE);
    // The frame's own pane (the browser inside the view has the same id).
    CWnd* pane = CWnd::FromHandlePermanent(::GetDlgItem(frame->m_hWnd, AFX_IDW_PANE_FIRST));
    ASSERT_TRUE(pane != nullptr && pane->IsKindOf(RUNTIME_CLASS(CRecordingAccessoryView)));
    CRecordingAccessoryView* view = static_cast<CRecordingAccessoryView*>(pane);
    ASSERT_NE(view->m_pBrowserApp, nullptr);
    EXPECT_TRUE(Gui().WaitFor([&] { return !view->m_firstUrl.empty(); }));
    const std::string expected = *GetParam() != '\0'
                                     ? std::string(GetParam())
                                     : std::string(ACCESSORY_DEFAULT_HOST) +
                                           "/asps/edit/Asset_accessory_add_mod.asp?Editty=add&nAcessoryId=0&nAssetId=11805";
    EXPECT_EQ(view->m_firstUrl, expected);
    frame->DestroyWindow();
    Pump();
}

INSTANTIATE_TEST_SUITE_P(Addresses, AccessoryPageTest, ::testing::Values("", "http://127.0.0.1:9/asps/accessory.asp?n=1"),
                         [](const ::testing::TestParamInfo<const char*>& info) {
                             return std::string(*info.param != '\0' ? "ApplicationsAddress" : "DefaultPage");
                         });

}  // namespace
}  // namespace uploadtest

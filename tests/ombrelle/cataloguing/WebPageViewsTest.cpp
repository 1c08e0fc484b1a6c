// The server web page views in the running client: the addresses they open,
// the metadata form's hidden buttons that open them, and the call-back
// page's rights check with what follows it.
#include "MetaDataFormFixture.h"

#include "AssetSubWnd.h"
#include "AssociateHtmlView.h"
#include "CallBackHtmlView.h"
#include "MainFrame.h"
#include "RelateAssetView.h"
#include "UpLoadObj.h"
#include "resource.h"

#include "General.h"
#include "GuiDriver.h"
#include "ScriptObject.h"
#include "TempDir.h"

#include "afxhtml.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <functional>
#include <ostream>
#include <string>
#include <vector>

namespace {

using metadatatest::Field;
using metadatatest::Structure;
using testsupport::ScriptObject;

// Under Wine the address asked for in OnBeforeNavigate2 is all there is to
// see of a navigation; the views below write it down and stop there.
std::vector<std::string> g_requested;

#define RECORDING_VIEW(Name, Base)                                                                      \
    class Name : public Base {                                                                          \
        DECLARE_DYNCREATE(Name)                                                                         \
    public:                                                                                             \
        void OnBeforeNavigate2(LPCTSTR lpszURL, DWORD, LPCTSTR, CByteArray&, LPCTSTR, BOOL* pbCancel) \
            override                                                                                    \
        {                                                                                               \
            g_requested.push_back(lpszURL);                                                             \
            *pbCancel = TRUE;                                                                           \
        }                                                                                               \
    };                                                                                                  \
    IMPLEMENT_DYNCREATE(Name, Base)

RECORDING_VIEW(CRecordingAssociateView, CAssociateHtmlView)
RECORDING_VIEW(CRecordingRelateView, CRelateAssetView)
RECORDING_VIEW(CRecordingCallBackView, CCallBackHtmlView)

class WebPageViewsTest : public metadatatest::MetaDataFormFixture {
protected:
    void SetUp() override
    {
        MetaDataFormFixture::SetUp();
        g_requested.clear();
        m_savedProgramFolder = GenGetProgramFolder();
        GenSetProgramFolder(m_programFolder.Path().c_str());
    }
    void TearDown() override
    {
        for (HWND frame : m_frames)
            if (::IsWindow(frame))
                ::DestroyWindow(frame);
        Pump();
        GenSetProgramFolder(m_savedProgramFolder.c_str());
        MetaDataFormFixture::TearDown();
    }

    CAssetSubWnd* Open(CRuntimeClass* pViewClass, const char* title)
    {
        CAssetSubWnd* frame = CAssetSubWnd::Open(pViewClass, title, Doc());
        if (frame != nullptr)
            m_frames.push_back(frame->m_hWnd);
        return frame;
    }

    // The call-back page, as an automation client sets it.
    void SetCallBackPage(const std::string& path)
    {
        IClassFactory* factory = nullptr;
        LPUNKNOWN unknown = reinterpret_cast<LPUNKNOWN>(&CUpLoadObj::factory.m_xClassFactory);
        ASSERT_EQ(S_OK, unknown->QueryInterface(IID_IClassFactory, reinterpret_cast<void**>(&factory)));
        IDispatch* object = nullptr;
        ASSERT_EQ(S_OK, factory->CreateInstance(nullptr, IID_IDispatch, reinterpret_cast<void**>(&object)));
        factory->Release();
        wchar_t wide[MAX_PATH] = L"";
        ::MultiByteToWideChar(CP_ACP, 0, path.c_str(), -1, wide, MAX_PATH);
        VARIANT arg = testsupport::TextVariant(wide);
        EXPECT_EQ(S_OK, AfxHtmlCallMethod(object, "SetCallBackFileName", &arg, 1, nullptr));
        ::VariantClear(&arg);
        object->Release();
    }

    std::vector<HWND> m_frames;
    testsupport::TempDir m_programFolder;
    std::string m_savedProgramFolder;
};

TEST_F(WebPageViewsTest, EachViewAsksForItsPageAndAnEmptyAddressForTheDefaultOne)
{
    const std::string page = m_files.File("回调页.htm");
    struct Case {
        const char* name;
        CRuntimeClass* view;
        std::function<void(COmbrelleApp&)> set;
        std::string expected;
    } cases[] = {
        {"association default", RUNTIME_CLASS(CRecordingAssociateView),
         [](COmbrelleApp& app) { app.m_strAssociatePageUrl.Empty(); },
         "http://127.0.0.1:821/asps/edit/add_asset_Associate.asp?AssetType=1&ViewID=375"},
        {"association page", RUNTIME_CLASS(CRecordingAssociateView),
         [](COmbrelleApp& app) { app.m_strAssociatePageUrl = "http://10.0.0.7:821/asps/edit/a.asp?x=关联"; },
         "http://10.0.0.7:821/asps/edit/a.asp?x=关联"},
        {"accessory default", RUNTIME_CLASS(CRecordingRelateView),
         [](COmbrelleApp& app) { app.m_strAccessoryPageUrl.Empty(); },
         "http://127.0.0.1:8080/asps/edit/Asset_accessory_add_mod.asp?Editty=add&nAcessoryId=0&nAssetId=11805"},
        {"accessory page", RUNTIME_CLASS(CRecordingRelateView),
         [](COmbrelleApp& app) { app.m_strAccessoryPageUrl = "http://10.0.0.7/asps/edit/b.asp"; },
         "http://10.0.0.7/asps/edit/b.asp"},
        {"call-back page", RUNTIME_CLASS(CRecordingCallBackView), [&](COmbrelleApp&) { SetCallBackPage(page); },
         "回调页.htm"},
    };
    for (const Case& c : cases) {
        c.set(*App());
        g_requested.clear();
        ASSERT_NE(Open(c.view, "网页"), nullptr) << c.name;
        ASSERT_TRUE(testsupport::Gui().WaitFor([] { return !g_requested.empty(); }, 10000)) << c.name;
        // A path comes back as a file URL or as it is; either names the file.
        if (c.view == RUNTIME_CLASS(CRecordingCallBackView)) {
            EXPECT_NE(g_requested.front().find(c.expected), std::string::npos) << g_requested.front();
        } else {
            EXPECT_EQ(g_requested.front(), c.expected) << c.name;
        }
        EXPECT_EQ(g_requested.size(), 1u) << c.name;
    }
    EXPECT_STREQ(App()->CallBackFileName, page.c_str());
}

TEST_F(WebPageViewsTest, HiddenButtonsOpenTheirPageFramesCentred)
{
    CMetaDataInput* form = OpenForm(Structure(Field("A", "甲", "0")));
    ASSERT_NE(form, nullptr);
    struct Case {
        int button;
        const char* title;
        CRuntimeClass* view;
    } cases[] = {
        {IDC_META_ADD_ACCESSORY, "衡远汇影--添加附件", RUNTIME_CLASS(CAssociateHtmlView)},
        {IDC_META_ADD_COMPOUND, "衡远汇影--复合资产", RUNTIME_CLASS(CRelateAssetView)},
    };
    RECT work;
    ::SystemParametersInfoA(SPI_GETWORKAREA, 0, &work, 0);
    for (const Case& c : cases) {
        HWND button = ::GetDlgItem(form->m_hWnd, c.button);
        ASSERT_NE(button, nullptr) << c.title;
        EXPECT_FALSE(::IsWindowVisible(button)) << c.title;
        form->SendMessage(WM_COMMAND, MAKEWPARAM(c.button, BN_CLICKED), reinterpret_cast<LPARAM>(button));
        HWND found = ::FindWindowA(nullptr, c.title);
        ASSERT_NE(found, nullptr) << c.title;
        m_frames.push_back(found);
        CWnd* frame = CWnd::FromHandlePermanent(found);
        ASSERT_NE(frame, nullptr);
        EXPECT_TRUE(frame->IsKindOf(RUNTIME_CLASS(CAssetSubWnd))) << c.title;
        EXPECT_EQ(::GetParent(found), nullptr) << c.title;
        EXPECT_TRUE(::IsWindowVisible(found)) << c.title;
        CWnd* view = frame->GetDlgItem(AFX_IDW_PANE_FIRST);
        ASSERT_NE(view, nullptr) << c.title;
        EXPECT_TRUE(view->IsKindOf(c.view)) << c.title;
        EXPECT_EQ(static_cast<CView*>(view)->GetDocument(), Doc()) << c.title;
        RECT rect;
        ::GetWindowRect(found, &rect);
        EXPECT_EQ(rect.right - rect.left, 800) << c.title;
        EXPECT_EQ(rect.bottom - rect.top, 600) << c.title;
        EXPECT_LE(std::abs((rect.left + rect.right) - (work.left + work.right)), 2) << c.title;
        EXPECT_LE(std::abs((rect.top + rect.bottom) - (work.top + work.bottom)), 2) << c.title;
        EXPECT_NE(::SendMessageA(found, WM_GETICON, ICON_SMALL, 0), 0) << c.title;
    }
    // Closing a page frame leaves the form and its document.
    ::SendMessageA(m_frames.front(), WM_CLOSE, 0, 0);
    Pump();
    EXPECT_FALSE(::IsWindow(m_frames.front()));
    EXPECT_TRUE(::IsWindow(form->m_hWnd));
    EXPECT_EQ(Doc(), App()->GetCurrentDocument());
}

// ---------------------------------------------------------------------------
// The rights check of the call-back page

// A page whose "GetCode" answers the value, raises, or is missing.
struct CodePage {
    const char* name;
    VARIANT answer;
    bool raises;
};

void PrintTo(const CodePage& page, std::ostream* os)
{
    *os << page.name;
}

ScriptObject* PageDocument(const CodePage& page, ScriptObject*& window)
{
    window = ScriptObject::New();
    if (page.raises) {
        window->Method("GetCode", [](const std::vector<VARIANT>&, VARIANT*, EXCEPINFO* excep) {
            excep->bstrDescription = ::SysAllocString(L"no");
            return DISP_E_EXCEPTION;
        });
    } else if (V_VT(&page.answer) != VT_ERROR) {
        VARIANT answer = page.answer;
        window->Method("GetCode", [answer](const std::vector<VARIANT>&, VARIANT* result, EXCEPINFO*) {
            return ::VariantCopy(result, const_cast<VARIANT*>(&answer));
        });
    }
    return ScriptObject::New()->Set("Script", window);
}

VARIANT Of(VARTYPE vt, long n)
{
    VARIANT value;
    ::VariantInit(&value);
    V_VT(&value) = vt;
    if (vt == VT_I2)
        V_I2(&value) = static_cast<SHORT>(n);
    else if (vt == VT_I4)
        V_I4(&value) = n;
    return value;
}

TEST_F(WebPageViewsTest, WithTheRightTheCallBackFrameIsShownMaximised)
{
    const CodePage pages[] = {
        {"one", Of(VT_I2, 1), false},
        {"minus one", Of(VT_I2, -1), false},
        {"a script number", Of(VT_I4, 7), false},
    };
    for (const CodePage& page : pages) {
        CAssetSubWnd* frame = Open(RUNTIME_CLASS(CRecordingCallBackView), "回调");
        ASSERT_NE(frame, nullptr);
        auto* view = static_cast<CCallBackHtmlView*>(frame->GetDlgItem(AFX_IDW_PANE_FIRST));
        ASSERT_NE(view, nullptr);
        EXPECT_FALSE(frame->IsZoomed());
        ScriptObject* window = nullptr;
        ScriptObject* document = PageDocument(page, window);
        EXPECT_TRUE(view->CheckRight(document)) << page.name;
        EXPECT_TRUE(frame->IsZoomed()) << page.name;
        EXPECT_TRUE(frame->IsWindowVisible()) << page.name;
        document->Release();
        window->Release();
        frame->DestroyWindow();
    }
}

class NoRightTest : public WebPageViewsTest, public ::testing::WithParamInterface<CodePage> {};

// The operator is told, and the main frame, active again once the box has
// gone, closes its active window: itself.
TEST_P(NoRightTest, TellsTheOperatorAndTheMainFrameClosesItsActiveWindow)
{
    CAssetSubWnd* frame = Open(RUNTIME_CLASS(CRecordingCallBackView), "回调");
    ASSERT_NE(frame, nullptr);
    auto* view = static_cast<CCallBackHtmlView*>(frame->GetDlgItem(AFX_IDW_PANE_FIRST));
    ASSERT_NE(view, nullptr);
    HWND mainFrame = Frame()->m_hWnd;
    ScriptObject* window = nullptr;
    ScriptObject* document = PageDocument(GetParam(), window);
    testsupport::WindowExpectation& box = testsupport::Gui().Expect("").Press(IDOK);
    EXPECT_FALSE(view->CheckRight(document));
    document->Release();
    window->Release();
    EXPECT_TRUE(box.HasText("You don't has right!"));
    EXPECT_FALSE(frame->IsZoomed());
    EXPECT_TRUE(testsupport::Gui().WaitFor([&] { return !::IsWindow(mainFrame); }, 10000));
    // The client has ended; there is nothing left for the fixture to close.
    if (!::IsWindow(mainFrame)) {
        m_app.m_pMainFrame = nullptr;
        m_app.m_pMainWnd = nullptr;
    }
}

INSTANTIATE_TEST_SUITE_P(Answers, NoRightTest,
                         ::testing::Values(CodePage{"zero", Of(VT_I2, 0), false},
                                           CodePage{"a script error", Of(VT_EMPTY, 0), true},
                                           CodePage{"no GetCode", Of(VT_ERROR, 0), false}),
                         [](const ::testing::TestParamInfo<CodePage>& info) {
                             std::string name;
                             for (const char* p = info.param.name; *p != '\0'; ++p)
                                 if (isalnum(static_cast<unsigned char>(*p)))
                                     name += *p;
                             return name;
                         });

}  // namespace

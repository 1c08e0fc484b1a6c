// The HTML view: the browser made in place and sized with the view, the
// navigation events it passes on (Wine renders no page: a navigation ends in
// a navigation error there, in the document on Windows), a view that stays
// usable without a browser, and calls into a page's script through
// IDispatch against a scriptable object of our own.
#include "afxwin.h"
#include "afxhtml.h"

#include "GuiDriver.h"
#include "PythonService.h"
#include "TempDir.h"
#include "WinePath.h"

#include <gtest/gtest.h>

#include <string>
#include <thread>
#include <vector>

namespace {

bool StartsWith(const std::string& s, const std::string& prefix)
{
    return s.compare(0, prefix.size(), prefix) == 0;
}

bool Contains(const std::string& s, const std::string& part)
{
    return s.find(part) != std::string::npos;
}

// A view that writes down the browser's events in the order they came.
class CHvRecordingView : public CHtmlView {
    DECLARE_DYNCREATE(CHvRecordingView)
public:
    std::vector<std::string> m_events;
    std::string m_postData;
    std::string m_headers;
    BOOL m_bCancelNavigation = FALSE;

    size_t Count(const std::string& prefix) const
    {
        size_t n = 0;
        for (const std::string& e : m_events)
            n += StartsWith(e, prefix) ? 1 : 0;
        return n;
    }
    // The navigation has come to an end, either way.
    bool Ended() const { return Count("complete ") > 0 || Count("error ") > 0; }

    void OnBeforeNavigate2(LPCTSTR lpszURL, DWORD, LPCTSTR, CByteArray& baPostedData,
                           LPCTSTR lpszHeaders, BOOL* pbCancel) override
    {
        m_events.push_back("before " + std::string(lpszURL));
        m_postData.assign(reinterpret_cast<const char*>(baPostedData.GetData()),
                          (size_t)baPostedData.GetSize());
        m_headers = lpszHeaders;
        *pbCancel = m_bCancelNavigation;
    }
    void OnNavigateComplete2(LPCTSTR strURL) override
    {
        m_events.push_back("navigated " + std::string(strURL));
    }
    void OnDocumentComplete(LPCTSTR lpszURL) override
    {
        m_events.push_back("complete " + std::string(lpszURL));
    }
    void OnNavigateError(LPCTSTR lpszURL, LPCTSTR, DWORD, BOOL*) override
    {
        m_events.push_back("error " + std::string(lpszURL));
    }
    void OnTitleChange(LPCTSTR lpszText) override { m_events.push_back("title " + std::string(lpszText)); }
    void OnDownloadBegin() override { m_events.push_back("download begin"); }
    void OnDownloadComplete() override { m_events.push_back("download complete"); }
};
IMPLEMENT_DYNCREATE(CHvRecordingView, CHtmlView)

class OleInit {
public:
    OleInit() : m_ok(SUCCEEDED(::OleInitialize(nullptr))) {}
    ~OleInit()
    {
        if (m_ok)
            ::OleUninitialize();
    }
    OleInit(const OleInit&) = delete;
    OleInit& operator=(const OleInit&) = delete;

private:
    bool m_ok;
};

std::string FileUrl(const std::string& path)
{
    std::string url = "file:///" + path;
    for (char& c : url)
        if (c == '\\')
            c = '/';
    return url;
}

const char kPage[] = "<html><head><title>目录</title></head><body>页</body></html>";

// A frame with one HTML view, made as a program makes its frames.
class HtmlViewTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        CCreateContext context;
        context.m_pNewViewClass = RUNTIME_CLASS(CHvRecordingView);
        m_pFrame = new CFrameWnd;
        ASSERT_TRUE(m_pFrame->Create(nullptr, "网页", WS_OVERLAPPEDWINDOW, CRect(0, 0, 500, 400),
                                     nullptr, nullptr, 0, &context));
        m_pFrame->InitialUpdateFrame(nullptr, TRUE);
        m_pView = static_cast<CHvRecordingView*>(m_pFrame->GetDlgItem(AFX_IDW_PANE_FIRST));
        ASSERT_NE(m_pView, nullptr);
        ASSERT_TRUE(m_pView->IsKindOf(RUNTIME_CLASS(CHvRecordingView)));
        ASSERT_NE(m_pView->m_pBrowserApp, nullptr);
    }

    void TearDown() override
    {
        if (m_pFrame != nullptr && ::IsWindow(m_pFrame->m_hWnd))
            m_pFrame->DestroyWindow();
        MSG msg;
        while (::PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE))
            ::DispatchMessageA(&msg);
    }

    // Pumps until the navigation has ended and the browser is idle.
    void WaitForEnd()
    {
        EXPECT_TRUE(testsupport::Gui().WaitFor(
            [&] { return m_pView->Ended() && !m_pView->GetBusy(); }, 10000));
    }

    // What every navigation shows, on Wine and on Windows.
    void ExpectOneNavigation(const std::string& page)
    {
        const std::vector<std::string>& events = m_pView->m_events;
        ASSERT_FALSE(events.empty());
        // Wine gives a file URL as its path; Windows as the URL.
        EXPECT_TRUE(StartsWith(events.front(), "before ") && Contains(events.front(), page))
            << events.front();
        EXPECT_EQ(m_pView->Count("before "), 1u);
        // Each download that begins completes, after it began.
        size_t open = 0;
        for (const std::string& e : events) {
            if (e == "download begin")
                ++open;
            else if (e == "download complete") {
                ASSERT_GT(open, 0u);
                --open;
            }
        }
        EXPECT_EQ(open, 0u);
        // A page that loads is navigated to before it is complete; one that
        // cannot (no engine under Wine) ends in an error instead.
        if (m_pView->Count("complete ") > 0) {
            EXPECT_EQ(m_pView->Count("error "), 0u);
            EXPECT_EQ(m_pView->Count("navigated "), 1u);
            EXPECT_TRUE(Contains((LPCTSTR)m_pView->GetLocationURL(), page));
        } else {
            EXPECT_GE(m_pView->Count("error "), 1u);
            EXPECT_EQ(m_pView->Count("navigated "), 0u);
            EXPECT_TRUE(StartsWith(events.back(), "error ") && Contains(events.back(), page))
                << events.back();
        }
    }

    OleInit m_ole;
    CFrameWnd* m_pFrame = nullptr;
    CHvRecordingView* m_pView = nullptr;
};

TEST_F(HtmlViewTest, BrowserFillsTheViewAndFollowsItsSize)
{
    HWND hBrowser = m_pView->m_wndBrowser.GetSafeHwnd();
    ASSERT_NE(hBrowser, nullptr);
    EXPECT_EQ(::GetParent(hBrowser), m_pView->m_hWnd);
    EXPECT_TRUE(::IsWindowVisible(hBrowser));

    auto expectFills = [&] {
        CRect client, browser;
        m_pView->GetClientRect(&client);
        ::GetWindowRect(hBrowser, &browser);
        m_pView->ScreenToClient(&browser);
        EXPECT_EQ(browser, client);
    };
    expectFills();
    m_pFrame->SetWindowPos(nullptr, 0, 0, 300, 250, SWP_NOZORDER | SWP_NOMOVE);
    expectFills();
    m_pFrame->SetWindowPos(nullptr, 0, 0, 640, 480, SWP_NOZORDER | SWP_NOMOVE);
    expectFills();
}

TEST_F(HtmlViewTest, NavigatesToALocalFile)
{
    testsupport::TempDir dir;
    // A Chinese name comes back through the events in the ANSI code page.
    ASSERT_TRUE(testsupport::WriteFileBytes(dir.File("目录页.html"), kPage));
    m_pView->Navigate2(FileUrl(dir.File("目录页.html")).c_str());
    WaitForEnd();
    ExpectOneNavigation("目录页.html");
    EXPECT_EQ(m_pView->m_postData, "");
}

TEST_F(HtmlViewTest, NavigatesToALoopbackServerWithPostDataAndHeaders)
{
    testsupport::TempDir dir;
    ASSERT_TRUE(testsupport::WriteFileBytes(dir.File("served.html"), kPage));
    testsupport::PythonService server("testsvc/http_server.py", {testsupport::UnixPath(dir.Path())});
    const std::string url = "http://127.0.0.1:" + std::to_string(server.Port()) + "/served.html";

    char post[] = "名=1&b=2";
    m_pView->Navigate(url.c_str(), 0, nullptr, "X-Test: 1\r\n", post);
    WaitForEnd();
    ExpectOneNavigation("served.html");
    EXPECT_EQ(m_pView->m_events.front(), "before " + url);
    // The length defaults to the text's. (Wine hands the event the wrong
    // bytes, its array's own header, though it posts the right ones.)
    EXPECT_EQ(m_pView->m_postData.size(), std::string(post).size());
    EXPECT_TRUE(Contains(m_pView->m_headers, "X-Test: 1")) << m_pView->m_headers;
}

TEST_F(HtmlViewTest, CancellingInBeforeNavigate2StopsTheNavigation)
{
    testsupport::TempDir dir;
    ASSERT_TRUE(testsupport::WriteFileBytes(dir.File("refused.html"), kPage));
    m_pView->m_bCancelNavigation = TRUE;
    m_pView->Navigate(FileUrl(dir.File("refused.html")).c_str());
    // Nothing more comes: give the browser time to show it would go on.
    testsupport::Gui().WaitFor([] { return false; }, 1500);
    ASSERT_EQ(m_pView->m_events.size(), 1u) << m_pView->m_events.back();
    EXPECT_TRUE(StartsWith(m_pView->m_events.front(), "before "));
    EXPECT_FALSE(m_pView->GetBusy());
    EXPECT_FALSE(Contains((LPCTSTR)m_pView->GetLocationURL(), "refused.html"));
}

TEST_F(HtmlViewTest, DestroyingTheFrameReleasesTheBrowser)
{
    HWND hBrowser = m_pView->m_wndBrowser.GetSafeHwnd();
    IWebBrowser2* pBrowser = m_pView->m_pBrowserApp;
    pBrowser->AddRef();
    m_pFrame->DestroyWindow();
    m_pFrame = nullptr;
    MSG msg;
    while (::PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE))
        ::DispatchMessageA(&msg);
    EXPECT_FALSE(::IsWindow(hBrowser));
    // Ours is the last reference: the view and its site let go of theirs.
    EXPECT_EQ(pBrowser->Release(), 0u);
}

// Without COM on the thread there is no browser: the view is still made and
// everything on it answers empty, without a message box.
TEST(HtmlViewWithoutBrowser, IsMadeAndAnswersEmpty)
{
    struct Outcome {
        bool created = false;
        bool noBrowser = false;
        bool emptyAnswers = false;
        bool dialogShown = false;
        bool destroyed = false;
    } outcome;
    std::thread thread([&outcome] {
        CCreateContext context;
        context.m_pNewViewClass = RUNTIME_CLASS(CHvRecordingView);
        CFrameWnd* pFrame = new CFrameWnd;
        outcome.created = pFrame->Create(nullptr, "网页", WS_OVERLAPPEDWINDOW, CRect(0, 0, 300, 200),
                                         nullptr, nullptr, 0, &context) != FALSE;
        if (!outcome.created)
            return;
        auto* pView = static_cast<CHvRecordingView*>(pFrame->GetDlgItem(AFX_IDW_PANE_FIRST));
        if (pView != nullptr) {
            outcome.noBrowser = pView->m_pBrowserApp == nullptr && pView->m_wndBrowser.m_hWnd == nullptr;
            pView->Navigate("http://127.0.0.1:1/");
            pView->Navigate2("about:blank");
            pView->GoBack();
            pView->Refresh();
            pView->Stop();
            pFrame->SetWindowPos(nullptr, 0, 0, 400, 300, SWP_NOZORDER | SWP_NOMOVE);
            outcome.emptyAnswers = pView->GetHtmlDocument() == nullptr &&
                                   pView->GetLocationURL().IsEmpty() &&
                                   pView->GetLocationName().IsEmpty() && !pView->GetBusy() &&
                                   pView->m_events.empty();
        }
        ::EnumThreadWindows(::GetCurrentThreadId(), [](HWND hWnd, LPARAM lParam) -> BOOL {
            char cls[16] = "";
            ::GetClassNameA(hWnd, cls, sizeof cls);
            if (lstrcmpA(cls, "#32770") == 0)
                *reinterpret_cast<bool*>(lParam) = true;
            return TRUE;
        }, reinterpret_cast<LPARAM>(&outcome.dialogShown));
        HWND hFrame = pFrame->m_hWnd;
        pFrame->DestroyWindow();
        outcome.destroyed = !::IsWindow(hFrame);
        AfxDeleteTempHandleMaps();
    });
    thread.join();
    EXPECT_TRUE(outcome.created);
    EXPECT_TRUE(outcome.noBrowser);
    EXPECT_TRUE(outcome.emptyAnswers);
    EXPECT_FALSE(outcome.dialogShown);
    EXPECT_TRUE(outcome.destroyed);
}

// ---------------------------------------------------------------------------
// Script calls

// A scriptable object as a page's document and window are: members found by
// name whatever the case, each answering only the kind of call it is (a
// property read or a method call).
class CHvScriptable : public IDispatch {
public:
    enum Member { kScript = 1, kJoin, kAdd, kTitle, kFail };

    explicit CHvScriptable(bool bDocument) : m_bDocument(bDocument) {}
    virtual ~CHvScriptable() {}

    // The window behind the document's "Script".
    CHvScriptable* m_pWindow = nullptr;
    WORD m_lastFlags = 0;

    STDMETHODIMP QueryInterface(REFIID riid, void** ppv) override
    {
        if (IsEqualIID(riid, IID_IUnknown) || IsEqualIID(riid, IID_IDispatch)) {
            *ppv = static_cast<IDispatch*>(this);
            AddRef();
            return S_OK;
        }
        *ppv = nullptr;
        return E_NOINTERFACE;
    }
    STDMETHODIMP_(ULONG) AddRef() override { return ++m_cRef; }
    STDMETHODIMP_(ULONG) Release() override { return --m_cRef; }  // lives on the stack
    STDMETHODIMP GetTypeInfoCount(UINT* pctinfo) override
    {
        *pctinfo = 0;
        return S_OK;
    }
    STDMETHODIMP GetTypeInfo(UINT, LCID, ITypeInfo**) override { return E_NOTIMPL; }
    STDMETHODIMP GetIDsOfNames(REFIID, LPOLESTR* names, UINT count, LCID, DISPID* ids) override
    {
        static const struct {
            const wchar_t* name;
            Member member;
            bool onDocument;
        } members[] = {
            {L"Script", kScript, true}, {L"join", kJoin, false}, {L"add", kAdd, false},
            {L"title", kTitle, false},  {L"fail", kFail, false},
        };
        if (count != 1)
            return E_INVALIDARG;
        for (const auto& m : members) {
            if (m.onDocument == m_bDocument && lstrcmpiW(m.name, names[0]) == 0) {
                ids[0] = m.member;
                return S_OK;
            }
        }
        ids[0] = DISPID_UNKNOWN;
        return DISP_E_UNKNOWNNAME;
    }
    STDMETHODIMP Invoke(DISPID id, REFIID, LCID, WORD wFlags, DISPPARAMS* params, VARIANT* result,
                        EXCEPINFO* excep, UINT*) override
    {
        m_lastFlags = wFlags;
        const bool isGet = (wFlags & DISPATCH_PROPERTYGET) != 0 && params->cArgs == 0;
        const bool isCall = (wFlags & DISPATCH_METHOD) != 0;
        switch (id) {
        case kScript:
            if (!isGet)
                return DISP_E_MEMBERNOTFOUND;
            V_VT(result) = VT_DISPATCH;
            V_DISPATCH(result) = m_pWindow;
            m_pWindow->AddRef();
            return S_OK;
        case kTitle:
            if (!isGet)
                return DISP_E_MEMBERNOTFOUND;
            V_VT(result) = VT_BSTR;
            V_BSTR(result) = ::SysAllocString(L"\u76ee\u5f55");  // 目录
            return S_OK;
        case kJoin: {  // join(a, b): "a|b"; the arguments come last to first
            if (!isCall)
                return DISP_E_MEMBERNOTFOUND;
            if (params->cArgs != 2)
                return DISP_E_BADPARAMCOUNT;
            VARIANT a, b;
            ::VariantInit(&a);
            ::VariantInit(&b);
            if (FAILED(::VariantChangeType(&a, &params->rgvarg[1], 0, VT_BSTR)) ||
                FAILED(::VariantChangeType(&b, &params->rgvarg[0], 0, VT_BSTR)))
                return DISP_E_TYPEMISMATCH;
            std::wstring joined = std::wstring(V_BSTR(&a)) + L"|" + V_BSTR(&b);
            ::VariantClear(&a);
            ::VariantClear(&b);
            V_VT(result) = VT_BSTR;
            V_BSTR(result) = ::SysAllocString(joined.c_str());
            return S_OK;
        }
        case kAdd: {
            if (!isCall)
                return DISP_E_MEMBERNOTFOUND;
            LONG sum = 0;
            for (UINT i = 0; i < params->cArgs; i++) {
                VARIANT v;
                ::VariantInit(&v);
                if (FAILED(::VariantChangeType(&v, &params->rgvarg[i], 0, VT_I4)))
                    return DISP_E_TYPEMISMATCH;
                sum += V_I4(&v);
            }
            V_VT(result) = VT_I4;
            V_I4(result) = sum;
            return S_OK;
        }
        case kFail:  // the description comes when asked for, as script engines do
            if (!isCall)
                return DISP_E_MEMBERNOTFOUND;
            memset(excep, 0, sizeof *excep);
            excep->scode = E_FAIL;
            excep->pfnDeferredFillIn = [](EXCEPINFO* e) -> HRESULT {
                e->bstrDescription = ::SysAllocString(L"\u811a\u672c\u51fa\u9519");  // 脚本出错
                e->pfnDeferredFillIn = nullptr;
                return S_OK;
            };
            return DISP_E_EXCEPTION;
        default:
            return DISP_E_MEMBERNOTFOUND;
        }
    }

private:
    bool m_bDocument;
    ULONG m_cRef = 1;
};

VARIANT Text(const wchar_t* text)
{
    VARIANT v;
    V_VT(&v) = VT_BSTR;
    V_BSTR(&v) = ::SysAllocString(text);
    return v;
}

VARIANT Number(LONG n)
{
    VARIANT v;
    V_VT(&v) = VT_I4;
    V_I4(&v) = n;
    return v;
}

std::string ResultText(VARIANT* v)
{
    if (V_VT(v) == VT_EMPTY)
        return "(empty)";
    if (FAILED(::VariantChangeType(v, v, 0, VT_BSTR)))
        return "(not text)";
    return std::string((LPCTSTR)CString((LPCWSTR)V_BSTR(v)));
}

TEST(HtmlScriptCall, CallsTheDocumentsScriptByName)
{
    CHvScriptable window(false), document(true);
    document.m_pWindow = &window;

    struct Case {
        const char* function;
        std::vector<VARIANT> args;
        HRESULT hr;
        std::string result;
    };
    std::vector<Case> cases = {
        {"join", {Text(L"\u7532"), Text(L"b")}, S_OK, "甲|b"},  // order kept
        {"JOIN", {Number(1), Number(2)}, S_OK, "1|2"},           // names as the object matches them
        {"add", {Number(40), Text(L"2")}, S_OK, "42"},
        {"add", {}, S_OK, "0"},
        {"title", {}, DISP_E_MEMBERNOTFOUND, "(empty)"},  // a property, not a function
        {"missing", {}, DISP_E_UNKNOWNNAME, "(empty)"},
    };
    for (Case& c : cases) {
        window.m_lastFlags = 0;
        VARIANT result;
        V_VT(&result) = VT_I4;  // must be initialised by the call
        HRESULT hr = AfxHtmlCallScript(&document, c.function, c.args.data(), (int)c.args.size(), &result);
        EXPECT_EQ(hr, c.hr) << c.function;
        EXPECT_EQ(ResultText(&result), c.result) << c.function;
        if (hr != DISP_E_UNKNOWNNAME) {
            EXPECT_EQ(window.m_lastFlags, DISPATCH_METHOD) << c.function;
        }
        ::VariantClear(&result);
        for (VARIANT& a : c.args)
            ::VariantClear(&a);
    }
}

TEST(HtmlScriptCall, ReadsPropertiesAndReportsTheScriptsException)
{
    CHvScriptable window(false), document(true);
    document.m_pWindow = &window;

    VARIANT result;
    ASSERT_EQ(AfxHtmlGetProperty(&window, "Title", &result), S_OK);
    EXPECT_EQ(window.m_lastFlags, DISPATCH_PROPERTYGET);
    EXPECT_EQ(ResultText(&result), "目录");
    ::VariantClear(&result);

    // The script's own description, filled in when it was deferred.
    EXCEPINFO excep;
    EXPECT_EQ(AfxHtmlCallScript(&document, "fail", nullptr, 0, &result, &excep), DISP_E_EXCEPTION);
    EXPECT_EQ(V_VT(&result), VT_EMPTY);
    ASSERT_NE(excep.bstrDescription, nullptr);
    EXPECT_STREQ(CString((LPCWSTR)excep.bstrDescription), "脚本出错");
    EXPECT_EQ(excep.scode, E_FAIL);
    ::SysFreeString(excep.bstrDescription);

    // An object without a script, and no object at all, fail without a call.
    EXPECT_EQ(AfxHtmlCallScript(&window, "join", nullptr, 0, &result), DISP_E_UNKNOWNNAME);
    EXPECT_EQ(AfxHtmlCallScript(nullptr, "join", nullptr, 0, &result), E_INVALIDARG);
    EXPECT_EQ(V_VT(&result), VT_EMPTY);
    EXPECT_EQ(AfxHtmlCallMethod(&window, "add", nullptr, 0, nullptr), S_OK);  // no result wanted
}

// The view's document under Wine is none (no engine); the call fails softly.
TEST_F(HtmlViewTest, ScriptCallOnTheViewsDocumentFailsSoftlyWithoutAPage)
{
    testsupport::TempDir dir;
    ASSERT_TRUE(testsupport::WriteFileBytes(dir.File("script.html"),
                                            "<html><script>function twice(n){return 2*n;}</script></html>"));
    m_pView->Navigate2(FileUrl(dir.File("script.html")).c_str());
    WaitForEnd();
    IDispatch* pDocument = m_pView->GetHtmlDocument();
    VARIANT arg = Number(21), result;
    HRESULT hr = AfxHtmlCallScript(pDocument, "twice", &arg, 1, &result);
    if (pDocument != nullptr) {  // a page was loaded (Windows)
        EXPECT_EQ(hr, S_OK);
        EXPECT_EQ(ResultText(&result), "42");
        pDocument->Release();
    } else {
        EXPECT_EQ(hr, E_INVALIDARG);
    }
    ::VariantClear(&result);
}

}  // namespace

// The web picture settings page in a frame of its own, driven as the
// operator would, with its profile under a key of this test program.
#include "UserSetFormView.h"
#include "resource.h"

#include "GuiDriver.h"
#include "Registry.h"
#include "TempDir.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

using testsupport::Gui;

namespace {

const char kSection[] = "PicSetting";
const char kNone[] = "<none>";
const char kChooserCaption[] = "选择路径";
const int kChooserPath = 4587;  // the chooser's path box

class CUserSetTestApp : public CWinApp {
public:
    CUserSetTestApp() : CWinApp("网页图片设置测试") { SetRegistryKey(RegistryKey().c_str()); }
    static std::string RegistryKey() { return testsupport::ProcessUnique("OmbrelleUserSetTest"); }
};

std::string CurrentFolder()
{
    char folder[MAX_PATH] = "";
    ::GetCurrentDirectoryA(MAX_PATH, folder);
    return folder;
}

class UserSetPageTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        testsupport::DeleteRegKey(HKEY_CURRENT_USER, "Software\\" + CUserSetTestApp::RegistryKey());
        m_previousFolder = CurrentFolder();
    }

    void TearDown() override
    {
        ClosePage();
        MSG msg;
        while (::PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) {
        }
        ::SetCurrentDirectoryA(m_previousFolder.c_str());
        testsupport::DeleteRegKey(HKEY_CURRENT_USER, "Software\\" + CUserSetTestApp::RegistryKey());
    }

    void OpenPage()
    {
        CCreateContext context;
        context.m_pNewViewClass = RUNTIME_CLASS(CUserSetFormView);
        m_pFrame = new CFrameWnd;
        ASSERT_TRUE(m_pFrame->Create(NULL, "网页图片设置", WS_OVERLAPPEDWINDOW | WS_VISIBLE, CRect(0, 0, 480, 640),
                                     NULL, NULL, 0, &context));
        m_app.m_pMainWnd = m_pFrame;
        m_pFrame->InitialUpdateFrame(NULL, TRUE);
        m_pPage = m_pFrame->GetDlgItem(AFX_IDW_PANE_FIRST);
        ASSERT_NE(m_pPage, nullptr);
        ASSERT_TRUE(m_pPage->IsKindOf(RUNTIME_CLASS(CUserSetFormView)));
    }

    // The page writes its settings as it goes. The frame stops being the
    // main window first: a main window that goes ends the message loop, and
    // the next message box would end at once.
    void ClosePage()
    {
        m_app.m_pMainWnd = nullptr;
        if (m_pFrame != nullptr && m_pFrame->GetSafeHwnd() != NULL)
            m_pFrame->DestroyWindow();
        m_pFrame = nullptr;
        m_pPage = nullptr;
    }

    std::string Text(int id) const
    {
        CString text;
        m_pPage->GetDlgItemText(id, text);
        return std::string(text);
    }
    bool Checked(int id) const { return m_pPage->IsDlgButtonChecked(id) == BST_CHECKED; }
    bool Enabled(int id) const { return m_pPage->GetDlgItem(id)->IsWindowEnabled() != FALSE; }
    // What a key stroke does: the edit's text changes and tells the page.
    void Type(int id, const std::string& text) { m_pPage->SetDlgItemText(id, text.c_str()); }
    void Click(int id) { m_pPage->SendDlgItemMessage(id, BM_CLICK, 0, 0); }
    std::string ComboSelection() const
    {
        CComboBox* pCombo = static_cast<CComboBox*>(m_pPage->GetDlgItem(IDC_USERSET_JPEG_MODE));
        CString text;
        if (pCombo->GetCurSel() >= 0)
            pCombo->GetLBText(pCombo->GetCurSel(), text);
        return std::string(text);
    }

    std::string Profile(const char* section, const char* entry)
    {
        return std::string(m_app.GetProfileString(section, entry, kNone));
    }
    int ProfileInt(const char* entry) { return static_cast<int>(m_app.GetProfileInt(kSection, entry, -99999)); }

    CUserSetTestApp m_app;
    CFrameWnd* m_pFrame = nullptr;
    CWnd* m_pPage = nullptr;
    std::string m_previousFolder;
};

const char* const kKeys[] = {"WebPicPath", "WebFormat",     "WebJepgMode", "WebPicGenMode", "PrevSizeMode", "PrevPicSize",
                             "WebSizeMode", "WebResolution", "WebPicW",     "WebPicH",       "WebPicProp"};

TEST_F(UserSetPageTest, AFreshProfileShowsTheDefaults)
{
    OpenPage();
    CComboBox* pCombo = static_cast<CComboBox*>(m_pPage->GetDlgItem(IDC_USERSET_JPEG_MODE));
    ASSERT_EQ(pCombo->GetCount(), 2);
    CString item;
    pCombo->GetLBText(0, item);
    EXPECT_STREQ(item, "RGB");
    EXPECT_EQ(ComboSelection(), "GRAY");

    for (int id : {IDC_USERSET_JPEG, IDC_USERSET_STORE_AUTO, IDC_USERSET_THUMB_96, IDC_USERSET_BY_PROPORTION})
        EXPECT_TRUE(Checked(id)) << id;
    for (int id : {IDC_USERSET_GIF, IDC_USERSET_STORE_NONE, IDC_USERSET_STORE_USER, IDC_USERSET_STORE_MATCH,
                   IDC_USERSET_THUMB_48, IDC_USERSET_THUMB_64, IDC_USERSET_THUMB_CUSTOM, IDC_USERSET_BY_WIDTH,
                   IDC_USERSET_BY_HEIGHT})
        EXPECT_FALSE(Checked(id)) << id;

    struct Shown {
        int id;
        const char* text;
    };
    const Shown shown[] = {{IDC_USERSET_PATH, ""},        {IDC_USERSET_THUMB_SIZE, "150"}, {IDC_USERSET_PROPORTION, "100"},
                           {IDC_USERSET_WIDTH, "200"},    {IDC_USERSET_HEIGHT, "300"},     {IDC_USERSET_RESOLUTION, "72"}};
    for (const Shown& s : shown)
        EXPECT_EQ(Text(s.id), s.text) << s.id;

    struct State {
        int id;
        bool enabled;
    };
    const State states[] = {
        {IDC_USERSET_JPEG_MODE, true},        {IDC_USERSET_PATH, false},          {IDC_USERSET_BROWSE, true},
        {IDC_USERSET_THUMB_SIZE, false},      {IDC_USERSET_THUMB_SPIN, false},    {IDC_USERSET_BY_PROPORTION, true},
        {IDC_USERSET_BY_WIDTH, true},         {IDC_USERSET_BY_HEIGHT, true},      {IDC_USERSET_PROPORTION, true},
        {IDC_USERSET_PROPORTION_SPIN, true},  {IDC_USERSET_WIDTH, false},         {IDC_USERSET_WIDTH_SPIN, false},
        {IDC_USERSET_HEIGHT, false},          {IDC_USERSET_HEIGHT_SPIN, false},   {IDC_USERSET_RESOLUTION, true},
        {IDC_USERSET_RESOLUTION_SPIN, true},
    };
    for (const State& s : states)
        EXPECT_EQ(Enabled(s.id), s.enabled) << s.id;

    // Nothing is written while the page lives.
    for (const char* key : kKeys)
        EXPECT_EQ(Profile(kSection, key), kNone) << key;
}

struct NumberCase {
    const char* what;
    int id;
    std::vector<std::string> typed;
    const char* shown;   // in the edit afterwards
    const char* key;     // what the page writes when it goes
    int stored;
    bool refused;        // the class library's message for no integer
};

TEST_F(UserSetPageTest, NumberEditsKeepValidValuesAndPutBackTheRest)
{
    const NumberCase cases[] = {
        {"custom size 0", IDC_USERSET_THUMB_SIZE, {"0"}, "150", "PrevPicSize", 150, false},
        {"custom size 1001", IDC_USERSET_THUMB_SIZE, {"1001"}, "150", "PrevPicSize", 150, false},
        {"custom size 500", IDC_USERSET_THUMB_SIZE, {"500"}, "500", "PrevPicSize", 500, false},
        {"back to the last valid value", IDC_USERSET_THUMB_SIZE, {"500", "1001", "0"}, "500", "PrevPicSize", 500, false},
        {"proportion 101", IDC_USERSET_PROPORTION, {"101"}, "100", "WebPicProp", 100, false},
        {"proportion 55", IDC_USERSET_PROPORTION, {"55"}, "55", "WebPicProp", 55, false},
        {"width 0", IDC_USERSET_WIDTH, {"0"}, "200", "WebPicW", 200, false},
        {"height 10000", IDC_USERSET_HEIGHT, {"10000"}, "10000", "WebPicH", 10000, false},
        {"resolution 10001", IDC_USERSET_RESOLUTION, {"10001"}, "72", "WebResolution", 72, false},
        {"resolution 300", IDC_USERSET_RESOLUTION, {"300"}, "300", "WebResolution", 300, false},
        {"custom size abc", IDC_USERSET_THUMB_SIZE, {"abc"}, "abc", "PrevPicSize", 150, true},
        {"resolution abc", IDC_USERSET_RESOLUTION, {"abc"}, "abc", "WebResolution", 72, true},
    };
    for (const NumberCase& c : cases) {
        SCOPED_TRACE(c.what);
        testsupport::DeleteRegKey(HKEY_CURRENT_USER, "Software\\" + CUserSetTestApp::RegistryKey());
        OpenPage();
        testsupport::WindowExpectation* pMessage = nullptr;
        if (c.refused)
            pMessage = &Gui().Expect(AfxGetAppName()).Press(IDOK);
        for (const std::string& typed : c.typed)
            Type(c.id, typed);
        EXPECT_EQ(Text(c.id), c.shown);
        if (pMessage != nullptr) {
            EXPECT_TRUE(pMessage->Seen());
            EXPECT_TRUE(pMessage->HasText("请输入一个整数。"));
        }
        ClosePage();
        EXPECT_EQ(ProfileInt(c.key), c.stored);
    }
}

TEST_F(UserSetPageTest, AStoredProportionIsHeldToZeroToAHundred)
{
    const struct {
        int stored;
        const char* shown;
        int written;
    } cases[] = {{150, "100", 100}, {-5, "0", 0}, {40, "40", 40}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.stored);
        m_app.WriteProfileInt(kSection, "WebPicProp", c.stored);
        OpenPage();
        EXPECT_EQ(Text(IDC_USERSET_PROPORTION), c.shown);
        ClosePage();
        EXPECT_EQ(ProfileInt("WebPicProp"), c.written);
    }
}

TEST_F(UserSetPageTest, SwitchingBetweenTheFolderModesEmptiesOrFillsThePath)
{
    const struct {
        const char* batchPath;
        std::string filled;
    } cases[] = {{"D:\\批量图片", "D:\\批量图片"}, {"", CurrentFolder()}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.batchPath);
        m_app.WriteProfileInt(kSection, "WebPicGenMode", 3);
        m_app.WriteProfileString(kSection, "BatchPath", c.batchPath);
        OpenPage();
        EXPECT_TRUE(Checked(IDC_USERSET_STORE_MATCH));
        EXPECT_EQ(Text(IDC_USERSET_PATH), c.filled);
        Click(IDC_USERSET_STORE_USER);
        EXPECT_EQ(Text(IDC_USERSET_PATH), "");
        EXPECT_TRUE(Enabled(IDC_USERSET_PATH));
        EXPECT_FALSE(Enabled(IDC_USERSET_RESOLUTION));
        Type(IDC_USERSET_PATH, "E:\\typed");
        Click(IDC_USERSET_STORE_MATCH);
        EXPECT_EQ(Text(IDC_USERSET_PATH), c.filled);
        ClosePage();
        EXPECT_EQ(ProfileInt("WebPicGenMode"), 3);
        // The folder is shown only.
        EXPECT_EQ(Profile(kSection, "WebPicPath"), kNone);
    }
}

TEST_F(UserSetPageTest, BrowsingInMatchModeChoosesAFolderThroughOrdwellsChooser)
{
    testsupport::TempDir dir;
    const std::string chosen = dir.File("网页");
    ASSERT_TRUE(::CreateDirectoryA(chosen.c_str(), NULL));
    m_app.WriteProfileInt(kSection, "WebPicGenMode", 3);
    m_app.WriteProfileString(kSection, "BatchPath", dir.Path().c_str());
    OpenPage();
    const HINSTANCE hResource = AfxGetResourceHandle();

    // Cancel changes nothing.
    auto& cancelled = Gui().Expect(kChooserCaption).Press(IDCANCEL);
    Click(IDC_USERSET_BROWSE);
    EXPECT_TRUE(cancelled.Seen());
    EXPECT_EQ(Text(IDC_USERSET_PATH), dir.Path());
    EXPECT_EQ(Profile("PicSkipBar", "Path"), kNone);
    EXPECT_EQ(AfxGetResourceHandle(), hResource);

    auto& accepted = Gui().Expect(kChooserCaption).SetText(kChooserPath, chosen).Press(IDOK);
    Click(IDC_USERSET_BROWSE);
    EXPECT_TRUE(accepted.Seen());
    EXPECT_EQ(Text(IDC_USERSET_PATH), chosen);
    EXPECT_EQ(Profile("PicSkipBar", "Path"), chosen);
    EXPECT_EQ(AfxGetResourceHandle(), hResource);
    ClosePage();
    EXPECT_EQ(Profile(kSection, "WebPicPath"), kNone);
}

TEST_F(UserSetPageTest, BrowsingInUserModeTakesThePromptsFolderAndOtherModesDoNothing)
{
    ASSERT_TRUE(SUCCEEDED(::CoInitialize(NULL)));
    // The shell's folder prompt opens at the current folder: one no other
    // test program makes folders in.
    testsupport::TempDir dir(testsupport::UserProfileFolder());
    ASSERT_TRUE(::SetCurrentDirectoryA(dir.Path().c_str()));

    m_app.WriteProfileInt(kSection, "WebPicGenMode", 2);
    OpenPage();
    Type(IDC_USERSET_PATH, "before");
    Gui().Expect("").Press(IDCANCEL);
    Click(IDC_USERSET_BROWSE);
    EXPECT_EQ(Text(IDC_USERSET_PATH), "before");
    Gui().Expect("").Press(IDOK);
    Click(IDC_USERSET_BROWSE);
    EXPECT_EQ(Text(IDC_USERSET_PATH), dir.Path());
    ClosePage();

    // No prompt and no chooser: the driver fails the test on any dialog.
    for (int mode : {0, 1}) {
        SCOPED_TRACE(mode);
        m_app.WriteProfileInt(kSection, "WebPicGenMode", mode);
        OpenPage();
        ASSERT_TRUE(Enabled(IDC_USERSET_BROWSE));
        Click(IDC_USERSET_BROWSE);
        EXPECT_EQ(Text(IDC_USERSET_PATH), "");
        ClosePage();
    }
    Gui().VerifyAllSeen();
    ::SetCurrentDirectoryA(m_previousFolder.c_str());
    ::CoUninitialize();
}

TEST_F(UserSetPageTest, SettingsAreWrittenWhenThePageGoesAndReadAtTheNextStart)
{
    OpenPage();
    Click(IDC_USERSET_BY_HEIGHT);
    EXPECT_TRUE(Enabled(IDC_USERSET_HEIGHT));
    EXPECT_FALSE(Enabled(IDC_USERSET_PROPORTION));
    Type(IDC_USERSET_HEIGHT, "480");
    Type(IDC_USERSET_RESOLUTION, "300");
    Click(IDC_USERSET_THUMB_64);
    Click(IDC_USERSET_GIF);
    EXPECT_FALSE(Enabled(IDC_USERSET_JPEG_MODE));
    m_pPage->SendDlgItemMessage(IDC_USERSET_JPEG_MODE, CB_SETCURSEL, 0, 0);
    m_pPage->SendMessage(WM_COMMAND, MAKEWPARAM(IDC_USERSET_JPEG_MODE, CBN_SELCHANGE),
                         reinterpret_cast<LPARAM>(m_pPage->GetDlgItem(IDC_USERSET_JPEG_MODE)->m_hWnd));
    Click(IDC_USERSET_STORE_USER);
    for (const char* key : kKeys)
        EXPECT_EQ(Profile(kSection, key), kNone) << key;
    ClosePage();

    const struct {
        const char* key;
        int value;
    } written[] = {{"WebFormat", 0},    {"WebJepgMode", 0},     {"WebPicGenMode", 2}, {"PrevSizeMode", 1},
                   {"PrevPicSize", 150}, {"WebSizeMode", 2},     {"WebResolution", 300}, {"WebPicW", 200},
                   {"WebPicH", 480},    {"WebPicProp", 100}};
    for (const auto& w : written)
        EXPECT_EQ(ProfileInt(w.key), w.value) << w.key;
    EXPECT_EQ(Profile(kSection, "WebPicPath"), kNone);

    OpenPage();
    for (int id : {IDC_USERSET_GIF, IDC_USERSET_STORE_USER, IDC_USERSET_THUMB_64, IDC_USERSET_BY_HEIGHT})
        EXPECT_TRUE(Checked(id)) << id;
    EXPECT_FALSE(Checked(IDC_USERSET_JPEG));
    EXPECT_EQ(ComboSelection(), "RGB");
    EXPECT_EQ(Text(IDC_USERSET_HEIGHT), "480");
    EXPECT_EQ(Text(IDC_USERSET_RESOLUTION), "300");
}

TEST_F(UserSetPageTest, AStoredWebPicturePathIsShownAndKept)
{
    m_app.WriteProfileString(kSection, "WebPicPath", "D:\\网页图片");
    OpenPage();
    EXPECT_EQ(Text(IDC_USERSET_PATH), "D:\\网页图片");
    ClosePage();
    EXPECT_EQ(Profile(kSection, "WebPicPath"), "D:\\网页图片");
}

}  // namespace

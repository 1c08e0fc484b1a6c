#include "ChooseDir.h"
#include "Ordwell.h"

#include "GuiDriver.h"
#include "TempDir.h"
#include "resource.h"

#include <gtest/gtest.h>

#include <functional>
#include <string>

using testsupport::Gui;

namespace {

const DWORD kClientFlags = 70;  // what the picture settings page passes
const char kCaption[] = "选择路径";

std::string CurrentFolder()
{
    char path[MAX_PATH];
    DWORD n = ::GetCurrentDirectoryA(MAX_PATH, path);
    return std::string(path, n);
}

std::string Lower(std::string text)
{
    ::CharLowerBuffA(&text[0], static_cast<DWORD>(text.size()));
    return text;
}

bool IsFolder(const std::string& path)
{
    DWORD attributes = ::GetFileAttributesA(path.c_str());
    return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY);
}

std::string EditText(HWND dialog)
{
    char text[1024] = "";
    ::GetDlgItemTextA(dialog, IDC_CHOOSE_PATH, text, sizeof(text));
    return text;
}

// What the user does on the open chooser, run once it is on screen and the
// driver has seen it.
class OnChooser {
public:
    OnChooser(const testsupport::WindowExpectation& window, std::function<void(HWND)> steps)
    {
        s_window = &window;
        s_steps = std::move(steps);
        s_timer = ::SetTimer(NULL, 0, 50, Tick);
    }
    ~OnChooser()
    {
        if (s_timer != 0)
            ::KillTimer(NULL, s_timer);
        s_timer = 0;
        s_steps = nullptr;
        s_window = nullptr;
    }

private:
    static BOOL CALLBACK FindChooser(HWND window, LPARAM lParam)
    {
        char caption[64] = "";
        ::GetWindowTextA(window, caption, sizeof(caption));
        if (::IsWindowVisible(window) && std::string(caption) == kCaption) {
            *reinterpret_cast<HWND*>(lParam) = window;
            return FALSE;
        }
        return TRUE;
    }
    static void CALLBACK Tick(HWND, UINT, UINT_PTR, DWORD)
    {
        HWND dialog = NULL;
        ::EnumThreadWindows(::GetCurrentThreadId(), FindChooser, reinterpret_cast<LPARAM>(&dialog));
        if (dialog == NULL || !s_steps || s_window == nullptr || !s_window->Seen())
            return;
        ::KillTimer(NULL, s_timer);
        s_timer = 0;
        auto steps = std::move(s_steps);
        s_steps = nullptr;
        steps(dialog);
    }

    static std::function<void(HWND)> s_steps;
    static UINT_PTR s_timer;
    static const testsupport::WindowExpectation* s_window;
};

std::function<void(HWND)> OnChooser::s_steps;
UINT_PTR OnChooser::s_timer = 0;
const testsupport::WindowExpectation* OnChooser::s_window = nullptr;

// Picks a folder in the list as a mouse click would.
void SelectFolder(HWND dialog, const char* name, UINT code)
{
    HWND list = ::GetDlgItem(dialog, 1121);
    LRESULT index = ::SendMessageA(list, LB_FINDSTRINGEXACT, WPARAM(-1), LPARAM(name));
    ASSERT_NE(LB_ERR, index) << name;
    ::SendMessageA(list, LB_SETCURSEL, index, 0);
    ::SendMessageA(dialog, WM_COMMAND, MAKEWPARAM(1121, code), LPARAM(list));
}

// Types a path and presses OK; true when the chooser stayed open, which
// it then leaves with Cancel.
bool TypeAndPressOk(HWND dialog, const std::string& path)
{
    ::SetDlgItemTextA(dialog, IDC_CHOOSE_PATH, path.c_str());
    ::SendMessageA(::GetDlgItem(dialog, IDOK), BM_CLICK, 0, 0);
    // An ended dialog is hidden at once and destroyed later.
    if (!::IsWindow(dialog) || !::IsWindowVisible(dialog))
        return false;
    ::SendMessageA(::GetDlgItem(dialog, IDCANCEL), BM_CLICK, 0, 0);
    return true;
}

class ChooseDir : public ::testing::Test {
protected:
    // As the client does: Ordwell's resources are current while the
    // chooser is made (this program has a template 4118 of its own).
    void SetUp() override
    {
        m_previous = CurrentFolder();
        m_previousResource = SetOrdwellResourceHandle();
    }
    void TearDown() override
    {
        AfxSetResourceHandle(m_previousResource);
        ::SetCurrentDirectoryA(m_previous.c_str());
    }

    std::string Make(const std::string& relative)
    {
        std::string path = m_dir.File(relative);
        ::CreateDirectoryA(path.c_str(), NULL);
        return path;
    }

    testsupport::TempDir m_dir;
    std::string m_previous;
    HINSTANCE m_previousResource = NULL;
};

TEST_F(ChooseDir, PathIsLowerCaseAtFirstThenFollowsTheSelectionInItsCase)
{
    Make("MixedCase");
    Make("MixedCase\\Aardvark");
    Make("MixedCase\\Alpha");
    Make("MixedCase\\Alpha\\Beta");
    CChooseDir chooser(TRUE, m_dir.File("MixedCase").c_str(), NULL, NULL, kClientFlags, NULL, NULL);
    const std::string open = CurrentFolder();
    ASSERT_EQ(Lower(m_dir.File("MixedCase")), Lower(open));

    std::string first, oneDown, twoDown;
    OnChooser steps(Gui().Expect(kCaption), [&](HWND dialog) {
        first = EditText(dialog);
        SelectFolder(dialog, "Alpha", LBN_SELCHANGE);
        oneDown = EditText(dialog);
        SelectFolder(dialog, "Alpha", LBN_DBLCLK);
        SelectFolder(dialog, "Beta", LBN_SELCHANGE);
        twoDown = EditText(dialog);
        ::SendMessageA(::GetDlgItem(dialog, IDOK), BM_CLICK, 0, 0);
    });
    ASSERT_EQ(IDOK, chooser.DoModal());

    EXPECT_EQ(Lower(open), first);
    EXPECT_NE(first, open) << "the temp folder should hold capitals";
    EXPECT_EQ(open + "\\Alpha", oneDown);
    EXPECT_EQ(open + "\\Alpha\\Beta", twoDown);
    EXPECT_EQ(open + "\\Alpha\\Beta", std::string(chooser.m_strChosenDir));
}

TEST_F(ChooseDir, TypedPathComesBackAsTyped)
{
    Make("out");
    const std::string typed = m_dir.Path() + "\\Out\\";
    CChooseDir chooser(TRUE, m_dir.Path().c_str(), NULL, NULL, kClientFlags, NULL, NULL);
    Gui().Expect(kCaption).SetText(IDC_CHOOSE_PATH, typed).Press(IDOK);
    ASSERT_EQ(IDOK, chooser.DoModal());
    EXPECT_EQ(typed, std::string(chooser.m_strChosenDir));
}

TEST_F(ChooseDir, ForbiddenCharactersAreRefusedWithTheMessage)
{
    // The folder exists: only the character refuses it.
    for (char forbidden : std::string("*?|/<>\"")) {
        const std::string typed = m_dir.Path() + forbidden;
        SCOPED_TRACE(typed);
        CChooseDir chooser(TRUE, m_dir.Path().c_str(), NULL, NULL, kClientFlags, NULL, NULL);
        auto& window = Gui().Expect(kCaption);
        auto& message = Gui().Expect(AfxGetAppName()).Press(IDOK);
        bool stayedOpen = false;
        OnChooser steps(window, [&](HWND dialog) { stayedOpen = TypeAndPressOk(dialog, typed); });
        EXPECT_EQ(IDCANCEL, chooser.DoModal());
        EXPECT_TRUE(stayedOpen);
        EXPECT_TRUE(message.HasText(typed + " 路径非法"));
    }
}

struct AcceptCase {
    const char* name;
    std::string relative;  // typed below the test folder; empty types nothing
    bool accepted;
};

TEST_F(ChooseDir, AcceptsExistingOrCreatableFoldersAndRefusesTheRestSilently)
{
    ASSERT_TRUE(testsupport::WriteFileBytes(m_dir.File("file.txt"), "x"));
    Make("Existing");
    const AcceptCase cases[] = {
        {"existing folder", "Existing", true},
        {"missing folder, parent exists", "New", true},
        {"two missing levels", "Gone\\Deeper", false},
        {"a file of that name", "file.txt", false},
        {"empty path", "", false},
        {"name longer than any path buffer", std::string(2 * MAX_PATH, 'x'), false},
    };
    for (const AcceptCase& c : cases) {
        SCOPED_TRACE(c.name);
        const std::string typed = c.relative.empty() ? std::string() : m_dir.File(c.relative);
        CChooseDir chooser(TRUE, m_dir.Path().c_str(), NULL, NULL, kClientFlags, NULL, NULL);
        bool stayedOpen = false;
        OnChooser steps(Gui().Expect(kCaption), [&](HWND dialog) { stayedOpen = TypeAndPressOk(dialog, typed); });
        const int result = chooser.DoModal();
        EXPECT_EQ(c.accepted ? IDOK : IDCANCEL, result);
        EXPECT_EQ(!c.accepted, stayedOpen);
        if (c.accepted) {
            EXPECT_EQ(typed, std::string(chooser.m_strChosenDir));
            EXPECT_TRUE(IsFolder(typed));
        }
    }
    EXPECT_FALSE(IsFolder(m_dir.File("Gone")));
}

TEST_F(ChooseDir, MissingInitialFolderIsReported)
{
    auto& message = Gui().Expect(AfxGetAppName()).Press(IDOK);
    CChooseDir chooser(TRUE, m_dir.File("missing").c_str(), NULL, NULL, kClientFlags, NULL, NULL);
    EXPECT_TRUE(message.Seen());
    EXPECT_TRUE(message.HasText("该目录不存在！"));
}

TEST_F(ChooseDir, TemplateComesFromOrdwellAfterTheCallersSwap)
{
    AfxSetResourceHandle(m_previousResource);
    ASSERT_NE(nullptr, ::FindResourceA(::GetModuleHandleA(NULL), MAKEINTRESOURCEA(4118), RT_DIALOG));
    HINSTANCE previous = SetOrdwellResourceHandle();
    EXPECT_EQ(m_previousResource, previous);
    CChooseDir chooser(TRUE, m_dir.Path().c_str(), NULL, NULL, kClientFlags, NULL, NULL);
    AfxSetResourceHandle(previous);
    auto& window = Gui().Expect(kCaption).Press(IDCANCEL);
    EXPECT_EQ(IDCANCEL, chooser.DoModal());
    EXPECT_TRUE(window.Seen());
}

}  // namespace

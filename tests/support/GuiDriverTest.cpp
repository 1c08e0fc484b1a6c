#include "GuiDriver.h"
#include "GuiDriverTestRes.h"
#include "Process.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

using testsupport::Gui;

namespace {

std::string ItemText(HWND dialog, int id)
{
    char text[256] = {};
    GetDlgItemTextA(dialog, id, text, sizeof text);
    return text;
}

std::string ItemText(HWND control, UINT getLength, UINT getText, int index)
{
    // No selection: the controls answer -1 to both messages.
    LRESULT length = SendMessageA(control, getLength, index, 0);
    if (length < 0)
        return std::string();
    std::string text(length + 1, '\0');
    text.resize(SendMessageA(control, getText, index, reinterpret_cast<LPARAM>(&text[0])));
    return text;
}

// What the form dialog hands back when it is accepted.
struct FormValues {
    std::string name;
    bool keep = false;
    std::string kind;
    std::string place;
    int selectionChanges = 0;
};

INT_PTR CALLBACK FormProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam)
{
    auto* values = reinterpret_cast<FormValues*>(GetWindowLongPtrA(dialog, DWLP_USER));
    switch (message) {
    case WM_INITDIALOG:
        SetWindowLongPtrA(dialog, DWLP_USER, lParam);
        for (const char* kind : {"甲", "乙", "丙"})
            SendDlgItemMessageA(dialog, IDC_KIND, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(kind));
        for (const char* place : {"上海", "北京"})
            SendDlgItemMessageA(dialog, IDC_PLACES, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(place));
        return TRUE;
    case WM_COMMAND:
        if (HIWORD(wParam) == CBN_SELCHANGE || (LOWORD(wParam) == IDC_PLACES && HIWORD(wParam) == LBN_SELCHANGE))
            ++values->selectionChanges;
        if (LOWORD(wParam) == IDOK) {
            char name[256] = {};
            GetDlgItemTextA(dialog, IDC_NAME, name, sizeof name);
            values->name = name;
            values->keep = IsDlgButtonChecked(dialog, IDC_KEEP) == BST_CHECKED;
            HWND kind = GetDlgItem(dialog, IDC_KIND);
            values->kind = ItemText(kind, CB_GETLBTEXTLEN, CB_GETLBTEXT, int(SendMessageA(kind, CB_GETCURSEL, 0, 0)));
            HWND places = GetDlgItem(dialog, IDC_PLACES);
            values->place = ItemText(places, LB_GETTEXTLEN, LB_GETTEXT, int(SendMessageA(places, LB_GETCURSEL, 0, 0)));
            EndDialog(dialog, IDOK);
        } else if (LOWORD(wParam) == IDCANCEL) {
            EndDialog(dialog, IDCANCEL);
        }
        return TRUE;
    }
    return FALSE;
}

// Accepting asks for confirmation in a message box, and closes only on 是.
INT_PTR CALLBACK ConfirmProc(HWND dialog, UINT message, WPARAM wParam, LPARAM)
{
    if (message == WM_INITDIALOG) {
        SetDlgItemTextA(dialog, IDC_NOTE, "将保存全部图片。");
        return TRUE;
    }
    if (message == WM_COMMAND && LOWORD(wParam) == IDOK) {
        if (MessageBoxA(dialog, "确实要保存吗？", "保存确认", MB_YESNO | MB_ICONQUESTION) == IDYES)
            EndDialog(dialog, IDOK);
        return TRUE;
    }
    if (message == WM_COMMAND && LOWORD(wParam) == IDCANCEL) {
        EndDialog(dialog, IDCANCEL);
        return TRUE;
    }
    return FALSE;
}

INT_PTR RunDialog(int id, DLGPROC proc, void* data = nullptr)
{
    return DialogBoxParamA(GetModuleHandleA(nullptr), MAKEINTRESOURCEA(id), nullptr, proc,
                           reinterpret_cast<LPARAM>(data));
}

}  // namespace

TEST(GuiDriver, FillsAResourceDialogAndReadsItsTexts)
{
    auto& form = Gui().Expect("驱动测试")
                     .SetText(IDC_NAME, "图片一")
                     .Check(IDC_KEEP)
                     .SelectItem(IDC_KIND, "乙")
                     .SelectItem(IDC_PLACES, 1)
                     .Press(IDOK);
    FormValues values;

    EXPECT_EQ(IDOK, RunDialog(IDD_DRIVER_FORM, FormProc, &values));

    EXPECT_TRUE(form.Seen());
    EXPECT_TRUE(form.HasText("名称："));
    EXPECT_TRUE(form.HasText("位置："));
    EXPECT_EQ("图片一", values.name);
    EXPECT_TRUE(values.keep);
    EXPECT_EQ("乙", values.kind);
    EXPECT_EQ("北京", values.place);
    EXPECT_EQ(2, values.selectionChanges);
}

TEST(GuiDriver, AnswersAMessageBoxOpenedByADialogsButton)
{
    auto& dialog = Gui().Expect("保存确认").Press(IDOK);
    auto& question = Gui().Expect("保存确认").Press(IDYES);

    EXPECT_EQ(IDOK, RunDialog(IDD_DRIVER_CONFIRM, ConfirmProc));

    EXPECT_TRUE(dialog.HasText("将保存全部图片。"));
    EXPECT_TRUE(question.HasText("确实要保存吗？"));
}

// The test's own code runs in the order of the actions: after a message box
// that an earlier press opened has been answered.
TEST(GuiDriver, RunsTheTestsCodeBetweenTheActions)
{
    std::vector<std::string> seen;
    Gui().Expect("驱动测试")
        .SetText(IDC_NAME, "前")
        .Run([&](HWND dialog) { seen.push_back(ItemText(dialog, IDC_NAME)); })
        .Run([](HWND dialog) { SetDlgItemTextA(dialog, IDC_NAME, "后"); })
        .Press(IDOK);
    FormValues values;
    EXPECT_EQ(IDOK, RunDialog(IDD_DRIVER_FORM, FormProc, &values));
    EXPECT_EQ((std::vector<std::string>{"前"}), seen);
    EXPECT_EQ("后", values.name);

    bool answered = false;
    auto& dialog = Gui().Expect("保存确认").Press(IDOK);
    auto& question = Gui().Expect("保存确认").Press(IDYES);
    dialog.Run([&](HWND) { answered = question.Seen(); });
    EXPECT_EQ(IDOK, RunDialog(IDD_DRIVER_CONFIRM, ConfirmProc));
    EXPECT_TRUE(answered);
}

bool g_timerFired = false;

TEST(GuiDriver, WaitForPumpsUntilTheConditionHolds)
{
    g_timerFired = false;
    UINT_PTR timer = SetTimer(nullptr, 0, 30, [](HWND, UINT, UINT_PTR, DWORD) { g_timerFired = true; });

    EXPECT_TRUE(Gui().WaitFor([] { return g_timerFired; }));
    EXPECT_FALSE(Gui().WaitFor([] { return false; }, 50));
    KillTimer(nullptr, timer);
}

HWND ShowModeless()
{
    HWND dialog = CreateDialogParamA(GetModuleHandleA(nullptr), MAKEINTRESOURCEA(IDD_DRIVER_FORM), nullptr, FormProc,
                                     reinterpret_cast<LPARAM>(new FormValues));
    ShowWindow(dialog, SW_SHOW);
    return dialog;
}

void CloseModeless(HWND dialog)
{
    delete reinterpret_cast<FormValues*>(GetWindowLongPtrA(dialog, DWLP_USER));
    DestroyWindow(dialog);
}

TEST(GuiDriver, LeavesAnAllowedModelessWindowOpen)
{
    Gui().Allow("驱动测试");
    HWND dialog = ShowModeless();
    ASSERT_NE(nullptr, dialog);
    // Long enough for many ticks of the driver.
    Gui().WaitFor([] { return false; }, 300);
    EXPECT_TRUE(IsWindow(dialog));
    EXPECT_TRUE(IsWindowVisible(dialog));
    CloseModeless(dialog);
}

// Cases run in a child process by the tests below: each must fail, and
// none may hang or pass.
TEST(GuiDriverChild, DISABLED_UnexpectedMessageBox)
{
    MessageBoxA(nullptr, "没有人等这个消息", "意外消息", MB_YESNO);
}

TEST(GuiDriverChild, DISABLED_ExpectedDialogLeftOpen)
{
    Gui().Expect("驱动测试").SetText(IDC_NAME, "x").OpenFor(200);
    FormValues values;
    RunDialog(IDD_DRIVER_FORM, FormProc, &values);
}

TEST(GuiDriverChild, DISABLED_ExpectedDialogNeverShown)
{
    Gui().Expect("从未出现");
}

TEST(GuiDriverChild, DISABLED_UnexpectedModelessWindow)
{
    Gui().Allow("另一个窗口");
    HWND dialog = ShowModeless();
    Gui().WaitFor([] { return false; }, 300);
    if (IsWindow(dialog))
        CloseModeless(dialog);
}

TEST(GuiDriverChild, DISABLED_Crash)
{
    *static_cast<volatile int*>(nullptr) = 1;
}

struct FailureCase {
    const char* testCase;
    const char* message;  // UTF-8, as the driver writes to the log
};

void PrintTo(const FailureCase& failure, std::ostream* out) { *out << failure.testCase; }

class GuiDriverFailure : public testing::TestWithParam<FailureCase> {};

TEST_P(GuiDriverFailure, FailsTheTestWithoutHanging)
{
    testsupport::ProcessResult child = testsupport::RunProcess(
        testsupport::QuoteArgument(testsupport::ThisExecutable()) + " --gtest_also_run_disabled_tests" +
            " --gtest_filter=GuiDriverChild.DISABLED_" + GetParam().testCase,
        60000);
    ASSERT_TRUE(child.started);
    EXPECT_FALSE(child.timedOut) << child.output;
    EXPECT_NE(0u, child.exitCode) << child.output;
    EXPECT_NE(std::string::npos, child.output.find(GetParam().message)) << child.output;
}

INSTANTIATE_TEST_SUITE_P(
    Cases, GuiDriverFailure,
    testing::Values(
        FailureCase{"UnexpectedMessageBox", u8"Unexpected window \"意外消息\" (class #32770) showing \"没有人等这个消息\""},
        FailureCase{"ExpectedDialogLeftOpen", u8"\"驱动测试\" (class #32770) showing \"名称：\""},
        FailureCase{"UnexpectedModelessWindow", u8"Unexpected window \"驱动测试\" (class #32770)"},
        FailureCase{"ExpectedDialogNeverShown", u8"Expected window \"从未出现\" (class #32770) never appeared"},
        FailureCase{"Crash", "Unhandled exception 0xc0000005"}),
    [](const testing::TestParamInfo<FailureCase>& info) { return std::string(info.param.testCase); });

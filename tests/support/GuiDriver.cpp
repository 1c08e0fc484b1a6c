#include "GuiDriver.h"

#include "WindowText.h"

#include <commctrl.h>
#include <gtest/gtest.h>

#include <algorithm>

namespace testsupport {

namespace {

thread_local GuiDriver* t_driver = nullptr;

constexpr UINT kTickMs = 20;

std::string Describe(HWND window)
{
    std::string text = "\"" + ToUtf8(WindowText(window)) + "\" (class " + ClassName(window) + ")";
    std::vector<std::string> texts = StaticTexts(window);
    if (!texts.empty()) {
        text += " showing";
        for (const std::string& t : texts)
            text += " \"" + ToUtf8(t) + "\"";
    }
    return text;
}

bool IsDialog(HWND window) { return ClassName(window) == "#32770"; }

// The windows under one, two levels deep, as "id class" (hidden ones marked):
// what a failure needs to tell a page without its controls from a wrong page.
std::string DescribeChildren(HWND window)
{
    std::string text;
    for (HWND child = GetWindow(window, GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT)) {
        text += " [" + std::to_string(GetDlgCtrlID(child)) + " " + ClassName(child) +
                (IsWindowVisible(child) ? "" : " hidden");
        for (HWND inner = GetWindow(child, GW_CHILD); inner; inner = GetWindow(inner, GW_HWNDNEXT))
            text += " " + std::to_string(GetDlgCtrlID(inner));
        text += "]";
    }
    return text;
}

void NotifyParent(HWND control, int code)
{
    SendMessageA(GetParent(control), WM_COMMAND,
                 MAKEWPARAM(GetDlgCtrlID(control), code), reinterpret_cast<LPARAM>(control));
}

}  // namespace

// --- WindowExpectation -------------------------------------------------------

WindowExpectation& WindowExpectation::SetText(int controlId, const std::string& text)
{
    m_actions.push_back({Action::SetText, controlId, text, 0, {}});
    return *this;
}

WindowExpectation& WindowExpectation::Check(int controlId, bool checked)
{
    m_actions.push_back({Action::Check, controlId, {}, checked ? 1 : 0, {}});
    return *this;
}

WindowExpectation& WindowExpectation::SelectItem(int controlId, int index)
{
    m_actions.push_back({Action::SelectIndex, controlId, {}, index, {}});
    return *this;
}

WindowExpectation& WindowExpectation::SelectItem(int controlId, const std::string& itemText)
{
    m_actions.push_back({Action::SelectText, controlId, itemText, 0, {}});
    return *this;
}

WindowExpectation& WindowExpectation::Press(int controlId)
{
    m_actions.push_back({Action::Press, controlId, {}, 0, {}});
    return *this;
}

WindowExpectation& WindowExpectation::MayPassUnseen()
{
    m_mayPassUnseen = true;
    return *this;
}

WindowExpectation& WindowExpectation::Close()
{
    m_actions.push_back({Action::Close, 0, {}, 0, {}});
    return *this;
}

WindowExpectation& WindowExpectation::Run(std::function<void(HWND)> action)
{
    m_actions.push_back({Action::Run, 0, {}, 0, std::move(action)});
    return *this;
}

WindowExpectation& WindowExpectation::OpenFor(DWORD milliseconds)
{
    m_openForMs = milliseconds;
    return *this;
}

bool WindowExpectation::HasText(const std::string& text) const
{
    return std::find(m_texts.begin(), m_texts.end(), text) != m_texts.end();
}

// --- GuiDriver ---------------------------------------------------------------

GuiDriver::GuiDriver()
{
    m_previous = t_driver;
    t_driver = this;
    m_hook = SetWindowsHookExA(WH_CBT, CbtHook, nullptr, GetCurrentThreadId());
    m_initHook = SetWindowsHookExA(WH_CALLWNDPROCRET, CallWndProcRetHook, nullptr, GetCurrentThreadId());
    m_timer = SetTimer(nullptr, 0, kTickMs, OnTick);
}

GuiDriver::~GuiDriver()
{
    KillTimer(nullptr, m_timer);
    UnhookWindowsHookEx(m_initHook);
    UnhookWindowsHookEx(m_hook);
    t_driver = m_previous;
}

GuiDriver& GuiDriver::Current()
{
    if (!t_driver) {
        // A thread of the test's own making: it gets a driver for its life.
        thread_local GuiDriver threadDriver;
    }
    return *t_driver;
}

WindowExpectation& GuiDriver::Expect(const std::string& caption, const std::string& windowClass)
{
    m_expected.push_back(std::unique_ptr<WindowExpectation>(new WindowExpectation(caption, windowClass)));
    return *m_expected.back();
}

void GuiDriver::Allow(const std::string& caption) { m_allowed.push_back(caption); }

bool GuiDriver::WaitFor(const std::function<bool()>& done, DWORD timeoutMs)
{
    const DWORD start = GetTickCount();
    while (!done()) {
        const DWORD elapsed = GetTickCount() - start;
        if (elapsed >= timeoutMs)
            return false;
        MsgWaitForMultipleObjects(0, nullptr, FALSE, std::min<DWORD>(timeoutMs - elapsed, kTickMs), QS_ALLINPUT);
        MSG msg;
        while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) {
            TranslateMessage(&msg);
            DispatchMessageA(&msg);
        }
    }
    return true;
}

bool GuiDriver::WaitFor(const WindowExpectation& window, DWORD timeoutMs)
{
    return WaitFor([&window] { return window.Seen(); }, timeoutMs);
}

void GuiDriver::VerifyAllSeen()
{
    for (const auto& expected : m_expected) {
        if (!expected->m_seen && !expected->m_mayPassUnseen)
            ADD_FAILURE() << "Expected window \"" << ToUtf8(expected->m_caption) << "\" (class "
                          << expected->m_class << ") never appeared";
    }
}

LRESULT CALLBACK GuiDriver::CbtHook(int code, WPARAM wParam, LPARAM lParam)
{
    GuiDriver* driver = t_driver;
    if (driver) {
        HWND window = reinterpret_cast<HWND>(wParam);
        switch (code) {
        case HCBT_CREATEWND:
            // A dialog can show before its controls are all made (a control's
            // creation may run the message loop, and so the driver's tick):
            // it is driven once its WM_INITDIALOG has been handled.
            if (!(reinterpret_cast<CBT_CREATEWNDA*>(lParam)->lpcs->style & WS_CHILD)) {
                Tracked tracked;
                tracked.initialising = IsDialog(window);
                driver->m_windows.emplace(window, tracked);
            }
            break;
        case HCBT_ACTIVATE:
            // Wine may activate another program's window when one of ours
            // closes: only this thread's windows are the test's.
            if (!(GetWindowLongPtrA(window, GWL_STYLE) & WS_CHILD) &&
                GetWindowThreadProcessId(window, nullptr) == GetCurrentThreadId())
                driver->m_windows.emplace(window, Tracked{});
            break;
        case HCBT_DESTROYWND:
            driver->m_windows.erase(window);
            break;
        }
    }
    return CallNextHookEx(nullptr, code, wParam, lParam);
}

LRESULT CALLBACK GuiDriver::CallWndProcRetHook(int code, WPARAM wParam, LPARAM lParam)
{
    const auto* message = reinterpret_cast<const CWPRETSTRUCT*>(lParam);
    if (GuiDriver* driver = t_driver; driver && code == HC_ACTION && message->message == WM_INITDIALOG) {
        auto it = driver->m_windows.find(message->hwnd);
        if (it != driver->m_windows.end())
            it->second.initialising = false;
    }
    return CallNextHookEx(nullptr, code, wParam, lParam);
}

void CALLBACK GuiDriver::OnTick(HWND, UINT, UINT_PTR, DWORD)
{
    if (t_driver)
        t_driver->Tick();
}

// Runs from the thread's message loop, whichever modal loop that is. An
// action can start a nested modal loop that ticks again, so nothing here
// holds an iterator across an action.
void GuiDriver::Tick()
{
    std::vector<HWND> windows;
    for (const auto& entry : m_windows)
        windows.push_back(entry.first);

    for (HWND window : windows) {
        auto it = m_windows.find(window);
        if (it == m_windows.end())
            continue;
        if (!IsWindow(window)) {
            m_windows.erase(it);
            continue;
        }
        Tracked& tracked = it->second;
        if (tracked.state == State::Waiting && !tracked.initialising && IsWindowVisible(window)) {
            tracked.state = State::Handling;
            Handle(window);
        } else if (tracked.state == State::Handled && tracked.expectation &&
                   GetTickCount() - tracked.handledAt > tracked.expectation->m_openForMs) {
            ADD_FAILURE() << "Window " << Describe(window) << " still open "
                          << tracked.expectation->m_openForMs << " ms after the test's actions";
            tracked.state = State::Dismissed;
            Dismiss(window);
        }
    }
}

void GuiDriver::Handle(HWND window)
{
    const std::string caption = WindowText(window);
    WindowExpectation* expectation = Match(caption, ClassName(window));
    if (!expectation) {
        const bool allowed = std::find(m_allowed.begin(), m_allowed.end(), caption) != m_allowed.end();
        if (IsDialog(window) && !allowed) {
            HWND owner = GetWindow(window, GW_OWNER);
            ADD_FAILURE() << "Unexpected window " << Describe(window)
                          << (owner ? ", owned by " + Describe(owner) + " holding" + DescribeChildren(owner) : "");
            m_windows[window].state = State::Dismissed;
            Dismiss(window);
        } else {
            m_windows[window].state = State::Ignored;
        }
        return;
    }

    m_windows[window].expectation = expectation;
    expectation->m_seen = true;
    expectation->m_seenCaption = caption;
    expectation->m_texts = StaticTexts(window);

    const std::vector<WindowExpectation::Action> actions = expectation->m_actions;
    for (const auto& action : actions) {
        if (!IsWindow(window))
            break;
        if (!Perform(window, action)) {
            auto it = m_windows.find(window);
            if (it != m_windows.end())
                it->second.state = State::Dismissed;
            Dismiss(window);
            return;
        }
    }

    auto it = m_windows.find(window);
    if (it != m_windows.end() && it->second.state == State::Handling) {
        it->second.state = State::Handled;
        it->second.handledAt = GetTickCount();
    }
}

WindowExpectation* GuiDriver::Match(const std::string& caption, const std::string& windowClass)
{
    for (const auto& expected : m_expected) {
        if (expected->m_claimed)
            continue;
        if (!expected->m_caption.empty() && expected->m_caption != caption)
            continue;
        if (!expected->m_class.empty() && lstrcmpiA(expected->m_class.c_str(), windowClass.c_str()) != 0)
            continue;
        expected->m_claimed = true;
        return expected.get();
    }
    return nullptr;
}

bool GuiDriver::Perform(HWND window, const WindowExpectation::Action& action)
{
    using Action = WindowExpectation::Action;
    if (action.kind == Action::Close) {
        PostMessageA(window, WM_CLOSE, 0, 0);
        return true;
    }
    if (action.kind == Action::Run) {
        action.run(window);
        return true;
    }

    HWND control = GetDlgItem(window, action.controlId);
    if (!control) {
        ADD_FAILURE() << "Window " << Describe(window) << " has no control " << action.controlId;
        return false;
    }
    if (!IsWindowEnabled(control) || !IsWindowVisible(control)) {
        ADD_FAILURE() << "Control " << action.controlId << " of window " << Describe(window)
                      << " is disabled or hidden";
        return false;
    }

    const std::string controlClass = ClassName(control);
    const bool isCombo = lstrcmpiA(controlClass.c_str(), "ComboBox") == 0;
    const bool isList = lstrcmpiA(controlClass.c_str(), "ListBox") == 0;
    const bool isListView = lstrcmpiA(controlClass.c_str(), WC_LISTVIEWA) == 0;

    switch (action.kind) {
    case Action::SetText:
        SendMessageA(control, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(action.text.c_str()));
        if (isCombo)
            NotifyParent(control, CBN_EDITCHANGE);
        return true;

    case Action::Check: {
        const bool checked = SendMessageA(control, BM_GETCHECK, 0, 0) == BST_CHECKED;
        if (checked != (action.value != 0))
            SendMessageA(control, BM_CLICK, 0, 0);
        return true;
    }

    case Action::SelectIndex:
    case Action::SelectText: {
        int index = action.value;
        if (action.kind == Action::SelectText) {
            if (isCombo)
                index = int(SendMessageA(control, CB_FINDSTRINGEXACT, WPARAM(-1), LPARAM(action.text.c_str())));
            else if (isList)
                index = int(SendMessageA(control, LB_FINDSTRINGEXACT, WPARAM(-1), LPARAM(action.text.c_str())));
            else if (isListView) {
                LVFINDINFOA find = {};
                find.flags = LVFI_STRING;
                find.psz = action.text.c_str();
                index = int(SendMessageA(control, LVM_FINDITEMA, WPARAM(-1), LPARAM(&find)));
            }
            if (index < 0) {
                ADD_FAILURE() << "Control " << action.controlId << " of window " << Describe(window)
                              << " has no item \"" << ToUtf8(action.text) << "\"";
                return false;
            }
        }
        if (isCombo) {
            if (SendMessageA(control, CB_SETCURSEL, index, 0) == CB_ERR)
                index = -1;
            else
                NotifyParent(control, CBN_SELCHANGE);
        } else if (isList) {
            if (SendMessageA(control, LB_SETCURSEL, index, 0) == LB_ERR)
                index = -1;
            else
                NotifyParent(control, LBN_SELCHANGE);
        } else if (isListView) {
            LVITEMA item = {};
            item.stateMask = item.state = LVIS_SELECTED | LVIS_FOCUSED;
            if (!SendMessageA(control, LVM_SETITEMSTATE, index, LPARAM(&item)))
                index = -1;
        } else {
            ADD_FAILURE() << "Control " << action.controlId << " (" << controlClass << ") of window "
                          << Describe(window) << " has no items to select";
            return false;
        }
        if (index < 0) {
            ADD_FAILURE() << "Control " << action.controlId << " of window " << Describe(window)
                          << " has no item " << action.value;
            return false;
        }
        return true;
    }

    case Action::Press:
        SendMessageA(control, BM_CLICK, 0, 0);
        return true;

    case Action::Close:
    case Action::Run:
        break;
    }
    return true;
}

void GuiDriver::Dismiss(HWND window)
{
    if (IsDialog(window)) {
        // Dialogs of the class library run their own modal loop, which a
        // cancel command ends; plain Windows dialogs end with EndDialog.
        PostMessageA(window, WM_COMMAND, MAKEWPARAM(IDCANCEL, BN_CLICKED), 0);
        EndDialog(window, IDCANCEL);
    } else
        PostMessageA(window, WM_CLOSE, 0, 0);
}

}  // namespace testsupport

// Drives the real windows of a test as a person would: waits for a dialog
// or message box of the test's own thread to appear, reads its texts, sets
// control values, presses buttons, and fails the test on any dialog that
// nobody expected, closing it so that no modal loop can hang the test.
#pragma once

#include <windows.h>

#include <functional>
#include <map>
#include <memory>
#include <string>
#include <vector>

namespace testsupport {

// One window the test expects to appear, and what to do with it when it
// does. Texts are in the ANSI code page, as the program shows them.
class WindowExpectation {
public:
    WindowExpectation& SetText(int controlId, const std::string& text);
    WindowExpectation& Check(int controlId, bool checked = true);
    WindowExpectation& SelectItem(int controlId, int index);
    WindowExpectation& SelectItem(int controlId, const std::string& itemText);
    WindowExpectation& Press(int controlId);
    WindowExpectation& Close();
    // Runs the test's own code on the window at this point of the actions:
    // to read what it shows or to work its controls where the actions above
    // do not reach (a property sheet's pages, for one).
    WindowExpectation& Run(std::function<void(HWND)> action);
    // How long the window may stay open after its actions ran before the
    // driver closes it and fails the test.
    WindowExpectation& OpenFor(DWORD milliseconds);
    // The window may come and go between two ticks of the driver (the
    // progress window of a short run): not seeing it fails no test.
    WindowExpectation& MayPassUnseen();

    bool Seen() const { return m_seen; }
    const std::string& Caption() const { return m_seenCaption; }
    // The static texts of the window, read when it appeared.
    const std::vector<std::string>& Texts() const { return m_texts; }
    bool HasText(const std::string& text) const;

private:
    friend class GuiDriver;
    struct Action {
        enum Kind { SetText, Check, SelectIndex, SelectText, Press, Close, Run } kind;
        int controlId;
        std::string text;
        int value;
        std::function<void(HWND)> run;
    };

    WindowExpectation(std::string caption, std::string windowClass)
        : m_caption(std::move(caption)), m_class(std::move(windowClass)) {}

    std::string m_caption;   // empty: any caption
    std::string m_class;     // empty: any class
    std::vector<Action> m_actions;
    DWORD m_openForMs = 10000;
    bool m_mayPassUnseen = false;
    bool m_claimed = false;
    bool m_seen = false;
    std::string m_seenCaption;
    std::vector<std::string> m_texts;
};

class GuiDriver {
public:
    GuiDriver();
    ~GuiDriver();
    GuiDriver(const GuiDriver&) = delete;
    GuiDriver& operator=(const GuiDriver&) = delete;

    // The driver of the calling thread (the test runner makes one per test).
    static GuiDriver& Current();

    // Expects a window with this caption and class ("#32770": dialogs and
    // message boxes). Expectations are matched in the order they were made.
    WindowExpectation& Expect(const std::string& caption,
                              const std::string& windowClass = "#32770");

    // A modeless window with this caption may appear and stay open as long as
    // it likes: the driver leaves it alone and fails nothing for it.
    void Allow(const std::string& caption);

    // Pumps messages until done() holds or the time runs out.
    bool WaitFor(const std::function<bool()>& done, DWORD timeoutMs = 5000);
    bool WaitFor(const WindowExpectation& window, DWORD timeoutMs = 5000);

    // Fails the test for every expected window that never appeared.
    void VerifyAllSeen();

private:
    enum class State { Waiting, Handling, Handled, Ignored, Dismissed };
    struct Tracked {
        State state = State::Waiting;
        WindowExpectation* expectation = nullptr;
        DWORD handledAt = 0;
        bool initialising = false;  // a dialog that has not had WM_INITDIALOG yet
    };

    static LRESULT CALLBACK CbtHook(int code, WPARAM wParam, LPARAM lParam);
    static LRESULT CALLBACK CallWndProcRetHook(int code, WPARAM wParam, LPARAM lParam);
    static void CALLBACK OnTick(HWND, UINT, UINT_PTR, DWORD);
    void Tick();
    void Handle(HWND window);
    bool Perform(HWND window, const WindowExpectation::Action& action);
    WindowExpectation* Match(const std::string& caption, const std::string& windowClass);
    void Dismiss(HWND window);

    HHOOK m_hook = nullptr;
    HHOOK m_initHook = nullptr;
    UINT_PTR m_timer = 0;
    std::map<HWND, Tracked> m_windows;
    std::vector<std::unique_ptr<WindowExpectation>> m_expected;
    std::vector<std::string> m_allowed;
    GuiDriver* m_previous = nullptr;
};

// Shorthand for GuiDriver::Current().
inline GuiDriver& Gui() { return GuiDriver::Current(); }

}  // namespace testsupport

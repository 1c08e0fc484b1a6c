// Acts on a window of the test's thread from inside whatever modal loop shows
// it, where the GUI driver's fixed actions are not enough (list check boxes,
// the shell's folder browser, watching a countdown).
#pragma once

#include <windows.h>

#include <functional>
#include <string>

#include "GuiDriver.h"

namespace testsupport {

class WhenShown {
public:
    // Calls action once, with the first visible top-level window of this
    // thread that matches, and not before the GUI driver has seen the window
    // it expects (when one is given), so that both agree on what appeared.
    WhenShown(std::function<bool(HWND)> match, std::function<void(HWND)> action,
              const WindowExpectation* pSeenFirst = nullptr);
    // A dialog with this caption, expected by the GUI driver for as long as
    // the test's own actions take.
    WhenShown(const std::string& caption, std::function<void(HWND)> action);
    ~WhenShown();
    WhenShown(const WhenShown&) = delete;
    WhenShown& operator=(const WhenShown&) = delete;

    bool Done() const { return m_done; }

    static std::function<bool(HWND)> Caption(const std::string& caption);
    // A dialog with a tree view: the shell's folder browser.
    static std::function<bool(HWND)> FolderBrowser();

private:
    static void CALLBACK OnTick(HWND, UINT, UINT_PTR, DWORD);
    static BOOL CALLBACK Visit(HWND window, LPARAM param);

    std::function<bool(HWND)> m_match;
    std::function<void(HWND)> m_action;
    const WindowExpectation* m_pSeenFirst;
    UINT_PTR m_timer = 0;
    bool m_done = false;
    bool m_running = false;
};

// The text of the tree view's selected item.
std::string SelectedTreeText(HWND tree);
// Clicks a button and returns when its handler has run.
void Click(HWND dialog, int controlId);
std::string ItemText(HWND dialog, int controlId);

}  // namespace testsupport

#include "WhenShown.h"

#include <commctrl.h>

#include <vector>

namespace testsupport {

namespace {

std::vector<WhenShown*>& Pending()
{
    static std::vector<WhenShown*> pending;
    return pending;
}

std::string Text(HWND window)
{
    char buffer[512] = "";
    ::GetWindowTextA(window, buffer, sizeof(buffer));
    return buffer;
}

}  // namespace

WhenShown::WhenShown(std::function<bool(HWND)> match, std::function<void(HWND)> action,
                     const WindowExpectation* pSeenFirst)
    : m_match(std::move(match)), m_action(std::move(action)), m_pSeenFirst(pSeenFirst)
{
    Pending().push_back(this);
    m_timer = ::SetTimer(NULL, 0, 50, OnTick);
}

WhenShown::WhenShown(const std::string& caption, std::function<void(HWND)> action)
    : WhenShown(Caption(caption), std::move(action), &Gui().Expect(caption).OpenFor(60000))
{
}

WhenShown::~WhenShown()
{
    ::KillTimer(NULL, m_timer);
    auto& pending = Pending();
    for (auto it = pending.begin(); it != pending.end(); ++it) {
        if (*it == this) {
            pending.erase(it);
            break;
        }
    }
}

std::function<bool(HWND)> WhenShown::Caption(const std::string& caption)
{
    return [caption](HWND window) { return Text(window) == caption; };
}

std::function<bool(HWND)> WhenShown::FolderBrowser()
{
    return [](HWND window) { return ::FindWindowExA(window, NULL, WC_TREEVIEWA, NULL) != NULL; };
}

BOOL CALLBACK WhenShown::Visit(HWND window, LPARAM param)
{
    WhenShown* self = reinterpret_cast<WhenShown*>(param);
    if (self->m_done || !::IsWindowVisible(window) || !self->m_match(window))
        return TRUE;
    self->m_done = true;
    self->m_action(window);
    return FALSE;
}

void CALLBACK WhenShown::OnTick(HWND, UINT, UINT_PTR timer, DWORD)
{
    // A copy: an action may run a modal loop in which later ticks arrive.
    std::vector<WhenShown*> pending = Pending();
    for (WhenShown* self : pending) {
        if (self->m_timer != timer || self->m_done || self->m_running)
            continue;
        if (self->m_pSeenFirst != nullptr && !self->m_pSeenFirst->Seen())
            continue;
        self->m_running = true;
        ::EnumThreadWindows(::GetCurrentThreadId(), Visit, reinterpret_cast<LPARAM>(self));
        self->m_running = false;
    }
}

std::string SelectedTreeText(HWND tree)
{
    char buffer[MAX_PATH] = "";
    TVITEMA item = {};
    item.mask = TVIF_TEXT;
    item.hItem = TreeView_GetSelection(tree);
    item.pszText = buffer;
    item.cchTextMax = sizeof(buffer);
    if (item.hItem == NULL || !TreeView_GetItem(tree, &item))
        return "";
    return buffer;
}

void Click(HWND dialog, int controlId) { ::SendMessageA(::GetDlgItem(dialog, controlId), BM_CLICK, 0, 0); }

std::string ItemText(HWND dialog, int controlId) { return Text(::GetDlgItem(dialog, controlId)); }

}  // namespace testsupport

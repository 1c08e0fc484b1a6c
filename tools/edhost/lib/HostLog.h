// The host's record of what the editing libraries sent it (and of what it
// sent them): tests read and clear it, and the frame's log bar shows it.
#pragma once

#include "afxwin.h"

#include <vector>

struct HOST_LOG_ENTRY {
    UINT message;
    WPARAM wParam;
    LPARAM lParam;
    HWND hWndReceiver;
};

class CHostLog {
public:
    static CHostLog& Get();

    void Add(UINT message, WPARAM wParam, LPARAM lParam, HWND hWndReceiver);
    const std::vector<HOST_LOG_ENTRY>& Entries() const { return m_entries; }
    void Clear();

    // A list box that shows each entry as it comes; null for none.
    void SetView(HWND hWndList) { m_hWndList = hWndList; }
    static CString Describe(const HOST_LOG_ENTRY& entry);

private:
    std::vector<HOST_LOG_ENTRY> m_entries;
    HWND m_hWndList = NULL;
};

// What the library keeps per thread for its windows: the window being
// created, the message being processed, the notification lockout of a data
// exchange, and the thread object.
#pragma once

#include "afxwin.h"

namespace afxinternal {

struct ThreadState {
    CWnd* pWndInit = nullptr;       // attached by the creation hook
    HHOOK hHookCbt = nullptr;
    MSG lastSentMsg = {};           // the message WindowProc is processing
    HWND hLockoutNotifyWindow = nullptr;  // its control notifications are not dispatched
    CWinThread* pThread = nullptr;  // the thread object running on this thread
    MSG msgCur = {};                // pump buffer when there is no thread object
};

ThreadState& CurrentThreadState();

}  // namespace afxinternal

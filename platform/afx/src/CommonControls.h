// Registration of the common control window classes, done by the first
// Create of each kind of control.
#pragma once

#include <windows.h>
#include <commctrl.h>

namespace afxinternal {

inline BOOL EnsureCommonControls(DWORD classes)
{
    static volatile LONG registered = 0;
    if (((DWORD)registered & classes) == classes)
        return TRUE;
    INITCOMMONCONTROLSEX init;
    init.dwSize = sizeof(init);
    init.dwICC = classes;
    if (!::InitCommonControlsEx(&init))
        return FALSE;
    ::InterlockedOr(&registered, (LONG)classes);
    return TRUE;
}

}  // namespace afxinternal

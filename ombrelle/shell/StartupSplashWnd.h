// The start-up splash window. Until it is drawn, start-up only passes the
// command line's choice in and the message filter lets every message by.
#pragma once

#include "afxwin.h"

class CStartupSplashWnd {
public:
    static void EnableSplash(BOOL bEnable);
    // TRUE when the splash consumed the message.
    static BOOL FilterAppMessage(MSG* pMsg);

private:
    static BOOL c_bShowSplashWnd;
};

#include "StartupSplashWnd.h"

BOOL CStartupSplashWnd::c_bShowSplashWnd = FALSE;

void CStartupSplashWnd::EnableSplash(BOOL bEnable) { c_bShowSplashWnd = bEnable; }

BOOL CStartupSplashWnd::FilterAppMessage(MSG*) { return FALSE; }

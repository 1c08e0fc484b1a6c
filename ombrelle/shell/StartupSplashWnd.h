// The start-up picture, shown over the frame while the client starts and
// removed after 15 seconds or at the operator's first key or mouse press.
#pragma once

#include "afxwin.h"

class CStartupSplashWnd : public CWnd {
protected:
    CStartupSplashWnd();

public:
    virtual ~CStartupSplashWnd();

    // Set once from the command line.
    static void EnableSplash(BOOL bEnable);
    static BOOL IsSplashEnabled();
    // Shows the splash over pFrame when it is enabled and none is up.
    static void ShowSplash(CWnd* pFrame);
    // The splash that is up, or NULL.
    static CStartupSplashWnd* GetSplash();
    // Called for every message before any other handling: TRUE when the
    // splash took it (a key or mouse press removes the splash and is not
    // passed on).
    static BOOL FilterAppMessage(MSG* pMsg);

    void HideSplash();

    enum { kCloseTimer = 1, kCloseAfterMs = 15000 };

protected:
    BOOL Create(CWnd* pParentWnd);
    virtual void PostNcDestroy();

    CBitmap m_bitmap;
    BOOL m_bOwnerHidden;  // the owner was not shown yet when the window was made
    BOOL m_bRemaking;

    static BOOL c_bShowSplashWnd;
    static CStartupSplashWnd* c_pSplashWnd;

    afx_msg int OnCreate(LPCREATESTRUCT lpCreateStruct);
    afx_msg void OnPaint();
    afx_msg void OnTimer(UINT nIDEvent);
    afx_msg LRESULT OnRemake(WPARAM wParam, LPARAM lParam);
    DECLARE_MESSAGE_MAP()
};

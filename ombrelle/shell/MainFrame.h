// The client's main window: tool bar and status bar, the scanner connection
// for the whole life of the program, and the private messages that drive it.
#pragma once

#include "afxwin.h"
#include "afxext.h"
#include "afxcmn.h"

#include "Lectorix.h"

class CMainFrame : public CMDIFrameWnd {
    DECLARE_DYNAMIC(CMainFrame)
public:
    CMainFrame();
    virtual ~CMainFrame();

    virtual BOOL PreTranslateMessage(MSG* pMsg);

    // Connects the scanner library to this window; 1 when it is ready.
    BOOL InitScanner();
    BOOL CreateToolbar();
    int GetToolbarButtonCount() const;

    int m_nUploadMode;
    TWScanner m_scanner;
    int m_nPollTimer;
    BOOL m_bScannerReady;
    BOOL m_bAutoScanning;
    CToolBar m_wndToolBar;
    CStatusBar m_wndStatusBar;
    BOOL m_bToolTips;
    int m_nColor;

protected:
    CImageList m_imageList;
    CImageList m_hotImageList;
    int m_nButtonCount;

    afx_msg int OnCreate(LPCREATESTRUCT lpCreateStruct);
    afx_msg LRESULT OnCloseActiveWindow(WPARAM wParam, LPARAM lParam);
    afx_msg LRESULT OnAutoScan(WPARAM wParam, LPARAM lParam);
    afx_msg void OnOnlineHelp();
    DECLARE_MESSAGE_MAP()
};

// Repeated flatbed scanning: counts the interval down, asks the main window
// for one scan (WM_USER+1333) and waits for the scanned file (WM_USER+1334)
// before it counts down again.
#pragma once

#include "afxwin.h"

// The dialog asks the main window for one scan; wParam 0 for the first scan
// of a run, 1 afterwards.
const UINT WM_AUTOSCAN_REQUEST = WM_USER + 1333;
// The main window tells the dialog that the scanned file has arrived.
const UINT WM_AUTOSCAN_NEXT = WM_USER + 1334;

class CAutoScanDlg : public CDialog {
public:
    explicit CAutoScanDlg(CWnd* pParent = NULL);

    // A run is going: started and neither stopped nor closed since.
    BOOL IsRunning() const { return m_bRunning; }

    CString m_strInterval;
    CString m_strStatus;
    int m_nInterval;
    int m_nSecondsLeft;
    int m_bLaterScan;

protected:
    virtual void DoDataExchange(CDataExchange* pDX);
    virtual BOOL OnInitDialog();

    BOOL m_bRunning;

    afx_msg void OnStartStop();
    afx_msg void OnTimer(UINT nIDEvent);
    afx_msg LRESULT OnNextScan(WPARAM wParam, LPARAM lParam);
    afx_msg void OnDestroy();
    DECLARE_MESSAGE_MAP()
};

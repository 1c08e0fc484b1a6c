// The client's main window: tool bar and status bar, the scanner connection
// for the whole life of the program, and the private messages that drive it.
#pragma once

#include "afxwin.h"
#include "afxext.h"
#include "afxcmn.h"

#include "AliveFlag.h"
#include "Lectorix.h"
#include "AutoScanDlg.h"
#include "VisualFramework.h"

class CPicThumnailFormView;
class CInputTreeFormView;
class COmbrelleDoc;
class COmbrelleView;

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
    // The thumbnail pane (11) of the active child frame, or NULL.
    CPicThumnailFormView* GetThumbnailView();
    // The folder tree pane (9) of the active child frame, or NULL.
    CInputTreeFormView* GetFolderTreeView();
    // Has the folder tree walk to the folder and the thumbnail pane list it.
    void SelectFolderInTree(LPCTSTR lpszFolder);
    // Scans the thumbnail list's folder again and shows the current picture anew.
    void RefreshThumbnailItem();
    // False once the frame has died: listing a folder lets messages through.
    std::shared_ptr<bool> GetAliveToken() const { return m_alive.GetToken(); }
    // The current document's server log-in (nForce 1: ask the server again);
    // FALSE without a document.
    BOOL EnsureServerLogin(int nForce);
    // The file's size in megabytes; 0 when it cannot be read.
    static double GetFileSizeInMB(LPCTSTR lpszPath);

    // Timer 101 polls the upload tasks every 2000 ms while any is queued.
    static const UINT kPollTimer;
    static const UINT kPollInterval;

    int m_nUploadMode;
    TWScanner m_scanner;
    CAutoScanDlg m_autoScanDlg;
    int m_nPollTimer;
    BOOL m_bScannerReady;
    BOOL m_bAutoScanning;
    CToolBar m_wndToolBar;
    CStatusBar m_wndStatusBar;
    BOOL m_bToolTips;
    int m_nColor;
    // The frame's own panes: none are registered, so look-ups find nothing.
    TVisualFramework m_framework;

protected:
    CImageList m_imageList;
    CImageList m_hotImageList;
    int m_nButtonCount;
    CAliveFlag m_alive;

    afx_msg int OnCreate(LPCREATESTRUCT lpCreateStruct);
    afx_msg void OnDestroy();
    afx_msg LRESULT OnCloseActiveWindow(WPARAM wParam, LPARAM lParam);
    afx_msg LRESULT OnAutoScan(WPARAM wParam, LPARAM lParam);
    // WM_USER+1000: list the folder tree's current folder as thumbnails.
    afx_msg LRESULT OnShowThumbnails(WPARAM wParam, LPARAM lParam);
    // WM_USER+0 from the scanner library: wParam is the path of the file just written.
    afx_msg LRESULT OnScannedFile(WPARAM wParam, LPARAM lParam);
    afx_msg void OnAutoFlatbedScan();
    afx_msg void OnOnlineHelp();
    // Command 32777 "提交入库": the catalogued pictures of the selection.
    afx_msg void SubmitToStore();
    // WM_USER+5 from the metadata form: every selected picture.
    afx_msg LRESULT OnStartUpload(WPARAM wParam, LPARAM lParam);
    afx_msg void OnTimer(UINT nIDEvent);
    // One tick of timer 101: each task's state from the FTP component.
    void UploadPoll();
    // Posts a finished task's record, tells the user, deletes its copies
    // and record and removes it.
    void FinishTask(COmbrelleDoc& doc, int nIndex);
    // Tells the user that a task's files did not arrive and removes it.
    void FailTask(COmbrelleDoc& doc, int nIndex);
    void StartPollAndPrepare(COmbrelleDoc* pDoc, COmbrelleView* pView);
    DECLARE_MESSAGE_MAP()
};

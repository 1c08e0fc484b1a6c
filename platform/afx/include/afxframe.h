// Frame windows: the main or document frame with its menu, accelerators,
// title, control bars and the view it holds; the MDI frame and its
// children; the small tool-window frame.
#pragma once

#include "afxwnd.h"
#include "afxapp.h"
#include "afxmenu.h"
#include "afxcoll.h"
#include "afxres.h"

class CControlBar;
class CView;
class CDocument;
class CDocTemplate;
class CMDIFrameWnd;
class CMDIChildWnd;
class CMDIChildWnd;
struct CCreateContext;

// Frame styles (the high bits of the window style, removed before the
// window is made).
#define FWS_ADDTOTITLE 0x00008000L  // the document's title goes into the caption
#define FWS_PREFIXTITLE 0x00004000L // the document comes first: "document - application"
#define FWS_SNAPTOBARS 0x00002000L

// Styles of a frame made by LoadFrame when none is given.
#define AFX_WS_DEFAULT_VIEW (WS_CHILD | WS_VISIBLE | WS_BORDER)

class AFX_API CFrameWnd : public CWnd {
    DECLARE_DYNCREATE(CFrameWnd)

public:
    static const CRect rectDefault;

    CFrameWnd();
    virtual ~CFrameWnd();

    BOOL Create(LPCTSTR lpszClassName, LPCTSTR lpszWindowName,
                DWORD dwStyle = WS_OVERLAPPEDWINDOW, const RECT& rect = rectDefault,
                CWnd* pParentWnd = NULL, LPCTSTR lpszMenuName = NULL, DWORD dwExStyle = 0,
                CCreateContext* pContext = NULL);
    // Menu, icon, accelerators and title (the first part of the string)
    // all come from the one resource id.
    virtual BOOL LoadFrame(UINT nIDResource,
                           DWORD dwDefaultStyle = WS_OVERLAPPEDWINDOW | FWS_ADDTOTITLE,
                           CWnd* pParentWnd = NULL, CCreateContext* pContext = NULL);
    BOOL LoadAccelTable(LPCTSTR lpszResourceName);
    CWnd* CreateView(CCreateContext* pContext, UINT nID = AFX_IDW_PANE_FIRST);

    // Attributes
    virtual CDocument* GetActiveDocument();
    CView* GetActiveView() const;
    void SetActiveView(CView* pViewNew, BOOL bNotify = TRUE);
    virtual CFrameWnd* GetActiveFrame();
    void SetTitle(LPCTSTR lpszTitle);
    CString GetTitle() const;
    BOOL m_bAutoMenuEnable;  // commands without handlers are disabled in menus

    // Control bars (docking is implemented with the bars).
    CControlBar* GetControlBar(UINT nID);
    void EnableDocking(DWORD dwDockStyle);
    void DockControlBar(CControlBar* pBar, UINT nDockBarID = 0, LPCRECT lpRect = NULL);
    void FloatControlBar(CControlBar* pBar, CPoint point, DWORD dwStyle = 0x2000L /* CBRS_ALIGN_TOP */);
    void ShowControlBar(CControlBar* pBar, BOOL bShow, BOOL bDelay);
    void LoadBarState(LPCTSTR lpszProfileName);
    void SaveBarState(LPCTSTR lpszProfileName) const;
    CPtrList m_listControlBars;

    // Operations
    virtual void RecalcLayout(BOOL bNotify = TRUE);
    virtual void ActivateFrame(int nCmdShow = -1);
    void InitialUpdateFrame(CDocument* pDoc, BOOL bMakeVisible);
    virtual void OnUpdateFrameTitle(BOOL bAddToTitle);
    void UpdateFrameTitleForDocument(LPCTSTR lpszDocName);
    void SetMessageText(LPCTSTR lpszText);
    void SetMessageText(UINT nID);
    virtual void GetMessageString(UINT nID, CString& rMessage) const;
    void OnUpdateControlBarMenu(CCmdUI* pCmdUI);
    BOOL OnBarCheck(UINT nID);

    // Overridables
    virtual BOOL OnCreateClient(LPCREATESTRUCT lpcs, CCreateContext* pContext);
    virtual void OnActivateView(CView*) {}
    virtual HACCEL GetDefaultAccelerator();
    virtual BOOL PreTranslateMessage(MSG* pMsg);
    virtual BOOL OnCmdMsg(UINT nID, int nCode, void* pExtra, AFX_CMDHANDLERINFO* pHandlerInfo);
    virtual BOOL IsFrameWnd() const;
    virtual BOOL PreCreateWindow(CREATESTRUCT& cs);
    virtual void PostNcDestroy();
    virtual void DelayUpdateFrameTitle();
    void DelayRecalcLayout(BOOL bNotify = TRUE);

    HMENU m_hMenuDefault;   // the menu of the resource id (restored when no document menu)
    HACCEL m_hAccelTable;
    UINT m_nIDHelp;         // the resource id given to LoadFrame
    UINT m_nWindow;         // the ":n" of the window of a document, 0 when alone
    UINT m_nIdleFlags;
    enum { idleMenu = 1, idleTitle = 2, idleNotify = 4, idleLayout = 8 };
    BOOL m_bInRecalcLayout;
    CRect m_rectBorder;
    UINT m_nIDTracking;      // the command whose help string is shown
    UINT m_nIDLastMessage;

protected:
    CView* m_pViewActive;
    CString m_strTitle;
    void* m_pDockState;      // kept by the docking code

    LPCTSTR GetIconWndClass(DWORD dwDefaultStyle, UINT nIDResource);
    int OnCreateHelper(LPCREATESTRUCT lpcs, CCreateContext* pContext);
    // The status bar that shows help strings (the top-level frame's).
    virtual CWnd* GetMessageBar();

    afx_msg int OnCreate(LPCREATESTRUCT lpcs);
    afx_msg void OnDestroy();
    afx_msg void OnClose();
    afx_msg void OnSize(UINT nType, int cx, int cy);
    afx_msg BOOL OnEraseBkgnd(CDC* pDC);
    afx_msg void OnInitMenuPopup(CMenu* pPopupMenu, UINT nIndex, BOOL bSysMenu);
    afx_msg void OnMenuSelect(UINT nItemID, UINT nFlags, HMENU hSysMenu);
    afx_msg void OnActivate(UINT nState, CWnd* pWndOther, BOOL bMinimized);
    afx_msg void OnSetFocus(CWnd* pOldWnd);
    afx_msg LRESULT OnSetMessageString(WPARAM wParam, LPARAM lParam);
    afx_msg LRESULT OnIdleUpdateCmdUI(WPARAM wParam, LPARAM lParam);
    afx_msg void OnUpdateKeyIndicator(CCmdUI* pCmdUI);

    DECLARE_MESSAGE_MAP()

    friend class CView;
    friend class CMDIFrameWnd;
    friend class CMDIChildWnd;
};

// ---------------------------------------------------------------------------
// MDI

class AFX_API CMDIFrameWnd : public CFrameWnd {
    DECLARE_DYNCREATE(CMDIFrameWnd)

public:
    CMDIFrameWnd();

    HWND m_hWndMDIClient;

    virtual BOOL LoadFrame(UINT nIDResource,
                           DWORD dwDefaultStyle = WS_OVERLAPPEDWINDOW | FWS_ADDTOTITLE,
                           CWnd* pParentWnd = NULL, CCreateContext* pContext = NULL);
    // Makes the MDI client with the window menu (the popup whose text starts
    // with "窗口"/"Window", else the popup before the last).
    virtual BOOL CreateClient(LPCREATESTRUCT lpCreateStruct, CMenu* pWindowMenu);
    virtual HMENU GetWindowMenuPopup(HMENU hMenuBar);

    void MDIActivate(CWnd* pWndActivate);
    CMDIChildWnd* MDIGetActive(BOOL* pbMaximized = NULL) const;
    void MDIIconArrange();
    void MDIMaximize(CWnd* pWnd);
    void MDINext();
    void MDIRestore(CWnd* pWnd);
    CMenu* MDISetMenu(CMenu* pFrameMenu, CMenu* pWindowMenu);
    void MDITile();
    void MDICascade();
    void MDITile(int nType);
    void MDICascade(int nType);

    virtual BOOL OnCreateClient(LPCREATESTRUCT lpcs, CCreateContext* pContext);
    virtual BOOL OnCmdMsg(UINT nID, int nCode, void* pExtra, AFX_CMDHANDLERINFO* pHandlerInfo);
    virtual BOOL OnCommand(WPARAM wParam, LPARAM lParam);
    virtual void OnUpdateFrameTitle(BOOL bAddToTitle);
    virtual CFrameWnd* GetActiveFrame();
    virtual BOOL PreTranslateMessage(MSG* pMsg);
    virtual LRESULT DefWindowProc(UINT message, WPARAM wParam, LPARAM lParam);
    virtual BOOL PreCreateWindow(CREATESTRUCT& cs);

protected:
    afx_msg void OnSize(UINT nType, int cx, int cy);
    afx_msg void OnDestroy();
    afx_msg BOOL OnMDIWindowCmd(UINT nID);
    afx_msg void OnUpdateMDIWindowCmd(CCmdUI* pCmdUI);
    DECLARE_MESSAGE_MAP()

    friend class CMDIChildWnd;
};

class AFX_API CMDIChildWnd : public CFrameWnd {
    DECLARE_DYNCREATE(CMDIChildWnd)

public:
    CMDIChildWnd();

    virtual BOOL Create(LPCTSTR lpszClassName, LPCTSTR lpszWindowName,
                        DWORD dwStyle = WS_CHILD | WS_VISIBLE | WS_OVERLAPPEDWINDOW,
                        const RECT& rect = rectDefault, CMDIFrameWnd* pParentWnd = NULL,
                        CCreateContext* pContext = NULL);
    virtual BOOL LoadFrame(UINT nIDResource,
                           DWORD dwDefaultStyle = WS_CHILD | WS_VISIBLE | WS_OVERLAPPEDWINDOW |
                                                  FWS_ADDTOTITLE,
                           CWnd* pParentWnd = NULL, CCreateContext* pContext = NULL);

    CMDIFrameWnd* GetMDIFrame();
    void MDIDestroy();
    void MDIActivate();
    void MDIMaximize();
    void MDIRestore();

    HMENU m_hMenuShared;   // the menu shown in the MDI frame while active (the template's)

    virtual BOOL DestroyWindow();
    virtual BOOL PreTranslateMessage(MSG* pMsg);
    virtual void ActivateFrame(int nCmdShow = -1);
    virtual void OnUpdateFrameTitle(BOOL bAddToTitle);
    virtual LRESULT DefWindowProc(UINT message, WPARAM wParam, LPARAM lParam);
    void OnUpdateFrameMenu(BOOL bActive, CWnd* pActivateWnd, HMENU hMenuAlt);

protected:
    afx_msg void OnMDIActivate(BOOL bActivate, CWnd* pActivateWnd, CWnd* pDeactivateWnd);
    afx_msg void OnDestroy();
    afx_msg int OnCreate(LPCREATESTRUCT lpcs);
    DECLARE_MESSAGE_MAP()
};

// ---------------------------------------------------------------------------
// A small frame with a tool-window caption (floating bars, roll-ups).

#define MFS_SYNCACTIVE 0x00000100L
#define MFS_4THICKFRAME 0x00000200L
#define MFS_THICKFRAME 0x00000400L
#define MFS_MOVEFRAME 0x00000800L
#define MFS_BLOCKSYSMENU 0x00001000L

class AFX_API CMiniFrameWnd : public CFrameWnd {
    DECLARE_DYNCREATE(CMiniFrameWnd)

public:
    CMiniFrameWnd();
    virtual ~CMiniFrameWnd();

    // MFS_THICKFRAME asks for a sizable frame; the caption is a tool
    // window's. nID is the child id of a WS_CHILD mini frame.
    BOOL Create(LPCTSTR lpClassName, LPCTSTR lpWindowName, DWORD dwStyle, const RECT& rect,
                CWnd* pParentWnd = NULL, UINT nID = 0);
    BOOL CreateEx(DWORD dwExStyle, LPCTSTR lpClassName, LPCTSTR lpWindowName, DWORD dwStyle,
                  const RECT& rect, CWnd* pParentWnd = NULL, UINT nID = 0);

    virtual BOOL PreCreateWindow(CREATESTRUCT& cs);
};

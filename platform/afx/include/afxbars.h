// Control bars: the bars a frame lays out around its pane (tool bars,
// status bars, dialog bars), the dock bars along the frame's sides that
// hold them, and the small floating frames they float in.
#pragma once

#include "afxwin.h"
#include "afxcmn.h"

#include <commctrl.h>

class CDockBar;
class CToolBar;

// Bar styles (CControlBar::m_dwStyle; never part of the window style).
#define CBRS_ALIGN_LEFT 0x1000L
#define CBRS_ALIGN_TOP 0x2000L
#define CBRS_ALIGN_RIGHT 0x4000L
#define CBRS_ALIGN_BOTTOM 0x8000L
#define CBRS_ALIGN_ANY 0xF000L

#define CBRS_BORDER_LEFT 0x0100L
#define CBRS_BORDER_TOP 0x0200L
#define CBRS_BORDER_RIGHT 0x0400L
#define CBRS_BORDER_BOTTOM 0x0800L
#define CBRS_BORDER_ANY 0x0F00L

#define CBRS_TOOLTIPS 0x0010L
#define CBRS_FLYBY 0x0020L
#define CBRS_FLOAT_MULTI 0x0040L
#define CBRS_BORDER_3D 0x0080L
#define CBRS_HIDE_INPLACE 0x0008L
#define CBRS_SIZE_DYNAMIC 0x0004L
#define CBRS_SIZE_FIXED 0x0002L
#define CBRS_FLOATING 0x0001L
#define CBRS_GRIPPER 0x00400000L

#define CBRS_ORIENT_HORZ (CBRS_ALIGN_TOP | CBRS_ALIGN_BOTTOM)
#define CBRS_ORIENT_VERT (CBRS_ALIGN_LEFT | CBRS_ALIGN_RIGHT)
#define CBRS_ORIENT_ANY (CBRS_ORIENT_HORZ | CBRS_ORIENT_VERT)

#define CBRS_ALL 0x0040FFFFL

#define CBRS_NOALIGN 0x00000000L
#define CBRS_LEFT (CBRS_ALIGN_LEFT | CBRS_BORDER_RIGHT)
#define CBRS_TOP (CBRS_ALIGN_TOP | CBRS_BORDER_BOTTOM)
#define CBRS_RIGHT (CBRS_ALIGN_RIGHT | CBRS_BORDER_LEFT)
#define CBRS_BOTTOM (CBRS_ALIGN_BOTTOM | CBRS_BORDER_TOP)

// Layout modes of CalcDynamicLayout.
#define LM_STRETCH 0x01    // stretch to the frame's width or height
#define LM_HORZ 0x02       // horizontal, else vertical
#define LM_MRUWIDTH 0x04   // the most recently used floating width
#define LM_HORZDOCK 0x08   // docked horizontally
#define LM_VERTDOCK 0x10   // docked vertically
#define LM_LENGTHY 0x20    // nLength is a height, else a width
#define LM_COMMIT 0x40     // remember the size (the MRU width)

// Tool bar button styles: the common control's style in the low word, its
// state in the high word, with the enabled bit inverted (TBBS_DISABLED).
#define TBBS_BUTTON MAKELONG(TBSTYLE_BUTTON, 0)
#define TBBS_SEPARATOR MAKELONG(TBSTYLE_SEP, 0)
#define TBBS_CHECKBOX MAKELONG(TBSTYLE_CHECK, 0)
#define TBBS_GROUP MAKELONG(TBSTYLE_GROUP, 0)
#define TBBS_CHECKGROUP (TBBS_GROUP | TBBS_CHECKBOX)
#define TBBS_DROPDOWN MAKELONG(TBSTYLE_DROPDOWN, 0)
#define TBBS_AUTOSIZE MAKELONG(TBSTYLE_AUTOSIZE, 0)
#define TBBS_NOPREFIX MAKELONG(TBSTYLE_NOPREFIX, 0)
#define TBBS_CHECKED MAKELONG(0, TBSTATE_CHECKED)
#define TBBS_PRESSED MAKELONG(0, TBSTATE_PRESSED)
#define TBBS_DISABLED MAKELONG(0, TBSTATE_ENABLED)
#define TBBS_INDETERMINATE MAKELONG(0, TBSTATE_INDETERMINATE)
#define TBBS_HIDDEN MAKELONG(0, TBSTATE_HIDDEN)
#define TBBS_WRAPPED MAKELONG(0, TBSTATE_WRAP)
#define TBBS_ELLIPSES MAKELONG(0, TBSTATE_ELLIPSES)
#define TBBS_MARKED MAKELONG(0, TBSTATE_MARKED)

// Status bar pane styles.
#define SBPS_NORMAL 0x0000
#define SBPS_NOBORDERS SBT_NOBORDERS
#define SBPS_POPOUT SBT_POPOUT
#define SBPS_OWNERDRAW SBT_OWNERDRAW
#define SBPS_DISABLED 0x04000000
#define SBPS_STRETCH 0x08000000

// Resource type of tool bar descriptions: WORD version (1), WORD width,
// WORD height, WORD count, then count WORD command ids (0 for separators).
#define RT_TOOLBAR MAKEINTRESOURCE(241)

// ---------------------------------------------------------------------------
// The common tool bar control

class AFX_API CToolBarCtrl : public CWnd {
    DECLARE_DYNAMIC(CToolBarCtrl)

public:
    CToolBarCtrl();
    virtual ~CToolBarCtrl();

    // No virtual functions of its own: a CToolBar is used through this
    // class as the control it is (CToolBar::GetToolBarCtrl).
    BOOL Create(DWORD dwStyle, const RECT& rect, CWnd* pParentWnd, UINT nID);

    BOOL IsButtonEnabled(int nID) const;
    BOOL IsButtonChecked(int nID) const;
    BOOL IsButtonPressed(int nID) const;
    BOOL IsButtonHidden(int nID) const;
    BOOL IsButtonIndeterminate(int nID) const;
    BOOL SetState(int nID, UINT nState);
    int GetState(int nID) const;
    BOOL GetButton(int nIndex, LPTBBUTTON lpButton) const;
    int GetButtonCount() const;
    BOOL GetItemRect(int nIndex, LPRECT lpRect) const;
    BOOL GetRect(int nID, LPRECT lpRect) const;
    void SetButtonStructSize(int nSize);
    BOOL SetButtonSize(CSize size);
    BOOL SetBitmapSize(CSize size);
    CSize GetButtonSize() const;
    CToolTipCtrl* GetToolTips() const;
    void SetToolTips(CToolTipCtrl* pTip);
    void SetOwner(CWnd* pWnd);
    void SetRows(int nRows, BOOL bLarger, LPRECT lpRect);
    int GetRows() const;
    BOOL SetCmdID(int nIndex, UINT nID);
    UINT GetBitmapFlags() const;
    DWORD GetStyle() const;
    void SetStyle(DWORD dwStyle);
    DWORD GetExtendedStyle() const;
    DWORD SetExtendedStyle(DWORD dwExStyle);
    CImageList* GetImageList() const;
    CImageList* SetImageList(CImageList* pImageList);
    CImageList* GetHotImageList() const;
    CImageList* SetHotImageList(CImageList* pImageList);
    CImageList* GetDisabledImageList() const;
    CImageList* SetDisabledImageList(CImageList* pImageList);
    BOOL GetButtonInfo(int nID, TBBUTTONINFO* ptbbi) const;
    BOOL SetButtonInfo(int nID, TBBUTTONINFO* ptbbi);
    int GetHotItem() const;
    int SetHotItem(int nHot);
    BOOL SetIndent(int iIndent);
    BOOL SetMaxTextRows(int iMaxRows);

    BOOL EnableButton(int nID, BOOL bEnable = TRUE);
    BOOL CheckButton(int nID, BOOL bCheck = TRUE);
    BOOL PressButton(int nID, BOOL bPress = TRUE);
    BOOL HideButton(int nID, BOOL bHide = TRUE);
    BOOL Indeterminate(int nID, BOOL bIndeterminate = TRUE);
    int AddBitmap(int nNumButtons, UINT nBitmapID);
    int AddBitmap(int nNumButtons, CBitmap* pBitmap);
    BOOL AddButtons(int nNumButtons, LPTBBUTTON lpButtons);
    BOOL InsertButton(int nIndex, LPTBBUTTON lpButton);
    BOOL DeleteButton(int nIndex);
    UINT CommandToIndex(UINT nID) const;
    int AddString(UINT nStringID);
    // Strings separated by '\0', ended by a second '\0'.
    int AddStrings(LPCTSTR lpszStrings);
    void AutoSize();
    int HitTest(LPPOINT ppt) const;
};

// ---------------------------------------------------------------------------
// Control bars

class AFX_API CControlBar : public CWnd {
    DECLARE_DYNAMIC(CControlBar)

protected:
    CControlBar();

public:
    virtual ~CControlBar();

    // Items of the bar (buttons, panes).
    int GetCount() const;

    // CBRS_ styles; the alignment says where the bar sits in its frame.
    DWORD GetBarStyle();
    void SetBarStyle(DWORD dwStyle);
    void SetBorders(int cxLeft = 0, int cyTop = 0, int cxRight = 0, int cyBottom = 0);
    void SetBorders(LPCRECT lpRect);
    CRect GetBorders() const;

    // The sides (CBRS_ALIGN_ bits) the bar may dock to; 0 keeps it where
    // it is.
    void EnableDocking(DWORD dwDockStyle);
    CFrameWnd* GetDockingFrame() const;
    BOOL IsFloating() const;
    virtual BOOL IsDockBar() const;

    // The size the bar needs: along the whole side (bStretch) or just its
    // own, laid out horizontally or vertically.
    virtual CSize CalcFixedLayout(BOOL bStretch, BOOL bHorz);
    virtual CSize CalcDynamicLayout(int nLength, DWORD nMode);

    // Updates the state of the bar's items from the target's update
    // handlers; called at idle time while the bar is visible.
    virtual void OnUpdateCmdUI(CFrameWnd* pTarget, BOOL bDisableIfNoHndler) = 0;

    // Visibility that a layout will apply (ShowControlBar with bDelay).
    virtual void DelayShow(BOOL bShow);
    virtual BOOL IsVisible() const;
    virtual DWORD RecalcDelayShow(AFX_SIZEPARENTPARAMS* lpLayout);

    // The client rectangle less the borders (and the gripper).
    virtual void CalcInsideRect(CRect& rect, BOOL bHorz) const;
    virtual void DoPaint(CDC* pDC);
    void DrawBorders(CDC* pDC, CRect& rect);
    void DrawGripper(CDC* pDC, const CRect& rect);

    // The command id of the item under the point (client coordinates), or
    // -1; fills pTI when given (its uId gets the id).
    virtual INT_PTR OnToolHitTest(CPoint point, TOOLINFO* pTI) const;

    virtual LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam);
    virtual void PostNcDestroy();

    BOOL m_bAutoDelete;  // deleted when its window is gone
    int m_cxLeftBorder, m_cxRightBorder;
    int m_cyTopBorder, m_cyBottomBorder;
    int m_cxDefaultGap;
    UINT m_nMRUWidth;    // floating width of a dynamic bar
    int m_nCount;
    void* m_pData;       // the bar's items, kind by class

    enum StateFlags { delayHide = 1, delayShow = 2, tempHide = 4, statusSet = 8 };
    UINT m_nStateFlags;
    DWORD m_dwStyle;
    DWORD m_dwDockStyle;
    CFrameWnd* m_pDockSite;  // the frame the bar belongs to
    CDockBar* m_pDockBar;    // the dock bar holding it, NULL when not docked

protected:
    UINT m_nFlyByID;  // the command whose prompt the frame shows, 0 when none

    // The frame that gets the bar's commands and prompts.
    CFrameWnd* GetTargetFrame() const;
    void SetFlyBy(UINT nID);

    // The gripper, in screen coordinates (empty when the bar has none).
    CRect GetGripperRect() const;
    // Drags the bar from the point (screen) until the button is released:
    // dropped near a side of its frame it docks there, elsewhere it floats.
    // FALSE when the drag was cancelled.
    BOOL TrackDrag(CPoint ptScreen);
    // The dock bar a bar dropped at the point would dock to, or 0.
    UINT DockBarAtPoint(CPoint ptScreen) const;

    afx_msg int OnCreate(LPCREATESTRUCT lpcs);
    afx_msg void OnDestroy();
    afx_msg void OnPaint();
    afx_msg LRESULT OnSizeParent(WPARAM wParam, LPARAM lParam);
    afx_msg LRESULT OnIdleUpdateCmdUI(WPARAM wParam, LPARAM lParam);
    afx_msg void OnMouseMove(UINT nFlags, CPoint point);
    afx_msg LRESULT OnMouseLeave(WPARAM wParam, LPARAM lParam);
    afx_msg HBRUSH OnCtlColor(CDC* pDC, CWnd* pWnd, UINT nCtlColor);
    afx_msg void OnWindowPosChanging(LPWINDOWPOS lpWndPos);
    afx_msg BOOL OnToolTipText(UINT nID, NMHDR* pNMHDR, LRESULT* pResult);
    afx_msg UINT OnNcHitTest(CPoint point);
    afx_msg void OnNcLButtonDown(UINT nHitTest, CPoint point);
    DECLARE_MESSAGE_MAP()

    friend class CFrameWnd;
    friend class CDockBar;
    friend class CMiniDockFrameWnd;
};

// ---------------------------------------------------------------------------
// Tool bars: a common tool bar control that is a control bar.

class AFX_API CToolBar : public CControlBar {
    DECLARE_DYNAMIC(CToolBar)

public:
    CToolBar();
    virtual ~CToolBar();

    BOOL Create(CWnd* pParentWnd, DWORD dwStyle = WS_CHILD | WS_VISIBLE | CBRS_TOP,
                UINT nID = AFX_IDW_TOOLBAR);
    // dwCtrlStyle: TBSTYLE_ styles of the control (flat, list, wrapable).
    BOOL CreateEx(CWnd* pParentWnd, DWORD dwCtrlStyle = TBSTYLE_FLAT,
                  DWORD dwStyle = WS_CHILD | WS_VISIBLE | CBRS_ALIGN_TOP,
                  CRect rcBorders = CRect(0, 0, 0, 0), UINT nID = AFX_IDW_TOOLBAR);

    // Button and image sizes; the button must be at least 7 by 6 larger.
    void SetSizes(SIZE sizeButton, SIZE sizeImage);
    void SetHeight(int cyHeight);

    // The buttons of a tool bar resource and its bitmap of the same id,
    // both found along the resource chain.
    BOOL LoadToolBar(LPCTSTR lpszResourceName);
    BOOL LoadToolBar(UINT nIDResource);
    // The images side by side; the colour of the top left pixel is
    // transparent. The bitmap's classic greys follow the system colours.
    BOOL LoadBitmap(LPCTSTR lpszResourceName);
    BOOL LoadBitmap(UINT nIDResource);
    BOOL SetBitmap(HBITMAP hbmImageWell);
    // Buttons with these ids (ID_SEPARATOR for separators), each taking
    // the next image; lpIDArray NULL makes nIDCount empty separators.
    BOOL SetButtons(const UINT* lpIDArray, int nIDCount);

    int CommandToIndex(UINT nIDFind) const;
    UINT GetItemID(int nIndex) const;
    virtual void GetItemRect(int nIndex, LPRECT lpRect) const;
    UINT GetButtonStyle(int nIndex) const;
    void SetButtonStyle(int nIndex, UINT nStyle);
    void GetButtonInfo(int nIndex, UINT& nID, UINT& nStyle, int& iImage) const;
    void SetButtonInfo(int nIndex, UINT nID, UINT nStyle, int iImage);
    BOOL SetButtonText(int nIndex, LPCTSTR lpszText);
    CString GetButtonText(int nIndex) const;
    void GetButtonText(int nIndex, CString& rString) const;

    CToolBarCtrl& GetToolBarCtrl() const;

    virtual CSize CalcFixedLayout(BOOL bStretch, BOOL bHorz);
    virtual CSize CalcDynamicLayout(int nLength, DWORD nMode);
    virtual void OnUpdateCmdUI(CFrameWnd* pTarget, BOOL bDisableIfNoHndler);
    virtual INT_PTR OnToolHitTest(CPoint point, TOOLINFO* pTI) const;
    virtual void CalcInsideRect(CRect& rect, BOOL bHorz) const;

    HBITMAP m_hbmImageWell;   // the loaded image well, owned
    HINSTANCE m_hInstImageWell;
    HRSRC m_hRsrcImageWell;

protected:
    CSize m_sizeButton;
    CSize m_sizeImage;
    HIMAGELIST m_hImageList;  // made from the image well, owned
    CSize m_sizeImageList;

    BOOL BuildImageList();
    // Sets or clears the wrap state of the buttons for a layout; returns
    // the size of the buttons laid out that way.
    CSize LayoutButtons(BOOL bHorz, int nWrapWidth);
    CSize SizeOfButtons() const;
    BOOL GetButton(int nIndex, TBBUTTON* pButton) const;
    void SetButton(int nIndex, TBBUTTON* pButton);

    afx_msg void OnNcCalcSize(BOOL bCalcValidRects, NCCALCSIZE_PARAMS* lpncsp);
    afx_msg void OnNcPaint();
    afx_msg BOOL OnEraseBkgnd(CDC* pDC);
    afx_msg void OnPaint();
    afx_msg LRESULT OnSetButtonSize(WPARAM wParam, LPARAM lParam);
    afx_msg LRESULT OnSetBitmapSize(WPARAM wParam, LPARAM lParam);
    DECLARE_MESSAGE_MAP()
};

// ---------------------------------------------------------------------------
// Status bars

#define SBPF_UPDATE 0x0001

// One pane of a status bar.
struct AFX_STATUSPANE {
    UINT nID;        // the indicator's id (its string), ID_SEPARATOR for a free pane
    UINT nStyle;     // SBPS_ styles
    int cxText;      // width of the text
    UINT nFlags;     // SBPF_UPDATE: the control has not got the text yet
    CString strText;
};

class AFX_API CStatusBar : public CControlBar {
    DECLARE_DYNAMIC(CStatusBar)

public:
    CStatusBar();
    virtual ~CStatusBar();

    BOOL Create(CWnd* pParentWnd, DWORD dwStyle = WS_CHILD | WS_VISIBLE | CBRS_BOTTOM,
                UINT nID = AFX_IDW_STATUS_BAR);
    BOOL CreateEx(CWnd* pParentWnd, DWORD dwCtrlStyle = 0,
                  DWORD dwStyle = WS_CHILD | WS_VISIBLE | CBRS_BOTTOM, UINT nID = AFX_IDW_STATUS_BAR);

    // Panes with these ids: ID_SEPARATOR makes a free pane (the first one
    // stretches), any other id a pane showing the id's string, as wide as
    // it. FALSE when a string is missing.
    BOOL SetIndicators(const UINT* lpIDArray, int nIDCount);

    int CommandToIndex(UINT nIDFind) const;
    UINT GetItemID(int nIndex) const;
    void GetItemRect(int nIndex, LPRECT lpRect) const;
    void GetPaneText(int nIndex, CString& rString) const;
    CString GetPaneText(int nIndex) const;
    BOOL SetPaneText(int nIndex, LPCTSTR lpszNewText, BOOL bUpdate = TRUE);
    void GetPaneInfo(int nIndex, UINT& nID, UINT& nStyle, int& cxWidth) const;
    void SetPaneInfo(int nIndex, UINT nID, UINT nStyle, int cxWidth);
    UINT GetPaneStyle(int nIndex) const;
    void SetPaneStyle(int nIndex, UINT nStyle);

    virtual CSize CalcFixedLayout(BOOL bStretch, BOOL bHorz);
    virtual void OnUpdateCmdUI(CFrameWnd* pTarget, BOOL bDisableIfNoHndler);
    virtual INT_PTR OnToolHitTest(CPoint point, TOOLINFO* pTI) const;

protected:
    int m_nMinHeight;
    HFONT m_hFont;

    AFX_STATUSPANE* GetPanePtr(int nIndex) const;
    BOOL AllocElements(int nElements);
    // Gives the control its parts and texts.
    void UpdateAllPanes(BOOL bUpdateRects, BOOL bUpdateText);
    int TextWidth(const CString& strText) const;

    afx_msg void OnSize(UINT nType, int cx, int cy);
    afx_msg BOOL OnEraseBkgnd(CDC* pDC);
    afx_msg void OnPaint();
    afx_msg LRESULT OnSetText(WPARAM wParam, LPARAM lParam);
    afx_msg LRESULT OnGetText(WPARAM wParam, LPARAM lParam);
    afx_msg LRESULT OnGetTextLength(WPARAM wParam, LPARAM lParam);
    afx_msg LRESULT OnSetFont(WPARAM wParam, LPARAM lParam);
    DECLARE_MESSAGE_MAP()
};

// ---------------------------------------------------------------------------
// Dialog bars: a bar made from a dialog template

class AFX_API CDialogBar : public CControlBar {
    DECLARE_DYNAMIC(CDialogBar)

public:
    CDialogBar();
    virtual ~CDialogBar();

    // The template must make an invisible child without a border; nStyle
    // gives the alignment (CBRS_TOP ...) and the window styles.
    BOOL Create(CWnd* pParentWnd, LPCTSTR lpszTemplateName, UINT nStyle, UINT nID);
    BOOL Create(CWnd* pParentWnd, UINT nIDTemplate, UINT nStyle, UINT nID);

    virtual CSize CalcFixedLayout(BOOL bStretch, BOOL bHorz);
    // The controls are enabled and checked by the frame's update handlers;
    // push buttons without a handler are disabled.
    virtual void OnUpdateCmdUI(CFrameWnd* pTarget, BOOL bDisableIfNoHndler);

    CSize m_sizeDefault;  // the template's size

protected:
    afx_msg BOOL OnEraseBkgnd(CDC* pDC);
    DECLARE_MESSAGE_MAP()
};

// ---------------------------------------------------------------------------
// Docking

// A bar along one side of a frame (or in a floating frame) holding the
// docked bars, one row (or column) each, in their order.
class AFX_API CDockBar : public CControlBar {
    DECLARE_DYNAMIC(CDockBar)

public:
    explicit CDockBar(BOOL bFloating = FALSE);
    virtual ~CDockBar();

    BOOL Create(CWnd* pParentWnd, DWORD dwStyle, UINT nID);

    BOOL m_bFloating;  // the dock bar of a floating frame
    CPtrArray m_arrBars;  // the docked bars in order

    // Takes the bar (from wherever it was docked); lpRect (screen) places
    // it before the bars that lie after the rectangle's top left corner.
    void DockControlBar(CControlBar* pBar, LPCRECT lpRect = NULL);
    // Lets the bar go; a floating frame left empty is destroyed.
    BOOL RemoveControlBar(CControlBar* pBar);
    int GetDockedCount() const;
    int GetDockedVisibleCount() const;
    int FindBar(CControlBar* pBar) const;
    void ShowAll(BOOL bShow);

    virtual BOOL IsDockBar() const;
    virtual CSize CalcFixedLayout(BOOL bStretch, BOOL bHorz);
    virtual void OnUpdateCmdUI(CFrameWnd* pTarget, BOOL bDisableIfNoHndler);
    virtual void DoPaint(CDC* pDC);

protected:
    // Puts the docked bars in their places within the dock bar.
    void LayoutBars(const CRect& rectBar);

    afx_msg LRESULT OnSizeParent(WPARAM wParam, LPARAM lParam);
    afx_msg void OnSize(UINT nType, int cx, int cy);
    afx_msg LRESULT OnIdleUpdateCmdUI(WPARAM wParam, LPARAM lParam);
    DECLARE_MESSAGE_MAP()

    friend class CFrameWnd;
    friend class CMiniDockFrameWnd;
};

// The small frame a floating bar lives in; its close button hides the bar.
class AFX_API CMiniDockFrameWnd : public CMiniFrameWnd {
    DECLARE_DYNCREATE(CMiniDockFrameWnd)

public:
    CMiniDockFrameWnd();
    virtual ~CMiniDockFrameWnd();

    // dwBarStyle: the alignment the bar keeps while floating.
    virtual BOOL Create(CWnd* pParent, DWORD dwBarStyle);
    virtual void RecalcLayout(BOOL bNotify = TRUE);

    CDockBar m_wndDockBar;

protected:
    afx_msg void OnClose();
    // Dragging the caption drags the bar: it docks where it is dropped.
    afx_msg void OnNcLButtonDown(UINT nHitTest, CPoint point);
    DECLARE_MESSAGE_MAP()
};

// A child window that shows one of several page windows (views or
// splitters) at a time, with a strip of tabs along its top or bottom edge
// to choose between them.
#pragma once

#include "afxwin.h"
#include "afxext.h"

class CSplitterWnd;

// One tab: its page and the static control that shows its caption.
class CTabEntry {
public:
    CTabEntry();
    CTabEntry(const CTabEntry& other);  // field by field; shares the label
    virtual ~CTabEntry();
    CTabEntry& operator=(const CTabEntry&) = delete;

    CWnd* m_pWnd;          // the page
    CStatic* m_pLabel;     // owned, deleted with the entry
    BOOL m_bPageEnabled;   // whether the page is enabled when it becomes current
    BOOL m_bEnabled;       // a disabled tab cannot be chosen
    BOOL m_bVisible;       // a hidden tab is not drawn and cannot be chosen
    int m_nLeft;           // extent as last painted, client pixels
    int m_nRight;
    HICON m_hIcon;         // not owned

private:
    BOOL m_bOwnsLabel;
};

class TTabWnd : public CWnd {
    DECLARE_DYNCREATE(TTabWnd)

public:
    enum { TABPOS_TOP = 0, TABPOS_BOTTOM = 1 };

    TTabWnd();
    virtual ~TTabWnd();

    // Own virtual operations.
    virtual void ResizeTab(int cx = -1, int cy = -1);
    virtual BOOL AddSplitterTab(LPCTSTR lpszTitle, int nRows, int nCols, CSplitterWnd* pSplitter,
                                UINT nID = AFX_IDW_PANE_FIRST);
    // The new entry, or NULL when the page could not be made.
    virtual CTabEntry* AddViewTab(LPCTSTR lpszTitle, CRuntimeClass* pViewClass, CCreateContext* pContext);
    virtual int HitTest(CPoint point);
    virtual int HitTest(int x, int y);
    virtual BOOL SetActiveTab(int nIndex, BOOL bActivateView = TRUE);
    virtual BOOL CanSwitch(CWnd* pOldPage, CWnd* pNewPage);
    virtual void OnSwitched(CWnd* pOldPage, CWnd* pNewPage);

    virtual BOOL Create(LPCTSTR lpszClassName, LPCTSTR lpszWindowName, DWORD dwStyle, const RECT& rect,
                        CWnd* pParentWnd, UINT nID, CCreateContext* pContext = NULL);

    CWnd* GetTabWnd(int nIndex) const;
    int GetTabIndex(const CWnd* pWnd) const;
    CString GetTabText(int nIndex) const;
    BOOL SetTabText(int nIndex, LPCTSTR lpszText);
    BOOL EnableTab(int nIndex, BOOL bEnable = TRUE);
    BOOL ShowTab(int nIndex, BOOL bShow = TRUE);
    BOOL IsTabEnabled(int nIndex) const;
    BOOL IsTabVisible(int nIndex) const;
    BOOL SetTabPageEnabled(int nIndex, BOOL bEnable);
    BOOL IsTabPageEnabled(int nIndex) const;
    BOOL SetTabIcon(int nIndex, HICON hIcon);
    HICON GetTabIcon(int nIndex) const;
    int GetActiveTab() const { return m_nSelectedTab; }
    int GetTabCount() const { return m_nTabs; }
    CTabEntry* GetTabEntry(int nIndex) const;
    // 0 tabs on top, 1 at the bottom.
    void SetTabPos(int nPos);
    int GetTabPos() const { return m_nTabPos; }
    void SetFont(CFont* pFont);
    // Width of all visible tabs as last painted.
    int GetTabsWidth() const { return m_nTabsWidth; }

protected:
    CBrush m_brushBlack;
    CBrush m_brushFace;
    CPen m_penLight;
    CPen m_penLight2;
    CPen m_penBlack;
    CPen m_penFace;
    CPen m_penShadow;
    CPen m_penShadow2;
    CFont m_font;
    int m_nSelectedTab;
    BOOL m_bInLayout;
    CPtrArray m_tabs;
    int m_nTabs;
    int m_nTabPos;
    int m_nTabsWidth;

    CTabEntry* AddTab(LPCTSTR lpszTitle, CWnd* pPage);
    void InvalidateStrip();
    BOOL IsValidIndex(int nIndex) const { return nIndex >= 0 && nIndex < m_nTabs; }
    void DrawTab(CDC* pDC, CTabEntry* pEntry, int x, int w, BOOL bCurrent, int cx, int cy);
    void ActivatePage(CWnd* pPage, CFrameWnd* pFrame);
    void DeleteTabs();

    afx_msg int OnCreate(LPCREATESTRUCT lpCreateStruct);
    afx_msg void OnDestroy();
    afx_msg void OnSize(UINT nType, int cx, int cy);
    afx_msg void OnPaint();
    afx_msg BOOL OnEraseBkgnd(CDC* pDC);
    afx_msg void OnLButtonUp(UINT nFlags, CPoint point);
    afx_msg LRESULT OnSizeParent(WPARAM wParam, LPARAM lParam);
    DECLARE_MESSAGE_MAP()
};

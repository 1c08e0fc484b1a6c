// The pane in which the operator picks the folder whose pictures the
// thumbnail pane lists: a label and a shell folder tree that opens at the
// folder remembered in the profile.
#pragma once

#include "ShellFolderTree.h"

#include "afxwin.h"

// Loader feedback: a busy cursor animated in the loading item's icon cell.
class CAnimatedFolderTree : public CShellFolderTree {
public:
    CAnimatedFolderTree();
    virtual ~CAnimatedFolderTree();

protected:
    virtual void OnLoaderStart(HTREEITEM hLoadingItem);
    virtual void OnLoaderTick(BOOL bTimerFired, int nTotal, int nCount);
    virtual void OnLoaderStop();

    HCURSOR m_hCursor;
    HBRUSH m_hBackground;
    CRect m_rcCursor;
    int m_nStep;
};

// Loader feedback: besides the cursor, a red progress bar after the
// loading item's text.
class CProgressFolderTree : public CAnimatedFolderTree {
public:
    CProgressFolderTree();
    virtual ~CProgressFolderTree();

    // Width in pixels of the bar's fill for a progress count and total.
    static int FillWidth(int nTotal, int nCount);

protected:
    virtual void OnLoaderStart(HTREEITEM hLoadingItem);
    virtual void OnLoaderTick(BOOL bTimerFired, int nTotal, int nCount);
    virtual void OnLoaderStop();

    CRect m_rcBar;
    CRect m_rcFill;
    HBRUSH m_hBlack;
    HBRUSH m_hRed;
};

class CInputTreeFormView : public CFormView {
    DECLARE_DYNCREATE(CInputTreeFormView)
public:
    CInputTreeFormView();
    virtual ~CInputTreeFormView();

    virtual void OnInitialUpdate();

    CProgressFolderTree m_tree;
    CStatic m_label;

protected:
    virtual void DoDataExchange(CDataExchange* pDX);
    virtual void OnDraw(CDC* pDC);

    afx_msg int OnCreate(LPCREATESTRUCT lpCreateStruct);
    afx_msg void OnSize(UINT nType, int cx, int cy);
    DECLARE_MESSAGE_MAP()
};

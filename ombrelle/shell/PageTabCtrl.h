// A tab control whose tabs are pages of the parent dialog's own child
// windows: a window added to a page stays hidden until its tab is chosen,
// and choosing a tab hides the windows of the page shown before. The rights
// administration dialog calls the two operations AddWindow and SelectPage;
// here they are AddWindowToPage and SetCurSel.
#pragma once

#include "afxcmn.h"

#include <map>
#include <vector>

class CPageTabCtrl : public CTabCtrl {
public:
    CPageTabCtrl();
    virtual ~CPageTabCtrl();

    // 0 when the page has no tab (the window stays as it was); otherwise the
    // window joins the page, hidden, and the result is 1. The windows stay
    // the caller's.
    virtual BOOL AddWindowToPage(CWnd* pWnd, int nPage);
    // Selects the tab and shows its page; the previous selection.
    virtual int SetCurSel(int nPage);

protected:
    // Hides the page shown last, shows the current one, and disables the
    // parent's "修改" and "删除" buttons where it has them.
    void ChangePage();
    void ShowPage(int nPage, int nCmdShow);

    afx_msg int OnCreate(LPCREATESTRUCT lpCreateStruct);
    afx_msg BOOL OnSelChange(NMHDR* pNMHDR, LRESULT* pResult);
    afx_msg void OnEnable(BOOL bEnable);
    afx_msg void OnDestroy();
    DECLARE_MESSAGE_MAP()

private:
    std::map<int, std::vector<CWnd*>> m_pages;
    int m_nLastPage;  // -1: none shown yet
};

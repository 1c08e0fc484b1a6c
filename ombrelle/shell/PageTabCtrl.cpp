#include "PageTabCtrl.h"

namespace {

// The parent dialog's buttons that act on a selected row; a new page has none.
const int kModifyButton = 1010;  // "修改"
const int kDeleteButton = 1008;  // "删除"

}  // namespace

BEGIN_MESSAGE_MAP(CPageTabCtrl, CTabCtrl)
    ON_WM_CREATE()
    ON_NOTIFY_REFLECT_EX(TCN_SELCHANGE, OnSelChange)
    ON_WM_ENABLE()
    ON_WM_DESTROY()
END_MESSAGE_MAP()

CPageTabCtrl::CPageTabCtrl() : m_nLastPage(-1) {}

CPageTabCtrl::~CPageTabCtrl() {}

int CPageTabCtrl::OnCreate(LPCREATESTRUCT lpCreateStruct)
{
    if (CTabCtrl::OnCreate(lpCreateStruct) == -1)
        return -1;
    m_nLastPage = -1;
    return 0;
}

BOOL CPageTabCtrl::AddWindowToPage(CWnd* pWnd, int nPage)
{
    if (pWnd == NULL || nPage < 0 || nPage >= GetItemCount())
        return FALSE;
    m_pages[nPage].push_back(pWnd);
    pWnd->ShowWindow(SW_HIDE);
    return TRUE;
}

int CPageTabCtrl::SetCurSel(int nPage)
{
    const int nPrevious = CTabCtrl::SetCurSel(nPage);
    ChangePage();
    return nPrevious;
}

// FALSE: the parent gets the notification as well.
BOOL CPageTabCtrl::OnSelChange(NMHDR*, LRESULT* pResult)
{
    ChangePage();
    *pResult = 0;
    return FALSE;
}

void CPageTabCtrl::ShowPage(int nPage, int nCmdShow)
{
    auto page = m_pages.find(nPage);
    if (page == m_pages.end())
        return;
    for (CWnd* pWnd : page->second)
        pWnd->ShowWindow(nCmdShow);
}

void CPageTabCtrl::ChangePage()
{
    const int nCurrent = GetCurSel();
    ShowPage(m_nLastPage, SW_HIDE);
    ShowPage(nCurrent, SW_SHOW);
    m_nLastPage = nCurrent;
    CWnd* pParent = GetParent();
    if (pParent == NULL)
        return;
    for (int nButton : {kModifyButton, kDeleteButton}) {
        if (CWnd* pButton = pParent->GetDlgItem(nButton))
            pButton->EnableWindow(FALSE);
    }
}

void CPageTabCtrl::OnEnable(BOOL bEnable)
{
    CTabCtrl::OnEnable(bEnable);
    const int nPages = GetItemCount();
    for (auto& page : m_pages) {
        if (page.first < 0 || page.first >= nPages)
            continue;
        for (CWnd* pWnd : page.second)
            pWnd->EnableWindow(bEnable);
    }
}

void CPageTabCtrl::OnDestroy()
{
    CTabCtrl::OnDestroy();
    m_pages.clear();  // the windows are the dialog's
}

#include "AsyncTreeCtrl.h"

#include <mmsystem.h>
#include <process.h>

IMPLEMENT_DYNAMIC(CAsyncTreeCtrl, CTreeCtrl)

BEGIN_MESSAGE_MAP(CAsyncTreeCtrl, CTreeCtrl)
    ON_NOTIFY_REFLECT(TVN_ITEMEXPANDING, OnItemExpanding)
    ON_NOTIFY_REFLECT(TVN_ITEMEXPANDED, OnItemExpanded)
    ON_WM_DESTROY()
END_MESSAGE_MAP()

namespace {

const UINT kTimerResolution = 5;
// The action part of a notice's action (collapse, expand or toggle).
const UINT kActionMask = 0x0003;

}  // namespace

CAsyncTreeCtrl::CAsyncTreeCtrl()
    : m_hThread(NULL), m_hTimerEvent(NULL), m_hRequestEvent(NULL), m_bStop(0), m_nTimerId(0), m_nTimerPeriod(0),
      m_strLoadingText("Loading..."), m_hLoadingIcon(NULL), m_bAnimate(FALSE), m_nProgressCount(0),
      m_nProgressTotal(0), m_hLoadingItem(NULL), m_hFillItem(NULL)
{
}

// A loader still running would call the hooks of an object that is going
// away and draw into a window that is gone: it is stopped first.
CAsyncTreeCtrl::~CAsyncTreeCtrl()
{
    StopLoader();
}

void CAsyncTreeCtrl::OnDestroy()
{
    StopLoader();
    CTreeCtrl::OnDestroy();
}

void CAsyncTreeCtrl::SetTimerPeriod(UINT nMilliseconds)
{
    m_nTimerPeriod = nMilliseconds;
}

void CAsyncTreeCtrl::SetLoadingText(LPCTSTR lpszText, HICON hIcon)
{
    m_strLoadingText = lpszText;
    m_hLoadingIcon = hIcon;
}

void CAsyncTreeCtrl::SetProgress(int nTotal, int nCount)
{
    m_nProgressTotal = nTotal;
    m_nProgressCount = nCount;
    if (m_hRequestEvent != NULL)
        ::SetEvent(m_hRequestEvent);
}

void CAsyncTreeCtrl::SetProgressCount(int nCount)
{
    m_nProgressCount = nCount;
    if (m_hRequestEvent != NULL)
        ::SetEvent(m_hRequestEvent);
}

void CAsyncTreeCtrl::AddProgress(int n)
{
    m_nProgressCount += n;
    if (m_hRequestEvent != NULL)
        ::SetEvent(m_hRequestEvent);
}

void CAsyncTreeCtrl::OnLoaderStart(HTREEITEM) {}

void CAsyncTreeCtrl::OnLoaderTick(BOOL, int, int) {}

void CAsyncTreeCtrl::OnLoaderStop() {}

BOOL CAsyncTreeCtrl::ShouldReload(HTREEITEM)
{
    return FALSE;
}

BOOL CAsyncTreeCtrl::PopulateItem(HTREEITEM)
{
    return 0;
}

BOOL CAsyncTreeCtrl::StartLoader()
{
    if (m_hThread != NULL)
        return TRUE;
    OnLoaderStart(m_hLoadingItem);
    m_bStop = 0;
    // Both start signalled, so the first wait ends at once with a timer tick.
    m_hTimerEvent = ::CreateEventA(NULL, FALSE, TRUE, NULL);
    m_hRequestEvent = ::CreateEventA(NULL, FALSE, TRUE, NULL);
    if (m_hTimerEvent != NULL && m_hRequestEvent != NULL)
        m_hThread = reinterpret_cast<HANDLE>(_beginthreadex(NULL, 0, LoaderThreadProc, this, 0, NULL));
    if (m_hThread == NULL) {
        if (m_hTimerEvent != NULL)
            ::CloseHandle(m_hTimerEvent);
        if (m_hRequestEvent != NULL)
            ::CloseHandle(m_hRequestEvent);
        m_hTimerEvent = m_hRequestEvent = NULL;
        OnLoaderStop();
        return FALSE;
    }
    if (m_nTimerPeriod != 0)
        m_nTimerId = ::timeSetEvent(m_nTimerPeriod, kTimerResolution, reinterpret_cast<LPTIMECALLBACK>(m_hTimerEvent),
                                    0, TIME_PERIODIC | TIME_CALLBACK_EVENT_SET);
    return TRUE;
}

unsigned __stdcall CAsyncTreeCtrl::LoaderThreadProc(void* pParam)
{
    CAsyncTreeCtrl* pTree = static_cast<CAsyncTreeCtrl*>(pParam);
    HANDLE events[2] = {pTree->m_hTimerEvent, pTree->m_hRequestEvent};
    while (!pTree->m_bStop) {
        DWORD dwWait = ::WaitForMultipleObjects(2, events, FALSE, INFINITE);
        if (pTree->m_bStop || (dwWait != WAIT_OBJECT_0 && dwWait != WAIT_OBJECT_0 + 1))
            break;
        pTree->OnLoaderTick(dwWait == WAIT_OBJECT_0, pTree->m_nProgressTotal, pTree->m_nProgressCount);
    }
    return 0;
}

void CAsyncTreeCtrl::StopLoader()
{
    if (m_hThread == NULL)
        return;
    if (m_nTimerId != 0)
        ::timeKillEvent(m_nTimerId);
    m_nTimerId = 0;
    // The flag before the signal: the thread tests it after every wait.
    ::InterlockedExchange(&m_bStop, 1);
    ::SetEvent(m_hRequestEvent);
    ::WaitForSingleObject(m_hThread, INFINITE);
    ::CloseHandle(m_hTimerEvent);
    ::CloseHandle(m_hRequestEvent);
    ::CloseHandle(m_hThread);
    m_hTimerEvent = m_hRequestEvent = m_hThread = NULL;
    OnLoaderStop();
}

namespace {
HTREEITEM FirstChild(const CTreeCtrl& tree, HTREEITEM hItem)
{
    return hItem == TVI_ROOT ? tree.GetRootItem() : tree.GetChildItem(hItem);
}
}  // namespace

void CAsyncTreeCtrl::DeleteChildren(HTREEITEM hItem)
{
    HTREEITEM hChild = FirstChild(*this, hItem);
    while (hChild != NULL) {
        HTREEITEM hNext = GetNextSiblingItem(hChild);
        DeleteItem(hChild);
        hChild = hNext;
    }
}

void CAsyncTreeCtrl::BeginItemLoad(HTREEITEM hItem)
{
    if (FirstChild(*this, hItem) != NULL) {
        if (!ShouldReload(hItem)) {
            m_hFillItem = NULL;
            return;
        }
        DeleteChildren(hItem);
    }
    m_hFillItem = hItem;
    UpdateWindow();
    SetRedraw(FALSE);
    m_hLoadingItem = InsertItem(TVIF_TEXT, m_strLoadingText, 0, 0, 0, 0, 0, hItem, TVI_LAST);
    m_nProgressTotal = 1;
    m_nProgressCount = 0;
}

void CAsyncTreeCtrl::EndItemLoad(HTREEITEM hItem)
{
    if (m_hFillItem == NULL)
        return;
    if (m_bAnimate) {
        SetRedraw(TRUE);
        EnsureVisible(m_hLoadingItem);
        UpdateWindow();
        DrawLoadingIcon();
    }
    SetRedraw(FALSE);
    TVITEM indicator = {};
    indicator.mask = TVIF_CHILDREN;
    indicator.hItem = hItem;
    if (hItem != TVI_ROOT)
        GetItem(&indicator);
    // Deleting an item's last child takes its button away (seen under
    // Wine); an item that is to keep its indicator gets it back below.
    DeleteItem(m_hLoadingItem);
    m_hLoadingItem = NULL;
    BOOL bUpdateIndicator = PopulateItem(hItem);
    if (hItem != TVI_ROOT) {
        BOOL bHasChild = GetChildItem(hItem) != NULL;
        if (bUpdateIndicator)
            indicator.cChildren = bHasChild ? 1 : 0;
        else if (!bHasChild)
            SetItemState(hItem, 0, TVIS_EXPANDED);
        SetItem(&indicator);
    }
    SetRedraw(TRUE);
}

void CAsyncTreeCtrl::DrawLoadingIcon()
{
    CRect rcIcon;
    if (m_hLoadingItem == NULL || !GetItemIconRect(m_hLoadingItem, &rcIcon))
        return;
    HDC hDC = ::GetDC(m_hWnd);
    if (hDC == NULL)
        return;
    HBRUSH hBrush = ::CreateSolidBrush(GetBackgroundColor());
    if (m_hLoadingIcon != NULL)
        ::DrawIconEx(hDC, rcIcon.left, rcIcon.top, m_hLoadingIcon, rcIcon.Width(), rcIcon.Height(), 0, hBrush, DI_NORMAL);
    else
        ::FillRect(hDC, &rcIcon, hBrush);
    ::DeleteObject(hBrush);
    ::ReleaseDC(m_hWnd, hDC);
}

// The window colour unless the tree was given one of its own.
COLORREF CAsyncTreeCtrl::GetBackgroundColor() const
{
    COLORREF cr = (COLORREF)::SendMessage(m_hWnd, TVM_GETBKCOLOR, 0, 0);
    return cr == (COLORREF)-1 ? ::GetSysColor(COLOR_WINDOW) : cr;
}

BOOL CAsyncTreeCtrl::GetItemIconRect(HTREEITEM hItem, LPRECT lpRect)
{
    if (GetImageList(TVSIL_NORMAL) == NULL)
        return FALSE;
    CRect rcText;
    if (!GetItemRect(hItem, &rcText, TRUE))
        return FALSE;
    int cxIcon = ::GetSystemMetrics(SM_CXSMICON);
    int cyIcon = ::GetSystemMetrics(SM_CYSMICON);
    int left = rcText.left - (cxIcon + 3);
    int top = rcText.top + (rcText.Height() - cyIcon) / 2;
    ::SetRect(lpRect, left, top, left + cxIcon, top + cyIcon);
    return TRUE;
}

void CAsyncTreeCtrl::RefreshItem(HTREEITEM hItem)
{
    if (hItem == TVI_ROOT || hItem == NULL) {
        SetRedraw(FALSE);
        DeleteChildren(TVI_ROOT);
        RefreshRoot();
        SetRedraw(TRUE);
        return;
    }
    if (!ItemHasChildren(hItem))
        return;
    SetRedraw(FALSE);
    DeleteChildren(hItem);
    BeginItemLoad(hItem);
    EndItemLoad(hItem);
    SetRedraw(TRUE);
}

void CAsyncTreeCtrl::RefreshRoot()
{
    BeginItemLoad(TVI_ROOT);
    EndItemLoad(TVI_ROOT);
    SetRedraw(FALSE);
    SCROLLINFO si = {};
    si.cbSize = sizeof(si);
    si.fMask = SIF_ALL;
    BOOL bHadScroll = ::GetScrollInfo(m_hWnd, SB_HORZ, &si);
    HTREEITEM hFirst = GetRootItem();
    if (hFirst != NULL)
        EnsureVisible(hFirst);
    if (bHadScroll)
        ::SetScrollInfo(m_hWnd, SB_HORZ, &si, FALSE);
    SetRedraw(TRUE);
}

void CAsyncTreeCtrl::OnItemExpanding(NMHDR* pNMHDR, LRESULT* pResult)
{
    NMTREEVIEW* pNMTreeView = reinterpret_cast<NMTREEVIEW*>(pNMHDR);
    if ((pNMTreeView->action & kActionMask) == TVE_EXPAND)
        BeginItemLoad(pNMTreeView->itemNew.hItem);
    *pResult = 0;
}

void CAsyncTreeCtrl::OnItemExpanded(NMHDR* pNMHDR, LRESULT* pResult)
{
    NMTREEVIEW* pNMTreeView = reinterpret_cast<NMTREEVIEW*>(pNMHDR);
    if ((pNMTreeView->action & kActionMask) == TVE_EXPAND)
        EndItemLoad(pNMTreeView->itemNew.hItem);
    *pResult = 0;
}

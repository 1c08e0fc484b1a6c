// A tree control that fills an item's children when the item is opened,
// showing a "Loading..." child meanwhile. It can also run a loader thread
// whose only work is visual feedback: the thread wakes on a periodic
// multimedia timer and on progress notices and calls the loader hooks;
// every change of the tree itself stays on the GUI thread.
#pragma once

#include "afxwin.h"
#include "afxcmn.h"

class CAsyncTreeCtrl : public CTreeCtrl {
    DECLARE_DYNAMIC(CAsyncTreeCtrl)
public:
    CAsyncTreeCtrl();
    virtual ~CAsyncTreeCtrl();

    // Period of the loader's animation timer; 0 starts no timer.
    void SetTimerPeriod(UINT nMilliseconds);
    void SetLoadingText(LPCTSTR lpszText, HICON hIcon);

    // Progress of the running fill, read by the loader thread. Without a
    // running loader the values are only stored.
    void SetProgress(int nTotal, int nCount);
    void SetProgressCount(int nCount);
    void AddProgress(int n);

    BOOL StartLoader();
    // Ends a running loader and waits for its thread; does nothing when
    // no loader runs.
    void StopLoader();
    BOOL IsLoaderRunning() const { return m_hThread != NULL; }

    // Empties and refills one item, or the whole tree for TVI_ROOT.
    void RefreshItem(HTREEITEM hItem);
    void DeleteChildren(HTREEITEM hItem);
    // The small-icon cell in front of an item's text.
    BOOL GetItemIconRect(HTREEITEM hItem, LPRECT lpRect);

protected:
    // Loader hooks: OnLoaderStart runs on the thread that starts the
    // loader, the other two on the loader thread (OnLoaderStop on the one
    // that stops it). They must not send messages to the tree.
    virtual void OnLoaderStart(HTREEITEM hLoadingItem);
    virtual void OnLoaderTick(BOOL bTimerFired, int nTotal, int nCount);
    virtual void OnLoaderStop();
    // Whether an item that already has children is emptied and filled
    // again when opened.
    virtual BOOL ShouldReload(HTREEITEM hItem);
    // Inserts the item's children (the top level for TVI_ROOT); nonzero
    // when the item's child indicator is to follow what was inserted.
    virtual BOOL PopulateItem(HTREEITEM hItem);

    void BeginItemLoad(HTREEITEM hItem);
    void EndItemLoad(HTREEITEM hItem);
    void RefreshRoot();
    void DrawLoadingIcon();
    COLORREF GetBackgroundColor() const;
    static unsigned __stdcall LoaderThreadProc(void* pParam);

    HANDLE m_hThread;
    HANDLE m_hTimerEvent;
    HANDLE m_hRequestEvent;
    volatile LONG m_bStop;
    UINT m_nTimerId;
    UINT m_nTimerPeriod;
    CString m_strLoadingText;
    HICON m_hLoadingIcon;
    BOOL m_bAnimate;
    volatile LONG m_nProgressCount;
    volatile LONG m_nProgressTotal;
    HTREEITEM m_hLoadingItem;
    HTREEITEM m_hFillItem;

    afx_msg void OnItemExpanding(NMHDR* pNMHDR, LRESULT* pResult);
    afx_msg void OnItemExpanded(NMHDR* pNMHDR, LRESULT* pResult);
    afx_msg void OnDestroy();
    DECLARE_MESSAGE_MAP()
};

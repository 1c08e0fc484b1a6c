#include "StartupSplashWnd.h"

#include "resource.h"

namespace {

// Posted to itself when made over a hidden owner: handled once the message
// loop runs, after start-up has shown the main window.
const UINT WM_SPLASH_REMAKE = WM_USER + 1;

}  // namespace

BOOL CStartupSplashWnd::c_bShowSplashWnd = FALSE;
CStartupSplashWnd* CStartupSplashWnd::c_pSplashWnd = NULL;

BEGIN_MESSAGE_MAP(CStartupSplashWnd, CWnd)
    ON_WM_CREATE()
    ON_WM_PAINT()
    ON_WM_TIMER()
    ON_MESSAGE(WM_SPLASH_REMAKE, OnRemake)
END_MESSAGE_MAP()

CStartupSplashWnd::CStartupSplashWnd() : m_bOwnerHidden(FALSE), m_bRemaking(FALSE) {}

CStartupSplashWnd::~CStartupSplashWnd()
{
    if (c_pSplashWnd == this)
        c_pSplashWnd = NULL;
}

void CStartupSplashWnd::EnableSplash(BOOL bEnable) { c_bShowSplashWnd = bEnable; }

BOOL CStartupSplashWnd::IsSplashEnabled() { return c_bShowSplashWnd; }

CStartupSplashWnd* CStartupSplashWnd::GetSplash() { return c_pSplashWnd; }

void CStartupSplashWnd::ShowSplash(CWnd* pFrame)
{
    if (!c_bShowSplashWnd || c_pSplashWnd != NULL)
        return;
    CStartupSplashWnd* pSplash = new CStartupSplashWnd;
    c_pSplashWnd = pSplash;
    if (!pSplash->m_bitmap.LoadBitmap(IDB_SPLASH)) {
        delete pSplash;  // clears the pointer
        return;
    }
    // A window that could not be made has deleted its object already.
    if (pSplash->Create(pFrame))
        pSplash->UpdateWindow();
}

BOOL CStartupSplashWnd::FilterAppMessage(MSG* pMsg)
{
    if (c_pSplashWnd == NULL || c_pSplashWnd->m_hWnd == NULL)
        return FALSE;
    switch (pMsg->message) {
    case WM_KEYDOWN:
    case WM_SYSKEYDOWN:
    case WM_LBUTTONDOWN:
    case WM_RBUTTONDOWN:
    case WM_MBUTTONDOWN:
    case WM_NCLBUTTONDOWN:
    case WM_NCRBUTTONDOWN:
    case WM_NCMBUTTONDOWN: {
        c_pSplashWnd->HideSplash();
        CWnd* pMainWnd = AfxGetMainWnd();
        if (pMainWnd != NULL && pMainWnd->m_hWnd != NULL)
            pMainWnd->SetFocus();
        return TRUE;
    }
    default:
        return FALSE;
    }
}

BOOL CStartupSplashWnd::Create(CWnd* pParentWnd)
{
    CWaitCursor wait;
    BITMAP bm;
    m_bitmap.GetBitmap(&bm);
    LPCTSTR lpszClass = AfxRegisterWndClass(0, ::LoadCursorA(NULL, IDC_ARROW));
    // Owned by the frame's top-level window (a child window cannot own
    // one): it stays above it and goes with it.
    CWnd* pOwner = pParentWnd != NULL ? pParentWnd->GetTopLevelParent() : NULL;
    m_bOwnerHidden = pOwner != NULL && !pOwner->IsWindowVisible();
    return CreateEx(0, lpszClass, NULL, WS_POPUP | WS_VISIBLE, 0, 0, bm.bmWidth, bm.bmHeight, pOwner->GetSafeHwnd(),
                    NULL);
}

void CStartupSplashWnd::HideSplash()
{
    DestroyWindow();
    CWnd* pMainWnd = AfxGetMainWnd();
    if (pMainWnd != NULL && pMainWnd->m_hWnd != NULL)
        pMainWnd->UpdateWindow();
}

void CStartupSplashWnd::PostNcDestroy()
{
    if (!m_bRemaking)
        delete this;
}

int CStartupSplashWnd::OnCreate(LPCREATESTRUCT lpCreateStruct)
{
    if (CWnd::OnCreate(lpCreateStruct) == -1)
        return -1;
    CenterWindow();
    SetTimer(kCloseTimer, kCloseAfterMs, NULL);
    if (m_bOwnerHidden)
        PostMessage(WM_SPLASH_REMAKE);
    return 0;
}

LRESULT CStartupSplashWnd::OnRemake(WPARAM, LPARAM)
{
    // Wine (with unmanaged windows) keeps the main window above a splash
    // that was made while the main window was hidden; made again once the
    // main window shows, the splash comes on top. Windows keeps an owned
    // window above its owner either way.
    CWnd* pOwner = CWnd::FromHandle(::GetWindow(m_hWnd, GW_OWNER));
    if (pOwner == NULL || !pOwner->IsWindowVisible())
        return 0;
    m_bRemaking = TRUE;
    DestroyWindow();
    m_bRemaking = FALSE;
    if (Create(pOwner))
        UpdateWindow();
    return 0;
}

void CStartupSplashWnd::OnPaint()
{
    CPaintDC dc(this);
    CDC dcImage;
    if (!dcImage.CreateCompatibleDC(&dc))
        return;
    BITMAP bm;
    m_bitmap.GetBitmap(&bm);
    CBitmap* pOldBitmap = dcImage.SelectObject(&m_bitmap);
    dc.BitBlt(0, 0, bm.bmWidth, bm.bmHeight, &dcImage, 0, 0, SRCCOPY);
    dcImage.SelectObject(pOldBitmap);
}

void CStartupSplashWnd::OnTimer(UINT) { HideSplash(); }

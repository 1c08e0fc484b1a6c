#include "InputTreeFormView.h"

#include "General.h"
#include "resource.h"

#include <cmath>

namespace {
const char kSection[] = "PicSkipBar";
const char kPathKey[] = "Path";
const int kCursorFrames = 10;
const UINT kAnimationPeriod = 125;
}  // namespace

// ---------------------------------------------------------------------------
// CAnimatedFolderTree

CAnimatedFolderTree::CAnimatedFolderTree() : m_hCursor(NULL), m_hBackground(NULL), m_nStep(0)
{
    LPCSTR lpszCursor = MAKEINTRESOURCE(IDC_BUSY_CURSOR);
    HINSTANCE hInst = AfxFindResourceHandle(lpszCursor, RT_ANICURSOR);
    m_hCursor = static_cast<HCURSOR>(::LoadImageA(hInst, lpszCursor, IMAGE_CURSOR, 0, 0, 0));
    SetTimerPeriod(kAnimationPeriod);
    m_bAnimate = TRUE;
}

// The loader is stopped while this layer's hooks and cursor still exist.
CAnimatedFolderTree::~CAnimatedFolderTree()
{
    StopLoader();
    if (m_hCursor != NULL)
        ::DestroyCursor(m_hCursor);
}

void CAnimatedFolderTree::OnLoaderStart(HTREEITEM hLoadingItem)
{
    m_nStep = 0;
    if (hLoadingItem == NULL || !GetItemIconRect(hLoadingItem, &m_rcCursor))
        m_rcCursor.SetRectEmpty();
    m_hBackground = ::CreateSolidBrush(GetBackgroundColor());
}

void CAnimatedFolderTree::OnLoaderTick(BOOL bTimerFired, int, int)
{
    if (!bTimerFired)
        return;
    m_nStep = (m_nStep + 1) % kCursorFrames;
    HDC hDC = ::GetDC(m_hWnd);
    if (hDC == NULL)
        return;
    if (m_hCursor != NULL)
        ::DrawIconEx(hDC, m_rcCursor.left, m_rcCursor.top, m_hCursor, m_rcCursor.Width(), m_rcCursor.Height(),
                     (UINT)m_nStep, m_hBackground, DI_NORMAL);
    ::ReleaseDC(m_hWnd, hDC);
}

void CAnimatedFolderTree::OnLoaderStop()
{
    if (m_hBackground != NULL)
        ::DeleteObject(m_hBackground);
    m_hBackground = NULL;
}

// ---------------------------------------------------------------------------
// CProgressFolderTree

CProgressFolderTree::CProgressFolderTree() : m_hBlack(NULL), m_hRed(NULL)
{
    m_bAnimate = TRUE;
}

CProgressFolderTree::~CProgressFolderTree()
{
    StopLoader();
}

int CProgressFolderTree::FillWidth(int nTotal, int nCount)
{
    if (nTotal >= 1)
        return nCount * 50 / nTotal;
    // Without a total the bar creeps towards its full 50 pixels.
    double c = nCount;
    return (int)(50.0 * (1.0 + 0.2 * c - 0.5 * std::log(std::exp(0.4 * c) + std::exp(2.0) - 1.0)));
}

void CProgressFolderTree::OnLoaderStart(HTREEITEM hLoadingItem)
{
    CAnimatedFolderTree::OnLoaderStart(hLoadingItem);
    CRect rc;
    if (hLoadingItem == NULL || !GetItemRect(hLoadingItem, &rc, TRUE))
        rc.SetRectEmpty();
    int nShrink = (rc.Height() - 16) / 2;
    if (nShrink < 0)
        nShrink = 0;
    rc.DeflateRect(0, nShrink);
    rc.OffsetRect(rc.Width() + 3, 0);
    m_rcBar = rc;
    m_rcBar.right = m_rcBar.left + 56;
    m_rcFill = rc;
    m_rcFill.DeflateRect(3, 3);
    m_rcFill.right = m_rcFill.left;
    m_hBlack = ::CreateSolidBrush(RGB(0, 0, 0));
    m_hRed = ::CreateSolidBrush(RGB(255, 0, 0));
}

void CProgressFolderTree::OnLoaderTick(BOOL bTimerFired, int nTotal, int nCount)
{
    if (bTimerFired) {
        CAnimatedFolderTree::OnLoaderTick(bTimerFired, nTotal, nCount);
        return;
    }
    HDC hDC = ::GetDC(m_hWnd);
    if (hDC == NULL)
        return;
    ::FrameRect(hDC, &m_rcBar, m_hBlack);
    m_rcFill.right = m_rcFill.left + FillWidth(nTotal, nCount);
    ::FillRect(hDC, &m_rcFill, m_hRed);
    ::ReleaseDC(m_hWnd, hDC);
}

void CProgressFolderTree::OnLoaderStop()
{
    CAnimatedFolderTree::OnLoaderStop();
    if (m_hBlack != NULL)
        ::DeleteObject(m_hBlack);
    if (m_hRed != NULL)
        ::DeleteObject(m_hRed);
    m_hBlack = m_hRed = NULL;
}

// ---------------------------------------------------------------------------
// CInputTreeFormView

IMPLEMENT_DYNCREATE(CInputTreeFormView, CFormView)

BEGIN_MESSAGE_MAP(CInputTreeFormView, CFormView)
    ON_WM_CREATE()
    ON_WM_SIZE()
END_MESSAGE_MAP()

CInputTreeFormView::CInputTreeFormView() : CFormView(IDD_INPUT_TREE_FORM) {}

CInputTreeFormView::~CInputTreeFormView() {}

void CInputTreeFormView::DoDataExchange(CDataExchange* pDX)
{
    CFormView::DoDataExchange(pDX);
    DDX_Control(pDX, IDC_FOLDER_TREE, m_tree);
    DDX_Control(pDX, IDC_FOLDER_LABEL, m_label);
}

void CInputTreeFormView::OnDraw(CDC*) {}

int CInputTreeFormView::OnCreate(LPCREATESTRUCT lpCreateStruct)
{
    if (CFormView::OnCreate(lpCreateStruct) == -1)
        return -1;
    return 0;
}

void CInputTreeFormView::OnInitialUpdate()
{
    CFormView::OnInitialUpdate();

    CString path = AfxGetApp()->GetProfileString(kSection, kPathKey, GenGetProgramFolder());
    BOOL bRemembered = FALSE;
    if (!path.IsEmpty()) {
        WIN32_FIND_DATAA data;
        HANDLE hFind = ::FindFirstFileA(path + "\\*.*", &data);
        if (hFind != INVALID_HANDLE_VALUE) {
            ::FindClose(hFind);
            m_tree.SetSelectPath(path);
            bRemembered = TRUE;
        }
    }
    m_tree.SetRoot(NULL, 0);
    // Selecting lists the folder, which lets messages through: the window
    // may close meanwhile.
    std::shared_ptr<bool> spAlive = m_tree.GetAliveToken();
    m_tree.SelectItem(m_tree.GetSelectItem());
    if (bRemembered && *spAlive)
        m_tree.SetCurrentPath(path);
}

void CInputTreeFormView::OnSize(UINT nType, int cx, int cy)
{
    CFormView::OnSize(nType, cx, cy);
    if (m_tree.GetSafeHwnd() == NULL || m_label.GetSafeHwnd() == NULL)
        return;
    CRect rc;
    GetClientRect(&rc);
    rc.DeflateRect(5, 5);
    rc.top += 5;
    CRect rcLabel;
    m_label.GetWindowRect(&rcLabel);
    m_label.MoveWindow(rc.left, rc.top, rcLabel.Width(), rcLabel.Height());
    int nTreeTop = rc.top + rcLabel.Height() + 5;
    m_tree.MoveWindow(rc.left, nTreeTop, rc.Width(), rc.bottom - nTreeTop);
}

// Tool bars: a common tool bar control that is also a control bar, with
// its buttons and images from a tool bar resource, button states updated at
// idle time and its own layout when docked or floating.
#include "afxext.h"

#include "CommonControls.h"

IMPLEMENT_DYNAMIC(CToolBar, CControlBar)

namespace {

// Replaces the classic greys, black and white of a bitmap's colour table
// with the system colours, so that the images follow the user's scheme.
HBITMAP LoadSysColorBitmap(HINSTANCE hInst, HRSRC hRsrc)
{
    HGLOBAL hGlobal = ::LoadResource(hInst, hRsrc);
    const BITMAPINFOHEADER* pHeader =
        hGlobal != nullptr ? static_cast<const BITMAPINFOHEADER*>(::LockResource(hGlobal)) : nullptr;
    if (pHeader == nullptr || pHeader->biSize < sizeof(BITMAPINFOHEADER))
        return nullptr;

    int nColors = 0;
    if (pHeader->biBitCount <= 8)
        nColors = pHeader->biClrUsed != 0 ? (int)pHeader->biClrUsed : 1 << pHeader->biBitCount;
    else if (pHeader->biCompression == BI_BITFIELDS)
        nColors = 3;  // the colour masks
    size_t nInfoSize = pHeader->biSize + nColors * sizeof(RGBQUAD);
    BYTE* pInfo = new BYTE[nInfoSize];
    memcpy(pInfo, pHeader, nInfoSize);

    if (pHeader->biBitCount <= 8) {
        static const struct {
            COLORREF rgbFrom;
            int nSysColor;
        } kMap[] = {
            {RGB(0x00, 0x00, 0x00), COLOR_BTNTEXT},
            {RGB(0x80, 0x80, 0x80), COLOR_BTNSHADOW},
            {RGB(0xC0, 0xC0, 0xC0), COLOR_BTNFACE},
            {RGB(0xFF, 0xFF, 0xFF), COLOR_BTNHIGHLIGHT},
        };
        RGBQUAD* pColors = reinterpret_cast<RGBQUAD*>(pInfo + pHeader->biSize);
        for (int i = 0; i < nColors; ++i) {
            COLORREF rgb = RGB(pColors[i].rgbRed, pColors[i].rgbGreen, pColors[i].rgbBlue);
            for (const auto& entry : kMap) {
                if (rgb == entry.rgbFrom) {
                    COLORREF rgbTo = ::GetSysColor(entry.nSysColor);
                    pColors[i].rgbRed = GetRValue(rgbTo);
                    pColors[i].rgbGreen = GetGValue(rgbTo);
                    pColors[i].rgbBlue = GetBValue(rgbTo);
                    break;
                }
            }
        }
    }

    const BYTE* pBits = reinterpret_cast<const BYTE*>(pHeader) + nInfoSize;
    HDC hDCScreen = ::GetDC(nullptr);
    HBITMAP hbm = ::CreateDIBitmap(hDCScreen, reinterpret_cast<BITMAPINFOHEADER*>(pInfo), CBM_INIT,
                                   pBits, reinterpret_cast<BITMAPINFO*>(pInfo), DIB_RGB_COLORS);
    ::ReleaseDC(nullptr, hDCScreen);
    delete[] pInfo;
    return hbm;
}

// Updates a button from its command's update handler.
class CToolCmdUI : public CCmdUI {
public:
    void Enable(BOOL bOn) override
    {
        m_bEnableChanged = TRUE;
        CToolBar* pToolBar = static_cast<CToolBar*>(m_pOther);
        UINT nNewStyle = pToolBar->GetButtonStyle((int)m_nIndex) & ~TBBS_DISABLED;
        if (!bOn) {
            nNewStyle |= TBBS_DISABLED;
            // A disabled button cannot stay pressed.
            nNewStyle &= ~TBBS_PRESSED;
        }
        pToolBar->SetButtonStyle((int)m_nIndex, nNewStyle);
    }
    void SetCheck(int nCheck) override
    {
        CToolBar* pToolBar = static_cast<CToolBar*>(m_pOther);
        UINT nNewStyle = pToolBar->GetButtonStyle((int)m_nIndex) & ~(TBBS_CHECKED | TBBS_INDETERMINATE);
        if (nCheck == 1)
            nNewStyle |= TBBS_CHECKED;
        else if (nCheck == 2)
            nNewStyle |= TBBS_INDETERMINATE;
        // A button that shows a check behaves as a check box.
        pToolBar->SetButtonStyle((int)m_nIndex, nNewStyle | TBBS_CHECKBOX);
    }
    void SetRadio(BOOL bOn) override { SetCheck(bOn ? 1 : 0); }
    void SetText(LPCTSTR) override {}
};

}  // namespace

BEGIN_MESSAGE_MAP(CToolBar, CControlBar)
    ON_WM_NCCALCSIZE()
    ON_WM_NCPAINT()
    ON_WM_ERASEBKGND()
    ON_WM_PAINT()
    ON_MESSAGE(TB_SETBUTTONSIZE, OnSetButtonSize)
    ON_MESSAGE(TB_SETBITMAPSIZE, OnSetBitmapSize)
END_MESSAGE_MAP()

CToolBar::CToolBar()
    : m_hbmImageWell(nullptr),
      m_hInstImageWell(nullptr),
      m_hRsrcImageWell(nullptr),
      m_sizeButton(23, 22),
      m_sizeImage(16, 15),
      m_hImageList(nullptr),
      m_sizeImageList(0, 0)
{
    // A little more room above and below makes the bar easier to grab.
    m_cyTopBorder = 3;
    m_cyBottomBorder = 3;
}

CToolBar::~CToolBar()
{
    if (m_hWnd != nullptr)
        DestroyWindow();
    if (m_hImageList != nullptr)
        ImageList_Destroy(m_hImageList);
    if (m_hbmImageWell != nullptr)
        ::DeleteObject(m_hbmImageWell);
}

BOOL CToolBar::Create(CWnd* pParentWnd, DWORD dwStyle, UINT nID)
{
    return CreateEx(pParentWnd, 0, dwStyle,
                    CRect(m_cxLeftBorder, m_cyTopBorder, m_cxRightBorder, m_cyBottomBorder), nID);
}

BOOL CToolBar::CreateEx(CWnd* pParentWnd, DWORD dwCtrlStyle, DWORD dwStyle, CRect rcBorders, UINT nID)
{
    SetBorders(rcBorders);
    m_dwStyle = dwStyle & CBRS_ALL;
    if (m_dwStyle & CBRS_TOOLTIPS)
        dwCtrlStyle |= TBSTYLE_TOOLTIPS;
    // The bar lays itself out: the control must neither move nor size itself.
    DWORD dwWndStyle = (dwStyle & ~CBRS_ALL) | dwCtrlStyle | CCS_NOPARENTALIGN | CCS_NOMOVEY |
                       CCS_NODIVIDER | CCS_NORESIZE;
    if (!afxinternal::EnsureCommonControls(ICC_BAR_CLASSES))
        return FALSE;
    if (!CWnd::Create(TOOLBARCLASSNAME, nullptr, dwWndStyle, CRect(0, 0, 0, 0), pParentWnd, nID))
        return FALSE;
    SendMessage(TB_BUTTONSTRUCTSIZE, sizeof(TBBUTTON));
    SetSizes(m_sizeButton, m_sizeImage);
    return TRUE;
}

CToolBarCtrl& CToolBar::GetToolBarCtrl() const
{
    // The bar's window is the control; the wrapper adds no data or virtuals.
    return *reinterpret_cast<CToolBarCtrl*>(const_cast<CToolBar*>(this));
}

void CToolBar::SetSizes(SIZE sizeButton, SIZE sizeImage)
{
    m_sizeButton = sizeButton;
    m_sizeImage = sizeImage;
    if (m_hWnd == nullptr)
        return;
    DefWindowProc(TB_SETBITMAPSIZE, 0, MAKELPARAM(sizeImage.cx, sizeImage.cy));
    DefWindowProc(TB_SETBUTTONSIZE, 0, MAKELPARAM(sizeButton.cx, sizeButton.cy));
    if (m_hbmImageWell != nullptr && m_sizeImageList != CSize(sizeImage))
        BuildImageList();
    Invalidate();
}

void CToolBar::SetHeight(int cyHeight)
{
    if (m_dwStyle & CBRS_BORDER_TOP)
        cyHeight -= 2;
    if (m_dwStyle & CBRS_BORDER_BOTTOM)
        cyHeight -= 2;
    m_cyBottomBorder = (cyHeight - m_sizeButton.cy) / 2;
    // If there is an extra pixel, the top border gets it.
    m_cyTopBorder = cyHeight - m_sizeButton.cy - m_cyBottomBorder;
    if (m_cyTopBorder < 0)
        m_cyTopBorder = 0;
    if (m_cyBottomBorder < 0)
        m_cyBottomBorder = 0;
    if (m_hWnd != nullptr)
        SetWindowPos(nullptr, 0, 0, 0, 0,
                     SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE | SWP_FRAMECHANGED);
}

BOOL CToolBar::LoadToolBar(UINT nIDResource) { return LoadToolBar(MAKEINTRESOURCE(nIDResource)); }

BOOL CToolBar::LoadToolBar(LPCTSTR lpszResourceName)
{
    HINSTANCE hInst = AfxFindResourceHandle(lpszResourceName, RT_TOOLBAR);
    HRSRC hRsrc = ::FindResourceA(hInst, lpszResourceName, RT_TOOLBAR);
    if (hRsrc == nullptr)
        return FALSE;
    HGLOBAL hGlobal = ::LoadResource(hInst, hRsrc);
    const WORD* pData = hGlobal != nullptr ? static_cast<const WORD*>(::LockResource(hGlobal)) : nullptr;
    DWORD cbData = ::SizeofResource(hInst, hRsrc);
    if (pData == nullptr || cbData < 4 * sizeof(WORD) || pData[0] != 1)
        return FALSE;
    int nWidth = pData[1];
    int nHeight = pData[2];
    int nCount = pData[3];
    if (cbData < (4 + (DWORD)nCount) * sizeof(WORD))
        return FALSE;

    UINT* pItems = new UINT[nCount > 0 ? nCount : 1];
    for (int i = 0; i < nCount; ++i)
        pItems[i] = pData[4 + i];
    BOOL bResult = SetButtons(pItems, nCount);
    delete[] pItems;

    if (bResult) {
        // The button is 7 by 7 larger than its image.
        SetSizes(CSize(nWidth + 7, nHeight + 7), CSize(nWidth, nHeight));
        bResult = LoadBitmap(lpszResourceName);
    }
    return bResult;
}

BOOL CToolBar::LoadBitmap(UINT nIDResource) { return LoadBitmap(MAKEINTRESOURCE(nIDResource)); }

BOOL CToolBar::LoadBitmap(LPCTSTR lpszResourceName)
{
    HINSTANCE hInst = AfxFindResourceHandle(lpszResourceName, RT_BITMAP);
    HRSRC hRsrc = ::FindResourceA(hInst, lpszResourceName, RT_BITMAP);
    if (hRsrc == nullptr)
        return FALSE;
    HBITMAP hbm = LoadSysColorBitmap(hInst, hRsrc);
    if (hbm == nullptr)
        return FALSE;
    if (!SetBitmap(hbm)) {
        ::DeleteObject(hbm);
        return FALSE;
    }
    m_hInstImageWell = hInst;
    m_hRsrcImageWell = hRsrc;
    return TRUE;
}

BOOL CToolBar::SetBitmap(HBITMAP hbmImageWell)
{
    HBITMAP hbmOld = m_hbmImageWell;
    m_hbmImageWell = hbmImageWell;
    m_hInstImageWell = nullptr;
    m_hRsrcImageWell = nullptr;
    BOOL bResult = BuildImageList();
    if (hbmOld != nullptr && hbmOld != hbmImageWell)
        ::DeleteObject(hbmOld);
    return bResult;
}

BOOL CToolBar::BuildImageList()
{
    if (m_hWnd == nullptr || m_hbmImageWell == nullptr)
        return FALSE;
    BITMAP bm;
    if (!::GetObjectA(m_hbmImageWell, sizeof(bm), &bm) || m_sizeImage.cx <= 0 || m_sizeImage.cy <= 0)
        return FALSE;

    // Masking changes the bitmap it reads: work on a copy, and take the
    // transparent colour from the top left pixel.
    HBITMAP hbmCopy = static_cast<HBITMAP>(::CopyImage(m_hbmImageWell, IMAGE_BITMAP, 0, 0, 0));
    if (hbmCopy == nullptr)
        return FALSE;
    HDC hDC = ::CreateCompatibleDC(nullptr);
    HGDIOBJ hOld = ::SelectObject(hDC, hbmCopy);
    COLORREF crMask = ::GetPixel(hDC, 0, 0);
    ::SelectObject(hDC, hOld);
    ::DeleteDC(hDC);

    int nImages = bm.bmWidth / m_sizeImage.cx;
    HIMAGELIST hList = ImageList_Create(m_sizeImage.cx, m_sizeImage.cy, ILC_COLOR24 | ILC_MASK,
                                        nImages > 0 ? nImages : 1, 4);
    if (hList == nullptr) {
        ::DeleteObject(hbmCopy);
        return FALSE;
    }
    ImageList_AddMasked(hList, hbmCopy, crMask);
    ::DeleteObject(hbmCopy);

    DefWindowProc(TB_SETIMAGELIST, 0, (LPARAM)hList);
    if (m_hImageList != nullptr)
        ImageList_Destroy(m_hImageList);
    m_hImageList = hList;
    m_sizeImageList = m_sizeImage;
    Invalidate();
    return TRUE;
}

BOOL CToolBar::SetButtons(const UINT* lpIDArray, int nIDCount)
{
    if (m_hWnd == nullptr)
        return FALSE;
    // Drop the buttons there are.
    for (int nOld = (int)DefWindowProc(TB_BUTTONCOUNT, 0, 0); nOld > 0; --nOld)
        DefWindowProc(TB_DELETEBUTTON, 0, 0);

    // Separators are a little narrower on flat bars.
    int cxSeparator = (GetStyle() & TBSTYLE_FLAT) ? 6 : 8;
    int iImage = 0;
    for (int i = 0; i < nIDCount; ++i) {
        TBBUTTON button = {};
        button.fsState = TBSTATE_ENABLED;
        UINT nID = lpIDArray != nullptr ? lpIDArray[i] : ID_SEPARATOR;
        if (nID == ID_SEPARATOR) {
            button.fsStyle = TBSTYLE_SEP;
            button.iBitmap = cxSeparator;
        } else {
            button.fsStyle = TBSTYLE_BUTTON;
            button.idCommand = (int)nID;
            button.iBitmap = iImage++;
        }
        if (!DefWindowProc(TB_ADDBUTTONSA, 1, (LPARAM)&button))
            return FALSE;
    }
    m_nCount = nIDCount;
    return TRUE;
}

BOOL CToolBar::GetButton(int nIndex, TBBUTTON* pButton) const
{
    memset(pButton, 0, sizeof(*pButton));
    if (!::SendMessageA(m_hWnd, TB_GETBUTTON, (WPARAM)nIndex, (LPARAM)pButton))
        return FALSE;
    // The classic styles say "disabled" where the control says "enabled".
    pButton->fsState ^= TBSTATE_ENABLED;
    return TRUE;
}

void CToolBar::SetButton(int nIndex, TBBUTTON* pButton)
{
    TBBUTTON button = {};
    if (!DefWindowProc(TB_GETBUTTON, (WPARAM)nIndex, (LPARAM)&button))
        return;
    TBBUTTON buttonNew = *pButton;
    buttonNew.fsState ^= TBSTATE_ENABLED;
    if (buttonNew.idCommand == button.idCommand && buttonNew.iBitmap == button.iBitmap &&
        buttonNew.fsStyle == button.fsStyle && buttonNew.fsState == button.fsState &&
        buttonNew.dwData == button.dwData && buttonNew.iString == button.iString)
        return;

    // Only the state changes: the control can take it in place, unless
    // another button has the same command.
    if (buttonNew.idCommand == button.idCommand && buttonNew.iBitmap == button.iBitmap &&
        buttonNew.fsStyle == button.fsStyle && buttonNew.dwData == button.dwData &&
        buttonNew.iString == button.iString && !(button.fsStyle & TBSTYLE_SEP) &&
        ((buttonNew.fsState ^ button.fsState) & TBSTATE_WRAP) == 0 &&
        (int)DefWindowProc(TB_COMMANDTOINDEX, (WPARAM)button.idCommand, 0) == nIndex) {
        DefWindowProc(TB_SETSTATE, (WPARAM)button.idCommand, MAKELPARAM(buttonNew.fsState, 0));
        return;
    }
    DefWindowProc(TB_DELETEBUTTON, (WPARAM)nIndex, 0);
    DefWindowProc(TB_INSERTBUTTONA, (WPARAM)nIndex, (LPARAM)&buttonNew);
    Invalidate();
}

int CToolBar::CommandToIndex(UINT nIDFind) const
{
    int nCount = (int)::SendMessageA(m_hWnd, TB_BUTTONCOUNT, 0, 0);
    for (int i = 0; i < nCount; ++i)
        if (GetItemID(i) == nIDFind)
            return i;
    return -1;
}

UINT CToolBar::GetItemID(int nIndex) const
{
    TBBUTTON button;
    if (!GetButton(nIndex, &button))
        return ID_SEPARATOR;
    return (button.fsStyle & TBSTYLE_SEP) ? ID_SEPARATOR : (UINT)button.idCommand;
}

void CToolBar::GetItemRect(int nIndex, LPRECT lpRect) const
{
    if (!::SendMessageA(m_hWnd, TB_GETITEMRECT, (WPARAM)nIndex, (LPARAM)lpRect))
        ::SetRectEmpty(lpRect);
}

UINT CToolBar::GetButtonStyle(int nIndex) const
{
    TBBUTTON button;
    if (!GetButton(nIndex, &button))
        return 0;
    return MAKELONG(button.fsStyle, button.fsState);
}

void CToolBar::SetButtonStyle(int nIndex, UINT nStyle)
{
    TBBUTTON button;
    if (!GetButton(nIndex, &button))
        return;
    button.fsStyle = (BYTE)LOWORD(nStyle);
    button.fsState = (BYTE)HIWORD(nStyle);
    SetButton(nIndex, &button);
}

void CToolBar::GetButtonInfo(int nIndex, UINT& nID, UINT& nStyle, int& iImage) const
{
    TBBUTTON button;
    if (!GetButton(nIndex, &button)) {
        nID = 0;
        nStyle = 0;
        iImage = 0;
        return;
    }
    nID = (UINT)button.idCommand;
    nStyle = MAKELONG(button.fsStyle, button.fsState);
    iImage = button.iBitmap;
}

void CToolBar::SetButtonInfo(int nIndex, UINT nID, UINT nStyle, int iImage)
{
    TBBUTTON button;
    if (!GetButton(nIndex, &button))
        return;
    button.idCommand = (int)nID;
    button.iBitmap = iImage;  // the width of a separator
    button.fsStyle = (BYTE)LOWORD(nStyle);
    button.fsState = (BYTE)HIWORD(nStyle);
    SetButton(nIndex, &button);
}

BOOL CToolBar::SetButtonText(int nIndex, LPCTSTR lpszText)
{
    TBBUTTONINFOA info = {};
    info.cbSize = sizeof(info);
    info.dwMask = TBIF_TEXT | TBIF_BYINDEX;
    info.pszText = const_cast<LPSTR>(lpszText);
    if (!DefWindowProc(TB_SETBUTTONINFOA, (WPARAM)nIndex, (LPARAM)&info))
        return FALSE;
    Invalidate();
    return TRUE;
}

CString CToolBar::GetButtonText(int nIndex) const
{
    CString strText;
    GetButtonText(nIndex, strText);
    return strText;
}

void CToolBar::GetButtonText(int nIndex, CString& rString) const
{
    char szText[512] = "";
    TBBUTTONINFOA info = {};
    info.cbSize = sizeof(info);
    info.dwMask = TBIF_TEXT | TBIF_BYINDEX;
    info.pszText = szText;
    info.cchText = (int)sizeof(szText);
    if (::SendMessageA(m_hWnd, TB_GETBUTTONINFOA, (WPARAM)nIndex, (LPARAM)&info) == -1)
        szText[0] = '\0';
    rString = szText;
}

CSize CToolBar::SizeOfButtons() const
{
    CSize size(0, 0);
    int nCount = (int)::SendMessageA(m_hWnd, TB_BUTTONCOUNT, 0, 0);
    for (int i = 0; i < nCount; ++i) {
        TBBUTTON button;
        if (!GetButton(i, &button) || (button.fsState & TBSTATE_HIDDEN))
            continue;
        RECT rect;
        if (!::SendMessageA(m_hWnd, TB_GETITEMRECT, (WPARAM)i, (LPARAM)&rect))
            continue;
        if (rect.right > size.cx)
            size.cx = rect.right;
        if (rect.bottom > size.cy)
            size.cy = rect.bottom;
    }
    return size;
}

CSize CToolBar::LayoutButtons(BOOL bHorz, int nWrapWidth)
{
    // Fixed bars and bars the control wraps keep the rows they were given.
    if (!(m_dwStyle & CBRS_SIZE_FIXED) && !(GetStyle() & TBSTYLE_WRAPABLE)) {
        int nCount = (int)DefWindowProc(TB_BUTTONCOUNT, 0, 0);
        int x = 0;
        for (int i = 0; i < nCount; ++i) {
            TBBUTTON button;
            if (!GetButton(i, &button))
                continue;
            BOOL bWrap;
            if (nWrapWidth < 0) {
                // Docked: one row, or one button per row when vertical.
                bWrap = !bHorz;
            } else {
                int cx = (button.fsStyle & TBSTYLE_SEP) ? button.iBitmap : m_sizeButton.cx;
                int cxNext = 0;
                TBBUTTON next;
                if (i + 1 < nCount && GetButton(i + 1, &next))
                    cxNext = (next.fsStyle & TBSTYLE_SEP) ? next.iBitmap : m_sizeButton.cx;
                x += cx;
                bWrap = i + 1 < nCount && x + cxNext > nWrapWidth;
                if (bWrap)
                    x = 0;
            }
            BOOL bWrapped = (button.fsState & TBSTATE_WRAP) != 0;
            if (bWrap != bWrapped) {
                button.fsState ^= TBSTATE_WRAP;
                SetButton(i, &button);
            }
        }
    }
    return SizeOfButtons();
}

CSize CToolBar::CalcFixedLayout(BOOL bStretch, BOOL bHorz)
{
    CSize size = LayoutButtons(bHorz, -1);
    CRect rect(0, 0, 0, 0);
    CalcInsideRect(rect, bHorz);
    size.cx -= rect.Width();
    size.cy -= rect.Height();
    if (bStretch) {
        if (bHorz)
            size.cx = 32767;
        else
            size.cy = 32767;
    }
    return size;
}

CSize CToolBar::CalcDynamicLayout(int nLength, DWORD nMode)
{
    if (nMode & (LM_HORZDOCK | LM_VERTDOCK))
        return CalcFixedLayout((nMode & LM_STRETCH) != 0, (nMode & LM_HORZDOCK) != 0);
    if (!(m_dwStyle & CBRS_SIZE_DYNAMIC))
        return CalcFixedLayout((nMode & LM_STRETCH) != 0, (nMode & LM_HORZ) != 0);

    // A floating dynamic bar wraps its buttons to the width it is given.
    CRect rect(0, 0, 0, 0);
    CalcInsideRect(rect, TRUE);
    int nWidth = (nMode & LM_MRUWIDTH) || nLength < 0 ? (int)m_nMRUWidth : nLength + rect.Width();
    CSize size = LayoutButtons(TRUE, nWidth);
    size.cx -= rect.Width();
    size.cy -= rect.Height();
    if (nMode & LM_COMMIT)
        m_nMRUWidth = (UINT)nWidth;
    return size;
}

void CToolBar::CalcInsideRect(CRect& rect, BOOL bHorz) const
{
    CControlBar::CalcInsideRect(rect, bHorz);
}

void CToolBar::OnUpdateCmdUI(CFrameWnd* pTarget, BOOL bDisableIfNoHndler)
{
    CToolCmdUI state;
    state.m_pOther = this;
    state.m_nIndexMax = (UINT)DefWindowProc(TB_BUTTONCOUNT, 0, 0);
    for (state.m_nIndex = 0; state.m_nIndex < state.m_nIndexMax; ++state.m_nIndex) {
        TBBUTTON button;
        if (!GetButton((int)state.m_nIndex, &button) || (button.fsStyle & TBSTYLE_SEP))
            continue;
        state.m_nID = (UINT)button.idCommand;
        // The bar itself may handle the update.
        if (CWnd::OnCmdMsg(state.m_nID, (int)CN_UPDATE_COMMAND_UI, &state, nullptr))
            continue;
        state.DoUpdate(pTarget, bDisableIfNoHndler);
    }
}

INT_PTR CToolBar::OnToolHitTest(CPoint point, TOOLINFO* pTI) const
{
    POINT pt = point;
    int nHit = (int)::SendMessageA(m_hWnd, TB_HITTEST, 0, (LPARAM)&pt);
    int nCount = (int)::SendMessageA(m_hWnd, TB_BUTTONCOUNT, 0, 0);
    if (nHit < 0 || nHit >= nCount)
        return -1;
    TBBUTTON button;
    if (!GetButton(nHit, &button) || (button.fsStyle & TBSTYLE_SEP) || button.idCommand == 0)
        return -1;
    if (pTI != nullptr) {
        pTI->hwnd = m_hWnd;
        pTI->uId = (UINT_PTR)button.idCommand;
        GetItemRect(nHit, &pTI->rect);
        pTI->lpszText = LPSTR_TEXTCALLBACK;
    }
    return button.idCommand;
}

void CToolBar::OnNcCalcSize(BOOL, NCCALCSIZE_PARAMS* lpncsp)
{
    // Borders and the gripper are outside the control's client area.
    CRect rect(0, 0, 0, 0);
    CalcInsideRect(rect, (m_dwStyle & CBRS_ORIENT_HORZ) != 0);
    RECT& rc = lpncsp->rgrc[0];
    rc.left += rect.left;
    rc.top += rect.top;
    rc.right += rect.right;
    rc.bottom += rect.bottom;
    if (rc.right < rc.left)
        rc.right = rc.left;
    if (rc.bottom < rc.top)
        rc.bottom = rc.top;
}

void CToolBar::OnNcPaint()
{
    CWindowDC dc(this);
    CRect rectClient;
    GetClientRect(&rectClient);
    ClientToScreen(&rectClient);
    CRect rectWindow;
    GetWindowRect(&rectWindow);
    rectClient.OffsetRect(-rectWindow.left, -rectWindow.top);
    rectWindow.OffsetRect(-rectWindow.left, -rectWindow.top);
    ::ExcludeClipRect(dc.m_hDC, rectClient.left, rectClient.top, rectClient.right, rectClient.bottom);
    ::FillRect(dc.m_hDC, &rectWindow, ::GetSysColorBrush(COLOR_BTNFACE));
    CRect rectBorders(rectWindow);
    DrawBorders(&dc, rectBorders);
    DrawGripper(&dc, rectWindow);
}

BOOL CToolBar::OnEraseBkgnd(CDC*) { return (BOOL)Default(); }

void CToolBar::OnPaint()
{
    // The control paints its buttons.
    Default();
}

LRESULT CToolBar::OnSetButtonSize(WPARAM, LPARAM lParam)
{
    m_sizeButton = CSize((short)LOWORD(lParam), (short)HIWORD(lParam));
    return Default();
}

LRESULT CToolBar::OnSetBitmapSize(WPARAM, LPARAM lParam)
{
    m_sizeImage = CSize((short)LOWORD(lParam), (short)HIWORD(lParam));
    return Default();
}

// The common tool bar control.
#include "afxext.h"

#include "CommonControls.h"

IMPLEMENT_DYNAMIC(CToolBarCtrl, CWnd)

CToolBarCtrl::CToolBarCtrl() {}

CToolBarCtrl::~CToolBarCtrl()
{
    if (m_hWnd != nullptr)
        DestroyWindow();
}

BOOL CToolBarCtrl::Create(DWORD dwStyle, const RECT& rect, CWnd* pParentWnd, UINT nID)
{
    if (!afxinternal::EnsureCommonControls(ICC_BAR_CLASSES))
        return FALSE;
    if (!CWnd::Create(TOOLBARCLASSNAME, nullptr, dwStyle, rect, pParentWnd, nID))
        return FALSE;
    // The control must know the size of the structure it is given.
    SendMessage(TB_BUTTONSTRUCTSIZE, sizeof(TBBUTTON));
    return TRUE;
}

namespace {
BOOL StateHas(const CToolBarCtrl* pCtrl, int nID, UINT nState)
{
    LRESULT lState = ::SendMessageA(pCtrl->m_hWnd, TB_GETSTATE, (WPARAM)nID, 0);
    return lState != -1 && (lState & nState) != 0;
}
}  // namespace

BOOL CToolBarCtrl::IsButtonEnabled(int nID) const { return StateHas(this, nID, TBSTATE_ENABLED); }
BOOL CToolBarCtrl::IsButtonChecked(int nID) const { return StateHas(this, nID, TBSTATE_CHECKED); }
BOOL CToolBarCtrl::IsButtonPressed(int nID) const { return StateHas(this, nID, TBSTATE_PRESSED); }
BOOL CToolBarCtrl::IsButtonHidden(int nID) const { return StateHas(this, nID, TBSTATE_HIDDEN); }
BOOL CToolBarCtrl::IsButtonIndeterminate(int nID) const
{
    return StateHas(this, nID, TBSTATE_INDETERMINATE);
}

BOOL CToolBarCtrl::SetState(int nID, UINT nState)
{
    return (BOOL)::SendMessageA(m_hWnd, TB_SETSTATE, (WPARAM)nID, MAKELPARAM(nState, 0));
}

int CToolBarCtrl::GetState(int nID) const { return (int)::SendMessageA(m_hWnd, TB_GETSTATE, (WPARAM)nID, 0); }

BOOL CToolBarCtrl::GetButton(int nIndex, LPTBBUTTON lpButton) const
{
    return (BOOL)::SendMessageA(m_hWnd, TB_GETBUTTON, (WPARAM)nIndex, (LPARAM)lpButton);
}

int CToolBarCtrl::GetButtonCount() const { return (int)::SendMessageA(m_hWnd, TB_BUTTONCOUNT, 0, 0); }

BOOL CToolBarCtrl::GetItemRect(int nIndex, LPRECT lpRect) const
{
    return (BOOL)::SendMessageA(m_hWnd, TB_GETITEMRECT, (WPARAM)nIndex, (LPARAM)lpRect);
}

BOOL CToolBarCtrl::GetRect(int nID, LPRECT lpRect) const
{
    return (BOOL)::SendMessageA(m_hWnd, TB_GETRECT, (WPARAM)nID, (LPARAM)lpRect);
}

void CToolBarCtrl::SetButtonStructSize(int nSize) { ::SendMessageA(m_hWnd, TB_BUTTONSTRUCTSIZE, (WPARAM)nSize, 0); }

BOOL CToolBarCtrl::SetButtonSize(CSize size)
{
    return (BOOL)::SendMessageA(m_hWnd, TB_SETBUTTONSIZE, 0, MAKELPARAM(size.cx, size.cy));
}

BOOL CToolBarCtrl::SetBitmapSize(CSize size)
{
    return (BOOL)::SendMessageA(m_hWnd, TB_SETBITMAPSIZE, 0, MAKELPARAM(size.cx, size.cy));
}

CSize CToolBarCtrl::GetButtonSize() const
{
    DWORD dwSize = (DWORD)::SendMessageA(m_hWnd, TB_GETBUTTONSIZE, 0, 0);
    return CSize(LOWORD(dwSize), HIWORD(dwSize));
}

CToolTipCtrl* CToolBarCtrl::GetToolTips() const
{
    return static_cast<CToolTipCtrl*>(
        CWnd::FromHandle(reinterpret_cast<HWND>(::SendMessageA(m_hWnd, TB_GETTOOLTIPS, 0, 0))));
}

void CToolBarCtrl::SetToolTips(CToolTipCtrl* pTip)
{
    ::SendMessageA(m_hWnd, TB_SETTOOLTIPS, (WPARAM)pTip->GetSafeHwnd(), 0);
}

void CToolBarCtrl::SetOwner(CWnd* pWnd) { ::SendMessageA(m_hWnd, TB_SETPARENT, (WPARAM)pWnd->GetSafeHwnd(), 0); }

void CToolBarCtrl::SetRows(int nRows, BOOL bLarger, LPRECT lpRect)
{
    ::SendMessageA(m_hWnd, TB_SETROWS, MAKEWPARAM(nRows, bLarger), (LPARAM)lpRect);
}

int CToolBarCtrl::GetRows() const { return (int)::SendMessageA(m_hWnd, TB_GETROWS, 0, 0); }

BOOL CToolBarCtrl::SetCmdID(int nIndex, UINT nID)
{
    return (BOOL)::SendMessageA(m_hWnd, TB_SETCMDID, (WPARAM)nIndex, (LPARAM)nID);
}

UINT CToolBarCtrl::GetBitmapFlags() const { return (UINT)::SendMessageA(m_hWnd, TB_GETBITMAPFLAGS, 0, 0); }

DWORD CToolBarCtrl::GetStyle() const { return (DWORD)::SendMessageA(m_hWnd, TB_GETSTYLE, 0, 0); }

void CToolBarCtrl::SetStyle(DWORD dwStyle) { ::SendMessageA(m_hWnd, TB_SETSTYLE, 0, (LPARAM)dwStyle); }

DWORD CToolBarCtrl::GetExtendedStyle() const
{
    return (DWORD)::SendMessageA(m_hWnd, TB_GETEXTENDEDSTYLE, 0, 0);
}

DWORD CToolBarCtrl::SetExtendedStyle(DWORD dwExStyle)
{
    return (DWORD)::SendMessageA(m_hWnd, TB_SETEXTENDEDSTYLE, 0, (LPARAM)dwExStyle);
}

namespace {
CImageList* ImageListFrom(LRESULT lResult)
{
    return CImageList::FromHandle(reinterpret_cast<HIMAGELIST>(lResult));
}
}  // namespace

CImageList* CToolBarCtrl::GetImageList() const { return ImageListFrom(::SendMessageA(m_hWnd, TB_GETIMAGELIST, 0, 0)); }

CImageList* CToolBarCtrl::SetImageList(CImageList* pImageList)
{
    HIMAGELIST hList = pImageList != nullptr ? pImageList->m_hImageList : nullptr;
    return ImageListFrom(::SendMessageA(m_hWnd, TB_SETIMAGELIST, 0, (LPARAM)hList));
}

CImageList* CToolBarCtrl::GetHotImageList() const
{
    return ImageListFrom(::SendMessageA(m_hWnd, TB_GETHOTIMAGELIST, 0, 0));
}

CImageList* CToolBarCtrl::SetHotImageList(CImageList* pImageList)
{
    HIMAGELIST hList = pImageList != nullptr ? pImageList->m_hImageList : nullptr;
    return ImageListFrom(::SendMessageA(m_hWnd, TB_SETHOTIMAGELIST, 0, (LPARAM)hList));
}

CImageList* CToolBarCtrl::GetDisabledImageList() const
{
    return ImageListFrom(::SendMessageA(m_hWnd, TB_GETDISABLEDIMAGELIST, 0, 0));
}

CImageList* CToolBarCtrl::SetDisabledImageList(CImageList* pImageList)
{
    HIMAGELIST hList = pImageList != nullptr ? pImageList->m_hImageList : nullptr;
    return ImageListFrom(::SendMessageA(m_hWnd, TB_SETDISABLEDIMAGELIST, 0, (LPARAM)hList));
}

BOOL CToolBarCtrl::GetButtonInfo(int nID, TBBUTTONINFO* ptbbi) const
{
    return ::SendMessageA(m_hWnd, TB_GETBUTTONINFOA, (WPARAM)nID, (LPARAM)ptbbi) != -1;
}

BOOL CToolBarCtrl::SetButtonInfo(int nID, TBBUTTONINFO* ptbbi)
{
    return (BOOL)::SendMessageA(m_hWnd, TB_SETBUTTONINFOA, (WPARAM)nID, (LPARAM)ptbbi);
}

int CToolBarCtrl::GetHotItem() const { return (int)::SendMessageA(m_hWnd, TB_GETHOTITEM, 0, 0); }

int CToolBarCtrl::SetHotItem(int nHot) { return (int)::SendMessageA(m_hWnd, TB_SETHOTITEM, (WPARAM)nHot, 0); }

BOOL CToolBarCtrl::SetIndent(int iIndent) { return (BOOL)::SendMessageA(m_hWnd, TB_SETINDENT, (WPARAM)iIndent, 0); }

BOOL CToolBarCtrl::SetMaxTextRows(int iMaxRows)
{
    return (BOOL)::SendMessageA(m_hWnd, TB_SETMAXTEXTROWS, (WPARAM)iMaxRows, 0);
}

BOOL CToolBarCtrl::EnableButton(int nID, BOOL bEnable)
{
    return (BOOL)::SendMessageA(m_hWnd, TB_ENABLEBUTTON, (WPARAM)nID, MAKELPARAM(bEnable, 0));
}

BOOL CToolBarCtrl::CheckButton(int nID, BOOL bCheck)
{
    return (BOOL)::SendMessageA(m_hWnd, TB_CHECKBUTTON, (WPARAM)nID, MAKELPARAM(bCheck, 0));
}

BOOL CToolBarCtrl::PressButton(int nID, BOOL bPress)
{
    return (BOOL)::SendMessageA(m_hWnd, TB_PRESSBUTTON, (WPARAM)nID, MAKELPARAM(bPress, 0));
}

BOOL CToolBarCtrl::HideButton(int nID, BOOL bHide)
{
    return (BOOL)::SendMessageA(m_hWnd, TB_HIDEBUTTON, (WPARAM)nID, MAKELPARAM(bHide, 0));
}

BOOL CToolBarCtrl::Indeterminate(int nID, BOOL bIndeterminate)
{
    return (BOOL)::SendMessageA(m_hWnd, TB_INDETERMINATE, (WPARAM)nID, MAKELPARAM(bIndeterminate, 0));
}

int CToolBarCtrl::AddBitmap(int nNumButtons, UINT nBitmapID)
{
    // The bitmap comes from the module on the resource chain that has it.
    TBADDBITMAP tbab;
    tbab.hInst = AfxFindResourceHandle(MAKEINTRESOURCE(nBitmapID), RT_BITMAP);
    tbab.nID = nBitmapID;
    return (int)::SendMessageA(m_hWnd, TB_ADDBITMAP, (WPARAM)nNumButtons, (LPARAM)&tbab);
}

int CToolBarCtrl::AddBitmap(int nNumButtons, CBitmap* pBitmap)
{
    TBADDBITMAP tbab;
    tbab.hInst = nullptr;
    tbab.nID = (UINT_PTR)pBitmap->GetSafeHandle();
    return (int)::SendMessageA(m_hWnd, TB_ADDBITMAP, (WPARAM)nNumButtons, (LPARAM)&tbab);
}

BOOL CToolBarCtrl::AddButtons(int nNumButtons, LPTBBUTTON lpButtons)
{
    return (BOOL)::SendMessageA(m_hWnd, TB_ADDBUTTONSA, (WPARAM)nNumButtons, (LPARAM)lpButtons);
}

BOOL CToolBarCtrl::InsertButton(int nIndex, LPTBBUTTON lpButton)
{
    return (BOOL)::SendMessageA(m_hWnd, TB_INSERTBUTTONA, (WPARAM)nIndex, (LPARAM)lpButton);
}

BOOL CToolBarCtrl::DeleteButton(int nIndex)
{
    return (BOOL)::SendMessageA(m_hWnd, TB_DELETEBUTTON, (WPARAM)nIndex, 0);
}

UINT CToolBarCtrl::CommandToIndex(UINT nID) const
{
    return (UINT)::SendMessageA(m_hWnd, TB_COMMANDTOINDEX, (WPARAM)nID, 0);
}

int CToolBarCtrl::AddString(UINT nStringID)
{
    // Loaded here so that the string is found along the resource chain.
    CString strText;
    if (!strText.LoadString(nStringID))
        return -1;
    CString strList = strText;
    int nLength = strList.GetLength();
    LPTSTR pBuffer = strList.GetBuffer(nLength + 2);
    pBuffer[nLength] = '\0';
    pBuffer[nLength + 1] = '\0';
    int nResult = (int)::SendMessageA(m_hWnd, TB_ADDSTRINGA, 0, (LPARAM)pBuffer);
    strList.ReleaseBuffer(nLength);
    return nResult;
}

int CToolBarCtrl::AddStrings(LPCTSTR lpszStrings)
{
    return (int)::SendMessageA(m_hWnd, TB_ADDSTRINGA, 0, (LPARAM)lpszStrings);
}

void CToolBarCtrl::AutoSize() { ::SendMessageA(m_hWnd, TB_AUTOSIZE, 0, 0); }

int CToolBarCtrl::HitTest(LPPOINT ppt) const { return (int)::SendMessageA(m_hWnd, TB_HITTEST, 0, (LPARAM)ppt); }

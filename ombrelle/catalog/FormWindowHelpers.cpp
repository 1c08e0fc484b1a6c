#include "FormWindowHelpers.h"

#include "FormTextHelpers.h"

namespace {

bool Exists(const CWnd* pWnd) { return pWnd != NULL && ::IsWindow(pWnd->m_hWnd); }

bool IsMultiByteLead(char ch) { return ::IsDBCSLeadByte(static_cast<BYTE>(ch)) != FALSE; }

// The character (one or two bytes) at nIndex.
CString CharAt(const CString& strText, int nIndex)
{
    const int nLength = IsMultiByteLead(strText[nIndex]) && nIndex + 1 < strText.GetLength() ? 2 : 1;
    return strText.Mid(nIndex, nLength);
}

// Every character of the text, taken whole, is one of the set's characters.
bool OnlyCharactersOf(const CString& strText, const CString& strSet)
{
    for (int i = 0; i < strText.GetLength();) {
        const CString strChar = CharAt(strText, i);
        bool bFound = false;
        for (int j = 0; j < strSet.GetLength() && !bFound;) {
            const CString strSetChar = CharAt(strSet, j);
            bFound = strSetChar == strChar;
            j += strSetChar.GetLength();
        }
        if (!bFound)
            return false;
        i += strChar.GetLength();
    }
    return true;
}

int ExactComboEntry(CComboBox* pCombo, const CString& strText)
{
    const int nCount = pCombo->GetCount();
    for (int i = 0; i < nCount; ++i) {
        CString strEntry;
        pCombo->GetLBText(i, strEntry);
        if (strEntry == strText)
            return i;
    }
    return -1;
}

BOOL RefuseEdit(CWnd* pEdit, const CString& strMessage)
{
    AfxMessageBox(strMessage);
    pEdit->SetFocus();
    return FALSE;
}

}  // namespace

BOOL ValidateEdit(CWnd* pEdit, int bAllowEmpty, const CString& strCharSet, const CString& strLabel)
{
    if (!Exists(pEdit))
        return FALSE;
    CString strText;
    pEdit->GetWindowText(strText);
    if (strText.IsEmpty()) {
        if (bAllowEmpty != 1)
            return RefuseEdit(pEdit, strLabel + "不能为空!");
        return TRUE;
    }
    if (!strCharSet.IsEmpty() && !OnlyCharactersOf(strText, strCharSet))
        return RefuseEdit(pEdit, "请输入有效的" + strLabel + "!");
    return TRUE;
}

void FillListBoxFromText(CListBox* pListBox, const CString& strText)
{
    if (!Exists(pListBox) || strText.IsEmpty())
        return;
    CStringList lines;
    SplitLines(lines, strText, TRUE);
    pListBox->ResetContent();
    for (POSITION pos = lines.GetHeadPosition(); pos != NULL;)
        pListBox->AddString(lines.GetNext(pos));
}

void ComboSelectText(CComboBox* pCombo, const CString& strText)
{
    if (!Exists(pCombo))
        return;
    // Selecting changes the edit part, so the text is set after it.
    pCombo->SetCurSel(strText.IsEmpty() ? -1 : ExactComboEntry(pCombo, strText));
    pCombo->SetWindowText(strText);
}

int ComboCurrentIndex(CComboBox* pCombo)
{
    if (!Exists(pCombo))
        return -1;
    const int nSelected = pCombo->GetCurSel();
    if (nSelected != CB_ERR)
        return nSelected;
    CString strText;
    pCombo->GetWindowText(strText);
    return ExactComboEntry(pCombo, strText);
}

int ListCtrlSelectedIndex(CListCtrl* pList)
{
    return Exists(pList) ? pList->GetNextItem(-1, LVNI_SELECTED) : -1;
}

BOOL ListCtrlSelectIndex(CListCtrl* pList, int& nIndex, BOOL bFallback)
{
    if (!Exists(pList))
        return FALSE;
    const int nCount = pList->GetItemCount();
    if (nCount == 0) {
        if (bFallback)
            nIndex = -1;
        return FALSE;
    }
    if (nIndex < 0 || nIndex >= nCount) {
        if (!bFallback)
            return FALSE;
        nIndex = 0;
    }
    pList->SetItemState(nIndex, LVIS_SELECTED | LVIS_FOCUSED, LVIS_SELECTED | LVIS_FOCUSED);
    return TRUE;
}

BOOL EnterMovesFocus(CWnd* pDialog, const MSG* pMsg)
{
    if (!Exists(pDialog) || pMsg == NULL || pMsg->message != WM_KEYDOWN || pMsg->wParam != VK_RETURN)
        return FALSE;
    pDialog->SendMessage(WM_NEXTDLGCTL, 0, 0);
    return TRUE;
}

void EnableDialogItem(int nId, BOOL bEnable, CWnd* pDialog)
{
    if (Exists(pDialog))
        EnableWindowSafe(pDialog->GetDlgItem(nId), bEnable);
}

void EnableWindowSafe(CWnd* pWnd, BOOL bEnable)
{
    if (Exists(pWnd))
        pWnd->EnableWindow(bEnable);
}

void FocusDialogItem(int nId, CWnd* pDialog)
{
    if (!Exists(pDialog))
        return;
    CWnd* pItem = pDialog->GetDlgItem(nId);
    if (Exists(pItem))
        pItem->SetFocus();
}

void HideWindow(CWnd* pWnd)
{
    if (Exists(pWnd))
        pWnd->ShowWindow(SW_HIDE);
}

BOOL HasStyle(CWnd* pWnd, DWORD dwBits) { return Exists(pWnd) && (pWnd->GetStyle() & dwBits) != 0; }

void CentreInWorkArea(CWnd* pWnd)
{
    if (!Exists(pWnd))
        return;
    WINDOWPLACEMENT placement = {};
    placement.length = sizeof placement;
    if (!::GetWindowPlacement(pWnd->m_hWnd, &placement))
        return;
    RECT& rect = placement.rcNormalPosition;
    const LONG nWidth = rect.right - rect.left, nHeight = rect.bottom - rect.top;
    const LONG nAreaWidth = ::GetSystemMetrics(SM_CXFULLSCREEN), nAreaHeight = ::GetSystemMetrics(SM_CYFULLSCREEN);
    rect.left = nWidth < nAreaWidth ? (nAreaWidth - nWidth) / 2 : 0;
    rect.top = nHeight < nAreaHeight ? (nAreaHeight - nHeight) / 2 : 0;
    rect.right = rect.left + nWidth;
    rect.bottom = rect.top + nHeight;
    ::SetWindowPlacement(pWnd->m_hWnd, &placement);
}

HWND WaitForWindow(LPCTSTR lpszClass, LPCTSTR lpszTitle, DWORD dwMilliseconds)
{
    const DWORD dwStart = ::GetTickCount();
    for (;;) {
        HWND hWnd = ::FindWindowA(lpszClass, lpszTitle);
        if (hWnd != NULL || ::GetTickCount() - dwStart >= dwMilliseconds)
            return hWnd;
        ::Sleep(10);
    }
}

BOOL OtherInstanceRunning(LPCTSTR lpszSemaphore, LPCTSTR lpszClass, LPCTSTR lpszTitle)
{
    // The first instance keeps its handle for the rest of its run.
    HANDLE hSemaphore = ::CreateSemaphoreA(NULL, 0, 1, lpszSemaphore);
    if (hSemaphore == NULL || ::GetLastError() != ERROR_ALREADY_EXISTS)
        return FALSE;
    ::CloseHandle(hSemaphore);
    const bool bClass = lpszClass != NULL && *lpszClass != '\0';
    const bool bTitle = lpszTitle != NULL && *lpszTitle != '\0';
    if (!bClass && !bTitle)
        return FALSE;
    HWND hWnd = ::FindWindowA(bClass ? lpszClass : NULL, bTitle ? lpszTitle : NULL);
    if (hWnd != NULL) {
        ::ShowWindow(hWnd, SW_MINIMIZE);
        ::ShowWindow(hWnd, SW_RESTORE);
        ::SetForegroundWindow(hWnd);
    }
    return TRUE;
}

// Window helpers of the form-control framework: the edit check with its two
// messages, list and combo box filling and selection, focus and enabling,
// placement, and finding windows and other instances. Each acts only on
// windows that exist.
#pragma once

#include "afxwin.h"
#include "afxcmn.h"

// An empty text is refused unless bAllowEmpty is 1 (label + "不能为空!");
// with a character set, a text holding another character is refused
// ("请输入有效的" + label + "!"). A refusal focuses the edit and answers FALSE.
BOOL ValidateEdit(CWnd* pEdit, int bAllowEmpty, const CString& strCharSet, const CString& strLabel);

// A non-empty text's lines (SplitLines) replace the list box's entries.
void FillListBoxFromText(CListBox* pListBox, const CString& strText);
// The text becomes the combo box's text, with its exactly equal entry selected.
void ComboSelectText(CComboBox* pCombo, const CString& strText);
// The selected index; else the entry exactly equal to the window text; else -1.
int ComboCurrentIndex(CComboBox* pCombo);
// The first selected item of a list view, -1 when none.
int ListCtrlSelectedIndex(CListCtrl* pList);
// Selects and focuses item nIndex; bFallback puts an index outside the items
// to 0 (to -1 when there are none). FALSE when nothing was selected.
BOOL ListCtrlSelectIndex(CListCtrl* pList, int& nIndex, BOOL bFallback);
// Enter moves the focus to the dialog's next control: answers 1 when it did.
BOOL EnterMovesFocus(CWnd* pDialog, const MSG* pMsg);

void EnableDialogItem(int nId, BOOL bEnable, CWnd* pDialog);
void EnableWindowSafe(CWnd* pWnd, BOOL bEnable);
void FocusDialogItem(int nId, CWnd* pDialog);
void HideWindow(CWnd* pWnd);
BOOL HasStyle(CWnd* pWnd, DWORD dwBits);
// Centres the window's normal rectangle in the full-screen area; an axis on
// which it does not fit starts at 0.
void CentreInWorkArea(CWnd* pWnd);
// Looks for the window until it is there or the time has passed.
HWND WaitForWindow(LPCTSTR lpszClass, LPCTSTR lpszTitle, DWORD dwMilliseconds);
// The first caller of a semaphore name keeps it and answers FALSE; a later
// one brings the window of the class or title (when given) forward and
// answers TRUE.
BOOL OtherInstanceRunning(LPCTSTR lpszSemaphore, LPCTSTR lpszClass, LPCTSTR lpszTitle);

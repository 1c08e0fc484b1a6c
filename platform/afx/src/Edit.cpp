#include "afxwin.h"

IMPLEMENT_DYNAMIC(CEdit, CWnd)

CEdit::CEdit() {}

CEdit::~CEdit()
{
    DestroyWindow();
}

BOOL CEdit::Create(DWORD dwStyle, const RECT& rect, CWnd* pParentWnd, UINT nID)
{
    return CWnd::Create(_T("EDIT"), NULL, dwStyle, rect, pParentWnd, nID);
}

BOOL CEdit::CanUndo() const
{
    return (BOOL)::SendMessage(m_hWnd, EM_CANUNDO, 0, 0);
}

int CEdit::GetLineCount() const
{
    return (int)::SendMessage(m_hWnd, EM_GETLINECOUNT, 0, 0);
}

BOOL CEdit::GetModify() const
{
    return (BOOL)::SendMessage(m_hWnd, EM_GETMODIFY, 0, 0);
}

void CEdit::SetModify(BOOL bModified)
{
    ::SendMessage(m_hWnd, EM_SETMODIFY, bModified, 0);
}

void CEdit::GetRect(LPRECT lpRect) const
{
    ::SendMessage(m_hWnd, EM_GETRECT, 0, (LPARAM)lpRect);
}

void CEdit::SetRect(LPCRECT lpRect)
{
    ::SendMessage(m_hWnd, EM_SETRECT, 0, (LPARAM)lpRect);
}

DWORD CEdit::GetSel() const
{
    return (DWORD)::SendMessage(m_hWnd, EM_GETSEL, 0, 0);
}

void CEdit::GetSel(int& nStartChar, int& nEndChar) const
{
    DWORD start = 0, end = 0;
    ::SendMessage(m_hWnd, EM_GETSEL, (WPARAM)&start, (LPARAM)&end);
    nStartChar = (int)start;
    nEndChar = (int)end;
}

void CEdit::SetSel(DWORD dwSelection, BOOL bNoScroll)
{
    SetSel((int)LOWORD(dwSelection), (int)HIWORD(dwSelection), bNoScroll);
}

void CEdit::SetSel(int nStartChar, int nEndChar, BOOL bNoScroll)
{
    ::SendMessage(m_hWnd, EM_SETSEL, (WPARAM)nStartChar, (LPARAM)nEndChar);
    if (!bNoScroll)
        ::SendMessage(m_hWnd, EM_SCROLLCARET, 0, 0);
}

int CEdit::GetLine(int nIndex, LPTSTR lpszBuffer) const
{
    return (int)::SendMessage(m_hWnd, EM_GETLINE, nIndex, (LPARAM)lpszBuffer);
}

int CEdit::GetLine(int nIndex, LPTSTR lpszBuffer, int nMaxLength) const
{
    if (nMaxLength < (int)sizeof(WORD))
        return 0;
    *(LPWORD)lpszBuffer = (WORD)nMaxLength;
    return (int)::SendMessage(m_hWnd, EM_GETLINE, nIndex, (LPARAM)lpszBuffer);
}

int CEdit::LineIndex(int nLine) const
{
    return (int)::SendMessage(m_hWnd, EM_LINEINDEX, nLine, 0);
}

int CEdit::LineFromChar(int nIndex) const
{
    return (int)::SendMessage(m_hWnd, EM_LINEFROMCHAR, nIndex, 0);
}

int CEdit::LineLength(int nLine) const
{
    return (int)::SendMessage(m_hWnd, EM_LINELENGTH, nLine, 0);
}

void CEdit::LineScroll(int nLines, int nChars)
{
    ::SendMessage(m_hWnd, EM_LINESCROLL, nChars, nLines);
}

void CEdit::LimitText(int nChars)
{
    ::SendMessage(m_hWnd, EM_LIMITTEXT, nChars, 0);
}

void CEdit::SetLimitText(UINT nMax)
{
    ::SendMessage(m_hWnd, EM_SETLIMITTEXT, nMax, 0);
}

UINT CEdit::GetLimitText() const
{
    return (UINT)::SendMessage(m_hWnd, EM_GETLIMITTEXT, 0, 0);
}

void CEdit::ReplaceSel(LPCTSTR lpszNewText, BOOL bCanUndo)
{
    ::SendMessage(m_hWnd, EM_REPLACESEL, bCanUndo, (LPARAM)lpszNewText);
}

BOOL CEdit::Undo()
{
    return (BOOL)::SendMessage(m_hWnd, EM_UNDO, 0, 0);
}

void CEdit::Clear()
{
    ::SendMessage(m_hWnd, WM_CLEAR, 0, 0);
}

void CEdit::Copy()
{
    ::SendMessage(m_hWnd, WM_COPY, 0, 0);
}

void CEdit::Cut()
{
    ::SendMessage(m_hWnd, WM_CUT, 0, 0);
}

void CEdit::Paste()
{
    ::SendMessage(m_hWnd, WM_PASTE, 0, 0);
}

BOOL CEdit::SetReadOnly(BOOL bReadOnly)
{
    return (BOOL)::SendMessage(m_hWnd, EM_SETREADONLY, bReadOnly, 0);
}

void CEdit::SetPasswordChar(TCHAR ch)
{
    ::SendMessage(m_hWnd, EM_SETPASSWORDCHAR, (BYTE)ch, 0);
}

void CEdit::EmptyUndoBuffer()
{
    ::SendMessage(m_hWnd, EM_EMPTYUNDOBUFFER, 0, 0);
}

CPoint CEdit::PosFromChar(UINT nChar) const
{
    DWORD pos = (DWORD)::SendMessage(m_hWnd, EM_POSFROMCHAR, nChar, 0);
    return CPoint((short)LOWORD(pos), (short)HIWORD(pos));
}

int CEdit::CharFromPos(CPoint pt) const
{
    return (int)::SendMessage(m_hWnd, EM_CHARFROMPOS, 0, MAKELPARAM(pt.x, pt.y));
}

void CEdit::SetMargins(UINT nLeft, UINT nRight)
{
    ::SendMessage(m_hWnd, EM_SETMARGINS, EC_LEFTMARGIN | EC_RIGHTMARGIN, MAKELONG(nLeft, nRight));
}

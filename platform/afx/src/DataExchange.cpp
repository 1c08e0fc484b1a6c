// Dialog data exchange: values between controls and variables, parsed and
// formatted as the library always has, and the messages for what the user
// typed wrong.
#include "afxwin.h"

#include "afxres.h"

#include <commctrl.h>
#include <float.h>
#include <stdlib.h>

namespace {

// Tells the user and throws: the exchange stops at this control.
[[noreturn]] void FailWithMessage(CDataExchange* pDX, LPCTSTR lpszPrompt, UINT nType, UINT nIDPrompt)
{
    AfxMessageBox(lpszPrompt, nType, nIDPrompt);
    pDX->Fail();
}

[[noreturn]] void FailWithMessage(CDataExchange* pDX, UINT nIDPrompt)
{
    AfxMessageBox(nIDPrompt);
    pDX->Fail();
}

CString WindowText(HWND hWnd)
{
    CString text;
    int nLen = ::GetWindowTextLength(hWnd);
    ::GetWindowText(hWnd, text.GetBufferSetLength(nLen), nLen + 1);
    text.ReleaseBuffer();
    return text;
}

// Sets the text only when it changes: no flicker, and no change
// notification for a value that stays.
void SetWindowTextIfChanged(HWND hWndCtrl, LPCTSTR lpszNew)
{
    if (WindowText(hWndCtrl) != lpszNew)
        ::SetWindowText(hWndCtrl, lpszNew);
}

bool IsBlank(TCHAR ch)
{
    return ch == ' ' || ch == '\t';
}

enum class IntegerKind { Signed, Unsigned, Short };

// The integer parse of the library: blanks around a decimal number and
// nothing else. Out-of-range numbers saturate as the C runtime's strtol.
bool ParseInteger(LPCTSTR lpszText, IntegerKind kind, long* pValue)
{
    while (IsBlank(*lpszText))
        ++lpszText;
    TCHAR chFirst = lpszText[0];
    LPTSTR lpszEnd = NULL;
    long value;
    if (kind == IntegerKind::Unsigned) {
        if (*lpszText == '-')
            return false;
        value = static_cast<long>(_tcstoul(lpszText, &lpszEnd, 10));
    } else {
        value = _tcstol(lpszText, &lpszEnd, 10);
    }
    // A zero that is not written with a leading 0 is no number ("", "+0", "x").
    if (value == 0 && chFirst != '0')
        return false;
    lpszText = lpszEnd;
    while (IsBlank(*lpszText))
        ++lpszText;
    if (*lpszText != '\0')
        return false;
    if (kind == IntegerKind::Short && static_cast<short>(value) != value)
        return false;
    *pValue = value;
    return true;
}

bool ParseReal(LPCTSTR lpszText, double* pValue)
{
    while (IsBlank(*lpszText))
        ++lpszText;
    TCHAR chFirst = lpszText[0];
    LPTSTR lpszEnd = NULL;
    double value = _tcstod(lpszText, &lpszEnd);
    if (value == 0.0 && chFirst != '0')
        return false;
    lpszText = lpszEnd;
    while (IsBlank(*lpszText))
        ++lpszText;
    if (*lpszText != '\0')
        return false;
    *pValue = value;
    return true;
}

// Edit text <-> integer; nIDPrompt is the message for text that is no
// number of the kind.
template <class T>
void TextInteger(CDataExchange* pDX, int nIDC, T& value, IntegerKind kind, LPCTSTR lpszFormat,
                 UINT nIDPrompt)
{
    HWND hWndCtrl = pDX->PrepareEditCtrl(nIDC);
    if (pDX->m_bSaveAndValidate) {
        long parsed;
        if (!ParseInteger(WindowText(hWndCtrl), kind, &parsed))
            FailWithMessage(pDX, nIDPrompt);
        value = static_cast<T>(parsed);
    } else {
        CString text;
        text.Format(lpszFormat, value);
        SetWindowTextIfChanged(hWndCtrl, text);
    }
}

// Edit text <-> real; shown with the type's significant digits.
void TextReal(CDataExchange* pDX, int nIDC, double* pValue, int nDigits)
{
    HWND hWndCtrl = pDX->PrepareEditCtrl(nIDC);
    if (pDX->m_bSaveAndValidate) {
        if (!ParseReal(WindowText(hWndCtrl), pValue))
            FailWithMessage(pDX, AFX_IDP_PARSE_REAL);
    } else {
        CString text;
        text.Format(_T("%.*g"), nDigits, *pValue);
        SetWindowTextIfChanged(hWndCtrl, text);
    }
}

// A value outside [min, max] when saving: "between %1 and %2". Loading an
// out-of-range value is allowed (the program set it).
void FailRange(CDataExchange* pDX, const CString& strMin, const CString& strMax, UINT nIDPrompt)
{
    if (!pDX->m_bSaveAndValidate) {
        TRACE0("Warning: initial dialog data is out of range.\n");
        return;
    }
    CString prompt;
    AfxFormatString2(prompt, nIDPrompt, strMin, strMax);
    FailWithMessage(pDX, prompt, MB_ICONEXCLAMATION, nIDPrompt);
}

void FailIntegerRange(CDataExchange* pDX, long minVal, long maxVal, LPCTSTR lpszFormat)
{
    CString strMin, strMax;
    strMin.Format(lpszFormat, minVal);
    strMax.Format(lpszFormat, maxVal);
    FailRange(pDX, strMin, strMax, AFX_IDP_PARSE_INT_RANGE);
}

void FailRealRange(CDataExchange* pDX, double minVal, double maxVal, int nDigits)
{
    CString strMin, strMax;
    strMin.Format(_T("%.*g"), nDigits, minVal);
    strMax.Format(_T("%.*g"), nDigits, maxVal);
    FailRange(pDX, strMin, strMax, AFX_IDP_PARSE_REAL_RANGE);
}

// The text of item nIndex of a list or combo box.
CString ItemText(HWND hWndCtrl, UINT nGetLength, UINT nGetText, int nIndex)
{
    CString text;
    int nLen = static_cast<int>(::SendMessage(hWndCtrl, nGetLength, nIndex, 0));
    if (nLen > 0) {
        ::SendMessage(hWndCtrl, nGetText, nIndex,
                      reinterpret_cast<LPARAM>(text.GetBufferSetLength(nLen)));
        text.ReleaseBuffer();
    }
    return text;
}

}  // namespace

// ---------------------------------------------------------------------------
// CDataExchange

CDataExchange::CDataExchange(CWnd* pDlgWnd, BOOL bSaveAndValidate)
    : m_bSaveAndValidate(bSaveAndValidate),
      m_pDlgWnd(pDlgWnd),
      m_hWndLastControl(NULL),
      m_bEditLastControl(FALSE)
{
}

HWND CDataExchange::PrepareCtrl(int nIDC)
{
    HWND hWndCtrl = NULL;
    m_pDlgWnd->GetDlgItem(nIDC, &hWndCtrl);
    if (hWndCtrl == NULL) {
        TRACE1("Error: no data exchange control with ID 0x%04X.\n", nIDC);
        AfxThrowNotSupportedException();
    }
    m_hWndLastControl = hWndCtrl;
    m_bEditLastControl = FALSE;
    return hWndCtrl;
}

HWND CDataExchange::PrepareEditCtrl(int nIDC)
{
    HWND hWndCtrl = PrepareCtrl(nIDC);
    m_bEditLastControl = TRUE;
    return hWndCtrl;
}

void CDataExchange::Fail()
{
    if (m_bSaveAndValidate && m_hWndLastControl != NULL) {
        ::SetFocus(m_hWndLastControl);
        if (m_bEditLastControl)
            ::SendMessage(m_hWndLastControl, EM_SETSEL, 0, -1);
    }
    AfxThrowUserException();
}

// ---------------------------------------------------------------------------
// Edit texts

void AFXAPI DDX_Text(CDataExchange* pDX, int nIDC, BYTE& value)
{
    if (pDX->m_bSaveAndValidate) {
        UINT n = 0;
        TextInteger(pDX, nIDC, n, IntegerKind::Unsigned, _T("%u"), AFX_IDP_PARSE_BYTE);
        if (n > 255)
            FailWithMessage(pDX, AFX_IDP_PARSE_BYTE);
        value = static_cast<BYTE>(n);
    } else {
        UINT n = value;
        TextInteger(pDX, nIDC, n, IntegerKind::Unsigned, _T("%u"), AFX_IDP_PARSE_BYTE);
    }
}

void AFXAPI DDX_Text(CDataExchange* pDX, int nIDC, short& value)
{
    if (pDX->m_bSaveAndValidate) {
        TextInteger(pDX, nIDC, value, IntegerKind::Short, NULL, AFX_IDP_PARSE_INT);
    } else {
        int n = value;
        TextInteger(pDX, nIDC, n, IntegerKind::Short, _T("%d"), AFX_IDP_PARSE_INT);
    }
}

void AFXAPI DDX_Text(CDataExchange* pDX, int nIDC, int& value)
{
    TextInteger(pDX, nIDC, value, IntegerKind::Signed, _T("%d"), AFX_IDP_PARSE_INT);
}

void AFXAPI DDX_Text(CDataExchange* pDX, int nIDC, UINT& value)
{
    TextInteger(pDX, nIDC, value, IntegerKind::Unsigned, _T("%u"), AFX_IDP_PARSE_UINT);
}

void AFXAPI DDX_Text(CDataExchange* pDX, int nIDC, long& value)
{
    TextInteger(pDX, nIDC, value, IntegerKind::Signed, _T("%ld"), AFX_IDP_PARSE_INT);
}

void AFXAPI DDX_Text(CDataExchange* pDX, int nIDC, DWORD& value)
{
    TextInteger(pDX, nIDC, value, IntegerKind::Unsigned, _T("%lu"), AFX_IDP_PARSE_UINT);
}

void AFXAPI DDX_Text(CDataExchange* pDX, int nIDC, CString& value)
{
    HWND hWndCtrl = pDX->PrepareEditCtrl(nIDC);
    if (pDX->m_bSaveAndValidate)
        value = WindowText(hWndCtrl);
    else
        SetWindowTextIfChanged(hWndCtrl, value);
}

void AFXAPI DDX_Text(CDataExchange* pDX, int nIDC, float& value)
{
    double d = value;
    TextReal(pDX, nIDC, &d, FLT_DIG);
    if (pDX->m_bSaveAndValidate)
        value = static_cast<float>(d);
}

void AFXAPI DDX_Text(CDataExchange* pDX, int nIDC, double& value)
{
    TextReal(pDX, nIDC, &value, DBL_DIG);
}

// ---------------------------------------------------------------------------
// Buttons

void AFXAPI DDX_Check(CDataExchange* pDX, int nIDC, int& value)
{
    HWND hWndCtrl = pDX->PrepareCtrl(nIDC);
    if (pDX->m_bSaveAndValidate) {
        value = static_cast<int>(::SendMessage(hWndCtrl, BM_GETCHECK, 0, 0));
    } else {
        if (value < 0 || value > 2) {
            TRACE1("Warning: dialog data checkbox value (%d) out of range.\n", value);
            value = 0;
        }
        ::SendMessage(hWndCtrl, BM_SETCHECK, static_cast<WPARAM>(value), 0);
    }
}

void AFXAPI DDX_Radio(CDataExchange* pDX, int nIDC, int& value)
{
    // nIDC is the first button of the group; the group runs up to the next
    // control with WS_GROUP. Other controls inside it are skipped.
    HWND hWndCtrl = pDX->PrepareCtrl(nIDC);
    if (pDX->m_bSaveAndValidate)
        value = -1;
    int iButton = 0;
    do {
        if (::SendMessage(hWndCtrl, WM_GETDLGCODE, 0, 0) & DLGC_RADIOBUTTON) {
            if (pDX->m_bSaveAndValidate) {
                if (value == -1 && ::SendMessage(hWndCtrl, BM_GETCHECK, 0, 0) != 0)
                    value = iButton;
            } else {
                ::SendMessage(hWndCtrl, BM_SETCHECK, iButton == value, 0);
            }
            ++iButton;
        }
        hWndCtrl = ::GetWindow(hWndCtrl, GW_HWNDNEXT);
    } while (hWndCtrl != NULL && !(::GetWindowLong(hWndCtrl, GWL_STYLE) & WS_GROUP));
}

// ---------------------------------------------------------------------------
// List and combo boxes

void AFXAPI DDX_LBString(CDataExchange* pDX, int nIDC, CString& value)
{
    HWND hWndCtrl = pDX->PrepareCtrl(nIDC);
    if (pDX->m_bSaveAndValidate) {
        int nIndex = static_cast<int>(::SendMessage(hWndCtrl, LB_GETCURSEL, 0, 0));
        value = nIndex == LB_ERR ? CString() : ItemText(hWndCtrl, LB_GETTEXTLEN, LB_GETTEXT, nIndex);
    } else if (::SendMessage(hWndCtrl, LB_SELECTSTRING, static_cast<WPARAM>(-1),
                             reinterpret_cast<LPARAM>(static_cast<LPCTSTR>(value))) == LB_ERR) {
        TRACE0("Warning: no listbox item selected.\n");
    }
}

void AFXAPI DDX_LBStringExact(CDataExchange* pDX, int nIDC, CString& value)
{
    HWND hWndCtrl = pDX->PrepareCtrl(nIDC);
    if (pDX->m_bSaveAndValidate) {
        DDX_LBString(pDX, nIDC, value);
        return;
    }
    int nIndex = static_cast<int>(::SendMessage(hWndCtrl, LB_FINDSTRINGEXACT, static_cast<WPARAM>(-1),
                                                reinterpret_cast<LPARAM>(static_cast<LPCTSTR>(value))));
    if (nIndex < 0)
        TRACE0("Warning: no listbox item selected.\n");
    else
        ::SendMessage(hWndCtrl, LB_SETCURSEL, nIndex, 0);
}

void AFXAPI DDX_CBString(CDataExchange* pDX, int nIDC, CString& value)
{
    HWND hWndCtrl = pDX->PrepareCtrl(nIDC);
    if (pDX->m_bSaveAndValidate) {
        // The edit's text, or the selected item's in a drop-down list.
        value = WindowText(hWndCtrl);
    } else if (::SendMessage(hWndCtrl, CB_SELECTSTRING, static_cast<WPARAM>(-1),
                             reinterpret_cast<LPARAM>(static_cast<LPCTSTR>(value))) == CB_ERR) {
        // No item starts with it: the edit shows it (a drop-down list ignores it).
        SetWindowTextIfChanged(hWndCtrl, value);
    }
}

void AFXAPI DDX_CBStringExact(CDataExchange* pDX, int nIDC, CString& value)
{
    HWND hWndCtrl = pDX->PrepareCtrl(nIDC);
    if (pDX->m_bSaveAndValidate) {
        value = WindowText(hWndCtrl);
        return;
    }
    int nIndex = static_cast<int>(::SendMessage(hWndCtrl, CB_FINDSTRINGEXACT, static_cast<WPARAM>(-1),
                                                reinterpret_cast<LPARAM>(static_cast<LPCTSTR>(value))));
    if (nIndex < 0)
        SetWindowTextIfChanged(hWndCtrl, value);
    else
        ::SendMessage(hWndCtrl, CB_SETCURSEL, nIndex, 0);
}

void AFXAPI DDX_LBIndex(CDataExchange* pDX, int nIDC, int& index)
{
    HWND hWndCtrl = pDX->PrepareCtrl(nIDC);
    if (pDX->m_bSaveAndValidate)
        index = static_cast<int>(::SendMessage(hWndCtrl, LB_GETCURSEL, 0, 0));
    else
        ::SendMessage(hWndCtrl, LB_SETCURSEL, static_cast<WPARAM>(index), 0);
}

void AFXAPI DDX_CBIndex(CDataExchange* pDX, int nIDC, int& index)
{
    HWND hWndCtrl = pDX->PrepareCtrl(nIDC);
    if (pDX->m_bSaveAndValidate)
        index = static_cast<int>(::SendMessage(hWndCtrl, CB_GETCURSEL, 0, 0));
    else
        ::SendMessage(hWndCtrl, CB_SETCURSEL, static_cast<WPARAM>(index), 0);
}

// ---------------------------------------------------------------------------
// Scroll bars and track bars

void AFXAPI DDX_Scroll(CDataExchange* pDX, int nIDC, int& value)
{
    HWND hWndCtrl = pDX->PrepareCtrl(nIDC);
    if (pDX->m_bSaveAndValidate)
        value = ::GetScrollPos(hWndCtrl, SB_CTL);
    else
        ::SetScrollPos(hWndCtrl, SB_CTL, value, TRUE);
}

void AFXAPI DDX_Slider(CDataExchange* pDX, int nIDC, int& value)
{
    HWND hWndCtrl = pDX->PrepareCtrl(nIDC);
    if (pDX->m_bSaveAndValidate)
        value = static_cast<int>(::SendMessage(hWndCtrl, TBM_GETPOS, 0, 0));
    else
        ::SendMessage(hWndCtrl, TBM_SETPOS, TRUE, value);
}

// ---------------------------------------------------------------------------
// Control objects

void AFXAPI DDX_Control(CDataExchange* pDX, int nIDC, CWnd& rControl)
{
    if (rControl.m_hWnd != NULL)
        return;  // attached by an earlier exchange
    HWND hWndCtrl = pDX->PrepareCtrl(nIDC);
    if (!rControl.SubclassWindow(hWndCtrl))
        AfxThrowNotSupportedException();  // already attached to another object
}

// ---------------------------------------------------------------------------
// Validation

void AFXAPI DDV_MaxChars(CDataExchange* pDX, CString const& value, int nChars)
{
    if (pDX->m_bSaveAndValidate && value.GetLength() > nChars) {
        CString strChars;
        strChars.Format(_T("%d"), nChars);
        CString prompt;
        AfxFormatString1(prompt, AFX_IDP_PARSE_STRING_SIZE, strChars);
        FailWithMessage(pDX, prompt, MB_ICONEXCLAMATION, AFX_IDP_PARSE_STRING_SIZE);
    } else if (pDX->m_hWndLastControl != NULL && pDX->m_bEditLastControl) {
        ::SendMessage(pDX->m_hWndLastControl, EM_LIMITTEXT, nChars, 0);
    }
}

void AFXAPI DDV_MinMaxByte(CDataExchange* pDX, BYTE value, BYTE minVal, BYTE maxVal)
{
    if (value < minVal || value > maxVal)
        FailIntegerRange(pDX, minVal, maxVal, _T("%lu"));
}

void AFXAPI DDV_MinMaxShort(CDataExchange* pDX, short value, short minVal, short maxVal)
{
    if (value < minVal || value > maxVal)
        FailIntegerRange(pDX, minVal, maxVal, _T("%ld"));
}

void AFXAPI DDV_MinMaxInt(CDataExchange* pDX, int value, int minVal, int maxVal)
{
    if (value < minVal || value > maxVal)
        FailIntegerRange(pDX, minVal, maxVal, _T("%ld"));
}

void AFXAPI DDV_MinMaxLong(CDataExchange* pDX, long value, long minVal, long maxVal)
{
    if (value < minVal || value > maxVal)
        FailIntegerRange(pDX, minVal, maxVal, _T("%ld"));
}

void AFXAPI DDV_MinMaxUInt(CDataExchange* pDX, UINT value, UINT minVal, UINT maxVal)
{
    if (value < minVal || value > maxVal)
        FailIntegerRange(pDX, static_cast<long>(minVal), static_cast<long>(maxVal), _T("%lu"));
}

void AFXAPI DDV_MinMaxDWord(CDataExchange* pDX, DWORD value, DWORD minVal, DWORD maxVal)
{
    if (value < minVal || value > maxVal)
        FailIntegerRange(pDX, static_cast<long>(minVal), static_cast<long>(maxVal), _T("%lu"));
}

void AFXAPI DDV_MinMaxFloat(CDataExchange* pDX, float const& value, float minVal, float maxVal)
{
    if (value < minVal || value > maxVal)
        FailRealRange(pDX, minVal, maxVal, FLT_DIG);
}

void AFXAPI DDV_MinMaxDouble(CDataExchange* pDX, double const& value, double minVal, double maxVal)
{
    if (value < minVal || value > maxVal)
        FailRealRange(pDX, minVal, maxVal, DBL_DIG);
}

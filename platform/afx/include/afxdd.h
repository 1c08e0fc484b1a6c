// Dialog data exchange and validation: moving values between a dialog's
// controls and member variables (DDX_), and checking them (DDV_).
#pragma once

#include "afx.h"

class CWnd;

// One exchange in one direction, made by CWnd::UpdateData.
class AFX_API CDataExchange {
public:
    CDataExchange(CWnd* pDlgWnd, BOOL bSaveAndValidate);

    BOOL m_bSaveAndValidate;  // TRUE: controls to variables, with validation
    CWnd* m_pDlgWnd;          // the dialog (or form) holding the controls

    // The control's window; it becomes the one Fail puts the focus back on.
    HWND PrepareCtrl(int nIDC);
    // The same for an edit control, whose text Fail also selects.
    HWND PrepareEditCtrl(int nIDC);
    // Puts the focus on the last prepared control and throws a
    // CUserException: the user has already been told what is wrong.
    [[noreturn]] void Fail();

    HWND m_hWndLastControl;
    BOOL m_bEditLastControl;
};

// Text of edit controls and other windows
AFX_API void AFXAPI DDX_Text(CDataExchange* pDX, int nIDC, BYTE& value);
AFX_API void AFXAPI DDX_Text(CDataExchange* pDX, int nIDC, short& value);
AFX_API void AFXAPI DDX_Text(CDataExchange* pDX, int nIDC, int& value);
AFX_API void AFXAPI DDX_Text(CDataExchange* pDX, int nIDC, UINT& value);
AFX_API void AFXAPI DDX_Text(CDataExchange* pDX, int nIDC, long& value);
AFX_API void AFXAPI DDX_Text(CDataExchange* pDX, int nIDC, DWORD& value);
AFX_API void AFXAPI DDX_Text(CDataExchange* pDX, int nIDC, CString& value);
AFX_API void AFXAPI DDX_Text(CDataExchange* pDX, int nIDC, float& value);
AFX_API void AFXAPI DDX_Text(CDataExchange* pDX, int nIDC, double& value);

// Buttons: the check state (0, 1, 2) and the index of the checked radio
// button of the group starting at nIDC (-1 when none is checked).
AFX_API void AFXAPI DDX_Check(CDataExchange* pDX, int nIDC, int& value);
AFX_API void AFXAPI DDX_Radio(CDataExchange* pDX, int nIDC, int& value);

// List and combo boxes: the selection by index or by text. Loading a string
// selects the first item starting with it (or, with Exact, equal to it).
AFX_API void AFXAPI DDX_LBString(CDataExchange* pDX, int nIDC, CString& value);
AFX_API void AFXAPI DDX_CBString(CDataExchange* pDX, int nIDC, CString& value);
AFX_API void AFXAPI DDX_LBStringExact(CDataExchange* pDX, int nIDC, CString& value);
AFX_API void AFXAPI DDX_CBStringExact(CDataExchange* pDX, int nIDC, CString& value);
AFX_API void AFXAPI DDX_LBIndex(CDataExchange* pDX, int nIDC, int& index);
AFX_API void AFXAPI DDX_CBIndex(CDataExchange* pDX, int nIDC, int& index);

// Positions of scroll bars and track bars
AFX_API void AFXAPI DDX_Scroll(CDataExchange* pDX, int nIDC, int& value);
AFX_API void AFXAPI DDX_Slider(CDataExchange* pDX, int nIDC, int& value);

// Attaches rControl to the dialog's control nIDC (once).
AFX_API void AFXAPI DDX_Control(CDataExchange* pDX, int nIDC, CWnd& rControl);

// Validation, after the matching DDX_ call; only when saving (DDV_MaxChars
// also limits the edit's length when loading).
AFX_API void AFXAPI DDV_MaxChars(CDataExchange* pDX, CString const& value, int nChars);
AFX_API void AFXAPI DDV_MinMaxByte(CDataExchange* pDX, BYTE value, BYTE minVal, BYTE maxVal);
AFX_API void AFXAPI DDV_MinMaxShort(CDataExchange* pDX, short value, short minVal, short maxVal);
AFX_API void AFXAPI DDV_MinMaxInt(CDataExchange* pDX, int value, int minVal, int maxVal);
AFX_API void AFXAPI DDV_MinMaxLong(CDataExchange* pDX, long value, long minVal, long maxVal);
AFX_API void AFXAPI DDV_MinMaxUInt(CDataExchange* pDX, UINT value, UINT minVal, UINT maxVal);
AFX_API void AFXAPI DDV_MinMaxDWord(CDataExchange* pDX, DWORD value, DWORD minVal, DWORD maxVal);
AFX_API void AFXAPI DDV_MinMaxFloat(CDataExchange* pDX, float const& value, float minVal, float maxVal);
AFX_API void AFXAPI DDV_MinMaxDouble(CDataExchange* pDX, double const& value, double minVal,
                                     double maxVal);

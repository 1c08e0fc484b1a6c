#include "IconSpacingDlg.h"

#include <math.h>
#include <stdlib.h>

#include "resource.h"

BEGIN_MESSAGE_MAP(CNumberEdit, CEdit)
    ON_CONTROL_REFLECT(EN_CHANGE, OnChange)
END_MESSAGE_MAP()

CNumberEdit::CNumberEdit() : m_nDecimals(0), m_dMin(0), m_dMax(0), m_bRestoring(FALSE) {}

void CNumberEdit::SetAttributes(int nDecimals, double dMin, double dMax)
{
    m_nDecimals = nDecimals;
    m_dMin = dMin;
    m_dMax = dMax;
}

void CNumberEdit::SetNumber(int nValue)
{
    CString strText;
    strText.Format("%d", nValue);
    m_strLastValid = strText;
    SetWindowText(strText);
}

BOOL CNumberEdit::GetValue(float& fValue) const
{
    CString strText;
    GetWindowText(strText);
    LPCSTR psz = strText;
    char* pszEnd = NULL;
    double dValue = strtod(psz, &pszEnd);
    if (pszEnd == psz || *pszEnd != '\0')
        return FALSE;
    fValue = static_cast<float>(dValue);
    return TRUE;
}

// Digits with an optional sign (only where the range allows one) and at most
// m_nDecimals digits after the point, not above the maximum. An unfinished
// entry ("", "-", "3.") is acceptable while typing, and so is a number below a
// positive minimum, which more digits may still bring into the range.
BOOL CNumberEdit::IsAcceptable(const CString& strText) const
{
    LPCSTR p = strText;
    if (*p == '-') {
        if (m_dMin >= 0)
            return FALSE;
        ++p;
    }
    int nDecimals = -1;
    for (; *p != '\0'; ++p) {
        if (*p == '.') {
            if (nDecimals >= 0 || m_nDecimals <= 0)
                return FALSE;
            nDecimals = 0;
        } else if (*p >= '0' && *p <= '9') {
            if (nDecimals >= 0 && ++nDecimals > m_nDecimals)
                return FALSE;
        } else {
            return FALSE;
        }
    }
    LPCSTR psz = strText;
    char* pszEnd = NULL;
    double dValue = strtod(psz, &pszEnd);
    if (pszEnd == psz)
        return TRUE;
    return dValue <= m_dMax && (dValue >= m_dMin || m_dMin > 0);
}

void CNumberEdit::OnChange()
{
    if (m_bRestoring)
        return;
    CString strText;
    GetWindowText(strText);
    if (IsAcceptable(strText)) {
        m_strLastValid = strText;
        return;
    }
    m_bRestoring = TRUE;
    SetWindowText(m_strLastValid);
    SetSel(m_strLastValid.GetLength(), m_strLastValid.GetLength());
    m_bRestoring = FALSE;
}

CIconSpacingDlg::CIconSpacingDlg(CWnd* pParent)
    : CDialog(IDD_ICON_SPACING, pParent), m_nHorzSpacing(-1), m_nVertSpacing(-1)
{
}

void CIconSpacingDlg::DoDataExchange(CDataExchange* pDX)
{
    CDialog::DoDataExchange(pDX);
    DDX_Control(pDX, IDC_SPACING_HORZ, m_editHorz);
    m_editHorz.SetAttributes(2, 0, 100);
    DDX_Control(pDX, IDC_SPACING_VERT, m_editVert);
    m_editVert.SetAttributes(2, 0, 100);
}

BOOL CIconSpacingDlg::OnInitDialog()
{
    CDialog::OnInitDialog();
    m_editHorz.SetNumber(m_nHorzSpacing);
    m_editVert.SetNumber(m_nVertSpacing);
    return TRUE;
}

void CIconSpacingDlg::OnOK()
{
    float fValue = 0;
    if (m_editHorz.GetValue(fValue))
        m_nHorzSpacing = static_cast<int>(floor(fValue + 0.5));
    if (m_editVert.GetValue(fValue))
        m_nVertSpacing = static_cast<int>(floor(fValue + 0.5));
    CDialog::OnOK();
}

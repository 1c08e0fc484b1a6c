#include "General.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <string>

#include "CallLog.h"
#include "NumberText.h"
#include "resource.h"

namespace {

bool WholeType(int type) { return type != 5 && type != 6; }

CString Shown(double value, int type)
{
    CString text;
    if (WholeType(type)) {
        text.Format("%.0f", std::floor(value + 0.5));
        return text;
    }
    text.Format("%.4f", value);
    // Without the trailing zeros, and without a point that ends the text.
    int end = text.GetLength();
    while (end > 0 && text[end - 1] == '0')
        end--;
    if (end > 0 && text[end - 1] == '.')
        end--;
    return text.Left(end);
}

}  // namespace

BEGIN_MESSAGE_MAP(CDigitalEdit, CEdit)
    ON_WM_CHAR()
END_MESSAGE_MAP()

CDigitalEdit::CDigitalEdit() : m_nType(2), m_fMin(0.0f), m_fMax(0.0f) {}

CDigitalEdit::~CDigitalEdit() {}

void CDigitalEdit::SetAttribute(int nType, float fMin, float fMax)
{
    m_nType = nType;
    m_fMin = fMin;
    m_fMax = fMax;
}

void CDigitalEdit::SetAttribute(int nType, int nMin, int nMax)
{
    SetAttribute(nType, static_cast<float>(nMin), static_cast<float>(nMax));
}

void CDigitalEdit::SetNumber(float fValue)
{
    if (m_hWnd != NULL)
        SetWindowText(Shown(fValue, m_nType));
}

void CDigitalEdit::SetNumber(int nValue)
{
    if (m_hWnd != NULL)
        SetWindowText(Shown(nValue, m_nType));
}

BOOL CDigitalEdit::GetValue(float& fValue)
{
    if (m_hWnd == NULL)
        return FALSE;
    CString text;
    GetWindowText(text);
    double value = 0.0;
    if (!general::ParseNumber(text, m_nType, value) || value < m_fMin || value > m_fMax)
        return FALSE;
    fValue = static_cast<float>(value);
    return TRUE;
}

BOOL CDigitalEdit::GetValue(int& nValue)
{
    float value = 0.0f;
    if (!GetValue(value))
        return FALSE;
    nValue = static_cast<int>(std::floor(value + 0.5));
    return TRUE;
}

BOOL CDigitalEdit::CheckKillfocus()
{
    float value;
    if (m_hWnd == NULL || GetValue(value))
        return TRUE;
    char format[128] = "";
    ::LoadStringA(general::ThisModule(), WholeType(m_nType) ? IDS_GENERAL_DIGIT_WHOLE : IDS_GENERAL_DIGIT_NUMBER,
                  format, sizeof format);
    CString message;
    message.Format(format, static_cast<LPCTSTR>(Shown(m_fMin, m_nType)), static_cast<LPCTSTR>(Shown(m_fMax, m_nType)));
    AfxMessageBox(message, MB_OK | MB_ICONEXCLAMATION);
    SetFocus();
    SetSel(0, -1);
    return FALSE;
}

// Control characters (backspace, the clipboard keys) pass; a character that
// cannot stand at the caret in a number of the type is refused with a beep.
// Bytes of double-byte characters are no digits.
void CDigitalEdit::OnChar(UINT nChar, UINT nRepCnt, UINT nFlags)
{
    if (nChar < 32) {
        CEdit::OnChar(nChar, nRepCnt, nFlags);
        return;
    }
    CString text;
    GetWindowText(text);
    int start = 0, end = 0;
    GetSel(start, end);
    std::string all(static_cast<LPCTSTR>(text));
    start = std::max(0, std::min(start, static_cast<int>(all.size())));
    end = std::max(start, std::min(end, static_cast<int>(all.size())));
    if (nChar > 127 || !general::MayType(all.substr(0, start).c_str(), all.substr(end).c_str(),
                                         static_cast<char>(nChar), m_nType)) {
        ::MessageBeep(MB_OK);
        return;
    }
    CEdit::OnChar(nChar, nRepCnt, nFlags);
}

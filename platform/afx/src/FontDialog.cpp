#include "afxdlgs.h"

IMPLEMENT_DYNAMIC(CFontDialog, CCommonDialog)

CFontDialog::CFontDialog(LPLOGFONT lplfInitial, DWORD dwFlags, CDC* pdcPrinter, CWnd* pParentWnd)
    : CCommonDialog(pParentWnd)
{
    memset(&m_cf, 0, sizeof(m_cf));
    memset(&m_lf, 0, sizeof(m_lf));
    m_cf.lStructSize = sizeof(m_cf);
    m_cf.lpLogFont = &m_lf;
    m_cf.Flags = dwFlags | CF_ENABLEHOOK;
    m_cf.lpfnHook = HookProc;
    if (lplfInitial != NULL) {
        m_lf = *lplfInitial;
        m_cf.Flags |= CF_INITTOLOGFONTSTRUCT;
    }
    if (pdcPrinter != NULL) {
        m_cf.hDC = pdcPrinter->m_hAttribDC;
        m_cf.Flags |= CF_PRINTERFONTS;
    }
}

int CFontDialog::DoModal()
{
    COMMONHOOKPROC pfnCallerHook = NULL;
    if ((m_cf.Flags & CF_ENABLEHOOK) && m_cf.lpfnHook != NULL && m_cf.lpfnHook != HookProc)
        pfnCallerHook = m_cf.lpfnHook;
    m_cf.Flags |= CF_ENABLEHOOK;
    m_cf.lpfnHook = HookProc;

    if ((m_cf.Flags & CF_ENABLETEMPLATE) && m_cf.hInstance == NULL)
        m_cf.hInstance = AfxFindResourceHandle(m_cf.lpTemplateName, RT_DIALOG);

    m_cf.hwndOwner = BeginCommonModal(pfnCallerHook);
    BOOL bResult = ::ChooseFontA(&m_cf);
    EndCommonModal();

    if (pfnCallerHook != NULL)
        m_cf.lpfnHook = pfnCallerHook;
    return bResult ? IDOK : IDCANCEL;
}

void CFontDialog::GetCurrentFont(LPLOGFONT lplf)
{
    if (m_hWnd != NULL)
        ::SendMessageA(m_hWnd, WM_CHOOSEFONT_GETLOGFONT, 0, reinterpret_cast<LPARAM>(lplf));
    else
        *lplf = *m_cf.lpLogFont;
}

CString CFontDialog::GetFaceName() const
{
    return CString(m_cf.lpLogFont->lfFaceName);
}

int CFontDialog::GetSize() const
{
    return m_cf.iPointSize;
}

COLORREF CFontDialog::GetColor() const
{
    return m_cf.rgbColors;
}

int CFontDialog::GetWeight() const
{
    return m_cf.lpLogFont->lfWeight;
}

BOOL CFontDialog::IsBold() const
{
    return m_cf.lpLogFont->lfWeight >= FW_SEMIBOLD ? TRUE : FALSE;
}

BOOL CFontDialog::IsItalic() const
{
    return m_cf.lpLogFont->lfItalic ? TRUE : FALSE;
}

#include "afxdlgs.h"

IMPLEMENT_DYNAMIC(CColorDialog, CCommonDialog)

COLORREF CColorDialog::clrSavedCustom[16] = {
    RGB(255, 255, 255), RGB(255, 255, 255), RGB(255, 255, 255), RGB(255, 255, 255),
    RGB(255, 255, 255), RGB(255, 255, 255), RGB(255, 255, 255), RGB(255, 255, 255),
    RGB(255, 255, 255), RGB(255, 255, 255), RGB(255, 255, 255), RGB(255, 255, 255),
    RGB(255, 255, 255), RGB(255, 255, 255), RGB(255, 255, 255), RGB(255, 255, 255)};

CColorDialog::CColorDialog(COLORREF clrInit, DWORD dwFlags, CWnd* pParentWnd)
    : CCommonDialog(pParentWnd)
{
    memset(&m_cc, 0, sizeof(m_cc));
    m_cc.lStructSize = sizeof(m_cc);
    m_cc.lpCustColors = clrSavedCustom;
    m_cc.Flags = dwFlags | CC_ENABLEHOOK;
    m_cc.lpfnHook = HookProc;
    m_cc.rgbResult = clrInit;
    if (clrInit != 0)
        m_cc.Flags |= CC_RGBINIT;
}

int CColorDialog::DoModal()
{
    COMMONHOOKPROC pfnCallerHook = NULL;
    if ((m_cc.Flags & CC_ENABLEHOOK) && m_cc.lpfnHook != NULL && m_cc.lpfnHook != HookProc)
        pfnCallerHook = m_cc.lpfnHook;
    m_cc.Flags |= CC_ENABLEHOOK;
    m_cc.lpfnHook = HookProc;

    if ((m_cc.Flags & CC_ENABLETEMPLATE) && m_cc.hInstance == NULL)
        m_cc.hInstance = reinterpret_cast<HWND>(AfxFindResourceHandle(m_cc.lpTemplateName, RT_DIALOG));

    m_cc.hwndOwner = BeginCommonModal(pfnCallerHook);
    BOOL bResult = ::ChooseColorA(&m_cc);
    EndCommonModal();

    if (pfnCallerHook != NULL)
        m_cc.lpfnHook = pfnCallerHook;
    return bResult ? IDOK : IDCANCEL;
}

void CColorDialog::SetCurrentColor(COLORREF clr)
{
    static const UINT nSetRgbMessage = ::RegisterWindowMessageA(SETRGBSTRINGA);
    ::SendMessageA(m_hWnd, nSetRgbMessage, 0, static_cast<LPARAM>(clr));
}

COLORREF CColorDialog::GetColor() const
{
    return m_cc.rgbResult;
}

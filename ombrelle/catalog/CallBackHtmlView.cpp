#include "CallBackHtmlView.h"

#include "OmbrelleApp.h"
#include "PageScript.h"

namespace {

// The main frame answers it by closing its active window.
const UINT WM_CLOSE_ACTIVE_WINDOW = WM_USER + 1004;

}  // namespace

IMPLEMENT_DYNCREATE(CCallBackHtmlView, CHtmlView)

BEGIN_MESSAGE_MAP(CCallBackHtmlView, CHtmlView)
END_MESSAGE_MAP()

CCallBackHtmlView::CCallBackHtmlView() {}

CCallBackHtmlView::~CCallBackHtmlView() {}

void CCallBackHtmlView::OnInitialUpdate()
{
    CHtmlView::OnInitialUpdate();
    Navigate2(static_cast<COmbrelleApp*>(AfxGetApp())->CallBackFileName);
}

CString CCallBackHtmlView::CallGetAssetId()
{
    return CallGetAssetId(CPageObject::DocumentOf(*this).Get());
}

CString CCallBackHtmlView::CallGetAssetId(IDispatch* pDocument)
{
    return CallPageScriptText(pDocument, "GetAssetId");
}

CString CCallBackHtmlView::CallGetStorageLocation(LPCTSTR lpszText)
{
    return CallGetStorageLocation(CPageObject::DocumentOf(*this).Get(), lpszText);
}

CString CCallBackHtmlView::CallGetStorageLocation(IDispatch* pDocument, LPCTSTR lpszText)
{
    return CallPageScriptText(pDocument, "GetStorageLocation", {lpszText});
}

void CCallBackHtmlView::CallCallBack(LPCTSTR lpszText)
{
    CallCallBack(CPageObject::DocumentOf(*this).Get(), lpszText);
}

void CCallBackHtmlView::CallCallBack(IDispatch* pDocument, LPCTSTR lpszText)
{
    CallPageScriptText(pDocument, "CallBack", {lpszText});
}

BOOL CCallBackHtmlView::CheckRight()
{
    return CheckRight(CPageObject::DocumentOf(*this).Get());
}

BOOL CCallBackHtmlView::CheckRight(IDispatch* pDocument)
{
    VARIANT var;
    BOOL bRight = FALSE;
    if (SUCCEEDED(CallPageScript(pDocument, "GetCode", {}, &var)))
        bRight = SUCCEEDED(::VariantChangeType(&var, &var, 0, VT_I2)) && V_I2(&var) != 0;
    ::VariantClear(&var);
    if (bRight) {
        if (CFrameWnd* pFrame = GetParentFrame())
            pFrame->ShowWindow(SW_SHOWMAXIMIZED);
        return TRUE;
    }
    AfxMessageBox("You don't has right!");
    if (CWnd* pActive = CWnd::GetActiveWindow())
        pActive->PostMessage(WM_CLOSE_ACTIVE_WINDOW, 0, 0);
    return FALSE;
}

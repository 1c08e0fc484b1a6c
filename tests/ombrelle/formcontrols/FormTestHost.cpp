#include "FormTestHost.h"

#include "FCControlFactory.h"
#include "PropertyListBox.h"

#include <windowsx.h>

namespace {

class CFormTestApp : public CWinApp {
public:
    CFormTestApp() : CWinApp("表单控件测试") {}
};

CFormTestApp theApp;

}  // namespace

BOOL CFormHostWnd::CreateHost(const CRect& rect)
{
    return CreateEx(0, "#32770", "表单", WS_OVERLAPPEDWINDOW | WS_VISIBLE | WS_CLIPCHILDREN, rect, NULL, 0);
}

LRESULT CFormHostWnd::WindowProc(UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message >= WM_MOUSEFIRST && message <= 0x209) {
        const CPoint point(GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam));
        m_mouse.push_back({message, point});
        if (message == WM_LBUTTONDOWN && m_pTrackingFactory != nullptr) {
            CWnd* pControl = CWnd::FromHandlePermanent(::ChildWindowFromPointEx(m_hWnd, point, CWP_SKIPINVISIBLE));
            if (pControl != nullptr && pControl != this)
                m_pTrackingFactory->TrackControl(pControl, point);
        }
    } else if (message == WM_KEYDOWN || message == WM_KEYUP) {
        m_keys.push_back(message);
    } else if (message == WM_PROPERTY_SELCHANGED) {
        ++m_nSelectionNotices;
    }
    return CWnd::WindowProc(message, wParam, lParam);
}

// A plain visible top-level window that the control tests put their
// controls in; it hands owner-draw and notification messages on as any
// window of the library does.
#pragma once

#include "afxwin.h"

namespace controltest {

class CControlHost : public CWnd {
public:
    BOOL CreateHost()
    {
        LPCTSTR className = AfxRegisterWndClass(0, ::LoadCursor(NULL, IDC_ARROW),
                                                (HBRUSH)(COLOR_WINDOW + 1));
        return CreateEx(0, className, _T("控件测试"), WS_OVERLAPPEDWINDOW | WS_VISIBLE, 0, 0, 480,
                        360, NULL, NULL);
    }
};

// The middle of an item's rectangle, moved dx from its left edge.
inline CPoint PointInItem(const RECT& item, int dx)
{
    return CPoint(item.left + dx, (item.top + item.bottom) / 2);
}

// A click of the left button as the control would get it.
inline void Click(CWnd& control, CPoint point)
{
    control.SendMessage(WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(point.x, point.y));
    control.SendMessage(WM_LBUTTONUP, 0, MAKELPARAM(point.x, point.y));
}

}  // namespace controltest

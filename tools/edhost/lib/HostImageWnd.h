// The host's image window: the window that a pane learns from the host
// dialog and asks about the image.
#pragma once

#include "afxwin.h"

class CHostImageWnd : public CWnd {
public:
    BOOL Create(CWnd* pParent, const RECT& rect, UINT nID);

protected:
    afx_msg void OnPaint();
    afx_msg LRESULT OnGetImageMode(WPARAM wParam, LPARAM lParam);
    afx_msg LRESULT OnGetImageInfo(WPARAM wParam, LPARAM lParam);
    afx_msg LRESULT OnGetAutoLevels(WPARAM wParam, LPARAM lParam);
    DECLARE_MESSAGE_MAP()
};

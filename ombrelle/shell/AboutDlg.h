// The about box: one picture; a click anywhere closes it.
#pragma once

#include "afxwin.h"

class CAboutDlg : public CDialog {
public:
    CAboutDlg();

protected:
    afx_msg void OnLButtonDown(UINT nFlags, CPoint point);
    afx_msg void OnRButtonDown(UINT nFlags, CPoint point);
    DECLARE_MESSAGE_MAP()
};

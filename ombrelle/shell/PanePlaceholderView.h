// An empty form that holds the place of a pane whose own class is not
// there, so that the layout and the look-ups by pane id stand.
#pragma once

#include "afxwin.h"

class CPanePlaceholderView : public CFormView {
    DECLARE_DYNCREATE(CPanePlaceholderView)

protected:
    CPanePlaceholderView();
};

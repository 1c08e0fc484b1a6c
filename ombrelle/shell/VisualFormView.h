// A form view whose child controls are enabled and disabled together with it.
#pragma once

#include "afxwin.h"

class TVisualFormView : public CFormView {
    DECLARE_DYNAMIC(TVisualFormView)

protected:
    explicit TVisualFormView(LPCTSTR lpszTemplateName);
    explicit TVisualFormView(UINT nIDTemplate);

    afx_msg void OnEnable(BOOL bEnable);
    DECLARE_MESSAGE_MAP()
};

// The host's main frame: docking on every side, a status bar, a log bar and
// the image document template, with commands to open an image child frame
// and the host dialog. Programs derive their own frame from it for commands
// of their own.
#pragma once

#include "afxwin.h"
#include "afxext.h"

#include "HostDialog.h"

class CHostFrame : public CMDIFrameWnd {
    DECLARE_DYNAMIC(CHostFrame)
public:
    CHostFrame();
    ~CHostFrame() override;

    // A new image document in a child frame of its own; null on failure.
    CFrameWnd* NewImage();
    // The host dialog, shown (made on first use).
    CHostDialog* ShowHostDialog();
    CHostDialog* GetHostDialog() { return m_pHostDialog; }
    void RecalcLayout(BOOL bNotify = TRUE) override;
    CMultiDocTemplate* GetImageTemplate() const { return m_pImageTemplate; }

    CStatusBar m_wndStatusBar;
    CDialogBar m_wndLogBar;

protected:
    afx_msg int OnCreate(LPCREATESTRUCT lpCreateStruct);
    afx_msg void OnDestroy();
    afx_msg void OnNewImage();
    afx_msg void OnHostDialog();
    afx_msg void OnClearLog();
    DECLARE_MESSAGE_MAP()

private:
    CMultiDocTemplate* m_pImageTemplate;
    CHostDialog* m_pHostDialog;
};

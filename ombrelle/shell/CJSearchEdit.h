// An edit control with a small "..." button at its right end that fills
// the edit from a folder browser or a file dialog, or drops down a menu.
#pragma once

#include "afxwin.h"

// The button's kinds.
enum {
    kBrowseFolder = 0,
    kBrowsePicture = 1,
    kBrowseMenu = 2,
    kBrowseAnyFile = 3,
};

class CEditButton : public CButton {
    DECLARE_SERIAL(CEditButton)
public:
    CEditButton();
    virtual ~CEditButton();

    // Makes the button beside pEdit, which it narrows; TRUE on success.
    virtual BOOL Attach(CWnd* pEdit, int nKind, int nMenuId);

    // The highest id from 32767 down to 2 that no child of pParent has;
    // -1 when every one is taken.
    static int FindFreeControlId(CWnd* pParent);

protected:
    CWnd* m_pEdit;
    CFont m_font;
    int m_nKind;
    int m_nMenuId;

    afx_msg void OnClicked();
    DECLARE_MESSAGE_MAP()
};

class CCJSearchEdit : public CEdit {
    DECLARE_SERIAL(CCJSearchEdit)
public:
    CCJSearchEdit();
    virtual ~CCJSearchEdit();

    // Before the edit's window is subclassed. Kind 2 needs a menu resource
    // with at least one submenu.
    void SetKind(int nKind, int nMenuId = -1);

    CEditButton& GetButton() { return m_button; }

protected:
    virtual void PreSubclassWindow();

    int m_nKind;
    int m_nMenuId;
    CEditButton m_button;

    afx_msg int OnCreate(LPCREATESTRUCT lpCreateStruct);
    afx_msg void OnShowWindow(BOOL bShow, UINT nStatus);
    afx_msg void OnEnable(BOOL bEnable);
    DECLARE_MESSAGE_MAP()
};

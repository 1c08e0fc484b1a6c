// The file information page (tab page 15 of the child frame): the selected
// picture's file details, editable; what the operator types reaches the
// document when another pane becomes active.
#pragma once

#include "afxwin.h"

class CFileInfoFormView : public CFormView {
    DECLARE_DYNCREATE(CFileInfoFormView)
protected:
    CFileInfoFormView();

public:
    virtual ~CFileInfoFormView();

    // Empties the ten boxes and the web picture path, and disables the path
    // and its button.
    void ClearFields();
    // Puts the ten members into their boxes; the web picture path is emptied
    // and enabled with its button.
    void ShowFields();

    virtual void OnInitialUpdate();

    // Set by the thumbnail pane before ShowFields.
    CString m_strHorRes;
    CString m_strVerRes;
    CString m_strModifyTime;  // the last-write time, in the box labelled "修改时间："
    CString m_strFilePath;    // the folder
    CString m_strFileSize;    // kilobytes
    CString m_strColorMode;
    CString m_strCreateTime;  // the creation time, in the box labelled "创建时间："
    CString m_strFileName;
    CString m_strHeight;
    CString m_strWidth;

protected:
    virtual void DoDataExchange(CDataExchange* pDX);
    virtual void OnActivateView(BOOL bActivate, CView* pActivateView, CView* pDeactiveView);
};

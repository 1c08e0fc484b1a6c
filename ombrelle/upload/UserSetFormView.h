// The page "网页图片设置" (tab page 17 of the child frame): how web copies
// are stored, their format, size and resolution, and the thumbnail size.
// It reads profile section "PicSetting" in its initial update and writes it
// back when it is destroyed; nothing else reads or writes that section.
#pragma once

#include "afxwin.h"

class CUserSetFormView : public CFormView {
    DECLARE_DYNCREATE(CUserSetFormView)
protected:
    CUserSetFormView();

public:
    virtual ~CUserSetFormView();

    virtual void OnInitialUpdate();

protected:
    virtual void DoDataExchange(CDataExchange* pDX);

    // The resolution edit and spin follow the flag; with it on, the size
    // radios and the edit and spin of the current web size mode only.
    void EnableSizeControls(BOOL bOn);

    afx_msg void OnStoreNone();
    afx_msg void OnStoreAuto();
    afx_msg void OnStoreUser();
    afx_msg void OnStoreMatch();
    afx_msg void OnFormatJpeg();
    afx_msg void OnFormatGif();
    afx_msg void OnThumb48();
    afx_msg void OnThumb64();
    afx_msg void OnThumb96();
    afx_msg void OnThumbCustom();
    afx_msg void OnByProportion();
    afx_msg void OnByWidth();
    afx_msg void OnByHeight();
    afx_msg void OnJpegModeChange();
    afx_msg void OnBrowse();
    afx_msg void OnProportionChange();
    afx_msg void OnThumbSizeChange();
    afx_msg void OnWidthChange();
    afx_msg void OnHeightChange();
    afx_msg void OnResolutionChange();
    DECLARE_MESSAGE_MAP()

private:
    struct NumberEdit;
    static const NumberEdit kNumberEdits[];

    void OnNumberChange(const NumberEdit& edit);
    void EnableControl(int nId, BOOL bEnable);
    void ShowThumbnailMode(int nMode);
    void ShowWebSizeMode(int nMode);
    void SetUpNumber(int nEdit, int nSpin, int nMin, int nMax, int nValue);
    // "BatchPath", or the current directory when that is empty.
    CString BatchFolder() const;

    // Bound to the edits.
    int m_nThumbSizeEdit;
    int m_nResolutionEdit;
    int m_nWebWidth;
    int m_nWebHeight;
    int m_nProportion;
    CString m_strPathEdit;

    int m_nFormat;       // 1 JPEG, 0 GIF
    int m_nJpegMode;     // index into "RGB", "GRAY"
    int m_nStorageMode;  // 0 none, 1 automatic, 2 chosen folder, 3 matched under a folder
    CString m_strWebPicPath;
    int m_nThumbMode;    // 0 48, 1 64, 2 96, 3 custom
    int m_nThumbSize;
    int m_nWebSizeMode;  // 0 proportion, 1 width, 2 height
    int m_nResolution;

    // Each swallows the next change notice of its edit: the one that
    // filling the page raises.
    BOOL m_bSkipProportion;
    BOOL m_bSkipThumbSize;
    BOOL m_bSkipWidth;
    BOOL m_bSkipHeight;
    BOOL m_bSkipResolution;

    // Set while an edit is being put back: the notice that raises reads the
    // restored value and restores nothing again.
    BOOL m_bRestoring;
};

// The dialog "从作业打开": the host picks a page or an original of the
// current job, seeing its preview, its size and its type. The host opens it
// only while a job is current and reads m_strFileName after IDOK.
#pragma once

#include "afxwin.h"

#include "OrdwellApi.h"

class ORDWELL_API JOpenFileInJob : public CDialog {
public:
    explicit JOpenFileInJob(CWnd* pParent = NULL);
    virtual ~JOpenFileInJob();

    // Selects a file for the preview: draws it unless it is the one last drawn.
    void OnDrawPrevImage(const char* lpszFileName);
    // Reads the file's header, sets the size and type texts and, with the
    // preview on, draws the picture fitted into the box.
    void DrawPrevImg(const char* lpszFileName, CRect rcBox, CDC* pDC);
    // The picture's rectangle (x, y, width, height) in the box; FALSE, with
    // out untouched, when the picture or the box is empty.
    BOOL AdjustScale(CRect rcBox, int out[4], unsigned long nWidth, unsigned long nHeight);

    CListBox m_listFiles;         // 4107
    int m_bPreview;               // check box 4115; 1 after construction
    int m_nSelected;              // the chosen line, -1 for none
    CString m_strFileName;        // the chosen file, set by OnOK
    CString m_strLastDrawn;       // the file last given to the preview
    CString m_strSelectedFile;    // the file now selected
    CString m_strSizeText;        // for static 27527
    CString m_strTypeText;        // for static 27528
    CWnd* m_pPreviewWnd;          // the preview frame 27530
    int m_nImageWidth;            // the reader's display image
    int m_nImageHeight;
    BYTE* m_pDisplayBits;

protected:
    virtual void DoDataExchange(CDataExchange* pDX);
    virtual BOOL OnInitDialog();
    virtual void OnOK();
    afx_msg void OnDblclkJobCurFilelist();
    afx_msg void OnPrvImgCheck();
    afx_msg void OnSelchangeJobCurFilelist();
    afx_msg void OnPaint();
    DECLARE_MESSAGE_MAP()

private:
    void FillBox(CDC* pDC, const CRect& rcBox, COLORREF color);
    void ShowTexts();
    // The selected file drawn again as the preview switch says.
    void RedrawSelected();
};

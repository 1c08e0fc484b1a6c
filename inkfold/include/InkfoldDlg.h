// The separation dialog: edits the separation settings of its model, shows
// the grey ramp's C, M, Y and K curves and, on OK, writes the conversion
// table "dto.cvt" from the colour chart "dto.org", the copy "otd.cvt" of the
// standard table and "default.par".
#pragma once

#include "afxwin.h"

#include <cstdio>

#include "ConversionTable.h"
#include "InkfoldApi.h"
#include "SeparationModel.h"

class INKFOLD_API CInkfoldDlg : public CDialog {
public:
    enum { IDD = 1183 };

    // The folders stay owned by the caller and must outlive the dialog: the
    // tables are written into pszTableFolder; the colour files are read from
    // pszWorkFolder followed by "\..\color".
    CInkfoldDlg(CWnd* pParent, char* pszTableFolder, char* pszWorkFolder);
    ~CInkfoldDlg() override;
    CInkfoldDlg(const CInkfoldDlg&) = delete;
    CInkfoldDlg& operator=(const CInkfoldDlg&) = delete;

    CComboBox m_cmbSelectInk;
    CButton m_btnOutGray;
    CButton m_btnInGray;
    CButton m_btnColor;
    CButton m_btnBlack;
    CButton m_btnTypeUcr;
    CButton m_btnUcr;
    int m_nTotalInk;   // percent, 0..400
    int m_nUca;        // percent, 0..100

    CSeparationModel m_model;
    CWnd* m_pUcaEdit;

    CTifChartInfo m_tifInfo;
    unsigned char* m_pChartBuffer;   // kChartBufferBytes
    unsigned char m_tifHead[kCvtHeadBytes];

    int m_nDisCurve[4][256];   // C, M, Y, K ink for each darkness of a grey

    CRect m_rcCurve;   // frame 1074 in the dialog's client coordinates
    CRect m_rcInner;   // 1 pixel inside it
    int m_nInnerWidth;
    int m_nGrid[3];    // a quarter, half and three quarters of the inner width

    char* m_pszTableFolder;
    char* m_pszWorkFolder;

    void mk_DisCurve();
    void drawgrid(CDC* pDC);
    void drawcurve(CDC* pDC);
    // Reads the chart's IFD into m_tifInfo; FALSE when a check fails.
    BOOL getTifInfo(FILE* pChart);
    void FillTifHead(int width, int height, int samples);

protected:
    void DoDataExchange(CDataExchange* pDX) override;
    BOOL OnInitDialog() override;
    void OnOK() override;

    afx_msg void OnPaint();
    afx_msg void OnInkfoldTypeUcr();
    afx_msg void OnInkfoldTypeGcr();
    afx_msg void OnInkfoldLoad();
    afx_msg void OnInkfoldSave();
    afx_msg void OnSelchangeInkfoldSelectInk();
    afx_msg void OnChangeInkfoldUca();
    afx_msg void OnChangeInkfoldTotalink();
    afx_msg void OnInkfoldOption();
    afx_msg void OnInkfoldUcr();
    afx_msg void OnInkfoldColor();
    afx_msg void OnInkfoldGcr();
    afx_msg void OnInkfoldBlack();
    afx_msg void OnInkfoldLever();
    afx_msg void OnInkfoldIngray();
    afx_msg void OnInkfoldOutgray();
    DECLARE_MESSAGE_MAP()

private:
    CString ColorFile(const char* pszName) const;
    CString TableFile(const char* pszName) const;
    // The total ink as the edit shows it.
    int TotalInkPercent() const;
    // Enables the controls that the stage switches and UCR or GCR allow.
    void SetEnableStates();
    // The edit's integer when it lies in nMin..nMax; otherwise the message.
    BOOL ReadEditInRange(int nID, int nMin, int nMax, UINT nIDMessage, int& value);
    // Recomputes the curves and has them painted again.
    void Redraw();
    // Runs a sub-dialog with Inkfold's resources current.
    INT_PTR RunSubDialog(CDialog& dialog);
    // Writes "dto.cvt" from the open chart; FALSE after a message.
    BOOL WriteConversionTable(FILE* pChart);

    // Set when OnInitDialog has filled the controls: the edits' change
    // notifications before then come from filling them, not from the user.
    BOOL m_bInitialised;
};

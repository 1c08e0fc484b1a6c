// The input and output grey balance dialogs: each channel shaped by five
// handles (curve mode) or from the table of grey steps (data mode). The two
// differ only in the model fields, pens and rules that CSide names.
#pragma once

#include "afxwin.h"

#include <memory>
#include <vector>

#include "CurvePlot.h"
#include "InkfoldApi.h"
#include "SeparationModel.h"

class CCurveBox;

class INKFOLD_API CGrayBalanceDlg : public CDialog {
public:
    enum { kChannels = 3, kHandles = 5 };

    // Working copies, taken from the model at initialisation.
    int m_nSource[kChannels];   // 1 data mode, 0 curve mode
    int m_nCount;               // grey steps, 1..21
    int m_nTable[kChannels][CSeparationCore::kStepEntries];

    bool IsOutput() const { return m_bOutput; }
    const std::vector<int>& Curve(int channel) const { return m_curve[channel]; }
    const int* Handles(int channel) const { return m_nHandle[channel]; }
    const CCurvePlot& Plot() const;
    int SelectedChannel() const { return m_nChannel; }   // 0 none, 1..3

protected:
    CGrayBalanceDlg(UINT nIDTemplate, CWnd* pParent, CSeparationModel* pModel, bool bOutput);
    ~CGrayBalanceDlg() override;

    void OnOK() override;
    BOOL OnInitDialog() override;

    afx_msg void OnPaint();
    afx_msg void OnLButtonDown(UINT nFlags, CPoint point);
    afx_msg void OnMouseMove(UINT nFlags, CPoint point);
    afx_msg void OnLButtonUp(UINT nFlags, CPoint point);
    afx_msg void OnData();
    afx_msg void OnCurveMode();
    afx_msg void OnSelchangeChannel();
    afx_msg void OnSettings();
    DECLARE_MESSAGE_MAP()

private:
    CGrayBalanceDlg(const CGrayBalanceDlg&) = delete;
    CGrayBalanceDlg& operator=(const CGrayBalanceDlg&) = delete;

    struct Fields;
    Fields ModelFields() const;
    void CurveFromTable(int channel);
    BOOL CurveModeActive() const;
    void EnableModeControls(BOOL bRadios, BOOL bSettings);
    void RedrawPlot();

    CSeparationModel* m_pModel;
    bool m_bOutput;
    int m_nFrameID, m_nDataID, m_nCurveID, m_nListID, m_nSettingsID;
    std::unique_ptr<CCurveBox> m_pBox;
    std::vector<int> m_curve[kChannels];
    int m_nHandle[kChannels][kHandles];
    int m_nShowHandles;   // 1 shown
    int m_nChannel;
    int m_nDragged;       // 0 none, 1..5
};

class INKFOLD_API CInputBalanceDlg : public CGrayBalanceDlg {
public:
    enum { IDD = 1015 };
    CInputBalanceDlg(CWnd* pParent, CSeparationModel* pModel);
};

class INKFOLD_API COutputBalanceDlg : public CGrayBalanceDlg {
public:
    enum { IDD = 1184 };
    COutputBalanceDlg(CWnd* pParent, CSeparationModel* pModel);
};

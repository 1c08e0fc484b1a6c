// Black generation: a parametric curve (level, start and end positions,
// minimum and maximum amounts) or a free curve through five handles.
#pragma once

#include "afxwin.h"

#include <memory>
#include <vector>

#include "CurvePlot.h"
#include "InkfoldApi.h"
#include "SeparationModel.h"

class CCurveBox;

class INKFOLD_API CBlackGenDlg : public CDialog {
public:
    enum { IDD = 1013 };

    CBlackGenDlg(CWnd* pParent, CSeparationModel* pModel);
    ~CBlackGenDlg() override;
    CBlackGenDlg(const CBlackGenDlg&) = delete;
    CBlackGenDlg& operator=(const CBlackGenDlg&) = delete;

    // Percentages 0..100, as the edits hold them.
    int m_nStart;     // tone position where black starts
    int m_nEnd;       // tone position of the maximum
    int m_nMinimum;
    int m_nMaximum;

    // After OK: the model's black curve from what the dialog shows, in the
    // mode the model is in, and its black table rebuilt.
    void StoreBlackCurve(CSeparationCore& model) const;

    const std::vector<int>& Curve() const { return m_curve; }
    const CCurvePlot& Plot() const;
    const int* Handles() const { return m_nHandle; }

protected:
    void DoDataExchange(CDataExchange* pDX) override;
    BOOL OnInitDialog() override;
    void OnOK() override;

    afx_msg void OnPaint();
    afx_msg void OnLButtonDown(UINT nFlags, CPoint point);
    afx_msg void OnMouseMove(UINT nFlags, CPoint point);
    afx_msg void OnLButtonUp(UINT nFlags, CPoint point);
    afx_msg void OnData();
    afx_msg void OnCurveMode();
    afx_msg void OnSelchangeLevel();
    afx_msg void OnChangeStart();
    afx_msg void OnChangeEnd();
    afx_msg void OnChangeMinimum();
    afx_msg void OnChangeMaximum();
    DECLARE_MESSAGE_MAP()

private:
    enum { kStart, kEnd, kMinimum, kMaximum, kValues };

    // The working value of one edit, its message when out of range.
    void EditChanged(int nValue);
    // From the working values, while all of them lie in 0..100.
    void ComputePreview();
    void EnableParameters(BOOL bEnable);
    void RedrawPlot();

    CSeparationModel* m_pModel;
    std::unique_ptr<CCurveBox> m_pBox;
    std::vector<int> m_curve;
    int m_nHandle[5];
    int m_nDragged;   // 0 none, 1..5
    float m_fWorkLevel;
    int m_nWork[kValues];
    // Set once the plot and the working values exist: the edits' change
    // notifications before then come from filling them.
    BOOL m_bReady;
};

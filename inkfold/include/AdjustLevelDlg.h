// The tone curves of the inks C, M and Y: lifted or lowered by bright,
// middle and dark amounts, or drawn freely through five handles.
#pragma once

#include "afxwin.h"

#include <memory>
#include <vector>

#include "CurvePlot.h"
#include "InkfoldApi.h"
#include "SeparationModel.h"

class CCurveBox;

class INKFOLD_API CAdjustLevelDlg : public CDialog {
public:
    enum { IDD = 1014 };

    CAdjustLevelDlg(CWnd* pParent, CSeparationModel* pModel);
    ~CAdjustLevelDlg() override;
    CAdjustLevelDlg(const CAdjustLevelDlg&) = delete;
    CAdjustLevelDlg& operator=(const CAdjustLevelDlg&) = delete;

    // Percentages -100..100 as the edits hold them.
    int m_nBright;
    int m_nMiddle;
    int m_nDark;

    // Per ink C, M, Y: amounts on the 0..255 scale (the model keeps them
    // negated), the source switch (1 amounts, 0 five points), the curve.
    enum { kDark, kMiddle, kBright };
    int m_nAmount[3][3];
    int m_nSource[3];
    const std::vector<int>& Curve(int ink) const { return m_curve[ink]; }
    const CCurvePlot& Plot() const;
    const int* Handles() const { return m_nHandle; }
    int SelectedInk() const { return m_nInk; }   // 0 none, 1..3

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
    afx_msg void OnSelchangeInk();
    afx_msg void OnChangeBright();
    afx_msg void OnChangeMiddle();
    afx_msg void OnChangeDark();
    DECLARE_MESSAGE_MAP()

private:
    void EditChanged(int nAmount);
    void FillEdits();
    void ToneCurve(int ink);
    void EnableEdits(BOOL bEnable);
    void EnableRadios(BOOL bEnable);
    BOOL CurveModeActive() const;

    CSeparationModel* m_pModel;
    std::unique_ptr<CCurveBox> m_pBox;
    std::vector<int> m_curve[3];
    int m_nHandle[5];   // of the selected ink
    int m_nDragged;     // 0 none, 1..5
    int m_nShowHandles; // 1 shown
    int m_nInk;
    BOOL m_bReady;
};

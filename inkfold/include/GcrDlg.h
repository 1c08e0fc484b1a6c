// Grey-component replacement: a preview of the C, M and Y curves after the
// black table replaces grey, with an amount that is kept nowhere.
#pragma once

#include "afxwin.h"

#include <memory>

#include "InkfoldApi.h"
#include "SeparationModel.h"

class CCurveBox;

class INKFOLD_API CGcrDlg : public CDialog {
public:
    enum { IDD = 1017 };

    CGcrDlg(CWnd* pParent, CSeparationModel* pModel);
    ~CGcrDlg() override;
    CGcrDlg(const CGcrDlg&) = delete;
    CGcrDlg& operator=(const CGcrDlg&) = delete;

    int m_nAmount;             // percent, 0..100
    int m_nPreview[3][256];    // C, M, Y levels, 0..255

    // Height of plot point i of ink ch on a plot of width W.
    int PlotHeight(int ch, int i, int width) const;

protected:
    void DoDataExchange(CDataExchange* pDX) override;
    BOOL OnInitDialog() override;

    afx_msg void OnPaint();
    DECLARE_MESSAGE_MAP()

private:
    void ComputePreview();

    CSeparationModel* m_pModel;
    std::unique_ptr<CCurveBox> m_pBox;
};

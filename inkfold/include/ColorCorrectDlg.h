// The colour-correction table: the measured levels of the chart's patches
// (rows r, g, b) and the ink percentages aimed at (rows c, m, y), for the
// patches C, M, Y, R, G, B.
#pragma once

#include "afxwin.h"

#include "InkfoldApi.h"
#include "SeparationModel.h"

class INKFOLD_API CColorCorrectDlg : public CDialog {
public:
    enum { IDD = 1012 };
    enum { kColumns = 6 };

    CColorCorrectDlg(CWnd* pParent, CSeparationModel* pModel);

    // The colour table's patch column shown in each of the six columns.
    static const int kPatchOfColumn[kColumns];

    int m_nLevel[3][kColumns];     // rows r, g, b: levels 0..255 as stored
    int m_nPercent[3][kColumns];   // rows c, m, y: ink percentages 0..100

protected:
    void DoDataExchange(CDataExchange* pDX) override;
};

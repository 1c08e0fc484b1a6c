// The table of grey steps of a grey balance dialog: its parent's working
// table and step count, edited one column at a time.
#pragma once

#include "afxwin.h"

#include "GrayBalanceDlg.h"
#include "InkfoldApi.h"
#include "SeparationModel.h"

class INKFOLD_API CGrayBalanceDataDlg : public CDialog {
public:
    enum { IDD = 1016 };
    enum { kInputMode = 0, kOutputMode = 1 };

    // Mode 0: levels 0..255; mode 1: ink percentages 0..100. Only the
    // channel's column (1..3) may be edited.
    CGrayBalanceDataDlg(CGrayBalanceDlg* pParent, CSeparationModel* pModel, int nMode, int nChannel);

protected:
    void DoDataExchange(CDataExchange* pDX) override;
    BOOL OnInitDialog() override;
    void OnOK() override;

private:
    CGrayBalanceDlg* m_pBalance;
    CSeparationModel* m_pModel;   // kept, not used
    int m_nMode;
    int m_nChannel;
    int m_nCount;
    int m_nStep[3][CSeparationCore::kMaxSteps];
};

// Chooses which stages of the separation are applied.
#pragma once

#include "afxwin.h"

#include "InkfoldApi.h"
#include "SeparationModel.h"

class INKFOLD_API CSepOptionDlg : public CDialog {
public:
    enum { IDD = 1010 };
    enum { kStages = 6 };

    // A box starts checked when its stage switch holds 1.
    CSepOptionDlg(CWnd* pParent, CSeparationModel* pModel);

    // Writes the six boxes into their stage switches (0 or 1).
    void StoreSwitches(CSeparationCore& model) const;

    int m_nStage[kStages];   // 1 checked, 0 clear; in the order of kStageBoxes

    struct StageBox {
        int nID;
        int nSwitch;
    };
    static const StageBox kStageBoxes[kStages];

protected:
    void DoDataExchange(CDataExchange* pDX) override;
};

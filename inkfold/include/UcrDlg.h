// Under-colour removal: where removal starts and how strong it is, per ink.
#pragma once

#include "afxwin.h"

#include "InkfoldApi.h"
#include "SeparationModel.h"

class INKFOLD_API CUcrDlg : public CDialog {
public:
    enum { IDD = 1011 };

    CUcrDlg(CWnd* pParent, CSeparationModel* pModel);

    // Percentages 0..100 for C, M, Y.
    int m_nStart[3];
    int m_nAmount[3];

protected:
    void DoDataExchange(CDataExchange* pDX) override;
};

// The job browser "作业浏览", an earlier form of the job view: the pages and
// originals of a job in two lists that switch together between four view
// styles, and the property sheet of the task and the job. Nothing in the
// library runs it; a caller sets m_pTask and m_pJob as for the job view.
#pragma once

#include "afxwin.h"

#include "JobModel.h"
#include "ListCtrlEx.h"
#include "OrdwellApi.h"

class ORDWELL_API JCJobBrowseDlg : public CDialog {
public:
    explicit JCJobBrowseDlg(CWnd* pParent = NULL);
    virtual ~JCJobBrowseDlg();

    JCTask* m_pTask;  // not owned
    JCJob* m_pJob;    // not owned
    CImageList* m_pPagesLarge;    // owned
    CImageList* m_pPagesSmall;    // owned
    CImageList* m_pOriginsLarge;  // owned
    CImageList* m_pOriginsSmall;  // owned
    CComboBox m_comboViewMode;    // 4546
    CListCtrlEx m_listPages;      // 4542
    CListCtrlEx m_listOrigins;    // 4543

protected:
    virtual void DoDataExchange(CDataExchange* pDX);
    virtual BOOL OnInitDialog();
    afx_msg void OnSelchangeViewMode();
    afx_msg void OnProperties();
    DECLARE_MESSAGE_MAP()

private:
    void FillPages();
    void FillOrigins();
};

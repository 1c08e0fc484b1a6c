// The job browser "作业浏览": the pages, originals and outputs of a job in
// three lists that switch together between four view styles, and the
// property sheet of the task and the job.
#pragma once

#include "afxwin.h"

#include "JobModel.h"
#include "ListCtrlEx.h"
#include "OrdwellApi.h"

class ORDWELL_API CJobView : public CDialog {
public:
    explicit CJobView(CWnd* pParent = NULL);
    virtual ~CJobView();

    JCTask* m_pTask;  // set by the caller before DoModal; not owned
    JCJob* m_pJob;    // set by the caller before DoModal; not owned
    // Large (32 x 32) and small (16 x 16) images of each list; owned.
    CImageList* m_pPagesLarge;
    CImageList* m_pPagesSmall;
    CImageList* m_pOriginsLarge;
    CImageList* m_pOriginsSmall;
    CImageList* m_pOutputsLarge;
    CImageList* m_pOutputsSmall;
    CListCtrlEx m_listPages;    // 4542
    CListCtrlEx m_listOutputs;  // 4108
    CListCtrlEx m_listOrigins;  // 4543
    CComboBox m_comboViewMode;  // 4109

protected:
    virtual void DoDataExchange(CDataExchange* pDX);
    virtual BOOL OnInitDialog();
    afx_msg void OnJobViewPropt();
    afx_msg void OnSelchangeJobViewMode();
    DECLARE_MESSAGE_MAP()

private:
    void FillPages();
    void FillOrigins();
    void FillOutputs();
    // The original's thumbnail from the job's "bitmaps" folder, or null.
    HBITMAP LoadThumbnail(const CString& strFolder, const CString& strPureName);
};

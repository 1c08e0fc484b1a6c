// The main frame's part in uploads: the submit command, the metadata form's
// upload message, and the poll that finishes each task when the FTP
// component reports it done or failed.
#include "MainFrame.h"

#include "HttpXMlProcess.h"
#include "OmbrelleApp.h"
#include "OmbrelleDoc.h"
#include "OmbrelleView.h"
#include "UploadLoginDlg.h"
#include "UploadRules.h"

namespace {

const char kNoServerAddress[] = "请设置后台服务器地址";
const char kChoosePicturesFirst[] = "请先选择要进行编目的图片文件";
const char kNotCatalogued[] = "没有著录";
const char kUploaded[] = "成功上传图片资产";
const char kRecordNotPosted[] = "上传资产元数据失败";
const char kFilesNotUploaded[] = "上传资产文件失败";

COmbrelleDoc* CurrentDocument()
{
    COmbrelleApp* pApp = static_cast<COmbrelleApp*>(AfxGetApp());
    return pApp != NULL ? dynamic_cast<COmbrelleDoc*>(pApp->GetCurrentDocument()) : NULL;
}

// The picture view among the document's panes (the panes are views of the
// document too, and come first).
COmbrelleView* PictureView(COmbrelleDoc* pDoc)
{
    for (POSITION pos = pDoc->GetFirstViewPosition(); pos != NULL;) {
        COmbrelleView* pView = dynamic_cast<COmbrelleView*>(pDoc->GetNextView(pos));
        if (pView != NULL)
            return pView;
    }
    return NULL;
}

// The field of a "|"-separated line counted from its end (0 the last).
CString FieldFromEnd(const CString& strLine, int nFromEnd)
{
    CStringArray fields;
    int nStart = 0;
    for (int nBar; (nBar = strLine.Find('|', nStart)) >= 0; nStart = nBar + 1)
        fields.Add(strLine.Mid(nStart, nBar - nStart));
    fields.Add(strLine.Mid(nStart));
    const INT_PTR nIndex = fields.GetSize() - 1 - nFromEnd;
    return nIndex >= 1 ? fields[nIndex] : CString();  // never the key
}

void DeleteIfThere(const CString& strPath)
{
    if (!strPath.IsEmpty())
        ::DeleteFileA(strPath);
}

}  // namespace

const UINT CMainFrame::kPollTimer = 101;
const UINT CMainFrame::kPollInterval = 2000;

void CMainFrame::StartPollAndPrepare(COmbrelleDoc* pDoc, COmbrelleView* pView)
{
    m_nPollTimer = static_cast<int>(SetTimer(kPollTimer, kPollInterval, NULL));
    pView->PrepareUpload();
    // A submission that queued nothing leaves nothing to poll.
    if (pDoc->m_engine.QueuedCount == 0)
        KillTimer(kPollTimer);
}

LRESULT CMainFrame::OnStartUpload(WPARAM, LPARAM)
{
    m_nUploadMode = 1;
    COmbrelleDoc* pDoc = CurrentDocument();
    COmbrelleView* pView = pDoc != NULL ? PictureView(pDoc) : NULL;
    if (pView != NULL)
        StartPollAndPrepare(pDoc, pView);
    m_nUploadMode = 2;
    return 0;
}

void CMainFrame::SubmitToStore()
{
    m_nUploadMode = 0;
    COmbrelleDoc* pDoc = CurrentDocument();
    COmbrelleView* pView = pDoc != NULL ? PictureView(pDoc) : NULL;
    if (pView == NULL)
        return;
    // Without an address there is no server to log in to or upload to.
    if (pDoc->m_strServerUrl.IsEmpty()) {
        AfxMessageBox(kNoServerAddress);
        return;
    }
    if (!pDoc->m_bLoggedIn) {
        CUploadLoginDlg dlg(this);
        if (dlg.DoModal() != IDOK)
            return;
        if (!pDoc->LogInAs(dlg.m_strUserName, dlg.m_strPassword, dlg.m_bRemember))
            return;
    }
    if (pDoc->m_strOriginalFolder.IsEmpty()) {
        AfxMessageBox(kChoosePicturesFirst);
        return;
    }
    if (pDoc->m_strFieldAttributes.IsEmpty()) {
        AfxMessageBox(kNotCatalogued);
        return;
    }
    StartPollAndPrepare(pDoc, pView);
}

void CMainFrame::OnTimer(UINT nIDEvent)
{
    if (nIDEvent == kPollTimer)
        UploadPoll();
    CMDIFrameWnd::OnTimer(nIDEvent);
}

void CMainFrame::UploadPoll()
{
    COmbrelleDoc* pDoc = CurrentDocument();
    if (pDoc == NULL)
        return;
    CUploadEngineWnd& engine = pDoc->m_engine;
    if (engine.QueueReady != 1)
        return;
    for (int nIndex = 0; nIndex < engine.QueuedCount; ++nIndex) {
        UploadTask* pTask = engine.GetTask(nIndex);
        if (pTask == NULL)
            break;
        const short nState = engine.Component().GetTaskState(pTask->TaskID);
        const uploadrules::PollStep step = uploadrules::PollStepFor(nState, pTask->m_nThreadState);
        pTask->m_nThreadState = step.taskState;
        switch (step.action) {
        case uploadrules::PollAction::Remove:
            // The index still advances: the task that moved here is asked next tick.
            engine.RemoveUploadTask(nIndex);
            break;
        case uploadrules::PollAction::Finish:
            FinishTask(*pDoc, nIndex);
            break;
        case uploadrules::PollAction::Fail:
            FailTask(*pDoc, nIndex);
            break;
        default:
            break;
        }
    }
    if (engine.QueuedCount == 0)
        KillTimer(kPollTimer);
}

void CMainFrame::FinishTask(COmbrelleDoc& doc, int nIndex)
{
    CUploadEngineWnd& engine = doc.m_engine;
    // Out of the list before any message box: a tick or a submission that
    // comes while one is open never finds this task again.
    const UploadTask task = *engine.GetTask(nIndex);
    engine.RemoveUploadTask(nIndex);
    engine.QueueReady = 0;
    const CString& strRecord = task.m_uploadinfo.m_strRecordFile;
    engine.m_serverClient.SetServerUrl(task.m_uploadinfo.m_strServerUrl);
    AfxMessageBox(engine.m_serverClient.AddAsset(strRecord) ? kUploaded : kRecordNotPosted);
    // This task's copies and record; the pictures themselves stay.
    for (INT_PTR nLine = 0; nLine < task.m_arrSubmitted.GetSize(); ++nLine) {
        DeleteIfThere(FieldFromEnd(task.m_arrSubmitted[nLine], 0));
        DeleteIfThere(FieldFromEnd(task.m_arrSubmitted[nLine], 1));
    }
    DeleteIfThere(strRecord);
    doc.m_arrSubmitted.RemoveAll();
    engine.QueueReady = 1;
    doc.m_strFieldAttributes.Empty();
    doc.m_strOriginalFolder.Empty();
    doc.m_strOriginalName.Empty();
}

void CMainFrame::FailTask(COmbrelleDoc& doc, int nIndex)
{
    CUploadEngineWnd& engine = doc.m_engine;
    // Its files stay for another try; the record was never posted.
    engine.RemoveUploadTask(nIndex);
    engine.QueueReady = 0;
    AfxMessageBox(kFilesNotUploaded);
    engine.QueueReady = 1;
}

double CMainFrame::GetFileSizeInMB(LPCTSTR lpszPath)
{
    WIN32_FILE_ATTRIBUTE_DATA data;
    if (lpszPath == NULL || !::GetFileAttributesExA(lpszPath, GetFileExInfoStandard, &data))
        return 0;
    const ULONGLONG nBytes = (static_cast<ULONGLONG>(data.nFileSizeHigh) << 32) | data.nFileSizeLow;
    return static_cast<double>(nBytes) * 0.00000095367431640625;
}

#include "FtpComponentDriver.h"

#include "Logger.h"
#include "afxoleexcept.h"

#include <cstdarg>

namespace {

enum {
    kCreateTask = 1,
    kStartTasks = 2,
    kSetTransfer = 3,
    kStopTask = 5,
    kResumeTask = 6,
    kGetTaskState = 9,
    kDeleteTask = 10,
    kSetOptions = 13,
    kIsReady = 14,
};

const short kTaskFailed = -2;

CString DescribeFailure(CException* e)
{
    TCHAR szText[512] = {0};
    if (!e->GetErrorMessage(szText, sizeof(szText)))
        lstrcpyA(szText, "unknown error");
    return szText;
}

}  // namespace

BOOL CFtpComponentDriver::CreateComponent(LPCTSTR lpszProgID)
{
    ReleaseDispatch();
    COleException error;
    if (CreateDispatch(lpszProgID, &error))
        return TRUE;
    CString strLine;
    strLine.Format("FTP component %s cannot be created: 0x%08lX", lpszProgID, static_cast<unsigned long>(error.m_sc));
    GetLogger()->Error(strLine);
    if (!m_bMissingReported) {
        m_bMissingReported = TRUE;
        AfxMessageBox("无法创建FTP上传组件", MB_OK | MB_ICONSTOP);
    }
    return FALSE;
}

BOOL CFtpComponentDriver::Invoke(LPCTSTR lpszMember, DISPID dispid, VARTYPE vtRet, void* pvRet,
                                 const BYTE* pbParamInfo, ...)
{
    if (m_lpDispatch == NULL)
        return FALSE;
    va_list argList;
    va_start(argList, pbParamInfo);
    BOOL bDone = FALSE;
    try {
        InvokeHelperV(dispid, DISPATCH_METHOD, vtRet, pvRet, pbParamInfo, argList);
        bDone = TRUE;
    } catch (COleDispatchException* e) {
        GetLogger()->Error(CString("FTP component ") + lpszMember + ": " + DescribeFailure(e));
        e->Delete();
    } catch (COleException* e) {
        GetLogger()->Error(CString("FTP component ") + lpszMember + ": " + DescribeFailure(e));
        e->Delete();
    }
    va_end(argList);
    return bDone;
}

void CFtpComponentDriver::CreateTask(LPCTSTR lpszTaskId, BOOL bContinue, short nReserved)
{
    Invoke("CreateTask", kCreateTask, VT_EMPTY, NULL, (const BYTE*)(VTS_BSTR VTS_BOOL VTS_I2), lpszTaskId, bContinue,
           nReserved);
}

void CFtpComponentDriver::StartTasks()
{
    Invoke("StartTasks", kStartTasks, VT_EMPTY, NULL, (const BYTE*)VTS_NONE);
}

void CFtpComponentDriver::SetTransfer(LPCTSTR lpszHost, short nPort, LPCTSTR lpszUser, LPCTSTR lpszPassword,
                                      LPCTSTR lpszRemoteFiles, LPCTSTR lpszLocalFiles)
{
    Invoke("SetTransfer", kSetTransfer, VT_EMPTY, NULL,
           (const BYTE*)(VTS_BSTR VTS_I2 VTS_BSTR VTS_BSTR VTS_BSTR VTS_BSTR), lpszHost, nPort, lpszUser, lpszPassword,
           lpszRemoteFiles, lpszLocalFiles);
}

void CFtpComponentDriver::StopTask(LPCTSTR lpszTaskId)
{
    Invoke("StopTask", kStopTask, VT_EMPTY, NULL, (const BYTE*)VTS_BSTR, lpszTaskId);
}

void CFtpComponentDriver::ResumeTask(LPCTSTR lpszTaskId)
{
    Invoke("ResumeTask", kResumeTask, VT_EMPTY, NULL, (const BYTE*)VTS_BSTR, lpszTaskId);
}

short CFtpComponentDriver::GetTaskState(LPCTSTR lpszTaskId)
{
    short nState = kTaskFailed;
    if (!Invoke("GetTaskState", kGetTaskState, VT_I2, &nState, (const BYTE*)VTS_BSTR, lpszTaskId))
        return kTaskFailed;
    return nState;
}

void CFtpComponentDriver::DeleteTask(LPCTSTR lpszTaskId)
{
    Invoke("DeleteTask", kDeleteTask, VT_EMPTY, NULL, (const BYTE*)VTS_BSTR, lpszTaskId);
}

void CFtpComponentDriver::SetOptions(LPCTSTR lpszOptions)
{
    Invoke("SetOptions", kSetOptions, VT_EMPTY, NULL, (const BYTE*)VTS_BSTR, lpszOptions);
}

BOOL CFtpComponentDriver::IsReady()
{
    BOOL bReady = FALSE;
    if (!Invoke("IsReady", kIsReady, VT_BOOL, &bReady, (const BYTE*)VTS_NONE))
        return FALSE;
    return bReady;
}

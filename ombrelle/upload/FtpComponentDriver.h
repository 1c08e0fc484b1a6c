// The client's driver of the FTP transfer component "FtpCom.FtpObject": its
// members by dispatch id. A component that cannot be created is reported once;
// a failed call is logged (ERRORR.Log) and never leaves the driver, so that no
// exception reaches a window procedure; GetTaskState then answers -2 (failed).
#pragma once

#include "afxdisp.h"

class CFtpComponentDriver : public COleDispatchDriver {
public:
    // Creates the component; on failure shows "无法创建FTP上传组件" (only the
    // first failure of this driver) and returns FALSE. Later calls do nothing.
    BOOL CreateComponent(LPCTSTR lpszProgID = "FtpCom.FtpObject");

    void CreateTask(LPCTSTR lpszTaskId, BOOL bContinue, short nReserved);
    void StartTasks();
    void SetTransfer(LPCTSTR lpszHost, short nPort, LPCTSTR lpszUser, LPCTSTR lpszPassword, LPCTSTR lpszRemoteFiles,
                     LPCTSTR lpszLocalFiles);
    void StopTask(LPCTSTR lpszTaskId);
    void ResumeTask(LPCTSTR lpszTaskId);
    // 1 waiting, 3 transferring, 0 finished, -2 failed (also when the call
    // fails or there is no component), -1 unknown task.
    short GetTaskState(LPCTSTR lpszTaskId);
    void DeleteTask(LPCTSTR lpszTaskId);
    void SetOptions(LPCTSTR lpszOptions);
    BOOL IsReady();

private:
    // Runs one call; FALSE when there is no component or the call failed
    // (logged with the member's name).
    BOOL Invoke(LPCTSTR lpszMember, DISPID dispid, VARTYPE vtRet, void* pvRet, const BYTE* pbParamInfo, ...);

    BOOL m_bMissingReported = FALSE;
};

// The FTP transfer component "FtpCom.FtpObject": an in-process COM server
// that runs named upload tasks in the background. Callers drive it through
// IDispatch by dispatch id (all members are methods; texts are BSTR, numbers
// 16-bit short); there is no type library and no name look-up.
//
//  1 CreateTask(id, BOOL, short)   a waiting task of that id; a task of a
//                                  known id is replaced (the old one stops).
//                                  The BOOL and the short are not used.
//  2 StartTasks()                  starts every waiting task, each on a worker
//                                  thread of its own.
//  3 SetTransfer(host, port, user, password, remote list, local list)
//                                  adds a transfer to the task created last:
//                                  the "|"-joined remote paths and local files,
//                                  pair by pair. A host text "host:port" wins
//                                  over the port argument.
//  5 StopTask(id)                  the task stops after its current file and
//                                  reports 4 until ResumeTask (a task stopped
//                                  before it starts holds before its first file).
//  6 ResumeTask(id)                a stopped task goes on.
//  9 GetTaskState(id) -> short     1 waiting, 3 transferring, 0 finished,
//                                  -2 failed, 4 stopped, -1 unknown id.
// 10 DeleteTask(id)                the task stops after its current file and
//                                  is forgotten (its id answers -1).
// 13 SetOptions(text)              "" restores the defaults; the component has
//                                  no other options, so any other text fails.
// 14 IsReady() -> BOOL             TRUE when WinINet could be opened.
// Every other id answers DISP_E_MEMBERNOTFOUND.
//
// A task transfers with WinINet's FTP functions in passive binary mode, one
// connection per transfer. Missing remote folders are made level by level.
// A file counts as sent only when the server's SIZE answer equals the local
// file's size. A task fails (-2) when the log-in is refused, the connection
// is lost, or a file is missing locally or arrives short.
#pragma once

#include <windows.h>

// {6F3A2C10-8B1E-4D57-9A2F-3C1B7E0D5A41}
DEFINE_GUID(CLSID_FtpComFtpObject, 0x6f3a2c10, 0x8b1e, 0x4d57, 0x9a, 0x2f, 0x3c, 0x1b, 0x7e, 0x0d, 0x5a, 0x41);

#define FTPCOM_PROGID "FtpCom.FtpObject"

enum FtpComDispId {
    FTPCOM_DISPID_CREATETASK = 1,
    FTPCOM_DISPID_STARTTASKS = 2,
    FTPCOM_DISPID_SETTRANSFER = 3,
    FTPCOM_DISPID_STOPTASK = 5,
    FTPCOM_DISPID_RESUMETASK = 6,
    FTPCOM_DISPID_GETTASKSTATE = 9,
    FTPCOM_DISPID_DELETETASK = 10,
    FTPCOM_DISPID_SETOPTIONS = 13,
    FTPCOM_DISPID_ISREADY = 14,
};

enum FtpComTaskState {
    FTPCOM_FINISHED = 0,
    FTPCOM_WAITING = 1,
    FTPCOM_TRANSFERRING = 3,
    FTPCOM_STOPPED = 4,
    FTPCOM_UNKNOWN = -1,
    FTPCOM_FAILED = -2,
};

// One queued upload: what the engine handed to the FTP component under one
// task name, with the asset record and the submitted lines that belong to
// it alone, so that finishing it touches no other task's files.
#pragma once

#include "afx.h"
#include "afxcoll.h"

// The transfer of one task. Texts are whole: file lists of many pictures
// and long paths are never cut.
struct UploadInfo {
    CString m_host;
    CString m_user;
    CString m_pass;
    CString m_fwhost;
    CString m_fwuser;
    CString m_fwpass;
    CString m_lfile;  // local files joined by "|"
    CString m_rfile;  // server paths joined by "|", in the same order
    int m_logontype = 0;
    int iscontinue = 0;
    int m_pasv = 0;
    int bIsDel = 1;
    int m_port = 21;
    int m_fwport = 21;
    CString m_strRecordFile;  // the asset record posted when the task finishes
    CString m_strServerUrl;   // the servlet the record goes to
    CString m_strSpare;
};

struct UploadTask {
    UploadTask() = default;
    UploadTask(const UploadTask& other) { *this = other; }
    UploadTask& operator=(const UploadTask& other)
    {
        if (this != &other) {
            m_fThreadfinished = other.m_fThreadfinished;
            m_strThreadName = other.m_strThreadName;
            m_uploadinfo = other.m_uploadinfo;
            m_nThreadState = other.m_nThreadState;
            TaskID = other.TaskID;
            m_arrSubmitted.Copy(other.m_arrSubmitted);
        }
        return *this;
    }

    float m_fThreadfinished = 0;
    CString m_strThreadName;  // the first local file
    UploadInfo m_uploadinfo;
    int m_nThreadState = 0;   // 2 queued, 3 waiting, 4 failed
    CString TaskID;           // the component's task name: the first picture's asset key
    // This task's lines "asset key|main path|preview copy|web copy".
    CStringArray m_arrSubmitted;
};

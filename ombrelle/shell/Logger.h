// A process-wide file logger: one text file per level in the "Log" folder
// beside the executable, each line stamped with the local time.
#pragma once

#include "afxwin.h"

// Holds one Win32 critical section for the life of the object.
class CCriticalSectionLock {
public:
    CCriticalSectionLock() { ::InitializeCriticalSection(&m_section); }
    ~CCriticalSectionLock() { ::DeleteCriticalSection(&m_section); }
    CCriticalSectionLock(const CCriticalSectionLock&) = delete;
    CCriticalSectionLock& operator=(const CCriticalSectionLock&) = delete;

    void Lock() { ::EnterCriticalSection(&m_section); }
    void Unlock() { ::LeaveCriticalSection(&m_section); }

private:
    CRITICAL_SECTION m_section;
};

class CLoggerBase {
public:
    CLoggerBase() : m_nReserved(0) {}
    virtual ~CLoggerBase() {}

    virtual void Debug(CString strMessage) = 0;
    virtual void Error(CString strMessage) = 0;
    virtual void Info(CString strMessage) = 0;
    virtual void Warn(CString strMessage) = 0;
    virtual void Fatal(CString strMessage) = 0;

protected:
    int m_nReserved;
};

class CFileLogger : public CLoggerBase {
public:
    // Levels, each with its own file; any other level goes to the error file.
    enum { LevelDebug = 0, LevelError = 1, LevelInfo = 2, LevelWarn = 3, LevelFatal = 4 };

    CFileLogger() : m_bEnabled(1) {}

    void Debug(CString strMessage) override { WriteLine(LevelDebug, strMessage); }
    void Error(CString strMessage) override { WriteLine(LevelError, strMessage); }
    void Info(CString strMessage) override { WriteLine(LevelInfo, strMessage); }
    void Warn(CString strMessage) override { WriteLine(LevelWarn, strMessage); }
    void Fatal(CString strMessage) override { WriteLine(LevelFatal, strMessage); }

    // Appends "<stamp><message>\r\n" to the level's file; a file that cannot
    // be opened gets nothing.
    void WriteLine(int nLevel, CString strMessage);

private:
    int m_bEnabled;
    CString m_strName;
};

// The process's logger, made on the first call and kept until the end.
CFileLogger* GetLogger();

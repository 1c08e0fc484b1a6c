#include "Logger.h"

#include <stdlib.h>
#include <time.h>

namespace {

// Guards the lines and the logger's creation; made on first use and never
// destroyed, so callers during the program's end still find it.
CCriticalSectionLock& LoggerLock()
{
    static CCriticalSectionLock* lock = new CCriticalSectionLock;
    return *lock;
}

const char* LevelFileName(int nLevel)
{
    switch (nLevel) {
    case CFileLogger::LevelDebug: return "DEBUGG.Log";
    case CFileLogger::LevelInfo: return "INFO.Log";
    case CFileLogger::LevelWarn: return "WARN.Log";
    case CFileLogger::LevelFatal: return "FATAL.Log";
    default: return "ERRORR.Log";
    }
}

CString TimeStamp()
{
    time_t now = time(NULL);
    struct tm local;
    if (localtime_s(&local, &now) != 0)
        return CString();
    char text[128];
    size_t length = strftime(text, sizeof(text), "%d-%B-%Y -%H:%M:%S \t", &local);
    return CString(text, static_cast<int>(length));
}

// The executable's folder with its trailing backslash; the module name can
// be longer than MAX_PATH, so the buffer grows until the name fits.
CString ExecutableFolder()
{
    DWORD size = MAX_PATH;
    CString module;
    for (;;) {
        DWORD length = ::GetModuleFileNameA(NULL, module.GetBuffer(static_cast<int>(size)), size);
        if (length == 0) {
            module.ReleaseBuffer(0);
            return CString();
        }
        if (length < size) {
            module.ReleaseBuffer(static_cast<int>(length));
            break;
        }
        module.ReleaseBuffer(0);
        size *= 2;
    }
    char drive[_MAX_DRIVE];
    CString dir;
    CString name;
    CString ext;
    int length = module.GetLength() + 1;
    _splitpath_s(module, drive, sizeof(drive), dir.GetBuffer(length), length, name.GetBuffer(length), length,
                 ext.GetBuffer(length), length);
    dir.ReleaseBuffer();
    name.ReleaseBuffer();
    ext.ReleaseBuffer();
    return CString(drive) + dir;
}

}  // namespace

void CFileLogger::WriteLine(int nLevel, CString strMessage)
{
    CCriticalSectionLock& lock = LoggerLock();
    lock.Lock();
    CString text = TimeStamp() + strMessage;
    CString folder = ExecutableFolder();
    ::CreateDirectoryA(folder + "log\\", NULL);
    CString path = folder + "Log\\" + LevelFileName(nLevel);
    HANDLE file = ::CreateFileA(path, GENERIC_WRITE, FILE_SHARE_READ, NULL, OPEN_ALWAYS, FILE_ATTRIBUTE_NORMAL, NULL);
    if (file != INVALID_HANDLE_VALUE) {
        ::SetFilePointer(file, 0, NULL, FILE_END);
        text += "\r\n";
        DWORD written = 0;
        ::WriteFile(file, static_cast<LPCSTR>(text), static_cast<DWORD>(text.GetLength()), &written, NULL);
        ::CloseHandle(file);
    }
    lock.Unlock();
}

CFileLogger* GetLogger()
{
    static CFileLogger* logger = NULL;
    CCriticalSectionLock& lock = LoggerLock();
    lock.Lock();
    if (logger == NULL)
        logger = new CFileLogger;
    lock.Unlock();
    return logger;
}

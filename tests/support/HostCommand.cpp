#include "HostCommand.h"

#include <windows.h>

#include "Process.h"
#include "TempDir.h"
#include "WinePath.h"

namespace testsupport {

std::string ShellQuote(const std::string& text)
{
    std::string quoted = "'";
    for (char c : text)
        quoted += c == '\'' ? std::string("'\\''") : std::string(1, c);
    return quoted + "'";
}

bool RunOnHost(const std::string& command)
{
    // A host program started from Wine gives us no handle to wait on: it
    // leaves a marker file when it is done.
    TempDir work;
    const std::string marker = work.File("done");
    const std::string line = "(" + command + "); echo $? > " + ShellQuote(UnixPath(marker) + ".part") +
                             "; mv " + ShellQuote(UnixPath(marker) + ".part") + " " +
                             ShellQuote(UnixPath(marker));
    std::string commandLine = HostPathForWindows("/bin/sh") + " -c " + QuoteArgument(line);
    STARTUPINFOA startup = {};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION process = {};
    if (!CreateProcessA(nullptr, &commandLine[0], nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup, &process))
        return false;
    if (process.hThread != nullptr)
        CloseHandle(process.hThread);
    if (process.hProcess != nullptr)
        CloseHandle(process.hProcess);
    for (int i = 0; i < 600; ++i) {
        if (GetFileAttributesA(marker.c_str()) != INVALID_FILE_ATTRIBUTES)
            return ReadFileBytes(marker) == "0\n";
        Sleep(50);
    }
    return false;
}

}  // namespace testsupport

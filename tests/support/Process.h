// Running a program and collecting what it printed.
#pragma once

#include <windows.h>

#include <string>

namespace testsupport {

struct ProcessResult {
    bool started = false;
    bool timedOut = false;   // killed after the timeout
    DWORD exitCode = 0;
    std::string output;      // standard output and standard error together
};

ProcessResult RunProcess(const std::string& commandLine, DWORD timeoutMs = 60000);

// The running test program's own path.
std::string ThisExecutable();

// One command-line argument, quoted so that the C runtime parses it back unchanged.
std::string QuoteArgument(const std::string& argument);

}  // namespace testsupport

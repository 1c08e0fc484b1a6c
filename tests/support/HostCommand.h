// Running a shell command line on the host from a test under Wine.
#pragma once

#include <string>

namespace testsupport {

// Runs the command line with the host's /bin/sh and waits until it has
// finished; false when it failed or did not end in time. It sees the test
// program's environment (WINEPREFIX, WINELOADER, DISPLAY), so it can start
// another Windows program with an environment of its own.
bool RunOnHost(const std::string& command);

// Single-quoted for the host's shell.
std::string ShellQuote(const std::string& text);

}  // namespace testsupport

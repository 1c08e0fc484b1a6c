// Reading what windows show, and making it readable in test output.
#pragma once

#include <windows.h>

#include <string>
#include <vector>

namespace testsupport {

std::string WindowText(HWND window);
std::string ClassName(HWND window);
// The non-empty texts of the window's static controls, in creation order.
std::vector<std::string> StaticTexts(HWND window);
// ANSI code page text to UTF-8, for failure messages in the test log.
std::string ToUtf8(const std::string& ansi);

}  // namespace testsupport

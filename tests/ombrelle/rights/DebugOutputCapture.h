// What the program writes with OutputDebugString while the object lives:
// the texts reach a vectored exception handler as the debug-print exception
// that OutputDebugString raises for a debugger.
#pragma once

#include <windows.h>

#include <string>

class DebugOutputCapture {
public:
    DebugOutputCapture();
    ~DebugOutputCapture();
    DebugOutputCapture(const DebugOutputCapture&) = delete;
    DebugOutputCapture& operator=(const DebugOutputCapture&) = delete;

    // Every text written so far, one after the other.
    std::string Text() const;

private:
    static LONG CALLBACK Handler(EXCEPTION_POINTERS* exception);
    PVOID m_handler;
};

#include "DebugOutputCapture.h"

namespace {

// Written on the thread that writes the texts, read by the test on the same
// thread.
std::string g_captured;

}  // namespace

DebugOutputCapture::DebugOutputCapture()
{
    g_captured.clear();
    m_handler = AddVectoredExceptionHandler(1, Handler);
}

DebugOutputCapture::~DebugOutputCapture()
{
    RemoveVectoredExceptionHandler(m_handler);
}

std::string DebugOutputCapture::Text() const
{
    return g_captured;
}

LONG CALLBACK DebugOutputCapture::Handler(EXCEPTION_POINTERS* exception)
{
    const EXCEPTION_RECORD* record = exception->ExceptionRecord;
    if (record->ExceptionCode == DBG_PRINTEXCEPTION_C && record->NumberParameters >= 2) {
        const char* text = reinterpret_cast<const char*>(record->ExceptionInformation[1]);
        const size_t length = size_t(record->ExceptionInformation[0]);
        if (text != nullptr && length > 0)
            g_captured.append(text, length - 1);
    }
    return EXCEPTION_CONTINUE_SEARCH;
}

// COM for the duration of one test.
#pragma once

#include <objbase.h>

class ComInit {
public:
    ComInit() : m_ok(SUCCEEDED(CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED))) {}
    ~ComInit()
    {
        if (m_ok)
            CoUninitialize();
    }
    ComInit(const ComInit&) = delete;
    ComInit& operator=(const ComInit&) = delete;

private:
    bool m_ok;
};

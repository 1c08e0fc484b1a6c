#include "afx.h"

#include <stdio.h>

void AFX_CDECL AfxTrace(LPCSTR format, ...)
{
    char text[1024];
    va_list args;
    va_start(args, format);
    _vsnprintf(text, sizeof text - 1, format, args);
    va_end(args);
    text[sizeof text - 1] = '\0';
    OutputDebugStringA(text);
}

void AFXAPI AfxAssertFailedLine(LPCSTR file, int line)
{
    char text[MAX_PATH + 64];
    _snprintf(text, sizeof text - 1, "Assertion failed: %s(%d)\n", file, line);
    text[sizeof text - 1] = '\0';
    OutputDebugStringA(text);
}

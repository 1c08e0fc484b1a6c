#include "ADOText.h"

#include <stdio.h>
#include <stdlib.h>
#include <string.h>

CString IntToText(int nVal)
{
    char buffer[16];
    _itoa(nVal, buffer, 10);
    return CString(buffer);
}

CString LongToText(long lVal)
{
    char buffer[16];
    _ltoa(lVal, buffer, 10);
    return CString(buffer);
}

CString ULongToText(unsigned long ulVal)
{
    char buffer[16];
    _ultoa(ulVal, buffer, 10);
    return CString(buffer);
}

CString DoubleToText(double dblVal, int nDigits)
{
    if (nDigits < 1)
        nDigits = 1;
    if (nDigits > 40)
        nDigits = 40;
    // The runtimes' _gcvt differ on the trailing point (Wine drops it), so
    // the text is made here: %g, with the point put back where it was cut.
    char buffer[80];
    snprintf(buffer, sizeof buffer, "%.*g", nDigits, dblVal);
    if (strchr(buffer, '.') == NULL && strcmp(buffer, "inf") != 0 && strcmp(buffer, "-inf") != 0 &&
        strcmp(buffer, "nan") != 0 && strcmp(buffer, "-nan") != 0) {
        char* exponent = strchr(buffer, 'e');
        const size_t at = exponent ? size_t(exponent - buffer) : strlen(buffer);
        memmove(buffer + at + 1, buffer + at, strlen(buffer) - at + 1);
        buffer[at] = '.';
    }
    return CString(buffer);
}

CString FloatToText(float fltVal)
{
    return DoubleToText(double(fltVal), 10);
}

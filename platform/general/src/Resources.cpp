// General's own resources and the slider marker.
#include "General.h"

#include <cstdio>

#include "CallLog.h"

extern "C" {

HINSTANCE GenSetResourceHandle()
{
    HINSTANCE previous = AfxGetResourceHandle();
    AfxSetResourceHandle(general::ThisModule());
    char text[32];
    std::snprintf(text, sizeof text, "%p", static_cast<void*>(previous));
    general::Record(172, text, true);
    return previous;
}

// Rows of growing width under the track's top: each pixel is drawn once,
// so that inverting twice gives the pixels back.
void GenDrawSliderMarker(CDC* pDC, LPCRECT lpRect, int nMin, int nMax, int nValue)
{
    general::Record(256);
    if (pDC == NULL || pDC->GetSafeHdc() == NULL || lpRect == NULL)
        return;
    long long span = static_cast<long long>(nMax) - nMin;
    long long value = nValue;
    if (span > 0)
        value = value < nMin ? nMin : (value > nMax ? nMax : value);
    long long offset = span > 0 ? (value - nMin) * (static_cast<long long>(lpRect->right) - lpRect->left) / span : 0;
    int x = static_cast<int>(lpRect->left + offset);
    const int top = lpRect->top + 6;
    for (int row = 0; row < 5; row++) {
        pDC->MoveTo(x - row, top + row);
        pDC->LineTo(x + row + 1, top + row);
    }
}

}  // extern "C"

// Packed DIBs in blocks of GenAllocBuffer: their geometry and drawing.
#include "General.h"

#include "CallLog.h"
#include "DibHeader.h"

namespace {

bool Layout(const void* pDib, general::DibLayout& layout)
{
    size_t size = general::BlockSize(pDib);
    return size != 0 && general::ReadDibHeader(static_cast<const uint8_t*>(pDib), size, layout);
}

}  // namespace

extern "C" {

BOOL GenGetDibDrawInfo(const void* pDib, GEN_DIB_INFO* pInfo)
{
    general::Record(163);
    general::DibLayout layout;
    if (pInfo == NULL || !Layout(pDib, layout))
        return FALSE;
    pInfo->nWidth = layout.width;
    pInfo->nHeight = layout.height;
    pInfo->nBitCount = layout.bitCount;
    pInfo->dwColorTableBytes = layout.colorTableBytes;
    pInfo->dwRowBytes = layout.rowBytes;
    pInfo->pInfo = static_cast<const BITMAPINFO*>(pDib);
    pInfo->pBits = static_cast<const BYTE*>(pDib) + layout.pixelOffset;
    return TRUE;
}

int GenGetDibWidth(const void* pDib)
{
    general::Record(165);
    general::DibLayout layout;
    return Layout(pDib, layout) ? layout.width : 0;
}

int GenGetDibHeight(const void* pDib)
{
    general::Record(166);
    general::DibLayout layout;
    return Layout(pDib, layout) ? layout.height : 0;
}

int GenGetDibColorTableSize(const void* pDib)
{
    general::Record(167);
    general::DibLayout layout;
    return Layout(pDib, layout) ? static_cast<int>(layout.colorTableBytes) : 0;
}

// The source rectangle is in the DIB's pixels counted from its top row; it
// is cut to the image, and the destination is filled from what remains.
BOOL GenDrawDib(CDC* pDC, LPCRECT lpDest, LPCRECT lpSource, const void* pDib, int)
{
    general::Record(161);
    general::DibLayout layout;
    if (pDC == NULL || pDC->GetSafeHdc() == NULL || lpDest == NULL || !Layout(pDib, layout))
        return FALSE;
    CRect source = lpSource != NULL ? CRect(lpSource) : CRect(0, 0, layout.width, layout.height);
    source &= CRect(0, 0, layout.width, layout.height);
    CRect dest(lpDest);
    if (source.IsRectEmpty() || dest.IsRectEmpty())
        return FALSE;
    // StretchDIBits counts source rows from the bottom of a bottom-up DIB.
    int sourceY = layout.bottomUp ? layout.height - source.bottom : source.top;
    const BYTE* pBits = static_cast<const BYTE*>(pDib) + layout.pixelOffset;
    int old = ::SetStretchBltMode(pDC->GetSafeHdc(), COLORONCOLOR);
    int lines = ::StretchDIBits(pDC->GetSafeHdc(), dest.left, dest.top, dest.Width(), dest.Height(), source.left,
                                sourceY, source.Width(), source.Height(), pBits,
                                static_cast<const BITMAPINFO*>(pDib), DIB_RGB_COLORS, SRCCOPY);
    ::SetStretchBltMode(pDC->GetSafeHdc(), old);
    return lines > 0;
}

}  // extern "C"

// The image's exchange with Windows objects: global memory blocks holding a
// packed DIB, bitmaps and icons.
#include "xImage.h"

#include "DibBlock.h"

#include <cmath>
#include <cstdlib>
#include <cstring>

namespace {

long DpiOf(LONG pelsPerMeter)
{
    return static_cast<long>(std::floor(pelsPerMeter * 0.0254 + 0.5));
}

}  // namespace

HANDLE CxImage::CopyToHandle() const
{
    if (m_pDib == nullptr)
        return NULL;
    HGLOBAL hMem = GlobalAlloc(GHND, GetSize());
    if (hMem == NULL)
        return NULL;
    void* block = GlobalLock(hMem);
    if (block == nullptr) {
        GlobalFree(hMem);
        return NULL;
    }
    std::memcpy(block, m_pDib, GetSize());
    GlobalUnlock(hMem);
    return hMem;
}

bool CxImage::CreateFromHandle(HANDLE hMem)
{
    Release();
    const BYTE* block = static_cast<const BYTE*>(GlobalLock(hMem));
    if (block == nullptr)
        return false;
    // The block is read only as far as its own size shows it to hold what
    // its header claims.
    imagecore::DibLayout layout;
    bool created = imagecore::DibReadLayout(block, GlobalSize(hMem), layout) &&
                   Create(layout.width, layout.height, layout.bitCount, 0) != nullptr;
    if (created) {
        SetXDPI(DpiOf(layout.xPelsPerMeter));
        SetYDPI(DpiOf(layout.yPelsPerMeter));
        imagecore::DibReadPixels(block, layout, m_pDib + m_header.biSize, GetBits(), GetEffWidth());
    }
    GlobalUnlock(hMem);
    return created;
}

HBITMAP CxImage::MakeBitmap(HDC hdc) const
{
    if (m_pDib == nullptr)
        return NULL;
    if (hdc != NULL)
        return CreateDIBitmap(hdc, &m_header, CBM_INIT, GetBits(), reinterpret_cast<const BITMAPINFO*>(m_pDib),
                              DIB_RGB_COLORS);
    // CreateBitmap takes the top row first, each row padded to 16 bits only:
    // the DIB's rows, bottom row first on 32 bits, would come out upside down
    // and sheared.
    const size_t width = GetWidth(), height = GetHeight();
    const size_t rowBytes = (width * GetBpp() + 15) / 16 * 2;
    BYTE* rows = static_cast<BYTE*>(std::malloc(rowBytes * height));
    if (rows == nullptr)
        return NULL;
    for (size_t y = 0; y < height; ++y)
        std::memcpy(rows + (height - 1 - y) * rowBytes, m_info.pImage + y * GetEffWidth(), rowBytes);
    HBITMAP hBitmap = CreateBitmap(static_cast<int>(width), static_cast<int>(height), 1, GetBpp(), rows);
    std::free(rows);
    return hBitmap;
}

bool CxImage::CreateFromBitmap(HBITMAP hBitmap)
{
    Release();
    BITMAP bitmap;
    if (hBitmap == NULL || GetObject(hBitmap, sizeof bitmap, &bitmap) == 0)
        return false;
    if (Create(bitmap.bmWidth, bitmap.bmHeight, bitmap.bmBitsPixel, 0) == nullptr)
        return false;
    HDC hdc = GetDC(NULL);
    const int lines = GetDIBits(hdc, hBitmap, 0, GetHeight(), GetBits(), reinterpret_cast<BITMAPINFO*>(m_pDib),
                                DIB_RGB_COLORS);
    ReleaseDC(NULL, hdc);
    // GetDIBits rewrites the header it is given.
    WriteDibHeader();
    if (lines == 0) {
        SetErrorText("GetDIBits failed");
        Release();
        return false;
    }
    return true;
}

bool CxImage::CreateFromIcon(HICON hIcon)
{
    Release();
    ICONINFO info;
    if (hIcon == NULL || !GetIconInfo(hIcon, &info))
        return false;
    const bool created = CreateFromBitmap(info.hbmColor);
    if (created) {
        // The image of the mask, from which the alpha channel is taken
        // (opaque where the mask is 0).
        CxImage mask;
        mask.CreateFromBitmap(info.hbmMask);
    }
    if (info.hbmColor != NULL)
        DeleteObject(info.hbmColor);
    if (info.hbmMask != NULL)
        DeleteObject(info.hbmMask);
    return created;
}

bool CxImage::CreateFromArray(DWORD width, DWORD height, const BYTE* pixels)
{
    if (pixels == nullptr || Create(width, height, 24, 0) == nullptr)
        return false;
    const size_t area = size_t(width) * height;
    m_pAlpha = static_cast<BYTE*>(std::malloc(area));
    if (m_pAlpha == nullptr)
        return false;
    for (size_t row = 0; row < height; ++row) {
        const size_t y = height - 1 - row;
        BYTE* out = m_info.pImage + y * GetEffWidth();
        BYTE* alpha = m_pAlpha + y * width;
        const BYTE* in = pixels + row * width * 4;
        for (size_t x = 0; x < width; ++x, in += 4, out += 3) {
            out[0] = in[0];
            out[1] = in[1];
            out[2] = in[2];
            alpha[x] = in[3];
        }
    }
    return true;
}

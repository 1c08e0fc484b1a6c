#include "DibPicture.h"

#include <wincodec.h>

#include <limits.h>
#include <string.h>

namespace {

template <typename T>
void Release(T*& p)
{
    if (p != NULL) {
        p->Release();
        p = NULL;
    }
}

// The bytes the bits take: whole 32-bit words per row when uncompressed,
// the header's image size when run-length encoded; 0 for what GDI does not
// read.
unsigned long long BitsSize(const BITMAPINFOHEADER& header, unsigned long long rows)
{
    const unsigned long long depth = header.biBitCount;
    switch (header.biCompression) {
    case BI_RGB:
        if (depth != 1 && depth != 4 && depth != 8 && depth != 16 && depth != 24 && depth != 32)
            return 0;
        break;
    case BI_BITFIELDS:
        if (depth != 16 && depth != 32)
            return 0;
        break;
    case BI_RLE8:
    case BI_RLE4:
        // Encoded bits are always bottom-up.
        if (depth != (header.biCompression == BI_RLE8 ? 8u : 4u) || header.biHeight < 0)
            return 0;
        return header.biSizeImage;
    default:
        return 0;
    }
    const unsigned long long rowBytes = (static_cast<unsigned long long>(header.biWidth) * depth + 31) / 32 * 4;
    return rowBytes * rows;
}

}  // namespace

bool MeasureDib(const void* block, SIZE_T blockSize, DibLayout& layout)
{
    BITMAPINFOHEADER header;
    if (block == NULL || blockSize < sizeof(header))
        return false;
    memcpy(&header, block, sizeof(header));
    if (header.biSize < sizeof(header) || header.biSize > blockSize || header.biWidth <= 0 || header.biHeight == 0 ||
        header.biHeight == LONG_MIN)
        return false;
    const unsigned long long rows = header.biHeight < 0 ? -static_cast<long long>(header.biHeight) : header.biHeight;
    // The 24-bit copy made of it must fit in one 32-bit sized buffer.
    const unsigned long long targetStride = (static_cast<unsigned long long>(header.biWidth) * 3 + 3) & ~3ull;
    if (targetStride * rows > 0xFFFFFFFFull)
        return false;

    unsigned long long colours = header.biClrUsed;
    if (colours == 0 && header.biBitCount <= 8)
        colours = 1ull << header.biBitCount;
    const unsigned long long masks =
        header.biCompression == BI_BITFIELDS && header.biSize < sizeof(header) + 3 * sizeof(DWORD) ? 3 * sizeof(DWORD)
                                                                                                    : 0;
    const unsigned long long offset = header.biSize + masks + colours * sizeof(RGBQUAD);
    const unsigned long long bits = BitsSize(header, rows);
    if (bits == 0 || offset > blockSize || bits > blockSize - offset)
        return false;
    layout.bitsOffset = static_cast<SIZE_T>(offset);
    layout.bitsSize = static_cast<SIZE_T>(bits);
    return true;
}

bool WriteDib(const void* block, SIZE_T blockSize, const char* path, REFGUID container, double xDpi, double yDpi)
{
    DibLayout layout;
    if (!MeasureDib(block, blockSize, layout))
        return false;
    const BITMAPINFO* dib = static_cast<const BITMAPINFO*>(block);
    const BYTE* bits = static_cast<const BYTE*>(block) + layout.bitsOffset;
    int width = dib->bmiHeader.biWidth;
    int height = dib->bmiHeader.biHeight < 0 ? -dib->bmiHeader.biHeight : dib->bmiHeader.biHeight;

    // Top-down 24-bit rows, as WIC takes them.
    BITMAPINFO target = {};
    target.bmiHeader.biSize = sizeof(BITMAPINFOHEADER);
    target.bmiHeader.biWidth = width;
    target.bmiHeader.biHeight = -height;
    target.bmiHeader.biPlanes = 1;
    target.bmiHeader.biBitCount = 24;
    target.bmiHeader.biCompression = BI_RGB;
    void* pixels = NULL;
    HBITMAP section = ::CreateDIBSection(NULL, &target, DIB_RGB_COLORS, &pixels, NULL, 0);
    if (section == NULL)
        return false;
    HDC dc = ::GetDC(NULL);
    int rows = ::SetDIBits(dc, section, 0, height, bits, dib, DIB_RGB_COLORS);
    ::ReleaseDC(NULL, dc);
    ::GdiFlush();
    UINT stride = (static_cast<UINT>(width) * 3 + 3) & ~3u;

    wchar_t widePath[MAX_PATH];
    bool written = false;
    if (rows == height && ::MultiByteToWideChar(CP_ACP, 0, path, -1, widePath, MAX_PATH) > 0) {
        HRESULT comInit = ::CoInitializeEx(NULL, COINIT_APARTMENTTHREADED);
        IWICImagingFactory* factory = NULL;
        IWICBitmap* bitmap = NULL;
        IWICStream* stream = NULL;
        IWICBitmapEncoder* encoder = NULL;
        IWICBitmapFrameEncode* frame = NULL;
        IPropertyBag2* options = NULL;
        HRESULT hr = ::CoCreateInstance(CLSID_WICImagingFactory, NULL, CLSCTX_INPROC_SERVER, IID_IWICImagingFactory,
                                        reinterpret_cast<void**>(&factory));
        if (SUCCEEDED(hr))
            hr = factory->CreateBitmapFromMemory(width, height, GUID_WICPixelFormat24bppBGR, stride, stride * height,
                                                 static_cast<BYTE*>(pixels), &bitmap);
        if (SUCCEEDED(hr))
            hr = factory->CreateStream(&stream);
        bool created = false;
        if (SUCCEEDED(hr)) {
            hr = stream->InitializeFromFilename(widePath, GENERIC_WRITE);
            created = SUCCEEDED(hr);
        }
        if (SUCCEEDED(hr))
            hr = factory->CreateEncoder(container, NULL, &encoder);
        if (SUCCEEDED(hr))
            hr = encoder->Initialize(stream, WICBitmapEncoderNoCache);
        if (SUCCEEDED(hr))
            hr = encoder->CreateNewFrame(&frame, &options);
        if (SUCCEEDED(hr))
            hr = frame->Initialize(options);
        if (SUCCEEDED(hr))
            hr = frame->SetSize(width, height);
        if (SUCCEEDED(hr))
            hr = frame->SetResolution(xDpi, yDpi);
        WICPixelFormatGUID format = GUID_WICPixelFormat24bppBGR;
        if (SUCCEEDED(hr))
            hr = frame->SetPixelFormat(&format);
        if (SUCCEEDED(hr))
            hr = frame->WriteSource(bitmap, NULL);
        if (SUCCEEDED(hr))
            hr = frame->Commit();
        if (SUCCEEDED(hr))
            hr = encoder->Commit();
        Release(options);
        Release(frame);
        Release(encoder);
        Release(stream);
        Release(bitmap);
        Release(factory);
        if (comInit == S_OK || comInit == S_FALSE)
            ::CoUninitialize();
        written = SUCCEEDED(hr);
        // No half-written picture is left behind.
        if (!written && created)
            ::DeleteFileW(widePath);
    }
    ::DeleteObject(section);
    return written;
}


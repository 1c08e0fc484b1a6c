#include "xImage.h"

#include "DibBlock.h"

#include <cmath>
#include <cstdlib>
#include <cstring>

#ifndef NDEBUG
#include <cassert>
#include <map>
#include <mutex>
#endif

namespace {

#ifndef NDEBUG
// Debug builds count each parent's sharers, so that a parent freed under
// them is caught where it happens.
std::mutex g_sharersLock;
std::map<const CxImage*, int> g_sharers;

void CountSharer(const CxImage* parent, int change)
{
    std::lock_guard<std::mutex> lock(g_sharersLock);
    if ((g_sharers[parent] += change) == 0)
        g_sharers.erase(parent);
}

bool HasSharers(const CxImage* parent)
{
    std::lock_guard<std::mutex> lock(g_sharersLock);
    return g_sharers.count(parent) != 0;
}
#endif

// Pixels per metre for a resolution, kept to the header's 32 bits.
LONG PelsPerMeter(long dpi)
{
    const double pels = std::floor(dpi * 39.37007874015748 + 0.5);
    if (pels >= 2147483647.0)
        return 2147483647;
    if (pels <= -2147483648.0)
        return -2147483647 - 1;
    return static_cast<LONG>(pels);
}

BYTE* CopyBytes(const BYTE* source, size_t size)
{
    BYTE* copy = static_cast<BYTE*>(std::malloc(size));
    if (copy != nullptr)
        std::memcpy(copy, source, size);
    return copy;
}

}  // namespace

CxImage::CxImage(DWORD type)
{
    SetDefaults(type);
}

CxImage::CxImage(DWORD width, DWORD height, DWORD bpp, DWORD type)
{
    SetDefaults(type);
    Create(width, height, bpp, type);
}

CxImage::CxImage(const CxImage& source, bool copyPixels, bool copySelection, bool copyAlpha)
{
    SetDefaults(source.m_info.dwType);
    Copy(source, copyPixels, copySelection, copyAlpha);
}

CxImage& CxImage::operator=(const CxImage& source)
{
    if (this != &source)
        Copy(source, true, true, true);
    return *this;
}

CxImage::~CxImage()
{
    Release();
}

void CxImage::SetDefaults(DWORD type)
{
    m_pDib = nullptr;
    m_pSelection = nullptr;
    m_pAlpha = nullptr;
    std::memset(&m_header, 0, sizeof m_header);
    m_header.biSize = sizeof(BITMAPINFOHEADER);
    std::memset(&m_info, 0, sizeof m_info);
    m_info.dwType = type;
    m_info.nJpegQuality = 75;
    m_info.nAlphaMax = 255;
    m_info.nTransIndex = -1;
    m_info.bEnabled = 1;
    SetXDPI(96);
    SetYDPI(96);
}

void CxImage::Release()
{
    if (m_info.pParent != nullptr) {
#ifndef NDEBUG
        CountSharer(m_info.pParent, -1);
#endif
        m_info.pParent = nullptr;
    } else {
#ifndef NDEBUG
        assert(!HasSharers(this) && "an image is freed while others share its buffers");
#endif
        std::free(m_pSelection);
        std::free(m_pAlpha);
        std::free(m_pDib);
    }
    m_pSelection = nullptr;
    m_pAlpha = nullptr;
    m_pDib = nullptr;
    m_info.pImage = nullptr;
}

void* CxImage::Create(DWORD width, DWORD height, DWORD bpp, DWORD type)
{
    // A sharer that makes a picture of its own stops sharing.
    Release();
    const int imageBpp = imagecore::DibImageBpp(bpp);
    const DWORD imageSize = imagecore::DibImageSize(width, height, imageBpp);
    if (imageSize == 0)
        return nullptr;
    m_header.biSize = sizeof(BITMAPINFOHEADER);
    m_header.biWidth = static_cast<LONG>(width);
    m_header.biHeight = static_cast<LONG>(height);
    m_header.biPlanes = 1;
    m_header.biBitCount = static_cast<WORD>(imageBpp);
    m_header.biCompression = BI_RGB;
    m_header.biSizeImage = imageSize;
    m_header.biClrUsed = imagecore::DibImageColors(imageBpp);
    m_header.biClrImportant = 0;
    m_info.dwEffWidth = static_cast<DWORD>(imagecore::DibRowBytes(width, imageBpp));
    m_info.dwType = type;

    m_pDib = static_cast<BYTE*>(std::malloc(GetSize()));
    if (m_pDib == nullptr)
        return nullptr;
    std::memset(m_pDib + m_header.biSize, 0, GetPaletteSize());
    WriteDibHeader();
    m_info.pImage = GetBits();
    return m_pDib;
}

bool CxImage::Destroy()
{
    if (m_pDib == nullptr || m_info.pParent != nullptr)
        return false;
    Release();
    return true;
}

void CxImage::Copy(const CxImage& source, bool copyPixels, bool copySelection, bool copyAlpha)
{
    if (&source == this)
        return;
    Release();
    m_header = source.m_header;
    m_info = source.m_info;
    // The copy owns the buffers it makes, whatever the source shares.
    m_info.pParent = nullptr;
    m_info.pImage = nullptr;
    if (Create(source.GetWidth(), source.GetHeight(), source.GetBpp(), source.GetType()) == nullptr)
        return;
    if (copyPixels && source.m_pDib != nullptr)
        std::memcpy(m_pDib, source.m_pDib, GetSize());
    else if (source.m_pDib != nullptr)
        std::memcpy(m_pDib + m_header.biSize, source.m_pDib + source.m_header.biSize, GetPaletteSize());
    WriteDibHeader();
    const size_t area = size_t(GetWidth()) * GetHeight();
    if (copySelection && source.m_pSelection != nullptr)
        m_pSelection = CopyBytes(source.m_pSelection, area);
    if (copyAlpha && source.m_pAlpha != nullptr)
        m_pAlpha = CopyBytes(source.m_pAlpha, area);
}

void CxImage::TakeOver(CxImage& source)
{
    if (&source == this)
        return;
    Release();
    TakeFields(source);
    std::memset(&source.m_header, 0, sizeof source.m_header);
    std::memset(&source.m_info, 0, sizeof source.m_info);
    source.m_pDib = nullptr;
    source.m_pSelection = nullptr;
    source.m_pAlpha = nullptr;
}

void CxImage::ShareFrom(CxImage& source)
{
    if (&source == this)
        return;
    Release();
    TakeFields(source);
    m_info.pParent = &source;
#ifndef NDEBUG
    CountSharer(&source, 1);
#endif
}

void CxImage::TakeFields(const CxImage& source)
{
    m_header = source.m_header;
    m_info = source.m_info;
    m_pDib = source.m_pDib;
    m_pSelection = source.m_pSelection;
    m_pAlpha = source.m_pAlpha;
}

BYTE* CxImage::GetBits() const
{
    return m_pDib != nullptr ? m_pDib + m_header.biSize + GetPaletteSize() : nullptr;
}

DWORD CxImage::GetSize() const
{
    return m_header.biSize + GetPaletteSize() + m_header.biSizeImage;
}

DWORD CxImage::GetPaletteSize() const
{
    return m_header.biClrUsed * sizeof(RGBQUAD);
}

bool CxImage::IsInsideImage(long x, long y) const
{
    return x >= 0 && y >= 0 && x < m_header.biWidth && y < m_header.biHeight;
}

void CxImage::FillBits(BYTE value)
{
    if (m_pDib != nullptr)
        std::memset(GetBits(), value, m_header.biSizeImage);
}

void CxImage::SetXDPI(long dpi)
{
    m_info.xDPI = dpi;
    m_header.biXPelsPerMeter = PelsPerMeter(dpi);
    WriteDibHeader();
}

void CxImage::SetYDPI(long dpi)
{
    m_info.yDPI = dpi;
    m_header.biYPelsPerMeter = PelsPerMeter(dpi);
    WriteDibHeader();
}

const char* CxImage::GetVersionText() const
{
    return "CxImage 5.60";
}

RGBQUAD CxImage::GetTransColor() const
{
    if (m_header.biBitCount < 24 && m_info.nTransIndex >= 0 && m_pDib != nullptr &&
        static_cast<DWORD>(m_info.nTransIndex) < m_header.biClrUsed) {
        RGBQUAD color;
        std::memcpy(&color, m_pDib + m_header.biSize + m_info.nTransIndex * sizeof(RGBQUAD), sizeof color);
        return color;
    }
    return m_info.rgbTransColor;
}

long CxImage::GetColorType() const
{
    if (m_pAlpha != nullptr)
        return 4;
    return m_header.biBitCount <= 8 ? 1 : 2;
}

void CxImage::WriteDibHeader()
{
    if (m_pDib != nullptr)
        std::memcpy(m_pDib, &m_header, sizeof m_header);
}

void CxImage::SetErrorText(const char* text)
{
    std::strncpy(m_info.szLastError, text, sizeof m_info.szLastError - 1);
    m_info.szLastError[sizeof m_info.szLastError - 1] = '\0';
}

// The image object: a picture file read through the reader of its type.
#include "Rasterdock.h"

#include "General.h"
#include "Raster.h"

#include <algorithm>
#include <new>

using rasterdock::PaletteColor;
using rasterdock::Picture;

namespace {

bool IsJpeg(const BYTE* data, size_t size)
{
    return size >= 3 && data[0] == 0xFF && data[1] == 0xD8 && data[2] == 0xFF;
}

bool ReadThroughWic(const BYTE* data, size_t size, bool withPixels, Picture& picture)
{
    if (withPixels)
        return rasterdock::WicDecode(data, size, 0, picture);
    return IsJpeg(data, size) ? rasterdock::JpegReadHeader(data, size, picture)
                              : rasterdock::WicReadHeader(data, size, picture);
}

// The file's bytes decoded by the reader of the type code. A reduced copy
// keeps its picture's name whatever its type ("x.pcx" holding a JPEG), so a
// JPEG is read as one under any code.
bool ReadPicture(int nFileType, const BYTE* data, size_t size, bool withPixels, Picture& picture)
{
    switch (nFileType) {
    case 5:
        if (size > 0 && data[0] != 0x0A)
            return ReadThroughWic(data, size, withPixels, picture);
        return rasterdock::PcxRead(data, size, withPixels, picture);
    case 8:
        // A raw picture may begin with the JPEG bytes by chance.
        if (IsJpeg(data, size) && ReadThroughWic(data, size, withPixels, picture))
            return true;
        return rasterdock::RawRead(data, size, withPixels, picture);
    default:
        return ReadThroughWic(data, size, withPixels, picture);
    }
}

// The picture reduced to fit box x box, as packed top-down BGR. A JPEG is
// reduced while it is decoded: by WIC's decoder where it can, else by its
// DC coefficients when 1/8 still covers the box; only else in full.
bool ReducedPicture(int nFileType, const BYTE* data, size_t size, int box, int& width, int& height,
                    std::vector<BYTE>& bgr)
{
    Picture picture;
    bool decoded = false;
    if (box > 0 && IsJpeg(data, size)) {
        if (rasterdock::WicScalesJpeg()) {
            decoded = rasterdock::WicDecode(data, size, box, picture);
        } else if (rasterdock::JpegReadHeader(data, size, picture)) {
            int fitWidth = 0;
            int fitHeight = 0;
            rasterdock::FitBox(picture.width, picture.height, box, fitWidth, fitHeight);
            if ((picture.width + 7) / 8 >= fitWidth && (picture.height + 7) / 8 >= fitHeight)
                decoded = rasterdock::JpegDcReduce(data, size, picture);
        }
    }
    if (!decoded && !ReadPicture(nFileType, data, size, true, picture))
        return false;
    int fitWidth = 0;
    int fitHeight = 0;
    rasterdock::FitBox(picture.width, picture.height, box, fitWidth, fitHeight);
    std::vector<BYTE> full;
    rasterdock::ToBgr(picture, full);
    rasterdock::Resample(full, picture.width, picture.height, 3, fitWidth, fitHeight, bgr);
    width = fitWidth;
    height = fitHeight;
    return true;
}

}  // namespace

CImageIO::CImageIO(int nFileType, LPCTSTR lpszPath)
    : m_strFileName(lpszPath != NULL ? lpszPath : ""),
      m_nFileType(nFileType),
      m_nWidth(0),
      m_nHeight(0),
      m_fXResolution(0.0f),
      m_fYResolution(0.0f),
      m_nColorMode(0),
      m_nBitDepth(0),
      m_nPlanes(0),
      m_nRowBytes(0),
      m_nPaletteSize(0),
      m_bShowProgress(TRUE),
      m_nDisplaySize(0),
      m_bUnreadable(FALSE),
      m_pFileData(NULL),
      m_nFileSize(0)
{
    for (int i = 0; i < RD_MAX_PLANES; ++i) {
        m_pPlane[i] = NULL;
        m_bPlaneAllocated[i] = FALSE;
    }
    ZeroMemory(m_palette, sizeof(m_palette));
}

CImageIO::~CImageIO()
{
    CloseFile();
}

BOOL CImageIO::OpenFile(UINT nOpenFlags)
{
    CloseFile();
    if (m_strFileName.IsEmpty())
        return FALSE;
    // Opened for reading whatever the caller's access bits say: the object
    // never writes its picture.
    if (!m_File.Open(m_strFileName, nOpenFlags & ~UINT(CFile::modeWrite | CFile::modeReadWrite | CFile::modeCreate)))
        return FALSE;
    if (!ReadHeader()) {
        CloseFile();
        return FALSE;
    }
    return TRUE;
}

void CImageIO::CloseFile()
{
    FreeFileData();
    if (m_File.m_hFile != CFile::hFileNull)
        m_File.Abort();
}

BOOL CImageIO::LoadFileData()
{
    if (m_pFileData != NULL)
        return TRUE;
    if (m_File.m_hFile == CFile::hFileNull)
        return FALSE;
    try {
        const DWORD length = m_File.GetLength();
        if (length == 0 || length > 0x7FFFFFFF) {
            m_bUnreadable = TRUE;
            return FALSE;
        }
        BYTE* data = new (std::nothrow) BYTE[length];
        if (data == NULL)
            return FALSE;
        m_File.SeekToBegin();
        UINT got = 0;
        while (got < length) {
            UINT n = m_File.Read(data + got, length - got);
            if (n == 0)
                break;
            got += n;
        }
        if (got != length) {
            delete[] data;
            return FALSE;
        }
        m_pFileData = data;
        m_nFileSize = length;
        return TRUE;
    } catch (CException* e) {
        e->Delete();
        return FALSE;
    }
}

void CImageIO::FreeFileData()
{
    delete[] m_pFileData;
    m_pFileData = NULL;
    m_nFileSize = 0;
}

BOOL CImageIO::ReadHeader()
{
    if (!LoadFileData())
        return FALSE;
    Picture picture;
    if (!ReadPicture(m_nFileType, m_pFileData, m_nFileSize, false, picture)) {
        m_bUnreadable = TRUE;
        return FALSE;
    }
    m_nWidth = picture.width;
    m_nHeight = picture.height;
    m_fXResolution = float(picture.xres);
    m_fYResolution = float(picture.yres);
    m_nColorMode = picture.mode;
    m_nBitDepth = picture.depth;
    m_nPlanes = picture.mode == RD_MODE_RGB ? 3 : picture.mode == RD_MODE_CMYK ? 4 : 1;
    m_nPaletteSize = int(std::min<size_t>(picture.palette.size(), 256));
    ZeroMemory(m_palette, sizeof(m_palette));
    for (int i = 0; i < m_nPaletteSize; ++i) {
        const PaletteColor& color = picture.palette[size_t(i)];
        m_palette[i].rgbBlue = color.blue;
        m_palette[i].rgbGreen = color.green;
        m_palette[i].rgbRed = color.red;
    }
    return TRUE;
}

BOOL CImageIO::IsValidSize() const
{
    return m_nWidth > 0 && m_nHeight > 0;
}

BOOL CImageIO::ReadPixels()
{
    if (!IsValidSize() || m_nRowBytes < m_nWidth || m_nPlanes < 1 || m_nPlanes > RD_MAX_PLANES)
        return FALSE;
    for (int i = 0; i < m_nPlanes; ++i)
        if (m_pPlane[i] == NULL)
            return FALSE;
    if (!LoadFileData())
        return FALSE;
    Picture picture;
    // The pixels must be what the header promised the caller's planes for.
    const int channels = m_nColorMode == RD_MODE_RGB ? 3 : m_nColorMode == RD_MODE_CMYK ? 4 : 1;
    if (!ReadPicture(m_nFileType, m_pFileData, m_nFileSize, true, picture) || picture.width != m_nWidth ||
        picture.height != m_nHeight || picture.channels != channels) {
        m_bUnreadable = TRUE;
        return FALSE;
    }
    // Samples are B, G, R for RGB; the planes R, G, B.
    static const int kRgbSample[3] = {2, 1, 0};
    for (int y = 0; y < m_nHeight; ++y) {
        const BYTE* in = picture.samples.data() + size_t(y) * m_nWidth * channels;
        for (int p = 0; p < m_nPlanes; ++p) {
            BYTE* out = m_pPlane[p] + size_t(y) * m_nRowBytes;
            const int c = channels == 3 ? kRgbSample[p] : p;
            for (int x = 0; x < m_nWidth; ++x)
                out[x] = in[x * channels + c];
        }
    }
    return TRUE;
}

BOOL CImageIO::ReducedDataForDisplay(int& nWidth, int& nHeight, BYTE*& pData)
{
    pData = NULL;
    if (!LoadFileData())
        return FALSE;
    int width = 0;
    int height = 0;
    std::vector<BYTE> bgr;
    try {
        if (!ReducedPicture(m_nFileType, m_pFileData, m_nFileSize, m_nDisplaySize, width, height, bgr)) {
            m_bUnreadable = TRUE;
            return FALSE;
        }
    } catch (const std::bad_alloc&) {
        return FALSE;
    }
    const size_t rowBytes = (size_t(width) * 3 + 3) & ~size_t(3);
    BYTE* data = static_cast<BYTE*>(GenAllocBuffer(DWORD(rowBytes * height), 0, 1));
    if (data == NULL)
        return FALSE;
    for (int y = 0; y < height; ++y)
        std::copy(bgr.begin() + size_t(y) * width * 3, bgr.begin() + size_t(y + 1) * width * 3,
                  data + size_t(height - 1 - y) * rowBytes);
    nWidth = width;
    nHeight = height;
    pData = data;
    return TRUE;
}

BOOL CImageIO::ReducedDataForDisplay(CImageIO* pImage, BYTE** ppPlanes, BYTE* pBits)
{
    if (pImage == NULL || ppPlanes == NULL || pBits == NULL || !pImage->IsValidSize() ||
        pImage->m_nRowBytes < pImage->m_nWidth || pImage->m_nPlanes < 1 || pImage->m_nPlanes > RD_MAX_PLANES)
        return FALSE;
    for (int p = 0; p < pImage->m_nPlanes; ++p)
        if (ppPlanes[p] == NULL)
            return FALSE;
    const int width = pImage->m_nWidth;
    const int height = pImage->m_nHeight;
    const size_t rowBytes = (size_t(width) * 3 + 3) & ~size_t(3);
    for (int y = 0; y < height; ++y) {
        BYTE* out = pBits + size_t(height - 1 - y) * rowBytes;
        const size_t in = size_t(y) * pImage->m_nRowBytes;
        for (int x = 0; x < width; ++x) {
            BYTE blue = 0, green = 0, red = 0;
            switch (pImage->m_nColorMode) {
            case RD_MODE_RGB:
                red = ppPlanes[0][in + x];
                green = ppPlanes[1][in + x];
                blue = ppPlanes[2][in + x];
                break;
            case RD_MODE_CMYK: {
                const int k = 255 - ppPlanes[3][in + x];
                red = BYTE((255 - ppPlanes[0][in + x]) * k / 255);
                green = BYTE((255 - ppPlanes[1][in + x]) * k / 255);
                blue = BYTE((255 - ppPlanes[2][in + x]) * k / 255);
                break;
            }
            case RD_MODE_INDEX: {
                const BYTE index = ppPlanes[0][in + x];
                if (index < pImage->m_nPaletteSize) {
                    red = pImage->m_palette[index].rgbRed;
                    green = pImage->m_palette[index].rgbGreen;
                    blue = pImage->m_palette[index].rgbBlue;
                }
                break;
            }
            default:
                red = green = blue = ppPlanes[0][in + x];
                break;
            }
            out[3 * x] = blue;
            out[3 * x + 1] = green;
            out[3 * x + 2] = red;
        }
        for (size_t pad = size_t(width) * 3; pad < rowBytes; ++pad)
            out[pad] = 0;
    }
    return TRUE;
}

CJpgIO::CJpgIO(LPCTSTR lpszPath) : CImageIO(4, lpszPath) {}
CTiffIO::CTiffIO(LPCTSTR lpszPath) : CImageIO(12, lpszPath) {}
CBmpIO::CBmpIO(LPCTSTR lpszPath) : CImageIO(1, lpszPath) {}
CGifIO::CGifIO(LPCTSTR lpszPath) : CImageIO(3, lpszPath) {}
CPcxIO::CPcxIO(LPCTSTR lpszPath) : CImageIO(5, lpszPath) {}
CRawIO::CRawIO(LPCTSTR lpszPath) : CImageIO(8, lpszPath) {}
COvkIO::COvkIO(LPCTSTR lpszPath) : CImageIO(13, lpszPath) {}

BOOL COvkIO::ReadHeader()
{
    m_bUnreadable = TRUE;
    return FALSE;
}

// The native transfer's DIB as the scanner library writes it: every header
// kind a source may hand over, read from the right place, and blocks that
// are smaller than their header says refused.
#include "../../../platform/lectorix/src/DibPicture.h"

#include "TempDir.h"

#include <wincodec.h>

#include <gtest/gtest.h>

#include <climits>
#include <cstring>
#include <string>
#include <vector>

using testsupport::TempDir;

namespace {

// The picture every block below holds, 4 x 2, top row first. Channels are
// 0 or 255 only, so that a 5-bit channel holds them exactly.
const COLORREF kTop[] = {RGB(255, 0, 0), RGB(0, 255, 0), RGB(0, 0, 255), RGB(255, 255, 255)};
const COLORREF kBottom[] = {RGB(0, 0, 0), RGB(255, 255, 0), RGB(0, 255, 255), RGB(255, 0, 255)};
const int kWidth = 4;
const int kHeight = 2;

COLORREF PixelAt(int x, int yFromTop) { return yFromTop == 0 ? kTop[x] : kBottom[x]; }

void Append(std::vector<BYTE>& block, const void* data, size_t size)
{
    const BYTE* bytes = static_cast<const BYTE*>(data);
    block.insert(block.end(), bytes, bytes + size);
}

void AppendDword(std::vector<BYTE>& block, DWORD value) { Append(block, &value, sizeof(value)); }

// A header of the given size (40, 108 or 124 bytes): the fields of the
// 40-byte header, then the masks where the larger ones keep them.
std::vector<BYTE> Header(DWORD size, WORD depth, DWORD compression, LONG height, DWORD coloursUsed = 0,
                         const DWORD* masks = nullptr)
{
    BITMAPV5HEADER header = {};
    header.bV5Size = size;
    header.bV5Width = kWidth;
    header.bV5Height = height;
    header.bV5Planes = 1;
    header.bV5BitCount = depth;
    header.bV5Compression = compression;
    header.bV5ClrUsed = coloursUsed;
    if (masks != nullptr && size > sizeof(BITMAPINFOHEADER)) {
        header.bV5RedMask = masks[0];
        header.bV5GreenMask = masks[1];
        header.bV5BlueMask = masks[2];
    }
    std::vector<BYTE> block;
    Append(block, &header, size);
    return block;
}

// Rows bottom-up (or top-down), each padded to whole 32-bit words.
template <typename Pixel>
void AppendRows(std::vector<BYTE>& block, int bytesPerPixel, bool topDown, Pixel pixel)
{
    for (int row = 0; row < kHeight; ++row) {
        int y = topDown ? row : kHeight - 1 - row;
        size_t start = block.size();
        for (int x = 0; x < kWidth; ++x) {
            DWORD value = pixel(PixelAt(x, y), x, y);
            Append(block, &value, bytesPerPixel);
        }
        while ((block.size() - start) % 4 != 0)
            block.push_back(0);
    }
}

DWORD Bgr(COLORREF c, int, int) { return GetBValue(c) | (GetGValue(c) << 8) | (GetRValue(c) << 16); }
DWORD Rgb565(COLORREF c, int, int)
{
    return ((GetRValue(c) >> 3) << 11) | ((GetGValue(c) >> 2) << 5) | (GetBValue(c) >> 3);
}

const DWORD kMasks32[] = {0x00FF0000, 0x0000FF00, 0x000000FF};
const DWORD kMasks565[] = {0xF800, 0x07E0, 0x001F};

std::vector<BYTE> Rgb24(DWORD headerSize, bool topDown)
{
    std::vector<BYTE> block = Header(headerSize, 24, BI_RGB, topDown ? -kHeight : kHeight);
    AppendRows(block, 3, topDown, Bgr);
    return block;
}

std::vector<BYTE> Bitfields(DWORD headerSize, WORD depth)
{
    const DWORD* masks = depth == 32 ? kMasks32 : kMasks565;
    std::vector<BYTE> block = Header(headerSize, depth, BI_BITFIELDS, kHeight, 0, masks);
    if (headerSize == sizeof(BITMAPINFOHEADER))
        for (int i = 0; i < 3; ++i)
            AppendDword(block, masks[i]);
    AppendRows(block, depth / 8, false, depth == 32 ? Bgr : Rgb565);
    return block;
}

// Eight colours in the table (the picture's, in order), or all 256 with
// the picture's first.
std::vector<BYTE> Indexed(DWORD coloursUsed)
{
    std::vector<BYTE> block = Header(sizeof(BITMAPINFOHEADER), 8, BI_RGB, kHeight, coloursUsed);
    const DWORD tableSize = coloursUsed == 0 ? 256 : coloursUsed;
    for (DWORD i = 0; i < tableSize; ++i)
        AppendDword(block, i < 8 ? Bgr(PixelAt(i % 4, i / 4), 0, 0) : 0x00808080);
    AppendRows(block, 1, false, [](COLORREF, int x, int y) { return static_cast<DWORD>(y * 4 + x); });
    return block;
}

// The pixels of a written picture, top row first.
std::vector<COLORREF> ReadPixels(const std::string& path, int& width, int& height)
{
    std::vector<COLORREF> pixels;
    ::CoInitializeEx(NULL, COINIT_APARTMENTTHREADED);
    IWICImagingFactory* factory = nullptr;
    IWICBitmapDecoder* decoder = nullptr;
    IWICBitmapFrameDecode* frame = nullptr;
    IWICFormatConverter* converter = nullptr;
    std::wstring widePath(path.begin(), path.end());
    UINT w = 0, h = 0;
    if (SUCCEEDED(::CoCreateInstance(CLSID_WICImagingFactory, NULL, CLSCTX_INPROC_SERVER, IID_IWICImagingFactory,
                                     reinterpret_cast<void**>(&factory))) &&
        SUCCEEDED(factory->CreateDecoderFromFilename(widePath.c_str(), NULL, GENERIC_READ,
                                                     WICDecodeMetadataCacheOnDemand, &decoder)) &&
        SUCCEEDED(decoder->GetFrame(0, &frame)) && SUCCEEDED(factory->CreateFormatConverter(&converter)) &&
        SUCCEEDED(converter->Initialize(frame, GUID_WICPixelFormat24bppBGR, WICBitmapDitherTypeNone, NULL, 0,
                                        WICBitmapPaletteTypeCustom)) &&
        SUCCEEDED(converter->GetSize(&w, &h))) {
        const UINT stride = (w * 3 + 3) & ~3u;
        std::vector<BYTE> bytes(static_cast<size_t>(stride) * h);
        if (SUCCEEDED(converter->CopyPixels(NULL, stride, static_cast<UINT>(bytes.size()), bytes.data()))) {
            for (UINT y = 0; y < h; ++y)
                for (UINT x = 0; x < w; ++x) {
                    const BYTE* p = &bytes[y * stride + x * 3];
                    pixels.push_back(RGB(p[2], p[1], p[0]));
                }
        }
    }
    for (IUnknown* object : {static_cast<IUnknown*>(converter), static_cast<IUnknown*>(frame),
                             static_cast<IUnknown*>(decoder), static_cast<IUnknown*>(factory)})
        if (object != nullptr)
            object->Release();
    ::CoUninitialize();
    width = static_cast<int>(w);
    height = static_cast<int>(h);
    return pixels;
}

struct WrittenCase {
    const char* name;
    std::vector<BYTE> block;
};

bool Exists(const std::string& path) { return ::GetFileAttributesA(path.c_str()) != INVALID_FILE_ATTRIBUTES; }

}  // namespace

TEST(DibPicture, EveryHeaderKindGivesThePicture)
{
    const WrittenCase cases[] = {
        {"Rgb24", Rgb24(sizeof(BITMAPINFOHEADER), false)},
        {"Rgb24TopDown", Rgb24(sizeof(BITMAPINFOHEADER), true)},
        {"Rgb24V5", Rgb24(sizeof(BITMAPV5HEADER), false)},
        {"Bitfields32MasksAfterHeader", Bitfields(sizeof(BITMAPINFOHEADER), 32)},
        {"Bitfields32V4", Bitfields(sizeof(BITMAPV4HEADER), 32)},
        {"Bitfields32V5", Bitfields(sizeof(BITMAPV5HEADER), 32)},
        {"Bitfields565MasksAfterHeader", Bitfields(sizeof(BITMAPINFOHEADER), 16)},
        {"Bitfields565V5", Bitfields(sizeof(BITMAPV5HEADER), 16)},
        {"IndexedEightColoursUsed", Indexed(8)},
        {"IndexedFullTable", Indexed(0)},
    };
    TempDir dir;
    for (const WrittenCase& c : cases) {
        SCOPED_TRACE(c.name);
        const std::string path = dir.File(std::string(c.name) + ".bmp");
        ASSERT_TRUE(WriteDib(c.block.data(), c.block.size(), path.c_str(), GUID_ContainerFormatBmp, 72, 72));
        int width = 0, height = 0;
        std::vector<COLORREF> pixels = ReadPixels(path, width, height);
        ASSERT_EQ(width, kWidth);
        ASSERT_EQ(height, kHeight);
        ASSERT_EQ(pixels.size(), static_cast<size_t>(kWidth * kHeight));
        for (int y = 0; y < kHeight; ++y)
            for (int x = 0; x < kWidth; ++x)
                EXPECT_EQ(pixels[y * kWidth + x], PixelAt(x, y)) << "pixel " << x << "," << y;
    }
}

// What a source may hand over that its block does not hold: nothing is
// read beyond the block and no file is written.
TEST(DibPicture, ABlockSmallerThanItsHeaderSaysIsRefused)
{
    std::vector<BYTE> rowsMissing = Rgb24(sizeof(BITMAPINFOHEADER), false);
    reinterpret_cast<BITMAPINFOHEADER*>(rowsMissing.data())->biHeight = 400;
    std::vector<BYTE> oneByteShort = Rgb24(sizeof(BITMAPINFOHEADER), false);
    oneByteShort.pop_back();
    std::vector<BYTE> headerCut = Rgb24(sizeof(BITMAPV5HEADER), false);
    headerCut.resize(sizeof(BITMAPV4HEADER));
    std::vector<BYTE> tableMissing = Indexed(8);
    reinterpret_cast<BITMAPINFOHEADER*>(tableMissing.data())->biClrUsed = 0;
    std::vector<BYTE> masksMissing = Bitfields(sizeof(BITMAPINFOHEADER), 32);
    masksMissing.resize(masksMissing.size() - 4);
    std::vector<BYTE> hugeTable = Indexed(8);
    reinterpret_cast<BITMAPINFOHEADER*>(hugeTable.data())->biClrUsed = 0x40000000;
    std::vector<BYTE> lowestHeight = Rgb24(sizeof(BITMAPINFOHEADER), false);
    reinterpret_cast<BITMAPINFOHEADER*>(lowestHeight.data())->biHeight = LONG_MIN;
    std::vector<BYTE> encodedWithoutSize = Indexed(8);
    reinterpret_cast<BITMAPINFOHEADER*>(encodedWithoutSize.data())->biCompression = BI_RLE8;
    std::vector<BYTE> lessThanAHeader(sizeof(BITMAPINFOHEADER) - 1, 0);
    lessThanAHeader[0] = sizeof(BITMAPINFOHEADER);

    const WrittenCase cases[] = {
        {"RowsMissing", rowsMissing},       {"OneByteShort", oneByteShort},   {"HeaderCut", headerCut},
        {"TableMissing", tableMissing},     {"MasksMissing", masksMissing},   {"HugeTable", hugeTable},
        {"LowestHeight", lowestHeight},     {"EncodedWithoutSize", encodedWithoutSize},
        {"LessThanAHeader", lessThanAHeader},
    };
    TempDir dir;
    for (const WrittenCase& c : cases) {
        SCOPED_TRACE(c.name);
        const std::string path = dir.File(std::string(c.name) + ".bmp");
        DibLayout layout = {};
        EXPECT_FALSE(MeasureDib(c.block.data(), c.block.size(), layout));
        EXPECT_FALSE(WriteDib(c.block.data(), c.block.size(), path.c_str(), GUID_ContainerFormatBmp, 72, 72));
        EXPECT_FALSE(Exists(path));
    }
}

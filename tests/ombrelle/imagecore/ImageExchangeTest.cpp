#include "xImage.h"

#include "DibFixtures.h"

#include <gtest/gtest.h>

#include <cstring>
#include <vector>

using dibfixtures::Bytes;

namespace {

// A movable global block holding exactly the given bytes, freed at the end.
class GlobalBlock {
public:
    explicit GlobalBlock(const Bytes& bytes) : m_hMem(GlobalAlloc(GMEM_MOVEABLE, bytes.size()))
    {
        if (void* p = GlobalLock(m_hMem)) {
            std::memcpy(p, bytes.data(), bytes.size());
            GlobalUnlock(m_hMem);
        }
    }
    explicit GlobalBlock(HANDLE hMem) : m_hMem(hMem) {}
    ~GlobalBlock() { GlobalFree(m_hMem); }
    GlobalBlock(const GlobalBlock&) = delete;
    GlobalBlock& operator=(const GlobalBlock&) = delete;
    HANDLE Get() const { return m_hMem; }

private:
    HANDLE m_hMem;
};

// The pixel bytes of each row, without the rows' padding.
Bytes PixelRows(const CxImage& image)
{
    Bytes rows;
    const DWORD used = (image.GetWidth() * image.GetBpp() + 7) / 8;
    for (DWORD y = 0; y < image.GetHeight(); ++y) {
        const BYTE* row = image.GetBits() + y * image.GetEffWidth();
        rows.insert(rows.end(), row, row + used);
    }
    return rows;
}

void Pattern(CxImage& image)
{
    BYTE* bits = image.GetBits();
    for (DWORD i = 0; i < image.GetEffWidth() * image.GetHeight(); ++i)
        bits[i] = static_cast<BYTE>(i * 29 + 3);
    RGBQUAD* palette = reinterpret_cast<RGBQUAD*>(static_cast<BYTE*>(image.GetDIB()) + 40);
    for (DWORD i = 0; i < image.GetNumColors(); ++i)
        palette[i] = {static_cast<BYTE>(i), static_cast<BYTE>(255 - i), static_cast<BYTE>(i * 3), 0};
}

class ScreenDC {
public:
    ScreenDC() : m_hdc(GetDC(NULL)) {}
    ~ScreenDC() { ReleaseDC(NULL, m_hdc); }
    HDC Get() const { return m_hdc; }

private:
    HDC m_hdc;
};

}  // namespace

TEST(ImageExchange, HandleRoundTripGivesTheSameImage)
{
    for (DWORD bpp : {1ul, 4ul, 8ul, 24ul}) {
        CxImage image(5, 3, bpp);
        Pattern(image);
        image.SetXDPI(300);
        image.SetYDPI(150);
        GlobalBlock block(image.CopyToHandle());
        ASSERT_NE(nullptr, block.Get()) << bpp;
        EXPECT_EQ(image.GetSize(), GlobalSize(block.Get()));
        CxImage back(2, 2, 8);
        ASSERT_TRUE(back.CreateFromHandle(block.Get())) << bpp;
        ASSERT_EQ(image.GetSize(), back.GetSize()) << bpp;
        EXPECT_EQ(0, std::memcmp(image.GetDIB(), back.GetDIB(), image.GetSize())) << bpp;
        EXPECT_EQ(bpp, back.GetBpp());
        EXPECT_EQ(300, back.GetXDPI());
        EXPECT_EQ(150, back.GetYDPI());
    }
}

TEST(ImageExchange, DeepHandlesBecome24Bits)
{
    for (const auto& conversion : dibfixtures::Conversions()) {
        GlobalBlock block(conversion.block);
        CxImage image;
        ASSERT_TRUE(image.CreateFromHandle(block.Get())) << conversion.name;
        EXPECT_EQ(24, image.GetBpp()) << conversion.name;
        EXPECT_EQ(DWORD(conversion.width), image.GetWidth()) << conversion.name;
        EXPECT_EQ(DWORD(conversion.height), image.GetHeight()) << conversion.name;
        // 2835 pixels per metre.
        EXPECT_EQ(72, image.GetXDPI()) << conversion.name;
        Bytes expected;
        const size_t stride = conversion.expected.size() / conversion.height;
        for (int y = 0; y < conversion.height; ++y)
            expected.insert(expected.end(), conversion.expected.begin() + y * stride,
                            conversion.expected.begin() + y * stride + 3 * conversion.width);
        EXPECT_EQ(expected, PixelRows(image)) << conversion.name;
    }
}

TEST(ImageExchange, RefusesHostileHandles)
{
    for (const auto& hostile : dibfixtures::HostileBlocks()) {
        GlobalBlock block(hostile.block);
        CxImage image(2, 2, 8);
        EXPECT_FALSE(image.CreateFromHandle(block.Get())) << hostile.name;
        EXPECT_FALSE(image.IsValid()) << hostile.name;
    }
    CxImage image;
    EXPECT_FALSE(image.CreateFromHandle(NULL));
}

TEST(ImageExchange, BitmapRoundTripKeepsThePixels)
{
    ScreenDC screen;
    // An odd width: the DIB's rows and a bitmap's are padded differently.
    struct {
        DWORD width, bpp;
        bool withDC;
        WORD bppBack;
    } const cases[] = {{3, 24, true, 24}, {3, 24, false, 24}, {16, 1, false, 1}, {5, 8, false, 8}};
    for (const auto& c : cases) {
        CxImage image(c.width, 3, c.bpp);
        Pattern(image);
        HBITMAP hBitmap = image.MakeBitmap(c.withDC ? screen.Get() : NULL);
        ASSERT_NE(nullptr, hBitmap) << c.width << " x " << c.bpp;
        BITMAP bitmap;
        ASSERT_NE(0, GetObject(hBitmap, sizeof bitmap, &bitmap));
        EXPECT_EQ(LONG(c.width), bitmap.bmWidth);
        EXPECT_EQ(3, bitmap.bmHeight);
        CxImage back;
        const bool created = back.CreateFromBitmap(hBitmap);
        DeleteObject(hBitmap);
        ASSERT_TRUE(created) << c.width << " x " << c.bpp;
        ASSERT_EQ(c.bppBack, back.GetBpp()) << c.width << " x " << c.bpp;
        EXPECT_EQ(PixelRows(image), PixelRows(back)) << c.width << " x " << c.bpp;
    }
}

TEST(ImageExchange, CreateFromBitmapFailures)
{
    CxImage image(2, 2, 24);
    EXPECT_FALSE(image.CreateFromBitmap(NULL));
    EXPECT_FALSE(image.IsValid());
    HBITMAP deleted = CreateBitmap(2, 2, 1, 1, nullptr);
    DeleteObject(deleted);
    EXPECT_FALSE(image.CreateFromBitmap(deleted));
    EXPECT_STREQ("", image.GetLastError());
}

TEST(ImageExchange, CreateFromIconTakesTheColourBitmap)
{
    ScreenDC screen;
    CxImage colour(4, 4, 24);
    Pattern(colour);
    ICONINFO info = {};
    info.fIcon = TRUE;
    info.hbmColor = colour.MakeBitmap(screen.Get());
    const BYTE maskBits[8] = {};
    info.hbmMask = CreateBitmap(4, 4, 1, 1, maskBits);
    HICON hIcon = CreateIconIndirect(&info);
    DeleteObject(info.hbmColor);
    DeleteObject(info.hbmMask);
    ASSERT_NE(nullptr, hIcon);
    CxImage image;
    const bool created = image.CreateFromIcon(hIcon);
    DestroyIcon(hIcon);
    ASSERT_TRUE(created);
    EXPECT_EQ(4u, image.GetWidth());
    EXPECT_EQ(4u, image.GetHeight());
    EXPECT_EQ(24, image.GetBpp());
    EXPECT_EQ(PixelRows(colour), PixelRows(image));
    EXPECT_FALSE(image.CreateFromIcon(NULL));
    EXPECT_FALSE(image.IsValid());
}

#include "xImage.h"

#include <gtest/gtest.h>

#include <climits>
#include <cstdlib>
#include <cstring>
#include <vector>

namespace {

// Reaches the members the interface leaves to later parts of the class.
class ProbeImage : public CxImage {
public:
    using CxImage::CxImage;
    const BITMAPINFOHEADER& Header() const { return m_header; }
    const BITMAPINFOHEADER& DibHeader() const { return *reinterpret_cast<const BITMAPINFOHEADER*>(m_pDib); }
    RGBQUAD* Palette() { return reinterpret_cast<RGBQUAD*>(m_pDib + m_header.biSize); }
    BYTE* Selection() const { return m_pSelection; }
    BYTE* Alpha() const { return m_pAlpha; }
    const CxImage* Parent() const { return m_info.pParent; }
    void GiveSelectionAndAlpha(BYTE selection, BYTE alpha)
    {
        const size_t area = size_t(GetWidth()) * GetHeight();
        m_pSelection = static_cast<BYTE*>(std::malloc(area));
        m_pAlpha = static_cast<BYTE*>(std::malloc(area));
        std::memset(m_pSelection, selection, area);
        std::memset(m_pAlpha, alpha, area);
    }
};

// An image whose every pixel byte differs from its neighbours'.
void Pattern(CxImage& image)
{
    BYTE* bits = image.GetBits();
    for (DWORD i = 0; i < image.GetEffWidth() * image.GetHeight(); ++i)
        bits[i] = static_cast<BYTE>(i * 13 + 5);
}

}  // namespace

TEST(Image, EmptyImageHasTheDefaults)
{
    ProbeImage image(7);
    EXPECT_FALSE(image.IsValid());
    EXPECT_EQ(nullptr, image.GetBits());
    EXPECT_EQ(7u, image.GetType());
    EXPECT_EQ(75, image.GetJpegQuality());
    EXPECT_EQ(255, image.AlphaGetMax());
    EXPECT_EQ(-1, image.GetTransIndex());
    EXPECT_FALSE(image.IsTransparent());
    EXPECT_TRUE(image.IsEnabled());
    EXPECT_FALSE(image.AlphaPaletteIsEnabled());
    EXPECT_EQ(96, image.GetXDPI());
    EXPECT_EQ(96, image.GetYDPI());
    EXPECT_EQ(40u, image.Header().biSize);
    EXPECT_EQ(3780, image.Header().biXPelsPerMeter);
    EXPECT_EQ(3780, image.Header().biYPelsPerMeter);
    EXPECT_STREQ("", image.GetLastError());
    EXPECT_STREQ("CxImage 5.60", image.GetVersionText());
    EXPECT_FALSE(image.Destroy());
    EXPECT_EQ(nullptr, image.CopyToHandle());
    EXPECT_EQ(nullptr, image.MakeBitmap());
}

TEST(Image, CreateRoundsTheDepth)
{
    struct {
        DWORD width, height, bpp;
        WORD bitCount;
        DWORD colors, effWidth, imageSize, dibSize;
    } const cases[] = {
        {10, 10, 3, 4, 16, 8, 80, 184}, {1, 1, 32, 24, 0, 4, 4, 44},   {1, 1, 0, 1, 2, 4, 4, 52},
        {9, 2, 8, 8, 256, 12, 24, 1088}, {3, 2, 16, 24, 0, 12, 24, 64}, {33, 1, 1, 1, 2, 8, 8, 56},
    };
    for (const auto& c : cases) {
        ProbeImage image;
        ASSERT_NE(nullptr, image.Create(c.width, c.height, c.bpp, 5)) << c.width << " x " << c.height << " x " << c.bpp;
        EXPECT_EQ(c.bitCount, image.GetBpp()) << c.bpp;
        EXPECT_EQ(c.colors, image.GetNumColors()) << c.bpp;
        EXPECT_EQ(c.colors != 0, image.IsIndexed()) << c.bpp;
        EXPECT_EQ(c.effWidth, image.GetEffWidth()) << c.bpp;
        EXPECT_EQ(c.imageSize, image.Header().biSizeImage) << c.bpp;
        EXPECT_EQ(c.dibSize, image.GetSize()) << c.bpp;
        EXPECT_EQ(c.colors * 4, image.GetPaletteSize()) << c.bpp;
        EXPECT_EQ(5u, image.GetType());
        EXPECT_EQ(static_cast<BYTE*>(image.GetDIB()) + 40 + c.colors * 4, image.GetBits());
        EXPECT_EQ(0, std::memcmp(&image.Header(), image.GetDIB(), sizeof(BITMAPINFOHEADER))) << c.bpp;
        EXPECT_EQ(3780, image.DibHeader().biXPelsPerMeter);
        const std::vector<BYTE> zeros(c.colors * 4, 0);
        EXPECT_EQ(0, std::memcmp(zeros.data(), image.Palette(), zeros.size())) << c.bpp;
    }
    // Sides that give no image leave it empty.
    for (DWORD side : {0ul, 0x80000000ul, 0xFFFFFFFFul}) {
        CxImage image(4, 4, 8);
        EXPECT_EQ(nullptr, image.Create(side, 4, 8)) << side;
        EXPECT_EQ(nullptr, image.Create(4, side, 24)) << side;
        EXPECT_FALSE(image.IsValid());
    }
    EXPECT_EQ(nullptr, CxImage().Create(0x10000, 0x10000, 24));
}

TEST(Image, ResolutionInPixelsPerMetre)
{
    struct {
        long dpi;
        LONG pelsPerMeter;
    } const cases[] = {{300, 11811}, {96, 3780}, {72, 2835}, {0, 0}, {-300, -11811}, {LONG_MAX, LONG_MAX},
                       {LONG_MIN, LONG_MIN}};
    for (const auto& c : cases) {
        ProbeImage image(3, 3, 24);
        image.SetXDPI(c.dpi);
        image.SetYDPI(c.dpi / 2);
        EXPECT_EQ(c.dpi, image.GetXDPI());
        EXPECT_EQ(c.pelsPerMeter, image.Header().biXPelsPerMeter) << c.dpi;
        // The DIB's own header follows.
        EXPECT_EQ(c.pelsPerMeter, image.DibHeader().biXPelsPerMeter) << c.dpi;
        EXPECT_EQ(image.Header().biYPelsPerMeter, image.DibHeader().biYPelsPerMeter) << c.dpi;
    }
}

TEST(Image, FillBitsFillsThePixelsOnly)
{
    ProbeImage image(5, 3, 8);
    image.FillBits(0xA5);
    const std::vector<BYTE> filled(image.Header().biSizeImage, 0xA5);
    EXPECT_EQ(0, std::memcmp(filled.data(), image.GetBits(), filled.size()));
    EXPECT_EQ(0, image.Palette()[255].rgbRed);
    EXPECT_EQ(0u, image.DibHeader().biClrImportant);
}

TEST(Image, InsideImage)
{
    const CxImage image(4, 3, 24);
    struct {
        long x, y;
        bool inside;
    } const points[] = {{0, 0, true}, {3, 2, true}, {4, 0, false}, {0, 3, false}, {-1, 0, false}, {0, -1, false}};
    for (const auto& p : points)
        EXPECT_EQ(p.inside, image.IsInsideImage(p.x, p.y)) << p.x << ", " << p.y;
    EXPECT_FALSE(CxImage().IsInsideImage(0, 0));
}

TEST(Image, TransparentColourAndColourType)
{
    ProbeImage indexed(2, 2, 8);
    indexed.Palette()[3] = {10, 20, 30, 0};
    const RGBQUAD stored = {1, 2, 3, 0};
    indexed.SetTransColor(stored);
    EXPECT_EQ(1, indexed.GetTransColor().rgbBlue);
    indexed.SetTransIndex(3);
    EXPECT_TRUE(indexed.IsTransparent());
    EXPECT_EQ(10, indexed.GetTransColor().rgbBlue);
    EXPECT_EQ(30, indexed.GetTransColor().rgbRed);
    // An index outside the palette falls back on the stored colour.
    indexed.SetTransIndex(256);
    EXPECT_EQ(1, indexed.GetTransColor().rgbBlue);

    ProbeImage deep(2, 2, 24);
    deep.SetTransColor(stored);
    deep.SetTransIndex(3);
    EXPECT_EQ(1, deep.GetTransColor().rgbBlue);

    EXPECT_EQ(1, indexed.GetColorType());
    EXPECT_EQ(2, deep.GetColorType());
    deep.GiveSelectionAndAlpha(0, 255);
    EXPECT_EQ(4, deep.GetColorType());
}

TEST(Image, CopyTakesWhatItsFlagsSay)
{
    ProbeImage source(3, 2, 8, 9);
    Pattern(source);
    source.Palette()[7] = {7, 8, 9, 0};
    source.SetXDPI(300);
    source.SetJpegQuality(40);
    source.GiveSelectionAndAlpha(1, 2);
    struct {
        bool pixels, selection, alpha;
    } const flags[] = {{true, true, true}, {false, false, false}, {true, false, true}, {false, true, false}};
    for (const auto& f : flags) {
        ProbeImage copy(8, 8, 24);
        copy.SetXDPI(50);
        copy.Copy(source, f.pixels, f.selection, f.alpha);
        ASSERT_TRUE(copy.IsValid());
        EXPECT_NE(source.GetDIB(), copy.GetDIB());
        EXPECT_EQ(3u, copy.GetWidth());
        EXPECT_EQ(8, copy.GetBpp());
        EXPECT_EQ(9u, copy.GetType());
        EXPECT_EQ(40, copy.GetJpegQuality());
        EXPECT_EQ(300, copy.GetXDPI());
        EXPECT_EQ(11811, copy.DibHeader().biXPelsPerMeter);
        EXPECT_EQ(7, copy.Palette()[7].rgbBlue);
        // Without the pixels flag the rows are left as allocated.
        if (f.pixels) {
            EXPECT_EQ(0, std::memcmp(source.GetBits(), copy.GetBits(), source.GetEffWidth() * 2));
        }
        EXPECT_EQ(f.selection, copy.SelectionIsValid());
        EXPECT_EQ(f.alpha, copy.AlphaIsValid());
        if (f.selection) {
            EXPECT_EQ(1, copy.Selection()[5]);
        }
        if (f.alpha) {
            EXPECT_EQ(2, copy.Alpha()[5]);
        }
    }
    const CxImage copied(source);
    EXPECT_TRUE(copied.SelectionIsValid());
    EXPECT_TRUE(copied.AlphaIsValid());
    EXPECT_EQ(0, std::memcmp(source.GetDIB(), copied.GetDIB(), source.GetSize()));

    CxImage assigned;
    assigned = source;
    CxImage& same = assigned;
    const void* dib = assigned.GetDIB();
    assigned = same;
    EXPECT_EQ(dib, assigned.GetDIB());
    EXPECT_EQ(0, std::memcmp(source.GetDIB(), assigned.GetDIB(), source.GetSize()));
}

TEST(Image, TakeOverEmptiesTheSource)
{
    ProbeImage source(4, 4, 24, 3);
    Pattern(source);
    source.GiveSelectionAndAlpha(1, 2);
    const void* dib = source.GetDIB();
    ProbeImage taker(2, 2, 8);
    taker.TakeOver(source);
    EXPECT_FALSE(source.IsValid());
    EXPECT_FALSE(source.SelectionIsValid());
    EXPECT_FALSE(source.AlphaIsValid());
    EXPECT_EQ(0u, source.GetWidth());
    EXPECT_EQ(0u, source.GetSize());
    EXPECT_EQ(dib, taker.GetDIB());
    EXPECT_EQ(4u, taker.GetWidth());
    EXPECT_EQ(3u, taker.GetType());
    EXPECT_TRUE(taker.SelectionIsValid());
    EXPECT_TRUE(taker.AlphaIsValid());
}

TEST(Image, SharersNeverFreeTheirParentsBuffers)
{
    ProbeImage parent(4, 2, 24);
    Pattern(parent);
    parent.GiveSelectionAndAlpha(1, 2);
    const std::vector<BYTE> pixels(parent.GetBits(), parent.GetBits() + parent.GetSize() - 40);
    {
        ProbeImage sharer;
        sharer.ShareFrom(parent);
        EXPECT_EQ(&parent, sharer.Parent());
        EXPECT_EQ(parent.GetDIB(), sharer.GetDIB());
        EXPECT_EQ(parent.Alpha(), sharer.Alpha());
        EXPECT_FALSE(sharer.Destroy());
        EXPECT_TRUE(sharer.IsValid());
        sharer.GetBits()[0] = 0x42;
        EXPECT_EQ(0x42, parent.GetBits()[0]);
        sharer.GetBits()[0] = pixels[0];
    }
    {
        // A sharer that makes a picture of its own stops sharing.
        ProbeImage sharer;
        sharer.ShareFrom(parent);
        ASSERT_NE(nullptr, sharer.Create(2, 2, 8));
        EXPECT_NE(parent.GetDIB(), sharer.GetDIB());
        EXPECT_EQ(nullptr, sharer.Parent());
        // A copy of a sharer owns its copy.
        ProbeImage other;
        other.ShareFrom(parent);
        CxImage copy(other);
        EXPECT_NE(parent.GetDIB(), copy.GetDIB());
    }
    ASSERT_TRUE(parent.IsValid());
    EXPECT_EQ(0, std::memcmp(pixels.data(), parent.GetBits(), pixels.size()));
    EXPECT_EQ(1, parent.Selection()[7]);
    EXPECT_EQ(2, parent.Alpha()[7]);
    // The parent's buffers are still its own to free.
    EXPECT_TRUE(parent.Destroy());
    EXPECT_FALSE(parent.IsValid());
}

TEST(Image, CreateFromArrayPutsTheFirstRowOnTop)
{
    const BYTE array[] = {
        1, 2, 3, 4,     5, 6, 7, 8,      // top row
        9, 10, 11, 12,  13, 14, 15, 16,  // bottom row
    };
    ProbeImage image(4, 4, 8);
    ASSERT_TRUE(image.CreateFromArray(2, 2, array));
    EXPECT_EQ(24, image.GetBpp());
    ASSERT_TRUE(image.AlphaIsValid());
    const BYTE* bits = image.GetBits();
    const DWORD row = image.GetEffWidth();
    struct {
        int x, y;
        BYTE blue, green, red, alpha;
    } const pixels[] = {{0, 1, 1, 2, 3, 4}, {1, 1, 5, 6, 7, 8}, {0, 0, 9, 10, 11, 12}, {1, 0, 13, 14, 15, 16}};
    for (const auto& p : pixels) {
        const BYTE* at = bits + p.y * row + 3 * p.x;
        EXPECT_EQ(p.blue, at[0]) << p.x << ", " << p.y;
        EXPECT_EQ(p.green, at[1]) << p.x << ", " << p.y;
        EXPECT_EQ(p.red, at[2]) << p.x << ", " << p.y;
        EXPECT_EQ(p.alpha, image.Alpha()[p.y * 2 + p.x]) << p.x << ", " << p.y;
    }
    EXPECT_FALSE(image.CreateFromArray(2, 2, nullptr));
    EXPECT_FALSE(image.CreateFromArray(0, 2, array));
}

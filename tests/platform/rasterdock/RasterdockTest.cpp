#include "GuiDriver.h"
#include "Magick.h"
#include "TempDir.h"
#include "WinePath.h"

#include "General.h"
#include "Rasterdock.h"

#include <gtest/gtest.h>

#include <objbase.h>

#include <cstdlib>
#include <memory>
#include <string>
#include <vector>

using namespace testsupport;

namespace {

struct ComScope {
    ComScope() { CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED); }
    ~ComScope() { CoUninitialize(); }
};

struct Rgb {
    int r, g, b;
};

// A picture of four flat quadrants: top left, top right, bottom left,
// bottom right.
struct Quadrants {
    const char* names[4];
    Rgb colours[4];
};

const Quadrants kColour = {{"red", "lime", "blue", "white"}, {{255, 0, 0}, {0, 255, 0}, {0, 0, 255}, {255, 255, 255}}};
const Quadrants kGrey = {{"black", "#808080", "#404040", "white"},
                         {{0, 0, 0}, {128, 128, 128}, {64, 64, 64}, {255, 255, 255}}};
const Quadrants kBlackWhite = {{"black", "white", "white", "black"},
                               {{0, 0, 0}, {255, 255, 255}, {255, 255, 255}, {0, 0, 0}}};

std::vector<std::string> DrawQuadrants(const Quadrants& q, int width, int height)
{
    auto rect = [](int x0, int y0, int x1, int y1) {
        return "rectangle " + std::to_string(x0) + "," + std::to_string(y0) + " " + std::to_string(x1) + "," +
               std::to_string(y1);
    };
    const int w2 = width / 2;
    const int h2 = height / 2;
    return {"convert", "-size", std::to_string(width) + "x" + std::to_string(height), "xc:" + std::string(q.names[0]),
            "-fill", q.names[1], "-draw", rect(w2, 0, width - 1, h2 - 1),
            "-fill", q.names[2], "-draw", rect(0, h2, w2 - 1, height - 1),
            "-fill", q.names[3], "-draw", rect(w2, h2, width - 1, height - 1), "-alpha", "off"};
}

// Writes the quadrant picture with ImageMagick; output is the last argument
// (a host path with an optional format prefix).
void MakePicture(Magick& magick, const Quadrants& q, int width, int height, const std::vector<std::string>& options,
                 const std::string& output)
{
    std::vector<std::string> args = DrawQuadrants(q, width, height);
    args.insert(args.end(), options.begin(), options.end());
    args.push_back(output);
    std::string printed;
    ASSERT_EQ(0, magick.Run(args, &printed)) << printed;
}

// The BGR pixel at (x, y), counted from the top, of a bottom-up 24-bit
// bitmap with rows padded to 4 bytes.
Rgb PixelAt(const BYTE* bits, int width, int height, int x, int y)
{
    const size_t row = (size_t(width) * 3 + 3) & ~size_t(3);
    const BYTE* p = bits + size_t(height - 1 - y) * row + size_t(x) * 3;
    return {p[2], p[1], p[0]};
}

void ExpectQuadrants(const BYTE* bits, int width, int height, const Quadrants& q, int tolerance,
                     const std::string& what)
{
    const int xs[4] = {width / 4, width * 3 / 4, width / 4, width * 3 / 4};
    const int ys[4] = {height / 4, height / 4, height * 3 / 4, height * 3 / 4};
    for (int i = 0; i < 4; ++i) {
        Rgb got = PixelAt(bits, width, height, xs[i], ys[i]);
        EXPECT_NEAR(q.colours[i].r, got.r, tolerance) << what << " quadrant " << i;
        EXPECT_NEAR(q.colours[i].g, got.g, tolerance) << what << " quadrant " << i;
        EXPECT_NEAR(q.colours[i].b, got.b, tolerance) << what << " quadrant " << i;
    }
}

struct ImageDeleter {
    void operator()(CImageIO* image) const { delete image; }
};
using ImagePtr = std::unique_ptr<CImageIO, ImageDeleter>;

struct FormatCase {
    const char* name;
    const char* file;  // the picture's file name; a raw one names its layout
    const Quadrants* quadrants;
    int width, height;
    std::vector<std::string> options;
    int mode;
    int depth;
    double dpi;  // 0: the format keeps none
    int tolerance;
};

const std::vector<FormatCase>& FormatCases()
{
    static const std::vector<FormatCase> cases = {
        {"BMP 24-bit", "a.bmp", &kColour, 40, 30, {"-type", "TrueColor"}, RD_MODE_RGB, 24, 150, 0},
        {"BMP palette", "b.bmp", &kColour, 40, 30, {"-type", "Palette"}, RD_MODE_INDEX, 4, 150, 0},
        {"BMP 1-bit", "c.bmp", &kBlackWhite, 40, 30, {"-type", "Bilevel"}, RD_MODE_INDEX, 1, 150, 0},
        {"JPEG colour", "d.jpg", &kColour, 40, 30, {"-quality", "95"}, RD_MODE_RGB, 24, 150, 40},
        {"JPEG grey", "e.jpg", &kGrey, 40, 30, {"-colorspace", "Gray", "-quality", "95"}, RD_MODE_GRAY, 8, 150, 12},
        {"GIF", "f.gif", &kColour, 40, 30, {}, RD_MODE_INDEX, 8, 0, 0},
        {"TIFF RGB", "g.tif", &kColour, 40, 30, {"-type", "TrueColor"}, RD_MODE_RGB, 24, 150, 0},
        {"TIFF CMYK", "h.tif", &kColour, 40, 30, {"-colorspace", "CMYK", "-depth", "8"}, RD_MODE_CMYK, 32, 150, 2},
        {"TIFF grey", "i.tif", &kGrey, 40, 30, {"-colorspace", "Gray"}, RD_MODE_GRAY, 8, 150, 0},
        {"PCX RGB", "j.pcx", &kColour, 40, 30, {"-type", "TrueColor"}, RD_MODE_RGB, 24, 150, 0},
        {"PCX palette", "k.pcx", &kColour, 40, 30, {"-type", "Palette"}, RD_MODE_INDEX, 8, 150, 0},
        // Reduced copies keep their picture's name.
        {"JPEG named .pcx", "jpg:n.pcx", &kColour, 40, 30, {"-quality", "95"}, RD_MODE_RGB, 24, 150, 40},
        {"JPEG named .raw", "jpg:o.raw", &kColour, 40, 30, {"-quality", "95"}, RD_MODE_RGB, 24, 150, 40},
        {"raw RGB", "rgb:l.raw", &kColour, 40, 40, {"-depth", "8"}, RD_MODE_RGB, 24, 72, 0},
        {"raw grey", "gray:m.raw", &kGrey, 40, 40, {"-depth", "8"}, RD_MODE_GRAY, 8, 72, 0},
    };
    return cases;
}

// "rgb:l.raw" -> "l.raw"
std::string FileName(const std::string& file)
{
    const size_t colon = file.find(':');
    return colon == std::string::npos ? file : file.substr(colon + 1);
}

std::string ImageMagickOutput(const TempDir& folder, const std::string& file)
{
    const size_t colon = file.find(':');
    const std::string prefix = colon == std::string::npos ? std::string() : file.substr(0, colon + 1);
    return prefix + UnixPath(folder.File(FileName(file)));
}

std::string Identify(Magick& magick, const std::string& path)
{
    std::string printed;
    EXPECT_EQ(0, magick.Run({"identify", "-format", "%m %w %h %x %y %U", "@" + path}, &printed)) << printed;
    return printed;
}

}  // namespace

TEST(Rasterdock, ReadsEachFormatsHeaderAndPixels)
{
    ComScope com;
    Magick magick;
    TempDir folder;
    for (const FormatCase& c : FormatCases()) {
        SCOPED_TRACE(c.name);
        MakePicture(magick, *c.quadrants, c.width, c.height,
                    [&] {
                        std::vector<std::string> options = c.options;
                        options.insert(options.end(), {"-density", "150", "-units", "PixelsPerInch"});
                        return options;
                    }(),
                    ImageMagickOutput(folder, c.file));
        const std::string path = folder.File(FileName(c.file));

        ImagePtr image(RdCreateImage(GenGetFileType(path.c_str()), path.c_str()));
        ASSERT_NE(nullptr, image);
        ASSERT_TRUE(image->OpenFile(CFile::shareDenyWrite));
        ASSERT_TRUE(image->IsValidSize());
        EXPECT_EQ(c.width, image->m_nWidth);
        EXPECT_EQ(c.height, image->m_nHeight);
        EXPECT_EQ(c.mode, image->m_nColorMode);
        EXPECT_EQ(c.depth, image->m_nBitDepth);
        if (c.dpi > 0) {
            EXPECT_NEAR(c.dpi, image->m_fXResolution, 0.5);
            EXPECT_NEAR(c.dpi, image->m_fYResolution, 0.5);
        }

        // The document's way: planes, then the full-size display bitmap.
        image->m_nRowBytes = GenGetRowBytes(image.get(), image->m_nWidth * 8);
        std::vector<std::vector<BYTE>> planes(image->m_nPlanes,
                                              std::vector<BYTE>(size_t(image->m_nRowBytes) * image->m_nHeight, 0xCD));
        BYTE* planePointers[RD_MAX_PLANES] = {};
        for (int p = 0; p < image->m_nPlanes; ++p)
            image->m_pPlane[p] = planePointers[p] = planes[p].data();
        ASSERT_TRUE(image->ReadPixels());
        std::vector<BYTE> bits(size_t(c.height) * ((3 * c.width + 3) & ~3));
        ASSERT_TRUE(CImageIO::ReducedDataForDisplay(image.get(), planePointers, bits.data()));
        ExpectQuadrants(bits.data(), c.width, c.height, *c.quadrants, c.tolerance, "planes");
        for (int p = 0; p < image->m_nPlanes; ++p)
            image->m_pPlane[p] = nullptr;

        // The thumbnail's way: reduced to fit the display size.
        image->m_nDisplaySize = 20;
        int width = 0, height = 0;
        BYTE* data = nullptr;
        ASSERT_TRUE(image->ReducedDataForDisplay(width, height, data));
        EXPECT_EQ(20, width);
        EXPECT_EQ(c.height * 20 / c.width, height);
        ExpectQuadrants(data, width, height, *c.quadrants, c.tolerance, "reduced");
        GenFreeBuffer(reinterpret_cast<void**>(&data));
        image->CloseFile();
        EXPECT_FALSE(image->m_bUnreadable);
    }
}

TEST(Rasterdock, MakesAnObjectOnlyForTypesWithAReader)
{
    const struct {
        int code;
        bool made;
    } cases[] = {{0, false}, {1, true}, {3, true}, {4, true}, {5, true}, {8, true},
                 {12, true}, {13, true}, {18, false}, {50, false}};
    for (const auto& c : cases) {
        ImagePtr image(RdCreateImage(c.code, "C:\\x"));
        EXPECT_EQ(c.made, image != nullptr) << c.code;
        if (image) {
            EXPECT_EQ(c.code, image->m_nFileType);
            EXPECT_STREQ("C:\\x", image->m_strFileName);
        }
    }
    EXPECT_EQ(0, RdStopRequested());
}

// The ovk layout is unknown: the file opens, its header never reads, even
// when the bytes are a picture another reader would take.
TEST(Rasterdock, AnOvkFileOpensButItsHeaderFails)
{
    TempDir folder;
    const std::string path = folder.File("a.ovk");
    ASSERT_TRUE(WriteFileBytes(path, std::string("BM", 2) + std::string(100, '\0')));
    ImagePtr image(RdCreateImage(GenGetFileType(path.c_str()), path.c_str()));
    ASSERT_NE(nullptr, image);
    EXPECT_FALSE(image->OpenFile(CFile::shareDenyWrite));
    EXPECT_TRUE(image->m_bUnreadable);
    EXPECT_EQ(CFile::hFileNull, image->m_File.m_hFile);
}

TEST(Rasterdock, JpegCopyKeepsTheAspectRatioAndNeverEnlarges)
{
    ComScope com;
    Magick magick;
    TempDir folder;
    const struct {
        const char* source;
        int width, height;
        std::vector<std::string> options;
        int longSide;
        int copyWidth, copyHeight;
    } cases[] = {
        {"landscape.jpg", 300, 200, {}, 64, 64, 43},
        {"portrait.png", 200, 300, {}, 64, 43, 64},
        {"small.bmp", 50, 30, {}, 64, 50, 30},
        {"exact.tif", 64, 48, {}, 64, 64, 48},
        {"wide.pcx", 120, 80, {"-type", "TrueColor"}, 100, 100, 67},
        {"large.jpg", 3000, 2000, {}, 1024, 1024, 683},
        {"large2.jpg", 3000, 2000, {}, 64, 64, 43},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.source);
        const std::string source = folder.File(c.source);
        const std::string target = folder.File(std::string("copy_") + c.source + ".jpg");
        MakePicture(magick, kColour, c.width, c.height, c.options, UnixPath(source));
        // The document copies a picture that it holds open (share-deny-write).
        ImagePtr held(RdCreateImage(GenGetFileType(source.c_str()), source.c_str()));
        if (held) {
            ASSERT_TRUE(held->OpenFile(CFile::shareDenyWrite));
        }
        ASSERT_TRUE(RdMakeJpegCopy(source.c_str(), target.c_str(), 0, 24, c.longSide, 1));
        EXPECT_EQ("JPEG " + std::to_string(c.copyWidth) + " " + std::to_string(c.copyHeight) + " 72 72 PixelsPerInch",
                  Identify(magick, target));

        // Not mirrored or turned: the quadrants stay where they were.
        ImagePtr copy(RdCreateImage(4, target.c_str()));
        ASSERT_TRUE(copy->OpenFile(CFile::shareDenyWrite));
        int width = 0, height = 0;
        BYTE* data = nullptr;
        ASSERT_TRUE(copy->ReducedDataForDisplay(width, height, data));
        ExpectQuadrants(data, width, height, kColour, 40, "copy");
        GenFreeBuffer(reinterpret_cast<void**>(&data));
    }
}

TEST(Rasterdock, JpegCopyOfAMissingOrDamagedPictureFailsWithoutATarget)
{
    ComScope com;
    TempDir folder;
    const std::string damaged = folder.File("damaged.jpg");
    ASSERT_TRUE(WriteFileBytes(damaged, std::string("\xFF\xD8\xFF\xE0\x00\x10JFIF", 10) + std::string(200, 'x')));
    const std::string sources[] = {folder.File("missing.jpg"), damaged};
    for (const std::string& source : sources) {
        const std::string target = folder.File("copy.jpg");
        EXPECT_FALSE(RdMakeJpegCopy(source.c_str(), target.c_str(), 0, 72, 64, 1)) << source;
        EXPECT_EQ(INVALID_FILE_ATTRIBUTES, GetFileAttributesA(target.c_str())) << source;
    }
}

TEST(Rasterdock, ReducedDataOfALargeJpegMatchesThePictureScaled)
{
    ComScope com;
    Magick magick;
    TempDir folder;
    const std::string big = folder.File("big.jpg");
    const std::string reference = folder.File("reference.rgb");
    // Smooth colour with hard-edged shapes, so both blur and shifts show.
    std::string printed;
    ASSERT_EQ(0, magick.Run({"convert", "-size", "3000x2000", "gradient:yellow-navy", "-fill", "red", "-draw",
                             "circle 900,700 900,1200", "-fill", "white", "-draw", "rectangle 1800,300 2700,1700",
                             "-quality", "90", "@" + big},
                            &printed))
        << printed;
    ASSERT_EQ(0, magick.Run({"convert", "@" + big, "-filter", "Box", "-resize", "96x64!", "-depth", "8",
                             "rgb:" + UnixPath(reference)},
                            &printed))
        << printed;
    const std::string expected = ReadFileBytes(reference);
    ASSERT_EQ(size_t(96 * 64 * 3), expected.size());

    ImagePtr image(RdCreateImage(4, big.c_str()));
    image->m_bShowProgress = FALSE;
    image->m_nDisplaySize = 96;
    ASSERT_TRUE(image->OpenFile(CFile::shareDenyWrite));
    int width = 0, height = 0;
    BYTE* data = nullptr;
    ASSERT_TRUE(image->ReducedDataForDisplay(width, height, data));
    ASSERT_EQ(96, width);
    ASSERT_EQ(64, height);
    long long total = 0;
    int worst = 0;
    for (int y = 0; y < 64; ++y)
        for (int x = 0; x < 96; ++x) {
            const Rgb got = PixelAt(data, 96, 64, x, y);
            const BYTE* want = reinterpret_cast<const BYTE*>(expected.data()) + (y * 96 + x) * 3;
            const int d[3] = {std::abs(got.r - want[0]), std::abs(got.g - want[1]), std::abs(got.b - want[2])};
            for (int v : d) {
                total += v;
                worst = std::max(worst, v);
            }
        }
    GenFreeBuffer(reinterpret_cast<void**>(&data));
    EXPECT_LT(double(total) / (96 * 64 * 3), 4.0);
    EXPECT_LT(worst, 80);
}

TEST(Rasterdock, PathPromptGivesTheChosenFolderFollowedByAStar)
{
    ComScope com;
    TempDir folder;
    char previous[MAX_PATH] = "";
    GetCurrentDirectoryA(MAX_PATH, previous);
    ASSERT_TRUE(SetCurrentDirectoryA(folder.Path().c_str()));

    CString text = "unchanged";
    Gui().Expect("").Press(IDCANCEL);
    EXPECT_FALSE(RdPromptPath(&text));
    EXPECT_STREQ("unchanged", text);

    Gui().Expect("").Press(IDOK);
    EXPECT_TRUE(RdPromptPath(&text));
    EXPECT_EQ(folder.Path() + "*", std::string(text));
    SetCurrentDirectoryA(previous);
    Gui().VerifyAllSeen();
}

// The job view's type names, thumbnail paths and thumbnail check, and the
// preview's texts and fitting: plain cores, driven by tables.
#include "JobViewCore.h"
#include "PreviewCore.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <string>
#include <vector>

namespace {

TEST(JobViewCore, TypeNamesComeFromTheTableAndUnknowOutsideIt)
{
    const struct {
        int code;
        const char* name;
    } cases[] = {{0, "UNKNOW"}, {1, "IMAGE"}, {6, "TIFF"}, {10, "OVK"}, {12, "XB"},
                 {13, "UNKNOW"}, {200, "UNKNOW"}, {-1, "UNKNOW"}};
    for (const auto& c : cases)
        EXPECT_STREQ(c.name, jobview::FileTypeName(c.code)) << c.code;
}

TEST(JobViewCore, ThumbnailNameLosesOnlyTheFileNamesExtension)
{
    const struct {
        const char* folder;
        const char* name;
        const char* path;
    } cases[] = {
        {"c:\\tasks\\job1", "a.b.tif", "c:\\tasks\\job1\\bitmaps\\a.b.bmp"},
        {"c:\\tasks\\job1", "a", "c:\\tasks\\job1\\bitmaps\\a.bmp"},
        {"c:\\tasks\\job.1", "a", "c:\\tasks\\job.1\\bitmaps\\a.bmp"},
        {"c:\\tasks\\job.1", "a.b.tif", "c:\\tasks\\job.1\\bitmaps\\a.b.bmp"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(c.path, jobview::ThumbnailPath(c.folder, c.name)) << c.folder << " " << c.name;
}

void Put32(std::vector<unsigned char>& b, size_t at, uint32_t v)
{
    for (int i = 0; i < 4; i++)
        b[at + i] = static_cast<unsigned char>(v >> (8 * i));
}

void Put16(std::vector<unsigned char>& b, size_t at, uint16_t v)
{
    b[at] = static_cast<unsigned char>(v);
    b[at + 1] = static_cast<unsigned char>(v >> 8);
}

// A 24-bit bitmap file of the given size, pixels right after the headers.
std::vector<unsigned char> Bitmap(int width, int height, int bits = 24)
{
    const uint32_t rowBytes = ((uint32_t(width) * bits + 31) / 32) * 4;
    const uint32_t table = bits <= 8 ? (1u << bits) * 4 : 0;
    std::vector<unsigned char> b(54 + table + rowBytes * uint32_t(height < 0 ? -height : height), 0);
    b[0] = 'B';
    b[1] = 'M';
    Put32(b, 2, uint32_t(b.size()));
    Put32(b, 10, 54 + table);
    Put32(b, 14, 40);
    Put32(b, 18, uint32_t(width));
    Put32(b, 22, uint32_t(height));
    Put16(b, 26, 1);
    Put16(b, 28, uint16_t(bits));
    return b;
}

TEST(JobViewCore, OnlyAThumbnailWhosePartsLieInsideTheFileIsTaken)
{
    using Edit = void (*)(std::vector<unsigned char>&);
    const struct {
        const char* what;
        Edit edit;
        bool taken;
    } cases[] = {
        {"sound", [](std::vector<unsigned char>&) {}, true},
        {"top-down", [](std::vector<unsigned char>& b) { Put32(b, 22, uint32_t(-32)); }, true},
        {"cut in its pixels", [](std::vector<unsigned char>& b) { b.resize(b.size() - 1); }, false},
        {"cut in its header", [](std::vector<unsigned char>& b) { b.resize(30); }, false},
        {"no signature", [](std::vector<unsigned char>& b) { b[0] = 'X'; }, false},
        {"info header of no known size", [](std::vector<unsigned char>& b) { Put32(b, 14, 12); }, false},
        {"info header past the end", [](std::vector<unsigned char>& b) { Put32(b, 14, 124); b.resize(100); }, false},
        {"pixels said to lie past the end", [](std::vector<unsigned char>& b) { Put32(b, 10, 4000); }, false},
        {"pixels inside the headers", [](std::vector<unsigned char>& b) { Put32(b, 10, 20); }, false},
        {"bit count 7", [](std::vector<unsigned char>& b) { Put16(b, 28, 7); }, false},
        {"compressed", [](std::vector<unsigned char>& b) { Put32(b, 30, 1); }, false},
        {"zero width", [](std::vector<unsigned char>& b) { Put32(b, 18, 0); }, false},
        {"negative width", [](std::vector<unsigned char>& b) { Put32(b, 18, uint32_t(-5)); }, false},
        {"huge height", [](std::vector<unsigned char>& b) { Put32(b, 22, 0x7FFFFFFF); }, false},
        {"most negative height", [](std::vector<unsigned char>& b) { Put32(b, 22, 0x80000000u); }, false},
        {"more colours than the bit count has", [](std::vector<unsigned char>& b) { Put32(b, 46, 300); }, false},
    };
    for (const auto& c : cases) {
        std::vector<unsigned char> file = Bitmap(32, 32);
        c.edit(file);
        jobview::ThumbnailDib dib;
        EXPECT_EQ(c.taken, jobview::CheckThumbnail(file.data(), file.size(), dib)) << c.what;
        if (c.taken) {
            EXPECT_EQ(14u, dib.infoOffset);
            EXPECT_EQ(54u, dib.bitsOffset);
        }
    }
}

TEST(JobViewCore, AThumbnailsColourTableMustFitBeforeItsPixels)
{
    std::vector<unsigned char> file = Bitmap(16, 16, 8);
    jobview::ThumbnailDib dib;
    EXPECT_TRUE(jobview::CheckThumbnail(file.data(), file.size(), dib));
    EXPECT_EQ(54u + 1024u, dib.bitsOffset);
    Put32(file, 10, 54 + 100);  // pixels said to start inside the 256-entry table
    EXPECT_FALSE(jobview::CheckThumbnail(file.data(), file.size(), dib));
    EXPECT_FALSE(jobview::CheckThumbnail(nullptr, 0, dib));
}

TEST(PreviewCore, SizeTextGivesWholeKilobytesOrMegabytes)
{
    const struct {
        unsigned long long length;
        const char* text;
    } cases[] = {{999, "3200(H)*400(V)Pixels,1KB"},        {0, "3200(H)*400(V)Pixels,0KB"},
                 {5000, "3200(H)*400(V)Pixels,5KB"},       {999999, "3200(H)*400(V)Pixels,999KB"},
                 {1000000, "3200(H)*400(V)Pixels,1MB"},    {1234567, "3200(H)*400(V)Pixels,1MB"},
                 {5000000000ULL, "3200(H)*400(V)Pixels,5000MB"}};
    for (const auto& c : cases)
        EXPECT_EQ(c.text, preview::SizeText(3200, 400, c.length)) << c.length;
}

TEST(PreviewCore, TypeTextNamesTheModeAndBothResolutions)
{
    const struct {
        int mode;
        double x, y;
        const char* text;
    } cases[] = {{2, 300, 300, "BMP(1bit),300.000Dpi(H),300.000Dpi(V)"},
                 {3, 72, 96, "GRAY(8bits),72.000Dpi(H),96.000Dpi(V)"},
                 {4, 72, 72, "RGB(24bits),72.000Dpi(H),72.000Dpi(V)"},
                 {5, 150.5, 150.5, "CMYK(32bits),150.500Dpi(H),150.500Dpi(V)"},
                 {6, 1, 1, "Index(8bits),1.000Dpi(H),1.000Dpi(V)"},
                 {7, 72, 72, "MultiChannel,72.000Dpi(H),72.000Dpi(V)"},
                 {0, 72, 72, "72.000Dpi(H),72.000Dpi(V)"},
                 {8, 72, 72, "72.000Dpi(H),72.000Dpi(V)"}};
    for (const auto& c : cases)
        EXPECT_EQ(c.text, preview::TypeText(c.mode, c.x, c.y)) << c.mode;
}

TEST(PreviewCore, FittingCentresTheShorterSideAndRefusesEmptyPictures)
{
    const int kUntouched = -7;
    const struct {
        int boxWidth, boxHeight;
        unsigned long width, height;
        bool fitted;
        int out[4];
    } cases[] = {
        {100, 100, 3200, 400, true, {1, 43, 99, 12}},
        {100, 100, 400, 3200, true, {43, 1, 12, 99}},
        {100, 100, 500, 500, true, {1, 0, 99, 100}},
        {105, 102, 64, 64, true, {1, 0, 104, 102}},
        {100, 100, 0, 400, false, {}},
        {100, 100, 400, 0, false, {}},
        {100, 100, 0, 0, false, {}},
        {0, 0, 400, 400, false, {}},
    };
    for (const auto& c : cases) {
        int out[4] = {kUntouched, kUntouched, kUntouched, kUntouched};
        EXPECT_EQ(c.fitted, preview::FitIntoBox(c.boxWidth, c.boxHeight, c.width, c.height, out)) << c.width;
        for (int i = 0; i < 4; i++)
            EXPECT_EQ(c.fitted ? c.out[i] : kUntouched, out[i]) << c.width << "x" << c.height << " [" << i << "]";
    }
}

}  // namespace

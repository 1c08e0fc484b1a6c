// Truncated and corrupted pictures: every reader fails cleanly, never reads
// past the end and never crashes.
#include "Magick.h"
#include "TempDir.h"
#include "WinePath.h"

#include "General.h"
#include "Raster.h"
#include "Rasterdock.h"

#include <gtest/gtest.h>

#include <objbase.h>

#include <memory>
#include <random>
#include <string>
#include <vector>

using namespace testsupport;

namespace {

struct ComScope {
    ComScope() { CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED); }
    ~ComScope() { CoUninitialize(); }
};

struct Sample {
    const char* file;
    int code;
    std::vector<std::string> options;
};

const Sample kSamples[] = {
    {"s.jpg", 4, {"-quality", "90"}},
    {"s.bmp", 1, {"-type", "TrueColor"}},
    {"s.pcx", 5, {"-type", "TrueColor"}},
    {"p.pcx", 5, {"-type", "Palette"}},
};

std::string MakeSample(Magick& magick, const TempDir& folder, const Sample& sample)
{
    const std::string path = folder.File(sample.file);
    std::vector<std::string> args = {"convert", "-size", "64x48", "gradient:red-blue", "-fill", "white",
                                     "-draw", "circle 32,24 32,40"};
    args.insert(args.end(), sample.options.begin(), sample.options.end());
    args.push_back(UnixPath(path));
    std::string printed;
    EXPECT_EQ(0, magick.Run(args, &printed)) << printed;
    return ReadFileBytes(path);
}

struct Outcome {
    bool opened = false;
    bool pixels = false;
    bool reduced = false;
};

// Everything a caller does with a picture file: open, read the pixels into
// planes, make the reduced display data.
Outcome ReadThroughObject(int code, const std::string& path)
{
    Outcome outcome;
    std::unique_ptr<CImageIO> image(RdCreateImage(code, path.c_str()));
    if (!image)
        return outcome;
    outcome.opened = image->OpenFile(CFile::shareDenyWrite) != FALSE;
    if (!outcome.opened)
        return outcome;
    if (image->IsValidSize() && image->m_nWidth <= 4096 && image->m_nHeight <= 4096) {
        image->m_nRowBytes = GenGetRowBytes(image.get(), image->m_nWidth * 8);
        std::vector<std::vector<BYTE>> planes(image->m_nPlanes,
                                              std::vector<BYTE>(size_t(image->m_nRowBytes) * image->m_nHeight));
        for (int p = 0; p < image->m_nPlanes; ++p)
            image->m_pPlane[p] = planes[p].data();
        outcome.pixels = image->ReadPixels() != FALSE;
        for (int p = 0; p < image->m_nPlanes; ++p)
            image->m_pPlane[p] = nullptr;
    }
    image->m_nDisplaySize = 16;
    int width = 0, height = 0;
    BYTE* data = nullptr;
    outcome.reduced = image->ReducedDataForDisplay(width, height, data) != FALSE;
    if (outcome.reduced) {
        EXPECT_GT(width, 0);
        EXPECT_LE(width, 16);
        EXPECT_LE(height, 16);
    }
    GenFreeBuffer(reinterpret_cast<void**>(&data));
    return outcome;
}

}  // namespace

TEST(RasterdockDamaged, TruncatedOrCorruptedPicturesFailCleanly)
{
    ComScope com;
    Magick magick;
    TempDir folder;
    for (const Sample& sample : kSamples) {
        SCOPED_TRACE(sample.file);
        const std::string whole = MakeSample(magick, folder, sample);
        ASSERT_GT(whole.size(), 200u);
        const std::string path = folder.File(std::string("damaged_") + sample.file);

        ASSERT_TRUE(WriteFileBytes(path, whole));
        Outcome intact = ReadThroughObject(sample.code, path);
        EXPECT_TRUE(intact.opened && intact.pixels && intact.reduced);

        // Cut in the middle of the pixel data.
        ASSERT_TRUE(WriteFileBytes(path, whole.substr(0, whole.size() * 2 / 3)));
        Outcome truncated = ReadThroughObject(sample.code, path);
        EXPECT_FALSE(truncated.pixels);
        EXPECT_FALSE(truncated.reduced);

        // The header overwritten.
        std::string corrupted = whole;
        for (size_t i = 0; i < 24; ++i)
            corrupted[i] = char(0xA5 ^ i);
        ASSERT_TRUE(WriteFileBytes(path, corrupted));
        Outcome broken = ReadThroughObject(sample.code, path);
        EXPECT_FALSE(broken.opened);

        // Random cuts and bit flips: any outcome but a crash.
        std::mt19937 random(20261210);
        for (int round = 0; round < 60; ++round) {
            std::string damaged = whole;
            if (round % 3 == 0)
                damaged.resize(random() % damaged.size());
            const int flips = 1 + int(random() % 8);
            for (int i = 0; i < flips && !damaged.empty(); ++i)
                damaged[random() % damaged.size()] ^= char(1 << (random() % 8));
            ASSERT_TRUE(WriteFileBytes(path, damaged));
            ReadThroughObject(sample.code, path);
        }
    }
}

// The readers of our own over bytes in memory, many more rounds: each cut
// and each flip of every byte of the headers, then random damage.
TEST(RasterdockDamaged, OwnReadersSurviveEveryCutAndRandomDamage)
{
    ComScope com;
    Magick magick;
    TempDir folder;
    const struct {
        const Sample* sample;
        bool (*read)(const std::string&, rasterdock::Picture&);
    } readers[] = {
        {&kSamples[0],
         [](const std::string& b, rasterdock::Picture& p) {
             return rasterdock::JpegDcReduce(reinterpret_cast<const BYTE*>(b.data()), b.size(), p);
         }},
        {&kSamples[2],
         [](const std::string& b, rasterdock::Picture& p) {
             return rasterdock::PcxRead(reinterpret_cast<const BYTE*>(b.data()), b.size(), true, p);
         }},
        {&kSamples[3],
         [](const std::string& b, rasterdock::Picture& p) {
             return rasterdock::PcxRead(reinterpret_cast<const BYTE*>(b.data()), b.size(), true, p);
         }},
    };
    for (const auto& reader : readers) {
        SCOPED_TRACE(reader.sample->file);
        const std::string whole = MakeSample(magick, folder, *reader.sample);
        rasterdock::Picture picture;
        ASSERT_TRUE(reader.read(whole, picture));
        EXPECT_EQ(picture.samples.size(), size_t(picture.width) * picture.height * picture.channels);

        // Every cut.
        for (size_t length = 0; length < whole.size(); ++length) {
            std::string cut = whole.substr(0, length);
            rasterdock::Picture partial;
            bool ok = reader.read(cut, partial);
            if (length < whole.size() * 9 / 10) {
                EXPECT_FALSE(ok) << "cut at " << length;
            }
        }
        std::mt19937 random(7);
        for (int round = 0; round < 3000; ++round) {
            std::string damaged = whole;
            const int flips = 1 + int(random() % 6);
            for (int i = 0; i < flips; ++i) {
                // Mostly the headers, where lengths and sizes live.
                const size_t at = round % 2 ? random() % std::min<size_t>(200, damaged.size())
                                            : random() % damaged.size();
                damaged[at] ^= char(1 << (random() % 8));
            }
            rasterdock::Picture result;
            if (reader.read(damaged, result)) {
                EXPECT_EQ(result.samples.size(), size_t(result.width) * result.height * result.channels);
            }
        }
    }
}

TEST(RasterdockDamaged, DcReductionMatchesTheBlockMeansOfTheFullPicture)
{
    ComScope com;
    Magick magick;
    TempDir folder;
    const struct {
        const char* name;
        std::vector<std::string> options;
    } cases[] = {
        {"colour 4:2:0", {"-sampling-factor", "2x2", "-quality", "95"}},
        {"colour 4:4:4", {"-sampling-factor", "1x1", "-quality", "95"}},
        {"grey", {"-colorspace", "Gray", "-quality", "95"}},
        {"restart markers", {"-define", "jpeg:restart-interval=2", "-quality", "95"}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        const std::string path = folder.File("dc.jpg");
        std::vector<std::string> args = {"convert", "-size", "203x131", "gradient:yellow-navy", "-fill", "red",
                                         "-draw", "rectangle 32,32 127,95"};
        args.insert(args.end(), c.options.begin(), c.options.end());
        args.push_back(UnixPath(path));
        std::string printed;
        ASSERT_EQ(0, magick.Run(args, &printed)) << printed;
        const std::string bytes = ReadFileBytes(path);
        const BYTE* data = reinterpret_cast<const BYTE*>(bytes.data());

        rasterdock::Picture reduced;
        ASSERT_TRUE(rasterdock::JpegDcReduce(data, bytes.size(), reduced));
        rasterdock::Picture full;
        ASSERT_TRUE(rasterdock::WicDecode(data, bytes.size(), 0, full));
        ASSERT_EQ((full.width + 7) / 8, reduced.width);
        ASSERT_EQ((full.height + 7) / 8, reduced.height);
        ASSERT_EQ(full.channels, reduced.channels);

        // Whole blocks only: the right and bottom edge blocks hold padding.
        // The rectangle's edges lie on the 16-pixel grid of subsampled
        // colour, so a block's colour is its own there too.
        double total = 0;
        int count = 0;
        for (int by = 0; by < full.height / 8; ++by)
            for (int bx = 0; bx < full.width / 8; ++bx)
                for (int ch = 0; ch < full.channels; ++ch) {
                    int sum = 0;
                    for (int y = 0; y < 8; ++y)
                        for (int x = 0; x < 8; ++x)
                            sum += full.samples[((by * 8 + y) * full.width + bx * 8 + x) * full.channels + ch];
                    const int mean = (sum + 32) / 64;
                    const int got = reduced.samples[(by * reduced.width + bx) * reduced.channels + ch];
                    total += std::abs(mean - got);
                    ++count;
                }
        EXPECT_LT(total / count, 5.0);
    }
}

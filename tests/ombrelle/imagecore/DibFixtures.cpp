#include "DibFixtures.h"

namespace dibfixtures {

namespace {

void Put16(Bytes& out, std::uint32_t value)
{
    out.push_back(static_cast<std::uint8_t>(value));
    out.push_back(static_cast<std::uint8_t>(value >> 8));
}

void Put32(Bytes& out, std::uint32_t value)
{
    Put16(out, value & 0xFFFF);
    Put16(out, value >> 16);
}

// Rows of 16- or 32-bit pixels, each padded to 4 bytes.
template <typename Pixel>
Bytes DeepRows(const std::vector<std::vector<Pixel>>& rows)
{
    Bytes out;
    for (const auto& row : rows) {
        for (Pixel pixel : row)
            for (std::size_t i = 0; i < sizeof(Pixel); ++i)
                out.push_back(static_cast<std::uint8_t>(pixel >> (8 * i)));
        while (out.size() % 4)
            out.push_back(0);
    }
    return out;
}

// 24-bit rows from (blue, green, red) triples, padded to 4 bytes.
Bytes Rows24(int width, const std::vector<std::uint8_t>& bgr)
{
    Bytes out;
    const std::size_t rowBytes = std::size_t(width) * 3;
    for (std::size_t at = 0; at < bgr.size(); at += rowBytes) {
        out.insert(out.end(), bgr.begin() + at, bgr.begin() + at + rowBytes);
        while (out.size() % 4)
            out.push_back(0);
    }
    return out;
}

// A block of 16- or 32-bit pixels, the masks after the header when given.
template <typename Pixel>
DibSpec DeepSpec(std::uint32_t compression, std::vector<std::uint32_t> masks,
                 const std::vector<std::vector<Pixel>>& rows)
{
    DibSpec spec;
    spec.width = static_cast<std::int32_t>(rows[0].size());
    spec.height = static_cast<std::int32_t>(rows.size());
    spec.bits = 8 * sizeof(Pixel);
    spec.compression = compression;
    spec.masks = masks;
    spec.rows = DeepRows(rows);
    return spec;
}

DibSpec Spec16(std::uint32_t compression, std::vector<std::uint32_t> masks,
               const std::vector<std::vector<std::uint16_t>>& rows)
{
    return DeepSpec(compression, masks, rows);
}

DibSpec Spec32(std::uint32_t compression, std::vector<std::uint32_t> masks,
               const std::vector<std::vector<std::uint32_t>>& rows)
{
    return DeepSpec(compression, masks, rows);
}

// Three pixels a row (a 16-bit row then needs padding), two rows: red,
// green, blue at the bottom, then a mid grey, white and black.
const std::vector<std::uint8_t> kExpected = {0x00, 0x00, 0xF8, 0x00, 0xF8, 0x00, 0xF8, 0x00, 0x00,
                                             0x80, 0x80, 0x80, 0xF8, 0xF8, 0xF8, 0x00, 0x00, 0x00};
const std::vector<std::uint8_t> kExpected565 = {0x00, 0x00, 0xF8, 0x00, 0xFC, 0x00, 0xF8, 0x00, 0x00,
                                                0x80, 0x80, 0x80, 0xF8, 0xFC, 0xF8, 0x00, 0x00, 0x00};
const std::vector<std::uint8_t> kExpected8 = {0x00, 0x00, 0xFF, 0x00, 0xFF, 0x00, 0xFF, 0x00, 0x00,
                                              0x80, 0x80, 0x80, 0xFF, 0xFF, 0xFF, 0x00, 0x00, 0x00};

}  // namespace

Bytes MakeDib(const DibSpec& spec)
{
    Bytes out;
    Put32(out, 40);
    Put32(out, static_cast<std::uint32_t>(spec.width));
    Put32(out, static_cast<std::uint32_t>(spec.height));
    Put16(out, 1);
    Put16(out, spec.bits);
    Put32(out, spec.compression);
    Put32(out, spec.sizeImage);
    Put32(out, static_cast<std::uint32_t>(spec.pelsPerMeter));
    Put32(out, static_cast<std::uint32_t>(spec.pelsPerMeter));
    Put32(out, spec.colorsUsed);
    Put32(out, 0);
    for (std::uint32_t mask : spec.masks)
        Put32(out, mask);
    out.insert(out.end(), spec.palette.begin(), spec.palette.end());
    out.insert(out.end(), spec.rows.begin(), spec.rows.end());
    return out;
}

std::vector<Conversion> Conversions()
{
    const std::uint32_t kBitFields = 3;
    std::vector<Conversion> cases;
    auto add = [&cases](const std::string& name, const DibSpec& spec, const std::vector<std::uint8_t>& bgr) {
        cases.push_back({name, MakeDib(spec), spec.width, spec.height, Rows24(spec.width, bgr)});
    };
    add("16 bits 5-6-5", Spec16(kBitFields, {0xF800, 0x07E0, 0x001F}, {{0xF800, 0x07E0, 0x001F}, {0x8410, 0xFFFF, 0}}),
        kExpected565);
    add("16 bits 5-5-5 with masks", Spec16(kBitFields, {0x7C00, 0x03E0, 0x001F},
                                           {{0x7C00, 0x03E0, 0x001F}, {0x4210, 0x7FFF, 0}}),
        kExpected);
    // Blue in the high bits: the masks say where each channel lies.
    add("16 bits blue high", Spec16(kBitFields, {0x001F, 0x03E0, 0x7C00},
                                    {{0x001F, 0x03E0, 0x7C00}, {0x4210, 0x7FFF, 0}}),
        kExpected);
    add("16 bits uncompressed", Spec16(0, {}, {{0x7C00, 0x03E0, 0x001F}, {0x4210, 0x7FFF, 0}}), kExpected);
    add("32 bits", Spec32(kBitFields, {0xFF0000, 0x00FF00, 0x0000FF},
                          {{0xFF0000, 0x00FF00, 0x0000FF}, {0x808080, 0xFFFFFF, 0}}),
        kExpected8);
    add("32 bits red first", Spec32(kBitFields, {0x0000FF, 0x00FF00, 0xFF0000},
                                    {{0x0000FF, 0x00FF00, 0xFF0000}, {0x808080, 0xFFFFFF, 0}}),
        kExpected8);
    // Channels wider than a byte keep their top 8 bits.
    add("32 bits 10-10-10", Spec32(kBitFields, {0x3FF00000, 0x000FFC00, 0x000003FF},
                                   {{0x3FF00000, 0x000FFC00, 0x000003FF}, {0x20080200, 0x3FFFFFFF, 0}}),
        kExpected8);
    add("32 bits uncompressed", Spec32(0, {}, {{0xFF0000, 0x00FF00, 0x0000FF}, {0x808080, 0xFFFFFF, 0}}),
        kExpected8);
    return cases;
}

std::vector<Hostile> HostileBlocks()
{
    DibSpec valid;
    valid.width = 2;
    valid.height = 2;
    valid.bits = 8;
    valid.palette.assign(256 * 4, 0x40);
    valid.rows.assign(8, 1);
    std::vector<Hostile> cases;
    auto add = [&cases, &valid](const std::string& name, void (*change)(DibSpec&)) {
        DibSpec spec = valid;
        change(spec);
        cases.push_back({name, MakeDib(spec)});
    };
    add("run-length 8", [](DibSpec& s) { s.compression = 1; });
    add("run-length 4", [](DibSpec& s) { s.bits = 4; s.compression = 2; s.palette.resize(16 * 4); });
    add("bit fields on 8 bits", [](DibSpec& s) { s.compression = 3; s.masks = {0xE0, 0x1C, 0x03}; });
    add("zero mask", [](DibSpec& s) {
        s = Spec16(3, {0x7C00, 0, 0x001F}, {{1, 2}, {3, 4}});
    });
    add("scattered mask", [](DibSpec& s) {
        s = Spec16(3, {0x7C00, 0x0321, 0x001F}, {{1, 2}, {3, 4}});
    });
    add("masks cut off", [](DibSpec& s) {
        s = DibSpec();
        s.bits = 32;
        s.compression = 3;
        s.masks = {0xFF0000};
    });
    add("more rows than the block holds", [](DibSpec& s) { s.height = 3; });
    add("one byte short", [](DibSpec& s) { s.rows.pop_back(); });
    add("16 bits one byte short", [](DibSpec& s) {
        s = Spec16(0, {}, {{1, 2, 3}, {4, 5, 6}});
        s.rows.pop_back();
    });
    add("image size past the block", [](DibSpec& s) { s.sizeImage = 9; });
    add("palette past the block", [](DibSpec& s) { s.palette.resize(255 * 4); s.rows.clear(); });
    add("more colours than the depth has", [](DibSpec& s) { s.colorsUsed = 257; });
    add("huge palette on 24 bits", [](DibSpec& s) {
        s.bits = 24;
        s.colorsUsed = 0x40000000;
        s.palette.clear();
        s.rows.assign(16, 1);
    });
    add("negative width", [](DibSpec& s) { s.width = -2; });
    add("zero height", [](DibSpec& s) { s.height = 0; });
    add("top-down rows", [](DibSpec& s) { s.height = -2; });
    add("huge width", [](DibSpec& s) { s.width = 0x7FFFFFFF; });
    add("2 bits per pixel", [](DibSpec& s) { s.bits = 2; });
    const Bytes whole = MakeDib(valid);
    cases.push_back({"header cut off", Bytes(whole.begin(), whole.begin() + 39)});
    Bytes otherHeader = whole;
    otherHeader[0] = 12;
    cases.push_back({"other header size", otherHeader});
    return cases;
}

}  // namespace dibfixtures

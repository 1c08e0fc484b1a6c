// A baseline JPEG reduced to 1/8 by its DC coefficients: the Huffman data is
// walked (the AC coefficients skipped, never transformed), and each 8 x 8
// block's DC term gives its mean. WIC reduces while decoding where its
// decoder offers the transform; where it does not, this keeps a thumbnail
// of a large JPEG from decoding the whole picture.
#include "RasterCore.h"

#include <algorithm>
#include <cstdint>
#include <cstring>
#include <new>

namespace rasterdock {

namespace {

const int kLookBits = 12;

struct HuffTable {
    bool defined = false;
    // Codes of up to kLookBits bits by their first bits: length (0: longer
    // code) and symbol.
    std::uint8_t lookLength[1 << kLookBits] = {};
    std::uint8_t lookSymbol[1 << kLookBits] = {};
    // For AC codes: when a code and the coefficient bits after it fit in
    // the first kLookBits bits, both lengths together (0: no such entry).
    std::uint8_t lookSkip[1 << kLookBits] = {};
    int maxCode[17] = {};  // -1: no code of that length
    int minCode[17] = {};
    int valueIndex[17] = {};
    std::uint8_t values[256] = {};

    bool Build(const std::uint8_t* counts, const std::uint8_t* symbols, int total)
    {
        std::memset(lookLength, 0, sizeof lookLength);
        std::memset(lookSkip, 0, sizeof lookSkip);
        std::memcpy(values, symbols, size_t(total));
        int code = 0;
        int k = 0;
        for (int length = 1; length <= 16; ++length) {
            const int n = counts[length - 1];
            valueIndex[length] = k;
            minCode[length] = code;
            maxCode[length] = n > 0 ? code + n - 1 : -1;
            for (int i = 0; i < n; ++i, ++k, ++code) {
                if (code >= (1 << length))
                    return false;  // more codes than the length allows
                if (length <= kLookBits) {
                    const int first = code << (kLookBits - length);
                    const int last = (code + 1) << (kLookBits - length);
                    for (int j = first; j < last; ++j) {
                        lookLength[j] = std::uint8_t(length);
                        lookSymbol[j] = values[k];
                        const int magnitude = values[k] & 15;
                        if (magnitude != 0 && length + magnitude <= kLookBits)
                            lookSkip[j] = std::uint8_t(length + magnitude);
                    }
                }
            }
            code <<= 1;
        }
        defined = true;
        return true;
    }
};

// The entropy-coded bits of a scan. Past a marker or the end it feeds zero
// bits but remembers it: consuming any of them is an error (truncated or
// damaged data), never a read past the end.
class BitReader {
public:
    BitReader(const std::uint8_t* begin, const std::uint8_t* end) : m_p(begin), m_end(end) {}

    bool Failed() const { return m_failed; }

    int Peek(int n)
    {
        Fill();
        return int(m_acc >> (64 - n));
    }

    void Skip(int n)
    {
        m_acc <<= n;
        m_bits -= n;
        if (m_bits < m_padBits)
            m_failed = true;
    }

    int Take(int n)
    {
        if (n == 0)
            return 0;
        const int value = Peek(n);
        Skip(n);
        return value;
    }

    int Decode(const HuffTable& table)
    {
        const int look = Peek(kLookBits);
        if (table.lookLength[look] != 0) {
            const int length = table.lookLength[look];
            Skip(length);
            return table.lookSymbol[look];
        }
        for (int length = kLookBits + 1; length <= 16; ++length) {
            const int code = Peek(length);
            if (code <= table.maxCode[length]) {
                Skip(length);
                const int index = table.valueIndex[length] + code - table.minCode[length];
                return index >= 0 && index < 256 ? table.values[index] : (m_failed = true, 0);
            }
        }
        m_failed = true;
        return 0;
    }

    // Drops the bits left and moves past the next restart marker.
    bool Restart()
    {
        m_acc = 0;
        m_bits = 0;
        m_padBits = 0;
        m_marker = false;
        while (m_p + 1 < m_end) {
            if (m_p[0] == 0xFF && m_p[1] >= 0xD0 && m_p[1] <= 0xD7) {
                m_p += 2;
                return true;
            }
            ++m_p;
        }
        return false;
    }

private:
    void Fill()
    {
        while (m_bits <= 56) {
            unsigned byte = 0;
            if (!m_marker && m_p < m_end) {
                if (m_p[0] != 0xFF) {
                    byte = *m_p++;
                } else if (m_p + 1 < m_end && m_p[1] == 0x00) {
                    byte = 0xFF;
                    m_p += 2;
                } else {
                    m_marker = true;
                }
            } else {
                m_marker = true;
            }
            if (m_marker)
                m_padBits += 8;
            m_acc |= std::uint64_t(byte) << (56 - m_bits);
            m_bits += 8;
        }
    }

    const std::uint8_t* m_p;
    const std::uint8_t* m_end;
    std::uint64_t m_acc = 0;
    int m_bits = 0;
    int m_padBits = 0;  // the zero bits fed past a marker or the end, at the tail
    bool m_marker = false;
    bool m_failed = false;
};

struct Component {
    int id = 0;
    int h = 1;
    int v = 1;
    int quantTable = 0;
    int dcTable = 0;
    int acTable = 0;
    int quantDc = 0;
    int predictor = 0;
    int gridWidth = 0;
    int gridHeight = 0;
    std::vector<int> dc;  // dequantised DC term of each block
};

int Word(const std::uint8_t* p) { return (p[0] << 8) | p[1]; }

}  // namespace

bool JpegReadHeader(const std::uint8_t* data, size_t size, Picture& picture)
{
    if (data == nullptr || size < 4 || data[0] != 0xFF || data[1] != 0xD8)
        return false;
    double xres = 0.0;
    double yres = 0.0;
    size_t pos = 2;
    while (pos + 4 <= size) {
        if (data[pos] != 0xFF)
            return false;
        const int marker = data[pos + 1];
        if (marker == 0xFF) {
            ++pos;
            continue;
        }
        if (marker == 0xD8 || marker == 0xD9 || marker == 0xDA || marker == 0x01 ||
            (marker >= 0xD0 && marker <= 0xD7))
            return false;  // no frame before the scan or the end
        const size_t length = size_t(Word(data + pos + 2));
        if (length < 2 || pos + 2 + length > size)
            return false;
        const std::uint8_t* segment = data + pos + 4;
        const size_t payload = length - 2;
        if (marker == 0xE0 && payload >= 12 && std::memcmp(segment, "JFIF\0", 5) == 0) {
            const int units = segment[7];
            const int x = Word(segment + 8);
            const int y = Word(segment + 10);
            if (units != 0 && x > 0 && y > 0) {
                const double factor = units == 2 ? 2.54 : 1.0;  // dots per centimetre
                xres = x * factor;
                yres = y * factor;
            }
        } else if (marker >= 0xC0 && marker <= 0xCF && marker != 0xC4 && marker != 0xC8 && marker != 0xCC) {
            if (payload < 6)
                return false;
            const int height = Word(segment + 1);
            const int width = Word(segment + 3);
            const int count = segment[5];
            if (width == 0 || height == 0 || double(width) * height > kMaxPixels)
                return false;
            picture.width = width;
            picture.height = height;
            picture.palette.clear();
            switch (count) {
            case 1:
                picture.mode = 3;
                picture.depth = 8;
                picture.channels = 1;
                break;
            case 3:
                picture.mode = 4;
                picture.depth = 24;
                picture.channels = 3;
                break;
            case 4:
                picture.mode = 5;
                picture.depth = 32;
                picture.channels = 4;
                break;
            default:
                return false;
            }
            picture.xres = xres > 0.0 ? xres : 72.0;
            picture.yres = yres > 0.0 ? yres : 72.0;
            return true;
        }
        pos += 2 + length;
    }
    return false;
}

bool JpegDcReduce(const std::uint8_t* data, size_t size, Picture& picture)
{
    if (data == nullptr || size < 4 || data[0] != 0xFF || data[1] != 0xD8)
        return false;
    try {
        HuffTable dcTables[4];
        HuffTable acTables[4];
        int quantDc[4] = {0, 0, 0, 0};
        bool quantDefined[4] = {false, false, false, false};
        std::vector<Component> components;
        int width = 0;
        int height = 0;
        int restartInterval = 0;
        int adobeTransform = -1;
        bool haveFrame = false;

        size_t pos = 2;
        for (;;) {
            if (pos + 4 > size || data[pos] != 0xFF)
                return false;
            while (pos + 4 <= size && data[pos + 1] == 0xFF)
                ++pos;  // fill bytes
            if (pos + 4 > size)
                return false;
            const int marker = data[pos + 1];
            const size_t length = size_t(Word(data + pos + 2));
            if (length < 2 || pos + 2 + length > size)
                return false;
            const std::uint8_t* segment = data + pos + 4;
            const size_t payload = length - 2;
            if (marker == 0xC0 || marker == 0xC1) {
                if (payload < 6 || segment[0] != 8)
                    return false;
                height = Word(segment + 1);
                width = Word(segment + 3);
                const int count = segment[5];
                if (width == 0 || height == 0 || (count != 1 && count != 3) || payload < size_t(6 + 3 * count))
                    return false;
                components.assign(size_t(count), Component());
                for (int i = 0; i < count; ++i) {
                    Component& c = components[size_t(i)];
                    c.id = segment[6 + 3 * i];
                    c.h = segment[7 + 3 * i] >> 4;
                    c.v = segment[7 + 3 * i] & 15;
                    c.quantTable = segment[8 + 3 * i];
                    if (c.h < 1 || c.h > 4 || c.v < 1 || c.v > 4 || c.quantTable > 3)
                        return false;
                }
                haveFrame = true;
            } else if ((marker >= 0xC2 && marker <= 0xCF && marker != 0xC4 && marker != 0xC8 && marker != 0xCC)) {
                return false;  // progressive, lossless, hierarchical or arithmetic coded
            } else if (marker == 0xC4) {
                size_t at = 0;
                while (at < payload) {
                    if (at + 17 > payload)
                        return false;
                    const int kind = segment[at] >> 4;
                    const int index = segment[at] & 15;
                    int total = 0;
                    for (int i = 0; i < 16; ++i)
                        total += segment[at + 1 + i];
                    if (kind > 1 || index > 3 || total > 256 || at + 17 + size_t(total) > payload)
                        return false;
                    HuffTable& table = kind == 0 ? dcTables[index] : acTables[index];
                    if (!table.Build(segment + at + 1, segment + at + 17, total))
                        return false;
                    at += 17 + size_t(total);
                }
            } else if (marker == 0xDB) {
                size_t at = 0;
                while (at < payload) {
                    const int precision = segment[at] >> 4;
                    const int index = segment[at] & 15;
                    const size_t tableBytes = precision == 0 ? 64 : 128;
                    if (precision > 1 || index > 3 || at + 1 + tableBytes > payload)
                        return false;
                    quantDc[index] = precision == 0 ? segment[at + 1] : Word(segment + at + 1);
                    quantDefined[index] = true;
                    at += 1 + tableBytes;
                }
            } else if (marker == 0xDD) {
                if (payload < 2)
                    return false;
                restartInterval = Word(segment);
            } else if (marker == 0xEE) {
                if (payload >= 12 && std::memcmp(segment, "Adobe", 5) == 0)
                    adobeTransform = segment[11];
            } else if (marker == 0xDA) {
                if (!haveFrame || payload < 1)
                    return false;
                const int count = segment[0];
                // Only one scan holding every component (interleaved).
                if (count != int(components.size()) || payload < size_t(4 + 2 * count))
                    return false;
                for (int i = 0; i < count; ++i) {
                    Component& c = components[size_t(i)];
                    if (segment[1 + 2 * i] != c.id)
                        return false;
                    c.dcTable = segment[2 + 2 * i] >> 4;
                    c.acTable = segment[2 + 2 * i] & 15;
                    if (c.dcTable > 3 || c.acTable > 3 || !dcTables[c.dcTable].defined ||
                        !acTables[c.acTable].defined || !quantDefined[c.quantTable])
                        return false;
                    c.quantDc = quantDc[c.quantTable];
                }
                pos += 2 + length;
                break;
            } else if (marker == 0xD9 || marker == 0xD8) {
                return false;
            }
            pos += 2 + length;
        }

        int hMax = 1;
        int vMax = 1;
        for (const Component& c : components) {
            hMax = std::max(hMax, c.h);
            vMax = std::max(vMax, c.v);
        }
        if (components.size() == 1)
            components[0].h = components[0].v = hMax = vMax = 1;  // one component: no MCU grouping
        const int mcusX = (width + 8 * hMax - 1) / (8 * hMax);
        const int mcusY = (height + 8 * vMax - 1) / (8 * vMax);
        int blocksPerMcu = 0;
        for (Component& c : components) {
            c.gridWidth = mcusX * c.h;
            c.gridHeight = mcusY * c.v;
            blocksPerMcu += c.h * c.v;
            if (double(c.gridWidth) * c.gridHeight * 64 > kMaxPixels)
                return false;
            c.dc.assign(size_t(c.gridWidth) * c.gridHeight, 0);
        }
        if (blocksPerMcu > 10)
            return false;

        BitReader bits(data + pos, data + size);
        int untilRestart = restartInterval;
        for (int my = 0; my < mcusY; ++my) {
            for (int mx = 0; mx < mcusX; ++mx) {
                if (restartInterval > 0) {
                    if (untilRestart == 0) {
                        if (!bits.Restart())
                            return false;
                        for (Component& c : components)
                            c.predictor = 0;
                        untilRestart = restartInterval;
                    }
                    --untilRestart;
                }
                for (Component& c : components) {
                    const HuffTable& dcTable = dcTables[c.dcTable];
                    const HuffTable& acTable = acTables[c.acTable];
                    for (int by = 0; by < c.v; ++by) {
                        for (int bx = 0; bx < c.h; ++bx) {
                            const int s = bits.Decode(dcTable);
                            if (s > 11)
                                return false;
                            int diff = bits.Take(s);
                            if (s > 0 && diff < (1 << (s - 1)))
                                diff -= (1 << s) - 1;
                            c.predictor += diff;
                            c.dc[size_t(my * c.v + by) * c.gridWidth + size_t(mx * c.h + bx)] =
                                c.predictor * c.quantDc;
                            for (int k = 1; k < 64;) {
                                const int look = bits.Peek(kLookBits);
                                if (acTable.lookSkip[look] != 0) {  // a coefficient, skipped at once
                                    bits.Skip(acTable.lookSkip[look]);
                                    k += (acTable.lookSymbol[look] >> 4) + 1;
                                    continue;
                                }
                                const int rs = bits.Decode(acTable);
                                const int run = rs >> 4;
                                const int magnitude = rs & 15;
                                if (magnitude == 0) {
                                    if (run != 15)
                                        break;
                                    k += 16;
                                } else {
                                    bits.Skip(magnitude);
                                    k += run + 1;
                                }
                            }
                            if (bits.Failed())
                                return false;
                        }
                    }
                }
            }
        }

        // One sample per 8 x 8 block of the full picture.
        const int outWidth = (width + 7) / 8;
        const int outHeight = (height + 7) / 8;
        const bool grey = components.size() == 1;
        picture.width = outWidth;
        picture.height = outHeight;
        picture.channels = grey ? 1 : 3;
        picture.mode = grey ? 3 : 4;
        picture.depth = grey ? 8 : 24;
        picture.palette.clear();
        picture.samples.assign(size_t(outWidth) * outHeight * picture.channels, 0);
        auto sample = [&](const Component& c, int x, int y) {
            const int gx = std::min(x * c.h / hMax, c.gridWidth - 1);
            const int gy = std::min(y * c.v / vMax, c.gridHeight - 1);
            const int value = ((c.dc[size_t(gy) * c.gridWidth + gx] + 4) >> 3) + 128;
            return std::min(255, std::max(0, value));
        };
        auto clamp = [](double value) { return std::uint8_t(std::min(255.0, std::max(0.0, value + 0.5))); };
        for (int y = 0; y < outHeight; ++y) {
            for (int x = 0; x < outWidth; ++x) {
                std::uint8_t* out = &picture.samples[(size_t(y) * outWidth + x) * picture.channels];
                if (grey) {
                    out[0] = std::uint8_t(sample(components[0], x, y));
                    continue;
                }
                const int a = sample(components[0], x, y);
                const int b = sample(components[1], x, y);
                const int c = sample(components[2], x, y);
                if (adobeTransform == 0) {  // stored as R, G, B
                    out[0] = std::uint8_t(c);
                    out[1] = std::uint8_t(b);
                    out[2] = std::uint8_t(a);
                } else {
                    out[0] = clamp(a + 1.772 * (b - 128));
                    out[1] = clamp(a - 0.344136 * (b - 128) - 0.714136 * (c - 128));
                    out[2] = clamp(a + 1.402 * (c - 128));
                }
            }
        }
        return true;
    } catch (const std::bad_alloc&) {
        return false;
    }
}

}  // namespace rasterdock

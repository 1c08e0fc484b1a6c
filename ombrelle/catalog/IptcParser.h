// The IPTC datasets inside a JPEG file's bytes: finding the APP13 segment and
// its "8BIM" IPTC resource, reading the datasets and building a new block.
// Plain C++ over a byte buffer; every read stays inside the buffer, and a
// structure that points past its end is reported as malformed.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

namespace iptc {

typedef std::vector<std::uint8_t> Bytes;

// The bytes of a file as read: a view that the functions below never read
// beyond.
class Buffer {
public:
    Buffer(const std::uint8_t* data, std::size_t size) : m_data(data), m_size(size) {}
    Buffer(const Bytes& bytes) : m_data(bytes.data()), m_size(bytes.size()) {}
    const std::uint8_t* data() const { return m_data; }
    std::size_t size() const { return m_size; }
    std::uint8_t operator[](std::size_t pos) const { return m_data[pos]; }

private:
    const std::uint8_t* m_data;
    std::size_t m_size;
};

// One dataset: record number, dataset number and its value bytes.
struct Dataset {
    int record;
    int number;
    std::string value;
};

enum class Find { Found, Absent, Malformed };

// The APP13 segment: its marker at `marker`, its data from `data` on for
// `length` bytes (the length field less its own two bytes).
struct Segment {
    std::size_t marker = 0;
    std::size_t data = 0;
    std::size_t length = 0;
    std::size_t End() const { return data + length; }
};

// The IPTC resource inside the segment: its 32-bit big-endian data size at
// `sizeField`, the data from `data` on.
struct Resource {
    std::size_t sizeField = 0;
    std::size_t data = 0;
    std::uint32_t size = 0;
    // The block length the datasets are walked by: the size's low 16 bits.
    std::size_t BlockLength() const { return size & 0xFFFFu; }
};

// Start of image, then a 16-byte APP0 segment whose data begins "JFIF\0".
bool HasJfifSignature(Buffer file);

// Walks the segments from just after the JFIF APP0 segment to the APP13
// segment. Absent at the start of scan or when the walk leaves the file;
// Malformed when the APP13 segment's length does not fit the file.
Find FindSegment(Buffer file, Segment& segment);

// The segment data begins with "Photoshop 3.0" and a zero byte.
bool HasPhotoshopSignature(Buffer file, const Segment& segment);

// The first "8BIM" resource with id 0x0404 in the segment data; Malformed
// when its name or size runs past the segment's end.
Find FindIptcResource(Buffer file, const Segment& segment, Resource& resource);

// The datasets of the resource in file order, walked while the next one
// starts before block length - 2; a value length of 0 ends the walk. False
// (and no datasets) when a dataset runs past the segment's end.
bool ParseDatasets(Buffer file, const Segment& segment, const Resource& resource,
                   std::vector<Dataset>& datasets);

// A new block: the dataset (tag 0x1C, record, number, 16-bit length, text)
// in front of `block`. The previous block when the text cannot be held.
Bytes PrependDataset(const Bytes& block, int record, int number, const std::string& text);

// The datasets, each placed in front of those before it, so the block runs
// from the last of `datasets` back to the first. False when a value is too
// long for its 16-bit length or the block for the 16-bit block length.
bool BuildDatasetBlock(const std::vector<Dataset>& datasets, Bytes& block);

enum class Read { NotJfif, NoSegment, NotPhotoshop, NoResource, Malformed, Done };

// The whole walk of a reader: the JFIF signature, the APP13 segment, its
// signature, the IPTC resource and its datasets. `datasets` is filled only
// on Done.
Read ReadIptc(Buffer file, std::vector<Dataset>& datasets);

enum class Replace { Done, NoSegment, NoResource, Malformed, TooLarge };

// The file with the IPTC resource's datasets replaced by `block`: the size
// field's low two bytes become the block length, the resource data is padded
// to an even size and the segment's length follows. `out` is set only on Done.
Replace ReplaceDatasetBlock(Buffer file, const Bytes& block, Bytes& out);

}  // namespace iptc

#include "IptcParser.h"

#include <cstring>
#include <new>

namespace iptc {

namespace {

const std::uint8_t kJfifSignature[] = {0xFF, 0xD8, 0xFF, 0xE0, 0x00, 0x10, 'J', 'F', 'I', 'F', 0x00};
const char kPhotoshopSignature[] = "Photoshop 3.0";  // with its zero byte: 14 bytes
const std::uint8_t kIptcResourceTag[] = {'8', 'B', 'I', 'M', 0x04, 0x04};

// Start of image (2 bytes) and the 16-byte APP0 segment with its marker.
const std::size_t kFirstSegment = 20;
const std::uint8_t kDatasetTag = 0x1C;
const std::size_t kDatasetHeader = 5;
const std::size_t kMaxLength16 = 0xFFFF;

std::size_t Read16(Buffer bytes, std::size_t pos) { return (std::size_t(bytes[pos]) << 8) | bytes[pos + 1]; }

std::uint32_t Read32(Buffer bytes, std::size_t pos)
{
    return (std::uint32_t(bytes[pos]) << 24) | (std::uint32_t(bytes[pos + 1]) << 16) |
           (std::uint32_t(bytes[pos + 2]) << 8) | std::uint32_t(bytes[pos + 3]);
}

void Write16(Bytes& bytes, std::size_t pos, std::size_t value)
{
    bytes[pos] = std::uint8_t(value >> 8);
    bytes[pos + 1] = std::uint8_t(value);
}

}  // namespace

bool HasJfifSignature(Buffer file)
{
    return file.size() >= sizeof(kJfifSignature) &&
           std::memcmp(file.data(), kJfifSignature, sizeof(kJfifSignature)) == 0;
}

Find FindSegment(Buffer file, Segment& segment)
{
    std::size_t pos = kFirstSegment;
    // Each step moves on by at least the two marker bytes, so the walk ends.
    while (pos + 4 <= file.size()) {
        std::uint8_t m0 = file[pos], m1 = file[pos + 1];
        std::size_t length = Read16(file, pos + 2);
        if (m0 == 0xFF && m1 == 0xDA)
            return Find::Absent;
        if (m0 == 0xFF && m1 == 0xED) {
            if (length < 2 || length - 2 > file.size() - (pos + 4))
                return Find::Malformed;
            segment.marker = pos;
            segment.data = pos + 4;
            segment.length = length - 2;
            return Find::Found;
        }
        pos += length + 2;
    }
    return Find::Absent;
}

bool HasPhotoshopSignature(Buffer file, const Segment& segment)
{
    return segment.length >= sizeof(kPhotoshopSignature) &&
           std::memcmp(file.data() + segment.data, kPhotoshopSignature, sizeof(kPhotoshopSignature)) == 0;
}

Find FindIptcResource(Buffer file, const Segment& segment, Resource& resource)
{
    const std::size_t end = segment.End();
    for (std::size_t pos = segment.data; pos + sizeof(kIptcResourceTag) <= end; ++pos) {
        if (std::memcmp(file.data() + pos, kIptcResourceTag, sizeof(kIptcResourceTag)) != 0)
            continue;
        std::size_t name = pos + sizeof(kIptcResourceTag);
        if (name >= end)
            return Find::Malformed;
        // Length byte and characters take an even number of bytes.
        std::size_t nameSpan = (std::size_t(file[name]) + 2) & ~std::size_t(1);
        if (nameSpan + 4 > end - name)
            return Find::Malformed;
        resource.sizeField = name + nameSpan;
        resource.data = resource.sizeField + 4;
        resource.size = Read32(file, resource.sizeField);
        return Find::Found;
    }
    return Find::Absent;
}

bool ParseDatasets(Buffer file, const Segment& segment, const Resource& resource,
                   std::vector<Dataset>& datasets)
{
    datasets.clear();
    const std::size_t end = segment.End();
    const std::size_t blockLength = resource.BlockLength();
    std::vector<Dataset> found;
    for (std::size_t offset = 0; offset + 2 < blockLength;) {
        std::size_t pos = resource.data + offset;
        if (pos > end || kDatasetHeader > end - pos)
            return false;
        std::size_t length = Read16(file, pos + 3);
        if (length == 0)
            break;
        if (length > end - pos - kDatasetHeader)
            return false;
        const char* value = reinterpret_cast<const char*>(file.data() + pos + kDatasetHeader);
        found.push_back(Dataset{file[pos + 1], file[pos + 2], std::string(value, length)});
        offset += kDatasetHeader + length;
    }
    datasets.swap(found);
    return true;
}

Read ReadIptc(Buffer file, std::vector<Dataset>& datasets)
{
    datasets.clear();
    if (!HasJfifSignature(file))
        return Read::NotJfif;
    Segment segment;
    switch (FindSegment(file, segment)) {
    case Find::Absent:
        return Read::NoSegment;
    case Find::Malformed:
        return Read::Malformed;
    case Find::Found:
        break;
    }
    if (!HasPhotoshopSignature(file, segment))
        return Read::NotPhotoshop;
    Resource resource;
    switch (FindIptcResource(file, segment, resource)) {
    case Find::Absent:
        return Read::NoResource;
    case Find::Malformed:
        return Read::Malformed;
    case Find::Found:
        break;
    }
    return ParseDatasets(file, segment, resource, datasets) ? Read::Done : Read::Malformed;
}

Bytes PrependDataset(const Bytes& block, int record, int number, const std::string& text)
{
    if (text.size() > kMaxLength16)
        return block;
    try {
        Bytes result;
        result.reserve(kDatasetHeader + text.size() + block.size());
        result.push_back(kDatasetTag);
        result.push_back(std::uint8_t(record));
        result.push_back(std::uint8_t(number));
        result.push_back(std::uint8_t(text.size() >> 8));
        result.push_back(std::uint8_t(text.size()));
        result.insert(result.end(), text.begin(), text.end());
        result.insert(result.end(), block.begin(), block.end());
        return result;
    } catch (const std::bad_alloc&) {
        return block;
    }
}

bool BuildDatasetBlock(const std::vector<Dataset>& datasets, Bytes& block)
{
    std::size_t total = 0;
    for (const Dataset& dataset : datasets) {
        if (dataset.value.size() > kMaxLength16)
            return false;
        total += kDatasetHeader + dataset.value.size();
    }
    if (total > kMaxLength16)
        return false;
    Bytes built;
    for (const Dataset& dataset : datasets)
        built = PrependDataset(built, dataset.record, dataset.number, dataset.value);
    if (built.size() != total)
        return false;  // a dataset could not be held
    block.swap(built);
    return true;
}

Replace ReplaceDatasetBlock(Buffer file, const Bytes& block, Bytes& out)
{
    Segment segment;
    switch (FindSegment(file, segment)) {
    case Find::Absent:
        return Replace::NoSegment;
    case Find::Malformed:
        return Replace::Malformed;
    case Find::Found:
        break;
    }
    Resource resource;
    switch (FindIptcResource(file, segment, resource)) {
    case Find::Absent:
        return Replace::NoResource;
    case Find::Malformed:
        return Replace::Malformed;
    case Find::Found:
        break;
    }
    const std::size_t end = segment.End();
    // The whole old resource data must lie in the segment; a segment holds
    // less than 64 KB, so its size fits the 16-bit block length.
    if (resource.size > end - resource.data)
        return Replace::Malformed;
    const std::size_t oldLength = resource.size;
    const std::size_t oldEnd = resource.data + oldLength;
    // Resource data is padded with a zero byte to an even size.
    const std::size_t oldPad = (oldLength % 2 == 1 && oldEnd < end && file[oldEnd] == 0) ? 1 : 0;
    const std::size_t newPad = block.size() % 2;
    if (block.size() > kMaxLength16)
        return Replace::TooLarge;
    const std::size_t newSegmentLength = segment.length - oldLength - oldPad + block.size() + newPad;
    if (newSegmentLength + 2 > kMaxLength16)
        return Replace::TooLarge;

    Bytes result;
    result.reserve(file.size() - oldLength - oldPad + block.size() + newPad);
    result.insert(result.end(), file.data(), file.data() + resource.sizeField + 4);
    Write16(result, segment.marker + 2, newSegmentLength + 2);
    Write16(result, resource.sizeField, 0);
    Write16(result, resource.sizeField + 2, block.size());
    result.insert(result.end(), block.begin(), block.end());
    if (newPad)
        result.push_back(0);
    result.insert(result.end(), file.data() + oldEnd + oldPad, file.data() + file.size());
    out.swap(result);
    return Replace::Done;
}

}  // namespace iptc

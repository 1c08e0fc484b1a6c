#include "IptcFixtures.h"

namespace fixtures {

namespace {

std::string Big16(size_t value) { return std::string{char(value >> 8), char(value & 0xFF)}; }

std::string Big32(unsigned long value)
{
    return std::string{char(value >> 24), char((value >> 16) & 0xFF), char((value >> 8) & 0xFF), char(value & 0xFF)};
}

}  // namespace

std::string JfifStart()
{
    return std::string("\xFF\xD8", 2) +
           Segment(0xE0, std::string("JFIF\0\x01\x01\x01\x00\x48\x00\x48\x00\x00", 14));
}

std::string Segment(unsigned char marker, const std::string& data)
{
    return std::string{char(0xFF), char(marker)} + Big16(data.size() + 2) + data;
}

std::string ScanAndEnd()
{
    return Segment(0xDA, std::string("\x01\x01\x00\x00\x3F\x00", 6)) + std::string("\x12\x34\x56\xFF\xD9", 5);
}

std::string Dataset(int record, int number, const std::string& value)
{
    return std::string{char(0x1C), char(record), char(number)} + Big16(value.size()) + value;
}

std::string Resource(int id, const std::string& name, const std::string& data)
{
    return ResourceWithSize(id, name, data.size(), data);
}

std::string ResourceWithSize(int id, const std::string& name, unsigned long size, const std::string& data)
{
    std::string resource = "8BIM" + Big16(id) + char(name.size()) + name;
    if (name.size() % 2 == 0)
        resource += '\0';
    resource += Big32(size) + data;
    if (data.size() % 2 == 1)
        resource += '\0';
    return resource;
}

std::string App13(const std::string& resources) { return Segment(0xED, std::string("Photoshop 3.0\0", 14) + resources); }

std::string JpegWithDatasets(const std::string& datasets)
{
    return JfifStart() + App13(Resource(0x0404, "", datasets)) + ScanAndEnd();
}

iptc::Bytes ToBytes(const std::string& text) { return iptc::Bytes(text.begin(), text.end()); }

std::string FromBytes(const iptc::Bytes& bytes) { return std::string(bytes.begin(), bytes.end()); }

}  // namespace fixtures

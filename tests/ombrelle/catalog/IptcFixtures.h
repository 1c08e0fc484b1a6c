// JPEG byte fixtures made piece by piece: the JFIF start, segments, the
// APP13 "Photoshop 3.0" segment with its resources and IPTC datasets.
#pragma once

#include "IptcParser.h"

#include <string>

namespace fixtures {

// Start of image and the 16-byte JFIF APP0 segment (20 bytes).
std::string JfifStart();
// A segment: FF, the marker byte, the 16-bit length (data + 2), the data.
std::string Segment(unsigned char marker, const std::string& data);
// Start of scan, a few bytes of scan data and the end of image.
std::string ScanAndEnd();
// One dataset: 1C, record, number, 16-bit length, value.
std::string Dataset(int record, int number, const std::string& value);
// An "8BIM" resource: id, name (length byte and characters, padded to an
// even count), 32-bit size, data, and a pad byte after odd data.
std::string Resource(int id, const std::string& name, const std::string& data);
// Same, with a size field that says something else than the data's length.
std::string ResourceWithSize(int id, const std::string& name, unsigned long size, const std::string& data);
// The APP13 segment: "Photoshop 3.0", a zero byte and the resources.
std::string App13(const std::string& resources);
// A whole file: the JFIF start, the APP13 segment holding one IPTC resource
// with these datasets, then the scan.
std::string JpegWithDatasets(const std::string& datasets);

iptc::Bytes ToBytes(const std::string& text);
std::string FromBytes(const iptc::Bytes& bytes);

}  // namespace fixtures

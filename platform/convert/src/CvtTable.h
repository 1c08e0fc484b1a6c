// Checks of the conversion table files, plain C++ over their bytes.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace convert {

// "dto.cvt": a little-endian TIFF whose IFD gives the width and height and
// whose pixel data (4 bytes each) follow the 212-byte header.
bool IsValidCmykTable(const std::vector<uint8_t>& bytes);
// Any table: readable and not empty; "dto.cvt" also as above.
bool IsValidTable(const std::string& name, const std::vector<uint8_t>& bytes);

}  // namespace convert

// Building expected archive bytes by hand, as the layout describes them.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace archivebytes {

inline void U16(std::vector<uint8_t>& b, uint32_t v)
{
    b.push_back(static_cast<uint8_t>(v));
    b.push_back(static_cast<uint8_t>(v >> 8));
}
inline void U32(std::vector<uint8_t>& b, uint32_t v)
{
    U16(b, v & 0xFFFF);
    U16(b, v >> 16);
}
inline void Raw(std::vector<uint8_t>& b, const std::string& s) { b.insert(b.end(), s.begin(), s.end()); }
// A text shorter than 255 bytes: its length byte and its bytes.
inline void Text(std::vector<uint8_t>& b, const std::string& s)
{
    b.push_back(static_cast<uint8_t>(s.size()));
    Raw(b, s);
}
inline void NewClass(std::vector<uint8_t>& b, const std::string& name)
{
    U16(b, 0xFFFF);
    U16(b, 1);
    U16(b, static_cast<uint32_t>(name.size()));
    Raw(b, name);
}

}  // namespace archivebytes

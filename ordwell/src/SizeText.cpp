#include "SizeText.h"

#include <climits>
#include <cstdio>

namespace jobsize {

namespace {

const double kMebibyte = 1048576.0;

std::string Decimal(uint64_t n) { return std::to_string(static_cast<unsigned long long>(n)); }

}  // namespace

std::string MegabyteText(uint64_t bytes)
{
    char text[64];
    std::snprintf(text, sizeof text, "%.2fMB", static_cast<double>(bytes) / kMebibyte);
    return text;
}

std::string SizeText(uint64_t bytes) { return Decimal(bytes) + "    (" + MegabyteText(bytes) + ")"; }

std::string DriveMegabyteText(uint64_t bytes) { return Decimal(bytes / 1048576u) + " MB"; }

std::string KilobyteText(uint64_t bytes) { return Decimal(bytes / 1024u) + "KB"; }

bool HasRoom(uint64_t freeBytes, uint64_t dumpBytes) { return freeBytes >= dumpBytes; }

int ClampToInt(uint64_t bytes) { return bytes > static_cast<uint64_t>(INT_MAX) ? INT_MAX : static_cast<int>(bytes); }

}  // namespace jobsize

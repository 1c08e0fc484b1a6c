// Byte counts as the dump and information dialogs show them, and the dump's
// room check: plain C++ over 64-bit numbers (no windows.h), so that sizes
// beyond 4 GiB neither wrap nor turn negative.
#pragma once

#include <cstdint>
#include <string>

namespace jobsize {

// "<bytes>    (<bytes / 1 MiB with two decimals>MB)": 1572864 gives
// "1572864    (1.50MB)".
std::string SizeText(uint64_t bytes);
// "<bytes / 1 MiB with two decimals>MB": 3670016 gives "3.50MB".
std::string MegabyteText(uint64_t bytes);
// Whole mebibytes, "<n> MB", rounded down.
std::string DriveMegabyteText(uint64_t bytes);
// Whole kibibytes, "<n>KB", rounded down.
std::string KilobyteText(uint64_t bytes);
// True when a drive with that many free bytes takes a dump of that size.
bool HasRoom(uint64_t freeBytes, uint64_t dumpBytes);
// The count for an interface that hands out an int: at most 2,147,483,647.
int ClampToInt(uint64_t bytes);

}  // namespace jobsize

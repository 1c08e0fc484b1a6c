// The record of calls that tests read (GeneralCallLog), and general's own
// module.
#pragma once

#include <windows.h>

#include <string>

namespace general {

void Record(int ordinal, const std::string& argument = std::string(), bool hasArgument = false);
HINSTANCE ThisModule();
// The size of a block of GenAllocBuffer that begins at the address; 0 for
// any other address.
size_t BlockSize(const void* pBlock);

}  // namespace general

// Registry values for tests that set up or check a program's profile.
#pragma once

#include <windows.h>

#include <optional>
#include <string>

namespace testsupport {

bool WriteRegString(HKEY root, const std::string& key, const std::string& name, const std::string& value);
bool WriteRegDword(HKEY root, const std::string& key, const std::string& name, DWORD value);
std::optional<std::string> ReadRegString(HKEY root, const std::string& key, const std::string& name);
std::optional<DWORD> ReadRegDword(HKEY root, const std::string& key, const std::string& name);
// Deletes the key with everything under it; true when it is gone.
bool DeleteRegKey(HKEY root, const std::string& key);

}  // namespace testsupport

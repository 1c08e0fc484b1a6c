#include "Registry.h"

namespace testsupport {

namespace {

bool WriteValue(HKEY root, const std::string& key, const std::string& name, DWORD type,
                const void* data, DWORD size)
{
    HKEY handle = nullptr;
    if (RegCreateKeyExA(root, key.c_str(), 0, nullptr, 0, KEY_SET_VALUE, nullptr, &handle, nullptr) != ERROR_SUCCESS)
        return false;
    const LONG result = RegSetValueExA(handle, name.c_str(), 0, type, static_cast<const BYTE*>(data), size);
    RegCloseKey(handle);
    return result == ERROR_SUCCESS;
}

}  // namespace

bool WriteRegString(HKEY root, const std::string& key, const std::string& name, const std::string& value)
{
    return WriteValue(root, key, name, REG_SZ, value.c_str(), DWORD(value.size() + 1));
}

bool WriteRegDword(HKEY root, const std::string& key, const std::string& name, DWORD value)
{
    return WriteValue(root, key, name, REG_DWORD, &value, sizeof value);
}

std::optional<std::string> ReadRegString(HKEY root, const std::string& key, const std::string& name)
{
    DWORD size = 0;
    if (RegGetValueA(root, key.c_str(), name.c_str(), RRF_RT_REG_SZ, nullptr, nullptr, &size) != ERROR_SUCCESS)
        return std::nullopt;
    std::string value(size, '\0');
    if (RegGetValueA(root, key.c_str(), name.c_str(), RRF_RT_REG_SZ, nullptr, &value[0], &size) != ERROR_SUCCESS)
        return std::nullopt;
    value.resize(size > 0 ? size - 1 : 0);
    return value;
}

std::optional<DWORD> ReadRegDword(HKEY root, const std::string& key, const std::string& name)
{
    DWORD value = 0;
    DWORD size = sizeof value;
    if (RegGetValueA(root, key.c_str(), name.c_str(), RRF_RT_REG_DWORD, nullptr, &value, &size) != ERROR_SUCCESS)
        return std::nullopt;
    return value;
}

bool DeleteRegKey(HKEY root, const std::string& key)
{
    const LONG result = RegDeleteTreeA(root, key.c_str());
    if (result != ERROR_SUCCESS && result != ERROR_FILE_NOT_FOUND)
        return false;
    RegDeleteKeyA(root, key.c_str());
    HKEY handle = nullptr;
    if (RegOpenKeyExA(root, key.c_str(), 0, KEY_READ, &handle) == ERROR_SUCCESS) {
        RegCloseKey(handle);
        return false;
    }
    return true;
}

}  // namespace testsupport

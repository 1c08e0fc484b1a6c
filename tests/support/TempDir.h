// A fresh folder for one test, removed with everything in it afterwards.
#pragma once

#include <string>

namespace testsupport {

class TempDir {
public:
    TempDir();
    ~TempDir();
    TempDir(const TempDir&) = delete;
    TempDir& operator=(const TempDir&) = delete;

    // The folder's Windows path, without a trailing backslash.
    const std::string& Path() const { return m_path; }
    // The path of a file inside the folder.
    std::string File(const std::string& name) const { return m_path + "\\" + name; }

private:
    std::string m_path;
};

// Writes bytes to a file; false when it could not.
bool WriteFileBytes(const std::string& path, const std::string& bytes);
// Reads a whole file; empty when it cannot be read.
std::string ReadFileBytes(const std::string& path);

}  // namespace testsupport

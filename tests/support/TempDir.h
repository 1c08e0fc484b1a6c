// A fresh folder for one test, removed with everything in it afterwards.
#pragma once

#include <string>

namespace testsupport {

class TempDir {
public:
    // In the test program's temporary folder.
    TempDir();
    // In another folder (the shell's folder browser, walking down to a folder,
    // can lose its way in the temporary folder, whose subfolders the test
    // programs running beside this one make and remove meanwhile).
    explicit TempDir(const std::string& base);
    ~TempDir();
    TempDir(const TempDir&) = delete;
    TempDir& operator=(const TempDir&) = delete;

    // The folder's Windows path (a host path where the plain cores' tests
    // run on the host), without a trailing separator.
    const std::string& Path() const { return m_path; }
    // The path of a file inside the folder.
#ifdef _WIN32
    std::string File(const std::string& name) const { return m_path + "\\" + name; }
#else
    std::string File(const std::string& name) const { return m_path + "/" + name; }
#endif

private:
    std::string m_path;
};

// The test program's own temporary folder, <temp>\ombt-<process id>: made
// and set as TEMP and TMP (for this process and the programs it starts) for
// the object's life, then removed with everything in it. Test programs run
// side by side, and nothing one of them leaves in the temporary folder can
// reach another.
class ProcessTempFolder {
public:
    ProcessTempFolder();
    ~ProcessTempFolder();
    ProcessTempFolder(const ProcessTempFolder&) = delete;
    ProcessTempFolder& operator=(const ProcessTempFolder&) = delete;

private:
    std::string m_path;
};

// A name no other test program running now uses: the prefix followed by this
// process's id (for profile keys, class roots and files outside a TempDir).
std::string ProcessUnique(const std::string& prefix);

// The user's profile folder (%USERPROFILE%), where no other test program
// makes or removes folders.
std::string UserProfileFolder();

// Writes bytes to a file; false when it could not.
bool WriteFileBytes(const std::string& path, const std::string& bytes);
// Reads a whole file; empty when it cannot be read.
std::string ReadFileBytes(const std::string& path);

}  // namespace testsupport

#include "TempDir.h"

#include <windows.h>

#include <fstream>
#include <iterator>
#include <stdexcept>

namespace testsupport {

namespace {

std::string TempFolder()
{
    char base[MAX_PATH] = {};
    GetTempPathA(MAX_PATH, base);
    return base;
}

}  // namespace

TempDir::TempDir() : TempDir(TempFolder()) {}

TempDir::TempDir(const std::string& base)
{
    const std::string parent = base.empty() || base.back() == '\\' ? base : base + "\\";
    // Outside this program's temporary folder the name carries the process id.
    const std::string prefix = parent == TempFolder() ? "t" : ProcessUnique("ombt-") + "-";
    static unsigned counter = 0;
    for (int attempt = 0; attempt < 100; ++attempt) {
        std::string path = parent + prefix + std::to_string(++counter) + "-" + std::to_string(GetTickCount());
        if (CreateDirectoryA(path.c_str(), nullptr)) {
            m_path = path;
            return;
        }
    }
    throw std::runtime_error("cannot make a temporary folder");
}

namespace {

// Paths are in the ANSI code page, so the removal stays with the A functions.
void RemoveTree(const std::string& folder)
{
    WIN32_FIND_DATAA entry;
    HANDLE find = FindFirstFileA((folder + "\\*").c_str(), &entry);
    if (find != INVALID_HANDLE_VALUE) {
        do {
            const std::string name = entry.cFileName;
            if (name == "." || name == "..")
                continue;
            const std::string path = folder + "\\" + name;
            if (entry.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) {
                RemoveTree(path);
            } else {
                SetFileAttributesA(path.c_str(), FILE_ATTRIBUTE_NORMAL);
                DeleteFileA(path.c_str());
            }
        } while (FindNextFileA(find, &entry));
        FindClose(find);
    }
    RemoveDirectoryA(folder.c_str());
}

}  // namespace

TempDir::~TempDir()
{
    RemoveTree(m_path);
}

ProcessTempFolder::ProcessTempFolder()
{
    m_path = TempFolder() + ProcessUnique("ombt-");
    // A folder of an earlier process with the same id goes first.
    RemoveTree(m_path);
    if (!CreateDirectoryA(m_path.c_str(), nullptr))
        throw std::runtime_error("cannot make the test program's temporary folder " + m_path);
    const std::string withSlash = m_path + "\\";
    SetEnvironmentVariableA("TEMP", withSlash.c_str());
    SetEnvironmentVariableA("TMP", withSlash.c_str());
}

ProcessTempFolder::~ProcessTempFolder()
{
    RemoveTree(m_path);
}

std::string UserProfileFolder()
{
    char folder[MAX_PATH] = "";
    if (!GetEnvironmentVariableA("USERPROFILE", folder, MAX_PATH))
        throw std::runtime_error("USERPROFILE is not set");
    return folder;
}

std::string ProcessUnique(const std::string& prefix)
{
    return prefix + std::to_string(GetCurrentProcessId());
}

bool WriteFileBytes(const std::string& path, const std::string& bytes)
{
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out.write(bytes.data(), std::streamsize(bytes.size()));
    return bool(out);
}

std::string ReadFileBytes(const std::string& path)
{
    std::ifstream in(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

}  // namespace testsupport

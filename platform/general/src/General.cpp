// The general library stand-in: folders, file type codes, buffers and the
// call record that tests read.
#include "General.h"

#include <cstdlib>
#include <map>
#include <mutex>
#include <string>

#include "afxwin.h"
#include "CallLog.h"

namespace {

std::mutex g_lock;
std::string g_calls;
std::string g_programFolder;
std::string g_tempFolder;
std::map<const void*, size_t> g_blocks;

std::string LowerExtension(const char* path)
{
    std::string text(path);
    size_t slash = text.find_last_of("\\/");
    size_t dot = text.find_last_of('.');
    if (dot == std::string::npos || (slash != std::string::npos && dot < slash))
        return std::string();
    std::string ext = text.substr(dot + 1);
    for (char& c : ext)
        if (c >= 'A' && c <= 'Z')
            c = static_cast<char>(c - 'A' + 'a');
    return ext;
}

}  // namespace

namespace general {

void Record(int ordinal, const std::string& argument, bool hasArgument)
{
    std::lock_guard<std::mutex> guard(g_lock);
    g_calls += std::to_string(ordinal);
    if (hasArgument)
        g_calls += " " + argument;
    g_calls += "\n";
}

HINSTANCE ThisModule()
{
    HMODULE module = NULL;
    ::GetModuleHandleExA(GET_MODULE_HANDLE_EX_FLAG_FROM_ADDRESS | GET_MODULE_HANDLE_EX_FLAG_UNCHANGED_REFCOUNT,
                         reinterpret_cast<LPCSTR>(&ThisModule), &module);
    return module;
}

size_t BlockSize(const void* pBlock)
{
    std::lock_guard<std::mutex> guard(g_lock);
    auto it = g_blocks.find(pBlock);
    return it == g_blocks.end() ? 0 : it->second;
}

}  // namespace general

using general::Record;

extern "C" {

int GenGetFileType(const char* lpszPath)
{
    Record(100, lpszPath ? lpszPath : "", true);
    if (lpszPath == NULL)
        return 0;
    static const struct {
        const char* ext;
        int code;
    } kTypes[] = {
        {"bmp", 1}, {"dib", 1}, {"gif", 3}, {"jpg", 4}, {"jpeg", 4}, {"jpe", 4},
        {"pcx", 5}, {"raw", 8}, {"tif", 12}, {"tiff", 12}, {"ovk", 13}, {"psd", 18},
        {"ps", 50}, {"eps", 50},
    };
    std::string ext = LowerExtension(lpszPath);
    for (const auto& type : kTypes)
        if (ext == type.ext)
            return type.code;
    return 0;
}

int GenGetRowBytes(void*, int nBits)
{
    Record(103);
    if (nBits <= 0)
        return 0;
    return ((nBits + 31) / 32) * 4;
}

void* GenAllocBuffer(DWORD dwSize, int, int)
{
    Record(104);
    void* pBlock = dwSize == 0 ? NULL : std::calloc(dwSize, 1);
    if (pBlock != NULL) {
        std::lock_guard<std::mutex> guard(g_lock);
        g_blocks[pBlock] = dwSize;
    }
    return pBlock;
}

void GenFreeBuffer(void** ppBuffer)
{
    Record(107);
    if (ppBuffer != NULL) {
        if (*ppBuffer != NULL) {
            std::lock_guard<std::mutex> guard(g_lock);
            g_blocks.erase(*ppBuffer);
        }
        std::free(*ppBuffer);
        *ppBuffer = NULL;
    }
}

void GenInitFrame() { Record(190); }
void GenStartup() { Record(242); }
void GenShutdown() { Record(245); }

char* GenGetProgramFolder()
{
    Record(246);
    // Callers keep the pointer until the folder is set again.
    std::lock_guard<std::mutex> guard(g_lock);
    return &g_programFolder[0];
}

void GenSetProgramFolder(const char* lpszFolder)
{
    Record(247, lpszFolder ? lpszFolder : "", true);
    std::lock_guard<std::mutex> guard(g_lock);
    g_programFolder = lpszFolder ? lpszFolder : "";
}

char* GenGetTempFolder()
{
    Record(248);
    std::lock_guard<std::mutex> guard(g_lock);
    return &g_tempFolder[0];
}

void GenSetJobOpen(int bOpen) { Record(250, std::to_string(bOpen), true); }

void GenSetTempFolder(const char* lpszFolder)
{
    Record(251, lpszFolder ? lpszFolder : "", true);
    std::lock_guard<std::mutex> guard(g_lock);
    g_tempFolder = lpszFolder ? lpszFolder : "";
}

BOOL GenCheckDiskSpace(const char* lpszFolder, DWORD dwBytes)
{
    Record(259, lpszFolder ? lpszFolder : "", true);
    ULARGE_INTEGER available;
    if (lpszFolder == NULL || !::GetDiskFreeSpaceExA(lpszFolder, &available, NULL, NULL))
        return FALSE;
    return available.QuadPart >= dwBytes;
}

void GenBeginThumbnails() { Record(261); }
void GenEndThumbnails() { Record(262); }

const char* GeneralCallLog()
{
    static std::string snapshot;
    std::lock_guard<std::mutex> guard(g_lock);
    snapshot = g_calls;
    return snapshot.c_str();
}

void GeneralClearCallLog()
{
    std::lock_guard<std::mutex> guard(g_lock);
    g_calls.clear();
}

}  // extern "C"

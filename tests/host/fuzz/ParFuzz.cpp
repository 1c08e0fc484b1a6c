// The ".par" parameter file over any text: what the reader takes builds
// the separation's tables and converts colours, and what the writer then
// writes reads back to the same parameters (its second writing is the same
// text as its first).
#include "SeparationCore.h"

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <unistd.h>

namespace {

// The reader and the writer take a path: one folder for the whole run, in
// memory where the host has a memory file system (a file on disk costs
// ten times as much to write).
std::string Folder()
{
    static std::string folder = [] {
        std::string pattern = (::access("/dev/shm", W_OK) == 0 ? "/dev/shm" : "/tmp") + std::string("/ombrelle-par-XXXXXX");
        if (::mkdtemp(pattern.data()) == nullptr)
            std::abort();
        return pattern;
    }();
    static const bool removedAtExit = std::atexit([] {
        std::error_code ignored;
        std::filesystem::remove_all(Folder(), ignored);
    }) == 0;
    (void)removedAtExit;
    return folder;
}

std::string ReadAll(const std::string& path)
{
    std::ifstream file(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>());
}

void WriteAll(const std::string& path, const std::uint8_t* data, std::size_t size)
{
    std::FILE* file = std::fopen(path.c_str(), "wb");
    if (file == nullptr || std::fwrite(data, 1, size, file) != size || std::fclose(file) != 0)
        std::abort();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const std::string input = Folder() + "/input.par";
    const std::string first = Folder() + "/first.par";
    const std::string second = Folder() + "/second.par";
    WriteAll(input, data, size);

    CSeparationCore model;
    const bool isParFile = size >= 7 && std::memcmp(data, "[debug=", 7) == 0;
    if (model.LoadParFile(input.c_str()) != (isParFile ? 1 : 0))
        std::abort();
    if (!isParFile)
        return 0;
    model.BuildTables();
    for (int grey = 0; grey < 256; grey += 51) {
        int c, m, y, k;
        model.ConvertColor(grey, 255 - grey, grey / 2, c, m, y, k);
    }
    CSeparationCore fitted = model;
    fitted.FitColorCorrection();
    fitted.EstimateRatios();

    if (model.SaveParFile(first.c_str()) != 1)
        std::abort();
    CSeparationCore reread;
    if (reread.LoadParFile(first.c_str()) != 1 || reread.SaveParFile(second.c_str()) != 1 ||
        ReadAll(first) != ReadAll(second))
        std::abort();
    return 0;
}

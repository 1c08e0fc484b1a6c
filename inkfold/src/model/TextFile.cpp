#include "TextFile.h"

#include <cstdio>

bool ReadTextFile(const char* path, std::string& text)
{
    const size_t kMaxBytes = 1 << 20;
    FILE* file = std::fopen(path, "rb");
    if (file == nullptr)
        return false;
    text.clear();
    char buffer[4096];
    size_t n;
    while (text.size() < kMaxBytes && (n = std::fread(buffer, 1, sizeof buffer, file)) > 0)
        text.append(buffer, n);
    std::fclose(file);
    return true;
}

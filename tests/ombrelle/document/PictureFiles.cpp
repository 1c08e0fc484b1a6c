#include "PictureFiles.h"

#include "HostCommand.h"
#include "Process.h"
#include "TempDir.h"
#include "WinePath.h"

#include <vector>

namespace doctest {

using testsupport::RunOnHost;
using testsupport::ShellQuote;

bool WriteBmp(const std::string& path, int width, int height, const PixelFn& pixel)
{
    const int rowBytes = (3 * width + 3) & ~3;
    BITMAPFILEHEADER file = {};
    BITMAPINFOHEADER info = {};
    file.bfType = 0x4D42;
    file.bfOffBits = sizeof file + sizeof info;
    file.bfSize = file.bfOffBits + rowBytes * height;
    info.biSize = sizeof info;
    info.biWidth = width;
    info.biHeight = height;
    info.biPlanes = 1;
    info.biBitCount = 24;
    info.biCompression = BI_RGB;
    std::string bytes(reinterpret_cast<const char*>(&file), sizeof file);
    bytes.append(reinterpret_cast<const char*>(&info), sizeof info);
    std::vector<char> row(rowBytes, 0);
    for (int y = height - 1; y >= 0; --y) {
        for (int x = 0; x < width; ++x) {
            COLORREF c = pixel(x, y);
            row[3 * x] = static_cast<char>(GetBValue(c));
            row[3 * x + 1] = static_cast<char>(GetGValue(c));
            row[3 * x + 2] = static_cast<char>(GetRValue(c));
        }
        bytes.append(row.data(), row.size());
    }
    return testsupport::WriteFileBytes(path, bytes);
}

bool WritePicture(const std::string& path, int width, int height, const PixelFn& pixel)
{
    const std::string extension = path.substr(path.find_last_of('.') + 1);
    if (extension == "bmp" || extension == "BMP")
        return WriteBmp(path, width, height, pixel);
    testsupport::TempDir work;
    const std::string source = work.File("source.bmp");
    if (!WriteBmp(source, width, height, pixel))
        return false;
    // The written file appears under its name only once it is whole.
    const std::string target = testsupport::UnixPath(path);
    return RunOnHost("convert " + ShellQuote(testsupport::UnixPath(source)) + " " + ShellQuote(extension + ":" + target + ".part") +
                     " && mv " + ShellQuote(target + ".part") + " " + ShellQuote(target));
}

bool WritePicture(const std::string& path, int width, int height, COLORREF colour)
{
    return WritePicture(path, width, height, [colour](int, int) { return colour; });
}

std::string Identify(const std::string& path)
{
    testsupport::TempDir work;
    const std::string output = work.File("identify.txt");
    if (!RunOnHost("identify -format '%m %wx%h' " + ShellQuote(testsupport::UnixPath(path) + "[0]") + " > " +
                   ShellQuote(testsupport::UnixPath(output))))
        return std::string();
    return testsupport::ReadFileBytes(output);
}

}  // namespace doctest

#include "PictureFiles.h"

#include "Process.h"
#include "TempDir.h"
#include "WinePath.h"

#include <vector>

namespace doctest {

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

std::string ShellQuote(const std::string& text)
{
    std::string quoted = "'";
    for (char c : text)
        quoted += c == '\'' ? std::string("'\\''") : std::string(1, c);
    return quoted + "'";
}

bool RunOnHost(const std::string& command)
{
    // A host program started from Wine gives us no handle to wait on: it
    // leaves a marker file when it is done.
    testsupport::TempDir work;
    const std::string marker = work.File("done");
    const std::string line = "(" + command + "); echo $? > " + ShellQuote(testsupport::UnixPath(marker) + ".part") +
                             "; mv " + ShellQuote(testsupport::UnixPath(marker) + ".part") + " " +
                             ShellQuote(testsupport::UnixPath(marker));
    std::string commandLine = testsupport::HostPathForWindows("/bin/sh") + " -c " + testsupport::QuoteArgument(line);
    STARTUPINFOA startup = {};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION process = {};
    if (!CreateProcessA(nullptr, &commandLine[0], nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup, &process))
        return false;
    if (process.hThread != nullptr)
        CloseHandle(process.hThread);
    if (process.hProcess != nullptr)
        CloseHandle(process.hProcess);
    for (int i = 0; i < 600; ++i) {
        if (GetFileAttributesA(marker.c_str()) != INVALID_FILE_ATTRIBUTES)
            return testsupport::ReadFileBytes(marker) == "0\n";
        Sleep(50);
    }
    return false;
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

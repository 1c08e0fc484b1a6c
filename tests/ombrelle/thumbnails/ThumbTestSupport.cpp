#include "ThumbTestSupport.h"

#include <wincodec.h>

#include <vector>

#include "TempDir.h"

namespace thumbtest {

bool WriteBmp(const std::string& path, int width, int height, COLORREF colour)
{
    const int rowBytes = (width * 3 + 3) & ~3;
    std::string pixels(static_cast<size_t>(rowBytes) * height, '\0');
    for (int y = 0; y < height; ++y) {
        for (int x = 0; x < width; ++x) {
            char* p = &pixels[static_cast<size_t>(y) * rowBytes + x * 3];
            p[0] = static_cast<char>(GetBValue(colour));
            p[1] = static_cast<char>(GetGValue(colour));
            p[2] = static_cast<char>(GetRValue(colour));
        }
    }
    BITMAPFILEHEADER file = {};
    BITMAPINFOHEADER info = {};
    file.bfType = 0x4D42;
    file.bfOffBits = sizeof(file) + sizeof(info);
    file.bfSize = file.bfOffBits + static_cast<DWORD>(pixels.size());
    info.biSize = sizeof(info);
    info.biWidth = width;
    info.biHeight = height;
    info.biPlanes = 1;
    info.biBitCount = 24;
    info.biSizeImage = static_cast<DWORD>(pixels.size());
    info.biXPelsPerMeter = info.biYPelsPerMeter = 2835;
    std::string bytes(reinterpret_cast<const char*>(&file), sizeof(file));
    bytes.append(reinterpret_cast<const char*>(&info), sizeof(info));
    bytes += pixels;
    return testsupport::WriteFileBytes(path, bytes);
}

bool WriteJpeg(const std::string& path, int width, int height, COLORREF colour)
{
    ::CoInitialize(NULL);
    IWICImagingFactory* factory = nullptr;
    if (FAILED(::CoCreateInstance(CLSID_WICImagingFactory, NULL, CLSCTX_INPROC_SERVER, IID_IWICImagingFactory,
                                  reinterpret_cast<void**>(&factory))))
        return false;
    bool done = false;
    IWICStream* stream = nullptr;
    IWICBitmapEncoder* encoder = nullptr;
    IWICBitmapFrameEncode* frame = nullptr;
    std::wstring widePath(path.begin(), path.end());
    if (SUCCEEDED(factory->CreateStream(&stream)) &&
        SUCCEEDED(stream->InitializeFromFilename(widePath.c_str(), GENERIC_WRITE)) &&
        SUCCEEDED(factory->CreateEncoder(GUID_ContainerFormatJpeg, NULL, &encoder)) &&
        SUCCEEDED(encoder->Initialize(stream, WICBitmapEncoderNoCache)) &&
        SUCCEEDED(encoder->CreateNewFrame(&frame, NULL)) && SUCCEEDED(frame->Initialize(NULL)) &&
        SUCCEEDED(frame->SetSize(width, height))) {
        WICPixelFormatGUID format = GUID_WICPixelFormat24bppBGR;
        const UINT stride = static_cast<UINT>(width) * 3;
        std::vector<BYTE> pixels(static_cast<size_t>(stride) * height);
        for (size_t i = 0; i + 2 < pixels.size(); i += 3) {
            pixels[i] = GetBValue(colour);
            pixels[i + 1] = GetGValue(colour);
            pixels[i + 2] = GetRValue(colour);
        }
        done = SUCCEEDED(frame->SetPixelFormat(&format)) && format == GUID_WICPixelFormat24bppBGR &&
               SUCCEEDED(frame->WritePixels(height, stride, static_cast<UINT>(pixels.size()), pixels.data())) &&
               SUCCEEDED(frame->Commit()) && SUCCEEDED(encoder->Commit());
    }
    if (frame)
        frame->Release();
    if (encoder)
        encoder->Release();
    if (stream)
        stream->Release();
    factory->Release();
    return done;
}

SYSTEMTIME LocalTime(int year, int month, int day, int hour, int minute, int second)
{
    SYSTEMTIME time = {};
    time.wYear = static_cast<WORD>(year);
    time.wMonth = static_cast<WORD>(month);
    time.wDay = static_cast<WORD>(day);
    time.wHour = static_cast<WORD>(hour);
    time.wMinute = static_cast<WORD>(minute);
    time.wSecond = static_cast<WORD>(second);
    return time;
}

namespace {

FILETIME ToFileTime(const SYSTEMTIME& local)
{
    SYSTEMTIME universal;
    ::TzSpecificLocalTimeToSystemTime(NULL, &local, &universal);
    FILETIME time;
    ::SystemTimeToFileTime(&universal, &time);
    return time;
}

}  // namespace

bool SetFileTimes(const std::string& path, const SYSTEMTIME& created, const SYSTEMTIME& modified)
{
    HANDLE file = ::CreateFileA(path.c_str(), FILE_WRITE_ATTRIBUTES, FILE_SHARE_READ | FILE_SHARE_WRITE, NULL,
                                OPEN_EXISTING, 0, NULL);
    if (file == INVALID_HANDLE_VALUE)
        return false;
    FILETIME creation = ToFileTime(created);
    FILETIME lastWrite = ToFileTime(modified);
    BOOL done = ::SetFileTime(file, &creation, NULL, &lastWrite);
    ::CloseHandle(file);
    return done != FALSE;
}

std::string ProfileName() { return testsupport::ProcessUnique("OmbrelleThumbTest"); }

std::string ProfileKey() { return "Software\\Local AppWizard-Generated Applications\\" + ProfileName(); }

}  // namespace thumbtest

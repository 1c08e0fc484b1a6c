// WIC decoding and encoding.
#include "Raster.h"

#include <objidl.h>
#include <ocidl.h>
#include <wincodec.h>

#include <algorithm>
#include <cmath>
#include <cstring>
#include <new>

// mingw-w64's wincodec.h lacks the decoder's transform interface (scaled
// decoding); its layout and IID are WIC's.
struct IWICBitmapSourceTransform : public IUnknown {
    virtual HRESULT STDMETHODCALLTYPE CopyPixels(const WICRect* prc, UINT uiWidth, UINT uiHeight,
                                                 WICPixelFormatGUID* pguidDstFormat,
                                                 WICBitmapTransformOptions dstTransform, UINT nStride,
                                                 UINT cbBufferSize, BYTE* pbBuffer) = 0;
    virtual HRESULT STDMETHODCALLTYPE GetClosestSize(UINT* puiWidth, UINT* puiHeight) = 0;
    virtual HRESULT STDMETHODCALLTYPE GetClosestPixelFormat(WICPixelFormatGUID* pguidDstFormat) = 0;
    virtual HRESULT STDMETHODCALLTYPE DoesSupportTransform(WICBitmapTransformOptions dstTransform,
                                                           BOOL* pfIsSupported) = 0;
};

namespace rasterdock {

namespace {

const IID kIidSourceTransform = {0x3b16811b, 0x6a43, 0x4ec9, {0xb7, 0x13, 0x3d, 0x5a, 0x0c, 0x13, 0xb9, 0x40}};

template <typename T>
class ComPtr {
public:
    ComPtr() : m_p(NULL) {}
    ~ComPtr()
    {
        if (m_p != NULL)
            m_p->Release();
    }
    ComPtr(const ComPtr&) = delete;
    ComPtr& operator=(const ComPtr&) = delete;
    T** operator&() { return &m_p; }
    T* operator->() const { return m_p; }
    T* Get() const { return m_p; }
    void** Out() { return reinterpret_cast<void**>(&m_p); }

private:
    T* m_p;
};

// A JPEG whose entropy-coded data does not end with the end-of-image marker
// was cut short. WIC's decoders fill in what is missing and report success;
// we report such a file as unreadable.
bool JpegCutShort(const BYTE* data, size_t size)
{
    if (size < 4 || data[0] != 0xFF || data[1] != 0xD8)
        return false;
    size_t pos = 2;
    while (pos + 4 <= size) {
        if (data[pos] != 0xFF)
            return true;
        const BYTE marker = data[pos + 1];
        if (marker == 0xFF) {
            ++pos;
            continue;
        }
        if (marker == 0xDA) {
            for (size_t i = pos + 2; i + 1 < size; ++i)
                if (data[i] == 0xFF && data[i + 1] == 0xD9)
                    return false;
            return true;
        }
        pos += 2 + ((size_t(data[pos + 2]) << 8) | data[pos + 3]);
    }
    return true;
}

// One open WIC frame over bytes in memory.
struct WicFrame {
    ComPtr<IWICImagingFactory> factory;
    ComPtr<IWICStream> stream;
    ComPtr<IWICBitmapDecoder> decoder;
    ComPtr<IWICBitmapFrameDecode> frame;
    WICPixelFormatGUID format = {};
    UINT width = 0;
    UINT height = 0;

    bool Open(const BYTE* data, size_t size)
    {
        if (data == NULL || size == 0 || size > 0x7FFFFFFF || JpegCutShort(data, size))
            return false;
        if (FAILED(::CoCreateInstance(CLSID_WICImagingFactory, NULL, CLSCTX_INPROC_SERVER, IID_IWICImagingFactory,
                                      factory.Out())))
            return false;
        if (FAILED(factory->CreateStream(&stream)) ||
            FAILED(stream->InitializeFromMemory(const_cast<BYTE*>(data), static_cast<DWORD>(size))))
            return false;
        if (FAILED(factory->CreateDecoderFromStream(stream.Get(), NULL, WICDecodeMetadataCacheOnDemand, &decoder)))
            return false;
        if (FAILED(decoder->GetFrame(0, &frame)) || FAILED(frame->GetSize(&width, &height)) ||
            FAILED(frame->GetPixelFormat(&format)))
            return false;
        return width > 0 && height > 0 && width <= 65535 && height <= 65535 &&
               double(width) * height <= kMaxPixels;
    }
};

struct FormatClass {
    int mode;
    int depth;
    int channels;
    bool indexed;
    WICPixelFormatGUID target;  // what the samples are converted to
};

FormatClass Classify(const WICPixelFormatGUID& format)
{
    const struct {
        const GUID* format;
        int mode;
        int depth;
        int channels;
        bool indexed;
        const GUID* target;
    } kTable[] = {
        {&GUID_WICPixelFormatBlackWhite, 2, 1, 1, false, &GUID_WICPixelFormat8bppGray},
        {&GUID_WICPixelFormat1bppIndexed, 6, 1, 1, true, &GUID_WICPixelFormat1bppIndexed},
        {&GUID_WICPixelFormat2bppIndexed, 6, 2, 1, true, &GUID_WICPixelFormat2bppIndexed},
        {&GUID_WICPixelFormat4bppIndexed, 6, 4, 1, true, &GUID_WICPixelFormat4bppIndexed},
        {&GUID_WICPixelFormat8bppIndexed, 6, 8, 1, true, &GUID_WICPixelFormat8bppIndexed},
        {&GUID_WICPixelFormat2bppGray, 3, 8, 1, false, &GUID_WICPixelFormat8bppGray},
        {&GUID_WICPixelFormat4bppGray, 3, 8, 1, false, &GUID_WICPixelFormat8bppGray},
        {&GUID_WICPixelFormat8bppGray, 3, 8, 1, false, &GUID_WICPixelFormat8bppGray},
        {&GUID_WICPixelFormat16bppGray, 3, 8, 1, false, &GUID_WICPixelFormat8bppGray},
        {&GUID_WICPixelFormat32bppCMYK, 5, 32, 4, false, &GUID_WICPixelFormat32bppCMYK},
    };
    for (const auto& entry : kTable)
        if (IsEqualGUID(format, *entry.format))
            return {entry.mode, entry.depth, entry.channels, entry.indexed, *entry.target};
    return {4, 24, 3, false, GUID_WICPixelFormat24bppBGR};
}

void FillHeader(WicFrame& wic, Picture& picture)
{
    FormatClass kind = Classify(wic.format);
    picture.width = static_cast<int>(wic.width);
    picture.height = static_cast<int>(wic.height);
    picture.mode = kind.mode;
    picture.depth = kind.depth;
    picture.channels = kind.channels;
    double xres = 0.0;
    double yres = 0.0;
    if (FAILED(wic.frame->GetResolution(&xres, &yres)) || !(xres > 0.0) || !(yres > 0.0) || xres > 1e6 ||
        yres > 1e6)
        xres = yres = 72.0;
    picture.xres = xres;
    picture.yres = yres;
    picture.palette.clear();
    if (kind.indexed) {
        ComPtr<IWICPalette> palette;
        WICColor colors[256];
        UINT count = 0;
        if (SUCCEEDED(wic.factory->CreatePalette(&palette)) && SUCCEEDED(wic.frame->CopyPalette(palette.Get())) &&
            SUCCEEDED(palette->GetColors(256, colors, &count))) {
            for (UINT i = 0; i < count && i < 256; ++i) {
                PaletteColor quad = {BYTE(colors[i]), BYTE(colors[i] >> 8), BYTE(colors[i] >> 16), 0};
                picture.palette.push_back(quad);
            }
        }
    }
}

bool CopyConverted(IWICBitmapFrameDecode* frame, const WICPixelFormatGUID& format, UINT stride,
                   std::vector<BYTE>& buffer)
{
    ComPtr<IWICBitmapSource> converted;
    return SUCCEEDED(::WICConvertBitmapSource(format, frame, &converted)) &&
           SUCCEEDED(converted->CopyPixels(NULL, stride, UINT(buffer.size()), buffer.data()));
}

}  // namespace

bool WicReadHeader(const BYTE* data, size_t size, Picture& picture)
{
    WicFrame wic;
    if (!wic.Open(data, size))
        return false;
    FillHeader(wic, picture);
    return true;
}

bool WicDecode(const BYTE* data, size_t size, int box, Picture& picture)
{
    WicFrame wic;
    if (!wic.Open(data, size))
        return false;
    FillHeader(wic, picture);
    FormatClass kind = Classify(wic.format);
    try {
        const size_t width = wic.width;
        const size_t height = wic.height;
        if (box > 0) {
            // Reduced while decoding, or not at all.
            ComPtr<IWICBitmapSourceTransform> transform;
            if (FAILED(wic.frame->QueryInterface(kIidSourceTransform, transform.Out())) || transform.Get() == NULL)
                return false;
            int fitWidth = 0;
            int fitHeight = 0;
            FitBox(picture.width, picture.height, box, fitWidth, fitHeight);
            UINT scaledWidth = wic.width;
            UINT scaledHeight = wic.height;
            for (UINT divisor : {8u, 4u, 2u}) {
                UINT w = (wic.width + divisor - 1) / divisor;
                UINT h = (wic.height + divisor - 1) / divisor;
                if (int(w) >= fitWidth && int(h) >= fitHeight) {
                    scaledWidth = w;
                    scaledHeight = h;
                    break;
                }
            }
            if (FAILED(transform->GetClosestSize(&scaledWidth, &scaledHeight)) || scaledWidth == 0 ||
                scaledHeight == 0 || scaledWidth > wic.width || scaledHeight > wic.height)
                return false;
            const bool grey = kind.channels == 1 && !kind.indexed;
            WICPixelFormatGUID target = grey ? GUID_WICPixelFormat8bppGray : GUID_WICPixelFormat24bppBGR;
            WICPixelFormatGUID closest = target;
            if (FAILED(transform->GetClosestPixelFormat(&closest)) || !IsEqualGUID(closest, target))
                return false;
            const int channels = grey ? 1 : 3;
            const UINT stride = scaledWidth * channels;
            picture.samples.assign(size_t(stride) * scaledHeight, 0);
            if (FAILED(transform->CopyPixels(NULL, scaledWidth, scaledHeight, &target, WICBitmapTransformRotate0,
                                             stride, UINT(picture.samples.size()), picture.samples.data())))
                return false;
            picture.width = int(scaledWidth);
            picture.height = int(scaledHeight);
            picture.channels = channels;
            picture.palette.clear();
            return true;
        }
        if (kind.indexed) {
            const size_t stride = (width * kind.depth + 7) / 8;
            std::vector<BYTE> packed(stride * height);
            if (FAILED(wic.frame->CopyPixels(NULL, UINT(stride), UINT(packed.size()), packed.data())))
                return false;
            picture.samples.assign(width * height, 0);
            const int perByte = 8 / kind.depth;
            const int mask = (1 << kind.depth) - 1;
            for (size_t y = 0; y < height; ++y)
                for (size_t x = 0; x < width; ++x) {
                    BYTE byte = packed[y * stride + x / perByte];
                    int shift = 8 - kind.depth * int(x % perByte + 1);
                    picture.samples[y * width + x] = BYTE((byte >> shift) & mask);
                }
            return true;
        }
        const size_t stride = width * kind.channels;
        picture.samples.assign(stride * height, 0);
        if (CopyConverted(wic.frame.Get(), kind.target, UINT(stride), picture.samples))
            return true;
        // WIC converts some formats (48-bit RGB, 16-bit grey ...) to 32-bit
        // BGRA only: go that way and keep the channels wanted.
        std::vector<BYTE> bgra(width * height * 4);
        if (!CopyConverted(wic.frame.Get(), GUID_WICPixelFormat32bppBGRA, UINT(width * 4), bgra))
            return false;
        if (kind.channels == 4) {
            picture.mode = 4;
            picture.depth = 24;
            picture.channels = 3;
        }
        picture.samples.assign(width * height * picture.channels, 0);
        for (size_t i = 0; i < width * height; ++i)
            for (int c = 0; c < picture.channels; ++c)
                picture.samples[i * picture.channels + c] = bgra[i * 4 + (picture.channels == 1 ? 1 : c)];
        return true;
    } catch (const std::bad_alloc&) {
        picture.samples.clear();
        return false;
    }
}

namespace {

// Sets the JFIF density to 72 dots per inch, adding the APP0 segment when
// the encoder wrote none.
void SetJfifDensity(std::vector<BYTE>& jpeg)
{
    static const BYTE kApp0[] = {0xFF, 0xE0, 0x00, 0x10, 'J', 'F', 'I', 'F', 0x00, 0x01, 0x01,
                                 0x01, 0x00, 0x48, 0x00, 0x48, 0x00, 0x00};
    if (jpeg.size() >= 18 && jpeg[2] == 0xFF && jpeg[3] == 0xE0 && std::memcmp(&jpeg[6], "JFIF\0", 5) == 0) {
        jpeg[13] = 1;
        jpeg[14] = 0;
        jpeg[15] = 72;
        jpeg[16] = 0;
        jpeg[17] = 72;
    } else if (jpeg.size() >= 2) {
        jpeg.insert(jpeg.begin() + 2, kApp0, kApp0 + sizeof(kApp0));
    }
}

}  // namespace

namespace {

bool EncodeJpeg(const std::vector<BYTE>& pixels, int width, int height, int channels, std::vector<BYTE>& bytes)
{
    ComPtr<IWICImagingFactory> factory;
    ComPtr<IStream> stream;
    ComPtr<IWICBitmapEncoder> encoder;
    ComPtr<IWICBitmapFrameEncode> frame;
    ComPtr<IPropertyBag2> options;
    if (FAILED(::CoCreateInstance(CLSID_WICImagingFactory, NULL, CLSCTX_INPROC_SERVER, IID_IWICImagingFactory,
                                  factory.Out())) ||
        FAILED(::CreateStreamOnHGlobal(NULL, TRUE, &stream)) ||
        FAILED(factory->CreateEncoder(GUID_ContainerFormatJpeg, NULL, &encoder)) ||
        FAILED(encoder->Initialize(stream.Get(), WICBitmapEncoderNoCache)) ||
        FAILED(encoder->CreateNewFrame(&frame, &options)))
        return false;
    if (options.Get() != NULL) {
        PROPBAG2 option = {};
        option.pstrName = const_cast<LPOLESTR>(L"ImageQuality");
        VARIANT value;
        ::VariantInit(&value);
        value.vt = VT_R4;
        value.fltVal = 0.9f;
        options->Write(1, &option, &value);
    }
    WICPixelFormatGUID format = channels == 1 ? GUID_WICPixelFormat8bppGray : GUID_WICPixelFormat24bppBGR;
    const WICPixelFormatGUID wanted = format;
    if (FAILED(frame->Initialize(options.Get())) || FAILED(frame->SetSize(UINT(width), UINT(height))) ||
        FAILED(frame->SetResolution(72.0, 72.0)) || FAILED(frame->SetPixelFormat(&format)) ||
        !IsEqualGUID(format, wanted))
        return false;
    const UINT stride = UINT(width * channels);
    if (FAILED(frame->WritePixels(UINT(height), stride, stride * UINT(height),
                                  const_cast<BYTE*>(pixels.data()))) ||
        FAILED(frame->Commit()) || FAILED(encoder->Commit()))
        return false;
    HGLOBAL memory = NULL;
    STATSTG stat = {};
    if (FAILED(::GetHGlobalFromStream(stream.Get(), &memory)) || FAILED(stream->Stat(&stat, STATFLAG_NONAME)))
        return false;
    const size_t length = size_t(stat.cbSize.QuadPart);
    const BYTE* block = static_cast<const BYTE*>(::GlobalLock(memory));
    if (block == NULL)
        return false;
    bytes.assign(block, block + length);
    ::GlobalUnlock(memory);
    return true;
}

}  // namespace

bool WicScalesJpeg()
{
    static LONG s_known = -1;  // -1 not yet known, else 0 or 1
    if (s_known < 0) {
        std::vector<BYTE> pixels(16 * 16 * 3, 128);
        std::vector<BYTE> jpeg;
        WicFrame wic;
        ComPtr<IWICBitmapSourceTransform> transform;
        const bool scales = EncodeJpeg(pixels, 16, 16, 3, jpeg) && wic.Open(jpeg.data(), jpeg.size()) &&
                            SUCCEEDED(wic.frame->QueryInterface(kIidSourceTransform, transform.Out())) &&
                            transform.Get() != NULL;
        ::InterlockedExchange(&s_known, scales ? 1 : 0);
    }
    return s_known == 1;
}

bool WriteJpegFile(const char* path, const std::vector<BYTE>& pixels, int width, int height, int channels)
{
    if (path == NULL || width <= 0 || height <= 0 || (channels != 1 && channels != 3) ||
        pixels.size() < size_t(width) * height * channels)
        return false;
    std::vector<BYTE> bytes;
    if (!EncodeJpeg(pixels, width, height, channels, bytes))
        return false;
    if (bytes.size() < 4 || bytes[0] != 0xFF || bytes[1] != 0xD8)
        return false;
    SetJfifDensity(bytes);

    HANDLE file = ::CreateFileA(path, GENERIC_WRITE, 0, NULL, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, NULL);
    if (file == INVALID_HANDLE_VALUE)
        return false;
    DWORD written = 0;
    const BOOL ok = ::WriteFile(file, bytes.data(), DWORD(bytes.size()), &written, NULL) && written == bytes.size();
    ::CloseHandle(file);
    if (!ok)
        ::DeleteFileA(path);  // a partial copy of ours, never the user's file
    return ok != FALSE;
}

}  // namespace rasterdock

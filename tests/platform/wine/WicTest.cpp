#include "ComInit.h"
#include "TempDir.h"

#include <gtest/gtest.h>

#include <wincodec.h>

#include <cstdlib>
#include <string>
#include <vector>

using namespace testsupport;

namespace {

constexpr UINT kWidth = 32;
constexpr UINT kHeight = 16;

// Two flat halves, red and blue (BGR order), which JPEG keeps nearly exact.
std::vector<BYTE> TwoColourPicture()
{
    std::vector<BYTE> pixels(kWidth * kHeight * 3);
    for (UINT y = 0; y < kHeight; ++y)
        for (UINT x = 0; x < kWidth; ++x) {
            BYTE* p = &pixels[(y * kWidth + x) * 3];
            const bool left = x < kWidth / 2;
            p[0] = left ? 0 : 255;
            p[1] = 0;
            p[2] = left ? 255 : 0;
        }
    return pixels;
}

std::wstring Wide(const std::string& ansi)
{
    std::wstring wide(MultiByteToWideChar(CP_ACP, 0, ansi.c_str(), -1, nullptr, 0), L'\0');
    MultiByteToWideChar(CP_ACP, 0, ansi.c_str(), -1, &wide[0], int(wide.size()));
    return wide;
}

void EncodeJpeg(IWICImagingFactory* factory, const std::wstring& path, std::vector<BYTE> pixels)
{
    IWICStream* stream = nullptr;
    IWICBitmapEncoder* encoder = nullptr;
    IWICBitmapFrameEncode* frame = nullptr;
    ASSERT_HRESULT_SUCCEEDED(factory->CreateStream(&stream));
    ASSERT_HRESULT_SUCCEEDED(stream->InitializeFromFilename(path.c_str(), GENERIC_WRITE));
    ASSERT_HRESULT_SUCCEEDED(factory->CreateEncoder(GUID_ContainerFormatJpeg, nullptr, &encoder));
    ASSERT_HRESULT_SUCCEEDED(encoder->Initialize(stream, WICBitmapEncoderNoCache));
    ASSERT_HRESULT_SUCCEEDED(encoder->CreateNewFrame(&frame, nullptr));
    ASSERT_HRESULT_SUCCEEDED(frame->Initialize(nullptr));
    ASSERT_HRESULT_SUCCEEDED(frame->SetSize(kWidth, kHeight));
    WICPixelFormatGUID format = GUID_WICPixelFormat24bppBGR;
    ASSERT_HRESULT_SUCCEEDED(frame->SetPixelFormat(&format));
    ASSERT_TRUE(IsEqualGUID(format, GUID_WICPixelFormat24bppBGR));
    ASSERT_HRESULT_SUCCEEDED(frame->WritePixels(kHeight, kWidth * 3, UINT(pixels.size()), pixels.data()));
    ASSERT_HRESULT_SUCCEEDED(frame->Commit());
    ASSERT_HRESULT_SUCCEEDED(encoder->Commit());
    frame->Release();
    encoder->Release();
    stream->Release();
}

}  // namespace

TEST(Wic, EncodesAJpegAndDecodesItBack)
{
    ComInit com;
    TempDir folder;
    const std::string file = folder.File("图片.jpg");
    IWICImagingFactory* factory = nullptr;
    ASSERT_HRESULT_SUCCEEDED(CoCreateInstance(CLSID_WICImagingFactory, nullptr, CLSCTX_INPROC_SERVER,
                                              IID_IWICImagingFactory, reinterpret_cast<void**>(&factory)));
    const std::vector<BYTE> original = TwoColourPicture();

    EncodeJpeg(factory, Wide(file), original);
    ASSERT_EQ("\xFF\xD8", ReadFileBytes(file).substr(0, 2));

    IWICBitmapDecoder* decoder = nullptr;
    IWICBitmapFrameDecode* frame = nullptr;
    IWICFormatConverter* converter = nullptr;
    ASSERT_HRESULT_SUCCEEDED(factory->CreateDecoderFromFilename(Wide(file).c_str(), nullptr, GENERIC_READ,
                                                                WICDecodeMetadataCacheOnDemand, &decoder));
    GUID container = {};
    ASSERT_HRESULT_SUCCEEDED(decoder->GetContainerFormat(&container));
    EXPECT_TRUE(IsEqualGUID(container, GUID_ContainerFormatJpeg));
    ASSERT_HRESULT_SUCCEEDED(decoder->GetFrame(0, &frame));
    UINT width = 0, height = 0;
    ASSERT_HRESULT_SUCCEEDED(frame->GetSize(&width, &height));
    EXPECT_EQ(kWidth, width);
    EXPECT_EQ(kHeight, height);
    ASSERT_HRESULT_SUCCEEDED(factory->CreateFormatConverter(&converter));
    ASSERT_HRESULT_SUCCEEDED(converter->Initialize(frame, GUID_WICPixelFormat24bppBGR, WICBitmapDitherTypeNone,
                                                   nullptr, 0.0, WICBitmapPaletteTypeCustom));
    std::vector<BYTE> decoded(original.size());
    ASSERT_HRESULT_SUCCEEDED(converter->CopyPixels(nullptr, kWidth * 3, UINT(decoded.size()), decoded.data()));

    int worst = 0;
    for (size_t i = 0; i < decoded.size(); ++i)
        worst = std::max(worst, std::abs(int(decoded[i]) - int(original[i])));
    EXPECT_LT(worst, 64) << "decoded picture differs from the encoded one";
    // Well inside each half the colours come back close.
    const BYTE* inLeft = &decoded[(8 * kWidth + 4) * 3];
    const BYTE* inRight = &decoded[(8 * kWidth + 28) * 3];
    EXPECT_GT(inLeft[2], 220);
    EXPECT_LT(inLeft[0], 35);
    EXPECT_GT(inRight[0], 220);
    EXPECT_LT(inRight[2], 35);

    converter->Release();
    frame->Release();
    decoder->Release();
    factory->Release();
}

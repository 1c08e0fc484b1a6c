#include "ImageDoc.h"

#include "resource.h"

#include <wincodec.h>

namespace {

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

private:
    T* m_p;
};

// Reads the first frame of a picture as 32-bit BGR rows, top-down.
bool DecodePicture(LPCSTR lpszPath, int& nWidth, int& nHeight, std::vector<BYTE>& pixels)
{
    int length = ::MultiByteToWideChar(CP_ACP, 0, lpszPath, -1, NULL, 0);
    if (length <= 0)
        return false;
    std::vector<WCHAR> path(static_cast<size_t>(length));
    ::MultiByteToWideChar(CP_ACP, 0, lpszPath, -1, path.data(), length);

    ComPtr<IWICImagingFactory> factory;
    if (FAILED(::CoCreateInstance(CLSID_WICImagingFactory, NULL, CLSCTX_INPROC_SERVER, IID_IWICImagingFactory,
                                  reinterpret_cast<void**>(&factory))))
        return false;
    ComPtr<IWICBitmapDecoder> decoder;
    if (FAILED(factory->CreateDecoderFromFilename(path.data(), NULL, GENERIC_READ, WICDecodeMetadataCacheOnDemand,
                                                  &decoder)))
        return false;
    ComPtr<IWICBitmapFrameDecode> frame;
    if (FAILED(decoder->GetFrame(0, &frame)))
        return false;
    ComPtr<IWICBitmapSource> converted;
    if (FAILED(::WICConvertBitmapSource(GUID_WICPixelFormat32bppBGR, frame.Get(), &converted)))
        return false;
    UINT width = 0;
    UINT height = 0;
    if (FAILED(converted->GetSize(&width, &height)) || width == 0 || height == 0 || width > 0x7FFF ||
        height > 0x7FFF)
        return false;
    UINT stride = width * 4;
    pixels.assign(static_cast<size_t>(stride) * height, 0);
    if (FAILED(converted->CopyPixels(NULL, stride, static_cast<UINT>(pixels.size()), pixels.data())))
        return false;
    nWidth = static_cast<int>(width);
    nHeight = static_cast<int>(height);
    return true;
}

}  // namespace

IMPLEMENT_DYNCREATE(CDioImageDoc, CDocument)

CDioImageDoc::CDioImageDoc() : m_nWidth(0), m_nHeight(0) {}

BOOL CDioImageDoc::OnOpenDocument(LPCTSTR lpszPathName)
{
    DeleteContents();
    if (!DecodePicture(lpszPathName, m_nWidth, m_nHeight, m_pixels)) {
        DeleteContents();
        CString format;
        format.LoadString(IDS_DIO_CANNOT_OPEN);
        CString message;
        message.Format(format, lpszPathName);
        AfxMessageBox(message, MB_OK | MB_ICONEXCLAMATION);
        return FALSE;
    }
    SetModifiedFlag(FALSE);
    return TRUE;
}

void CDioImageDoc::DeleteContents()
{
    m_nWidth = 0;
    m_nHeight = 0;
    m_pixels.clear();
    CDocument::DeleteContents();
}

CRect CDioImageDoc::FitRect(int nWidth, int nHeight, const CRect& rcTarget)
{
    if (nWidth <= 0 || nHeight <= 0 || rcTarget.Width() <= 0 || rcTarget.Height() <= 0)
        return CRect(rcTarget.left, rcTarget.top, rcTarget.left, rcTarget.top);
    // Compare the proportions in 64 bits: width × target height against
    // height × target width decides which side limits the picture.
    long long byWidth = static_cast<long long>(nHeight) * rcTarget.Width();
    long long byHeight = static_cast<long long>(nWidth) * rcTarget.Height();
    int width;
    int height;
    if (byWidth <= byHeight) {
        width = rcTarget.Width();
        height = static_cast<int>(byWidth / nWidth);
    } else {
        height = rcTarget.Height();
        width = static_cast<int>(byHeight / nHeight);
    }
    if (width < 1)
        width = 1;
    if (height < 1)
        height = 1;
    int left = rcTarget.left + (rcTarget.Width() - width) / 2;
    int top = rcTarget.top + (rcTarget.Height() - height) / 2;
    return CRect(left, top, left + width, top + height);
}

void CDioImageDoc::Draw(CDC* pDC, const CRect& rcTarget) const
{
    COLORREF background = ::GetSysColor(COLOR_WINDOW);
    if (m_pixels.empty()) {
        pDC->FillSolidRect(rcTarget, background);
        return;
    }
    CRect picture = FitRect(m_nWidth, m_nHeight, rcTarget);
    // The background around the picture, in up to four bands.
    pDC->FillSolidRect(CRect(rcTarget.left, rcTarget.top, rcTarget.right, picture.top), background);
    pDC->FillSolidRect(CRect(rcTarget.left, picture.bottom, rcTarget.right, rcTarget.bottom), background);
    pDC->FillSolidRect(CRect(rcTarget.left, picture.top, picture.left, picture.bottom), background);
    pDC->FillSolidRect(CRect(picture.right, picture.top, rcTarget.right, picture.bottom), background);

    BITMAPINFO info = {};
    info.bmiHeader.biSize = sizeof(BITMAPINFOHEADER);
    info.bmiHeader.biWidth = m_nWidth;
    info.bmiHeader.biHeight = -m_nHeight;  // top-down rows
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    info.bmiHeader.biCompression = BI_RGB;
    // Halftone averages the pixels that a reduction drops; an enlargement
    // keeps them sharp.
    bool reduced = picture.Width() < m_nWidth || picture.Height() < m_nHeight;
    int oldMode = ::SetStretchBltMode(pDC->GetSafeHdc(), reduced ? HALFTONE : COLORONCOLOR);
    ::SetBrushOrgEx(pDC->GetSafeHdc(), 0, 0, NULL);
    ::StretchDIBits(pDC->GetSafeHdc(), picture.left, picture.top, picture.Width(), picture.Height(), 0, 0, m_nWidth,
                    m_nHeight, m_pixels.data(), &info, DIB_RGB_COLORS, SRCCOPY);
    ::SetStretchBltMode(pDC->GetSafeHdc(), oldMode);
}

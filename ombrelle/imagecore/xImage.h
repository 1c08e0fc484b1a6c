// One raster image held as a device-independent bitmap in a single heap
// block (header, palette, rows bottom row first), with its attributes, an
// optional 8-bit alpha channel and an optional 8-bit selection mask, both
// width x height bytes from the bottom row. y counts from the bottom row
// throughout. The member order is part of the exported interface.
#pragma once

#include "ImageExport.h"

#include <windows.h>

class CxImage;

// The attributes, copied as one record by Copy, TakeOver and ShareFrom.
struct CxImageInfo {
    DWORD dwEffWidth;  // bytes per row of pixels
    BYTE* pImage;      // the rows inside the DIB
    CxImage* pParent;  // whose buffers this image shares, and never frees
    DWORD dwType;      // kept and passed on
    char szLastError[256];
    long nProgress;  // 0..100 while a long operation runs
    long nEscape;    // nonzero asks a long operation to stop
    long nTransIndex;
    RGBQUAD rgbTransColor;  // of images without palette; background when alpha is dropped
    BYTE nJpegQuality;
    long nFrame;
    long nNumFrames;
    DWORD dwFrameDelay;
    long xDPI;
    long yDPI;
    RECT rSelectionBox;  // rows from the bottom: bottom <= top
    BYTE nAlphaMax;
    BYTE bAlphaPaletteEnabled;
    BYTE bEnabled;
    long xOffset;
    long yOffset;
    DWORD dwEncodeOption;
    RGBQUAD rgbNearest;  // the last colour looked up in the palette
    BYTE nNearestIndex;
    BYTE bNearestValid;
};

class OMBRELLE_API CxImage {
public:
    explicit CxImage(DWORD type = 0);
    CxImage(DWORD width, DWORD height, DWORD bpp, DWORD type = 0);
    CxImage(const CxImage& source, bool copyPixels = true, bool copySelection = true, bool copyAlpha = true);
    CxImage& operator=(const CxImage& source);
    virtual ~CxImage();

    // An image of 1, 4, 8 or 24 bits per pixel (bpp rounded up, 24 above 8)
    // with a zeroed palette and its rows as allocated; the DIB, or null
    // (image empty) when a side is 0 or the heap has no room.
    void* Create(DWORD width, DWORD height, DWORD bpp, DWORD type = 0);
    // Frees what the image owns; an image sharing another's buffers keeps them.
    bool Destroy();
    void Copy(const CxImage& source, bool copyPixels = true, bool copySelection = true, bool copyAlpha = true);
    // Takes the source's buffers and attributes, leaving it empty.
    void TakeOver(CxImage& source);
    // Reads and writes the source's buffers from now on, never freeing them:
    // the source must outlive this image.
    void ShareFrom(CxImage& source);

    BYTE* GetBits() const;
    DWORD GetSize() const;
    DWORD GetPaletteSize() const;
    bool IsInsideImage(long x, long y) const;
    void FillBits(BYTE value);
    void SetXDPI(long dpi);
    void SetYDPI(long dpi);
    const char* GetVersionText() const;
    RGBQUAD GetTransColor() const;
    // 4 with an alpha channel, else 1 up to 8 bits per pixel, else 2.
    long GetColorType() const;

    // Exchange with Windows objects.
    HANDLE CopyToHandle() const;
    bool CreateFromHandle(HANDLE hMem);
    HBITMAP MakeBitmap(HDC hdc = NULL) const;
    bool CreateFromBitmap(HBITMAP hBitmap);
    bool CreateFromIcon(HICON hIcon);
    // A 24-bit image with alpha from width x height pixels of four bytes
    // (blue, green, red, alpha), the array's first row the image's top one.
    bool CreateFromArray(DWORD width, DWORD height, const BYTE* pixels);

    void* GetDIB() const { return m_pDib; }
    DWORD GetWidth() const { return static_cast<DWORD>(m_header.biWidth); }
    DWORD GetHeight() const { return static_cast<DWORD>(m_header.biHeight); }
    DWORD GetEffWidth() const { return m_info.dwEffWidth; }
    DWORD GetNumColors() const { return m_header.biClrUsed; }
    WORD GetBpp() const { return m_header.biBitCount; }
    DWORD GetType() const { return m_info.dwType; }
    const char* GetLastError() const { return m_info.szLastError; }
    DWORD GetFrameDelay() const { return m_info.dwFrameDelay; }
    void SetFrameDelay(DWORD delay) { m_info.dwFrameDelay = delay; }
    void GetOffset(long* x, long* y) const { *x = m_info.xOffset; *y = m_info.yOffset; }
    void SetOffset(long x, long y) { m_info.xOffset = x; m_info.yOffset = y; }
    BYTE GetJpegQuality() const { return m_info.nJpegQuality; }
    void SetJpegQuality(BYTE quality) { m_info.nJpegQuality = quality; }
    long GetXDPI() const { return m_info.xDPI; }
    long GetYDPI() const { return m_info.yDPI; }
    long GetProgress() const { return m_info.nProgress; }
    void SetProgress(long progress) { m_info.nProgress = progress; }
    long GetEscape() const { return m_info.nEscape; }
    void SetEscape(long escape) { m_info.nEscape = escape; }
    long GetTransIndex() const { return m_info.nTransIndex; }
    void SetTransIndex(long index) { m_info.nTransIndex = index; }
    void SetTransColor(RGBQUAD color) { m_info.rgbTransColor = color; }
    bool IsTransparent() const { return m_info.nTransIndex >= 0; }
    DWORD GetEncodeOption() const { return m_info.dwEncodeOption; }
    void SetEncodeOption(DWORD option) { m_info.dwEncodeOption = option; }
    bool IsIndexed() const { return m_header.biClrUsed != 0; }
    bool IsValid() const { return m_pDib != nullptr; }
    bool IsEnabled() const { return m_info.bEnabled != 0; }
    void Enable(bool enable = true) { m_info.bEnabled = enable; }
    long GetNumFrames() const { return m_info.nNumFrames; }
    long GetFrame() const { return m_info.nFrame; }
    void SetFrame(long frame) { m_info.nFrame = frame; }
    bool SelectionIsValid() const { return m_pSelection != nullptr; }
    void SelectionGetBox(RECT& box) const { box = m_info.rSelectionBox; }
    BYTE AlphaGetMax() const { return m_info.nAlphaMax; }
    void AlphaSetMax(BYTE maximum) { m_info.nAlphaMax = maximum; }
    bool AlphaIsValid() const { return m_pAlpha != nullptr; }
    void AlphaPaletteEnable(bool enable = true) { m_info.bAlphaPaletteEnabled = enable; }
    bool AlphaPaletteIsEnabled() const { return m_info.bAlphaPaletteEnabled != 0; }

protected:
    void SetDefaults(DWORD type);
    // Frees what the image owns and forgets what it shares: afterwards it
    // owns nothing and shares nothing.
    void Release();
    // The source's header, attributes and buffer pointers, as they are.
    void TakeFields(const CxImage& source);
    // The DIB's own header follows the master copy.
    void WriteDibHeader();
    void SetErrorText(const char* text);

    BYTE* m_pDib;
    BITMAPINFOHEADER m_header;
    CxImageInfo m_info;
    BYTE* m_pSelection;
    BYTE* m_pAlpha;
};

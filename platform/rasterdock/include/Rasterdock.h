// rasterdock: the maker's image file library (stand-in). Image objects by
// file type code, read through WIC (JPEG, TIFF, BMP, GIF, PNG) and through
// readers of our own for PCX and raw files; resampled JPEG copies; the
// reduced display data of a picture. The plain functions are exported by
// ordinal only (rasterdock.def); the classes by name.
//
// | ordinal | function        | passes                                   | the caller relies on |
// |---------|-----------------|------------------------------------------|----------------------|
// | 201     | RdCreateImage   | a file type code (general, ordinal 100), a path | a new image object for the path, file not opened yet; null for a code without a reader |
// | 205     | RdStopRequested | nothing                                  | nonzero asks a running thumbnail fill to stop; this library never asks (always 0) |
// | 221     | RdPromptPath    | a text to fill                           | a folder prompt (opening at the current directory): after the operator chose a folder, nonzero and the text = the folder + "*"; otherwise 0 and the text unchanged |
// | 229     | RdMakeJpegCopy  | source path, target path, 0, a resolution or bit-depth hint, the long side in pixels, 1 | nonzero when the target was written: a JPEG whose longer side is the given one (the aspect ratio kept, never enlarged: a smaller picture keeps its size), JFIF density 72 dpi whatever the hint (the third and sixth arguments are not used either); 0 and the target not written on failure. The reader is chosen by general's type code of the source (ordinal 100); a code without a reader is read by WIC |
//
// File type codes are general's (ordinal 100): 1 BMP, 3 GIF, 4 JPEG, 5 PCX,
// 8 raw, 12 TIFF have readers. Code 13 (the maker's own "ovk" format) gives
// a COvkIO, whose layout is unknown to us: it opens the file but its header
// read always fails. Every other code (0, 18, 50 ...) gives no object. The WIC readers decode what the file holds, whatever the code
// says (a PNG named .bmp is read), so RdMakeJpegCopy also copies a PNG.
//
// A JPEG's header is read from its markers (its JFIF density; 72 dpi when
// it gives none), so that opening one never decodes it. A JPEG whose data
// stops before its end marker is unreadable (WIC would fill in the rest).
// WIC under Wine reads neither 16-bit CMYK nor CMYK-with-alpha TIFFs.
//
// A raw file is headerless 8-bit samples, interleaved, top-down, taken as a
// square picture: 1 channel (grey) when its length is a square number, else
// 3 (RGB) when a third of it is, else 4 (CMYK) when a quarter of it is; any
// other length is not a raw picture. Its resolution is 72 dpi.
//
// Colour mode codes (m_nColorMode) and planes (m_nPlanes, one 8-bit sample
// per pixel each, top-down rows of m_nRowBytes bytes):
//
// | code | mode         | planes                                  | m_nBitDepth |
// |------|--------------|-----------------------------------------|-------------|
// | 2    | bitmap (1 bit) | 1: 0 black, 255 white                 | 1 |
// | 3    | grey         | 1                                        | 8 (16 in the file is read as 8) |
// | 4    | RGB          | 3: red, green, blue                      | 24 (48 in the file is read as 24) |
// | 5    | CMYK         | 4: cyan, magenta, yellow, black (0 = no ink) | 32 |
// | 6    | indexed      | 1: palette index (m_palette, m_nPaletteSize entries) | 1, 2, 4 or 8 |
// | 7    | multichannel | (not produced by these readers)          | |
//
// Use of an image object (one thread at a time; COM must be initialised on
// that thread):
// 1. RdCreateImage (ordinal 201).
// 2. OpenFile (CFile open flags, e.g. 32 share-deny-write), which opens
//    m_File on m_strFileName and reads the header; or open m_File yourself
//    and call ReadHeader. Then m_nWidth, m_nHeight, the resolutions,
//    m_nColorMode, m_nBitDepth and m_nPlanes are valid when IsValidSize.
// 3. Either ReducedDataForDisplay (width, height, data): the picture reduced
//    to fit m_nDisplaySize x m_nDisplaySize, as bottom-up 24-bit BGR rows
//    padded to 4 bytes, in a block from general's ordinal 104 that the
//    caller frees with ordinal 107.
//    A JPEG is reduced while it is decoded: by WIC's decoder (1/2, 1/4, 1/8)
//    where it offers that (not under Wine), else, when 1/8 still covers the
//    box, by its DC coefficients alone (baseline JPEGs); only else in full;
// 4. or set m_nRowBytes (at least m_nWidth), put a buffer of
//    m_nRowBytes x m_nHeight into each of the m_nPlanes planes (marking them
//    in m_bPlaneAllocated) and ReadPixels; then the static
//    ReducedDataForDisplay (image, planes, bits) turns the planes into a
//    24-bit bottom-up BGR bitmap (rows padded to 4 bytes) of the full size.
//    The caller frees the planes (general, ordinal 107): the object does not.
// 5. CloseFile; delete the object.
// While the file is open, m_File.GetLength() is the file's length in bytes.
// A file that is malformed or truncated makes these calls fail (FALSE) and
// sets m_bUnreadable; nothing is read past the file's end.
#pragma once

#include <afxwin.h>

#ifdef RASTERDOCK_BUILDING
#define RASTERDOCK_API
#define RASTERDOCK_CLASS __declspec(dllexport)
#else
#define RASTERDOCK_API __declspec(dllimport)
#define RASTERDOCK_CLASS __declspec(dllimport)
#endif

enum {
    RD_MODE_BITMAP = 2,
    RD_MODE_GRAY = 3,
    RD_MODE_RGB = 4,
    RD_MODE_CMYK = 5,
    RD_MODE_INDEX = 6,
    RD_MODE_MULTICHANNEL = 7,
    RD_MAX_PLANES = 4
};

class RASTERDOCK_CLASS CImageIO {
public:
    CImageIO(int nFileType, LPCTSTR lpszPath);
    virtual ~CImageIO();

    // Opens m_File on m_strFileName with the CFile flags and reads the header.
    BOOL OpenFile(UINT nOpenFlags);
    void CloseFile();
    // Reads the header through m_File, which must be open.
    virtual BOOL ReadHeader();
    BOOL IsValidSize() const;
    // Reads every pixel into the planes (see above).
    virtual BOOL ReadPixels();
    // The picture reduced to fit m_nDisplaySize x m_nDisplaySize (the full
    // size when it is 0); never enlarged.
    BOOL ReducedDataForDisplay(int& nWidth, int& nHeight, BYTE*& pData);
    // The planes (as ReadPixels filled them) as a full-size bottom-up 24-bit
    // BGR bitmap; pBits holds m_nHeight x ((3 x m_nWidth + 3) & ~3) bytes.
    static BOOL ReducedDataForDisplay(CImageIO* pImage, BYTE** ppPlanes, BYTE* pBits);

    CFile m_File;
    CString m_strFileName;
    int m_nFileType;
    int m_nWidth;
    int m_nHeight;
    float m_fXResolution;  // dots per inch
    float m_fYResolution;
    int m_nColorMode;
    int m_nBitDepth;
    int m_nPlanes;
    int m_nRowBytes;  // bytes per plane row; the caller sets it before ReadPixels
    BYTE* m_pPlane[RD_MAX_PLANES];
    BOOL m_bPlaneAllocated[RD_MAX_PLANES];
    RGBQUAD m_palette[256];
    int m_nPaletteSize;
    // Lets a long read show its progress; the thumbnail list clears it. This
    // library shows no progress: the flag is only kept.
    BOOL m_bShowProgress;
    int m_nDisplaySize;  // box of the reduced display data, in pixels
    BOOL m_bUnreadable;  // set when the file turned out malformed or truncated

private:
    CImageIO(const CImageIO&) = delete;
    CImageIO& operator=(const CImageIO&) = delete;

    BOOL LoadFileData();
    void FreeFileData();

    BYTE* m_pFileData;  // the file's bytes, read once per open
    DWORD m_nFileSize;
};

// The reader classes, one per file type with a reader; RdCreateImage makes
// the one that fits the code.
class RASTERDOCK_CLASS CJpgIO : public CImageIO {
public:
    explicit CJpgIO(LPCTSTR lpszPath);
};

class RASTERDOCK_CLASS CTiffIO : public CImageIO {
public:
    explicit CTiffIO(LPCTSTR lpszPath);
};

class RASTERDOCK_CLASS CBmpIO : public CImageIO {
public:
    explicit CBmpIO(LPCTSTR lpszPath);
};

class RASTERDOCK_CLASS CGifIO : public CImageIO {
public:
    explicit CGifIO(LPCTSTR lpszPath);
};

class RASTERDOCK_CLASS CPcxIO : public CImageIO {
public:
    explicit CPcxIO(LPCTSTR lpszPath);
};

class RASTERDOCK_CLASS CRawIO : public CImageIO {
public:
    explicit CRawIO(LPCTSTR lpszPath);
};

// The maker's "ovk" pictures: the format is unknown, so no header is read.
class RASTERDOCK_CLASS COvkIO : public CImageIO {
public:
    explicit COvkIO(LPCTSTR lpszPath);
    virtual BOOL ReadHeader();
};

extern "C" {
RASTERDOCK_API CImageIO* RdCreateImage(int nFileType, LPCTSTR lpszPath);
RASTERDOCK_API int RdStopRequested();
RASTERDOCK_API BOOL RdPromptPath(CString* pText);
RASTERDOCK_API BOOL RdMakeJpegCopy(LPCTSTR lpszSource, LPCTSTR lpszTarget, int nReserved, int nHint,
                                   int nLongSide, int nFlag);
}

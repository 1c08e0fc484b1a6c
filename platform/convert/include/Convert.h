// convert: the maker's colour conversion library (stand-in). Loads the
// colour conversion tables, converts between colour models and offers the
// colour profile choice. Functions are exported by ordinal only
// (convert.def).
//
// | ordinal | function             | passes                                        | the caller relies on |
// |---------|----------------------|-----------------------------------------------|----------------------|
// | 2       | CvtLoadInputTables   | command 1: a CONVERT_PARAMS, an output word   | tables loaded; nonzero on success |
// |         |                      | command 2: a CONVERT_RECORD of CMYK samples,  | the RGB samples written; nonzero |
// |         |                      | the caller's scratch area                     | on success |
// | 3       | CvtLoadOutputTables  | command 1: as ordinal 2                       | as ordinal 2 |
// |         |                      | command 2: a CONVERT_RECORD of RGB samples,   | the CMYK samples written |
// |         |                      | the caller's scratch area                     | |
// | 5       | CvtHslToRgb          | n HSL float triples, n RGB byte triples, n    | the bytes hold red, green, blue |
// | 6       | CvtRgbToHsl          | n RGB byte triples, n HSL float triples, n    | the floats hold hue, saturation, lightness |
// | 17      | CvtSetProgramFolder  | the program folder                            | kept for later loads |
// | 100     | CvtChooseProfiles    | two folders, scanner, display and printer     | the three 256-byte buffers hold the chosen |
// |         |                      | profile buffers (256 bytes each), one output  | profile paths after the call |
//
// Loading (ordinals 2 and 3, command 1): the tables come from the record's
// table folder, or when it is null from the system colour folder: the
// record's program folder (else the one of ordinal 17) followed by
// "\..\color". Ordinal 2 loads "ctl.cvt", "dto.cvt" and "itd.cvt"; ordinal 3
// loads "ltc.cvt", "ltr.cvt", "otd.cvt" and "rtl.cvt". A table that is not in
// the folder is replaced by the built-in conversion. A table that is present
// but cannot be read, is empty, or (for "dto.cvt", the CMYK TIFF table that
// the separation dialog writes) does not have that layout makes the call
// fail: it returns 0. Otherwise it returns 1. The output word receives the
// number of tables read from files. Any other command returns 0.
//
// Converting (ordinals 2 and 3, command 2): the record gives the source
// samples, their bytes per pixel (at least 4 for CMYK, 3 for RGB) and per
// line, and the width and height in pixels; the destination is packed, 3
// bytes (RGB) or 4 bytes (CMYK) per pixel, line after line. The conversion
// is the built-in rule whether tables were loaded or not: from RGB,
// K = 255 - max(R, G, B) and C, M, Y = (255 - X - K) x 255 / (255 - K),
// rounded (black: 0, 0, 0, 255); back, X = (255 - C') x (255 - K) / 255,
// rounded. A null record or buffer, a width or height below 1, or a pixel or
// line size too small for the samples is refused: 0, nothing written. The
// scratch area is neither read nor written.
//
// HSL (ordinals 5 and 6): the standard double-cone model, hue in degrees 0
// up to 360, saturation and lightness 0 to 100; greys have hue and
// saturation 0. The last argument is the number of colours; below 1 nothing
// is converted. Both return the number converted.
//
// Profile choice (ordinal 100): a dialog "选择色彩配置文件" with edit boxes for
// the scanner (1001), display (1002) and printer (1003) profile, preset from
// the buffers; OK copies them back (cut to 255 bytes) and returns IDOK;
// Cancel leaves the buffers and returns IDCANCEL.
//
// For tests: ConvertCallLog returns every call made so far, one line each:
// "2 1 <table folder or (null)> <program folder or (null)>", the same for 3;
// "2 2 <width> <height>" for a conversion (the same for 3); "2 <command>" for
// any other command; "5 <n>", "6 <n>", "17 <folder>" and
// "100 <folder1> <folder2>"; ConvertClearCallLog forgets them. Both are
// exported by name.
#pragma once

#include <windows.h>

#ifdef CONVERT_BUILDING
#define CONVERT_API
#else
#define CONVERT_API __declspec(dllimport)
#endif

// The loading record: in the original 32-bit layout ten 32-bit fields, of
// which the ninth and tenth are the two folder pointers.
struct CONVERT_PARAMS {
    LONG lReserved[8];         // 1, 2, 7, 8 are 0; 3 to 6 are not set
    const char* pszTableFolder;   // null: the system colour folder
    const char* pszProgramFolder;
};

// The commands of ordinals 2 and 3.
#define CVT_COMMAND_LOAD 1     // a CONVERT_PARAMS and an output word
#define CVT_COMMAND_CONVERT 2  // a CONVERT_RECORD and a scratch area

// The conversion record: six fields, the two buffers pointer-sized.
struct CONVERT_RECORD {
    const BYTE* pSource;
    BYTE* pDestination;
    LONG nBytesPerPixel;  // of the source
    LONG nBytesPerLine;   // of the source
    LONG nWidth;
    LONG nHeight;
};

extern "C" {
// pRecord is a CONVERT_PARAMS for command 1 and a CONVERT_RECORD for
// command 2; pOutput the output word or the scratch area.
CONVERT_API int CvtLoadInputTables(int nCommand, void* pRecord, void* pOutput);
CONVERT_API int CvtLoadOutputTables(int nCommand, void* pRecord, void* pOutput);
CONVERT_API int CvtHslToRgb(const float* pHsl, BYTE* pRgb, int nCount);
CONVERT_API int CvtRgbToHsl(const BYTE* pRgb, float* pHsl, int nCount);
CONVERT_API void CvtSetProgramFolder(const char* lpszFolder);
CONVERT_API int CvtChooseProfiles(const char* lpszFolder1, const char* lpszFolder2, char* pszScanner,
                                  char* pszDisplay, char* pszPrinter, void* pOutput);

CONVERT_API const char* ConvertCallLog();
CONVERT_API void ConvertClearCallLog();
}

// convert: the maker's colour conversion library (stand-in). Loads the
// colour conversion tables and offers the colour profile choice. Functions
// are exported by ordinal only (convert.def).
//
// | ordinal | function             | passes                                        | the caller relies on |
// |---------|----------------------|-----------------------------------------------|----------------------|
// | 2       | CvtLoadInputTables   | mode 1, a CONVERT_PARAMS, an output word      | tables loaded; nonzero on success |
// | 3       | CvtLoadOutputTables  | as ordinal 2                                  | as ordinal 2 |
// | 17      | CvtSetProgramFolder  | the program folder                            | kept for later loads |
// | 100     | CvtChooseProfiles    | two folders, scanner, display and printer     | the three 256-byte buffers hold the chosen |
// |         |                      | profile buffers (256 bytes each), one output  | profile paths after the call |
//
// Loading (ordinals 2 and 3, mode 1): the tables come from the record's
// table folder, or when it is null from the system colour folder: the
// record's program folder (else the one of ordinal 17) followed by
// "\..\color". Ordinal 2 loads "ctl.cvt", "dto.cvt" and "itd.cvt"; ordinal 3
// loads "ltc.cvt", "ltr.cvt", "otd.cvt" and "rtl.cvt". A table that is not in
// the folder is replaced by the built-in conversion. A table that is present
// but cannot be read, is empty, or (for "dto.cvt", the CMYK TIFF table that
// the separation dialog writes) does not have that layout makes the call
// fail: it returns 0. Otherwise it returns 1. The output word receives the
// number of tables read from files. Any other mode returns 0.
//
// Profile choice (ordinal 100): a dialog "选择色彩配置文件" with edit boxes for
// the scanner (1001), display (1002) and printer (1003) profile, preset from
// the buffers; OK copies them back (cut to 255 bytes) and returns IDOK;
// Cancel leaves the buffers and returns IDCANCEL.
//
// For tests: ConvertCallLog returns every call made so far, one line each:
// "2 <mode> <table folder or (null)> <program folder or (null)>", the same for
// 3, "17 <folder>" and "100 <folder1> <folder2>"; ConvertClearCallLog forgets
// them. Both are exported by name.
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

extern "C" {
CONVERT_API int CvtLoadInputTables(int nMode, CONVERT_PARAMS* pParams, int* pResult);
CONVERT_API int CvtLoadOutputTables(int nMode, CONVERT_PARAMS* pParams, int* pResult);
CONVERT_API void CvtSetProgramFolder(const char* lpszFolder);
CONVERT_API int CvtChooseProfiles(const char* lpszFolder1, const char* lpszFolder2, char* pszScanner,
                                  char* pszDisplay, char* pszPrinter, void* pOutput);

CONVERT_API const char* ConvertCallLog();
CONVERT_API void ConvertClearCallLog();
}

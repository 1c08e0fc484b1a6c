// general: the maker's common library (stand-in). Start-up and end, the
// program and temp folders, file type codes, image buffers and a progress
// dialog. Functions are exported by ordinal only (general.def); callers
// import them by ordinal through the import library.
//
// | ordinal | function              | passes                                   | the caller relies on |
// |---------|-----------------------|------------------------------------------|----------------------|
// | 100     | GenGetFileType        | a path                                   | the file type code below, from the extension |
// | 103     | GenGetRowBytes        | an image (not read), a row width in bits | bytes per row, rounded up to 4 bytes |
// | 104     | GenAllocBuffer        | size in bytes, two flags (not used)      | a zeroed block, or null |
// | 107     | GenFreeBuffer         | the address of a block pointer           | the block freed and the pointer null |
// | 190     | GenInitFrame          | nothing                                  | nothing (recorded only) |
// | 242     | GenStartup            | nothing                                  | the library ready; called once at start |
// | 245     | GenShutdown           | nothing                                  | nothing; called once at the end |
// | 246     | GenGetProgramFolder   | nothing                                  | the program folder as last set ("" before) |
// | 247     | GenSetProgramFolder   | a folder                                 | kept until set again |
// | 248     | GenGetTempFolder      | nothing                                  | the temp folder as last set ("" before) |
// | 250     | GenSetJobOpen         | 1 when a job is open, else 0             | nothing read back |
// | 251     | GenSetTempFolder      | a folder                                 | kept until set again |
// | 259     | GenCheckDiskSpace     | a folder, a byte count                   | nonzero when the folder's drive has that much free |
// | 261     | GenBeginThumbnails    | nothing                                  | nothing (a bracket; recorded only) |
// | 262     | GenEndThumbnails      | nothing                                  | nothing (closes the bracket of 261) |
//
// File type codes (ordinal 100), by the extension after the last dot,
// ignoring case: 0 unknown, 1 BMP (.bmp, .dib), 3 GIF, 4 JPEG (.jpg, .jpeg,
// .jpe), 5 PCX, 8 raw (.raw), 12 TIFF (.tif, .tiff), 13 the maker's own
// format (.ovk), 18 Photoshop (.psd) and 50 PostScript (.ps, .eps): those two
// are recognised but cannot be shown.
//
// For tests: GeneralCallLog returns every call made so far, one line each,
// "<ordinal>" followed by " <argument>" for the text arguments of 247, 251,
// 100 and 259 and the value of 250 ("247 D:\App", "250 1"); GeneralClearCallLog
// forgets them. Both are exported by name.
#pragma once

#include <windows.h>

#ifdef GENERAL_BUILDING
#define GENERAL_API
#define GENERAL_CLASS __declspec(dllexport)
#else
#define GENERAL_API __declspec(dllimport)
#define GENERAL_CLASS __declspec(dllimport)
#endif

class CWnd;

extern "C" {
GENERAL_API int GenGetFileType(const char* lpszPath);
GENERAL_API int GenGetRowBytes(void* pImage, int nBits);
GENERAL_API void* GenAllocBuffer(DWORD dwSize, int nFlag1, int nFlag2);
GENERAL_API void GenFreeBuffer(void** ppBuffer);
GENERAL_API void GenInitFrame();
GENERAL_API void GenStartup();
GENERAL_API void GenShutdown();
GENERAL_API char* GenGetProgramFolder();
GENERAL_API void GenSetProgramFolder(const char* lpszFolder);
GENERAL_API char* GenGetTempFolder();
GENERAL_API void GenSetJobOpen(int bOpen);
GENERAL_API void GenSetTempFolder(const char* lpszFolder);
GENERAL_API BOOL GenCheckDiskSpace(const char* lpszFolder, DWORD dwBytes);
GENERAL_API void GenBeginThumbnails();
GENERAL_API void GenEndThumbnails();

GENERAL_API const char* GeneralCallLog();
GENERAL_API void GeneralClearCallLog();
}

// A modeless progress window with a bar and a cancel button. Its range is
// 0 to 100 with step 1 unless set otherwise.
class GENERAL_CLASS CProgressDlg {
public:
    explicit CProgressDlg(UINT nCaptionID = 0);
    virtual ~CProgressDlg();

    // Shows the window (no parent when pParent is null).
    BOOL Create(CWnd* pParent = NULL);
    void SetRange(int nLower, int nUpper);
    int SetStep(int nStep);
    int SetPos(int nPos);
    int StepIt();
    // Handles the messages waiting for the window; nonzero once its cancel
    // button was pressed.
    BOOL CheckCancelButton();

    HWND m_hWnd;

private:
    static INT_PTR CALLBACK DialogProc(HWND hWnd, UINT message, WPARAM wParam, LPARAM lParam);
    void PumpMessages();

    UINT m_nCaptionID;
    int m_nLower;
    int m_nUpper;
    int m_nStep;
    int m_nPos;
    BOOL m_bCancel;
};

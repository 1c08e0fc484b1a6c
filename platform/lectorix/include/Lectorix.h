// lectorix: the maker's scanner library (stand-in). One class, TWScanner, a
// TWAIN application that talks to scanners through the data source manager
// (TWAINDSM.dll, else twain_32.dll).
//
// What the client calls and relies on:
// | operation     | passes                      | the caller relies on |
// |---------------|-----------------------------|----------------------|
// | Initialize    | the window that gets the    | 1 when the data source manager is loaded and open |
// |               | scanner's messages          | and one of its sources opens, else 0 (nothing stays loaded); |
// |               |                             | calling it again while open gives 1 |
// | SelScanner    | nothing                     | nothing (result not read) |
// | Setting       | nothing                     | nothing (pre-scan into the image path) |
// | SetImagePath  | the path of the next file   | kept for the next Scan or Setting |
// | Scan          | nothing                     | nothing (scan into the image path) |
// | ProcessMessage| a message of the GUI thread | TRUE when the scanner took it (the caller then drops it) |
// | Terminate     | nothing                     | the manager closed and unloaded; Initialize may follow; |
// |               |                             | harmless when nothing is open |
// | GetState      | nothing                     | the state, also readable as the object's fourth 32-bit field |
//
// States are TWAIN's: 1 nothing loaded, 2 manager loaded, 3 manager open,
// 4 source open, 5 source enabled, 6 a picture ready, 7 a transfer under way.
// A state above 3 means the scanner needs the messages offered to it.
//
// Values of this library:
// - Initialize tries the source chosen before, then every source the
//   manager lists, in order, opening and closing each: the first that opens
//   is used until SelScanner chooses another. A listed source that does not
//   open (no device behind it) is no scanner.
// - SelScanner shows the manager's source choice; 1 when a source was
//   chosen (it is used from then on, and first at the next Initialize), 0
//   when cancelled or not open.
// - Scan and Setting each acquire one picture into the image path as it was
//   at the call: they open the source, negotiate, enable it and return 1;
//   the picture arrives later through ProcessMessage. They return 0 (and
//   nothing is posted) when the manager is not open, an acquisition is under
//   way, no image path is set, its extension names no format below, or the
//   source cannot be opened or enabled. Scan hides the source's user
//   interface; Setting shows it, so the operator sets up (pre-scans) and
//   starts the scan there, or cancels it.
// - Negotiated before enabling: one picture (CAP_XFERCOUNT 1), 24-bit colour,
//   units inches, kScanResolution dpi in both directions, and the frame of
//   the source's whole physical page. A value the source refuses leaves the
//   source's own.
// - The image path's extension names the file format: ".bmp" and ".dib" BMP,
//   ".jpg", ".jpeg", ".jpe" and ".jfif" JPEG, ".tif" and ".tiff" TIFF (case
//   does not matter). A BMP is written by the source itself (file transfer)
//   when it offers that; every other picture comes as a native transfer (a
//   DIB) and is written through WIC, 24-bit colour, with the picture's
//   resolution in the file. A DIB whose global block is smaller than its
//   header says it is, or whose header GDI does not read, is not written.
// - After a picture has been written, the owner window gets WM_USER+0
//   (wParam: the address of the file's zero-terminated path, lParam 0) and
//   then WM_USER+1000 (both parameters 0), both posted. The path lives in
//   one of kReportedPaths buffers inside this object, reused in turn: it
//   stays valid until that many further pictures have been reported or the
//   object dies. Nothing is posted for a picture that could not be written
//   or an acquisition that was cancelled.
// - After each picture (or a cancel or close request from the source) the
//   source is disabled and closed: the state is back at 3.
#pragma once

#include <windows.h>

#ifdef LECTORIX_BUILDING
#define LECTORIX_CLASS __declspec(dllexport)
#else
#define LECTORIX_CLASS __declspec(dllimport)
#endif

class LECTORIX_CLASS TWScanner {
public:
    enum { kScanResolution = 150, kReportedPaths = 8 };

    TWScanner();
    ~TWScanner();
    TWScanner(const TWScanner&) = delete;
    TWScanner& operator=(const TWScanner&) = delete;

    int Initialize(HWND hWndOwner);
    int SelScanner();
    int Setting();
    void SetImagePath(LPCSTR lpszPath);
    int Scan();
    BOOL ProcessMessage(MSG* pMsg);
    void Terminate();

    int GetState() const { return m_nState; }

private:
    WORD CallManager(DWORD dg, WORD dat, WORD msg, void* pData);
    WORD CallSource(DWORD dg, WORD dat, WORD msg, void* pData);
    int Acquire(BOOL bShowUI);
    void Negotiate();
    void TransferPicture();
    void CloseSource();

    // The first four fields are 32 bits each: callers read the state as the
    // fourth.
    int m_bManagerLoaded;
    int m_bManagerOpen;
    int m_bSourceOpen;
    int m_nState;
    HMODULE m_hManager;
    FARPROC m_pEntry;
    HWND m_hWndOwner;
    char* m_pszImagePath;
    // The application's TWAIN identity (TW_IDENTITY, which the manager fills
    // in with its id when it opens), and the source's: the one chosen, then
    // the one open.
    unsigned char m_identity[160];
    unsigned char m_source[160];
    int m_bSourceChosen;
    // The acquisition under way: its file, its format, file transfer or not.
    char m_szAcquirePath[MAX_PATH];
    int m_nFormat;
    int m_bFileTransfer;
    char m_reported[kReportedPaths][MAX_PATH];
    int m_nNextReported;
};

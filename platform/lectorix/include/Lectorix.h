// lectorix: the maker's scanner library (stand-in). One class, TWScanner, a
// TWAIN application that talks to scanners through the data source manager
// (TWAINDSM.dll, else twain_32.dll).
//
// What the client calls and relies on:
// | operation     | passes                      | the caller relies on |
// |---------------|-----------------------------|----------------------|
// | Initialize    | the window that gets the    | 1 when the data source manager is loaded and open, |
// |               | scanner's messages          | else 0; calling it again while open gives 1 |
// | SelScanner    | nothing                     | nothing (result not read) |
// | Setting       | nothing                     | nothing (pre-scan into the image path) |
// | SetImagePath  | the path of the next file   | kept for the next Scan or Setting |
// | Scan          | nothing                     | nothing (scan into the image path) |
// | ProcessMessage| a message of the GUI thread | TRUE when the scanner took it (the caller then drops it) |
// | Terminate     | nothing                     | the manager closed and unloaded; Initialize may follow |
// | GetState      | nothing                     | the state, also readable as the object's fourth 32-bit field |
//
// States are TWAIN's: 1 nothing loaded, 2 manager loaded, 3 manager open,
// 4 source open, 5 source enabled, 6 and 7 a transfer under way. A state
// above 3 means the scanner needs the messages offered to it. This build
// talks to the manager only: no source is opened, so the state stays at or
// below 3, SelScanner, Setting and Scan return 0 and ProcessMessage takes
// nothing. A scan that writes a file tells the owner window with WM_USER+0
// (wParam: the address of the file's path), then WM_USER+1000; this build
// writes none.
#pragma once

#include <windows.h>

#ifdef LECTORIX_BUILDING
#define LECTORIX_CLASS __declspec(dllexport)
#else
#define LECTORIX_CLASS __declspec(dllimport)
#endif

class LECTORIX_CLASS TWScanner {
public:
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
    // in with its id when it opens).
    unsigned char m_identity[160];
};

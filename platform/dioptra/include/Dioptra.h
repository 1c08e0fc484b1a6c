// dioptra: the maker's image library (stand-in). Its initialisation adds an
// image editor document type to the application: a picture file opened
// through it is read with WIC and shown fitted into its view, in an MDI child
// of the main frame. Functions are exported by ordinal only (dioptra.def).
//
// | ordinal | function        | passes                               | the caller relies on |
// |---------|-----------------|--------------------------------------|----------------------|
// | 103     | DioInitialize   | 0 (no other value has a meaning)     | the image editor's document template is in the application's list; the first call adds it (so, made before any other, it is the first template); later calls add nothing |
// | 104     | DioSetMainFrame | the main frame (during its WM_CREATE), its tool-tip switch (0 or 1) | nothing back; the frame is kept as the editor's host |
// | 106     | DioAttachFrame  | the main frame (during its WM_CREATE), 0 | nothing back; the frame is kept as the editor's host |
//
// The editor's documents open as MDI children of the application's main
// window; they read any picture that WIC decodes (BMP, JPEG, PNG, GIF,
// TIFF). COM must be initialised on the calling thread (the application does
// it at start-up). A file that cannot be read is reported in a message box
// and no document stays open.
//
// For tests: DioptraCallLog returns every call made so far, one line each,
// "<ordinal> <integer argument>" ("103 0", "104 1", "106 0");
// DioptraClearCallLog forgets them. Both are exported by name.
#pragma once

#include <windows.h>

#ifdef DIOPTRA_BUILDING
#define DIOPTRA_API
#else
#define DIOPTRA_API __declspec(dllimport)
#endif

class CFrameWnd;

extern "C" {
DIOPTRA_API void DioInitialize(int nReserved);
DIOPTRA_API void DioSetMainFrame(CFrameWnd* pFrame, BOOL bToolTips);
DIOPTRA_API void DioAttachFrame(CFrameWnd* pFrame, int nFlags);

DIOPTRA_API const char* DioptraCallLog();
DIOPTRA_API void DioptraClearCallLog();
}

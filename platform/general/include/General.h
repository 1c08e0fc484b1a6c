// general: the maker's common library (stand-in). Start-up and end, the
// program and temp folders, file type codes, image buffers, colour records,
// length units, its own resources, packed DIBs, slider markers, a progress
// dialog, a colour dialog, roll-up dialogs, a numeric edit and float
// geometry. Functions are exported by ordinal only (general.def); callers
// import them by ordinal through the import library.
//
// | ordinal | function              | passes                                   | the caller relies on |
// |---------|-----------------------|------------------------------------------|----------------------|
// | 100     | GenGetFileType        | a path                                   | the file type code below, from the extension |
// | 103     | GenGetRowBytes        | an image (not read), a row width in bits | bytes per row, rounded up to 4 bytes |
// | 104     | GenAllocBuffer        | size in bytes, two flags (not used)      | a zeroed block, or null |
// | 107     | GenFreeBuffer         | the address of a block pointer           | the block freed and the pointer null |
// | 117     | GenLengthToPixels     | length, unit, resolution (ppi), 0        | whole pixels: trunc(pixels + 0.5) |
// | 118     | GenColorToGray        | a colour record, a byte pointer          | the grey byte |
// | 122     | GenColorToColorRef    | a colour record                          | its COLORREF |
// | 123     | GenColorToRgb         | a colour record, 3 bytes                 | red, green, blue |
// | 124     | GenColorToCmyk        | a colour record, 4 bytes                 | cyan, magenta, yellow, black |
// | 125     | GenColorToRgbBytes    | a colour record, three byte pointers     | red, green, blue |
// | 126     | GenColorToCmykBytes   | a colour record, four byte pointers      | cyan, magenta, yellow, black |
// | 129     | GenSetRgbColor        | record, name, r, g, b (0..255)           | an RGB record (model 1) |
// | 131     | GenCopyColor          | destination, source                      | a copy |
// | 161     | GenDrawDib            | DC, destination, source, DIB, 0          | the DIB drawn; nonzero when drawn |
// | 163     | GenGetDibDrawInfo     | DIB, a GEN_DIB_INFO                      | its geometry; nonzero for a sound DIB |
// | 165     | GenGetDibWidth        | DIB                                      | width in pixels, 0 when unsound |
// | 166     | GenGetDibHeight       | DIB                                      | height in rows, 0 when unsound |
// | 167     | GenGetDibColorTableSize | DIB header                             | bytes of its colour table, 0 when unsound |
// | 172     | GenSetResourceHandle  | nothing                                  | general's module current; the previous handle |
// | 192     | GenGetPathRollup      | nothing                                  | the path edit roll-up, or null |
// | 194     | GenConvertLength      | length, from unit, to unit, 0            | the length in the other unit |
// | 206     | GenCreatePathRollup   | nothing                                  | the path edit roll-up, made when needed |
// | 207     | GenReleasePathRollup  | 0                                        | the roll-up destroyed |
// | 209     | GenPixelsToLength     | pixels, unit, resolution (ppi), 0        | the length in the unit |
// | 256     | GenDrawSliderMarker   | DC, rectangle, minimum, maximum, value   | a marker at the value's place |
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
// Colour records (tagCOLORSTRUCT, HostMessages.h): model 1 RGB (components
// red, green, blue), 2 CMYK (cyan, magenta, yellow, black), 3 grey (the
// level first). From RGB, grey = (299 R + 587 G + 114 B + 500) / 1000 and
// CMYK takes K = 255 - max(R, G, B), C, M, Y = (255 - X - K) x 255 /
// (255 - K), rounded (black: 0, 0, 0, 255). From CMYK, X = (255 - C') x
// (255 - K) / 255, rounded; from grey, R = G = B = the level. A null record
// gives black.
//
// Length units: 0 pixels, 1 inches, 2 millimetres, 3 centimetres, 4 metres,
// 5 points, 6 sixths of an inch, 7 1/1440 inch; an inch is 25.4 mm, 2.54 cm,
// 0.0254 m, 72 points, 6 sixths and 1440 twips. Pixels come from a resolution
// in pixels per inch; at a resolution of 0 or below, or with an unknown unit
// code, 117 and 209 give 0 (pixels to pixels excepted). 194 leaves a length
// in pixels as it is.
//
// Resources: general is no extension library. 172 makes its module the
// current resource source; CArtColorDlg and the path edit roll-up take their
// templates from general's module, and every call of general that makes its
// resources current puts the previous handle back on every path.
//
// Packed DIBs (161 to 167): a BITMAPINFOHEADER, its colour table and the
// rows, in one block of 104. A header that does not fit its block (or any
// DIB not in a block of 104), of an unknown size, width, height, plane
// count, bit count or compression, or with more colours than its bits allow,
// is refused before any row is read.
//
// Slider markers (256): a small triangle under the track at
// x = L + (value - min) x (R - L) / (max - min) (x = L when max = min; the
// value clamped to the range), drawn with lines only so that a second
// drawing in the caller's R2_NOT mode removes it.
//
// Classes: none is exported whole. Each out-of-line member is listed in
// general.def by its name, one by one, with an ordinal above 1014
// (CProgressDlg, the one class exported whole, holds 1000 to 1014), so that
// the libraries that compile the inline members (Maskery and Tonwick) can
// export those themselves: a class-wide import from general would block it.
//
// For tests: GeneralCallLog returns every call made so far, one line each,
// "<ordinal>" followed by " <argument>" for the text arguments of 247, 251,
// 100 and 259, the value of 250 ("247 D:\App", "250 1") and the handle that
// 172 gives back, in hexadecimal ("172 0x400000"); GeneralClearCallLog
// forgets them. Both are exported by name.
#pragma once

#include "afxwin.h"
#include "afxdlgs.h"

#include "HostMessages.h"

#ifdef GENERAL_BUILDING
#define GENERAL_API
#define GENERAL_CLASS __declspec(dllexport)
#else
#define GENERAL_API __declspec(dllimport)
#define GENERAL_CLASS __declspec(dllimport)
#endif

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

GENERAL_API int GenLengthToPixels(float fLength, int nUnit, float fResolution, int nReserved);
GENERAL_API float GenPixelsToLength(int nPixels, int nUnit, float fResolution, int nReserved);
GENERAL_API float GenConvertLength(float fLength, int nFromUnit, int nToUnit, int nReserved);

GENERAL_API void GenSetRgbColor(tagCOLORSTRUCT* pColor, const char* lpszName, int r, int g, int b);
GENERAL_API void GenCopyColor(tagCOLORSTRUCT* pDestination, const tagCOLORSTRUCT* pSource);
GENERAL_API COLORREF GenColorToColorRef(const tagCOLORSTRUCT* pColor);
GENERAL_API void GenColorToRgb(const tagCOLORSTRUCT* pColor, BYTE* pRgb);
GENERAL_API void GenColorToRgbBytes(const tagCOLORSTRUCT* pColor, BYTE* pRed, BYTE* pGreen, BYTE* pBlue);
GENERAL_API void GenColorToCmyk(const tagCOLORSTRUCT* pColor, BYTE* pCmyk);
GENERAL_API void GenColorToCmykBytes(const tagCOLORSTRUCT* pColor, BYTE* pCyan, BYTE* pMagenta, BYTE* pYellow,
                                     BYTE* pBlack);
GENERAL_API void GenColorToGray(const tagCOLORSTRUCT* pColor, BYTE* pGray);

GENERAL_API HINSTANCE GenSetResourceHandle();

// What drawing a packed DIB needs (ordinal 163): the pointers lie inside the
// DIB's block.
struct GEN_DIB_INFO {
    LONG nWidth;
    LONG nHeight;          // rows, positive whichever way they run
    WORD nBitCount;
    DWORD dwColorTableBytes;
    DWORD dwRowBytes;
    const BITMAPINFO* pInfo;
    const BYTE* pBits;
};

GENERAL_API BOOL GenDrawDib(CDC* pDC, LPCRECT lpDest, LPCRECT lpSource, const void* pDib, int nFlags);
GENERAL_API BOOL GenGetDibDrawInfo(const void* pDib, GEN_DIB_INFO* pInfo);
GENERAL_API int GenGetDibWidth(const void* pDib);
GENERAL_API int GenGetDibHeight(const void* pDib);
GENERAL_API int GenGetDibColorTableSize(const void* pDib);

GENERAL_API void GenDrawSliderMarker(CDC* pDC, LPCRECT lpRect, int nMin, int nMax, int nValue);

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

// A numeric edit that refuses what cannot be part of a number of its type
// while the user types, and tells whether it holds one within its bounds.
// Types: 2 a non-negative number, shown whole (a typed decimal is taken as
// it is); 4 a signed whole number; 5 a signed decimal; 6 a non-negative
// decimal. Any other type takes nothing but digits.
class CDigitalEdit : public CEdit {
public:
    CDigitalEdit();
    ~CDigitalEdit() override;

    void SetAttribute(int nType, float fMin, float fMax);
    void SetAttribute(int nType, int nMin, int nMax);
    // Shows the value as the type shows numbers.
    void SetNumber(float fValue);
    void SetNumber(int nValue);
    // Nonzero when the text is a complete number of the type within the
    // bounds; the value is then written (whole values rounded half up).
    BOOL GetValue(float& fValue);
    BOOL GetValue(int& nValue);
    // For the edit's focus loss: nonzero when the text is valid; otherwise
    // a message names the bounds and the focus goes back to the edit.
    BOOL CheckKillfocus();

    int m_nType;
    float m_fMin;
    float m_fMax;

protected:
    afx_msg void OnChar(UINT nChar, UINT nRepCnt, UINT nFlags);
    DECLARE_MESSAGE_MAP()
};

// The points of a curve or path, kept in the order they were added.
class CPointsGroup {
public:
    CPointsGroup();
    CPointsGroup(const CPointsGroup& other);
    ~CPointsGroup();
    CPointsGroup& operator=(const CPointsGroup& other)
    {
        if (this != &other) {
            Clear();
            for (int i = 0; i < other.m_nCount; i++)
                AddPoint(other.m_pPoints[i].x, other.m_pPoints[i].y);
        }
        return *this;
    }

    void Clear();
    void AddPoint(int x, int y);
    int GetPointsNum() const;
    // The points, GetPointsNum of them; null when there are none.
    POINT* GetAllPoints() const;

private:
    POINT* m_pPoints;
    int m_nCount;
    int m_nCapacity;
};

// Float geometry: size, point and rectangle records and their classes. The
// classes' inline members are compiled into the libraries that use them;
// the six out-of-line CFRect members below are general's.
struct tagFSIZE {
    float cx, cy;
};
struct tagFPOINT {
    float x, y;
};
struct tagFRECT {
    float left, top, right, bottom;
};

class CFRect;

class CFSize : public tagFSIZE {
public:
    CFSize() {}
    CFSize(float initCX, float initCY) { cx = initCX, cy = initCY; }
    CFSize(tagFSIZE initSize) { cx = initSize.cx, cy = initSize.cy; }
    CFSize(tagFPOINT initPt) { cx = initPt.x, cy = initPt.y; }
};

class CFPoint : public tagFPOINT {
public:
    CFPoint() {}
    CFPoint(float initX, float initY) { x = initX, y = initY; }
    CFPoint(tagFPOINT initPt) { x = initPt.x, y = initPt.y; }
    CFPoint(tagFSIZE initSize) { x = initSize.cx, y = initSize.cy; }
};

// The orientation flag: 0, y grows downward (height = bottom - top);
// nonzero, y grows upward (height = top - bottom); the width is always
// right - left. The out-of-line members read the flag so: InflateRect moves
// each edge outward by its amount (for flag 0 the top up and the bottom
// down, for flag 1 the other way); IntersectRect keeps, on each axis, the
// inner of the two edges in the flag's direction, and when the result has
// no width or no height it is emptied (all four 0) and FALSE is given;
// UnionRect keeps the outer edges, an operand that is empty for the flag
// taking no part (both empty: all four 0, FALSE). Both work whatever the
// flag of the operands and keep their own.
class CFRect : public tagFRECT {
public:
    CFRect() : m_bUpward(1) {}
    explicit CFRect(int bUpward) : m_bUpward(bUpward) {}
    CFRect(float l, float t, float r, float b, int bUpward) : m_bUpward(bUpward)
    {
        left = l, top = t, right = r, bottom = b;
    }
    float Width() const { return right - left; }
    float Height() const { return m_bUpward ? top - bottom : bottom - top; }
    BOOL IsRectEmpty() const { return Width() <= 0.0f || Height() <= 0.0f; }

    void SetRect(float l, float t, float r, float b);
    void OffsetRect(float dx, float dy);
    void InflateRect(float l, float t, float r, float b);
    BOOL EqualRect(const tagFRECT* lpRect) const;
    BOOL IntersectRect(const tagFRECT* lpRect1, const tagFRECT* lpRect2);
    BOOL UnionRect(const tagFRECT* lpRect1, const tagFRECT* lpRect2);

    int m_bUpward;
};

// A record that the host hands around: only its validity flag has a
// meaning of its own. Its members are all inline.
class CImageHandShake {
public:
    CImageHandShake() : m_nHandle(0), m_bValid(0), m_nKind(0), m_nValues1(), m_nShorts(), m_nValues2() {}
    CImageHandShake(const CImageHandShake& other) { *this = other; }
    CImageHandShake& operator=(const CImageHandShake& other)
    {
        if (this == &other)
            return *this;
        m_nHandle = other.m_nHandle;
        m_bValid = other.m_bValid;
        m_nKind = other.m_nKind;
        m_strName = other.m_strName;
        for (int i = 0; i < 4; i++)
            m_nValues1[i] = other.m_nValues1[i];
        m_nShorts[0] = other.m_nShorts[0];
        m_nShorts[1] = other.m_nShorts[1];
        for (int i = 0; i < 26; i++)
            m_nValues2[i] = other.m_nValues2[i];
        return *this;
    }
    int IsValid() const { return m_bValid != 0; }
    void SetInvalid() { m_bValid = 0; }

    int m_nHandle;
    int m_bValid;
    int m_nKind;
    CString m_strName;
    int m_nValues1[4];
    short m_nShorts[2];
    int m_nValues2[26];
};

// General's colour dialog: the named colours of a list, and red, green and
// blue edits that start at the initial colour. Any argument may be null.
// Its template comes from general's own module.
class CArtColorDlg : public CDialog {
public:
    CArtColorDlg(const tagCOLORSTRUCT* pList, const int* pCount, const tagCOLORSTRUCT* pInitial, CWnd* pParent);
    ~CArtColorDlg() override;

    int DoModal() override;
    // After IDOK: the chosen colour, an RGB record named after the list
    // entry it came from ("" when typed).
    void GetColor(tagCOLORSTRUCT* pColor) const;

protected:
    BOOL OnInitDialog() override;
    void OnOK() override;
    afx_msg void OnSelchangeList();
    afx_msg void OnChangeComponent();
    afx_msg HBRUSH OnCtlColor(CDC* pDC, CWnd* pWnd, UINT nCtlColor);
    DECLARE_MESSAGE_MAP()

private:
    void ShowColor(const tagCOLORSTRUCT& color);
    int Component(int nID);

    const tagCOLORSTRUCT* m_pList;
    int m_nCount;
    tagCOLORSTRUCT m_color;
    enum { kInitial = -2 };
    int m_nChosen;          // the list entry shown, -1 when typed, kInitial untouched
    BOOL m_bShowing;        // the edits are being filled, not typed
    CBrush m_brSwatch;
};

// A modeless roll-up: a double click on its caption rolls it up to the
// caption and down again; pinned, it keeps its active caption when another
// window is activated. A click on the caption with Ctrl held pins or unpins
// it. Subclasses' templates are found through the current resource handle
// and the chain of extension libraries.
class CRollDialog : public CDialog {
    DECLARE_DYNAMIC(CRollDialog)
public:
    CRollDialog(UINT nIDTemplate, CWnd* pParent = NULL);
    ~CRollDialog() override;

    // Set before the window is made to open rolled up or pinned.
    int& IsMin() { return m_bIsMin; }
    int& IsPin() { return m_bIsPin; }
    int& VisibleSwitch() { return m_bVisibleSwitch; }

    BOOL PreTranslateMessage(MSG* pMsg) override;

    afx_msg BOOL OnNcActivate(BOOL bActive);
    afx_msg UINT OnNcHitTest(CPoint point);
    afx_msg void OnNcLButtonDblClk(UINT nHitTest, CPoint point);
    afx_msg void OnNcLButtonDown(UINT nHitTest, CPoint point);
    afx_msg void OnNcLButtonUp(UINT nHitTest, CPoint point);
    afx_msg void OnNcPaint();
    afx_msg BOOL OnSetCursor(CWnd* pWnd, UINT nHitTest, UINT message);

protected:
    BOOL OnInitDialog() override;
    // Takes the values and stays open.
    void OnOK() override;
    DECLARE_MESSAGE_MAP()

    void RollUp(BOOL bUp);

    int m_bIsMin;
    int m_bIsPin;
    int m_bVisibleSwitch;
    int m_nFullHeight;  // of the window rolled down
};

// A property sheet that can roll up like CRollDialog; its flags are read by
// the libraries.
class CRollSheet : public CPropertySheet {
public:
    explicit CRollSheet(UINT nIDCaption, CWnd* pParent = NULL, UINT iSelectPage = 0);
    ~CRollSheet() override;

    int& SizeByActivePage() { return m_bSizeByActivePage; }
    int& AllowResize() { return m_bAllowResize; }
    int& VisibleSwitch() { return m_bVisibleSwitch; }

protected:
    int m_bSizeByActivePage;
    int m_bAllowResize;
    int m_bVisibleSwitch;
};

extern "C" {
GENERAL_API CRollDialog* GenGetPathRollup();
GENERAL_API CRollDialog* GenCreatePathRollup();
GENERAL_API void GenReleasePathRollup(int nReserved);
}

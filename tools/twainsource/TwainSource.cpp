// The virtual scanner's data source: DS_Entry and the source's state machine
// (VirtualSource.h tells what it offers).
#include "TwainProtocol.h"
#include "VirtualSource.h"

#include <math.h>
#include <stdio.h>
#include <stdlib.h>
#include <string.h>

using namespace twainsource;

namespace {

HINSTANCE g_hInstance;

const int kResolutionChoices[] = {75, 100, 150, 200, 300};

struct Source {
    int state = 3;  // 3: closed, 4 open, 5 enabled, 6 transfer ready, 7 transferring
    TW_IDENTITY self = {};
    TW_IDENTITY app = {};
    TW_UINT16 conditionCode = TWCC_SUCCESS;
    TW_UINT16 xferMech = TWSX_NATIVE;
    TW_INT16 xferCount = -1;
    double xResolution = kDefaultResolution;
    double yResolution = kDefaultResolution;
    double frameLeft = 0, frameTop = 0, frameRight = kPageWidth, frameBottom = kPageHeight;
    char fileName[256] = "TWAIN.BMP";
    HWND hParent = NULL;
    HWND hDialog = NULL;
    TW_UINT16 pendingMessage = MSG_NULL;  // for a manager that refuses DAT_NULL
    bool imageDone = false;
    unsigned scanNumber = 0;
};

Source g_source;

void FillIdentity(TW_IDENTITY* identity)
{
    TW_UINT32 id = identity->Id;
    memset(identity, 0, sizeof(*identity));
    identity->Id = id;
    identity->Version.MajorNum = 1;
    identity->Version.MinorNum = 0;
    identity->Version.Language = TWLG_ENGLISH_USA;
    identity->Version.Country = TWCY_USA;
    strcpy(identity->Version.Info, "1.0");
    identity->ProtocolMajor = TWON_PROTOCOLMAJOR;
    identity->ProtocolMinor = TWON_PROTOCOLMINOR;
    identity->SupportedGroups = DG_CONTROL | DG_IMAGE;
    strcpy(identity->Manufacturer, "Ombrelle");
    strcpy(identity->ProductFamily, "Virtual Scanner");
    strcpy(identity->ProductName, "Ombrelle Virtual Scanner");
}

bool Unplugged()
{
    char value[8] = "";
    DWORD length = ::GetEnvironmentVariableA("TWAINSOURCE_UNPLUGGED", value, sizeof(value));
    return length > 0 && length < sizeof(value) && strcmp(value, "1") == 0;
}

TW_UINT16 Fail(TW_UINT16 conditionCode)
{
    g_source.conditionCode = conditionCode;
    return TWRC_FAILURE;
}

int PixelsAcross() { return static_cast<int>(floor((g_source.frameRight - g_source.frameLeft) * g_source.xResolution + 0.5)); }
int PixelsDown() { return static_cast<int>(floor((g_source.frameBottom - g_source.frameTop) * g_source.yResolution + 0.5)); }

// Tells the application that a transfer is ready or that the source wants
// to be closed: through the manager when it takes the message, else on the
// next MSG_PROCESSEVENT, which a WM_NULL to the application's window brings.
void Notify(TW_UINT16 message)
{
    HMODULE manager = ::GetModuleHandleA("twain_32.dll");
    DSMENTRYPROC entry =
        manager ? reinterpret_cast<DSMENTRYPROC>(reinterpret_cast<void*>(::GetProcAddress(manager, "DSM_Entry"))) : NULL;
    if (entry != NULL && entry(&g_source.self, &g_source.app, DG_CONTROL, DAT_NULL, message, NULL) == TWRC_SUCCESS)
        return;
    g_source.pendingMessage = message;
    if (g_source.hParent != NULL)
        ::PostMessageA(g_source.hParent, WM_NULL, 0, 0);
    else
        ::PostThreadMessageA(::GetCurrentThreadId(), WM_NULL, 0, 0);
}

void MakeTransferReady()
{
    g_source.state = 6;
    g_source.imageDone = false;
    Notify(MSG_XFERREADY);
}

// The page, drawn at the negotiated resolution over the negotiated frame, as
// a packed bottom-up 24-bit DIB in global memory.
HGLOBAL ScanPage()
{
    int width = PixelsAcross();
    int height = PixelsDown();
    if (width <= 0 || height <= 0)
        return NULL;
    int stride = (width * 3 + 3) & ~3;
    SIZE_T imageSize = static_cast<SIZE_T>(stride) * height;

    BITMAPINFO info = {};
    info.bmiHeader.biSize = sizeof(BITMAPINFOHEADER);
    info.bmiHeader.biWidth = width;
    info.bmiHeader.biHeight = height;
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 24;
    info.bmiHeader.biCompression = BI_RGB;
    info.bmiHeader.biSizeImage = static_cast<DWORD>(imageSize);
    info.bmiHeader.biXPelsPerMeter = static_cast<LONG>(g_source.xResolution / 0.0254 + 0.5);
    info.bmiHeader.biYPelsPerMeter = static_cast<LONG>(g_source.yResolution / 0.0254 + 0.5);

    void* bits = NULL;
    HBITMAP bitmap = ::CreateDIBSection(NULL, &info, DIB_RGB_COLORS, &bits, NULL, 0);
    if (bitmap == NULL)
        return NULL;

    // Gradients over the whole page, so that a frame shows its own piece of them.
    double pageAcross = kPageWidth * g_source.xResolution;
    double pageDown = kPageHeight * g_source.yResolution;
    unsigned char* rows = static_cast<unsigned char*>(bits);
    for (int y = 0; y < height; ++y) {
        double pageY = g_source.frameTop * g_source.yResolution + y;
        unsigned char* row = rows + static_cast<SIZE_T>(height - 1 - y) * stride;
        for (int x = 0; x < width; ++x) {
            double pageX = g_source.frameLeft * g_source.xResolution + x;
            row[x * 3 + 0] = static_cast<unsigned char>(255.0 * pageY / pageDown);        // blue
            row[x * 3 + 1] = static_cast<unsigned char>(190 + 60.0 * sin(pageX / 60.0));   // green
            row[x * 3 + 2] = static_cast<unsigned char>(255.0 * pageX / pageAcross);       // red
        }
    }

    ++g_source.scanNumber;
    SYSTEMTIME now;
    ::GetLocalTime(&now);
    char stamp[128];
    snprintf(stamp, sizeof(stamp), "%04u-%02u-%02u %02u:%02u:%02u.%03u  #%u", now.wYear, now.wMonth, now.wDay,
             now.wHour, now.wMinute, now.wSecond, now.wMilliseconds, g_source.scanNumber);

    HDC dc = ::CreateCompatibleDC(NULL);
    HGDIOBJ oldBitmap = ::SelectObject(dc, bitmap);
    HFONT font = ::CreateFontA(-static_cast<int>(g_source.yResolution / 4), 0, 0, 0, FW_BOLD, FALSE, FALSE, FALSE,
                               DEFAULT_CHARSET, OUT_DEFAULT_PRECIS, CLIP_DEFAULT_PRECIS, DEFAULT_QUALITY,
                               DEFAULT_PITCH, "Arial");
    HGDIOBJ oldFont = ::SelectObject(dc, font);
    ::SetBkMode(dc, TRANSPARENT);
    ::SetTextColor(dc, RGB(255, 255, 255));
    // Positions on the page, shifted by the frame's origin.
    int originX = -static_cast<int>(g_source.frameLeft * g_source.xResolution);
    int originY = -static_cast<int>(g_source.frameTop * g_source.yResolution);
    int margin = static_cast<int>(g_source.xResolution / 2);
    int line = static_cast<int>(g_source.yResolution / 3);
    const char* title = "Ombrelle Virtual Scanner";
    ::TextOutA(dc, originX + margin, originY + margin, title, static_cast<int>(strlen(title)));
    ::TextOutA(dc, originX + margin, originY + margin + line, stamp, static_cast<int>(strlen(stamp)));
    char geometry[96];
    snprintf(geometry, sizeof(geometry), "%d x %d pixels at %g x %g dpi", width, height, g_source.xResolution,
             g_source.yResolution);
    ::TextOutA(dc, originX + margin, originY + margin + 2 * line, geometry, static_cast<int>(strlen(geometry)));
    ::SelectObject(dc, oldFont);
    ::DeleteObject(font);
    ::SelectObject(dc, oldBitmap);
    ::DeleteDC(dc);
    ::GdiFlush();

    HGLOBAL handle = ::GlobalAlloc(GHND, sizeof(BITMAPINFOHEADER) + imageSize);
    if (handle != NULL) {
        unsigned char* target = static_cast<unsigned char*>(::GlobalLock(handle));
        memcpy(target, &info.bmiHeader, sizeof(BITMAPINFOHEADER));
        memcpy(target + sizeof(BITMAPINFOHEADER), bits, imageSize);
        ::GlobalUnlock(handle);
    }
    ::DeleteObject(bitmap);
    return handle;
}

bool WriteBmp(const char* path, HGLOBAL dib)
{
    const unsigned char* packed = static_cast<const unsigned char*>(::GlobalLock(dib));
    SIZE_T size = ::GlobalSize(dib);
    BITMAPFILEHEADER header = {};
    header.bfType = 0x4D42;
    header.bfSize = static_cast<DWORD>(sizeof(header) + size);
    header.bfOffBits = sizeof(header) + sizeof(BITMAPINFOHEADER);
    bool written = false;
    HANDLE file = ::CreateFileA(path, GENERIC_WRITE, 0, NULL, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, NULL);
    if (file != INVALID_HANDLE_VALUE) {
        DWORD done = 0;
        written = ::WriteFile(file, &header, sizeof(header), &done, NULL) && done == sizeof(header) &&
                  ::WriteFile(file, packed, static_cast<DWORD>(size), &done, NULL) && done == size;
        ::CloseHandle(file);
        if (!written)
            ::DeleteFileA(path);
    }
    ::GlobalUnlock(dib);
    return written;
}

// Capabilities ------------------------------------------------------------

HGLOBAL Enumeration(TW_UINT16 itemType, const TW_UINT16* items, TW_UINT32 count, TW_UINT32 current, TW_UINT32 preset)
{
    HGLOBAL handle = ::GlobalAlloc(GHND, sizeof(TW_ENUMERATION) + count * sizeof(TW_UINT16));
    if (handle != NULL) {
        TW_ENUMERATION* value = static_cast<TW_ENUMERATION*>(::GlobalLock(handle));
        value->ItemType = itemType;
        value->NumItems = count;
        value->CurrentIndex = current;
        value->DefaultIndex = preset;
        memcpy(value->ItemList, items, count * sizeof(TW_UINT16));
        ::GlobalUnlock(handle);
    }
    return handle;
}

HGLOBAL ResolutionRange(double current)
{
    HGLOBAL handle = ::GlobalAlloc(GHND, sizeof(TW_RANGE));
    if (handle != NULL) {
        TW_RANGE* range = static_cast<TW_RANGE*>(::GlobalLock(handle));
        range->ItemType = TWTY_FIX32;
        range->MinValue = TwainFixItem(TwainFix32(kMinResolution));
        range->MaxValue = TwainFixItem(TwainFix32(kMaxResolution));
        range->StepSize = TwainFixItem(TwainFix32(1));
        range->DefaultValue = TwainFixItem(TwainFix32(kDefaultResolution));
        range->CurrentValue = TwainFixItem(TwainFix32(current));
        ::GlobalUnlock(handle);
    }
    return handle;
}

// The value of a one-value container the application sent.
bool ReadOneValue(const TW_CAPABILITY* capability, TW_ONEVALUE* value)
{
    if (capability->ConType != TWON_ONEVALUE || capability->hContainer == NULL)
        return false;
    const TW_ONEVALUE* sent = static_cast<const TW_ONEVALUE*>(::GlobalLock(capability->hContainer));
    if (sent == NULL)
        return false;
    *value = *sent;
    ::GlobalUnlock(capability->hContainer);
    return true;
}

TW_UINT16 GetCapability(TW_CAPABILITY* capability, TW_UINT16 message)
{
    bool current = message == MSG_GETCURRENT;
    bool preset = message == MSG_GETDEFAULT;
    HGLOBAL container = NULL;
    TW_UINT16 conType = TWON_ONEVALUE;
    switch (capability->Cap) {
    case CAP_XFERCOUNT:
        container = TwainOneValue(TWTY_INT16, static_cast<TW_UINT16>(preset ? -1 : g_source.xferCount));
        break;
    case ICAP_XFERMECH: {
        static const TW_UINT16 mechs[] = {TWSX_NATIVE, TWSX_FILE};
        TW_UINT16 mech = preset ? TWSX_NATIVE : g_source.xferMech;
        if (current || preset) {
            container = TwainOneValue(TWTY_UINT16, mech);
        } else {
            conType = TWON_ENUMERATION;
            container = Enumeration(TWTY_UINT16, mechs, 2, mech == TWSX_FILE ? 1 : 0, 0);
        }
        break;
    }
    case ICAP_PIXELTYPE:
    case ICAP_UNITS:
    case ICAP_IMAGEFILEFORMAT: {
        TW_UINT16 only = capability->Cap == ICAP_PIXELTYPE ? TWPT_RGB
                         : capability->Cap == ICAP_UNITS   ? TWUN_INCHES
                                                           : TWFF_BMP;
        if (current || preset) {
            container = TwainOneValue(TWTY_UINT16, only);
        } else {
            conType = TWON_ENUMERATION;
            container = Enumeration(TWTY_UINT16, &only, 1, 0, 0);
        }
        break;
    }
    case ICAP_XRESOLUTION:
    case ICAP_YRESOLUTION: {
        double value = capability->Cap == ICAP_XRESOLUTION ? g_source.xResolution : g_source.yResolution;
        if (preset)
            value = kDefaultResolution;
        if (current || preset) {
            container = TwainOneValue(TWTY_FIX32, TwainFixItem(TwainFix32(value)));
        } else {
            conType = TWON_RANGE;
            container = ResolutionRange(value);
        }
        break;
    }
    case ICAP_PHYSICALWIDTH:
    case ICAP_PHYSICALHEIGHT:
        container = TwainOneValue(
            TWTY_FIX32, TwainFixItem(TwainFix32(capability->Cap == ICAP_PHYSICALWIDTH ? kPageWidth : kPageHeight)));
        break;
    default:
        return Fail(TWCC_CAPUNSUPPORTED);
    }
    if (container == NULL)
        return Fail(TWCC_LOWMEMORY);
    capability->ConType = conType;
    capability->hContainer = container;
    return TWRC_SUCCESS;
}

TW_UINT16 SetCapability(const TW_CAPABILITY* capability, bool reset)
{
    // Negotiation belongs to state 4 only.
    if (g_source.state != 4)
        return Fail(TWCC_SEQERROR);
    TW_ONEVALUE value = {};
    if (!reset && !ReadOneValue(capability, &value))
        return Fail(TWCC_BADVALUE);
    switch (capability->Cap) {
    case CAP_XFERCOUNT: {
        TW_INT16 count = reset ? -1 : static_cast<TW_INT16>(value.Item & 0xFFFF);
        if (count == 0 || count < -1)
            return Fail(TWCC_BADVALUE);
        g_source.xferCount = count;
        return TWRC_SUCCESS;
    }
    case ICAP_XFERMECH: {
        TW_UINT16 mech = reset ? TWSX_NATIVE : static_cast<TW_UINT16>(value.Item & 0xFFFF);
        if (mech != TWSX_NATIVE && mech != TWSX_FILE)
            return Fail(TWCC_BADVALUE);
        g_source.xferMech = mech;
        return TWRC_SUCCESS;
    }
    case ICAP_PIXELTYPE:
    case ICAP_UNITS:
    case ICAP_IMAGEFILEFORMAT: {
        TW_UINT16 only = capability->Cap == ICAP_PIXELTYPE ? TWPT_RGB
                         : capability->Cap == ICAP_UNITS   ? TWUN_INCHES
                                                           : TWFF_BMP;
        if (!reset && static_cast<TW_UINT16>(value.Item & 0xFFFF) != only)
            return Fail(TWCC_BADVALUE);
        return TWRC_SUCCESS;
    }
    case ICAP_XRESOLUTION:
    case ICAP_YRESOLUTION: {
        double resolution = reset ? kDefaultResolution : TwainDouble(TwainItemFix(value.Item));
        if (resolution < kMinResolution || resolution > kMaxResolution)
            return Fail(TWCC_BADVALUE);
        (capability->Cap == ICAP_XRESOLUTION ? g_source.xResolution : g_source.yResolution) = resolution;
        return TWRC_SUCCESS;
    }
    case ICAP_PHYSICALWIDTH:
    case ICAP_PHYSICALHEIGHT:
        return Fail(TWCC_BADVALUE);  // read only
    default:
        return Fail(TWCC_CAPUNSUPPORTED);
    }
}

TW_UINT16 Capability(TW_UINT16 message, TW_CAPABILITY* capability)
{
    if (capability == NULL)
        return Fail(TWCC_BADVALUE);
    if (g_source.state < 4)
        return Fail(TWCC_SEQERROR);
    switch (message) {
    case MSG_GET:
    case MSG_GETCURRENT:
    case MSG_GETDEFAULT:
        return GetCapability(capability, message);
    case MSG_SET:
        return SetCapability(capability, false);
    case MSG_RESET: {
        TW_UINT16 rc = SetCapability(capability, true);
        return rc == TWRC_SUCCESS ? GetCapability(capability, MSG_GETCURRENT) : rc;
    }
    default:
        return Fail(TWCC_BADPROTOCOL);
    }
}

// Image layout ------------------------------------------------------------

TW_UINT16 Layout(TW_UINT16 message, TW_IMAGELAYOUT* layout)
{
    if (layout == NULL)
        return Fail(TWCC_BADVALUE);
    if (g_source.state < 4)
        return Fail(TWCC_SEQERROR);
    if (message == MSG_SET || message == MSG_RESET) {
        if (g_source.state != 4)
            return Fail(TWCC_SEQERROR);
        double left = 0, top = 0, right = kPageWidth, bottom = kPageHeight;
        if (message == MSG_SET) {
            left = TwainDouble(layout->Frame.Left);
            top = TwainDouble(layout->Frame.Top);
            right = TwainDouble(layout->Frame.Right);
            bottom = TwainDouble(layout->Frame.Bottom);
        }
        // A frame beyond the page is cut to it.
        bool cut = false;
        if (left < 0) left = 0, cut = true;
        if (top < 0) top = 0, cut = true;
        if (right > kPageWidth) right = kPageWidth, cut = true;
        if (bottom > kPageHeight) bottom = kPageHeight, cut = true;
        if (right <= left || bottom <= top)
            return Fail(TWCC_BADVALUE);
        g_source.frameLeft = left;
        g_source.frameTop = top;
        g_source.frameRight = right;
        g_source.frameBottom = bottom;
        if (message == MSG_SET && !cut)
            return TWRC_SUCCESS;
        layout->Frame.Left = TwainFix32(left);
        layout->Frame.Top = TwainFix32(top);
        layout->Frame.Right = TwainFix32(right);
        layout->Frame.Bottom = TwainFix32(bottom);
        layout->DocumentNumber = layout->PageNumber = layout->FrameNumber = 1;
        return cut ? TWRC_CHECKSTATUS : TWRC_SUCCESS;
    }
    bool preset = message == MSG_GETDEFAULT;
    if (message != MSG_GET && message != MSG_GETCURRENT && !preset)
        return Fail(TWCC_BADPROTOCOL);
    layout->Frame.Left = TwainFix32(preset ? 0 : g_source.frameLeft);
    layout->Frame.Top = TwainFix32(preset ? 0 : g_source.frameTop);
    layout->Frame.Right = TwainFix32(preset ? kPageWidth : g_source.frameRight);
    layout->Frame.Bottom = TwainFix32(preset ? kPageHeight : g_source.frameBottom);
    layout->DocumentNumber = layout->PageNumber = layout->FrameNumber = 1;
    return TWRC_SUCCESS;
}

// User interface ------------------------------------------------------------

INT_PTR CALLBACK DialogProc(HWND hDlg, UINT message, WPARAM wParam, LPARAM)
{
    switch (message) {
    case WM_INITDIALOG: {
        HWND combo = ::GetDlgItem(hDlg, IDC_RESOLUTION);
        int selected = 0;
        for (size_t i = 0; i < sizeof(kResolutionChoices) / sizeof(kResolutionChoices[0]); ++i) {
            char text[16];
            snprintf(text, sizeof(text), "%d", kResolutionChoices[i]);
            ::SendMessageA(combo, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(text));
            if (kResolutionChoices[i] == static_cast<int>(g_source.xResolution + 0.5))
                selected = static_cast<int>(i);
        }
        ::SendMessageA(combo, CB_SETCURSEL, selected, 0);
        return TRUE;
    }
    case WM_COMMAND:
        if (LOWORD(wParam) == IDOK && g_source.state == 5) {
            LRESULT index = ::SendDlgItemMessageA(hDlg, IDC_RESOLUTION, CB_GETCURSEL, 0, 0);
            if (index >= 0 && index < static_cast<LRESULT>(sizeof(kResolutionChoices) / sizeof(kResolutionChoices[0])))
                g_source.xResolution = g_source.yResolution = kResolutionChoices[index];
            ::EnableWindow(hDlg, FALSE);
            MakeTransferReady();
            return TRUE;
        }
        if (LOWORD(wParam) == IDCANCEL) {
            Notify(MSG_CLOSEDSREQ);
            return TRUE;
        }
        break;
    case WM_CLOSE:
        Notify(MSG_CLOSEDSREQ);
        return TRUE;
    }
    return FALSE;
}

void CloseDialog()
{
    if (g_source.hDialog != NULL) {
        ::DestroyWindow(g_source.hDialog);
        g_source.hDialog = NULL;
    }
}

TW_UINT16 UserInterface(TW_UINT16 message, TW_USERINTERFACE* ui)
{
    if (message == MSG_ENABLEDS) {
        if (ui == NULL)
            return Fail(TWCC_BADVALUE);
        if (g_source.state != 4)
            return Fail(TWCC_SEQERROR);
        g_source.hParent = static_cast<HWND>(ui->hParent);
        g_source.pendingMessage = MSG_NULL;
        g_source.state = 5;
        if (ui->ShowUI) {
            g_source.hDialog = ::CreateDialogParamA(g_hInstance, MAKEINTRESOURCEA(IDD_VIRTUAL_SCANNER), g_source.hParent,
                                                    DialogProc, 0);
            if (g_source.hDialog == NULL) {
                g_source.state = 4;
                return Fail(TWCC_OPERATIONERROR);
            }
            ::ShowWindow(g_source.hDialog, SW_SHOW);
        } else {
            MakeTransferReady();
        }
        return TWRC_SUCCESS;
    }
    if (message == MSG_DISABLEDS) {
        if (g_source.state != 5)
            return Fail(TWCC_SEQERROR);
        CloseDialog();
        g_source.pendingMessage = MSG_NULL;
        g_source.state = 4;
        return TWRC_SUCCESS;
    }
    return Fail(TWCC_BADPROTOCOL);
}

TW_UINT16 ProcessEvent(TW_EVENT* event)
{
    if (event == NULL || event->pEvent == NULL)
        return Fail(TWCC_BADVALUE);
    if (g_source.state < 5)
        return Fail(TWCC_SEQERROR);
    MSG* msg = static_cast<MSG*>(event->pEvent);
    event->TWMessage = MSG_NULL;
    if (g_source.pendingMessage != MSG_NULL && msg->message == WM_NULL) {
        event->TWMessage = g_source.pendingMessage;
        g_source.pendingMessage = MSG_NULL;
        return TWRC_DSEVENT;
    }
    if (g_source.hDialog != NULL && ::IsDialogMessageA(g_source.hDialog, msg))
        return TWRC_DSEVENT;
    return TWRC_NOTDSEVENT;
}

// Transfers -------------------------------------------------------------------

void FinishImage()
{
    g_source.imageDone = true;
    g_source.state = 7;
}

TW_UINT16 NativeTransfer(TW_HANDLE* handle)
{
    if (handle == NULL)
        return Fail(TWCC_BADVALUE);
    if (g_source.state != 6 || g_source.imageDone)
        return Fail(TWCC_SEQERROR);
    HGLOBAL dib = ScanPage();
    if (dib == NULL)
        return Fail(TWCC_LOWMEMORY);
    *handle = dib;
    FinishImage();
    return TWRC_XFERDONE;
}

TW_UINT16 FileTransfer()
{
    if (g_source.state != 6 || g_source.imageDone)
        return Fail(TWCC_SEQERROR);
    if (g_source.xferMech != TWSX_FILE)
        return Fail(TWCC_BADPROTOCOL);
    HGLOBAL dib = ScanPage();
    if (dib == NULL)
        return Fail(TWCC_LOWMEMORY);
    bool written = WriteBmp(g_source.fileName, dib);
    ::GlobalFree(dib);
    if (!written)
        return Fail(TWCC_OPERATIONERROR);
    FinishImage();
    return TWRC_XFERDONE;
}

TW_UINT16 SetupFileTransfer(TW_UINT16 message, TW_SETUPFILEXFER* setup)
{
    if (setup == NULL)
        return Fail(TWCC_BADVALUE);
    if (g_source.state < 4 || g_source.state > 6)
        return Fail(TWCC_SEQERROR);
    if (message == MSG_SET) {
        if (setup->Format != TWFF_BMP)
            return Fail(TWCC_BADVALUE);
        memcpy(g_source.fileName, setup->FileName, sizeof(g_source.fileName));
        g_source.fileName[sizeof(g_source.fileName) - 1] = '\0';
        return TWRC_SUCCESS;
    }
    if (message == MSG_GET || message == MSG_GETDEFAULT) {
        memset(setup->FileName, 0, sizeof(setup->FileName));
        strcpy(setup->FileName, message == MSG_GET ? g_source.fileName : "TWAIN.BMP");
        setup->Format = TWFF_BMP;
        setup->VRefNum = 0;
        return TWRC_SUCCESS;
    }
    return Fail(TWCC_BADPROTOCOL);
}

TW_UINT16 ImageInfo(TW_IMAGEINFO* info)
{
    if (info == NULL)
        return Fail(TWCC_BADVALUE);
    if (g_source.state != 6)
        return Fail(TWCC_SEQERROR);
    memset(info, 0, sizeof(*info));
    info->XResolution = TwainFix32(g_source.xResolution);
    info->YResolution = TwainFix32(g_source.yResolution);
    info->ImageWidth = PixelsAcross();
    info->ImageLength = PixelsDown();
    info->SamplesPerPixel = 3;
    info->BitsPerSample[0] = info->BitsPerSample[1] = info->BitsPerSample[2] = 8;
    info->BitsPerPixel = 24;
    info->Planar = FALSE;
    info->PixelType = TWPT_RGB;
    info->Compression = 0;
    return TWRC_SUCCESS;
}

TW_UINT16 PendingTransfers(TW_UINT16 message, TW_PENDINGXFERS* pending)
{
    if (pending == NULL)
        return Fail(TWCC_BADVALUE);
    switch (message) {
    case MSG_GET:
        if (g_source.state < 4)
            return Fail(TWCC_SEQERROR);
        pending->Count = g_source.state >= 6 && !g_source.imageDone ? 1 : 0;
        break;
    case MSG_ENDXFER:
    case MSG_RESET:
        // One image per enable: after it, or when the application declines
        // it, nothing is pending and the source waits enabled (state 5).
        if (message == MSG_ENDXFER ? g_source.state != 6 && g_source.state != 7 : g_source.state != 6)
            return Fail(TWCC_SEQERROR);
        pending->Count = 0;
        g_source.state = 5;
        if (g_source.hDialog != NULL)
            ::EnableWindow(g_source.hDialog, TRUE);
        break;
    default:
        return Fail(TWCC_BADPROTOCOL);
    }
    pending->EOJ = 0;
    return TWRC_SUCCESS;
}

TW_UINT16 Identity(TW_IDENTITY* origin, TW_UINT16 message, TW_IDENTITY* identity)
{
    if (identity == NULL)
        return Fail(TWCC_BADVALUE);
    switch (message) {
    case MSG_GET:
        if (Unplugged())
            return Fail(TWCC_NODS);
        FillIdentity(identity);
        return TWRC_SUCCESS;
    case MSG_OPENDS:
        if (Unplugged())
            return Fail(TWCC_OPERATIONERROR);
        if (g_source.state != 3)
            return Fail(TWCC_SEQERROR);  // one application at a time
        {
            Source fresh;
            fresh.scanNumber = g_source.scanNumber;
            g_source = fresh;
        }
        FillIdentity(identity);
        g_source.self = *identity;
        if (origin != NULL)
            g_source.app = *origin;
        g_source.state = 4;
        return TWRC_SUCCESS;
    case MSG_CLOSEDS:
        CloseDialog();
        g_source.state = 3;
        return TWRC_SUCCESS;
    default:
        return Fail(TWCC_BADPROTOCOL);
    }
}

TW_UINT16 Control(TW_IDENTITY* origin, TW_UINT16 dat, TW_UINT16 message, TW_MEMREF data)
{
    switch (dat) {
    case DAT_IDENTITY:
        return Identity(origin, message, static_cast<TW_IDENTITY*>(data));
    case DAT_CAPABILITY:
        return Capability(message, static_cast<TW_CAPABILITY*>(data));
    case DAT_USERINTERFACE:
        return UserInterface(message, static_cast<TW_USERINTERFACE*>(data));
    case DAT_EVENT:
        if (message != MSG_PROCESSEVENT)
            return Fail(TWCC_BADPROTOCOL);
        return ProcessEvent(static_cast<TW_EVENT*>(data));
    case DAT_PENDINGXFERS:
        return PendingTransfers(message, static_cast<TW_PENDINGXFERS*>(data));
    case DAT_SETUPFILEXFER:
        return SetupFileTransfer(message, static_cast<TW_SETUPFILEXFER*>(data));
    case DAT_STATUS: {
        TW_STATUS* status = static_cast<TW_STATUS*>(data);
        if (status == NULL || message != MSG_GET)
            return Fail(TWCC_BADPROTOCOL);
        status->ConditionCode = g_source.conditionCode;
        status->Reserved = 0;
        g_source.conditionCode = TWCC_SUCCESS;
        return TWRC_SUCCESS;
    }
    default:
        return Fail(TWCC_BADPROTOCOL);
    }
}

TW_UINT16 Image(TW_UINT16 dat, TW_UINT16 message, TW_MEMREF data)
{
    switch (dat) {
    case DAT_IMAGEINFO:
        return message == MSG_GET ? ImageInfo(static_cast<TW_IMAGEINFO*>(data)) : Fail(TWCC_BADPROTOCOL);
    case DAT_IMAGELAYOUT:
        return Layout(message, static_cast<TW_IMAGELAYOUT*>(data));
    case DAT_IMAGENATIVEXFER:
        return message == MSG_GET ? NativeTransfer(static_cast<TW_HANDLE*>(data)) : Fail(TWCC_BADPROTOCOL);
    case DAT_IMAGEFILEXFER:
        return message == MSG_GET ? FileTransfer() : Fail(TWCC_BADPROTOCOL);
    default:
        return Fail(TWCC_BADPROTOCOL);
    }
}

}  // namespace

extern "C" __declspec(dllexport) TW_UINT16 WINAPI DS_Entry(TW_IDENTITY* origin, TW_UINT32 dg, TW_UINT16 dat,
                                                          TW_UINT16 message, TW_MEMREF data)
{
    // Anything but the status query starts from a clean condition.
    if (!(dg == DG_CONTROL && dat == DAT_STATUS))
        g_source.conditionCode = TWCC_SUCCESS;
    if (dg == DG_CONTROL)
        return Control(origin, dat, message, data);
    if (dg == DG_IMAGE)
        return Image(dat, message, data);
    return Fail(TWCC_BADPROTOCOL);
}

extern "C" BOOL WINAPI DllMain(HINSTANCE hInstance, DWORD reason, LPVOID)
{
    if (reason == DLL_PROCESS_ATTACH) {
        g_hInstance = hInstance;
        ::DisableThreadLibraryCalls(hInstance);
    }
    return TRUE;
}

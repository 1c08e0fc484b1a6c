// The scanner library stand-in: a TWAIN application over the data source
// manager (the values it chooses are in Lectorix.h).
#include "Lectorix.h"

#include "DibPicture.h"
#include "TwainProtocol.h"

#include <wincodec.h>

#include <stddef.h>
#include <string.h>

#include <vector>

namespace {

enum Format { kNoFormat, kBmp, kJpeg, kTiff };

void Copy(TW_STR32 target, const char* text)
{
    strncpy(target, text, sizeof(TW_STR32) - 1);
    target[sizeof(TW_STR32) - 1] = '\0';
}

// The format the path's extension names.
Format FormatOf(const char* path)
{
    const char* slash = strrchr(path, '\\');
    const char* dot = strrchr(path, '.');
    if (dot == NULL || (slash != NULL && dot < slash))
        return kNoFormat;
    static const struct {
        const char* extension;
        Format format;
    } kExtensions[] = {{".bmp", kBmp},   {".dib", kBmp},   {".jpg", kJpeg}, {".jpeg", kJpeg},
                       {".jpe", kJpeg},  {".jfif", kJpeg}, {".tif", kTiff}, {".tiff", kTiff}};
    for (const auto& entry : kExtensions) {
        if (_stricmp(dot, entry.extension) == 0)
            return entry.format;
    }
    return kNoFormat;
}

const GUID& ContainerOf(int format)
{
    switch (format) {
    case kJpeg:
        return GUID_ContainerFormatJpeg;
    case kTiff:
        return GUID_ContainerFormatTiff;
    default:
        return GUID_ContainerFormatBmp;
    }
}

bool FileExists(const char* path)
{
    DWORD attributes = ::GetFileAttributesA(path);
    return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY) == 0;
}

}  // namespace

TWScanner::TWScanner()
    : m_bManagerLoaded(0), m_bManagerOpen(0), m_bSourceOpen(0), m_nState(1), m_hManager(NULL), m_pEntry(NULL),
      m_hWndOwner(NULL), m_pszImagePath(NULL), m_bSourceChosen(0), m_nFormat(kNoFormat), m_bFileTransfer(0),
      m_nNextReported(0)
{
    static_assert(offsetof(TWScanner, m_nState) == 12, "callers read the state as the fourth 32-bit field");
    static_assert(sizeof(TW_IDENTITY) <= sizeof(m_identity), "room for the identity");
    memset(m_identity, 0, sizeof(m_identity));
    memset(m_source, 0, sizeof(m_source));
    memset(m_szAcquirePath, 0, sizeof(m_szAcquirePath));
    memset(m_reported, 0, sizeof(m_reported));
    TW_IDENTITY* identity = reinterpret_cast<TW_IDENTITY*>(m_identity);
    identity->Version.MajorNum = 1;
    identity->Version.MinorNum = 0;
    identity->Version.Language = TWLG_ENGLISH_USA;
    identity->Version.Country = TWCY_USA;
    Copy(identity->Version.Info, "1.0");
    identity->ProtocolMajor = TWON_PROTOCOLMAJOR;
    identity->ProtocolMinor = TWON_PROTOCOLMINOR;
    identity->SupportedGroups = DG_CONTROL | DG_IMAGE;
    Copy(identity->Manufacturer, "Lectorix");
    Copy(identity->ProductFamily, "Scanner");
    Copy(identity->ProductName, "Lectorix");
}

TWScanner::~TWScanner()
{
    Terminate();
    delete[] m_pszImagePath;
}

WORD TWScanner::CallManager(DWORD dg, WORD dat, WORD msg, void* pData)
{
    DSMENTRYPROC entry = reinterpret_cast<DSMENTRYPROC>(reinterpret_cast<void*>(m_pEntry));
    return entry(reinterpret_cast<TW_IDENTITY*>(m_identity), NULL, dg, dat, msg, pData);
}

WORD TWScanner::CallSource(DWORD dg, WORD dat, WORD msg, void* pData)
{
    DSMENTRYPROC entry = reinterpret_cast<DSMENTRYPROC>(reinterpret_cast<void*>(m_pEntry));
    return entry(reinterpret_cast<TW_IDENTITY*>(m_identity), reinterpret_cast<TW_IDENTITY*>(m_source), dg, dat, msg,
                 pData);
}

int TWScanner::Initialize(HWND hWndOwner)
{
    if (m_bManagerOpen)
        return 1;
    if (!m_bManagerLoaded) {
        // The 64-bit manager first; Wine ships its own under the older name.
        m_hManager = ::LoadLibraryA("TWAINDSM.dll");
        if (m_hManager == NULL)
            m_hManager = ::LoadLibraryA("twain_32.dll");
        if (m_hManager == NULL)
            return 0;
        m_pEntry = ::GetProcAddress(m_hManager, "DSM_Entry");
        if (m_pEntry == NULL) {
            Terminate();
            return 0;
        }
        m_bManagerLoaded = 1;
        m_nState = 2;
    }
    m_hWndOwner = hWndOwner;
    HWND parent = hWndOwner;
    if (CallManager(DG_CONTROL, DAT_PARENT, MSG_OPENDSM, &parent) != TWRC_SUCCESS) {
        Terminate();
        return 0;
    }
    m_bManagerOpen = 1;
    m_nState = 3;
    // A scanner is a source that opens: a manager may list sources with no
    // device behind them (Wine's camera source lists itself without a
    // camera). The choice made before comes first, then the list in order.
    auto opens = [this](const TW_IDENTITY& identity) {
        TW_IDENTITY probe = identity;
        probe.Id = 0;
        if (CallManager(DG_CONTROL, DAT_IDENTITY, MSG_OPENDS, &probe) != TWRC_SUCCESS)
            return false;
        CallManager(DG_CONTROL, DAT_IDENTITY, MSG_CLOSEDS, &probe);
        return true;
    };
    TW_IDENTITY* source = reinterpret_cast<TW_IDENTITY*>(m_source);
    if (m_bSourceChosen && opens(*source))
        return 1;
    m_bSourceChosen = 0;
    std::vector<TW_IDENTITY> listed;
    TW_IDENTITY next = {};
    for (WORD rc = CallManager(DG_CONTROL, DAT_IDENTITY, MSG_GETFIRST, &next); rc == TWRC_SUCCESS;
         rc = CallManager(DG_CONTROL, DAT_IDENTITY, MSG_GETNEXT, &next)) {
        listed.push_back(next);
        next = TW_IDENTITY();
    }
    for (const TW_IDENTITY& identity : listed) {
        if (opens(identity)) {
            memset(m_source, 0, sizeof(m_source));
            memcpy(m_source, &identity, sizeof(identity));
            return 1;
        }
    }
    Terminate();
    return 0;
}

int TWScanner::SelScanner()
{
    if (m_nState != 3)
        return 0;
    TW_IDENTITY chosen = {};
    if (m_bSourceChosen)
        memcpy(&chosen, m_source, sizeof(chosen));
    if (CallManager(DG_CONTROL, DAT_IDENTITY, MSG_USERSELECT, &chosen) != TWRC_SUCCESS)
        return 0;
    memset(m_source, 0, sizeof(m_source));
    memcpy(m_source, &chosen, sizeof(chosen));
    m_bSourceChosen = 1;
    return 1;
}

int TWScanner::Setting()
{
    return Acquire(TRUE);
}

void TWScanner::SetImagePath(LPCSTR lpszPath)
{
    delete[] m_pszImagePath;
    m_pszImagePath = NULL;
    if (lpszPath != NULL) {
        size_t length = strlen(lpszPath);
        m_pszImagePath = new char[length + 1];
        memcpy(m_pszImagePath, lpszPath, length + 1);
    }
}

int TWScanner::Scan()
{
    return Acquire(FALSE);
}

int TWScanner::Acquire(BOOL bShowUI)
{
    if (m_nState != 3 || m_pszImagePath == NULL || strlen(m_pszImagePath) >= MAX_PATH)
        return 0;
    m_nFormat = FormatOf(m_pszImagePath);
    if (m_nFormat == kNoFormat)
        return 0;
    strcpy(m_szAcquirePath, m_pszImagePath);

    // The source chosen, else the first that opened at Initialize; the
    // manager gives the open source its id.
    TW_IDENTITY* source = reinterpret_cast<TW_IDENTITY*>(m_source);
    source->Id = 0;
    if (CallManager(DG_CONTROL, DAT_IDENTITY, MSG_OPENDS, source) != TWRC_SUCCESS)
        return 0;
    m_bSourceOpen = 1;
    m_nState = 4;

    Negotiate();

    TW_USERINTERFACE ui = {};
    ui.ShowUI = bShowUI ? 1 : 0;
    ui.ModalUI = 0;
    ui.hParent = m_hWndOwner;
    WORD rc = CallSource(DG_CONTROL, DAT_USERINTERFACE, MSG_ENABLEDS, &ui);
    // CHECKSTATUS: the source shows its interface although it was not asked to.
    if (rc != TWRC_SUCCESS && rc != TWRC_CHECKSTATUS) {
        CloseSource();
        return 0;
    }
    m_nState = 5;
    // A source's notice (a picture ready) waits in the manager until the
    // owner's thread offers it a message; a window message of our own makes
    // sure one comes even while the user does nothing, and message loops that
    // offer only window messages still see it.
    ::PostMessageA(m_hWndOwner, WM_NULL, 0, 0);
    return 1;
}

// Sets what can be set in state 4; a value the source refuses leaves its own.
void TWScanner::Negotiate()
{
    struct Value {
        TW_UINT16 cap;
        TW_UINT16 itemType;
        TW_UINT32 item;
    };
    const TW_UINT32 resolution = TwainFixItem(TwainFix32(kScanResolution));
    const Value settings[] = {
        {CAP_XFERCOUNT, TWTY_INT16, 1},
        {ICAP_PIXELTYPE, TWTY_UINT16, TWPT_RGB},
        {ICAP_UNITS, TWTY_UINT16, TWUN_INCHES},
        {ICAP_XRESOLUTION, TWTY_FIX32, resolution},
        {ICAP_YRESOLUTION, TWTY_FIX32, resolution},
    };
    auto set = [this](TW_UINT16 cap, TW_UINT16 itemType, TW_UINT32 item) {
        TW_CAPABILITY capability = {};
        capability.Cap = cap;
        capability.ConType = TWON_ONEVALUE;
        capability.hContainer = TwainOneValue(itemType, item);
        if (capability.hContainer == NULL)
            return false;
        WORD rc = CallSource(DG_CONTROL, DAT_CAPABILITY, MSG_SET, &capability);
        ::GlobalFree(capability.hContainer);
        return rc == TWRC_SUCCESS || rc == TWRC_CHECKSTATUS;
    };
    auto get = [this](TW_UINT16 cap, TW_UINT32* item) {
        TW_CAPABILITY capability = {};
        capability.Cap = cap;
        capability.ConType = TWON_ONEVALUE;
        if (CallSource(DG_CONTROL, DAT_CAPABILITY, MSG_GETCURRENT, &capability) != TWRC_SUCCESS)
            return false;
        bool found = false;
        if (capability.hContainer != NULL) {
            const TW_ONEVALUE* value = static_cast<const TW_ONEVALUE*>(::GlobalLock(capability.hContainer));
            if (value != NULL && capability.ConType == TWON_ONEVALUE) {
                *item = value->Item;
                found = true;
            }
            ::GlobalUnlock(capability.hContainer);
            ::GlobalFree(capability.hContainer);
        }
        return found;
    };

    for (const Value& setting : settings)
        set(setting.cap, setting.itemType, setting.item);

    // The whole physical page.
    TW_UINT32 width = 0, height = 0;
    if (get(ICAP_PHYSICALWIDTH, &width) && get(ICAP_PHYSICALHEIGHT, &height)) {
        TW_IMAGELAYOUT layout = {};
        layout.Frame.Left = TwainFix32(0);
        layout.Frame.Top = TwainFix32(0);
        layout.Frame.Right = TwainItemFix(width);
        layout.Frame.Bottom = TwainItemFix(height);
        layout.DocumentNumber = layout.PageNumber = layout.FrameNumber = 1;
        CallSource(DG_IMAGE, DAT_IMAGELAYOUT, MSG_SET, &layout);
    }

    // A BMP the source writes itself when it can, so the path must fit the
    // protocol's file name.
    m_bFileTransfer = 0;
    if (m_nFormat == kBmp && strlen(m_szAcquirePath) < sizeof(TW_STR255)) {
        if (set(ICAP_XFERMECH, TWTY_UINT16, TWSX_FILE) && set(ICAP_IMAGEFILEFORMAT, TWTY_UINT16, TWFF_BMP))
            m_bFileTransfer = 1;
    }
    if (!m_bFileTransfer)
        set(ICAP_XFERMECH, TWTY_UINT16, TWSX_NATIVE);
}

BOOL TWScanner::ProcessMessage(MSG* pMsg)
{
    // Only an enabled source has messages to take.
    if (m_nState < 5 || pMsg == NULL)
        return FALSE;
    TW_EVENT event = {};
    event.pEvent = pMsg;
    event.TWMessage = MSG_NULL;
    WORD rc = CallSource(DG_CONTROL, DAT_EVENT, MSG_PROCESSEVENT, &event);
    switch (event.TWMessage) {
    case MSG_XFERREADY:
        m_nState = 6;
        TransferPicture();
        break;
    case MSG_CLOSEDSREQ:
    case MSG_CLOSEDSOK:
        CloseSource();
        break;
    default:
        break;
    }
    return rc == TWRC_DSEVENT;
}

// State 6: takes the one picture, ends the transfer, closes the source, and
// reports the file when it was written.
void TWScanner::TransferPicture()
{
    TW_IMAGEINFO info = {};
    bool haveInfo = CallSource(DG_IMAGE, DAT_IMAGEINFO, MSG_GET, &info) == TWRC_SUCCESS;
    bool written = false;
    WORD rc = TWRC_FAILURE;

    if (m_bFileTransfer) {
        TW_SETUPFILEXFER setup = {};
        strcpy(setup.FileName, m_szAcquirePath);
        setup.Format = TWFF_BMP;
        // Without the file name set the source would write elsewhere.
        if (CallSource(DG_CONTROL, DAT_SETUPFILEXFER, MSG_SET, &setup) == TWRC_SUCCESS)
            rc = CallSource(DG_IMAGE, DAT_IMAGEFILEXFER, MSG_GET, NULL);
        if (rc == TWRC_XFERDONE || rc == TWRC_CANCEL)
            m_nState = 7;
        written = rc == TWRC_XFERDONE && FileExists(m_szAcquirePath);
    } else {
        TW_HANDLE handle = NULL;
        rc = CallSource(DG_IMAGE, DAT_IMAGENATIVEXFER, MSG_GET, &handle);
        if (rc == TWRC_XFERDONE || rc == TWRC_CANCEL)
            m_nState = 7;
        if (rc == TWRC_XFERDONE && handle != NULL) {
            const BITMAPINFO* dib = static_cast<const BITMAPINFO*>(::GlobalLock(handle));
            if (dib != NULL) {
                double xDpi = 72, yDpi = 72;
                if (haveInfo && TwainDouble(info.XResolution) > 0 && TwainDouble(info.YResolution) > 0) {
                    xDpi = TwainDouble(info.XResolution);
                    yDpi = TwainDouble(info.YResolution);
                } else if (dib->bmiHeader.biXPelsPerMeter > 0 && dib->bmiHeader.biYPelsPerMeter > 0) {
                    xDpi = dib->bmiHeader.biXPelsPerMeter * 0.0254;
                    yDpi = dib->bmiHeader.biYPelsPerMeter * 0.0254;
                }
                written = WriteDib(dib, ::GlobalSize(handle), m_szAcquirePath, ContainerOf(m_nFormat), xDpi, yDpi);
                ::GlobalUnlock(handle);
            }
        }
        if (handle != NULL)
            ::GlobalFree(handle);
    }

    // One picture per acquisition: anything further is declined.
    TW_PENDINGXFERS pending = {};
    if (m_nState == 7) {
        if (CallSource(DG_CONTROL, DAT_PENDINGXFERS, MSG_ENDXFER, &pending) == TWRC_SUCCESS)
            m_nState = pending.Count != 0 ? 6 : 5;
    }
    if (m_nState == 6) {
        pending = TW_PENDINGXFERS();
        CallSource(DG_CONTROL, DAT_PENDINGXFERS, MSG_RESET, &pending);
        m_nState = 5;
    }
    CloseSource();

    if (written) {
        char* buffer = m_reported[m_nNextReported];
        m_nNextReported = (m_nNextReported + 1) % kReportedPaths;
        strcpy(buffer, m_szAcquirePath);
        ::PostMessageA(m_hWndOwner, WM_USER + 0, reinterpret_cast<WPARAM>(buffer), 0);
        ::PostMessageA(m_hWndOwner, WM_USER + 1000, 0, 0);
    }
}

// Walks the source back down to state 3 from wherever it is.
void TWScanner::CloseSource()
{
    if (!m_bSourceOpen)
        return;
    TW_PENDINGXFERS pending = {};
    if (m_nState == 7) {
        CallSource(DG_CONTROL, DAT_PENDINGXFERS, MSG_ENDXFER, &pending);
        m_nState = 6;
    }
    if (m_nState == 6) {
        CallSource(DG_CONTROL, DAT_PENDINGXFERS, MSG_RESET, &pending);
        m_nState = 5;
    }
    if (m_nState == 5) {
        TW_USERINTERFACE ui = {};
        ui.hParent = m_hWndOwner;
        CallSource(DG_CONTROL, DAT_USERINTERFACE, MSG_DISABLEDS, &ui);
        m_nState = 4;
    }
    CallManager(DG_CONTROL, DAT_IDENTITY, MSG_CLOSEDS, m_source);
    m_bSourceOpen = 0;
    m_nState = 3;
}

void TWScanner::Terminate()
{
    CloseSource();
    if (m_bManagerOpen) {
        HWND parent = m_hWndOwner;
        CallManager(DG_CONTROL, DAT_PARENT, MSG_CLOSEDSM, &parent);
        m_bManagerOpen = 0;
        // The manager gives a new id at the next open.
        reinterpret_cast<TW_IDENTITY*>(m_identity)->Id = 0;
    }
    if (m_hManager != NULL) {
        ::FreeLibrary(m_hManager);
        m_hManager = NULL;
    }
    m_pEntry = NULL;
    m_bManagerLoaded = 0;
    m_nState = 1;
}

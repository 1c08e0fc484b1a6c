// The TWAIN protocol's declarations (version 1.9 on 64-bit Windows): the
// structures as the data source manager and the sources lay them out, packed
// to 2 bytes, and the numbers of the operations and capabilities we use.
// Shared by the scanner library and the virtual data source.
#pragma once

#include <windows.h>

typedef unsigned char TW_UINT8;
typedef short TW_INT16;
typedef unsigned short TW_UINT16;
typedef int TW_INT32;
typedef unsigned int TW_UINT32;
typedef unsigned short TW_BOOL;
typedef void* TW_MEMREF;
typedef HANDLE TW_HANDLE;
typedef char TW_STR32[34];
typedef char TW_STR255[256];

#pragma pack(push, 2)

struct TW_FIX32 {
    TW_INT16 Whole;
    TW_UINT16 Frac;
};

struct TW_FRAME {
    TW_FIX32 Left;
    TW_FIX32 Top;
    TW_FIX32 Right;
    TW_FIX32 Bottom;
};

struct TW_VERSION {
    TW_UINT16 MajorNum;
    TW_UINT16 MinorNum;
    TW_UINT16 Language;
    TW_UINT16 Country;
    TW_STR32 Info;
};

struct TW_IDENTITY {
    TW_UINT32 Id;
    TW_VERSION Version;
    TW_UINT16 ProtocolMajor;
    TW_UINT16 ProtocolMinor;
    TW_UINT32 SupportedGroups;
    TW_STR32 Manufacturer;
    TW_STR32 ProductFamily;
    TW_STR32 ProductName;
};

struct TW_CAPABILITY {
    TW_UINT16 Cap;
    TW_UINT16 ConType;
    TW_HANDLE hContainer;
};

struct TW_ONEVALUE {
    TW_UINT16 ItemType;
    TW_UINT32 Item;
};

struct TW_ENUMERATION {
    TW_UINT16 ItemType;
    TW_UINT32 NumItems;
    TW_UINT32 CurrentIndex;
    TW_UINT32 DefaultIndex;
    TW_UINT8 ItemList[1];
};

struct TW_RANGE {
    TW_UINT16 ItemType;
    TW_UINT32 MinValue;
    TW_UINT32 MaxValue;
    TW_UINT32 StepSize;
    TW_UINT32 DefaultValue;
    TW_UINT32 CurrentValue;
};

struct TW_USERINTERFACE {
    TW_BOOL ShowUI;
    TW_BOOL ModalUI;
    TW_HANDLE hParent;
};

struct TW_EVENT {
    TW_MEMREF pEvent;
    TW_UINT16 TWMessage;
};

struct TW_PENDINGXFERS {
    TW_UINT16 Count;
    TW_UINT32 EOJ;
};

struct TW_IMAGEINFO {
    TW_FIX32 XResolution;
    TW_FIX32 YResolution;
    TW_INT32 ImageWidth;
    TW_INT32 ImageLength;
    TW_INT16 SamplesPerPixel;
    TW_INT16 BitsPerSample[8];
    TW_INT16 BitsPerPixel;
    TW_BOOL Planar;
    TW_INT16 PixelType;
    TW_UINT16 Compression;
};

struct TW_IMAGELAYOUT {
    TW_FRAME Frame;
    TW_UINT32 DocumentNumber;
    TW_UINT32 PageNumber;
    TW_UINT32 FrameNumber;
};

struct TW_SETUPFILEXFER {
    TW_STR255 FileName;
    TW_UINT16 Format;
    TW_INT16 VRefNum;
};

struct TW_STATUS {
    TW_UINT16 ConditionCode;
    TW_UINT16 Reserved;
};

#pragma pack(pop)

static_assert(sizeof(TW_IDENTITY) == 156, "TWAIN identity layout");
static_assert(sizeof(TW_CAPABILITY) == 12, "TWAIN capability layout");
static_assert(sizeof(TW_ONEVALUE) == 6, "TWAIN one-value layout");
static_assert(sizeof(TW_USERINTERFACE) == 12, "TWAIN user interface layout");
static_assert(sizeof(TW_EVENT) == 10, "TWAIN event layout");
static_assert(sizeof(TW_IMAGEINFO) == 42, "TWAIN image info layout");

// The manager's entry (DSM_Entry, exported by twain_32.dll) and a source's
// (DS_Entry, exported by each .ds).
typedef TW_UINT16(WINAPI* DSMENTRYPROC)(TW_IDENTITY*, TW_IDENTITY*, TW_UINT32, TW_UINT16, TW_UINT16, TW_MEMREF);
typedef TW_UINT16(WINAPI* DSENTRYPROC)(TW_IDENTITY*, TW_UINT32, TW_UINT16, TW_UINT16, TW_MEMREF);

const TW_UINT16 TWON_PROTOCOLMAJOR = 1;
const TW_UINT16 TWON_PROTOCOLMINOR = 9;

// Data groups.
const TW_UINT32 DG_CONTROL = 0x0001;
const TW_UINT32 DG_IMAGE = 0x0002;

// Data argument types.
const TW_UINT16 DAT_NULL = 0x0000;
const TW_UINT16 DAT_CAPABILITY = 0x0001;
const TW_UINT16 DAT_EVENT = 0x0002;
const TW_UINT16 DAT_IDENTITY = 0x0003;
const TW_UINT16 DAT_PARENT = 0x0004;
const TW_UINT16 DAT_PENDINGXFERS = 0x0005;
const TW_UINT16 DAT_SETUPFILEXFER = 0x0007;
const TW_UINT16 DAT_STATUS = 0x0008;
const TW_UINT16 DAT_USERINTERFACE = 0x0009;
const TW_UINT16 DAT_IMAGEINFO = 0x0101;
const TW_UINT16 DAT_IMAGELAYOUT = 0x0102;
const TW_UINT16 DAT_IMAGENATIVEXFER = 0x0104;
const TW_UINT16 DAT_IMAGEFILEXFER = 0x0105;

// Messages.
const TW_UINT16 MSG_NULL = 0x0000;
const TW_UINT16 MSG_GET = 0x0001;
const TW_UINT16 MSG_GETCURRENT = 0x0002;
const TW_UINT16 MSG_GETDEFAULT = 0x0003;
const TW_UINT16 MSG_GETFIRST = 0x0004;
const TW_UINT16 MSG_GETNEXT = 0x0005;
const TW_UINT16 MSG_SET = 0x0006;
const TW_UINT16 MSG_RESET = 0x0007;
const TW_UINT16 MSG_XFERREADY = 0x0101;
const TW_UINT16 MSG_CLOSEDSREQ = 0x0102;
const TW_UINT16 MSG_CLOSEDSOK = 0x0103;
const TW_UINT16 MSG_OPENDSM = 0x0301;
const TW_UINT16 MSG_CLOSEDSM = 0x0302;
const TW_UINT16 MSG_OPENDS = 0x0401;
const TW_UINT16 MSG_CLOSEDS = 0x0402;
const TW_UINT16 MSG_USERSELECT = 0x0403;
const TW_UINT16 MSG_DISABLEDS = 0x0501;
const TW_UINT16 MSG_ENABLEDS = 0x0502;
const TW_UINT16 MSG_PROCESSEVENT = 0x0601;
const TW_UINT16 MSG_ENDXFER = 0x0701;

// Return codes.
const TW_UINT16 TWRC_SUCCESS = 0;
const TW_UINT16 TWRC_FAILURE = 1;
const TW_UINT16 TWRC_CHECKSTATUS = 2;
const TW_UINT16 TWRC_CANCEL = 3;
const TW_UINT16 TWRC_DSEVENT = 4;
const TW_UINT16 TWRC_NOTDSEVENT = 5;
const TW_UINT16 TWRC_XFERDONE = 6;
const TW_UINT16 TWRC_ENDOFLIST = 7;

// Condition codes.
const TW_UINT16 TWCC_SUCCESS = 0;
const TW_UINT16 TWCC_BUMMER = 1;
const TW_UINT16 TWCC_LOWMEMORY = 2;
const TW_UINT16 TWCC_NODS = 3;
const TW_UINT16 TWCC_OPERATIONERROR = 5;
const TW_UINT16 TWCC_BADCAP = 6;
const TW_UINT16 TWCC_BADPROTOCOL = 9;
const TW_UINT16 TWCC_BADVALUE = 10;
const TW_UINT16 TWCC_SEQERROR = 11;
const TW_UINT16 TWCC_BADDEST = 12;
const TW_UINT16 TWCC_CAPUNSUPPORTED = 13;

// Containers and item types.
const TW_UINT16 TWON_ONEVALUE = 5;
const TW_UINT16 TWON_ENUMERATION = 4;
const TW_UINT16 TWON_RANGE = 6;
const TW_UINT16 TWTY_INT16 = 1;
const TW_UINT16 TWTY_UINT16 = 4;
const TW_UINT16 TWTY_BOOL = 6;
const TW_UINT16 TWTY_FIX32 = 7;

// Capabilities.
const TW_UINT16 CAP_XFERCOUNT = 0x0001;
const TW_UINT16 ICAP_PIXELTYPE = 0x0101;
const TW_UINT16 ICAP_UNITS = 0x0102;
const TW_UINT16 ICAP_XFERMECH = 0x0103;
const TW_UINT16 ICAP_IMAGEFILEFORMAT = 0x110C;
const TW_UINT16 ICAP_PHYSICALWIDTH = 0x1111;
const TW_UINT16 ICAP_PHYSICALHEIGHT = 0x1112;
const TW_UINT16 ICAP_XRESOLUTION = 0x1118;
const TW_UINT16 ICAP_YRESOLUTION = 0x1119;

// Capability values.
const TW_UINT16 TWSX_NATIVE = 0;
const TW_UINT16 TWSX_FILE = 1;
const TW_UINT16 TWPT_RGB = 2;
const TW_UINT16 TWUN_INCHES = 0;
const TW_UINT16 TWFF_TIFF = 0;
const TW_UINT16 TWFF_BMP = 2;
const TW_UINT16 TWFF_JFIF = 4;

// Identity values.
const TW_UINT16 TWLG_ENGLISH_USA = 13;
const TW_UINT16 TWCY_USA = 1;

inline TW_FIX32 TwainFix32(double value)
{
    long scaled = static_cast<long>(value * 65536.0 + (value < 0 ? -0.5 : 0.5));
    TW_FIX32 fix;
    fix.Whole = static_cast<TW_INT16>(scaled >> 16);
    fix.Frac = static_cast<TW_UINT16>(scaled & 0xFFFF);
    return fix;
}

inline double TwainDouble(TW_FIX32 fix)
{
    return fix.Whole + fix.Frac / 65536.0;
}

// A TW_FIX32 travels in a one-value container's 32-bit item.
inline TW_UINT32 TwainFixItem(TW_FIX32 fix)
{
    return static_cast<TW_UINT16>(fix.Whole) | (static_cast<TW_UINT32>(fix.Frac) << 16);
}

inline TW_FIX32 TwainItemFix(TW_UINT32 item)
{
    TW_FIX32 fix;
    fix.Whole = static_cast<TW_INT16>(item & 0xFFFF);
    fix.Frac = static_cast<TW_UINT16>(item >> 16);
    return fix;
}

// A one-value container in global memory, as capabilities travel; NULL when
// no memory is left.
inline HGLOBAL TwainOneValue(TW_UINT16 itemType, TW_UINT32 item)
{
    HGLOBAL handle = ::GlobalAlloc(GHND, sizeof(TW_ONEVALUE));
    if (handle != NULL) {
        TW_ONEVALUE* value = static_cast<TW_ONEVALUE*>(::GlobalLock(handle));
        value->ItemType = itemType;
        value->Item = item;
        ::GlobalUnlock(handle);
    }
    return handle;
}

// The scanner library stand-in: the data source manager's session.
#include "Lectorix.h"

#include <stddef.h>
#include <string.h>

namespace {

// TWAIN's definitions, as its header gives them (packed to 2 bytes).
#pragma pack(push, 2)
typedef char TW_STR32[34];
struct TW_VERSION {
    WORD MajorNum;
    WORD MinorNum;
    WORD Language;
    WORD Country;
    TW_STR32 Info;
};
struct TW_IDENTITY {
    DWORD Id;
    TW_VERSION Version;
    WORD ProtocolMajor;
    WORD ProtocolMinor;
    DWORD SupportedGroups;
    TW_STR32 Manufacturer;
    TW_STR32 ProductFamily;
    TW_STR32 ProductName;
};
#pragma pack(pop)

typedef WORD(WINAPI* DSMENTRYPROC)(TW_IDENTITY*, TW_IDENTITY*, DWORD, WORD, WORD, void*);

const DWORD DG_CONTROL = 0x0001;
const DWORD DG_IMAGE = 0x0002;
const WORD DAT_PARENT = 0x0004;
const WORD MSG_OPENDSM = 0x0301;
const WORD MSG_CLOSEDSM = 0x0302;
const WORD TWRC_SUCCESS = 0;
const WORD TWLG_ENGLISH_USA = 13;
const WORD TWCY_USA = 1;

void Copy(TW_STR32 target, const char* text)
{
    strncpy(target, text, sizeof(TW_STR32) - 1);
    target[sizeof(TW_STR32) - 1] = '\0';
}

}  // namespace

TWScanner::TWScanner()
    : m_bManagerLoaded(0), m_bManagerOpen(0), m_bSourceOpen(0), m_nState(1), m_hManager(NULL), m_pEntry(NULL),
      m_hWndOwner(NULL), m_pszImagePath(NULL)
{
    static_assert(offsetof(TWScanner, m_nState) == 12, "callers read the state as the fourth 32-bit field");
    static_assert(sizeof(TW_IDENTITY) <= sizeof(m_identity), "room for the identity");
    memset(m_identity, 0, sizeof(m_identity));
    TW_IDENTITY* identity = reinterpret_cast<TW_IDENTITY*>(m_identity);
    identity->Version.MajorNum = 1;
    identity->Version.MinorNum = 0;
    identity->Version.Language = TWLG_ENGLISH_USA;
    identity->Version.Country = TWCY_USA;
    Copy(identity->Version.Info, "1.0");
    identity->ProtocolMajor = 1;
    identity->ProtocolMinor = 9;
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
            ::FreeLibrary(m_hManager);
            m_hManager = NULL;
            return 0;
        }
        m_bManagerLoaded = 1;
        m_nState = 2;
    }
    m_hWndOwner = hWndOwner;
    DSMENTRYPROC entry = reinterpret_cast<DSMENTRYPROC>(reinterpret_cast<void*>(m_pEntry));
    HWND parent = hWndOwner;
    WORD rc = entry(reinterpret_cast<TW_IDENTITY*>(m_identity), NULL, DG_CONTROL, DAT_PARENT, MSG_OPENDSM, &parent);
    if (rc != TWRC_SUCCESS)
        return 0;
    m_bManagerOpen = 1;
    m_nState = 3;
    return 1;
}

int TWScanner::SelScanner()
{
    return 0;
}

int TWScanner::Setting()
{
    return 0;
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
    return 0;
}

BOOL TWScanner::ProcessMessage(MSG*)
{
    // Only an enabled source has messages to take, and none is opened here.
    return FALSE;
}

void TWScanner::Terminate()
{
    if (m_bManagerOpen) {
        DSMENTRYPROC entry = reinterpret_cast<DSMENTRYPROC>(reinterpret_cast<void*>(m_pEntry));
        HWND parent = m_hWndOwner;
        entry(reinterpret_cast<TW_IDENTITY*>(m_identity), NULL, DG_CONTROL, DAT_PARENT, MSG_CLOSEDSM, &parent);
        m_bManagerOpen = 0;
        // The manager gives a new id at the next open.
        reinterpret_cast<TW_IDENTITY*>(m_identity)->Id = 0;
    }
    if (m_bManagerLoaded) {
        ::FreeLibrary(m_hManager);
        m_hManager = NULL;
        m_pEntry = NULL;
        m_bManagerLoaded = 0;
    }
    m_nState = 1;
}

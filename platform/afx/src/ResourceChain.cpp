// The resource chain: the program and every loaded extension library, in
// the order they loaded, searched for a resource by its name and type.
#include "afxwin.h"

#include <mutex>

namespace {

struct Chain {
    std::mutex lock;
    CDynLinkLibrary* pFirst = nullptr;
    HINSTANCE hCurrentResource = nullptr;  // NULL: the program's
};

Chain& TheChain()
{
    static Chain* chain = new Chain;  // outlives libraries that leave during shutdown
    return *chain;
}

HINSTANCE LibraryModule()
{
    HMODULE hModule = nullptr;
    ::GetModuleHandleExA(GET_MODULE_HANDLE_EX_FLAG_FROM_ADDRESS |
                             GET_MODULE_HANDLE_EX_FLAG_UNCHANGED_REFCOUNT,
                         reinterpret_cast<LPCSTR>(&LibraryModule), &hModule);
    return hModule;
}

// The modules to search, in order, without repeats.
int SearchOrder(HINSTANCE* modules, int nMax)
{
    int n = 0;
    auto add = [&](HINSTANCE h) {
        if (h == nullptr || n >= nMax)
            return;
        for (int i = 0; i < n; ++i)
            if (modules[i] == h)
                return;
        modules[n++] = h;
    };
    Chain& chain = TheChain();
    std::lock_guard<std::mutex> guard(chain.lock);
    add(AfxGetResourceHandle());
    add(AfxGetInstanceHandle());
    for (CDynLinkLibrary* p = chain.pFirst; p != nullptr; p = p->m_pNextDLL)
        add(p->m_hResource);
    add(LibraryModule());
    return n;
}

// Whether the module's string table has a non-empty string nID (a block
// can exist without holding every string of its range).
BOOL HasString(HINSTANCE hModule, UINT nID)
{
    HRSRC hBlock = ::FindResourceA(hModule, MAKEINTRESOURCEA((nID >> 4) + 1), MAKEINTRESOURCEA(6));
    HGLOBAL hLoaded = hBlock == nullptr ? nullptr : ::LoadResource(hModule, hBlock);
    const WCHAR* p = hLoaded == nullptr ? nullptr : static_cast<const WCHAR*>(::LockResource(hLoaded));
    if (p == nullptr)
        return FALSE;
    const WCHAR* pEnd = reinterpret_cast<const WCHAR*>(reinterpret_cast<const BYTE*>(p) +
                                                       ::SizeofResource(hModule, hBlock));
    for (UINT i = 0; i < (nID & 15); ++i) {
        if (p >= pEnd)
            return FALSE;
        p += 1 + *p;
    }
    return p < pEnd && *p != 0;
}

}  // namespace

HINSTANCE AFXAPI AfxGetResourceHandle()
{
    HINSTANCE h = TheChain().hCurrentResource;
    return h != nullptr ? h : AfxGetInstanceHandle();
}

void AFXAPI AfxSetResourceHandle(HINSTANCE hInstResource)
{
    TheChain().hCurrentResource = hInstResource;
}

HINSTANCE AFXAPI AfxFindResourceHandle(LPCTSTR lpszName, LPCTSTR lpszType)
{
    HINSTANCE modules[64];
    int n = SearchOrder(modules, 64);
    for (int i = 0; i < n; ++i)
        if (::FindResourceA(modules[i], lpszName, lpszType) != nullptr)
            return modules[i];
    return AfxGetResourceHandle();
}

HINSTANCE AFXAPI AfxFindStringResourceHandle(UINT nID)
{
    HINSTANCE modules[64];
    int n = SearchOrder(modules, 64);
    for (int i = 0; i < n; ++i)
        if (HasString(modules[i], nID))
            return modules[i];
    return AfxGetResourceHandle();
}

// ---------------------------------------------------------------------------
// Extension libraries

IMPLEMENT_DYNAMIC(CDynLinkLibrary, CCmdTarget)

BOOL AFXAPI AfxInitExtensionModule(AFX_EXTENSION_MODULE& state, HMODULE hModule)
{
    if (state.bInitialized)
        return TRUE;
    state.hModule = hModule;
    state.hResource = hModule;
    state.pFirstSharedClass = nullptr;
    state.pFirstSharedFactory = nullptr;
    state.bInitialized = TRUE;
    return TRUE;
}

void AFXAPI AfxTermExtensionModule(AFX_EXTENSION_MODULE& state, BOOL bAll)
{
    (void)bAll;
    if (!state.bInitialized)
        return;
    // Collect first: deleting unlinks from the chain under its lock.
    for (;;) {
        CDynLinkLibrary* pFound = nullptr;
        {
            Chain& chain = TheChain();
            std::lock_guard<std::mutex> guard(chain.lock);
            for (CDynLinkLibrary* p = chain.pFirst; p != nullptr; p = p->m_pNextDLL)
                if (p->m_hModule == state.hModule) {
                    pFound = p;
                    break;
                }
        }
        if (pFound == nullptr)
            break;
        delete pFound;
    }
    if (TheChain().hCurrentResource == state.hResource)
        AfxSetResourceHandle(nullptr);  // never leave a dead module current
    state.bInitialized = FALSE;
}

namespace {
void Link(CDynLinkLibrary* pLibrary)
{
    Chain& chain = TheChain();
    std::lock_guard<std::mutex> guard(chain.lock);
    CDynLinkLibrary** ppLast = &chain.pFirst;
    while (*ppLast != nullptr)
        ppLast = &(*ppLast)->m_pNextDLL;
    *ppLast = pLibrary;  // load order
}
}  // namespace

CDynLinkLibrary::CDynLinkLibrary(AFX_EXTENSION_MODULE& state, BOOL bSystem)
    : m_hModule(state.hModule), m_hResource(state.hResource), m_bSystem(bSystem),
      m_pModule(&state), m_pNextDLL(nullptr)
{
    Link(this);
}

CDynLinkLibrary::CDynLinkLibrary(HINSTANCE hModule, HINSTANCE hResource)
    : m_hModule(hModule), m_hResource(hResource), m_bSystem(FALSE), m_pModule(nullptr),
      m_pNextDLL(nullptr)
{
    Link(this);
}

CDynLinkLibrary::~CDynLinkLibrary()
{
    Chain& chain = TheChain();
    std::lock_guard<std::mutex> guard(chain.lock);
    for (CDynLinkLibrary** pp = &chain.pFirst; *pp != nullptr; pp = &(*pp)->m_pNextDLL)
        if (*pp == this) {
            *pp = m_pNextDLL;
            break;
        }
}

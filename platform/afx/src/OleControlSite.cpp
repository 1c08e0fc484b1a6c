// The in-place site of a hosted OLE control: what the control asks of its
// container while it activates, sizes itself and goes away.
#include "OleControlSite.h"

COleControlSite::COleControlSite(HWND hWndContainer)
    : m_cRef(1), m_hWndContainer(hWndContainer), m_hWndControl(NULL), m_rect(),
      m_pObject(NULL), m_pInPlaceObject(NULL), m_pActiveObject(NULL), m_bInPlaceActive(FALSE)
{
}

COleControlSite::~COleControlSite()
{
    DestroyControl();
}

HRESULT COleControlSite::CreateControl(REFCLSID clsid, const RECT& rect)
{
    if (m_pObject != NULL)
        return E_UNEXPECTED;
    m_rect = rect;
    HRESULT hr = ::CoCreateInstance(clsid, NULL, CLSCTX_INPROC_SERVER,
                                    IID_IOleObject, (void**)&m_pObject);
    if (FAILED(hr)) {
        m_pObject = NULL;
        return hr;
    }

    // Controls that want the site before they are initialised say so.
    DWORD dwMisc = 0;
    m_pObject->GetMiscStatus(DVASPECT_CONTENT, &dwMisc);
    if (dwMisc & OLEMISC_SETCLIENTSITEFIRST)
        m_pObject->SetClientSite(this);

    IPersistStreamInit* pInit = NULL;
    if (SUCCEEDED(m_pObject->QueryInterface(IID_IPersistStreamInit, (void**)&pInit))) {
        pInit->InitNew();
        pInit->Release();
    }
    if (!(dwMisc & OLEMISC_SETCLIENTSITEFIRST))
        m_pObject->SetClientSite(this);

    hr = m_pObject->DoVerb(OLEIVERB_INPLACEACTIVATE, NULL, this, 0, m_hWndContainer, &m_rect);
    if (SUCCEEDED(hr) && m_pInPlaceObject == NULL)
        m_pObject->QueryInterface(IID_IOleInPlaceObject, (void**)&m_pInPlaceObject);
    if (m_pInPlaceObject != NULL && m_hWndControl == NULL)
        m_pInPlaceObject->GetWindow(&m_hWndControl);
    if (FAILED(hr) || m_hWndControl == NULL) {
        DestroyControl();
        return FAILED(hr) ? hr : E_FAIL;
    }
    MoveControl(m_rect);
    return S_OK;
}

void COleControlSite::MoveControl(const RECT& rect)
{
    m_rect = rect;
    if (m_pInPlaceObject != NULL)
        m_pInPlaceObject->SetObjectRects(&m_rect, &m_rect);
    else if (m_hWndControl != NULL)
        ::MoveWindow(m_hWndControl, rect.left, rect.top, rect.right - rect.left,
                     rect.bottom - rect.top, TRUE);
}

HRESULT COleControlSite::Advise(REFIID iid, IUnknown* pSink, DWORD* pdwCookie)
{
    *pdwCookie = 0;
    if (m_pObject == NULL)
        return E_UNEXPECTED;
    IConnectionPointContainer* pContainer = NULL;
    HRESULT hr = m_pObject->QueryInterface(IID_IConnectionPointContainer, (void**)&pContainer);
    if (FAILED(hr))
        return hr;
    IConnectionPoint* pPoint = NULL;
    hr = pContainer->FindConnectionPoint(iid, &pPoint);
    pContainer->Release();
    if (FAILED(hr))
        return hr;
    hr = pPoint->Advise(pSink, pdwCookie);
    pPoint->Release();
    return hr;
}

void COleControlSite::Unadvise(REFIID iid, DWORD dwCookie)
{
    if (m_pObject == NULL || dwCookie == 0)
        return;
    IConnectionPointContainer* pContainer = NULL;
    if (FAILED(m_pObject->QueryInterface(IID_IConnectionPointContainer, (void**)&pContainer)))
        return;
    IConnectionPoint* pPoint = NULL;
    if (SUCCEEDED(pContainer->FindConnectionPoint(iid, &pPoint))) {
        pPoint->Unadvise(dwCookie);
        pPoint->Release();
    }
    pContainer->Release();
}

BOOL COleControlSite::PreTranslateMessage(MSG* pMsg)
{
    if (m_pActiveObject == NULL)
        return FALSE;
    if (pMsg->message < WM_KEYFIRST || pMsg->message > WM_KEYLAST)
        return FALSE;
    // Only keys meant for the control's own windows.
    if (m_hWndControl == NULL ||
        (pMsg->hwnd != m_hWndControl && !::IsChild(m_hWndControl, pMsg->hwnd)))
        return FALSE;
    return m_pActiveObject->TranslateAccelerator(pMsg) == S_OK;
}

void COleControlSite::DestroyControl()
{
    // Keep ourselves alive while the control lets go of its references.
    AddRef();
    if (m_pActiveObject != NULL) {
        m_pActiveObject->Release();
        m_pActiveObject = NULL;
    }
    if (m_pInPlaceObject != NULL) {
        if (m_bInPlaceActive)
            m_pInPlaceObject->InPlaceDeactivate();
        m_pInPlaceObject->Release();
        m_pInPlaceObject = NULL;
    }
    if (m_pObject != NULL) {
        IOleObject* pObject = m_pObject;
        m_pObject = NULL;
        pObject->Close(OLECLOSE_NOSAVE);
        pObject->SetClientSite(NULL);
        pObject->Release();
    }
    m_hWndControl = NULL;
    // Not through Release: this may run from the destructor.
    ::InterlockedDecrement(&m_cRef);
}

// ---------------------------------------------------------------------------
// IUnknown

STDMETHODIMP COleControlSite::QueryInterface(REFIID riid, void** ppv)
{
    if (ppv == NULL)
        return E_POINTER;
    if (IsEqualIID(riid, IID_IUnknown) || IsEqualIID(riid, IID_IOleClientSite))
        *ppv = static_cast<IOleClientSite*>(this);
    else if (IsEqualIID(riid, IID_IOleWindow) || IsEqualIID(riid, IID_IOleInPlaceSite) ||
             IsEqualIID(riid, IID_IOleInPlaceSiteEx))
        *ppv = static_cast<IOleInPlaceSiteEx*>(this);
    else if (IsEqualIID(riid, IID_IOleInPlaceUIWindow) || IsEqualIID(riid, IID_IOleInPlaceFrame))
        *ppv = static_cast<IOleInPlaceFrame*>(this);
    else {
        *ppv = NULL;
        return E_NOINTERFACE;
    }
    AddRef();
    return S_OK;
}

STDMETHODIMP_(ULONG) COleControlSite::AddRef()
{
    return (ULONG)::InterlockedIncrement(&m_cRef);
}

STDMETHODIMP_(ULONG) COleControlSite::Release()
{
    LONG cRef = ::InterlockedDecrement(&m_cRef);
    if (cRef == 0)
        delete this;
    return (ULONG)cRef;
}

// ---------------------------------------------------------------------------
// IOleClientSite: the control is never saved or linked.

STDMETHODIMP COleControlSite::SaveObject()
{
    return E_NOTIMPL;
}

STDMETHODIMP COleControlSite::GetMoniker(DWORD, DWORD, IMoniker** ppmk)
{
    if (ppmk != NULL)
        *ppmk = NULL;
    return E_NOTIMPL;
}

STDMETHODIMP COleControlSite::GetContainer(IOleContainer** ppContainer)
{
    if (ppContainer != NULL)
        *ppContainer = NULL;
    return E_NOINTERFACE;
}

STDMETHODIMP COleControlSite::ShowObject()
{
    return S_OK;
}

STDMETHODIMP COleControlSite::OnShowWindow(BOOL)
{
    return S_OK;
}

STDMETHODIMP COleControlSite::RequestNewObjectLayout()
{
    return E_NOTIMPL;
}

// ---------------------------------------------------------------------------
// IOleWindow

STDMETHODIMP COleControlSite::GetWindow(HWND* phwnd)
{
    if (phwnd == NULL)
        return E_POINTER;
    *phwnd = m_hWndContainer;
    return S_OK;
}

STDMETHODIMP COleControlSite::ContextSensitiveHelp(BOOL)
{
    return E_NOTIMPL;
}

// ---------------------------------------------------------------------------
// IOleInPlaceSite(Ex)

STDMETHODIMP COleControlSite::CanInPlaceActivate()
{
    return S_OK;
}

STDMETHODIMP COleControlSite::OnInPlaceActivate()
{
    m_bInPlaceActive = TRUE;
    if (m_pInPlaceObject == NULL && m_pObject != NULL)
        m_pObject->QueryInterface(IID_IOleInPlaceObject, (void**)&m_pInPlaceObject);
    return S_OK;
}

STDMETHODIMP COleControlSite::OnUIActivate()
{
    return S_OK;
}

STDMETHODIMP COleControlSite::GetWindowContext(IOleInPlaceFrame** ppFrame,
                                               IOleInPlaceUIWindow** ppDoc, LPRECT lprcPosRect,
                                               LPRECT lprcClipRect,
                                               LPOLEINPLACEFRAMEINFO lpFrameInfo)
{
    if (ppFrame == NULL || ppDoc == NULL || lprcPosRect == NULL || lprcClipRect == NULL)
        return E_POINTER;
    *ppFrame = static_cast<IOleInPlaceFrame*>(this);
    AddRef();
    *ppDoc = NULL;
    *lprcPosRect = m_rect;
    *lprcClipRect = m_rect;
    if (lpFrameInfo != NULL) {
        lpFrameInfo->fMDIApp = FALSE;
        HWND hWndTop = ::GetAncestor(m_hWndContainer, GA_ROOT);
        lpFrameInfo->hwndFrame = hWndTop != NULL ? hWndTop : m_hWndContainer;
        lpFrameInfo->haccel = NULL;
        lpFrameInfo->cAccelEntries = 0;
    }
    return S_OK;
}

STDMETHODIMP COleControlSite::Scroll(SIZE)
{
    return S_FALSE;
}

STDMETHODIMP COleControlSite::OnUIDeactivate(BOOL)
{
    return S_OK;
}

STDMETHODIMP COleControlSite::OnInPlaceDeactivate()
{
    m_bInPlaceActive = FALSE;
    return S_OK;
}

STDMETHODIMP COleControlSite::DiscardUndoState()
{
    return S_OK;
}

STDMETHODIMP COleControlSite::DeactivateAndUndo()
{
    if (m_pInPlaceObject != NULL)
        m_pInPlaceObject->UIDeactivate();
    return S_OK;
}

STDMETHODIMP COleControlSite::OnPosRectChange(LPCRECT lprcPosRect)
{
    // The container decides the size: hold the control to its rectangle.
    if (lprcPosRect != NULL && m_pInPlaceObject != NULL)
        m_pInPlaceObject->SetObjectRects(&m_rect, &m_rect);
    return S_OK;
}

STDMETHODIMP COleControlSite::OnInPlaceActivateEx(BOOL* pfNoRedraw, DWORD)
{
    if (pfNoRedraw != NULL)
        *pfNoRedraw = FALSE;
    return OnInPlaceActivate();
}

STDMETHODIMP COleControlSite::OnInPlaceDeactivateEx(BOOL)
{
    return OnInPlaceDeactivate();
}

STDMETHODIMP COleControlSite::RequestUIActivate()
{
    return S_OK;
}

// ---------------------------------------------------------------------------
// IOleInPlaceUIWindow and IOleInPlaceFrame: no tool space and no menus to
// merge; the active object is kept for keyboard translation.

STDMETHODIMP COleControlSite::GetBorder(LPRECT lprectBorder)
{
    if (lprectBorder == NULL)
        return E_POINTER;
    return INPLACE_E_NOTOOLSPACE;
}

STDMETHODIMP COleControlSite::RequestBorderSpace(LPCBORDERWIDTHS)
{
    return INPLACE_E_NOTOOLSPACE;
}

STDMETHODIMP COleControlSite::SetBorderSpace(LPCBORDERWIDTHS pborderwidths)
{
    return pborderwidths == NULL ? S_OK : INPLACE_E_NOTOOLSPACE;
}

STDMETHODIMP COleControlSite::SetActiveObject(IOleInPlaceActiveObject* pActiveObject, LPCOLESTR)
{
    if (pActiveObject != NULL)
        pActiveObject->AddRef();
    if (m_pActiveObject != NULL)
        m_pActiveObject->Release();
    m_pActiveObject = pActiveObject;
    return S_OK;
}

STDMETHODIMP COleControlSite::InsertMenus(HMENU, LPOLEMENUGROUPWIDTHS)
{
    return E_NOTIMPL;
}

STDMETHODIMP COleControlSite::SetMenu(HMENU, HOLEMENU, HWND)
{
    return S_OK;
}

STDMETHODIMP COleControlSite::RemoveMenus(HMENU)
{
    return E_NOTIMPL;
}

STDMETHODIMP COleControlSite::SetStatusText(LPCOLESTR)
{
    return S_OK;
}

STDMETHODIMP COleControlSite::EnableModeless(BOOL)
{
    return S_OK;
}

STDMETHODIMP COleControlSite::TranslateAccelerator(LPMSG, WORD)
{
    return S_FALSE;
}

// The HTML view: the web browser control in place in a view, its navigation
// calls, its events turned into the view's overridables, and the helpers
// that call into a page through IDispatch.
#include "afxhtml.h"

#include <exdispid.h>
#include <shlobj.h>

#include "OleControlSite.h"

IMPLEMENT_DYNCREATE(CHtmlView, CFormView)

BEGIN_MESSAGE_MAP(CHtmlView, CFormView)
    ON_WM_SIZE()
    ON_WM_PAINT()
    ON_WM_DESTROY()
    ON_WM_SETFOCUS()
END_MESSAGE_MAP()

namespace {

// A BSTR of ANSI text (NULL for NULL).
BSTR AllocBstr(LPCTSTR lpsz)
{
    return lpsz == NULL ? NULL : CString(lpsz).AllocSysString();
}

// A VARIANT holding a BSTR of the text, or VT_EMPTY for NULL (the browser
// takes an empty VARIANT as "not given").
void InitTextVariant(VARIANT* pv, LPCTSTR lpsz)
{
    ::VariantInit(pv);
    if (lpsz != NULL) {
        V_VT(pv) = VT_BSTR;
        V_BSTR(pv) = AllocBstr(lpsz);
    }
}

// A one-dimensional safe array of bytes in a VARIANT; VT_EMPTY for none.
void InitBytesVariant(VARIANT* pv, const void* pData, DWORD cb)
{
    ::VariantInit(pv);
    if (pData == NULL)
        return;
    SAFEARRAY* psa = ::SafeArrayCreateVector(VT_UI1, 0, cb);
    if (psa == NULL)
        return;
    void* pDest = NULL;
    if (SUCCEEDED(::SafeArrayAccessData(psa, &pDest))) {
        memcpy(pDest, pData, cb);
        ::SafeArrayUnaccessData(psa);
    }
    V_VT(pv) = VT_ARRAY | VT_UI1;
    V_ARRAY(pv) = psa;
}

// What an event argument refers to: the browser passes most of them as
// references to VARIANTs.
const VARIANT* Deref(const VARIANT* pv)
{
    while (pv != NULL && V_VT(pv) == (VT_VARIANT | VT_BYREF))
        pv = V_VARIANTREF(pv);
    return pv;
}

CString VariantText(const VARIANT* pv)
{
    pv = Deref(pv);
    if (pv == NULL)
        return CString();
    VARIANT v;
    ::VariantInit(&v);
    CString str;
    if (SUCCEEDED(::VariantChangeType(&v, const_cast<VARIANT*>(pv), 0, VT_BSTR)) &&
        V_BSTR(&v) != NULL)
        str = CString((LPCWSTR)V_BSTR(&v));
    ::VariantClear(&v);
    return str;
}

DWORD VariantDword(const VARIANT* pv)
{
    pv = Deref(pv);
    if (pv == NULL)
        return 0;
    VARIANT v;
    ::VariantInit(&v);
    DWORD dw = 0;
    if (SUCCEEDED(::VariantChangeType(&v, const_cast<VARIANT*>(pv), 0, VT_UI4)))
        dw = V_UI4(&v);
    ::VariantClear(&v);
    return dw;
}

void VariantBytes(const VARIANT* pv, CByteArray& ba)
{
    pv = Deref(pv);
    if (pv == NULL)
        return;
    SAFEARRAY* psa = NULL;
    if (V_VT(pv) == (VT_ARRAY | VT_UI1))
        psa = V_ARRAY(pv);
    else if (V_VT(pv) == (VT_ARRAY | VT_UI1 | VT_BYREF) && V_ARRAYREF(pv) != NULL)
        psa = *V_ARRAYREF(pv);
    if (psa == NULL || ::SafeArrayGetDim(psa) != 1)
        return;
    LONG lLower = 0, lUpper = -1;
    ::SafeArrayGetLBound(psa, 1, &lLower);
    ::SafeArrayGetUBound(psa, 1, &lUpper);
    int nSize = (int)(lUpper - lLower + 1);
    void* pData = NULL;
    if (nSize <= 0 || FAILED(::SafeArrayAccessData(psa, &pData)))
        return;
    ba.SetSize(nSize);
    memcpy(ba.GetData(), pData, (size_t)nSize);
    ::SafeArrayUnaccessData(psa);
}

// Writes a by-reference VARIANT_BOOL argument (the events' Cancel).
void SetBoolRef(VARIANT* pv, BOOL bValue)
{
    if (pv != NULL && V_VT(pv) == (VT_BOOL | VT_BYREF) && V_BOOLREF(pv) != NULL)
        *V_BOOLREF(pv) = bValue ? VARIANT_TRUE : VARIANT_FALSE;
}

BOOL BoolRef(const VARIANT* pv)
{
    return pv != NULL && V_VT(pv) == (VT_BOOL | VT_BYREF) && V_BOOLREF(pv) != NULL &&
           *V_BOOLREF(pv) != VARIANT_FALSE;
}

}  // namespace

// ---------------------------------------------------------------------------
// The sink of the browser's DWebBrowserEvents2: each event becomes a call of
// the view's overridable, while the view is there.

class CHtmlEventSink final : public IDispatch {
public:
    explicit CHtmlEventSink(CHtmlView* pView) : m_cRef(1), m_pView(pView) {}

    void Disconnect() { m_pView = NULL; }

    STDMETHODIMP QueryInterface(REFIID riid, void** ppv) override
    {
        if (ppv == NULL)
            return E_POINTER;
        if (IsEqualIID(riid, IID_IUnknown) || IsEqualIID(riid, IID_IDispatch) ||
            IsEqualIID(riid, DIID_DWebBrowserEvents2)) {
            *ppv = static_cast<IDispatch*>(this);
            AddRef();
            return S_OK;
        }
        *ppv = NULL;
        return E_NOINTERFACE;
    }
    STDMETHODIMP_(ULONG) AddRef() override { return (ULONG)::InterlockedIncrement(&m_cRef); }
    STDMETHODIMP_(ULONG) Release() override
    {
        LONG cRef = ::InterlockedDecrement(&m_cRef);
        if (cRef == 0)
            delete this;
        return (ULONG)cRef;
    }
    STDMETHODIMP GetTypeInfoCount(UINT* pctinfo) override
    {
        if (pctinfo == NULL)
            return E_POINTER;
        *pctinfo = 0;
        return S_OK;
    }
    STDMETHODIMP GetTypeInfo(UINT, LCID, ITypeInfo** ppTInfo) override
    {
        if (ppTInfo != NULL)
            *ppTInfo = NULL;
        return E_NOTIMPL;
    }
    STDMETHODIMP GetIDsOfNames(REFIID, LPOLESTR*, UINT, LCID, DISPID*) override
    {
        return E_NOTIMPL;
    }
    STDMETHODIMP Invoke(DISPID dispIdMember, REFIID, LCID, WORD, DISPPARAMS* pParams, VARIANT*,
                        EXCEPINFO*, UINT*) override
    {
        if (m_pView == NULL || pParams == NULL)
            return S_OK;
        // An exception must not unwind into the browser: report it here.
        try {
            Dispatch(dispIdMember, pParams->rgvarg, pParams->cArgs);
        } catch (CException* e) {
            e->ReportError();
            e->Delete();
        } catch (...) {
            CException e(FALSE);
            e.ReportError();
        }
        return S_OK;
    }

private:
    ~CHtmlEventSink() {}

    // rgvarg holds the arguments last to first.
    void Dispatch(DISPID dispid, VARIANT* rgvarg, UINT cArgs)
    {
        CHtmlView* pView = m_pView;
        switch (dispid) {
        case DISPID_BEFORENAVIGATE2:
            // (pDisp, URL, Flags, TargetFrameName, PostData, Headers, Cancel)
            if (cArgs >= 7) {
                CByteArray baPostData;
                VariantBytes(&rgvarg[2], baPostData);
                BOOL bCancel = BoolRef(&rgvarg[0]);
                pView->OnBeforeNavigate2(VariantText(&rgvarg[5]), VariantDword(&rgvarg[4]),
                                         VariantText(&rgvarg[3]), baPostData,
                                         VariantText(&rgvarg[1]), &bCancel);
                SetBoolRef(&rgvarg[0], bCancel);
            }
            break;
        case DISPID_NAVIGATECOMPLETE2:  // (pDisp, URL)
            if (cArgs >= 2)
                pView->OnNavigateComplete2(VariantText(&rgvarg[0]));
            break;
        case DISPID_DOCUMENTCOMPLETE:  // (pDisp, URL)
            if (cArgs >= 2)
                pView->OnDocumentComplete(VariantText(&rgvarg[0]));
            break;
        case DISPID_NAVIGATEERROR:
            // (pDisp, URL, TargetFrameName, StatusCode, Cancel)
            if (cArgs >= 5) {
                BOOL bCancel = BoolRef(&rgvarg[0]);
                pView->OnNavigateError(VariantText(&rgvarg[3]), VariantText(&rgvarg[2]),
                                       VariantDword(&rgvarg[1]), &bCancel);
                SetBoolRef(&rgvarg[0], bCancel);
            }
            break;
        case DISPID_TITLECHANGE:  // (Text)
            if (cArgs >= 1)
                pView->OnTitleChange(VariantText(&rgvarg[0]));
            break;
        case DISPID_DOWNLOADBEGIN:
            pView->OnDownloadBegin();
            break;
        case DISPID_DOWNLOADCOMPLETE:
            pView->OnDownloadComplete();
            break;
        default:
            break;
        }
    }

    LONG m_cRef;
    CHtmlView* m_pView;
};

// ---------------------------------------------------------------------------
// Creation and destruction

CHtmlView::CHtmlView()
    : CFormView((LPCTSTR)NULL), m_pBrowserApp(NULL), m_pSite(NULL), m_pSink(NULL),
      m_dwSinkCookie(0)
{
}

CHtmlView::~CHtmlView()
{
    ReleaseBrowser();
}

BOOL CHtmlView::Create(LPCTSTR lpszClassName, LPCTSTR lpszWindowName, DWORD dwStyle,
                       const RECT& rect, CWnd* pParentWnd, UINT nID, CCreateContext* pContext)
{
    // A plain view window (there is no template): the form view's OnCreate
    // hands the context on.
    m_pCreateContext = pContext;
    BOOL bCreated = CView::Create(lpszClassName, lpszWindowName, dwStyle, rect, pParentWnd, nID,
                                  pContext);
    m_pCreateContext = NULL;
    if (!bCreated)
        return FALSE;

    CRect rectClient;
    GetClientRect(&rectClient);
    COleControlSite* pSite = new COleControlSite(m_hWnd);
    HRESULT hr = pSite->CreateControl(CLSID_WebBrowser, rectClient);
    IWebBrowser2* pBrowser = NULL;
    if (SUCCEEDED(hr))
        hr = pSite->GetControlUnknown()->QueryInterface(IID_IWebBrowser2, (void**)&pBrowser);
    if (FAILED(hr)) {
        // No browser: the view stays, empty, and says why in the debug output.
        TRACE("CHtmlView: the web browser control could not be made (0x%08lX).\n",
              (unsigned long)hr);
        pSite->DestroyControl();
        pSite->Release();
        return TRUE;
    }
    m_pSite = pSite;
    m_pBrowserApp = pBrowser;
    m_wndBrowser.Attach(pSite->GetControlWindow());
    m_wndBrowser.SetDlgCtrlID(AFX_IDW_PANE_FIRST);

    m_pSink = new CHtmlEventSink(this);
    if (FAILED(m_pSite->Advise(DIID_DWebBrowserEvents2, m_pSink, &m_dwSinkCookie)))
        m_dwSinkCookie = 0;

    // A page's own dialogs (script errors) would stop the program: the
    // browser keeps them to itself.
    m_pBrowserApp->put_Silent(VARIANT_TRUE);
    return TRUE;
}

void CHtmlView::ReleaseBrowser()
{
    if (m_pSink != NULL) {
        m_pSink->Disconnect();  // no event reaches a view being destroyed
        if (m_pSite != NULL)
            m_pSite->Unadvise(DIID_DWebBrowserEvents2, m_dwSinkCookie);
        m_dwSinkCookie = 0;
        m_pSink->Release();
        m_pSink = NULL;
    }
    if (m_pBrowserApp != NULL) {
        m_pBrowserApp->Release();
        m_pBrowserApp = NULL;
    }
    if (m_wndBrowser.m_hWnd != NULL)
        m_wndBrowser.Detach();
    if (m_pSite != NULL) {
        m_pSite->DestroyControl();
        m_pSite->Release();
        m_pSite = NULL;
    }
}

void CHtmlView::OnDestroy()
{
    // The browser goes while its window is still a child of ours.
    ReleaseBrowser();
    CFormView::OnDestroy();
}

// ---------------------------------------------------------------------------
// Window behaviour

void CHtmlView::OnSize(UINT nType, int cx, int cy)
{
    CFormView::OnSize(nType, cx, cy);
    if (m_pSite != NULL) {
        CRect rect(0, 0, cx, cy);
        m_pSite->MoveControl(rect);
    }
}

void CHtmlView::OnPaint()
{
    // The browser covers the view; without one there is nothing to draw.
    Default();
}

void CHtmlView::OnDraw(CDC*) {}

void CHtmlView::OnSetFocus(CWnd* pOldWnd)
{
    if (m_wndBrowser.m_hWnd != NULL && ::IsWindow(m_wndBrowser.m_hWnd)) {
        ::SetFocus(m_wndBrowser.m_hWnd);
        return;
    }
    CFormView::OnSetFocus(pOldWnd);
}

BOOL CHtmlView::PreTranslateMessage(MSG* pMsg)
{
    // Not the form's dialog keys: the page has its own tab order.
    if (CView::PreTranslateMessage(pMsg))
        return TRUE;
    for (CFrameWnd* pFrame = GetParentFrame(); pFrame != NULL; pFrame = pFrame->GetParentFrame()) {
        if (pFrame->PreTranslateMessage(pMsg))
            return TRUE;
    }
    return m_pSite != NULL && m_pSite->PreTranslateMessage(pMsg);
}

// ---------------------------------------------------------------------------
// Navigation

void CHtmlView::Navigate(LPCTSTR lpszURL, DWORD dwFlags, LPCTSTR lpszTargetFrameName,
                         LPCTSTR lpszHeaders, LPVOID lpvPostData, DWORD dwPostDataLen)
{
    if (m_pBrowserApp == NULL || lpszURL == NULL)
        return;
    if (lpvPostData != NULL && dwPostDataLen == 0)
        dwPostDataLen = (DWORD)lstrlenA((LPCSTR)lpvPostData);
    BSTR bstrURL = AllocBstr(lpszURL);
    VARIANT vFlags, vTarget, vPostData, vHeaders;
    ::VariantInit(&vFlags);
    V_VT(&vFlags) = VT_I4;
    V_I4(&vFlags) = (LONG)dwFlags;
    InitTextVariant(&vTarget, lpszTargetFrameName);
    InitBytesVariant(&vPostData, lpvPostData, dwPostDataLen);
    InitTextVariant(&vHeaders, lpszHeaders);
    m_pBrowserApp->Navigate(bstrURL, &vFlags, &vTarget, &vPostData, &vHeaders);
    ::SysFreeString(bstrURL);
    ::VariantClear(&vTarget);
    ::VariantClear(&vPostData);
    ::VariantClear(&vHeaders);
}

void CHtmlView::Navigate2(LPCTSTR lpszURL, DWORD dwFlags, LPCTSTR lpszTargetFrameName,
                          LPCTSTR lpszHeaders, LPVOID lpvPostData, DWORD dwPostDataLen)
{
    if (m_pBrowserApp == NULL || lpszURL == NULL)
        return;
    if (lpvPostData != NULL && dwPostDataLen == 0)
        dwPostDataLen = (DWORD)lstrlenA((LPCSTR)lpvPostData);
    VARIANT vURL, vFlags, vTarget, vPostData, vHeaders;
    InitTextVariant(&vURL, lpszURL);
    ::VariantInit(&vFlags);
    V_VT(&vFlags) = VT_I4;
    V_I4(&vFlags) = (LONG)dwFlags;
    InitTextVariant(&vTarget, lpszTargetFrameName);
    InitBytesVariant(&vPostData, lpvPostData, dwPostDataLen);
    InitTextVariant(&vHeaders, lpszHeaders);
    m_pBrowserApp->Navigate2(&vURL, &vFlags, &vTarget, &vPostData, &vHeaders);
    ::VariantClear(&vURL);
    ::VariantClear(&vTarget);
    ::VariantClear(&vPostData);
    ::VariantClear(&vHeaders);
}

void CHtmlView::Navigate2(LPITEMIDLIST pIDL, DWORD dwFlags, LPCTSTR lpszTargetFrameName)
{
    if (m_pBrowserApp == NULL || pIDL == NULL)
        return;
    // The browser takes an item id list as its bytes in a safe array.
    VARIANT vURL, vFlags, vTarget, vEmpty;
    InitBytesVariant(&vURL, pIDL, ::ILGetSize(pIDL));
    ::VariantInit(&vFlags);
    V_VT(&vFlags) = VT_I4;
    V_I4(&vFlags) = (LONG)dwFlags;
    InitTextVariant(&vTarget, lpszTargetFrameName);
    ::VariantInit(&vEmpty);
    m_pBrowserApp->Navigate2(&vURL, &vFlags, &vTarget, &vEmpty, &vEmpty);
    ::VariantClear(&vURL);
    ::VariantClear(&vTarget);
}

void CHtmlView::GoBack()
{
    if (m_pBrowserApp != NULL)
        m_pBrowserApp->GoBack();
}

void CHtmlView::GoForward()
{
    if (m_pBrowserApp != NULL)
        m_pBrowserApp->GoForward();
}

void CHtmlView::Refresh()
{
    if (m_pBrowserApp != NULL)
        m_pBrowserApp->Refresh();
}

void CHtmlView::Stop()
{
    if (m_pBrowserApp != NULL)
        m_pBrowserApp->Stop();
}

// ---------------------------------------------------------------------------
// State

LPDISPATCH CHtmlView::GetHtmlDocument() const
{
    LPDISPATCH pDisp = NULL;
    if (m_pBrowserApp == NULL || FAILED(m_pBrowserApp->get_Document(&pDisp)))
        return NULL;
    return pDisp;
}

CString CHtmlView::GetLocationURL() const
{
    CString str;
    BSTR bstr = NULL;
    if (m_pBrowserApp != NULL && SUCCEEDED(m_pBrowserApp->get_LocationURL(&bstr)) && bstr != NULL)
        str = CString((LPCWSTR)bstr);
    ::SysFreeString(bstr);
    return str;
}

CString CHtmlView::GetLocationName() const
{
    CString str;
    BSTR bstr = NULL;
    if (m_pBrowserApp != NULL && SUCCEEDED(m_pBrowserApp->get_LocationName(&bstr)) && bstr != NULL)
        str = CString((LPCWSTR)bstr);
    ::SysFreeString(bstr);
    return str;
}

BOOL CHtmlView::GetBusy() const
{
    VARIANT_BOOL bBusy = VARIANT_FALSE;
    if (m_pBrowserApp == NULL || FAILED(m_pBrowserApp->get_Busy(&bBusy)))
        return FALSE;
    return bBusy != VARIANT_FALSE;
}

// ---------------------------------------------------------------------------
// Events: nothing by default

void CHtmlView::OnBeforeNavigate2(LPCTSTR, DWORD, LPCTSTR, CByteArray&, LPCTSTR, BOOL*) {}
void CHtmlView::OnNavigateComplete2(LPCTSTR) {}
void CHtmlView::OnDocumentComplete(LPCTSTR) {}
void CHtmlView::OnNavigateError(LPCTSTR, LPCTSTR, DWORD, BOOL*) {}
void CHtmlView::OnTitleChange(LPCTSTR) {}
void CHtmlView::OnDownloadBegin() {}
void CHtmlView::OnDownloadComplete() {}

// ---------------------------------------------------------------------------
// Calls into a page through IDispatch

namespace {

HRESULT GetDispId(IDispatch* pDisp, LPCTSTR lpszName, DISPID* pDispId)
{
    BSTR bstrName = AllocBstr(lpszName);
    if (bstrName == NULL)
        return E_OUTOFMEMORY;
    LPOLESTR pszName = bstrName;
    HRESULT hr = pDisp->GetIDsOfNames(IID_NULL, &pszName, 1, LOCALE_USER_DEFAULT, pDispId);
    ::SysFreeString(bstrName);
    return hr;
}

HRESULT Invoke(IDispatch* pDisp, LPCTSTR lpszName, WORD wFlags, const VARIANT* pArgs, int nArgs,
               VARIANT* pvarResult, EXCEPINFO* pExcepInfo)
{
    if (pvarResult != NULL)
        ::VariantInit(pvarResult);
    if (pExcepInfo != NULL)
        memset(pExcepInfo, 0, sizeof *pExcepInfo);
    if (pDisp == NULL || lpszName == NULL || nArgs < 0 || (nArgs > 0 && pArgs == NULL))
        return E_INVALIDARG;
    DISPID dispid = DISPID_UNKNOWN;
    HRESULT hr = GetDispId(pDisp, lpszName, &dispid);
    if (FAILED(hr))
        return hr;

    // DISPPARAMS take the arguments last to first; they are only read.
    VARIANT* rgvarg = NULL;
    if (nArgs > 0) {
        rgvarg = new VARIANT[(size_t)nArgs];
        for (int i = 0; i < nArgs; i++)
            rgvarg[i] = pArgs[nArgs - 1 - i];
    }
    DISPPARAMS params = { rgvarg, NULL, (UINT)nArgs, 0 };
    EXCEPINFO excepInfo;
    memset(&excepInfo, 0, sizeof excepInfo);
    UINT uArgErr = 0;
    VARIANT varResult;
    ::VariantInit(&varResult);
    hr = pDisp->Invoke(dispid, IID_NULL, LOCALE_USER_DEFAULT, wFlags, &params, &varResult,
                       &excepInfo, &uArgErr);
    delete[] rgvarg;

    if (hr == DISP_E_EXCEPTION && excepInfo.pfnDeferredFillIn != NULL)
        excepInfo.pfnDeferredFillIn(&excepInfo);
    if (pExcepInfo != NULL) {
        *pExcepInfo = excepInfo;
    } else {
        ::SysFreeString(excepInfo.bstrSource);
        ::SysFreeString(excepInfo.bstrDescription);
        ::SysFreeString(excepInfo.bstrHelpFile);
    }
    if (pvarResult != NULL && SUCCEEDED(hr))
        *pvarResult = varResult;
    else
        ::VariantClear(&varResult);
    return hr;
}

}  // namespace

HRESULT AFXAPI AfxHtmlGetProperty(IDispatch* pDisp, LPCTSTR lpszName, VARIANT* pvarResult)
{
    return Invoke(pDisp, lpszName, DISPATCH_PROPERTYGET, NULL, 0, pvarResult, NULL);
}

HRESULT AFXAPI AfxHtmlCallMethod(IDispatch* pDisp, LPCTSTR lpszName, const VARIANT* pArgs,
                                 int nArgs, VARIANT* pvarResult, EXCEPINFO* pExcepInfo)
{
    return Invoke(pDisp, lpszName, DISPATCH_METHOD, pArgs, nArgs, pvarResult, pExcepInfo);
}

HRESULT AFXAPI AfxHtmlCallScript(IDispatch* pDocument, LPCTSTR lpszFunction,
                                 const VARIANT* pArgs, int nArgs, VARIANT* pvarResult,
                                 EXCEPINFO* pExcepInfo)
{
    if (pvarResult != NULL)
        ::VariantInit(pvarResult);
    if (pExcepInfo != NULL)
        memset(pExcepInfo, 0, sizeof *pExcepInfo);
    VARIANT varScript;
    HRESULT hr = AfxHtmlGetProperty(pDocument, "Script", &varScript);
    if (FAILED(hr))
        return hr;
    if (V_VT(&varScript) != VT_DISPATCH || V_DISPATCH(&varScript) == NULL) {
        ::VariantClear(&varScript);
        return DISP_E_TYPEMISMATCH;
    }
    hr = AfxHtmlCallMethod(V_DISPATCH(&varScript), lpszFunction, pArgs, nArgs, pvarResult,
                           pExcepInfo);
    ::VariantClear(&varScript);
    return hr;
}

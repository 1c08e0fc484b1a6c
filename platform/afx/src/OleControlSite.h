// The site that hosts one OLE control in place inside a window of ours: the
// client site, the in-place site and the in-place frame the control talks
// to. Enough for a control that activates in place and draws itself (the
// web browser); no ambient properties, menus or tool space.
#pragma once

#include <windows.h>
#include <ole2.h>
#include <ocidl.h>

class COleControlSite final : public IOleClientSite, public IOleInPlaceSiteEx, public IOleInPlaceFrame {
public:
    // hWndContainer: the window the control lives in. The site starts with
    // one reference, the caller's.
    explicit COleControlSite(HWND hWndContainer);

    // Makes the control and activates it in place over rect (client
    // coordinates of the container).
    HRESULT CreateControl(REFCLSID clsid, const RECT& rect);
    IUnknown* GetControlUnknown() const { return m_pObject; }  // no reference added
    HWND GetControlWindow() const { return m_hWndControl; }
    void MoveControl(const RECT& rect);
    // Connects pSink to the control's outgoing interface iid.
    HRESULT Advise(REFIID iid, IUnknown* pSink, DWORD* pdwCookie);
    void Unadvise(REFIID iid, DWORD dwCookie);
    // Gives a keyboard message to the control's active object first.
    BOOL PreTranslateMessage(MSG* pMsg);
    // Deactivates and closes the control and lets go of it; the site stays
    // until its last reference goes.
    void DestroyControl();

    // IUnknown
    STDMETHODIMP QueryInterface(REFIID riid, void** ppv) override;
    STDMETHODIMP_(ULONG) AddRef() override;
    STDMETHODIMP_(ULONG) Release() override;

    // IOleClientSite
    STDMETHODIMP SaveObject() override;
    STDMETHODIMP GetMoniker(DWORD dwAssign, DWORD dwWhichMoniker, IMoniker** ppmk) override;
    STDMETHODIMP GetContainer(IOleContainer** ppContainer) override;
    STDMETHODIMP ShowObject() override;
    STDMETHODIMP OnShowWindow(BOOL fShow) override;
    STDMETHODIMP RequestNewObjectLayout() override;

    // IOleWindow (shared by the in-place site and frame)
    STDMETHODIMP GetWindow(HWND* phwnd) override;
    STDMETHODIMP ContextSensitiveHelp(BOOL fEnterMode) override;

    // IOleInPlaceSite
    STDMETHODIMP CanInPlaceActivate() override;
    STDMETHODIMP OnInPlaceActivate() override;
    STDMETHODIMP OnUIActivate() override;
    STDMETHODIMP GetWindowContext(IOleInPlaceFrame** ppFrame, IOleInPlaceUIWindow** ppDoc,
                                  LPRECT lprcPosRect, LPRECT lprcClipRect,
                                  LPOLEINPLACEFRAMEINFO lpFrameInfo) override;
    STDMETHODIMP Scroll(SIZE scrollExtant) override;
    STDMETHODIMP OnUIDeactivate(BOOL fUndoable) override;
    STDMETHODIMP OnInPlaceDeactivate() override;
    STDMETHODIMP DiscardUndoState() override;
    STDMETHODIMP DeactivateAndUndo() override;
    STDMETHODIMP OnPosRectChange(LPCRECT lprcPosRect) override;

    // IOleInPlaceSiteEx
    STDMETHODIMP OnInPlaceActivateEx(BOOL* pfNoRedraw, DWORD dwFlags) override;
    STDMETHODIMP OnInPlaceDeactivateEx(BOOL fNoRedraw) override;
    STDMETHODIMP RequestUIActivate() override;

    // IOleInPlaceUIWindow
    STDMETHODIMP GetBorder(LPRECT lprectBorder) override;
    STDMETHODIMP RequestBorderSpace(LPCBORDERWIDTHS pborderwidths) override;
    STDMETHODIMP SetBorderSpace(LPCBORDERWIDTHS pborderwidths) override;
    STDMETHODIMP SetActiveObject(IOleInPlaceActiveObject* pActiveObject,
                                 LPCOLESTR pszObjName) override;

    // IOleInPlaceFrame
    STDMETHODIMP InsertMenus(HMENU hmenuShared, LPOLEMENUGROUPWIDTHS lpMenuWidths) override;
    STDMETHODIMP SetMenu(HMENU hmenuShared, HOLEMENU holemenu, HWND hwndActiveObject) override;
    STDMETHODIMP RemoveMenus(HMENU hmenuShared) override;
    STDMETHODIMP SetStatusText(LPCOLESTR pszStatusText) override;
    STDMETHODIMP EnableModeless(BOOL fEnable) override;
    STDMETHODIMP TranslateAccelerator(LPMSG lpmsg, WORD wID) override;

private:
    ~COleControlSite();
    COleControlSite(const COleControlSite&) = delete;
    COleControlSite& operator=(const COleControlSite&) = delete;

    LONG m_cRef;
    HWND m_hWndContainer;
    HWND m_hWndControl;
    RECT m_rect;
    IOleObject* m_pObject;
    IOleInPlaceObject* m_pInPlaceObject;
    IOleInPlaceActiveObject* m_pActiveObject;
    BOOL m_bInPlaceActive;
};

// A view that shows web pages: the web browser control hosted in place in a
// form view, with the browser's navigation events as overridables, and the
// helpers that reach a page's document and script through IDispatch.
#pragma once

#include "afxwin.h"
#include "afxdocview.h"

#include <ole2.h>
#include <shtypes.h>
#include <exdisp.h>

class CByteArray;
class COleControlSite;
class CHtmlEventSink;

class AFX_API CHtmlView : public CFormView {
    DECLARE_DYNCREATE(CHtmlView)

public:
    CHtmlView();
    virtual ~CHtmlView();

    // Makes the view window, then the browser inside it. When the browser
    // cannot be made (no COM on the thread, no browser registered) the view
    // stays, empty: every browser call below then does nothing and the
    // queries answer empty; m_pBrowserApp tells.
    virtual BOOL Create(LPCTSTR lpszClassName, LPCTSTR lpszWindowName, DWORD dwStyle,
                        const RECT& rect, CWnd* pParentWnd, UINT nID,
                        CCreateContext* pContext = NULL);

    // Navigation. dwFlags are the browser's navOpenInNewWindow ... flags;
    // post data of length 0 is taken as a NUL-terminated string.
    void Navigate(LPCTSTR lpszURL, DWORD dwFlags = 0, LPCTSTR lpszTargetFrameName = NULL,
                  LPCTSTR lpszHeaders = NULL, LPVOID lpvPostData = NULL, DWORD dwPostDataLen = 0);
    void Navigate2(LPCTSTR lpszURL, DWORD dwFlags = 0, LPCTSTR lpszTargetFrameName = NULL,
                   LPCTSTR lpszHeaders = NULL, LPVOID lpvPostData = NULL,
                   DWORD dwPostDataLen = 0);
    void Navigate2(LPITEMIDLIST pIDL, DWORD dwFlags = 0, LPCTSTR lpszTargetFrameName = NULL);
    void GoBack();
    void GoForward();
    void Refresh();
    void Stop();

    // State. GetHtmlDocument returns the document's IDispatch with a
    // reference the caller releases, or NULL when no document is loaded.
    LPDISPATCH GetHtmlDocument() const;
    CString GetLocationURL() const;
    CString GetLocationName() const;
    BOOL GetBusy() const;

    // The browser's events, for every frame of the page. The defaults do
    // nothing (OnBeforeNavigate2 lets the navigation go on).
    virtual void OnBeforeNavigate2(LPCTSTR lpszURL, DWORD nFlags, LPCTSTR lpszTargetFrameName,
                                   CByteArray& baPostedData, LPCTSTR lpszHeaders,
                                   BOOL* pbCancel);
    virtual void OnNavigateComplete2(LPCTSTR strURL);
    virtual void OnDocumentComplete(LPCTSTR lpszURL);
    virtual void OnNavigateError(LPCTSTR lpszURL, LPCTSTR lpszFrame, DWORD dwError,
                                 BOOL* pbCancel);
    virtual void OnTitleChange(LPCTSTR lpszText);
    virtual void OnDownloadBegin();
    virtual void OnDownloadComplete();

    virtual BOOL PreTranslateMessage(MSG* pMsg);

    CWnd m_wndBrowser;            // the browser's window, attached (not subclassed)
    IWebBrowser2* m_pBrowserApp;  // NULL without a browser

protected:
    virtual void OnDraw(CDC* pDC);  // the browser paints itself

    afx_msg void OnSize(UINT nType, int cx, int cy);
    afx_msg void OnPaint();
    afx_msg void OnDestroy();
    afx_msg void OnSetFocus(CWnd* pOldWnd);
    DECLARE_MESSAGE_MAP()

private:
    void ReleaseBrowser();

    COleControlSite* m_pSite;
    CHtmlEventSink* m_pSink;
    DWORD m_dwSinkCookie;

    friend class CHtmlEventSink;
};

// Script and document access through IDispatch, so that any scriptable
// object (a page's document, its window, a stand-in) serves. Names are in
// the ANSI code page and matched as the object matches them. Arguments are
// in their natural order. pvarResult may be NULL; otherwise it is
// initialised here and the caller clears it. On a failed call, *pExcepInfo
// (if given) holds what the object said; the caller frees its strings.
AFX_API HRESULT AFXAPI AfxHtmlGetProperty(IDispatch* pDisp, LPCTSTR lpszName,
                                          VARIANT* pvarResult);
AFX_API HRESULT AFXAPI AfxHtmlCallMethod(IDispatch* pDisp, LPCTSTR lpszName,
                                         const VARIANT* pArgs, int nArgs, VARIANT* pvarResult,
                                         EXCEPINFO* pExcepInfo = NULL);
// Calls a function of a document's script: the document's "Script" object
// (the page's window) is asked for the function by name.
AFX_API HRESULT AFXAPI AfxHtmlCallScript(IDispatch* pDocument, LPCTSTR lpszFunction,
                                         const VARIANT* pArgs, int nArgs, VARIANT* pvarResult,
                                         EXCEPINFO* pExcepInfo = NULL);

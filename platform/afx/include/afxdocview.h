// Documents and views: the document that holds the data, the views that
// show it inside frames, and the templates that make the three together.
#pragma once

#include "afxwnd.h"
#include "afxapp.h"
#include "afxframe.h"

class CView;
class CDocument;
class CDocTemplate;
class CListCtrl;
class CTreeCtrl;
class CArchive;
class CFile;
class CFileException;
struct CPrintInfo;

// What a frame needs to make its view and join a document, passed through
// window creation.
struct CCreateContext {
    CRuntimeClass* m_pNewViewClass;
    CDocument* m_pCurrentDoc;
    CDocTemplate* m_pNewDocTemplate;
    CView* m_pLastView;
    CFrameWnd* m_pCurrentFrame;

    CCreateContext()
        : m_pNewViewClass(NULL), m_pCurrentDoc(NULL), m_pNewDocTemplate(NULL),
          m_pLastView(NULL), m_pCurrentFrame(NULL)
    {
    }
};

// ---------------------------------------------------------------------------
// Documents

class AFX_API CDocument : public CCmdTarget {
    DECLARE_DYNAMIC(CDocument)

public:
    CDocument();
    virtual ~CDocument();

    const CString& GetTitle() const;
    virtual void SetTitle(LPCTSTR lpszTitle);
    const CString& GetPathName() const;
    virtual void SetPathName(LPCTSTR lpszPathName, BOOL bAddToMRU = TRUE);
    CDocTemplate* GetDocTemplate() const;
    virtual BOOL IsModified();
    virtual void SetModifiedFlag(BOOL bModified = TRUE);

    // Views
    virtual POSITION GetFirstViewPosition() const;
    virtual CView* GetNextView(POSITION& rPosition) const;
    void AddView(CView* pView);
    void RemoveView(CView* pView);
    void UpdateAllViews(CView* pSender, LPARAM lHint = 0L, CObject* pHint = NULL);
    // Numbers the frames of a document with several (":1", ":2").
    virtual void UpdateFrameCounts();

    // Life
    virtual void DeleteContents();
    virtual BOOL OnNewDocument();
    virtual BOOL OnOpenDocument(LPCTSTR lpszPathName);
    virtual BOOL OnSaveDocument(LPCTSTR lpszPathName);
    virtual void OnCloseDocument();
    // The last automation client let go: the document closes with its frames.
    virtual void OnFinalRelease();
    virtual void Serialize(CArchive& ar);
    virtual void ReportSaveLoadException(LPCTSTR lpszPathName, CException* e, BOOL bSaving,
                                         UINT nIDPDefault);
    virtual CFile* GetFile(LPCTSTR lpszFileName, UINT nOpenFlags, CFileException* pError);
    virtual void ReleaseFile(CFile* pFile, BOOL bAbort);

    // Closing: asks to save when modified; FALSE when the user cancelled.
    virtual BOOL CanCloseFrame(CFrameWnd* pFrame);
    virtual BOOL SaveModified();
    virtual void PreCloseFrame(CFrameWnd* pFrame);
    virtual void OnChangedViewList();
    virtual BOOL DoSave(LPCTSTR lpszPathName, BOOL bReplace = TRUE);
    virtual BOOL DoFileSave();

    virtual BOOL OnCmdMsg(UINT nID, int nCode, void* pExtra, AFX_CMDHANDLERINFO* pHandlerInfo);

    CString m_strTitle;
    CString m_strPathName;
    CDocTemplate* m_pDocTemplate;
    CPtrList m_viewList;
    BOOL m_bModified;
    BOOL m_bAutoDelete;  // deleted when its last view goes
    BOOL m_bEmbedded;

protected:
    afx_msg void OnFileClose();
    afx_msg void OnFileSave();
    afx_msg void OnFileSaveAs();
    DECLARE_MESSAGE_MAP()

    friend class CDocTemplate;
};

// ---------------------------------------------------------------------------
// Views

class AFX_API CView : public CWnd {
    DECLARE_DYNAMIC(CView)

protected:
    CView();

public:
    virtual ~CView();

    CDocument* GetDocument() const;

    virtual BOOL IsSelected(const CObject* pDocItem) const;
    virtual void OnInitialUpdate();
    virtual void OnPrepareDC(CDC* pDC, CPrintInfo* pInfo = NULL);
    virtual BOOL OnCmdMsg(UINT nID, int nCode, void* pExtra, AFX_CMDHANDLERINFO* pHandlerInfo);
    virtual BOOL PreCreateWindow(CREATESTRUCT& cs);
    virtual void CalcWindowRect(LPRECT lpClientRect, UINT nAdjustType = adjustBorder);
    virtual void PostNcDestroy();

    CDocument* m_pDocument;

protected:
    virtual void OnDraw(CDC* pDC) = 0;
    virtual void OnUpdate(CView* pSender, LPARAM lHint, CObject* pHint);
    virtual void OnActivateView(BOOL bActivate, CView* pActivateView, CView* pDeactiveView);
    virtual void OnActivateFrame(UINT nState, CFrameWnd* pFrameWnd);

    afx_msg int OnCreate(LPCREATESTRUCT lpcs);
    afx_msg void OnDestroy();
    afx_msg void OnPaint();
    afx_msg int OnMouseActivate(CWnd* pDesktopWnd, UINT nHitTest, UINT message);
    afx_msg LRESULT OnInitialUpdateMsg(WPARAM, LPARAM);
    DECLARE_MESSAGE_MAP()

    friend class CDocument;
    friend class CFrameWnd;
    friend class CMDIChildWnd;
};

class AFX_API CScrollView : public CView {
    DECLARE_DYNAMIC(CScrollView)

protected:
    CScrollView();

public:
    virtual ~CScrollView();

    static const SIZE sizeDefault;  // 0,0: a tenth (page) and a hundredth (line) of the total

    // Sizes in logical units of nMapMode (MM_TEXT, MM_LOMETRIC ...; not
    // MM_ISOTROPIC/MM_ANISOTROPIC).
    void SetScrollSizes(int nMapMode, SIZE sizeTotal, const SIZE& sizePage = sizeDefault,
                        const SIZE& sizeLine = sizeDefault);
    // The whole of sizeTotal is scaled into the window; no scroll bars.
    void SetScaleToFitSize(SIZE sizeTotal);

    CPoint GetScrollPosition() const;         // logical units
    CPoint GetDeviceScrollPosition() const;   // pixels
    CSize GetTotalSize() const { return m_totalLog; }
    void GetDeviceScrollSizes(int& nMapMode, SIZE& sizeTotal, SIZE& sizePage,
                              SIZE& sizeLine) const;
    void ScrollToPosition(POINT pt);          // logical units
    // Resizes the parent frame by what the view's client area (without
    // scroll bars) lacks or has beyond the total size; bShrinkOnly keeps
    // each side that is already smaller than the total. Nothing before the
    // scroll sizes are set.
    void ResizeParentToFit(BOOL bShrinkOnly = TRUE);

    virtual void OnPrepareDC(CDC* pDC, CPrintInfo* pInfo = NULL);
    virtual BOOL OnScroll(UINT nScrollCode, UINT nPos, BOOL bDoScroll = TRUE);
    virtual BOOL OnScrollBy(CSize sizeScroll, BOOL bDoScroll = TRUE);

protected:
    int m_nMapMode;
    CSize m_totalLog;
    CSize m_totalDev;
    CSize m_pageDev;
    CSize m_lineDev;
    BOOL m_bCenter;
    BOOL m_bInsideUpdate;

    void UpdateBars();
    BOOL GetTrueClientSize(CSize& size, CSize& sizeSb);
    void GetScrollBarSizes(CSize& sizeSb);
    void GetScrollBarState(CSize sizeClient, CSize& needSb, CSize& sizeRange, CPoint& ptMove,
                           BOOL bInsideClient);
    void ScrollToDevicePosition(POINT ptDev);

    afx_msg void OnSize(UINT nType, int cx, int cy);
    afx_msg void OnHScroll(UINT nSBCode, UINT nPos, CScrollBar* pScrollBar);
    afx_msg void OnVScroll(UINT nSBCode, UINT nPos, CScrollBar* pScrollBar);
    afx_msg BOOL OnMouseWheel(UINT nFlags, short zDelta, CPoint pt);
    DECLARE_MESSAGE_MAP()
};

// A view made from a dialog template: its controls, data exchange and
// dialog keyboard handling.
class AFX_API CFormView : public CScrollView {
    DECLARE_DYNAMIC(CFormView)

protected:
    explicit CFormView(LPCTSTR lpszTemplateName);
    explicit CFormView(UINT nIDTemplate);

public:
    virtual ~CFormView();

    virtual BOOL Create(LPCTSTR lpszClassName, LPCTSTR lpszWindowName, DWORD dwStyle,
                        const RECT& rect, CWnd* pParentWnd, UINT nID,
                        CCreateContext* pContext = NULL);
    virtual void OnInitialUpdate();
    virtual BOOL PreTranslateMessage(MSG* pMsg);

    LPCTSTR m_lpszTemplateName;

protected:
    CCreateContext* m_pCreateContext;
    HWND m_hWndFocus;  // the control that had the focus when the form lost it

    virtual void OnDraw(CDC* pDC);
    virtual void OnActivateView(BOOL bActivate, CView* pActivateView, CView* pDeactiveView);
    virtual void OnActivateFrame(UINT nState, CFrameWnd* pFrameWnd);
    BOOL SaveFocusControl();

    afx_msg int OnCreate(LPCREATESTRUCT lpcs);
    afx_msg void OnSetFocus(CWnd* pOldWnd);
    DECLARE_MESSAGE_MAP()
};

// A view that is a control of a given window class.
class AFX_API CCtrlView : public CView {
    DECLARE_DYNCREATE(CCtrlView)

public:
    CCtrlView(LPCTSTR lpszClass = NULL, DWORD dwStyle = 0);

    CString m_strClass;
    DWORD m_dwDefaultStyle;

    virtual BOOL PreCreateWindow(CREATESTRUCT& cs);

protected:
    virtual void OnDraw(CDC*);
    afx_msg void OnPaint();
    DECLARE_MESSAGE_MAP()
};

class AFX_API CListView : public CCtrlView {
    DECLARE_DYNCREATE(CListView)

public:
    CListView();
    CListCtrl& GetListCtrl() const;

protected:
    DECLARE_MESSAGE_MAP()
};

class AFX_API CTreeView : public CCtrlView {
    DECLARE_DYNCREATE(CTreeView)

public:
    CTreeView();
    CTreeCtrl& GetTreeCtrl() const;

protected:
    DECLARE_MESSAGE_MAP()
};

// ---------------------------------------------------------------------------
// Templates

class AFX_API CDocTemplate : public CCmdTarget {
    DECLARE_DYNAMIC(CDocTemplate)

protected:
    CDocTemplate(UINT nIDResource, CRuntimeClass* pDocClass, CRuntimeClass* pFrameClass,
                 CRuntimeClass* pViewClass);

public:
    virtual ~CDocTemplate();

    // Loads the document string (and the menu and accelerators of a
    // multiple-document template).
    virtual void LoadTemplate();

    virtual POSITION GetFirstDocPosition() const = 0;
    virtual CDocument* GetNextDoc(POSITION& rPos) const = 0;
    virtual void AddDocument(CDocument* pDoc);
    virtual void RemoveDocument(CDocument* pDoc);

    // The parts of the '\n'-separated string of the resource id.
    enum DocStringIndex {
        windowTitle,
        docName,
        fileNewName,
        filterName,
        filterExt,
        regFileTypeId,
        regFileTypeName
    };
    virtual BOOL GetDocString(CString& rString, enum DocStringIndex index) const;

    enum Confidence { noAttempt, maybeAttemptForeign, maybeAttemptNative, yesAttemptForeign,
                      yesAttemptNative, yesAlreadyOpen };
    virtual Confidence MatchDocType(LPCTSTR lpszPathName, CDocument*& rpDocMatch);

    virtual CDocument* CreateNewDocument();
    virtual CFrameWnd* CreateNewFrame(CDocument* pDoc, CFrameWnd* pOther);
    virtual void InitialUpdateFrame(CFrameWnd* pFrame, CDocument* pDoc, BOOL bMakeVisible = TRUE);
    virtual BOOL SaveAllModified();
    virtual void CloseAllDocuments(BOOL bEndSession);
    // NULL: a new document.
    virtual CDocument* OpenDocumentFile(LPCTSTR lpszPathName, BOOL bMakeVisible = TRUE) = 0;
    virtual void SetDefaultTitle(CDocument* pDocument) = 0;

    virtual BOOL OnCmdMsg(UINT nID, int nCode, void* pExtra, AFX_CMDHANDLERINFO* pHandlerInfo);

    UINT m_nIDResource;
    CRuntimeClass* m_pDocClass;
    CRuntimeClass* m_pFrameClass;
    CRuntimeClass* m_pViewClass;
    CString m_strDocStrings;
    BOOL m_bAutoDelete;  // the application deletes it
};

class AFX_API CMultiDocTemplate : public CDocTemplate {
    DECLARE_DYNAMIC(CMultiDocTemplate)

public:
    CMultiDocTemplate(UINT nIDResource, CRuntimeClass* pDocClass, CRuntimeClass* pFrameClass,
                      CRuntimeClass* pViewClass);
    virtual ~CMultiDocTemplate();

    virtual void LoadTemplate();
    virtual void AddDocument(CDocument* pDoc);
    virtual void RemoveDocument(CDocument* pDoc);
    virtual POSITION GetFirstDocPosition() const;
    virtual CDocument* GetNextDoc(POSITION& rPos) const;
    virtual CDocument* OpenDocumentFile(LPCTSTR lpszPathName, BOOL bMakeVisible = TRUE);
    virtual void SetDefaultTitle(CDocument* pDocument);

    HMENU m_hMenuShared;   // the menu of the template's child frames
    HACCEL m_hAccelTable;
    CPtrList m_docList;
    UINT m_nUntitledCount;  // numbers the untitled documents
};

class AFX_API CSingleDocTemplate : public CDocTemplate {
    DECLARE_DYNAMIC(CSingleDocTemplate)

public:
    CSingleDocTemplate(UINT nIDResource, CRuntimeClass* pDocClass, CRuntimeClass* pFrameClass,
                       CRuntimeClass* pViewClass);
    virtual ~CSingleDocTemplate();

    virtual void AddDocument(CDocument* pDoc);
    virtual void RemoveDocument(CDocument* pDoc);
    virtual POSITION GetFirstDocPosition() const;
    virtual CDocument* GetNextDoc(POSITION& rPos) const;
    virtual CDocument* OpenDocumentFile(LPCTSTR lpszPathName, BOOL bMakeVisible = TRUE);
    virtual void SetDefaultTitle(CDocument* pDocument);

    CDocument* m_pOnlyDoc;
};

// The application's templates, in the order they were added.
class AFX_API CDocManager : public CObject {
    DECLARE_DYNAMIC(CDocManager)

public:
    CDocManager();
    virtual ~CDocManager();

    virtual void AddDocTemplate(CDocTemplate* pTemplate);
    virtual POSITION GetFirstDocTemplatePosition() const;
    virtual CDocTemplate* GetNextDocTemplate(POSITION& pos) const;
    virtual CDocument* OpenDocumentFile(LPCTSTR lpszFileName);
    virtual BOOL SaveAllModified();
    virtual void CloseAllDocuments(BOOL bEndSession);
    virtual int GetOpenDocumentCount();
    virtual BOOL DoPromptFileName(CString& fileName, UINT nIDSTitle, DWORD lFlags,
                                  BOOL bOpenFileDialog, CDocTemplate* pTemplate);
    virtual void OnFileNew();
    virtual void OnFileOpen();

    CPtrList m_templateList;
};

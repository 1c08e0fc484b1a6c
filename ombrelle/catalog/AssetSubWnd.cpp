#include "AssetSubWnd.h"

#include "resource.h"

IMPLEMENT_DYNCREATE(CAssetSubWnd, CFrameWnd)

BEGIN_MESSAGE_MAP(CAssetSubWnd, CFrameWnd)
    ON_WM_CREATE()
END_MESSAGE_MAP()

CAssetSubWnd::CAssetSubWnd() {}

CAssetSubWnd::~CAssetSubWnd() {}

int CAssetSubWnd::OnCreate(LPCREATESTRUCT lpCreateStruct)
{
    return CFrameWnd::OnCreate(lpCreateStruct);
}

CAssetSubWnd* CAssetSubWnd::Open(CRuntimeClass* pViewClass, LPCTSTR lpszTitle, CDocument* pDocument)
{
    CCreateContext context;
    context.m_pNewViewClass = pViewClass;
    context.m_pCurrentDoc = pDocument;
    // A frame whose creation fails has deleted itself.
    CAssetSubWnd* pFrame = new CAssetSubWnd;
    if (!pFrame->Create(NULL, lpszTitle, WS_OVERLAPPEDWINDOW, CRect(0, 0, 800, 600), NULL, NULL, 0, &context))
        return NULL;
    ShowCataloguingFrame(pFrame, pDocument);
    return pFrame;
}

void ShowCataloguingFrame(CFrameWnd* pFrame, CDocument* pDocument)
{
    pFrame->InitialUpdateFrame(pDocument, TRUE);
    LPCSTR lpszIcon = MAKEINTRESOURCE(IDI_RECORD_WINDOW);
    const HICON hIcon = static_cast<HICON>(
        ::LoadImageA(AfxFindResourceHandle(lpszIcon, RT_GROUP_ICON), lpszIcon, IMAGE_ICON, 16, 16, LR_SHARED));
    pFrame->SendMessage(WM_SETICON, ICON_SMALL, reinterpret_cast<LPARAM>(hIcon));
    pFrame->ShowWindow(SW_SHOW);
    pFrame->CenterWindow();
}

#include "OmbrelleView.h"

#include <algorithm>

#include "MainFrame.h"
#include "OmbrelleApp.h"
#include "OmbrelleDoc.h"
#include "Rasterdock.h"

IMPLEMENT_DYNCREATE(COmbrelleView, CScrollView)

BEGIN_MESSAGE_MAP(COmbrelleView, CScrollView)
    ON_WM_LBUTTONDBLCLK()
END_MESSAGE_MAP()

COmbrelleView::COmbrelleView() {}

COmbrelleDoc* COmbrelleView::GetDocument() const { return static_cast<COmbrelleDoc*>(m_pDocument); }

void COmbrelleView::OnInitialUpdate()
{
    CScrollView::OnInitialUpdate();
    SetScrollSizes(MM_TEXT, CSize(100, 100));
}

CRect COmbrelleView::FitPicture(const CSize& sizeClient, const CSize& sizePicture)
{
    const int W = sizeClient.cx, H = sizeClient.cy;
    const int w = sizePicture.cx, h = sizePicture.cy;
    if (w <= 0 || h <= 0)
        return CRect(0, 0, 0, 0);
    if (w < W && h < H) {
        int nLeft = (W - w) / 2, nTop = (H - h) / 2;
        return CRect(nLeft, nTop, nLeft + w, nTop + h);
    }
    float fScale = std::min(static_cast<float>(W) / w, static_cast<float>(H) / h);
    fScale = std::max(fScale, 0.0f);
    int dw = static_cast<int>(w * fScale), dh = static_cast<int>(h * fScale);
    int nLeft = dw < W ? (W - dw) / 2 : 0;
    int nTop = dh < H ? (H - dh) / 2 : 0;
    return CRect(nLeft, nTop, nLeft + dw, nTop + dh);
}

int COmbrelleView::FitRect(CRect& rect)
{
    CRect rcClient;
    GetClientRect(&rcClient);
    const CImageIO* pImage = GetDocument()->m_pDisplayImage;
    CSize sizePicture = pImage != NULL ? CSize(pImage->m_nWidth, pImage->m_nHeight) : CSize(0, 0);
    rect = FitPicture(rcClient.Size(), sizePicture);
    return 1;
}

void COmbrelleView::OnDraw(CDC* pDC)
{
    COmbrelleDoc* pDoc = GetDocument();
    CString strPath = pDoc->GetCurrentPicturePath();
    if (strPath.IsEmpty())
        return;
    CRect rcClient;
    GetClientRect(&rcClient);
    // Cheap when nothing changed since the last paint: the document keeps
    // the decoded picture.
    if (!pDoc->LoadCurrentImage(strPath, rcClient))
        return;

    const CImageIO* pImage = pDoc->m_pDisplayImage;
    BITMAPINFOHEADER header = {};
    header.biSize = sizeof(header);
    header.biWidth = pImage->m_nWidth;
    header.biHeight = pImage->m_nHeight;
    header.biPlanes = 1;
    header.biBitCount = 24;
    header.biCompression = BI_RGB;
    header.biSizeImage = 0;
    header.biXPelsPerMeter = 72;
    header.biYPelsPerMeter = 72;

    HBITMAP hBitmap = ::CreateDIBitmap(pDC->GetSafeHdc(), &header, CBM_INIT, pDoc->m_pDisplayBits,
                                       reinterpret_cast<BITMAPINFO*>(&header), DIB_RGB_COLORS);
    if (hBitmap == NULL)
        return;
    CDC memDC;
    if (memDC.CreateCompatibleDC(pDC)) {
        HGDIOBJ hOld = ::SelectObject(memDC.GetSafeHdc(), hBitmap);
        CRect rcTarget;
        FitRect(rcTarget);
        pDC->SetStretchBltMode(COLORONCOLOR);
        pDC->StretchBlt(rcTarget.left, rcTarget.top, rcTarget.Width(), rcTarget.Height(), &memDC, 0, 0,
                        pImage->m_nWidth, pImage->m_nHeight, SRCCOPY);
        ::SelectObject(memDC.GetSafeHdc(), hOld);
        memDC.DeleteDC();
    }
    ::DeleteObject(hBitmap);
}

void COmbrelleView::OnLButtonDblClk(UINT nFlags, CPoint point)
{
    COmbrelleApp* pApp = static_cast<COmbrelleApp*>(AfxGetApp());
    if (pApp->m_nPictureRight == 0)
        return;
    CString strPath = GetDocument()->GetCurrentPicturePath();
    if (!strPath.IsEmpty()) {
        CMainFrame* pFrame = pApp->m_pMainFrame;
        if (pFrame != NULL && pFrame->m_wndToolBar.GetSafeHwnd() != NULL)
            pFrame->ShowControlBar(&pFrame->m_wndToolBar, FALSE, FALSE);
        // The image library's editor is the application's first template.
        POSITION pos = pApp->GetFirstDocTemplatePosition();
        if (pos != NULL)
            pApp->GetNextDocTemplate(pos)->OpenDocumentFile(strPath);
    }
    CScrollView::OnLButtonDblClk(nFlags, point);
}

void COmbrelleView::ClearCurrentPicture()
{
    COmbrelleDoc* pDoc = GetDocument();
    pDoc->FreeDisplayImage();
    pDoc->m_strOriginalName.Empty();
    Invalidate(TRUE);
}

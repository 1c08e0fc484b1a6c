#include "afxwin.h"

IMPLEMENT_DYNAMIC(CStatic, CWnd)

CStatic::CStatic() {}

CStatic::~CStatic()
{
    DestroyWindow();
}

BOOL CStatic::Create(LPCTSTR lpszText, DWORD dwStyle, const RECT& rect, CWnd* pParentWnd, UINT nID)
{
    return CWnd::Create(_T("STATIC"), lpszText, dwStyle, rect, pParentWnd, nID);
}

HICON CStatic::SetIcon(HICON hIcon)
{
    return (HICON)::SendMessage(m_hWnd, STM_SETICON, (WPARAM)hIcon, 0);
}

HICON CStatic::GetIcon() const
{
    return (HICON)::SendMessage(m_hWnd, STM_GETICON, 0, 0);
}

HBITMAP CStatic::SetBitmap(HBITMAP hBitmap)
{
    return (HBITMAP)::SendMessage(m_hWnd, STM_SETIMAGE, IMAGE_BITMAP, (LPARAM)hBitmap);
}

HBITMAP CStatic::GetBitmap() const
{
    return (HBITMAP)::SendMessage(m_hWnd, STM_GETIMAGE, IMAGE_BITMAP, 0);
}

HCURSOR CStatic::SetCursor(HCURSOR hCursor)
{
    return (HCURSOR)::SendMessage(m_hWnd, STM_SETIMAGE, IMAGE_CURSOR, (LPARAM)hCursor);
}

HENHMETAFILE CStatic::SetEnhMetaFile(HENHMETAFILE hMetaFile)
{
    return (HENHMETAFILE)::SendMessage(m_hWnd, STM_SETIMAGE, IMAGE_ENHMETAFILE, (LPARAM)hMetaFile);
}


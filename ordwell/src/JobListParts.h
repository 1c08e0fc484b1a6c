// What the job view and the job browser share: image lists, stock and
// thumbnail pictures of their list views, and the time text of their rows.
#pragma once

#include "afxcmn.h"
#include "afxwin.h"

// A new image list of nSide x nSide pictures; the caller deletes it.
CImageList* NewImageList(int nSide);
// Adds a bitmap resource found by name along the resource chain.
void AddStockBitmap(CImageList* pList, LPCTSTR lpszName);
// The run-time library's 24-character local time and its newline; empty for
// a time it cannot show.
CString TimeText(__time32_t tTime);
// The original's thumbnail from the job folder's "bitmaps" folder, checked
// before use and drawn into an nSide x nSide bitmap compatible with the
// window; null when there is none or it is no sound bitmap file.
HBITMAP LoadJobThumbnail(CWnd& window, const CString& strJobFolder, const CString& strPureName, int nSide);

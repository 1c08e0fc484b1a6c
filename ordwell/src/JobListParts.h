// What the job view and the job browser share: image lists, stock and
// thumbnail pictures of their list views, and the time text of their rows.
#pragma once

#include "afxcmn.h"
#include "afxwin.h"

#include <initializer_list>

#include "JobModel.h"
#include "ListCtrlEx.h"

// Makes a 32-pixel and a 16-pixel image list, owned by the caller, and
// attaches them to the list view as its large and small images.
void AttachImageLists(CListCtrlEx& list, CImageList*& pLarge, CImageList*& pSmall);
// The view mode box's item: 0 report, 1 icon, 2 small icon, 3 list view,
// applied to each list whose style differs.
void ApplyViewMode(int nMode, std::initializer_list<CListCtrlEx*> lists);
// The property sheet on the task and job (either may be null); what it
// holds goes back into them after IDOK.
void RunJobProperties(JCTask* pTask, JCJob* pJob);
// Adds a bitmap resource found by name along the resource chain.
void AddStockBitmap(CImageList* pList, LPCTSTR lpszName);
// The run-time library's 24-character local time and its newline; empty for
// a time it cannot show.
CString TimeText(__time32_t tTime);
// The original's thumbnail from the job folder's "bitmaps" folder, checked
// before use and drawn into an nSide x nSide bitmap compatible with the
// window; null when there is none or it is no sound bitmap file.
HBITMAP LoadJobThumbnail(CWnd& window, const CString& strJobFolder, const CString& strPureName, int nSide);

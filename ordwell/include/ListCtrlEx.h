// The list control of the job view and the information dialogs: columns
// sized to their headings, rows and cells in one call.
#pragma once

#include "afxcmn.h"

#include "OrdwellApi.h"

class ORDWELL_API CListCtrlEx : public CListCtrl {
public:
    CListCtrlEx();
    virtual ~CListCtrlEx();

    // A column as wide as its heading plus 15 pixels; with LVCF_SUBITEM in
    // the mask its sub-item is nSubItem, or nColumn when that is -1.
    int AddColumn(const char* lpszHeading, int nColumn, int nSubItem = -1,
                  int nMask = LVCF_FMT | LVCF_WIDTH | LVCF_TEXT | LVCF_SUBITEM, int nFormat = LVCFMT_LEFT);
    // Sub-item 0 inserts row nItem; another sets that cell. An image other
    // than -1 is set as well.
    int AddItem(int nItem, int nSubItem, const char* lpszText, int nImage = -1);
    // nWhich 0 the normal list, 1 the small one; gives back the one before.
    CImageList* SetImageList(CImageList* pImageList, int nWhich);
};

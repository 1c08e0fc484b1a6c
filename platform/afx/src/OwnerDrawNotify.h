// The owner-draw messages a parent reflects to a list or combo box, handed
// to the control's DrawItem, MeasureItem, CompareItem and DeleteItem.
#pragma once

#include "afxwin.h"

namespace afxinternal {

// TRUE when the message was an owner-draw one and the control took it.
template <class TControl>
BOOL DispatchOwnerDraw(TControl* pControl, UINT message, LPARAM lParam, LRESULT* pResult)
{
    LRESULT result = TRUE;
    switch (message) {
    case WM_DRAWITEM:
        pControl->DrawItem((LPDRAWITEMSTRUCT)lParam);
        break;
    case WM_MEASUREITEM:
        pControl->MeasureItem((LPMEASUREITEMSTRUCT)lParam);
        break;
    case WM_COMPAREITEM:
        result = pControl->CompareItem((LPCOMPAREITEMSTRUCT)lParam);
        break;
    case WM_DELETEITEM:
        pControl->DeleteItem((LPDELETEITEMSTRUCT)lParam);
        break;
    default:
        return FALSE;
    }
    if (pResult != NULL)
        *pResult = result;
    return TRUE;
}

}  // namespace afxinternal

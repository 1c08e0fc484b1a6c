#include "ListWidth.h"

void FitListWidth(CListBox& list)
{
    HWND hList = list.GetSafeHwnd();
    if (hList == NULL)
        return;
    HDC hdc = ::GetDC(hList);
    HGDIOBJ oldFont = ::SelectObject(hdc, reinterpret_cast<HFONT>(::SendMessageA(hList, WM_GETFONT, 0, 0)));
    int widest = 0;
    for (int i = 0; i < list.GetCount(); i++) {
        CString line;
        list.GetText(i, line);
        SIZE size = {};
        ::GetTextExtentPoint32A(hdc, line, line.GetLength(), &size);
        if (size.cx > widest)
            widest = size.cx;
    }
    ::SelectObject(hdc, oldFont);
    ::ReleaseDC(hList, hdc);
    // A little room after the text, as the selection frame needs.
    list.SetHorizontalExtent(widest + 4);
}

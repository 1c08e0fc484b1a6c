// The document's frame inside the main window.
#pragma once

#include "afxwin.h"

class CChildFrame : public CMDIChildWnd {
    DECLARE_DYNCREATE(CChildFrame)
};

#include "ChildFrame.h"

IMPLEMENT_DYNCREATE(CChildFrame, CMDIChildWnd)

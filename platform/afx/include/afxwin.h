// The window half of the class library: drawing, message maps, windows,
// the application and its resources, menus, dialogs, data exchange and the
// standard controls.
#pragma once

#include "afx.h"
#include "afxtypes.h"
#include "afxgdi.h"
#include "afxmsg.h"
#include "afxwnd.h"
#include "afxapp.h"
#include "afxmenu.h"
#include "afxdlg.h"
#include "afxdd.h"
#include "afxctrl.h"
#include "afxcmdline.h"
#include "afxframe.h"
#include "afxdocview.h"
#include "afxrecent.h"

// Extensions of the window classes: control bars, splitters, the rectangle
// tracker.
#pragma once

#include "afxwin.h"
#include "afxtracker.h"
#include "afxbars.h"
#include "afxsplit.h"

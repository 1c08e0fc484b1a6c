// Extensions of the window classes.
#pragma once

#include "afxwin.h"
#include "afxtracker.h"

// The running executable's full file name, and its folder with the trailing
// backslash, however long the path is.
#pragma once

#include "afxwin.h"

CString GetProgramFileName();
CString GetProgramFolder();

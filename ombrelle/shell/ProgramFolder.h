// The folder of the running executable, with its trailing backslash, however
// long the path is.
#pragma once

#include "afxwin.h"

CString GetProgramFolder();

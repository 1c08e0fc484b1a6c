// The class library's core: objects and run-time classes, exceptions,
// strings, time, files and archives.
#pragma once

#include "afxbase.h"
#include "afxstr.h"
#include "afxobj.h"
#include "afxexcept.h"
#include "afxtime.h"
#include "afxfile.h"
#include "afxarch.h"

// Automation: OLE exceptions and dates (the rest of automation comes with the
// OLE half of the class library).
#pragma once

#include "afx.h"
#include "afxoleexcept.h"
#include "afxoledate.h"

// Path pieces shared by the file classes (internal to the library).
#pragma once

#include "afx.h"

// The name without its extension (the part from its last '.'), walking whole
// characters.
CString AfxStripFileExtension(const CString& strName);

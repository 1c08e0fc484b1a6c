// Ids of the library's own strings that the window core shows
// (res/afxcore.rc).
#pragma once

#define AFX_IDP_INTERNAL_FAILURE 0xF108
#define AFX_IDP_COMMAND_FAILURE 0xF109

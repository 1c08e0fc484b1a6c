// Program-wide state of the back-end session, shared by every server client.
#pragma once

#include "afxwin.h"

// The chosen asset type's id as decimal text; "-9999999" while none is chosen.
extern CString CurrentCategoryId;
// The server user and password of the last log-in through the dialog; a
// forced log-in (after the server's session timed out) uses them silently.
extern CString RememberedUploadUser;
extern CString RememberedUploadPassword;

// The profile section and keys that keep the server user.
extern const char kUploadUserSection[];
extern const char kUploadUserNameKey[];
extern const char kUploadUserPassKey[];

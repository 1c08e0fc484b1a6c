// Folders that never belong to one job: deleting a job's folder removes
// every plain file in it, so a job must not live in one of these.
#pragma once

#include "afxwin.h"

// TRUE for an empty path and for the root of a drive or of a share, in any
// spelling that the system reads as one ("D:", "D:\", "D:\x\..", "\\srv\share",
// "\\?\D:\", "\\?\UNC\srv\share\"); a relative path is taken from the
// current folder.
BOOL IsRootOrEmptyFolder(const CString& strFolder);

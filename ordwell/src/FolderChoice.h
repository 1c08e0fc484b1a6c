// What Ordwell's dialogs share around folders: the folder chooser run with
// Ordwell's resources current, and the process's current folder.
#pragma once

#include "afxwin.h"

// Runs CChooseDir (open mode, flags 70) starting at strStart, with Ordwell's
// resources current and the previous resource handle put back whatever it
// returned. TRUE on IDOK, strChosen then holding the chosen folder.
BOOL ChooseFolder(const CString& strStart, CString& strChosen);
// The process's current folder, however long.
CString CurrentFolder();

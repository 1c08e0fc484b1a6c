// The task folder as the job dialogs see it: its task files and the files of
// the jobs that a task lists.
#pragma once

#include "afxwin.h"

#include <vector>

// The job manager's task folder; empty without a manager.
CString CurrentTaskFolder();
// Lists the task files of the task folder in the list box; tells the user
// and returns FALSE when the folder cannot be searched.
BOOL FillTaskList(CListBox& list);
// The names (without folder) of the entries of the folder that are no plain
// folder and end in exactly ".tsk". FALSE when the folder cannot be searched.
BOOL ListTaskFiles(const CString& strFolder, std::vector<CString>& names);
// A job's file: its folder, a backslash, the folder's last name and ".job".
CString JobFileOfFolder(const CString& strJobFolder);
// Deletes the plain files directly in the folder, then tries to remove it
// (which fails, as it should, when subfolders remain). FALSE, deleting
// nothing, when the path is no folder or is empty or a drive or share root.
BOOL DeleteJobFolder(const CString& strPath);

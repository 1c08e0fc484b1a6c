// Reading and writing task (".tsk") and job (".job") files.
#pragma once

#include "JobModel.h"

// Read the whole file and decode it; FALSE when the file cannot be opened
// or does not hold a well-formed archive, the object then being unchanged.
// The task or job file path is set from the argument on success.
ORDWELL_API BOOL ReadTaskFile(const CString& strPath, JCTask& task);
ORDWELL_API BOOL ReadJobFile(const CString& strPath, JCJob& job);
// Write the object through the class library's archive into a new file
// that replaces the path's file once it is written whole; FALSE, the
// previous file unchanged, when it cannot be created or written.
ORDWELL_API BOOL WriteTaskFile(const CString& strPath, JCTask& task);
ORDWELL_API BOOL WriteJobFile(const CString& strPath, JCJob& job);

// The dump and load workers: a job's files copied into one flat folder with
// a ".dmp" archive of the job whose references are bare file names, and the
// colour conversion tables beside it; and such a dump loaded back into a job
// folder. Both show the general library's progress dialog, stepped per file,
// whose cancel button asks "确实要取消?"; nothing already copied is removed.
#pragma once

#include "JobModel.h"

// Dumps the job into the existing target folder. FALSE when it ended as
// failed (the user told why, or cancelled).
BOOL DumpJobFiles(JCJob& job, const CString& strTarget, BOOL bOrigins, BOOL bOutputs);
// Loads the dump file into the job, whose job file names its folder. FALSE
// when it ended as failed.
BOOL LoadJobFiles(JCJob& job, const CString& strDumpFile);
// The last component of a path, cut at a backslash, slash or colon, so that
// a name read from a dump cannot lead out of the folder it is joined to.
CString BareName(const CString& strPath);

// The 64-bit measure of a job's files that the dump, its dialog and the
// information dialogs use; the exported GetJobSize and GetFileSize clamp it.
#pragma once

#include "JobModel.h"

// Length of the file in bytes, 0 when it cannot be opened.
ULONGLONG FileBytes(const CString& strPath);

struct JobBytes {
    ULONGLONG job;     // originals, pages and profiles
    ULONGLONG output;  // outputs
};
JobBytes MeasureJob(JCJob& job);

// Ordwell, the batch job library: the exported job functions. Every function
// but InitJobMainClass expects the job manager that InitJobMainClass made.
#pragma once

#include "afxwin.h"

#include "ColorModeDlg.h"
#include "CopyPSFile.h"
#include "DumpDlg.h"
#include "EditJobDlg.h"
#include "EditTaskDlg.h"
#include "InfoDlgs.h"
#include "JobBrowseDlg.h"
#include "PathSetDlg.h"

#include "JobFiles.h"
#include "JobInitFile.h"
#include "JobMain.h"
#include "JobModel.h"
#include "JobPropertySheet.h"
#include "JobSelectDlg.h"
#include "JobView.h"
#include "ListCtrlEx.h"
#include "OpenFileInJob.h"
#include "OrdwellApi.h"

// Start-up and shutdown.
ORDWELL_API void InitJobMainClass(char* lpszFolder = NULL);
ORDWELL_API void DeleteJobMainClass();
ORDWELL_API HINSTANCE SetOrdwellResourceHandle();
// 1 when the convert library loaded the tables (from the folder, or the
// system colour folder when it is null), else 0.
ORDWELL_API int LoadConvertTable(char* lpszFolder);

// Job commands. Sizes: JCJob::GetJobSize and GetFileSize keep their int
// results, clamped to 2,147,483,647; the dump, its dialog and the information
// dialogs measure the same files in 64 bits, so their figures above 2 GiB are
// exact.
ORDWELL_API void JCreateJob();
ORDWELL_API void JOpenJob();
ORDWELL_API JCJob* JSaveJob();
ORDWELL_API void JCloseJob();
ORDWELL_API int JEditJob();
ORDWELL_API void JEditTask();
ORDWELL_API int JDumpJob();
ORDWELL_API void JLoadJob();
ORDWELL_API int JDeleteCurJob();
ORDWELL_API void JShowJobStatus();
ORDWELL_API void JShowHarddiskInfo();
ORDWELL_API void JShowMemoryInfo();
ORDWELL_API void JCpyPSFile();
ORDWELL_API void JSelectColorMode();
ORDWELL_API int JOpenJobRecentFile(UINT nID);

// Paths and profiles.
ORDWELL_API void JSetTaskPath(const CString& strPath);
ORDWELL_API CString JGetTaskPath();
ORDWELL_API void JSetTempPath(const CString& strPath);
ORDWELL_API void JGetUserTempPath(CString& strPath);
ORDWELL_API void JGetUserPlugInPath(CString& strPath);
ORDWELL_API void JSetTaskPathFromIni();
ORDWELL_API void JWriteTaskPathToIni();
ORDWELL_API void JSetTempPathFromIni();
ORDWELL_API void JSetDefaultProfilesFromIni();
ORDWELL_API void JWriteDefaultProfilesToIni();
ORDWELL_API void JSetDefaultProfiles(const CString& strScan, const CString& strPrint, const CString& strDisplay);
ORDWELL_API void JGetDefaultProfiles(CString& strScan, CString& strPrint, CString& strDisplay);
ORDWELL_API CRecentFileList* JSetRecentFileList(CRecentFileList* pList);
ORDWELL_API CRecentFileList* JGetRecentFileList();
ORDWELL_API int JIsTaskOpen();
ORDWELL_API int JIsJobOpen();
ORDWELL_API JCTask* JGetCurTask();
ORDWELL_API JCJob* JGetCurJob();
ORDWELL_API CString JGetJobPath();
ORDWELL_API void GetJobNameForWinTitle(CString& strTitle);

// Files of the current job.
ORDWELL_API void AddImageToJob(const CString& strFile, DWORD dwUnused, int nNumber1, long lTime,
                               const CString& strDescription, const CString& strPage);
ORDWELL_API void AddPageToJob(const CString& strFile, int nNumber2, int nNumber1, long lTime,
                              const CString& strUnused, const CString& strDescription);
ORDWELL_API void AddOutputToJob(const CString& strFile, DWORD dwUnused, long lTime, const CString& strPage);
ORDWELL_API int JIsFileInJob(const char* lpszPath, CString& strJobName);
ORDWELL_API void JAddSaveAsNewNameToCurJob(const CString& strName);
ORDWELL_API const char* JGetSaveAsNewNameFormCurJob();

ORDWELL_API int IsFileExist(const CString& strPath);
ORDWELL_API void JCopyFailedMessage(const CString& strPath);

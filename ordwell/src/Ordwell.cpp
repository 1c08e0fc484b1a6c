// Library start-up and the exported job functions, which forward to the one
// job manager.
#include "Ordwell.h"

#include "Convert.h"
#include "General.h"
#include "JobText.h"
#include "resource.h"

static AFX_EXTENSION_MODULE g_ordwellModule = {};

extern "C" BOOL WINAPI DllMain(HINSTANCE hInstance, DWORD dwReason, LPVOID)
{
    if (dwReason == DLL_PROCESS_ATTACH) {
        if (!AfxInitExtensionModule(g_ordwellModule, hInstance))
            return FALSE;
        new CDynLinkLibrary(g_ordwellModule);
    } else if (dwReason == DLL_PROCESS_DETACH) {
        AfxTermExtensionModule(g_ordwellModule);
    }
    return TRUE;
}

static JCJobMain* Main() { return JCJobMain::Instance(); }

// ---------------------------------------------------------------------------
// Start-up and shutdown

static CString ExecutableFolder()
{
    CString path;
    DWORD size = MAX_PATH;
    for (;;) {
        DWORD n = ::GetModuleFileNameA(NULL, path.GetBuffer(size), size);
        path.ReleaseBuffer(n < size ? static_cast<int>(n) : 0);
        if (n < size)
            break;
        size *= 4;
    }
    int slash = LastBackslash(path);
    return slash >= 0 ? path.Left(slash) : path;
}

void InitJobMainClass(char* lpszFolder)
{
    JCJobMain::Install(new JCJobMain);
    CString folder = lpszFolder != NULL ? CString(lpszFolder) : ExecutableFolder();
    GenSetProgramFolder(folder);
    // A job handed over from an earlier manager keeps its own tables.
    CString jobFolder = Main()->GetJobPath();
    if (!LoadConvertTable(Main()->m_pCurJob != NULL ? jobFolder.GetBuffer(0) : NULL))
        AfxMessageBox(IDS_CONVERT_LOAD_FAILED, MB_OK);
    CvtSetProgramFolder(GenGetProgramFolder());
}

void DeleteJobMainClass() { JCJobMain::Uninstall(); }

HINSTANCE SetOrdwellResourceHandle()
{
    HINSTANCE previous = AfxGetResourceHandle();
    AfxSetResourceHandle(static_cast<HINSTANCE>(g_ordwellModule.hResource));
    return previous;
}

int LoadConvertTable(char* lpszFolder)
{
    CONVERT_PARAMS params;
    params.lReserved[0] = 0;
    params.lReserved[1] = 0;
    params.lReserved[6] = 0;
    params.lReserved[7] = 0;
    params.pszTableFolder = lpszFolder;
    params.pszProgramFolder = GenGetProgramFolder();
    int result = 0;
    int loaded = CvtLoadInputTables(CVT_COMMAND_LOAD, &params, &result);
    result = 0;
    // Both halves are loaded even when the first failed, so that the second
    // set of tables is current too.
    int loadedOutput = CvtLoadOutputTables(CVT_COMMAND_LOAD, &params, &result);
    return loaded != 0 && loadedOutput != 0 ? 1 : 0;
}

// ---------------------------------------------------------------------------
// Job commands. Those whose work runs a dialog do nothing until it exists.

void JCreateJob() { Main()->JCreateJob(); }
void JOpenJob() { Main()->JOpenJob(); }
JCJob* JSaveJob() { return Main()->JSaveJob(); }
void JCloseJob() { Main()->JCloseJob(); }
int JEditJob() { return Main()->JEditJob(); }
void JEditTask() { Main()->JEditTask(); }
int JDumpJob() { return Main()->JDumpJob(); }
void JLoadJob() { Main()->JLoadJob(); }
int JDeleteCurJob() { return Main()->JDeleteCurJob(); }
void JShowJobStatus() { Main()->JShowJobStatus(); }
void JShowHarddiskInfo()
{
    JCHarddiskInfoDlg dialog(NULL);
    dialog.DoModal();
}

void JShowMemoryInfo()
{
    JCMemoryInfoDlg dialog(NULL);
    dialog.DoModal();
}

// The copy dialog lists the current job's files: without a job it is not run.
void JCpyPSFile()
{
    if (Main()->m_pCurJob == NULL) {
        AfxMessageBox(IDS_NO_OPEN_JOB, MB_OK);
        return;
    }
    HINSTANCE previous = SetOrdwellResourceHandle();
    JCopyPSFile dialog(NULL);
    dialog.DoModal();
    AfxSetResourceHandle(previous);
}
int JOpenJobRecentFile(UINT nID) { return Main()->JOpenJobRecentFile(nID); }

// ---------------------------------------------------------------------------
// Paths and profiles

void JSetTaskPath(const CString& strPath) { Main()->m_strTaskPath = strPath; }
CString JGetTaskPath() { return Main()->m_strTaskPath; }
void JSetTempPath(const CString& strPath) { Main()->m_strTempPath = strPath; }
void JGetUserTempPath(CString& strPath) { strPath = Main()->m_strTempPath; }
void JGetUserPlugInPath(CString& strPath) { strPath = Main()->m_strPlugInPath; }

void JSetTaskPathFromIni()
{
    CJobInitFile ini;
    ini.GetInitFileItem(IDS_INI_SECTION_PATH, IDS_INI_KEY_TASK, Main()->m_strTaskPath, 256);
}

void JWriteTaskPathToIni()
{
    CJobInitFile ini;
    ini.SetInitFileItem(IDS_INI_SECTION_PATH, IDS_INI_KEY_TASK, Main()->m_strTaskPath, 0);
}

void JSetTempPathFromIni()
{
    CJobInitFile ini;
    ini.GetInitFileItem(IDS_INI_SECTION_PATH, IDS_INI_KEY_TEMP, Main()->m_strTempPath, 256);
    ini.GetInitFileItem(IDS_INI_SECTION_PATH, IDS_INI_KEY_PLUGIN, Main()->m_strPlugInPath, 256);
}

void JSetDefaultProfilesFromIni()
{
    CJobInitFile ini;
    ini.GetInitFileItem(IDS_INI_SECTION_PROFILES, IDS_INI_KEY_SCAN, Main()->m_strScanProfile, 256);
    ini.GetInitFileItem(IDS_INI_SECTION_PROFILES, IDS_INI_KEY_PRINT, Main()->m_strPrintProfile, 256);
    ini.GetInitFileItem(IDS_INI_SECTION_PROFILES, IDS_INI_KEY_DISPLAY, Main()->m_strDisplayProfile, 256);
}

void JWriteDefaultProfilesToIni()
{
    CJobInitFile ini;
    ini.SetInitFileItem(IDS_INI_SECTION_PROFILES, IDS_INI_KEY_SCAN, Main()->m_strScanProfile, 0);
    ini.SetInitFileItem(IDS_INI_SECTION_PROFILES, IDS_INI_KEY_PRINT, Main()->m_strPrintProfile, 0);
    ini.SetInitFileItem(IDS_INI_SECTION_PROFILES, IDS_INI_KEY_DISPLAY, Main()->m_strDisplayProfile, 0);
}

void JSetDefaultProfiles(const CString& strScan, const CString& strPrint, const CString& strDisplay)
{
    Main()->m_strScanProfile = strScan;
    Main()->m_strPrintProfile = strPrint;
    Main()->m_strDisplayProfile = strDisplay;
}

void JGetDefaultProfiles(CString& strScan, CString& strPrint, CString& strDisplay)
{
    Main()->JGetDefaultProfiles(strScan, strPrint, strDisplay);
}

CRecentFileList* JSetRecentFileList(CRecentFileList* pList)
{
    if (Main()->m_pRecentFileList != pList)
        delete Main()->m_pRecentFileList;
    Main()->m_pRecentFileList = pList;
    return pList;
}

CRecentFileList* JGetRecentFileList() { return Main()->m_pRecentFileList; }
int JIsTaskOpen() { return Main()->m_pCurTask != NULL ? 1 : 0; }
int JIsJobOpen() { return Main()->m_pCurJob != NULL ? 1 : 0; }
JCTask* JGetCurTask() { return Main()->m_pCurTask; }
JCJob* JGetCurJob() { return Main() != NULL ? Main()->m_pCurJob : NULL; }
CString JGetJobPath() { return Main()->GetJobPath(); }

void GetJobNameForWinTitle(CString& strTitle)
{
    if (Main()->m_pCurJob != NULL)
        strTitle += Main()->GetJobReference();
}

// ---------------------------------------------------------------------------
// Files of the current job

static void UpdateActiveChildTitle()
{
    CWnd* pMain = AfxGetMainWnd();
    if (pMain == NULL || !pMain->IsKindOf(RUNTIME_CLASS(CMDIFrameWnd)))
        return;
    CMDIChildWnd* pChild = static_cast<CMDIFrameWnd*>(pMain)->MDIGetActive();
    if (pChild != NULL)
        pChild->OnUpdateFrameTitle(TRUE);
}

void AddImageToJob(const CString& strFile, DWORD, int nNumber1, long lTime, const CString& strDescription,
                   const CString& strPage)
{
    JCJob* pJob = Main()->m_pCurJob;
    CString jobName;
    if (pJob == NULL || JIsFileInJob(strFile, jobName))
        return;
    JCOrigin* pOrigin = new JCOrigin;
    pOrigin->m_strFile = strFile;
    pOrigin->m_nFileType = JCJobMain::FileTypeCode(strFile);
    pOrigin->m_nNumber1 = nNumber1;
    pOrigin->m_nNumber2 = 0;
    pOrigin->m_tTime = static_cast<__time32_t>(lTime);
    pOrigin->m_strDescription = strDescription;
    pOrigin->m_strPage = strPage;
    if (!pJob->JAddOrigin(pOrigin))
        delete pOrigin;
    UpdateActiveChildTitle();
}

void AddPageToJob(const CString& strFile, int nNumber2, int nNumber1, long lTime, const CString&,
                  const CString& strDescription)
{
    JCJob* pJob = Main()->m_pCurJob;
    if (pJob == NULL)
        return;
    JCPage* pPage = new JCPage;
    pPage->m_strFile = strFile;
    pPage->m_nNumber2 = nNumber2;
    pPage->m_nNumber1 = nNumber1;
    pPage->m_tTime = static_cast<__time32_t>(lTime);
    pPage->m_strDescription = strDescription;
    if (!pJob->JAddPage(pPage))
        delete pPage;
}

void AddOutputToJob(const CString& strFile, DWORD, long lTime, const CString& strPage)
{
    JCJob* pJob = Main()->m_pCurJob;
    if (pJob == NULL)
        return;
    JCOutput* pOutput = new JCOutput;
    pOutput->m_strFile = strFile;
    pOutput->m_nFileType = JCJobMain::FileTypeCode(strFile);
    pOutput->m_tTime = static_cast<__time32_t>(lTime);
    pOutput->m_strPage = strPage;
    if (!pJob->JAddOutput(pOutput))
        delete pOutput;
}

int JIsFileInJob(const char* lpszPath, CString& strJobName)
{
    JCJob* pJob = Main()->m_pCurJob;
    if (pJob == NULL)
        return 0;
    strJobName = JCFileName(pJob->m_strJobFile).GetPureName();
    int dot = strJobName.ReverseFind('.');
    if (dot >= 0)
        strJobName = strJobName.Left(dot);
    CString path(lpszPath);
    for (POSITION pos = pJob->m_lstPage.GetHeadPosition(); pos != NULL;)
        if (SameTextNoCase(static_cast<JCPage*>(pJob->m_lstPage.GetNext(pos))->m_strFile, path))
            return 1;
    for (POSITION pos = pJob->m_lstOrigin.GetHeadPosition(); pos != NULL;)
        if (SameTextNoCase(static_cast<JCOrigin*>(pJob->m_lstOrigin.GetNext(pos))->m_strFile, path))
            return 1;
    for (POSITION pos = pJob->m_lstOutput.GetHeadPosition(); pos != NULL;)
        if (SameTextNoCase(static_cast<JCOutput*>(pJob->m_lstOutput.GetNext(pos))->m_strFile, path))
            return 1;
    return 0;
}

void JAddSaveAsNewNameToCurJob(const CString& strName) { Main()->m_pCurJob->JAddNewDocName(strName); }
const char* JGetSaveAsNewNameFormCurJob() { return Main()->m_pCurJob->JGetNewDocName(); }

int IsFileExist(const CString& strPath)
{
    CFileStatus status;
    return CFile::GetStatus(strPath, status) ? 1 : 0;
}

void JCopyFailedMessage(const CString& strPath)
{
    CString message;
    message.LoadString(IDS_COPY_NOT_FOUND);
    AfxMessageBox(strPath + message, MB_OK);
}

// The image editor host: the host library's frame with Ordwell's job
// manager started and its exports called from the job menu, showing what
// they did.
#include "afxwin.h"
#include "afxdlgs.h"

#include <string>

#include "ChooseDir.h"
#include "General.h"
#include "HostFrame.h"
#include "InkfoldDlg.h"
#include "Ordwell.h"
#include "resource.h"

namespace {

class CJobFrame : public CHostFrame {
public:
    afx_msg void OnJobCreate() { JCreateJob(); ShowState("创建作业"); }
    afx_msg void OnJobOpen() { JOpenJob(); ShowState("打开作业"); }
    afx_msg void OnJobEdit() { JEditJob(); ShowState("编辑作业"); }
    afx_msg void OnTaskEdit() { JEditTask(); ShowState("编辑任务"); }
    afx_msg void OnJobSave() { JSaveJob(); ShowState("保存作业"); }
    afx_msg void OnJobClose() { JCloseJob(); ShowState("关闭作业"); }
    afx_msg void OnJobDelete() { JDeleteCurJob(); ShowState("删除作业"); }
    afx_msg void OnColorMode() { JSelectColorMode(); ShowState("颜色模式"); }
    afx_msg void OnPathsFromIni()
    {
        JSetTaskPathFromIni();
        JSetTempPathFromIni();
        JSetDefaultProfilesFromIni();
        ShowState("从 Job.ini 读取路径");
    }
    afx_msg void OnAddImage()
    {
        CFileDialog dialog(TRUE);
        if (dialog.DoModal() == IDOK)
            AddImageToJob(dialog.GetPathName(), 0, 0, static_cast<long>(time(NULL)), "", "None");
        ShowState("加入图像");
    }
    // As the client's picture settings page does: Ordwell's resources are
    // current while the chooser is made.
    afx_msg void OnChooseDir()
    {
        char folder[MAX_PATH] = "";
        ::GetCurrentDirectoryA(MAX_PATH, folder);
        HINSTANCE previous = SetOrdwellResourceHandle();
        CChooseDir chooser(TRUE, folder, NULL, NULL, 70, NULL, NULL);
        int result = chooser.DoModal();
        AfxSetResourceHandle(previous);
        if (result == IDOK)
            AfxMessageBox("选择的路径: " + chooser.m_strChosenDir, MB_OK | MB_ICONINFORMATION);
    }
    // Runs Inkfold's separation dialog on a table folder the user picks; the
    // colour files come from the program folder's "..\color".
    afx_msg void OnSeparation()
    {
        std::string table = std::string(GenGetProgramFolder()) + "\\..\\color";
        HINSTANCE previous = SetOrdwellResourceHandle();
        CChooseDir chooser(TRUE, table.c_str(), NULL, NULL, 70, NULL, NULL);
        int chosen = chooser.DoModal();
        AfxSetResourceHandle(previous);
        if (chosen != IDOK)
            return;
        table = static_cast<LPCTSTR>(chooser.m_strChosenDir);
        std::string work = GenGetProgramFolder();
        CInkfoldDlg dialog(this, &table[0], &work[0]);
        if (dialog.DoModal() == IDOK)
            AfxMessageBox(("分色表已写入: " + table + "\\dto.cvt").c_str(), MB_OK | MB_ICONINFORMATION);
    }
    afx_msg void OnStatus()
    {
        JShowJobStatus();
        ShowState("作业状态");
    }
    // The dialog needs a current job: without one the host does not open it.
    afx_msg void OnOpenFromJob()
    {
        if (JGetCurJob() == NULL) {
            ShowState("从作业打开");
            return;
        }
        JOpenFileInJob dialog(this);
        if (dialog.DoModal() == IDOK)
            AfxMessageBox("打开文件: " + dialog.m_strFileName, MB_OK | MB_ICONINFORMATION);
    }
    afx_msg void OnDump() { JDumpJob(); ShowState("转储作业"); }
    afx_msg void OnLoad() { JLoadJob(); ShowState("装入作业"); }
    afx_msg void OnCopyOutput() { JCpyPSFile(); }
    afx_msg void OnHarddiskInfo() { JShowHarddiskInfo(); }
    afx_msg void OnMemoryInfo() { JShowMemoryInfo(); }
    // The host keeps the folders the dialog hands back: the task and temp
    // folders in the manager and Job.ini; the plug-in folder takes effect
    // when the host starts again.
    afx_msg void OnPathSet()
    {
        CPathSetDlg dialog(this);
        dialog.m_strTaskPath = JGetTaskPath();
        JGetUserTempPath(dialog.m_strTempPath);
        JGetUserPlugInPath(dialog.m_strPlugInPath);
        if (dialog.DoModal() != IDOK)
            return;
        JSetTaskPath(dialog.m_strTaskPath);
        JSetTempPath(dialog.m_strTempPath);
        JWriteTaskPathToIni();
        ShowState("路径设置 (插件目录: " + dialog.m_strPlugInPath + ")");
    }
    afx_msg void OnTempPathSet()
    {
        CPathSetDlg2 dialog(this);
        JGetUserTempPath(dialog.m_strTempPath);
        if (dialog.DoModal() != IDOK)
            return;
        JSetTempPath(dialog.m_strTempPath);
        ShowState("临时文件路径");
    }
    afx_msg void OnDiskSelect()
    {
        JCDiskSelectDlg dialog(this);
        if (dialog.DoModal() == IDOK)
            AfxMessageBox("磁盘: " + dialog.m_strDisk + "\n名称: " + dialog.m_strDiskName, MB_OK | MB_ICONINFORMATION);
    }
    // As the job view: on the current task and job, which it does not own.
    afx_msg void OnBrowse()
    {
        if (JGetCurJob() == NULL) {
            ShowState("作业浏览");
            return;
        }
        JCJobBrowseDlg dialog(this);
        dialog.m_pTask = JGetCurTask();
        dialog.m_pJob = JGetCurJob();
        dialog.DoModal();
    }
    afx_msg void OnRecent(UINT nID)
    {
        JOpenJobRecentFile(nID);
        ShowState("最近的作业");
    }
    afx_msg void OnUpdateRecent(CCmdUI* pCmdUI)
    {
        if (JGetRecentFileList() != NULL)
            JGetRecentFileList()->UpdateMenu(pCmdUI);
    }

    DECLARE_MESSAGE_MAP()

private:
    void ShowState(const char* what)
    {
        CString temp, plugIn, scan, print, display;
        JGetUserTempPath(temp);
        JGetUserPlugInPath(plugIn);
        JGetDefaultProfiles(scan, print, display);
        CString state;
        state.Format("%s\n\n程序目录: %s\n任务目录: %s\n临时目录: %s\n插件目录: %s\n配置文件: %s | %s | %s\n", what,
                     GenGetProgramFolder(), (LPCTSTR)JGetTaskPath(), (LPCTSTR)temp, (LPCTSTR)plugIn,
                     (LPCTSTR)scan, (LPCTSTR)print, (LPCTSTR)display);
        JCJob* pJob = JGetCurJob();
        if (pJob == NULL) {
            state += "没有打开的作业";
        } else {
            CString job;
            job.Format("作业: %s\n页面 %d, 原稿 %d, 输出 %d", (LPCTSTR)pJob->m_strJobFile,
                       pJob->JGetPageList()->GetCount(), pJob->JGetOriginList()->GetCount(),
                       pJob->JGetOutputList()->GetCount());
            state += job;
        }
        AfxMessageBox(state, MB_OK | MB_ICONINFORMATION);
    }
};

BEGIN_MESSAGE_MAP(CJobFrame, CHostFrame)
    ON_COMMAND(ID_JOB_CREATE, OnJobCreate)
    ON_COMMAND(ID_JOB_OPEN, OnJobOpen)
    ON_COMMAND(ID_JOB_EDIT, OnJobEdit)
    ON_COMMAND(ID_JOB_EDIT_TASK, OnTaskEdit)
    ON_COMMAND(ID_JOB_SAVE, OnJobSave)
    ON_COMMAND(ID_JOB_CLOSE, OnJobClose)
    ON_COMMAND(ID_JOB_DELETE, OnJobDelete)
    ON_COMMAND(ID_JOB_COLOR_MODE, OnColorMode)
    ON_COMMAND(ID_JOB_PATHS_FROM_INI, OnPathsFromIni)
    ON_COMMAND(ID_JOB_ADD_IMAGE, OnAddImage)
    ON_COMMAND(ID_JOB_CHOOSE_DIR, OnChooseDir)
    ON_COMMAND(ID_JOB_SEPARATION, OnSeparation)
    ON_COMMAND(ID_JOB_STATUS, OnStatus)
    ON_COMMAND(ID_JOB_OPEN_FROM_JOB, OnOpenFromJob)
    ON_COMMAND(ID_JOB_DUMP, OnDump)
    ON_COMMAND(ID_JOB_LOAD, OnLoad)
    ON_COMMAND(ID_JOB_COPY_OUTPUT, OnCopyOutput)
    ON_COMMAND(ID_JOB_HARDDISK_INFO, OnHarddiskInfo)
    ON_COMMAND(ID_JOB_MEMORY_INFO, OnMemoryInfo)
    ON_COMMAND(ID_JOB_PATH_SET, OnPathSet)
    ON_COMMAND(ID_JOB_TEMP_PATH_SET, OnTempPathSet)
    ON_COMMAND(ID_JOB_DISK_SELECT, OnDiskSelect)
    ON_COMMAND(ID_JOB_BROWSE, OnBrowse)
    ON_COMMAND_RANGE(ID_JOB_MRU_FIRST, ID_JOB_MRU_LAST, OnRecent)
    ON_UPDATE_COMMAND_UI(ID_JOB_MRU_FIRST, OnUpdateRecent)
END_MESSAGE_MAP()

class CHostApp : public CWinApp {
public:
    CHostApp() : CWinApp("作业主机")
    {
        GenStartup();
        InitJobMainClass(NULL);
    }
    ~CHostApp()
    {
        DeleteJobMainClass();
        GenShutdown();
    }

    BOOL InitInstance() override
    {
        SetRegistryKey("Ombrelle");
        CRecentFileList* pList = new CRecentFileList(ID_JOB_MRU_FIRST, "Recent Job List", "Job%d", 4);
        pList->ReadList();
        JSetRecentFileList(pList);
        JSetTaskPathFromIni();
        JSetTempPathFromIni();
        JSetDefaultProfilesFromIni();

        CJobFrame* pFrame = new CJobFrame;
        if (!pFrame->LoadFrame(IDR_EDHOST)) {
            delete pFrame;
            return FALSE;
        }
        m_pMainWnd = pFrame;
        pFrame->ShowWindow(m_nCmdShow);
        pFrame->UpdateWindow();
        return TRUE;
    }
};

CHostApp theApp;

}  // namespace

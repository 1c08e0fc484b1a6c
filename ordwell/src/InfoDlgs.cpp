#include "InfoDlgs.h"

#include "JobFiles.h"
#include "JobMeasure.h"
#include "Ordwell.h"
#include "SizeText.h"
#include "TaskFolder.h"
#include "resource.h"

// ---------------------------------------------------------------------------
// 硬盘信息

JCHarddiskInfoDlg::JCHarddiskInfoDlg(CWnd* pParent) : CDialog(IDD_HARDDISK_INFO, pParent) {}

JCHarddiskInfoDlg::~JCHarddiskInfoDlg() {}

void JCHarddiskInfoDlg::DoDataExchange(CDataExchange* pDX)
{
    CDialog::DoDataExchange(pDX);
    DDX_Control(pDX, IDC_INFO_TASKS, m_treeTasks);
    DDX_Control(pDX, IDC_INFO_DRIVES, m_listDrives);
}

BOOL JCHarddiskInfoDlg::OnInitDialog()
{
    CDialog::OnInitDialog();
    FillTasks();
    FillDrives();
    return TRUE;
}

void JCHarddiskInfoDlg::FillTasks()
{
    const CString folder = JGetTaskPath();
    // Without a task folder there is nothing to list (not the drive's root).
    if (folder.IsEmpty())
        return;
    WIN32_FIND_DATAA found;
    HANDLE find = ::FindFirstFileA(folder + "\\*.tsk", &found);
    if (find == INVALID_HANDLE_VALUE)
        return;
    do {
        HTREEITEM hTask = m_treeTasks.InsertItem(found.cFileName, TVI_ROOT, TVI_SORT);
        JCTask task;
        // A file that is no task of ours is listed without jobs.
        if (!ReadTaskFile(folder + "\\" + found.cFileName, task))
            continue;
        for (POSITION pos = task.m_lstJob.GetHeadPosition(); pos != NULL;) {
            const CString entry = static_cast<JCFileName*>(task.m_lstJob.GetNext(pos))->m_strPath;
            JCJob job;
            ULONGLONG bytes = 0;
            if (ReadJobFile(JobFileOfFolder(entry), job)) {
                JobBytes measured = MeasureJob(job);
                bytes = measured.job + measured.output;
            }
            m_treeTasks.InsertItem(entry + " : " + jobsize::MegabyteText(bytes).c_str(), hTask, TVI_SORT);
        }
    } while (::FindNextFileA(find, &found));
    ::FindClose(find);
}

void JCHarddiskInfoDlg::FillDrives()
{
    static const struct {
        UINT nHeadingID;
        int nWidth;
    } kColumns[] = {{IDS_COLUMN_DRIVE, 120}, {IDS_COLUMN_CAPACITY, 160}, {IDS_COLUMN_FREE, 160}};
    for (int i = 0; i < 3; i++) {
        CString heading;
        heading.LoadString(kColumns[i].nHeadingID);
        m_listDrives.InsertColumn(i, heading, LVCFMT_LEFT, kColumns[i].nWidth, i);
    }
    int nRow = 0;
    for (char letter = 'A'; letter <= 'Z'; letter++) {
        const char root[] = {letter, ':', '\\', '\0'};
        if (::GetDriveTypeA(root) != DRIVE_FIXED)
            continue;
        ULARGE_INTEGER available, total, free;
        const BOOL bQueried = ::GetDiskFreeSpaceExA(root, &available, &total, &free);
        m_listDrives.AddItem(nRow, 0, root);
        m_listDrives.AddItem(nRow, 1, bQueried ? jobsize::DriveMegabyteText(total.QuadPart).c_str() : "?");
        m_listDrives.AddItem(nRow, 2, bQueried ? jobsize::DriveMegabyteText(free.QuadPart).c_str() : "?");
        nRow++;
    }
}

// ---------------------------------------------------------------------------
// 内存信息

JCMemoryInfoDlg::JCMemoryInfoDlg(CWnd* pParent) : CDialog(IDD_MEMORY_INFO, pParent), m_nAvailable(0) {}

JCMemoryInfoDlg::~JCMemoryInfoDlg() {}

void JCMemoryInfoDlg::DoDataExchange(CDataExchange* pDX)
{
    CDialog::DoDataExchange(pDX);
    DDX_Control(pDX, IDC_MEMORY_TOTAL, m_staticTotal);
    DDX_Control(pDX, IDC_MEMORY_AVAILABLE, m_staticAvailable);
}

BOOL JCMemoryInfoDlg::OnInitDialog()
{
    CDialog::OnInitDialog();
    MEMORYSTATUSEX status = {};
    status.dwLength = sizeof status;
    if (::GlobalMemoryStatusEx(&status)) {
        m_staticTotal.SetWindowText(jobsize::KilobyteText(status.ullTotalPhys).c_str());
        m_staticAvailable.SetWindowText(jobsize::KilobyteText(status.ullAvailPhys).c_str());
        m_nAvailable = status.ullAvailPhys;
    }
    return TRUE;
}

// ---------------------------------------------------------------------------
// 磁盘选择

JCDiskSelectDlg::JCDiskSelectDlg(CWnd* pParent) : CDialog(IDD_DISK_SELECT, pParent) {}

JCDiskSelectDlg::~JCDiskSelectDlg() {}

void JCDiskSelectDlg::DoDataExchange(CDataExchange* pDX)
{
    CDialog::DoDataExchange(pDX);
    DDX_LBString(pDX, IDC_DISK_LIST, m_strDisk);
    DDX_Text(pDX, IDC_DISK_NAME, m_strDiskName);
}

BOOL JCDiskSelectDlg::OnInitDialog()
{
    SendDlgItemMessage(IDC_DISK_LIST, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>("aaa"));
    return CDialog::OnInitDialog();
}

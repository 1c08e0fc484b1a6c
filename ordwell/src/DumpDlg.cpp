#include "DumpDlg.h"

#include "FolderChoice.h"
#include "SizeText.h"
#include "resource.h"

namespace {

void ShowSize(CEdit& edit, ULONGLONG bytes) { edit.SetWindowText(jobsize::SizeText(bytes).c_str()); }

}  // namespace

BEGIN_MESSAGE_MAP(JCDumpDlg, CDialog)
    ON_BN_CLICKED(IDC_DUMP_BROWSE, OnBtDumpBrowse)
    ON_BN_CLICKED(IDC_DUMP_ORIGIN, OnCheckDumpOrigin)
    ON_BN_CLICKED(IDC_DUMP_OUTPUT, OnCheckDumpOutput)
    ON_BN_CLICKED(IDC_DUMP_UPDATE, OnBtDumpUpdate)
    ON_EN_CHANGE(IDC_DUMP_PATH, OnChangeEditDumpPath)
END_MESSAGE_MAP()

JCDumpDlg::JCDumpDlg(CWnd* pParent)
    : CDialog(IDD_DUMP_JOB, pParent),
      m_bDeleteOriginal(0),
      m_bDumpOrigin(1),
      m_bDumpOutput(0),
      m_nDiskFree(0),
      m_nDiskTotal(0),
      m_nOriginSize(0),
      m_nOutputSize(0),
      m_nDumpSize(0)
{
}

JCDumpDlg::~JCDumpDlg() {}

void JCDumpDlg::DoDataExchange(CDataExchange* pDX)
{
    CDialog::DoDataExchange(pDX);
    DDX_Control(pDX, IDC_DUMP_OUTPUT, m_btnOutput);
    DDX_Control(pDX, IDC_DUMP_ORIGIN, m_btnOrigin);
    DDX_Control(pDX, IDC_DUMP_TOTAL, m_editTotal);
    DDX_Control(pDX, IDC_DUMP_OUTPUT_SIZE, m_editOutputSize);
    DDX_Control(pDX, IDC_DUMP_ORIGIN_SIZE, m_editOriginSize);
    DDX_Control(pDX, IDC_DUMP_DISK_TOTAL, m_editDiskTotal);
    DDX_Control(pDX, IDC_DUMP_DISK_FREE, m_editDiskFree);
    DDX_Control(pDX, IDC_DUMP_PATH, m_editDumpPath);
    DDX_Check(pDX, IDC_DUMP_DELETE, m_bDeleteOriginal);
    DDX_Check(pDX, IDC_DUMP_ORIGIN, m_bDumpOrigin);
    DDX_Check(pDX, IDC_DUMP_OUTPUT, m_bDumpOutput);
    DDX_Text(pDX, IDC_DUMP_PATH, m_strDumpPath);
}

BOOL JCDumpDlg::OnInitDialog()
{
    CDialog::OnInitDialog();
    ShowSize(m_editOriginSize, m_nOriginSize);
    ShowSize(m_editOutputSize, m_nOutputSize);
    ShowSize(m_editTotal, m_nDumpSize);
    ShowDriveFigures(CurrentFolder());
    return TRUE;
}

void JCDumpDlg::ShowDriveFigures(const CString& strFolder)
{
    CString root = strFolder.Left(3);
    CString caption;
    caption.Format(IDS_DRIVE_SPACE, (LPCTSTR)root);
    SetDlgItemText(IDC_DUMP_DRIVE_BOX, caption);
    ULARGE_INTEGER available, total, free;
    if (::GetDiskFreeSpaceExA(root, &available, &total, &free)) {
        m_nDiskTotal = total.QuadPart;
        m_nDiskFree = available.QuadPart;
    } else {
        m_nDiskTotal = 0;
        m_nDiskFree = 0;
    }
    ShowSize(m_editDiskTotal, m_nDiskTotal);
    ShowSize(m_editDiskFree, m_nDiskFree);
}

void JCDumpDlg::OnBtDumpBrowse()
{
    CString start, chosen;
    m_editDumpPath.GetWindowText(start);
    // Before a target is chosen the chooser starts where the drive figures
    // came from, not with a message that "" does not exist.
    if (start.IsEmpty())
        start = CurrentFolder();
    if (!ChooseFolder(start, chosen))
        return;
    m_editDumpPath.SetWindowText(chosen);
    ShowDriveFigures(chosen);
}

void JCDumpDlg::OnBtDumpUpdate()
{
    m_editDumpPath.GetWindowText(m_strDumpPath);
    if (m_strDumpPath.IsEmpty())
        m_strDumpPath = CurrentFolder();
    ShowDriveFigures(m_strDumpPath);
}

void JCDumpDlg::ShowDumpSize()
{
    m_nDumpSize = (m_bDumpOrigin ? m_nOriginSize : 0) + (m_bDumpOutput ? m_nOutputSize : 0);
    ShowSize(m_editTotal, m_nDumpSize);
}

void JCDumpDlg::OnCheckDumpOrigin()
{
    m_bDumpOrigin = m_btnOrigin.GetCheck() == BST_CHECKED;
    ShowSize(m_editOriginSize, m_nOriginSize);
    ShowDumpSize();
}

void JCDumpDlg::OnCheckDumpOutput()
{
    m_bDumpOutput = m_btnOutput.GetCheck() == BST_CHECKED;
    ShowSize(m_editOutputSize, m_nOutputSize);
    ShowDumpSize();
}

void JCDumpDlg::OnChangeEditDumpPath() {}

void JCDumpDlg::OnOK()
{
    m_editDumpPath.GetWindowText(m_strDumpPath);
    if (!jobsize::HasRoom(m_nDiskFree, m_nDumpSize)) {
        AfxMessageBox(IDS_DUMP_NO_ROOM, MB_OK);
        return;
    }
    CDialog::OnOK();
}

#include "PathSetDlg.h"

#include "FolderChoice.h"
#include "resource.h"

namespace {

// Creates the folder when the path does not exist; refuses a path that is
// a file, or read-only when bWritable. TRUE when the path is a folder now.
BOOL MakeFolder(const CString& strPath, BOOL bWritable)
{
    DWORD attributes = ::GetFileAttributesA(strPath);
    if (attributes == INVALID_FILE_ATTRIBUTES)
        return !strPath.IsEmpty() && ::CreateDirectoryA(strPath, NULL);
    if ((attributes & FILE_ATTRIBUTE_DIRECTORY) == 0)
        return FALSE;
    return !bWritable || (attributes & FILE_ATTRIBUTE_READONLY) == 0;
}

// Makes the folder the current one and takes the full path the system
// reports for it. FALSE when there is none.
BOOL TakeFullPath(CString& strPath)
{
    if (!::SetCurrentDirectoryA(strPath))
        return FALSE;
    CString full = CurrentFolder();
    if (full.IsEmpty())
        return FALSE;
    strPath = full;
    return TRUE;
}

// Checks one folder; tells the user with the message when it is refused.
BOOL CheckFolder(CString& strPath, BOOL bWritable, UINT nMessageID)
{
    if (MakeFolder(strPath, bWritable) && TakeFullPath(strPath))
        return TRUE;
    AfxMessageBox(nMessageID, MB_OK);
    return FALSE;
}

}  // namespace

// ---------------------------------------------------------------------------

BEGIN_MESSAGE_MAP(CPathSetDlg, CDialog)
    ON_BN_CLICKED(IDC_PATH_TASK_BROWSE, OnTskBrowse)
    ON_BN_CLICKED(IDC_PATH_TEMP_BROWSE, OnTmpBrowse)
    ON_BN_CLICKED(IDC_PATH_PLUGIN_BROWSE, OnPluginBrowse)
END_MESSAGE_MAP()

CPathSetDlg::CPathSetDlg(CWnd* pParent) : CDialog(IDD_PATH_SET, pParent) {}

CPathSetDlg::~CPathSetDlg() {}

void CPathSetDlg::DoDataExchange(CDataExchange* pDX)
{
    CDialog::DoDataExchange(pDX);
    DDX_Control(pDX, IDC_PATH_TEMP, m_editTemp);
    DDX_Control(pDX, IDC_PATH_TASK, m_editTask);
    DDX_Text(pDX, IDC_PATH_TASK, m_strTaskPath);
    DDX_Text(pDX, IDC_PATH_TEMP, m_strTempPath);
    DDX_Text(pDX, IDC_PATH_PLUGIN, m_strPlugInPath);
}

BOOL CPathSetDlg::OnInitDialog() { return CDialog::OnInitDialog(); }

void CPathSetDlg::OnCancel() { CDialog::OnCancel(); }

void CPathSetDlg::Browse(int nEditID, CString& strMember)
{
    CString start, chosen;
    GetDlgItemText(nEditID, start);
    if (!ChooseFolder(start, chosen))
        return;
    strMember = chosen;
    UpdateData(FALSE);
}

void CPathSetDlg::OnTskBrowse() { Browse(IDC_PATH_TASK, m_strTaskPath); }
void CPathSetDlg::OnTmpBrowse() { Browse(IDC_PATH_TEMP, m_strTempPath); }
void CPathSetDlg::OnPluginBrowse() { Browse(IDC_PATH_PLUGIN, m_strPlugInPath); }

void CPathSetDlg::OnOK()
{
    if (!UpdateData(TRUE))
        return;
    // Each step leaves the current folder where a relative path of the next
    // one is taken from.
    if (!CheckFolder(m_strTaskPath, TRUE, IDS_TASK_FOLDER_INVALID) ||
        !CheckFolder(m_strTempPath, TRUE, IDS_TEMP_FOLDER_INVALID) ||
        !CheckFolder(m_strPlugInPath, FALSE, IDS_PLUGIN_FOLDER_INVALID))
        return;
    UpdateData(FALSE);
    EndDialog(IDOK);
}

// ---------------------------------------------------------------------------

BEGIN_MESSAGE_MAP(CPathSetDlg2, CDialog)
    ON_BN_CLICKED(IDC_PATH2_BROWSE, OnTempBrowse)
END_MESSAGE_MAP()

CPathSetDlg2::CPathSetDlg2(CWnd* pParent) : CDialog(IDD_PATH_SET2, pParent) {}

CPathSetDlg2::~CPathSetDlg2() {}

void CPathSetDlg2::DoDataExchange(CDataExchange* pDX)
{
    CDialog::DoDataExchange(pDX);
    DDX_Control(pDX, IDC_PATH2_TEMP, m_editTemp);
    DDX_Text(pDX, IDC_PATH2_TEMP, m_strTempPath);
}

BOOL CPathSetDlg2::OnInitDialog() { return CDialog::OnInitDialog(); }

// Starts from the member as it stood at the last exchange.
void CPathSetDlg2::OnTempBrowse()
{
    CString chosen;
    if (!ChooseFolder(m_strTempPath, chosen))
        return;
    m_strTempPath = chosen;
    UpdateData(FALSE);
}

void CPathSetDlg2::OnOK()
{
    m_editTemp.GetWindowText(m_strTempPath);
    DWORD attributes = ::GetFileAttributesA(m_strTempPath);
    const BOOL bFolder = attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY) != 0;
    if (!bFolder && !CheckFolder(m_strTempPath, FALSE, IDS_TEMP_FOLDER_INVALID))
        return;
    m_editTemp.SetWindowText(m_strTempPath);
    EndDialog(IDOK);
}

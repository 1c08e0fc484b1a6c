#include "ScanSettingsDlg.h"

#include <shlobj.h>

#include "OmbrelleApp.h"
#include "OmbrelleDoc.h"
#include "resource.h"

namespace {

const char kSection[] = "ScanFilePath";
const char kFolderKey[] = "FilePath";
const char kTypeKey[] = "FileType";

// The last character, not a GBK trail byte that happens to be a backslash.
bool EndsWithBackslash(const CString& str)
{
    if (str.IsEmpty())
        return false;
    LPCSTR pszBegin = str;
    LPCSTR pszEnd = pszBegin + str.GetLength();
    LPCSTR pszLast = ::CharPrevExA(CP_ACP, pszBegin, pszEnd, 0);
    return pszEnd - pszLast == 1 && *pszLast == '\\';
}

CString WithBackslash(const CString& str)
{
    return EndsWithBackslash(str) ? str : str + "\\";
}

}  // namespace

BEGIN_MESSAGE_MAP(CScanSettingsDlg, CDialog)
    ON_BN_CLICKED(IDC_SCAN_CHOOSE_FOLDER, OnChooseFolder)
END_MESSAGE_MAP()

CScanSettingsDlg::CScanSettingsDlg(CWnd* pParent) : CDialog(IDD_SCAN_SETTINGS, pParent) {}

void CScanSettingsDlg::DoDataExchange(CDataExchange* pDX)
{
    CDialog::DoDataExchange(pDX);
    DDX_Control(pDX, IDC_SCAN_FILE_TYPE, m_comboFileType);
    DDX_Text(pDX, IDC_SCAN_FOLDER, m_strFolder);
}

BOOL CScanSettingsDlg::OnInitDialog()
{
    CDialog::OnInitDialog();
    CWinApp* pApp = AfxGetApp();
    m_strFolder = pApp->GetProfileString(kSection, kFolderKey, "");

    m_comboFileType.AddString("bmp");
    m_comboFileType.AddString("jpg");
    m_comboFileType.AddString("tif");
    CString strType = pApp->GetProfileString(kSection, kTypeKey, "");
    int nType = 2;
    if (strType.IsEmpty() || strType == ".bmp")
        nType = 0;
    else if (strType == ".jpg")
        nType = 1;
    m_comboFileType.SetCurSel(nType);

    UpdateData(FALSE);
    return TRUE;
}

void CScanSettingsDlg::OnChooseFolder()
{
    CWnd* pMainWnd = AfxGetMainWnd();
    BROWSEINFOA info = {};
    info.hwndOwner = pMainWnd != NULL ? pMainWnd->GetSafeHwnd() : GetSafeHwnd();
    info.ulFlags = BIF_RETURNONLYFSDIRS;
    LPITEMIDLIST pidl = ::SHBrowseForFolderA(&info);
    if (pidl == NULL)
        return;
    char szPath[MAX_PATH] = "";
    BOOL bPath = ::SHGetPathFromIDListA(pidl, szPath);
    ::CoTaskMemFree(pidl);
    if (!bPath || szPath[0] == '\0')
        return;

    // A drive root already ends in a backslash.
    m_strFolder = WithBackslash(szPath);
    AfxGetApp()->WriteProfileString(kSection, kFolderKey, m_strFolder);
    SetDlgItemText(IDC_SCAN_FOLDER, m_strFolder);
}

void CScanSettingsDlg::OnOK()
{
    if (!UpdateData(TRUE))
        return;
    if (m_strFolder.IsEmpty()) {
        AfxMessageBox("请选择扫描文件存放路径");
        return;
    }
    int nType = m_comboFileType.GetCurSel();
    if (nType < 0) {
        AfxMessageBox("请选择扫描文件的存储文件类型");
        return;
    }
    CString strType;
    m_comboFileType.GetLBText(nType, strType);
    strType = "." + strType;
    m_strFolder = WithBackslash(m_strFolder);

    CWinApp* pApp = AfxGetApp();
    pApp->WriteProfileString(kSection, kTypeKey, strType);
    pApp->WriteProfileString(kSection, kFolderKey, m_strFolder);

    if (COmbrelleDoc* pOmbrelleDoc =
            DYNAMIC_DOWNCAST(COmbrelleDoc, static_cast<COmbrelleApp*>(pApp)->GetCurrentDocument())) {
        pOmbrelleDoc->m_strScanFileType = strType;
        pOmbrelleDoc->m_strScanFolder = m_strFolder;
    }
    EndDialog(IDOK);
}

#include "CopyPSFile.h"

#include "FolderChoice.h"
#include "JobText.h"
#include "Ordwell.h"
#include "resource.h"

#include <vector>

namespace {

// The file names of the current job's outputs that contain the extension,
// lower-cased, listed as stored.
void AddOutputsWith(CListBox& list, JCJob& job, const char* lpszExtension)
{
    for (POSITION pos = job.JGetOutputList()->GetHeadPosition(); pos != NULL;) {
        const JCOutput* pOutput = static_cast<const JCOutput*>(job.JGetOutputList()->GetNext(pos));
        CString lower = pOutput->m_strFile;
        lower.MakeLower();
        if (lower.Find(lpszExtension) >= 0)
            list.AddString(pOutput->m_strFile);
    }
}

}  // namespace

BEGIN_MESSAGE_MAP(JCopyPSFile, CDialog)
    ON_BN_CLICKED(IDC_COPY_BROWSE, OnBrowse)
    ON_CBN_SELCHANGE(IDC_COPY_TYPE, OnSelchangeCombo1)
END_MESSAGE_MAP()

JCopyPSFile::JCopyPSFile(CWnd* pParent) : CDialog(IDD_COPY_OUTPUT, pParent), m_nFileType(0) {}

JCopyPSFile::~JCopyPSFile() {}

void JCopyPSFile::DoDataExchange(CDataExchange* pDX)
{
    CDialog::DoDataExchange(pDX);
    DDX_Control(pDX, IDC_COPY_TYPE, m_comboType);
    DDX_Control(pDX, IDC_COPY_TARGET, m_editTarget);
    DDX_Control(pDX, IDC_COPY_FILES, m_listFiles);
    DDX_CBIndex(pDX, IDC_COPY_TYPE, m_nFileType);
}

BOOL JCopyPSFile::OnInitDialog()
{
    CDialog::OnInitDialog();
    m_comboType.SetCurSel(0);
    OnSelchangeCombo1();
    if (m_listFiles.GetCount() > 0)
        m_listFiles.SetSel(0);
    m_editTarget.SetWindowText(CurrentFolder());
    return TRUE;
}

void JCopyPSFile::OnSelchangeCombo1()
{
    m_nFileType = m_comboType.GetCurSel();
    m_listFiles.ResetContent();
    JCJob* pJob = JGetCurJob();
    if (pJob == NULL)
        return;
    switch (m_nFileType) {
    case 0:
        AddOutputsWith(m_listFiles, *pJob, ".ps");
        break;
    case 1:
        for (POSITION pos = pJob->JGetPageList()->GetHeadPosition(); pos != NULL;)
            m_listFiles.AddString(static_cast<const JCPage*>(pJob->JGetPageList()->GetNext(pos))->m_strFile);
        break;
    case 2:
        AddOutputsWith(m_listFiles, *pJob, ".eps");
        break;
    }
}

void JCopyPSFile::OnBrowse()
{
    CString start, chosen;
    m_editTarget.GetWindowText(start);
    if (ChooseFolder(start, chosen))
        m_editTarget.SetWindowText(chosen);
}

void JCopyPSFile::OnOK()
{
    const int nSelected = m_listFiles.GetSelCount();
    if (nSelected > 0) {
        std::vector<int> items(static_cast<size_t>(nSelected));
        const int nGot = m_listFiles.GetSelItems(nSelected, items.data());
        for (int i = 0; i < nGot; i++) {
            char name[256] = "";
            CString line;
            m_listFiles.GetText(items[static_cast<size_t>(i)], line);
            lstrcpynA(name, line, sizeof name);
            switch (m_nFileType) {
            case 0:
                CopyPsFile(name);
                break;
            case 1:
                CopyApgFile(name);
                break;
            case 2:
                CopyEpsFile(name);
                break;
            }
        }
    }
    CDialog::OnOK();
}

// Copies the named file, then every file of the list whose owning page it is.
template <class T>
static void CopyWithOwned(JCopyPSFile& dialog, const char* lpszName, CObList* (JCJob::*list)())
{
    CString target;
    dialog.m_editTarget.GetWindowText(target);
    dialog.CopyOneFile(lpszName, target);
    JCJob* pJob = JGetCurJob();
    if (pJob == NULL)
        return;
    CObList* pList = (pJob->*list)();
    for (POSITION pos = pList->GetHeadPosition(); pos != NULL;) {
        const T* pItem = static_cast<const T*>(pList->GetNext(pos));
        if (SameTextNoCase(pItem->m_strPage, lpszName))
            dialog.CopyOneFile(pItem->m_strFile, target);
    }
}

void JCopyPSFile::CopyPsFile(char* lpszName) { CopyWithOwned<JCOutput>(*this, lpszName, &JCJob::JGetOutputList); }
void JCopyPSFile::CopyEpsFile(char* lpszName) { CopyPsFile(lpszName); }
void JCopyPSFile::CopyApgFile(char* lpszName) { CopyWithOwned<JCOrigin>(*this, lpszName, &JCJob::JGetOriginList); }

void JCopyPSFile::CopyOneFile(CString strSource, CString strTargetFolder)
{
    CString target = strTargetFolder + "\\" + JCFileName(strSource).GetPureName();
    if (!IsFileExist(strSource)) {
        JCopyFailedMessage(strSource);
        return;
    }
    if (!::CopyFileA(strSource, target, FALSE))
        AfxMessageBox(IDS_COPY_BAD_NAME, MB_OK);
}

// ---------------------------------------------------------------------------

IMPLEMENT_DYNAMIC(JSelectCopyPath, CFileDialog)

JSelectCopyPath::JSelectCopyPath(BOOL bOpenFileDialog, LPCTSTR lpszDefExt, LPCTSTR lpszFileName, DWORD dwFlags,
                                 LPCTSTR, CWnd* pParentWnd)
    // Whatever filter the caller gives, the dialog lists every file.
    : CFileDialog(bOpenFileDialog, lpszDefExt, lpszFileName, dwFlags, "All File(*.*)|*.*||", pParentWnd)
{
    m_szFileName[0] = '\0';
    m_ofn.hInstance = AfxGetResourceHandle();
    m_ofn.lpTemplateName = MAKEINTRESOURCEA(IDD_SELECT_COPY_PATH);
    m_ofn.Flags &= ~OFN_EXPLORER;
    m_ofn.Flags |= OFN_ENABLETEMPLATE;
}

JSelectCopyPath::~JSelectCopyPath() {}

void JSelectCopyPath::OnOK()
{
    if (OnFileNameOK())
        return;
    CFileDialog::OnOK();
}

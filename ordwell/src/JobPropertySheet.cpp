// The job property sheet and its three pages, and the one mapping between
// them and the job model.
#include "JobPropertySheet.h"

#include "JobMain.h"
#include "Ordwell.h"
#include "ProfileChoice.h"
#include "resource.h"

namespace {

const int kDefaultAccess = 3;  // "读/写", the model's default

// A hostile file may hold a time that the runtime cannot show.
CString TimeText(__time32_t t)
{
    time_t wide = t;
    const char* text = ctime(&wide);
    return text != NULL ? CString(text) : CString();
}

// The owner's and the group's combo boxes show the members on entry and
// give their selections back on OK.
void SelectAccess(CComboBox& owner, CComboBox& group, int nOwner, int nGroup)
{
    group.SetCurSel(nGroup);
    owner.SetCurSel(nOwner);
}

void ReadAccess(CComboBox& owner, CComboBox& group, int& nOwner, int& nGroup)
{
    nGroup = group.GetCurSel();
    nOwner = owner.GetCurSel();
}

}  // namespace

// ---------------------------------------------------------------------------

IMPLEMENT_DYNCREATE(JCPropertyTask, CPropertyPage)

BEGIN_MESSAGE_MAP(JCPropertyTask, CPropertyPage)
END_MESSAGE_MAP()

JCPropertyTask::JCPropertyTask() : CPropertyPage(IDD_PROPERTY_TASK)
{
    m_psp.dwFlags &= ~PSP_HASHELP;
}

JCPropertyTask::~JCPropertyTask() {}

void JCPropertyTask::DoDataExchange(CDataExchange* pDX)
{
    CPropertyPage::DoDataExchange(pDX);
    DDX_Control(pDX, IDC_TASK_PAGE_OWNER, m_comboOwner);
    DDX_Control(pDX, IDC_TASK_PAGE_GROUP, m_comboGroup);
    DDX_Text(pDX, IDC_TASK_PAGE_MANAGER, m_strManager);
    DDX_Text(pDX, IDC_TASK_PAGE_USER, m_strUser);
    DDX_Text(pDX, IDC_TASK_PAGE_REQUIREMENT, m_strRequirement);
    DDX_Text(pDX, IDC_TASK_PAGE_PROGRESS, m_strProgress);
    DDX_Text(pDX, IDC_TASK_PAGE_NAME, m_strName);
    DDX_Text(pDX, IDC_TASK_PAGE_TIME, m_strTime);
}

BOOL JCPropertyTask::OnInitDialog()
{
    CPropertyPage::OnInitDialog();
    SelectAccess(m_comboOwner, m_comboGroup, m_nOwnerAccess, m_nGroupAccess);
    return TRUE;
}

void JCPropertyTask::OnOK()
{
    ReadAccess(m_comboOwner, m_comboGroup, m_nOwnerAccess, m_nGroupAccess);
    CPropertyPage::OnOK();
}

// ---------------------------------------------------------------------------

IMPLEMENT_DYNCREATE(JCPropertyJob, CPropertyPage)

BEGIN_MESSAGE_MAP(JCPropertyJob, CPropertyPage)
END_MESSAGE_MAP()

JCPropertyJob::JCPropertyJob() : CPropertyPage(IDD_PROPERTY_JOB)
{
    m_psp.dwFlags &= ~PSP_HASHELP;
}

JCPropertyJob::~JCPropertyJob() {}

void JCPropertyJob::DoDataExchange(CDataExchange* pDX)
{
    CPropertyPage::DoDataExchange(pDX);
    DDX_Control(pDX, IDC_JOB_PAGE_OWNER, m_comboOwner);
    DDX_Control(pDX, IDC_JOB_PAGE_GROUP, m_comboGroup);
    DDX_Text(pDX, IDC_JOB_PAGE_CREATOR, m_strCreator);
    DDX_Text(pDX, IDC_JOB_PAGE_PROGRESS, m_strProgress);
    DDX_Text(pDX, IDC_JOB_PAGE_REQUIREMENT, m_strRequirement);
    DDX_Text(pDX, IDC_JOB_PAGE_OPERATOR, m_strOperator);
    DDX_Text(pDX, IDC_JOB_PAGE_NAME, m_strName);
    DDX_Text(pDX, IDC_JOB_PAGE_TIME, m_strTime);
}

BOOL JCPropertyJob::OnInitDialog()
{
    CPropertyPage::OnInitDialog();
    SelectAccess(m_comboOwner, m_comboGroup, m_nOwnerAccess, m_nGroupAccess);
    return TRUE;
}

void JCPropertyJob::OnOK()
{
    ReadAccess(m_comboOwner, m_comboGroup, m_nOwnerAccess, m_nGroupAccess);
    CPropertyPage::OnOK();
}

// ---------------------------------------------------------------------------

IMPLEMENT_DYNCREATE(JCPropertyProfile, CPropertyPage)

BEGIN_MESSAGE_MAP(JCPropertyProfile, CPropertyPage)
    ON_BN_CLICKED(IDC_PROFILE_CHOOSE, OnBtChoise)
END_MESSAGE_MAP()

JCPropertyProfile::JCPropertyProfile() : CPropertyPage(IDD_PROPERTY_PROFILE)
{
    m_psp.dwFlags &= ~PSP_HASHELP;
}

JCPropertyProfile::~JCPropertyProfile() {}

void JCPropertyProfile::DoDataExchange(CDataExchange* pDX)
{
    CPropertyPage::DoDataExchange(pDX);
    DDX_Text(pDX, IDC_PROFILE_DISPLAY, m_strDisplayProfile);
    DDX_Text(pDX, IDC_PROFILE_PRINTER, m_strPrinterProfile);
    DDX_Text(pDX, IDC_PROFILE_SCANNER, m_strScannerProfile);
}

void JCPropertyProfile::OnBtChoise()
{
    CString folder = JCJobMain::Instance() != NULL ? JCJobMain::Instance()->GetJobPath() : CString();
    CProfileChoice choice("", "", "");
    int nUnused = 0;
    choice.Run("c:\\fairmoor", folder, &nUnused);
    m_strScannerProfile = choice.Scanner();
    m_strDisplayProfile = choice.Display();
    m_strPrinterProfile = choice.Printer();
    // The edits show the choice, so that the next exchange keeps it.
    UpdateData(FALSE);
}

// ---------------------------------------------------------------------------

IMPLEMENT_DYNAMIC(JCPropertySheet, CPropertySheet)

BEGIN_MESSAGE_MAP(JCPropertySheet, CPropertySheet)
END_MESSAGE_MAP()

JCPropertySheet::JCPropertySheet(CWnd* pParentWnd) : CPropertySheet(IDS_JOB_PROPERTIES, pParentWnd, 0)
{
    AddPage(&m_pageTask);
    AddPage(&m_pageJob);
    AddPage(&m_pageProfile);
    m_psh.dwFlags &= ~PSH_HASHELP;
    m_psh.dwFlags |= PSH_NOAPPLYNOW;
}

JCPropertySheet::~JCPropertySheet() {}

// ---------------------------------------------------------------------------

void FillJobProperties(JCPropertySheet& sheet, const CString& strTaskFile, const JCTask* pTask,
                       const CString& strJobFile, const JCJob* pJob)
{
    JCPropertyTask& task = sheet.m_pageTask;
    task.m_strName = strTaskFile;
    task.m_nOwnerAccess = kDefaultAccess;
    task.m_nGroupAccess = kDefaultAccess;
    if (pTask != NULL) {
        task.m_strTime = TimeText(pTask->m_tCreate);
        task.m_strManager = pTask->m_strText[3];
        task.m_strUser = pTask->m_strText[1];
        task.m_strRequirement = pTask->m_strText[4];
        task.m_strProgress = pTask->m_strText[5];
        task.m_nOwnerAccess = pTask->m_nOwnerAccess;
        task.m_nGroupAccess = pTask->m_nGroupAccess;
    }

    JCPropertyJob& job = sheet.m_pageJob;
    JCPropertyProfile& profile = sheet.m_pageProfile;
    job.m_strName = strJobFile;
    job.m_nOwnerAccess = kDefaultAccess;
    job.m_nGroupAccess = kDefaultAccess;
    if (pJob != NULL) {
        job.m_strTime = TimeText(pJob->m_tCreate);
        job.m_strCreator = pJob->m_strText[0];
        job.m_strOperator = pJob->m_strText[2];
        job.m_strRequirement = pJob->m_strText[3];
        job.m_strProgress = pJob->m_strText[4];
        job.m_nOwnerAccess = pJob->m_nOwnerAccess;
        job.m_nGroupAccess = pJob->m_nGroupAccess;
        profile.m_strScannerProfile = pJob->m_strScanProfile;
        profile.m_strDisplayProfile = pJob->m_strDisplayProfile;
        profile.m_strPrinterProfile = pJob->m_strPrintProfile;
    } else if (JCJobMain::Instance() != NULL) {
        JCJobMain::Instance()->JGetDefaultProfiles(profile.m_strScannerProfile, profile.m_strPrinterProfile,
                                                   profile.m_strDisplayProfile);
    }
}

void WriteBackJobProperties(const JCPropertySheet& sheet, JCTask* pTask, JCJob* pJob)
{
    if (pTask != NULL) {
        const JCPropertyTask& task = sheet.m_pageTask;
        pTask->m_strText[3] = task.m_strManager;
        pTask->m_strText[1] = task.m_strUser;
        pTask->m_strText[4] = task.m_strRequirement;
        pTask->m_strText[5] = task.m_strProgress;
        pTask->m_nOwnerAccess = task.m_nOwnerAccess;
        pTask->m_nGroupAccess = task.m_nGroupAccess;
    }
    if (pJob != NULL) {
        const JCPropertyJob& job = sheet.m_pageJob;
        pJob->m_strText[0] = job.m_strCreator;
        pJob->m_strText[2] = job.m_strOperator;
        pJob->m_strText[3] = job.m_strRequirement;
        pJob->m_strText[4] = job.m_strProgress;
        pJob->m_nOwnerAccess = job.m_nOwnerAccess;
        pJob->m_nGroupAccess = job.m_nGroupAccess;
    }
}

// The job model and its archives.
#include "JobModel.h"

#include "JobMain.h"
#include "JobMeasure.h"
#include "JobText.h"
#include "resource.h"
#include "SizeText.h"

IMPLEMENT_SERIAL(JCFileName, CObject, 1)
IMPLEMENT_SERIAL(JCPage, CObject, 1)
IMPLEMENT_SERIAL(JCOrigin, CObject, 1)
IMPLEMENT_SERIAL(JCOutput, CObject, 1)
IMPLEMENT_SERIAL(JCTask, CObject, 1)
IMPLEMENT_SERIAL(JCJob, CObject, 1)

namespace {

void DeleteAll(CObList& list)
{
    POSITION pos = list.GetHeadPosition();
    while (pos != NULL)
        delete list.GetNext(pos);
    list.RemoveAll();
}

// Deletes and unlinks the first entry whose path equals the text exactly.
int DeleteName(CObList& list, const CString& path)
{
    for (POSITION pos = list.GetHeadPosition(); pos != NULL;) {
        POSITION current = pos;
        JCFileName* pName = static_cast<JCFileName*>(list.GetNext(pos));
        if (pName->m_strPath == path) {
            list.RemoveAt(current);
            delete pName;
            return 1;
        }
    }
    return 0;
}

void SerializeTime(CArchive& ar, __time32_t& t)
{
    if (ar.IsStoring())
        ar.Write(&t, sizeof t);
    else if (ar.Read(&t, sizeof t) != sizeof t)
        AfxThrowArchiveException(CArchiveException::endOfFile);
}

}  // namespace

// ---------------------------------------------------------------------------

JCFileName::JCFileName() {}
JCFileName::JCFileName(const CString& strPath) : m_strPath(strPath) {}
JCFileName::~JCFileName() {}

void JCFileName::Serialize(CArchive& ar)
{
    if (ar.IsStoring())
        ar << m_strPath;
    else
        ar >> m_strPath;
}

CString JCFileName::GetPath() const
{
    int slash = LastBackslash(m_strPath);
    return slash < 0 ? CString() : m_strPath.Left(slash);
}

CString JCFileName::GetPureName() const
{
    int slash = LastBackslash(m_strPath);
    return slash < 0 ? m_strPath : m_strPath.Mid(slash + 1);
}

// ---------------------------------------------------------------------------

JCPage::JCPage() : m_nNumber1(0), m_tTime(0), m_nNumber2(0) {}
JCPage::~JCPage() { DeleteAll(m_lstOrigin); }

void JCPage::Serialize(CArchive& ar)
{
    if (ar.IsStoring()) {
        ar << static_cast<DWORD>(m_nNumber1);
        SerializeTime(ar, m_tTime);
        ar << static_cast<DWORD>(m_nNumber2) << m_strDescription << m_strFile;
    } else {
        DWORD n1, n2;
        ar >> n1;
        SerializeTime(ar, m_tTime);
        ar >> n2 >> m_strDescription >> m_strFile;
        m_nNumber1 = static_cast<int>(n1);
        m_nNumber2 = static_cast<int>(n2);
    }
    m_lstOrigin.Serialize(ar);
}

int JCPage::AddOrigin(const CString& strOrigin)
{
    m_lstOrigin.AddTail(new JCFileName(strOrigin));
    return 1;
}

int JCPage::DelOrigin(const CString& strOrigin) { return DeleteName(m_lstOrigin, strOrigin); }

int JCPage::DelAllOrigin()
{
    DeleteAll(m_lstOrigin);
    return 1;
}

// ---------------------------------------------------------------------------

JCOrigin::JCOrigin() : m_nFileType(0), m_nNumber1(0), m_nNumber2(1), m_tTime(0) {}
JCOrigin::~JCOrigin() { DeleteAll(m_lstPage); }

void JCOrigin::Serialize(CArchive& ar)
{
    if (ar.IsStoring()) {
        ar << static_cast<DWORD>(m_nFileType) << static_cast<DWORD>(m_nNumber1);
        ar.Write(&m_nNumber2, 4);
        ar << static_cast<DWORD>(m_tTime) << m_strDescription << m_strPage << m_strFile;
    } else {
        DWORD type, n1, t;
        ar >> type >> n1;
        if (ar.Read(&m_nNumber2, 4) != 4)
            AfxThrowArchiveException(CArchiveException::endOfFile);
        ar >> t >> m_strDescription >> m_strPage >> m_strFile;
        m_nFileType = static_cast<int>(type);
        m_nNumber1 = static_cast<int>(n1);
        m_tTime = static_cast<__time32_t>(t);
    }
    m_lstPage.Serialize(ar);
}

int JCOrigin::AddPage(const CString& strPage)
{
    m_lstPage.AddTail(new JCFileName(strPage));
    return 1;
}

int JCOrigin::DeletePage(const CString& strPage) { return DeleteName(m_lstPage, strPage); }

int JCOrigin::DeleteAllPage()
{
    DeleteAll(m_lstPage);
    return 1;
}

// ---------------------------------------------------------------------------

JCOutput::JCOutput() : m_nFileType(0), m_tTime(0) {}
JCOutput::~JCOutput() {}

void JCOutput::Serialize(CArchive& ar)
{
    if (ar.IsStoring()) {
        ar << static_cast<DWORD>(m_nFileType) << static_cast<DWORD>(m_tTime) << m_strPage << m_strFile;
    } else {
        DWORD type, t;
        ar >> type >> t >> m_strPage >> m_strFile;
        m_nFileType = static_cast<int>(type);
        m_tTime = static_cast<__time32_t>(t);
    }
}

// ---------------------------------------------------------------------------

JCTask::JCTask() : m_nOwnerAccess(3), m_nGroupAccess(3), m_dwTag(0xFF0A), m_tCreate(static_cast<__time32_t>(time(NULL))) {}
JCTask::~JCTask() { DeleteAll(m_lstJob); }

void JCTask::Serialize(CArchive& ar)
{
    if (ar.IsStoring()) {
        ar << m_dwTag;
        SerializeTime(ar, m_tCreate);
        ar << m_strText[0] << m_strText[1] << m_strText[2];
        ar << static_cast<DWORD>(m_nOwnerAccess) << static_cast<DWORD>(m_nGroupAccess);
        ar << m_strText[3] << m_strText[4] << m_strText[5];
    } else {
        DWORD owner, group;
        ar >> m_dwTag;
        SerializeTime(ar, m_tCreate);
        ar >> m_strText[0] >> m_strText[1] >> m_strText[2] >> owner >> group;
        ar >> m_strText[3] >> m_strText[4] >> m_strText[5];
        m_nOwnerAccess = static_cast<int>(owner);
        m_nGroupAccess = static_cast<int>(group);
    }
    m_lstJob.Serialize(ar);
}

int JCTask::JAddJob(const CString& strJobPath)
{
    for (POSITION pos = m_lstJob.GetHeadPosition(); pos != NULL;) {
        JCFileName* pName = static_cast<JCFileName*>(m_lstJob.GetNext(pos));
        if (SameTextNoCase(pName->m_strPath, strJobPath)) {
            AfxMessageBox(IDS_JOB_EXISTS, MB_OK);
            return 0;
        }
    }
    m_lstJob.AddTail(new JCFileName(strJobPath));
    return 1;
}

int JCTask::JDeleteJob(const CString& strJobPath) { return DeleteName(m_lstJob, strJobPath); }

int JCTask::JDeleteAllJob()
{
    DeleteAll(m_lstJob);
    return 1;
}

int JCTask::JCreateTask(const CString&) { return 1; }

void JCTask::JCloseTask() { JDeleteAllJob(); }

// ---------------------------------------------------------------------------

JCJob::JCJob()
    : m_dwTag(0xFF0B), m_tCreate(static_cast<__time32_t>(time(NULL))), m_nOwnerAccess(3), m_nGroupAccess(3)
{
    if (JCJobMain::Instance() != NULL)
        JCJobMain::Instance()->JGetDefaultProfiles(m_strScanProfile, m_strPrintProfile, m_strDisplayProfile);
}

JCJob::~JCJob()
{
    DeleteAll(m_lstPage);
    DeleteAll(m_lstOrigin);
    DeleteAll(m_lstOutput);
}

void JCJob::Serialize(CArchive& ar)
{
    if (ar.IsStoring()) {
        ar << m_dwTag;
        SerializeTime(ar, m_tCreate);
        ar << m_strText[0] << m_strText[1];
        ar << static_cast<DWORD>(m_nOwnerAccess) << static_cast<DWORD>(m_nGroupAccess);
        ar << m_strText[2] << m_strText[3] << m_strText[4];
        ar << m_strScanProfile << m_strPrintProfile << m_strDisplayProfile;
    } else {
        DWORD owner, group;
        ar >> m_dwTag;
        SerializeTime(ar, m_tCreate);
        ar >> m_strText[0] >> m_strText[1] >> owner >> group;
        ar >> m_strText[2] >> m_strText[3] >> m_strText[4];
        ar >> m_strScanProfile >> m_strPrintProfile >> m_strDisplayProfile;
        m_nOwnerAccess = static_cast<int>(owner);
        m_nGroupAccess = static_cast<int>(group);
    }
    m_lstPage.Serialize(ar);
    m_lstOrigin.Serialize(ar);
    m_lstOutput.Serialize(ar);
}

int JCJob::JAddPage(JCPage* pPage)
{
    for (POSITION pos = m_lstPage.GetHeadPosition(); pos != NULL;) {
        JCPage* pListed = static_cast<JCPage*>(m_lstPage.GetNext(pos));
        if (SameTextNoCase(pListed->m_strFile, pPage->m_strFile))
            return 0;
    }
    m_lstPage.AddTail(pPage);
    return 1;
}

int JCJob::JAddOrigin(JCOrigin* pOrigin)
{
    for (POSITION pos = m_lstOrigin.GetHeadPosition(); pos != NULL;) {
        JCOrigin* pListed = static_cast<JCOrigin*>(m_lstOrigin.GetNext(pos));
        if (!SameTextNoCase(pListed->m_strFile, pOrigin->m_strFile))
            continue;
        if (pOrigin->m_strPage == "None")
            return 0;
        if (pListed->m_strPage == "None") {
            pListed->m_strPage = pOrigin->m_strPage;
            return 0;
        }
        if (SameTextNoCase(pListed->m_strPage, pOrigin->m_strPage))
            return 0;
    }
    m_lstOrigin.AddTail(pOrigin);
    return 1;
}

int JCJob::JAddOutput(JCOutput* pOutput)
{
    for (POSITION pos = m_lstOutput.GetHeadPosition(); pos != NULL;) {
        JCOutput* pListed = static_cast<JCOutput*>(m_lstOutput.GetNext(pos));
        if (SameTextNoCase(pListed->m_strFile, pOutput->m_strFile))
            return 0;
    }
    m_lstOutput.AddTail(pOutput);
    return 1;
}

namespace {

// Deletes and unlinks the first element whose key equals the given one's;
// the given object itself is deleted only when it is that element.
template <class T, class Key>
int DeleteMatching(CObList& list, T* pGiven, Key key)
{
    CString wanted = key(pGiven);
    for (POSITION pos = list.GetHeadPosition(); pos != NULL;) {
        POSITION current = pos;
        T* pListed = static_cast<T*>(list.GetNext(pos));
        if (key(pListed) == wanted) {
            list.RemoveAt(current);
            delete pListed;
            return 1;
        }
    }
    return 0;
}

}  // namespace

int JCJob::JDeletePage(JCPage* pPage)
{
    return DeleteMatching(m_lstPage, pPage, [](JCPage* p) { return p->m_strDescription + p->m_strFile; });
}

int JCJob::JDeleteOrigin(JCOrigin* pOrigin)
{
    return DeleteMatching(m_lstOrigin, pOrigin, [](JCOrigin* p) { return p->m_strPage + p->m_strFile; });
}

int JCJob::JDeleteOutput(JCOutput* pOutput)
{
    return DeleteMatching(m_lstOutput, pOutput, [](JCOutput* p) { return p->m_strPage + p->m_strFile; });
}

int JCJob::JDeleteAllPage()
{
    DeleteAll(m_lstPage);
    return 1;
}

int JCJob::JDeleteAllOrigin()
{
    DeleteAll(m_lstOrigin);
    return 1;
}

int JCJob::JDeleteAllOutput()
{
    DeleteAll(m_lstOutput);
    return 1;
}

void JCJob::JAddNewDocName(const CString& strName) { m_strNewDocName = strName; }

int JCJob::GetFileSize(const CString& strPath) { return jobsize::ClampToInt(FileBytes(strPath)); }

int JCJob::GetJobSize(int& nJobBytes, int& nOutputBytes)
{
    JobBytes bytes = MeasureJob(*this);
    nJobBytes = jobsize::ClampToInt(bytes.job);
    nOutputBytes = jobsize::ClampToInt(bytes.output);
    return jobsize::ClampToInt(bytes.job + bytes.output);
}

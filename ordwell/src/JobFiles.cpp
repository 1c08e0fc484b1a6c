#include "JobFiles.h"

#include "JobArchive.h"
#include "JobText.h"

#include <vector>

namespace {

// Files larger than this are not archives of ours.
const DWORD kMaxArchiveBytes = 256u << 20;

bool ReadBytes(const CString& path, std::vector<uint8_t>& bytes)
{
    HANDLE file = ::CreateFileA(path, GENERIC_READ, FILE_SHARE_READ, NULL, OPEN_EXISTING,
                                FILE_ATTRIBUTE_NORMAL, NULL);
    if (file == INVALID_HANDLE_VALUE)
        return false;
    DWORD high = 0;
    DWORD size = ::GetFileSize(file, &high);
    bool ok = size != INVALID_FILE_SIZE && high == 0 && size <= kMaxArchiveBytes;
    if (ok) {
        bytes.resize(size);
        DWORD read = 0;
        ok = size == 0 || (::ReadFile(file, bytes.data(), size, &read, NULL) && read == size);
    }
    ::CloseHandle(file);
    return ok;
}

void Names(CObList& list, const std::vector<std::string>& names)
{
    for (const std::string& name : names)
        list.AddTail(new JCFileName(FromStd(name)));
}

// A new, empty file in the folder of the path; FALSE when none can be made.
bool MakeFileBeside(const CString& path, CString& temp)
{
    // The system splits the path: a GBK trail byte may equal a backslash.
    char folder[MAX_PATH];
    LPSTR name = NULL;
    DWORD length = ::GetFullPathNameA(path, MAX_PATH, folder, &name);
    if (length == 0 || length >= MAX_PATH || name == NULL)
        return false;
    *name = '\0';
    char file[MAX_PATH];
    if (::GetTempFileNameA(folder, "job", 0, file) == 0)
        return false;
    temp = file;
    return true;
}

template <class Write>
bool WriteWholeFile(const CString& path, Write write)
{
    CFile file;
    if (!file.Open(path, CFile::modeCreate | CFile::modeWrite))
        return false;
    try {
        CArchive ar(&file, CArchive::store);
        write(ar);
        ar.Close();
        file.Close();
    } catch (CException* e) {
        e->Delete();
        file.Abort();
        return false;
    }
    return true;
}

// Writes into a new file beside the path and puts it in the path's place
// only when it was written whole, so that a failed save keeps the previous
// file.
template <class Write>
BOOL WriteArchive(const CString& path, Write write)
{
    CString temp;
    if (!MakeFileBeside(path, temp))
        return FALSE;
    if (WriteWholeFile(temp, write) &&
        ::MoveFileExA(temp, path, MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH))
        return TRUE;
    ::DeleteFileA(temp);
    return FALSE;
}

}  // namespace

BOOL ReadTaskFile(const CString& strPath, JCTask& task)
{
    std::vector<uint8_t> bytes;
    jobarchive::TaskRecord record;
    if (!ReadBytes(strPath, bytes) || !jobarchive::DecodeTask(bytes, record))
        return FALSE;
    task.m_dwTag = record.tag;
    task.m_tCreate = static_cast<__time32_t>(record.time);
    for (int i = 0; i < 6; i++)
        task.m_strText[i] = FromStd(record.texts[i]);
    task.m_nOwnerAccess = static_cast<int>(record.ownerAccess);
    task.m_nGroupAccess = static_cast<int>(record.groupAccess);
    task.JDeleteAllJob();
    Names(task.m_lstJob, record.jobs);
    task.m_strTaskFile = strPath;
    return TRUE;
}

BOOL ReadJobFile(const CString& strPath, JCJob& job)
{
    std::vector<uint8_t> bytes;
    jobarchive::JobRecord record;
    if (!ReadBytes(strPath, bytes) || !jobarchive::DecodeJob(bytes, record))
        return FALSE;
    job.m_dwTag = record.tag;
    job.m_tCreate = static_cast<__time32_t>(record.time);
    for (int i = 0; i < 5; i++)
        job.m_strText[i] = FromStd(record.texts[i]);
    job.m_nOwnerAccess = static_cast<int>(record.ownerAccess);
    job.m_nGroupAccess = static_cast<int>(record.groupAccess);
    job.m_strScanProfile = FromStd(record.scannerProfile);
    job.m_strPrintProfile = FromStd(record.printerProfile);
    job.m_strDisplayProfile = FromStd(record.displayProfile);
    job.JDeleteAllPage();
    job.JDeleteAllOrigin();
    job.JDeleteAllOutput();
    for (const jobarchive::PageRecord& r : record.pages) {
        JCPage* pPage = new JCPage;
        pPage->m_nNumber1 = static_cast<int>(r.number1);
        pPage->m_tTime = static_cast<__time32_t>(r.time);
        pPage->m_nNumber2 = static_cast<int>(r.number2);
        pPage->m_strDescription = FromStd(r.description);
        pPage->m_strFile = FromStd(r.file);
        Names(pPage->m_lstOrigin, r.origins);
        job.m_lstPage.AddTail(pPage);
    }
    for (const jobarchive::OriginRecord& r : record.origins) {
        JCOrigin* pOrigin = new JCOrigin;
        pOrigin->m_nFileType = static_cast<int>(r.typeCode);
        pOrigin->m_nNumber1 = static_cast<int>(r.number1);
        pOrigin->m_nNumber2 = static_cast<int>(r.number2);
        pOrigin->m_tTime = static_cast<__time32_t>(r.time);
        pOrigin->m_strDescription = FromStd(r.description);
        pOrigin->m_strPage = FromStd(r.ownerPage);
        pOrigin->m_strFile = FromStd(r.file);
        Names(pOrigin->m_lstPage, r.pages);
        job.m_lstOrigin.AddTail(pOrigin);
    }
    for (const jobarchive::OutputRecord& r : record.outputs) {
        JCOutput* pOutput = new JCOutput;
        pOutput->m_nFileType = static_cast<int>(r.typeCode);
        pOutput->m_tTime = static_cast<__time32_t>(r.time);
        pOutput->m_strPage = FromStd(r.ownerPage);
        pOutput->m_strFile = FromStd(r.file);
        job.m_lstOutput.AddTail(pOutput);
    }
    job.m_strJobFile = strPath;
    return TRUE;
}

BOOL WriteTaskFile(const CString& strPath, JCTask& task)
{
    return WriteArchive(strPath, [&task](CArchive& ar) { task.Serialize(ar); });
}

BOOL WriteJobFile(const CString& strPath, JCJob& job)
{
    return WriteArchive(strPath, [&job](CArchive& ar) { job.Serialize(ar); });
}

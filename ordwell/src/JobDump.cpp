#include "JobDump.h"

#include "General.h"
#include "JobFiles.h"
#include "JobText.h"
#include "Ordwell.h"
#include "resource.h"

#include <vector>

namespace {

const char* const kTables[] = {"ctl.cvt", "dto.cvt", "itd.cvt", "ltc.cvt", "ltr.cvt", "otd.cvt", "rtl.cvt"};

CString InFolder(const CString& strFolder, const CString& strName) { return strFolder + "\\" + strName; }

CString NameInFolder(const CString& strFolder, const CString& strReference)
{
    return strReference.IsEmpty() ? CString() : InFolder(strFolder, BareName(strReference));
}

bool IsFolder(const CString& strPath)
{
    DWORD attributes = ::GetFileAttributesA(strPath);
    return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY) != 0;
}

CString SystemErrorText(DWORD dwError)
{
    char* lpszText = NULL;
    DWORD n = ::FormatMessageA(FORMAT_MESSAGE_ALLOCATE_BUFFER | FORMAT_MESSAGE_FROM_SYSTEM |
                                   FORMAT_MESSAGE_IGNORE_INSERTS,
                               NULL, dwError, 0, reinterpret_cast<char*>(&lpszText), 0, NULL);
    CString text;
    if (n != 0 && lpszText != NULL)
        text = lpszText;
    else
        text.Format("%lu ", dwError);
    if (lpszText != NULL)
        ::LocalFree(lpszText);
    return text;
}

// Copies one file at a time under the progress dialog.
class CFileCopier {
public:
    explicit CFileCopier(int nFiles) : m_progress(0)
    {
        m_progress.Create(NULL);
        m_progress.SetRange(0, nFiles > 0 ? nFiles : 1);
        m_progress.SetStep(1);
    }

    // Copies over the target; a failure is told with the system's text and
    // the source. FALSE when the cancel button was pressed and confirmed.
    BOOL Copy(const CString& strSource, const CString& strTarget)
    {
        if (!::CopyFileA(strSource, strTarget, FALSE))
            AfxMessageBox(SystemErrorText(::GetLastError()) + strSource, MB_OK);
        m_progress.StepIt();
        return !m_progress.CheckCancelButton() || AfxMessageBox(IDS_CONFIRM_CANCEL, MB_YESNO) != IDYES;
    }

private:
    CProgressDlg m_progress;
};

template <class T>
T* At(CObList& list, POSITION& pos)
{
    return static_cast<T*>(list.GetNext(pos));
}

void AddNames(CObList& to, CObList& from, const CString& strFolder)
{
    for (POSITION pos = from.GetHeadPosition(); pos != NULL;) {
        CString name = BareName(At<JCFileName>(from, pos)->m_strPath);
        to.AddTail(new JCFileName(strFolder.IsEmpty() ? name : InFolder(strFolder, name)));
    }
}

// The owning page of an original: its bare name, or in the folder; "None"
// and an empty reference stay as they are.
CString OwningPage(const CString& strPage, const CString& strFolder)
{
    if (strPage == "None" || strPage.IsEmpty())
        return strPage;
    return strFolder.IsEmpty() ? BareName(strPage) : InFolder(strFolder, BareName(strPage));
}

// ---------------------------------------------------------------------------
// Dump

// The files that a dump copies: the existing profiles, and the existing
// pages, originals and outputs of the chosen parts.
std::vector<CString> FilesToDump(JCJob& job, BOOL bOrigins, BOOL bOutputs)
{
    std::vector<CString> files;
    for (const CString* pProfile : {&job.m_strScanProfile, &job.m_strPrintProfile, &job.m_strDisplayProfile})
        if (!pProfile->IsEmpty() && IsFileExist(*pProfile))
            files.push_back(*pProfile);
    if (bOrigins) {
        for (POSITION pos = job.m_lstPage.GetHeadPosition(); pos != NULL;) {
            const CString& file = At<JCPage>(job.m_lstPage, pos)->m_strFile;
            if (IsFileExist(file))
                files.push_back(file);
        }
        for (POSITION pos = job.m_lstOrigin.GetHeadPosition(); pos != NULL;) {
            const CString& file = At<JCOrigin>(job.m_lstOrigin, pos)->m_strFile;
            if (IsFileExist(file))
                files.push_back(file);
        }
    }
    if (bOutputs) {
        for (POSITION pos = job.m_lstOutput.GetHeadPosition(); pos != NULL;) {
            const CString& file = At<JCOutput>(job.m_lstOutput, pos)->m_strFile;
            if (IsFileExist(file))
                files.push_back(file);
        }
    }
    return files;
}

// In one flat folder two different files of the same name would overwrite
// each other: the user is told of the first such pair.
BOOL NamesAreDistinct(const std::vector<CString>& files)
{
    for (size_t i = 0; i < files.size(); i++) {
        for (size_t j = i + 1; j < files.size(); j++) {
            if (SameTextNoCase(BareName(files[i]), BareName(files[j])) && !SameTextNoCase(files[i], files[j])) {
                CString message;
                message.Format(IDS_DUMP_NAME_CLASH, (LPCTSTR)files[i], (LPCTSTR)files[j]);
                AfxMessageBox(message, MB_OK);
                return FALSE;
            }
        }
    }
    return TRUE;
}

// Copies an existing file to its name in the folder, or tells that it is
// missing. FALSE on a confirmed cancel.
BOOL CopyInto(CFileCopier& copier, const CString& strFile, const CString& strFolder, BOOL& bExists)
{
    bExists = IsFileExist(strFile);
    if (!bExists) {
        JCopyFailedMessage(strFile);
        return TRUE;
    }
    return copier.Copy(strFile, InFolder(strFolder, BareName(strFile)));
}

BOOL DumpProfiles(CFileCopier& copier, JCJob& job, JCJob& dump, const CString& strTarget)
{
    CString* profiles[] = {&job.m_strScanProfile, &job.m_strPrintProfile, &job.m_strDisplayProfile};
    CString* dumped[] = {&dump.m_strScanProfile, &dump.m_strPrintProfile, &dump.m_strDisplayProfile};
    for (int i = 0; i < 3; i++) {
        *dumped[i] = BareName(*profiles[i]);
        BOOL bExists;
        if (!profiles[i]->IsEmpty() && !CopyInto(copier, *profiles[i], strTarget, bExists))
            return FALSE;
    }
    return TRUE;
}

BOOL DumpPagesAndOrigins(CFileCopier& copier, JCJob& job, JCJob& dump, const CString& strTarget)
{
    for (POSITION pos = job.m_lstPage.GetHeadPosition(); pos != NULL;) {
        JCPage* pPage = At<JCPage>(job.m_lstPage, pos);
        if (!IsFileExist(pPage->m_strFile)) {
            JCopyFailedMessage(pPage->m_strFile);
            continue;
        }
        JCPage* pCopy = new JCPage;
        pCopy->m_nNumber1 = pPage->m_nNumber1;
        pCopy->m_tTime = pPage->m_tTime;
        pCopy->m_nNumber2 = pPage->m_nNumber2;
        pCopy->m_strDescription = pPage->m_strDescription;
        pCopy->m_strFile = BareName(pPage->m_strFile);
        AddNames(pCopy->m_lstOrigin, pPage->m_lstOrigin, CString());
        if (!dump.JAddPage(pCopy))
            delete pCopy;
        BOOL bExists;
        if (!CopyInto(copier, pPage->m_strFile, strTarget, bExists))
            return FALSE;
    }
    for (POSITION pos = job.m_lstOrigin.GetHeadPosition(); pos != NULL;) {
        JCOrigin* pOrigin = At<JCOrigin>(job.m_lstOrigin, pos);
        if (!IsFileExist(pOrigin->m_strFile)) {
            JCopyFailedMessage(pOrigin->m_strFile);
            continue;
        }
        JCOrigin* pCopy = new JCOrigin;
        pCopy->m_nFileType = pOrigin->m_nFileType;
        pCopy->m_nNumber1 = pOrigin->m_nNumber1;
        pCopy->m_nNumber2 = pOrigin->m_nNumber2;
        pCopy->m_tTime = pOrigin->m_tTime;
        pCopy->m_strDescription = pOrigin->m_strDescription;
        pCopy->m_strPage = OwningPage(pOrigin->m_strPage, CString());
        pCopy->m_strFile = BareName(pOrigin->m_strFile);
        AddNames(pCopy->m_lstPage, pOrigin->m_lstPage, CString());
        if (!dump.JAddOrigin(pCopy))
            delete pCopy;
        BOOL bExists;
        if (!CopyInto(copier, pOrigin->m_strFile, strTarget, bExists))
            return FALSE;
    }
    return TRUE;
}

BOOL DumpOutputs(CFileCopier& copier, JCJob& job, JCJob& dump, const CString& strTarget)
{
    for (POSITION pos = job.m_lstOutput.GetHeadPosition(); pos != NULL;) {
        JCOutput* pOutput = At<JCOutput>(job.m_lstOutput, pos);
        if (!IsFileExist(pOutput->m_strFile)) {
            JCopyFailedMessage(pOutput->m_strFile);
            continue;
        }
        JCOutput* pCopy = new JCOutput;
        pCopy->m_nFileType = pOutput->m_nFileType;
        pCopy->m_tTime = pOutput->m_tTime;
        pCopy->m_strPage = BareName(pOutput->m_strPage);
        pCopy->m_strFile = BareName(pOutput->m_strFile);
        if (!dump.JAddOutput(pCopy))
            delete pCopy;
        BOOL bExists;
        if (!CopyInto(copier, pOutput->m_strFile, strTarget, bExists))
            return FALSE;
    }
    return TRUE;
}

// The tables come from the job's folder when it holds all seven, else from
// the system colour folder. A failed copy is not told.
void CopyTables(const CString& strFrom, const CString& strTo)
{
    for (const char* table : kTables)
        ::CopyFileA(InFolder(strFrom, table), InFolder(strTo, table), FALSE);
}

CString TableSource(const CString& strJobFolder)
{
    for (const char* table : kTables)
        if (!IsFileExist(InFolder(strJobFolder, table)))
            return CString(GenGetProgramFolder()) + "\\..\\color";
    return strJobFolder;
}

// The target without a trailing backslash (a drive root keeps its own).
CString FolderWithoutSlash(const CString& strFolder)
{
    CString folder = strFolder;
    if (folder.GetLength() > 3 && LastBackslash(folder) == folder.GetLength() - 1)
        folder = folder.Left(folder.GetLength() - 1);
    return folder;
}

// ---------------------------------------------------------------------------
// Load

BOOL CopyFromDump(CFileCopier& copier, const CString& strSource, const CString& strTarget, BOOL& bCopied)
{
    bCopied = IsFileExist(strSource);
    if (!bCopied) {
        JCopyFailedMessage(strSource);
        return TRUE;
    }
    return copier.Copy(strSource, strTarget);
}

int FilesInDump(JCJob& dump)
{
    return 3 + dump.m_lstPage.GetCount() + dump.m_lstOrigin.GetCount() + dump.m_lstOutput.GetCount();
}

BOOL LoadProfiles(CFileCopier& copier, JCJob& dump, JCJob& job, const CString& strDumpFolder,
                  const CString& strJobFolder)
{
    CString* loaded[] = {&job.m_strScanProfile, &job.m_strPrintProfile, &job.m_strDisplayProfile};
    const CString* names[] = {&dump.m_strScanProfile, &dump.m_strPrintProfile, &dump.m_strDisplayProfile};
    for (int i = 0; i < 3; i++) {
        // An empty profile stays empty: it names no file in the job folder.
        *loaded[i] = NameInFolder(strJobFolder, *names[i]);
        BOOL bCopied;
        if (!names[i]->IsEmpty() &&
            !CopyFromDump(copier, NameInFolder(strDumpFolder, *names[i]), *loaded[i], bCopied))
            return FALSE;
    }
    return TRUE;
}

BOOL LoadLists(CFileCopier& copier, JCJob& dump, JCJob& job, const CString& strDumpFolder,
               const CString& strJobFolder)
{
    for (POSITION pos = dump.m_lstPage.GetHeadPosition(); pos != NULL;) {
        JCPage* pPage = At<JCPage>(dump.m_lstPage, pos);
        const CString source = NameInFolder(strDumpFolder, pPage->m_strFile);
        if (pPage->m_strFile.IsEmpty() || !IsFileExist(source)) {
            JCopyFailedMessage(source);
            continue;
        }
        JCPage* pLoaded = new JCPage;
        pLoaded->m_nNumber1 = pPage->m_nNumber1;
        pLoaded->m_tTime = pPage->m_tTime;
        pLoaded->m_nNumber2 = pPage->m_nNumber2;
        pLoaded->m_strDescription = pPage->m_strDescription;
        pLoaded->m_strFile = NameInFolder(strJobFolder, pPage->m_strFile);
        AddNames(pLoaded->m_lstOrigin, pPage->m_lstOrigin, strJobFolder);
        const CString target = pLoaded->m_strFile;
        if (!job.JAddPage(pLoaded))
            delete pLoaded;
        BOOL bCopied;
        if (!CopyFromDump(copier, source, target, bCopied))
            return FALSE;
    }
    for (POSITION pos = dump.m_lstOrigin.GetHeadPosition(); pos != NULL;) {
        JCOrigin* pOrigin = At<JCOrigin>(dump.m_lstOrigin, pos);
        const CString source = NameInFolder(strDumpFolder, pOrigin->m_strFile);
        if (pOrigin->m_strFile.IsEmpty() || !IsFileExist(source)) {
            JCopyFailedMessage(source);
            continue;
        }
        JCOrigin* pLoaded = new JCOrigin;
        pLoaded->m_nFileType = pOrigin->m_nFileType;
        pLoaded->m_nNumber1 = pOrigin->m_nNumber1;
        pLoaded->m_nNumber2 = pOrigin->m_nNumber2;
        pLoaded->m_tTime = pOrigin->m_tTime;
        pLoaded->m_strDescription = pOrigin->m_strDescription;
        pLoaded->m_strPage = OwningPage(pOrigin->m_strPage, strJobFolder);
        pLoaded->m_strFile = NameInFolder(strJobFolder, pOrigin->m_strFile);
        AddNames(pLoaded->m_lstPage, pOrigin->m_lstPage, strJobFolder);
        const CString target = pLoaded->m_strFile;
        if (!job.JAddOrigin(pLoaded))
            delete pLoaded;
        BOOL bCopied;
        if (!CopyFromDump(copier, source, target, bCopied))
            return FALSE;
    }
    for (POSITION pos = dump.m_lstOutput.GetHeadPosition(); pos != NULL;) {
        JCOutput* pOutput = At<JCOutput>(dump.m_lstOutput, pos);
        const CString source = NameInFolder(strDumpFolder, pOutput->m_strFile);
        if (pOutput->m_strFile.IsEmpty() || !IsFileExist(source)) {
            JCopyFailedMessage(source);
            continue;
        }
        JCOutput* pLoaded = new JCOutput;
        pLoaded->m_nFileType = pOutput->m_nFileType;
        pLoaded->m_tTime = pOutput->m_tTime;
        pLoaded->m_strPage = NameInFolder(strJobFolder, pOutput->m_strPage);
        pLoaded->m_strFile = NameInFolder(strJobFolder, pOutput->m_strFile);
        const CString target = pLoaded->m_strFile;
        if (!job.JAddOutput(pLoaded))
            delete pLoaded;
        BOOL bCopied;
        if (!CopyFromDump(copier, source, target, bCopied))
            return FALSE;
    }
    return TRUE;
}

}  // namespace

CString BareName(const CString& strPath)
{
    CString name = JCFileName(strPath).GetPureName();
    // '/' and ':' are below the range of GBK trail bytes.
    int cut = name.FindOneOf("/:");
    while (cut >= 0) {
        name = name.Mid(cut + 1);
        cut = name.FindOneOf("/:");
    }
    return name;
}

BOOL DumpJobFiles(JCJob& job, const CString& strTargetFolder, BOOL bOrigins, BOOL bOutputs)
{
    const CString target = FolderWithoutSlash(strTargetFolder);
    if (!IsFolder(target)) {
        AfxMessageBox(IDS_DUMP_CREATE_FAILED, MB_OK);
        return FALSE;
    }
    std::vector<CString> files = FilesToDump(job, bOrigins, bOutputs);
    if (!NamesAreDistinct(files))
        return FALSE;

    CFileCopier copier(static_cast<int>(files.size()));
    JCJob dump;
    dump.m_dwTag = job.m_dwTag;
    dump.m_tCreate = job.m_tCreate;
    for (int i = 0; i < 5; i++)
        dump.m_strText[i] = job.m_strText[i];
    dump.m_nOwnerAccess = job.m_nOwnerAccess;
    dump.m_nGroupAccess = job.m_nGroupAccess;
    if (!DumpProfiles(copier, job, dump, target))
        return FALSE;
    if (bOrigins && !DumpPagesAndOrigins(copier, job, dump, target))
        return FALSE;
    if (bOutputs && !DumpOutputs(copier, job, dump, target))
        return FALSE;

    CString name = JCFileName(target).GetPureName();
    if (!WriteJobFile(InFolder(target, name + ".dmp"), dump)) {
        AfxMessageBox(IDS_DUMP_CREATE_FAILED, MB_OK);
        return FALSE;
    }
    const CString jobFolder = JCFileName(job.m_strJobFile).GetPath();
    CopyTables(TableSource(jobFolder), target);
    return TRUE;
}

BOOL LoadJobFiles(JCJob& job, const CString& strDumpFile)
{
    JCJob dump;
    // The file is looked at before the progress shows, so that a missing
    // dump is told without a window behind the message.
    if (!ReadJobFile(strDumpFile, dump)) {
        AfxMessageBox(IDS_DUMP_MISSING, MB_OK);
        return FALSE;
    }
    CFileCopier copier(FilesInDump(dump));
    job.m_dwTag = dump.m_dwTag;
    job.m_tCreate = dump.m_tCreate;
    for (int i = 0; i < 5; i++)
        job.m_strText[i] = dump.m_strText[i];
    job.m_nOwnerAccess = dump.m_nOwnerAccess;
    job.m_nGroupAccess = dump.m_nGroupAccess;

    const CString dumpFolder = JCFileName(strDumpFile).GetPath();
    const CString jobFolder = JCFileName(job.m_strJobFile).GetPath();
    if (!LoadProfiles(copier, dump, job, dumpFolder, jobFolder) || !LoadLists(copier, dump, job, dumpFolder, jobFolder))
        return FALSE;
    CopyTables(dumpFolder, jobFolder);
    return TRUE;
}

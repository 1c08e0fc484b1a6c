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

// The reference's bare name, in the folder when one is given; an empty
// reference stays empty.
CString NamedIn(const CString& strFolder, const CString& strReference)
{
    if (strFolder.IsEmpty())
        return BareName(strReference);
    return NameInFolder(strFolder, strReference);
}

void AddNames(CObList& to, const CObList& from, const CString& strFolder)
{
    for (POSITION pos = from.GetHeadPosition(); pos != NULL;)
        to.AddTail(new JCFileName(NamedIn(strFolder, static_cast<const JCFileName*>(from.GetNext(pos))->m_strPath)));
}

// The owning page of an original as NamedIn gives it; "None" stays "None".
CString OwningPage(const CString& strPage, const CString& strFolder)
{
    return strPage == "None" ? strPage : NamedIn(strFolder, strPage);
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

// TRUE when the file is there; a missing one is told.
BOOL IsThere(const CString& strFile)
{
    if (IsFileExist(strFile))
        return TRUE;
    JCopyFailedMessage(strFile);
    return FALSE;
}

// Adds an entry to the job (a duplicate the list refuses is dropped), then
// copies its file. FALSE on a confirmed cancel.
template <class T>
BOOL AddAndCopy(CFileCopier& copier, JCJob& job, int (JCJob::*add)(T*), T* pItem, const CString& strSource,
                const CString& strTarget)
{
    if (!(job.*add)(pItem))
        delete pItem;
    return copier.Copy(strSource, strTarget);
}

BOOL DumpProfiles(CFileCopier& copier, JCJob& job, JCJob& dump, const CString& strTarget)
{
    CString* profiles[] = {&job.m_strScanProfile, &job.m_strPrintProfile, &job.m_strDisplayProfile};
    CString* dumped[] = {&dump.m_strScanProfile, &dump.m_strPrintProfile, &dump.m_strDisplayProfile};
    for (int i = 0; i < 3; i++) {
        *dumped[i] = BareName(*profiles[i]);
        if (!profiles[i]->IsEmpty() && IsThere(*profiles[i]) &&
            !copier.Copy(*profiles[i], InFolder(strTarget, *dumped[i])))
            return FALSE;
    }
    return TRUE;
}

// Copies of a page, an original and an output whose file references are
// their bare names, in the folder when one is given.
JCPage* PageIn(const JCPage& page, const CString& strFolder)
{
    JCPage* pCopy = new JCPage;
    pCopy->m_nNumber1 = page.m_nNumber1;
    pCopy->m_tTime = page.m_tTime;
    pCopy->m_nNumber2 = page.m_nNumber2;
    pCopy->m_strDescription = page.m_strDescription;
    pCopy->m_strFile = NamedIn(strFolder, page.m_strFile);
    AddNames(pCopy->m_lstOrigin, page.m_lstOrigin, strFolder);
    return pCopy;
}

JCOrigin* OriginIn(const JCOrigin& origin, const CString& strFolder)
{
    JCOrigin* pCopy = new JCOrigin;
    pCopy->m_nFileType = origin.m_nFileType;
    pCopy->m_nNumber1 = origin.m_nNumber1;
    pCopy->m_nNumber2 = origin.m_nNumber2;
    pCopy->m_tTime = origin.m_tTime;
    pCopy->m_strDescription = origin.m_strDescription;
    pCopy->m_strPage = OwningPage(origin.m_strPage, strFolder);
    pCopy->m_strFile = NamedIn(strFolder, origin.m_strFile);
    AddNames(pCopy->m_lstPage, origin.m_lstPage, strFolder);
    return pCopy;
}

JCOutput* OutputIn(const JCOutput& output, const CString& strFolder)
{
    JCOutput* pCopy = new JCOutput;
    pCopy->m_nFileType = output.m_nFileType;
    pCopy->m_tTime = output.m_tTime;
    pCopy->m_strPage = NamedIn(strFolder, output.m_strPage);
    pCopy->m_strFile = NamedIn(strFolder, output.m_strFile);
    return pCopy;
}

// Each entry whose file is there goes into the dump with bare names, and its
// file into the target.
template <class T>
BOOL DumpList(CFileCopier& copier, CObList& list, JCJob& dump, int (JCJob::*add)(T*),
              T* (*copyOf)(const T&, const CString&), const CString& strTarget)
{
    for (POSITION pos = list.GetHeadPosition(); pos != NULL;) {
        T* pItem = At<T>(list, pos);
        if (IsThere(pItem->m_strFile) && !AddAndCopy(copier, dump, add, copyOf(*pItem, CString()), pItem->m_strFile,
                                                     InFolder(strTarget, BareName(pItem->m_strFile))))
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
        if (names[i]->IsEmpty())
            continue;
        const CString source = NameInFolder(strDumpFolder, *names[i]);
        if (IsThere(source) && !copier.Copy(source, *loaded[i]))
            return FALSE;
    }
    return TRUE;
}

// Each entry of the dump whose file is in the dump folder joins the job with
// its names in the job folder, and its file is copied there.
template <class T>
BOOL LoadList(CFileCopier& copier, CObList& list, JCJob& job, int (JCJob::*add)(T*),
              T* (*copyOf)(const T&, const CString&), const CString& strDumpFolder, const CString& strJobFolder)
{
    for (POSITION pos = list.GetHeadPosition(); pos != NULL;) {
        T* pItem = At<T>(list, pos);
        const CString source = InFolder(strDumpFolder, BareName(pItem->m_strFile));
        if (pItem->m_strFile.IsEmpty()) {
            JCopyFailedMessage(source);
            continue;
        }
        if (IsThere(source) && !AddAndCopy(copier, job, add, copyOf(*pItem, strJobFolder), source,
                                           NameInFolder(strJobFolder, pItem->m_strFile)))
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
    if (bOrigins && (!DumpList(copier, job.m_lstPage, dump, &JCJob::JAddPage, PageIn, target) ||
                     !DumpList(copier, job.m_lstOrigin, dump, &JCJob::JAddOrigin, OriginIn, target)))
        return FALSE;
    if (bOutputs && !DumpList(copier, job.m_lstOutput, dump, &JCJob::JAddOutput, OutputIn, target))
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
    if (!LoadProfiles(copier, dump, job, dumpFolder, jobFolder) ||
        !LoadList(copier, dump.m_lstPage, job, &JCJob::JAddPage, PageIn, dumpFolder, jobFolder) ||
        !LoadList(copier, dump.m_lstOrigin, job, &JCJob::JAddOrigin, OriginIn, dumpFolder, jobFolder) ||
        !LoadList(copier, dump.m_lstOutput, job, &JCJob::JAddOutput, OutputIn, dumpFolder, jobFolder))
        return FALSE;
    CopyTables(dumpFolder, jobFolder);
    return TRUE;
}

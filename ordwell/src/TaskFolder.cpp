#include "TaskFolder.h"

#include "JobMain.h"
#include "JobModel.h"
#include "RootFolder.h"
#include "resource.h"

CString CurrentTaskFolder()
{
    JCJobMain* pMain = JCJobMain::Instance();
    return pMain != NULL ? pMain->m_strTaskPath : CString();
}

BOOL FillTaskList(CListBox& list)
{
    std::vector<CString> names;
    if (!ListTaskFiles(CurrentTaskFolder(), names)) {
        AfxMessageBox(IDS_TASK_PATH_INVALID, MB_OK);
        return FALSE;
    }
    for (const CString& name : names)
        list.AddString(name);
    return TRUE;
}

BOOL ListTaskFiles(const CString& strFolder, std::vector<CString>& names)
{
    WIN32_FIND_DATAA found;
    HANDLE find = ::FindFirstFileA(strFolder + "\\*", &found);
    if (find == INVALID_HANDLE_VALUE)
        return FALSE;
    do {
        CString name(found.cFileName);
        // "." and ".." are named, not assumed first: a drive root has neither.
        if (name == "." || name == ".." || found.dwFileAttributes == FILE_ATTRIBUTE_DIRECTORY)
            continue;
        if (name.GetLength() >= 4 && name.Right(4) == ".tsk")
            names.push_back(name);
    } while (::FindNextFileA(find, &found));
    ::FindClose(find);
    return TRUE;
}

CString JobFileOfFolder(const CString& strJobFolder)
{
    return strJobFolder + "\\" + JCFileName(strJobFolder).GetPureName() + ".job";
}

BOOL DeleteJobFolder(const CString& strPath)
{
    if (IsRootOrEmptyFolder(strPath))
        return FALSE;
    DWORD attributes = ::GetFileAttributesA(strPath);
    if (attributes == INVALID_FILE_ATTRIBUTES || (attributes & FILE_ATTRIBUTE_DIRECTORY) == 0)
        return FALSE;
    WIN32_FIND_DATAA found;
    HANDLE find = ::FindFirstFileA(strPath + "\\*.*", &found);
    if (find != INVALID_HANDLE_VALUE) {
        do {
            if ((found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) == 0)
                ::DeleteFileA(strPath + "\\" + found.cFileName);
        } while (::FindNextFileA(find, &found));
        ::FindClose(find);
    }
    ::RemoveDirectoryA(strPath);
    return TRUE;
}

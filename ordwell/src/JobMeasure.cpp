#include "JobMeasure.h"

ULONGLONG FileBytes(const CString& strPath)
{
    if (strPath.IsEmpty())
        return 0;
    HANDLE file = ::CreateFileA(strPath, GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, NULL, OPEN_EXISTING,
                                FILE_ATTRIBUTE_NORMAL, NULL);
    if (file == INVALID_HANDLE_VALUE)
        return 0;
    LARGE_INTEGER size;
    BOOL ok = ::GetFileSizeEx(file, &size);
    ::CloseHandle(file);
    return ok && size.QuadPart > 0 ? static_cast<ULONGLONG>(size.QuadPart) : 0;
}

JobBytes MeasureJob(JCJob& job)
{
    JobBytes bytes = {0, 0};
    for (POSITION pos = job.m_lstOrigin.GetHeadPosition(); pos != NULL;)
        bytes.job += FileBytes(static_cast<JCOrigin*>(job.m_lstOrigin.GetNext(pos))->m_strFile);
    for (POSITION pos = job.m_lstPage.GetHeadPosition(); pos != NULL;)
        bytes.job += FileBytes(static_cast<JCPage*>(job.m_lstPage.GetNext(pos))->m_strFile);
    bytes.job += FileBytes(job.m_strScanProfile) + FileBytes(job.m_strPrintProfile) + FileBytes(job.m_strDisplayProfile);
    for (POSITION pos = job.m_lstOutput.GetHeadPosition(); pos != NULL;)
        bytes.output += FileBytes(static_cast<JCOutput*>(job.m_lstOutput.GetNext(pos))->m_strFile);
    return bytes;
}

#include "JobInitFile.h"

#include "General.h"
#include "resource.h"

CJobInitFile::CJobInitFile() {}
CJobInitFile::~CJobInitFile() {}

void CJobInitFile::Prepare(UINT nSection, UINT nKey)
{
    m_strProgramFolder = GenGetProgramFolder();
    m_strFileName.LoadString(IDS_JOB_INI_FILE);
    m_strFilePath = m_strProgramFolder + "\\" + m_strFileName;
    m_strSection.LoadString(nSection);
    m_strKey.LoadString(nKey);
}

int CJobInitFile::GetInitFileItem(UINT nSection, UINT nKey, CString& strValue, int nSize)
{
    Prepare(nSection, nKey);
    DWORD size = nSize > 2 ? static_cast<DWORD>(nSize) : 256;
    for (;;) {
        DWORD read = ::GetPrivateProfileStringA(m_strSection, m_strKey, "", strValue.GetBuffer(size), size,
                                                m_strFilePath);
        strValue.ReleaseBuffer(static_cast<int>(read));
        // A full buffer means the value may have been cut: read again larger.
        if (read + 1 < size || size >= (1u << 20))
            return static_cast<int>(read);
        size *= 4;
    }
}

int CJobInitFile::GetInitFileItemInt(UINT nSection, UINT nKey)
{
    Prepare(nSection, nKey);
    return static_cast<int>(::GetPrivateProfileIntA(m_strSection, m_strKey, 0, m_strFilePath));
}

int CJobInitFile::SetInitFileItem(UINT nSection, UINT nKey, CString& strValue, int)
{
    Prepare(nSection, nKey);
    return ::WritePrivateProfileStringA(m_strSection, m_strKey, strValue, m_strFilePath);
}

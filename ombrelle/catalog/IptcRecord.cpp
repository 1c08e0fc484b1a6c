#include "IptcRecord.h"

#include "IptcParser.h"

#include <windows.h>

#include <new>
#include <string>
#include <vector>

namespace {

// Reads a whole file; false when it cannot be opened or read whole. With
// bJfifOnly a file that does not begin with the JFIF signature is refused
// from its first bytes, so a large picture of another kind is not read.
bool ReadWholeFile(LPCTSTR lpszPath, bool bJfifOnly, iptc::Bytes& bytes)
{
    HANDLE hFile = ::CreateFileA(lpszPath, GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, NULL, OPEN_EXISTING,
                                 FILE_ATTRIBUTE_NORMAL, NULL);
    if (hFile == INVALID_HANDLE_VALUE)
        return false;
    bool bOk = false;
    LARGE_INTEGER size;
    if (::GetFileSizeEx(hFile, &size) && size.QuadPart < 0x7FFFFFFF) {
        try {
            const DWORD dwSize = static_cast<DWORD>(size.QuadPart);
            const DWORD dwFirst = dwSize < 11 ? dwSize : 11;
            bytes.resize(dwFirst);
            DWORD dwRead = 0, dwRest = 0;
            bOk = dwFirst == 0 || (::ReadFile(hFile, bytes.data(), dwFirst, &dwRead, NULL) && dwRead == dwFirst);
            if (bOk && bJfifOnly)
                bOk = iptc::HasJfifSignature(bytes);
            if (bOk && dwSize > dwFirst) {
                bytes.resize(dwSize);
                bOk = ::ReadFile(hFile, bytes.data() + dwFirst, dwSize - dwFirst, &dwRest, NULL) &&
                      dwRest == dwSize - dwFirst;
            }
        } catch (const std::bad_alloc&) {
            bOk = false;
        }
    }
    ::CloseHandle(hFile);
    return bOk;
}

// Writes the bytes to a new file beside the picture and puts it in the
// picture's place only when it was written whole; the new file takes the
// picture's creation time.
bool ReplaceFileBytes(LPCTSTR lpszPath, const iptc::Bytes& bytes)
{
    WIN32_FILE_ATTRIBUTE_DATA original;
    if (!::GetFileAttributesExA(lpszPath, GetFileExInfoStandard, &original))
        return false;
    // The system splits the path: a GBK trail byte may equal a backslash.
    char szFolder[MAX_PATH];
    LPSTR lpszName = NULL;
    DWORD dwLength = ::GetFullPathNameA(lpszPath, MAX_PATH, szFolder, &lpszName);
    if (dwLength == 0 || dwLength >= MAX_PATH || lpszName == NULL)
        return false;
    *lpszName = '\0';
    char szTemp[MAX_PATH];
    if (::GetTempFileNameA(szFolder, "ipt", 0, szTemp) == 0)
        return false;
    HANDLE hFile = ::CreateFileA(szTemp, GENERIC_WRITE, 0, NULL, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, NULL);
    bool bWritten = false;
    if (hFile != INVALID_HANDLE_VALUE) {
        DWORD dwWritten = 0;
        bWritten = ::WriteFile(hFile, bytes.data(), static_cast<DWORD>(bytes.size()), &dwWritten, NULL) &&
                   dwWritten == bytes.size() && ::FlushFileBuffers(hFile);
        ::SetFileTime(hFile, &original.ftCreationTime, NULL, NULL);
        bWritten = ::CloseHandle(hFile) && bWritten;
    }
    if (bWritten && ::MoveFileExA(szTemp, lpszPath, MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH))
        return true;
    ::DeleteFileA(szTemp);
    return false;
}

}  // namespace

CIptcRecord::CIptcRecord() {}

CIptcRecord::~CIptcRecord() {}

BOOL CIptcRecord::ReadFromJpeg(LPCTSTR lpszPath)
{
    // The language and the envelope texts stay as they were.
    m_strByline.Empty();
    m_strBylineTitle.Empty();
    m_strCredit.Empty();
    m_strSource.Empty();
    m_strWriter.Empty();
    m_strCaption.Empty();
    m_strHeadline.Empty();
    m_strSpecialInstructions.Empty();
    m_strObjectName.Empty();
    m_strDateCreated.Empty();
    m_strCity.Empty();
    m_strProvinceState.Empty();
    m_strCountry.Empty();
    m_strOriginalTransmission.Empty();
    m_strCategory.Empty();
    m_arrSupplementalCategories.RemoveAll();
    m_arrKeywords.RemoveAll();
    m_strCopyright.Empty();

    iptc::Bytes file;
    if (!ReadWholeFile(lpszPath, true, file))
        return FALSE;
    std::vector<iptc::Dataset> datasets;
    switch (iptc::ReadIptc(file, datasets)) {
    case iptc::Read::Done:
        break;
    case iptc::Read::NoSegment:
    case iptc::Read::Malformed:
        return TRUE;  // a picture without IPTC, or with IPTC data that cannot be trusted
    default:
        return FALSE;
    }
    for (const iptc::Dataset& dataset : datasets)
        StoreDataset(dataset.record, dataset.number,
                     CString(dataset.value.data(), static_cast<int>(dataset.value.size())));
    return TRUE;
}

void CIptcRecord::StoreDataset(int nRecord, int nNumber, const CString& strValue)
{
    CStringArray* pList = NULL;
    switch (nNumber) {
    case 80:
    case 230:
        m_strByline = strValue;
        break;
    case 85:
        m_strBylineTitle = strValue;
        break;
    case 110:
        m_strCredit = strValue;
        break;
    case 115:
        m_strSource = strValue;
        break;
    case 122:
        m_strWriter = strValue;
        break;
    case 120:
        m_strCaption = strValue;
        break;
    case 105:
        m_strHeadline = strValue;
        break;
    case 55:
        m_strDateCreated = strValue;
        break;
    case 90:
        m_strCity = strValue;
        break;
    case 95:
    case 7:
        m_strProvinceState = strValue;
        break;
    case 101:
        m_strCountry = strValue;
        break;
    case 103:
        m_strOriginalTransmission = strValue;
        break;
    case 15:
        m_strCategory = strValue;
        break;
    case 116:
        m_strCopyright = strValue;
        break;
    case 20:
        pList = &m_arrSupplementalCategories;
        break;
    case 25:
        pList = &m_arrKeywords;
        break;
    case 5:
        if (nRecord == 2)
            m_strObjectName = strValue;
        else if (nRecord == 1)
            m_strDestination = strValue;
        break;
    case 40:
        if (nRecord == 2)
            m_strSpecialInstructions = strValue;
        else if (nRecord == 1)
            m_strEnvelopeNumber = strValue;
        break;
    case 135:
        if (nRecord == 2)
            m_strLanguage = strValue;
        break;
    case 30:
        if (nRecord == 1)
            m_strServiceId = strValue;
        break;
    case 50:
        if (nRecord == 1)
            m_strProductId = strValue;
        break;
    case 60:
        if (nRecord == 1)
            m_strEnvelopePriority = strValue;
        break;
    default:
        break;
    }
    if (pList != NULL) {
        // Set through the element, so that a value holding a zero byte stays whole.
        int nIndex = pList->GetSize();
        pList->SetSize(nIndex + 1);
        pList->ElementAt(nIndex) = strValue;
    }
}

BOOL CIptcRecord::WriteToJpeg(LPCTSTR lpszPath)
{
    iptc::Bytes file;
    if (!ReadWholeFile(lpszPath, false, file))
        return FALSE;

    auto text = [](const CString& str) { return std::string(static_cast<LPCTSTR>(str), str.GetLength()); };
    // Built in this order; each lands in front of the ones before it.
    std::vector<iptc::Dataset> datasets = {
        {2, 80, text(m_strByline)},
        {2, 85, text(m_strBylineTitle)},
        {2, 110, text(m_strCredit)},
        {2, 115, text(m_strSource)},
        {2, 5, text(m_strObjectName)},
        {2, 55, text(m_strDateCreated)},
        {2, 90, text(m_strCity)},
        {2, 95, text(m_strProvinceState)},
        {2, 101, text(m_strCountry)},
        {2, 103, text(m_strOriginalTransmission)},
        {2, 120, text(m_strCaption)},
        {2, 122, text(m_strWriter)},
        {2, 105, text(m_strHeadline)},
        {2, 40, text(m_strSpecialInstructions)},
        {2, 116, text(m_strCopyright)},
        {2, 15, text(m_strCategory)},
    };
    for (int i = 0; i < m_arrSupplementalCategories.GetSize(); ++i)
        datasets.push_back({2, 20, text(m_arrSupplementalCategories[i])});
    for (int i = 0; i < m_arrKeywords.GetSize(); ++i)
        datasets.push_back({2, 25, text(m_arrKeywords[i])});

    iptc::Bytes block;
    if (!iptc::BuildDatasetBlock(datasets, block))
        return FALSE;
    iptc::Bytes updated;
    switch (iptc::ReplaceDatasetBlock(file, block, updated)) {
    case iptc::Replace::NoSegment:
        return TRUE;  // nothing to write into; the file stays as it is
    case iptc::Replace::Done:
        return ReplaceFileBytes(lpszPath, updated) ? TRUE : FALSE;
    default:
        return FALSE;
    }
}

#include "OmbrelleDoc.h"

#include <algorithm>
#include <cstdlib>
#include <new>

#include "General.h"
#include "HttpXMlProcess.h"
#include "MainFrame.h"
#include "OmbrelleApp.h"
#include "Rasterdock.h"
#include "ReducedCopy.h"
#include "ScanSettingsDlg.h"
#include "resource.h"

namespace {

// The profile section named by the edition title, holding the server addresses.
const char kEditionSection[] = "汇影图片扫描标准版";
const char kTypeSelKey[] = "SorvantatypeSel";
const char kScanSection[] = "ScanFilePath";

// Open flags of the picture files: read, deny others writing.
const UINT kOpenFlags = 32;

BOOL FileExists(const CString& strPath) { return ::GetFileAttributesA(strPath) != INVALID_FILE_ATTRIBUTES; }

// True when the folder has at least one level below a drive or share root:
// the clean-up never touches a root, a drive's current folder or "".
BOOL IsFolderBelowRoot(const CString& strFolder)
{
    CString strTrimmed = WithoutTrailingBackslash(strFolder);
    // "", "\" and "X:" name a root or a drive's current folder.
    if (strTrimmed.IsEmpty() || (strTrimmed.GetLength() == 2 && strTrimmed[1] == ':'))
        return FALSE;
    char szFull[MAX_PATH];
    DWORD nLength = ::GetFullPathNameA(strTrimmed, MAX_PATH, szFull, NULL);
    if (nLength == 0 || nLength >= MAX_PATH)
        return FALSE;
    CString strFull = WithoutTrailingBackslash(szFull);
    if (strFull.Left(2) == "\\\\") {
        // \\server\share\folder: a folder needs a third backslash after the first two.
        int nServer = strFull.Find('\\', 2);
        return nServer > 0 && strFull.Find('\\', nServer + 1) > 0;
    }
    int nSlash = strFull.Find('\\');
    return nSlash > 0 && nSlash < strFull.GetLength() - 1;
}

void FreePlanes(CImageIO* pImage)
{
    for (int i = 0; i < RD_MAX_PLANES; ++i) {
        if (pImage->m_bPlaneAllocated[i]) {
            GenFreeBuffer(reinterpret_cast<void**>(&pImage->m_pPlane[i]));
            pImage->m_bPlaneAllocated[i] = FALSE;
        }
    }
}

struct AddressKey {
    const char* pszKey;
    CString COmbrelleDoc::*pMember;
};

const AddressKey kAddressKeys[] = {
    {"SorvantaServerUrl", &COmbrelleDoc::m_strBaseServerUrl},
    {"SorvantaAttchUrl", &COmbrelleDoc::m_strAccessoryUrl},
    {"SorvantaRelateUrl", &COmbrelleDoc::m_strRegisterUrl},
    {"SorvantaDefaultCallbackUrl", &COmbrelleDoc::m_strServletUrl},
    {"SorvantaSpeciCallbackUrl", &COmbrelleDoc::m_strServerUrl},
};

}  // namespace

IMPLEMENT_DYNCREATE(COmbrelleDoc, CDocument)

BEGIN_MESSAGE_MAP(COmbrelleDoc, CDocument)
    ON_COMMAND(ID_SELECT_SCANNER, SelectScanner)
    ON_COMMAND(ID_PRESCAN, PreScanIntoNextFile)
    ON_COMMAND(ID_SCAN, ScanIntoNextFile)
    ON_COMMAND(ID_SCAN_SETTINGS, OnScanSettings)
    ON_COMMAND(ID_SERVER_ADDRESS, EditServerAddress)
    ON_COMMAND(ID_CHOOSE_ASSET_TYPE, ChooseAssetType)
    ON_COMMAND(ID_CATALOGUE, OpenCataloguing)
END_MESSAGE_MAP()

BEGIN_DISPATCH_MAP(COmbrelleDoc, CDocument)
END_DISPATCH_MAP()

COmbrelleDoc::COmbrelleDoc()
    : m_pDisplayImage(NULL), m_pCopyImage(NULL), m_pDisplayBits(NULL), m_bLoggedIn(FALSE), m_nScanCounter(0),
      m_nAssetTypeIndex(0), m_pServerClient(NULL), m_pAssetTypeClient(NULL), m_pTreeServerClient(NULL),
      m_sizeLoadedTarget(0, 0),
      m_loadedStamp()
{
    CWinApp* pApp = AfxGetApp();
    if (pApp != NULL) {
        for (const AddressKey& address : kAddressKeys)
            this->*address.pMember = pApp->GetProfileString(kEditionSection, address.pszKey, "");
        m_nAssetTypeIndex = std::atoi(pApp->GetProfileString(kEditionSection, kTypeSelKey, ""));
    }
    EnableAutomation();
    // An automation client's document keeps the program running.
    AfxOleLockApp();
}

COmbrelleDoc::~COmbrelleDoc()
{
    AfxOleUnlockApp();
    FreeDisplayImage();
    delete m_pCopyImage;
    m_pCopyImage = NULL;
    CleanTempFolder();
    SaveServerAddresses();
    delete m_pTreeServerClient;
    m_strCategoryStructure.Empty();
    delete m_pAssetTypeClient;
    delete m_pServerClient;
}

CMainFrame* COmbrelleDoc::GetMainFrame() const
{
    COmbrelleApp* pApp = static_cast<COmbrelleApp*>(AfxGetApp());
    return pApp != NULL ? pApp->m_pMainFrame : NULL;
}

void COmbrelleDoc::SelectScanner()
{
    CMainFrame* pFrame = GetMainFrame();
    if (pFrame == NULL)
        return;
    if (!pFrame->m_bScannerReady)
        pFrame->InitScanner();
    pFrame->m_scanner.SelScanner();
}

void COmbrelleDoc::PreScanIntoNextFile() { ScanInto(FALSE); }

void COmbrelleDoc::ScanIntoNextFile() { ScanInto(TRUE); }

void COmbrelleDoc::ScanInto(BOOL bScan)
{
    CMainFrame* pFrame = GetMainFrame();
    if (pFrame == NULL)
        return;
    if (!pFrame->m_bScannerReady && !pFrame->InitScanner())
        return;

    CWinApp* pApp = AfxGetApp();
    if (m_strScanFolder.IsEmpty()) {
        m_strScanFolder = pApp->GetProfileString(kScanSection, "FilePath", "");
        // A folder typed without its closing backslash would glue the name to it.
        if (!m_strScanFolder.IsEmpty() && WithoutTrailingBackslash(m_strScanFolder) == m_strScanFolder)
            m_strScanFolder += '\\';
    }
    if (m_strScanFileType.IsEmpty())
        m_strScanFileType = pApp->GetProfileString(kScanSection, "FileType", "");
    if (m_strScanFolder.IsEmpty() || m_strScanFileType.IsEmpty()) {
        AfxMessageBox("请先进行扫描设置，选择扫描文件的存储路径和文件类型");
        return;
    }

    if (bScan) {
        ::CreateDirectoryA(m_strScanFolder, NULL);
        ++m_nScanCounter;
    }
    CString strName;
    for (;;) {
        strName.Format("%sScanPic%05d%s", static_cast<LPCTSTR>(m_strScanFolder), m_nScanCounter,
                       static_cast<LPCTSTR>(m_strScanFileType));
        if (!FileExists(strName))
            break;
        ++m_nScanCounter;
    }

    pFrame->m_scanner.SetImagePath(strName);
    if (bScan)
        pFrame->m_scanner.Scan();
    else
        pFrame->m_scanner.Setting();
}

DWORD COmbrelleDoc::DisplayBitsSize(int nWidth, int nHeight)
{
    if (nWidth <= 0 || nHeight <= 0)
        return 0;
    return static_cast<DWORD>(nHeight) * ((3 * static_cast<DWORD>(nWidth) + 3) & ~3u);
}

CString COmbrelleDoc::GetCurrentPicturePath() const
{
    if (m_strOriginalName.IsEmpty())
        return CString();
    CString strPath = m_strOriginalFolder;
    if (!strPath.IsEmpty() && WithoutTrailingBackslash(strPath) == strPath)
        strPath += '\\';
    return strPath + m_strOriginalName;
}

CString COmbrelleDoc::MakeReducedCopy(const CString& strPath, const CRect& rcTarget)
{
    CString strTemp = GenGetTempFolder();
    // Without a temp folder the copy would land in a drive's root.
    if (strPath.IsEmpty() || strTemp.IsEmpty())
        return CString();
    CString strCopy = ReducedCopyName(strTemp, strPath);
    CString strResult;
    try {
        if (m_pCopyImage == NULL)
            m_pCopyImage = RdCreateImage(GenGetFileType(strPath), strPath);
        if (m_pCopyImage != NULL && m_pCopyImage->OpenFile(kOpenFlags) && !m_pCopyImage->m_strFileName.IsEmpty() &&
            m_pCopyImage->IsValidSize()) {
            const int nWidth = m_pCopyImage->m_nWidth;
            const int nHeight = m_pCopyImage->m_nHeight;
            const int nBitDepth = m_pCopyImage->m_nBitDepth;
            m_pCopyImage->CloseFile();
            if (nWidth < rcTarget.Width() && nHeight < rcTarget.Height()) {
                strResult = strPath;
            } else {
                float fScale = std::min(static_cast<float>(rcTarget.Width()) / nWidth,
                                        static_cast<float>(rcTarget.Height()) / nHeight);
                // The copy's long side: the new width of a landscape picture,
                // the fitted height of a portrait one.
                int nLongSide = nWidth >= nHeight ? static_cast<int>(nWidth * fScale)
                                                  : static_cast<int>(nHeight * fScale);
                if (nLongSide > 0 && RdMakeJpegCopy(strPath, strCopy, 0, nBitDepth, nLongSide, 1))
                    strResult = strCopy;
            }
        }
    } catch (CException* e) {
        e->Delete();
        strResult.Empty();
    } catch (...) {
        strResult.Empty();
    }
    delete m_pCopyImage;
    m_pCopyImage = NULL;
    return strResult;
}

BOOL COmbrelleDoc::LoadCurrentImage(const CString& strPath, const CRect& rcTarget)
{
    WIN32_FILE_ATTRIBUTE_DATA stamp = {};
    BOOL bStamped = ::GetFileAttributesExA(strPath, GetFileExInfoStandard, &stamp);
    // Nothing changed since the last load: the picture is decoded already.
    if (m_pDisplayImage != NULL && bStamped && strPath == m_strLoadedSource && rcTarget.Size() == m_sizeLoadedTarget &&
        ::CompareFileTime(&stamp.ftLastWriteTime, &m_loadedStamp.ftLastWriteTime) == 0 &&
        stamp.nFileSizeLow == m_loadedStamp.nFileSizeLow && stamp.nFileSizeHigh == m_loadedStamp.nFileSizeHigh &&
        FileExists(m_strDisplayedFile))
        return TRUE;

    CString strReduced = MakeReducedCopy(strPath, rcTarget);
    if (strReduced.IsEmpty())
        return FALSE;
    FreeDisplayImage();

    CImageIO* pImage = RdCreateImage(GenGetFileType(strReduced), strReduced);
    if (pImage == NULL)
        return FALSE;
    if (!pImage->OpenFile(kOpenFlags)) {
        delete pImage;
        return FALSE;
    }
    BOOL bLoaded = FALSE;
    if (pImage->IsValidSize()) {
        pImage->m_nRowBytes = GenGetRowBytes(pImage, pImage->m_nWidth * 8);
        const DWORD dwPlaneSize = static_cast<DWORD>(pImage->m_nRowBytes) * static_cast<DWORD>(pImage->m_nHeight);
        BOOL bBuffers = GenCheckDiskSpace(GenGetTempFolder(), 3 * dwPlaneSize);
        for (int i = 0; bBuffers && i < pImage->m_nPlanes && i < RD_MAX_PLANES; ++i) {
            pImage->m_pPlane[i] = static_cast<BYTE*>(GenAllocBuffer(dwPlaneSize, 0, 1));
            pImage->m_bPlaneAllocated[i] = pImage->m_pPlane[i] != NULL;
            bBuffers = pImage->m_bPlaneAllocated[i];
        }
        if (bBuffers && pImage->ReadPixels()) {
            m_pDisplayBits = new (std::nothrow) BYTE[DisplayBitsSize(pImage->m_nWidth, pImage->m_nHeight)];
            bLoaded = m_pDisplayBits != NULL &&
                      CImageIO::ReducedDataForDisplay(pImage, pImage->m_pPlane, m_pDisplayBits);
        }
    }
    pImage->CloseFile();
    if (!bLoaded) {
        FreePlanes(pImage);
        delete pImage;
        delete[] m_pDisplayBits;
        m_pDisplayBits = NULL;
        return FALSE;
    }
    m_pDisplayImage = pImage;
    m_strDisplayedFile = strReduced;
    m_strLoadedSource = strPath;
    m_sizeLoadedTarget = rcTarget.Size();
    m_loadedStamp = stamp;
    return TRUE;
}

void COmbrelleDoc::FreeDisplayImage()
{
    if (m_pDisplayImage != NULL) {
        FreePlanes(m_pDisplayImage);
        delete m_pDisplayImage;
        m_pDisplayImage = NULL;
    }
    delete[] m_pDisplayBits;
    m_pDisplayBits = NULL;
    m_strDisplayedFile.Empty();
    m_strLoadedSource.Empty();
}

void COmbrelleDoc::CleanTempFolder()
{
    CString strFolder = GenGetTempFolder();
    if (!IsFolderBelowRoot(strFolder))
        return;
    strFolder = WithoutTrailingBackslash(strFolder);
    WIN32_FIND_DATAA found;
    HANDLE hFind = ::FindFirstFileA(strFolder + "\\*.*", &found);
    if (hFind == INVALID_HANDLE_VALUE)
        return;
    do {
        if (found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY)
            continue;
        CString strFile = strFolder + "\\" + found.cFileName;
        if (strFile.Find(".tmp") < 0)
            ::DeleteFileA(strFile);
    } while (::FindNextFileA(hFind, &found));
    ::FindClose(hFind);
}

void COmbrelleDoc::SaveServerAddresses()
{
    CWinApp* pApp = AfxGetApp();
    if (pApp == NULL)
        return;
    for (const AddressKey& address : kAddressKeys) {
        const CString& strValue = this->*address.pMember;
        if (!strValue.IsEmpty())
            pApp->WriteProfileString(kEditionSection, address.pszKey, strValue);
    }
    if (m_nAssetTypeIndex != -1) {
        CString strIndex;
        strIndex.Format("%d", m_nAssetTypeIndex);
        pApp->WriteProfileString(kEditionSection, kTypeSelKey, strIndex);
    }
}

void COmbrelleDoc::OnScanSettings()
{
    CScanSettingsDlg dlg;
    dlg.DoModal();
}

#include "AssetRecordWriter.h"

#include "General.h"
#include "IptcRecord.h"
#include "IptcTexts.h"
#include "MainFrame.h"
#include "OmbrelleDoc.h"
#include "PicThumnailFormView.h"
#include "ReducedCopy.h"
#include "ServerSession.h"
#include "UploadEngineWnd.h"
#include "UploadFiles.h"

#include <winsock2.h>

#include <cstdio>

namespace {

std::string Text(const CString& str)
{
    return std::string(static_cast<LPCTSTR>(str), str.GetLength());
}

CString TempFolder()
{
    return WithoutTrailingBackslash(GenGetTempFolder());
}

// The file's length in megabytes; FALSE when it cannot be measured.
BOOL MeasureMegabytes(const CString& strPath, double& dMegabytes)
{
    WIN32_FILE_ATTRIBUTE_DATA data;
    if (strPath.IsEmpty() || !::GetFileAttributesExA(strPath, GetFileExInfoStandard, &data) ||
        (data.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY))
        return FALSE;
    ULONGLONG nBytes = (static_cast<ULONGLONG>(data.nFileSizeHigh) << 32) | data.nFileSizeLow;
    dMegabytes = static_cast<double>(nBytes) / 1048576.0;
    return TRUE;
}

}  // namespace

CString CAssetRecordWriter::GetLocalIpAddress()
{
    WSADATA wsaData;
    if (::WSAStartup(MAKEWORD(2, 0), &wsaData) != 0)
        return CString();
    CString strAddress;
    char szHost[255] = {0};
    if (::gethostname(szHost, sizeof(szHost)) == 0) {
        hostent* pHost = ::gethostbyname(szHost);
        if (pHost != NULL && pHost->h_addrtype == AF_INET && pHost->h_addr_list[0] != NULL) {
            in_addr address;
            memcpy(&address, pHost->h_addr_list[0], sizeof(address));
            strAddress = ::inet_ntoa(address);
        }
    }
    ::WSACleanup();
    return strAddress;
}

assetrecord::RecordContext CAssetRecordWriter::Context(const SYSTEMTIME& taken) const
{
    assetrecord::RecordContext context;
    context.localIp = Text(GetLocalIpAddress());
    context.categoryId = Text(CurrentCategoryId);
    context.date.year = taken.wYear;
    context.date.month = taken.wMonth;
    context.date.day = taken.wDay;
    context.date.hour = taken.wHour;
    context.date.minute = taken.wMinute;
    context.date.second = taken.wSecond;
    return context;
}

void CAssetRecordWriter::ReadIptcIntoDocument(const CString& strPicture)
{
    // A picture that is no JPEG, or has no IPTC data, has none of its values.
    CIptcRecord record;
    record.ReadFromJpeg(strPicture);
    CopyIptcTexts(record, *m_pDoc);
}

void CAssetRecordWriter::RefreshPictureDetails()
{
    CMainFrame* pFrame = dynamic_cast<CMainFrame*>(AfxGetMainWnd());
    CPicThumnailFormView* pThumbnails = pFrame != NULL ? pFrame->GetThumbnailView() : NULL;
    if (pThumbnails == NULL)
        return;
    for (int i = 0; i < pThumbnails->m_list.GetThumbCount(); ++i) {
        const ThumbItem* pItem = pThumbnails->m_list.GetThumbItem(i);
        if (pItem != NULL && pItem->strName == m_pDoc->m_strOriginalName) {
            pThumbnails->CopyFileDetailsToDocument(i);
            return;
        }
    }
}

assetrecord::AssetValues CAssetRecordWriter::DocumentValues(const CString& strMainRemotePath) const
{
    const COmbrelleDoc& doc = *m_pDoc;
    assetrecord::AssetValues values;
    values.fieldAttributes = Text(doc.m_strFieldAttributes);
    values.description = Text(doc.m_strDescription);
    values.mainSize = Text(doc.m_strMainSize);
    values.horRes = Text(doc.m_strHorRes);
    values.verRes = Text(doc.m_strVerRes);
    values.picHeight = Text(doc.m_strPicHeight);
    values.picWidth = Text(doc.m_strPicWidth);
    values.picMode = Text(doc.m_strPicMode);
    const CString* iptc[12] = {&doc.m_strHeadLine,   &doc.m_strCategory,  &doc.m_strEnveNumber,
                               &doc.m_strEnvePriority, &doc.m_strLanguageID, &doc.m_strProductID,
                               &doc.m_strServiceID,  &doc.m_strDestination, &doc.m_strObjName,
                               &doc.m_strOriginalTX, &doc.m_strCity,        &doc.m_strCountry};
    for (int i = 0; i < 12; ++i)
        values.iptc[i] = Text(*iptc[i]);
    values.previewCopy = Text(doc.m_strPreviewCopy);
    values.previewName = Text(doc.m_strPreviewName);
    values.previewSize = Text(doc.m_strPreviewSize);
    values.webCopy = Text(doc.m_strWebCopy);
    values.webName = Text(doc.m_strWebName);
    values.webSize = Text(doc.m_strWebSize);
    values.catalogIds = Text(doc.m_strCatalogIds);
    values.storageHost = Text(doc.m_strStorageHost);
    values.storagePath = Text(doc.m_strStoragePath);
    values.assetId = Text(doc.m_strAssetId);
    values.assetState = Text(doc.m_strAssetState);
    values.categoryId = Text(doc.m_strCategoryId);
    values.originalName = Text(doc.m_strOriginalName);
    values.originalFolder = Text(doc.m_strOriginalFolder);
    values.mainRemotePath = Text(strMainRemotePath);
    return values;
}

int CAssetRecordWriter::WriteRecord(const CString& strAssetKey, const std::string& bytes)
{
    m_pDoc->m_strRecordFile = TempFolder() + "\\" + strAssetKey + "_ImageInfo.xml";
    FILE* pFile = fopen(m_pDoc->m_strRecordFile, "wb");
    if (pFile == NULL)
        return 0;
    bool bWritten = fwrite(bytes.data(), 1, bytes.size(), pFile) == bytes.size();
    bWritten = fclose(pFile) == 0 && bWritten;
    return bWritten ? 1 : 0;
}

int CAssetRecordWriter::WriteAssetInfoFile(const CString& strRemoteFiles, const CString& /*strLocalFiles*/,
                                           const SYSTEMTIME& taken)
{
    ReadIptcIntoDocument(m_pDoc->m_strCurrentPicture);
    int nBar = strRemoteFiles.Find('|');
    CString strMainRemote = nBar < 0 ? strRemoteFiles : strRemoteFiles.Left(nBar);
    std::string bytes = assetrecord::ComposeSingleRecord(DocumentValues(strMainRemote), Context(taken));
    return WriteRecord(m_pDoc->m_strAssetKey, bytes);
}

int CAssetRecordWriter::WriteAssetListInfoFile(BOOL bUploadAll, const SYSTEMTIME& taken)
{
    COmbrelleDoc& doc = *m_pDoc;
    const CString strRecordKey = doc.m_strAssetKey;
    const assetrecord::RecordContext context = Context(taken);
    std::vector<assetrecord::AssetValues> assets;
    for (INT_PTR nLine = 0; nLine < doc.m_arrSubmitted.GetSize(); ++nLine) {
        CString strLine = doc.m_arrSubmitted[nLine];
        int nBar = strLine.Find('|');
        CString strKey = nBar < 0 ? strLine : strLine.Left(nBar);
        CString strMain = nBar < 0 ? CString() : strLine.Mid(nBar + 1);
        nBar = strMain.Find('|');
        if (nBar >= 0)
            strMain = strMain.Left(nBar);

        doc.m_strAssetKey = strKey;
        doc.m_strAssetId.Format("%d", atoi(strKey.Right(10)));
        if (!bUploadAll && !IsInList(doc.m_arrCatalogued, strMain))
            continue;
        doc.m_strCurrentPicture = strMain;
        doc.m_strOriginalFolder = FolderOfFile(strMain);
        doc.m_strOriginalName = FileNameOf(strMain);
        doc.m_strWebName = "asset" + strKey + "_web" + ".jpg";
        doc.m_strPreviewName = "asset" + strKey + "_prev" + ".jpg";
        // A copy is named only when it was made.
        doc.m_strWebCopy = ExistingUploadCopy("web_", strMain);
        doc.m_strPreviewCopy = ExistingUploadCopy("prev_", strMain);

        RefreshPictureDetails();
        ReadIptcIntoDocument(strMain);

        CString strAssetFolder = assetrecord::DateFolder(context, "Asset").c_str();
        doc.m_strRemoteMainFile = doc.m_strStoragePath + "/" + strAssetFolder + "/" + AssetFileName(strKey, strMain);

        double dMegabytes = 0;
        if (MeasureMegabytes(doc.m_strPreviewCopy, dMegabytes))
            doc.m_strPreviewSize = assetrecord::MegabytesText(dMegabytes).c_str();
        if (MeasureMegabytes(doc.m_strWebCopy, dMegabytes))
            doc.m_strWebSize.Format("%f", dMegabytes);
        if (MeasureMegabytes(strMain, dMegabytes))
            doc.m_strMainSize = assetrecord::MegabytesText(dMegabytes).c_str();
        assets.push_back(DocumentValues(doc.m_strRemoteMainFile));
    }
    return WriteRecord(strRecordKey, assetrecord::ComposeListRecord(assets, context));
}

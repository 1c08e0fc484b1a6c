#include "UploadEngineWnd.h"

#include <comdef.h>

#include <algorithm>
#include <new>

#include "AssetRecord.h"
#include "AssetRecordWriter.h"
#include "General.h"
#include "MainFrame.h"
#include "OmbrelleApp.h"
#include "OmbrelleDoc.h"
#include "Rasterdock.h"
#include "ReducedCopy.h"
#include "ServerSession.h"
#include "UploadFiles.h"
#include "UploadRules.h"
#include "XmlReading.h"
#include "resource.h"

namespace {

const int kCopyDpi = 72;
const int kPreviewSide = 64;
const int kWebSideLimit = 1024;
const int kStorageRequests = 6;
const int kIdRequests = 5;
const char kNoAssetId[] = "Can't allocate ID, Check network please";
const char kErrorCaption[] = "Error";

std::string Text(const CString& str) { return std::string(static_cast<LPCTSTR>(str), str.GetLength()); }

CString TempFolder() { return WithoutTrailingBackslash(GenGetTempFolder()); }

// The file's length in megabytes; FALSE when it cannot be opened.
BOOL Megabytes(const CString& strPath, double& dMegabytes)
{
    if (strPath.IsEmpty())
        return FALSE;
    const HANDLE hFile = ::CreateFileA(strPath, GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, NULL, OPEN_EXISTING,
                                       FILE_ATTRIBUTE_NORMAL, NULL);
    if (hFile == INVALID_HANDLE_VALUE)
        return FALSE;
    LARGE_INTEGER size;
    const BOOL bSized = ::GetFileSizeEx(hFile, &size);
    ::CloseHandle(hFile);
    if (!bSized)
        return FALSE;
    dMegabytes = static_cast<double>(size.QuadPart) / 1048576.0;
    return TRUE;
}

// "%6.3f" without its leading blanks.
CString SizeText(double dMegabytes)
{
    CString strSize;
    strSize.Format("%6.3f", dMegabytes);
    strSize.TrimLeft();
    return strSize;
}

// Adds the file's megabytes to the total and keeps their text; a file that
// does not open keeps the text the document holds.
void AddSize(const CString& strPath, double& dTotal, CString& strSize)
{
    double dMegabytes = 0;
    if (Megabytes(strPath, dMegabytes)) {
        dTotal += dMegabytes;
        strSize = SizeText(dMegabytes);
    }
}

// "/Category<id>/<kind>/<year>/<Mon>/<dd>", the month in English.
CString ServerFolder(const SYSTEMTIME& taken, const char* pszKind)
{
    assetrecord::RecordContext context;
    context.categoryId = Text(CurrentCategoryId);
    context.date.year = taken.wYear;
    context.date.month = taken.wMonth;
    context.date.day = taken.wDay;
    return CString("/") + assetrecord::DateFolder(context, pszKind).c_str();
}

void ShowError(LPCTSTR lpszText)
{
    CWnd* pMain = AfxGetMainWnd();
    ::MessageBoxA(pMain != NULL ? pMain->GetSafeHwnd() : NULL, lpszText, kErrorCaption, MB_OK);
}

// The wait cursor for the life of a submission, whichever way it ends.
class CSubmissionCursor {
public:
    CSubmissionCursor() { AfxGetApp()->DoWaitCursor(1); }
    ~CSubmissionCursor() { AfxGetApp()->DoWaitCursor(-1); }
    CSubmissionCursor(const CSubmissionCursor&) = delete;
    CSubmissionCursor& operator=(const CSubmissionCursor&) = delete;
};

}  // namespace

CString AssetFileExtension(const CString& strPicture)
{
    const CString strName = FileNameOf(strPicture);
    const int nDot = strName.ReverseFind('.');
    return nDot < 0 ? CString() : strName.Mid(nDot);
}

CString AssetFileName(const CString& strAssetKey, const CString& strPicture)
{
    return "asset" + strAssetKey + AssetFileExtension(strPicture);
}

CString ExistingUploadCopy(LPCTSTR lpszPrefix, const CString& strPicture)
{
    const CString strCopy = UploadCopyName(TempFolder(), lpszPrefix, strPicture);
    return IsExistingFile(strCopy) ? strCopy : CString();
}

CUploadEngineWnd::CUploadEngineWnd()
    : m_pDoc(NULL), QueueReady(0), m_taskList(10), QueuedCount(0), m_nPort(21), m_nFwPort(21), m_nPasv(0),
      m_nLogonType(0), m_bComponentTried(FALSE)
{
}

CUploadEngineWnd::~CUploadEngineWnd()
{
    m_ftp.ReleaseDispatch();
    m_taskList.RemoveAll();
}

CFtpComponentDriver& CUploadEngineWnd::Component()
{
    // Made on first use: the document is made before a test or an automation
    // client may have the component's registration in place.
    if (!m_bComponentTried) {
        m_bComponentTried = TRUE;
        m_ftp.CreateComponent();
    }
    return m_ftp;
}

BOOL CUploadEngineWnd::IsUploadAll() const
{
    COmbrelleApp* pApp = static_cast<COmbrelleApp*>(AfxGetApp());
    return pApp != NULL && pApp->m_pMainFrame != NULL && pApp->m_pMainFrame->m_nUploadMode != 0;
}

BOOL CUploadEngineWnd::IsTaken(const CString& strPicture) const
{
    return IsUploadAll() || IsInList(m_pDoc->m_arrCatalogued, strPicture);
}

int CUploadEngineWnd::MakePreviewCopy(const CString& strPicture)
{
    const CString strTarget = UploadCopyName(TempFolder(), "prev_", strPicture);
    if (RdMakeJpegCopy(strPicture, strTarget, 0, kCopyDpi, kPreviewSide, 1)) {
        m_pDoc->m_strPreviewCopy = strTarget;
        m_pDoc->m_strPreviewSize.Format("%6.2f", 0.0625);
    } else {
        m_pDoc->m_strPreviewCopy.Empty();
    }
    return 1;
}

int CUploadEngineWnd::MakeWebCopy(const CString& strPicture)
{
    int nLongSide = kWebSideLimit;
    CImageIO* pImage = RdCreateImage(GenGetFileType(strPicture), strPicture);
    if (pImage != NULL) {
        if (pImage->OpenFile(32) && pImage->IsValidSize()) {
            nLongSide = std::max(pImage->m_nWidth, pImage->m_nHeight);
            if (nLongSide > kWebSideLimit - 1)
                nLongSide = kWebSideLimit;
        }
        delete pImage;
    }
    const CString strTarget = UploadCopyName(TempFolder(), "web_", strPicture);
    if (RdMakeJpegCopy(strPicture, strTarget, 0, kCopyDpi, nLongSide, 1)) {
        m_pDoc->m_strWebCopy = strTarget;
        m_pDoc->m_strWebSize.Format("%6.2f", double(nLongSide) / 1024.0);
    } else {
        m_pDoc->m_strWebCopy.Empty();
    }
    return 1;
}

CString CUploadEngineWnd::RequestNewAssetID() { return m_serverClient.GetNewAssetID(1); }

CString CUploadEngineWnd::RequestStorageLocation(double dSizeMB)
{
    CString strReply = m_serverClient.GetStorageLocation(dSizeMB);
    // The server client keeps a refusal to itself; the engine shows its text.
    if (strReply.IsEmpty())
        strReply = m_serverClient.GetRefusedReply();
    return strReply;
}

BOOL CUploadEngineWnd::ObtainStorageLocation(double dSizeMB)
{
    CString strReply;
    for (int nRequest = 0; nRequest < kStorageRequests && strReply.IsEmpty(); ++nRequest)
        strReply = RequestStorageLocation(dSizeMB);
    if (strReply.IsEmpty()) {
        AfxMessageBox(IDS_ASSET_TYPES_UNREACHABLE);
        return FALSE;
    }
    const uploadrules::StorageLocation location = uploadrules::ParseStorageLocation(Text(strReply));
    if (location.code < 0) {
        ShowError(uploadrules::StorageErrorText(Text(strReply)).c_str());
        return FALSE;
    }
    m_pDoc->m_strStorageHost = location.host.c_str();
    m_pDoc->m_strStoragePath = location.path.c_str();
    m_pDoc->m_strStorageUser = location.user.c_str();
    m_pDoc->m_strStoragePassword = location.password.c_str();
    return TRUE;
}

BOOL CUploadEngineWnd::ObtainAssetId(CString& strId)
{
    strId.Empty();
    for (int nRequest = 0; nRequest < kIdRequests && strId.IsEmpty(); ++nRequest)
        strId = uploadrules::AssetIdText(Text(RequestNewAssetID())).c_str();
    if (strId.IsEmpty()) {
        ShowError(kNoAssetId);
        return FALSE;
    }
    return TRUE;
}

void CUploadEngineWnd::NameAsset(const CString& strId)
{
    m_pDoc->m_strCategoryId = CurrentCategoryId;
    m_pDoc->m_strAssetId = strId;
    m_pDoc->m_strAssetKey = uploadrules::AssetKey(Text(CurrentCategoryId), Text(strId)).c_str();
}

void CUploadEngineWnd::SetCopiesOf(const CString& strPicture)
{
    m_pDoc->m_strWebCopy = ExistingUploadCopy("web_", strPicture);
    m_pDoc->m_strPreviewCopy = ExistingUploadCopy("prev_", strPicture);
}

void CUploadEngineWnd::BuildFileLists(const SYSTEMTIME& taken, CString& strRemote, CString& strLocal)
{
    COmbrelleDoc& doc = *m_pDoc;
    const CString strBase = "asset" + doc.m_strAssetKey;
    strRemote = doc.m_strStoragePath + ServerFolder(taken, "Asset") + "/" +
                AssetFileName(doc.m_strAssetKey, doc.m_strCurrentPicture);
    doc.m_strRemoteMainFile = strRemote;
    strLocal = doc.m_strCurrentPicture;
    // A copy goes up only when it is there.
    auto addCopy = [&](CString& strCopy, CString& strName, const char* pszSuffix, const char* pszKind) {
        if (!IsExistingFile(strCopy)) {
            strCopy.Empty();
            return;
        }
        strName = strBase + pszSuffix + ".jpg";
        strRemote += "|" + doc.m_strStoragePath + ServerFolder(taken, pszKind) + "/" + strName;
        strLocal += "|" + strCopy;
    };
    addCopy(doc.m_strWebCopy, doc.m_strWebName, "_web", "Accessory0");
    addCopy(doc.m_strPreviewCopy, doc.m_strPreviewName, "_prev", "Thumbnail");
}

void CUploadEngineWnd::SubmitSinglePicture()
{
    if (m_pDoc == NULL)
        return;
    COmbrelleDoc& doc = *m_pDoc;
    CSubmissionCursor cursor;
    m_serverClient.SetServerUrl(doc.m_strServletUrl);

    double dSize = 0.1;
    double dMegabytes = 0;
    if (Megabytes(doc.m_strCurrentPicture, dMegabytes)) {
        dSize = dMegabytes;
        doc.m_strMainSize = SizeText(dMegabytes);
    }
    AddSize(doc.m_strPreviewCopy, dSize, doc.m_strPreviewSize);
    AddSize(doc.m_strWebCopy, dSize, doc.m_strWebSize);

    if (!ObtainStorageLocation(dSize))
        return;
    doc.m_strOriginalName = FileNameOf(doc.m_strCurrentPicture);
    doc.m_strOriginalFolder = FolderOfFile(doc.m_strCurrentPicture);
    CString strId;
    if (!ObtainAssetId(strId))
        return;

    SYSTEMTIME taken;
    ::GetLocalTime(&taken);
    NameAsset(strId);
    CString strRemote, strLocal;
    BuildFileLists(taken, strRemote, strLocal);
    // This submission's line only: the task keeps it for its own clean-up.
    doc.m_arrSubmitted.RemoveAll();
    doc.m_arrSubmitted.Add(doc.m_strAssetKey + "|" + doc.m_strCurrentPicture + "|" + doc.m_strPreviewCopy + "|" +
                           doc.m_strWebCopy);
    QueueSingleTask(strRemote, strLocal, 0, 1, taken);
}

void CUploadEngineWnd::SubmitPictureList(const CStringArray& arrSelected)
{
    if (m_pDoc == NULL)
        return;
    COmbrelleDoc& doc = *m_pDoc;
    CStringArray arrTaken;
    for (INT_PTR i = 0; i < arrSelected.GetSize(); ++i)
        if (IsTaken(arrSelected[i]))
            arrTaken.Add(arrSelected[i]);
    if (arrTaken.GetSize() == 0)
        return;

    CSubmissionCursor cursor;
    m_serverClient.SetServerUrl(doc.m_strServletUrl);
    double dSize = 0.1;
    for (INT_PTR i = 0; i < arrTaken.GetSize(); ++i) {
        SetCopiesOf(arrTaken[i]);
        AddSize(arrTaken[i], dSize, doc.m_strMainSize);
        AddSize(doc.m_strPreviewCopy, dSize, doc.m_strPreviewSize);
        AddSize(doc.m_strWebCopy, dSize, doc.m_strWebSize);
    }
    if (!ObtainStorageLocation(dSize))
        return;

    SYSTEMTIME taken;
    ::GetLocalTime(&taken);
    doc.m_arrSubmitted.RemoveAll();
    for (INT_PTR i = 0; i < arrTaken.GetSize(); ++i) {
        doc.m_strCurrentPicture = arrTaken[i];
        SetCopiesOf(arrTaken[i]);
        doc.m_strOriginalName = FileNameOf(arrTaken[i]);
        doc.m_strOriginalFolder = FolderOfFile(arrTaken[i]);
        CString strId;
        if (!ObtainAssetId(strId)) {
            doc.m_arrSubmitted.RemoveAll();
            return;
        }
        NameAsset(strId);
        CString strRemote, strLocal;
        BuildFileLists(taken, strRemote, strLocal);
        doc.m_arrSubmitted.Add(doc.m_strAssetKey + "|" + doc.m_strCurrentPicture + "|" + doc.m_strPreviewCopy + "|" +
                               doc.m_strWebCopy);
    }
    QueueListTask(0, 1, taken);
}

void CUploadEngineWnd::FillTaskRecord(int /*nIndex*/, const CString& strRemote, const CString& strLocal,
                                      int iscontinue, int bIsDel, const CString& strRecordFile)
{
    UploadInfo& info = m_currentTask.m_uploadinfo;
    info.m_host = m_strHost;
    info.m_user = m_strUser;
    info.m_pass = m_strPassword;
    info.m_fwhost = m_strFwHost;
    info.m_fwuser = m_strFwUser;
    info.m_fwpass = m_strFwPassword;
    info.m_lfile = strLocal;
    info.m_rfile = strRemote;
    info.m_logontype = m_nLogonType;
    info.iscontinue = iscontinue;
    info.m_pasv = m_nPasv;
    info.bIsDel = bIsDel;
    info.m_port = m_nPort;
    info.m_fwport = m_nFwPort;
    info.m_strRecordFile = strRecordFile;
    info.m_strServerUrl = m_pDoc->m_strServletUrl;
    const int nBar = strLocal.Find('|');
    m_currentTask.m_strThreadName = nBar < 0 ? strLocal : strLocal.Left(nBar);
    m_currentTask.TaskID = m_pDoc->m_strAssetKey;
    m_currentTask.m_fThreadfinished = 0;
}

void CUploadEngineWnd::AppendCurrentTask(const CString& strRemote, const CString& strLocal)
{
    QueuedCount += 1;
    QueueReady = 0;
    m_strHost = m_pDoc->m_strStorageHost;
    m_strFwHost = m_pDoc->m_strStorageHost;
    m_nPort = 21;
    m_nFwPort = 21;
    FillTaskRecord(QueuedCount - 1, strRemote, strLocal, 0, 1, m_pDoc->m_strRecordFile);
    m_currentTask.m_nThreadState = 2;
    m_currentTask.m_arrSubmitted.Copy(m_pDoc->m_arrSubmitted);
    m_taskList.AddTail(m_currentTask);
}

void CUploadEngineWnd::QueueSingleTask(const CString& strRemote, const CString& strLocal, int /*iscontinue*/,
                                       int /*bIsDel*/, const SYSTEMTIME& taken)
{
    CAssetRecordWriter writer(m_pDoc);
    if (!writer.WriteAssetInfoFile(strRemote, strLocal, taken))
        return;
    AppendCurrentTask(strRemote, strLocal);
    CFtpComponentDriver& ftp = Component();
    ftp.CreateTask(m_currentTask.TaskID, FALSE, 0);
    ftp.SetTransfer(m_strHost, 21, m_pDoc->m_strStorageUser, m_pDoc->m_strStoragePassword, strRemote, strLocal);
    ftp.StartTasks();
    QueueReady = 1;
}

void CUploadEngineWnd::QueueListTask(int /*iscontinue*/, int /*bIsDel*/, const SYSTEMTIME& taken)
{
    COmbrelleDoc& doc = *m_pDoc;
    CAssetRecordWriter writer(m_pDoc);
    if (!writer.WriteAssetListInfoFile(IsUploadAll(), taken))
        return;
    const CString strRecordFile = doc.m_strRecordFile;
    CFtpComponentDriver& ftp = Component();
    BOOL bFirst = TRUE;
    for (INT_PTR nLine = 0; nLine < doc.m_arrSubmitted.GetSize(); ++nLine) {
        CString strFields[4];
        CString strLine = doc.m_arrSubmitted[nLine];
        for (int nField = 0; nField < 4; ++nField) {
            const int nBar = strLine.Find('|');
            strFields[nField] = nBar < 0 ? strLine : strLine.Left(nBar);
            strLine = nBar < 0 ? CString() : strLine.Mid(nBar + 1);
        }
        doc.m_strAssetKey = strFields[0];
        if (!IsTaken(strFields[1]))
            continue;
        doc.m_strCurrentPicture = strFields[1];
        doc.m_strPreviewCopy = strFields[2];
        doc.m_strWebCopy = strFields[3];
        CString strRemote, strLocal;
        BuildFileLists(taken, strRemote, strLocal);
        if (bFirst) {
            bFirst = FALSE;
            doc.m_strRecordFile = strRecordFile;
            AppendCurrentTask(strRemote, strLocal);
            ftp.CreateTask(m_currentTask.TaskID, FALSE, 0);
        }
        ftp.SetTransfer(m_strHost, 21, doc.m_strStorageUser, doc.m_strStoragePassword, strRemote, strLocal);
    }
    if (!bFirst)
        ftp.StartTasks();
    QueueReady = 1;
}

UploadTask* CUploadEngineWnd::GetTask(int nIndex)
{
    if (nIndex < 0)
        return NULL;
    POSITION pos = m_taskList.FindIndex(nIndex);
    return pos != NULL ? &m_taskList.GetAt(pos) : NULL;
}

void CUploadEngineWnd::RemoveUploadTask(int nIndex)
{
    QueueReady = 0;
    POSITION pos = nIndex >= 0 ? m_taskList.FindIndex(nIndex) : NULL;
    if (pos != NULL) {
        m_taskList.RemoveAt(pos);
        QueuedCount -= 1;
    }
    QueueReady = 1;
}

CString CUploadEngineWnd::FetchAssetMetaDataStruct()
{
    COmbrelleDoc& doc = *m_pDoc;
    if (doc.m_pTreeServerClient != NULL && doc.m_pTreeServerClient->GetServerUrl() == doc.m_strServerUrl) {
        if (doc.m_strAssetMetaDescription.IsEmpty()) {
            int nStatus = 0;
            doc.m_strAssetMetaDescription = doc.m_pTreeServerClient->QueryAssetMetaDataStruct(nStatus);
        }
        return doc.m_strAssetMetaDescription;
    }
    const BOOL bReplaced = doc.m_pTreeServerClient != NULL;
    delete doc.m_pTreeServerClient;
    doc.m_pTreeServerClient = NULL;
    for (int nTry = 0; nTry < 3; ++nTry) {
        if (nTry > 0)
            ::Sleep(50);
        doc.m_pTreeServerClient = new (std::nothrow) CHttpXMlProcess;
        if (doc.m_pTreeServerClient == NULL)
            continue;
        doc.m_pTreeServerClient->SetServerUrl(doc.m_strServerUrl);
        int nStatus = 0;
        doc.m_strAssetMetaDescription = doc.m_pTreeServerClient->QueryAssetMetaDataStruct(nStatus);
        if (!doc.m_strAssetMetaDescription.IsEmpty()) {
            // The catalogue tree takes what the client's address answers:
            // the same verb's reply.
            doc.m_strCategoryStructure = doc.m_strAssetMetaDescription;
            return doc.m_strAssetMetaDescription;
        }
        delete doc.m_pTreeServerClient;
        doc.m_pTreeServerClient = NULL;
    }
    doc.m_strAssetMetaDescription.Empty();
    if (bReplaced)
        AfxMessageBox(IDS_ASSET_TYPES_UNREACHABLE);
    return CString();
}

BOOL CUploadEngineWnd::SaveAssetMetaInfo()
{
    const CString strDescription = FetchAssetMetaDataStruct();
    IXMLDOMDocument* pDocument = CreateXmlDocument();
    if (pDocument == NULL)
        return FALSE;
    BOOL bSaved = FALSE;
    const std::string bytes = Text(strDescription);
    if (LoadXmlBytes(pDocument, bytes.data(), bytes.size())) {
        VARIANT target;
        ::VariantInit(&target);
        V_VT(&target) = VT_BSTR;
        V_BSTR(&target) = _bstr_t(LPCTSTR(TempFolder() + "\\assetmetainfo.xml")).Detach();
        bSaved = SUCCEEDED(pDocument->save(target));
        ::VariantClear(&target);
    }
    pDocument->Release();
    return bSaved;
}

#include "HttpXMlProcess.h"

#include <comdef.h>

#include "Logger.h"
#include "MainFrame.h"
#include "ServerSession.h"
#include "XmlReading.h"

namespace {

// mingw-w64 declares the interface id but no import library defines it.
const IID kIXMLHTTPRequest = {0xED8C108D, 0x4349, 0x11D2, {0x91, 0xA4, 0x00, 0xC0, 0x4F, 0x79, 0x69, 0xE8}};
const char kRequestProgId[] = "Msxml2.XMLHTTP.3.0";
const char kCannotCreate[] = "创建Msxml2.XMLHTTP.3.0出错";
const char kNotInitialised[] = "初始化CHttpXMlProcess失败";

// The status of a reply that is not 2xx, as the error of a failed send.
const HRESULT kReplyNotOk = MAKE_HRESULT(SEVERITY_ERROR, FACILITY_ITF, 0x0200);

void CheckHr(HRESULT hr)
{
    if (FAILED(hr))
        _com_issue_error(hr);
}

BSTR AllocBstr(LPCSTR lpsz)
{
    const int nWide = ::MultiByteToWideChar(CP_ACP, 0, lpsz, -1, NULL, 0);
    BSTR bstr = ::SysAllocStringLen(NULL, nWide > 0 ? UINT(nWide - 1) : 0);
    if (bstr != NULL && nWide > 0)
        ::MultiByteToWideChar(CP_ACP, 0, lpsz, -1, bstr, nWide);
    return bstr;
}

// Frees its BSTR however the request ends.
class CBstrHolder {
public:
    explicit CBstrHolder(LPCSTR lpsz) : m_bstr(AllocBstr(lpsz)) {}
    ~CBstrHolder() { ::SysFreeString(m_bstr); }
    CBstrHolder(const CBstrHolder&) = delete;
    CBstrHolder& operator=(const CBstrHolder&) = delete;
    BSTR Get() const { return m_bstr; }

private:
    BSTR m_bstr;
};

// The bytes of a VT_ARRAY|VT_UI1 variant as text of the ANSI code page.
CString BytesOf(const VARIANT& value)
{
    CString strText;
    if (V_VT(&value) != (VT_ARRAY | VT_UI1) || V_ARRAY(&value) == NULL)
        return strText;
    SAFEARRAY* pArray = V_ARRAY(&value);
    LONG nLower = 0, nUpper = -1;
    ::SafeArrayGetLBound(pArray, 1, &nLower);
    ::SafeArrayGetUBound(pArray, 1, &nUpper);
    void* pData = NULL;
    if (nUpper >= nLower && SUCCEEDED(::SafeArrayAccessData(pArray, &pData))) {
        strText = CString(static_cast<LPCSTR>(pData), int(nUpper - nLower + 1));
        ::SafeArrayUnaccessData(pArray);
    }
    return strText;
}

// A VT_ARRAY|VT_UI1 variant holding the bytes, sent as they are.
bool MakeByteArray(const std::string& bytes, VARIANT& value)
{
    ::VariantInit(&value);
    SAFEARRAY* pArray = ::SafeArrayCreateVector(VT_UI1, 0, ULONG(bytes.size()));
    if (pArray == NULL)
        return false;
    void* pData = NULL;
    if (FAILED(::SafeArrayAccessData(pArray, &pData))) {
        ::SafeArrayDestroy(pArray);
        return false;
    }
    if (!bytes.empty())
        memcpy(pData, bytes.data(), bytes.size());
    ::SafeArrayUnaccessData(pArray);
    V_VT(&value) = VT_ARRAY | VT_UI1;
    V_ARRAY(&value) = pArray;
    return true;
}

VARIANT NoBody()
{
    VARIANT none;
    ::VariantInit(&none);
    return none;
}

CString Encoded(LPCTSTR lpszValue) { return serverreply::PercentEncode(lpszValue).c_str(); }

BOOL FileExists(LPCTSTR lpszPath)
{
    const DWORD dwAttributes = ::GetFileAttributesA(lpszPath);
    return dwAttributes != INVALID_FILE_ATTRIBUTES && !(dwAttributes & FILE_ATTRIBUTE_DIRECTORY);
}

// The record as one line for the debug log: its line breaks dropped.
CString OneLine(const std::string& bytes)
{
    std::string line;
    for (char c : bytes)
        if (c != '\r' && c != '\n')
            line += c;
    return line.c_str();
}

}  // namespace

int CXMLException::ReportError(UINT nType, UINT)
{
    ::MessageBoxA(::GetActiveWindow(), m_strMessage, NULL, nType);
    return 0;
}

int CXMLSendCommException::ReportError(UINT nType, UINT)
{
    ::MessageBoxA(::GetActiveWindow(), m_strMessage, NULL, nType);
    return 0;
}

CHttpXMlProcess::CHttpXMlProcess() : m_pRequest(NULL), m_pDomDocument(NULL)
{
    m_bComInitialised = SUCCEEDED(::CoInitialize(NULL));
    CreateRequestObjects();
}

CHttpXMlProcess::~CHttpXMlProcess()
{
    ReleaseObjects();
    if (m_bComInitialised)
        ::CoUninitialize();
}

void CHttpXMlProcess::ReleaseObjects()
{
    if (m_pDomDocument != NULL) {
        m_pDomDocument->Release();
        m_pDomDocument = NULL;
    }
    DropRequest();
}

void CHttpXMlProcess::DropRequest()
{
    if (m_pRequest != NULL) {
        m_pRequest->Release();
        m_pRequest = NULL;
    }
}

int CHttpXMlProcess::CreateRequestObjects()
{
    if (m_pRequest != NULL)
        return 1;
    try {
        CLSID clsid;
        CBstrHolder progId(kRequestProgId);
        const HRESULT hrClass = kRequestProgId[0] == '{' ? ::CLSIDFromString(progId.Get(), &clsid)
                                                         : ::CLSIDFromProgID(progId.Get(), &clsid);
        IUnknown* pUnknown = NULL;
        if (FAILED(hrClass) || FAILED(::CoCreateInstance(clsid, NULL, CLSCTX_ALL, IID_IUnknown,
                                                         reinterpret_cast<void**>(&pUnknown))))
            throw new CXMLException(kCannotCreate);
        HRESULT hr = ::OleRun(pUnknown);
        if (SUCCEEDED(hr))
            hr = pUnknown->QueryInterface(kIXMLHTTPRequest, reinterpret_cast<void**>(&m_pRequest));
        pUnknown->Release();
        if (FAILED(hr)) {
            m_pRequest = NULL;
            throw new CXMLException(kCannotCreate);
        }
        if (m_pDomDocument != NULL) {
            m_pDomDocument->Release();
            m_pDomDocument = NULL;
        }
        m_pDomDocument = CreateXmlDocument();
        if (m_pDomDocument == NULL)
            throw new CXMLException(kCannotCreate);
    } catch (CException* e) {
        e->Delete();
        DropRequest();
        return 0;
    }
    return 1;
}

BOOL CHttpXMlProcess::SetServerUrlRetrying(LPCTSTR lpszUrl)
{
    const int kAttempts = 3;
    for (int nTry = 0; nTry < kAttempts; ++nTry) {
        if (SetServerUrl(lpszUrl))
            return TRUE;
        if (nTry + 1 < kAttempts)
            ::Sleep(50);
    }
    return FALSE;
}

int CHttpXMlProcess::SetServerUrl(LPCTSTR lpszUrl)
{
    m_strBaseUrl = lpszUrl;
    return CreateRequestObjects();
}

int CHttpXMlProcess::Close() { return 0; }

BOOL CHttpXMlProcess::EnsureLogin(int nForce)
{
    CWnd* pMainWnd = AfxGetMainWnd();
    if (pMainWnd == NULL || !pMainWnd->IsKindOf(RUNTIME_CLASS(CMainFrame)))
        return FALSE;
    return static_cast<CMainFrame*>(pMainWnd)->EnsureServerLogin(nForce);
}

CString CHttpXMlProcess::Exchange(LPCSTR lpszMethod, const CString& strUrl, const VARIANT& body)
{
    if (m_pRequest == NULL)
        _com_issue_error(E_POINTER);
    CBstrHolder method(lpszMethod);
    CBstrHolder url(strUrl);
    VARIANT async;
    ::VariantInit(&async);
    V_VT(&async) = VT_BOOL;
    V_BOOL(&async) = VARIANT_FALSE;
    VARIANT none;
    ::VariantInit(&none);
    V_VT(&none) = VT_ERROR;
    V_ERROR(&none) = DISP_E_PARAMNOTFOUND;
    CheckHr(m_pRequest->open(method.Get(), url.Get(), async, none, none));
    CheckHr(m_pRequest->send(body));
    long nStatus = 0;
    CheckHr(m_pRequest->get_status(&nStatus));
    if (nStatus < 200 || nStatus > 299)
        _com_issue_error(kReplyNotOk);
    VARIANT reply;
    ::VariantInit(&reply);
    CheckHr(m_pRequest->get_responseBody(&reply));
    CString strReply = BytesOf(reply);
    ::VariantClear(&reply);
    strReply.TrimLeft();
    strReply.TrimRight();
    return strReply;
}

BOOL CHttpXMlProcess::RunVerb(LPCSTR lpszMethod, const CString& strQuery, const VARIANT& body, ReplyJudge judge,
                              CString& strReply, int* pBadReplyStatus)
{
    strReply.Empty();
    m_strRefusedReply.Empty();
    return EnsureLogin(0) && RunAttempts(lpszMethod, strQuery, body, judge, strReply, pBadReplyStatus);
}

BOOL CHttpXMlProcess::RunAttempts(LPCSTR lpszMethod, const CString& strQuery, const VARIANT& body, ReplyJudge judge,
                                  CString& strReply, int* pBadReplyStatus)
{
    for (int nAttempt = 0; nAttempt < 2; ++nAttempt) {
        try {
            if (m_pRequest == NULL && !CreateRequestObjects())
                throw new CXMLException(kNotInitialised);
            const CString strReceived = Exchange(lpszMethod, m_strBaseUrl + strQuery, body);
            const serverreply::Verdict verdict = judge(std::string(strReceived));
            if (verdict == serverreply::Verdict::Good) {
                strReply = strReceived;
                return TRUE;
            }
            if (verdict == serverreply::Verdict::Refused)
                return FALSE;
            m_strRefusedReply = strReceived;
            if (pBadReplyStatus != NULL)
                *pBadReplyStatus = 10;
            if (TimeOutStatus() != "0")
                return FALSE;
            EnsureLogin(1);
        } catch (CXMLException* e) {
            e->Delete();
            DropRequest();
            return FALSE;
        } catch (CXMLSendCommException* e) {
            e->Delete();
            DropRequest();
            return FALSE;
        } catch (CException* e) {
            e->Delete();
        } catch (const _com_error&) {
            // The open or send failed: the next attempt.
        }
    }
    return FALSE;
}

CString CHttpXMlProcess::RunTextVerb(const CString& strQuery, ReplyJudge judge)
{
    CString strReply;
    RunVerb("GET", strQuery, NoBody(), judge, strReply);
    return strReply;
}

CString CHttpXMlProcess::GetStorageLocation(double dSizeMB)
{
    CString strSize;
    strSize.Format("%f", dSizeMB);
    return RunTextVerb("?verb=GetStorageLocation&Cate=" + Encoded(CurrentCategoryId) + "&FileSize=" + Encoded(strSize),
                       serverreply::JudgeNumbered);
}

CString CHttpXMlProcess::QueryAssetMetaDataStruct(int& nStatus)
{
    CString strReply;
    if (RunVerb("GET", "?verb=AssetMetaDataStruct&Cate=" + Encoded(CurrentCategoryId), NoBody(),
                serverreply::JudgeXml, strReply, &nStatus))
        nStatus = 0;
    return strReply;
}

CString CHttpXMlProcess::EmunAllAssetType() { return RunTextVerb("?verb=EmunAllAssetType", serverreply::JudgeXml); }

CString CHttpXMlProcess::GetNewAssetID(int nCount)
{
    CString strCount;
    strCount.Format("%d", nCount);
    return RunTextVerb("?verb=GetNewAssetID&Cate=" + Encoded(CurrentCategoryId) + "&GetIdNum=" + Encoded(strCount),
                       serverreply::JudgeNumbered);
}

BOOL CHttpXMlProcess::CheckLogin(LPCTSTR lpszUser, LPCTSTR lpszPassword, int& nError)
{
    try {
        if (m_pRequest == NULL && !CreateRequestObjects())
            throw new CXMLException(kNotInitialised);
        const CString strReply = Exchange(
            "GET", m_strBaseUrl + "?verb=CheckLogin&UserID=" + Encoded(lpszUser) + "&PWD=" + Encoded(lpszPassword),
            NoBody());
        nError = 0;
        return strReply == "1";
    } catch (CXMLException* e) {
        e->Delete();
        DropRequest();
    } catch (CXMLSendCommException* e) {
        e->Delete();
        DropRequest();
    } catch (CException* e) {
        e->Delete();
        nError = 100;
    } catch (const _com_error&) {
        nError = 100;
    }
    return FALSE;
}

BOOL CHttpXMlProcess::AddAsset(LPCTSTR lpszRecordPath)
{
    if (!EnsureLogin(0))
        return FALSE;
    if (!FileExists(lpszRecordPath)) {
        AfxMessageBox(CString("元数据文件：") + lpszRecordPath + "不存在");
        return FALSE;
    }
    std::string bytes;
    ReadFileBytes(lpszRecordPath, bytes);
    // A record that is not well-formed XML is not sent.
    if (m_pRequest == NULL)
        CreateRequestObjects();
    if (!LoadXmlBytes(m_pDomDocument, bytes.data(), bytes.size()))
        return FALSE;
    VARIANT body;
    if (!MakeByteArray(bytes, body))
        return FALSE;
    GetLogger()->Debug(OneLine(bytes));
    CString strReply;
    const BOOL bAccepted = RunAttempts("post", "?verb=AddAsset", body, serverreply::JudgeAddAsset, strReply);
    ::VariantClear(&body);
    return bAccepted;
}

CString CHttpXMlProcess::TimeOutStatus()
{
    try {
        return Exchange("get", m_strBaseUrl + "?verb=TimeOutStatus", NoBody());
    } catch (CException* e) {
        e->Delete();
    } catch (const _com_error&) {
    }
    return "-1";
}

// The client's only way of talking to the back-end server: one synchronous
// HTTP request per verb to the servlet address, two attempts with a check
// of the server's log-in time-out between them. Failures come back as an
// empty text or FALSE; the only message it shows is about a missing record.
#pragma once

#include "afxwin.h"

#include <msxml2.h>

#include <string>

#include "ServerReply.h"

// Raised when the request objects are missing and cannot be created.
class CXMLException : public CException {
public:
    explicit CXMLException(LPCTSTR lpszMessage) : CException(TRUE), m_strMessage(lpszMessage) {}
    virtual int ReportError(UINT nType = MB_OK, UINT nMessageID = 0);
    CString m_strMessage;
};

// A request that failed: "请求接口:" + URL + "失败".
class CXMLSendCommException : public CException {
public:
    explicit CXMLSendCommException(LPCTSTR lpszMessage) : CException(TRUE), m_strMessage(lpszMessage) {}
    virtual int ReportError(UINT nType = MB_OK, UINT nMessageID = 0);
    CString m_strMessage;
};

class CHttpXMlProcess {
public:
    CHttpXMlProcess();
    virtual ~CHttpXMlProcess();
    CHttpXMlProcess(const CHttpXMlProcess&) = delete;
    CHttpXMlProcess& operator=(const CHttpXMlProcess&) = delete;

    // 1 when a request object is held or was made, 0 when COM gives none.
    int CreateRequestObjects();
    int SetServerUrl(LPCTSTR lpszUrl);
    // SetServerUrl tried three times, 50 ms apart (the request object may
    // not be ready at once); TRUE once it took.
    BOOL SetServerUrlRetrying(LPCTSTR lpszUrl);
    const CString& GetServerUrl() const { return m_strBaseUrl; }
    // Holders call it before they drop the client; nothing to do.
    int Close();
    // Asks the main frame for the operator's server log-in; nForce 1 logs in anew.
    BOOL EnsureLogin(int nForce);

    CString GetStorageLocation(double dSizeMB);
    // nStatus: 0 with a reply, 10 when the reply was empty.
    CString QueryAssetMetaDataStruct(int& nStatus);
    CString EmunAllAssetType();
    CString GetNewAssetID(int nCount);
    // nError (preset -1 by the caller): 0 once a reply was read, 100 when the
    // request failed, unchanged when no request object could be made.
    BOOL CheckLogin(LPCTSTR lpszUser, LPCTSTR lpszPassword, int& nError);
    // Posts the record file's bytes unchanged; TRUE when the server took it.
    BOOL AddAsset(LPCTSTR lpszRecordPath);
    // "0": the operator's log-in on the server has timed out; "-1" on failure.
    CString TimeOutStatus();
    // The reply of the last text verb that the verb judged bad (a negative
    // code), "" when it had none: the upload tells the user the server's words.
    const CString& GetRefusedReply() const { return m_strRefusedReply; }

private:
    typedef serverreply::Verdict (*ReplyJudge)(const std::string& trimmed);

    // The request pattern of the verbs that log in first: two attempts, a
    // time-out check after a bad reply. FALSE when no good reply came.
    BOOL RunVerb(LPCSTR lpszMethod, const CString& strQuery, const VARIANT& body, ReplyJudge judge,
                 CString& strReply, int* pBadReplyStatus = NULL);
    // A GET verb whose result is the good reply's text, "" otherwise.
    CString RunTextVerb(const CString& strQuery, ReplyJudge judge);
    // The two attempts of RunVerb, for a caller that has logged in already.
    BOOL RunAttempts(LPCSTR lpszMethod, const CString& strQuery, const VARIANT& body, ReplyJudge judge,
                     CString& strReply, int* pBadReplyStatus = NULL);
    // One request on the held object; the reply's bytes as code page 936 text,
    // trimmed. Throws _com_error when it fails or the status is not 2xx.
    CString Exchange(LPCSTR lpszMethod, const CString& strUrl, const VARIANT& body);
    void DropRequest();
    void ReleaseObjects();

    CString m_strBaseUrl;
    CString m_strRefusedReply;
    IXMLHTTPRequest* m_pRequest;
    IXMLDOMDocument* m_pDomDocument;
    BOOL m_bComInitialised;
};

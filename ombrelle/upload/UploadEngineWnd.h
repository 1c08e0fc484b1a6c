// The upload engine embedded in the document: preview and web copies of
// the submitted pictures, the storage location and asset ids from the
// back-end server, the server names of every file, the asset record and one
// FTP task per submission. The main frame's poll finishes the tasks.
#pragma once

#include "afxwin.h"
#include "afxtempl.h"

#include "FtpComponentDriver.h"
#include "HttpXMlProcess.h"
#include "UploadTask.h"

class COmbrelleDoc;

// The picture's extension with its dot, "" when its file name has none.
CString AssetFileExtension(const CString& strPicture);
// The main file's server name: "asset" + key + the picture's extension.
CString AssetFileName(const CString& strAssetKey, const CString& strPicture);
// The picture's upload copy ("prev_" or "web_") in the temp folder when it
// was made, else "".
CString ExistingUploadCopy(LPCTSTR lpszPrefix, const CString& strPicture);

class CUploadEngineWnd : public CWnd {
public:
    CUploadEngineWnd();
    virtual ~CUploadEngineWnd();

    // The preview copy (64 pixels) into m_strPreviewCopy, "" when none was
    // made; 1.
    int MakePreviewCopy(const CString& strPicture);
    // The web copy (the picture's long side, at most 1024) into
    // m_strWebCopy, "" when none was made; 1.
    int MakeWebCopy(const CString& strPicture);
    // Submits the document's current picture as one task.
    void SubmitSinglePicture();
    // Submits the taken pictures of the selection as one task.
    void SubmitPictureList(const CStringArray& arrSelected);
    // Removes the task at that index; an index outside the list removes nothing.
    void RemoveUploadTask(int nIndex);
    // The task at that index, or NULL.
    UploadTask* GetTask(int nIndex);
    CString RequestNewAssetID();
    CString RequestStorageLocation(double dSizeMB);
    // The asset metadata description through the catalogue's server client.
    CString FetchAssetMetaDataStruct();
    // The description into <temp>\assetmetainfo.xml; FALSE when it could not be written.
    BOOL SaveAssetMetaInfo();
    // The FTP component, created on first use.
    CFtpComponentDriver& Component();

    COmbrelleDoc* m_pDoc;
    CHttpXMlProcess m_serverClient;
    int QueueReady;
    CList<UploadTask, const UploadTask&> m_taskList;
    UploadTask m_currentTask;
    int QueuedCount;
    CString m_strHost, m_strUser, m_strPassword;
    int m_nPort;
    CString m_strFwHost;
    int m_nFwPort;
    CString m_strFwUser, m_strFwPassword;
    int m_nPasv;
    int m_nLogonType;

protected:
    // Whether the main frame's upload-all switch is on.
    BOOL IsUploadAll() const;
    BOOL IsTaken(const CString& strPicture) const;
    // Asks up to six times while the reply is empty; tells the user and
    // returns FALSE on a refusal or no reply; the parts into the document.
    BOOL ObtainStorageLocation(double dSizeMB);
    // Asks up to five times; tells the user and returns FALSE without an id.
    BOOL ObtainAssetId(CString& strId);
    // The document's key, id and category from the id; the picture's lists
    // (steps shared by both submissions).
    void NameAsset(const CString& strId);
    void BuildFileLists(const SYSTEMTIME& taken, CString& strRemote, CString& strLocal);
    // The picture's copies as the view made them; a copy that is not there is not named.
    void SetCopiesOf(const CString& strPicture);
    void FillTaskRecord(int nIndex, const CString& strRemote, const CString& strLocal, int iscontinue, int bIsDel,
                        const CString& strRecordFile);
    // The current task into the list with the submitted lines.
    void AppendCurrentTask(const CString& strRemote, const CString& strLocal);
    void QueueSingleTask(const CString& strRemote, const CString& strLocal, int iscontinue, int bIsDel,
                         const SYSTEMTIME& taken);
    void QueueListTask(int iscontinue, int bIsDel, const SYSTEMTIME& taken);

    CFtpComponentDriver m_ftp;
    BOOL m_bComponentTried;
};

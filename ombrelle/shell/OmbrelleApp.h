// The client's application object: starts the outside libraries and the
// batch job library, fixes the rights, registers the document server and
// shows the main frame (at once, or when an automation client asks).
#pragma once

#include "afxwin.h"
#include "afxole.h"

class CMainFrame;

class COmbrelleApp : public CWinApp {
public:
    COmbrelleApp();
    virtual ~COmbrelleApp();

    virtual BOOL InitInstance();
    virtual BOOL PreTranslateMessage(MSG* pMsg);

    // The late start-up of an automation start: every menu stays.
    void ShowMainWindow();
    // Removes the menus and commands that the rights forbid; 0 when the
    // rights allow nothing.
    int PruneMenusByRights();
    // The first document of the client's own template, or none.
    CDocument* GetCurrentDocument() const;

    float m_fAssetSizeMB;
    CString m_strAsset1;
    int m_nAsset1On;
    CString m_strAsset2;
    int m_nAsset2On;
    CString m_strAsset3, m_strAsset4, m_strAsset5;
    CString m_strAsset6, m_strAsset7, m_strAsset8, m_strAsset9, m_strAsset10, m_strAsset11;
    CString m_strDataFolder;
    CString m_strAssetMetaDataStruct;
    CString m_strAssociatePageUrl;
    CString m_strAccessoryPageUrl;
    CString m_strUploadLocation1, m_strUploadLocation2;
    CString m_strFtpObjectText;
    // Set by the upload automation object: the call-back page, and the
    // account, host and path of an upload target (which nothing reads).
    CString CallBackFileName;
    CString UploadAccountText;
    CString UploadHostText;
    CString UploadPathText;
    CString m_strUserName;
    int m_nScanRight;
    int m_nPictureRight;
    int m_nManageRight;
    int m_nFourthRight;
    COleTemplateServer m_server;
    CMainFrame* m_pMainFrame;
    CMultiDocTemplate* m_pDocTemplate;

protected:
    void PrepareTempFolder();
    void OpenMainDocument();

    afx_msg void OnAppAbout();
    DECLARE_MESSAGE_MAP()
};

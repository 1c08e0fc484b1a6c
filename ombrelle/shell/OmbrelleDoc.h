// The client's document (an automation server): the current picture and its
// display image, scanning into the scan folder, the server addresses of the
// profile, and the temp folder's clean-up when it closes.
#pragma once

#include "afxwin.h"
#include "afxdisp.h"

#include "CategoryList.h"
#include "PicTypeEntry.h"
#include "UploadEngineWnd.h"

class CHttpXMlProcess;
class CImageIO;
class CMainFrame;

class COmbrelleDoc : public CDocument {
    DECLARE_DYNCREATE(COmbrelleDoc)
public:
    COmbrelleDoc();
    virtual ~COmbrelleDoc();

    // The picture file types the thumbnail list shows.
    CPicTypeList m_picTypes;

    // The current picture's IPTC texts, in the order of the IPTC page.
    CString m_strDescription, m_strHeadLine, m_strCategory, m_strEnveNumber, m_strEnvePriority;
    CString m_strLanguageID, m_strProductID, m_strServiceID, m_strDestination, m_strObjName;
    CString m_strOriginalTX, m_strCity, m_strCountry;

    // Scanning commands; the main frame's automatic scan runs the scan too.
    afx_msg void SelectScanner();
    afx_msg void PreScanIntoNextFile();
    afx_msg void ScanIntoNextFile();
    // Command 32774: the scan settings dialog.
    afx_msg void OnScanSettings();
    // Command 32775: the server address dialog.
    afx_msg void EditServerAddress();
    // Command 32772: the asset type dialog.
    afx_msg void ChooseAssetType();
    // Command 32776: the cataloguing window for the current picture.
    afx_msg void OpenCataloguing();

    // The operator's log-in to the back-end server, through the dialog or
    // with the remembered user; nForce 1 asks the server again. Every server
    // client asks for it through the main frame.
    BOOL ValidateUploadLogin(int nForce);
    // Has the server check that user (the log-in's messages on failure);
    // on success keeps the user in the profile when bKeep, remembers it
    // for forced log-ins and marks the document logged in.
    BOOL LogInAs(const CString& strUser, const CString& strPassword, BOOL bKeep);

    // Makes the display image of a picture for a window of the rectangle's
    // size; FALSE when the picture cannot be shown.
    BOOL LoadCurrentImage(const CString& strPath, const CRect& rcTarget);
    // A JPEG copy in the temp folder no larger than the rectangle
    // (ReducedCopyName), the picture itself when it fits already, "" on failure.
    CString MakeReducedCopy(const CString& strPath, const CRect& rcTarget);
    // Frees the display image with its planes and the display bits, and
    // forgets its file.
    void FreeDisplayImage();
    // Current folder, a backslash, current file name; "" without a file name.
    CString GetCurrentPicturePath() const;
    // Bytes of a 24-bit bottom-up bitmap of that size, rows padded to 4 bytes.
    static DWORD DisplayBitsSize(int nWidth, int nHeight);

    CImageIO* m_pDisplayImage;
    CImageIO* m_pCopyImage;
    BYTE* m_pDisplayBits;
    // The upload engine; the view stores this document in it before each submission.
    CUploadEngineWnd m_engine;
    CString m_strDisplayedFile;
    BOOL m_bLoggedIn;
    CString m_strScanFolder;    // ends in a backslash
    CString m_strScanFileType;  // extension with its dot
    int m_nScanCounter;         // last number tried for a scan file
    int m_nAssetTypeIndex;

    // The current picture, as the thumbnail pane fills it in.
    CString m_strOriginalFolder, m_strOriginalName;
    CString m_strMainSize, m_strCreateTime, m_strModifyTime;
    CString m_strPicMode, m_strPicWidth, m_strPicHeight, m_strHorRes, m_strVerRes;

    // Upload fields: what the metadata form, the upload engine and the asset
    // record pass on about the pictures being submitted.
    CString m_strCurrentPicture;
    CString m_strFieldAttributes;  // the metadata form's name='value' pairs, escaped
    CString m_strAssetState;       // "0" or "-1"
    CString m_strCatalogIds;
    CStringArray m_arrCatalogued;  // full paths of the catalogued pictures
    CStringArray m_arrSubmitted;   // asset key|main path|preview path|web path
    CString m_strAssetKey, m_strAssetId, m_strCategoryId;
    CString m_strStorageHost, m_strStoragePath, m_strStorageUser, m_strStoragePassword;
    CString m_strRemoteMainFile;
    CString m_strPreviewCopy, m_strWebCopy, m_strPreviewName, m_strWebName;
    CString m_strPreviewSize, m_strWebSize;
    CString m_strRecordFile;

    // Server addresses, kept in the profile's edition section.
    CString m_strAccessoryUrl, m_strRegisterUrl, m_strServletUrl, m_strServerUrl, m_strBaseServerUrl;

    // The log-in's server client, made on the first log-in.
    CHttpXMlProcess* m_pServerClient;
    // The asset type dialog's server client, its last reply and the types it
    // listed; kept while the servlet address stays the same.
    CHttpXMlProcess* m_pAssetTypeClient;
    CString m_strAssetTypeReply;
    CCategoryList m_categories;
    // The catalogue tree's server client and the category structure it
    // fetched, which belongs to the URL the client was set to.
    CHttpXMlProcess* m_pTreeServerClient;
    CString m_strCategoryStructure;
    // The asset metadata description the upload engine's fetch keeps.
    CString m_strAssetMetaDescription;

protected:
    CMainFrame* GetMainFrame() const;
    void ScanInto(BOOL bScan);
    void CleanTempFolder();
    void SaveServerAddresses();
    // Makes the log-in's server client when there is none; FALSE when it cannot.
    BOOL EnsureServerClient();

    // What the display image was last made from, so that a repaint with
    // nothing changed reuses it.
    CString m_strLoadedSource;
    CSize m_sizeLoadedTarget;
    WIN32_FILE_ATTRIBUTE_DATA m_loadedStamp;

    DECLARE_MESSAGE_MAP()
    DECLARE_DISPATCH_MAP()
};

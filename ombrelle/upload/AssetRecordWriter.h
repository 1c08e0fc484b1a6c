// Writes the asset record of the document's upload fields into the temp
// folder (the upload engine's record writer): the values are gathered here,
// composed by AssetRecord and written in binary, so that the declaration ends
// with CR LF and nothing else gains a CR.
#pragma once

#include "afxwin.h"

#include "AssetRecord.h"

class COmbrelleDoc;

class CAssetRecordWriter {
public:
    explicit CAssetRecordWriter(COmbrelleDoc* pDoc) : m_pDoc(pDoc) {}

    // The single form for the document's current picture: the "|"-joined
    // server paths (the main file's first) and local files. The description
    // and the IPTC values come from the picture's IPTC record. Sets
    // m_strRecordFile; 1, or 0 when the file cannot be created.
    int WriteAssetInfoFile(const CString& strRemoteFiles, const CString& strLocalFiles, const SYSTEMTIME& taken);
    // The list form for every line of m_arrSubmitted that is taken (all with
    // bUploadAll, else the catalogued ones), named after the asset key that
    // the document holds when it starts. 1, or 0 when the file cannot be
    // created.
    int WriteAssetListInfoFile(BOOL bUploadAll, const SYSTEMTIME& taken);

    // This computer's dotted IPv4 address; "" when it has none.
    static CString GetLocalIpAddress();

private:
    assetrecord::RecordContext Context(const SYSTEMTIME& taken) const;
    // The picture's description and IPTC values into the document.
    void ReadIptcIntoDocument(const CString& strPicture);
    // The thumbnail pane's details of the document's picture, when it lists it.
    void RefreshPictureDetails();
    assetrecord::AssetValues DocumentValues(const CString& strMainRemotePath) const;
    // Into <temp>\\<key>_ImageInfo.xml, which becomes m_strRecordFile.
    int WriteRecord(const CString& strAssetKey, const std::string& bytes);

    COmbrelleDoc* m_pDoc;
};

// The IPTC texts of a JPEG file: read from its APP13 "Photoshop 3.0"
// segment, and written back into it.
#pragma once

#include "afx.h"
#include "afxcoll.h"

class CIptcRecord {
public:
    CIptcRecord();
    virtual ~CIptcRecord();

    // False when the file cannot be read, is not a JFIF file, or its APP13
    // segment holds no IPTC resource; a file without APP13 is no failure,
    // nor is one whose IPTC data is damaged (it counts as having none).
    BOOL ReadFromJpeg(LPCTSTR lpszPath);
    // Replaces the file's IPTC datasets by the record-2 texts; the file is
    // replaced only when the new one was written whole. A file without
    // APP13 is left as it is (true).
    BOOL WriteToJpeg(LPCTSTR lpszPath);

    CString m_strByline;
    CString m_strBylineTitle;
    CString m_strCredit;
    CString m_strSource;
    CString m_strWriter;
    CString m_strCaption;
    CString m_strHeadline;
    CString m_strSpecialInstructions;
    CString m_strObjectName;
    CString m_strDateCreated;
    CString m_strCity;
    CString m_strProvinceState;
    CString m_strCountry;
    CString m_strOriginalTransmission;
    CString m_strCategory;
    CStringArray m_arrSupplementalCategories;
    CStringArray m_arrKeywords;
    CString m_strCopyright;
    CString m_strLanguage;
    CString m_strServiceId;
    CString m_strProductId;
    CString m_strDestination;
    CString m_strEnvelopeNumber;
    CString m_strEnvelopePriority;

private:
    void StoreDataset(int nRecord, int nNumber, const CString& strValue);
};

// The thirteen IPTC texts that the IPTC page, the document and the asset
// record hold under the same member names (m_strDescription .. m_strCountry).
#pragma once

#include "IptcRecord.h"

// The texts of a picture's IPTC record, by record:dataset: the caption 2:120,
// headline 2:105, category 2:15, envelope number 1:40 and priority 1:60,
// language 2:135, product 1:50, service 1:30, destination 1:5, object name
// 2:5, original transmission 2:103, city 2:90, country 2:101.
template <class Target>
void CopyIptcTexts(const CIptcRecord& record, Target& target)
{
    target.m_strDescription = record.m_strCaption;
    target.m_strHeadLine = record.m_strHeadline;
    target.m_strCategory = record.m_strCategory;
    target.m_strEnveNumber = record.m_strEnvelopeNumber;
    target.m_strEnvePriority = record.m_strEnvelopePriority;
    target.m_strLanguageID = record.m_strLanguage;
    target.m_strProductID = record.m_strProductId;
    target.m_strServiceID = record.m_strServiceId;
    target.m_strDestination = record.m_strDestination;
    target.m_strObjName = record.m_strObjectName;
    target.m_strOriginalTX = record.m_strOriginalTransmission;
    target.m_strCity = record.m_strCity;
    target.m_strCountry = record.m_strCountry;
}

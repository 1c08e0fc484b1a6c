#include "EnumValueList.h"

namespace {

// Walks both lists together; the partner of the first key equal to strKey
// ignoring case (multi-byte aware) goes to strFound, "" when there is none.
BOOL FindPartner(const CStringList& keys, const CStringList& partners, const CString& strKey, CString& strFound)
{
    POSITION posPartner = partners.GetHeadPosition();
    for (POSITION posKey = keys.GetHeadPosition(); posKey != NULL && posPartner != NULL;) {
        const CString& strPartner = partners.GetNext(posPartner);
        if (keys.GetNext(posKey).CompareNoCase(strKey) == 0) {
            strFound = strPartner;
            return TRUE;
        }
    }
    strFound.Empty();
    return FALSE;
}

}  // namespace

CEnumValueList::CEnumValueList() : CStringList(10), m_values(10), m_objects(10), m_nValue1(0), m_nValue2(0) {}

CEnumValueList::~CEnumValueList() { RemoveAll(); }

void CEnumValueList::Add(const CString& strName, const CString& strValue)
{
    AddTail(strName);
    m_values.AddTail(strValue);
}

void CEnumValueList::AddFirst(const CString& strName, const CString& strValue)
{
    AddHead(strName);
    m_values.AddHead(strValue);
}

BOOL CEnumValueList::ValueOf(const CString& strName, CString& strValue) const
{
    return FindPartner(*this, m_values, strName, strValue);
}

BOOL CEnumValueList::NameOf(const CString& strValue, CString& strName) const
{
    return FindPartner(m_values, *this, strValue, strName);
}

void CEnumValueList::RemoveAll()
{
    CStringList::RemoveAll();
    m_values.RemoveAll();
    m_objects.RemoveAll();
}

CString FindValueIn(const CStringList& names, const CStringList& values, const CString& strKey)
{
    CString strValue;
    FindPartner(names, values, strKey, strValue);
    return strValue;
}

CFormItemRecord::CFormItemRecord()
    : m_nValue1(1), m_nValue2(-1), m_nValue3(1), m_nValue4(0), m_nValue5(-1), m_nValue6(0)
{
}

// A list of name and value pairs for the form-control framework's
// enumerations: the names in the list itself, the values in a parallel list.
#pragma once

#include "afxwin.h"
#include "afxcoll.h"

class CEnumValueList : public CStringList {
public:
    CEnumValueList();
    virtual ~CEnumValueList();

    void Add(const CString& strName, const CString& strValue);
    void AddFirst(const CString& strName, const CString& strValue);
    // The value of the first name equal to strName ignoring case; "" and
    // FALSE when there is none.
    BOOL ValueOf(const CString& strName, CString& strValue) const;
    // The name of the first value equal to strValue ignoring case.
    BOOL NameOf(const CString& strValue, CString& strName) const;
    // Empties the names, the values and the objects.
    void RemoveAll();

    CStringList m_values;
    CObList m_objects;
    // Kept for the framework; nothing sets them.
    int m_nValue1;
    int m_nValue2;
};

// The value paired with the first name equal to strKey ignoring case, or "".
CString FindValueIn(const CStringList& names, const CStringList& values, const CString& strKey);

// A small record of six texts and six numbers that the framework was written
// with; nothing fills it.
class CFormItemRecord : public CObject {
public:
    CFormItemRecord();

    CString m_strText1, m_strText2, m_strText3, m_strText4, m_strText5, m_strText6;
    int m_nValue1, m_nValue2, m_nValue3, m_nValue4, m_nValue5, m_nValue6;
};

// The metadata form's enumeration combo boxes: filled from their field's
// configuration, and cascading, a child offering only the entries of the
// item chosen in its parent.
#include "MetaDataInput.h"

#include "CategoryStructureXml.h"
#include "OmbrelleDoc.h"
#include "XmlReading.h"

namespace {

// An entry is "ID EnumItemName FatherItemID"; the name may hold blanks.
CString EntryId(const CString& strEntry)
{
    const int nFirst = strEntry.Find(' ');
    return nFirst < 0 ? strEntry : strEntry.Left(nFirst);
}

CString EntryName(const CString& strEntry)
{
    const int nFirst = strEntry.Find(' ');
    const int nLast = strEntry.ReverseFind(' ');
    return nFirst < 0 || nLast <= nFirst ? CString() : strEntry.Mid(nFirst + 1, nLast - nFirst - 1);
}

CString EntryFatherId(const CString& strEntry)
{
    const int nLast = strEntry.ReverseFind(' ');
    return nLast < 0 ? CString() : strEntry.Mid(nLast + 1);
}

}  // namespace

void CMetaDataInput::FillEnumCombo(CComboBox* pCombo, const CString& strFieldName)
{
    EnumRecord* pRecord = new EnumRecord;
    pRecord->pCombo = pCombo;
    COmbrelleDoc* pDoc = GetMetaDocument();
    IXMLDOMDocument* pDocument = pDoc != NULL ? CreateXmlDocument() : NULL;
    if (pDocument != NULL) {
        if (pDocument->put_async(VARIANT_FALSE) == S_OK && LoadXmlText(pDocument, pDoc->m_strCategoryStructure))
            ReadEnumConfig(pDocument, strFieldName, *pRecord);
        pDocument->Release();
    }
    if (pCombo->GetCount() > 0)
        pCombo->SetCurSel(0);
    m_EnumRecords.AddTail(pRecord);
}

void CMetaDataInput::ReadEnumConfig(IXMLDOMDocument* pDocument, const CString& strFieldName, EnumRecord& record)
{
    IXMLDOMNodeList* pFields = SelectXmlNodes(pDocument, L"Category/Attribute/Field");
    if (pFields == NULL)
        return;
    IXMLDOMNode* pField = NULL;
    while (pFields->nextNode(&pField) == S_OK && pField != NULL) {
        if (XmlAttributeText(pField, L"Name") == strFieldName)
            break;
        pField->Release();
        pField = NULL;
    }
    pFields->Release();
    if (pField == NULL)
        return;
    IXMLDOMNode* pConfig = SelectXmlNode(pField, L"ConfigList/ConfigItem");
    pField->Release();
    if (pConfig == NULL)
        return;
    record.ConfigItemId = XmlAttributeText(pConfig, L"ID");
    record.ParentEnumId = XmlAttributeText(pConfig, L"FatherEnumID");
    if (IXMLDOMNodeList* pItems = SelectXmlNodes(pConfig, L"EnumItem")) {
        IXMLDOMNode* pItem = NULL;
        while (pItems->nextNode(&pItem) == S_OK && pItem != NULL) {
            const CString strName = XmlAttributeText(pItem, L"EnumItemName");
            record.pCombo->AddString(strName);
            record.Entries.AddTail(XmlAttributeText(pItem, L"ID") + " " + strName + " " +
                                   XmlAttributeText(pItem, L"FatherItemID"));
            pItem->Release();
            pItem = NULL;
        }
        pItems->Release();
    }
    pConfig->Release();
}

EnumRecord* CMetaDataInput::FindEnumRecord(HWND hCombo) const
{
    for (POSITION pos = m_EnumRecords.GetHeadPosition(); pos != NULL;) {
        EnumRecord* pRecord = static_cast<EnumRecord*>(m_EnumRecords.GetNext(pos));
        if (pRecord->pCombo->GetSafeHwnd() == hCombo)
            return pRecord;
    }
    return NULL;
}

void CMetaDataInput::OnFieldSelChange(HWND hCombo)
{
    const EnumRecord* pParent = FindEnumRecord(hCombo);
    // An enumeration without a configuration has no children.
    if (pParent == NULL || pParent->ConfigItemId.IsEmpty())
        return;
    EnumRecord* pChild = NULL;
    for (POSITION pos = m_EnumRecords.GetHeadPosition(); pos != NULL && pChild == NULL;) {
        EnumRecord* pRecord = static_cast<EnumRecord*>(m_EnumRecords.GetNext(pos));
        if (pRecord->ParentEnumId == pParent->ConfigItemId)
            pChild = pRecord;
    }
    if (pChild == NULL)
        return;
    pChild->pCombo->ResetContent();
    const int nSelected = pParent->pCombo->GetCurSel();
    if (nSelected == CB_ERR)
        return;
    CString strSelected;
    pParent->pCombo->GetLBText(nSelected, strSelected);

    // The parent's entry is the one of exactly that name, and a child entry
    // belongs to it when its father id is exactly the parent's id: a name or
    // id that merely contains another must not match.
    CString strParentId;
    BOOL bFound = FALSE;
    for (POSITION pos = pParent->Entries.GetHeadPosition(); pos != NULL && !bFound;) {
        const CString& strEntry = pParent->Entries.GetNext(pos);
        if (EntryName(strEntry) == strSelected) {
            strParentId = EntryId(strEntry);
            bFound = TRUE;
        }
    }
    if (!bFound)
        return;
    for (POSITION pos = pChild->Entries.GetHeadPosition(); pos != NULL;) {
        const CString& strEntry = pChild->Entries.GetNext(pos);
        if (EntryFatherId(strEntry) == strParentId)
            pChild->pCombo->AddString(EntryName(strEntry));
    }
    if (pChild->pCombo->GetCount() > 0) {
        pChild->pCombo->SetCurSel(0);
        // On down the chain. Enumerations whose parents run in a circle would
        // refill one another for ever: no chain is longer than their number.
        if (m_nCascadeDepth >= m_EnumRecords.GetCount())
            return;
        ++m_nCascadeDepth;
        SendMessage(WM_COMMAND, MAKEWPARAM(pChild->pCombo->GetDlgCtrlID(), CBN_SELCHANGE),
                    reinterpret_cast<LPARAM>(pChild->pCombo->GetSafeHwnd()));
        --m_nCascadeDepth;
    }
}

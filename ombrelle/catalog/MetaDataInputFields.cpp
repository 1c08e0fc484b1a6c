// The metadata form's fields: the description loaded from the category
// structure, the show rules, the rows' layout and one control per type.
#include "MetaDataInput.h"

#include <cstdlib>

#include "CJSearchEdit.h"
#include "CategoryStructureXml.h"
#include "OmbrelleApp.h"
#include "OmbrelleDoc.h"
#include "XmlReading.h"

namespace {

// Filled in by the system itself, never by the operator.
const char* const kSystemFields[] = {"DataEnroll",  "location",     "LastModifyUser", "LastModifyDate",
                                     "InspectLevel", "HaveAssociate", "FileTitle"};

const int kRowHeight = 20;
const int kRowGap = 15;
const int kTallExtra = 40;
const int kComboListHeight = 100;

const DWORD kSingleLineEdit = WS_CHILD | WS_VISIBLE | WS_BORDER | ES_AUTOHSCROLL | WS_TABSTOP;
const DWORD kMultiLineEdit =
    WS_CHILD | WS_VISIBLE | WS_BORDER | WS_VSCROLL | ES_MULTILINE | ES_AUTOHSCROLL | ES_WANTRETURN | WS_TABSTOP;

FieldDescription ReadField(IXMLDOMNode* pField)
{
    FieldDescription field;
    field.Name = XmlAttributeText(pField, L"Name");
    field.CName = XmlAttributeText(pField, L"CName");
    field.Type = XmlAttributeText(pField, L"Type");
    field.Length = XmlAttributeText(pField, L"Length");
    field.View = XmlAttributeText(pField, L"View");
    field.Input = XmlAttributeText(pField, L"Input");
    field.DefaultValue = XmlAttributeText(pField, L"DefaultValue");
    field.AllowNull = XmlAttributeText(pField, L"AllowNull");
    if (IXMLDOMNode* pItem = SelectXmlNode(pField, L"CatalogList/CatalogItem")) {
        field.FolderCreated = XmlAttributeText(pItem, L"FloderCreated");
        pItem->Release();
    }
    return field;
}

}  // namespace

BOOL CMetaDataInput::IsFieldShown(const FieldDescription& field)
{
    // Created catalogue folders are chosen in the catalogue tree instead.
    if (field.Type == "6" && field.FolderCreated == "1")
        return FALSE;
    for (const char* pszName : kSystemFields)
        if (field.Name == pszName)
            return FALSE;
    return field.View == "1";
}

BOOL CMetaDataInput::IsTallField(const FieldDescription& field)
{
    return field.Name != "Title" && field.Type == "4" && std::atoi(field.Length) > 50;
}

CString CMetaDataInput::LabelText(const FieldDescription& field)
{
    return field.CName + (field.AllowNull == "0" ? "(*):" : ":");
}

void CMetaDataInput::LoadDescription()
{
    COmbrelleDoc* pDoc = GetMetaDocument();
    if (pDoc == NULL || pDoc->m_strCategoryStructure.IsEmpty())
        return;
    IXMLDOMDocument* pDocument = CreateXmlDocument();
    if (pDocument == NULL)
        return;
    if (pDocument->put_async(VARIANT_FALSE) == S_OK &&
        LoadCategoryStructureText(pDocument, pDoc->m_strCategoryStructure,
                                  static_cast<COmbrelleApp*>(AfxGetApp())->m_strDataFolder))
        BuildFields(pDocument);
    pDocument->Release();
}

void CMetaDataInput::BuildFields(IXMLDOMDocument* pDocument)
{
    IXMLDOMNode* pCategory = SelectXmlNode(pDocument, L"/Category");
    if (pCategory == NULL)
        return;
    IXMLDOMNode* pAttribute = SelectXmlNode(pCategory, L"Attribute");
    pCategory->Release();
    if (pAttribute == NULL)
        return;
    m_CNameToName.RemoveAll();
    IXMLDOMNodeList* pFields = SelectXmlNodes(pAttribute, L"Field");
    pAttribute->Release();
    m_nFirstControlId = 1090;
    int nNextId = m_nFirstControlId;
    if (pFields != NULL) {
        int nShown = 0;
        IXMLDOMNode* pField = NULL;
        // A DOM error ends the building; the fields made so far stay.
        while (pFields->nextNode(&pField) == S_OK && pField != NULL) {
            const FieldDescription field = ReadField(pField);
            pField->Release();
            pField = NULL;
            if (!IsFieldShown(field))
                continue;
            BuildField(field, nNextId, nShown == 0);
            nNextId += 2;
            ++nShown;
        }
        pFields->Release();
    }
    m_nLastControlId = nNextId - 1;
    Invalidate();
}

void CMetaDataInput::BuildField(const FieldDescription& field, int nId, BOOL bFirst)
{
    PlaceRow(bFirst, IsTallField(field));
    CreateFieldLabel(field, nId);
    CreateFieldControl(field, nId + 1);
    m_CNameToName.SetAt(field.CName, field.Name);
}

void CMetaDataInput::PlaceRow(BOOL bFirst, BOOL bTall)
{
    if (bFirst) {
        m_nLabelLeft = 20;
        m_nLabelRight = 120;
        m_nLabelTop = m_nControlTop = 46;
        m_nControlLeft = 140;
        m_nControlRight = 500;
    } else {
        m_nLabelTop = m_nLabelBottom + kRowGap;
        m_nControlLeft = m_nLabelRight + 20;
        m_nControlRight = m_nControlLeft + 360;
        m_nControlTop = m_nControlBottom + kRowGap;
    }
    const int nHeight = kRowHeight + (bTall ? kTallExtra : 0);
    m_nLabelBottom = m_nLabelTop + nHeight;
    m_nControlBottom = m_nControlTop + nHeight;
    m_nLastBottom = m_nControlBottom;
    m_nLastRight = m_nControlRight;
}

void CMetaDataInput::AddFieldControl(const CString& strKey, CWnd* pControl)
{
    m_createdControls.AddTail(pControl);
    m_FieldControls.SetAt(strKey, pControl);
}

void CMetaDataInput::CreateFieldLabel(const FieldDescription& field, int nId)
{
    CStatic* pLabel = new CStatic;
    const CRect rcLabel(m_nLabelLeft, m_nLabelTop, m_nLabelRight, m_nLabelBottom);
    if (!pLabel->Create(LabelText(field), WS_CHILD | WS_VISIBLE | WS_TABSTOP, rcLabel, this, UINT(nId))) {
        delete pLabel;
        return;
    }
    pLabel->SetFont(&m_font);
    AddFieldControl(field.CName, pLabel);
}

void CMetaDataInput::CreateFieldControl(const FieldDescription& field, int nId)
{
    CRect rcControl(m_nControlLeft, m_nControlTop, m_nControlRight, m_nControlBottom);
    CWnd* pControl = NULL;
    if (field.Type == "1") {
        CButton* pCheck = new CButton;
        if (pCheck->Create(field.Name, WS_CHILD | WS_VISIBLE | BS_AUTOCHECKBOX | WS_TABSTOP, rcControl, this,
                           UINT(nId))) {
            pCheck->SetCheck(field.DefaultValue == "1" ? BST_CHECKED : BST_UNCHECKED);
            pControl = pCheck;
        } else {
            delete pCheck;
        }
    } else if (field.Type == "7") {
        CDateTimeCtrl* pDate = new CDateTimeCtrl;
        if (pDate->Create(WS_CHILD | WS_VISIBLE | WS_TABSTOP | DTS_SHORTDATEFORMAT, rcControl, this, UINT(nId))) {
            m_DateTimeControls.AddTail(pDate);
            pControl = pDate;
        } else {
            delete pDate;
        }
    } else if (field.Type == "6") {
        CComboBox* pCombo = new CComboBox;
        rcControl.bottom += kComboListHeight;
        const DWORD dwKind = field.Input == "1" ? CBS_DROPDOWN : CBS_DROPDOWNLIST;
        if (pCombo->Create(WS_CHILD | WS_VISIBLE | WS_VSCROLL | dwKind, rcControl, this, UINT(nId))) {
            AddFieldControl(field.Name, pCombo);
            FillEnumCombo(pCombo, field.Name);
            return;
        }
        delete pCombo;
    } else if (field.Type == "10") {
        CCJSearchEdit* pFileEdit = new CCJSearchEdit;
        pFileEdit->SetKind(kBrowseAnyFile);
        pControl = CreateEditControl(pFileEdit, field, kSingleLineEdit, nId);
    } else {
        const BOOL bMultiLine = field.Type == "5" || field.Type == "11" || (field.Type == "4" && std::atoi(field.Length) >= 256);
        pControl = CreateEditControl(new CEdit, field, bMultiLine ? kMultiLineEdit : kSingleLineEdit, nId);
    }
    if (pControl != NULL)
        AddFieldControl(field.Name, pControl);
}

CEdit* CMetaDataInput::CreateEditControl(CEdit* pEdit, const FieldDescription& field, DWORD dwStyle, int nId)
{
    const CRect rcControl(m_nControlLeft, m_nControlTop, m_nControlRight, m_nControlBottom);
    if (!pEdit->CreateEx(WS_EX_CLIENTEDGE, "Edit", field.DefaultValue, dwStyle, rcControl, this, UINT(nId))) {
        delete pEdit;
        return NULL;
    }
    pEdit->SetFont(&m_font);
    KeepFieldAttributes(field);
    return pEdit;
}

void CMetaDataInput::KeepFieldAttributes(const FieldDescription& field)
{
    void* pOld = NULL;
    if (m_FieldAttributes.Lookup(field.Name, pOld))
        delete static_cast<FieldAttributeRecord*>(pOld);
    m_FieldAttributes.SetAt(field.Name, new FieldAttributeRecord{field.CName, field.Type, field.Length, field.AllowNull});
}

// The form file: the factory's controls as XML text, and back.
#include "FCControlFactory.h"

#include "FCDomReading.h"
#include "FormFileHelpers.h"
#include "FormTextHelpers.h"
#include "FormVocabulary.h"
#include "FormWindowHelpers.h"
#include "General.h"
#include "XmlReading.h"
#include "XmlText.h"

namespace {

CString OpeningLine(int nLevel, LPCTSTR lpszName)
{
    return XmlIndent(nLevel) + "<" + lpszName + ">\r\n";
}

CString ClosingLine(int nLevel, LPCTSTR lpszName)
{
    return XmlIndent(nLevel) + "</" + lpszName + ">\r\n";
}

CString ControlBlock(int nLevel, LPCTSTR lpszElement, CFCControlInternalProp& prop)
{
    return OpeningLine(nLevel, lpszElement) + prop.ToXml(nLevel + 1) + ClosingLine(nLevel, lpszElement);
}

int CounterOf(IXMLDOMNode* pRoot, LPCTSTR lpszName)
{
    CString strText;
    int nValue = 0;
    if (FCReadChildText(pRoot, lpszName, strText) && ParseNumberText(strText, nValue))
        return nValue;
    return 0;
}

}  // namespace

void CFCControlFactory::TakeWindowState(CWnd* pControl, CFCControlInternalProp& prop)
{
    if (pControl->GetSafeHwnd() == NULL)
        return;
    pControl->GetWindowText(prop.m_strCaption);
    CRect rect;
    pControl->GetWindowRect(&rect);
    if (CWnd* pParent = pControl->GetParent())
        pParent->ScreenToClient(&rect);
    prop.m_rect = rect;
}

CString CFCControlFactory::SaveToXml(int nLevel)
{
    CString strXml = OpeningLine(nLevel, KeyControlManager);
    strXml += XmlElementLine(KeyControlCounterId, NumberText(m_nControlCount), nLevel + 1);
    strXml += XmlElementLine(KeyMaxCtrlId, NumberText(m_nMaxCtrlId - ControlIdBase), nLevel + 1);
    strXml += XmlElementLine(KeyMaxTabOrderId, NumberText(m_nMaxTabOrder), nLevel + 1);
    POSITION pos = m_mapControls.GetStartPosition();
    while (pos != NULL) {
        void* pKey = NULL;
        void* pTracker = NULL;
        m_mapControls.GetNextAssoc(pos, pKey, pTracker);
        CWnd* pControl = static_cast<CWnd*>(pKey);
        const int nKind = KindOfControl(pControl);
        if (nKind == FCKindNone) {
            AfxMessageBox("不支持该控件!");
            continue;
        }
        CFCControlInternalProp& prop = *FCPropOf(pControl);
        TakeWindowState(pControl, prop);
        strXml += ControlBlock(nLevel + 1, FCKindElementName(nKind), prop);
    }
    strXml += ClosingLine(nLevel, KeyControlManager);
    return strXml;
}

CString CFCControlFactory::DateTimeToXml(CFCDateTimeCtrl* pControl, int nLevel)
{
    if (pControl == NULL)
        return CString();
    TakeWindowState(pControl, pControl->m_prop);
    return ControlBlock(nLevel, KindDateControl, pControl->m_prop);
}

void CFCControlFactory::LoadFromXml(IXMLDOMNode* pRoot, int nMode)
{
    m_nControlCount = CounterOf(pRoot, KeyControlCounterId);
    m_nMaxCtrlId = CounterOf(pRoot, KeyMaxCtrlId) + ControlIdBase;
    m_nMaxTabOrder = CounterOf(pRoot, KeyMaxTabOrderId);

    static const int kinds[] = {FCKindButton,   FCKindLabel, FCKindRadio, FCKindCheckBox, FCKindListBox,
                                FCKindComboBox, FCKindMemo,  FCKindEdit,  FCKindGroupBox};
    for (int nKind : kinds) {
        CFCChildElements elements(pRoot, FCKindElementName(nKind));
        for (int i = 0; i < elements.GetCount(); ++i) {
            IXMLDOMNode* pElement = elements[i];
            CWnd* pControl = FCNewControl(nKind);
            CFCControlInternalProp& prop = *FCPropOf(pControl);
            try {
                CFCComRef<IXMLDOMNode> pInternal(FCSelectChild(pElement, PropInternal));
                if (pInternal != NULL)
                    prop.FromXml(pInternal);
            } catch (...) {
                delete pControl;
                throw;
            }
            prop.m_pOwner = this;
            if (nMode != 1) {
                m_mapControls.SetAt(pControl, NULL);
                continue;
            }
            pControl = AdoptDialogControl(pControl, prop);
            CFCControlInternalProp& standing = *FCPropOf(pControl);
            if (!standing.m_bAlreadyExists) {
                if (CreateOfKind(nKind, m_pParent, pControl) == NULL) {
                    delete pControl;
                    continue;
                }
            }
            // An adopted child may be of another kind than the element.
            if (KindOfControl(pControl) == FCKindListBox)
                FillListBoxFromText(static_cast<CListBox*>(pControl), standing.m_strItems);
        }
    }
}

BOOL CFCControlFactory::LoadFormText(const CString& strText, IXMLDOMDocument* pDocument)
{
    if (pDocument == NULL)
        return FALSE;
    LoadXmlText(pDocument, strText);
    CFCComRef<IXMLDOMElement> pRoot;
    if (pDocument->get_documentElement(&pRoot) == S_OK && pRoot != NULL)
        return TRUE;
    // Once more from a file of the temp folder, which goes again afterwards.
    CString strFolder = GenGetTempFolder();
    if (strFolder.IsEmpty())
        return FALSE;
    char szPath[MAX_PATH] = "";
    if (::GetTempFileNameA(strFolder, "frm", 0, szPath) == 0)
        return FALSE;
    if (WriteTextFile(strText, szPath))
        LoadXmlFile(pDocument, szPath);
    ::DeleteFileA(szPath);
    CFCComRef<IXMLDOMElement> pFileRoot;
    return pDocument->get_documentElement(&pFileRoot) == S_OK && pFileRoot != NULL;
}

#include "CategoryStructureXml.h"

#include "FormFileHelpers.h"
#include "XmlReading.h"

BOOL HasDocumentElement(IXMLDOMDocument* pDocument)
{
    IXMLDOMElement* pRoot = NULL;
    if (pDocument->get_documentElement(&pRoot) != S_OK || pRoot == NULL)
        return FALSE;
    pRoot->Release();
    return TRUE;
}

BOOL LoadCategoryStructureText(IXMLDOMDocument* pDocument, const CString& strText, const CString& strDataFolder)
{
    if (LoadXmlText(pDocument, strText) && HasDocumentElement(pDocument))
        return TRUE;
    // Written only into the data folder, and deleted once loaded, parsed or not.
    const CString strPath = strDataFolder + "\\assetmetainfo.xml";
    if (!strDataFolder.IsEmpty() && StoreTextFile(strText, strPath)) {
        LoadXmlFile(pDocument, strPath);
        ::DeleteFileA(strPath);
    }
    return HasDocumentElement(pDocument);
}

BOOL ReadXmlAttribute(IXMLDOMNode* pElement, const wchar_t* pszName, CString& strValue)
{
    IXMLDOMNamedNodeMap* pAttributes = NULL;
    if (pElement->get_attributes(&pAttributes) != S_OK || pAttributes == NULL)
        return FALSE;
    BOOL bFound = FALSE;
    IXMLDOMNode* pAttribute = NULL;
    BSTR bstrName = ::SysAllocString(pszName);
    if (pAttributes->getNamedItem(bstrName, &pAttribute) == S_OK && pAttribute != NULL) {
        BSTR bstrText = NULL;
        if (SUCCEEDED(pAttribute->get_text(&bstrText))) {
            strValue = CString(bstrText != NULL ? bstrText : L"");
            bFound = TRUE;
        }
        ::SysFreeString(bstrText);
        pAttribute->Release();
    }
    ::SysFreeString(bstrName);
    pAttributes->Release();
    return bFound;
}

CString XmlAttributeText(IXMLDOMNode* pElement, const wchar_t* pszName)
{
    CString strValue;
    if (!ReadXmlAttribute(pElement, pszName, strValue))
        strValue.Empty();
    return strValue;
}

IXMLDOMNode* SelectXmlNode(IXMLDOMNode* pNode, const wchar_t* pszPattern)
{
    IXMLDOMNode* pFound = NULL;
    BSTR bstrPattern = ::SysAllocString(pszPattern);
    if (pNode->selectSingleNode(bstrPattern, &pFound) != S_OK)
        pFound = NULL;
    ::SysFreeString(bstrPattern);
    return pFound;
}

IXMLDOMNodeList* SelectXmlNodes(IXMLDOMNode* pNode, const wchar_t* pszPattern)
{
    IXMLDOMNodeList* pList = NULL;
    BSTR bstrPattern = ::SysAllocString(pszPattern);
    if (pNode->selectNodes(bstrPattern, &pList) != S_OK)
        pList = NULL;
    ::SysFreeString(bstrPattern);
    return pList;
}

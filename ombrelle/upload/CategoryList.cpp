#include "CategoryList.h"

#include <cstdlib>

#include "XmlReading.h"

namespace {

// The attribute's text, or the other spelling's; FALSE when neither is there.
BOOL ReadAttribute(IXMLDOMNode* pNode, const wchar_t* pszName, const wchar_t* pszOtherName, CString& strValue)
{
    IXMLDOMElement* pElement = NULL;
    if (FAILED(pNode->QueryInterface(IID_IXMLDOMElement, reinterpret_cast<void**>(&pElement))))
        return FALSE;
    BOOL bFound = FALSE;
    for (const wchar_t* pszTry : {pszName, pszOtherName}) {
        BSTR bstrName = ::SysAllocString(pszTry);
        VARIANT value;
        ::VariantInit(&value);
        if (pElement->getAttribute(bstrName, &value) == S_OK && V_VT(&value) == VT_BSTR) {
            strValue = CString(V_BSTR(&value));
            bFound = TRUE;
        }
        ::VariantClear(&value);
        ::SysFreeString(bstrName);
        if (bFound)
            break;
    }
    pElement->Release();
    return bFound;
}

}  // namespace

BOOL CategoryListXml(const CString& strReply, CCategoryList& list)
{
    IXMLDOMDocument* pDocument = CreateXmlDocument();
    if (pDocument == NULL) {
        ::MessageBoxA(::GetActiveWindow(), "Error Info", "Init Dom Fail", MB_OK);
        return FALSE;
    }
    if (!LoadXmlText(pDocument, strReply)) {
        pDocument->Release();
        return FALSE;
    }
    IXMLDOMNode* pCategories = NULL;
    BSTR bstrList = ::SysAllocString(L"Categories");
    if (pDocument->selectSingleNode(bstrList, &pCategories) == S_OK && pCategories != NULL) {
        IXMLDOMNodeList* pItems = NULL;
        BSTR bstrItem = ::SysAllocString(L"Category");
        if (pCategories->selectNodes(bstrItem, &pItems) == S_OK && pItems != NULL) {
            IXMLDOMNode* pItem = NULL;
            while (pItems->nextNode(&pItem) == S_OK && pItem != NULL) {
                CString strId, strName;
                if (ReadAttribute(pItem, L"id", L"ID", strId)) {
                    ReadAttribute(pItem, L"name", L"Name", strName);
                    list.push_back(CategoryRecord{static_cast<int>(std::strtol(strId, NULL, 10)), strName});
                }
                pItem->Release();
                pItem = NULL;
            }
            pItems->Release();
        }
        ::SysFreeString(bstrItem);
        pCategories->Release();
    }
    ::SysFreeString(bstrList);
    pDocument->Release();
    return TRUE;
}

#include "FCDomReading.h"

#include <comdef.h>

namespace {

void Raise(HRESULT hr)
{
    if (FAILED(hr))
        _com_issue_error(hr);
}

// Calls take(node) for each child element of that name until it answers false.
template<class FTake>
void ForEachChildElement(IXMLDOMNode* pParent, LPCTSTR lpszName, FTake take)
{
    const CString strName(lpszName);
    CFCComRef<IXMLDOMNode> pChild;
    Raise(pParent->get_firstChild(&pChild));
    while (pChild != NULL) {
        DOMNodeType type = NODE_INVALID;
        Raise(pChild->get_nodeType(&type));
        if (type == NODE_ELEMENT) {
            BSTR bstrName = NULL;
            Raise(pChild->get_nodeName(&bstrName));
            const BOOL bMatch = CString(bstrName != NULL ? bstrName : L"") == strName;
            ::SysFreeString(bstrName);
            if (bMatch) {
                pChild->AddRef();
                if (!take(pChild.p))
                    return;
            }
        }
        IXMLDOMNode* pNext = NULL;
        Raise(pChild->get_nextSibling(&pNext));
        pChild.p->Release();
        pChild.p = pNext;
    }
}

}  // namespace

CFCChildElements::CFCChildElements(IXMLDOMNode* pParent, LPCTSTR lpszName)
{
    try {
        ForEachChildElement(pParent, lpszName, [this](IXMLDOMNode* pNode) {
            m_nodes.push_back(pNode);
            return true;
        });
    } catch (...) {
        for (IXMLDOMNode* pNode : m_nodes)
            pNode->Release();
        throw;
    }
}

CFCChildElements::~CFCChildElements()
{
    for (IXMLDOMNode* pNode : m_nodes)
        pNode->Release();
}

IXMLDOMNode* FCSelectChild(IXMLDOMNode* pParent, LPCTSTR lpszName)
{
    IXMLDOMNode* pFound = NULL;
    ForEachChildElement(pParent, lpszName, [&pFound](IXMLDOMNode* pNode) {
        pFound = pNode;
        return false;
    });
    return pFound;
}

BOOL FCReadChildText(IXMLDOMNode* pParent, LPCTSTR lpszName, CString& strText)
{
    CFCComRef<IXMLDOMNode> pChild(FCSelectChild(pParent, lpszName));
    if (pChild == NULL)
        return FALSE;
    BSTR bstrText = NULL;
    Raise(pChild->get_text(&bstrText));
    strText = CString(bstrText != NULL ? bstrText : L"");
    ::SysFreeString(bstrText);
    return TRUE;
}

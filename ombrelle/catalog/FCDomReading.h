// Reading the form file's elements through the MSXML DOM: the text of a named
// child element, and the child elements of one name. Children are found by
// walking them, not by a selection: Wine's MSXML selects no element whose name
// is not ASCII. A failing DOM call raises _com_error; a missing element is no
// failure.
#pragma once

#include "afxwin.h"

#include <msxml2.h>

#include <vector>

// A COM interface pointer released when it goes.
template<class T>
class CFCComRef {
public:
    CFCComRef() : p(NULL) {}
    explicit CFCComRef(T* pAdopt) : p(pAdopt) {}
    ~CFCComRef()
    {
        if (p != NULL)
            p->Release();
    }
    CFCComRef(const CFCComRef&) = delete;
    CFCComRef& operator=(const CFCComRef&) = delete;
    T** operator&() { return &p; }
    T* operator->() const { return p; }
    operator T*() const { return p; }

    T* p;
};

// Child elements of one name, in document order; released with the list.
class CFCChildElements {
public:
    CFCChildElements(IXMLDOMNode* pParent, LPCTSTR lpszName);
    ~CFCChildElements();
    CFCChildElements(const CFCChildElements&) = delete;
    CFCChildElements& operator=(const CFCChildElements&) = delete;

    int GetCount() const { return int(m_nodes.size()); }
    IXMLDOMNode* operator[](int nIndex) const { return m_nodes[size_t(nIndex)]; }

private:
    std::vector<IXMLDOMNode*> m_nodes;
};

// The text of the first child element of that name; FALSE when there is none.
BOOL FCReadChildText(IXMLDOMNode* pParent, LPCTSTR lpszName, CString& strText);
// The first child element of that name, or NULL (the caller releases it).
IXMLDOMNode* FCSelectChild(IXMLDOMNode* pParent, LPCTSTR lpszName);

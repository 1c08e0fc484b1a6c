// Reading the server's category structure through the MSXML DOM: the text
// as it came, or through a file in the data folder when it does not parse
// as it is; and the small DOM steps its readers share.
#pragma once

#include "afxwin.h"

#include <msxml2.h>

// Loads the structure text into the document. When it does not parse, the
// text is written to strDataFolder + "\assetmetainfo.xml", loaded from there
// and the file deleted, parsed or not; nothing is written without a data
// folder. TRUE when the document has a root element.
BOOL LoadCategoryStructureText(IXMLDOMDocument* pDocument, const CString& strText, const CString& strDataFolder);
BOOL HasDocumentElement(IXMLDOMDocument* pDocument);

// The attribute's text; FALSE when the element has no such attribute.
BOOL ReadXmlAttribute(IXMLDOMNode* pElement, const wchar_t* pszName, CString& strValue);
// The attribute's text, "" when it is missing.
CString XmlAttributeText(IXMLDOMNode* pElement, const wchar_t* pszName);
// The first node the pattern selects below pNode (a reference the caller
// releases); NULL when none, or on a DOM error.
IXMLDOMNode* SelectXmlNode(IXMLDOMNode* pNode, const wchar_t* pszPattern);
// Every node the pattern selects (the caller releases the list); NULL on a DOM error.
IXMLDOMNodeList* SelectXmlNodes(IXMLDOMNode* pNode, const wchar_t* pszPattern);

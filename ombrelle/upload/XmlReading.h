// Every XML the client reads (a server reply, a file) goes through here:
// MSXML under Wine refuses a document declared "GB2312", so the bytes are
// turned into UTF-16 with code page 936 and the declared encoding is dropped
// before loadXML. Harmless on Windows, where the text is the same.
#pragma once

#include "afxwin.h"

#include <msxml2.h>

#include <string>

// The class and interface ids of the DOM document that the client uses
// (mingw-w64's import libraries do not define them).
extern const CLSID CLSID_OmbrelleDomDocument;
extern const IID IID_OmbrelleXmlDomDocument;

// Code page 936 bytes as UTF-16, with the encoding of an XML declaration
// at the start removed.
std::wstring XmlTextForLoading(const char* pBytes, size_t nLength);

// Loads XML bytes (code page 936) into the document; TRUE when they parse.
BOOL LoadXmlBytes(IXMLDOMDocument* pDocument, const char* pBytes, size_t nLength);
BOOL LoadXmlText(IXMLDOMDocument* pDocument, const CString& strText);
// Reads a file's bytes; FALSE when it cannot be read.
BOOL ReadFileBytes(LPCTSTR lpszPath, std::string& bytes);
// Loads a file's XML; FALSE when it cannot be read or does not parse.
BOOL LoadXmlFile(IXMLDOMDocument* pDocument, LPCTSTR lpszPath);

// A new DOM document (created, run, asked for its document interface);
// NULL when COM cannot give one.
IXMLDOMDocument* CreateXmlDocument();

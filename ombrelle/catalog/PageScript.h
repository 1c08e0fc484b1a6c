// Calls into the page that a web view shows, its script's functions and its
// elements, through IDispatch only, so that any scriptable object can stand
// in for the page. A missing document, element, script or function gives an
// empty answer; no call throws.
#pragma once

#include "afxwin.h"

#include <oaidl.h>

#include <initializer_list>

class CHtmlView;

// One object of a page, released when it goes; empty when its look-up failed,
// and then every question to it answers empty too.
class CPageObject {
public:
    CPageObject() : m_pDisp(NULL) {}
    // Takes over the caller's reference.
    explicit CPageObject(IDispatch* pDisp) : m_pDisp(pDisp) {}
    CPageObject(CPageObject&& other) : m_pDisp(other.m_pDisp) { other.m_pDisp = NULL; }
    CPageObject& operator=(CPageObject&& other);
    ~CPageObject();
    CPageObject(const CPageObject&) = delete;
    CPageObject& operator=(const CPageObject&) = delete;

    // The view's loaded document.
    static CPageObject DocumentOf(const CHtmlView& view);
    // The object with a reference of its own.
    static CPageObject Shared(IDispatch* pDisp);

    IDispatch* Get() const { return m_pDisp; }
    BOOL IsEmpty() const { return m_pDisp == NULL; }

    // A property that holds an object.
    CPageObject Object(LPCTSTR lpszProperty) const;
    // A collection's item("name") or item(index).
    CPageObject Item(LPCTSTR lpszName) const { return Call("item", lpszName); }
    CPageObject Item(long nIndex) const;
    // The object that a method answers for one text argument.
    CPageObject Call(LPCTSTR lpszMethod, LPCTSTR lpszArg) const;
    // A collection's "length"; 0 without one.
    long Length() const;
    // A property as text, "" without one.
    CString Text(LPCTSTR lpszProperty) const;
    // A property as a truth value, FALSE without one.
    BOOL Flag(LPCTSTR lpszProperty) const;

private:
    CPageObject CallWith(LPCTSTR lpszMethod, const VARIANT& arg) const;

    IDispatch* m_pDisp;
};

// What a call does with an exception that the script raised: drop it, or
// show the operator its source and description.
enum PageScriptError { kScriptErrorDropped, kScriptErrorShown };

// Calls a function of the document's script with the texts as its string
// arguments, in order. S_OK with the function's result in *pvarResult
// (initialised here; the caller clears it), or the failure with it empty.
HRESULT CallPageScript(IDispatch* pDocument, LPCTSTR lpszFunction, std::initializer_list<LPCTSTR> args,
                       VARIANT* pvarResult, PageScriptError error = kScriptErrorDropped);
// The same, with the result as text; "" when the call failed.
CString CallPageScriptText(IDispatch* pDocument, LPCTSTR lpszFunction, std::initializer_list<LPCTSTR> args = {},
                           PageScriptError error = kScriptErrorDropped);

// A variant as text: a string as it is, any other type through the
// platform's conversion; "" when it does not convert.
CString VariantText(const VARIANT& var);
// " tag = " and the element's tag name, then " <InnerHtml> = " and its inner HTML.
CString DescribeElement(const CPageObject& element);

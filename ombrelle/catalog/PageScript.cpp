#include "PageScript.h"

#include "afxhtml.h"

#include <vector>

namespace {

CString WideText(BSTR bstr)
{
    return bstr == NULL ? CString() : CString(static_cast<LPCWSTR>(bstr));
}

void FreeExcepInfo(EXCEPINFO& excepInfo)
{
    ::SysFreeString(excepInfo.bstrSource);
    ::SysFreeString(excepInfo.bstrDescription);
    ::SysFreeString(excepInfo.bstrHelpFile);
    memset(&excepInfo, 0, sizeof excepInfo);
}

// The script's exception as the operator sees it: "source - description".
void ShowScriptException(const EXCEPINFO& excepInfo)
{
    CString strMessage = WideText(excepInfo.bstrSource);
    if (!strMessage.IsEmpty())
        strMessage += " - ";
    const CString strDescription = WideText(excepInfo.bstrDescription);
    strMessage += strDescription.IsEmpty() ? CString("unknown error") : strDescription;
    const BOOL bHelp = excepInfo.bstrHelpFile != NULL && excepInfo.bstrHelpFile[0] != L'\0';
    AfxMessageBox(strMessage, MB_OK, bHelp ? excepInfo.dwHelpContext : 0);
}

// The object that a successful call answered, which takes over its reference.
CPageObject ObjectOf(HRESULT hr, VARIANT& var)
{
    if (FAILED(hr))
        return CPageObject();
    if (V_VT(&var) == VT_DISPATCH && V_DISPATCH(&var) != NULL)
        return CPageObject(V_DISPATCH(&var));
    ::VariantClear(&var);
    return CPageObject();
}

}  // namespace

CPageObject& CPageObject::operator=(CPageObject&& other)
{
    if (this != &other) {
        if (m_pDisp != NULL)
            m_pDisp->Release();
        m_pDisp = other.m_pDisp;
        other.m_pDisp = NULL;
    }
    return *this;
}

CPageObject::~CPageObject()
{
    if (m_pDisp != NULL)
        m_pDisp->Release();
}

CPageObject CPageObject::DocumentOf(const CHtmlView& view)
{
    return CPageObject(view.GetHtmlDocument());
}

CPageObject CPageObject::Shared(IDispatch* pDisp)
{
    if (pDisp != NULL)
        pDisp->AddRef();
    return CPageObject(pDisp);
}

CPageObject CPageObject::Object(LPCTSTR lpszProperty) const
{
    VARIANT var;
    return m_pDisp == NULL ? CPageObject() : ObjectOf(AfxHtmlGetProperty(m_pDisp, lpszProperty, &var), var);
}

CPageObject CPageObject::CallWith(LPCTSTR lpszMethod, const VARIANT& arg) const
{
    VARIANT var;
    return m_pDisp == NULL ? CPageObject() : ObjectOf(AfxHtmlCallMethod(m_pDisp, lpszMethod, &arg, 1, &var), var);
}

CPageObject CPageObject::Call(LPCTSTR lpszMethod, LPCTSTR lpszArg) const
{
    VARIANT arg;
    V_VT(&arg) = VT_BSTR;
    V_BSTR(&arg) = CString(lpszArg).AllocSysString();
    CPageObject result = CallWith(lpszMethod, arg);
    ::VariantClear(&arg);
    return result;
}

CPageObject CPageObject::Item(long nIndex) const
{
    VARIANT arg;
    V_VT(&arg) = VT_I4;
    V_I4(&arg) = nIndex;
    return CallWith("item", arg);
}

long CPageObject::Length() const
{
    VARIANT var;
    if (m_pDisp == NULL || FAILED(AfxHtmlGetProperty(m_pDisp, "length", &var)))
        return 0;
    long nLength = 0;
    if (SUCCEEDED(::VariantChangeType(&var, &var, 0, VT_I4)) && V_I4(&var) > 0)
        nLength = V_I4(&var);
    ::VariantClear(&var);
    return nLength;
}

CString CPageObject::Text(LPCTSTR lpszProperty) const
{
    VARIANT var;
    if (m_pDisp == NULL || FAILED(AfxHtmlGetProperty(m_pDisp, lpszProperty, &var)))
        return CString();
    const CString strText = VariantText(var);
    ::VariantClear(&var);
    return strText;
}

BOOL CPageObject::Flag(LPCTSTR lpszProperty) const
{
    VARIANT var;
    if (m_pDisp == NULL || FAILED(AfxHtmlGetProperty(m_pDisp, lpszProperty, &var)))
        return FALSE;
    const BOOL bFlag = SUCCEEDED(::VariantChangeType(&var, &var, 0, VT_BOOL)) && V_BOOL(&var) != VARIANT_FALSE;
    ::VariantClear(&var);
    return bFlag;
}

HRESULT CallPageScript(IDispatch* pDocument, LPCTSTR lpszFunction, std::initializer_list<LPCTSTR> args,
                       VARIANT* pvarResult, PageScriptError error)
{
    ::VariantInit(pvarResult);
    if (pDocument == NULL)
        return E_POINTER;
    std::vector<VARIANT> arguments;
    arguments.reserve(args.size());
    for (LPCTSTR lpszArg : args) {
        VARIANT var;
        V_VT(&var) = VT_BSTR;
        V_BSTR(&var) = CString(lpszArg).AllocSysString();
        arguments.push_back(var);
    }
    EXCEPINFO excepInfo;
    const HRESULT hr = AfxHtmlCallScript(pDocument, lpszFunction, arguments.data(), int(arguments.size()),
                                         pvarResult, &excepInfo);
    for (VARIANT& var : arguments)
        ::VariantClear(&var);
    if (hr == DISP_E_EXCEPTION && error == kScriptErrorShown)
        ShowScriptException(excepInfo);
    FreeExcepInfo(excepInfo);
    return hr;
}

CString CallPageScriptText(IDispatch* pDocument, LPCTSTR lpszFunction, std::initializer_list<LPCTSTR> args,
                           PageScriptError error)
{
    VARIANT var;
    if (FAILED(CallPageScript(pDocument, lpszFunction, args, &var, error)))
        return CString();
    const CString strText = VariantText(var);
    ::VariantClear(&var);
    return strText;
}

CString VariantText(const VARIANT& var)
{
    if (V_VT(&var) == VT_BSTR)
        return WideText(V_BSTR(&var));
    VARIANT text;
    ::VariantInit(&text);
    if (FAILED(::VariantChangeType(&text, const_cast<VARIANT*>(&var), 0, VT_BSTR)))
        return CString();
    const CString strText = WideText(V_BSTR(&text));
    ::VariantClear(&text);
    return strText;
}

CString DescribeElement(const CPageObject& element)
{
    return " tag = " + element.Text("tagName") + " <InnerHtml> = " + element.Text("innerHTML");
}

// A scriptable object as a web page's document, window and elements are:
// members found by name whatever the case, a property answering only reads
// and a method only calls, collections answering item(index or name) and
// length. Objects live on the heap and count their references, so that a
// test can tell whether the code under test gave back every one it took.
#pragma once

#include <windows.h>
#include <oaidl.h>

#include <functional>
#include <string>
#include <vector>

namespace testsupport {

class ScriptObject final : public IDispatch {
public:
    // A method's body: its arguments in their natural order (only read), its
    // result (initialised), the exception to fill when it returns
    // DISP_E_EXCEPTION.
    using Body = std::function<HRESULT(const std::vector<VARIANT>& args, VARIANT* result, EXCEPINFO* excep)>;

    // A new object with one reference, the caller's.
    static ScriptObject* New();
    // A collection of the items (taking a reference to each); item("x")
    // finds the first whose "id" or "name" is x.
    static ScriptObject* Collection(const std::vector<ScriptObject*>& items);
    // Objects made and not yet freed.
    static int Alive();

    ScriptObject* Set(const std::string& name, const std::wstring& text);
    ScriptObject* Set(const std::string& name, long number);
    ScriptObject* SetFlag(const std::string& name, bool flag);
    // Keeps a reference of its own to the object.
    ScriptObject* Set(const std::string& name, ScriptObject* object);
    ScriptObject* Method(const std::string& name, Body body);

    // IDispatch
    STDMETHODIMP QueryInterface(REFIID riid, void** ppv) override;
    STDMETHODIMP_(ULONG) AddRef() override;
    STDMETHODIMP_(ULONG) Release() override;
    STDMETHODIMP GetTypeInfoCount(UINT* pctinfo) override;
    STDMETHODIMP GetTypeInfo(UINT, LCID, ITypeInfo**) override;
    STDMETHODIMP GetIDsOfNames(REFIID, LPOLESTR* names, UINT count, LCID, DISPID* ids) override;
    STDMETHODIMP Invoke(DISPID id, REFIID, LCID, WORD wFlags, DISPPARAMS* params, VARIANT* result,
                        EXCEPINFO* excep, UINT*) override;

private:
    struct Member {
        std::wstring name;
        VARIANT value;  // a property's
        Body body;      // a method's
    };

    ScriptObject();
    ~ScriptObject();
    Member& Slot(const std::string& name);
    std::wstring TextOf(const std::wstring& name) const;

    ULONG m_refs = 1;
    std::vector<Member> m_members;
};

// Answers the object (a reference of the caller's), or null as a page's
// collections answer when nothing was found.
HRESULT AnswerObject(VARIANT* result, ScriptObject* object);
// A string VARIANT (the caller clears it), and a VARIANT's text ("" when it
// has none).
VARIANT TextVariant(const std::wstring& text);
std::wstring VariantString(const VARIANT& value);

}  // namespace testsupport

#include "ScriptObject.h"

#include <memory>

namespace testsupport {

namespace {

int g_alive = 0;

std::wstring Widened(const std::string& ascii)
{
    return std::wstring(ascii.begin(), ascii.end());
}

}  // namespace

ScriptObject::ScriptObject() { ++g_alive; }

ScriptObject::~ScriptObject()
{
    for (Member& member : m_members)
        ::VariantClear(&member.value);
    --g_alive;
}

ScriptObject* ScriptObject::New() { return new ScriptObject; }

int ScriptObject::Alive() { return g_alive; }

ScriptObject* ScriptObject::Collection(const std::vector<ScriptObject*>& items)
{
    ScriptObject* collection = New();
    collection->Set("length", static_cast<long>(items.size()));
    std::vector<ScriptObject*> kept = items;
    for (ScriptObject* item : kept)
        item->AddRef();
    // The items go with the last copy of the body, that is with the collection.
    std::shared_ptr<std::vector<ScriptObject*>> owned(new std::vector<ScriptObject*>(kept),
                                                      [](std::vector<ScriptObject*>* p) {
                                                          for (ScriptObject* item : *p)
                                                              item->Release();
                                                          delete p;
                                                      });
    collection->Method("item", [owned](const std::vector<VARIANT>& args, VARIANT* result, EXCEPINFO*) -> HRESULT {
        if (args.size() != 1)
            return DISP_E_BADPARAMCOUNT;
        ScriptObject* found = nullptr;
        if (V_VT(&args[0]) == VT_BSTR) {
            const std::wstring key = V_BSTR(&args[0]) != nullptr ? V_BSTR(&args[0]) : L"";
            for (ScriptObject* item : *owned)
                if (found == nullptr && (item->TextOf(L"id") == key || item->TextOf(L"name") == key))
                    found = item;
        } else {
            VARIANT index;
            ::VariantInit(&index);
            if (FAILED(::VariantChangeType(&index, const_cast<VARIANT*>(&args[0]), 0, VT_I4)))
                return DISP_E_TYPEMISMATCH;
            if (V_I4(&index) >= 0 && static_cast<size_t>(V_I4(&index)) < owned->size())
                found = (*owned)[static_cast<size_t>(V_I4(&index))];
        }
        return AnswerObject(result, found);
    });
    return collection;
}

ScriptObject::Member& ScriptObject::Slot(const std::string& name)
{
    for (Member& member : m_members)
        if (_wcsicmp(member.name.c_str(), Widened(name).c_str()) == 0) {
            ::VariantClear(&member.value);
            member.body = nullptr;
            return member;
        }
    m_members.push_back(Member{Widened(name), VARIANT(), nullptr});
    ::VariantInit(&m_members.back().value);
    return m_members.back();
}

std::wstring ScriptObject::TextOf(const std::wstring& name) const
{
    for (const Member& member : m_members)
        if (_wcsicmp(member.name.c_str(), name.c_str()) == 0)
            return VariantString(member.value);
    return L"";
}

ScriptObject* ScriptObject::Set(const std::string& name, const std::wstring& text)
{
    Slot(name).value = TextVariant(text);
    return this;
}

ScriptObject* ScriptObject::Set(const std::string& name, long number)
{
    VARIANT& value = Slot(name).value;
    V_VT(&value) = VT_I4;
    V_I4(&value) = number;
    return this;
}

ScriptObject* ScriptObject::SetFlag(const std::string& name, bool flag)
{
    VARIANT& value = Slot(name).value;
    V_VT(&value) = VT_BOOL;
    V_BOOL(&value) = flag ? VARIANT_TRUE : VARIANT_FALSE;
    return this;
}

ScriptObject* ScriptObject::Set(const std::string& name, ScriptObject* object)
{
    VARIANT& value = Slot(name).value;
    object->AddRef();
    V_VT(&value) = VT_DISPATCH;
    V_DISPATCH(&value) = object;
    return this;
}

ScriptObject* ScriptObject::Method(const std::string& name, Body body)
{
    Slot(name).body = std::move(body);
    return this;
}

STDMETHODIMP ScriptObject::QueryInterface(REFIID riid, void** ppv)
{
    if (IsEqualIID(riid, IID_IUnknown) || IsEqualIID(riid, IID_IDispatch)) {
        *ppv = static_cast<IDispatch*>(this);
        AddRef();
        return S_OK;
    }
    *ppv = nullptr;
    return E_NOINTERFACE;
}

STDMETHODIMP_(ULONG) ScriptObject::AddRef() { return ++m_refs; }

STDMETHODIMP_(ULONG) ScriptObject::Release()
{
    const ULONG refs = --m_refs;
    if (refs == 0)
        delete this;
    return refs;
}

STDMETHODIMP ScriptObject::GetTypeInfoCount(UINT* pctinfo)
{
    *pctinfo = 0;
    return S_OK;
}

STDMETHODIMP ScriptObject::GetTypeInfo(UINT, LCID, ITypeInfo**) { return E_NOTIMPL; }

STDMETHODIMP ScriptObject::GetIDsOfNames(REFIID, LPOLESTR* names, UINT count, LCID, DISPID* ids)
{
    if (count != 1)
        return E_INVALIDARG;
    for (size_t i = 0; i < m_members.size(); ++i)
        if (_wcsicmp(m_members[i].name.c_str(), names[0]) == 0) {
            ids[0] = static_cast<DISPID>(i + 1);
            return S_OK;
        }
    ids[0] = DISPID_UNKNOWN;
    return DISP_E_UNKNOWNNAME;
}

STDMETHODIMP ScriptObject::Invoke(DISPID id, REFIID, LCID, WORD wFlags, DISPPARAMS* params, VARIANT* result,
                                  EXCEPINFO* excep, UINT*)
{
    if (id < 1 || static_cast<size_t>(id) > m_members.size())
        return DISP_E_MEMBERNOTFOUND;
    // Copies: a body may change this object's members.
    const Body body = m_members[static_cast<size_t>(id - 1)].body;
    VARIANT value;
    ::VariantInit(&value);
    if (!body)
        ::VariantCopy(&value, &m_members[static_cast<size_t>(id - 1)].value);
    VARIANT ignored;
    VARIANT* out = result != nullptr ? result : &ignored;
    ::VariantInit(out);
    HRESULT hr;
    if (body) {
        if ((wFlags & DISPATCH_METHOD) == 0)
            return DISP_E_MEMBERNOTFOUND;
        // DISPPARAMS hold the arguments last to first.
        std::vector<VARIANT> args;
        for (UINT i = params->cArgs; i > 0; --i)
            args.push_back(params->rgvarg[i - 1]);
        EXCEPINFO scratch;
        memset(&scratch, 0, sizeof scratch);
        hr = body(args, out, excep != nullptr ? excep : &scratch);
    } else {
        if ((wFlags & DISPATCH_PROPERTYGET) == 0 || params->cArgs != 0) {
            ::VariantClear(&value);
            return DISP_E_MEMBERNOTFOUND;
        }
        *out = value;  // the copy's references go to the caller
        hr = S_OK;
    }
    if (out == &ignored)
        ::VariantClear(&ignored);
    return hr;
}

HRESULT AnswerObject(VARIANT* result, ScriptObject* object)
{
    if (object == nullptr) {
        V_VT(result) = VT_NULL;
        return S_OK;
    }
    object->AddRef();
    V_VT(result) = VT_DISPATCH;
    V_DISPATCH(result) = object;
    return S_OK;
}

VARIANT TextVariant(const std::wstring& text)
{
    VARIANT value;
    V_VT(&value) = VT_BSTR;
    V_BSTR(&value) = ::SysAllocString(text.c_str());
    return value;
}

std::wstring VariantString(const VARIANT& value)
{
    VARIANT text;
    ::VariantInit(&text);
    if (FAILED(::VariantChangeType(&text, const_cast<VARIANT*>(&value), 0, VT_BSTR)))
        return L"";
    std::wstring result = V_BSTR(&text) != nullptr ? V_BSTR(&text) : L"";
    ::VariantClear(&text);
    return result;
}

}  // namespace testsupport

// The IUnknown, IDispatch and ISupportErrorInfo part that every object of
// the stand-in shares. Objects are driven through their vtables only, so
// IDispatch answers no names.
#pragma once

#include "AdoObjects.h"
#include "Errors.h"

#include <initializer_list>
#include <vector>

namespace ado {

template <class Interface>
class ComObject : public Interface, public ISupportErrorInfo {
public:
    ComObject(std::initializer_list<IID> iids) : m_iids(iids) {}
    virtual ~ComObject() = default;
    ComObject(const ComObject&) = delete;
    ComObject& operator=(const ComObject&) = delete;

    HRESULT STDMETHODCALLTYPE QueryInterface(REFIID iid, void** object) override
    {
        if (!object)
            return E_POINTER;
        *object = nullptr;
        if (iid == IID_ISupportErrorInfo) {
            *object = static_cast<ISupportErrorInfo*>(this);
        } else if (iid == IID_IUnknown || iid == IID_IDispatch || Answers(iid)) {
            *object = static_cast<Interface*>(this);
        } else {
            return E_NOINTERFACE;
        }
        AddRef();
        return S_OK;
    }
    ULONG STDMETHODCALLTYPE AddRef() override { return ULONG(InterlockedIncrement(&m_references)); }
    ULONG STDMETHODCALLTYPE Release() override
    {
        const LONG left = InterlockedDecrement(&m_references);
        if (left == 0)
            delete this;
        return ULONG(left);
    }

    HRESULT STDMETHODCALLTYPE GetTypeInfoCount(UINT* count) override
    {
        if (!count)
            return E_POINTER;
        *count = 0;
        return S_OK;
    }
    HRESULT STDMETHODCALLTYPE GetTypeInfo(UINT, LCID, ITypeInfo**) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE GetIDsOfNames(REFIID, LPOLESTR*, UINT, LCID, DISPID*) override
    {
        return DISP_E_UNKNOWNNAME;
    }
    HRESULT STDMETHODCALLTYPE Invoke(DISPID, REFIID, LCID, WORD, DISPPARAMS*, VARIANT*, EXCEPINFO*, UINT*) override
    {
        return DISP_E_MEMBERNOTFOUND;
    }

    HRESULT STDMETHODCALLTYPE InterfaceSupportsErrorInfo(REFIID) override { return S_OK; }

protected:
    bool Answers(REFIID iid) const
    {
        for (const IID& known : m_iids)
            if (known == iid)
                return true;
        return false;
    }

private:
    LONG m_references = 1;
    std::vector<IID> m_iids;  // the interface's own and its bases'
};

}  // namespace ado

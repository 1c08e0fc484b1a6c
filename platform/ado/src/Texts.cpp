#include "Texts.h"

#include <oleauto.h>

namespace ado {

std::wstring TextOf(BSTR text)
{
    return text ? std::wstring(text, SysStringLen(text)) : std::wstring();
}

HRESULT ReturnText(const std::wstring& text, BSTR* out)
{
    if (!out)
        return E_POINTER;
    *out = SysAllocStringLen(text.data(), UINT(text.size()));
    return *out ? S_OK : E_OUTOFMEMORY;
}

}  // namespace ado

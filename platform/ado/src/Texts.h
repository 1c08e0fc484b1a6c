// BSTR texts in and out of the objects.
#pragma once

#include <windows.h>
#include <string>

namespace ado {

// The text of a BSTR (empty for none).
std::wstring TextOf(BSTR text);
// A text as a new BSTR for an out parameter.
HRESULT ReturnText(const std::wstring& text, BSTR* out);

}  // namespace ado

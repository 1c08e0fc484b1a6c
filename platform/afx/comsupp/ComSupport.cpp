// What the compiler's COM support headers (comdef.h, comutil.h) declare but
// leave to a support library: text conversion for _bstr_t, vtMissing, and
// raising a _com_error with the object's error information.
#include <comdef.h>

namespace _com_util {

// Narrow texts are in the ANSI code page (GBK here).
BSTR WINAPI ConvertStringToBSTR(const char* source)
{
    if (!source)
        return nullptr;
    const int length = MultiByteToWideChar(CP_ACP, 0, source, -1, nullptr, 0);
    BSTR result = SysAllocStringLen(nullptr, length > 0 ? length - 1 : 0);
    if (!result) {
        _com_issue_error(E_OUTOFMEMORY);
        return nullptr;
    }
    if (length > 0)
        MultiByteToWideChar(CP_ACP, 0, source, -1, result, length);
    return result;
}

char* WINAPI ConvertBSTRToString(BSTR source)
{
    if (!source)
        return nullptr;
    const int wideLength = int(SysStringLen(source));
    const int length = WideCharToMultiByte(CP_ACP, 0, source, wideLength, nullptr, 0, nullptr, nullptr);
    char* result = new char[length + 1];
    WideCharToMultiByte(CP_ACP, 0, source, wideLength, result, length, nullptr, nullptr);
    result[length] = '\0';
    return result;
}

}  // namespace _com_util

_variant_t vtMissing(DISP_E_PARAMNOTFOUND, VT_ERROR);

void WINAPI _com_issue_errorex(HRESULT hr, IUnknown* object, REFIID iid)
{
    IErrorInfo* info = nullptr;
    ISupportErrorInfo* support = nullptr;
    if (object && SUCCEEDED(object->QueryInterface(IID_ISupportErrorInfo, reinterpret_cast<void**>(&support)))) {
        if (support->InterfaceSupportsErrorInfo(iid) == S_OK && GetErrorInfo(0, &info) != S_OK)
            info = nullptr;
        support->Release();
    }
    _com_raise_error(hr, info);  // the error takes over the reference
}

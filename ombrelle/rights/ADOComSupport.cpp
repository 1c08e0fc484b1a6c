#include "ADOComSupport.h"

namespace adosupport {

HRESULT CreateObject(REFCLSID clsid, REFIID iid, void** object)
{
    *object = nullptr;
    IUnknown* unknown = nullptr;
    HRESULT hr = AdoCreateInstance(clsid, nullptr, CLSCTX_ALL, IID_IUnknown, reinterpret_cast<void**>(&unknown));
    if (FAILED(hr))
        return hr;
    hr = OleRun(unknown);
    if (SUCCEEDED(hr))
        hr = unknown->QueryInterface(iid, object);
    unknown->Release();
    return hr;
}

long CountRecords(const _RecordsetPtr& recordset)
{
    ADO_LONGPTR count = 0;
    Check(recordset, recordset->get_RecordCount(&count));
    if (count != -1)
        return long(count);
    long walked = 0;
    VARIANT_BOOL eof = VARIANT_FALSE;
    Check(recordset, recordset->get_EOF(&eof));
    if (eof != VARIANT_TRUE)
        Check(recordset, recordset->MoveFirst());
    for (;;) {
        Check(recordset, recordset->get_EOF(&eof));
        if (eof == VARIANT_TRUE)
            break;
        ++walked;
        Check(recordset, recordset->MoveNext());
    }
    if (walked > 0)
        Check(recordset, recordset->MoveFirst());
    return walked;
}

CString ErrorMeaning(HRESULT hr)
{
    LPSTR buffer = nullptr;
    const DWORD length = ::FormatMessageA(
        FORMAT_MESSAGE_ALLOCATE_BUFFER | FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS, nullptr,
        DWORD(hr), MAKELANGID(LANG_NEUTRAL, SUBLANG_DEFAULT), reinterpret_cast<LPSTR>(&buffer), 0, nullptr);
    CString meaning;
    if (length > 0 && buffer) {
        meaning = buffer;
        const int size = meaning.GetLength();
        if (size >= 2 && meaning[size - 2] == '\r' && meaning[size - 1] == '\n')
            meaning = meaning.Left(size - 2);
        else if (size >= 1 && meaning[size - 1] == '\n')
            meaning = meaning.Left(size - 1);
    } else if (DWORD(hr) >= 0x80040201 && DWORD(hr) <= 0x8004FFFF) {
        meaning.Format(_T("IDispatch error #%d"), int(WORD(DWORD(hr) - 0x80040200)));
    } else {
        meaning.Format(_T("Unknown error 0x%0lX"), (unsigned long)DWORD(hr));
    }
    if (buffer)
        ::LocalFree(buffer);
    return meaning;
}

CString NarrowText(BSTR text)
{
    if (!text)
        return CString();
    const int wideLength = int(::SysStringLen(text));
    const int length = ::WideCharToMultiByte(CP_ACP, 0, text, wideLength, nullptr, 0, nullptr, nullptr);
    CString result;
    if (length > 0) {
        ::WideCharToMultiByte(CP_ACP, 0, text, wideLength, result.GetBuffer(length), length, nullptr, nullptr);
        result.ReleaseBuffer(length);
    }
    return result;
}

CString ErrorDump(LPCTSTR lpszClassName, const _com_error& error)
{
    // A missing source or description prints as the empty text.
    const CString source = NarrowText(error.Source().GetBSTR());
    const CString description = NarrowText(error.Description().GetBSTR());
    CString dump;
    dump.Format(_T("%s Error\n\tCode = %08lx\n\tCode meaning = %s\n\tSource = %s\n\tDescription = %s\n"),
                lpszClassName, (unsigned long)DWORD(error.Error()), (LPCTSTR)ErrorMeaning(error.Error()),
                (LPCTSTR)source, (LPCTSTR)description);
    return dump;
}

_variant_t NameKey(LPCTSTR lpszName)
{
    return _variant_t(lpszName);
}

_variant_t IndexKey(int nIndex)
{
    // A 16-bit number, as the wrapper has always passed it.
    return _variant_t(short(nIndex));
}

}  // namespace adosupport

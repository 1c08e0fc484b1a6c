// What the ADO wrapper classes share: reference-counted pointers to ADO's
// interfaces, making ADO's objects, raising a failed call as a _com_error
// (as the compiler's generated ADO wrappers do), and the error dump text.
#pragma once

#include "afx.h"

#include <AdoObjects.h>
#include <comdef.h>

typedef _com_ptr_t<_com_IIID<_ADOConnection, &IID_AdoConnection>> _ConnectionPtr;
typedef _com_ptr_t<_com_IIID<_ADORecordset, &IID_AdoRecordset>> _RecordsetPtr;
typedef _com_ptr_t<_com_IIID<_ADOCommand, &IID_AdoCommand>> _CommandPtr;
typedef _com_ptr_t<_com_IIID<_ADOParameter, &IID_AdoParameter>> _ParameterPtr;
typedef _com_ptr_t<_com_IIID<ADOParameters, &IID_AdoParameters>> ParametersPtr;
typedef _com_ptr_t<_com_IIID<ADOFields, &IID_AdoFields>> FieldsPtr;
typedef _com_ptr_t<_com_IIID<ADOField, &IID_AdoField>> FieldPtr;

namespace adosupport {

// Makes an ADO object by class id, starts it and asks for the interface.
// Returns the failure; the pointer stays empty then.
HRESULT CreateObject(REFCLSID clsid, REFIID iid, void** object);

template <class Pointer>
void MakeObject(REFCLSID clsid, Pointer& pointer)
{
    typename Pointer::Interface* object = nullptr;
    if (SUCCEEDED(CreateObject(clsid, Pointer::GetIID(), reinterpret_cast<void**>(&object))))
        pointer.Attach(object);
}

// A failed call of the object's interface raised as a _com_error with the
// object's error information.
template <class Pointer>
void Check(const Pointer& object, HRESULT hr)
{
    if (FAILED(hr))
        _com_issue_errorex(hr, object.GetInterfacePtr(), Pointer::GetIID());
}

// The first lines of the wrappers' error dumps, filled from the error:
// "<name> Error\n\tCode = ...\n\tCode meaning = ...\n\tSource = ...\n\tDescription = ...\n".
CString ErrorDump(LPCTSTR lpszClassName, const _com_error& error);
// The system's text for an HRESULT without its line break, or the
// "IDispatch error #n" / "Unknown error 0x..." text where it has none.
CString ErrorMeaning(HRESULT hr);

// The rows of a recordset: its RecordCount, or where the provider does not
// know it (-1) the rows walked from the first, ending on the first row (or
// at the end when there is none). COM errors pass on.
long CountRecords(const _RecordsetPtr& recordset);

// A narrow text of the ANSI code page from a BSTR (empty for none).
CString NarrowText(BSTR text);

// An index for the Item of ADO's collections: a name, or a VT_I2 number.
_variant_t NameKey(LPCTSTR lpszName);
_variant_t IndexKey(int nIndex);

}  // namespace adosupport

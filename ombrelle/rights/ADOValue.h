// Reading a variant that ADO hands out into the typed outputs of the
// recordset's and the parameter's getters. Each gives FALSE with the output
// untouched when the variant's type has no such value.
#pragma once

#include "ADOComSupport.h"
#include "afxdisp.h"

namespace adovalue {

// VT_EMPTY and VT_NULL give 0.0; every other type that converts gives its
// value (a decimal with all 96 bits).
BOOL ToDouble(const VARIANT& value, double& dblOut);
// VT_EMPTY and VT_NULL give 0; the small integer types their value; all
// others the variant's 32-bit integer member. Always TRUE.
BOOL ToLong(const VARIANT& value, long& lOut);
BOOL ToBool(const VARIANT& value, bool& bOut);
// VT_EMPTY and VT_NULL set the status null and leave the date.
BOOL ToDate(const VARIANT& value, COleDateTime& dtOut);
// VT_EMPTY and VT_NULL give 0 with the status null.
BOOL ToCurrency(const VARIANT& value, COleCurrency& curOut);

enum TextTypes { AllTextTypes, WithoutUnsignedAndBool };
// VT_EMPTY and VT_NULL give the empty text; dates with the format
// ("%Y-%m-%d %H:%M:%S" when it is empty).
BOOL ToText(const VARIANT& value, CString& strOut, const CString& strDateFormat, TextTypes types = AllTextTypes);

// The variants the setters write.
_variant_t FromLong(long lValue);                 // VT_I4
_variant_t FromDate(const COleDateTime& time);    // VT_DATE, whatever the status
_variant_t FromText(const CString& strValue);     // VT_BSTR; VT_NULL when empty

}  // namespace adovalue

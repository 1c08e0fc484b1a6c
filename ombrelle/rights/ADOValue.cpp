#include "ADOValue.h"

#include "ADOText.h"

namespace adovalue {

namespace {

bool IsEmptyOrNull(const VARIANT& value)
{
    return value.vt == VT_EMPTY || value.vt == VT_NULL;
}

}  // namespace

BOOL ToDouble(const VARIANT& value, double& dblOut)
{
    if (IsEmptyOrNull(value)) {
        dblOut = 0.0;
        return TRUE;
    }
    VARIANT converted;
    ::VariantInit(&converted);
    if (FAILED(::VariantChangeType(&converted, const_cast<VARIANT*>(&value), 0, VT_R8)))
        return FALSE;
    dblOut = converted.dblVal;
    return TRUE;
}

BOOL ToLong(const VARIANT& value, long& lOut)
{
    switch (value.vt) {
    case VT_EMPTY: case VT_NULL: lOut = 0; break;
    case VT_I1: lOut = value.cVal; break;
    case VT_UI1: lOut = value.bVal; break;
    case VT_I2: lOut = value.iVal; break;
    case VT_UI2: lOut = value.uiVal; break;
    case VT_BOOL: lOut = value.boolVal; break;
    default: lOut = value.lVal; break;
    }
    return TRUE;
}

BOOL ToBool(const VARIANT& value, bool& bOut)
{
    if (IsEmptyOrNull(value)) {
        bOut = false;
        return TRUE;
    }
    if (value.vt != VT_BOOL)
        return FALSE;
    bOut = value.boolVal == VARIANT_TRUE;
    return TRUE;
}

BOOL ToDate(const VARIANT& value, COleDateTime& dtOut)
{
    if (IsEmptyOrNull(value)) {
        dtOut.SetStatus(COleDateTime::null);
        return TRUE;
    }
    if (value.vt != VT_DATE)
        return FALSE;
    dtOut = value.date;
    return TRUE;
}

BOOL ToCurrency(const VARIANT& value, COleCurrency& curOut)
{
    if (IsEmptyOrNull(value)) {
        curOut.m_cur.int64 = 0;
        curOut.SetStatus(COleCurrency::null);
        return TRUE;
    }
    if (value.vt != VT_CY)
        return FALSE;
    curOut = value.cyVal;
    return TRUE;
}

BOOL ToText(const VARIANT& value, CString& strOut, const CString& strDateFormat, TextTypes types)
{
    long number = 0;
    double real = 0;
    switch (value.vt) {
    case VT_EMPTY: case VT_NULL:
        strOut.Empty();
        return TRUE;
    case VT_I2: case VT_UI1:
        ToLong(value, number);
        strOut = IntToText(int(number));
        return TRUE;
    case VT_INT:
        strOut = IntToText(value.intVal);
        return TRUE;
    case VT_I4:
        strOut = LongToText(value.lVal);
        return TRUE;
    case VT_UI4:
        if (types == WithoutUnsignedAndBool)
            return FALSE;
        strOut = ULongToText(value.ulVal);
        return TRUE;
    case VT_R4:
        strOut = FloatToText(value.fltVal);
        return TRUE;
    case VT_R8: case VT_DECIMAL:
        if (!ToDouble(value, real))
            return FALSE;
        strOut = DoubleToText(real, 20);
        return TRUE;
    case VT_DATE:
        strOut = COleDateTime(value.date).Format(strDateFormat.IsEmpty() ? _T("%Y-%m-%d %H:%M:%S")
                                                                           : (LPCTSTR)strDateFormat);
        return TRUE;
    case VT_BSTR:
        strOut = adosupport::NarrowText(value.bstrVal);
        return TRUE;
    case VT_BOOL:
        if (types == WithoutUnsignedAndBool)
            return FALSE;
        strOut = value.boolVal == VARIANT_TRUE ? _T("T") : _T("F");
        return TRUE;
    default:
        return FALSE;
    }
}

_variant_t FromLong(long lValue)
{
    _variant_t value;
    value.vt = VT_I4;
    value.lVal = lValue;
    return value;
}

_variant_t FromDate(const COleDateTime& time)
{
    _variant_t value;
    value.vt = VT_DATE;
    value.date = time.m_dt;
    return value;
}

_variant_t FromText(const CString& strValue)
{
    _variant_t value;
    if (strValue.IsEmpty())
        value.vt = VT_NULL;
    else
        value = (LPCTSTR)strValue;
    return value;
}

}  // namespace adovalue

// VARIANT values that own what they hold; text in and out with the ANSI
// code page.
#include "afxwin.h"
#include "afxdisp.h"

namespace {

void CheckResult(HRESULT hr)
{
    if (FAILED(hr))
        AfxThrowOleException(hr);
}

}  // namespace

COleVariant::COleVariant()
{
    ::VariantInit(this);
}

COleVariant::COleVariant(const VARIANT& varSrc)
{
    ::VariantInit(this);
    CheckResult(::VariantCopy(this, const_cast<VARIANT*>(&varSrc)));
}

COleVariant::COleVariant(LPCVARIANT pSrc)
{
    ::VariantInit(this);
    if (pSrc != NULL)
        CheckResult(::VariantCopy(this, const_cast<VARIANT*>(pSrc)));
}

COleVariant::COleVariant(const COleVariant& varSrc) : tagVARIANT()
{
    ::VariantInit(this);
    CheckResult(::VariantCopy(this, const_cast<COleVariant*>(&varSrc)));
}

COleVariant::COleVariant(LPCTSTR lpszSrc, VARTYPE vtSrc)
{
    ::VariantInit(this);
    (void)vtSrc;  // VT_BSTR and VT_BSTRT both make a BSTR
    *this = lpszSrc;
}

COleVariant::COleVariant(const CString& strSrc)
{
    ::VariantInit(this);
    *this = strSrc;
}

COleVariant::COleVariant(BYTE nSrc)
{
    ::VariantInit(this);
    vt = VT_UI1;
    bVal = nSrc;
}

COleVariant::COleVariant(short nSrc, VARTYPE vtSrc)
{
    ::VariantInit(this);
    if (vtSrc == VT_BOOL) {
        vt = VT_BOOL;
        boolVal = nSrc != 0 ? VARIANT_TRUE : VARIANT_FALSE;
    } else {
        vt = VT_I2;
        iVal = nSrc;
    }
}

COleVariant::COleVariant(long lSrc, VARTYPE vtSrc)
{
    ::VariantInit(this);
    if (vtSrc == VT_BOOL) {
        vt = VT_BOOL;
        boolVal = lSrc != 0 ? VARIANT_TRUE : VARIANT_FALSE;
    } else if (vtSrc == VT_ERROR) {
        vt = VT_ERROR;
        scode = lSrc;
    } else {
        vt = VT_I4;
        lVal = lSrc;
    }
}

COleVariant::COleVariant(float fltSrc)
{
    ::VariantInit(this);
    vt = VT_R4;
    fltVal = fltSrc;
}

COleVariant::COleVariant(double dblSrc)
{
    ::VariantInit(this);
    vt = VT_R8;
    dblVal = dblSrc;
}

COleVariant::COleVariant(const COleDateTime& timeSrc)
{
    ::VariantInit(this);
    *this = timeSrc;
}

COleVariant::COleVariant(const COleCurrency& curSrc)
{
    ::VariantInit(this);
    *this = curSrc;
}

COleVariant::~COleVariant()
{
    ::VariantClear(this);
}

void COleVariant::Clear()
{
    CheckResult(::VariantClear(this));
}

void COleVariant::ChangeType(VARTYPE vartype, LPVARIANT pSrc)
{
    if (pSrc == NULL)
        pSrc = this;
    if (pSrc != this || vartype != vt)
        CheckResult(::VariantChangeType(this, pSrc, 0, vartype));
}

void COleVariant::Attach(VARIANT& varSrc)
{
    Clear();
    *static_cast<VARIANT*>(this) = varSrc;
    varSrc.vt = VT_EMPTY;
}

VARIANT COleVariant::Detach()
{
    VARIANT varResult = *this;
    vt = VT_EMPTY;
    return varResult;
}

BOOL COleVariant::operator==(const VARIANT& varSrc) const
{
    return *this == &varSrc;
}

BOOL COleVariant::operator==(LPCVARIANT pSrc) const
{
    if (pSrc == this)
        return TRUE;
    if (pSrc == NULL || pSrc->vt != vt)
        return FALSE;
    switch (vt) {
    case VT_EMPTY:
    case VT_NULL: return TRUE;
    case VT_BOOL: return (boolVal != VARIANT_FALSE) == (pSrc->boolVal != VARIANT_FALSE);
    case VT_UI1: return bVal == pSrc->bVal;
    case VT_I2: return iVal == pSrc->iVal;
    case VT_I4: return lVal == pSrc->lVal;
    case VT_ERROR: return scode == pSrc->scode;
    case VT_R4: return fltVal == pSrc->fltVal;
    case VT_R8: return dblVal == pSrc->dblVal;
    case VT_DATE: return date == pSrc->date;
    case VT_CY: return cyVal.int64 == pSrc->cyVal.int64;
    case VT_BSTR:
        return ::SysStringByteLen(bstrVal) == ::SysStringByteLen(pSrc->bstrVal) &&
               memcmp(bstrVal, pSrc->bstrVal, ::SysStringByteLen(bstrVal)) == 0;
    case VT_DISPATCH:
    case VT_UNKNOWN: return punkVal == pSrc->punkVal;
    default: return FALSE;
    }
}

const COleVariant& COleVariant::operator=(const VARIANT& varSrc)
{
    CheckResult(::VariantCopy(this, const_cast<VARIANT*>(&varSrc)));
    return *this;
}

const COleVariant& COleVariant::operator=(LPCVARIANT pSrc)
{
    if (pSrc == NULL)
        Clear();
    else
        CheckResult(::VariantCopy(this, const_cast<VARIANT*>(pSrc)));
    return *this;
}

const COleVariant& COleVariant::operator=(const COleVariant& varSrc)
{
    if (this != &varSrc)
        CheckResult(::VariantCopy(this, const_cast<COleVariant*>(&varSrc)));
    return *this;
}

const COleVariant& COleVariant::operator=(LPCTSTR lpszSrc)
{
    Clear();
    vt = VT_BSTR;
    bstrVal = CString(lpszSrc != NULL ? lpszSrc : "").AllocSysString();
    return *this;
}

const COleVariant& COleVariant::operator=(const CString& strSrc)
{
    Clear();
    vt = VT_BSTR;
    bstrVal = strSrc.AllocSysString();
    return *this;
}

const COleVariant& COleVariant::operator=(BYTE nSrc)
{
    Clear();
    vt = VT_UI1;
    bVal = nSrc;
    return *this;
}

const COleVariant& COleVariant::operator=(short nSrc)
{
    if (vt == VT_BOOL) {
        boolVal = nSrc != 0 ? VARIANT_TRUE : VARIANT_FALSE;
    } else {
        Clear();
        vt = VT_I2;
        iVal = nSrc;
    }
    return *this;
}

const COleVariant& COleVariant::operator=(long lSrc)
{
    if (vt == VT_BOOL) {
        boolVal = lSrc != 0 ? VARIANT_TRUE : VARIANT_FALSE;
    } else if (vt == VT_ERROR) {
        scode = lSrc;
    } else {
        Clear();
        vt = VT_I4;
        lVal = lSrc;
    }
    return *this;
}

const COleVariant& COleVariant::operator=(float fltSrc)
{
    Clear();
    vt = VT_R4;
    fltVal = fltSrc;
    return *this;
}

const COleVariant& COleVariant::operator=(double dblSrc)
{
    Clear();
    vt = VT_R8;
    dblVal = dblSrc;
    return *this;
}

const COleVariant& COleVariant::operator=(const COleDateTime& dateSrc)
{
    Clear();
    vt = VT_DATE;
    date = dateSrc.m_dt;
    return *this;
}

const COleVariant& COleVariant::operator=(const COleCurrency& curSrc)
{
    Clear();
    vt = VT_CY;
    cyVal = curSrc.m_cur;
    return *this;
}

// Automation currency amounts.
#include "afxwin.h"
#include "afxoledate.h"

namespace {

const LONGLONG kScale = 10000;  // a CURRENCY counts ten-thousandths

}  // namespace

COleCurrency::COleCurrency() : m_status(valid)
{
    m_cur.int64 = 0;
}

COleCurrency::COleCurrency(CURRENCY cySrc) : m_cur(cySrc), m_status(valid)
{
}

COleCurrency::COleCurrency(long nUnits, long nFractionalUnits)
{
    SetCurrency(nUnits, nFractionalUnits);
}

COleCurrency::COleCurrency(const VARIANT& varSrc)
{
    *this = varSrc;
}

void COleCurrency::SetStatus(CurrencyStatus status)
{
    m_status = status;
}

COleCurrency::CurrencyStatus COleCurrency::GetStatus() const
{
    return m_status;
}

const COleCurrency& COleCurrency::operator=(CURRENCY cySrc)
{
    m_cur = cySrc;
    m_status = valid;
    return *this;
}

const COleCurrency& COleCurrency::operator=(const VARIANT& varSrc)
{
    m_cur.int64 = 0;
    if (varSrc.vt == VT_CY) {
        m_cur = varSrc.cyVal;
        m_status = valid;
    } else if (varSrc.vt == VT_NULL) {
        m_status = null;
    } else {
        VARIANT converted;
        ::VariantInit(&converted);
        if (SUCCEEDED(::VariantChangeType(&converted, const_cast<VARIANT*>(&varSrc), 0, VT_CY))) {
            m_cur = converted.cyVal;
            m_status = valid;
        } else {
            m_status = invalid;
        }
        ::VariantClear(&converted);
    }
    return *this;
}

BOOL COleCurrency::operator==(const COleCurrency& cur) const
{
    return m_status == cur.m_status && m_cur.int64 == cur.m_cur.int64;
}

BOOL COleCurrency::operator!=(const COleCurrency& cur) const
{
    return !(*this == cur);
}

COleCurrency::operator CURRENCY() const
{
    return m_cur;
}

void COleCurrency::SetCurrency(long nUnits, long nFractionalUnits)
{
    m_cur.int64 = LONGLONG(nUnits) * kScale + nFractionalUnits;
    m_status = valid;
}

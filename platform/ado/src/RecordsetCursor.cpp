// The cursor of a recordset: moving, bookmarks, finding, filter and sort,
// the rows as text, and clones that share the fetched rows.
#include "Recordset.h"

#include "Connection.h"
#include "Texts.h"

namespace ado {

namespace {

// A value as GetString shows it.
bool AppendValue(const VARIANT& value, const std::wstring& nullExpression, std::wstring* text)
{
    if (value.vt == VT_NULL || value.vt == VT_EMPTY) {
        *text += nullExpression;
        return true;
    }
    if (value.vt == VT_BSTR) {
        text->append(value.bstrVal, SysStringLen(value.bstrVal));
        return true;
    }
    VARIANT converted;
    VariantInit(&converted);
    if (FAILED(VariantChangeType(&converted, const_cast<VARIANT*>(&value), VARIANT_ALPHABOOL, VT_BSTR)))
        return false;
    text->append(converted.bstrVal, SysStringLen(converted.bstrVal));
    VariantClear(&converted);
    return true;
}

}  // namespace

HRESULT Recordset::Arrange()
{
    std::vector<Clause> clauses;
    const VARIANT& filter = m_filter.Get();
    if (filter.vt == VT_BSTR && SysStringLen(filter.bstrVal) > 0) {
        const HRESULT hr = ParseCriteria(TextOf(filter.bstrVal), *m_rows, &clauses);
        if (FAILED(hr))
            return hr;
    }
    std::vector<SortKey> keys;
    const HRESULT hr = ParseSort(m_sort, *m_rows, &keys);
    if (FAILED(hr))
        return hr;
    m_view.clear();
    for (size_t i = 0; i < m_rows->rows.size(); ++i)
        if (clauses.empty() || RowMatches(m_rows->rows[i], clauses))
            m_view.push_back(i);
    SortRows(*m_rows, keys, &m_view);
    m_position = 0;
    return S_OK;
}

long Recordset::PositionOf(const VARIANT& bookmark) const
{
    VARIANT number;
    VariantInit(&number);
    if (FAILED(VariantChangeType(&number, const_cast<VARIANT*>(&bookmark), 0, VT_R8)))
        return -1;
    const double row = number.dblVal - 1;
    for (size_t i = 0; i < m_view.size(); ++i)
        if (double(m_view[i]) == row)
            return long(i);
    return -1;
}

HRESULT Recordset::get_AbsolutePosition(PositionEnum_Param* position)
{
    if (!position)
        return E_POINTER;
    HRESULT hr = RequireOpen();
    if (FAILED(hr))
        return hr;
    if (m_view.empty())
        *position = adPosUnknown;
    else if (m_position < 0)
        *position = adPosBOF;
    else if (size_t(m_position) >= m_view.size())
        *position = adPosEOF;
    else
        *position = PositionEnum_Param(m_position + 1);
    return S_OK;
}

HRESULT Recordset::put_AbsolutePosition(PositionEnum_Param position)
{
    HRESULT hr = RequireOpen();
    if (FAILED(hr))
        return hr;
    if (position < 1 || size_t(position) > m_view.size())
        return Fail(ADO_E_INVALIDARGUMENT, L"No row has that position");
    m_position = long(position) - 1;
    return S_OK;
}

HRESULT Recordset::get_BOF(VARIANT_BOOL* bof)
{
    if (!bof)
        return E_POINTER;
    HRESULT hr = RequireOpen();
    if (FAILED(hr))
        return hr;
    *bof = m_view.empty() || m_position < 0 ? VARIANT_TRUE : VARIANT_FALSE;
    return S_OK;
}

HRESULT Recordset::get_EOF(VARIANT_BOOL* eof)
{
    if (!eof)
        return E_POINTER;
    HRESULT hr = RequireOpen();
    if (FAILED(hr))
        return hr;
    *eof = m_view.empty() || (m_position >= 0 && size_t(m_position) >= m_view.size()) ? VARIANT_TRUE : VARIANT_FALSE;
    return S_OK;
}

HRESULT Recordset::get_Bookmark(VARIANT* bookmark)
{
    if (!bookmark)
        return E_POINTER;
    HRESULT hr = RequireOpen();
    if (FAILED(hr))
        return hr;
    if (!HasCurrentRow())
        return NoCurrentRow();
    VariantInit(bookmark);
    bookmark->vt = VT_R8;
    bookmark->dblVal = double(m_view[size_t(m_position)]) + 1;
    return S_OK;
}

HRESULT Recordset::put_Bookmark(VARIANT bookmark)
{
    HRESULT hr = RequireOpen();
    if (FAILED(hr))
        return hr;
    const long position = PositionOf(bookmark);
    if (position < 0)
        return Fail(ADO_E_INVALIDARGUMENT, L"The bookmark marks no row of this recordset");
    m_position = position;
    return S_OK;
}

HRESULT Recordset::Move(ADO_LONGPTR count, VARIANT start)
{
    HRESULT hr = RequireOpen();
    if (FAILED(hr))
        return hr;
    long from = m_position;
    if (!IsMissing(start)) {
        from = PositionOf(start);
        if (from < 0)
            return Fail(ADO_E_INVALIDARGUMENT, L"The bookmark marks no row of this recordset");
    } else if (count != 0 && !HasCurrentRow() &&
               ((count > 0 && m_position >= 0 && size_t(m_position) >= m_view.size()) || (count < 0 && m_position < 0))) {
        return NoCurrentRow();
    }
    long long target = (long long)from + count;
    if (target < 0)
        target = -1;
    if (target > (long long)m_view.size())
        target = (long long)m_view.size();
    m_position = long(target);
    return S_OK;
}

HRESULT Recordset::MoveNext()
{
    HRESULT hr = RequireOpen();
    if (FAILED(hr))
        return hr;
    if (m_view.empty() || (m_position >= 0 && size_t(m_position) >= m_view.size()))
        return NoCurrentRow();
    ++m_position;
    return S_OK;
}

HRESULT Recordset::MovePrevious()
{
    HRESULT hr = RequireOpen();
    if (FAILED(hr))
        return hr;
    if (m_view.empty() || m_position < 0)
        return NoCurrentRow();
    --m_position;
    return S_OK;
}

HRESULT Recordset::MoveFirst()
{
    HRESULT hr = RequireOpen();
    if (SUCCEEDED(hr))
        m_position = 0;
    return hr;
}

HRESULT Recordset::MoveLast()
{
    HRESULT hr = RequireOpen();
    if (SUCCEEDED(hr))
        m_position = m_view.empty() ? 0 : long(m_view.size()) - 1;
    return hr;
}

HRESULT Recordset::get_Filter(VARIANT* criteria)
{
    return m_filter.CopyTo(criteria);
}

HRESULT Recordset::put_Filter(VARIANT criteria)
{
    const bool none = criteria.vt == VT_EMPTY || (criteria.vt == VT_BSTR && SysStringLen(criteria.bstrVal) == 0) ||
                      ((criteria.vt == VT_I2 || criteria.vt == VT_I4) &&
                       (criteria.vt == VT_I2 ? criteria.iVal : criteria.lVal) == adFilterNone);
    if (!none && criteria.vt != VT_BSTR)
        return NotAvailable(L"A filter other than criteria");
    const Variant previous = m_filter;
    if (none)
        m_filter.Put();
    else
        m_filter = Variant(criteria);
    if (!m_rows)
        return S_OK;
    const HRESULT hr = Arrange();
    if (FAILED(hr)) {
        m_filter = previous;
        Arrange();
    }
    return hr;
}

HRESULT Recordset::get_Sort(BSTR* criteria)
{
    return ReturnText(m_sort, criteria);
}

HRESULT Recordset::put_Sort(BSTR criteria)
{
    const std::wstring previous = m_sort;
    m_sort = TextOf(criteria);
    if (!m_rows)
        return S_OK;
    const HRESULT hr = Arrange();
    if (FAILED(hr)) {
        m_sort = previous;
        Arrange();
    }
    return hr;
}

HRESULT Recordset::_xClone(_ADORecordset** clone)
{
    return Clone(adLockUnspecified, clone);
}

HRESULT Recordset::Find(BSTR criteria, ADO_LONGPTR skipRecords, SearchDirectionEnum direction, VARIANT start)
{
    HRESULT hr = RequireOpen();
    if (FAILED(hr))
        return hr;
    if (direction != adSearchForward && direction != adSearchBackward)
        return Fail(ADO_E_INVALIDARGUMENT, L"The search direction is forward or backward");
    std::vector<Clause> clauses;
    hr = ParseCriteria(TextOf(criteria), *m_rows, &clauses);
    if (FAILED(hr))
        return hr;
    if (clauses.size() != 1)
        return Fail(ADO_E_INVALIDARGUMENT, L"Find takes one column's criteria");
    const long step = direction == adSearchForward ? 1 : -1;
    long from = m_position;
    if (!IsMissing(start)) {
        from = PositionOf(start);
        if (from < 0)
            return Fail(ADO_E_INVALIDARGUMENT, L"The bookmark marks no row of this recordset");
    } else if (from < 0 && step > 0) {
        from = 0;
    } else if (from >= 0 && size_t(from) >= m_view.size() && step < 0) {
        from = long(m_view.size()) - 1;
    }
    for (long long at = (long long)from + skipRecords * step; at >= 0 && at < (long long)m_view.size(); at += step) {
        if (RowMatches(m_rows->rows[m_view[size_t(at)]], clauses)) {
            m_position = long(at);
            return Succeeded();
        }
    }
    m_position = step > 0 ? long(m_view.size()) : -1;
    return Succeeded();
}

HRESULT Recordset::GetString(StringFormatEnum format, long rowCount, BSTR columnDelimiter, BSTR rowDelimiter,
                             BSTR nullExpression, BSTR* text)
{
    if (!text)
        return E_POINTER;
    *text = nullptr;
    HRESULT hr = RequireOpen();
    if (FAILED(hr))
        return hr;
    if (format != adClipString)
        return Fail(ADO_E_INVALIDARGUMENT, L"GetString makes clip strings only");
    const std::wstring columns = columnDelimiter ? TextOf(columnDelimiter) : L"\t";
    const std::wstring rows = rowDelimiter ? TextOf(rowDelimiter) : L"\r";
    const std::wstring nulls = TextOf(nullExpression);
    if (m_position < 0)
        m_position = 0;
    std::wstring result;
    for (long done = 0; size_t(m_position) < m_view.size() && (rowCount <= 0 || done < rowCount); ++done) {
        const std::vector<Variant>& row = m_rows->rows[m_view[size_t(m_position)]];
        for (size_t i = 0; i < row.size(); ++i) {
            if (i)
                result += columns;
            if (!AppendValue(row[i].Get(), nulls, &result))
                return Fail(ADO_E_INVALIDARGUMENT, L"A value of column " + m_rows->columns[i].name +
                                                       L" has no text");
        }
        result += rows;
        ++m_position;
    }
    return ReturnText(result, text);
}

HRESULT Recordset::CompareBookmarks(VARIANT first, VARIANT second, CompareEnum* result)
{
    if (!result)
        return E_POINTER;
    HRESULT hr = RequireOpen();
    if (FAILED(hr))
        return hr;
    const long a = PositionOf(first), b = PositionOf(second);
    if (a < 0 || b < 0)
        return Fail(ADO_E_INVALIDARGUMENT, L"The bookmark marks no row of this recordset");
    *result = a < b ? adCompareLessThan : a > b ? adCompareGreaterThan : adCompareEqual;
    return S_OK;
}

HRESULT Recordset::Clone(LockTypeEnum, _ADORecordset** clone)
{
    if (!clone)
        return E_POINTER;
    *clone = nullptr;
    HRESULT hr = RequireOpen();
    if (FAILED(hr))
        return hr;
    Recordset* copy = new Recordset;
    copy->m_connection = m_connection;
    if (m_connection)
        m_connection->AddRef();
    copy->m_source = m_source;
    copy->m_rows = m_rows;
    copy->m_view = m_view;
    copy->m_filter = m_filter;
    copy->m_sort = m_sort;
    copy->m_cursorType = m_cursorType;
    copy->m_lockType = m_lockType;
    copy->m_cursorLocation = m_cursorLocation;
    copy->m_position = 0;
    *clone = copy;
    return S_OK;
}

}  // namespace ado

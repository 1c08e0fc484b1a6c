#include "Criteria.h"

#include "Errors.h"

#include <algorithm>
#include <cwctype>

namespace ado {

namespace {

const LCID kInvariant = MAKELCID(MAKELANGID(LANG_ENGLISH, SUBLANG_ENGLISH_US), SORT_DEFAULT);

class Reader {
public:
    explicit Reader(const std::wstring& text) : m_text(text) {}
    void SkipBlanks()
    {
        while (m_at < m_text.size() && std::iswspace(m_text[m_at]))
            ++m_at;
    }
    bool AtEnd()
    {
        SkipBlanks();
        return m_at >= m_text.size();
    }
    // A column name: bare, or in [brackets].
    std::wstring Name()
    {
        SkipBlanks();
        if (m_at < m_text.size() && m_text[m_at] == L'[') {
            const size_t close = m_text.find(L']', m_at);
            if (close == std::wstring::npos)
                return std::wstring();
            std::wstring name = m_text.substr(m_at + 1, close - m_at - 1);
            m_at = close + 1;
            return name;
        }
        const size_t start = m_at;
        while (m_at < m_text.size() && (std::iswalnum(m_text[m_at]) || m_text[m_at] == L'_' || m_text[m_at] > 0x7F))
            ++m_at;
        return m_text.substr(start, m_at - start);
    }
    bool Word(const wchar_t* word)
    {
        SkipBlanks();
        const size_t length = wcslen(word);
        if (m_text.size() - m_at < length || _wcsnicmp(m_text.c_str() + m_at, word, length) != 0)
            return false;
        if (m_at + length < m_text.size() && std::iswalnum(m_text[m_at + length]))
            return false;
        m_at += length;
        return true;
    }
    bool Symbol(wchar_t symbol)
    {
        SkipBlanks();
        if (m_at >= m_text.size() || m_text[m_at] != symbol)
            return false;
        ++m_at;
        return true;
    }
    bool Operator(Clause::Op* op)
    {
        SkipBlanks();
        static const struct { const wchar_t* text; Clause::Op op; } operators[] = {
            {L"<>", Clause::NotEqual}, {L"<=", Clause::LessOrEqual}, {L">=", Clause::GreaterOrEqual},
            {L"=", Clause::Equal}, {L"<", Clause::Less}, {L">", Clause::Greater}};
        for (const auto& candidate : operators) {
            const size_t length = wcslen(candidate.text);
            if (m_text.compare(m_at, length, candidate.text) == 0) {
                m_at += length;
                *op = candidate.op;
                return true;
            }
        }
        if (Word(L"LIKE")) {
            *op = Clause::Like;
            return true;
        }
        return false;
    }
    // 'text' ('' for a quote), #date# or a number.
    bool Value(VARIANT* value)
    {
        SkipBlanks();
        if (m_at >= m_text.size())
            return false;
        if (m_text[m_at] == L'\'') {
            std::wstring text;
            for (++m_at; m_at < m_text.size(); ++m_at) {
                if (m_text[m_at] == L'\'') {
                    if (m_at + 1 < m_text.size() && m_text[m_at + 1] == L'\'') {
                        text += L'\'';
                        ++m_at;
                        continue;
                    }
                    ++m_at;
                    value->vt = VT_BSTR;
                    value->bstrVal = SysAllocStringLen(text.data(), UINT(text.size()));
                    return value->bstrVal != nullptr;
                }
                text += m_text[m_at];
            }
            return false;
        }
        if (m_text[m_at] == L'#') {
            const size_t close = m_text.find(L'#', m_at + 1);
            if (close == std::wstring::npos)
                return false;
            const std::wstring date = m_text.substr(m_at + 1, close - m_at - 1);
            m_at = close + 1;
            value->vt = VT_DATE;
            return SUCCEEDED(VarDateFromStr(const_cast<wchar_t*>(date.c_str()), kInvariant, 0, &value->date));
        }
        const wchar_t* start = m_text.c_str() + m_at;
        wchar_t* end = nullptr;
        const double number = wcstod(start, &end);
        if (end == start)
            return false;
        m_at += size_t(end - start);
        value->vt = VT_R8;
        value->dblVal = number;
        return true;
    }

private:
    const std::wstring& m_text;
    size_t m_at = 0;
};

bool LikeMatches(const wchar_t* text, const wchar_t* pattern)
{
    if (*pattern == 0)
        return *text == 0;
    if (*pattern == L'%' || *pattern == L'*') {
        for (const wchar_t* at = text;; ++at) {
            if (LikeMatches(at, pattern + 1))
                return true;
            if (*at == 0)
                return false;
        }
    }
    if (*text == 0)
        return false;
    if (*pattern != L'_' && *pattern != L'?' && std::towlower(*text) != std::towlower(*pattern))
        return false;
    return LikeMatches(text + 1, pattern + 1);
}

// VarCmp's result after bringing the criteria value to the field's type.
HRESULT Compare(const VARIANT& field, const VARIANT& value)
{
    VARIANT converted;
    VariantInit(&converted);
    const VARIANT* right = &value;
    if (field.vt != value.vt &&
        SUCCEEDED(VariantChangeTypeEx(&converted, const_cast<VARIANT*>(&value), kInvariant, 0, field.vt)))
        right = &converted;
    const HRESULT result =
        VarCmp(const_cast<VARIANT*>(&field), const_cast<VARIANT*>(right), LOCALE_USER_DEFAULT, NORM_IGNORECASE);
    VariantClear(&converted);
    return result;
}

bool ClauseMatches(const std::vector<Variant>& row, const Clause& clause)
{
    const VARIANT& field = row[size_t(clause.column)].Get();
    if (field.vt == VT_NULL || field.vt == VT_EMPTY)
        return false;
    if (clause.op == Clause::Like) {
        VARIANT text;
        VariantInit(&text);
        if (FAILED(VariantChangeType(&text, const_cast<VARIANT*>(&field), 0, VT_BSTR)))
            return false;
        const VARIANT& pattern = clause.value.Get();
        const bool matches = pattern.vt == VT_BSTR && LikeMatches(text.bstrVal, pattern.bstrVal);
        VariantClear(&text);
        return matches;
    }
    const HRESULT order = Compare(field, clause.value.Get());
    switch (clause.op) {
    case Clause::Equal: return order == VARCMP_EQ;
    case Clause::NotEqual: return order == VARCMP_LT || order == VARCMP_GT;
    case Clause::Less: return order == VARCMP_LT;
    case Clause::Greater: return order == VARCMP_GT;
    case Clause::LessOrEqual: return order == VARCMP_LT || order == VARCMP_EQ;
    case Clause::GreaterOrEqual: return order == VARCMP_GT || order == VARCMP_EQ;
    default: return false;
    }
}

HRESULT BadCriteria(const std::wstring& text)
{
    return Fail(ADO_E_INVALIDARGUMENT, L"The criteria \"" + text + L"\" cannot be read");
}

}  // namespace

HRESULT ParseCriteria(const std::wstring& text, const RowSet& rows, std::vector<Clause>* clauses)
{
    clauses->clear();
    Reader reader(text);
    bool orWithPrevious = false;
    for (;;) {
        Clause clause;
        const std::wstring name = reader.Name();
        clause.column = rows.Find(name);
        if (name.empty())
            return BadCriteria(text);
        if (clause.column < 0)
            return Fail(ADO_E_ITEMNOTFOUND, L"No column is named " + name);
        if (!reader.Operator(&clause.op) || !reader.Value(clause.value.Put()))
            return BadCriteria(text);
        clause.orWithPrevious = orWithPrevious;
        clauses->push_back(clause);
        if (reader.AtEnd())
            return S_OK;
        if (reader.Word(L"AND"))
            orWithPrevious = false;
        else if (reader.Word(L"OR"))
            orWithPrevious = true;
        else
            return BadCriteria(text);
    }
}

bool RowMatches(const std::vector<Variant>& row, const std::vector<Clause>& clauses)
{
    bool result = true;
    for (size_t i = 0; i < clauses.size(); ++i) {
        const bool matches = ClauseMatches(row, clauses[i]);
        result = i == 0 ? matches : clauses[i].orWithPrevious ? (result || matches) : (result && matches);
    }
    return result;
}

HRESULT ParseSort(const std::wstring& text, const RowSet& rows, std::vector<SortKey>* keys)
{
    keys->clear();
    Reader reader(text);
    while (!reader.AtEnd()) {
        SortKey key;
        const std::wstring name = reader.Name();
        key.column = rows.Find(name);
        if (key.column < 0)
            return Fail(ADO_E_ITEMNOTFOUND, L"No column is named " + name);
        if (reader.Word(L"DESC"))
            key.descending = true;
        else
            reader.Word(L"ASC");
        keys->push_back(key);
        if (reader.AtEnd())
            break;
        if (!reader.Symbol(L','))
            return Fail(ADO_E_INVALIDARGUMENT, L"The sort order \"" + text + L"\" cannot be read");
    }
    return S_OK;
}

void SortRows(const RowSet& rows, const std::vector<SortKey>& keys, std::vector<size_t>* order)
{
    std::stable_sort(order->begin(), order->end(), [&](size_t a, size_t b) {
        for (const SortKey& key : keys) {
            const VARIANT& left = rows.rows[a][size_t(key.column)].Get();
            const VARIANT& right = rows.rows[b][size_t(key.column)].Get();
            const bool leftNull = left.vt == VT_NULL || left.vt == VT_EMPTY;
            const bool rightNull = right.vt == VT_NULL || right.vt == VT_EMPTY;
            HRESULT result;
            if (leftNull || rightNull)
                result = leftNull == rightNull ? VARCMP_EQ : leftNull ? VARCMP_LT : VARCMP_GT;
            else
                result = Compare(left, right);
            if (result == VARCMP_EQ || result == VARCMP_NULL || FAILED(result))
                continue;
            return key.descending ? result == VARCMP_GT : result == VARCMP_LT;
        }
        return false;
    });
}

}  // namespace ado

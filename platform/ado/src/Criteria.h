// Find and Filter criteria, "column op value" clauses joined by AND or OR
// (read left to right), and Sort orders, checked against a row set.
#pragma once

#include "Statement.h"

#include <string>
#include <vector>

namespace ado {

struct Clause {
    enum Op { Equal, NotEqual, Less, Greater, LessOrEqual, GreaterOrEqual, Like };
    int column = -1;
    Op op = Equal;
    Variant value;
    bool orWithPrevious = false;
};

// FAILED with a COM error when the text is not such criteria or names no
// column of the row set.
HRESULT ParseCriteria(const std::wstring& text, const RowSet& rows, std::vector<Clause>* clauses);
bool RowMatches(const std::vector<Variant>& row, const std::vector<Clause>& clauses);

struct SortKey {
    int column = -1;
    bool descending = false;
};

HRESULT ParseSort(const std::wstring& text, const RowSet& rows, std::vector<SortKey>* keys);
// Orders row numbers by the keys, equal rows keeping their order.
void SortRows(const RowSet& rows, const std::vector<SortKey>& keys, std::vector<size_t>* order);

}  // namespace ado

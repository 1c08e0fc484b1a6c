// The asset types (categories) that the server lists, in its order.
#pragma once

#include "afxwin.h"

#include <vector>

struct CategoryRecord {
    int id;
    CString name;
};

typedef std::vector<CategoryRecord> CCategoryList;

// Appends the "Category" elements of the server's "Categories" list: id
// from "id" or "ID" (an element with neither is skipped), name from "name"
// or "Name". FALSE when the text does not parse or no DOM can be made (the
// latter also shows "Error Info" / "Init Dom Fail").
BOOL CategoryListXml(const CString& strReply, CCategoryList& list);

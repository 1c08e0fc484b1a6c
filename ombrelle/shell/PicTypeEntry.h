// One picture file type the thumbnail list can show; the document owns the
// list (m_picTypes), the thumbnail pane fills it and the file type dialog edits it.
#pragma once

#include "afx.h"
#include "afxtempl.h"

struct PicTypeEntry {
    CString strName;
    CString strExtension;
    CString strDescription;
    int bSelected = 0;
    // The choice before the file type dialog last changed it.
    int bSelectedBefore = 0;
};

// Owns its entries.
class CPicTypeList : public CArray<PicTypeEntry*, PicTypeEntry*> {
public:
    ~CPicTypeList() { RemoveAllEntries(); }
    void RemoveAllEntries()
    {
        for (INT_PTR i = 0; i < GetSize(); ++i)
            delete GetAt(i);
        RemoveAll();
    }
};

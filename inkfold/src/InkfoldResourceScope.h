// Keeps Inkfold's own resources current for the life of a scope: a
// sub-dialog's template must come from this library whatever the host made
// current.
#pragma once

#include "Inkfold.h"

class CInkfoldResourceScope {
public:
    CInkfoldResourceScope() : m_hPrevious(SetInkfoldResourceHandle()) {}
    ~CInkfoldResourceScope() { AfxSetResourceHandle(m_hPrevious); }
    CInkfoldResourceScope(const CInkfoldResourceScope&) = delete;
    CInkfoldResourceScope& operator=(const CInkfoldResourceScope&) = delete;

private:
    HINSTANCE m_hPrevious;
};

// The client's document: an automation server with nothing of its own yet.
#pragma once

#include "afxwin.h"
#include "afxdisp.h"

class COmbrelleDoc : public CDocument {
    DECLARE_DYNCREATE(COmbrelleDoc)
public:
    COmbrelleDoc();
    virtual ~COmbrelleDoc();

protected:
    DECLARE_MESSAGE_MAP()
    DECLARE_DISPATCH_MAP()
};

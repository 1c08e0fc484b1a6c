// The client's document: an automation server with nothing of its own yet.
#pragma once

#include "afxwin.h"
#include "afxdisp.h"

#include "PicTypeEntry.h"

class COmbrelleDoc : public CDocument {
    DECLARE_DYNCREATE(COmbrelleDoc)
public:
    COmbrelleDoc();
    virtual ~COmbrelleDoc();

    // The picture file types the thumbnail list shows.
    CPicTypeList m_picTypes;

protected:
    DECLARE_MESSAGE_MAP()
    DECLARE_DISPATCH_MAP()
};

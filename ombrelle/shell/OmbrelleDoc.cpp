#include "OmbrelleDoc.h"

IMPLEMENT_DYNCREATE(COmbrelleDoc, CDocument)

BEGIN_MESSAGE_MAP(COmbrelleDoc, CDocument)
END_MESSAGE_MAP()

BEGIN_DISPATCH_MAP(COmbrelleDoc, CDocument)
END_DISPATCH_MAP()

COmbrelleDoc::COmbrelleDoc()
{
    EnableAutomation();
    // An automation client's document keeps the program running.
    AfxOleLockApp();
}

COmbrelleDoc::~COmbrelleDoc() { AfxOleUnlockApp(); }

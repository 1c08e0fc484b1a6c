// Whether this program has offered class objects to other processes: such a
// program ends OLE by ending, not by taking its apartment down (OleInit.cpp).
#pragma once

void AfxOleNoteClassObjectRegistered();

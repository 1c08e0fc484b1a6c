// The records that the rights store hands to the administration dialogs,
// and the ordered lists it fills with them.
#pragma once

#include "afx.h"
#include "afxcoll.h"
#include "afxtempl.h"

struct UserRecord
{
    int UserID = 0;
    CString UserName;
    CString Password;
    CString Comment;
    CString Email;
};

struct ModuleRecord
{
    int ModelID = 0;
    CString ModelName;
    CString Comment;
};

struct FunctionRecord
{
    int FunID = 0;
    CString FunName;
    int ModelID = 0;
    CString ModelName;  // the name of the module ModelID, empty when there is none
    CString Comment;
};

typedef CList<UserRecord, UserRecord&> UserRecordList;
typedef CList<ModuleRecord, ModuleRecord&> ModuleRecordList;
typedef CList<FunctionRecord, FunctionRecord&> FunctionRecordList;
typedef CList<int, int> IdList;

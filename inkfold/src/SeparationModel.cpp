#include "afxwin.h"

#include "Inkfold.h"
#include "resource.h"

CSeparationModel::CSeparationModel()
{
    SetReport(this);
}

// A copy reports through itself, not through the model it was copied from.
CSeparationModel::CSeparationModel(const CSeparationModel& other)
    : CSeparationCore(other), CSeparationReport()
{
    SetReport(this);
}

CSeparationModel& CSeparationModel::operator=(const CSeparationModel& other)
{
    CSeparationCore::operator=(other);
    SetReport(this);
    return *this;
}

CSeparationModel::~CSeparationModel() {}

void CSeparationModel::ShowOpenFileError(const char* path)
{
    CString text("打开文件错 - ");
    text += path;
    AfxMessageBox(text);
}

void CSeparationModel::OpenFileError(const char* path)
{
    ShowOpenFileError(path);
}

void CSeparationModel::FileTypeError()
{
    HINSTANCE previous = SetInkfoldResourceHandle();
    AfxMessageBox(IDS_FILE_TYPE_ERROR);
    AfxSetResourceHandle(previous);
}

void CSeparationModel::DividedByZero()
{
    // A box of its own with an empty caption, not the application's.
    ::MessageBoxA(::GetActiveWindow(), "\nDevided by Zero Error", "", MB_OK);
}

// The separation model as the dialogs use it: the separation core with its
// messages shown to the user through the class library.
#pragma once

#include "SeparationCore.h"

class INKFOLD_API CSeparationModel : public CSeparationCore, private CSeparationReport {
public:
    CSeparationModel();
    CSeparationModel(const CSeparationModel& other);
    CSeparationModel& operator=(const CSeparationModel& other);
    ~CSeparationModel() override;

    // "打开文件错 - " and the path, as every file of the separation reports
    // a file it cannot open or write.
    static void ShowOpenFileError(const char* path);

private:
    void OpenFileError(const char* path) override;
    void FileTypeError() override;
    void DividedByZero() override;
};

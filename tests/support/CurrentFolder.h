// Keeps the process's current folder: common file dialogs change it.
#pragma once

#include <windows.h>

namespace testsupport {

class KeepCurrentFolder {
public:
    KeepCurrentFolder() { ::GetCurrentDirectoryA(MAX_PATH, m_folder); }
    ~KeepCurrentFolder() { ::SetCurrentDirectoryA(m_folder); }
    KeepCurrentFolder(const KeepCurrentFolder&) = delete;
    KeepCurrentFolder& operator=(const KeepCurrentFolder&) = delete;

private:
    char m_folder[MAX_PATH];
};

}  // namespace testsupport

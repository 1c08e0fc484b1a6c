// The client's export table holds the image classes: their virtual tables,
// type information and out-of-line members. (g++ exports no inline member of
// an exported class; callers built with it compile the accessors in.)
#include "Process.h"

#include <windows.h>

#include <gtest/gtest.h>

#include <string>

TEST(ImageExports, ClientExportsTheImageClasses)
{
    std::string path = testsupport::ThisExecutable();
    path = path.substr(0, path.find_last_of('\\') + 1) + "Ombrelle.exe";
    HMODULE client = LoadLibraryExA(path.c_str(), NULL, DONT_RESOLVE_DLL_REFERENCES);
    ASSERT_NE(nullptr, client) << path;
    const char* const names[] = {
        "_ZTV6CxFile",  "_ZTV8CxIOFile", "_ZTV9CxMemFile", "_ZTV7CxImage",
        "_ZN9CxMemFile4OpenEv", "_ZN8CxIOFile4OpenEPKcS1_", "_ZN7CxImage6CreateEmmmm",
        "_ZTI7CxImage", "_ZN7CxImage16CreateFromHandleEPv", "_ZNK7CxImage12CopyToHandleEv",
    };
    for (const char* name : names)
        EXPECT_NE(nullptr, reinterpret_cast<void*>(GetProcAddress(client, name))) << name;
    FreeLibrary(client);
}

// Runs one program on a desktop of its own and ends with its exit code:
//   ondesktop.exe PROGRAM [ARGS...]
//
// Test programs run side by side. On one desktop they share its foreground
// window: any program that shows a window activates it and deactivates the
// others, whose focused control loses the focus in the middle of a test (a
// button press half done, an edit's leaving check run, a hover prompt
// dropped). A desktop per program gives each its own foreground, focus and
// capture. Processes the program starts inherit its desktop.
//
// Under Wine a desktop named under Software\Wine\Explorer\Desktops with a
// size is a virtual one: its windows live inside one X window, so X focus
// changes between programs reach none of them either.
#include <windows.h>

#include <cstdio>
#include <string>

namespace {

constexpr wchar_t kDesktopSizes[] = L"Software\\Wine\\Explorer\\Desktops";
constexpr wchar_t kScreenSize[] = L"1280x1024";

// The command line after this program's own name, as it was typed.
const wchar_t* ArgumentsAfterProgramName(const wchar_t* commandLine)
{
    const wchar_t* p = commandLine;
    if (*p == L'"') {
        for (++p; *p && *p != L'"'; ++p) {
        }
        if (*p)
            ++p;
    } else {
        while (*p && *p != L' ' && *p != L'\t')
            ++p;
    }
    while (*p == L' ' || *p == L'\t')
        ++p;
    return p;
}

// Unique for the whole session: process ids come back soon under Wine, and a
// desktop of the same name that is still closing would be opened again.
std::wstring UniqueDesktopName()
{
    LARGE_INTEGER counter;
    QueryPerformanceCounter(&counter);
    return L"ombt-" + std::to_wstring(GetCurrentProcessId()) + L"-" +
           std::to_wstring(static_cast<unsigned long long>(counter.QuadPart));
}

class DesktopSize {
public:
    explicit DesktopSize(const std::wstring& desktop) : m_desktop(desktop)
    {
        if (RegCreateKeyExW(HKEY_CURRENT_USER, kDesktopSizes, 0, nullptr, 0, KEY_SET_VALUE, nullptr, &m_key,
                            nullptr) == ERROR_SUCCESS)
            RegSetValueExW(m_key, m_desktop.c_str(), 0, REG_SZ, reinterpret_cast<const BYTE*>(kScreenSize),
                           sizeof kScreenSize);
    }
    ~DesktopSize()
    {
        if (m_key) {
            RegDeleteValueW(m_key, m_desktop.c_str());
            RegCloseKey(m_key);
        }
    }
    DesktopSize(const DesktopSize&) = delete;
    DesktopSize& operator=(const DesktopSize&) = delete;

private:
    std::wstring m_desktop;
    HKEY m_key = nullptr;
};

}  // namespace

int wmain()
{
    std::wstring commandLine = ArgumentsAfterProgramName(GetCommandLineW());
    if (commandLine.empty()) {
        fputws(L"usage: ondesktop PROGRAM [ARGS...]\n", stderr);
        return 2;
    }

    std::wstring name = UniqueDesktopName();
    DesktopSize size(name);
    HDESK desktop = CreateDesktopW(name.c_str(), nullptr, nullptr, 0, GENERIC_ALL, nullptr);
    if (!desktop) {
        fwprintf(stderr, L"ondesktop: cannot create desktop %ls (error %lu)\n", name.c_str(), GetLastError());
        return 3;
    }

    STARTUPINFOW startup = {};
    startup.cb = sizeof startup;
    startup.lpDesktop = name.data();
    startup.dwFlags = STARTF_USESTDHANDLES;
    startup.hStdInput = GetStdHandle(STD_INPUT_HANDLE);
    startup.hStdOutput = GetStdHandle(STD_OUTPUT_HANDLE);
    startup.hStdError = GetStdHandle(STD_ERROR_HANDLE);
    PROCESS_INFORMATION process = {};
    if (!CreateProcessW(nullptr, commandLine.data(), nullptr, nullptr, TRUE, 0, nullptr, nullptr, &startup,
                        &process)) {
        fwprintf(stderr, L"ondesktop: cannot start %ls (error %lu)\n", commandLine.c_str(), GetLastError());
        CloseDesktop(desktop);
        return 3;
    }
    CloseHandle(process.hThread);
    WaitForSingleObject(process.hProcess, INFINITE);
    DWORD exitCode = 1;
    GetExitCodeProcess(process.hProcess, &exitCode);
    CloseHandle(process.hProcess);
    CloseDesktop(desktop);
    return static_cast<int>(exitCode);
}

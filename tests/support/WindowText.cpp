#include "WindowText.h"

namespace testsupport {

std::string WindowText(HWND window)
{
    int length = GetWindowTextLengthA(window);
    std::string text(length + 1, '\0');
    length = GetWindowTextA(window, &text[0], length + 1);
    text.resize(length > 0 ? length : 0);
    return text;
}

std::string ClassName(HWND window)
{
    char name[256] = {};
    GetClassNameA(window, name, sizeof name);
    return name;
}

std::vector<std::string> StaticTexts(HWND window)
{
    std::vector<std::string> texts;
    EnumChildWindows(
        window,
        [](HWND child, LPARAM param) -> BOOL {
            if (lstrcmpiA(ClassName(child).c_str(), "Static") == 0) {
                std::string text = WindowText(child);
                if (!text.empty())
                    reinterpret_cast<std::vector<std::string>*>(param)->push_back(text);
            }
            return TRUE;
        },
        reinterpret_cast<LPARAM>(&texts));
    return texts;
}

std::string ToUtf8(const std::string& ansi)
{
    if (ansi.empty())
        return ansi;
    int wide = MultiByteToWideChar(CP_ACP, 0, ansi.data(), int(ansi.size()), nullptr, 0);
    std::wstring utf16(wide, L'\0');
    MultiByteToWideChar(CP_ACP, 0, ansi.data(), int(ansi.size()), &utf16[0], wide);
    int bytes = WideCharToMultiByte(CP_UTF8, 0, utf16.data(), wide, nullptr, 0, nullptr, nullptr);
    std::string utf8(bytes, '\0');
    WideCharToMultiByte(CP_UTF8, 0, utf16.data(), wide, &utf8[0], bytes, nullptr, nullptr);
    return utf8;
}

}  // namespace testsupport

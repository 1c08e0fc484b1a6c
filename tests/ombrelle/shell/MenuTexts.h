// The texts of a menu's items, in order, for the client's menu tests.
#pragma once

#include <windows.h>

#include <string>
#include <vector>

inline std::vector<std::string> MenuTexts(HMENU hMenu)
{
    std::vector<std::string> texts;
    for (int i = 0; i < ::GetMenuItemCount(hMenu); ++i) {
        char text[256] = "";
        ::GetMenuStringA(hMenu, i, text, sizeof(text), MF_BYPOSITION);
        texts.push_back(text);
    }
    return texts;
}

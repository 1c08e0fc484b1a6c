#include "BrowseAnswer.h"

namespace rights {

std::vector<std::u16string> BrowseAnswerServers(const char16_t* answer, std::size_t length)
{
    std::vector<std::u16string> servers;
    if (answer == nullptr)
        return servers;
    std::u16string text(answer, length);
    text = text.substr(0, text.find(u'\0'));
    const std::size_t open = text.find(u'{');
    const std::size_t close = text.find(u'}');
    if (open == std::u16string::npos || close == std::u16string::npos || close < open)
        return servers;
    const std::u16string list = text.substr(open + 1, close - open - 1);
    std::u16string piece;
    for (char16_t c : list) {
        if (c == u',') {
            servers.push_back(piece);
            piece.clear();
        } else {
            piece += c;
        }
    }
    if (!list.empty() && list.back() != u',')
        servers.push_back(piece);
    return servers;
}

}  // namespace rights

// The browse answer's server list over any characters: the entries joined
// by commas are the text after the first "{", ended by "}" or ",}".
#include "BrowseAnswer.h"

#include <cstdint>
#include <cstdlib>
#include <string>
#include <vector>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    std::vector<char16_t> answer;
    for (std::size_t i = 0; i + 1 < size; i += 2)
        answer.push_back(char16_t(data[i] | (data[i + 1] << 8)));
    const std::vector<std::u16string> servers = rights::BrowseAnswerServers(answer.data(), answer.size());

    std::u16string text(answer.begin(), answer.end());
    text = text.substr(0, text.find(u'\0'));
    const std::size_t open = text.find(u'{');
    if (servers.empty())
        return 0;
    if (open == std::u16string::npos)
        std::abort();
    std::u16string joined;
    for (std::size_t i = 0; i < servers.size(); ++i) {
        if (servers[i].find_first_of(u",}") != std::u16string::npos)
            std::abort();
        joined += (i ? u"," : u"") + servers[i];
    }
    const std::u16string after = text.substr(open + 1);
    if (after.compare(0, joined.size() + 1, joined + u"}") != 0 &&
        after.compare(0, joined.size() + 2, joined + u",}") != 0)
        std::abort();
    return 0;
}

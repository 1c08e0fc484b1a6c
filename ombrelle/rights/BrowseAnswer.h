// The database servers in the driver manager's answer to a browse request,
// which lists them between braces: "SERVER:Server={a,b,c};UID:Login ID=?".
// Plain C++ over the answer's characters.
#pragma once

#include <cstddef>
#include <string>
#include <vector>

namespace rights {

// The answer is read up to its length or its first NUL, whichever comes
// first. Only what lies between the first "{" and the first "}" counts:
// nothing when either is missing or "}" comes first. That text is split at
// every ",": two commas in a row give an empty entry, a trailing comma
// nothing after it.
std::vector<std::u16string> BrowseAnswerServers(const char16_t* answer, std::size_t length);

}  // namespace rights

#include "UploadRules.h"

#include <cstdio>
#include <cstdlib>

namespace uploadrules {

namespace {

// The field of a ";"-separated text from position start up to the next ";"
// (or the end); start moves past that ";" (or to npos).
std::string NextField(const std::string& text, size_t& start)
{
    if (start == std::string::npos || start > text.size())
        return std::string();
    const size_t end = text.find(';', start);
    std::string field = text.substr(start, end == std::string::npos ? std::string::npos : end - start);
    start = end == std::string::npos ? std::string::npos : end + 1;
    return field;
}

}  // namespace

StorageLocation ParseStorageLocation(const std::string& reply)
{
    StorageLocation location;
    location.code = std::atoi(reply.c_str());
    size_t start = reply.find(';');
    if (start == std::string::npos)
        return location;
    ++start;
    const std::string address = NextField(reply, start);
    const size_t slash = address.find('/');
    location.host = address.substr(0, slash);
    if (slash != std::string::npos)
        location.path = address.substr(slash);
    location.user = NextField(reply, start);
    if (start != std::string::npos)
        location.password = reply.substr(start);
    return location;
}

std::string StorageErrorText(const std::string& reply)
{
    size_t start = reply.find(';');
    if (start == std::string::npos)
        return std::string();
    ++start;
    return NextField(reply, start);
}

std::string AssetIdText(const std::string& reply)
{
    const size_t end = reply.find(';');
    return end == std::string::npos ? std::string() : reply.substr(0, end);
}

std::string AssetKey(const std::string& categoryId, const std::string& assetId)
{
    char key[32];
    std::snprintf(key, sizeof(key), "%05d%010d", std::atoi(categoryId.c_str()), std::atoi(assetId.c_str()));
    return key;
}

PollStep PollStepFor(int componentState, int taskState)
{
    auto show = [taskState](int state) {
        return PollStep{state == taskState ? PollAction::Nothing : PollAction::ShowState, state};
    };
    switch (componentState) {
    case 1:
        return show(3);
    case 3:
        return show(2);
    case -2:
        return PollStep{PollAction::Fail, 4};
    case -1:
    case 2:
        return PollStep{PollAction::Remove, taskState};
    case 0:
        return PollStep{PollAction::Finish, taskState};
    default:
        return PollStep{PollAction::Nothing, taskState};
    }
}

}  // namespace uploadrules

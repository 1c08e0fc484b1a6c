// The upload's text rules over the server's replies, the asset key and what
// the poll makes of a task state the FTP component reports: plain C++, no
// Windows headers.
#pragma once

#include <string>

namespace uploadrules {

// A GetStorageLocation reply: "code;host/path;user;password".
struct StorageLocation {
    int code = 0;       // the leading number (atoi)
    std::string host;   // before the first "/" of the second field ("host" or "host:port")
    std::string path;   // from that "/" on, the slash included
    std::string user;
    std::string password;  // everything after the third ";"
};

StorageLocation ParseStorageLocation(const std::string& reply);
// What a refusing reply says: its text between the first and second ";".
std::string StorageErrorText(const std::string& reply);
// The id of a GetNewAssetID reply: its text before the first ";", "" when
// it holds none (an error page is no id).
std::string AssetIdText(const std::string& reply);
// "%05d%010d" of the category number and the asset id (each read by atoi).
std::string AssetKey(const std::string& categoryId, const std::string& assetId);

// What the poll does with a task on one tick.
enum class PollAction {
    Nothing,
    ShowState,  // store the new task state
    Remove,     // the component does not know the task (-1) or dropped it (2)
    Finish,     // post the record, clean up, remove the task
    Fail,       // tell the user once, keep the files, remove the task
};

struct PollStep {
    PollAction action;
    int taskState;  // the task state after this tick
};

// Component states: 1 waiting (task state 3), 3 transferring (2), -2 failed
// (4), -1 and 2 removed, 0 finished, anything else ignored.
PollStep PollStepFor(int componentState, int taskState);

}  // namespace uploadrules

// How the back-end's replies are judged and how request arguments are
// written: plain text rules over bytes, no Windows headers.
#pragma once

#include <string>

namespace serverreply {

// What a verb makes of one reply.
enum class Verdict {
    Good,     // the result
    Bad,      // ask whether the log-in has timed out
    Refused,  // the server said no: failure at once
};

// The reply without leading and trailing white space (blank, tab, CR, LF,
// vertical tab, form feed).
std::string Trim(const std::string& reply);

// GetStorageLocation and GetNewAssetID: the number before the first ";" is
// negative (a reply without ";" counts as 0, so an error page is good).
Verdict JudgeNumbered(const std::string& trimmed);
// AssetMetaDataStruct and EmunAllAssetType: only an empty reply is bad.
Verdict JudgeXml(const std::string& trimmed);
// AddAsset: below -1 refused, exactly "-1" bad, anything else but an empty
// reply accepted; an empty reply is refused (nothing says it was stored).
Verdict JudgeAddAsset(const std::string& trimmed);

// One argument value for a query: every byte but letters, digits and
// "-_.~" as %XX, so "&", "#", "%", "+", blanks and GBK text arrive intact.
std::string PercentEncode(const std::string& value);

// A page address below the server address: "" for "" and "http://",
// else the address, one "/", and the page path.
std::string PageBelow(const std::string& serverAddress, const std::string& page);

}  // namespace serverreply

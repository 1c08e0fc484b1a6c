// What the numeric edit takes as a number of its type, over plain text.
#pragma once

namespace general {

// Types: 2 and 6 non-negative, a decimal point allowed; 4 signed whole;
// 5 signed, a decimal point allowed; any other type digits only. A complete
// number has at least one digit and nothing else but one leading '-' (types
// 4 and 5) and one '.' (types 2, 5 and 6).
bool ParseNumber(const char* text, int type, double& value);
// Whether a character may be typed at this place of the text (the text
// without the selection it replaces).
bool MayType(const char* textBefore, const char* textAfter, char c, int type);

}  // namespace general

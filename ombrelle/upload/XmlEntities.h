// The five XML entities over plain bytes (ANSI code page text: no GBK trail
// byte equals one of the escaped characters), for the XML the client writes.
#pragma once

#include <string>

// "&", "<", ">", the double quote and "'" as entities ("&quot;" for the quote).
std::string XmlEscapeText(const std::string& text);
// The inverse of XmlEscapeText; also reads the old spelling "&quote;".
std::string XmlUnescapeText(const std::string& text);

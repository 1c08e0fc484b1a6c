#include "NumberText.h"

#include <cstdlib>
#include <cstring>

namespace general {

namespace {

bool Signed(int type) { return type == 4 || type == 5; }
bool Decimal(int type) { return type == 2 || type == 5 || type == 6; }

}  // namespace

bool ParseNumber(const char* text, int type, double& value)
{
    if (text == nullptr)
        return false;
    const char* p = text;
    if (*p == '-' && Signed(type))
        p++;
    int digits = 0, points = 0;
    for (const char* q = p; *q != '\0'; q++) {
        if (*q >= '0' && *q <= '9')
            digits++;
        else if (*q == '.' && Decimal(type) && points == 0)
            points++;
        else
            return false;
    }
    if (digits == 0)
        return false;
    value = std::strtod(text, nullptr);
    return true;
}

bool MayType(const char* textBefore, const char* textAfter, char c, int type)
{
    if (c >= '0' && c <= '9')
        return !(textBefore[0] == '\0' && textAfter[0] == '-');  // nothing before the sign
    if (c == '-')
        return Signed(type) && textBefore[0] == '\0' && std::strchr(textAfter, '-') == nullptr;
    if (c == '.')
        return Decimal(type) && std::strchr(textBefore, '.') == nullptr && std::strchr(textAfter, '.') == nullptr &&
               !(textBefore[0] == '\0' && textAfter[0] == '-');
    return false;
}

}  // namespace general

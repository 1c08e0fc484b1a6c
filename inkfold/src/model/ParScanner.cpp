#include "ParScanner.h"

#include <climits>
#include <cstdarg>
#include <cstdlib>
#include <string>

namespace {

bool IsSpace(char ch)
{
    return ch == ' ' || ch == '\t' || ch == '\n' || ch == '\r' || ch == '\v' || ch == '\f';
}

bool IsDigit(char ch)
{
    return ch >= '0' && ch <= '9';
}

}  // namespace

void CParScanner::SkipSpace()
{
    while (m_p < m_end && IsSpace(*m_p))
        ++m_p;
}

bool CParScanner::ReadInt(int* value)
{
    SkipSpace();
    const char* p = m_p;
    bool negative = false;
    if (p < m_end && (*p == '+' || *p == '-')) {
        negative = *p == '-';
        ++p;
    }
    if (p >= m_end || !IsDigit(*p))
        return false;
    long long n = 0;
    for (; p < m_end && IsDigit(*p); ++p) {
        if (n <= INT_MAX)   // saturate: a huge number stays out of range
            n = n * 10 + (*p - '0');
    }
    if (negative)
        n = -n;
    *value = n > INT_MAX ? INT_MAX : n < INT_MIN ? INT_MIN : static_cast<int>(n);
    m_p = p;
    return true;
}

bool CParScanner::ReadFloat(float* value)
{
    SkipSpace();
    const char* p = m_p;
    if (p < m_end && (*p == '+' || *p == '-'))
        ++p;
    int digits = 0;
    for (; p < m_end && IsDigit(*p); ++p)
        ++digits;
    if (p < m_end && *p == '.') {
        ++p;
        for (; p < m_end && IsDigit(*p); ++p)
            ++digits;
    }
    if (digits == 0)
        return false;
    if (p < m_end && (*p == 'e' || *p == 'E')) {
        const char* q = p + 1;
        if (q < m_end && (*q == '+' || *q == '-'))
            ++q;
        if (q < m_end && IsDigit(*q)) {
            while (q < m_end && IsDigit(*q))
                ++q;
            p = q;
        }
    }
    std::string text(m_p, p);
    *value = static_cast<float>(std::strtod(text.c_str(), nullptr));
    m_p = p;
    return true;
}

bool CParScanner::ReadToken(char* token)
{
    SkipSpace();
    int n = 0;
    while (m_p < m_end && !IsSpace(*m_p) && n < kTokenMax)
        token[n++] = *m_p++;
    token[n] = '\0';
    return n > 0;
}

int CParScanner::Scan(const char* format, ...)
{
    va_list args;
    va_start(args, format);
    int stored = 0;
    for (const char* f = format; *f != '\0'; ++f) {
        if (IsSpace(*f)) {
            SkipSpace();
            continue;
        }
        if (*f == '%' && f[1] != '%' && f[1] != '\0') {
            ++f;
            bool ok = false;
            if (*f == 'd')
                ok = ReadInt(va_arg(args, int*));
            else if (*f == 'f')
                ok = ReadFloat(va_arg(args, float*));
            else if (*f == 's')
                ok = ReadToken(va_arg(args, char*));
            if (!ok)
                break;
            ++stored;
            continue;
        }
        if (*f == '%')
            ++f;   // "%%" matches one '%'
        if (m_p >= m_end || *m_p != *f)
            break;
        ++m_p;
    }
    va_end(args);
    return stored;
}

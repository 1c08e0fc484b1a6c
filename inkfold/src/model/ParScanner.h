// Formatted scanning over a text in memory with the scan rules the
// parameter file relies on: a blank (or line break) in the format matches
// any run of white space, including none; %d, %f and %s skip white space
// first; a conversion or literal that does not match ends the scan there,
// and the next scan starts from that point. %s stores at most
// kTokenMax characters; the rest of a longer token stays for the next
// conversion.
#pragma once

#include <cstddef>

class CParScanner {
public:
    enum { kTokenMax = 255 };

    CParScanner(const char* text, size_t length) : m_p(text), m_end(text + length) {}

    // Arguments: int* for %d, float* for %f, char[kTokenMax + 1] for %s.
    // Returns the number of conversions stored.
    int Scan(const char* format, ...);

    bool AtEnd() const { return m_p >= m_end; }

private:
    void SkipSpace();
    bool ReadInt(int* value);
    bool ReadFloat(float* value);
    bool ReadToken(char* token);

    const char* m_p;
    const char* m_end;
};

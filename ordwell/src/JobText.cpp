#include "JobText.h"

#include <mbstring.h>

bool SameTextNoCase(const CString& a, const CString& b)
{
    return _mbsicmp(reinterpret_cast<const unsigned char*>((LPCTSTR)a),
                    reinterpret_cast<const unsigned char*>((LPCTSTR)b)) == 0;
}

int LastBackslash(const CString& path)
{
    const unsigned char* p = reinterpret_cast<const unsigned char*>((LPCTSTR)path);
    int last = -1;
    for (int i = 0; p[i] != 0; i++) {
        if (::IsDBCSLeadByte(p[i]) && p[i + 1] != 0)
            i++;
        else if (p[i] == '\\')
            last = i;
    }
    return last;
}

bool HasInvalidNameChar(const CString& name) { return name.FindOneOf("\\/:*?\"<>|") >= 0; }

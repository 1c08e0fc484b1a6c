// CString: comparing, searching, cutting and editing. Everything that walks
// the text steps over whole characters of the ANSI code page, so that a
// double-byte character's trail byte ('\\' and ASCII letters among them) is
// never taken for a character of its own.
#include "afx.h"

namespace {

class LeadBytes {
public:
    LeadBytes()
    {
        memset(m_lead, 0, sizeof m_lead);
        CPINFO info;
        if (!GetCPInfo(CP_ACP, &info))
            return;
        for (int i = 0; i + 1 < MAX_LEADBYTES && info.LeadByte[i] != 0; i += 2) {
            for (int b = info.LeadByte[i]; b <= info.LeadByte[i + 1]; ++b)
                m_lead[b] = true;
        }
    }
    bool operator[](unsigned char byte) const { return m_lead[byte]; }

private:
    bool m_lead[256];
};

inline bool IsLead(TCHAR ch)
{
    static const LeadBytes table;
    return table[static_cast<unsigned char>(ch)];
}

// The size in bytes of the character at text[i] of a text of the given length.
inline int CharSize(LPCTSTR text, int i, int length)
{
    return (IsLead(text[i]) && i + 1 < length) ? 2 : 1;
}

inline bool IsSingle(LPCTSTR text, int i, int size, TCHAR ch)
{
    return size == 1 && text[i] == ch;
}

// Whether the character of the given size at ch is one of the set's characters.
bool InSet(LPCTSTR set, LPCTSTR ch, int size)
{
    if (set == NULL)
        return false;
    int setLength = static_cast<int>(strlen(set));
    for (int i = 0; i < setLength;) {
        int setSize = CharSize(set, i, setLength);
        if (setSize == size && memcmp(set + i, ch, size) == 0)
            return true;
        i += setSize;
    }
    return false;
}

inline bool IsWhiteSpace(TCHAR ch)
{
    return ch == ' ' || (ch >= '\t' && ch <= '\r');
}

inline TCHAR FoldLower(TCHAR ch)
{
    return (ch >= 'A' && ch <= 'Z') ? static_cast<TCHAR>(ch + ('a' - 'A')) : ch;
}

inline int Sign(int value)
{
    return value < 0 ? -1 : (value > 0 ? 1 : 0);
}

}  // namespace

// Comparison

int CString::Compare(LPCTSTR lpsz) const
{
    return Sign(strcmp(m_pchData, lpsz == NULL ? "" : lpsz));
}

int CString::CompareNoCase(LPCTSTR lpsz) const
{
    const unsigned char* p1 = reinterpret_cast<const unsigned char*>(m_pchData);
    const unsigned char* p2 = reinterpret_cast<const unsigned char*>(lpsz == NULL ? "" : lpsz);
    // Both texts are equal up to here, so their character boundaries agree.
    bool trail = false;
    for (;; ++p1, ++p2) {
        unsigned char c1 = *p1;
        unsigned char c2 = *p2;
        if (!trail) {
            c1 = static_cast<unsigned char>(FoldLower(static_cast<TCHAR>(c1)));
            c2 = static_cast<unsigned char>(FoldLower(static_cast<TCHAR>(c2)));
        }
        if (c1 != c2)
            return c1 < c2 ? -1 : 1;
        if (c1 == 0)
            return 0;
        trail = !trail && IsLead(static_cast<TCHAR>(c1));
    }
}

int CString::Collate(LPCTSTR lpsz) const
{
    int result = CompareStringA(LOCALE_USER_DEFAULT, 0, m_pchData, -1, lpsz == NULL ? "" : lpsz, -1);
    return result == 0 ? Compare(lpsz) : result - CSTR_EQUAL;
}

int CString::CollateNoCase(LPCTSTR lpsz) const
{
    int result = CompareStringA(LOCALE_USER_DEFAULT, NORM_IGNORECASE, m_pchData, -1,
                                lpsz == NULL ? "" : lpsz, -1);
    return result == 0 ? CompareNoCase(lpsz) : result - CSTR_EQUAL;
}

// Extraction

CString CString::Mid(int nFirst, int nCount) const
{
    int length = GetLength();
    if (nFirst < 0)
        nFirst = 0;
    if (nFirst > length)
        nFirst = length;
    if (nCount < 0)
        nCount = 0;
    if (nCount > length - nFirst)
        nCount = length - nFirst;
    if (nFirst == 0 && nCount == length)
        return *this;
    CString dest;
    AllocCopy(dest, nCount, nFirst, 0);
    return dest;
}

CString CString::Mid(int nFirst) const
{
    if (nFirst < 0)
        nFirst = 0;
    return Mid(nFirst, GetLength() - nFirst);
}

CString CString::Left(int nCount) const
{
    return Mid(0, nCount);
}

CString CString::Right(int nCount) const
{
    int length = GetLength();
    if (nCount < 0)
        nCount = 0;
    if (nCount > length)
        nCount = length;
    return Mid(length - nCount, nCount);
}

CString CString::SpanIncluding(LPCTSTR lpszCharSet) const
{
    int length = GetLength();
    int i = 0;
    while (i < length) {
        int size = CharSize(m_pchData, i, length);
        if (!InSet(lpszCharSet, m_pchData + i, size))
            break;
        i += size;
    }
    return Left(i);
}

CString CString::SpanExcluding(LPCTSTR lpszCharSet) const
{
    int length = GetLength();
    int i = 0;
    while (i < length) {
        int size = CharSize(m_pchData, i, length);
        if (InSet(lpszCharSet, m_pchData + i, size))
            break;
        i += size;
    }
    return Left(i);
}

// Conversion

void CString::MakeUpper()
{
    CopyBeforeWrite();
    int length = GetLength();
    for (int i = 0; i < length;) {
        int size = CharSize(m_pchData, i, length);
        if (size == 1 && m_pchData[i] >= 'a' && m_pchData[i] <= 'z')
            m_pchData[i] = static_cast<TCHAR>(m_pchData[i] - ('a' - 'A'));
        i += size;
    }
}

void CString::MakeLower()
{
    CopyBeforeWrite();
    int length = GetLength();
    for (int i = 0; i < length;) {
        int size = CharSize(m_pchData, i, length);
        if (size == 1)
            m_pchData[i] = FoldLower(m_pchData[i]);
        i += size;
    }
}

// Reverses the order of the characters; a double-byte character keeps its
// two bytes in order.
void CString::MakeReverse()
{
    int length = GetLength();
    if (length < 2)
        return;
    CString reversed;
    reversed.AllocBuffer(length);
    for (int i = 0; i < length;) {
        int size = CharSize(m_pchData, i, length);
        memcpy(reversed.m_pchData + length - i - size, m_pchData + i, size);
        i += size;
    }
    CopyBeforeWrite();
    memcpy(m_pchData, reversed.m_pchData, length);
}

int CString::Replace(TCHAR chOld, TCHAR chNew)
{
    if (chOld == chNew)
        return 0;
    int length = GetLength();
    int count = 0;
    for (int i = 0; i < length;) {
        int size = CharSize(m_pchData, i, length);
        if (IsSingle(m_pchData, i, size, chOld)) {
            if (count++ == 0)
                CopyBeforeWrite();
            m_pchData[i] = chNew;
        }
        i += size;
    }
    return count;
}

int CString::Replace(LPCTSTR lpszOld, LPCTSTR lpszNew)
{
    int oldLength = SafeStrlen(lpszOld);
    if (oldLength == 0)
        return 0;
    int newLength = SafeStrlen(lpszNew);
    int length = GetLength();

    int count = 0;
    for (int i = 0; i < length;) {
        if (i + oldLength <= length && memcmp(m_pchData + i, lpszOld, oldLength) == 0) {
            ++count;
            i += oldLength;
        } else {
            i += CharSize(m_pchData, i, length);
        }
    }
    if (count == 0)
        return 0;

    // Built aside: the new text may lie inside this string.
    CString result;
    result.AllocBuffer(length + count * (newLength - oldLength));
    LPTSTR out = result.m_pchData;
    for (int i = 0; i < length;) {
        if (i + oldLength <= length && memcmp(m_pchData + i, lpszOld, oldLength) == 0) {
            memcpy(out, lpszNew, newLength);
            out += newLength;
            i += oldLength;
        } else {
            int size = CharSize(m_pchData, i, length);
            memcpy(out, m_pchData + i, size);
            out += size;
            i += size;
        }
    }
    std::swap(m_pchData, result.m_pchData);
    return count;
}

int CString::Remove(TCHAR chRemove)
{
    int length = GetLength();
    int count = 0;
    for (int i = 0; i < length;) {
        int size = CharSize(m_pchData, i, length);
        if (IsSingle(m_pchData, i, size, chRemove))
            ++count;
        i += size;
    }
    if (count == 0)
        return 0;
    CopyBeforeWrite();
    int out = 0;
    for (int i = 0; i < length;) {
        int size = CharSize(m_pchData, i, length);
        if (!IsSingle(m_pchData, i, size, chRemove)) {
            memmove(m_pchData + out, m_pchData + i, size);
            out += size;
        }
        i += size;
    }
    GetData()->nDataLength = out;
    m_pchData[out] = '\0';
    return count;
}

int CString::Insert(int nIndex, TCHAR ch)
{
    TCHAR text[2] = {ch, '\0'};
    if (ch == '\0')
        return GetLength();
    return Insert(nIndex, text);
}

int CString::Insert(int nIndex, LPCTSTR pstr)
{
    int length = GetLength();
    int insertLength = SafeStrlen(pstr);
    if (insertLength == 0)
        return length;
    if (nIndex < 0)
        nIndex = 0;
    if (nIndex > length)
        nIndex = length;
    // Built aside: the inserted text may lie inside this string.
    CString result;
    result.AllocBuffer(length + insertLength);
    memcpy(result.m_pchData, m_pchData, nIndex);
    memcpy(result.m_pchData + nIndex, pstr, insertLength);
    memcpy(result.m_pchData + nIndex + insertLength, m_pchData + nIndex, length - nIndex);
    std::swap(m_pchData, result.m_pchData);
    return GetLength();
}

int CString::Delete(int nIndex, int nCount)
{
    int length = GetLength();
    if (nIndex < 0)
        nIndex = 0;
    if (nCount > 0 && nIndex < length) {
        if (nCount > length - nIndex)
            nCount = length - nIndex;
        CopyBeforeWrite();
        memmove(m_pchData + nIndex, m_pchData + nIndex + nCount, length - nIndex - nCount + 1);
        GetData()->nDataLength = length - nCount;
    }
    return GetLength();
}

// Trimming

namespace {

enum class TrimKind { WhiteSpace, OneChar, CharSet };

bool IsTrimmed(TrimKind kind, TCHAR target, LPCTSTR targets, LPCTSTR ch, int size)
{
    switch (kind) {
    case TrimKind::WhiteSpace:
        return size == 1 && IsWhiteSpace(*ch);
    case TrimKind::OneChar:
        return size == 1 && *ch == target;
    case TrimKind::CharSet:
        return InSet(targets, ch, size);
    }
    return false;
}

// Where the run of trimmed characters at the end of the text begins.
int TrailingStart(LPCTSTR text, int length, TrimKind kind, TCHAR target, LPCTSTR targets)
{
    int start = -1;
    for (int i = 0; i < length;) {
        int size = CharSize(text, i, length);
        if (IsTrimmed(kind, target, targets, text + i, size)) {
            if (start < 0)
                start = i;
        } else {
            start = -1;
        }
        i += size;
    }
    return start < 0 ? length : start;
}

// How many bytes the run of trimmed characters at the start of the text spans.
int LeadingLength(LPCTSTR text, int length, TrimKind kind, TCHAR target, LPCTSTR targets)
{
    int i = 0;
    while (i < length) {
        int size = CharSize(text, i, length);
        if (!IsTrimmed(kind, target, targets, text + i, size))
            break;
        i += size;
    }
    return i;
}

}  // namespace

namespace {

void TrimEnd(CString& string, TrimKind kind, TCHAR target, LPCTSTR targets)
{
    int length = string.GetLength();
    int end = TrailingStart(string, length, kind, target, targets);
    if (end < length) {
        string.GetBuffer(0);
        string.ReleaseBuffer(end);
    }
}

void TrimStart(CString& string, TrimKind kind, TCHAR target, LPCTSTR targets)
{
    int length = string.GetLength();
    int cut = LeadingLength(string, length, kind, target, targets);
    if (cut > 0) {
        LPTSTR text = string.GetBuffer(0);
        memmove(text, text + cut, length - cut);
        string.ReleaseBuffer(length - cut);
    }
}

}  // namespace

void CString::TrimRight() { TrimEnd(*this, TrimKind::WhiteSpace, '\0', NULL); }
void CString::TrimRight(TCHAR chTarget) { TrimEnd(*this, TrimKind::OneChar, chTarget, NULL); }
void CString::TrimRight(LPCTSTR lpszTargets) { TrimEnd(*this, TrimKind::CharSet, '\0', lpszTargets); }
void CString::TrimLeft() { TrimStart(*this, TrimKind::WhiteSpace, '\0', NULL); }
void CString::TrimLeft(TCHAR chTarget) { TrimStart(*this, TrimKind::OneChar, chTarget, NULL); }
void CString::TrimLeft(LPCTSTR lpszTargets) { TrimStart(*this, TrimKind::CharSet, '\0', lpszTargets); }

// Searching

int CString::Find(TCHAR ch) const
{
    return Find(ch, 0);
}

int CString::Find(TCHAR ch, int nStart) const
{
    int length = GetLength();
    if (nStart < 0)
        nStart = 0;
    if (nStart >= length)
        return -1;
    for (int i = 0; i < length;) {
        int size = CharSize(m_pchData, i, length);
        if (i >= nStart && IsSingle(m_pchData, i, size, ch))
            return i;
        i += size;
    }
    return -1;
}

int CString::Find(LPCTSTR lpszSub) const
{
    return Find(lpszSub, 0);
}

// Matches start on a character boundary only.
int CString::Find(LPCTSTR lpszSub, int nStart) const
{
    int length = GetLength();
    int subLength = SafeStrlen(lpszSub);
    if (nStart < 0)
        nStart = 0;
    if (nStart > length)
        return -1;
    for (int i = 0; i <= length;) {
        if (i >= nStart && i + subLength <= length &&
            memcmp(m_pchData + i, lpszSub, subLength) == 0)
            return i;
        if (i == length)
            break;
        i += CharSize(m_pchData, i, length);
    }
    return -1;
}

int CString::ReverseFind(TCHAR ch) const
{
    int length = GetLength();
    int found = -1;
    for (int i = 0; i < length;) {
        int size = CharSize(m_pchData, i, length);
        if (IsSingle(m_pchData, i, size, ch))
            found = i;
        i += size;
    }
    return found;
}

int CString::FindOneOf(LPCTSTR lpszCharSet) const
{
    int length = GetLength();
    for (int i = 0; i < length;) {
        int size = CharSize(m_pchData, i, length);
        if (InSet(lpszCharSet, m_pchData + i, size))
            return i;
        i += size;
    }
    return -1;
}

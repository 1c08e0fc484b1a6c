#include "afx.h"

#include <string.h>

#include <exception>
#include <string>
#include <unordered_map>
#include <vector>

namespace {

// Tags of object references.
const WORD wNullTag = 0;
const WORD wNewClassTag = 0xFFFF;
const WORD wClassTag = 0x8000;
const DWORD dwBigClassTag = 0x80000000;
const WORD wBigObjectTag = 0x7FFF;
const DWORD nMaxMapCount = 0x3FFFFFFE;

// Objects read inside one another. Real files nest a few levels; a damaged
// one could nest until the stack runs out.
const UINT nMaxLoadDepth = 1000;

// Shortest buffer that still holds any number in one piece.
const int nMinBufSize = 128;

CString ArchiveName(const CFile* pFile)
{
    return pFile != NULL ? pFile->GetFilePath() : CString();
}

}  // namespace

// Storing: the index of every class and object written. Loading: what every
// index stands for, and the stored schemas of versionable classes that differ
// from the program's.
struct CArchive::Maps {
    struct Entry {
        void* p;
        bool bClass;
    };
    std::vector<Entry> load;
    std::unordered_map<const void*, DWORD> store;
    std::unordered_map<const CRuntimeClass*, UINT> schemas;
};

CArchive::CArchive(CFile* pFile, UINT nMode, int nBufSize, void* lpBuf)
    : m_pDocument(NULL),
      m_nMode(nMode),
      m_bUserBuf(FALSE),
      m_nBufSize(nBufSize),
      m_pFile(pFile),
      m_lpBufCur(NULL),
      m_lpBufMax(NULL),
      m_lpBufStart(NULL),
      m_nObjectSchema((UINT)-1),
      m_nMapCount(1),
      m_pMaps(new Maps),
      m_nLoadDepth(0)
{
    if (lpBuf != NULL && nBufSize >= nMinBufSize) {
        m_bUserBuf = TRUE;
        m_lpBufStart = static_cast<BYTE*>(lpBuf);
    } else {
        if (m_nBufSize < nMinBufSize)
            m_nBufSize = nMinBufSize;
        m_lpBufStart = new BYTE[m_nBufSize];
    }
    m_lpBufCur = m_lpBufStart;
    m_lpBufMax = IsLoading() ? m_lpBufStart : m_lpBufStart + m_nBufSize;
    m_pMaps->load.push_back(Maps::Entry{NULL, false});  // index 0: the null object
}

CArchive::~CArchive() noexcept(false)
{
    if (m_pFile != NULL && !(m_nMode & bNoFlushOnDelete)) {
        if (std::uncaught_exceptions() > 0) {
            // Already failing: the first error is the one to report.
            try {
                Close();
            } catch (CException* e) {
                e->Delete();
            } catch (...) {
            }
        } else {
            try {
                Close();
            } catch (...) {
                Abort();
                throw;
            }
        }
    }
    Abort();
}

void CArchive::Abort()
{
    delete m_pMaps;
    m_pMaps = NULL;
    if (!m_bUserBuf)
        delete[] m_lpBufStart;
    m_lpBufStart = m_lpBufCur = m_lpBufMax = NULL;
    m_pFile = NULL;
}

void CArchive::Close()
{
    Flush();
    m_pFile = NULL;
}

void CArchive::Flush()
{
    if (m_pFile == NULL)
        return;
    if (IsLoading()) {
        // Give back what was buffered but not read, so that the file's
        // position is where the archive stopped.
        if (m_lpBufMax != m_lpBufCur)
            m_pFile->Seek(-(LONG)(m_lpBufMax - m_lpBufCur), CFile::current);
        m_lpBufCur = m_lpBufMax = m_lpBufStart;
    } else {
        if (m_lpBufCur != m_lpBufStart)
            m_pFile->Write(m_lpBufStart, (UINT)(m_lpBufCur - m_lpBufStart));
        m_lpBufCur = m_lpBufStart;
    }
}

void CArchive::ThrowException(int cause)
{
    AfxThrowArchiveException(cause, ArchiveName(m_pFile));
}

UINT CArchive::GetObjectSchema()
{
    UINT nResult = m_nObjectSchema;
    m_nObjectSchema = (UINT)-1;
    return nResult;
}

ULONGLONG CArchive::GetBytesRemaining()
{
    ULONGLONG nBuffered = (ULONGLONG)(m_lpBufMax - m_lpBufCur);
    try {
        ULONGLONG nLength = m_pFile->GetLength();
        ULONGLONG nPosition = m_pFile->GetPosition();
        return nBuffered + (nLength > nPosition ? nLength - nPosition : 0);
    } catch (CException* e) {
        e->Delete();
        return (ULONGLONG)-1;
    }
}

// Buffer

void CArchive::FillBuffer(UINT nBytesNeeded)
{
    // Keep the unread bytes and read behind them until there are enough.
    UINT nUnread = (UINT)(m_lpBufMax - m_lpBufCur);
    if (nUnread != 0 && m_lpBufCur != m_lpBufStart)
        memmove(m_lpBufStart, m_lpBufCur, nUnread);
    m_lpBufCur = m_lpBufStart;
    m_lpBufMax = m_lpBufStart + nUnread;
    while ((UINT)(m_lpBufMax - m_lpBufCur) < nBytesNeeded) {
        UINT nRoom = (UINT)(m_lpBufStart + m_nBufSize - m_lpBufMax);
        UINT nRead = m_pFile->Read(m_lpBufMax, nRoom);
        if (nRead == 0)
            ThrowException(CArchiveException::endOfFile);
        m_lpBufMax += nRead;
    }
}

void CArchive::EnsureReadable(UINT nBytes)
{
    if (IsStoring())
        ThrowException(CArchiveException::writeOnly);
    if ((UINT)(m_lpBufMax - m_lpBufCur) < nBytes)
        FillBuffer(nBytes);
}

void CArchive::EnsureWritable(UINT nBytes)
{
    if (IsLoading())
        ThrowException(CArchiveException::readOnly);
    if ((UINT)(m_lpBufMax - m_lpBufCur) < nBytes)
        Flush();
}

UINT CArchive::Read(void* lpBuf, UINT nMax)
{
    if (nMax == 0)
        return 0;
    if (IsStoring())
        ThrowException(CArchiveException::writeOnly);
    BYTE* pOut = static_cast<BYTE*>(lpBuf);
    UINT nLeft = nMax;
    while (nLeft > 0) {
        UINT nBuffered = (UINT)(m_lpBufMax - m_lpBufCur);
        if (nBuffered == 0) {
            if (nLeft >= (UINT)m_nBufSize) {
                // Large blocks go straight from the file.
                UINT nRead = m_pFile->Read(pOut, nLeft);
                if (nRead == 0)
                    break;
                pOut += nRead;
                nLeft -= nRead;
                continue;
            }
            m_lpBufCur = m_lpBufStart;
            m_lpBufMax = m_lpBufStart + m_pFile->Read(m_lpBufStart, (UINT)m_nBufSize);
            nBuffered = (UINT)(m_lpBufMax - m_lpBufCur);
            if (nBuffered == 0)
                break;
        }
        UINT nCopy = nLeft < nBuffered ? nLeft : nBuffered;
        memcpy(pOut, m_lpBufCur, nCopy);
        m_lpBufCur += nCopy;
        pOut += nCopy;
        nLeft -= nCopy;
    }
    return nMax - nLeft;
}

void CArchive::Write(const void* lpBuf, UINT nMax)
{
    if (nMax == 0)
        return;
    if (IsLoading())
        ThrowException(CArchiveException::readOnly);
    const BYTE* pIn = static_cast<const BYTE*>(lpBuf);
    UINT nRoom = (UINT)(m_lpBufMax - m_lpBufCur);
    UINT nCopy = nMax < nRoom ? nMax : nRoom;
    memcpy(m_lpBufCur, pIn, nCopy);
    m_lpBufCur += nCopy;
    pIn += nCopy;
    nMax -= nCopy;
    if (nMax == 0)
        return;
    Flush();
    // Whole buffers' worth go straight to the file, the rest to the buffer.
    UINT nDirect = nMax - nMax % (UINT)m_nBufSize;
    if (nDirect != 0) {
        m_pFile->Write(pIn, nDirect);
        pIn += nDirect;
        nMax -= nDirect;
    }
    memcpy(m_lpBufCur, pIn, nMax);
    m_lpBufCur += nMax;
}

// Numbers

namespace {

template <typename T>
void PutLittleEndian(BYTE* p, T value)
{
    for (size_t i = 0; i < sizeof(T); ++i)
        p[i] = (BYTE)((unsigned long long)value >> (8 * i));
}

template <typename T>
T GetLittleEndian(const BYTE* p)
{
    unsigned long long value = 0;
    for (size_t i = 0; i < sizeof(T); ++i)
        value |= (unsigned long long)p[i] << (8 * i);
    return (T)value;
}

}  // namespace

CArchive& CArchive::operator<<(BYTE by)
{
    EnsureWritable(1);
    *m_lpBufCur++ = by;
    return *this;
}

CArchive& CArchive::operator<<(WORD w)
{
    EnsureWritable(2);
    PutLittleEndian(m_lpBufCur, w);
    m_lpBufCur += 2;
    return *this;
}

CArchive& CArchive::operator<<(DWORD dw)
{
    EnsureWritable(4);
    PutLittleEndian(m_lpBufCur, dw);
    m_lpBufCur += 4;
    return *this;
}

CArchive& CArchive::operator<<(LONG l) { return *this << (DWORD)l; }
CArchive& CArchive::operator<<(int i) { return *this << (DWORD)i; }
CArchive& CArchive::operator<<(unsigned u) { return *this << (DWORD)u; }
CArchive& CArchive::operator<<(short w) { return *this << (WORD)w; }
CArchive& CArchive::operator<<(char ch) { return *this << (BYTE)ch; }

CArchive& CArchive::operator<<(float f)
{
    DWORD dw;
    memcpy(&dw, &f, sizeof dw);
    return *this << dw;
}

CArchive& CArchive::operator<<(double d)
{
    unsigned long long q;
    memcpy(&q, &d, sizeof q);
    EnsureWritable(8);
    PutLittleEndian(m_lpBufCur, q);
    m_lpBufCur += 8;
    return *this;
}

CArchive& CArchive::operator>>(BYTE& by)
{
    EnsureReadable(1);
    by = *m_lpBufCur++;
    return *this;
}

CArchive& CArchive::operator>>(WORD& w)
{
    EnsureReadable(2);
    w = GetLittleEndian<WORD>(m_lpBufCur);
    m_lpBufCur += 2;
    return *this;
}

CArchive& CArchive::operator>>(DWORD& dw)
{
    EnsureReadable(4);
    dw = GetLittleEndian<DWORD>(m_lpBufCur);
    m_lpBufCur += 4;
    return *this;
}

CArchive& CArchive::operator>>(LONG& l)
{
    DWORD dw;
    *this >> dw;
    l = (LONG)dw;
    return *this;
}

CArchive& CArchive::operator>>(int& i)
{
    DWORD dw;
    *this >> dw;
    i = (int)dw;
    return *this;
}

CArchive& CArchive::operator>>(unsigned& u)
{
    DWORD dw;
    *this >> dw;
    u = (unsigned)dw;
    return *this;
}

CArchive& CArchive::operator>>(short& w)
{
    WORD word;
    *this >> word;
    w = (short)word;
    return *this;
}

CArchive& CArchive::operator>>(char& ch)
{
    BYTE by;
    *this >> by;
    ch = (char)by;
    return *this;
}

CArchive& CArchive::operator>>(float& f)
{
    DWORD dw;
    *this >> dw;
    memcpy(&f, &dw, sizeof f);
    return *this;
}

CArchive& CArchive::operator>>(double& d)
{
    EnsureReadable(8);
    unsigned long long q = GetLittleEndian<unsigned long long>(m_lpBufCur);
    m_lpBufCur += 8;
    memcpy(&d, &q, sizeof d);
    return *this;
}

// Counts

void CArchive::WriteCount(DWORD dwCount)
{
    if (dwCount < 0xFFFF) {
        *this << (WORD)dwCount;
    } else {
        *this << (WORD)0xFFFF;
        *this << dwCount;
    }
}

DWORD CArchive::ReadCount()
{
    WORD wCount;
    *this >> wCount;
    DWORD dwCount = wCount;
    if (wCount == 0xFFFF)
        *this >> dwCount;
    // Every element takes at least a byte: a larger count is a damaged file,
    // and the caller must not allocate for it.
    ULONGLONG nRemaining = GetBytesRemaining();
    if (nRemaining != (ULONGLONG)-1 && dwCount > nRemaining)
        ThrowException(CArchiveException::endOfFile);
    return dwCount;
}

// Text lines

void CArchive::WriteString(LPCTSTR lpsz)
{
    if (lpsz != NULL)
        Write(lpsz, (UINT)strlen(lpsz));
}

LPTSTR CArchive::ReadString(LPTSTR lpsz, UINT nMax)
{
    UINT nRead = 0;
    bool bAny = false;
    while (nRead < nMax) {
        char ch;
        if (Read(&ch, 1) == 0)
            break;
        bAny = true;
        if (ch == '\n')
            break;
        lpsz[nRead++] = ch;
    }
    if (!bAny)
        return NULL;
    if (nRead > 0 && lpsz[nRead - 1] == '\r')
        --nRead;
    lpsz[nRead] = '\0';
    return lpsz;
}

BOOL CArchive::ReadString(CString& rString)
{
    std::string line;
    bool bAny = false;
    char ch;
    while (Read(&ch, 1) != 0) {
        bAny = true;
        if (ch == '\n')
            break;
        line += ch;
    }
    if (!line.empty() && line.back() == '\r')
        line.pop_back();
    rString = CString(line.data(), (int)line.size());
    return bAny ? TRUE : FALSE;
}

// Objects and classes

void CArchive::CheckCount()
{
    if (m_nMapCount >= nMaxMapCount)
        ThrowException(CArchiveException::badIndex);
}

void CArchive::WriteTag(DWORD nIndex, DWORD dwFlag)
{
    if (nIndex < wBigObjectTag) {
        *this << (WORD)(nIndex | (dwFlag != 0 ? wClassTag : 0));
    } else {
        *this << wBigObjectTag;
        *this << (DWORD)(nIndex | dwFlag);
    }
}

void CArchive::WriteClass(const CRuntimeClass* pClassRef)
{
    if (IsLoading())
        ThrowException(CArchiveException::readOnly);
    if (pClassRef->m_wSchema == 0xFFFF) {
        TRACE("Cannot write an object of %s: not DECLARE_SERIAL\n", pClassRef->m_lpszClassName);
        AfxThrowNotSupportedException();
    }
    auto found = m_pMaps->store.find(pClassRef);
    if (found != m_pMaps->store.end()) {
        WriteTag(found->second, dwBigClassTag);
        return;
    }
    *this << wNewClassTag;
    pClassRef->Store(*this);
    CheckCount();
    m_pMaps->store[pClassRef] = m_nMapCount++;
}

void CArchive::WriteObject(const CObject* pOb)
{
    if (IsLoading())
        ThrowException(CArchiveException::readOnly);
    if (pOb == NULL) {
        *this << wNullTag;
        return;
    }
    auto found = m_pMaps->store.find(pOb);
    if (found != m_pMaps->store.end()) {
        WriteTag(found->second, 0);
        return;
    }
    WriteClass(pOb->GetRuntimeClass());
    CheckCount();
    m_pMaps->store[pOb] = m_nMapCount++;
    const_cast<CObject*>(pOb)->Serialize(*this);
}

CRuntimeClass* CArchive::ReadClass(const CRuntimeClass* pClassRefRequested, UINT* pSchema, DWORD* pObTag)
{
    if (IsStoring())
        ThrowException(CArchiveException::writeOnly);
    WORD wTag;
    *this >> wTag;
    DWORD obTag;
    if (wTag == wBigObjectTag)
        *this >> obTag;
    else
        obTag = ((DWORD)(wTag & wClassTag) << 16) | (wTag & ~wClassTag);

    CRuntimeClass* pClassRef;
    UINT nSchema;
    if (wTag == wNewClassTag) {
        pClassRef = CRuntimeClass::Load(*this, &nSchema);
        if (pClassRef == NULL)
            ThrowException(CArchiveException::badClass);
        if ((pClassRef->m_wSchema & ~VERSIONABLE_SCHEMA) != nSchema) {
            if (!(pClassRef->m_wSchema & VERSIONABLE_SCHEMA))
                ThrowException(CArchiveException::badSchema);
            m_pMaps->schemas[pClassRef] = nSchema;
        }
        CheckCount();
        m_pMaps->load.push_back(Maps::Entry{pClassRef, true});
        ++m_nMapCount;
    } else if (!(obTag & dwBigClassTag)) {
        // A reference to an object, where only a class may stand.
        if (pObTag == NULL)
            ThrowException(CArchiveException::badIndex);
        *pObTag = obTag;
        return NULL;
    } else {
        DWORD nClassIndex = obTag & ~dwBigClassTag;
        if (nClassIndex == 0 || nClassIndex >= m_pMaps->load.size() || !m_pMaps->load[nClassIndex].bClass)
            ThrowException(CArchiveException::badIndex);
        pClassRef = static_cast<CRuntimeClass*>(m_pMaps->load[nClassIndex].p);
        auto stored = m_pMaps->schemas.find(pClassRef);
        nSchema = stored != m_pMaps->schemas.end() ? stored->second : (pClassRef->m_wSchema & ~VERSIONABLE_SCHEMA);
    }

    if (pClassRefRequested != NULL && !pClassRef->IsDerivedFrom(pClassRefRequested))
        ThrowException(CArchiveException::badClass);
    if (pSchema != NULL)
        *pSchema = nSchema;
    else
        m_nObjectSchema = nSchema;
    if (pObTag != NULL)
        *pObTag = obTag;
    return pClassRef;
}

CObject* CArchive::ReadObject(const CRuntimeClass* pClassRefRequested)
{
    UINT nSchema;
    DWORD obTag;
    CRuntimeClass* pClassRef = ReadClass(pClassRefRequested, &nSchema, &obTag);
    if (pClassRef == NULL) {
        if (obTag >= m_pMaps->load.size() || m_pMaps->load[obTag].bClass)
            ThrowException(CArchiveException::badIndex);
        CObject* pOb = static_cast<CObject*>(m_pMaps->load[obTag].p);
        if (pOb != NULL && pClassRefRequested != NULL && !pOb->IsKindOf(pClassRefRequested))
            ThrowException(CArchiveException::badClass);
        return pOb;
    }

    // Only serializable classes may be created from a file.
    if (pClassRef->m_pfnCreateObject == NULL || pClassRef->m_wSchema == 0xFFFF)
        ThrowException(CArchiveException::badClass);
    CObject* pOb = pClassRef->CreateObject();
    if (pOb == NULL)
        AfxThrowMemoryException();
    // Mapped before its fields are read, so that they may refer back to it.
    CheckCount();
    m_pMaps->load.push_back(Maps::Entry{pOb, false});
    ++m_nMapCount;
    if (m_nLoadDepth >= nMaxLoadDepth)
        ThrowException(CArchiveException::generic);
    UINT nSchemaSave = m_nObjectSchema;
    m_nObjectSchema = nSchema;
    ++m_nLoadDepth;
    try {
        pOb->Serialize(*this);
    } catch (...) {
        --m_nLoadDepth;
        throw;
    }
    --m_nLoadDepth;
    m_nObjectSchema = nSchemaSave;
    return pOb;
}

void CArchive::SerializeClass(const CRuntimeClass* pClassRef)
{
    if (IsStoring())
        WriteClass(pClassRef);
    else
        ReadClass(pClassRef);
}

void CArchive::MapObject(const CObject* pOb)
{
    CheckCount();
    if (IsStoring()) {
        if (pOb != NULL)
            m_pMaps->store[pOb] = m_nMapCount++;
    } else {
        m_pMaps->load.push_back(Maps::Entry{const_cast<CObject*>(pOb), false});
        ++m_nMapCount;
    }
}

CObject* AFXAPI AfxReadObjectOfClass(CArchive& ar, const CRuntimeClass* pClass)
{
    return ar.ReadObject(pClass);
}

// Class tags

void CRuntimeClass::Store(CArchive& ar) const
{
    WORD nLen = (WORD)strlen(m_lpszClassName);
    ar << (WORD)m_wSchema;
    ar << nLen;
    ar.Write(m_lpszClassName, nLen);
}

CRuntimeClass* PASCAL CRuntimeClass::Load(CArchive& ar, UINT* pwSchemaNum)
{
    WORD wSchema;
    WORD nLen;
    ar >> wSchema;
    ar >> nLen;
    // No class name is this long: the tag is damaged.
    char szClassName[64];
    if (nLen >= sizeof szClassName)
        return NULL;
    if (ar.Read(szClassName, nLen) != nLen)
        AfxThrowArchiveException(CArchiveException::endOfFile, ArchiveName(ar.GetFile()));
    szClassName[nLen] = '\0';
    *pwSchemaNum = wSchema;
    return FromName(szClassName);
}

// Strings and times

CArchive& AFXAPI operator<<(CArchive& ar, const CString& string)
{
    DWORD nLen = (DWORD)string.GetLength();
    if (nLen < 255) {
        ar << (BYTE)nLen;
    } else if (nLen < 0xFFFE) {
        ar << (BYTE)0xFF;
        ar << (WORD)nLen;
    } else {
        ar << (BYTE)0xFF;
        ar << (WORD)0xFFFF;
        ar << nLen;
    }
    ar.Write((LPCTSTR)string, nLen);
    return ar;
}

namespace {

// The length prefix; bWide when it announced a UTF-16 string.
DWORD ReadStringLength(CArchive& ar, bool& bWide)
{
    bWide = false;
    BYTE bLen;
    ar >> bLen;
    if (bLen < 0xFF)
        return bLen;
    WORD wLen;
    ar >> wLen;
    if (wLen == 0xFFFE) {
        bWide = true;
        ar >> bLen;
        if (bLen < 0xFF)
            return bLen;
        ar >> wLen;
        if (wLen == 0xFFFE)
            AfxThrowArchiveException(CArchiveException::generic, ArchiveName(ar.GetFile()));
    }
    if (wLen < 0xFFFF)
        return wLen;
    DWORD dwLen;
    ar >> dwLen;
    return dwLen;
}

// Reads nBytes or raises endOfFile. A damaged length cannot make it allocate
// much more than the file holds: large strings grow with what is actually read.
void ReadBlock(CArchive& ar, ULONGLONG nBytes, std::vector<char>& data)
{
    const ULONGLONG nChunk = 1 << 20;
    data.clear();
    while (nBytes > 0) {
        UINT nPiece = (UINT)(nBytes < nChunk ? nBytes : nChunk);
        size_t nOld = data.size();
        data.resize(nOld + nPiece);
        if (ar.Read(data.data() + nOld, nPiece) != nPiece)
            AfxThrowArchiveException(CArchiveException::endOfFile, ArchiveName(ar.GetFile()));
        nBytes -= nPiece;
    }
}

}  // namespace

CArchive& AFXAPI operator>>(CArchive& ar, CString& string)
{
    bool bWide;
    DWORD nLen = ReadStringLength(ar, bWide);
    if (nLen > 0x7FFFFFFE)
        AfxThrowArchiveException(CArchiveException::endOfFile, ArchiveName(ar.GetFile()));
    std::vector<char> data;
    ReadBlock(ar, bWide ? (ULONGLONG)nLen * 2 : nLen, data);
    if (nLen == 0) {
        string.Empty();
        return ar;
    }
    if (!bWide) {
        string = CString(data.data(), (int)data.size());
        return ar;
    }
    std::vector<WCHAR> wide(nLen);
    memcpy(wide.data(), data.data(), data.size());
    string = CString(wide.data(), (int)nLen);
    return ar;
}

CArchive& AFXAPI operator<<(CArchive& ar, const CTime& time)
{
    return ar << (DWORD)(LONG)time.GetTime();
}

CArchive& AFXAPI operator>>(CArchive& ar, CTime& rtime)
{
    DWORD dw;
    ar >> dw;
    rtime = CTime((time_t)(LONG)dw);
    return ar;
}

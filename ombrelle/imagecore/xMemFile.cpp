#include "xMemFile.h"

#include <cstdlib>
#include <cstring>
#include <limits>
#include <utility>

namespace {

const std::int64_t kMaxBytes = std::numeric_limits<std::int32_t>::max();
const std::int64_t kGrowthStep = 4096;

}  // namespace

CxMemFile::CxMemFile(unsigned char* buffer, std::uint32_t length)
    : m_pBuffer(buffer), m_nSize(0), m_bOwnsBuffer(buffer == nullptr), m_nPosition(0), m_nCapacity(0)
{
    if (buffer != nullptr)
        m_nSize = m_nCapacity = static_cast<std::int32_t>(length < kMaxBytes ? length : kMaxBytes);
}

CxMemFile::CxMemFile(const CxMemFile& other)
    : CxFile(other), m_pBuffer(nullptr), m_nSize(0), m_bOwnsBuffer(1), m_nPosition(0), m_nCapacity(0)
{
    if (other.m_pBuffer == nullptr)
        return;
    // malloc(0) may give null: a block of at least one byte.
    m_pBuffer = static_cast<unsigned char*>(std::malloc(other.m_nCapacity > 0 ? other.m_nCapacity : 1));
    if (m_pBuffer == nullptr)
        return;
    if (other.m_nSize > 0)
        std::memcpy(m_pBuffer, other.m_pBuffer, other.m_nSize);
    m_nSize = other.m_nSize;
    m_nPosition = other.m_nPosition;
    m_nCapacity = other.m_nCapacity;
}

CxMemFile& CxMemFile::operator=(const CxMemFile& other)
{
    if (this != &other) {
        CxMemFile copy(other);
        std::swap(m_pBuffer, copy.m_pBuffer);
        std::swap(m_nSize, copy.m_nSize);
        std::swap(m_bOwnsBuffer, copy.m_bOwnsBuffer);
        std::swap(m_nPosition, copy.m_nPosition);
        std::swap(m_nCapacity, copy.m_nCapacity);
    }
    return *this;
}

CxMemFile::~CxMemFile()
{
    Close();
}

bool CxMemFile::Open()
{
    if (m_pBuffer != nullptr)
        return false;
    m_nSize = m_nPosition = m_nCapacity = 0;
    m_pBuffer = static_cast<unsigned char*>(std::malloc(0));
    m_bOwnsBuffer = 1;
    return m_pBuffer != nullptr;
}

unsigned char* CxMemFile::GetBuffer()
{
    m_bOwnsBuffer = 0;
    return m_pBuffer;
}

bool CxMemFile::Close()
{
    if (m_pBuffer != nullptr && m_bOwnsBuffer)
        std::free(m_pBuffer);
    m_pBuffer = nullptr;
    m_nSize = m_nPosition = m_nCapacity = 0;
    return true;
}

std::size_t CxMemFile::Read(void* buffer, std::size_t size, std::size_t count)
{
    if (m_pBuffer == nullptr || buffer == nullptr || m_nPosition > m_nSize || size == 0 || count == 0 ||
        count > std::numeric_limits<std::size_t>::max() / size)
        return 0;
    std::size_t n = size * count;
    const std::size_t left = static_cast<std::size_t>(m_nSize - m_nPosition);
    if (n > left)
        n = left;
    if (n > 0)
        std::memcpy(buffer, m_pBuffer + m_nPosition, n);
    m_nPosition += static_cast<std::int32_t>(n);
    return n / size;
}

std::size_t CxMemFile::Write(const void* buffer, std::size_t size, std::size_t count)
{
    if (m_pBuffer == nullptr || buffer == nullptr || size == 0 || count == 0 ||
        count > std::numeric_limits<std::size_t>::max() / size)
        return 0;
    const std::size_t n = size * count;
    if (!PrepareWrite(n))
        return 0;
    std::memcpy(m_pBuffer + m_nPosition, buffer, n);
    m_nPosition += static_cast<std::int32_t>(n);
    if (m_nPosition > m_nSize)
        m_nSize = m_nPosition;
    return count;
}

bool CxMemFile::Seek(long offset, int origin)
{
    if (m_pBuffer == nullptr)
        return false;
    std::int64_t position;
    switch (origin) {
    case 0: position = offset; break;
    case 1: position = std::int64_t(m_nPosition) + offset; break;
    case 2: position = std::int64_t(m_nSize) + offset; break;
    default: return false;
    }
    if (position < 0 || position > kMaxBytes)
        return false;
    m_nPosition = static_cast<std::int32_t>(position);
    return true;
}

long CxMemFile::Tell()
{
    return m_pBuffer != nullptr ? m_nPosition : -1;
}

long CxMemFile::Size()
{
    return m_pBuffer != nullptr ? m_nSize : -1;
}

bool CxMemFile::Flush()
{
    return m_pBuffer != nullptr;
}

bool CxMemFile::Eof()
{
    return m_pBuffer == nullptr || m_nPosition >= m_nSize;
}

long CxMemFile::Error()
{
    if (m_pBuffer == nullptr)
        return -1;
    return m_nPosition > m_nSize ? 1 : 0;
}

bool CxMemFile::PutC(unsigned char c)
{
    if (m_pBuffer == nullptr || !PrepareWrite(1))
        return false;
    m_pBuffer[m_nPosition++] = c;
    if (m_nPosition > m_nSize)
        m_nSize = m_nPosition;
    return true;
}

long CxMemFile::GetC()
{
    if (Eof())
        return -1;
    return m_pBuffer[m_nPosition++];
}

bool CxMemFile::PrepareWrite(std::size_t count)
{
    if (count > static_cast<std::size_t>(kMaxBytes) || !Grow(m_nPosition + static_cast<std::int64_t>(count)))
        return false;
    if (m_nPosition > m_nSize)
        std::memset(m_pBuffer + m_nSize, 0, static_cast<std::size_t>(m_nPosition - m_nSize));
    return true;
}

bool CxMemFile::Grow(std::int64_t required)
{
    if (required <= m_nCapacity)
        return true;
    const std::int64_t capacity = m_nCapacity + (required - m_nCapacity + kGrowthStep - 1) / kGrowthStep * kGrowthStep;
    if (capacity > kMaxBytes)
        return false;
    unsigned char* buffer;
    if (m_bOwnsBuffer) {
        buffer = static_cast<unsigned char*>(std::realloc(m_pBuffer, static_cast<std::size_t>(capacity)));
    } else {
        // Never realloc a block the object does not own: the first growth
        // moves the valid bytes into a block of its own.
        buffer = static_cast<unsigned char*>(std::malloc(static_cast<std::size_t>(capacity)));
        if (buffer != nullptr && m_nSize > 0)
            std::memcpy(buffer, m_pBuffer, static_cast<std::size_t>(m_nSize));
    }
    if (buffer == nullptr)
        return false;
    m_pBuffer = buffer;
    m_bOwnsBuffer = 1;
    m_nCapacity = static_cast<std::int32_t>(capacity);
    return true;
}

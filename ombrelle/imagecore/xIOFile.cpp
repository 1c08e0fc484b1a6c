#include "xIOFile.h"

CxIOFile::CxIOFile(std::FILE* fp) : m_fp(fp), m_bCloseFile(fp == nullptr) {}

// Copying the owning flag as well would close the stream twice.
CxIOFile::CxIOFile(const CxIOFile& other) : CxFile(other), m_fp(other.m_fp), m_bCloseFile(other.m_fp == nullptr) {}

CxIOFile& CxIOFile::operator=(const CxIOFile& other)
{
    if (this != &other) {
        Close();
        m_fp = other.m_fp;
        m_bCloseFile = other.m_fp == nullptr;
    }
    return *this;
}

CxIOFile::~CxIOFile()
{
    Close();
}

bool CxIOFile::Open(const char* path, const char* mode)
{
    if (m_fp != nullptr)
        return false;
    m_fp = std::fopen(path, mode);
    if (m_fp == nullptr)
        return false;
    m_bCloseFile = 1;
    return true;
}

bool CxIOFile::Close()
{
    if (m_fp == nullptr || !m_bCloseFile)
        return true;
    const int result = std::fclose(m_fp);
    m_fp = nullptr;
    return result == 0;
}

std::size_t CxIOFile::Read(void* buffer, std::size_t size, std::size_t count)
{
    return m_fp != nullptr ? std::fread(buffer, size, count, m_fp) : 0;
}

std::size_t CxIOFile::Write(const void* buffer, std::size_t size, std::size_t count)
{
    return m_fp != nullptr ? std::fwrite(buffer, size, count, m_fp) : 0;
}

bool CxIOFile::Seek(long offset, int origin)
{
    return m_fp != nullptr && std::fseek(m_fp, offset, origin) == 0;
}

long CxIOFile::Tell()
{
    return m_fp != nullptr ? std::ftell(m_fp) : 0;
}

long CxIOFile::Size()
{
    if (m_fp == nullptr)
        return -1;
    const long position = std::ftell(m_fp);
    std::fseek(m_fp, 0, SEEK_END);
    const long size = std::ftell(m_fp);
    std::fseek(m_fp, position, SEEK_SET);
    return size;
}

bool CxIOFile::Flush()
{
    return m_fp != nullptr && std::fflush(m_fp) == 0;
}

bool CxIOFile::Eof()
{
    return m_fp == nullptr || std::feof(m_fp) != 0;
}

long CxIOFile::Error()
{
    return m_fp != nullptr ? std::ferror(m_fp) : -1;
}

bool CxIOFile::PutC(unsigned char c)
{
    return m_fp != nullptr && std::fputc(c, m_fp) == c;
}

long CxIOFile::GetC()
{
    return m_fp != nullptr ? std::getc(m_fp) : -1;
}

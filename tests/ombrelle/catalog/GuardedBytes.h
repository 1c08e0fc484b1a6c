// A copy of a file's bytes that a read past its end cannot pass unseen.
// Under Windows the copy ends where a page that may not be read begins, so
// such a read stops the test program; on the host the copy is an exact-size
// heap block, whose end AddressSanitizer guards.
#pragma once

#include "IptcParser.h"

#include <cstdint>
#include <cstring>
#include <string>

#ifdef _WIN32
#include <windows.h>
#else
#include <memory>
#endif

class GuardedBytes {
public:
    explicit GuardedBytes(const std::string& bytes) : m_size(bytes.size())
    {
#ifdef _WIN32
        SYSTEM_INFO info;
        ::GetSystemInfo(&info);
        m_page = info.dwPageSize;
        m_readable = ((bytes.size() + m_page - 1) / m_page) * m_page;
        m_base = static_cast<std::uint8_t*>(
            ::VirtualAlloc(nullptr, m_readable + m_page, MEM_RESERVE | MEM_COMMIT, PAGE_READWRITE));
        DWORD old = 0;
        ::VirtualProtect(m_base + m_readable, m_page, PAGE_NOACCESS, &old);
        m_data = m_base + m_readable - bytes.size();
#else
        m_copy.reset(new std::uint8_t[bytes.size()]);
        m_data = m_copy.get();
#endif
        if (!bytes.empty())
            std::memcpy(m_data, bytes.data(), bytes.size());
    }
#ifdef _WIN32
    ~GuardedBytes() { ::VirtualFree(m_base, 0, MEM_RELEASE); }
#endif
    GuardedBytes(const GuardedBytes&) = delete;
    GuardedBytes& operator=(const GuardedBytes&) = delete;

    iptc::Buffer Buffer() const { return iptc::Buffer(m_data, m_size); }

private:
    std::uint8_t* m_data = nullptr;
    std::size_t m_size = 0;
#ifdef _WIN32
    std::uint8_t* m_base = nullptr;
    std::size_t m_page = 0;
    std::size_t m_readable = 0;
#else
    std::unique_ptr<std::uint8_t[]> m_copy;
#endif
};

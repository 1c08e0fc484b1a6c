// A byte stream over a memory buffer that grows on demand, in steps of 4096
// bytes. Every buffer has exactly one owner: a buffer handed in by the caller
// is only borrowed (the first growth moves the bytes into a block of the
// object's own), and a copy of a memory file gets a block of its own.
#pragma once

#include "xFile.h"

#include <cstdint>

class OMBRELLE_API CxMemFile : public CxFile {
public:
    // Over length bytes of the caller's buffer (size and capacity length), or
    // without a buffer until Open.
    explicit CxMemFile(unsigned char* buffer = nullptr, std::uint32_t length = 0);
    CxMemFile(const CxMemFile& other);
    CxMemFile& operator=(const CxMemFile& other);
    ~CxMemFile() override;

    // An empty buffer of the object's own; false when one is already held.
    bool Open();
    // The buffer, which the caller frees (with free) from now on.
    unsigned char* GetBuffer();

    bool Close() override;
    std::size_t Read(void* buffer, std::size_t size, std::size_t count) override;
    std::size_t Write(const void* buffer, std::size_t size, std::size_t count) override;
    bool Seek(long offset, int origin) override;
    long Tell() override;
    long Size() override;
    bool Flush() override;
    bool Eof() override;
    long Error() override;
    bool PutC(unsigned char c) override;
    long GetC() override;

protected:
    // Room for at least required bytes; false (the buffer as it was) when
    // the heap has none or the size would pass 32 bits.
    bool Grow(std::int64_t required);
    // Makes room for count bytes at the position, zero-filling any gap a
    // seek past the end left; false when there is none.
    bool PrepareWrite(std::size_t count);

    unsigned char* m_pBuffer;
    std::int32_t m_nSize;
    unsigned char m_bOwnsBuffer;
    std::int32_t m_nPosition;
    std::int32_t m_nCapacity;
};

// A byte stream over a standard library file stream, either opened by the
// object (and closed by it) or borrowed from the caller (left open).
#pragma once

#include "xFile.h"

#include <cstdio>

class OMBRELLE_API CxIOFile : public CxFile {
public:
    // A caller's stream is borrowed; without one, a later Open owns its stream.
    explicit CxIOFile(std::FILE* fp = nullptr);
    // A copy borrows the stream: only the object that opened it closes it.
    CxIOFile(const CxIOFile& other);
    CxIOFile& operator=(const CxIOFile& other);
    ~CxIOFile() override;

    // False when a stream is already held or fopen fails.
    bool Open(const char* path, const char* mode);

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
    std::FILE* m_fp;
    unsigned char m_bCloseFile;
};

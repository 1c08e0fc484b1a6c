// The byte stream the image classes read and write through, whether the
// bytes lie in a file or in memory. The order of the virtual operations is
// part of the exported interface.
#pragma once

#include "ImageExport.h"

#include <cstddef>

class OMBRELLE_API CxFile {
public:
    CxFile() {}
    CxFile(const CxFile&) {}
    CxFile& operator=(const CxFile&) { return *this; }
    virtual ~CxFile();

    virtual bool Close() = 0;
    // Whole items read or written.
    virtual std::size_t Read(void* buffer, std::size_t size, std::size_t count) = 0;
    virtual std::size_t Write(const void* buffer, std::size_t size, std::size_t count) = 0;
    // origin 0 from the start, 1 from the current position, 2 from the end.
    virtual bool Seek(long offset, int origin) = 0;
    virtual long Tell() = 0;
    virtual long Size() = 0;
    virtual bool Flush() = 0;
    virtual bool Eof() = 0;
    virtual long Error() = 0;
    virtual bool PutC(unsigned char c);
    // The next byte 0..255, or -1.
    virtual long GetC() = 0;
};

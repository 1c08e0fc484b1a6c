// The picture of a native transfer: the packed DIB a data source hands over
// in a global block, checked against the block and written through WIC.
#pragma once

#include <windows.h>

// Where a packed DIB's bits start and how many bytes they take.
struct DibLayout {
    SIZE_T bitsOffset;
    SIZE_T bitsSize;
};

// Measures a packed DIB (header, colour masks, colour table, bits) of
// blockSize bytes: false when its header is not one GDI reads uncompressed
// or run-length encoded, or when the block is smaller than the header says
// it is. The three colour masks of BI_BITFIELDS follow a 40-byte header;
// larger headers (V4, V5) hold them.
bool MeasureDib(const void* block, SIZE_T blockSize, DibLayout& layout);

// Writes such a DIB as a 24-bit picture in the given container format;
// false, and no file left behind, when it was not written.
bool WriteDib(const void* block, SIZE_T blockSize, const char* path, REFGUID container, double xDpi, double yDpi);

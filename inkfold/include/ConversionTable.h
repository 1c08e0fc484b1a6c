// The colour chart "dto.org" and the CMYK conversion table "dto.cvt" made
// from it, without windows: reading the chart's TIFF header, checking that
// the chart can be read into the separation dialog's buffers, the table's
// 212-byte header and the conversion of chart rows into table rows.
#pragma once

#include <cstddef>
#include <cstdint>

#include "InkfoldApi.h"

class CSeparationCore;

// What the chart's first IFD says.
struct INKFOLD_API CTifChartInfo {
    uint16_t width;
    uint16_t height;
    int photometric;       // 1 for colour interpretation 1 or 5
    int threshholding;     // 1 for Threshholding 2
    uint32_t stripOffset;  // the first strip
    int planar;            // 1 for PlanarConfiguration 1 (contiguous)
    uint32_t xResolution[2];
    uint32_t yResolution[2];
    uint16_t samples;
    uint16_t bits;
    int failed;
    int privateTag;        // tag 748 present
    int privateValue;      // its value's low byte
    uint32_t strips[4];
};

enum {
    kChartHeadBytes = 600,        // the chart's IFD must lie within these
    kChartBufferBytes = 630000,   // width * height * 3 must fit
    kCvtHeadBytes = 212,          // header of "dto.cvt"
};

// Reads the IFD from the chart's first bytes (head: at most kChartHeadBytes,
// fewer when the file is shorter; fileBytes: the whole file's size). Every
// entry and every value it points at must lie within head; a compressed
// chart or one whose samples are not all 8 bits fails. Sets info.failed and
// returns false on failure.
INKFOLD_API bool ReadTifChartInfo(const unsigned char* head, size_t headBytes, uint64_t fileBytes,
                                  CTifChartInfo& info);

// True when a chart read by ReadTifChartInfo can be converted: 8 bits per
// sample, 3 or 4 samples (the fourth is skipped), contiguous samples, at
// least one pixel, width * height * 3 within kChartBufferBytes and its pixel
// data within the file.
INKFOLD_API bool IsConvertibleChart(const CTifChartInfo& info, uint64_t fileBytes);

// The header of a table of width x height pixels of samples bytes each.
INKFOLD_API void FillCvtHead(unsigned char head[kCvtHeadBytes], int width, int height, int samples);

// One table row: each chart pixel (r, g, b, then samples - 3 bytes skipped)
// becomes the ink amounts 255 - C, 255 - M, 255 - Y, 255 - K.
INKFOLD_API void ConvertChartRow(const CSeparationCore& model, const unsigned char* chart, int width,
                                 int samples, unsigned char* table);

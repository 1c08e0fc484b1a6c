// What the job view derives from the job model and from thumbnail files:
// plain C++ over texts and bytes (no windows.h).
#pragma once

#include <cstddef>
#include <string>

namespace jobview {

// The "类型" column's name of a job file type code; "UNKNOW" for any code
// outside the table.
const char* FileTypeName(int code);

// The job browser's names of a state (number 1 of pages and originals:
// "None", "New", "Edit", "Finished") and of a type code ("Unknow", "Image",
// "Graphics", "Text"); a code outside the table gets its first name.
const char* BrowseStateName(int code);
const char* BrowseTypeName(int code);

// The thumbnail of an original: <job folder>\bitmaps\<file name without its
// extension>.bmp. The name is the original's path after its last backslash;
// only a "." inside that name starts the extension.
std::string ThumbnailPath(const std::string& jobFolder, const std::string& pureName);

// Where the device-independent bitmap of a thumbnail file lies.
struct ThumbnailDib {
    size_t infoOffset = 0;  // the info header, right after the file header
    size_t bitsOffset = 0;  // the pixel data
};

// True when the bytes are a bitmap file that can be drawn safely: "BM", an
// info header of a known size inside the file, 1, 4, 8, 16, 24 or 32 bits
// per pixel without compression, a width and height of 1 to kMaxThumbnailSide,
// its colour table and every pixel row inside the file.
const int kMaxThumbnailSide = 1024;
bool CheckThumbnail(const unsigned char* data, size_t size, ThumbnailDib& dib);

}  // namespace jobview

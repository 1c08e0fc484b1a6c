// Pictures, file times and a private profile for the thumbnail tests.
#pragma once

#include <windows.h>

#include <string>

namespace thumbtest {

// A 24-bit BMP of the size, every pixel of one colour, at 72 dpi.
bool WriteBmp(const std::string& path, int width, int height, COLORREF colour);
// A JPEG of the size through the system's image codecs.
bool WriteJpeg(const std::string& path, int width, int height, COLORREF colour);
// Sets a file's creation and last-write times, given as local times.
bool SetFileTimes(const std::string& path, const SYSTEMTIME& created, const SYSTEMTIME& modified);
SYSTEMTIME LocalTime(int year, int month, int day, int hour, int minute, int second);

// The name under which the test program keeps its profile: one per process,
// as the tests of this program run side by side.
std::string ProfileName();
// Its registry key below HKEY_CURRENT_USER.
std::string ProfileKey();

}  // namespace thumbtest

// The separation's small text files (parameter files, the ink list) read
// whole.
#pragma once

#include <string>

// The file's bytes, at most the first megabyte: a parameter file or ink
// list is a few kilobytes, and more is not one. False when it cannot be
// opened.
bool ReadTextFile(const char* path, std::string& text);

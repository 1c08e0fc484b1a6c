// The ink list "ink.dat": one record per ink set of the separation dialog's
// list, in the list's order. A record is two tokens (the set's name), then
// the rows C, M and Y, each a label and the 21 dot percentages of the output
// balance, lightest first.
#pragma once

#include <cstddef>

#include "InkfoldApi.h"

class CSeparationCore;

enum { kInkSteps = 21 };

// Reads the record at index (0 is the first). False when the text holds no
// such record, or a row of it (or of a record before it) is short, has a
// value that is not a number or lies outside 0..100; rows is then unchanged.
// The M and Y rows may carry up to three values more, which are skipped.
INKFOLD_API bool ReadInkRecord(const char* text, size_t length, int index, int rows[3][kInkSteps]);

enum { kInkListRead, kInkListNotOpened, kInkListBadRecord };

// ReadInkRecord on the file at path: kInkListRead, or why not.
INKFOLD_API int ReadInkListFile(const char* path, int index, int rows[3][kInkSteps]);

// Makes a record the model's output balance: ink index, 21 balance steps
// (each row reversed, its first value the lightest step 20), the output
// balance tables built from them and their sources switched to the table.
INKFOLD_API void ApplyInkRecord(CSeparationCore& model, int index, const int rows[3][kInkSteps]);

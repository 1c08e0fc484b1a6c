#include "InkList.h"

#include <string>

#include "ParScanner.h"
#include "SeparationCore.h"
#include "TextFile.h"

namespace {

// A label and at least kInkSteps values; extra values up to maxValues are
// read and dropped.
bool ReadRow(CParScanner& in, int maxValues, int* row)
{
    char label[CParScanner::kTokenMax + 1];
    if (in.Scan("%s", label) != 1)
        return false;
    int count = 0;
    int value = 0;
    while (count < maxValues && in.Scan("%d", &value) == 1) {
        if (value < 0 || value > 100)
            return false;
        if (count < kInkSteps)
            row[count] = value;
        ++count;
    }
    in.Scan("\n");
    return count >= kInkSteps;
}

}  // namespace

bool ReadInkRecord(const char* text, size_t length, int index, int rows[3][kInkSteps])
{
    if (index < 0)
        return false;
    CParScanner in(text, length);
    int record[3][kInkSteps];
    char token[CParScanner::kTokenMax + 1];
    for (int i = 0; i <= index; ++i) {
        if (in.Scan("%s", token) != 1 || in.Scan("%s\n", token) != 1)
            return false;
        if (!ReadRow(in, kInkSteps, record[0]) || !ReadRow(in, kInkSteps + 3, record[1]) ||
            !ReadRow(in, kInkSteps + 3, record[2]))
            return false;
    }
    for (int ch = 0; ch < 3; ++ch)
        for (int i = 0; i < kInkSteps; ++i)
            rows[ch][i] = record[ch][i];
    return true;
}

int ReadInkListFile(const char* path, int index, int rows[3][kInkSteps])
{
    std::string text;
    if (!ReadTextFile(path, text))
        return kInkListNotOpened;
    return ReadInkRecord(text.data(), text.size(), index, rows) ? kInkListRead : kInkListBadRecord;
}

void ApplyInkRecord(CSeparationCore& model, int index, const int rows[3][kInkSteps])
{
    model.m_nBalanceCount = kInkSteps;
    model.m_nInk = index;
    for (int ch = 0; ch < 3; ++ch) {
        for (int i = 0; i < kInkSteps; ++i)
            model.m_nBalance[ch][kInkSteps - 1 - i] = CSeparationCore::PercentToLevel(rows[ch][i]);
        CSeparationCore::BalanceToTable(model.m_nBalance[ch], model.m_nOutBalTable[ch], kInkSteps, 255);
        model.m_nOutBalSource[ch] = 1;
    }
}

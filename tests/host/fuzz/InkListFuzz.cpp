// The ink list over any text: a record it reads holds percentages only,
// and the model takes it as its output balance.
#include "InkList.h"
#include "SeparationCore.h"

#include <cstdint>
#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    // The first byte picks the record, the rest is the list.
    if (size == 0)
        return 0;
    const int index = data[0] % CSeparationCore::kInkSets;
    int rows[3][kInkSteps] = {};
    if (!ReadInkRecord(reinterpret_cast<const char*>(data + 1), size - 1, index, rows))
        return 0;
    for (const auto& row : rows)
        for (int value : row)
            if (value < 0 || value > 100)
                std::abort();
    CSeparationCore model;
    ApplyInkRecord(model, index, rows);
    model.BuildTables();
    return 0;
}

// The task archive decoder: any bytes, and what it accepts is exactly what
// the encoder writes for the task it read.
#include "JobArchive.h"

#include <cstdint>
#include <cstdlib>
#include <vector>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const std::vector<std::uint8_t> bytes(data, data + size);
    jobarchive::TaskRecord task;
    if (jobarchive::DecodeTask(bytes, task) && jobarchive::EncodeTask(task) != bytes)
        std::abort();
    return 0;
}

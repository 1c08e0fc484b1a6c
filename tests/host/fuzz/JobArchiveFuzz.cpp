// The job archive decoder: any bytes, and what it accepts is exactly what
// the encoder writes for the job it read.
#include "JobArchive.h"

#include <cstdint>
#include <cstdlib>
#include <vector>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const std::vector<std::uint8_t> bytes(data, data + size);
    jobarchive::JobRecord job;
    if (jobarchive::DecodeJob(bytes, job) && jobarchive::EncodeJob(job) != bytes)
        std::abort();
    return 0;
}

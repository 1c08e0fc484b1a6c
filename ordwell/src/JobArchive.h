// The task and job archive layout of the class library (little-endian
// numbers, length-prefixed texts, class tags with schema numbers), as plain
// records over bytes. Decoding trusts nothing: every count and length is
// checked against the bytes that remain, and anything the writer would not
// have produced (a null or shared element, an unknown class or schema, a
// Unicode text, trailing bytes) makes it fail.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace jobarchive {

const uint32_t kTaskTag = 0xFF0A;
const uint32_t kJobTag = 0xFF0B;

struct PageRecord {
    uint32_t number1 = 0;
    uint32_t time = 0;
    uint32_t number2 = 0;
    std::string description;
    std::string file;
    std::vector<std::string> origins;
};

struct OriginRecord {
    uint32_t typeCode = 0;
    uint32_t number1 = 0;
    uint32_t number2 = 1;
    uint32_t time = 0;
    std::string description;
    std::string ownerPage;
    std::string file;
    std::vector<std::string> pages;
};

struct OutputRecord {
    uint32_t typeCode = 0;
    uint32_t time = 0;
    std::string ownerPage;
    std::string file;
};

struct TaskRecord {
    uint32_t tag = kTaskTag;
    uint32_t time = 0;
    std::string texts[6];
    uint32_t ownerAccess = 3;
    uint32_t groupAccess = 3;
    std::vector<std::string> jobs;
};

struct JobRecord {
    uint32_t tag = kJobTag;
    uint32_t time = 0;
    std::string texts[5];
    uint32_t ownerAccess = 3;
    uint32_t groupAccess = 3;
    std::string scannerProfile;
    std::string printerProfile;
    std::string displayProfile;
    std::vector<PageRecord> pages;
    std::vector<OriginRecord> origins;
    std::vector<OutputRecord> outputs;
};

std::vector<uint8_t> EncodeTask(const TaskRecord& task);
std::vector<uint8_t> EncodeJob(const JobRecord& job);
// False, with the record left in an unspecified state, on any malformed input.
bool DecodeTask(const std::vector<uint8_t>& bytes, TaskRecord& task);
bool DecodeJob(const std::vector<uint8_t>& bytes, JobRecord& job);

}  // namespace jobarchive

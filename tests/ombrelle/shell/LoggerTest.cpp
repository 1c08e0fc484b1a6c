#include "Logger.h"

#include "TempDir.h"

#include <gtest/gtest.h>

#include <regex>
#include <string>
#include <thread>
#include <vector>

using testsupport::ReadFileBytes;

namespace {

std::string LogFolder()
{
    char module[MAX_PATH];
    DWORD length = ::GetModuleFileNameA(NULL, module, MAX_PATH);
    std::string path(module, length);
    return path.substr(0, path.find_last_of('\\') + 1) + "Log";
}

void RemoveLogFolder()
{
    std::string folder = LogFolder();
    WIN32_FIND_DATAA data;
    HANDLE find = ::FindFirstFileA((folder + "\\*").c_str(), &data);
    if (find != INVALID_HANDLE_VALUE) {
        do {
            std::string file = folder + "\\" + data.cFileName;
            ::SetFileAttributesA(file.c_str(), FILE_ATTRIBUTE_NORMAL);
            ::DeleteFileA(file.c_str());
        } while (::FindNextFileA(find, &data));
        ::FindClose(find);
    }
    ::RemoveDirectoryA(folder.c_str());
}

std::vector<std::string> Lines(const std::string& text)
{
    std::vector<std::string> lines;
    size_t start = 0;
    size_t end;
    while ((end = text.find("\r\n", start)) != std::string::npos) {
        lines.push_back(text.substr(start, end - start));
        start = end + 2;
    }
    EXPECT_EQ(start, text.size()) << "text after the last line end";
    return lines;
}

// "10-December-2026 -03:41:09 \t" and then the message.
const std::regex kStampedLine("[0-9]{2}-[A-Z][a-z]+-[0-9]{4} -[0-9]{2}:[0-9]{2}:[0-9]{2} \t(.*)");

std::string Message(const std::string& line)
{
    std::smatch match;
    if (!std::regex_match(line, match, kStampedLine))
        return "<unstamped: " + line + ">";
    return match[1];
}

}  // namespace

// Every check on the files sits in this one test: the test cases of this
// program may run side by side and all share the Log folder of the program.
TEST(FileLogger, WritesStampedLinesToEachLevelsFileInTheLogFolder)
{
    RemoveLogFolder();
    ASSERT_EQ(INVALID_FILE_ATTRIBUTES, ::GetFileAttributesA(LogFolder().c_str()));

    CFileLogger* logger = GetLogger();
    ASSERT_NE(nullptr, logger);
    EXPECT_EQ(logger, GetLogger());

    logger->Debug("first");
    logger->Debug("second 图片");
    logger->Debug("third");
    EXPECT_NE(INVALID_FILE_ATTRIBUTES, ::GetFileAttributesA(LogFolder().c_str()));
    std::vector<std::string> lines = Lines(ReadFileBytes(LogFolder() + "\\DEBUGG.Log"));
    ASSERT_EQ(3u, lines.size());
    EXPECT_EQ("first", Message(lines[0]));
    EXPECT_EQ("second 图片", Message(lines[1]));
    EXPECT_EQ("third", Message(lines[2]));

    struct {
        void (CLoggerBase::*write)(CString);
        int level;
        const char* file;
    } levels[] = {
        {&CLoggerBase::Error, 1, "ERRORR.Log"},
        {&CLoggerBase::Info, 2, "INFO.Log"},
        {&CLoggerBase::Warn, 3, "WARN.Log"},
        {&CLoggerBase::Fatal, 4, "FATAL.Log"},
    };
    for (const auto& level : levels) {
        CLoggerBase* base = logger;
        (base->*level.write)("by name");
        logger->WriteLine(level.level, "by number");
        lines = Lines(ReadFileBytes(LogFolder() + "\\" + level.file));
        ASSERT_EQ(2u, lines.size()) << level.file;
        EXPECT_EQ("by name", Message(lines[0])) << level.file;
        EXPECT_EQ("by number", Message(lines[1])) << level.file;
    }

    logger->WriteLine(7, "unknown level");
    logger->WriteLine(-1, "negative level");
    lines = Lines(ReadFileBytes(LogFolder() + "\\ERRORR.Log"));
    ASSERT_EQ(4u, lines.size());
    EXPECT_EQ("unknown level", Message(lines[2]));
    EXPECT_EQ("negative level", Message(lines[3]));

    // A file that cannot be opened (here held open by another without
    // sharing) gets nothing, and the call returns normally.
    std::string warn = LogFolder() + "\\WARN.Log";
    std::string before = ReadFileBytes(warn);
    HANDLE held = ::CreateFileA(warn.c_str(), GENERIC_READ, 0, NULL, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, NULL);
    ASSERT_NE(INVALID_HANDLE_VALUE, held);
    logger->Warn("not written");
    ::CloseHandle(held);
    EXPECT_EQ(before, ReadFileBytes(warn));

    // Lines from several threads never mix.
    const int threads = 4;
    const int perThread = 50;
    std::vector<std::thread> writers;
    for (int t = 0; t < threads; ++t)
        writers.emplace_back([t] {
            for (int i = 0; i < perThread; ++i)
                GetLogger()->Info(CString(std::string(200, static_cast<char>('a' + t)).c_str()));
        });
    for (auto& writer : writers)
        writer.join();
    lines = Lines(ReadFileBytes(LogFolder() + "\\INFO.Log"));
    ASSERT_EQ(2u + threads * perThread, lines.size());
    for (size_t i = 2; i < lines.size(); ++i) {
        std::string message = Message(lines[i]);
        ASSERT_EQ(200u, message.size()) << lines[i];
        EXPECT_EQ(std::string(200, message[0]), message);
    }
}

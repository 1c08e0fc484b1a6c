// The FTP component's throughput as the upload engine drives it: one task
// per file, all started together, polled every 10 ms until every task has
// ended. Prints
//   files=<n> bytes=<b> failed=<f> wall_ms=<t> cpu_ms=<user+kernel of this process>
#include "FtpComponentDriver.h"
#include "OmbrelleApp.h"

#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

namespace {

double Milliseconds(const FILETIME& time)
{
    ULARGE_INTEGER value;
    value.LowPart = time.dwLowDateTime;
    value.HighPart = time.dwHighDateTime;
    return static_cast<double>(value.QuadPart) / 10000.0;
}

double ProcessCpuMs()
{
    FILETIME created, exited, kernel, user;
    if (!::GetProcessTimes(::GetCurrentProcess(), &created, &exited, &kernel, &user))
        return 0;
    return Milliseconds(kernel) + Milliseconds(user);
}

}  // namespace

int main(int argc, char** argv)
{
    if (argc < 4) {
        std::fprintf(stderr, "usage: %s HOST:PORT FOLDER COUNT  (files file000.bin ... in FOLDER)\n", argv[0]);
        return 2;
    }
    ::CoInitialize(NULL);
    COmbrelleApp app;
    std::free(const_cast<char*>(app.m_pszAppName));
    app.m_pszAppName = _strdup("OmbrelleUploadBench");
    app.SetRegistryKey("Local AppWizard-Generated Applications");

    const std::string host = argv[1], folder = argv[2];
    const int nCount = std::atoi(argv[3]);
    CFtpComponentDriver ftp;
    if (!ftp.CreateComponent())
        return 1;

    std::vector<std::string> tasks;
    double bytes = 0;
    LARGE_INTEGER frequency, start, end;
    ::QueryPerformanceFrequency(&frequency);
    const double cpuStart = ProcessCpuMs();
    ::QueryPerformanceCounter(&start);
    for (int i = 0; i < nCount; ++i) {
        char name[32];
        std::snprintf(name, sizeof(name), "file%03d.bin", i);
        const std::string local = folder + "\\" + name;
        WIN32_FILE_ATTRIBUTE_DATA data;
        if (::GetFileAttributesExA(local.c_str(), GetFileExInfoStandard, &data))
            bytes += static_cast<double>(data.nFileSizeLow) + 4294967296.0 * data.nFileSizeHigh;
        tasks.push_back(std::string("bench") + name);
        ftp.CreateTask(tasks.back().c_str(), FALSE, 0);
        ftp.SetTransfer(host.c_str(), 21, "up", "pw", (std::string("/ours/") + name).c_str(), local.c_str());
    }
    ftp.StartTasks();
    int nFailed = 0;
    for (size_t nDone = 0; nDone < tasks.size();) {
        ::Sleep(10);
        nDone = 0;
        nFailed = 0;
        for (const std::string& task : tasks) {
            const short nState = ftp.GetTaskState(task.c_str());
            nDone += nState == 0 || nState == -2 || nState == -1;
            nFailed += nState == -2 || nState == -1;
        }
    }
    ::QueryPerformanceCounter(&end);
    const double cpuMs = ProcessCpuMs() - cpuStart;
    const double wallMs =
        1000.0 * static_cast<double>(end.QuadPart - start.QuadPart) / static_cast<double>(frequency.QuadPart);
    for (const std::string& task : tasks)
        ftp.DeleteTask(task.c_str());
    std::printf("files=%d bytes=%.0f failed=%d wall_ms=%.1f cpu_ms=%.1f\n", nCount, bytes, nFailed, wallMs, cpuMs);
    return nFailed == 0 ? 0 : 1;
}

// One named upload task of the component: its transfers, its state, and the
// worker thread that sends its files (see FtpCom.h for the states).
#pragma once

#include <windows.h>

#include <condition_variable>
#include <memory>
#include <mutex>
#include <string>
#include <vector>

struct FtpTransfer {
    std::string host;  // "name" or "name:port"
    unsigned short port = 21;
    std::string user, password;
    std::string remoteList, localList;  // "|"-joined, pair by pair
};

class FtpTask : public std::enable_shared_from_this<FtpTask> {
public:
    void AddTransfer(const FtpTransfer& transfer);
    // A waiting task gets its worker; any other is left as it is.
    void Start();
    void Stop();
    void Resume();
    // Stops after the current file for good; the worker then ends.
    void Cancel();
    int State();

    // Worker threads still running, in any task: the DLL stays loaded meanwhile.
    static long RunningWorkers();

private:
    struct Worker {
        std::shared_ptr<FtpTask> pTask;
        HMODULE hModule;
    };
    static DWORD WINAPI WorkerMain(void* pParameter);
    void Run();
    bool SendTransfer(void* hInternet, const FtpTransfer& transfer);
    // Waits while the task is stopped; false when it was cancelled.
    bool MayGoOn();
    void Finish(int nState);

    std::mutex m_mutex;
    std::condition_variable m_resumed;
    std::vector<FtpTransfer> m_transfers;
    int m_nState = 1;  // FTPCOM_WAITING
    bool m_bStopped = false;
    bool m_bCancelled = false;
};

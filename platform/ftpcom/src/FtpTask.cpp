#include "FtpTask.h"

#include "FtpCom.h"

#include <wininet.h>

#include <atomic>
#include <cstdlib>

namespace {

std::atomic<long> g_runningWorkers{0};

std::vector<std::string> SplitList(const std::string& text)
{
    std::vector<std::string> parts;
    if (text.empty())
        return parts;
    size_t start = 0;
    for (;;) {
        size_t bar = text.find('|', start);
        parts.push_back(text.substr(start, bar == std::string::npos ? std::string::npos : bar - start));
        if (bar == std::string::npos)
            return parts;
        start = bar + 1;
    }
}

bool LocalFileSize(const std::string& path, unsigned long long& size)
{
    WIN32_FILE_ATTRIBUTE_DATA data;
    if (!GetFileAttributesExA(path.c_str(), GetFileExInfoStandard, &data) ||
        (data.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY))
        return false;
    size = (static_cast<unsigned long long>(data.nFileSizeHigh) << 32) | data.nFileSizeLow;
    return true;
}

// Each missing folder of the remote path, from the top down. A folder that
// exists already refuses to be made; the put that follows tells whether the
// path is usable.
void MakeRemoteFolders(HINTERNET hConnect, const std::string& remotePath)
{
    for (size_t slash = remotePath.find('/', 1); slash != std::string::npos;
         slash = remotePath.find('/', slash + 1))
        FtpCreateDirectoryA(hConnect, remotePath.substr(0, slash).c_str());
}

// The size the server reports for a file (its answer "213 <size>" to SIZE).
bool RemoteFileSize(HINTERNET hConnect, const std::string& remotePath, unsigned long long& size)
{
    std::string command = "SIZE " + remotePath;
    if (!FtpCommandA(hConnect, FALSE, FTP_TRANSFER_TYPE_BINARY, command.c_str(), 0, nullptr))
        return false;
    char answer[512] = {};
    DWORD dwError = 0;
    DWORD dwLength = sizeof(answer);
    if (!InternetGetLastResponseInfoA(&dwError, answer, &dwLength))
        return false;
    const char* text = answer;
    while (*text == '\r' || *text == '\n' || *text == ' ')
        ++text;
    if (strncmp(text, "213 ", 4) != 0)
        return false;
    char* end = nullptr;
    size = strtoull(text + 4, &end, 10);
    return end != text + 4;
}

}  // namespace

long FtpTask::RunningWorkers()
{
    return g_runningWorkers.load();
}

void FtpTask::AddTransfer(const FtpTransfer& transfer)
{
    std::lock_guard<std::mutex> lock(m_mutex);
    m_transfers.push_back(transfer);
}

// The worker holds its own reference to this DLL and gives it back with
// FreeLibraryAndExitThread, which does not return here: the host may unload
// the DLL the moment DllCanUnloadNow agrees, and no code of it may run after.
// (A runtime thread would run the runtime's exit code, in this DLL, after
// the worker has counted itself out.)
DWORD WINAPI FtpTask::WorkerMain(void* pParameter)
{
    HMODULE hModule = nullptr;
    {
        std::unique_ptr<Worker> pWorker(static_cast<Worker*>(pParameter));
        hModule = pWorker->hModule;
        pWorker->pTask->Run();
    }
    --g_runningWorkers;
    FreeLibraryAndExitThread(hModule, 0);
}

void FtpTask::Start()
{
    {
        std::lock_guard<std::mutex> lock(m_mutex);
        if (m_nState != FTPCOM_WAITING || m_bCancelled)
            return;
        m_nState = FTPCOM_TRANSFERRING;
    }
    std::unique_ptr<Worker> pWorker(new (std::nothrow) Worker{shared_from_this(), nullptr});
    if (!pWorker || !GetModuleHandleExW(GET_MODULE_HANDLE_EX_FLAG_FROM_ADDRESS,
                                        reinterpret_cast<LPCWSTR>(&FtpTask::WorkerMain), &pWorker->hModule)) {
        Finish(FTPCOM_FAILED);
        return;
    }
    ++g_runningWorkers;
    HANDLE hThread = CreateThread(nullptr, 0, &FtpTask::WorkerMain, pWorker.get(), 0, nullptr);
    if (!hThread) {
        --g_runningWorkers;
        FreeLibrary(pWorker->hModule);
        Finish(FTPCOM_FAILED);
        return;
    }
    pWorker.release();
    CloseHandle(hThread);
}

void FtpTask::Stop()
{
    std::lock_guard<std::mutex> lock(m_mutex);
    m_bStopped = true;
}

void FtpTask::Resume()
{
    std::lock_guard<std::mutex> lock(m_mutex);
    m_bStopped = false;
    m_resumed.notify_all();
}

void FtpTask::Cancel()
{
    std::lock_guard<std::mutex> lock(m_mutex);
    m_bCancelled = true;
    m_resumed.notify_all();
}

int FtpTask::State()
{
    std::lock_guard<std::mutex> lock(m_mutex);
    bool bEnded = m_nState == FTPCOM_FINISHED || m_nState == FTPCOM_FAILED;
    return m_bStopped && !bEnded ? FTPCOM_STOPPED : m_nState;
}

bool FtpTask::MayGoOn()
{
    std::unique_lock<std::mutex> lock(m_mutex);
    m_resumed.wait(lock, [this] { return !m_bStopped || m_bCancelled; });
    return !m_bCancelled;
}

void FtpTask::Finish(int nState)
{
    std::lock_guard<std::mutex> lock(m_mutex);
    m_nState = nState;
}

void FtpTask::Run()
{
    HINTERNET hInternet = InternetOpenA("FtpCom", INTERNET_OPEN_TYPE_DIRECT, nullptr, nullptr, 0);
    if (!hInternet) {
        Finish(FTPCOM_FAILED);
        return;
    }
    bool bSent = true;
    for (size_t i = 0; bSent; ++i) {
        FtpTransfer transfer;
        {
            std::lock_guard<std::mutex> lock(m_mutex);
            if (i >= m_transfers.size())
                break;
            transfer = m_transfers[i];
        }
        bSent = SendTransfer(hInternet, transfer);
    }
    InternetCloseHandle(hInternet);
    Finish(bSent ? FTPCOM_FINISHED : FTPCOM_FAILED);
}

bool FtpTask::SendTransfer(void* hInternet, const FtpTransfer& transfer)
{
    std::vector<std::string> remote = SplitList(transfer.remoteList);
    std::vector<std::string> local = SplitList(transfer.localList);
    if (remote.size() != local.size())
        return false;

    std::string host = transfer.host;
    unsigned short port = transfer.port;
    size_t colon = host.rfind(':');
    if (colon != std::string::npos) {
        port = static_cast<unsigned short>(atoi(host.c_str() + colon + 1));
        host.erase(colon);
    }
    // The log-in happens here: a refused one gives no connection.
    HINTERNET hConnect = InternetConnectA(static_cast<HINTERNET>(hInternet), host.c_str(), port,
                                          transfer.user.c_str(), transfer.password.c_str(),
                                          INTERNET_SERVICE_FTP, INTERNET_FLAG_PASSIVE, 0);
    if (!hConnect)
        return false;
    bool bSent = true;
    for (size_t i = 0; i < remote.size() && bSent; ++i) {
        if (!MayGoOn()) {
            bSent = false;
            break;
        }
        unsigned long long localSize = 0;
        unsigned long long remoteSize = 0;
        bSent = LocalFileSize(local[i], localSize);
        if (bSent) {
            MakeRemoteFolders(hConnect, remote[i]);
            bSent = FtpPutFileA(hConnect, local[i].c_str(), remote[i].c_str(), FTP_TRANSFER_TYPE_BINARY, 0) &&
                    RemoteFileSize(hConnect, remote[i], remoteSize) && remoteSize == localSize;
        }
    }
    InternetCloseHandle(hConnect);
    return bSent;
}

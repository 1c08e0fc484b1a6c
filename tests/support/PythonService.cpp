#include "Winsock.h"

#include "PythonService.h"

#include "Process.h"
#include "WinePath.h"

#include <windows.h>

#include <stdexcept>

namespace testsupport {

namespace {

bool WaitReadable(SOCKET socket, DWORD timeoutMs)
{
    fd_set readable;
    FD_ZERO(&readable);
    FD_SET(socket, &readable);
    timeval timeout = {long(timeoutMs / 1000), long(timeoutMs % 1000) * 1000};
    return select(0, &readable, nullptr, nullptr, &timeout) == 1;
}

// Wine starts a host program without giving us a process handle or its
// standard streams, so the helper is reached through a socket only.
void StartHostProgram(const std::string& commandLine)
{
    STARTUPINFOA startup = {};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION process = {};
    std::string command = commandLine;
    if (!CreateProcessA(nullptr, &command[0], nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup, &process))
        throw std::runtime_error("cannot start " + commandLine);
    if (process.hThread)
        CloseHandle(process.hThread);
    if (process.hProcess)
        CloseHandle(process.hProcess);
}

}  // namespace

PythonService::PythonService(const std::string& script, const std::vector<std::string>& arguments,
                             unsigned timeoutMs)
    : m_control(INVALID_SOCKET)
{
    EnsureWinsock();
    SOCKET listener = socket(AF_INET, SOCK_STREAM, IPPROTO_TCP);
    sockaddr_in address = LoopbackAddress(0);
    int length = sizeof address;
    if (bind(listener, reinterpret_cast<sockaddr*>(&address), sizeof address) != 0 ||
        getsockname(listener, reinterpret_cast<sockaddr*>(&address), &length) != 0 || listen(listener, 1) != 0) {
        closesocket(listener);
        throw std::runtime_error("cannot listen on loopback");
    }

    std::string command = HostPathForWindows(OMBRELLE_PYTHON) + " " +
                          QuoteArgument(std::string(OMBRELLE_TOOLS_DIR) + "/" + script) + " " +
                          std::to_string(ntohs(address.sin_port));
    for (const std::string& argument : arguments)
        command += " " + QuoteArgument(argument);

    try {
        StartHostProgram(command);
        if (!WaitReadable(listener, timeoutMs))
            throw std::runtime_error(script + " did not connect back within " + std::to_string(timeoutMs) + " ms");
        const SOCKET control = accept(listener, nullptr, nullptr);
        m_control = control;
        closesocket(listener);
        listener = INVALID_SOCKET;

        std::string reply;
        char buffer[256];
        while (reply.find('\n') == std::string::npos) {
            if (!WaitReadable(control, timeoutMs))
                throw std::runtime_error(script + " did not report its port");
            const int count = recv(control, buffer, sizeof buffer, 0);
            if (count <= 0)
                throw std::runtime_error(script + " stopped: " + reply);
            reply.append(buffer, count);
        }
        if (reply.compare(0, 6, "READY ") != 0)
            throw std::runtime_error(script + " failed: " + reply);
        m_port = std::stoi(reply.substr(6));
    } catch (...) {
        if (listener != INVALID_SOCKET)
            closesocket(listener);
        if (m_control != INVALID_SOCKET)
            closesocket(SOCKET(m_control));
        throw;
    }
}

std::string PythonService::Command(const std::string& line, unsigned timeoutMs)
{
    const SOCKET control = SOCKET(m_control);
    const std::string request = line + "\n";
    for (size_t sent = 0; sent < request.size();) {
        const int count = send(control, request.data() + sent, int(request.size() - sent), 0);
        if (count <= 0)
            throw std::runtime_error("cannot send the command " + line);
        sent += size_t(count);
    }
    char buffer[4096];
    size_t end;
    while ((end = m_pending.find('\n')) == std::string::npos) {
        if (!WaitReadable(control, timeoutMs))
            throw std::runtime_error("no answer to the command " + line);
        const int count = recv(control, buffer, sizeof buffer, 0);
        if (count <= 0)
            throw std::runtime_error("the helper stopped at the command " + line);
        m_pending.append(buffer, size_t(count));
    }
    std::string answer = m_pending.substr(0, end);
    m_pending.erase(0, end + 1);
    return answer;
}

PythonService::~PythonService()
{
    const SOCKET control = SOCKET(m_control);
    shutdown(control, SD_SEND);
    char buffer[256];
    while (WaitReadable(control, 5000) && recv(control, buffer, sizeof buffer, 0) > 0) {
    }
    closesocket(control);
}

}  // namespace testsupport

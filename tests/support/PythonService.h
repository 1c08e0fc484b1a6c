// A loopback service written in Python (tools/testsvc, tools/backend),
// started for one test and stopped with it.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace testsupport {

class PythonService {
public:
    // Starts the host's Python on tools/<script> with the arguments. The
    // helper connects back to us, starts its service on a free loopback
    // port and reports that port; this waits until it has. Throws
    // std::runtime_error when the helper does not come up.
    PythonService(const std::string& script, const std::vector<std::string>& arguments,
                  unsigned timeoutMs = 20000);
    // Closes the control connection; the helper stops, and this waits for it.
    ~PythonService();
    PythonService(const PythonService&) = delete;
    PythonService& operator=(const PythonService&) = delete;

    int Port() const { return m_port; }

    // Sends one command line (UTF-8, without a line break) to a helper that
    // takes commands and returns its one-line answer. Throws
    // std::runtime_error when no answer comes.
    std::string Command(const std::string& line, unsigned timeoutMs = 20000);

private:
    std::uintptr_t m_control;  // the control connection's socket
    int m_port = 0;
    std::string m_pending;  // received after the last answer's line break
};

}  // namespace testsupport

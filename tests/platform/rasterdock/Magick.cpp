#include "Magick.h"

#include "WinePath.h"
#include "Winsock.h"

#include <stdexcept>

Magick::Magick() : m_service("../tests/platform/rasterdock/magick_service.py", {}) {}

int Magick::Run(const std::vector<std::string>& arguments, std::string* output)
{
    std::string request;
    for (const std::string& argument : arguments) {
        if (!request.empty())
            request += "\t";
        request += argument.compare(0, 1, "@") == 0 ? testsupport::UnixPath(argument.substr(1)) : argument;
    }
    request += "\n";

    testsupport::EnsureWinsock();
    SOCKET connection = socket(AF_INET, SOCK_STREAM, IPPROTO_TCP);
    sockaddr_in address = testsupport::LoopbackAddress(m_service.Port());
    if (connect(connection, reinterpret_cast<sockaddr*>(&address), sizeof address) != 0) {
        closesocket(connection);
        throw std::runtime_error("cannot reach the ImageMagick helper");
    }
    send(connection, request.data(), int(request.size()), 0);
    std::string reply;
    char buffer[4096];
    int got = 0;
    while ((got = recv(connection, buffer, sizeof buffer, 0)) > 0)
        reply.append(buffer, size_t(got));
    closesocket(connection);

    const size_t newline = reply.find('\n');
    if (newline == std::string::npos)
        throw std::runtime_error("no reply from the ImageMagick helper");
    if (output != nullptr)
        *output = reply.substr(newline + 1);
    return std::stoi(reply.substr(0, newline));
}

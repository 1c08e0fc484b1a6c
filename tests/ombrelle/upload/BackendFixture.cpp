#include "BackendFixture.h"

#include "OmbrelleDoc.h"
#include "ServerSession.h"
#include "WindowText.h"

#include <gtest/gtest.h>

namespace uploadtest {

const char kUser[] = "operator";
const char kPassword[] = "secret";

namespace {

std::string FromHex(const std::string& hex)
{
    std::string bytes;
    for (size_t i = 0; i + 1 < hex.size(); i += 2)
        bytes += char(std::stoi(hex.substr(i, 2), nullptr, 16));
    return bytes;
}

std::vector<std::string> SplitTabs(const std::string& line)
{
    std::vector<std::string> fields;
    size_t start = 0;
    for (size_t tab; (tab = line.find('\t', start)) != std::string::npos; start = tab + 1)
        fields.push_back(line.substr(start, tab - start));
    fields.push_back(line.substr(start));
    return fields;
}

}  // namespace

std::string AnsiToUtf8(const std::string& ansi) { return testsupport::ToUtf8(ansi); }

std::string Hex(const std::string& bytes)
{
    static const char kDigits[] = "0123456789abcdef";
    std::string hex;
    for (unsigned char c : bytes) {
        hex += kDigits[c >> 4];
        hex += kDigits[c & 15];
    }
    return hex;
}

std::string Request::Verb() const
{
    const size_t start = url.find("verb=");
    if (start == std::string::npos)
        return std::string();
    const size_t end = url.find('&', start);
    return url.substr(start + 5, end == std::string::npos ? std::string::npos : end - start - 5);
}

void BackendFixture::SetUp()
{
    ClientFixture::SetUp();
    // The session is program-wide: each test starts from the program's start.
    CurrentCategoryId = "-9999999";
    RememberedUploadUser.Empty();
    RememberedUploadPassword.Empty();
    m_backend = std::make_unique<testsupport::PythonService>("backend/server.py", std::vector<std::string>{});
}

void BackendFixture::TearDown()
{
    ClientFixture::TearDown();
    m_backend.reset();
    CurrentCategoryId = "-9999999";
    RememberedUploadUser.Empty();
    RememberedUploadPassword.Empty();
}

std::string BackendFixture::ServerAddress() const { return "http://127.0.0.1:" + std::to_string(m_backend->Port()); }

std::string BackendFixture::Servlet() const { return ServerAddress() + "/HttpRequestServlet.jsp"; }

void BackendFixture::StartWithServer()
{
    Start();
    if (HasFatalFailure())
        return;
    Doc()->m_strBaseServerUrl = ServerAddress().c_str();
    Doc()->m_strServletUrl = Servlet().c_str();
    Doc()->m_strServerUrl = Servlet().c_str();
}

void BackendFixture::StartLoggedIn()
{
    StartWithServer();
    if (HasFatalFailure())
        return;
    RememberedUploadUser = kUser;
    RememberedUploadPassword = kPassword;
    ASSERT_TRUE(Doc()->ValidateUploadLogin(0));
}

void BackendFixture::Backend(const std::string& command)
{
    EXPECT_EQ("OK", m_backend->Command(AnsiToUtf8(command))) << AnsiToUtf8(command);
}

std::vector<Request> BackendFixture::Requests()
{
    std::vector<Request> requests;
    const int count = std::stoi(m_backend->Command("count"));
    for (int i = 0; i < count; ++i) {
        const std::vector<std::string> fields = SplitTabs(m_backend->Command("request\t" + std::to_string(i)));
        if (fields.size() != 3) {
            ADD_FAILURE() << "request " << i << " reads back as " << fields.size() << " fields";
            break;
        }
        requests.push_back(Request{fields[0], fields[1], FromHex(fields[2])});
    }
    return requests;
}

std::vector<std::string> BackendFixture::VerbsSince(size_t first)
{
    std::vector<std::string> verbs;
    const std::vector<Request> requests = Requests();
    for (size_t i = first; i < requests.size(); ++i)
        verbs.push_back(requests[i].Verb());
    return verbs;
}

std::vector<Request> BackendFixture::Posts()
{
    std::vector<Request> posts;
    for (const Request& request : Requests())
        if (request.Verb() == "AddAsset")
            posts.push_back(request);
    return posts;
}

}  // namespace uploadtest

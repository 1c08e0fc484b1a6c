// The client started in-process against the back-end stand-in
// (tools/backend/server.py), with the stand-in's record of requests.
#pragma once

#include "ClientFixture.h"
#include "PythonService.h"

#include <memory>
#include <string>
#include <vector>

namespace uploadtest {

// The stand-in's users (tools/backend/fixtures/users.txt).
extern const char kUser[];
extern const char kPassword[];

struct Request {
    std::string method;
    std::string url;
    std::string body;  // bytes
    std::string Verb() const;  // the value of "verb=" in the URL
};

class BackendFixture : public doctest::ClientFixture {
protected:
    void SetUp() override;
    void TearDown() override;

    // "http://127.0.0.1:<port>", and the servlet below it.
    std::string ServerAddress() const;
    std::string Servlet() const;

    // Starts the client with the stand-in's addresses stored in the document.
    void StartWithServer();
    // ... and logged in with a remembered user that the stand-in accepts.
    void StartLoggedIn();

    // One command to the stand-in (ANSI code page text, sent as UTF-8);
    // fails the test unless it answers "OK".
    void Backend(const std::string& command);
    // Every request the stand-in has seen, in order.
    std::vector<Request> Requests();
    // The verbs of the requests from the given place on.
    std::vector<std::string> VerbsSince(size_t first);
    // The asset records posted so far (verb "AddAsset"), in order.
    std::vector<Request> Posts();

    std::unique_ptr<testsupport::PythonService> m_backend;
};

// ANSI code page (GBK) text as UTF-8, and the reverse.
std::string AnsiToUtf8(const std::string& ansi);
// A file's bytes in hex, as the stand-in reports a body.
std::string Hex(const std::string& bytes);

}  // namespace uploadtest

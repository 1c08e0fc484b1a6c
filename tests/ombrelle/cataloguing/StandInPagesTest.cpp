// The back-end stand-in serves the pages that the web page views open, each
// with what the views rely on, so that where a browser engine renders them
// the views run against the stand-in.
#include "PythonService.h"

#include <windows.h>
#include <wininet.h>

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

// The body of a GET, with its status and content type.
struct Reply {
    DWORD status = 0;
    std::string type;
    std::string body;
};

Reply Get(const std::string& url)
{
    Reply reply;
    HINTERNET session = ::InternetOpenA("test", INTERNET_OPEN_TYPE_DIRECT, nullptr, nullptr, 0);
    HINTERNET request = session == nullptr ? nullptr
                                           : ::InternetOpenUrlA(session, url.c_str(), nullptr, 0,
                                                                INTERNET_FLAG_RELOAD | INTERNET_FLAG_NO_CACHE_WRITE, 0);
    if (request != nullptr) {
        DWORD size = sizeof reply.status;
        ::HttpQueryInfoA(request, HTTP_QUERY_STATUS_CODE | HTTP_QUERY_FLAG_NUMBER, &reply.status, &size, nullptr);
        char type[128] = "";
        size = sizeof type;
        if (::HttpQueryInfoA(request, HTTP_QUERY_CONTENT_TYPE, type, &size, nullptr))
            reply.type = type;
        char buffer[4096];
        DWORD read = 0;
        while (::InternetReadFile(request, buffer, sizeof buffer, &read) && read > 0)
            reply.body.append(buffer, read);
        ::InternetCloseHandle(request);
    }
    if (session != nullptr)
        ::InternetCloseHandle(session);
    return reply;
}

TEST(StandInPages, EachPageIsServedWithWhatItsViewCallsOn)
{
    testsupport::PythonService backend("backend/server.py", {});
    const std::string server = "http://127.0.0.1:" + std::to_string(backend.Port());
    struct Case {
        std::string path;
        std::vector<std::string> parts;
    } cases[] = {
        {"/asps/edit/add_asset_Associate.asp?AssetType=1&ViewID=375",
         {"name=\"Assetlist\"", "id=\"tblAssetList\"", "<th>", "type=\"checkbox\" value=\"11802\"",
          "function fnGetXMLNode()"}},
        // Either spelling the client uses for the accessory page.
        {"/asps/edit/Asset_accessory_add_mod.asp?Editty=add&nAcessoryId=0&nAssetId=11805",
         {"function GetFilesize()", "function fnGetXML(", "function GetUploadLocation(", "name=\"addform\""}},
        {"/asps/edit/Asset_Accessory_add_mod.asp?Editty=add&nAssetId=0", {"name=\"addform\""}},
        {"/callback.htm",
         {"function GetAssetId()", "function GetStorageLocation(", "function CallBack(", "function GetCode()"}},
    };
    for (const Case& c : cases) {
        const Reply reply = Get(server + c.path);
        EXPECT_EQ(reply.status, 200u) << c.path;
        EXPECT_EQ(reply.type, "text/html; charset=utf-8") << c.path;
        for (const std::string& part : c.parts)
            EXPECT_NE(reply.body.find(part), std::string::npos) << c.path << ": " << part;
    }
    // Any other path is still the servlet, answering by its verb.
    const Reply verb = Get(server + "/asps/edit/other.asp?verb=EmunAllAssetType");
    EXPECT_EQ(verb.type, "text/plain; charset=GBK");
    EXPECT_NE(verb.body.find("<Categories>"), std::string::npos);
}

}  // namespace

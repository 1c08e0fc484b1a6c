#include "ComInit.h"
#include "PythonService.h"
#include "TempDir.h"
#include "WinePath.h"

#include <gtest/gtest.h>

#include <msxml2.h>
#include <oleauto.h>

using namespace testsupport;

namespace {

// mingw-w64 declares IID_IXMLHTTPRequest but no import library defines it.
const IID kIXMLHTTPRequest = {0xED8C108D, 0x4349, 0x11D2, {0x91, 0xA4, 0x00, 0xC0, 0x4F, 0x79, 0x69, 0xE8}};

struct Reply {
    long status = 0;
    std::string text;
};

// One synchronous GET through MSXML's XMLHTTP, as the client talks to its server.
Reply Get(const std::string& url)
{
    Reply reply;
    CLSID clsid;
    IXMLHTTPRequest* request = nullptr;
    if (FAILED(CLSIDFromProgID(L"Msxml2.XMLHTTP.3.0", &clsid)) ||
        FAILED(CoCreateInstance(clsid, nullptr, CLSCTX_INPROC_SERVER, kIXMLHTTPRequest,
                                reinterpret_cast<void**>(&request)))) {
        ADD_FAILURE() << "no XMLHTTP";
        return reply;
    }
    BSTR method = SysAllocString(L"GET");
    std::wstring wideUrl(url.begin(), url.end());
    BSTR address = SysAllocString(wideUrl.c_str());
    VARIANT async, none;
    VariantInit(&async);
    V_VT(&async) = VT_BOOL;
    V_BOOL(&async) = VARIANT_FALSE;
    VariantInit(&none);
    V_VT(&none) = VT_ERROR;
    V_ERROR(&none) = DISP_E_PARAMNOTFOUND;
    if (SUCCEEDED(request->open(method, address, async, none, none)) && SUCCEEDED(request->send(none))) {
        request->get_status(&reply.status);
        BSTR text = nullptr;
        if (SUCCEEDED(request->get_responseText(&text)) && text) {
            for (const wchar_t* c = text; *c; ++c)
                reply.text += char(*c);
            SysFreeString(text);
        }
    }
    SysFreeString(address);
    SysFreeString(method);
    request->Release();
    return reply;
}

}  // namespace

TEST(XmlHttp, FetchesAPageFromALoopbackServer)
{
    ComInit com;
    TempDir site;
    ASSERT_TRUE(WriteFileBytes(site.File("status.txt"), "server ready"));
    PythonService server("testsvc/http_server.py", {UnixPath(site.Path())});
    const std::string base = "http://127.0.0.1:" + std::to_string(server.Port()) + "/";

    Reply page = Get(base + "status.txt");
    EXPECT_EQ(200, page.status);
    EXPECT_EQ("server ready", page.text);

    EXPECT_EQ(404, Get(base + "missing.txt").status);
}

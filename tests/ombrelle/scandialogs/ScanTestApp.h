// The client's application object for one test, with its profile under a key
// of its own (test programs run side by side), and the client's document
// where the dialogs look for it: the first document of the second template.
#pragma once

#include "OmbrelleApp.h"
#include "TempDir.h"
#include "OmbrelleDoc.h"
#include "resource.h"

#include "Registry.h"

#include <gtest/gtest.h>
#include <string>

namespace scantest {

class ScanTestApp : public COmbrelleApp {
public:
    ScanTestApp() { SetRegistryKey(RegistryKey().c_str()); }

    static std::string RegistryKey() { return testsupport::ProcessUnique("OmbrelleScanDialogsTest"); }

    std::string Profile(const char* section, const char* entry)
    {
        return std::string(GetProfileString(section, entry, "<none>"));
    }
};

class ScanTest : public ::testing::Test {
protected:
    void SetUp() override { testsupport::DeleteRegKey(HKEY_CURRENT_USER, "Software\\" + ScanTestApp::RegistryKey()); }

    void TearDown() override
    {
        CloseDocument();
        MSG msg;
        while (::PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) {
        }
        testsupport::DeleteRegKey(HKEY_CURRENT_USER, "Software\\" + ScanTestApp::RegistryKey());
    }

    // A document of the client's own template, found as the dialogs find it.
    COmbrelleDoc* OpenDocument()
    {
        auto* pFirst = new CMultiDocTemplate(IDR_OMBRELLETYPE, RUNTIME_CLASS(COmbrelleDoc), RUNTIME_CLASS(CMDIChildWnd),
                                             RUNTIME_CLASS(CView));
        m_pTemplate = new CMultiDocTemplate(IDR_OMBRELLETYPE, RUNTIME_CLASS(COmbrelleDoc),
                                            RUNTIME_CLASS(CMDIChildWnd), RUNTIME_CLASS(CView));
        m_app.AddDocTemplate(pFirst);
        m_app.AddDocTemplate(m_pTemplate);
        m_pDoc = new COmbrelleDoc;
        m_pTemplate->AddDocument(m_pDoc);
        return m_pDoc;
    }

    void CloseDocument()
    {
        if (m_pDoc == nullptr)
            return;
        m_pTemplate->RemoveDocument(m_pDoc);
        delete m_pDoc;
        m_pDoc = nullptr;
    }

    ScanTestApp m_app;
    CMultiDocTemplate* m_pTemplate = nullptr;
    COmbrelleDoc* m_pDoc = nullptr;
};

}  // namespace scantest

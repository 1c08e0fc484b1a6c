#include "ClientFixture.h"
#include "TempDir.h"

#include "General.h"
#include "MainFrame.h"
#include "OmbrelleDoc.h"
#include "OmbrelleView.h"
#include "PicThumnailFormView.h"
#include "Registry.h"
#include "StartupSplashWnd.h"
#include "ClassObjectTurn.h"

#include <cstdlib>
#include <cstring>

namespace doctest {

const char kEditionSection[] = "汇影图片扫描标准版";

namespace {

std::string ClassesKey() { return testsupport::ProcessUnique("Software\\OmbrelleDocumentTestClasses"); }

}  // namespace

void ClientFixture::SetUp()
{
    // A profile of its own: the application's name names the profile's key.
    std::free(const_cast<char*>(m_app.m_pszAppName));
    m_app.m_pszAppName = _strdup(testsupport::ProcessUnique("ombrelle_document_tests_").c_str());
    testsupport::DeleteRegKey(HKEY_CURRENT_USER, ProfileKey());

    testsupport::DeleteRegKey(HKEY_CURRENT_USER, ClassesKey());
}

void ClientFixture::TearDown()
{
    Close();
    testsupport::DeleteRegKey(HKEY_CURRENT_USER, ClassesKey());
    testsupport::DeleteRegKey(HKEY_CURRENT_USER, ProfileKey());
}

BOOL ClientFixture::RunStartUp()
{
    // The start-up's registration goes to a private key; only then, since
    // the image codecs are found through the real one.
    HKEY hClasses = NULL;
    if (::RegCreateKeyExA(HKEY_CURRENT_USER, ClassesKey().c_str(), 0, NULL, 0, KEY_ALL_ACCESS, NULL, &hClasses,
                          NULL) != ERROR_SUCCESS)
        return FALSE;
    if (::RegOverridePredefKey(HKEY_CLASSES_ROOT, hClasses) != ERROR_SUCCESS) {
        ::RegCloseKey(hClasses);
        return FALSE;
    }
    BOOL bStarted = testsupport::StartUpInProcess(m_app);
    ::RegOverridePredefKey(HKEY_CLASSES_ROOT, NULL);
    ::RegCloseKey(hClasses);
    m_started = true;
    return bStarted;
}

void ClientFixture::Start()
{
    ASSERT_TRUE(RunStartUp());
    // The start-up picture would lie over the view, as until the operator's first click.
    if (CStartupSplashWnd::GetSplash() != NULL)
        CStartupSplashWnd::GetSplash()->HideSplash();
    // The start-up set the temp folder beside the program, which the other
    // test programs share.
    GenSetTempFolder(m_temp.Path().c_str());
    ASSERT_NE(Doc(), nullptr);
    ASSERT_NE(View(), nullptr);
    Pump();
}

void ClientFixture::StartForAutomation()
{
    char program[] = "Ombrelle.exe";
    char automation[] = "/Automation";
    char* arguments[] = {program, automation, nullptr};
    const int savedCount = __argc;
    char** savedArguments = __argv;
    __argc = 2;
    __argv = arguments;
    BOOL bStarted = RunStartUp();
    __argc = savedCount;
    __argv = savedArguments;
    ASSERT_TRUE(bStarted);
    ASSERT_EQ(Doc(), nullptr);
}

void ClientFixture::Close()
{
    if (!m_started)
        return;
    m_started = false;
    if (m_app.m_pMainFrame != nullptr)
        m_app.m_pMainFrame->DestroyWindow();
    m_app.m_pMainFrame = nullptr;
    m_app.m_pMainWnd = nullptr;
    Pump();
}

std::string ClientFixture::ProfileKey() const
{
    return std::string("Software\\Local AppWizard-Generated Applications\\") + m_app.m_pszAppName;
}

std::string ClientFixture::SectionKey(const std::string& section) const { return ProfileKey() + "\\" + section; }

void ClientFixture::WriteProfile(const std::string& section, const std::string& name, const std::string& value) const
{
    ASSERT_TRUE(testsupport::WriteRegString(HKEY_CURRENT_USER, SectionKey(section), name, value));
}

CMainFrame* ClientFixture::Frame() const { return m_app.m_pMainFrame; }

COmbrelleDoc* ClientFixture::Doc() const { return static_cast<COmbrelleDoc*>(m_app.GetCurrentDocument()); }

COmbrelleView* ClientFixture::View() const
{
    COmbrelleDoc* pDoc = Doc();
    if (pDoc == nullptr)
        return nullptr;
    for (POSITION pos = pDoc->GetFirstViewPosition(); pos != NULL;) {
        CView* pView = pDoc->GetNextView(pos);
        if (pView->IsKindOf(RUNTIME_CLASS(COmbrelleView)))
            return static_cast<COmbrelleView*>(pView);
    }
    return nullptr;
}

void ClientFixture::SelectPicture(const std::string& folder, const std::string& name) const
{
    Doc()->m_strOriginalFolder = folder.c_str();
    Doc()->m_strOriginalName = name.c_str();
}

void ClientFixture::SelectPictures(const std::vector<std::string>& paths) const
{
    CPicThumnailFormView* pThumbnails = Frame()->GetThumbnailView();
    ASSERT_NE(pThumbnails, nullptr);
    ASSERT_FALSE(paths.empty());
    pThumbnails->m_arrSelectedFiles.RemoveAll();
    for (const std::string& path : paths)
        pThumbnails->m_arrSelectedFiles.Add(path.c_str());
    const std::string& first = paths.front();
    SelectPicture(first.substr(0, first.rfind('\\')), first.substr(first.rfind('\\') + 1));
}

void ClientFixture::Pump()
{
    MSG msg;
    while (::PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) {
        ::TranslateMessage(&msg);
        ::DispatchMessageA(&msg);
    }
}

}  // namespace doctest

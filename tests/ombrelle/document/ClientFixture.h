// The client started as a normal start does (application, main frame, the
// document in its child frame), with a profile and a temp folder of its own
// per test program run, since the tests run side by side.
#pragma once

#include <windows.h>

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "OmbrelleApp.h"
#include "TempDir.h"

class CMainFrame;
class COmbrelleDoc;
class COmbrelleView;

namespace doctest {

// The edition section of the profile that holds the server addresses.
extern const char kEditionSection[];

class ClientFixture : public ::testing::Test {
protected:
    void SetUp() override;
    void TearDown() override;

    // Runs the start-up; the profile values a test wants read at start go in before.
    void Start();
    // Runs it as COM starts the client for an automation client: hidden,
    // with no document until the upload object's Initialize.
    void StartForAutomation();
    // Closes the main frame, and with it the document.
    void Close();

    // The application's profile key, and a section's key below it.
    std::string ProfileKey() const;
    std::string SectionKey(const std::string& section) const;
    void WriteProfile(const std::string& section, const std::string& name, const std::string& value) const;

    CMainFrame* Frame() const;
    COmbrelleDoc* Doc() const;
    COmbrelleView* View() const;
    // Shows a picture as the thumbnail pane does: the document's folder and name.
    void SelectPicture(const std::string& folder, const std::string& name) const;
    // The pictures selected in the thumbnail pane, the first one shown.
    void SelectPictures(const std::vector<std::string>& paths) const;
    // Pumps the messages waiting for this thread.
    static void Pump();

    COmbrelleApp m_app;
    testsupport::TempDir m_temp;    // the general library's temp folder while the client runs
    testsupport::TempDir m_files;   // pictures and scan folders

private:
    BOOL RunStartUp();

    bool m_started = false;
};

}  // namespace doctest

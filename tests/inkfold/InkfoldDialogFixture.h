// Runs the separation dialog on folders of a test's own: a program folder,
// the colour folder beside it with copies of the colour files the build
// made, and a table folder.
#pragma once

#include "InkfoldDlg.h"

#include <gtest/gtest.h>

#include <functional>
#include <memory>
#include <string>

#include "GuiDriver.h"
#include "TempDir.h"

namespace inktest {

// The colour folder the build fills: the test program's folder followed by
// "\..\color".
std::string BuiltColorFolder();

// Presses a button (or radio button) and returns when its handler has run.
void Click(CDialog& dlg, int controlId);
// Sets an edit's text as typing would: its change handler runs before this
// returns.
void SetItemText(CDialog& dlg, int controlId, const std::string& text);
std::string ItemText(CDialog& dlg, int controlId);
// The same for a sub-dialog the GUI driver hands over as a window.
std::string ItemText(HWND window, int controlId);
bool Checked(HWND window, int controlId);
bool Enabled(HWND window, int controlId);
// Presses the left button at (x, y), moves by dy with it held and lets go.
void DragWithMouse(HWND window, int x, int y, int dy);
// Selects a list item as the user does: the selection handler runs.
void SelectInk(CInkfoldDlg& dlg, int index);

// Separation parameters with GCR, the UCA and total ink given, input
// balance on, colour correction and black generation off.
CSeparationCore GcrParameters(int uca, int totalInk);
// The dialog shows them: edits, radios and the buttons' enable states.
void ExpectGcrControls(CDialog& dlg, const char* uca, const char* totalInk);

// The parameters a saved ".par" file gives back: the working targets, which
// the refinement moves, come back as the stored ones.
CSeparationCore AsSaved(const CSeparationCore& model);

// Held open without sharing: the only way to make a file unwritable for a
// test that runs as root.
class HeldOpen {
public:
    explicit HeldOpen(const std::string& path);
    ~HeldOpen();
    HeldOpen(const HeldOpen&) = delete;
    HeldOpen& operator=(const HeldOpen&) = delete;
    bool Held() const { return m_handle != INVALID_HANDLE_VALUE; }

private:
    HANDLE m_handle;
};

class InkfoldDialogTest : public ::testing::Test {
protected:
    InkfoldDialogTest();

    std::string ColorFile(const std::string& name) const { return m_dir.File("color\\" + name); }
    std::string TableFile(const std::string& name) const { return m_dir.File("table\\" + name); }
    const std::string& ProgramFolder() const { return m_program; }

    // Expects a message box or a common dialog, which appears after the
    // separation dialog (the GUI driver matches windows to expectations in
    // the order they were made).
    testsupport::WindowExpectation& ExpectWindow();
    // Expects a sub-dialog by its caption, after the separation dialog.
    testsupport::WindowExpectation& ExpectDialog(const std::string& caption);

    // Runs a new dialog modally; script runs once it is shown, inside its
    // modal loop, and the dialog is then cancelled unless the script ended
    // it. Returns what DoModal returned; the dialog stays in m_dlg.
    int Run(const std::function<void(CInkfoldDlg&)>& script);

    testsupport::TempDir m_dir;
    std::unique_ptr<CInkfoldDlg> m_dlg;

private:
    const testsupport::WindowExpectation& DialogShown();

    const testsupport::WindowExpectation* m_pDialogShown = nullptr;
    std::string m_program;
    std::string m_table;
};

}  // namespace inktest

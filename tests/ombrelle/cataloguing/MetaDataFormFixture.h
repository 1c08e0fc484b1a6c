// The metadata form built from a small field description, in a frame of
// its own with the client's document, as the cataloguing window's splitter
// makes it; and the texts and windows the form's tests read back.
#pragma once

#include "ClientFixture.h"

#include "MetaDataInput.h"
#include "OmbrelleApp.h"
#include "OmbrelleDoc.h"

#include <gtest/gtest.h>

#include <string>

namespace metadatatest {

inline std::string Structure(const std::string& fields)
{
    return "<Category><CatalogFolder id=\"1\" FatherId=\"-1\" name=\"组\"/><Attribute>" + fields +
           "</Attribute></Category>";
}

inline std::string Field(const std::string& name, const std::string& cname, const std::string& type,
                         const std::string& extra = "")
{
    return "<Field Name=\"" + name + "\" CName=\"" + cname + "\" Type=\"" + type + "\" View=\"1\" " + extra + "/>";
}

inline std::string ClassOf(HWND window)
{
    char name[64] = "";
    ::GetClassNameA(window, name, sizeof(name));
    return name;
}

inline std::string TextOf(HWND window)
{
    char text[256] = "";
    ::GetWindowTextA(window, text, sizeof(text));
    return text;
}

class MetaDataFormFixture : public doctest::ClientFixture {
protected:
    void SetUp() override
    {
        doctest::ClientFixture::SetUp();
        Start();
    }

    void TearDown() override
    {
        CloseForm();
        doctest::ClientFixture::TearDown();
    }

    COmbrelleApp* App() { return static_cast<COmbrelleApp*>(AfxGetApp()); }

    // NULL when the form's creation failed.
    CMetaDataInput* OpenForm(const std::string& xml)
    {
        CloseForm();
        App()->m_strAssetMetaDataStruct = xml.c_str();
        Doc()->m_strCategoryStructure = xml.c_str();
        m_frame = new CFrameWnd;
        if (!m_frame->Create(NULL, "著录", WS_OVERLAPPEDWINDOW | WS_VISIBLE, CRect(0, 0, 760, 700))) {
            ADD_FAILURE() << "no test frame";
            return nullptr;
        }
        CCreateContext context;
        context.m_pCurrentDoc = Doc();
        context.m_pNewViewClass = RUNTIME_CLASS(CMetaDataInput);
        CWnd* view = m_frame->CreateView(&context);
        if (view == nullptr)
            return nullptr;
        m_frame->RecalcLayout();
        CMetaDataInput* form = static_cast<CMetaDataInput*>(view);
        form->OnInitialUpdate();
        Pump();
        return form;
    }

    void CloseForm()
    {
        if (m_frame != nullptr && m_frame->GetSafeHwnd() != NULL)
            m_frame->DestroyWindow();
        m_frame = nullptr;
        Pump();
    }

    // The generated control of that id (the template's controls come first).
    static HWND Generated(CMetaDataInput& form, int id)
    {
        HWND found = NULL;
        for (HWND child = ::GetWindow(form.m_hWnd, GW_CHILD); child != NULL; child = ::GetWindow(child, GW_HWNDNEXT))
            if (::GetDlgCtrlID(child) == id)
                found = child;  // the last one: generated controls follow the template's
        return found;
    }

    static CWnd* ControlOf(CMetaDataInput& form, const char* key)
    {
        void* control = nullptr;
        return form.m_FieldControls.Lookup(key, control) ? static_cast<CWnd*>(control) : nullptr;
    }

    CFrameWnd* m_frame = nullptr;
};

}  // namespace metadatatest

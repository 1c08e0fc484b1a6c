// The IPTC page and the file information page in a frame of their own, on
// the client's document, as the thumbnail pane fills and clears them.
#include "FileInfoFormView.h"
#include "IPTCInfoFormView.h"
#include "OmbrelleDoc.h"
#include "resource.h"

#include "WindowText.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

class CPagesTestApp : public CWinApp {
public:
    CPagesTestApp() : CWinApp("信息页测试") {}
};

std::string Text(CWnd* pPage, int nId)
{
    CString text;
    pPage->GetDlgItemText(nId, text);
    return std::string(text);
}

// The edit on the same line as the static text `label`, to its right.
int BoxBesideLabel(CWnd* pPage, const std::string& label)
{
    CRect labelRect;
    bool found = false;
    for (HWND h = ::GetWindow(pPage->m_hWnd, GW_CHILD); h != NULL; h = ::GetWindow(h, GW_HWNDNEXT))
        if (testsupport::ClassName(h) == "Static" && testsupport::WindowText(h) == label) {
            ::GetWindowRect(h, &labelRect);
            found = true;
        }
    if (!found)
        return 0;
    int nBest = 0;
    LONG bestLeft = 0;
    for (HWND h = ::GetWindow(pPage->m_hWnd, GW_CHILD); h != NULL; h = ::GetWindow(h, GW_HWNDNEXT)) {
        CRect rect;
        ::GetWindowRect(h, &rect);
        bool sameLine = rect.top < labelRect.bottom && labelRect.top < rect.bottom;
        if (testsupport::ClassName(h) == "Edit" && sameLine && rect.left >= labelRect.right &&
            (nBest == 0 || rect.left < bestLeft)) {
            nBest = ::GetDlgCtrlID(h);
            bestLeft = rect.left;
        }
    }
    return nBest;
}

class InfoPagesTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        m_pDoc = new COmbrelleDoc;
        m_pDoc->m_bAutoDelete = FALSE;
        CCreateContext context;
        context.m_pCurrentDoc = m_pDoc;
        context.m_pNewViewClass = RUNTIME_CLASS(CIPTCInfoFormView);
        m_pFrame = new CFrameWnd;
        ASSERT_TRUE(m_pFrame->Create(NULL, "信息页", WS_OVERLAPPEDWINDOW, CRect(0, 0, 860, 640), NULL, NULL, 0,
                                     &context));
        m_app.m_pMainWnd = m_pFrame;
        context.m_pNewViewClass = RUNTIME_CLASS(CFileInfoFormView);
        CWnd* pFileInfo = m_pFrame->CreateView(&context, AFX_IDW_PANE_FIRST + 1);
        ASSERT_NE(pFileInfo, nullptr);
        m_pFileInfo = static_cast<CFileInfoFormView*>(pFileInfo);
        m_pIptc = static_cast<CIPTCInfoFormView*>(m_pFrame->GetDlgItem(AFX_IDW_PANE_FIRST));
        ASSERT_NE(m_pIptc, nullptr);
        ASSERT_TRUE(m_pIptc->IsKindOf(RUNTIME_CLASS(CIPTCInfoFormView)));

        // The members hold texts before the initial update, which clears the boxes.
        m_pIptc->m_strCity = "early";
        m_pFileInfo->m_strFileName = "early.jpg";
        m_pFrame->InitialUpdateFrame(m_pDoc, TRUE);
        CRect client;
        m_pFrame->GetClientRect(&client);
        m_pIptc->MoveWindow(0, 0, client.Width() / 2, client.Height());
        m_pFileInfo->MoveWindow(client.Width() / 2, 0, client.Width() - client.Width() / 2, client.Height());
    }

    void TearDown() override
    {
        if (m_pFrame != nullptr && m_pFrame->GetSafeHwnd() != NULL)
            m_pFrame->DestroyWindow();
        m_app.m_pMainWnd = nullptr;
        MSG msg;
        while (::PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) {
        }
        delete m_pDoc;
    }

    CPagesTestApp m_app;
    COmbrelleDoc* m_pDoc = nullptr;
    CFrameWnd* m_pFrame = nullptr;
    CIPTCInfoFormView* m_pIptc = nullptr;
    CFileInfoFormView* m_pFileInfo = nullptr;
};

struct IptcEdit {
    int id;
    const char* text;
};

// A text for each edit of the IPTC page.
const IptcEdit kIptcEdits[] = {
    {IDC_IPTC_CAPTION, "西湖的船"},   {IDC_IPTC_HEADLINE, "headline"},  {IDC_IPTC_CATEGORY, "cat"},
    {IDC_IPTC_ENVE_NUMBER, "1234"},   {IDC_IPTC_ENVE_PRIORITY, "5"},    {IDC_IPTC_LANGUAGE, "zh"},
    {IDC_IPTC_PRODUCT, "product"},    {IDC_IPTC_SERVICE, "service"},    {IDC_IPTC_DESTINATION, "destination"},
    {IDC_IPTC_OBJECT_NAME, "object"}, {IDC_IPTC_ORIGINAL, "otr"},       {IDC_IPTC_CITY, "杭州"},
    {IDC_IPTC_COUNTRY, "中国"},
};

TEST_F(InfoPagesTest, LeavingTheIptcPageStoresItsEditsInTheDocument)
{
    m_pFrame->SetActiveView(m_pIptc);
    for (const IptcEdit& edit : kIptcEdits)
        m_pIptc->SetDlgItemText(edit.id, edit.text);
    m_pIptc->SetDlgItemText(IDC_IPTC_CITY, "苏州");
    EXPECT_EQ(std::string(m_pDoc->m_strCity), "");

    m_pFrame->SetActiveView(m_pFileInfo);
    const CString* docTexts[] = {&m_pDoc->m_strDescription, &m_pDoc->m_strHeadLine,   &m_pDoc->m_strCategory,
                                 &m_pDoc->m_strEnveNumber,  &m_pDoc->m_strEnvePriority, &m_pDoc->m_strLanguageID,
                                 &m_pDoc->m_strProductID,   &m_pDoc->m_strServiceID,  &m_pDoc->m_strDestination,
                                 &m_pDoc->m_strObjName,     &m_pDoc->m_strOriginalTX, &m_pDoc->m_strCity,
                                 &m_pDoc->m_strCountry};
    for (size_t i = 0; i < 13; ++i)
        EXPECT_EQ(std::string(*docTexts[i]), kIptcEdits[i].id == IDC_IPTC_CITY ? "苏州" : kIptcEdits[i].text)
            << kIptcEdits[i].id;

    // Coming back stores nothing.
    m_pIptc->SetDlgItemText(IDC_IPTC_CITY, "南京");
    m_pFrame->SetActiveView(m_pIptc);
    EXPECT_EQ(std::string(m_pDoc->m_strCity), "苏州");
}

struct FileBox {
    int id;
    CString CFileInfoFormView::*member;
    CString COmbrelleDoc::*docMember;
    const char* text;
};

const FileBox kFileBoxes[] = {
    {IDC_FILEINFO_HORZ_RES, &CFileInfoFormView::m_strHorRes, &COmbrelleDoc::m_strHorRes, "300"},
    {IDC_FILEINFO_VERT_RES, &CFileInfoFormView::m_strVerRes, &COmbrelleDoc::m_strVerRes, "150"},
    {IDC_FILEINFO_MODIFIED, &CFileInfoFormView::m_strModifyTime, &COmbrelleDoc::m_strModifyTime, "2026-12-9  8:5:7"},
    {IDC_FILEINFO_PATH, &CFileInfoFormView::m_strFilePath, &COmbrelleDoc::m_strOriginalFolder, "C:\\图片"},
    {IDC_FILEINFO_SIZE, &CFileInfoFormView::m_strFileSize, &COmbrelleDoc::m_strMainSize, "12.50"},
    {IDC_FILEINFO_MODE, &CFileInfoFormView::m_strColorMode, &COmbrelleDoc::m_strPicMode, "RGB"},
    {IDC_FILEINFO_CREATED, &CFileInfoFormView::m_strCreateTime, &COmbrelleDoc::m_strCreateTime, "2025-1-2  3:4:5"},
    {IDC_FILEINFO_NAME, &CFileInfoFormView::m_strFileName, &COmbrelleDoc::m_strOriginalName, "风景.jpg"},
    {IDC_FILEINFO_HEIGHT, &CFileInfoFormView::m_strHeight, &COmbrelleDoc::m_strPicHeight, "480"},
    {IDC_FILEINFO_WIDTH, &CFileInfoFormView::m_strWidth, &COmbrelleDoc::m_strPicWidth, "640"},
};

TEST_F(InfoPagesTest, FileInformationPageShowsTheTextsItIsGivenAndClearsThem)
{
    for (const FileBox& box : kFileBoxes)
        EXPECT_EQ(Text(m_pFileInfo, box.id), "") << box.id;
    EXPECT_FALSE(m_pFileInfo->GetDlgItem(IDC_FILEINFO_WEB_PATH)->IsWindowEnabled());
    EXPECT_FALSE(m_pFileInfo->GetDlgItem(IDC_FILEINFO_BROWSE)->IsWindowEnabled());

    for (const FileBox& box : kFileBoxes)
        m_pFileInfo->*box.member = box.text;
    m_pFileInfo->SetDlgItemText(IDC_FILEINFO_WEB_PATH, "old web path");
    m_pFileInfo->ShowFields();
    for (const FileBox& box : kFileBoxes)
        EXPECT_EQ(Text(m_pFileInfo, box.id), box.text) << box.id;
    EXPECT_EQ(Text(m_pFileInfo, IDC_FILEINFO_WEB_PATH), "");
    EXPECT_TRUE(m_pFileInfo->GetDlgItem(IDC_FILEINFO_WEB_PATH)->IsWindowEnabled());
    EXPECT_TRUE(m_pFileInfo->GetDlgItem(IDC_FILEINFO_BROWSE)->IsWindowEnabled());

    // Each time sits beside the label that names it.
    EXPECT_EQ(BoxBesideLabel(m_pFileInfo, "修改时间："), IDC_FILEINFO_MODIFIED);
    EXPECT_EQ(BoxBesideLabel(m_pFileInfo, "创建时间："), IDC_FILEINFO_CREATED);
    EXPECT_EQ(BoxBesideLabel(m_pFileInfo, "文件名："), IDC_FILEINFO_NAME);

    m_pFileInfo->ClearFields();
    for (const FileBox& box : kFileBoxes)
        EXPECT_EQ(Text(m_pFileInfo, box.id), "") << box.id;
    EXPECT_FALSE(m_pFileInfo->GetDlgItem(IDC_FILEINFO_WEB_PATH)->IsWindowEnabled());
    EXPECT_FALSE(m_pFileInfo->GetDlgItem(IDC_FILEINFO_BROWSE)->IsWindowEnabled());
}

TEST_F(InfoPagesTest, LeavingTheFileInformationPageStoresItsBoxesInTheDocument)
{
    m_pFrame->SetActiveView(m_pFileInfo);
    for (const FileBox& box : kFileBoxes)
        m_pFileInfo->*box.member = box.text;
    m_pFileInfo->ShowFields();
    m_pFileInfo->SetDlgItemText(IDC_FILEINFO_NAME, "改名.jpg");
    EXPECT_EQ(std::string(m_pDoc->m_strOriginalName), "");

    m_pFrame->SetActiveView(m_pIptc);
    for (const FileBox& box : kFileBoxes)
        EXPECT_EQ(std::string(m_pDoc->*box.docMember), box.id == IDC_FILEINFO_NAME ? "改名.jpg" : box.text)
            << box.id;

    // Coming back stores nothing.
    m_pFileInfo->SetDlgItemText(IDC_FILEINFO_NAME, "again.jpg");
    m_pFrame->SetActiveView(m_pFileInfo);
    EXPECT_EQ(std::string(m_pDoc->m_strOriginalName), "改名.jpg");
}

}  // namespace

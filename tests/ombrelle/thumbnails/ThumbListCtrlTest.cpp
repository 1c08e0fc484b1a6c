// The thumbnail list on its own: a window, a document with its picture
// types, and folders of pictures made by the tests.
#include "ThumbListCtrl.h"
#include "OmbrelleApp.h"
#include "OmbrelleDoc.h"
#include "resource.h"

#include "General.h"
#include "GuiDriver.h"
#include "Registry.h"
#include "TempDir.h"
#include "ThumbTestSupport.h"

#include <gtest/gtest.h>

#include <functional>
#include <memory>
#include <optional>
#include <ostream>
#include <string>
#include <vector>

namespace {

using thumbtest::LocalTime;
using thumbtest::WriteBmp;
using thumbtest::WriteJpeg;

const char kSection[] = "PicSkipBar";
const char* const kTypes[] = {"BMP", "JPG", "JPEG", "TIF", "TIFF", "GIF", "PIC", "GRH", "EPS"};

std::vector<std::string> ListedNames(const CThumbListCtrl& list)
{
    std::vector<std::string> names;
    for (int i = 0; i < list.GetItemCount(); ++i) {
        names.push_back(std::string(list.GetItemText(i, 0)));
        // The records stay in the order of the items.
        EXPECT_EQ(names.back(), std::string(list.GetThumbItem(i)->strName));
    }
    EXPECT_EQ(list.GetItemCount(), list.GetThumbCount());
    return names;
}

// A window that runs a callback for a message posted to it, so that a test
// can act while a fill is letting messages through.
class Messenger {
public:
    Messenger()
    {
        WNDCLASSA wc = {};
        wc.lpfnWndProc = Proc;
        wc.hInstance = ::GetModuleHandleA(NULL);
        wc.lpszClassName = "ThumbTestMessenger";
        ::RegisterClassA(&wc);
        m_hWnd = ::CreateWindowA("ThumbTestMessenger", "", 0, 0, 0, 0, 0, HWND_MESSAGE, NULL, wc.hInstance, NULL);
        ::SetWindowLongPtrA(m_hWnd, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(this));
    }
    ~Messenger() { ::DestroyWindow(m_hWnd); }

    void Post(std::function<void()> action)
    {
        m_action = std::move(action);
        ::PostMessageA(m_hWnd, WM_APP, 0, 0);
    }
    bool Ran() const { return m_ran; }

private:
    static LRESULT CALLBACK Proc(HWND hWnd, UINT message, WPARAM wParam, LPARAM lParam)
    {
        if (message == WM_APP) {
            auto* self = reinterpret_cast<Messenger*>(::GetWindowLongPtrA(hWnd, GWLP_USERDATA));
            self->m_ran = true;
            if (self->m_action)
                self->m_action();
            return 0;
        }
        return ::DefWindowProcA(hWnd, message, wParam, lParam);
    }

    HWND m_hWnd = NULL;
    std::function<void()> m_action;
    bool m_ran = false;
};

class ThumbListTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        ::CoInitialize(NULL);
        testsupport::DeleteRegKey(HKEY_CURRENT_USER, thumbtest::ProfileKey());
        free(const_cast<char*>(m_app.m_pszAppName));
        m_app.m_pszAppName = _strdup(thumbtest::ProfileName().c_str());
        m_app.SetRegistryKey("Local AppWizard-Generated Applications");
        m_pDoc = new COmbrelleDoc;
        for (const char* type : kTypes)
            AddType(type, 1);
        ASSERT_TRUE(m_parent.CreateEx(0, AfxRegisterWndClass(0), "thumbnails", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 0,
                                      0, 700, 500, NULL, NULL));
    }

    void TearDown() override
    {
        m_list.reset();
        if (m_parent.GetSafeHwnd() != NULL)
            m_parent.DestroyWindow();
        delete m_pDoc;
        testsupport::DeleteRegKey(HKEY_CURRENT_USER, thumbtest::ProfileKey());
        ::CoUninitialize();
    }

    void AddType(const char* extension, int selected)
    {
        auto* entry = new PicTypeEntry;
        entry->strName = entry->strExtension = entry->strDescription = extension;
        entry->bSelected = entry->bSelectedBefore = selected;
        m_pDoc->m_picTypes.Add(entry);
    }

    void WriteSetting(const char* key, DWORD value)
    {
        testsupport::WriteRegDword(HKEY_CURRENT_USER, thumbtest::ProfileKey() + "\\" + kSection, key, value);
    }
    std::optional<DWORD> ReadSetting(const char* key)
    {
        return testsupport::ReadRegDword(HKEY_CURRENT_USER, thumbtest::ProfileKey() + "\\" + kSection, key);
    }

    // A new list in the window; it reads its settings now.
    CThumbListCtrl& MakeList()
    {
        m_list = std::make_unique<CThumbListCtrl>();
        EXPECT_TRUE(m_list->Create(WS_CHILD | WS_VISIBLE | WS_BORDER | LVS_ICON | LVS_AUTOARRANGE,
                                   CRect(0, 0, 680, 460), &m_parent, IDC_THUMB_LIST));
        m_list->SetDocument(m_pDoc);
        return *m_list;
    }

    // The list as the pane leaves it before its first folder: thumbnails on.
    CThumbListCtrl& MakeFillingList()
    {
        CThumbListCtrl& list = MakeList();
        list.m_bSkipThumbnails = FALSE;
        return list;
    }

    static int MadeCount(const CThumbListCtrl& list)
    {
        int made = 0;
        for (int i = 0; i < list.GetThumbCount(); ++i)
            made += list.GetThumbItem(i)->bThumbMade && list.GetThumbItem(i)->nImage > 0;
        return made;
    }

    COmbrelleApp m_app;
    COmbrelleDoc* m_pDoc = nullptr;
    CWnd m_parent;
    std::unique_ptr<CThumbListCtrl> m_list;
};

// Four pictures whose name, size, date and type orders all differ, and a
// fifth that arrives later. They are BMP data under other extensions too:
// the readers go by what a file holds.
struct SortFile {
    const char* name;
    int height;  // the file size grows with it
    int year;    // of the last write
};
const SortFile kSortFiles[] = {{"A.tif", 2, 2020}, {"b.jpg", 8, 2023}, {"c.gif", 6, 2021}, {"d.bmp", 4, 2022}};
const SortFile kLateFile = {"bb.pic", 5, 2024};

struct SortCase {
    const char* name;
    int profileValue;
    UINT command;
    std::vector<std::string> order;
    std::vector<std::string> orderWithLateFile;
};

const SortCase kSortCases[] = {
    {"Size", 1, ID_THUMB_SORT_SIZE, {"A.tif", "d.bmp", "c.gif", "b.jpg"},
     {"A.tif", "d.bmp", "bb.pic", "c.gif", "b.jpg"}},
    {"Type", 2, ID_THUMB_SORT_TYPE, {"d.bmp", "c.gif", "b.jpg", "A.tif"},
     {"d.bmp", "c.gif", "b.jpg", "bb.pic", "A.tif"}},
    {"DateNewestFirst", 3, ID_THUMB_SORT_DATE, {"b.jpg", "d.bmp", "c.gif", "A.tif"},
     {"bb.pic", "b.jpg", "d.bmp", "c.gif", "A.tif"}},
    {"NameIgnoringCase", 4, ID_THUMB_SORT_NAME, {"A.tif", "b.jpg", "c.gif", "d.bmp"},
     {"A.tif", "b.jpg", "bb.pic", "c.gif", "d.bmp"}},
    {"OtherValueSortsByName", 9, 0, {"A.tif", "b.jpg", "c.gif", "d.bmp"},
     {"A.tif", "b.jpg", "bb.pic", "c.gif", "d.bmp"}},
};

void PrintTo(const SortCase& c, std::ostream* os) { *os << c.name; }

class ThumbListSortTest : public ThumbListTest, public ::testing::WithParamInterface<SortCase> {
protected:
    void Write(const testsupport::TempDir& dir, const SortFile& file)
    {
        ASSERT_TRUE(WriteBmp(dir.File(file.name), 4, file.height, RGB(200, 30, 30)));
        SYSTEMTIME time = LocalTime(file.year, 6, 1, 12, 0, 0);
        ASSERT_TRUE(thumbtest::SetFileTimes(dir.File(file.name), time, time));
    }
};

TEST_P(ThumbListSortTest, FillsInTheSortOrderOfTheProfileAndSortsOnCommand)
{
    const SortCase& c = GetParam();
    testsupport::TempDir dir;
    for (const SortFile& file : kSortFiles)
        Write(dir, file);

    // Listed in the order of the stored sort mode; a file that arrives later
    // goes to its sorted place.
    WriteSetting("Sort", c.profileValue);
    CThumbListCtrl& list = MakeList();
    list.ShowFolder(dir.Path().c_str(), FALSE);
    EXPECT_EQ(ListedNames(list), c.order);
    Write(dir, kLateFile);
    list.Refresh();
    EXPECT_EQ(ListedNames(list), c.orderWithLateFile);
    // The later fill made every thumbnail, the late one's among them.
    EXPECT_EQ(MadeCount(list), 5);

    if (c.command == 0)
        return;
    // Listed in another order, then sorted by the command; the mode is kept.
    WriteSetting("Sort", c.profileValue % 4 + 1);
    CThumbListCtrl& other = MakeList();
    other.ShowFolder(dir.Path().c_str(), FALSE);
    ASSERT_NE(ListedNames(other), c.orderWithLateFile);
    other.SendMessage(WM_COMMAND, c.command);
    EXPECT_EQ(ListedNames(other), c.orderWithLateFile);
    other.DestroyWindow();
    EXPECT_EQ(ReadSetting("Sort"), std::optional<DWORD>(c.profileValue));
}

INSTANTIATE_TEST_SUITE_P(Modes, ThumbListSortTest, ::testing::ValuesIn(kSortCases),
                         [](const ::testing::TestParamInfo<SortCase>& info) { return info.param.name; });

TEST_F(ThumbListTest, UnreadablePicturesAreLeftOutAndTheOthersAllAppear)
{
    testsupport::TempDir dir;
    ASSERT_TRUE(WriteJpeg(dir.File("good1.jpg"), 300, 200, RGB(0, 128, 255)));
    ASSERT_TRUE(WriteJpeg(dir.File("good2.jpg"), 200, 300, RGB(255, 128, 0)));
    std::string jpeg = testsupport::ReadFileBytes(dir.File("good1.jpg"));
    ASSERT_GT(jpeg.size(), 200u);
    ASSERT_TRUE(testsupport::WriteFileBytes(dir.File("half.jpg"), jpeg.substr(0, jpeg.size() / 2)));
    std::string damaged = jpeg;
    for (size_t i = 20; i < damaged.size(); i += 7)
        damaged[i] = static_cast<char>(0xFF);
    ASSERT_TRUE(testsupport::WriteFileBytes(dir.File("damaged.jpg"), damaged));
    ASSERT_TRUE(testsupport::WriteFileBytes(dir.File("text.jpg"), "not a picture at all"));
    ASSERT_TRUE(testsupport::WriteFileBytes(dir.File("empty.jpg"), ""));
    ASSERT_TRUE(WriteBmp(dir.File("good3.bmp"), 40, 30, RGB(10, 200, 10)));
    // Shown by the stock picture, whatever it holds.
    ASSERT_TRUE(testsupport::WriteFileBytes(dir.File("drawing.eps"), "%!PS-Adobe"));

    CThumbListCtrl& list = MakeFillingList();
    list.ShowFolder(dir.Path().c_str(), FALSE);

    const std::vector<std::string> expected = {"drawing.eps", "good1.jpg", "good2.jpg", "good3.bmp"};
    EXPECT_EQ(ListedNames(list), expected);
    EXPECT_EQ(MadeCount(list), 4);
    EXPECT_EQ(std::string(list.GetThumbItem(1)->strSizeText), "300(H) * 200(V) Pixels,175KB");
}

TEST_F(ThumbListTest, StockPictureStandsForFilesOfTheThreeUnreadableTypes)
{
    // The stock picture as it is in the program folder.
    char program[MAX_PATH];
    ::GetModuleFileNameA(NULL, program, MAX_PATH);
    std::string folder(program);
    folder.erase(folder.rfind('\\'));
    std::string stock = testsupport::ReadFileBytes(folder + "\\icon96.bmp");
    ASSERT_EQ(stock.size(), 54u + 96 * 96 * 3);

    testsupport::TempDir dir;
    CThumbListCtrl& list = MakeList();
    list.m_nThumbSize = 96;
    struct Case {
        const char* name;
        int code;
    };
    for (const Case& c : {Case{"unknown.pic", 0}, Case{"layers.psd", 18}, Case{"page.eps", 50}}) {
        SCOPED_TRACE(c.name);
        ASSERT_EQ(GenGetFileType(dir.File(c.name).c_str()), c.code);
        ASSERT_TRUE(testsupport::WriteFileBytes(dir.File(c.name), "whatever the file holds"));
        CBitmap bitmap;
        ThumbDetails details;
        details.strSizeText = "stale";
        ASSERT_EQ(list.MakeThumbnailBitmap(dir.Path().c_str(), c.name, bitmap, details), 1);
        EXPECT_TRUE(details.strSizeText.IsEmpty());
        EXPECT_TRUE(details.strModeText.IsEmpty());
        EXPECT_TRUE(details.strWidth.IsEmpty());

        // The thumbnail is the stock picture, pixel for pixel.
        BITMAPINFO info = {};
        info.bmiHeader.biSize = sizeof(BITMAPINFOHEADER);
        info.bmiHeader.biWidth = 96;
        info.bmiHeader.biHeight = 96;
        info.bmiHeader.biPlanes = 1;
        info.bmiHeader.biBitCount = 24;
        std::string bits(96 * 96 * 3, '\0');
        HDC hDC = ::GetDC(NULL);
        ASSERT_EQ(::GetDIBits(hDC, bitmap, 0, 96, &bits[0], &info, DIB_RGB_COLORS), 96);
        ::ReleaseDC(NULL, hDC);
        EXPECT_TRUE(bits == stock.substr(54));
    }
}

TEST_F(ThumbListTest, FitsPicturesIntoTheSquareOnWhite)
{
    // A picture smaller both ways: centred, unscaled. Rows come bottom-up,
    // padded to 4 bytes: red on the top row, blue below it.
    const BYTE small[] = {255, 0, 0, 255, 0, 0, 0, 0,   // bottom row: two blue pixels
                          0, 0, 255, 0, 0, 255, 0, 0};  // top row: two red pixels
    std::vector<BYTE> square(4 * 4 * 3);
    FitThumbnail(small, 2, 2, 4, square.data());
    auto pixel = [&](int x, int y) {
        const BYTE* p = &square[(y * 4 + x) * 3];
        return RGB(p[2], p[1], p[0]);
    };
    EXPECT_EQ(pixel(0, 0), RGB(255, 255, 255));
    EXPECT_EQ(pixel(1, 1), RGB(255, 0, 0));
    EXPECT_EQ(pixel(2, 1), RGB(255, 0, 0));
    EXPECT_EQ(pixel(1, 2), RGB(0, 0, 255));
    EXPECT_EQ(pixel(3, 3), RGB(255, 255, 255));

    // A picture as wide as the square and half as high: every other sample
    // of a twice-as-large one, centred vertically.
    const int width = 8, height = 4, row = 24;
    std::vector<BYTE> large(row * height);
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x)
            large[(height - 1 - y) * row + x * 3] = static_cast<BYTE>(10 * x + y);  // blue = 10x + y (from the top)
    FitThumbnail(large.data(), width, height, 4, square.data());
    EXPECT_EQ(pixel(0, 0), RGB(255, 255, 255));
    EXPECT_EQ(square[(1 * 4 + 0) * 3], 0);        // (0, 0)
    EXPECT_EQ(square[(1 * 4 + 3) * 3], 60);       // (6, 0)
    EXPECT_EQ(square[(2 * 4 + 1) * 3], 20 + 2);   // (2, 2)
    EXPECT_EQ(pixel(2, 3), RGB(255, 255, 255));
}

TEST_F(ThumbListTest, DetailTextsOfPictures)
{
    struct Case {
        int width, height;
        float xRes, yRes;
        int mode;
        const char* sizeText;
        const char* modeText;
        const char* colourMode;
    };
    const Case cases[] = {
        {8, 6, 72, 72, 4, "8(H) * 6(V) Pixels,144bytes", "RGB,72.00Dpi(H),72.00Dpi(V)", "RGB"},
        {640, 480, 300, 300, 4, "640(H) * 480(V) Pixels,900KB", "RGB,300.00Dpi(H),300.00Dpi(V)", "RGB"},
        {100, 10, 7.5f, 7.5f, 3, "100(H) * 10(V) Pixels,0KB", "GRAY, 7.50Dpi(H), 7.50Dpi(V)", "GRAY"},
        {4000, 3000, 72, 96, 5, "4000(H) * 3000(V) Pixels,45MB", "CMYK,72.00Dpi(H),96.00Dpi(V)", "CMYK"},
        {20, 20, 72, 72, 6, "20(H) * 20(V) Pixels,400bytes", "Index,72.00Dpi(H),72.00Dpi(V)", "Index"},
        {20, 20, 72, 72, 9, "20(H) * 20(V) Pixels,400bytes", "72.00Dpi(H),72.00Dpi(V)", ""},
    };
    for (const Case& c : cases) {
        ThumbDetails details;
        FormatThumbDetails(c.width, c.height, c.xRes, c.yRes, c.mode, details);
        EXPECT_EQ(std::string(details.strSizeText), c.sizeText);
        EXPECT_EQ(std::string(details.strModeText), c.modeText);
        EXPECT_EQ(std::string(details.strColorMode), c.colourMode);
    }
    EXPECT_EQ(std::string(FormatFileTime(CTime(2021, 3, 4, 5, 6, 7))), "2021-3-4  5:6:7");
}

TEST_F(ThumbListTest, ThumbnailsLetMessagesThroughWhileTheyAreMade)
{
    testsupport::TempDir dir;
    for (int i = 0; i < 12; ++i)
        ASSERT_TRUE(WriteBmp(dir.File("p" + std::to_string(10 + i) + ".bmp"), 120, 90, RGB(20 * i, 100, 50)));
    CThumbListCtrl& list = MakeFillingList();
    Messenger messenger;
    int madeWhenHandled = -1;
    messenger.Post([&] { madeWhenHandled = MadeCount(list); });

    list.ShowFolder(dir.Path().c_str(), FALSE);

    ASSERT_TRUE(messenger.Ran());
    EXPECT_GE(madeWhenHandled, 1);
    EXPECT_LT(madeWhenHandled, 12);
    EXPECT_EQ(MadeCount(list), 12);
}

TEST_F(ThumbListTest, AnotherFolderShownDuringAFillTakesOver)
{
    testsupport::TempDir first, second;
    for (int i = 0; i < 8; ++i)
        ASSERT_TRUE(WriteBmp(first.File("first" + std::to_string(i) + ".bmp"), 60, 40, RGB(200, 0, 0)));
    for (int i = 0; i < 3; ++i)
        ASSERT_TRUE(WriteBmp(second.File("second" + std::to_string(i) + ".bmp"), 60, 40, RGB(0, 0, 200)));
    CThumbListCtrl& list = MakeFillingList();
    Messenger messenger;
    messenger.Post([&] { list.ShowFolder(second.Path().c_str(), FALSE); });

    list.ShowFolder(first.Path().c_str(), FALSE);

    ASSERT_TRUE(messenger.Ran());
    const std::vector<std::string> expected = {"second0.bmp", "second1.bmp", "second2.bmp"};
    EXPECT_EQ(ListedNames(list), expected);
    EXPECT_EQ(MadeCount(list), 3);
    EXPECT_EQ(std::string(list.GetFolder()), second.Path());
}

TEST_F(ThumbListTest, ListDestroyedDuringAFillEndsIt)
{
    testsupport::TempDir dir;
    for (int i = 0; i < 8; ++i)
        ASSERT_TRUE(WriteBmp(dir.File("p" + std::to_string(i) + ".bmp"), 60, 40, RGB(0, 200, 0)));
    CThumbListCtrl& list = MakeFillingList();
    Messenger messenger;
    messenger.Post([&] {
        m_list->DestroyWindow();
        m_list.reset();
    });

    list.ShowFolder(dir.Path().c_str(), FALSE);

    EXPECT_TRUE(messenger.Ran());
    EXPECT_EQ(m_list, nullptr);
}

// "\x81\x5C" is one GBK character whose trail byte is a backslash: the
// folder's name does not end in a separator.
TEST_F(ThumbListTest, AFolderWhoseLastCharacterEndsInTheBackslashByteIsListed)
{
    testsupport::TempDir dir;
    const std::string folder = dir.Path() + "\\图\x81\x5C";
    ASSERT_TRUE(::CreateDirectoryA(folder.c_str(), NULL));
    ASSERT_TRUE(WriteBmp(folder + "\\inside.bmp", 30, 20, RGB(0, 90, 160)));

    CThumbListCtrl& list = MakeFillingList();
    list.ShowFolder(folder.c_str(), FALSE);
    EXPECT_EQ(ListedNames(list), std::vector<std::string>{"inside.bmp"});
    EXPECT_EQ(MadeCount(list), 1);
    ::DeleteFileA((folder + "\\inside.bmp").c_str());
    ::RemoveDirectoryA(folder.c_str());
}

// The properties box of each selected picture in turn, with the texts the
// list makes of the record; a box closed otherwise than with OK ends the series.
TEST_F(ThumbListTest, PropertiesShowEachSelectedPictureUntilOneIsNotClosedWithOk)
{
    testsupport::TempDir dir;
    // 100 x 100 at 2835 pixels per metre: 30054 bytes. 32 x 32: 3126 bytes.
    ASSERT_TRUE(WriteBmp(dir.File("large.bmp"), 100, 100, RGB(10, 20, 30)));
    ASSERT_TRUE(WriteBmp(dir.File("middle.bmp"), 32, 32, RGB(10, 20, 30)));
    ASSERT_TRUE(WriteBmp(dir.File("small.bmp"), 8, 8, RGB(10, 20, 30)));
    const SYSTEMTIME written = LocalTime(2022, 7, 8, 9, 5, 3);
    ASSERT_TRUE(thumbtest::SetFileTimes(dir.File("large.bmp"), written, written));

    // The first fill makes no thumbnails: the box reads the details itself.
    CThumbListCtrl& list = MakeList();
    list.ShowFolder(dir.Path().c_str(), FALSE);
    ASSERT_EQ(ListedNames(list), (std::vector<std::string>{"large.bmp", "middle.bmp", "small.bmp"}));
    ASSERT_TRUE(list.GetThumbItem(0)->strSizeText.IsEmpty());
    for (int i = 0; i < 3; ++i)
        list.SetItemState(i, LVIS_SELECTED, LVIS_SELECTED);

    const int ids[] = {IDC_PROP_LOCATION, IDC_PROP_SIZE,         IDC_PROP_CREATED,
                       IDC_PROP_MODIFIED, IDC_PROP_PICTURE_SIZE, IDC_PROP_PICTURE_TYPE};
    std::vector<std::vector<std::string>> shown;
    auto read = [&](HWND dialog) {
        ::UpdateWindow(dialog);
        std::vector<std::string> texts;
        for (int id : ids) {
            char text[256] = "";
            ::GetDlgItemTextA(dialog, id, text, sizeof(text));
            texts.push_back(text);
        }
        shown.push_back(texts);
    };
    auto& first = testsupport::GuiDriver::Current().Expect("属性").Run(read).Press(IDOK);
    auto& second = testsupport::GuiDriver::Current().Expect("属性").Run(read).Close();
    list.SendMessage(WM_COMMAND, ID_THUMB_PROPERTIES);
    EXPECT_TRUE(first.Seen());
    EXPECT_TRUE(second.Seen());

    ASSERT_EQ(shown.size(), 2u);
    const std::string created = std::string(FormatFileTime(list.GetThumbItem(0)->tmCreated));
    EXPECT_EQ(shown[0], (std::vector<std::string>{dir.Path(), "29.3 KB (30054 Bytes)", created, "2022-7-8  9:5:3",
                                                  "100(H) * 100(V) Pixels", "RGB,72.01Dpi(H),72.01Dpi(V)"}));
    EXPECT_EQ(shown[1][1], "3.1 KB (3126 Bytes)");
    EXPECT_EQ(shown[1][4], "32(H) * 32(V) Pixels");
    // The details read for the box stay with the record.
    EXPECT_EQ(std::string(list.GetThumbItem(0)->strSizeText), "100(H) * 100(V) Pixels,29KB");
}

TEST_F(ThumbListTest, SpacingFollowsTheProfileTheDialogAndTheViewMode)
{
    auto spacing = [](CThumbListCtrl& list) {
        DWORD value = static_cast<DWORD>(list.SendMessage(LVM_GETITEMSPACING, FALSE, 0));
        return CSize(LOWORD(value), HIWORD(value));
    };
    WriteSetting("IsSysSpacing", 1);
    WriteSetting("HorzSpacing", 150);
    WriteSetting("VertSpacing", 140);
    CThumbListCtrl& list = MakeList();
    list.m_sizeSysSpacing = CSize(40, 30);
    list.ApplySpacing();
    EXPECT_EQ(spacing(list), CSize(150, 140));
    EXPECT_EQ(list.m_nThumbSize, 64);

    // The dialog gives the spacing beyond the thumbnail; 12.5 rounds to 13.
    testsupport::GuiDriver::Current().Expect("图标间距").SetText(IDC_SPACING_HORZ, "12.5").SetText(IDC_SPACING_VERT, "20").Press(IDOK);
    list.SendMessage(WM_COMMAND, ID_THUMB_SPACING_CUSTOM);
    EXPECT_EQ(spacing(list), CSize(64 + 13, 64 + 20));
    EXPECT_TRUE(list.m_bCustomSpacing);

    // A larger thumbnail keeps the spacing beyond it.
    list.SendMessage(WM_COMMAND, ID_THUMB_VIEW_LARGE);
    EXPECT_EQ(list.m_nThumbSize, 96);
    EXPECT_EQ(spacing(list), CSize(96 + 13, 96 + 20));

    // Cancel changes nothing.
    testsupport::GuiDriver::Current().Expect("图标间距").SetText(IDC_SPACING_HORZ, "1").Press(IDCANCEL);
    list.SendMessage(WM_COMMAND, ID_THUMB_SPACING_CUSTOM);
    EXPECT_EQ(spacing(list), CSize(96 + 13, 96 + 20));

    // Standard spacing: the thumbnail and the system's spacing.
    list.SendMessage(WM_COMMAND, ID_THUMB_SPACING_STANDARD);
    EXPECT_EQ(spacing(list), CSize(96 + 40, 96 + 30));
    EXPECT_FALSE(list.m_bCustomSpacing);

    list.DestroyWindow();
    EXPECT_EQ(ReadSetting("IsSysSpacing"), std::optional<DWORD>(0));
    EXPECT_EQ(ReadSetting("HorzSpacing"), std::optional<DWORD>(136));
    EXPECT_EQ(ReadSetting("VertSpacing"), std::optional<DWORD>(126));
    EXPECT_EQ(ReadSetting("ViewMode"), std::optional<DWORD>(0));
}

TEST_F(ThumbListTest, SwitchesAreToggledAndSavedOnly)
{
    WriteSetting("FileType", 0x15);
    CThumbListCtrl& list = MakeList();
    EXPECT_TRUE(list.m_bAutoRefresh);
    EXPECT_TRUE(list.m_bDefaultParams);
    list.SendMessage(WM_COMMAND, ID_THUMB_AUTO_REFRESH);
    list.SendMessage(WM_COMMAND, ID_THUMB_DEFAULT_PARAMS);
    list.SendMessage(WM_COMMAND, ID_THUMB_DEFAULT_PARAMS);
    list.DestroyWindow();
    EXPECT_EQ(ReadSetting("AutoRefresh"), std::optional<DWORD>(0));
    EXPECT_EQ(ReadSetting("DefaultPrm"), std::optional<DWORD>(1));
    EXPECT_EQ(ReadSetting("FileType"), std::optional<DWORD>(0x15));
    EXPECT_EQ(ReadSetting("Sort"), std::optional<DWORD>(4));
    EXPECT_EQ(ReadSetting("ViewMode"), std::optional<DWORD>(1));
}

}  // namespace

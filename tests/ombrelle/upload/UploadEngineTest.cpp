// Uploads end to end: the client in-process, the back-end stand-in and a
// loopback FTP server with the registered FTP component. Pictures selected
// in the thumbnail pane go up through WM_USER+5 or command 32777; the main
// frame's poll posts each task's record and cleans up after it.
#include "BackendFixture.h"

#include "GuiDriver.h"
#include "MainFrame.h"
#include "OmbrelleDoc.h"
#include "PicThumnailFormView.h"
#include "PictureFiles.h"
#include "ReducedCopy.h"
#include "ServerSession.h"
#include "TempDir.h"
#include "WinePath.h"
#include "resource.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <memory>
#include <set>
#include <string>
#include <vector>

namespace uploadtest {
namespace {

using testsupport::Gui;

const UINT WM_START_UPLOAD = WM_USER + 5;
const char kUploaded[] = "成功上传图片资产";
const char kFilesNotUploaded[] = "上传资产文件失败";
// The first ids the stand-in hands out, as keys of category 7.
const char kFirstKey[] = "000070000001000";

// Files below a folder, as "a/b/c" paths.
void ListFiles(const std::string& root, const std::string& relative, std::vector<std::string>& files)
{
    WIN32_FIND_DATAA data;
    const std::string folder = relative.empty() ? root : root + "\\" + relative;
    HANDLE hFind = ::FindFirstFileA((folder + "\\*").c_str(), &data);
    if (hFind == INVALID_HANDLE_VALUE)
        return;
    do {
        const std::string name = data.cFileName;
        if (name == "." || name == "..")
            continue;
        const std::string path = relative.empty() ? name : relative + "\\" + name;
        if (data.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) {
            ListFiles(root, path, files);
        } else {
            std::string slashed = path;
            std::replace(slashed.begin(), slashed.end(), '\\', '/');
            files.push_back(slashed);
        }
    } while (::FindNextFileA(hFind, &data));
    ::FindClose(hFind);
}

std::vector<std::string> FilesBelow(const std::string& root)
{
    std::vector<std::string> files;
    ListFiles(root, "", files);
    std::sort(files.begin(), files.end());
    return files;
}

bool Exists(const std::string& path) { return ::GetFileAttributesA(path.c_str()) != INVALID_FILE_ATTRIBUTES; }

size_t Count(const std::vector<std::string>& items, const std::string& item)
{
    return static_cast<size_t>(std::count(items.begin(), items.end(), item));
}

// "<year>/<Mon>/<dd>" of a date, the month in English.
std::string DateFolder(const SYSTEMTIME& date)
{
    static const char* const kMonths[] = {"Jan", "Feb", "Mar", "Apr", "May", "Jun",
                                          "Jul", "Aug", "Sep", "Oct", "Nov", "Dec"};
    char text[32];
    snprintf(text, sizeof(text), "%d/%s/%02d", date.wYear, kMonths[date.wMonth - 1], date.wDay);
    return text;
}

std::string Key(int id)
{
    char key[32];
    snprintf(key, sizeof(key), "00007%010d", id);
    return key;
}

class UploadEngineTest : public BackendFixture {
protected:
    void TearDown() override
    {
        BackendFixture::TearDown();
        m_ftp.reset();
    }

    // The client logged in, asset type 7, the stand-in's storage on a
    // loopback FTP server started with the options.
    void StartUploading(const std::vector<std::string>& options = {}, const std::string& password = "pw")
    {
        StartLoggedIn();
        StartStore(options, password);
    }

    // ... not logged in yet, with a remembered user that the stand-in accepts.
    void StartRemembered()
    {
        StartWithServer();
        RememberedUploadUser = kUser;
        RememberedUploadPassword = kPassword;
        StartStore({}, "pw");
    }

    void StartStore(const std::vector<std::string>& options, const std::string& password)
    {
        if (HasFatalFailure())
            return;
        CurrentCategoryId = "7";
        std::vector<std::string> arguments = {testsupport::UnixPath(m_store.Path()), "up", "pw"};
        arguments.insert(arguments.end(), options.begin(), options.end());
        m_ftp = std::make_unique<testsupport::PythonService>("testsvc/ftp_server.py", arguments);
        Backend("reply\tGetStorageLocation\t1;127.0.0.1:" + std::to_string(m_ftp->Port()) + "/store;up;" + password);
        ::GetLocalTime(&m_started);
    }

    std::string Picture(const std::string& name, int width = 800, int height = 600)
    {
        const std::string path = m_files.File(name);
        EXPECT_TRUE(doctest::WritePicture(path, width, height, RGB(200, 120, 40))) << path;
        return path;
    }

    std::string File(const std::string& name, const std::string& bytes)
    {
        const std::string path = m_files.File(name);
        EXPECT_TRUE(testsupport::WriteFileBytes(path, bytes));
        return path;
    }

    CUploadEngineWnd& Engine() const { return Doc()->m_engine; }

    // Stops the poll; FALSE when it was not running.
    bool StopPoll() const { return ::KillTimer(Frame()->GetSafeHwnd(), CMainFrame::kPollTimer) != FALSE; }

    // The server's files of one kind of folder, on a date of the test.
    std::string StoreFile(const char* kind, const std::string& name) const
    {
        return std::string("store/Category7/") + kind + "/" + DateFolder(m_started) + "/" + name;
    }

    std::vector<std::string> StoreFiles() const { return FilesBelow(m_store.Path()); }

    // What the upload left in the temp folder: copies and records.
    std::vector<std::string> UploadLeftovers() const
    {
        std::vector<std::string> left;
        for (const std::string& name : FilesBelow(m_temp.Path()))
            if (name.rfind("prev_", 0) == 0 || name.rfind("web_", 0) == 0 ||
                name.find("_ImageInfo.xml") != std::string::npos)
                left.push_back(name);
        return left;
    }

    testsupport::TempDir m_store;
    std::unique_ptr<testsupport::PythonService> m_ftp;
    SYSTEMTIME m_started = {};
};

TEST_F(UploadEngineTest, OneJpegReachesTheStoreAndItsRecordTheServer)
{
    // The submission logs in itself, without a window.
    StartRemembered();
    ASSERT_FALSE(Doc()->m_bLoggedIn);
    const std::string picture = Picture("a.jpg");
    SelectPictures({picture});
    auto& done = Gui().Expect("").Press(IDOK);
    Frame()->SendMessage(WM_START_UPLOAD);
    ASSERT_EQ(1, Engine().QueuedCount);
    ASSERT_TRUE(Gui().WaitFor(done, 60000));
    EXPECT_TRUE(done.HasText(kUploaded));

    const std::vector<std::string> verbs = VerbsSince(0);
    EXPECT_EQ((std::vector<std::string>{"CheckLogin", "GetStorageLocation", "GetNewAssetID", "AddAsset"}), verbs);
    const std::vector<Request> requests = Requests();
    const double pictureMB = testsupport::ReadFileBytes(picture).size() / 1048576.0;
    const std::string& location = requests[1].url;
    const size_t size = location.find("&FileSize=");
    ASSERT_NE(std::string::npos, size) << location;
    EXPECT_GT(atof(location.c_str() + size + 10), pictureMB) << "the copies count too: " << location;

    const std::string key = kFirstKey;
    EXPECT_EQ((std::vector<std::string>{StoreFile("Accessory0", "asset" + key + "_web.jpg"),
                                        StoreFile("Asset", "asset" + key + ".jpg"),
                                        StoreFile("Thumbnail", "asset" + key + "_prev.jpg")}),
              StoreFiles());
    EXPECT_EQ(testsupport::ReadFileBytes(picture),
              testsupport::ReadFileBytes(m_store.File("store\\Category7\\Asset\\" + DateFolder(m_started) + "\\asset" +
                                                      key + ".jpg")));
    const std::string& record = requests[3].body;
    EXPECT_EQ(0u, record.find("<?xml version=\"1.0\" encoding=\"GB2312\" ?>\r\n<Asset"));
    EXPECT_NE(std::string::npos, record.find("FileName=\"asset" + key + ".jpg\"")) << record;
    EXPECT_NE(std::string::npos, record.find("<AssetID AssetID=\"1000\"/>")) << record;
    EXPECT_NE(std::string::npos, record.find("Path=\"Category7/Asset/" + DateFolder(m_started) + "\"")) << record;

    EXPECT_TRUE(UploadLeftovers().empty());
    EXPECT_TRUE(Exists(picture));
    EXPECT_EQ(0, Engine().QueuedCount);
    EXPECT_FALSE(StopPoll());
}

TEST_F(UploadEngineTest, ThreePicturesGoUpAsOneTaskWithOneRecord)
{
    StartUploading();
    const std::vector<std::string> pictures = {Picture("a.jpg"), Picture("b.bmp", 300, 200), Picture("c.tif")};
    SelectPictures(pictures);
    auto& done = Gui().Expect("").Press(IDOK);
    Frame()->SendMessage(WM_START_UPLOAD);
    ASSERT_EQ(1, Engine().QueuedCount);
    const UploadTask task = *Engine().GetTask(0);
    EXPECT_EQ(CString(kFirstKey), task.TaskID);
    EXPECT_EQ(CString((m_temp.Path() + "\\" + Key(1002) + "_ImageInfo.xml").c_str()), task.m_uploadinfo.m_strRecordFile);
    ASSERT_TRUE(Gui().WaitFor(done, 60000));
    EXPECT_TRUE(done.HasText(kUploaded));

    const std::vector<std::string> verbs = VerbsSince(0);
    EXPECT_EQ(1u, Count(verbs, "GetStorageLocation"));
    EXPECT_EQ(3u, Count(verbs, "GetNewAssetID"));
    const std::vector<Request> posts = Posts();
    ASSERT_EQ(1u, posts.size());
    EXPECT_NE(std::string::npos, posts[0].body.find("<AssetList>"));
    const char* const extensions[] = {".jpg", ".bmp", ".tif"};
    std::vector<std::string> expected;
    for (int i = 0; i < 3; ++i) {
        expected.push_back(StoreFile("Asset", "asset" + Key(1000 + i) + extensions[i]));
        expected.push_back(StoreFile("Accessory0", "asset" + Key(1000 + i) + "_web.jpg"));
        expected.push_back(StoreFile("Thumbnail", "asset" + Key(1000 + i) + "_prev.jpg"));
        EXPECT_NE(std::string::npos, posts[0].body.find("FileName = \"asset" + Key(1000 + i) + extensions[i] + "\""))
            << posts[0].body;
    }
    std::sort(expected.begin(), expected.end());
    EXPECT_EQ(expected, StoreFiles());
    EXPECT_TRUE(UploadLeftovers().empty());
    for (const std::string& picture : pictures)
        EXPECT_TRUE(Exists(picture));
    EXPECT_FALSE(StopPoll());
}

TEST_F(UploadEngineTest, OverlappingSubmissionsFinishEachTaskOnceWithItsOwnFiles)
{
    // Slow enough that the first task still transfers while the second is submitted.
    StartUploading({"throttle=100000"});
    const std::string first = Picture("first.bmp", 400, 300), second = Picture("second.bmp", 400, 300);
    auto& firstDone = Gui().Expect("").Press(IDOK);
    auto& secondDone = Gui().Expect("").Press(IDOK);
    SelectPictures({first});
    Frame()->SendMessage(WM_START_UPLOAD);
    SelectPictures({second});
    Frame()->SendMessage(WM_START_UPLOAD);
    ASSERT_EQ(2, Engine().QueuedCount);
    ASSERT_TRUE(Gui().WaitFor(secondDone, 60000));
    EXPECT_TRUE(firstDone.HasText(kUploaded));
    EXPECT_TRUE(secondDone.HasText(kUploaded));
    // Ticks after both finished post nothing again.
    EXPECT_FALSE(StopPoll());

    const std::vector<Request> posts = Posts();
    ASSERT_EQ(2u, posts.size());
    std::set<std::string> posted;
    for (const Request& post : posts)
        for (int id : {1000, 1001})
            if (post.body.find("FileName=\"asset" + Key(id) + ".bmp\"") != std::string::npos)
                posted.insert(Key(id));
    EXPECT_EQ((std::set<std::string>{Key(1000), Key(1001)}), posted);
    EXPECT_EQ(6u, StoreFiles().size());
    EXPECT_TRUE(UploadLeftovers().empty());
    EXPECT_TRUE(Exists(first));
    EXPECT_TRUE(Exists(second));
}

struct RefusalCase {
    const char* name;
    const char* command;   // to the stand-in
    const char* caption;   // "" for the application's
    const char* message;
    const char* verb;      // asked this often
    size_t requests;
};

const RefusalCase kRefusals[] = {
    {"NegativeStorageCode", "reply\tGetStorageLocation\t-1;存储空间不足;x", "Error", "存储空间不足",
     "GetStorageLocation", 1},
    {"NoStorageLocation", "fault\tGetStorageLocation\tempty", "", "不能连接到后台管理库，请重新尝试连接或退出",
     "GetStorageLocation", 6},
    {"NoAssetId", "fault\tGetNewAssetID\tempty", "Error", "Can't allocate ID, Check network please",
     "GetNewAssetID", 5},
};

void PrintTo(const RefusalCase& c, std::ostream* os) { *os << c.name; }

class UploadRefusalTest : public UploadEngineTest, public ::testing::WithParamInterface<RefusalCase> {};

TEST_P(UploadRefusalTest, TellsTheUserAndQueuesNothing)
{
    const RefusalCase& c = GetParam();
    StartUploading();
    Backend(c.command);
    const std::string picture = Picture("a.jpg");
    SelectPictures({picture});
    auto& message = Gui().Expect(c.caption).Press(IDOK);
    const size_t first = Requests().size();
    Frame()->SendMessage(WM_START_UPLOAD);
    EXPECT_TRUE(message.Seen());
    EXPECT_TRUE(message.HasText(c.message));
    EXPECT_EQ(c.requests, Count(VerbsSince(first), c.verb));
    EXPECT_EQ(0, Engine().QueuedCount);
    EXPECT_FALSE(StopPoll());
    EXPECT_TRUE(Posts().empty());
}

INSTANTIATE_TEST_SUITE_P(Refusals, UploadRefusalTest, ::testing::ValuesIn(kRefusals),
                         [](const ::testing::TestParamInfo<RefusalCase>& info) { return info.param.name; });

struct TransferFailureCase {
    const char* name;
    const char* ftpOption;  // "" for none
    const char* password;   // the one the stand-in hands out
};

const TransferFailureCase kTransferFailures[] = {
    {"WrongPassword", "", "wrong"},
    {"DroppedMidFile", "drop-data-after=20000", "pw"},
};

void PrintTo(const TransferFailureCase& c, std::ostream* os) { *os << c.name; }

class UploadTransferFailureTest : public UploadEngineTest,
                                  public ::testing::WithParamInterface<TransferFailureCase> {};

TEST_P(UploadTransferFailureTest, IsToldOnceAndKeepsTheFiles)
{
    const TransferFailureCase& c = GetParam();
    StartUploading(*c.ftpOption ? std::vector<std::string>{c.ftpOption} : std::vector<std::string>{}, c.password);
    // Big enough to be cut while it travels.
    const std::string picture = Picture("a.bmp", 400, 300);
    SelectPictures({picture});
    auto& failed = Gui().Expect("").Press(IDOK);
    Frame()->SendMessage(WM_START_UPLOAD);
    ASSERT_EQ(1, Engine().QueuedCount);
    ASSERT_TRUE(Gui().WaitFor(failed, 60000));
    EXPECT_TRUE(failed.HasText(kFilesNotUploaded));
    ASSERT_TRUE(Gui().WaitFor([this] { return Engine().QueuedCount == 0; }, 10000));

    EXPECT_TRUE(Posts().empty());
    const std::vector<std::string> left = UploadLeftovers();
    EXPECT_EQ(3u, left.size()) << "both copies and the record stay";
    EXPECT_EQ(1u, Count(left, Key(1000) + "_ImageInfo.xml"));
    EXPECT_TRUE(Exists(picture));
    EXPECT_FALSE(StopPoll());
}

INSTANTIATE_TEST_SUITE_P(Failures, UploadTransferFailureTest, ::testing::ValuesIn(kTransferFailures),
                         [](const ::testing::TestParamInfo<TransferFailureCase>& info) { return info.param.name; });

// The long side of the JPEG that Identify reads, 0 for anything else.
int JpegLongSide(const std::string& path)
{
    const std::string identified = doctest::Identify(path);
    int width = 0, height = 0;
    if (identified.rfind("JPEG ", 0) != 0 || sscanf(identified.c_str() + 5, "%dx%d", &width, &height) != 2)
        return 0;
    return std::max(width, height);
}

TEST_F(UploadEngineTest, CopiesAreSixtyFourPixelsAndTheLongSideUpTo1024)
{
    Start();
    Engine().m_pDoc = Doc();
    const struct {
        int width, height, webSide;
    } cases[] = {{800, 600, 800}, {3000, 2000, 1024}, {600, 1200, 1024}, {40, 30, 40}};
    for (const auto& c : cases) {
        const std::string picture = Picture("p" + std::to_string(c.width) + ".jpg", c.width, c.height);
        Engine().MakePreviewCopy(picture.c_str());
        Engine().MakeWebCopy(picture.c_str());
        const std::string preview = LPCTSTR(Doc()->m_strPreviewCopy), web = LPCTSTR(Doc()->m_strWebCopy);
        EXPECT_EQ(LPCTSTR(UploadCopyName(m_temp.Path().c_str(), "prev_", picture.c_str())), preview);
        EXPECT_EQ(LPCTSTR(UploadCopyName(m_temp.Path().c_str(), "web_", picture.c_str())), web);
        EXPECT_EQ(std::min(64, std::max(c.width, c.height)), JpegLongSide(preview)) << c.width;
        EXPECT_EQ(c.webSide, JpegLongSide(web)) << c.width;
    }
}

TEST_F(UploadEngineTest, APictureThatCannotBeDecodedGoesUpAlone)
{
    StartUploading();
    const std::string picture = File("broken.jpg", std::string(5000, 'x'));
    SelectPictures({picture});
    Frame()->SendMessage(WM_START_UPLOAD);
    StopPoll();
    EXPECT_TRUE(Doc()->m_strPreviewCopy.IsEmpty());
    EXPECT_TRUE(Doc()->m_strWebCopy.IsEmpty());
    ASSERT_EQ(1, Engine().QueuedCount);
    EXPECT_EQ(CString(picture.c_str()), Engine().GetTask(0)->m_uploadinfo.m_lfile);
    EXPECT_TRUE(UploadLeftovers() == std::vector<std::string>{Key(1000) + "_ImageInfo.xml"});
}

struct NamingCase {
    const char* name;
    std::vector<std::string> files;  // in folders below the test's own: "one\\x.jpg"
    // Per file: the main file's server name after "asset<key>".
    std::vector<std::string> serverSuffixes;
};

const NamingCase kNamingCases[] = {
    {"UnknownType", {"x.dat"}, {".dat"}},
    {"Photoshop", {"x.psd"}, {".psd"}},
    {"PostScript", {"x.eps"}, {".eps"}},
    {"NoExtension", {"scan"}, {""}},
    {"DotInTheFolderOnly", {"my.folder\\scan"}, {""}},
    {"NoExtensionInAList", {"x.jpg", "scan"}, {".jpg", ""}},
    {"OneNameTwoTypes", {"x.jpg", "x.tif"}, {".jpg", ".tif"}},
    {"OneNameTwoFolders", {"one\\x.jpg", "two\\x.jpg"}, {".jpg", ".jpg"}},
};

void PrintTo(const NamingCase& c, std::ostream* os) { *os << c.name; }

class UploadNamingTest : public UploadEngineTest, public ::testing::WithParamInterface<NamingCase> {};

TEST_P(UploadNamingTest, EveryFileHasItsOwnNames)
{
    const NamingCase& c = GetParam();
    StartUploading();
    std::vector<std::string> pictures;
    std::vector<bool> copies;
    for (const std::string& file : c.files) {
        const size_t slash = file.rfind('\\');
        if (slash != std::string::npos)
            ::CreateDirectoryA(m_files.File(file.substr(0, slash)).c_str(), NULL);
        // Only pictures of a type that can be shown get copies.
        const bool shown = file.size() > 4 && (file.substr(file.size() - 4) == ".jpg" || file.substr(file.size() - 4) == ".tif");
        copies.push_back(shown);
        pictures.push_back(shown ? Picture(file) : File(file, "not shown"));
    }
    SelectPictures(pictures);
    Frame()->SendMessage(WM_START_UPLOAD);
    StopPoll();
    ASSERT_EQ(1, Engine().QueuedCount);
    const UploadTask& task = *Engine().GetTask(0);
    ASSERT_EQ(pictures.size(), size_t(task.m_arrSubmitted.GetSize()));
    const std::string record = testsupport::ReadFileBytes(LPCTSTR(task.m_uploadinfo.m_strRecordFile));

    for (size_t i = 0; i < pictures.size(); ++i) {
        const std::string key = Key(1000 + int(i));
        const std::string web = LPCTSTR(UploadCopyName(m_temp.Path().c_str(), "web_", pictures[i].c_str()));
        const std::string preview = LPCTSTR(UploadCopyName(m_temp.Path().c_str(), "prev_", pictures[i].c_str()));
        EXPECT_EQ(copies[i], Exists(web) && Exists(preview)) << pictures[i];
        EXPECT_EQ(key + "|" + pictures[i] + "|" + (copies[i] ? preview : "") + "|" + (copies[i] ? web : ""),
                  LPCTSTR(task.m_arrSubmitted[int(i)]));
        EXPECT_NE(std::string::npos, record.find("/asset" + key + c.serverSuffixes[i] + "</AssetLocation>"))
            << record;
        if (i == 0) {
            const std::string remote = LPCTSTR(task.m_uploadinfo.m_rfile);
            const std::string main = remote.substr(0, remote.find('|'));
            EXPECT_EQ("/asset" + key + c.serverSuffixes[i], main.substr(main.rfind('/'))) << remote;
        }
    }
    if (pictures.size() == 1)
        EXPECT_EQ(pictures[0], LPCTSTR(task.m_uploadinfo.m_lfile)) << "no copies";
    else
        EXPECT_NE(LPCTSTR(task.m_arrSubmitted[0].Mid(16)), LPCTSTR(task.m_arrSubmitted[1].Mid(16))) << "no copy is shared";
}

INSTANTIATE_TEST_SUITE_P(Names, UploadNamingTest, ::testing::ValuesIn(kNamingCases),
                         [](const ::testing::TestParamInfo<NamingCase>& info) { return info.param.name; });

// Command 32777 "提交入库".
class SubmitToStoreTest : public UploadEngineTest {
protected:
    void Submit() { Frame()->SendMessage(WM_COMMAND, ID_SUBMIT_TO_STORE); }
};

TEST_F(SubmitToStoreTest, WithoutAServerAddressItStopsAtOnce)
{
    StartWithServer();
    Doc()->m_strServerUrl.Empty();
    auto& message = Gui().Expect("").Press(IDOK);
    Submit();
    EXPECT_TRUE(message.HasText("请设置后台服务器地址"));
    EXPECT_TRUE(Requests().empty());
    EXPECT_FALSE(StopPoll());
}

TEST_F(SubmitToStoreTest, LogsInThroughTheDialogThenWantsAFolder)
{
    StartWithServer();
    auto& login = Gui()
                      .Expect("身份信息提取")
                      .SetText(IDC_UPLOAD_USER, kUser)
                      .SetText(IDC_UPLOAD_PASSWORD, kPassword)
                      .Press(IDOK);
    auto& message = Gui().Expect("").Press(IDOK);
    Submit();
    EXPECT_TRUE(login.Seen());
    EXPECT_TRUE(message.HasText("请先选择要进行编目的图片文件"));
    EXPECT_TRUE(Doc()->m_bLoggedIn);
    EXPECT_EQ((std::vector<std::string>{"CheckLogin"}), VerbsSince(0));
    EXPECT_FALSE(StopPoll());
}

TEST_F(SubmitToStoreTest, WithoutMetadataItSaysNothingWasCatalogued)
{
    StartUploading();
    SelectPictures({Picture("a.jpg")});
    auto& message = Gui().Expect("").Press(IDOK);
    Submit();
    EXPECT_TRUE(message.HasText("没有著录"));
    EXPECT_FALSE(StopPoll());
}

TEST_F(SubmitToStoreTest, TakesOnlyTheCataloguedPictures)
{
    StartUploading();
    const std::string catalogued = Picture("a.jpg"), other = Picture("b.jpg");
    SelectPictures({other, catalogued});
    Doc()->m_strFieldAttributes = "Title='t'";
    Doc()->m_arrCatalogued.Add(catalogued.c_str());
    Submit();
    EXPECT_TRUE(StopPoll());
    ASSERT_EQ(1, Engine().QueuedCount);
    const UploadTask& task = *Engine().GetTask(0);
    ASSERT_EQ(1, task.m_arrSubmitted.GetSize());
    EXPECT_EQ(0, task.m_arrSubmitted[0].Find((Key(1000) + "|" + catalogued + "|").c_str()));
    EXPECT_FALSE(Exists(LPCTSTR(UploadCopyName(m_temp.Path().c_str(), "web_", other.c_str()))));
    EXPECT_EQ(0, Doc()->m_arrCatalogued.GetSize());
}

TEST_F(UploadEngineTest, NothingSelectedAsksForPictures)
{
    StartUploading();
    Frame()->GetThumbnailView()->m_arrSelectedFiles.RemoveAll();
    auto& message = Gui().Expect("").Press(IDOK);
    Frame()->SendMessage(WM_START_UPLOAD);
    EXPECT_TRUE(message.HasText("请选择上载的图片"));
    EXPECT_FALSE(StopPoll());
}

TEST_F(UploadEngineTest, TheMetadataDescriptionIsFetchedOnceAndSaved)
{
    StartLoggedIn();
    Engine().m_pDoc = Doc();
    const size_t first = Requests().size();
    const CString strDescription = Engine().FetchAssetMetaDataStruct();
    EXPECT_NE(-1, strDescription.Find("<"));
    EXPECT_EQ(strDescription, Engine().FetchAssetMetaDataStruct());
    EXPECT_EQ((std::vector<std::string>{"AssetMetaDataStruct"}), VerbsSince(first));
    // The catalogue tree's client now answers from what the fetch read.
    EXPECT_EQ(strDescription, Doc()->m_strCategoryStructure);

    ASSERT_TRUE(Engine().SaveAssetMetaInfo());
    const std::string saved = testsupport::ReadFileBytes(m_temp.File("assetmetainfo.xml"));
    EXPECT_NE(std::string::npos, saved.find("<")) << saved;
}

TEST_F(UploadEngineTest, AServerThatNoLongerAnswersTheDescriptionIsTold)
{
    StartLoggedIn();
    Engine().m_pDoc = Doc();
    ASSERT_FALSE(Engine().FetchAssetMetaDataStruct().IsEmpty());
    // Another address: the client is replaced, and the new one gets nothing.
    Backend("fault\tAssetMetaDataStruct\tempty");
    Doc()->m_strServerUrl = (ServerAddress() + "/other/HttpRequestServlet.jsp").c_str();
    const size_t first = Requests().size();
    auto& message = Gui().Expect("").Press(IDOK);
    EXPECT_TRUE(Engine().FetchAssetMetaDataStruct().IsEmpty());
    EXPECT_TRUE(message.HasText("不能连接到后台管理库，请重新尝试连接或退出"));
    EXPECT_EQ(nullptr, Doc()->m_pTreeServerClient);
    EXPECT_EQ(3u, Count(VerbsSince(first), "AssetMetaDataStruct"));
}

TEST(UploadFileSizeTest, MegabytesOfAFileAndZeroForNone)
{
    testsupport::TempDir folder;
    ASSERT_TRUE(testsupport::WriteFileBytes(folder.File("a"), std::string(1572864, 'a')));
    EXPECT_DOUBLE_EQ(1.5, CMainFrame::GetFileSizeInMB(folder.File("a").c_str()));
    EXPECT_DOUBLE_EQ(0.0, CMainFrame::GetFileSizeInMB(folder.File("missing").c_str()));
}

}  // namespace
}  // namespace uploadtest

// The asset record: the bytes of both forms, their escaping, and the records
// the writer makes from the document for pictures on disk, which the XML
// reading helper and the back-end stand-in accept.
#include "BackendFixture.h"

#include "AssetRecord.h"
#include "AssetRecordWriter.h"
#include "HttpXMlProcess.h"
#include "IptcFixtures.h"
#include "OmbrelleDoc.h"
#include "ReducedCopy.h"
#include "ServerSession.h"
#include "TempDir.h"
#include "XmlReading.h"

#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

namespace uploadtest {
namespace {

using assetrecord::AssetValues;
using assetrecord::RecordContext;

const char kMainRemote[] = "/store/Category7/Asset/2026/Dec/09/asset000070000000042.jpg";

AssetValues Picture()
{
    AssetValues asset;
    asset.mainSize = "1.500";
    asset.horRes = "300";
    asset.verRes = "300";
    asset.picHeight = "600";
    asset.picWidth = "800";
    asset.picMode = "RGB";
    asset.catalogIds = "12,13";
    asset.storageHost = "10.0.0.5";
    asset.storagePath = "/store";
    asset.assetId = "42";
    asset.categoryId = "7";
    asset.originalName = "a.jpg";
    asset.originalFolder = "C:\\pics";
    asset.mainRemotePath = kMainRemote;
    return asset;
}

RecordContext Context()
{
    RecordContext context;
    context.localIp = "192.168.1.9";
    context.categoryId = "7";
    context.date.year = 2026;
    context.date.month = 12;
    context.date.day = 9;
    context.date.hour = 8;
    context.date.minute = 5;
    context.date.second = 3;
    return context;
}

void WithCopies(AssetValues& asset)
{
    asset.previewCopy = "C:\\temp\\prev_a_x.jpg";
    asset.previewName = "asset000070000000042_prev.jpg";
    asset.previewSize = "  0.062";
    asset.webCopy = "C:\\temp\\web_a_x.jpg";
    asset.webName = "asset000070000000042_web.jpg";
    asset.webSize = "  0.250";
}

const std::string kAssetStart =
    "<Asset  Description= \"\" DataSize=\"1.50000\" HorRes=\"300\" VerRes=\"300\" PicHeight=\"600\" PicWidth=\"800\" "
    "PicMode=\"RGB\" HeadLine=\"\" Category=\"\" EnveNumber=\"\" EnvePriority=\"\" LanguageID=\"\" ProductID=\"\" "
    "ServiceID=\"\" Destination=\"\" ObjName=\"\" OriginalTX=\"\" City=\"\" Country=\"\">";
const std::string kAssetRest =
    "\t<Folder SelectFolder = \"12,13\" />"
    "\t<AssetLocation>http://10.0.0.5/store/Category7/Asset/2026/Dec/09/asset000070000000042.jpg</AssetLocation>"
    "\t<StorageLocation StorageLocation=\"10.0.0.5/store\"/>"
    "\t<AssetID AssetID=\"42\"/>"
    "\t<AssetState>-1</AssetState>"
    "\t<CateID CategoryId =\"7\" />"
    "\t<MainFile Path=\"Category7/Asset/2026/Dec/09\" FileName=\"asset000070000000042.jpg\" OriginalName = \"a.jpg\" "
    "OriginalPath = \"192.168.1.9||C:\\pics\" DataSize =\"1.500\"/>"
    "</Asset>";
const std::string kCopies =
    "\t<File Path=\"Category7/Thumbnail/2026/Dec/09\" FileName=\"asset000070000000042_prev.jpg\" "
    "OriginalName=\"prev_a_x.jpg\" OriginalPath=\"192.168.1.9||C:\\temp\" DataSize=\"0.06200\">Thumbnail</File>"
    "\t<Accessory Type = \"0\" Source = \"图像采集程序\" RecordDate = \"2026-12-09 08:05:03 \" Note = \"\">"
    "\t\t<AccessoryMainFile Path=\"Category7/Accessory0/2026/Dec/09\" FileName=\"asset000070000000042_web.jpg\" "
    "OriginalName = \"web_a_x.jpg\" OriginalPath = \"192.168.1.9||C:\\temp\" DataSize =\"0.25000\"/>"
    "\t</Accessory>";
const std::string kDeclaration = "<?xml version=\"1.0\" encoding=\"GB2312\" ?>\r\n";

TEST(AssetRecordTest, SingleFormWithoutCopiesIsByteExact)
{
    EXPECT_EQ(assetrecord::ComposeSingleRecord(Picture(), Context()), kDeclaration + kAssetStart + kAssetRest);
}

TEST(AssetRecordTest, SingleFormWithCopiesIsByteExact)
{
    AssetValues asset = Picture();
    WithCopies(asset);
    EXPECT_EQ(assetrecord::ComposeSingleRecord(asset, Context()), kDeclaration + kAssetStart + kCopies + kAssetRest);
}

struct PieceCase {
    const char* name;
    std::function<void(AssetValues&, RecordContext&)> change;
    const char* piece;  // in the record
};

const PieceCase kPieceCases[] = {
    {"FormAttributesComeFirst", [](AssetValues& a, RecordContext&) { a.fieldAttributes = "Title='t' Kind='k'"; },
     "<Asset Title='t' Kind='k' Description= \"\" DataSize=\"1.50000\""},
    {"CaptionGoesIntoTheFormsDescription",
     [](AssetValues& a, RecordContext&) {
         a.fieldAttributes = "Title='t' Description='form ' Kind='k'";
         a.description = "caption";
     },
     "<Asset Title='t' Description='form caption' Kind='k' DataSize=\"1.50000\""},
    {"FormsDescriptionUnchangedWithoutCaption",
     [](AssetValues& a, RecordContext&) { a.fieldAttributes = "Description='form &amp; more'"; },
     "<Asset Description='form &amp; more' DataSize="},
    {"EscapedCaptionInTheFormsDescription",
     [](AssetValues& a, RecordContext&) {
         a.fieldAttributes = "Description=''";
         a.description = "it's <b>";
     },
     "<Asset Description='it&apos;s &lt;b&gt;' DataSize="},
    {"GivenStateStays", [](AssetValues& a, RecordContext&) { a.assetState = "0"; }, "<AssetState>0</AssetState>"},
    {"NoLocalAddress", [](AssetValues&, RecordContext& c) { c.localIp = ""; }, "OriginalPath = \"||C:\\pics\""},
    {"MonthInEnglishWhateverTheLocale", [](AssetValues&, RecordContext& c) { c.date.month = 5; },
     "Path=\"Category7/Asset/2026/May/09\""},
    {"ChosenTypeNamesTheFolders", [](AssetValues&, RecordContext& c) { c.categoryId = "-9999999"; },
     "Path=\"Category-9999999/Asset/2026/Dec/09\""},
    {"TinySizeKeepsFiveDecimals", [](AssetValues& a, RecordContext&) { a.mainSize = "  0.001"; },
     "DataSize=\"0.00100\""},
};

void PrintTo(const PieceCase& c, std::ostream* os) { *os << c.name; }

class AssetRecordPieces : public ::testing::TestWithParam<PieceCase> {};

TEST_P(AssetRecordPieces, SingleFormHoldsThePiece)
{
    AssetValues asset = Picture();
    RecordContext context = Context();
    GetParam().change(asset, context);
    std::string record = assetrecord::ComposeSingleRecord(asset, context);
    EXPECT_NE(std::string::npos, record.find(GetParam().piece)) << record;
    // No second Description.
    size_t first = record.find("Description");
    EXPECT_EQ(std::string::npos, record.find("Description", first + 1)) << record;
}

INSTANTIATE_TEST_SUITE_P(Table, AssetRecordPieces, ::testing::ValuesIn(kPieceCases),
                         [](const ::testing::TestParamInfo<PieceCase>& info) { return std::string(info.param.name); });

TEST(AssetRecordTest, ListFormSpellsItsAttributesItsOwnWayAndTurnsQuotesIntoBackticks)
{
    AssetValues first = Picture();
    first.description = "Bob's";
    first.iptc[0] = "it's";       // HeadLine
    first.iptc[3] = "'5'";        // the envelope priority keeps its quotes (escaped)
    first.picMode = "R'G";
    first.mainSize = "1.50000";
    AssetValues second = Picture();
    WithCopies(second);
    second.mainSize = "0.25000";
    std::string record = assetrecord::ComposeListRecord({first, second}, Context());

    const std::string kFirst =
        "<Asset  Description= \"Bob`s\" DataSize =\"1.50000\" HorRes = \"300\" VerRes = \"300\" PicHeight = \"600\" "
        "PicWidth = \"800\" PicMode = \"R`G\" HeadLine = \"it`s\" Category = \"\" EnveNumber = \"\" "
        "EnvePriority = \"&apos;5&apos;\" LanguageID = \"\" ProductID = \"\" ServiceID = \"\" Destination = \"\" "
        "ObjName = \"\" OriginalTX = \"\" City = \"\" Country = \"\">"
        "\t<Folder SelectFolder = \"12,13\" />"
        "\t<AssetLocation>http://10.0.0.5/store/Category7/Asset/2026/Dec/09/asset000070000000042.jpg</AssetLocation>"
        "\t<StorageLocation StorageLocation = \"10.0.0.5/store\"/>"
        "\t<AssetID AssetID = \"42\"/>"
        "\t<AssetState>-1</AssetState>"
        "\t<CateID CategoryId = \"7\" />"
        "\t<MainFile Path = \"Category7/Asset/2026/Dec/09\" FileName = \"asset000070000000042.jpg\" "
        "OriginalName = \"a.jpg\" OriginalPath = \"192.168.1.9||C:\\pics\" DataSize =\"1.50000\"/>"
        "</Asset>";
    const std::string kSecondCopies =
        "<File Path=\"Category7/Thumbnail/2026/Dec/09\" FileName=\"asset000070000000042_prev.jpg\" "
        "OriginalName = \"prev_a_x.jpg\" OriginalPath = \"192.168.1.9||C:\\temp\" DataSize =\"0.06200\">"
        "Thumbnail</File>"
        "<Accessory Type = \"0\" Source = \"图像采集程序\" RecordDate = \"2026-12-09 08:05:03 \" Note = \"\">"
        "\t\t<AccessoryMainFile Path=\"Category7/Accessory0/2026/Dec/09\" FileName=\"asset000070000000042_web.jpg\" "
        "OriginalName = \"web_a_x.jpg\" OriginalPath = \"192.168.1.9||C:\\temp\" DataSize =\"0.25000\"/>"
        "\t</Accessory>\t<Folder";
    EXPECT_EQ(record.substr(0, kDeclaration.size() + 11 + kFirst.size()), kDeclaration + "<AssetList>" + kFirst);
    EXPECT_NE(std::string::npos, record.find(kSecondCopies)) << record;
    EXPECT_EQ("</Asset></AssetList>", record.substr(record.size() - 20));
}

// ---------------------------------------------------------------------------
// The writer over the document, with pictures on disk.

std::string Attribute(IXMLDOMDocument* pDocument, const wchar_t* path, const wchar_t* name)
{
    IXMLDOMNode* pNode = NULL;
    std::string value = "<missing>";
    if (pDocument->selectSingleNode(const_cast<BSTR>(path), &pNode) != S_OK || pNode == NULL)
        return value;
    IXMLDOMElement* pElement = NULL;
    if (SUCCEEDED(pNode->QueryInterface(IID_IXMLDOMElement, reinterpret_cast<void**>(&pElement)))) {
        VARIANT text;
        VariantInit(&text);
        BSTR bstrName = SysAllocString(name);
        if (pElement->getAttribute(bstrName, &text) == S_OK && text.vt == VT_BSTR)
            value = std::string(CString(text.bstrVal));
        SysFreeString(bstrName);
        VariantClear(&text);
        pElement->Release();
    }
    pNode->Release();
    return value;
}

// The record read through the client's XML reading helper; NULL when it does not parse.
IXMLDOMDocument* LoadedRecord(const CString& strPath)
{
    IXMLDOMDocument* pDocument = CreateXmlDocument();
    if (pDocument != NULL && !LoadXmlFile(pDocument, strPath)) {
        pDocument->Release();
        pDocument = NULL;
    }
    return pDocument;
}

CString NameOfCopy(const CString& strPath)
{
    return strPath.Mid(strPath.ReverseFind('\\') + 1);
}

size_t Count(const std::string& text, const std::string& piece)
{
    size_t count = 0;
    for (size_t at = text.find(piece); at != std::string::npos; at = text.find(piece, at + 1))
        ++count;
    return count;
}

class AssetRecordWriterTest : public BackendFixture {
protected:
    void SetUp() override
    {
        BackendFixture::SetUp();
        StartLoggedIn();
        if (HasFatalFailure())
            return;
        ::GetLocalTime(&m_taken);
        CurrentCategoryId = "7";
        COmbrelleDoc* pDoc = Doc();
        pDoc->m_strStorageHost = "10.0.0.5";
        pDoc->m_strStoragePath = "/store";
        pDoc->m_strCategoryId = "7";
        pDoc->m_strAssetId = "42";
        pDoc->m_strAssetKey = "000070000000042";
        pDoc->m_strCatalogIds = "12,13";
        pDoc->m_strMainSize = "1.500";
    }
    void TearDown() override
    {
        CurrentCategoryId = "-9999999";
        BackendFixture::TearDown();
    }

    std::string WritePicture(const std::string& name, const std::string& datasets)
    {
        std::string path = m_files.File(name);
        EXPECT_TRUE(testsupport::WriteFileBytes(path, fixtures::JpegWithDatasets(datasets)));
        return path;
    }
    // The stand-in's verdict on the record (1 when it parses).
    BOOL Posted(const CString& strRecord)
    {
        CHttpXMlProcess client;
        client.SetServerUrl(Servlet().c_str());
        return client.AddAsset(strRecord);
    }

    SYSTEMTIME m_taken;
};

TEST_F(AssetRecordWriterTest, SingleFormCarriesTheCaptionAndEscapedValuesThatReadBackEqual)
{
    using fixtures::Dataset;
    COmbrelleDoc* pDoc = Doc();
    const std::string picture =
        WritePicture("长城.jpg", Dataset(2, 120, "长城 & <故宫> \"'") + Dataset(2, 90, "北京"));
    pDoc->m_strCurrentPicture = picture.c_str();
    pDoc->m_strOriginalName = "长城.jpg";
    pDoc->m_strOriginalFolder = m_files.Path().c_str();
    pDoc->m_strFieldAttributes = "Title='A &amp; B'";
    pDoc->m_strPicMode = "R&G<\"'>";

    CAssetRecordWriter writer(pDoc);
    ASSERT_EQ(1, writer.WriteAssetInfoFile(kMainRemote, picture.c_str(), m_taken));
    EXPECT_EQ(std::string(pDoc->m_strRecordFile), m_temp.File("000070000000042_ImageInfo.xml"));
    const std::string bytes = testsupport::ReadFileBytes(std::string(pDoc->m_strRecordFile));
    EXPECT_EQ(0u, bytes.find(kDeclaration));
    EXPECT_EQ(1u, Count(bytes, "\r"));
    EXPECT_EQ(1u, Count(bytes, "\n"));

    IXMLDOMDocument* pDocument = LoadedRecord(pDoc->m_strRecordFile);
    ASSERT_NE(nullptr, pDocument);
    EXPECT_EQ("长城 & <故宫> \"'", Attribute(pDocument, L"/Asset", L"Description"));
    EXPECT_EQ("北京", Attribute(pDocument, L"/Asset", L"City"));
    EXPECT_EQ("A & B", Attribute(pDocument, L"/Asset", L"Title"));
    EXPECT_EQ("R&G<\"'>", Attribute(pDocument, L"/Asset", L"PicMode"));
    EXPECT_EQ("长城.jpg", Attribute(pDocument, L"/Asset/MainFile", L"OriginalName"));
    EXPECT_EQ("asset000070000000042.jpg", Attribute(pDocument, L"/Asset/MainFile", L"FileName"));
    pDocument->Release();

    EXPECT_TRUE(Posted(pDoc->m_strRecordFile));
}

TEST_F(AssetRecordWriterTest, ListFormReadsEachPicturesIptcAndNamesOnlyTheCopiesThatExist)
{
    using fixtures::Dataset;
    COmbrelleDoc* pDoc = Doc();
    const std::string pictures[] = {
        WritePicture("one.jpg", Dataset(2, 120, "Bob's caption") + Dataset(2, 105, "head'line")),
        WritePicture("two.jpg", Dataset(2, 120, "第二") + Dataset(1, 60, "'5'")),
        WritePicture("three.jpg", Dataset(2, 90, "O'Hare")),
    };
    const char* keys[] = {"000070000000042", "000070000000043", "000070000000044"};
    const CString strTemp = m_temp.Path().c_str();
    for (int i = 0; i < 3; ++i) {
        CString strPicture = pictures[i].c_str();
        pDoc->m_arrSubmitted.Add(CString(keys[i]) + "|" + strPicture + "|x|y");
        pDoc->m_arrCatalogued.Add(strPicture);
        ASSERT_TRUE(testsupport::WriteFileBytes(std::string(UploadCopyName(strTemp, "web_", strPicture)), "web"));
        if (i != 1) {  // the second picture's preview copy is missing
            ASSERT_TRUE(testsupport::WriteFileBytes(std::string(UploadCopyName(strTemp, "prev_", strPicture)), "p"));
        }
    }
    pDoc->m_strAssetKey = keys[2];

    CAssetRecordWriter writer(pDoc);
    ASSERT_EQ(1, writer.WriteAssetListInfoFile(FALSE, m_taken));
    EXPECT_EQ(std::string(pDoc->m_strRecordFile), m_temp.File("000070000000044_ImageInfo.xml"));
    const std::string bytes = testsupport::ReadFileBytes(std::string(pDoc->m_strRecordFile));
    EXPECT_EQ(3u, Count(bytes, "<Asset "));
    EXPECT_EQ(2u, Count(bytes, "<File "));
    EXPECT_EQ(3u, Count(bytes, "<Accessory "));
    EXPECT_EQ(1u, Count(bytes, "\r"));

    // MSXML 3's default selection language (XSL patterns) counts from 0.
    IXMLDOMDocument* pDocument = LoadedRecord(pDoc->m_strRecordFile);
    ASSERT_NE(nullptr, pDocument);
    EXPECT_EQ("Bob`s caption", Attribute(pDocument, L"/AssetList/Asset[0]", L"Description"));
    EXPECT_EQ("head`line", Attribute(pDocument, L"/AssetList/Asset[0]", L"HeadLine"));
    EXPECT_EQ("'5'", Attribute(pDocument, L"/AssetList/Asset[1]", L"EnvePriority"));
    EXPECT_EQ("O`Hare", Attribute(pDocument, L"/AssetList/Asset[2]", L"City"));
    EXPECT_EQ("43", Attribute(pDocument, L"/AssetList/Asset[1]/AssetID", L"AssetID"));
    EXPECT_EQ(std::string(NameOfCopy(UploadCopyName(strTemp, "prev_", pictures[0].c_str()))),
              Attribute(pDocument, L"/AssetList/Asset[0]/File", L"OriginalName"));
    EXPECT_EQ("<missing>", Attribute(pDocument, L"/AssetList/Asset[1]/File", L"OriginalName"));
    EXPECT_EQ(std::string(NameOfCopy(UploadCopyName(strTemp, "web_", pictures[1].c_str()))),
              Attribute(pDocument, L"/AssetList/Asset[1]/Accessory/AccessoryMainFile", L"OriginalName"));
    EXPECT_EQ("asset000070000000044.jpg", Attribute(pDocument, L"/AssetList/Asset[2]/MainFile", L"FileName"));
    pDocument->Release();

    EXPECT_TRUE(Posted(pDoc->m_strRecordFile));
}

TEST_F(AssetRecordWriterTest, AFolderThatCannotTakeTheFileWritesNothing)
{
    COmbrelleDoc* pDoc = Doc();
    pDoc->m_strAssetKey = "no\\such\\folder\\000070000000042";
    CAssetRecordWriter writer(pDoc);
    EXPECT_EQ(0, writer.WriteAssetInfoFile(kMainRemote, "", m_taken));
}

}  // namespace
}  // namespace uploadtest

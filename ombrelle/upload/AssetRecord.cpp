#include "AssetRecord.h"

#include "XmlEntities.h"

#include <cstdio>
#include <cstdlib>

namespace assetrecord {

const char kDeclaration[] = "<?xml version=\"1.0\" encoding=\"GB2312\" ?>\r\n";

namespace {

// How an attribute spells its "=": name="v", name = "v", name ="v", name= "v".
enum Spacing { Tight, Spaced, LeftSpaced, RightSpaced };

const char* const kIptcNames[12] = {"HeadLine",  "Category",    "EnveNumber", "EnvePriority",
                                    "LanguageID", "ProductID",  "ServiceID",  "Destination",
                                    "ObjName",   "OriginalTX", "City",       "Country"};
const int kEnvelopePriority = 3;

std::string Attribute(const char* name, const std::string& value, Spacing spacing)
{
    static const char* const kEquals[] = {"=", " = ", " =", "= "};
    return std::string(" ") + name + kEquals[spacing] + "\"" + XmlEscapeText(value) + "\"";
}

std::string WithoutLeadingBlanks(const std::string& text)
{
    size_t first = text.find_first_not_of(' ');
    return first == std::string::npos ? std::string() : text.substr(first);
}

std::string AfterLast(const std::string& text, char separator)
{
    size_t at = text.rfind(separator);
    return at == std::string::npos ? text : text.substr(at + 1);
}

std::string BeforeLast(const std::string& text, char separator)
{
    size_t at = text.rfind(separator);
    return at == std::string::npos ? std::string() : text.substr(0, at);
}

std::string Backticked(std::string text)
{
    for (char& c : text)
        if (c == '\'')
            c = '`';
    return text;
}

// The metadata form's attributes and the description: inside the form's own
// Description attribute (before its closing "'") when it has one, else as an
// attribute of its own.
std::string FormAttributesWithDescription(const AssetValues& asset)
{
    std::string text = " " + asset.fieldAttributes;
    size_t name = text.find("Description");
    if (name == std::string::npos)
        return text + Attribute("Description", asset.description, RightSpaced);
    size_t open = text.find('\'', name);
    size_t close = open == std::string::npos ? std::string::npos : text.find('\'', open + 1);
    if (close != std::string::npos)
        text.insert(close, XmlEscapeText(asset.description));
    return text;
}

std::string AssetStart(const AssetValues& asset, bool listForm)
{
    Spacing spacing = listForm ? Spaced : Tight;
    std::string text = "<Asset" + FormAttributesWithDescription(asset);
    text += Attribute("DataSize", SizeText(asset.mainSize), listForm ? LeftSpaced : Tight);
    text += Attribute("HorRes", asset.horRes, spacing);
    text += Attribute("VerRes", asset.verRes, spacing);
    text += Attribute("PicHeight", asset.picHeight, spacing);
    text += Attribute("PicWidth", asset.picWidth, spacing);
    text += Attribute("PicMode", asset.picMode, spacing);
    for (int i = 0; i < 12; ++i)
        text += Attribute(kIptcNames[i], asset.iptc[i], spacing);
    return text + ">";
}

std::string OriginalPath(const RecordContext& context, const std::string& folder)
{
    return context.localIp + "||" + folder;
}

std::string PreviewElement(const AssetValues& asset, const RecordContext& context, bool listForm)
{
    Spacing spacing = listForm ? Spaced : Tight;
    std::string text = listForm ? "<File" : "\t<File";
    text += Attribute("Path", DateFolder(context, "Thumbnail"), Tight);
    text += Attribute("FileName", asset.previewName, Tight);
    text += Attribute("OriginalName", AfterLast(asset.previewCopy, '\\'), spacing);
    text += Attribute("OriginalPath", OriginalPath(context, BeforeLast(asset.previewCopy, '\\')), spacing);
    text += Attribute("DataSize", SizeText(asset.previewSize), listForm ? LeftSpaced : Tight);
    return text + ">Thumbnail</File>";
}

std::string RecordDate(const SubmissionDate& date)
{
    char text[64];
    snprintf(text, sizeof(text), "%04d-%02d-%02d %02d:%02d:%02d ", date.year, date.month, date.day, date.hour,
             date.minute, date.second);
    return text;
}

std::string WebElement(const AssetValues& asset, const RecordContext& context, bool listForm)
{
    std::string text = listForm ? "<Accessory" : "\t<Accessory";
    text += Attribute("Type", "0", Spaced);
    text += Attribute("Source", "图像采集程序", Spaced);
    text += Attribute("RecordDate", RecordDate(context.date), Spaced);
    text += Attribute("Note", "", Spaced);
    text += ">\t\t<AccessoryMainFile";
    text += Attribute("Path", DateFolder(context, "Accessory0"), Tight);
    text += Attribute("FileName", asset.webName, Tight);
    text += Attribute("OriginalName", AfterLast(asset.webCopy, '\\'), Spaced);
    text += Attribute("OriginalPath", OriginalPath(context, BeforeLast(asset.webCopy, '\\')), Spaced);
    text += Attribute("DataSize", SizeText(asset.webSize), LeftSpaced);
    return text + "/>\t</Accessory>";
}

std::string AssetRest(const AssetValues& asset, const RecordContext& context, bool listForm)
{
    Spacing spacing = listForm ? Spaced : Tight;
    std::string text = "\t<Folder" + Attribute("SelectFolder", asset.catalogIds, Spaced) + " />";
    text += "\t<AssetLocation>" + XmlEscapeText("http://" + asset.storageHost + asset.mainRemotePath) +
            "</AssetLocation>";
    text += "\t<StorageLocation" + Attribute("StorageLocation", asset.storageHost + asset.storagePath, spacing) + "/>";
    text += "\t<AssetID" + Attribute("AssetID", asset.assetId, spacing) + "/>";
    text += "\t<AssetState>" + XmlEscapeText(asset.assetState.empty() ? "-1" : asset.assetState) + "</AssetState>";
    text += "\t<CateID" + Attribute("CategoryId", asset.categoryId, listForm ? Spaced : LeftSpaced) + " />";
    text += "\t<MainFile";
    text += Attribute("Path", DateFolder(context, "Asset"), spacing);
    text += Attribute("FileName", AfterLast(asset.mainRemotePath, '/'), spacing);
    text += Attribute("OriginalName", asset.originalName, Spaced);
    text += Attribute("OriginalPath", OriginalPath(context, asset.originalFolder), Spaced);
    text += Attribute("DataSize", WithoutLeadingBlanks(asset.mainSize), LeftSpaced);
    return text + "/></Asset>";
}

std::string AssetElement(const AssetValues& asset, const RecordContext& context, bool listForm)
{
    std::string text = AssetStart(asset, listForm);
    if (!asset.previewCopy.empty())
        text += PreviewElement(asset, context, listForm);
    if (!asset.webCopy.empty())
        text += WebElement(asset, context, listForm);
    return text + AssetRest(asset, context, listForm);
}

}  // namespace

std::string MegabytesText(double megabytes)
{
    char text[64];
    snprintf(text, sizeof(text), "%9.5f", megabytes);
    return WithoutLeadingBlanks(text);
}

std::string SizeText(const std::string& sizeText)
{
    return MegabytesText(strtod(sizeText.c_str(), nullptr));
}

std::string DateFolder(const RecordContext& context, const char* kind)
{
    // English abbreviations whatever the locale: the server's folders are named so.
    static const char* const kMonths[] = {"Jan", "Feb", "Mar", "Apr", "May", "Jun",
                                          "Jul", "Aug", "Sep", "Oct", "Nov", "Dec"};
    int month = context.date.month >= 1 && context.date.month <= 12 ? context.date.month : 1;
    char text[64];
    snprintf(text, sizeof(text), "/%d/%s/%02d", context.date.year, kMonths[month - 1], context.date.day);
    return "Category" + context.categoryId + "/" + kind + text;
}

std::string ComposeSingleRecord(const AssetValues& asset, const RecordContext& context)
{
    return kDeclaration + AssetElement(asset, context, false);
}

std::string ComposeListRecord(const std::vector<AssetValues>& assets, const RecordContext& context)
{
    std::string text = std::string(kDeclaration) + "<AssetList>";
    for (AssetValues asset : assets) {
        asset.description = Backticked(asset.description);
        for (std::string* property : {&asset.horRes, &asset.verRes, &asset.picHeight, &asset.picWidth, &asset.picMode})
            *property = Backticked(*property);
        for (int i = 0; i < 12; ++i)
            if (i != kEnvelopePriority)
                asset.iptc[i] = Backticked(asset.iptc[i]);
        text += AssetElement(asset, context, true);
    }
    return text + "</AssetList>";
}

}  // namespace assetrecord

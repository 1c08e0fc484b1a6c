// The asset record "<key>_ImageInfo.xml" that describes submitted pictures to
// the back-end server, composed as text piece by piece. Plain C++ over the
// record's values; the engine gathers them from the document and writes the
// bytes (AssetRecordWriter).
//
// Layout: the GB2312 declaration and CR LF, then everything on one line;
// elements are set apart only by the tabs they begin with. Attributes use one
// of four spellings of "=" (tight, spaced, left-spaced, right-spaced), fixed
// per attribute and form. Every value is XML-escaped; the metadata form's
// attribute text arrives escaped and is carried as it is.
#pragma once

#include <string>
#include <vector>

namespace assetrecord {

// The date the submission took; it names the date folders and RecordDate.
struct SubmissionDate {
    int year = 0, month = 1, day = 1;  // month 1..12
    int hour = 0, minute = 0, second = 0;
};

// One picture's values, as texts in the ANSI code page.
struct AssetValues {
    std::string fieldAttributes;  // the metadata form's name='value' pairs, escaped
    std::string description;
    std::string mainSize;         // megabytes as text ("%6.3f")
    std::string horRes, verRes, picHeight, picWidth, picMode;
    // HeadLine, Category, EnveNumber, EnvePriority, LanguageID, ProductID,
    // ServiceID, Destination, ObjName, OriginalTX, City, Country.
    std::string iptc[12];
    std::string previewCopy, previewName, previewSize;  // no copy: previewCopy empty
    std::string webCopy, webName, webSize;              // no copy: webCopy empty
    std::string catalogIds;
    std::string storageHost, storagePath;
    std::string assetId, assetState, categoryId;
    std::string originalName, originalFolder;
    std::string mainRemotePath;  // the main file's server path
};

// What every asset of one record shares.
struct RecordContext {
    std::string localIp;     // "" when the computer has none
    std::string categoryId;  // the chosen asset type (CurrentCategoryId)
    SubmissionDate date;
};

// "<?xml version=\"1.0\" encoding=\"GB2312\" ?>\r\n"
extern const char kDeclaration[];

// The single form: one Asset element.
std::string ComposeSingleRecord(const AssetValues& asset, const RecordContext& context);
// The list form: an AssetList of one Asset element per picture. In the
// description, the five picture properties and the IPTC values other than
// the envelope priority every "'" becomes "`".
std::string ComposeListRecord(const std::vector<AssetValues>& assets, const RecordContext& context);

// Megabytes "%9.5f" without its leading blanks.
std::string MegabytesText(double megabytes);
// A size text read as a number ("%9.5f", leading blanks removed).
std::string SizeText(const std::string& sizeText);
// "Category<id>/<kind>/<year>/<Mon>/<dd>", the month in English.
std::string DateFolder(const RecordContext& context, const char* kind);

}  // namespace assetrecord

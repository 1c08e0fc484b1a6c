// The metadata form's values read back and checked: which values each
// number field takes, the quiet stops of file and combo fields, the value
// text, and filling a field from this thread, another thread, a posted
// message and another program.
#include "MetaDataFormFixture.h"

#include "GuiDriver.h"
#include "Process.h"
#include "ProgramFolder.h"
#include "TempDir.h"

#include <commctrl.h>
#include <gtest/gtest.h>

#include <atomic>
#include <cstring>
#include <ostream>
#include <string>
#include <thread>

namespace {

using namespace metadatatest;
using testsupport::Gui;

const UINT WM_SET_FIELD_VALUE = WM_USER + 4;

class MetaDataValuesTest : public MetaDataFormFixture {
protected:
    // The form in front, so that the checks can move the focus.
    CMetaDataInput* OpenInFront(const std::string& fields)
    {
        CMetaDataInput* form = OpenForm(Structure(fields));
        if (form != nullptr) {
            m_frame->SetForegroundWindow();
            Pump();
        }
        return form;
    }

    static void SetText(CMetaDataInput& form, const char* name, const std::string& text)
    {
        CWnd* control = ControlOf(form, name);
        ASSERT_NE(control, nullptr) << name;
        control->SetWindowText(text.c_str());
    }

    static std::string Text(CMetaDataInput& form, const char* name)
    {
        CWnd* control = ControlOf(form, name);
        return control != nullptr ? TextOf(control->m_hWnd) : "<no control>";
    }

    static SYSTEMTIME DateOf(CMetaDataInput& form, const char* name)
    {
        SYSTEMTIME time = {};
        if (CWnd* control = ControlOf(form, name))
            DateTime_GetSystemtime(control->m_hWnd, &time);
        return time;
    }

    static void SetDate(CMetaDataInput& form, const char* name, WORD year, WORD month, WORD day)
    {
        SYSTEMTIME time = {};
        time.wYear = year;
        time.wMonth = month;
        time.wDay = day;
        CWnd* control = ControlOf(form, name);
        ASSERT_NE(control, nullptr) << name;
        ASSERT_TRUE(DateTime_SetSystemtime(control->m_hWnd, GDT_VALID, &time));
    }
};

// ---------------------------------------------------------------------------
// Number and required fields.

struct ValueCase {
    const char* name;
    const char* field;    // the Name of the field given the value
    const char* value;
    const char* message;  // "" when the value passes
};

void PrintTo(const ValueCase& c, std::ostream* os) { *os << c.name; }

const char kType[] = "的值类型不对";
const char kRange[] = "的取值范围在0~2000000000之间!";

const ValueCase kValueCases[] = {
    {"IntegerZero", "Count", "0", ""},
    {"IntegerLargest", "Count", "2000000000", ""},
    {"IntegerWithBlanksAround", "Count", " 12 ", ""},
    {"IntegerLeadingZero", "Count", "007", kType},
    {"IntegerWithAFraction", "Count", "1.0", kType},
    {"IntegerWithALetter", "Count", "12a", kType},
    {"IntegerWithAMinusInside", "Count", "1-2", kType},
    {"IntegerMinusAlone", "Count", "-", kType},
    {"IntegerBeyond64Bits", "Count", "99999999999999999999", kRange},
    {"IntegerOneAboveTheLargest", "Count", "2000000001", kRange},
    {"IntegerNegative", "Count", "-5", kRange},
    {"DecimalHalf", "Ratio", "0.5", ""},
    {"DecimalLargest", "Ratio", "2000000000.0", ""},
    {"DecimalAboveTheLargest", "Ratio", "2000000000.5", kRange},
    {"DecimalNegative", "Ratio", "-0.5", kRange},
    {"DecimalWithAMinusInside", "Ratio", "1-2", kType},
    {"DecimalDotAlone", "Ratio", ".", kType},
    {"OptionalNumberEmpty", "Count", "", ""},
    {"OptionalDecimalBlank", "Ratio", "   ", ""},
    {"RequiredEmpty", "Must", "", "不能为空"},
    {"RequiredBlank", "Must", "  ", "不能为空"},
    {"RequiredNumberEmpty", "MustCount", "", "不能为空"},
};

class FieldCheckTest : public MetaDataValuesTest, public ::testing::WithParamInterface<ValueCase> {};

TEST_P(FieldCheckTest, PassesOrNamesTheFieldAndFocusesIt)
{
    const ValueCase& c = GetParam();
    CMetaDataInput* form = OpenInFront(Field("Must", "必填", "0", "AllowNull=\"0\" DefaultValue=\"有\"") +
                                       Field("Count", "数量", "2") + Field("Ratio", "比例", "3") +
                                       Field("MustCount", "件数", "2", "AllowNull=\"0\" DefaultValue=\"1\""));
    ASSERT_NE(form, nullptr);
    SetText(*form, c.field, c.value);
    void* record = nullptr;
    ASSERT_TRUE(form->m_FieldAttributes.Lookup(c.field, record));
    const std::string expected = std::string(static_cast<FieldAttributeRecord*>(record)->CName) + c.message;

    if (*c.message == '\0') {
        // Any message box would fail the test.
        EXPECT_TRUE(form->ValidateFields());
        return;
    }
    auto& box = Gui().Expect("").Press(IDOK);
    EXPECT_FALSE(form->ValidateFields());
    EXPECT_TRUE(box.Seen());
    EXPECT_TRUE(box.HasText(expected)) << expected;
    EXPECT_EQ(::GetFocus(), ControlOf(*form, c.field)->m_hWnd);
}

INSTANTIATE_TEST_SUITE_P(Table, FieldCheckTest, ::testing::ValuesIn(kValueCases),
                         [](const ::testing::TestParamInfo<ValueCase>& info) { return info.param.name; });

TEST_F(MetaDataValuesTest, TheFirstFailingFieldStopsTheCheck)
{
    CMetaDataInput* form = OpenInFront(Field("A", "甲", "2", "DefaultValue=\"x\"") + Field("B", "乙", "0", "AllowNull=\"0\""));
    ASSERT_NE(form, nullptr);
    // One message only, the first field's.
    auto& box = Gui().Expect("").Press(IDOK);
    EXPECT_FALSE(form->ValidateFields());
    EXPECT_TRUE(box.HasText("甲的值类型不对"));
    EXPECT_EQ(::GetFocus(), ControlOf(*form, "A")->m_hWnd);
}

TEST_F(MetaDataValuesTest, AFileFieldNamingAMissingFileStopsWithItsTextSelected)
{
    testsupport::TempDir folder;
    const std::string existing = folder.File("there.txt");
    ASSERT_TRUE(testsupport::WriteFileBytes(existing, "x"));
    CMetaDataInput* form = OpenInFront(Field("File", "文件", "10"));
    ASSERT_NE(form, nullptr);
    HWND file = ControlOf(*form, "File")->m_hWnd;

    const std::string missing = "  " + folder.File("missing.txt") + " ";
    ::SetWindowTextA(file, missing.c_str());
    EXPECT_FALSE(form->ValidateFields());
    EXPECT_EQ(::GetFocus(), file);
    DWORD start = 1, end = 0;
    ::SendMessageA(file, EM_GETSEL, reinterpret_cast<WPARAM>(&start), reinterpret_cast<LPARAM>(&end));
    EXPECT_EQ(start, 0u);
    EXPECT_EQ(end, DWORD(missing.size()));

    // A folder is no file to read either; an existing file and no path pass.
    ::SetWindowTextA(file, folder.Path().c_str());
    EXPECT_FALSE(form->ValidateFields());
    ::SetWindowTextA(file, (" " + existing).c_str());
    EXPECT_TRUE(form->ValidateFields());
    ::SetWindowTextA(file, "   ");
    EXPECT_TRUE(form->ValidateFields());
}

TEST_F(MetaDataValuesTest, ATypableComboWithItemsButNoChoiceStopsQuietly)
{
    CMetaDataInput* form = OpenInFront(
        "<Field Name=\"Source\" CName=\"来源\" Type=\"6\" View=\"1\" Input=\"1\"><ConfigList><ConfigItem ID=\"7\" "
        "FatherEnumID=\"0\"><EnumItem ID=\"71\" EnumItemName=\"记者\" FatherItemID=\"0\"/></ConfigItem></ConfigList>"
        "</Field>" +
        Field("Empty", "空", "6", "Input=\"1\""));
    ASSERT_NE(form, nullptr);
    CComboBox* source = static_cast<CComboBox*>(ControlOf(*form, "Source"));
    ASSERT_NE(source, nullptr);
    // Chosen, it passes; a box without items passes with nothing chosen.
    EXPECT_TRUE(form->ValidateFields());
    source->SetCurSel(-1);
    source->SetWindowText("自己打的");
    EXPECT_FALSE(form->ValidateFields());
    const HWND focus = ::GetFocus();
    EXPECT_TRUE(focus == source->m_hWnd || ::IsChild(source->m_hWnd, focus));
}

// ---------------------------------------------------------------------------
// The value text.

TEST_F(MetaDataValuesTest, AnEditAndAnUncheckedBoxGiveNameValuePairsEachFollowedByABlank)
{
    CMetaDataInput* form = OpenInFront(Field("Title", "标题", "0") + Field("Flag", "标志", "1"));
    ASSERT_NE(form, nullptr);
    SetText(*form, "Title", "abc");
    EXPECT_EQ(std::string(form->BuildFieldAttributes()), "Title='abc' Flag='0' ");
}

TEST_F(MetaDataValuesTest, EachKindGivesItsValueEscapedAndInFieldOrder)
{
    CMetaDataInput* form = OpenInFront(
        Field("Note", "附注", "0") + Field("Memo", "备注", "5") + Field("Shot", "拍摄日期", "7") +
        "<Field Name=\"Choice\" CName=\"选择\" Type=\"6\" View=\"1\"><ConfigList><ConfigItem ID=\"7\" FatherEnumID=\"0\">"
        "<EnumItem ID=\"1\" EnumItemName=\"甲项\" FatherItemID=\"0\"/><EnumItem ID=\"2\" EnumItemName=\"乙项\" "
        "FatherItemID=\"0\"/></ConfigItem></ConfigList></Field>" +
        Field("None", "无", "6") + Field("File", "文件", "10") + Field("Agreed", "同意", "1", "DefaultValue=\"1\""));
    ASSERT_NE(form, nullptr);
    SetText(*form, "Note", "a&b'c<d>\"e");
    SetText(*form, "Memo", "  两行\r\n文字 ");
    SetDate(*form, "Shot", 2005, 6, 7);
    static_cast<CComboBox*>(ControlOf(*form, "Choice"))->SetCurSel(1);
    SetText(*form, "File", "C:\\a.txt");
    EXPECT_EQ(std::string(form->BuildFieldAttributes()),
              "Note='a&amp;b&apos;c&lt;d&gt;&quot;e' Memo='  两行\r\n文字 ' Shot='2005-06-07' Choice='乙项' None='' "
              "File='' Agreed='1' ");
}

// ---------------------------------------------------------------------------
// Filling a field from outside the form.

class FieldValueMessageTest : public MetaDataValuesTest {
protected:
    void SetUp() override
    {
        MetaDataValuesTest::SetUp();
        m_form = OpenInFront(Field("Title", "标题", "0", "DefaultValue=\"原来\"") + Field("Shot", "拍摄日期", "7") +
                             Field("Flag", "标志", "1"));
        ASSERT_NE(m_form, nullptr);
        SetDate(*m_form, "Shot", 2001, 2, 3);
    }

    bool Unchanged() { return Text(*m_form, "Title") == "原来" && DateOf(*m_form, "Shot").wYear == 2001; }

    CMetaDataInput* m_form = nullptr;
};

TEST_F(FieldValueMessageTest, SentInTheFormsThreadItSetsAnEditAndADate)
{
    const struct {
        const char* label;
        const char* value;
    } values[] = {{"标题", "新的标题"}, {"拍摄日期", "1118145600"}};  // 2005-06-07 12:00 UTC
    for (const auto& v : values)
        EXPECT_EQ(m_form->SendMessage(WM_SET_FIELD_VALUE, reinterpret_cast<WPARAM>(v.label),
                                      reinterpret_cast<LPARAM>(v.value)),
                  0);
    EXPECT_EQ(Text(*m_form, "Title"), "新的标题");
    SYSTEMTIME shot = DateOf(*m_form, "Shot");
    EXPECT_EQ(shot.wYear, 2005);
    EXPECT_EQ(shot.wMonth, 6);
    EXPECT_EQ(shot.wDay, 7);

    // A date text, which begins with digits too.
    m_form->SendMessage(WM_SET_FIELD_VALUE, reinterpret_cast<WPARAM>("拍摄日期"), reinterpret_cast<LPARAM>("2006-07-08"));
    shot = DateOf(*m_form, "Shot");
    EXPECT_EQ(shot.wYear, 2006);
    EXPECT_EQ(shot.wMonth, 7);
    EXPECT_EQ(shot.wDay, 8);

    // An unknown label and a check box take nothing.
    m_form->SendMessage(WM_SET_FIELD_VALUE, reinterpret_cast<WPARAM>("没有"), reinterpret_cast<LPARAM>("x"));
    m_form->SendMessage(WM_SET_FIELD_VALUE, reinterpret_cast<WPARAM>("标志"), reinterpret_cast<LPARAM>("1"));
    EXPECT_EQ(ControlOf(*m_form, "Flag")->SendMessage(BM_GETCHECK), BST_UNCHECKED);
}

TEST_F(FieldValueMessageTest, PostedItChangesNothing)
{
    static const char label[] = "标题", value[] = "不该出现", date[] = "1118145600", dateLabel[] = "拍摄日期";
    ASSERT_TRUE(m_form->PostMessage(WM_SET_FIELD_VALUE, reinterpret_cast<WPARAM>(label), reinterpret_cast<LPARAM>(value)));
    ASSERT_TRUE(
        m_form->PostMessage(WM_SET_FIELD_VALUE, reinterpret_cast<WPARAM>(dateLabel), reinterpret_cast<LPARAM>(date)));
    // Taken from the queue by a message box's own loop as well as by ours.
    auto& box = Gui().Expect("").Press(IDOK);
    ::MessageBoxA(m_frame->m_hWnd, "posted", "posted", MB_OK);
    EXPECT_TRUE(box.Seen());
    Pump();
    EXPECT_TRUE(Unchanged());
}

TEST_F(FieldValueMessageTest, SentFromAnotherThreadItChangesNothing)
{
    const HWND form = m_form->m_hWnd;
    std::atomic<bool> done(false);
    LRESULT result = -1;
    std::thread sender([&] {
        result = ::SendMessageA(form, WM_SET_FIELD_VALUE, reinterpret_cast<WPARAM>("标题"),
                                reinterpret_cast<LPARAM>("不该出现"));
        done = true;
    });
    const bool answered = Gui().WaitFor([&] { return done.load(); }, 30000);
    sender.join();
    ASSERT_TRUE(answered);
    EXPECT_EQ(result, 0);
    EXPECT_TRUE(Unchanged());
}

TEST_F(FieldValueMessageTest, AnotherProgramSetsAFieldWithCopyData)
{
    const std::string sender = std::string(GetProgramFolder()) + "metadata_copydata_sender.exe";
    std::atomic<bool> done(false);
    testsupport::ProcessResult result;
    // The sender waits for this thread to answer, so this thread pumps meanwhile.
    std::thread run([&] {
        result = testsupport::RunProcess(testsupport::QuoteArgument(sender) + " " +
                                             std::to_string(reinterpret_cast<UINT_PTR>(m_form->m_hWnd)) + " 标题 " +
                                             testsupport::QuoteArgument("别处 来的"),
                                         30000);
        done = true;
    });
    const bool ended = Gui().WaitFor([&] { return done.load(); }, 40000);
    run.join();
    ASSERT_TRUE(ended);
    ASSERT_TRUE(result.started) << sender;
    EXPECT_EQ(result.exitCode, 0u) << result.output;
    EXPECT_EQ(Text(*m_form, "Title"), "别处 来的");
}

// The data at the very end of readable memory: a read past cbData stops the test.
class GuardedData {
public:
    explicit GuardedData(const std::string& bytes)
    {
        SYSTEM_INFO info;
        ::GetSystemInfo(&info);
        const size_t readable = ((bytes.size() + info.dwPageSize) / info.dwPageSize) * info.dwPageSize;
        m_base = static_cast<char*>(::VirtualAlloc(nullptr, readable + info.dwPageSize, MEM_RESERVE | MEM_COMMIT,
                                                   PAGE_READWRITE));
        DWORD old = 0;
        ::VirtualProtect(m_base + readable, info.dwPageSize, PAGE_NOACCESS, &old);
        m_data = m_base + readable - bytes.size();
        std::memcpy(m_data, bytes.data(), bytes.size());
        m_size = bytes.size();
    }
    ~GuardedData() { ::VirtualFree(m_base, 0, MEM_RELEASE); }
    GuardedData(const GuardedData&) = delete;
    GuardedData& operator=(const GuardedData&) = delete;

    COPYDATASTRUCT Message(ULONG_PTR kind) const { return {kind, DWORD(m_size), m_data}; }

private:
    char* m_base = nullptr;
    char* m_data = nullptr;
    size_t m_size = 0;
};

struct CopyDataCase {
    const char* name;
    ULONG_PTR kind;
    std::string bytes;
    bool taken;
};

void PrintTo(const CopyDataCase& c, std::ostream* os) { *os << c.name; }

const CopyDataCase kCopyDataCases[] = {
    {"LabelValueAndTwoZeros", 0x404, std::string("标题\0新值\0", 10), true},
    {"EmptyValue", 0x404, std::string("标题\0\0", 6), true},
    {"NoFinalZero", 0x404, std::string("标题\0新值", 9), false},
    {"NoZeroAtAll", 0x404, std::string("标题新值"), false},
    {"BytesAfterTheValue", 0x404, std::string("标题\0新值\0x", 11), false},
    {"OtherKind", 0x405, std::string("标题\0新值\0", 10), false},
    {"UnknownLabel", 0x404, std::string("没有\0新值\0", 10), false},
};

class CopyDataTest : public FieldValueMessageTest, public ::testing::WithParamInterface<CopyDataCase> {};

TEST_P(CopyDataTest, OnlyTheDocumentedLayoutSetsTheField)
{
    const CopyDataCase& c = GetParam();
    GuardedData data(c.bytes);
    COPYDATASTRUCT message = data.Message(c.kind);
    const LRESULT result = m_form->SendMessage(WM_COPYDATA, 0, reinterpret_cast<LPARAM>(&message));
    EXPECT_EQ(result != 0, c.taken);
    if (c.taken)
        EXPECT_EQ(Text(*m_form, "Title"), c.bytes.substr(5, c.bytes.size() - 6));
    else
        EXPECT_TRUE(Unchanged());
}

INSTANTIATE_TEST_SUITE_P(Table, CopyDataTest, ::testing::ValuesIn(kCopyDataCases),
                         [](const ::testing::TestParamInfo<CopyDataCase>& info) { return info.param.name; });

}  // namespace

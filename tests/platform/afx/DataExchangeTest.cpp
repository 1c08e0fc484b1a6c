#include "afxwin.h"

#include "DialogTestRes.h"
#include "GuiDriver.h"

#include <commctrl.h>
#include <gtest/gtest.h>

#include <functional>
#include <map>
#include <string>

using testsupport::Gui;

namespace {

const char kValuesCaption[] = "数据交换测试";

// The caption of the library's message boxes when no application object
// exists: the program's name.
std::string MessageCaption()
{
    return AfxGetAppName();
}

std::string ControlText(HWND hWnd)
{
    char text[256] = {};
    GetWindowTextA(hWnd, text, sizeof text);
    return text;
}

// A value with one variable to load from and another to save into, so that
// a save that leaves its variable alone shows.
template <class T>
struct InOut {
    T in;
    T out;
    T& For(CDataExchange* pDX) { return pDX->m_bSaveAndValidate ? out : in; }
};

// The values form; the exchange is the test's. The boxes get their items
// before the first exchange; what the controls show right after it is kept.
class ValuesDialog : public CDialog {
public:
    explicit ValuesDialog(std::function<void(CDataExchange*)> exchange)
        : CDialog(IDD_DLGT_VALUES), m_exchange(std::move(exchange))
    {
    }

    std::map<int, std::string> loadedTexts;
    std::map<int, LRESULT> loadedStates;  // check marks, positions, limits
    int failedOKs = 0;
    int focusAfterFailedOK = 0;  // control id
    DWORD selectionAfterFailedOK = 0;
    DWORD selectionOfAll = 1;

protected:
    BOOL OnInitDialog() override
    {
        for (const char* city : {"上海", "北京", "广州"}) {
            SendDlgItemMessage(IDC_DLGT_CITY, CB_ADDSTRING, 0, LPARAM(city));
            SendDlgItemMessage(IDC_DLGT_LIST, LB_ADDSTRING, 0, LPARAM(city));
        }
        for (const char* size : {"小", "中", "大"})
            SendDlgItemMessage(IDC_DLGT_SIZE, CB_ADDSTRING, 0, LPARAM(size));
        SCROLLINFO range = {sizeof range, SIF_RANGE, 0, 100, 0, 0, 0};
        ::SetScrollInfo(::GetDlgItem(m_hWnd, IDC_DLGT_SCROLL), SB_CTL, &range, FALSE);
        SendDlgItemMessage(IDC_DLGT_SLIDER, TBM_SETRANGE, FALSE, MAKELPARAM(0, 10));

        BOOL bResult = CDialog::OnInitDialog();

        for (int id = IDC_DLGT_INT; id <= IDC_DLGT_SLIDER; ++id)
            loadedTexts[id] = ControlText(::GetDlgItem(m_hWnd, id));
        for (int id : {IDC_DLGT_CHECK, IDC_DLGT_RADIO1, IDC_DLGT_RADIO2, IDC_DLGT_RADIO3, IDC_DLGT_AFTERRADIO})
            loadedStates[id] = SendDlgItemMessage(id, BM_GETCHECK);
        loadedStates[IDC_DLGT_LIST] = SendDlgItemMessage(IDC_DLGT_LIST, LB_GETCURSEL);
        loadedStates[IDC_DLGT_SCROLL] = ::GetScrollPos(::GetDlgItem(m_hWnd, IDC_DLGT_SCROLL), SB_CTL);
        loadedStates[IDC_DLGT_SLIDER] = SendDlgItemMessage(IDC_DLGT_SLIDER, TBM_GETPOS);
        loadedStates[IDC_DLGT_TEXT] = SendDlgItemMessage(IDC_DLGT_TEXT, EM_GETLIMITTEXT);
        return bResult;
    }
    void DoDataExchange(CDataExchange* pDX) override { m_exchange(pDX); }
    void OnOK() override
    {
        CDialog::OnOK();
        if (IsWindowVisible() && failedOKs++ == 0) {
            HWND hFocus = ::GetFocus();
            focusAfterFailedOK = ::GetDlgCtrlID(hFocus);
            selectionAfterFailedOK = DWORD(::SendMessage(hFocus, EM_GETSEL, 0, 0));
            ::SendMessage(hFocus, EM_SETSEL, 0, -1);
            selectionOfAll = DWORD(::SendMessage(hFocus, EM_GETSEL, 0, 0));
        }
    }

private:
    std::function<void(CDataExchange*)> m_exchange;
};

class DataExchange : public testing::Test {
protected:
    void SetUp() override
    {
        INITCOMMONCONTROLSEX controls = {sizeof controls, ICC_BAR_CLASSES};
        InitCommonControlsEx(&controls);
    }
};

TEST_F(DataExchange, LoadsEveryKindOfValueIntoItsControlAndReadsBackWhatTheUserEntered)
{
    InOut<int> anInt{-42, 0};
    InOut<UINT> aUint{4000000000u, 0};
    InOut<long> aLong{-100000, 0};
    InOut<DWORD> aDword{4294967295u, 1};
    InOut<BYTE> aByte{255, 0};
    InOut<short> aShort{-32768, 0};
    InOut<float> aFloat{1234.5678f, 0};
    InOut<double> aDouble{2.0 / 3 * 1e20, 0};
    InOut<CString> aText{"原文", ""};
    InOut<int> check{1, -5};
    InOut<int> radio{2, -5};
    InOut<CString> city{"北", ""};
    InOut<int> size{1, -5};
    InOut<CString> listed{"广", ""};
    InOut<int> scroll{40, -5};
    InOut<int> slider{7, -5};
    ValuesDialog dialog([&](CDataExchange* pDX) {
        DDX_Text(pDX, IDC_DLGT_INT, anInt.For(pDX));
        DDX_Text(pDX, IDC_DLGT_UINT, aUint.For(pDX));
        DDX_Text(pDX, IDC_DLGT_LONG, aLong.For(pDX));
        DDX_Text(pDX, IDC_DLGT_DWORD, aDword.For(pDX));
        DDX_Text(pDX, IDC_DLGT_BYTE, aByte.For(pDX));
        DDX_Text(pDX, IDC_DLGT_SHORT, aShort.For(pDX));
        DDX_Text(pDX, IDC_DLGT_FLOAT, aFloat.For(pDX));
        DDX_Text(pDX, IDC_DLGT_DOUBLE, aDouble.For(pDX));
        DDX_Text(pDX, IDC_DLGT_TEXT, aText.For(pDX));
        DDX_Check(pDX, IDC_DLGT_CHECK, check.For(pDX));
        DDX_Radio(pDX, IDC_DLGT_RADIO1, radio.For(pDX));
        DDX_CBString(pDX, IDC_DLGT_CITY, city.For(pDX));
        DDX_CBIndex(pDX, IDC_DLGT_SIZE, size.For(pDX));
        DDX_LBString(pDX, IDC_DLGT_LIST, listed.For(pDX));
        DDX_Scroll(pDX, IDC_DLGT_SCROLL, scroll.For(pDX));
        DDX_Slider(pDX, IDC_DLGT_SLIDER, slider.For(pDX));
    });
    Gui().Expect(kValuesCaption)
        .SetText(IDC_DLGT_INT, " 17 ")
        .SetText(IDC_DLGT_UINT, "7")
        .SetText(IDC_DLGT_LONG, "123456")
        .SetText(IDC_DLGT_DWORD, "0")
        .SetText(IDC_DLGT_BYTE, "8")
        .SetText(IDC_DLGT_SHORT, "32767")
        .SetText(IDC_DLGT_FLOAT, "2.5")
        .SetText(IDC_DLGT_DOUBLE, "-1e-3")
        .SetText(IDC_DLGT_TEXT, "新的文字")
        .Check(IDC_DLGT_CHECK, false)
        .Check(IDC_DLGT_RADIO2)
        .SetText(IDC_DLGT_CITY, "深圳")
        .SelectItem(IDC_DLGT_SIZE, 2)
        .SelectItem(IDC_DLGT_LIST, "上海")
        .Press(IDOK);

    ASSERT_EQ(IDOK, dialog.DoModal());

    // Loaded: numbers as the C runtime prints them, reals with the type's
    // significant digits; string selections by prefix.
    const std::map<int, std::string> texts = {
        {IDC_DLGT_INT, "-42"},       {IDC_DLGT_UINT, "4000000000"}, {IDC_DLGT_LONG, "-100000"},
        {IDC_DLGT_DWORD, "4294967295"}, {IDC_DLGT_BYTE, "255"},     {IDC_DLGT_SHORT, "-32768"},
        {IDC_DLGT_FLOAT, "1234.57"}, {IDC_DLGT_DOUBLE, "6.66666666666667e+019"}, {IDC_DLGT_TEXT, "原文"},
        {IDC_DLGT_CITY, "北京"},      {IDC_DLGT_SIZE, "中"}};
    for (const auto& expected : texts)
        EXPECT_EQ(expected.second, dialog.loadedTexts[expected.first]) << "control " << expected.first;
    EXPECT_EQ(BST_CHECKED, dialog.loadedStates[IDC_DLGT_CHECK]);
    EXPECT_EQ(BST_UNCHECKED, dialog.loadedStates[IDC_DLGT_RADIO1]);
    EXPECT_EQ(BST_UNCHECKED, dialog.loadedStates[IDC_DLGT_RADIO2]);
    EXPECT_EQ(BST_CHECKED, dialog.loadedStates[IDC_DLGT_RADIO3]);  // the static between is no button
    EXPECT_EQ(BST_UNCHECKED, dialog.loadedStates[IDC_DLGT_AFTERRADIO]);
    EXPECT_EQ(2, dialog.loadedStates[IDC_DLGT_LIST]);
    EXPECT_EQ(40, dialog.loadedStates[IDC_DLGT_SCROLL]);
    EXPECT_EQ(7, dialog.loadedStates[IDC_DLGT_SLIDER]);

    // Saved: what the user entered.
    EXPECT_EQ(17, anInt.out);
    EXPECT_EQ(7u, aUint.out);
    EXPECT_EQ(123456, aLong.out);
    EXPECT_EQ(0u, aDword.out);
    EXPECT_EQ(8, aByte.out);
    EXPECT_EQ(32767, aShort.out);
    EXPECT_EQ(2.5f, aFloat.out);
    EXPECT_EQ(-1e-3, aDouble.out);
    EXPECT_STREQ("新的文字", aText.out);
    EXPECT_EQ(0, check.out);
    EXPECT_EQ(1, radio.out);
    EXPECT_STREQ("深圳", city.out);
    EXPECT_EQ(2, size.out);
    EXPECT_STREQ("上海", listed.out);
    EXPECT_EQ(40, scroll.out);
    EXPECT_EQ(7, slider.out);
}

TEST_F(DataExchange, SelectionsNobodyMadeReadBackAsNone)
{
    InOut<int> radio{-1, 5};
    InOut<int> size{-1, 5};
    InOut<CString> listed{"深圳", "x"};
    InOut<CString> city{"深圳", ""};
    ValuesDialog dialog([&](CDataExchange* pDX) {
        DDX_Radio(pDX, IDC_DLGT_RADIO1, radio.For(pDX));
        DDX_CBIndex(pDX, IDC_DLGT_SIZE, size.For(pDX));
        DDX_LBString(pDX, IDC_DLGT_LIST, listed.For(pDX));
        DDX_CBStringExact(pDX, IDC_DLGT_CITY, city.For(pDX));
    });
    Gui().Expect(kValuesCaption).Press(IDOK);

    ASSERT_EQ(IDOK, dialog.DoModal());

    EXPECT_EQ(BST_UNCHECKED, dialog.loadedStates[IDC_DLGT_RADIO3]);
    EXPECT_EQ(-1, radio.out);
    EXPECT_EQ(-1, size.out);
    EXPECT_STREQ("", listed.out);
    // A text no item has stays in the edit of a drop-down combo box.
    EXPECT_EQ("深圳", dialog.loadedTexts[IDC_DLGT_CITY]);
    EXPECT_STREQ("深圳", city.out);
}

// A refused field: the user is told, the dialog stays open with the focus
// on the field and its text selected, and a corrected value is taken.
struct RefusalCase {
    const char* name;
    int control;
    const char* typed;
    const char* message;
    const char* corrected;
};

void PrintTo(const RefusalCase& c, std::ostream* out) { *out << c.name; }

class DataExchangeRefusal : public DataExchange, public testing::WithParamInterface<RefusalCase> {};

TEST_P(DataExchangeRefusal, TellsTheUserAndKeepsTheDialogOpenOnTheField)
{
    const RefusalCase& c = GetParam();
    InOut<int> anInt{1, 0};
    InOut<UINT> aUint{1, 0};
    InOut<BYTE> aByte{1, 0};
    InOut<short> aShort{1, 0};
    InOut<float> aFloat{1, 0};
    InOut<double> aDouble{1, 0};
    InOut<CString> aText{"", ""};
    ValuesDialog dialog([&](CDataExchange* pDX) {
        DDX_Text(pDX, IDC_DLGT_INT, anInt.For(pDX));
        DDV_MinMaxInt(pDX, anInt.For(pDX), 1, 100);
        DDX_Text(pDX, IDC_DLGT_UINT, aUint.For(pDX));
        DDV_MinMaxUInt(pDX, aUint.For(pDX), 1, 4000000000u);
        DDX_Text(pDX, IDC_DLGT_BYTE, aByte.For(pDX));
        DDX_Text(pDX, IDC_DLGT_SHORT, aShort.For(pDX));
        DDX_Text(pDX, IDC_DLGT_FLOAT, aFloat.For(pDX));
        DDV_MinMaxFloat(pDX, aFloat.For(pDX), -1.5f, 1.5f);
        DDX_Text(pDX, IDC_DLGT_DOUBLE, aDouble.For(pDX));
        DDV_MinMaxDouble(pDX, aDouble.For(pDX), 0.5, 2.5);
        DDX_Text(pDX, IDC_DLGT_TEXT, aText.For(pDX));
        DDV_MaxChars(pDX, aText.For(pDX), 5);
    });
    auto& window = Gui().Expect(kValuesCaption)
                       .SetText(c.control, c.typed)
                       .Press(IDOK)
                       .SetText(c.control, c.corrected)
                       .Press(IDOK);
    auto& message = Gui().Expect(MessageCaption()).Press(IDOK);

    ASSERT_EQ(IDOK, dialog.DoModal());

    EXPECT_TRUE(window.Seen());
    EXPECT_TRUE(message.HasText(c.message)) << (message.Texts().empty() ? "" : message.Texts()[0]);
    EXPECT_EQ(1, dialog.failedOKs);
    EXPECT_EQ(c.control, dialog.focusAfterFailedOK);
    EXPECT_EQ(dialog.selectionOfAll, dialog.selectionAfterFailedOK);  // the whole text
}

INSTANTIATE_TEST_SUITE_P(
    Cases, DataExchangeRefusal,
    testing::Values(
        RefusalCase{"IntNotANumber", IDC_DLGT_INT, "12a", "请输入一个整数。", "12"},
        RefusalCase{"IntEmpty", IDC_DLGT_INT, "", "请输入一个整数。", "3"},
        RefusalCase{"IntOutOfRange", IDC_DLGT_INT, "101", "请输入一个介于 1 和 100 之间的整数。", "100"},
        RefusalCase{"UintNegative", IDC_DLGT_UINT, "-5", "请输入一个正整数。", "5"},
        RefusalCase{"UintOutOfRange", IDC_DLGT_UINT, "0", "请输入一个介于 1 和 4000000000 之间的整数。", "4000000000"},
        RefusalCase{"ByteTooBig", IDC_DLGT_BYTE, "256", "请输入一个介于 0 和 255 之间的整数。", "255"},
        RefusalCase{"ShortTooBig", IDC_DLGT_SHORT, "32768", "请输入一个整数。", "-32768"},
        RefusalCase{"FloatNotANumber", IDC_DLGT_FLOAT, "abc", "请输入一个数字。", "-1.5"},
        RefusalCase{"FloatOutOfRange", IDC_DLGT_FLOAT, "-2", "请输入一个介于 -1.5 和 1.5 之间的数字。", "0"},
        RefusalCase{"DoubleNotANumber", IDC_DLGT_DOUBLE, "1,5", "请输入一个数字。", "1.5"},
        RefusalCase{"DoubleOutOfRange", IDC_DLGT_DOUBLE, "3", "请输入一个介于 0.5 和 2.5 之间的数字。", "2.5"},
        // Lengths are in bytes, as the text is: three characters are six.
        RefusalCase{"TextTooLong", IDC_DLGT_TEXT, "一二三", "请输入不超过 5 个字符。", "一二"}),
    [](const testing::TestParamInfo<RefusalCase>& info) { return std::string(info.param.name); });

TEST_F(DataExchange, MaxCharsLimitsTheEditWhenLoading)
{
    CString text = "abc";
    ValuesDialog dialog([&](CDataExchange* pDX) {
        DDX_Text(pDX, IDC_DLGT_TEXT, text);
        DDV_MaxChars(pDX, text, 5);
    });
    Gui().Expect(kValuesCaption).Press(IDCANCEL);

    EXPECT_EQ(IDCANCEL, dialog.DoModal());
    EXPECT_EQ(5, dialog.loadedStates[IDC_DLGT_TEXT]);
}

// DDX_Control attaches the object to the control once, however often the
// data is exchanged.
TEST_F(DataExchange, ControlIsAttachedOnceAndKeepsItsObject)
{
    CWnd edit;
    int exchanges = 0;
    HWND attachedAtSave = NULL;
    ValuesDialog dialog([&](CDataExchange* pDX) {
        ++exchanges;
        DDX_Control(pDX, IDC_DLGT_TEXT, edit);
        if (pDX->m_bSaveAndValidate)
            attachedAtSave = edit.m_hWnd;
    });
    Gui().Expect(kValuesCaption).Press(IDOK);

    EXPECT_EQ(IDOK, dialog.DoModal());

    EXPECT_EQ(2, exchanges);
    EXPECT_NE(nullptr, attachedAtSave);
    EXPECT_EQ(nullptr, edit.m_hWnd);  // let go when the dialog's windows went
}

}  // namespace

// The script calls of the server web page views and what they read from a
// page's elements, against scriptable objects standing in for the page.
#include "AssociateHtmlView.h"
#include "CallBackHtmlView.h"
#include "PageScript.h"
#include "RelateAssetView.h"

#include "GuiDriver.h"
#include "ScriptObject.h"

#include <gtest/gtest.h>

#include <functional>
#include <memory>
#include <string>
#include <vector>

namespace {

using testsupport::ScriptObject;
using testsupport::VariantString;

// The view's calls need no window.
std::unique_ptr<CRelateAssetView> NewRelateView()
{
    return std::unique_ptr<CRelateAssetView>(
        static_cast<CRelateAssetView*>(RUNTIME_CLASS(CRelateAssetView)->CreateObject()));
}

VARIANT Number(long n)
{
    VARIANT value;
    V_VT(&value) = VT_I4;
    V_I4(&value) = n;
    return value;
}

// A method that answers (a copy of) the value and writes down the texts it was given.
ScriptObject::Body Answering(const VARIANT& answer, std::vector<std::wstring>* pArgs = nullptr)
{
    std::shared_ptr<VARIANT> kept(new VARIANT, [](VARIANT* p) {
        ::VariantClear(p);
        delete p;
    });
    ::VariantInit(kept.get());
    ::VariantCopy(kept.get(), const_cast<VARIANT*>(&answer));
    return [kept, pArgs](const std::vector<VARIANT>& args, VARIANT* result, EXCEPINFO*) -> HRESULT {
        if (pArgs != nullptr) {
            pArgs->clear();
            for (const VARIANT& arg : args)
                pArgs->push_back(V_VT(&arg) == VT_BSTR ? VariantString(arg) : L"(not a string)");
        }
        return ::VariantCopy(result, kept.get());
    };
}

// A method that raises a script error.
ScriptObject::Body Raising(const std::wstring& source, const std::wstring& description)
{
    return [source, description](const std::vector<VARIANT>&, VARIANT*, EXCEPINFO* excep) -> HRESULT {
        memset(excep, 0, sizeof *excep);
        excep->scode = E_FAIL;
        excep->bstrSource = source.empty() ? nullptr : ::SysAllocString(source.c_str());
        excep->bstrDescription = ::SysAllocString(description.c_str());
        return DISP_E_EXCEPTION;
    };
}

// Every object a test made must be freed by its end: the code under test
// gave back every reference it took.
class PageScriptTest : public ::testing::Test {
protected:
    void SetUp() override { m_alive = ScriptObject::Alive(); }
    void TearDown() override
    {
        Drop();
        EXPECT_EQ(ScriptObject::Alive(), m_alive);
    }

    // A document whose "Script" is the page's window.
    IDispatch* Document()
    {
        if (m_document == nullptr) {
            m_window = ScriptObject::New();
            m_document = ScriptObject::New()->Set("Script", m_window);
        }
        return m_document;
    }
    void Drop()
    {
        if (m_document != nullptr)
            m_document->Release();
        if (m_window != nullptr)
            m_window->Release();
        m_document = m_window = nullptr;
    }

    ScriptObject* m_window = nullptr;
    ScriptObject* m_document = nullptr;
    int m_alive = 0;
};

// Each script call of the views: the function it calls and its texts.
struct ScriptCall {
    const char* name;
    const char* function;
    std::vector<std::wstring> args;
    std::function<CString(IDispatch*)> call;
    // What the call gives when it fails.
    const char* none = "";
};

std::vector<ScriptCall> ScriptCalls()
{
    auto relate = std::shared_ptr<CRelateAssetView>(NewRelateView());
    return {
        {"CallGetFilesize", "GetFilesize", {}, [relate](IDispatch* d) { return relate->CallGetFilesize(d); }},
        {"CallGetXml", "fnGetXML", {L"<资产/>"}, [relate](IDispatch* d) { return relate->CallGetXml(d, "<资产/>"); }},
        {"CallGetXmlNode", "fnGetXMLNode", {}, [](IDispatch* d) { return CAssociateHtmlView::CallGetXmlNode(d); }},
        {"CallGetAssetId", "GetAssetId", {}, [](IDispatch* d) { return CCallBackHtmlView::CallGetAssetId(d); }},
        {"CallGetStorageLocation", "GetStorageLocation", {L"库一"},
         [](IDispatch* d) { return CCallBackHtmlView::CallGetStorageLocation(d, "库一"); }},
        {"CallCallBack", "CallBack", {L"完成"}, [](IDispatch* d) {
             CCallBackHtmlView::CallCallBack(d, "完成");
             return CString("(no result)");
         },
         "(no result)"},
    };
}

TEST_F(PageScriptTest, EachCallPassesItsTextsAndGivesTheResultAsText)
{
    for (const ScriptCall& c : ScriptCalls()) {
        std::vector<std::wstring> passed;
        // A number comes back as its decimal text.
        Document();
        m_window->Method(c.function, Answering(Number(1048576), &passed));
        const CString strResult = c.call(m_document);
        if (strcmp(c.none, "") == 0) {
            EXPECT_STREQ(strResult, "1048576") << c.name;
        }
        EXPECT_EQ(passed, c.args) << c.name;
        // A text as it is, Chinese included.
        VARIANT text = testsupport::TextVariant(L"甲乙 丙");
        m_window->Method(c.function, Answering(text));
        if (strcmp(c.none, "") == 0) {
            EXPECT_STREQ(c.call(m_document), "甲乙 丙") << c.name;
        }
        ::VariantClear(&text);
        Drop();
    }
}

// No page, a page without a script, a script without the function, a
// script error: empty, and nobody is told (an unexpected box fails the test).
TEST_F(PageScriptTest, EveryFailureGivesEmptyTextAndOnlyGetFilesizeTellsOfAScriptError)
{
    for (const ScriptCall& c : ScriptCalls()) {
        EXPECT_STREQ(c.call(nullptr), c.none) << c.name;
        ScriptObject* scriptless = ScriptObject::New()->Set("Script", L"not an object");
        EXPECT_STREQ(c.call(scriptless), c.none) << c.name;
        scriptless->Release();

        Document();
        m_window->Method("somethingElse", Answering(Number(1)));
        EXPECT_STREQ(c.call(m_document), c.none) << c.name;
        // A property of that name is not a function.
        m_window->Set(c.function, L"1");
        EXPECT_STREQ(c.call(m_document), c.none) << c.name;
        if (strcmp(c.function, "GetFilesize") != 0) {
            m_window->Method(c.function, Raising(L"脚本", L"出错了"));
            EXPECT_STREQ(c.call(m_document), c.none) << c.name;
        }
        Drop();
    }
}

TEST_F(PageScriptTest, GetFilesizeShowsTheScriptErrorsSourceAndDescription)
{
    struct Case {
        std::wstring source, description;
        std::string message;
    } cases[] = {
        {L"src", L"desc", "src - desc"},
        {L"", L"desc", "desc"},
        {L"src", L"", "src - unknown error"},
        {L"", L"", "unknown error"},
        {L"页面脚本", L"缺少对象", "页面脚本 - 缺少对象"},
    };
    auto view = NewRelateView();
    for (const Case& c : cases) {
        Document();
        m_window->Method("GetFilesize", Raising(c.source, c.description));
        testsupport::WindowExpectation& box = testsupport::Gui().Expect("").Press(IDOK);
        EXPECT_STREQ(view->CallGetFilesize(m_document), "") << c.message;
        EXPECT_TRUE(box.Seen()) << c.message;
        EXPECT_TRUE(box.HasText(c.message)) << c.message << " / " << (box.Texts().empty() ? "" : box.Texts()[0]);
        Drop();
    }
}

TEST_F(PageScriptTest, UploadLocationIsSplitAtTheFirstHash)
{
    struct Case {
        const wchar_t* answer;  // nullptr: the call fails
        const char* before;
        const char* after;
    } cases[] = {
        {L"a#b", "a", "b"},
        {L"ftp://库/一#二#三", "ftp://库/一", "二#三"},
        {L"#b", "", "b"},
        {L"a#", "a", ""},
        {L"ab", "", ""},
        {L"", "", ""},
        {nullptr, "", ""},
    };
    auto view = NewRelateView();
    for (const Case& c : cases) {
        view->m_strLocationBefore = "old";
        view->m_strLocationAfter = "old";
        std::vector<std::wstring> passed;
        Document();
        if (c.answer != nullptr) {
            VARIANT answer = testsupport::TextVariant(c.answer);
            m_window->Method("GetUploadLocation", Answering(answer, &passed));
            ::VariantClear(&answer);
        } else {
            m_window->Method("GetUploadLocation", Raising(L"s", L"d"));
        }
        view->CallGetUploadLocation(m_document, "甲", "乙");
        EXPECT_STREQ(view->m_strLocationBefore, c.before) << c.before << "#" << c.after;
        EXPECT_STREQ(view->m_strLocationAfter, c.after) << c.before << "#" << c.after;
        if (c.answer != nullptr) {
            EXPECT_EQ(passed, (std::vector<std::wstring>{L"甲", L"乙"}));
        }
        Drop();
    }
    // Without a page the texts are emptied all the same.
    view->m_strLocationBefore = "old";
    view->CallGetUploadLocation(nullptr, "a", "b");
    EXPECT_STREQ(view->m_strLocationBefore, "");
}

// ---------------------------------------------------------------------------
// The association page's list

struct Cell {
    enum Kind { kText, kBox, kTextInput } kind;
    std::wstring value;
    bool checked;
};

ScriptObject* CellObject(const Cell& cell)
{
    std::vector<ScriptObject*> children;
    if (cell.kind != Cell::kText) {
        ScriptObject* input = ScriptObject::New()->Set("tagName", L"INPUT")->Set("value", cell.value);
        input->Set("type", cell.kind == Cell::kBox ? L"checkbox" : L"text")->SetFlag("checked", cell.checked);
        children.push_back(input);
    }
    ScriptObject* childList = ScriptObject::Collection(children);
    ScriptObject* object = ScriptObject::New()->Set("tagName", L"TD")->Set("children", childList);
    childList->Release();
    for (ScriptObject* child : children)
        child->Release();
    return object;
}

// A collection made of new objects, whose references it takes over.
ScriptObject* Owning(const std::vector<ScriptObject*>& items)
{
    ScriptObject* collection = ScriptObject::Collection(items);
    for (ScriptObject* item : items)
        item->Release();
    return collection;
}

ScriptObject* Holding(ScriptObject* object, const std::string& name, ScriptObject* value)
{
    object->Set(name, value);
    value->Release();
    return object;
}

// A document with the list form and its table of rows of cells, the header first.
ScriptObject* ListDocument(const std::vector<std::vector<Cell>>& rows, bool withList = true)
{
    std::vector<ScriptObject*> rowObjects;
    for (const auto& row : rows) {
        std::vector<ScriptObject*> cells;
        for (const Cell& cell : row)
            cells.push_back(CellObject(cell));
        rowObjects.push_back(Holding(ScriptObject::New()->Set("tagName", L"TR"), "cells", Owning(cells)));
    }
    ScriptObject* table = Holding(ScriptObject::New()->Set("id", L"tblAssetList"), "rows", Owning(rowObjects));
    std::vector<ScriptObject*> all = {table};
    if (withList)
        all.insert(all.begin(), ScriptObject::New()->Set("name", L"Assetlist")->Set("tagName", L"FORM"));
    return Holding(ScriptObject::New(), "all", Owning(all));
}

TEST_F(PageScriptTest, SelectedAssetIdsAreTheTickedRowsValuesInRowOrder)
{
    const std::vector<Cell> header = {{Cell::kText, L"", false}, {Cell::kText, L"", false}};
    auto row = [](const wchar_t* id, bool ticked) {
        return std::vector<Cell>{{Cell::kBox, id, ticked}, {Cell::kText, L"", false}};
    };
    struct Case {
        const char* name;
        std::vector<std::vector<Cell>> rows;
        bool withList;
        const char* ids;
    } cases[] = {
        {"header only", {header}, true, ""},
        {"no table rows at all", {}, true, ""},
        {"rows 2 and 4 ticked", {header, row(L"id1", false), row(L"id2", true), row(L"id3", false), row(L"id4", true)}, true,
         "id2;id4"},
        {"one ticked", {header, row(L"资产7", true)}, true, "资产7"},
        {"none ticked", {header, row(L"id1", false), row(L"id2", false)}, true, ""},
        // The header's own box is no asset's.
        {"ticked header", {{{Cell::kBox, L"all", true}}, row(L"id1", true)}, true, "id1"},
        {"rows without a check box",
         {header, {{Cell::kText, L"", false}}, {{Cell::kTextInput, L"id9", true}}},
         true,
         ""},
        {"no list element", {header, row(L"id1", true)}, false, ""},
    };
    for (const Case& c : cases) {
        ScriptObject* document = ListDocument(c.rows, c.withList);
        EXPECT_STREQ(CAssociateHtmlView::GetSelectedAssetIds(document), c.ids) << c.name;
        document->Release();
    }
    // No page, and a page without elements.
    EXPECT_STREQ(CAssociateHtmlView::GetSelectedAssetIds(nullptr), "");
    ScriptObject* bare = ScriptObject::New();
    EXPECT_STREQ(CAssociateHtmlView::GetSelectedAssetIds(bare), "");
    bare->Release();
}

// ---------------------------------------------------------------------------
// Element descriptions

ScriptObject* Element(const wchar_t* tag, const wchar_t* name, const wchar_t* inner)
{
    return ScriptObject::New()->Set("tagName", tag)->Set("name", name)->Set("innerHTML", inner);
}

TEST_F(PageScriptTest, AddFormIsDescribedWithItsElements)
{
    ScriptObject* form = Holding(Element(L"FORM", L"addform", L"<input name=a>"), "elements",
                                 Owning({Element(L"INPUT", L"a", L""), Element(L"SELECT", L"b", L"<option>甲</option>")}));
    ScriptObject* other = Element(L"FORM", L"other", L"x");
    ScriptObject* document = Holding(ScriptObject::New(), "forms", Owning({other, form}));
    auto view = NewRelateView();
    EXPECT_STREQ(view->ReadAddForm(document), " tag = FORM <InnerHtml> = <input name=a>"
                                              " tag = INPUT <InnerHtml> = "
                                              " tag = SELECT <InnerHtml> = <option>甲</option>");
    document->Release();

    ScriptObject* formless = Holding(ScriptObject::New(), "forms", Owning({Element(L"FORM", L"other", L"x")}));
    EXPECT_STREQ(view->ReadAddForm(formless), "");
    formless->Release();
    EXPECT_STREQ(view->ReadAddForm(nullptr), "");
}

TEST_F(PageScriptTest, SelectElementsOfANameAreDescribed)
{
    ScriptObject* document = ScriptObject::New();
    ScriptObject* named = Owning({Element(L"SELECT", L"kind", L"<option>一</option>"), Element(L"INPUT", L"kind", L"")});
    document->Method("getElementsByName", [named](const std::vector<VARIANT>& args, VARIANT* result, EXCEPINFO*) {
        const bool kind = args.size() == 1 && VariantString(args[0]) == L"kind";
        return testsupport::AnswerObject(result, kind ? named : nullptr);
    });
    EXPECT_STREQ(CAssociateHtmlView::DescribeSelectElements(document, "kind"),
                 " tag = SELECT <InnerHtml> = <option>一</option>");
    EXPECT_STREQ(CAssociateHtmlView::DescribeSelectElements(document, "none"), "");
    EXPECT_STREQ(CAssociateHtmlView::DescribeSelectElements(nullptr, "kind"), "");
    document->Release();
    named->Release();
}

}  // namespace

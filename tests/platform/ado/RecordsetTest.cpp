#include "AdoFixture.h"

#include <vector>

namespace {

class AdoRecordsetTest : public AdoTest {
protected:
    void SetUp() override
    {
        AdoTest::SetUp();
        Run(L"CREATE TABLE people (id INTEGER, name TEXT, score REAL)");
        Run(L"INSERT INTO people VALUES (1, '张三', 3.5), (2, 'Li', NULL), (3, '王五', 1.0), (4, 'Lu', 2.0)");
        m_people = Query(L"SELECT * FROM people ORDER BY id");
    }

    // The ids from the current row to the end.
    std::vector<long> IdsToEnd()
    {
        std::vector<long> ids;
        VARIANT_BOOL eof = VARIANT_FALSE;
        while (m_people->get_EOF(&eof) == S_OK && eof != VARIANT_TRUE) {
            ids.push_back(Value(m_people, L"id").lVal);
            EXPECT_EQ(S_OK, m_people->MoveNext());
        }
        return ids;
    }

    bool Eof()
    {
        VARIANT_BOOL eof = VARIANT_FALSE;
        EXPECT_EQ(S_OK, m_people->get_EOF(&eof));
        return eof == VARIANT_TRUE;
    }

    bool Bof()
    {
        VARIANT_BOOL bof = VARIANT_FALSE;
        EXPECT_EQ(S_OK, m_people->get_BOF(&bof));
        return bof == VARIANT_TRUE;
    }

    RecordsetPtr m_people;
};

}  // namespace

TEST_F(AdoRecordsetTest, StaticCursorMovesOverRowsFetchedAtOpen)
{
    ADO_LONGPTR count = 0;
    ASSERT_EQ(S_OK, m_people->get_RecordCount(&count));
    EXPECT_EQ(4, count);
    EXPECT_FALSE(Bof());
    EXPECT_EQ((std::vector<long>{1, 2, 3, 4}), IdsToEnd());
    EXPECT_TRUE(Eof());
    EXPECT_EQ(ADO_E_NOCURRENTRECORD, m_people->MoveNext());
    _variant_t value;
    EXPECT_EQ(ADO_E_NOCURRENTRECORD, m_people->get_Collect(_variant_t(L"id"), &value));
    ASSERT_EQ(S_OK, m_people->MoveLast());
    EXPECT_EQ(4, Value(m_people, L"id").lVal);
    ASSERT_EQ(S_OK, m_people->MoveFirst());
    ASSERT_EQ(S_OK, m_people->MovePrevious());
    EXPECT_TRUE(Bof());
    EXPECT_FALSE(Eof());
}

TEST_F(AdoRecordsetTest, AnEmptyResultIsAtBothEnds)
{
    RecordsetPtr none = Query(L"SELECT * FROM people WHERE id > 10");
    VARIANT_BOOL bof = VARIANT_FALSE, eof = VARIANT_FALSE;
    ASSERT_EQ(S_OK, none->get_BOF(&bof));
    ASSERT_EQ(S_OK, none->get_EOF(&eof));
    EXPECT_EQ(VARIANT_TRUE, bof);
    EXPECT_EQ(VARIANT_TRUE, eof);
    EXPECT_EQ(S_OK, none->MoveFirst());
}

TEST_F(AdoRecordsetTest, BookmarksReturnToTheirRow)
{
    ASSERT_EQ(S_OK, m_people->MoveNext());
    _variant_t bookmark;
    ASSERT_EQ(S_OK, m_people->get_Bookmark(&bookmark));
    ASSERT_EQ(S_OK, m_people->MoveLast());
    ASSERT_EQ(S_OK, m_people->put_Bookmark(bookmark));
    EXPECT_EQ(2, Value(m_people, L"id").lVal);
}

TEST_F(AdoRecordsetTest, FindGoesEitherWayAndEndsAtTheEdge)
{
    struct Case {
        const wchar_t* criteria;
        SearchDirectionEnum direction;
        long skip;
        long expectedId;  // 0: not found
    };
    const Case cases[] = {
        {L"name = '王五'", adSearchForward, 0, 3},
        {L"name LIKE 'L%'", adSearchForward, 0, 2},
        {L"name LIKE 'L%'", adSearchForward, 2, 4},
        {L"score >= 2", adSearchForward, 0, 1},
        {L"score < 2", adSearchForward, 0, 3},
        {L"id <> 1", adSearchForward, 0, 2},
        {L"[name] = 'nobody'", adSearchForward, 0, 0},
        {L"id > 2", adSearchBackward, 0, 4},
        {L"id < 1", adSearchBackward, 0, 0},
    };
    for (const Case& c : cases) {
        ASSERT_EQ(S_OK, c.direction == adSearchForward ? m_people->MoveFirst() : m_people->MoveLast());
        ASSERT_EQ(S_OK, m_people->Find(_bstr_t(c.criteria), c.skip, c.direction, _variant_t(L"")))
            << TakeErrorInfo().description;
        if (c.expectedId == 0)
            EXPECT_TRUE(c.direction == adSearchForward ? Eof() : Bof()) << c.criteria;
        else
            EXPECT_EQ(c.expectedId, Value(m_people, L"id").lVal) << c.criteria;
    }
    EXPECT_EQ(ADO_E_ITEMNOTFOUND, m_people->Find(_bstr_t(L"nope = 1"), 0, adSearchForward, vtMissing));
    EXPECT_EQ(ADO_E_INVALIDARGUMENT, m_people->Find(_bstr_t(L"id ="), 0, adSearchForward, vtMissing));
}

TEST_F(AdoRecordsetTest, FilterAndSortArrangeTheRows)
{
    ASSERT_EQ(S_OK, m_people->put_Filter(_variant_t(L"id >= 2 AND name LIKE 'L*'")));
    ADO_LONGPTR count = 0;
    ASSERT_EQ(S_OK, m_people->get_RecordCount(&count));
    EXPECT_EQ(2, count);
    ASSERT_EQ(S_OK, m_people->put_Sort(_bstr_t(L"id DESC")));
    EXPECT_EQ((std::vector<long>{4, 2}), IdsToEnd());

    ASSERT_EQ(S_OK, m_people->put_Filter(_variant_t(L"")));
    ASSERT_EQ(S_OK, m_people->put_Sort(_bstr_t(L"score, id DESC")));
    EXPECT_EQ((std::vector<long>{2, 3, 4, 1}), IdsToEnd());  // NULL first
    ASSERT_EQ(S_OK, m_people->put_Sort(_bstr_t(L"")));
    EXPECT_EQ((std::vector<long>{1, 2, 3, 4}), IdsToEnd());
    EXPECT_EQ(ADO_E_ITEMNOTFOUND, m_people->put_Sort(_bstr_t(L"nope")));
}

TEST_F(AdoRecordsetTest, CloneSharesTheRowsAndRequeryFetchesAgain)
{
    ADORecordset* clone = nullptr;
    ASSERT_EQ(S_OK, m_people->Clone(adLockUnspecified, &clone));
    RecordsetPtr copy;
    copy.Attach(clone);
    ASSERT_EQ(S_OK, m_people->MoveLast());
    EXPECT_EQ(1, Value(copy, L"id").lVal);

    Run(L"DELETE FROM people WHERE id > 1");
    ASSERT_EQ(S_OK, m_people->Requery(adOptionUnspecified));
    ADO_LONGPTR count = 0;
    ASSERT_EQ(S_OK, m_people->get_RecordCount(&count));
    EXPECT_EQ(1, count);
    ASSERT_EQ(S_OK, copy->get_RecordCount(&count));
    EXPECT_EQ(4, count);
}

TEST_F(AdoRecordsetTest, GetStringJoinsColumnsAndRows)
{
    BSTR text = nullptr;
    ASSERT_EQ(S_OK, m_people->GetString(adClipString, 2, _bstr_t(L"|"), _bstr_t(L"\n"), _bstr_t(L"-"), &text));
    EXPECT_STREQ(L"1|张三|3.5\n2|Li|-\n", text);
    SysFreeString(text);
    ASSERT_EQ(S_OK, m_people->GetString(adClipString, -1, _bstr_t(L"\t"), _bstr_t(L"\r"), _bstr_t(L""), &text));
    EXPECT_STREQ(L"3\t王五\t1\r4\tLu\t2\r", text);
    SysFreeString(text);
    EXPECT_TRUE(Eof());
}

TEST_F(AdoRecordsetTest, AStatementWithoutRowsLeavesTheRecordsetClosed)
{
    RecordsetPtr recordset = Create<RecordsetPtr>(CLSID_AdoRecordset);
    ASSERT_EQ(S_OK, recordset->Open(_variant_t(L"INSERT INTO people VALUES (5, '赵六', 0)"),
                                    _variant_t(static_cast<IDispatch*>(m_connection), true), adOpenStatic,
                                    adLockOptimistic, adCmdUnknown));
    LONG state = adStateOpen;
    ASSERT_EQ(S_OK, recordset->get_State(&state));
    EXPECT_EQ(adStateClosed, state);
    ADO_LONGPTR count = 0;
    EXPECT_EQ(ADO_E_OBJECTCLOSED, recordset->get_RecordCount(&count));
    RecordsetPtr check = Query(L"SELECT name FROM people WHERE id = 5");
    EXPECT_STREQ(L"赵六", Value(check, L"name").bstrVal);
}

TEST_F(AdoRecordsetTest, FieldsDescribeTheirColumns)
{
    ADOFields* fields = nullptr;
    ASSERT_EQ(S_OK, m_people->get_Fields(&fields));
    FieldsPtr owned;
    owned.Attach(fields);
    long count = 0;
    ASSERT_EQ(S_OK, fields->get_Count(&count));
    EXPECT_EQ(3, count);
    ADOField* field = nullptr;
    ASSERT_EQ(S_OK, fields->get_Item(_variant_t(short(1)), &field));
    FieldPtr name;
    name.Attach(field);
    BSTR text = nullptr;
    ASSERT_EQ(S_OK, field->get_Name(&text));
    EXPECT_STREQ(L"name", text);
    SysFreeString(text);
    ADO_LONGPTR size = 0;
    ASSERT_EQ(S_OK, field->get_ActualSize(&size));
    EXPECT_EQ(2, size);
    EXPECT_EQ(ADO_E_NOTAVAILABLE, field->put_Value(_variant_t(L"x")));
    EXPECT_EQ(ADO_E_ITEMNOTFOUND, fields->get_Item(_variant_t(short(3)), &field));
}

#include "afx.h"
#include "afxdisp.h"

#include "GuiDriver.h"

#include <gtest/gtest.h>

#include <string>

namespace {

// Counts its destructions, to see who deletes a caught exception.
class CountedException : public CException {
public:
    static int s_nDeleted;
    ~CountedException() override { ++s_nDeleted; }
};
int CountedException::s_nDeleted = 0;

// Which handler of a TRY caught an exception.
enum Handler { ArchiveHandler, MemoryHandler, AnyHandler };

Handler CatchWithMacros(void (*thrower)())
{
    Handler handler = AnyHandler;
    TRY {
        thrower();
    }
    CATCH(CArchiveException, e) {
        handler = ArchiveHandler;
        EXPECT_EQ(CArchiveException::badClass, e->m_cause);
    }
    AND_CATCH(CMemoryException, e) {
        handler = MemoryHandler;
    }
    AND_CATCH_ALL(e) {
        handler = AnyHandler;
        EXPECT_TRUE(e->IsKindOf(RUNTIME_CLASS(CException)));
    }
    END_CATCH_ALL
    return handler;
}

std::string MessageOf(CException* e)
{
    char text[512];
    UINT help = 99;
    EXPECT_TRUE(e->GetErrorMessage(text, sizeof text, &help));
    EXPECT_EQ(0u, help);
    return text;
}

}  // namespace

TEST(Exception, CatchMacrosPickTheHandlerByClass)
{
    struct Case {
        void (*thrower)();
        Handler expected;
    };
    const Case cases[] = {
        {[] { AfxThrowArchiveException(CArchiveException::badClass); }, ArchiveHandler},
        {[] { AfxThrowMemoryException(); }, MemoryHandler},
        {[] { AfxThrowNotSupportedException(); }, AnyHandler},
        {[] { AfxThrowUserException(); }, AnyHandler},
        {[] { AfxThrowOleException(E_FAIL); }, AnyHandler},
    };
    for (const Case& c : cases)
        EXPECT_EQ(c.expected, CatchWithMacros(c.thrower));
}

TEST(Exception, HandlerEndDeletesTheCaughtException)
{
    CountedException::s_nDeleted = 0;
    TRY {
        THROW(new CountedException);
    }
    CATCH(CException, e) {
        EXPECT_EQ(0, CountedException::s_nDeleted);
    }
    END_CATCH
    EXPECT_EQ(1, CountedException::s_nDeleted);
}

TEST(Exception, ThrowLastPassesTheSameExceptionOn)
{
    CountedException::s_nDeleted = 0;
    CountedException* thrown = new CountedException;
    CException* caughtOutside = NULL;
    try {
        TRY {
            THROW(thrown);
        }
        CATCH_ALL(e) {
            THROW_LAST();
        }
        END_CATCH_ALL
    } catch (CException* e) {
        caughtOutside = e;
        EXPECT_EQ(0, CountedException::s_nDeleted);
        e->Delete();
    }
    EXPECT_EQ(thrown, caughtOutside);
    EXPECT_EQ(1, CountedException::s_nDeleted);
}

TEST(Exception, DeleteLeavesExceptionsThatAreNotAutoDelete)
{
    CountedException::s_nDeleted = 0;
    CountedException onStack;
    onStack.m_bAutoDelete = FALSE;
    onStack.Delete();
    EXPECT_EQ(0, CountedException::s_nDeleted);

    // The out-of-memory exception needs no memory: it is never deleted.
    CException* first = NULL;
    CException* second = NULL;
    try {
        AfxThrowMemoryException();
    } catch (CException* e) {
        first = e;
        e->Delete();
    }
    try {
        AfxThrowMemoryException();
    } catch (CException* e) {
        second = e;
        e->Delete();
    }
    EXPECT_EQ(first, second);
    EXPECT_TRUE(first->IsKindOf(RUNTIME_CLASS(CMemoryException)));
}

TEST(Exception, ArchiveMessagesNameTheFile)
{
    struct Case {
        int cause;
        const char* text;
    };
    const Case cases[] = {
        {CArchiveException::generic, "读写“D:\\作业\\a.job”时发生未知错误。"},
        {CArchiveException::endOfFile, "读取“D:\\作业\\a.job”时意外到达文件末尾，文件可能已损坏。"},
        {CArchiveException::badClass, "“D:\\作业\\a.job”包含未知或意外的对象类型。"},
        {CArchiveException::badSchema, "“D:\\作业\\a.job”包含的对象版本与程序不符。"},
        {CArchiveException::badIndex, "“D:\\作业\\a.job”的格式不正确（对象编号无效），文件可能已损坏。"},
    };
    for (const Case& c : cases) {
        CArchiveException e(c.cause, "D:\\作业\\a.job");
        EXPECT_EQ(c.text, MessageOf(&e)) << c.cause;
    }
    CArchiveException unnamed(CArchiveException::badClass);
    EXPECT_EQ("“未命名的文件”包含未知或意外的对象类型。", MessageOf(&unnamed));
    EXPECT_TRUE(unnamed.m_strFileName.IsEmpty());

    // A short buffer gets as much as fits, terminated.
    char shortText[5];
    EXPECT_TRUE(unnamed.GetErrorMessage(shortText, sizeof shortText));
    EXPECT_EQ(4u, strlen(shortText));
}

TEST(Exception, BaseClassHasNoMessage)
{
    CException e;
    char text[16] = "junk";
    UINT help = 5;
    EXPECT_FALSE(e.GetErrorMessage(text, sizeof text, &help));
    EXPECT_STREQ("", text);
    EXPECT_EQ(0u, help);
}

TEST(Exception, ReportErrorShowsTheTextInTheProgramsBox)
{
    CArchiveException e(CArchiveException::endOfFile, "C:\\任务.tsk");
    auto& box = testsupport::Gui().Expect("afx_tests").Press(IDOK);
    EXPECT_EQ(IDOK, e.ReportError());
    EXPECT_TRUE(box.Seen());
    EXPECT_TRUE(box.HasText("读取“C:\\任务.tsk”时意外到达文件末尾，文件可能已损坏。"));
}

TEST(Exception, ReportErrorWithoutTextSaysSo)
{
    CException e;
    auto& box = testsupport::Gui().Expect("afx_tests").Press(IDNO);
    EXPECT_EQ(IDNO, e.ReportError(MB_YESNO));
    EXPECT_TRUE(box.HasText("没有可用的错误信息。"));
}

TEST(Exception, OleProcessGivesTheScodeOfAnyException)
{
    COleException ole;
    ole.m_sc = STG_E_FILENOTFOUND;
    CMemoryException memory;
    CNotSupportedException notSupported;
    CArchiveException archive(CArchiveException::generic);
    COleDispatchException dispatch("x", 0, 1);
    struct Case {
        const CException* e;
        SCODE expected;
    };
    for (const Case& c : {Case{&ole, STG_E_FILENOTFOUND}, Case{&memory, E_OUTOFMEMORY},
                          Case{&notSupported, E_NOTIMPL}, Case{&archive, E_UNEXPECTED},
                          Case{&dispatch, E_UNEXPECTED}})
        EXPECT_EQ(c.expected, COleException::Process(c.e)) << c.e->GetRuntimeClass()->m_lpszClassName;
}

TEST(Exception, OleDispatchExceptionCarriesTheServersError)
{
    try {
        AfxThrowOleDispatchException(1001, "连接服务器失败", 12);
        FAIL() << "nothing thrown";
    } catch (COleDispatchException* e) {
        EXPECT_EQ(1001, e->m_wCode);
        EXPECT_STREQ("连接服务器失败", e->m_strDescription);
        EXPECT_EQ(0x9000Cu, e->m_dwHelpContext);
        EXPECT_EQ(0, e->m_scError);
        char text[64];
        UINT help = 0;
        EXPECT_TRUE(e->GetErrorMessage(text, sizeof text, &help));
        EXPECT_STREQ("连接服务器失败", text);
        EXPECT_EQ(0x9000Cu, help);
        e->Delete();
    }
    try {
        AfxThrowOleException(E_ACCESSDENIED);
    } catch (COleException* e) {
        EXPECT_EQ(E_ACCESSDENIED, e->m_sc);
        char text[256];
        EXPECT_TRUE(e->GetErrorMessage(text, sizeof text));
        EXPECT_NE('\0', text[0]);
        EXPECT_NE('\n', text[strlen(text) - 1]);
        e->Delete();
    }
}

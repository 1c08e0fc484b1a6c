// The safe accessors answer NULL when called through a null object pointer,
// as callers throughout the system rely on, and a null check made after such
// a call still takes effect in the optimised build.
#include "afxcmn.h"
#include "afxwin.h"

#include <gtest/gtest.h>

namespace {

// The optimiser cannot see that these pointers are null.
template <class T>
T* __attribute__((noinline)) NullOf()
{
    static T* volatile pNull = nullptr;
    return pNull;
}

template <class T, class Handle>
int __attribute__((noinline)) HandleThenCheck(T* pObject, Handle (T::*accessor)() const)
{
    Handle handle = (pObject->*accessor)();
    if (pObject == nullptr)
        return handle == NULL ? 1 : 2;
    return 0;
}

}  // namespace

TEST(NullSafeAccessors, AnswerNullThroughANullPointer)
{
    EXPECT_EQ(NullOf<CWnd>()->GetSafeHwnd(), nullptr);
    EXPECT_EQ(NullOf<CMenu>()->GetSafeHmenu(), nullptr);
    EXPECT_EQ(NullOf<CGdiObject>()->GetSafeHandle(), nullptr);
    EXPECT_EQ(NullOf<CBitmap>()->GetSafeHandle(), nullptr);
    EXPECT_EQ(NullOf<CDC>()->GetSafeHdc(), nullptr);
    EXPECT_EQ(NullOf<CImageList>()->GetSafeHandle(), nullptr);
}

TEST(NullSafeAccessors, ANullCheckAfterTheCallIsKept)
{
    EXPECT_EQ(HandleThenCheck(NullOf<CWnd>(), &CWnd::GetSafeHwnd), 1);
    EXPECT_EQ(HandleThenCheck(NullOf<CMenu>(), &CMenu::GetSafeHmenu), 1);
    EXPECT_EQ(HandleThenCheck(NullOf<CGdiObject>(), &CGdiObject::GetSafeHandle), 1);
    EXPECT_EQ(HandleThenCheck(NullOf<CDC>(), &CDC::GetSafeHdc), 1);
    EXPECT_EQ(HandleThenCheck(NullOf<CImageList>(), &CImageList::GetSafeHandle), 1);

    CWnd wnd;
    EXPECT_EQ(HandleThenCheck(&wnd, &CWnd::GetSafeHwnd), 0);
}

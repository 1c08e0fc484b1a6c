// CImageList: the wrapper a handle maps to (the attached object or a
// temporary one that never frees the list), ownership, and lists made from
// bitmap resources.
#include "afxwin.h"
#include "afxcmn.h"

#include "ControlsTestRes.h"

#include <gtest/gtest.h>

namespace {

TEST(ImageList, FromHandleGivesTheAttachedObject)
{
    CImageList list;
    ASSERT_TRUE(list.Create(16, 16, ILC_COLOR24 | ILC_MASK, 0, 4));
    HIMAGELIST handle = list.m_hImageList;
    EXPECT_EQ(&list, CImageList::FromHandle(handle));
    EXPECT_EQ(&list, CImageList::FromHandlePermanent(handle));
    CImageList::DeleteTempMap();
    EXPECT_EQ(&list, CImageList::FromHandle(handle));  // permanent entries stay
    EXPECT_EQ(NULL, CImageList::FromHandle(NULL));
}

TEST(ImageList, UnattachedHandleGetsATemporaryWrapperThatLeavesTheListAlone)
{
    HIMAGELIST handle = ImageList_Create(16, 16, ILC_COLOR24, 3, 1);
    ASSERT_NE(nullptr, handle);
    ASSERT_TRUE(ImageList_SetImageCount(handle, 3));

    CImageList* temporary = CImageList::FromHandle(handle);
    ASSERT_NE(nullptr, temporary);
    EXPECT_EQ(handle, temporary->m_hImageList);
    EXPECT_EQ(temporary, CImageList::FromHandle(handle));  // one wrapper per handle
    EXPECT_EQ(NULL, CImageList::FromHandlePermanent(handle));
    EXPECT_EQ(3, temporary->GetImageCount());

    CImageList::DeleteTempMap();
    EXPECT_EQ(3, ImageList_GetImageCount(handle));

    // Once attached, the handle maps to its owner.
    CImageList owner;
    ASSERT_TRUE(owner.Attach(handle));
    EXPECT_EQ(&owner, CImageList::FromHandle(handle));
}

TEST(ImageList, DetachGivesUpTheListAndItsMapEntry)
{
    HIMAGELIST handle;
    {
        CImageList list;
        ASSERT_TRUE(list.Create(16, 16, ILC_COLOR24, 2, 1));
        ASSERT_TRUE(ImageList_SetImageCount(list.m_hImageList, 2));
        handle = list.Detach();
        EXPECT_EQ(NULL, list.m_hImageList);
        EXPECT_EQ(NULL, CImageList::FromHandlePermanent(handle));
    }
    EXPECT_EQ(2, ImageList_GetImageCount(handle));  // the destructor had nothing to free
    EXPECT_TRUE(ImageList_Destroy(handle));

    CImageList empty;
    EXPECT_FALSE(empty.DeleteImageList());
}

TEST(ImageList, CreateFromABitmapResourceCutsItIntoImages)
{
    CImageList list;
    ASSERT_TRUE(list.Create(IDB_CTLTEST_STRIP, 16, 1, RGB(255, 0, 255)));
    EXPECT_EQ(3, list.GetImageCount());
    IMAGEINFO info;
    ASSERT_TRUE(list.GetImageInfo(2, &info));
    EXPECT_EQ(16, info.rcImage.right - info.rcImage.left);
    EXPECT_EQ(16, info.rcImage.bottom - info.rcImage.top);
    EXPECT_NE(nullptr, info.hbmMask);  // the mask colour made a mask

    // Drawn on white, the mask colour lets the background through.
    HDC screen = ::GetDC(NULL);
    CDC dc;
    ASSERT_TRUE(dc.CreateCompatibleDC(CDC::FromHandle(screen)));
    HBITMAP bitmap = ::CreateCompatibleBitmap(screen, 16, 16);
    ::ReleaseDC(NULL, screen);
    HGDIOBJ old = ::SelectObject(dc.GetSafeHdc(), bitmap);
    RECT all = {0, 0, 16, 16};
    ::FillRect(dc.GetSafeHdc(), &all, (HBRUSH)::GetStockObject(WHITE_BRUSH));
    ASSERT_TRUE(list.Draw(&dc, 2, CPoint(0, 0), ILD_TRANSPARENT));
    EXPECT_EQ(RGB(255, 255, 255), ::GetPixel(dc.GetSafeHdc(), 0, 8));
    EXPECT_EQ(RGB(0, 0, 255), ::GetPixel(dc.GetSafeHdc(), 8, 8));
    ::SelectObject(dc.GetSafeHdc(), old);
    ::DeleteObject(bitmap);

    CImageList missing;
    EXPECT_FALSE(missing.Create(IDB_CTLTEST_STRIP + 1, 16, 1, RGB(255, 0, 255)));
    EXPECT_EQ(NULL, missing.m_hImageList);
}

}  // namespace

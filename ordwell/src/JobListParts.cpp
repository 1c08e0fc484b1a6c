#include "JobListParts.h"

#include "JobPropertySheet.h"
#include "JobViewCore.h"

#include <time.h>

#include <vector>

namespace {

// A thumbnail file larger than this is not a thumbnail.
const DWORD kMaxThumbnailFile = 8 * 1024 * 1024;

bool ReadWholeFile(const CString& strPath, std::vector<unsigned char>& data)
{
    HANDLE hFile = ::CreateFileA(strPath, GENERIC_READ, FILE_SHARE_READ, NULL, OPEN_EXISTING,
                                 FILE_ATTRIBUTE_NORMAL, NULL);
    if (hFile == INVALID_HANDLE_VALUE)
        return false;
    bool ok = false;
    DWORD high = 0;
    const DWORD size = ::GetFileSize(hFile, &high);
    if (size != INVALID_FILE_SIZE && high == 0 && size <= kMaxThumbnailFile) {
        data.resize(size);
        DWORD got = 0;
        ok = size == 0 || (::ReadFile(hFile, data.data(), size, &got, NULL) && got == size);
    }
    ::CloseHandle(hFile);
    return ok;
}

}  // namespace

static CImageList* NewImageList(int nSide)
{
    CImageList* pList = new CImageList;
    pList->Create(nSide, nSide, ILC_COLOR, 4, 4);
    return pList;
}

void AttachImageLists(CListCtrlEx& list, CImageList*& pLarge, CImageList*& pSmall)
{
    pLarge = NewImageList(32);
    pSmall = NewImageList(16);
    list.SetImageList(pLarge, 0);
    list.SetImageList(pSmall, 1);
}

void ApplyViewMode(int nMode, std::initializer_list<CListCtrlEx*> lists)
{
    static const DWORD kStyles[] = {LVS_REPORT, LVS_ICON, LVS_SMALLICON, LVS_LIST};
    if (nMode < 0 || nMode >= 4)
        return;
    for (CListCtrlEx* pList : lists) {
        if ((pList->GetStyle() & LVS_TYPEMASK) != kStyles[nMode]) {
            pList->ModifyStyle(LVS_TYPEMASK, kStyles[nMode]);
            // The list view lays its items out anew but does not repaint.
            pList->Invalidate();
        }
    }
}

void RunJobProperties(JCTask* pTask, JCJob* pJob)
{
    JCPropertySheet sheet(NULL);
    FillJobProperties(sheet, pTask != NULL ? pTask->m_strTaskFile : CString(), pTask,
                      pJob != NULL ? pJob->m_strJobFile : CString(), pJob);
    if (sheet.DoModal() == IDOK)
        WriteBackJobProperties(sheet, pTask, pJob);
}

void AddStockBitmap(CImageList* pList, LPCTSTR lpszName)
{
    CBitmap bitmap;
    if (bitmap.LoadBitmap(lpszName))
        pList->Add(&bitmap, (CBitmap*)NULL);
}

CString TimeText(__time32_t tTime)
{
    const time_t t = tTime;
    const char* text = ctime(&t);
    return text != NULL ? CString(text) : CString();
}

HBITMAP LoadJobThumbnail(CWnd& window, const CString& strJobFolder, const CString& strPureName, int nSide)
{
    const std::string path = jobview::ThumbnailPath(static_cast<LPCTSTR>(strJobFolder),
                                                    static_cast<LPCTSTR>(strPureName));
    std::vector<unsigned char> file;
    jobview::ThumbnailDib dib;
    if (!ReadWholeFile(path.c_str(), file) || !jobview::CheckThumbnail(file.data(), file.size(), dib))
        return NULL;
    // The DIB moved to a block of its own, so that its header is aligned.
    std::vector<unsigned char> packed(file.begin() + dib.infoOffset, file.end());
    const BITMAPINFO* pInfo = reinterpret_cast<const BITMAPINFO*>(packed.data());
    const void* pBits = packed.data() + (dib.bitsOffset - dib.infoOffset);

    CClientDC windowDC(&window);
    CDC memoryDC;
    if (!memoryDC.CreateCompatibleDC(&windowDC))
        return NULL;
    HBITMAP hBitmap = ::CreateCompatibleBitmap(windowDC.GetSafeHdc(), nSide, nSide);
    if (hBitmap == NULL)
        return NULL;
    HGDIOBJ hOld = ::SelectObject(memoryDC.GetSafeHdc(), hBitmap);
    const int nOldMode = ::SetStretchBltMode(memoryDC.GetSafeHdc(), COLORONCOLOR);
    const int nHeight = pInfo->bmiHeader.biHeight < 0 ? -pInfo->bmiHeader.biHeight : pInfo->bmiHeader.biHeight;
    ::StretchDIBits(memoryDC.GetSafeHdc(), 0, 0, nSide, nSide, 0, 0, pInfo->bmiHeader.biWidth, nHeight, pBits, pInfo,
                    DIB_RGB_COLORS, SRCCOPY);
    ::SetStretchBltMode(memoryDC.GetSafeHdc(), nOldMode);
    ::SelectObject(memoryDC.GetSafeHdc(), hOld);
    return hBitmap;
}

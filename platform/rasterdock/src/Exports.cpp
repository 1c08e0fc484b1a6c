// The functions exported by ordinal.
#include "Rasterdock.h"

#include "General.h"
#include "Raster.h"

#include <shlobj.h>

#include <algorithm>
#include <new>

using rasterdock::Picture;

namespace {

// The prompt opens at the process's current directory.
int CALLBACK StartAtCurrentDirectory(HWND hWnd, UINT message, LPARAM, LPARAM lpData)
{
    if (message == BFFM_INITIALIZED)
        ::SendMessageA(hWnd, BFFM_SETSELECTIONA, TRUE, lpData);
    return 0;
}

}  // namespace

extern "C" {

CImageIO* RdCreateImage(int nFileType, LPCTSTR lpszPath)
{
    if (lpszPath == NULL)
        return NULL;
    switch (nFileType) {
    case 1:
        return new CBmpIO(lpszPath);
    case 3:
        return new CGifIO(lpszPath);
    case 4:
        return new CJpgIO(lpszPath);
    case 5:
        return new CPcxIO(lpszPath);
    case 8:
        return new CRawIO(lpszPath);
    case 12:
        return new CTiffIO(lpszPath);
    case 13:
        return new COvkIO(lpszPath);
    default:
        return NULL;
    }
}

int RdStopRequested()
{
    return 0;
}

BOOL RdPromptPath(CString* pText)
{
    if (pText == NULL)
        return FALSE;
    char folder[MAX_PATH] = "";
    char start[MAX_PATH] = "";
    ::GetCurrentDirectoryA(MAX_PATH, start);
    BROWSEINFOA info = {};
    info.hwndOwner = ::GetActiveWindow();
    info.pszDisplayName = folder;
    info.lpszTitle = "请选择网页图片的存放文件夹";
    info.ulFlags = BIF_RETURNONLYFSDIRS;
    info.lpfn = StartAtCurrentDirectory;
    info.lParam = reinterpret_cast<LPARAM>(start);
    LPITEMIDLIST item = ::SHBrowseForFolderA(&info);
    if (item == NULL)
        return FALSE;
    const BOOL ok = ::SHGetPathFromIDListA(item, folder);
    ::CoTaskMemFree(item);
    if (!ok || folder[0] == '\0')
        return FALSE;
    *pText = CString(folder) + "*";
    return TRUE;
}

BOOL RdMakeJpegCopy(LPCTSTR lpszSource, LPCTSTR lpszTarget, int, int, int nLongSide, int)
{
    if (lpszSource == NULL || lpszTarget == NULL || nLongSide <= 0)
        return FALSE;
    CImageIO* pImage = RdCreateImage(GenGetFileType(lpszSource), lpszSource);
    if (pImage == NULL)
        pImage = new CImageIO(0, lpszSource);  // any picture WIC decodes (PNG ...)
    pImage->m_nDisplaySize = nLongSide;
    BOOL ok = FALSE;
    int width = 0;
    int height = 0;
    BYTE* pData = NULL;
    if (pImage->OpenFile(CFile::modeRead | CFile::shareDenyWrite) &&
        pImage->ReducedDataForDisplay(width, height, pData)) {
        // Bottom-up padded rows back to packed top-down ones.
        const size_t rowBytes = (size_t(width) * 3 + 3) & ~size_t(3);
        const bool grey = pImage->m_nColorMode == RD_MODE_GRAY || pImage->m_nColorMode == RD_MODE_BITMAP;
        const int channels = grey ? 1 : 3;
        std::vector<BYTE> pixels;
        try {
            pixels.resize(size_t(width) * height * channels);
            for (int y = 0; y < height; ++y) {
                const BYTE* in = pData + size_t(height - 1 - y) * rowBytes;
                BYTE* out = pixels.data() + size_t(y) * width * channels;
                if (grey)
                    for (int x = 0; x < width; ++x)
                        out[x] = in[3 * x];
                else
                    std::copy(in, in + size_t(width) * 3, out);
            }
            ok = rasterdock::WriteJpegFile(lpszTarget, pixels, width, height, channels);
        } catch (const std::bad_alloc&) {
            ok = FALSE;
        }
        GenFreeBuffer(reinterpret_cast<void**>(&pData));
    }
    delete pImage;
    return ok;
}
}

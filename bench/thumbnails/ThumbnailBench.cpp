// Time to the last thumbnail of a folder listing: the thumbnail list shows
// every JPEG of the folder given on the command line, and the time from the
// call until the list has made every thumbnail is printed as
//   pictures=<n> thumbnails=<made> total_ms=<t> per_picture_ms=<t/n>
#include "OmbrelleApp.h"
#include "OmbrelleDoc.h"
#include "ThumbListCtrl.h"
#include "resource.h"

#include <cstdio>
#include <cstdlib>
#include <string>

int main(int argc, char** argv)
{
    if (argc < 2) {
        std::fprintf(stderr, "usage: %s FOLDER\n", argv[0]);
        return 2;
    }
    ::CoInitialize(NULL);
    COmbrelleApp app;
    // A profile of its own, so that the client's settings stay untouched.
    std::free(const_cast<char*>(app.m_pszAppName));
    app.m_pszAppName = _strdup("OmbrelleThumbnailBench");
    app.SetRegistryKey("Local AppWizard-Generated Applications");

    COmbrelleDoc* pDoc = new COmbrelleDoc;
    for (const char* extension : {"JPG", "JPEG"}) {
        PicTypeEntry* pEntry = new PicTypeEntry;
        pEntry->strName = pEntry->strExtension = pEntry->strDescription = extension;
        pEntry->bSelected = pEntry->bSelectedBefore = 1;
        pDoc->m_picTypes.Add(pEntry);
    }

    CWnd parent;
    parent.CreateEx(0, AfxRegisterWndClass(0), "thumbnail bench", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 0, 0, 1000, 760,
                    NULL, NULL);
    int nMade = 0;
    int nCount = 0;
    double fTotalMs = 0;
    {
        CThumbListCtrl list;
        list.Create(WS_CHILD | WS_VISIBLE | LVS_ICON | LVS_AUTOARRANGE, CRect(0, 0, 980, 720), &parent, IDC_THUMB_LIST);
        list.SetDocument(pDoc);
        list.m_bSkipThumbnails = FALSE;
        // Large thumbnails, 96 pixels, as the peer makes them.
        list.m_nViewMode = 0;
        list.m_nThumbSize = 96;

        LARGE_INTEGER frequency, start, end;
        ::QueryPerformanceFrequency(&frequency);
        ::QueryPerformanceCounter(&start);
        list.ShowFolder(argv[1], TRUE);
        ::QueryPerformanceCounter(&end);
        fTotalMs = 1000.0 * static_cast<double>(end.QuadPart - start.QuadPart) / static_cast<double>(frequency.QuadPart);

        nCount = list.GetThumbCount();
        for (int i = 0; i < nCount; ++i)
            nMade += list.GetThumbItem(i)->bThumbMade;
        list.DestroyWindow();
    }
    parent.DestroyWindow();
    delete pDoc;
    std::printf("pictures=%d thumbnails=%d total_ms=%.1f per_picture_ms=%.2f\n", nCount, nMade, fTotalMs,
                nCount > 0 ? fTotalMs / nCount : 0.0);
    std::fflush(stdout);
    ::CoUninitialize();
    return nMade == nCount && nCount > 0 ? 0 : 1;
}

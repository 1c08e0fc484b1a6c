// The convert library stand-in: table loading, the profile choice and the
// call record that tests read.
#include "Convert.h"

#include <cstring>
#include <mutex>
#include <string>
#include <vector>

#include "ColorModels.h"
#include "CvtTable.h"
#include "resource.h"

namespace {

std::mutex g_lock;
std::string g_calls;
std::string g_programFolder;

void Record(const std::string& line)
{
    std::lock_guard<std::mutex> guard(g_lock);
    g_calls += line + "\n";
}

std::string Text(const char* text) { return text ? std::string(text) : std::string("(null)"); }

HINSTANCE ThisModule()
{
    HMODULE module = NULL;
    ::GetModuleHandleExA(GET_MODULE_HANDLE_EX_FLAG_FROM_ADDRESS | GET_MODULE_HANDLE_EX_FLAG_UNCHANGED_REFCOUNT,
                         reinterpret_cast<LPCSTR>(&ThisModule), &module);
    return module;
}

enum class Table { Missing, Loaded, Bad };

Table ReadTable(const std::string& folder, const char* name)
{
    std::string path = folder + "\\" + name;
    HANDLE file = ::CreateFileA(path.c_str(), GENERIC_READ, FILE_SHARE_READ, NULL, OPEN_EXISTING,
                                FILE_ATTRIBUTE_NORMAL, NULL);
    if (file == INVALID_HANDLE_VALUE) {
        DWORD error = ::GetLastError();
        return error == ERROR_FILE_NOT_FOUND || error == ERROR_PATH_NOT_FOUND ? Table::Missing : Table::Bad;
    }
    std::vector<uint8_t> bytes;
    LARGE_INTEGER size;
    bool ok = ::GetFileSizeEx(file, &size) && size.QuadPart < (64 << 20);
    if (ok) {
        bytes.resize(static_cast<size_t>(size.QuadPart));
        DWORD read = 0;
        ok = bytes.empty() ||
             (::ReadFile(file, bytes.data(), static_cast<DWORD>(bytes.size()), &read, NULL) &&
              read == bytes.size());
    }
    ::CloseHandle(file);
    return ok && convert::IsValidTable(name, bytes) ? Table::Loaded : Table::Bad;
}

int LoadTables(int ordinal, CONVERT_PARAMS* pParams, int* pResult, const char* const* names, int count)
{
    Record(std::to_string(ordinal) + " 1 " + Text(pParams ? pParams->pszTableFolder : NULL) + " " +
           Text(pParams ? pParams->pszProgramFolder : NULL));
    if (pParams == NULL)
        return 0;
    std::string folder;
    if (pParams->pszTableFolder != NULL) {
        folder = pParams->pszTableFolder;
    } else {
        std::string program = pParams->pszProgramFolder ? pParams->pszProgramFolder : "";
        if (program.empty()) {
            std::lock_guard<std::mutex> guard(g_lock);
            program = g_programFolder;
        }
        folder = program + "\\..\\color";
    }
    int loaded = 0;
    bool ok = true;
    for (int i = 0; i < count; i++) {
        Table table = ReadTable(folder, names[i]);
        if (table == Table::Loaded)
            loaded++;
        else if (table == Table::Bad)
            ok = false;
    }
    if (pResult != NULL)
        *pResult = loaded;
    return ok ? 1 : 0;
}

// Source and destination pixel sizes: CMYK to RGB for ordinal 2, RGB to
// CMYK for ordinal 3.
int ConvertSamples(int ordinal, const CONVERT_RECORD* pRecord)
{
    if (pRecord == NULL) {
        Record(std::to_string(ordinal) + " 2 (null)");
        return 0;
    }
    Record(std::to_string(ordinal) + " 2 " + std::to_string(pRecord->nWidth) + " " +
           std::to_string(pRecord->nHeight));
    const LONG sourcePixel = ordinal == 2 ? 4 : 3;
    const LONG destinationPixel = ordinal == 2 ? 3 : 4;
    if (pRecord->pSource == NULL || pRecord->pDestination == NULL || pRecord->nWidth < 1 ||
        pRecord->nHeight < 1 || pRecord->nBytesPerPixel < sourcePixel ||
        pRecord->nBytesPerLine / pRecord->nBytesPerPixel < pRecord->nWidth)
        return 0;
    BYTE* pOut = pRecord->pDestination;
    for (LONG y = 0; y < pRecord->nHeight; y++) {
        const BYTE* pIn = pRecord->pSource + static_cast<size_t>(y) * static_cast<size_t>(pRecord->nBytesPerLine);
        for (LONG x = 0; x < pRecord->nWidth; x++, pIn += pRecord->nBytesPerPixel, pOut += destinationPixel) {
            if (ordinal == 2)
                convert::CmykToRgb(pIn, pOut);
            else
                convert::RgbToCmyk(pIn, pOut);
        }
    }
    return 1;
}

int TablesOrConversion(int ordinal, int nCommand, void* pRecord, void* pOutput, const char* const* names,
                       int count)
{
    // The record's layout depends on the command: it is looked at only
    // after branching.
    switch (nCommand) {
    case CVT_COMMAND_LOAD:
        return LoadTables(ordinal, static_cast<CONVERT_PARAMS*>(pRecord), static_cast<int*>(pOutput), names, count);
    case CVT_COMMAND_CONVERT:
        return ConvertSamples(ordinal, static_cast<const CONVERT_RECORD*>(pRecord));
    default:
        Record(std::to_string(ordinal) + " " + std::to_string(nCommand));
        return 0;
    }
}

struct ProfileBuffers {
    char* scanner;
    char* display;
    char* printer;
};

INT_PTR CALLBACK ProfilesProc(HWND hWnd, UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message == WM_INITDIALOG) {
        ::SetWindowLongPtrA(hWnd, DWLP_USER, lParam);
        ProfileBuffers* buffers = reinterpret_cast<ProfileBuffers*>(lParam);
        ::SetDlgItemTextA(hWnd, IDC_CONVERT_SCANNER, buffers->scanner);
        ::SetDlgItemTextA(hWnd, IDC_CONVERT_DISPLAY, buffers->display);
        ::SetDlgItemTextA(hWnd, IDC_CONVERT_PRINTER, buffers->printer);
        return TRUE;
    }
    if (message == WM_COMMAND && (LOWORD(wParam) == IDOK || LOWORD(wParam) == IDCANCEL)) {
        if (LOWORD(wParam) == IDOK) {
            ProfileBuffers* buffers = reinterpret_cast<ProfileBuffers*>(::GetWindowLongPtrA(hWnd, DWLP_USER));
            ::GetDlgItemTextA(hWnd, IDC_CONVERT_SCANNER, buffers->scanner, 256);
            ::GetDlgItemTextA(hWnd, IDC_CONVERT_DISPLAY, buffers->display, 256);
            ::GetDlgItemTextA(hWnd, IDC_CONVERT_PRINTER, buffers->printer, 256);
        }
        ::EndDialog(hWnd, LOWORD(wParam));
        return TRUE;
    }
    return FALSE;
}

}  // namespace

extern "C" {

int CvtLoadInputTables(int nCommand, void* pRecord, void* pOutput)
{
    static const char* const kNames[] = {"ctl.cvt", "dto.cvt", "itd.cvt"};
    return TablesOrConversion(2, nCommand, pRecord, pOutput, kNames, 3);
}

int CvtLoadOutputTables(int nCommand, void* pRecord, void* pOutput)
{
    static const char* const kNames[] = {"ltc.cvt", "ltr.cvt", "otd.cvt", "rtl.cvt"};
    return TablesOrConversion(3, nCommand, pRecord, pOutput, kNames, 4);
}

int CvtHslToRgb(const float* pHsl, BYTE* pRgb, int nCount)
{
    Record("5 " + std::to_string(nCount));
    if (pHsl == NULL || pRgb == NULL || nCount < 1)
        return 0;
    for (int i = 0; i < nCount; i++)
        convert::HslToRgb(pHsl + 3 * i, pRgb + 3 * i);
    return nCount;
}

int CvtRgbToHsl(const BYTE* pRgb, float* pHsl, int nCount)
{
    Record("6 " + std::to_string(nCount));
    if (pRgb == NULL || pHsl == NULL || nCount < 1)
        return 0;
    for (int i = 0; i < nCount; i++)
        convert::RgbToHsl(pRgb + 3 * i, pHsl + 3 * i);
    return nCount;
}

void CvtSetProgramFolder(const char* lpszFolder)
{
    Record("17 " + Text(lpszFolder));
    std::lock_guard<std::mutex> guard(g_lock);
    g_programFolder = lpszFolder ? lpszFolder : "";
}

int CvtChooseProfiles(const char* lpszFolder1, const char* lpszFolder2, char* pszScanner, char* pszDisplay,
                      char* pszPrinter, void*)
{
    Record("100 " + Text(lpszFolder1) + " " + Text(lpszFolder2));
    if (pszScanner == NULL || pszDisplay == NULL || pszPrinter == NULL)
        return IDCANCEL;
    ProfileBuffers buffers = {pszScanner, pszDisplay, pszPrinter};
    return static_cast<int>(::DialogBoxParamA(ThisModule(), MAKEINTRESOURCEA(IDD_CONVERT_PROFILES), NULL,
                                              ProfilesProc, reinterpret_cast<LPARAM>(&buffers)));
}

const char* ConvertCallLog()
{
    static std::string snapshot;
    std::lock_guard<std::mutex> guard(g_lock);
    snapshot = g_calls;
    return snapshot.c_str();
}

void ConvertClearCallLog()
{
    std::lock_guard<std::mutex> guard(g_lock);
    g_calls.clear();
}

}  // extern "C"

// The separation dialog's OK: the standard table's copy, the conversion
// table made from the colour chart, and the default parameters.
#include "InkfoldDlg.h"

#include <cstring>
#include <vector>

#include "resource.h"

namespace {

uint64_t FileBytes(FILE* file)
{
    if (_fseeki64(file, 0, SEEK_END) != 0)
        return 0;
    const long long size = _ftelli64(file);
    return size < 0 ? 0 : static_cast<uint64_t>(size);
}

}  // namespace

BOOL CInkfoldDlg::getTifInfo(FILE* pChart)
{
    unsigned char head[kChartHeadBytes];
    const uint64_t fileBytes = FileBytes(pChart);
    std::rewind(pChart);
    const size_t read = std::fread(head, 1, sizeof head, pChart);
    return ReadTifChartInfo(head, read, fileBytes, m_tifInfo) && IsConvertibleChart(m_tifInfo, fileBytes);
}

void CInkfoldDlg::FillTifHead(int width, int height, int samples)
{
    ::FillCvtHead(m_tifHead, width, height, samples);
}

void CInkfoldDlg::OnOK()
{
    // The edits are checked before anything is written.
    if (!UpdateData(TRUE))
        return;

    const CString standard = ColorFile("std.dat");
    const CString copy = TableFile("otd.cvt");
    if (!::CopyFileA(standard, copy, FALSE)) {
        const BOOL bSourceMissing = ::GetFileAttributesA(standard) == INVALID_FILE_ATTRIBUTES;
        CSeparationModel::ShowOpenFileError(bSourceMissing ? standard : copy);
        return;
    }

    const CString chartPath = ColorFile("dto.org");
    FILE* pChart = std::fopen(chartPath, "rb");
    if (pChart == NULL) {
        CSeparationModel::ShowOpenFileError(chartPath);
        return;
    }
    const BOOL bWritten = WriteConversionTable(pChart);
    std::fclose(pChart);
    if (!bWritten)
        return;

    const CString parameters = ColorFile("default.par");
    if (!m_model.SaveParFile(parameters)) {
        CSeparationModel::ShowOpenFileError(parameters);
        return;
    }
    EndDialog(IDOK);
}

BOOL CInkfoldDlg::WriteConversionTable(FILE* pChart)
{
    if (!getTifInfo(pChart)) {
        AfxMessageBox(IDS_FILE_TYPE_ERROR, MB_OK | MB_ICONSTOP);
        return FALSE;
    }
    const int width = m_tifInfo.width;
    const int height = m_tifInfo.height;
    const int samples = m_tifInfo.samples;
    if (_fseeki64(pChart, m_tifInfo.stripOffset, SEEK_SET) != 0) {
        AfxMessageBox(IDS_FILE_TYPE_ERROR, MB_OK | MB_ICONSTOP);
        return FALSE;
    }

    const CString tablePath = TableFile("dto.cvt");
    FILE* pTable = std::fopen(tablePath, "wb");
    if (pTable == NULL) {
        CSeparationModel::ShowOpenFileError(tablePath);
        return FALSE;
    }
    FillTifHead(width, height, 4);
    bool ok = std::fwrite(m_tifHead, 1, kCvtHeadBytes, pTable) == kCvtHeadBytes;

    m_model.BuildTables();
    std::vector<unsigned char> input(static_cast<size_t>(width) * samples);
    std::vector<unsigned char> output(static_cast<size_t>(width) * 4);
    for (int row = 0; ok && row < height; ++row) {
        // The chart buffer keeps r, g, b of each pixel; a fourth sample is
        // read and dropped.
        unsigned char* pRgb = m_pChartBuffer + static_cast<size_t>(row) * width * 3;
        ok = std::fread(input.data(), 1, input.size(), pChart) == input.size();
        for (int x = 0; ok && x < width; ++x)
            std::memcpy(pRgb + 3 * x, &input[static_cast<size_t>(x) * samples], 3);
        if (ok) {
            ConvertChartRow(m_model, pRgb, width, 3, output.data());
            ok = std::fwrite(output.data(), 1, output.size(), pTable) == output.size();
        }
    }
    ok = std::fclose(pTable) == 0 && ok;
    if (!ok) {
        // No half-written table is left for the convert library to load.
        ::DeleteFileA(tablePath);
        CSeparationModel::ShowOpenFileError(tablePath);
        return FALSE;
    }
    return TRUE;
}

// The separation computation: tables from the parameters, the conversion
// of one RGB colour, and the colour-correction fit with its refinement and
// estimations.
#include "SeparationCore.h"

#include <climits>
#include <cmath>
#include <cstdlib>

namespace {

// Colour table columns of the six chromatic patches C, M, Y, R, G, B, and
// of the seven patches the refinement converts (W as well).
const int kChromatic[6] = {0, 1, 2, 4, 5, 6};
const int kRefined[7] = {0, 1, 2, 4, 5, 6, 7};
// Abscissae of the five-point curves on the 256-entry tables.
const int kFivePointX[5] = {0, 63, 127, 191, 255};

// EstimateGains stops here even when a gain never reaches its target (a
// colour table whose patch difference keeps a gain from acting on it).
const int kMaxGainPasses = 1000;

int Clamp255(int v)
{
    return v < 0 ? 0 : v > 255 ? 255 : v;
}

int Min(int a, int b)
{
    return a < b ? a : b;
}

int Max(int a, int b)
{
    return a > b ? a : b;
}

// Determinant by Gaussian elimination, exchanging rows (and the sign) when
// a pivot is zero.
double Determinant(double a[6][6])
{
    double m[6][6];
    for (int r = 0; r < 6; ++r)
        for (int c = 0; c < 6; ++c)
            m[r][c] = a[r][c];
    double det = 1.0;
    for (int i = 0; i < 6; ++i) {
        if (m[i][i] == 0.0) {
            int swap = -1;
            for (int r = i + 1; r < 6 && swap < 0; ++r)
                if (m[r][i] != 0.0)
                    swap = r;
            if (swap < 0)
                return 0.0;
            for (int c = 0; c < 6; ++c) {
                double t = m[i][c];
                m[i][c] = m[swap][c];
                m[swap][c] = t;
            }
            det = -det;
        }
        det *= m[i][i];
        for (int r = i + 1; r < 6; ++r) {
            double f = m[r][i] / m[i][i];
            for (int c = i; c < 6; ++c)
                m[r][c] -= f * m[i][c];
        }
    }
    return det;
}

}  // namespace

CSeparationCore::CSeparationCore() : m_pReport(nullptr), m_bReportOnce(false), m_bSingularShown(false)
{
    SetDefaults();
    ClearTables();
}

CSeparationCore::~CSeparationCore() {}

void CSeparationCore::ClearTables()
{
    for (int i = 0; i < 256; ++i) {
        for (int ch = 0; ch < 3; ++ch)
            m_nInBalTable[ch][i] = m_nOutBalTable[ch][i] = m_nLevelTable[ch][i] = i;
        m_nBlackTable[i] = 255;
        m_nGcrTable[i] = i;
    }
    for (int ch = 0; ch < 3; ++ch)
        for (int s = 0; s < 6; ++s)
            m_fCoef[ch][s] = 0.0f;
    for (int p = 0; p < 7; ++p)
        for (int ch = 0; ch < 3; ++ch)
            m_nPatchResult[p][ch] = m_nPrevResult[p][ch] = m_nPatchMark[p][ch] = 0;
    for (int r = 0; r < 3; ++r)
        for (int i = 0; i < kPatches; ++i)
            m_nInputCopy[r][i] = m_nColor[r][i];
}

// --- table helpers --------------------------------------------------------------

void CSeparationCore::LinearSegment(int* table, int x0, int x1, int y0, int y1, int cap)
{
    if (x0 == x1) {
        if (x1 >= 0)
            table[x1] = y0;
        return;
    }
    if (x0 > x1)
        return;
    for (int x = Max(x0, 0); x <= x1; ++x) {
        int v = static_cast<int>(static_cast<double>(x - x0) * (y1 - y0) / (x1 - x0) + 0.5) + y0;
        table[x] = Min(cap, v);
    }
}

void CSeparationCore::GrayToTable(const int* column, int* table, int n, int cap) const
{
    if (n < 1)
        n = 1;
    if (n > kStepEntries)
        n = kStepEntries;
    const int* ordinate = m_nGray[1];
    for (int x = 0; x < column[0] && x <= cap; ++x)
        table[x] = ordinate[0];
    for (int k = 0; k + 1 < n; ++k)
        LinearSegment(table, column[k], column[k + 1], ordinate[k], ordinate[k + 1], cap);
    for (int x = Max(column[n - 1], 0); x <= cap; ++x)
        table[x] = ordinate[n - 1];
}

void CSeparationCore::BalanceToTable(const int* row, int* table, int n, int cap)
{
    if (n > kStepEntries)
        n = kStepEntries;
    if (n < 1)
        return;
    // One step has nothing to join: its value over the whole table, not a
    // table left as it was.
    if (n == 1) {
        for (int i = 0; i <= cap; ++i)
            table[i] = row[0];
        return;
    }
    for (int k = 0; k + 1 < n; ++k)
        LinearSegment(table, k * cap / (n - 1), (k + 1) * cap / (n - 1), row[k], row[k + 1], cap);
}

void CSeparationCore::FivePointCurve(int* table, int n, const int* xs, const int* ys)
{
    // Points that share an abscissa would divide by zero: the first of them
    // stands, and the polynomial goes through the distinct ones.
    int px[5];
    int py[5];
    int points = 0;
    for (int i = 0; i < 5; ++i) {
        bool repeated = false;
        for (int j = 0; j < points; ++j)
            repeated = repeated || px[j] == xs[i];
        if (!repeated) {
            px[points] = xs[i];
            py[points] = ys[i];
            ++points;
        }
    }
    for (int i = 0; i < n; ++i) {
        double sum = 0.0;
        for (int a = 0; a < points; ++a) {
            double term = py[a];
            for (int b = 0; b < points; ++b)
                if (b != a)
                    term *= static_cast<double>(i - px[b]) / (px[a] - px[b]);
            sum += term;
        }
        int v;
        if (sum >= n - 1)
            v = n - 1;
        else if (sum <= 0.0)
            v = 0;
        else
            v = static_cast<int>(sum);
        table[i] = v;
    }
}

void CSeparationCore::MakeToneCurve(int* table, int dark, int mid, int light)
{
    const float k63 = 1.0f / 63, k3969 = 1.0f / 3969, k36864 = 1.0f / 36864;
    const float k127 = 1.0f / 127, k16129 = 1.0f / 16129, k16384 = 1.0f / 16384;
    const float k191 = 1.0f / 191, k36481 = 1.0f / 36481, k4096 = 1.0f / 4096;
    for (int x = 0; x < 256; ++x) {
        float d = x < 63 ? dark * (2 * x * k63 - x * x * k3969)
                         : dark * (1 - (x - 63) * (x - 63) * k36864);
        float m = x < 127 ? mid * (2 * x * k127 - x * x * k16129)
                          : mid * (1 - (x - 127) * (x - 127) * k16384);
        float l = x < 191 ? light * (2 * x * k191 - x * x * k36481)
                          : light * (1 - (x - 191) * (x - 191) * k4096);
        float sum = x + d + m + l;
        int v = x < 191 ? static_cast<int>(sum + 0.5) : static_cast<int>(sum);
        table[x] = Clamp255(v);
    }
}

void CSeparationCore::BuildLevelTables()
{
    for (int ch = 0; ch < 3; ++ch) {
        if (m_nLevelSource[ch] == 1)
            MakeToneCurve(m_nLevelTable[ch], m_nTone[ch][0], m_nTone[ch][1], m_nTone[ch][2]);
        else
            FivePointCurve(m_nLevelTable[ch], 256, kFivePointX, m_nLevelPoint[ch]);
    }
}

void CSeparationCore::BuildBlackTable()
{
    int* table = m_nBlackTable;
    if (m_nBlackSource == 0) {
        FivePointCurve(table, 256, kFivePointX, m_nBlackPoint);
        return;
    }
    const int endInk = PercentToLevel(m_nBlackEnd);
    const int startInk = PercentToLevel(m_nBlackStart);
    const int e = PercentToLevel(m_nBlackEndPoint);
    const int s = PercentToLevel(m_nBlackStartPoint);
    // A level of 0 or less has no exponent; a start at full tone (s = 0) no curve.
    if (!(m_fBlackLevel > 0.0f) || m_nBlackStartPoint == 100 || s <= 0) {
        for (int i = 0; i < 256; ++i)
            table[i] = 255;
        return;
    }
    for (int i = 0; i < e && i < 256; ++i)
        table[i] = Clamp255(endInk * i / e);
    const double scale = 255.0 / s;
    const double base = 255 - e * scale;
    const double exponent = 10.0 / m_fBlackLevel;
    for (int i = Max(e, 0); i < s && i < 256; ++i) {
        double u = (255 - i * scale) / base;
        table[i] = Clamp255(startInk - static_cast<int>(std::pow(u, exponent) * (startInk - endInk) + 0.5));
    }
    for (int i = Max(s, 0); i < 256; ++i)
        table[i] = Clamp255(startInk);
}

void CSeparationCore::BuildGcrTable()
{
    if (!(m_fBlackLevel > 0.0f))
        return;
    for (int j = 0; j < 256; ++j)
        m_nGcrTable[j] = Clamp255(j + static_cast<int>((255 - m_nBlackTable[j]) * m_fBlackLevel * 0.1f));
    int n = 0;
    while (n < 256 && m_nBlackTable[n] < 128)
        ++n;
    for (int j = 0; j < n; ++j)
        m_nGcrTable[j] = Clamp255(m_nGcrTable[j] - m_nUca * std::abs(127 - m_nBlackTable[j]) / 100);
}

// While one lives, a singular fit is reported only the first time: a
// table build and a refinement refit many times over the same table.
class CSeparationCore::ReportOnce {
public:
    explicit ReportOnce(CSeparationCore& model) : m_model(model), m_outer(!model.m_bReportOnce)
    {
        if (m_outer) {
            m_model.m_bReportOnce = true;
            m_model.m_bSingularShown = false;
        }
    }
    ~ReportOnce()
    {
        if (m_outer)
            m_model.m_bReportOnce = false;
    }
    ReportOnce(const ReportOnce&) = delete;
    ReportOnce& operator=(const ReportOnce&) = delete;

private:
    CSeparationCore& m_model;
    bool m_outer;
};

int CSeparationCore::BuildTables()
{
    ReportOnce once(*this);
    if (m_nSwitch[5] != 0)
        FitColorCorrection();
    m_nSwitch[6] = 0;
    if (m_nSwitch[3] != 0) {
        for (int ch = 0; ch < 3; ++ch) {
            if (m_nInBalSource[ch] == 1)
                GrayToTable(m_nGray[ch], m_nInBalTable[ch], m_nGrayCount, 255);
            else
                FivePointCurve(m_nInBalTable[ch], 256, kFivePointX, m_nInBalPoint[ch]);
        }
    }
    if (m_nSwitch[7] != 0) {
        for (int ch = 0; ch < 3; ++ch) {
            if (m_nOutBalSource[ch] == 1)
                BalanceToTable(m_nBalance[ch], m_nOutBalTable[ch], m_nBalanceCount, 255);
            else
                FivePointCurve(m_nOutBalTable[ch], 256, kFivePointX, m_nOutBalPoint[ch]);
        }
    }
    BuildBlackTable();
    if (m_nSwitch[9] != 0 && m_nUcrControl == 0)
        BuildGcrTable();
    if (m_nSwitch[4] != 0)
        BuildLevelTables();
    if (m_nSwitch[5] != 0)
        RefineColorTargets();
    return 1;
}

// --- conversion --------------------------------------------------------------------

void CSeparationCore::CorrectRatioGain(int c, int m, int y, bool roundDiff, int& c1, int& m1,
                                       int& y1) const
{
    const double rC = m_fRatio[0], rM = m_fRatio[1], rY = m_fRatio[2];
    double dC = c - rC * m - (1.0 - rC) * y;
    double dM = m - rM * c - (1.0 - rM) * y;
    double dY = y - rY * m - (1.0 - rY) * c;
    if (roundDiff) {
        dC = static_cast<int>(dC + 0.5);
        dM = static_cast<int>(dM + 0.5);
        dY = static_cast<int>(dY + 0.5);
    }
    auto apply = [](int x, double d, float negative, float positive) {
        double up = d > 0 ? d : 0.0;
        double down = d < 0 ? d : 0.0;
        return x + static_cast<int>(up * positive + down * negative);
    };
    c1 = apply(c, dC, m_fGain[GainCN], m_fGain[GainCP]);
    m1 = apply(m, dM, m_fGain[GainMN], m_fGain[GainMP]);
    y1 = apply(y, dY, m_fGain[GainYN], m_fGain[GainYP]);
}

void CSeparationCore::ConvertColor(int r, int g, int b, int& c, int& m, int& y, int& k) const
{
    int C = Clamp255(r), M = Clamp255(g), Y = Clamp255(b);

    if (m_nSwitch[3] != 0) {
        C = Clamp255(m_nInBalTable[0][C]);
        M = Clamp255(m_nInBalTable[1][M]);
        Y = Clamp255(m_nInBalTable[2][Y]);
    }

    if (m_nSwitch[5] != 0) {
        int c1, m1, y1;
        CorrectRatioGain(C, M, Y, false, c1, m1, y1);
        const int amount[6] = {
            Min(0, c1 - Min(m1, y1)), Min(0, m1 - Min(y1, c1)), Min(0, y1 - Min(c1, m1)),
            Min(0, Max(m1, y1) - c1), Min(0, Max(y1, c1) - m1), Min(0, Max(c1, m1) - y1),
        };
        const int corrected[3] = {c1, m1, y1};
        int out[3];
        for (int ch = 0; ch < 3; ++ch) {
            double sum = 0.0;
            for (int s = 0; s < 6; ++s)
                sum += static_cast<double>(m_fCoef[ch][s]) * amount[s];
            out[ch] = corrected[ch] + static_cast<int>(sum);
        }
        C = out[0];
        M = out[1];
        Y = out[2];
    }
    C = Clamp255(C);
    M = Clamp255(M);
    Y = Clamp255(Y);

    const int mx = Max(C, Max(M, Y));
    const int mn = Min(C, Min(M, Y));
    int K = 255;
    if (m_nSwitch[8] != 0)
        K = Clamp255(m_nBlackTable[mx] + (mx - mn) / (m_nBlackK > 0 ? m_nBlackK : 15));

    if (m_nSwitch[9] != 0) {
        if (m_nUcrControl != 0) {
            int* value[3] = {&C, &M, &Y};
            const int before[3] = {C, M, Y};
            const int smooth = m_nUcrSmooth > 0 ? m_nUcrSmooth : 5;
            for (int ch = 0; ch < 3; ++ch) {
                const int start = PercentToLevel(m_nUcrStart[ch]);
                if (start > before[ch]) {
                    int v = start - (mx - mn) / smooth - mx;
                    if (v > 0)
                        *value[ch] = Min(255, before[ch] + static_cast<int>(m_nUcrAmount[ch] * 0.01 * v));
                }
            }
        } else {
            const int g = m_nGcrTable[mx] - mx;
            C = Clamp255(C + g);
            M = Clamp255(M + g);
            Y = Clamp255(Y + g);
        }
    }

    if (m_nSwitch[10] != 0) {
        const int total = 765 - C - M - Y + (255 * m_nBlackEnd + 50) / 100;
        if (total > m_nTotalInk) {
            const int lift = (total - m_nTotalInk) / 3;
            C = Min(255, C + lift);
            M = Min(255, M + lift);
            Y = Min(255, Y + lift);
        }
    }

    if (m_nSwitch[7] != 0) {
        const int hi = Max(C, Max(M, Y));
        const int lo = Min(C, Min(M, Y));
        const int t = (hi - lo) / 3;
        int* value[3] = {&C, &M, &Y};
        for (int ch = 0; ch < 3; ++ch) {
            const int target = m_nOutBalTable[ch][Clamp255(*value[ch])];
            if (*value[ch] < target - t)
                *value[ch] = target - t;
            else if (*value[ch] > target + t)
                *value[ch] = target + t;
        }
    }

    c = Clamp255(C);
    m = Clamp255(M);
    y = Clamp255(Y);
    k = Clamp255(K);
}

// --- colour correction ----------------------------------------------------------

int CSeparationCore::FitColorCorrection()
{
    double a[6][6];
    double rhs[3][6];
    for (int k = 0; k < 6; ++k) {
        const int col = kChromatic[k];
        int c1, m1, y1;
        CorrectRatioGain(m_nColor[RowC][col], m_nColor[RowM][col], m_nColor[RowY][col], false, c1, m1, y1);
        const int pc = (255 - c1) * 100 / 255;
        const int pm = (255 - m1) * 100 / 255;
        const int py = (255 - y1) * 100 / 255;
        for (int ch = 0; ch < 3; ++ch) {
            const int target = (255 - m_nTarget[ch][col]) * 100 / 255;
            const int value = ch == 0 ? pc : ch == 1 ? pm : py;
            rhs[ch][k] = target - value;
        }
        a[k][0] = Max(0, pc - Max(pm, py));
        a[k][1] = Max(0, pm - Max(pc, py));
        a[k][2] = Max(0, py - Max(pc, pm));
        a[k][3] = Max(0, Min(pm, py) - pc);
        a[k][4] = Max(0, Min(pc, py) - pm);
        a[k][5] = Max(0, Min(pc, pm) - py);
    }
    const double det = Determinant(a);
    if (det == 0.0) {
        if (!(m_bReportOnce && m_bSingularShown) && m_pReport != nullptr)
            m_pReport->DividedByZero();
        m_bSingularShown = true;
        return 0;
    }
    float coef[3][6];
    for (int ch = 0; ch < 3; ++ch) {
        for (int j = 0; j < 6; ++j) {
            double replaced[6][6];
            for (int r = 0; r < 6; ++r)
                for (int c = 0; c < 6; ++c)
                    replaced[r][c] = c == j ? rhs[ch][r] : a[r][c];
            coef[ch][j] = static_cast<float>(Determinant(replaced) / det);
        }
    }
    for (int ch = 0; ch < 3; ++ch)
        for (int j = 0; j < 6; ++j)
            m_fCoef[ch][j] = coef[ch][j];
    return 1;
}

void CSeparationCore::RefineColorTargets()
{
    ReportOnce once(*this);
    for (int p = 0; p < 7; ++p)
        for (int ch = 0; ch < 3; ++ch)
            m_nPatchMark[p][ch] = 0;
    bool first = true;
    for (;;) {
        bool changed = false;
        for (int p = 0; p < 7; ++p) {
            const int col = kRefined[p];
            int k;
            ConvertColor(m_nColor[RowC][col], m_nColor[RowM][col], m_nColor[RowY][col],
                         m_nPatchResult[p][0], m_nPatchResult[p][1], m_nPatchResult[p][2], k);
        }
        if (first) {
            for (int p = 0; p < 7; ++p)
                for (int ch = 0; ch < 3; ++ch)
                    m_nPrevResult[p][ch] = m_nPatchResult[p][ch];
            first = false;
        }
        for (int p = 0; p < 7; ++p) {
            const int col = kRefined[p];
            for (int ch = 0; ch < 3; ++ch) {
                int& mark = m_nPatchMark[p][ch];
                if (mark == 2)
                    continue;
                const int result = m_nPatchResult[p][ch];
                const int previous = m_nPrevResult[p][ch];
                const int target = m_nColor[RowCt + ch][col];
                int& working = m_nTarget[ch][col];
                if (result > target && working >= 1) {
                    if (mark == -1) {
                        // Settle on whichever of the last two results lies nearer the target.
                        working = target - previous <= result - target ? previous : result;
                        mark = 2;
                        changed = false;
                    } else {
                        --working;
                        mark = 1;
                        changed = true;
                    }
                } else if (result < target && working < 255) {
                    if (mark == 1) {
                        working = previous - target <= target - result ? previous : result;
                        mark = 2;
                        changed = false;
                    } else {
                        ++working;
                        mark = -1;
                        changed = true;
                    }
                }
            }
        }
        if (!changed)
            break;
        for (int p = 0; p < 7; ++p)
            for (int ch = 0; ch < 3; ++ch)
                m_nPrevResult[p][ch] = m_nPatchResult[p][ch];
        FitColorCorrection();
    }
}

void CSeparationCore::EstimateRatios()
{
    // Per channel: the channel, the two it is paired with, and which of the
    // chromatic patches C, M, Y, R, G, B carry its ink.
    struct Pairing {
        int x, x2, x3;
        bool ink[6];
    };
    const Pairing pairing[3] = {
        {0, 1, 2, {true, false, false, false, true, true}},    // C: patches C, G, B
        {1, 0, 2, {false, true, false, true, false, true}},    // M: patches M, R, B
        {2, 1, 0, {false, false, true, true, true, false}},    // Y: patches Y, R, G
    };
    for (int ch = 2; ch >= 0; --ch) {
        const Pairing& p = pairing[ch];
        int lastMargin = 0;
        for (int i = 1; i <= 20; ++i) {
            const double r = i * 0.05;
            bool counts = true;
            int margin = INT_MAX;
            for (int k = 0; k < 6; ++k) {
                const int col = kChromatic[k];
                const int d = static_cast<int>(m_nInputCopy[p.x][col] - r * m_nInputCopy[p.x2][col] -
                                               (1 - r) * m_nInputCopy[p.x3][col] + 0.5);
                if (p.ink[k] ? d >= 0 : d < 1)
                    counts = false;
                margin = Min(margin, std::abs(d));
            }
            if (!counts)
                continue;
            if (margin < lastMargin) {
                m_fRatio[ch] = static_cast<float>(r - 0.05);
                break;
            }
            lastMargin = margin;
        }
    }
}

int CSeparationCore::EstimateGains()
{
    bool done[6] = {false, false, false, false, false, false};
    int passes = 0;
    while (passes < kMaxGainPasses) {
        ++passes;
        // Corrected levels X1[patch][channel] of the patches C, M and Y.
        int x1[3][3];
        for (int patch = 0; patch < 3; ++patch)
            CorrectRatioGain(m_nInputCopy[0][patch], m_nInputCopy[1][patch], m_nInputCopy[2][patch], true,
                             x1[patch][0], x1[patch][1], x1[patch][2]);
        auto t = [this](int channel, int patch) { return m_nTarget[channel][patch]; };
        const float* g = m_fGain;
        bool grow[6];
        grow[GainCN] = x1[0][0] > t(0, 0);
        grow[GainMN] = x1[1][1] > t(1, 1);
        grow[GainYN] = x1[2][2] > t(2, 2);
        grow[GainCP] = g[GainCP] <= 3.0 * g[GainCN] &&
                       (t(2, 0) < t(1, 0) ? x1[1][0] < t(1, 0) : x1[2][0] < t(2, 0));
        grow[GainMP] = g[GainMP] <= 3.0 * g[GainMN] &&
                       (t(2, 1) < t(0, 1) ? x1[0][1] < t(0, 1) : x1[2][1] < t(2, 1));
        grow[GainYP] = g[GainYP] <= 3.0 * g[GainYN] &&
                       (t(1, 2) < t(0, 2) ? x1[0][2] < t(0, 2) : x1[1][2] < t(1, 2));
        bool all = true;
        for (int i = 0; i < 6; ++i) {
            if (done[i])
                continue;
            if (grow[i])
                m_fGain[i] = static_cast<float>(m_fGain[i] + 0.01);
            else
                done[i] = true;
            all = all && done[i];
        }
        if (all)
            break;
    }
    return passes;
}

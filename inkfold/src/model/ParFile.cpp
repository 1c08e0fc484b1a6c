// Defaults, scales and the ".par" parameter file of the separation model.
#include "SeparationCore.h"

#include <cmath>
#include <cstdarg>
#include <cstdio>
#include <cstring>
#include <string>

#include "ParScanner.h"
#include "TextFile.h"

namespace {

const int kDefaultGray[3][11] = {
    {98, 96, 93, 86, 78, 64, 48, 33, 21, 12, 6},
    {99, 97, 94, 86, 76, 61, 44, 30, 20, 12, 7},
    {100, 100, 98, 91, 81, 65, 47, 32, 21, 13, 8},
};

const int kDefaultBalance[3][21] = {
    {100, 95, 90, 85, 80, 75, 70, 65, 60, 55, 50, 45, 40, 35, 30, 25, 20, 15, 10, 6, 3},
    {93, 88, 83, 79, 73, 67, 62, 56, 51, 46, 41, 36, 32, 27, 23, 18, 13, 10, 6, 4, 2},
    {95, 90, 85, 80, 75, 69, 64, 58, 53, 48, 42, 37, 33, 28, 24, 19, 14, 11, 7, 5, 2},
};

const int kDefaultColor[6][8] = {
    {73, 25, 6, 99, 29, 74, 76, 0},
    {47, 69, 25, 99, 71, 55, 77, 0},
    {36, 41, 71, 97, 75, 75, 52, 0},
    {88, 32, 15, 95, 25, 85, 91, 3},
    {13, 92, 37, 95, 90, 29, 79, 2},
    {18, 7, 92, 95, 80, 80, 20, 2},
};

const int kDefaultPoints[5] = {0, 65, 128, 192, 255};
const int kDefaultBlackPoints[5] = {12, 100, 170, 221, 244};

// The parameters as the file carries them (percent where the file has
// percent). Reading starts from the defaults in this form, so a field the
// file never reaches keeps its default.
struct ParValues {
    int sw[11];
    int ink;
    int gray;
    int grayPct[3][CSeparationCore::kStepEntries];
    int inbal[3][6];
    int color[6][8];
    float ratio[3];
    float gain[6];
    int balance;
    int balancePct[3][CSeparationCore::kStepEntries];
    int outbal[3][6];
    int k;
    float level;
    int start, startPoint, end, endPoint;
    int curve[6];
    int maxInk;
    int ucrControl;
    int uca;
    int ucrStart[3];
    int ucrAmount[3];
    int levelPts[3][6];
    int tone[3][3];
    float pos[3][3];
};

ParValues ToFileForm(const CSeparationCore& s)
{
    ParValues v;
    std::memset(&v, 0, sizeof v);
    for (int i = 0; i < 11; ++i)
        v.sw[i] = s.m_nSwitch[i];
    v.ink = s.m_nInk;
    v.gray = s.m_nGrayCount;
    v.balance = s.m_nBalanceCount;
    for (int ch = 0; ch < 3; ++ch) {
        for (int i = 0; i < CSeparationCore::kStepEntries; ++i) {
            v.grayPct[ch][i] = CSeparationCore::LevelToPercent(s.m_nGray[ch][i]);
            v.balancePct[ch][i] = CSeparationCore::LevelToPercent(s.m_nBalance[ch][i]);
        }
        v.inbal[ch][0] = s.m_nInBalSource[ch];
        v.outbal[ch][0] = s.m_nOutBalSource[ch];
        v.levelPts[ch][0] = s.m_nLevelSource[ch];
        for (int i = 0; i < 5; ++i) {
            v.inbal[ch][i + 1] = s.m_nInBalPoint[ch][i];
            v.outbal[ch][i + 1] = s.m_nOutBalPoint[ch][i];
            v.levelPts[ch][i + 1] = s.m_nLevelPoint[ch][i];
        }
        v.ratio[ch] = s.m_fRatio[ch];
        v.ucrStart[ch] = s.m_nUcrStart[ch];
        v.ucrAmount[ch] = s.m_nUcrAmount[ch];
        for (int i = 0; i < 3; ++i) {
            v.tone[ch][i] = CSeparationCore::HeldToAmount(s.m_nTone[ch][i]);
            v.pos[ch][i] = s.m_fCurvePos[ch][i];
        }
    }
    for (int r = 0; r < 6; ++r)
        for (int i = 0; i < 8; ++i)
            v.color[r][i] = CSeparationCore::LevelToPercent(s.m_nColor[r][i]);
    for (int i = 0; i < 6; ++i)
        v.gain[i] = s.m_fGain[i];
    v.k = s.m_nBlackK;
    v.level = s.m_fBlackLevel;
    v.start = s.m_nBlackStart;
    v.startPoint = s.m_nBlackStartPoint;
    v.end = s.m_nBlackEnd;
    v.endPoint = s.m_nBlackEndPoint;
    v.curve[0] = s.m_nBlackSource;
    for (int i = 0; i < 5; ++i)
        v.curve[i + 1] = s.m_nBlackPoint[i];
    v.maxInk = CSeparationCore::HeldToTotalInk(s.m_nTotalInk);
    v.ucrControl = s.m_nUcrControl;
    v.uca = s.m_nUca;
    return v;
}

// Puts a value that the file carries out of range back to its default.
void Keep(int& value, int lo, int hi, int fallback)
{
    if (value < lo || value > hi)
        value = fallback;
}

void Keep(float& value, float lo, float hi, float fallback)
{
    if (!std::isfinite(value) || value < lo || value > hi)
        value = fallback;
}

int Clamp(int value, int lo, int hi)
{
    return value < lo ? lo : value > hi ? hi : value;
}

void Validate(ParValues& v, const ParValues& d)
{
    for (int i = 1; i <= 10; ++i)
        Keep(v.sw[i], 0, 1, d.sw[i]);
    v.sw[1] = 0;
    v.sw[6] = 0;
    Keep(v.ink, 0, CSeparationCore::kInkSets - 1, d.ink);
    v.gray = Clamp(v.gray, 1, CSeparationCore::kMaxSteps);
    v.balance = Clamp(v.balance, 1, CSeparationCore::kMaxSteps);
    for (int ch = 0; ch < 3; ++ch) {
        for (int i = 0; i < CSeparationCore::kStepEntries; ++i) {
            Keep(v.grayPct[ch][i], 0, 100, d.grayPct[ch][i]);
            Keep(v.balancePct[ch][i], 0, 100, d.balancePct[ch][i]);
        }
        Keep(v.inbal[ch][0], 0, 1, d.inbal[ch][0]);
        Keep(v.outbal[ch][0], 0, 1, d.outbal[ch][0]);
        Keep(v.levelPts[ch][0], 0, 1, d.levelPts[ch][0]);
        for (int i = 1; i < 6; ++i) {
            Keep(v.inbal[ch][i], 0, 255, d.inbal[ch][i]);
            Keep(v.outbal[ch][i], 0, 255, d.outbal[ch][i]);
            Keep(v.levelPts[ch][i], 0, 255, d.levelPts[ch][i]);
        }
        Keep(v.ratio[ch], 0.0f, 1.0f, d.ratio[ch]);
        Keep(v.ucrStart[ch], 0, 100, d.ucrStart[ch]);
        Keep(v.ucrAmount[ch], 0, 100, d.ucrAmount[ch]);
        for (int i = 0; i < 3; ++i)
            Keep(v.tone[ch][i], -100, 100, d.tone[ch][i]);
    }
    for (int r = 0; r < 6; ++r)
        for (int i = 0; i < 8; ++i)
            Keep(v.color[r][i], 0, 100, d.color[r][i]);
    for (int i = 0; i < 6; ++i)
        Keep(v.gain[i], 0.0f, 100.0f, d.gain[i]);
    Keep(v.level, 0.0f, 10.0f, d.level);
    Keep(v.start, 0, 100, d.start);
    Keep(v.startPoint, 0, 100, d.startPoint);
    Keep(v.end, 0, 100, d.end);
    Keep(v.endPoint, 0, 100, d.endPoint);
    Keep(v.curve[0], 0, 1, d.curve[0]);
    for (int i = 1; i < 6; ++i)
        Keep(v.curve[i], 0, 255, d.curve[i]);
    Keep(v.maxInk, 0, 400, d.maxInk);
    Keep(v.ucrControl, 0, 1, d.ucrControl);
    Keep(v.uca, 0, 100, d.uca);
}

void FromFileForm(const ParValues& v, CSeparationCore& s)
{
    s.m_nAnyStage = 0;
    for (int i = 0; i < 11; ++i) {
        s.m_nSwitch[i] = v.sw[i];
        if (i >= 2 && v.sw[i] != 0)
            s.m_nAnyStage = 1;
    }
    s.m_nInk = v.ink;
    s.m_nGrayCount = v.gray;
    s.m_nBalanceCount = v.balance;
    for (int ch = 0; ch < 3; ++ch) {
        for (int i = 0; i < CSeparationCore::kStepEntries; ++i) {
            s.m_nGray[ch][i] = CSeparationCore::PercentToLevel(v.grayPct[ch][i]);
            s.m_nBalance[ch][i] = CSeparationCore::PercentToLevel(v.balancePct[ch][i]);
        }
        s.m_nInBalSource[ch] = v.inbal[ch][0];
        s.m_nOutBalSource[ch] = v.outbal[ch][0];
        s.m_nLevelSource[ch] = v.levelPts[ch][0];
        for (int i = 0; i < 5; ++i) {
            s.m_nInBalPoint[ch][i] = v.inbal[ch][i + 1];
            s.m_nOutBalPoint[ch][i] = v.outbal[ch][i + 1];
            s.m_nLevelPoint[ch][i] = v.levelPts[ch][i + 1];
        }
        s.m_fRatio[ch] = v.ratio[ch];
        s.m_nUcrStart[ch] = v.ucrStart[ch];
        s.m_nUcrAmount[ch] = v.ucrAmount[ch];
        for (int i = 0; i < 3; ++i)
            s.m_nTone[ch][i] = CSeparationCore::AmountToHeld(v.tone[ch][i]);
    }
    // The file's curve positions are never used: they are set anew.
    const float positions[3][3] = {{25, 50, 75}, {25, 50, 75}, {75, 50, 25}};
    for (int ch = 0; ch < 3; ++ch)
        for (int i = 0; i < 3; ++i)
            s.m_fCurvePos[ch][i] = positions[ch][i];
    for (int r = 0; r < 6; ++r)
        for (int i = 0; i < 8; ++i)
            s.m_nColor[r][i] = CSeparationCore::PercentToLevel(v.color[r][i]);
    for (int r = 0; r < 3; ++r)
        for (int i = 0; i < 8; ++i)
            s.m_nTarget[r][i] = s.m_nColor[CSeparationCore::RowCt + r][i];
    for (int i = 0; i < 6; ++i)
        s.m_fGain[i] = v.gain[i];
    s.m_nBlackK = 15;
    s.m_fBlackLevel = v.level;
    s.m_nBlackStart = v.start;
    s.m_nBlackStartPoint = v.startPoint;
    s.m_nBlackEnd = v.end;
    s.m_nBlackEndPoint = v.endPoint;
    s.m_nBlackSource = v.curve[0];
    for (int i = 0; i < 5; ++i)
        s.m_nBlackPoint[i] = v.curve[i + 1];
    s.m_nTotalInk = CSeparationCore::TotalInkToHeld(v.maxInk);
    s.m_nUcrControl = v.ucrControl;
    s.m_nUca = v.uca;
    s.m_nUcrSmooth = 5;
}

void Append(std::string& out, const char* format, ...)
{
    char buffer[512];
    va_list args;
    va_start(args, format);
    int n = std::vsnprintf(buffer, sizeof buffer, format, args);
    va_end(args);
    if (n > 0)
        out.append(buffer, n < static_cast<int>(sizeof buffer) ? n : sizeof buffer - 1);
}

void AppendSixPoints(std::string& out, const char* key, const int* p)
{
    Append(out, "\n[%s(%4d,%4d,%4d,%4d,%4d,%4d)]", key, p[0], p[1], p[2], p[3], p[4], p[5]);
}

std::string FormatParFile(const ParValues& v)
{
    std::string out;
    Append(out, "[debug= 0 %1d %1d %1d %1d 0 %1d %1d %1d %1d]", v.sw[2], v.sw[3], v.sw[4], v.sw[5],
           v.sw[7], v.sw[8], v.sw[9], v.sw[10]);
    Append(out, "\n[ink=%d]", v.ink);
    Append(out, "\n[gray=%d]", v.gray);
    const char* labels[3] = {"C", "M", "Y"};
    for (int ch = 0; ch < 3; ++ch) {
        Append(out, "\n%s ", labels[ch]);
        for (int i = 0; i < v.gray; ++i)
            Append(out, "%4d ", v.grayPct[ch][i]);
    }
    const char* inbal[3] = {"inbal_c", "inbal_m", "inbal_y"};
    for (int ch = 0; ch < 3; ++ch)
        AppendSixPoints(out, inbal[ch], v.inbal[ch]);
    out += "\n[color=8]";
    out += "\n    C   M   Y   K   R   G   B   W";
    const char* rows[6] = {"C", "M", "Y", "C%", "M%", "Y%"};
    for (int r = 0; r < 6; ++r) {
        const int* c = v.color[r];
        Append(out, r < 3 ? "\n%s%6d%4d%4d%4d%4d%4d%4d%4d" : "\n%s%5d%4d%4d%4d%4d%4d%4d%4d",
               rows[r], c[0], c[1], c[2], c[3], c[4], c[5], c[6], c[7]);
    }
    out += "\n[ratio=3]\n    C      M      Y\n";
    Append(out, "%8.2f%8.2f%8.2f", v.ratio[0], v.ratio[1], v.ratio[2]);
    out += "\n[basic=6]\n    CN     CP     MN     MP     YN     YP\n";
    Append(out, "%8.3f%8.3f%8.3f%8.3f%8.3f%8.3f", v.gain[0], v.gain[1], v.gain[2], v.gain[3],
           v.gain[4], v.gain[5]);
    Append(out, "\n[balance=%d]", v.balance);
    for (int ch = 0; ch < 3; ++ch) {
        Append(out, "\n%s%% ", labels[ch]);
        for (int i = 0; i < v.balance; ++i)
            Append(out, "%4d ", v.balancePct[ch][i]);
    }
    const char* outbal[3] = {"outbal_c", "outbal_m", "outbal_y"};
    for (int ch = 0; ch < 3; ++ch)
        AppendSixPoints(out, outbal[ch], v.outbal[ch]);
    Append(out, "\n[black_curve(k,level,start,start_point,end,end_point)=%4d,%8.3f,%4d,%4d,%4d,%4d]",
           15, v.level, v.start, v.startPoint, v.end, v.endPoint);
    AppendSixPoints(out, "curve_point", v.curve);
    Append(out, "\n[MaxInk=%4d]", v.maxInk);
    Append(out, "\n[UcrControl=%4d]", v.ucrControl);
    Append(out, "\n[UCA=%4d]", v.uca);
    Append(out, "\n[UcrStart(CMY%%)=%4d,%4d,%4d]", v.ucrStart[0], v.ucrStart[1], v.ucrStart[2]);
    Append(out, "\n[UcrAmount(CMY%%)=%4d,%4d,%4d]", v.ucrAmount[0], v.ucrAmount[1], v.ucrAmount[2]);
    const char* level[3] = {"level_c", "level_m", "level_y"};
    for (int ch = 0; ch < 3; ++ch)
        AppendSixPoints(out, level[ch], v.levelPts[ch]);
    for (int ch = 0; ch < 3; ++ch) {
        Append(out, "\n[%s_dark_mid_light(%%)]\n%4d%4d%4d", labels[ch], v.tone[ch][0], v.tone[ch][1],
               v.tone[ch][2]);
        Append(out, "\n[%s_bx_mx_ax(%%)]\n%8d%8d%8d", labels[ch], 75, 50, 25);
    }
    return out;
}

void ScanSixPoints(CParScanner& in, const char* key, int* p)
{
    std::string format = std::string("[") + key + "(%d,%d,%d,%d,%d,%d)]\n";
    in.Scan(format.c_str(), &p[0], &p[1], &p[2], &p[3], &p[4], &p[5]);
}

void ScanParFile(CParScanner& in, ParValues& v)
{
    char token[CParScanner::kTokenMax + 1];
    in.Scan("%d%d%d%d%d%d%d%d%d%d]\n", &v.sw[1], &v.sw[2], &v.sw[3], &v.sw[4], &v.sw[5], &v.sw[6],
            &v.sw[7], &v.sw[8], &v.sw[9], &v.sw[10]);
    in.Scan("[ink=%d]\n", &v.ink);
    in.Scan("[gray=%d]\n", &v.gray);
    // Up to the grey data dialog's 21 steps per column.
    for (int ch = 0; ch < 3; ++ch) {
        int* g = v.grayPct[ch];
        in.Scan("%s%d%d%d%d%d%d%d%d%d%d%d%d%d%d%d%d%d%d%d%d%d\n", token, &g[0], &g[1], &g[2], &g[3],
                &g[4], &g[5], &g[6], &g[7], &g[8], &g[9], &g[10], &g[11], &g[12], &g[13], &g[14],
                &g[15], &g[16], &g[17], &g[18], &g[19], &g[20]);
    }
    ScanSixPoints(in, "inbal_c", v.inbal[0]);
    ScanSixPoints(in, "inbal_m", v.inbal[1]);
    ScanSixPoints(in, "inbal_y", v.inbal[2]);
    in.Scan("%s\n", token);
    for (int i = 0; i < 8; ++i)
        in.Scan("%s", token);
    for (int r = 0; r < 6; ++r) {
        int* c = v.color[r];
        in.Scan("%s%d%d%d%d%d%d%d%d\n", token, &c[0], &c[1], &c[2], &c[3], &c[4], &c[5], &c[6], &c[7]);
    }
    in.Scan("%s\n", token);
    for (int i = 0; i < 3; ++i)
        in.Scan("%s", token);
    in.Scan("%f%f%f\n", &v.ratio[0], &v.ratio[1], &v.ratio[2]);
    in.Scan("%s\n", token);
    for (int i = 0; i < 6; ++i)
        in.Scan("%s", token);
    in.Scan("%f%f%f%f%f%f\n", &v.gain[0], &v.gain[1], &v.gain[2], &v.gain[3], &v.gain[4], &v.gain[5]);
    in.Scan("[balance=%d]\n", &v.balance);
    for (int ch = 0; ch < 3; ++ch) {
        int* b = v.balancePct[ch];
        in.Scan("%s%d%d%d%d%d%d%d%d%d%d%d%d%d%d%d%d%d%d%d%d%d%d%d%d\n", token, &b[0], &b[1], &b[2],
                &b[3], &b[4], &b[5], &b[6], &b[7], &b[8], &b[9], &b[10], &b[11], &b[12], &b[13],
                &b[14], &b[15], &b[16], &b[17], &b[18], &b[19], &b[20], &b[21], &b[22], &b[23]);
    }
    ScanSixPoints(in, "outbal_c", v.outbal[0]);
    ScanSixPoints(in, "outbal_m", v.outbal[1]);
    ScanSixPoints(in, "outbal_y", v.outbal[2]);
    in.Scan("[black_curve(k,level,start,start_point,end,end_point)=%d,%f,%d,%d,%d,%d]\n", &v.k,
            &v.level, &v.start, &v.startPoint, &v.end, &v.endPoint);
    ScanSixPoints(in, "curve_point", v.curve);
    in.Scan("[MaxInk=%d]\n", &v.maxInk);
    in.Scan("[UcrControl= %d]\n", &v.ucrControl);
    in.Scan("[UCA=%d]\n", &v.uca);
    in.Scan("[UcrStart(CMY%%)=%d,%d,%d]\n", &v.ucrStart[0], &v.ucrStart[1], &v.ucrStart[2]);
    in.Scan("[UcrAmount(CMY%%)=%d,%d,%d]\n", &v.ucrAmount[0], &v.ucrAmount[1], &v.ucrAmount[2]);
    ScanSixPoints(in, "level_c", v.levelPts[0]);
    ScanSixPoints(in, "level_m", v.levelPts[1]);
    ScanSixPoints(in, "level_y", v.levelPts[2]);
    for (int ch = 0; ch < 3; ++ch) {
        in.Scan("%s\n", token);
        in.Scan("%d%d%d\n", &v.tone[ch][0], &v.tone[ch][1], &v.tone[ch][2]);
        in.Scan("%s\n", token);
        in.Scan("%f%f%f\n", &v.pos[ch][0], &v.pos[ch][1], &v.pos[ch][2]);
    }
}

}  // namespace

// --- scales -----------------------------------------------------------------

int CSeparationCore::PercentToLevel(int percent)
{
    return 255 - (255 * percent + 50) / 100;
}

int CSeparationCore::LevelToPercent(int level)
{
    return static_cast<int>((255 - level) * (100.0 / 255) + 0.5);
}

int CSeparationCore::TotalInkToHeld(int percent)
{
    // The single-precision factor, multiplied in double: a float product
    // would round 30 * 2.55f up to 76.5 and hold 15% one too high.
    double scaled = (percent + 15) * static_cast<double>(2.55f);
    return static_cast<int>(scaled + 0.5);
}

int CSeparationCore::HeldToTotalInk(int held)
{
    return static_cast<int>(held * (100.0 / 255) + 0.5) - 15;
}

int CSeparationCore::AmountToHeld(int amount)
{
    return -(255 * amount) / 100;
}

int CSeparationCore::HeldToAmount(int held)
{
    return static_cast<int>((255 - held) * (100.0 / 255) + 0.5) - 100;
}

// --- defaults ---------------------------------------------------------------

void CSeparationCore::SetDefaults()
{
    for (int i = 0; i < 11; ++i)
        m_nSwitch[i] = 0;
    m_nSwitch[5] = m_nSwitch[7] = m_nSwitch[8] = m_nSwitch[9] = m_nSwitch[10] = 1;
    m_nAnyStage = 1;
    m_nInk = 0;
    m_nGrayCount = 11;
    m_nBalanceCount = 21;
    for (int ch = 0; ch < 3; ++ch) {
        for (int i = 0; i < kStepEntries; ++i) {
            m_nGray[ch][i] = PercentToLevel(i < 11 ? kDefaultGray[ch][i] : 0);
            m_nBalance[ch][i] = PercentToLevel(i < 21 ? kDefaultBalance[ch][i] : 0);
        }
        m_nInBalSource[ch] = m_nOutBalSource[ch] = m_nLevelSource[ch] = 1;
        for (int i = 0; i < 5; ++i)
            m_nInBalPoint[ch][i] = m_nOutBalPoint[ch][i] = m_nLevelPoint[ch][i] = kDefaultPoints[i];
        m_nUcrStart[ch] = 0;
        m_nUcrAmount[ch] = 8;
        for (int i = 0; i < 3; ++i)
            m_nTone[ch][i] = AmountToHeld(0);
    }
    const float positions[3][3] = {{25, 50, 75}, {25, 50, 75}, {75, 50, 25}};
    for (int ch = 0; ch < 3; ++ch)
        for (int i = 0; i < 3; ++i)
            m_fCurvePos[ch][i] = positions[ch][i];
    for (int r = 0; r < 6; ++r)
        for (int i = 0; i < kPatches; ++i)
            m_nColor[r][i] = PercentToLevel(kDefaultColor[r][i]);
    for (int r = 0; r < 3; ++r)
        for (int i = 0; i < kPatches; ++i)
            m_nTarget[r][i] = m_nColor[RowCt + r][i];
    m_fRatio[0] = 0.55f;
    m_fRatio[1] = 0.55f;
    m_fRatio[2] = 0.75f;
    const float gains[6] = {0.52f, 0.55f, 0.66f, 1.77f, 0.43f, 1.30f};
    for (int i = 0; i < 6; ++i)
        m_fGain[i] = gains[i];
    m_nBlackK = 15;
    m_fBlackLevel = 3.0f;
    m_nBlackStart = 0;
    m_nBlackStartPoint = 30;
    m_nBlackEnd = 68;
    m_nBlackEndPoint = 100;
    m_nBlackSource = 1;
    for (int i = 0; i < 5; ++i)
        m_nBlackPoint[i] = kDefaultBlackPoints[i];
    m_nTotalInk = TotalInkToHeld(320);
    m_nUcrControl = 1;
    m_nUca = 0;
    m_nUcrSmooth = 5;
}

// --- the file -----------------------------------------------------------------

int CSeparationCore::SaveParFile(const char* path) const
{
    ParValues v = ToFileForm(*this);
    // Switches 1 and 6 drive nothing and are always written as 0; counts
    // never exceed what the grey data dialog allows and the reader takes.
    v.gray = Clamp(v.gray, 1, kMaxSteps);
    v.balance = Clamp(v.balance, 1, kMaxSteps);
    std::string text = FormatParFile(v);
    // A text file: the runtime's text mode ends each line with CR LF.
    FILE* file = std::fopen(path, "w");
    if (file == nullptr)
        return 0;
    size_t written = std::fwrite(text.data(), 1, text.size(), file);
    int closed = std::fclose(file);
    return written == text.size() && closed == 0 ? 1 : 0;
}

int CSeparationCore::LoadParFile(const char* path)
{
    std::string text;
    if (!ReadTextFile(path, text)) {
        if (m_pReport != nullptr)
            m_pReport->OpenFileError(path);
        return 0;
    }

    if (text.compare(0, 7, "[debug=") != 0) {
        if (m_pReport != nullptr)
            m_pReport->FileTypeError();
        return 0;
    }

    // Short rows are routine (a row holds only its count of values), so a
    // scan that stops is no error; what the file does not give is a default,
    // never a value left from the parameters loaded before.
    CSeparationCore defaults;
    ParValues fallback = ToFileForm(defaults);
    ParValues v = fallback;
    CParScanner in(text.data() + 7, text.size() - 7);
    ScanParFile(in, v);
    Validate(v, fallback);
    FromFileForm(v, *this);
    return 1;
}

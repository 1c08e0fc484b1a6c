// The separation model without windows: the parameters of a traditional
// RGB-to-CMYK separation, their ".par" file, the tables derived from them
// and the conversion of one RGB colour. Messages go to a CSeparationReport,
// which the class library's wrapper (CSeparationModel) shows.
#pragma once

#include "InkfoldApi.h"

// The cases in which the separation shows the user a message.
class INKFOLD_API CSeparationReport {
public:
    virtual ~CSeparationReport() {}
    // A file could not be opened (the path as given).
    virtual void OpenFileError(const char* path) = 0;
    // A parameter file does not begin with "[debug=".
    virtual void FileTypeError() = 0;
    // The colour-correction fit met a singular matrix.
    virtual void DividedByZero() = 0;
};

class INKFOLD_API CSeparationCore {
public:
    enum {
        kStepEntries = 32,   // entries of a grey column or balance row
        kMaxSteps = 21,      // steps the grey data dialog allows
        kPatches = 8,        // colour table columns C M Y K R G B W
        kInkSets = 12,       // ink sets of the separation dialog's list
    };
    // Colour table rows: inputs C, M, Y, then stored targets C%, M%, Y%.
    enum { RowC, RowM, RowY, RowCt, RowMt, RowYt };
    // Gains in file order.
    enum { GainCN, GainCP, GainMN, GainMP, GainYN, GainYP };

    CSeparationCore();
    virtual ~CSeparationCore();

    // Where messages go; null keeps them silent.
    void SetReport(CSeparationReport* pReport) { m_pReport = pReport; }

    // Scale conversions. Levels run 0..255 with 255 meaning no ink.
    static int PercentToLevel(int percent);
    static int LevelToPercent(int level);
    static int TotalInkToHeld(int percent);
    static int HeldToTotalInk(int held);
    static int AmountToHeld(int amount);
    static int HeldToAmount(int held);

    void SetDefaults();
    // 1 when the file begins with "[debug=". Reading starts from the
    // defaults: a field the file never reaches, and a value outside the
    // range the dialogs allow, takes its default; the grey and balance
    // counts are held to 1..21. 0 (after a message) when the file cannot be
    // opened or is not a parameter file; the fields then stay as they were.
    int LoadParFile(const char* path);
    // Writes at most 21 grey and balance steps, what the reader takes back.
    int SaveParFile(const char* path) const;

    // Table helpers, also used by the dialogs on their own plot tables.
    static void LinearSegment(int* table, int x0, int x1, int y0, int y1, int cap);
    void GrayToTable(const int* column, int* table, int n, int cap) const;
    // Entries 0..cap from n steps spread evenly. Departs from the plain
    // joining of neighbours for n = 1, which gives a flat line at row[0];
    // n < 1 writes nothing.
    static void BalanceToTable(const int* row, int* table, int n, int cap);
    static void FivePointCurve(int* table, int n, const int* xs, const int* ys);
    static void MakeToneCurve(int* table, int dark, int mid, int light);
    void BuildLevelTables();
    void BuildBlackTable();
    void BuildGcrTable();
    int BuildTables();

    void ConvertColor(int r, int g, int b, int& c, int& m, int& y, int& k) const;

    // Returns 0 when the matrix is singular (the coefficients stay).
    int FitColorCorrection();
    void RefineColorTargets();
    void EstimateRatios();
    // Returns the number of passes run.
    int EstimateGains();

    // --- parameters (levels unless said otherwise) ---
    int m_nSwitch[11];          // stage switches 1..10 (index 0 unused)
    int m_nAnyStage;
    int m_nInk;
    int m_nGrayCount;
    int m_nGray[3][kStepEntries];        // grey columns C, M, Y, darkest first
    int m_nInBalSource[3];               // 1: from the grey table, 0: five points
    int m_nInBalPoint[3][5];
    int m_nColor[6][kPatches];           // colour table rows (see Row...)
    int m_nTarget[3][kPatches];          // working targets C, M, Y
    float m_fRatio[3];
    float m_fGain[6];
    int m_nBalanceCount;
    int m_nBalance[3][kStepEntries];     // balance rows C%, M%, Y%, darkest first
    int m_nOutBalSource[3];
    int m_nOutBalPoint[3][5];
    int m_nBlackK;                       // always 15
    float m_fBlackLevel;
    int m_nBlackStart;                   // percent
    int m_nBlackStartPoint;              // percent
    int m_nBlackEnd;                     // percent
    int m_nBlackEndPoint;                // percent
    int m_nBlackSource;                  // 1: parametric, 0: five points
    int m_nBlackPoint[5];
    int m_nTotalInk;                     // held form
    int m_nUcrControl;                   // 1 UCR, 0 GCR
    int m_nUca;                          // percent
    int m_nUcrStart[3];                  // percent
    int m_nUcrAmount[3];                 // percent
    int m_nUcrSmooth;
    int m_nLevelSource[3];               // 1: dark/mid/light, 0: five points
    int m_nLevelPoint[3][5];
    int m_nTone[3][3];                   // dark, mid, light per channel, held form
    float m_fCurvePos[3][3];

    // --- derived tables ---
    int m_nInBalTable[3][256];
    int m_nOutBalTable[3][256];
    int m_nBlackTable[256];
    int m_nGcrTable[256];
    int m_nLevelTable[3][256];
    float m_fCoef[3][6];                 // rows C, M, Y; sectors C, M, Y, R, G, B
    int m_nPatchResult[7][3];            // patches C, M, Y, R, G, B, W
    int m_nPrevResult[7][3];
    int m_nPatchMark[7][3];
    int m_nInputCopy[3][kPatches];       // input rows as the correction dialog accepted them

private:
    void CorrectRatioGain(int c, int m, int y, bool roundDiff, int& c1, int& m1, int& y1) const;
    void ClearTables();

    class ReportOnce;

    CSeparationReport* m_pReport;
    bool m_bReportOnce;
    bool m_bSingularShown;
};

// Length units: every code goes through inches.
#include "General.h"

#include "CallLog.h"

namespace {

// Units per inch by code; 0 (pixels) needs a resolution instead.
bool PerInch(int nUnit, double& perInch)
{
    static const double kPerInch[] = {0.0, 1.0, 25.4, 2.54, 0.0254, 72.0, 6.0, 1440.0};
    if (nUnit < 1 || nUnit > 7)
        return false;
    perInch = kPerInch[nUnit];
    return true;
}

}  // namespace

extern "C" {

int GenLengthToPixels(float fLength, int nUnit, float fResolution, int)
{
    general::Record(117);
    double pixels;
    double perInch;
    if (nUnit == 0)
        pixels = fLength;
    else if (fResolution > 0.0f && PerInch(nUnit, perInch))
        pixels = fLength / perInch * fResolution;
    else
        return 0;
    double rounded = pixels + 0.5;
    // Beyond what an int holds there is no pixel count to give.
    if (!(rounded > -2147483648.0 && rounded < 2147483648.0))
        return 0;
    return static_cast<int>(rounded);
}

float GenPixelsToLength(int nPixels, int nUnit, float fResolution, int)
{
    general::Record(209);
    double perInch;
    if (nUnit == 0)
        return static_cast<float>(nPixels);
    if (fResolution <= 0.0f || !PerInch(nUnit, perInch))
        return 0.0f;
    return static_cast<float>(nPixels / static_cast<double>(fResolution) * perInch);
}

float GenConvertLength(float fLength, int nFromUnit, int nToUnit, int)
{
    general::Record(194);
    double from, to;
    if (nFromUnit == nToUnit)
        return fLength;
    if (!PerInch(nFromUnit, from) || !PerInch(nToUnit, to))
        return nFromUnit == 0 || nToUnit == 0 ? fLength : 0.0f;
    return static_cast<float>(fLength / from * to);
}

}  // extern "C"

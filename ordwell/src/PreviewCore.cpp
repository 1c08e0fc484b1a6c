#include "PreviewCore.h"

#include <cstdio>

namespace preview {

std::string SizeText(int width, int height, unsigned long long length)
{
    char text[96];
    if (length < 1000000ULL) {
        unsigned long long kb = length / 1000;
        if (kb == 0 && length != 0)
            kb = 1;
        std::snprintf(text, sizeof(text), "%d(H)*%d(V)Pixels,%lluKB", width, height, kb);
    } else {
        std::snprintf(text, sizeof(text), "%d(H)*%d(V)Pixels,%lluMB", width, height, length / 1000000ULL);
    }
    return text;
}

std::string TypeText(int colorMode, double xResolution, double yResolution)
{
    static const char* const kModes[] = {"BMP(1bit),",    "GRAY(8bits),",  "RGB(24bits),",
                                         "CMYK(32bits),", "Index(8bits),", "MultiChannel,"};
    std::string text;
    if (colorMode >= 2 && colorMode <= 7)
        text = kModes[colorMode - 2];
    char resolutions[128];
    std::snprintf(resolutions, sizeof(resolutions), "%5.3fDpi(H),%5.3fDpi(V)", xResolution, yResolution);
    return text + resolutions;
}

bool FitIntoBox(int boxWidth, int boxHeight, unsigned long width, unsigned long height, int out[4])
{
    if (width == 0 || height == 0 || boxWidth <= 0 || boxHeight <= 0)
        return false;
    if (width < height) {
        const double r = double(height) / double(width);
        out[0] = int(boxWidth * (1.0 - 1.0 / r) * 0.5);
        out[1] = 1;
        out[2] = int(boxWidth / r);
        out[3] = boxHeight - 1;
    } else {
        const double r = double(width) / double(height);
        out[0] = 1;
        out[1] = int(boxHeight * (1.0 - 1.0 / r) * 0.5);
        out[2] = boxWidth - 1;
        out[3] = int(boxHeight / r);
    }
    return true;
}

}  // namespace preview

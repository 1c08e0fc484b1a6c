// Colour records: RGB, CMYK and grey, each turned into the others.
#include "General.h"

#include <algorithm>
#include <cstring>

#include "CallLog.h"

namespace {

BYTE Component(const tagCOLORSTRUCT& color, int index)
{
    return static_cast<BYTE>(std::min<WORD>(color.wComponent[index], 255));
}

void ToRgb(const tagCOLORSTRUCT* pColor, BYTE rgb[3])
{
    rgb[0] = rgb[1] = rgb[2] = 0;
    if (pColor == NULL)
        return;
    switch (pColor->wModel) {
    case COLOR_MODEL_CMYK: {
        int k = Component(*pColor, 3);
        for (int i = 0; i < 3; i++)
            rgb[i] = static_cast<BYTE>(((255 - Component(*pColor, i)) * (255 - k) + 127) / 255);
        break;
    }
    case COLOR_MODEL_GRAY:
        rgb[0] = rgb[1] = rgb[2] = Component(*pColor, 0);
        break;
    default:
        for (int i = 0; i < 3; i++)
            rgb[i] = Component(*pColor, i);
        break;
    }
}

void ToCmyk(const tagCOLORSTRUCT* pColor, BYTE cmyk[4])
{
    if (pColor != NULL && pColor->wModel == COLOR_MODEL_CMYK) {
        for (int i = 0; i < 4; i++)
            cmyk[i] = Component(*pColor, i);
        return;
    }
    BYTE rgb[3];
    ToRgb(pColor, rgb);
    int k = 255 - std::max({rgb[0], rgb[1], rgb[2]});
    cmyk[3] = static_cast<BYTE>(k);
    for (int i = 0; i < 3; i++)
        cmyk[i] = k == 255 ? 0 : static_cast<BYTE>(((255 - rgb[i] - k) * 255 + (255 - k) / 2) / (255 - k));
}

BYTE ToGray(const tagCOLORSTRUCT* pColor)
{
    if (pColor != NULL && pColor->wModel == COLOR_MODEL_GRAY)
        return Component(*pColor, 0);
    BYTE rgb[3];
    ToRgb(pColor, rgb);
    return static_cast<BYTE>((299 * rgb[0] + 587 * rgb[1] + 114 * rgb[2] + 500) / 1000);
}

BYTE Clamp(int value) { return static_cast<BYTE>(std::min(255, std::max(0, value))); }

}  // namespace

extern "C" {

void GenSetRgbColor(tagCOLORSTRUCT* pColor, const char* lpszName, int r, int g, int b)
{
    general::Record(129);
    if (pColor == NULL)
        return;
    std::memset(pColor, 0, sizeof(*pColor));
    if (lpszName != NULL) {
        // The name keeps its terminating zero; a double-byte character that
        // would be cut is left out whole.
        size_t length = 0;
        while (lpszName[length] != '\0' && length < sizeof(pColor->szName) - 1) {
            size_t step = ::IsDBCSLeadByte(static_cast<BYTE>(lpszName[length])) ? 2 : 1;
            if (length + step > sizeof(pColor->szName) - 1 || (step == 2 && lpszName[length + 1] == '\0'))
                break;
            length += step;
        }
        std::memcpy(pColor->szName, lpszName, length);
    }
    pColor->wModel = COLOR_MODEL_RGB;
    pColor->wComponent[0] = Clamp(r);
    pColor->wComponent[1] = Clamp(g);
    pColor->wComponent[2] = Clamp(b);
}

void GenCopyColor(tagCOLORSTRUCT* pDestination, const tagCOLORSTRUCT* pSource)
{
    general::Record(131);
    if (pDestination != NULL && pSource != NULL)
        std::memmove(pDestination, pSource, sizeof(*pDestination));
}

COLORREF GenColorToColorRef(const tagCOLORSTRUCT* pColor)
{
    general::Record(122);
    BYTE rgb[3];
    ToRgb(pColor, rgb);
    return RGB(rgb[0], rgb[1], rgb[2]);
}

void GenColorToRgb(const tagCOLORSTRUCT* pColor, BYTE* pRgb)
{
    general::Record(123);
    if (pRgb != NULL)
        ToRgb(pColor, pRgb);
}

void GenColorToRgbBytes(const tagCOLORSTRUCT* pColor, BYTE* pRed, BYTE* pGreen, BYTE* pBlue)
{
    general::Record(125);
    BYTE rgb[3];
    ToRgb(pColor, rgb);
    BYTE* out[3] = {pRed, pGreen, pBlue};
    for (int i = 0; i < 3; i++)
        if (out[i] != NULL)
            *out[i] = rgb[i];
}

void GenColorToCmyk(const tagCOLORSTRUCT* pColor, BYTE* pCmyk)
{
    general::Record(124);
    if (pCmyk != NULL)
        ToCmyk(pColor, pCmyk);
}

void GenColorToCmykBytes(const tagCOLORSTRUCT* pColor, BYTE* pCyan, BYTE* pMagenta, BYTE* pYellow, BYTE* pBlack)
{
    general::Record(126);
    BYTE cmyk[4];
    ToCmyk(pColor, cmyk);
    BYTE* out[4] = {pCyan, pMagenta, pYellow, pBlack};
    for (int i = 0; i < 4; i++)
        if (out[i] != NULL)
            *out[i] = cmyk[i];
}

void GenColorToGray(const tagCOLORSTRUCT* pColor, BYTE* pGray)
{
    general::Record(118);
    if (pGray != NULL)
        *pGray = ToGray(pColor);
}

}  // extern "C"

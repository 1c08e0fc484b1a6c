// The image editor's document: one picture, decoded with WIC into 32-bit
// top-down rows.
#pragma once

#include "afxwin.h"

#include <vector>

class CDioImageDoc : public CDocument {
    DECLARE_DYNCREATE(CDioImageDoc)
public:
    CDioImageDoc();

    BOOL OnOpenDocument(LPCTSTR lpszPathName) override;
    void DeleteContents() override;

    // Draws the picture as large as fits into the rectangle, keeping its
    // proportions, centred; the rest of the rectangle gets the window colour.
    void Draw(CDC* pDC, const CRect& rcTarget) const;

    // The part of the target that a picture of the given size fills.
    static CRect FitRect(int nWidth, int nHeight, const CRect& rcTarget);

private:
    int m_nWidth;
    int m_nHeight;
    std::vector<BYTE> m_pixels;
};

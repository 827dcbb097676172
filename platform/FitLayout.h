// Keeps text whole when a window is laid out at another DPI than the one it was designed at.
// Controls are placed from twips, but text does not scale exactly with the DPI (font heights
// round to whole pixels, glyph widths do not follow linearly), so a caption that just fitted
// at 96 dpi may be cut at 120 or 144. A control whose text needs more room grows to the
// right and downwards, and the controls that stood to its right on the same row move right
// by as much, keeping their distance.
#pragma once
#include <vector>

namespace pw {

struct FitBox {
    int left = 0, top = 0, width = 0, height = 0;   // pixels, in the window's client area
    int needWidth = 0, needHeight = 0;              // what its text needs; 0: nothing
};

void FitBoxesToText(std::vector<FitBox>& boxes);

}  // namespace pw

// The place the note box is scrolled to, told by the character at its top, so that it can be
// found again after the box lays its lines out anew (another font size, wrapping switched).
#pragma once
#include "platform/ui.h"

namespace pw {

// The first character of the first line shown (in the box's own units).
long TopChar(IControl& box);
// Scrolls the box so that the line holding `topChar` is the first one shown.
void ScrollToTop(IControl& box, long topChar);

}  // namespace pw

// The colours every window of the program is painted with, by what each is for. A window names
// a colour by its purpose: a system colour (the window background, its text, the button face)
// or one of the program's own inks (the About window's panel, a link); the palette in force
// says what that purpose looks like. The light palette is the system's own colours, as the
// program has always looked; the dark one is the theme's (options/theme/), and nothing but the
// theme decides which palette is in force.
#pragma once
#include <cstdint>
#include <string>

#include "platform/types.h"

namespace pw {

// The program's own inks, beyond the system colours.
enum class Ink : unsigned {
    Panel,         // a white panel in light (the About window, Live Update's texts)
    Link,          // a link the pointer is over
    LinkPressed,   // a link being clicked
    Count
};
constexpr Color InkColor(Ink ink) { return 0x40000000u | static_cast<Color>(ink); }
constexpr bool IsInk(Color c) { return (c & 0xC0000000u) == 0x40000000u; }

// System colour indices the palette speaks of (as GetSysColor numbers them).
enum SystemColorIndex : int {
    kColorMenu = 4, kColorWindow = 5, kColorMenuText = 7, kColorWindowText = 8, kColorHighlight = 13,
    kColorHighlightText = 14, kColorBtnFace = 15, kColorBtnShadow = 16, kColorGrayText = 17,
    kColorBtnText = 18, kColorBtnHighlight = 20, kColorInfoText = 23, kColorInfoBk = 24,
    kSystemColorCount = 31
};

struct Palette {
    bool dark = false;
    // What each system colour shows as (a colour; SystemColor(i) or 0: as Windows has it)
    // and what each ink shows as.
    Color system[kSystemColorCount] = {};
    Color ink[static_cast<unsigned>(Ink::Count)] = {};
    // The name ending of the pictures drawn for this palette ("" or "_DARK"): a picture
    // resource "NOTESHEET" is shown as "NOTESHEET_DARK" where that exists.
    std::string pictures;

    // A colour as this palette shows it: a plain colour, or a system colour left to Windows.
    Color Resolve(Color c) const;
};

// Today's looks: the system's colours, white panels, blue links that turn red when pressed.
Palette LightPalette();

// The contrast of two plain colours as WCAG 2 measures it, 1 to 21.
double ContrastRatio(Color a, Color b);

// A pixel of a control the system drew in its light colours, carried into a dark palette:
// greys run along the line that takes the light face to the dark face and the light text to
// the dark text (white goes darker than the face, as a light edge becomes a dark one);
// colours (a blue focus, a coloured picture) stay as they are. Colours are 0x00RRGGBB.
struct PixelMap {
    int lightFace = 240, darkFace = 41;   // grey levels
    int lightText = 0, darkText = 240;
    std::uint32_t Map(std::uint32_t rgb) const;
};

}  // namespace pw

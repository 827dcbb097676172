#include "platform/Palette.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>

namespace pw {

namespace {

constexpr unsigned kInk(Ink i) { return static_cast<unsigned>(i); }

double Channel(unsigned v) {
    const double c = v / 255.0;
    return c <= 0.03928 ? c / 12.92 : std::pow((c + 0.055) / 1.055, 2.4);
}

double Luminance(Color c) {
    return 0.2126 * Channel(c & 0xFF) + 0.7152 * Channel((c >> 8) & 0xFF) + 0.0722 * Channel((c >> 16) & 0xFF);
}

}  // namespace

Color Palette::Resolve(Color c) const {
    if (IsInk(c)) {
        const unsigned i = c & 0xFF;
        return i < kInk(Ink::Count) ? Resolve(ink[i]) : c;
    }
    if (c & 0x80000000u) {
        const unsigned i = c & 0xFF;
        if (i < kSystemColorCount && system[i] != 0 && system[i] != c) return system[i];
        return c;
    }
    return c & 0xFFFFFF;
}

Palette LightPalette() {
    Palette p;
    for (int i = 0; i < kSystemColorCount; ++i) p.system[i] = SystemColor(i);
    p.ink[kInk(Ink::Panel)] = RGBColor(255, 255, 255);
    p.ink[kInk(Ink::Link)] = RGBColor(0, 0, 255);
    p.ink[kInk(Ink::LinkPressed)] = RGBColor(255, 0, 0);
    return p;
}

double ContrastRatio(Color a, Color b) {
    const double la = Luminance(a), lb = Luminance(b);
    return (std::max(la, lb) + 0.05) / (std::min(la, lb) + 0.05);
}

std::uint32_t PixelMap::Map(std::uint32_t rgb) const {
    const int r = (rgb >> 16) & 0xFF, g = (rgb >> 8) & 0xFF, b = rgb & 0xFF;
    const int hi = std::max({r, g, b}), lo = std::min({r, g, b});
    if (hi - lo > 24) return rgb & 0xFFFFFF;   // a colour: kept
    const int grey = (r * 30 + g * 59 + b * 11) / 100;
    const int span = lightFace - lightText;
    int v = span == 0 ? darkFace
                      : darkText + static_cast<int>(std::lround(static_cast<double>(grey - lightText) *
                                                                (darkFace - darkText) / span));
    v = std::max(0, std::min(255, v));
    const auto u = static_cast<std::uint32_t>(v);
    return (u << 16) | (u << 8) | u;
}

}  // namespace pw

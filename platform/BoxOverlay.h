// What the program draws over a text box and the menu it puts in place of the box's own: the
// box paints itself, then its overlay paints on top (the spelling marks); a context menu
// request (right click, Shift+F10, the menu key) goes to the overlay first. Coordinates are
// the box's client pixels; positions are the box's characters (UTF-16 units).
#pragma once
#include <string>
#include <vector>

namespace pw {

struct PixelRect {
    int left = 0, top = 0, right = 0, bottom = 0;
    bool operator==(const PixelRect& o) const {
        return left == o.left && top == o.top && right == o.right && bottom == o.bottom;
    }
};

// The box's surface while its overlay paints.
class IBoxCanvas {
public:
    virtual ~IBoxCanvas() = default;
    // The height of one line of the box's font on screen.
    virtual int LineHeight() = 0;
    // The width of text in the box's font.
    virtual int TextWidth(const std::u16string& text) = 0;
    // Where each character of text ends, from the text's start, in one measure: ends[i] is the
    // width of the first i + 1 characters.
    virtual void CharEnds(const std::u16string& text, std::vector<int>& ends) = 0;
    // The widest character of the box's font.
    virtual int WidestChar() = 0;
    // A red wavy line from x to x + width whose lowest point is at y (the mark of a word).
    virtual void WavyLine(int x, int y, int width) = 0;
};

class IBoxOverlay {
public:
    virtual ~IBoxOverlay() = default;
    // The box painted part of itself (a WM_PAINT): what lies on it may have moved.
    virtual void Painted(IBoxCanvas& canvas) = 0;
    // The box drew itself outside a paint (a key, the mouse, a selection): the marks again
    // where they were.
    virtual void Drawn(IBoxCanvas& canvas) = 0;
    // A context menu asked for at a point (keyboard: false, at the caret). True when the
    // overlay showed its own; false leaves the box's usual menu.
    virtual bool ContextMenu(int x, int y, bool atPoint) = 0;
};

// One entry of a pop-up menu: a caption ("-" for a separator), greyed or not.
struct PopupEntry {
    std::string caption;
    bool enabled = true;
};

}  // namespace pw

// View > Word Wrap: the note's lines wrap at the window's width (on, as always), or run on with
// a horizontal scroll bar. An edit box cannot change that once made, so a switch makes a new
// note box and carries the text, the selection, the place scrolled to and the font over; the
// main window's txtNote is that new box from then on.
#pragma once
#include <functional>

#include "platform/NoteWindow.h"

namespace pw {

class StatusBar;

// The note box as the main window makes it: id, size (twips) and whether lines wrap.
ControlDef NoteBoxDef(int id, float width, float height, bool wrap);

class WordWrap : private NoteWindow {
public:
    static constexpr int kNoteBoxId = 1;   // txtNote's control id

    WordWrap(const NoteWindow& window, StatusBar& status) : NoteWindow(window), status_(status) {}

    bool On() const { return on_; }
    // Checks the menu entry; a box of the other kind is replaced.
    void SetOn(bool on);
    void Toggle() { SetOn(!on_); }

    // Told the new box after a switch (whoever holds the old one must let it go).
    std::function<void(IControl&)> BoxReplaced;

private:
    void ReplaceBox();

    StatusBar& status_;
    bool on_ = true;
};

}  // namespace pw

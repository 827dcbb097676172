// View > Zoom: the note's size on screen, from 10% to 500% in steps of 10%. Only the box's
// font on screen follows it: the font of the settings and of the printed page stays, and the
// level is not stored.
#pragma once
#include "platform/NoteWindow.h"

namespace pw {

class StatusBar;

class Zoom : private NoteWindow {
public:
    static constexpr int kMin = 10, kMax = 500, kStep = 10, kDefault = 100;

    Zoom(const NoteWindow& window, StatusBar& status) : NoteWindow(window), status_(status) {}

    int level() const { return level_; }
    void In() { ZoomChanged(level_ + kStep); }
    void Out() { ZoomChanged(level_ - kStep); }
    void Restore() { ZoomChanged(kDefault); }
    // Ctrl and the wheel: a step a notch, up in, down out. False for any other message.
    bool WheelMessage(unsigned msg, unsigned long wParam);

private:
    // The one place a new level takes effect: kept, shown by the box with the same line at
    // its top, and told to the status bar.
    void ZoomChanged(int level);

    StatusBar& status_;
    int level_ = kDefault;
    int wheelRest_ = 0;   // part of a notch turned so far (high-resolution wheels)
};

}  // namespace pw

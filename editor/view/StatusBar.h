// View > Status Bar: a bar under the note with the caret's line and column, the zoom, and the
// encoding the note will be written in. It owns the layout of the main window's client area:
// the bar takes its own height at the bottom and the note box the rest.
#pragma once
#include <functional>
#include <string>

#include "platform/TimerIds.h"
#include "platform/NoteWindow.h"
#include "storage/NoteEncoding.h"

namespace pw {

class StatusBar : private NoteWindow {
public:
    static constexpr int kBarId = 2;                  // its control id in the main window
    static constexpr int kEncodingTimer = timerStatusEncoding;
    static constexpr unsigned kEncodingPauseMs = 250; // typing paused this long: encoding again
    enum Panel { pnlSpace, pnlCaret, pnlZoom, pnlEncoding, kPanels };

    // savedEncoding: the encoding the note file was read or last written in.
    StatusBar(const NoteWindow& window, std::function<TextEncoding()> savedEncoding)
        : NoteWindow(window), savedEncoding_(std::move(savedEncoding)) {}

    bool Visible() const { return visible_; }
    // Shows or hides the bar and checks its menu entry.
    void SetVisible(bool visible);
    void Toggle() { SetVisible(!visible_); }

    // The client area: the bar first, the rest to the note box.
    void Layout();
    // The caret moved: its line and column now.
    void CaretMoved();
    // The text changed: the encoding once typing rests.
    void TextChanged();
    bool TimerMessage(unsigned msg, unsigned long wParam);
    void ZoomChanged(int percent);
    // Every panel afresh (a new box, a shown bar).
    void Refresh();

    // What a panel says now.
    const std::string& PanelText(int panel) const { return shown_[panel]; }

private:
    bool Showing() const { return visible_ && bar_; }
    // Sends a panel's text only when it changed.
    void Show(int panel, const std::string& text);
    void ShowEncoding();

    std::function<TextEncoding()> savedEncoding_;
    IControl* bar_ = nullptr;
    bool visible_ = false;
    int zoom_ = 100;
    std::string shown_[kPanels];
};

// "ANSI", "UTF-8 with BOM", "UTF-16 LE", "UTF-16 BE".
const char* EncodingName(TextEncoding encoding);

}  // namespace pw
